// The device page under Wine (Wine's common property sheet service draws no option items): the
// real plug-in's tree in it, driven from the keyboard, applied to the virtual embosser (the page
// in Wine's own sheet, through the configuration module, is tests/e2e's). Prints one line per check
// and a closing count; screenshots go next to the program (or to the folder given as the first
// argument).
#include "check_log.h"
#include "device_page_checks.h"
#include "folders.h"

#include <commctrl.h>
#include <strsafe.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // qvembui.dll, qvdrvui.dll and qvmonext.dll are built next to this program.
    WCHAR folder[MAX_PATH];
    if (!ProgramFolder(folder))
        return 2;
    WCHAR shots[MAX_PATH];
    StringCchCopyW(shots, MAX_PATH, folder);
    if (argc > 1) {
        StringCchCopyW(shots, MAX_PATH, reinterpret_cast<LPCWSTR>(argv[1]));
        StringCchCatW(shots, MAX_PATH, TEXT("\\"));
    }

    CheckEmbosserTree(folder, shots);
    return FinishChecks("wine_device_page");
}
