// kernel32: the thread's last error (winsim runs the plug-in on one thread, so there is one), and
// winsim's abort for a caller's misuse of the platform.
#include "internal.h"

#include <cstdio>
#include <cstdlib>

namespace {
DWORD g_lastError = ERROR_SUCCESS;
winsim::ResetHook g_resetLastError([] { g_lastError = ERROR_SUCCESS; });
} // namespace

namespace winsim {
void Misuse(const char* format, ...) {
    std::fprintf(stderr, "winsim: misuse: ");
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
    std::abort();
}
} // namespace winsim

DWORD WINAPI GetLastError(void) {
    return g_lastError;
}

void WINAPI SetLastError(DWORD dwErrCode) {
    g_lastError = dwErrCode;
}
