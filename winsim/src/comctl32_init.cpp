// comctl32: InitCommonControlsEx. winsim takes comctl32 as version 6 loaded with the plug-in's
// manifest, which registers every control class itself; the call only checks its record.
#include "user32_internal.h"

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
    return picce && picce->dwSize == sizeof(INITCOMMONCONTROLSEX);
}
