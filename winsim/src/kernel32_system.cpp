// kernel32: the system folders and winsim's clock.
#include "internal.h"

#include <cstring>
#include <string>

namespace {

// The machine booted ten minutes before the test started; only AdvanceClock moves time on.
constexpr ULONGLONG kBootUptime = 10 * 60 * 1000;
ULONGLONG g_uptime = kBootUptime;
winsim::ResetHook g_resetClock([] { g_uptime = kBootUptime; });

// The documented rule of the folder queries: a buffer too small is left alone and the answer is
// the size it would need, terminator included.
UINT CopyFolder(const std::u16string& folder, LPWSTR buffer, UINT size) {
    if (folder.size() + 1 > size)
        return static_cast<UINT>(folder.size() + 1);
    std::memcpy(buffer, folder.c_str(), (folder.size() + 1) * sizeof(WCHAR));
    return static_cast<UINT>(folder.size());
}

} // namespace

namespace winsim {
DWORD ClockNow() {
    return static_cast<DWORD>(g_uptime);
}
void AdvanceClock(DWORD ms) {
    g_uptime += ms;
}
} // namespace winsim

UINT WINAPI GetSystemDirectoryW(LPWSTR lpBuffer, UINT uSize) {
    return CopyFolder(u"C:\\Windows\\system32", lpBuffer, uSize);
}

// Wraps around after 49.7 days, as on the platform.
DWORD WINAPI GetTickCount(void) {
    return static_cast<DWORD>(g_uptime);
}
