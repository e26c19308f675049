// The application's window and what it heard.
#include "application_window.h"

#include "check_log.h"

namespace {
const WCHAR kClassName[] = TEXT("TarvikEndToEndApplication");
} // namespace

ApplicationWindow::ApplicationWindow() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, kClassName, TEXT("Tarvik end to end"), WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
}

ApplicationWindow::~ApplicationWindow() {
    if (window_ != nullptr)
        DestroyWindow(window_);
}

LRESULT CALLBACK ApplicationWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ApplicationWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_DEVMODECHANGE && self != nullptr)
        self->devmodeChanges_.push_back(Narrow(reinterpret_cast<LPCWSTR>(lParam)));
    return DefWindowProcW(window, message, wParam, lParam);
}
