// The screenshot protocol with scripts/wine-screens.sh.
#include "screen_shots.h"

#include <strsafe.h>

#include <cstdio>

namespace {

WCHAR g_folder[MAX_PATH];
constexpr DWORD kPaintTime = 700;
constexpr DWORD kShotTimeout = 30000;
constexpr DWORD kStep = 50;

bool ShotTaken(const char* name) {
    WCHAR path[MAX_PATH];
    StringCchPrintfW(path, MAX_PATH, TEXT("%ls%hs.taken"), g_folder, name);
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

void AnnounceShot(const char* name, HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    std::printf("SHOT %s %ld %ld %ld %ld\n", name, static_cast<long>(rect.left),
                static_cast<long>(rect.top), static_cast<long>(rect.right - rect.left),
                static_cast<long>(rect.bottom - rect.top));
    std::fflush(stdout);
}

bool ShotFailed(const char* name) {
    std::printf("FAILED shot %s was not taken\n", name);
    std::fflush(stdout);
    return false;
}

} // namespace

void SetShotFolder(LPCWSTR folder) {
    StringCchCopyW(g_folder, MAX_PATH, folder);
}

// Waiting in the platform's own wait lets the display driver put what was painted on screen.
void ServeMessages(DWORD milliseconds) {
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

bool TakeShot(const char* name, HWND window) {
    UpdateWindow(window);
    ServeMessages(kPaintTime);
    AnnounceShot(name, window);
    for (DWORD waited = 0; waited < kShotTimeout; waited += kStep) {
        if (ShotTaken(name))
            return true;
        ServeMessages(kStep);
    }
    return ShotFailed(name);
}

bool RequestShot(const char* name, HWND window) {
    AnnounceShot(name, window);
    for (DWORD waited = 0; waited < kShotTimeout; waited += kStep) {
        if (ShotTaken(name))
            return true;
        Sleep(kStep);
    }
    return ShotFailed(name);
}
