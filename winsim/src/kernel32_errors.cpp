// kernel32: the thread's last error (winsim runs the plug-in on one thread, so there is one), and
// winsim's abort for a caller's misuse of the platform.
#include "internal.h"

namespace {
DWORD g_lastError = ERROR_SUCCESS;
winsim::ResetHook g_resetLastError([] { g_lastError = ERROR_SUCCESS; });
} // namespace

namespace winsim {
void Misuse(const char* format, ...) {
    va_list args;
    va_start(args, format);
    AbortWith("misuse", format, args);
}
} // namespace winsim

DWORD WINAPI GetLastError(void) {
    return g_lastError;
}

void WINAPI SetLastError(DWORD dwErrCode) {
    g_lastError = dwErrCode;
}
