// e2e_tests.exe: the Tarvik printer installed in a Wine prefix (scripts/install-prefix.sh), its
// printing preferences and properties opened through the spooler as applications and the printer
// folder open them, and a person acting on the pages. One PASS or FAIL line per check and a
// closing count; the exit code is 0 only when every check passed.
//   e2e_tests                   the whole run (qvmonext.dll installed)
//   e2e_tests --without-link    the run of a prefix without qvmonext.dll
#include "application_window.h"
#include "check_log.h"
#include "e2e_checks.h"

#include <commctrl.h>

int wmain(int argc, WCHAR** argv) {
    bool withPrinterLink = !(argc == 2 && lstrcmpW(argv[1], TEXT("--without-link")) == 0);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    ApplicationWindow application;
    if (!Check("the application's window", application.handle() != nullptr, "a window",
               Outcome(application.handle() != nullptr, "a window")))
        return FinishChecks("e2e_tests");
    CheckDeviceCapabilities();
    CheckDevmodeMerge(application);
    if (withPrinterLink)
        CheckPrintingPreferences(application);
    else
        CheckPreferencesOpenWithoutLink(application);
    CheckPrinterProperties(application, withPrinterLink);
    Note("AddFormW (adds nothing under Wine) and DeletePrinterDataExW (fails with 87 under Wine) "
         "stay covered by the native suites");
    return FinishChecks("e2e_tests");
}
