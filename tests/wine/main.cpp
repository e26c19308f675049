// The Windows build of the plug-in on the real platform: its class object and driver interface
// methods, then the printing preferences of an installed printer. Prints one line per check and
// fails when any check failed.
#include "check_log.h"
#include "wine_checks.h"

#include <strsafe.h>

int main() {
    // qvembui.dll and qvdrvui.dll are built next to this program.
    WCHAR folder[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 2;
    while (length > 0 && folder[length - 1] != TEXT('\\'))
        --length;
    folder[length] = 0;
    WCHAR modulePath[MAX_PATH];
    StringCchCopyW(modulePath, MAX_PATH, folder);
    StringCchCatW(modulePath, MAX_PATH, TEXT("qvembui.dll"));

    CheckPluginModule(modulePath);
    CheckDocumentSheet(folder);
    return FinishChecks("wine_check");
}
