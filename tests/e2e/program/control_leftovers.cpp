// Watching the controls destroyed on this thread.
#include "control_leftovers.h"

#include <cstdio>

namespace {

ControlLeftovers* g_watching = nullptr;

CounterText BlockSize(int bytes) {
    char text[24];
    std::snprintf(text, sizeof(text), "%d bytes", bytes);
    return text;
}

// Whether the window's procedure lies in the module of this file name (comctl32's version 6 lies
// in its own copy under winsxs, version 5 controls in user32).
bool ProcedureInModule(HWND window, LPCWSTR moduleName) {
    auto procedure = reinterpret_cast<LPCWSTR>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    HMODULE module = nullptr;
    WCHAR path[MAX_PATH] = TEXT("");
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            procedure, &module) ||
        GetModuleFileNameW(module, path, MAX_PATH) == 0)
        return false;
    LPCWSTR name = path;
    for (LPCWSTR at = path; *at != 0; ++at)
        if (*at == TEXT('\\') || *at == TEXT('/'))
            name = at + 1;
    return lstrcmpiW(name, moduleName) == 0;
}

} // namespace

ControlLeftovers::ControlLeftovers() {
    g_watching = this;
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

ControlLeftovers::~ControlLeftovers() {
    if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
    if (g_watching == this)
        g_watching = nullptr;
}

// The hook hears of the window given to DestroyWindow; its children go with it unannounced.
LRESULT CALLBACK ControlLeftovers::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && g_watching != nullptr) {
        HWND window = reinterpret_cast<HWND>(wParam);
        g_watching->ControlDestroyed(window);
        EnumChildWindows(window, ChildDestroyed, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK ControlLeftovers::ChildDestroyed(HWND window, LPARAM) {
    if (g_watching != nullptr)
        g_watching->ControlDestroyed(window);
    return TRUE;
}

void ControlLeftovers::ControlDestroyed(HWND window) {
    WCHAR className[64] = TEXT("");
    GetClassNameW(window, className, 64);
    if (lstrcmpiW(className, TEXT("Static")) == 0 &&
        ProcedureInModule(window, TEXT("comctl32.dll")))
        ++expected_[BlockSize(24)];
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    int length = GetWindowTextLengthW(window);
    if (lstrcmpiW(className, TEXT("Edit")) == 0 && (style & ES_MULTILINE) && length > 0)
        ++expected_[BlockSize(length)];
}
