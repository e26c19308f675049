// The entry point of each sibling DLL: nothing to set up, and the C++ runtime's pool given back
// when the library is freed.
#include "core/runtime_pool.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    ReleaseRuntimePoolWhenFreed(reason, reserved);
    return TRUE;
}
