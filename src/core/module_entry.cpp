// The module's entry points: process attach and detach, and whether it may be unloaded.
#include <windows.h>
#include <objbase.h>

#include "core/module_state.h"
#include "core/runtime_pool.h"
#include "pages/bitmap_picture.h"

HMODULE g_module = nullptr;
LONG volatile g_serverLocks = 0;
LONG volatile g_liveObjects = 0;
HANDLE g_moduleActCtx = INVALID_HANDLE_VALUE;
HANDLE g_loadActCtx = nullptr;

namespace {

void OnProcessAttach(HINSTANCE instance) {
    g_module = instance;
    // The loader runs us inside the context we were loaded in; keep it for our modal dialogs
    // and library loads, as the platform's isolation-aware code does.
    HANDLE current = nullptr;
    if (GetCurrentActCtx(&current))
        g_loadActCtx = current;
}

// Freed by FreeLibrary (not at the process's end, when the system reclaims everything).
void OnProcessDetach(bool freed) {
    if (freed)
        ReleaseKeptPictures();
    if (g_moduleActCtx != INVALID_HANDLE_VALUE) {
        ReleaseActCtx(g_moduleActCtx);
        g_moduleActCtx = INVALID_HANDLE_VALUE;
    }
    if (g_loadActCtx != nullptr) {
        ReleaseActCtx(g_loadActCtx);
        g_loadActCtx = nullptr;
    }
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        OnProcessAttach(instance);
        break;
    case DLL_PROCESS_DETACH:
        OnProcessDetach(reserved == nullptr);
        break;
    default:
        break;
    }
    ReleaseRuntimePoolWhenFreed(reason, reserved);
    return TRUE;
}

STDAPI DllCanUnloadNow() {
    return (g_liveObjects == 0 && g_serverLocks == 0) ? S_OK : S_FALSE;
}
