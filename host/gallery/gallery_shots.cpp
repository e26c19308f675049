// Pictures of windows, read back from the screen where the window shows.
#include "gallery_shots.h"
#include "gallery_tour.h"
#include "screen_area.h"

#include <strsafe.h>

#include <cstdarg>
#include <cstdio>

namespace {

WCHAR g_folder[MAX_PATH];
const DWORD g_start = GetTickCount();
constexpr DWORD kPaintTime = 250;
// Where the sheets are placed on the screen.
constexpr int kSheetLeft = 16;
constexpr int kSheetTop = 16;

void ListShot(const char* name, const char* caption) {
    WCHAR path[MAX_PATH];
    StringCchPrintfW(path, MAX_PATH, TEXT("%lsshots.txt"), g_folder);
    HANDLE list = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (list == INVALID_HANDLE_VALUE)
        return;
    char line[512];
    StringCchPrintfA(line, ARRAYSIZE(line), "%s\t%s\n", name, caption);
    DWORD written = 0;
    WriteFile(list, line, static_cast<DWORD>(lstrlenA(line)), &written, nullptr);
    CloseHandle(list);
}

} // namespace

void SetGalleryFolder(LPCWSTR folder) {
    StringCchCopyW(g_folder, MAX_PATH, folder);
}

LPCWSTR GalleryFolder() {
    return g_folder;
}

void Progress(const char* format, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    StringCchVPrintfA(text, ARRAYSIZE(text), format, arguments);
    va_end(arguments);
    std::printf("[%5.1f s] %s\n", (GetTickCount() - g_start) / 1000.0, text);
    std::fflush(stdout);
}

void LetPaint(DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return;
        MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds - elapsed, QS_ALLINPUT, 0);
    }
}

namespace {

bool SaveShot(HWND window, const char* name, const char* caption) {
    LetPaint(kPaintTime);
    RECT bounds;
    GetWindowRect(window, &bounds);
    WCHAR path[MAX_PATH];
    StringCchPrintfW(path, MAX_PATH, TEXT("%ls%hs.bmp"), g_folder, name);
    bool saved = SaveScreenArea(bounds, path);
    if (saved)
        ListShot(name, caption);
    Progress("%s %s", saved ? "picture" : "NO PICTURE", caption);
    return saved;
}

} // namespace

bool ShootWindow(HWND window, const char* name, const char* caption) {
    if (window == nullptr)
        return false;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return SaveShot(window, name, caption);
}

bool ShootAsShown(HWND window, const char* name, const char* caption) {
    return window != nullptr && SaveShot(window, name, caption);
}

void Place(const Sheet& sheet) {
    SetWindowPos(sheet.window(), HWND_TOP, kSheetLeft, kSheetTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

bool Did(const char* what, bool done) {
    Progress(done ? "%s" : "STUCK at \"%s\"", what);
    return done;
}
