// The C++ runtime is linked into each of our Windows DLLs, and it keeps an emergency pool for
// exceptions (73 KB, taken from the C runtime's heap when the library starts) that it does not
// give back by itself: every load and unload of the library by a host would leave the pool
// behind. Each DLL gives it back when it is freed; at process exit nothing needs giving back.
#pragma once

#include <windows.h>

// Declared weak, so that a build whose runtime keeps no pool does not pull it in.
namespace __gnu_cxx {
void __freeres() noexcept __attribute__((weak));
} // namespace __gnu_cxx

// Called from DllMain with its reason and reserved arguments.
inline void ReleaseRuntimePoolWhenFreed(DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr && __gnu_cxx::__freeres != nullptr)
        __gnu_cxx::__freeres();
}
