// The Windows build of the plug-in on the real platform: its class object and the driver interface
// methods it answers itself, called through the published method table (the printing preferences
// through the real spooler are tests/e2e's). Prints one line per check and fails when any check
// failed.
#include "check_log.h"
#include "folders.h"
#include "wine_checks.h"

#include <strsafe.h>

int main() {
    // qvembui.dll and qvdrvui.dll are built next to this program.
    WCHAR folder[MAX_PATH];
    if (!ProgramFolder(folder))
        return 2;
    WCHAR modulePath[MAX_PATH];
    StringCchCopyW(modulePath, MAX_PATH, folder);
    StringCchCatW(modulePath, MAX_PATH, TEXT("qvembui.dll"));

    CheckPluginModule(modulePath);
    return FinishChecks("wine_check");
}
