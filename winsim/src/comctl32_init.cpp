// comctl32: InitCommonControlsEx. winsim takes comctl32 as version 6 loaded with the plug-in's
// manifest, which registers every control class itself; the calls are checked and recorded.
#include "user32_internal.h"
#include "sim.h"

namespace winsim {
namespace {
DWORD g_initialised = 0;
ResetHook g_reset([] { g_initialised = 0; });
} // namespace
} // namespace winsim

using namespace winsim;

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
    if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    g_initialised |= picce->dwICC;
    return TRUE;
}

namespace sim {
DWORD CommonControlsInitialised() {
    return g_initialised;
}
} // namespace sim
