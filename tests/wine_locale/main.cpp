// The printing preferences and printer properties in another language under Wine, for a person
// (or a screenshot) to look at: installs the test printer, the locale library and a catalogue as
// an installation for that language does, then shows every page and some of the dialogs behind
// them one after another.
//
//   wine_locale.exe <handshake folder> [locale code, default de_de]
//
// Before each view the program creates "<folder>\<view>.ready" and waits (pumping messages, at most
// 30 s) until someone deletes it: scripts/wine-locale.sh takes a screenshot, then deletes it.
#include "check_log.h"
#include "test_printer.h"

#include "core_driver.h"
#include "resources/resource.h"
#include "sheet_session.h"

#include <commctrl.h>
#include <strsafe.h>
#include <winspool.h>

namespace {

const WCHAR kInstallFolder[] = TEXT("C:\\Quorvane");
WCHAR g_handshake[MAX_PATH];

void PumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

bool FileExists(LPCWSTR path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

void ReadyPath(LPCWSTR view, WCHAR* path) {
    StringCchPrintfW(path, MAX_PATH, TEXT("%ls\\%ls.ready"), g_handshake, view);
}

void AnnounceView(LPCWSTR view) {
    WCHAR path[MAX_PATH];
    ReadyPath(view, path);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

bool ViewTaken(LPCWSTR view) {
    WCHAR path[MAX_PATH];
    ReadyPath(view, path);
    return !FileExists(path);
}

// Shows what is on screen now until the screenshot is taken.
void WaitForScreenshot(LPCWSTR view) {
    PumpFor(800); // let the page paint
    AnnounceView(view);
    DWORD start = GetTickCount();
    while (!ViewTaken(view) && GetTickCount() - start < 30000)
        PumpFor(100);
}

// --- Dialogs behind the pages: a timer inside the dialog's own modal loop -----------------------

HWND g_sheet;
LPCWSTR g_dialogView;
bool g_dialogAnnounced;
int g_dialogTicks; // ticks since the dialog appeared: it paints before its screenshot

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    WCHAR className[16] = {};
    GetClassNameW(window, className, 16);
    if (window != g_sheet && IsWindowVisible(window) && lstrcmpW(className, TEXT("#32770")) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK WatchDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    if (!g_dialogAnnounced) {
        if (++g_dialogTicks < 8)
            return;
        g_dialogAnnounced = true;
        AnnounceView(g_dialogView);
    } else if (ViewTaken(g_dialogView)) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

// Presses a page's button that opens a modal dialog, and shows the dialog until its screenshot.
void ShowDialogBehind(HWND page, int buttonId, LPCWSTR view) {
    g_dialogView = view;
    g_dialogAnnounced = false;
    g_dialogTicks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 500, WatchDialog);
    // As the button tells its page when it is pressed; the dialog's modal loop then runs inside
    // the dispatch of this message, and the timer inside that loop.
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, buttonId)));
    DWORD start = GetTickCount();
    while (!(g_dialogAnnounced && ViewTaken(view)) && GetTickCount() - start < 30000)
        PumpFor(100);
    PumpFor(300);
    KillTimer(nullptr, timer);
}

// --- The installation --------------------------------------------------------------------------

bool CopyInto(LPCWSTR from, LPCWSTR to) {
    bool copied = CopyFileW(from, to, FALSE) != FALSE;
    return Check(("copy to " + Narrow(to)).c_str(), copied, "copied", Outcome(copied, "copied"));
}

bool SetMachineString(LPCWSTR keyPath, LPCWSTR name, LPCWSTR value) {
    HKEY key = nullptr;
    LONG error = RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_WRITE, nullptr,
                                 &key, nullptr);
    if (error == ERROR_SUCCESS) {
        error = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                               (lstrlenW(value) + 1) * sizeof(WCHAR));
        RegCloseKey(key);
    }
    return CheckNumber(("HKLM\\" + Narrow(keyPath) + " " + Narrow(name)).c_str(), 0, error);
}

// The peripherals library in the system folder, where the plug-in runs it for a printer whose data
// lacks "OutputVersion".
bool InstallPeripherals(LPCWSTR folder) {
    WCHAR from[MAX_PATH], to[MAX_PATH];
    StringCchPrintfW(from, MAX_PATH, TEXT("%lsqvdevapi.dll"), folder);
    GetSystemDirectoryW(to, MAX_PATH);
    StringCchCatW(to, MAX_PATH, TEXT("\\qvdevapi.dll"));
    return CopyInto(from, to);
}

void CheckOutputVersion() {
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(kTestPrinterName), &printer, nullptr))
        return;
    CheckText("Config\\OutputVersion after the first sheet (the peripherals library ran)",
              "REG_DWORD 65536",
              DescribeConfigValue(ReadConfigValue(printer, TEXT("OutputVersion"))));
    ClosePrinter(printer);
}

// The locale library in the driver's version folder, the catalogue where the plug-in looks for it
// ("<QVDir>\Tarvik\<driver>\Locale") and the language in the setup's registry value.
bool InstallLanguage(LPCWSTR folder, LPCWSTR code, WCHAR* pluginPath) {
    WCHAR driverFolder[MAX_PATH];
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(driverFolder),
                                    sizeof(driverFolder), &needed))
        return false;
    StringCchPrintfW(pluginPath, MAX_PATH, TEXT("%ls\\3\\qvembui.dll"), driverFolder);
    WCHAR from[MAX_PATH], to[MAX_PATH];
    StringCchPrintfW(from, MAX_PATH, TEXT("%lsqvlocale.dll"), folder);
    StringCchPrintfW(to, MAX_PATH, TEXT("%ls\\3\\qvlocale.dll"), driverFolder);
    if (!CopyInto(from, to))
        return false;
    WCHAR catalogues[MAX_PATH];
    StringCchPrintfW(catalogues, MAX_PATH, TEXT("%ls\\Tarvik"), kInstallFolder);
    CreateDirectoryW(kInstallFolder, nullptr);
    CreateDirectoryW(catalogues, nullptr);
    StringCchPrintfW(catalogues, MAX_PATH, TEXT("%ls\\Tarvik\\%ls"), kInstallFolder,
                     kTestDriverName);
    CreateDirectoryW(catalogues, nullptr);
    StringCchCatW(catalogues, MAX_PATH, TEXT("\\Locale"));
    CreateDirectoryW(catalogues, nullptr);
    WCHAR language[16];
    StringCchCopyW(language, 16, code);
    for (WCHAR* c = language; *c != 0; ++c)
        if (*c == TEXT('_'))
            *c = 0;
    StringCchPrintfW(from, MAX_PATH, TEXT("%lslocale\\qvembui.%ls.txt"), folder, language);
    StringCchPrintfW(to, MAX_PATH, TEXT("%ls\\qvembui.%ls.txt"), catalogues, language);
    bool english = lstrcmpiW(language, TEXT("en")) == 0; // English needs no catalogue
    return (english || CopyInto(from, to)) &&
           SetMachineString(TEXT("SOFTWARE\\Quorvane"), TEXT("QVDir"), kInstallFolder) &&
           SetMachineString(TEXT("SOFTWARE\\Quorvane\\TarvikSetup"), TEXT("Locale"), code);
}

HWND PageWindow(HWND sheet, int index) {
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, index, 0));
}

void ShowDocumentPages(CoreDriverHost& host) {
    std::vector<BYTE> jobDevmode = host.BuildJobDevmode(nullptr);
    SheetSession session(host);
    if (!CheckResult("DocumentPropertySheets(INIT)", S_OK,
                     session.OpenDocumentProperties(
                         kTestPrinterName, reinterpret_cast<DEVMODEW*>(jobDevmode.data()))))
        return;
    g_sheet = session.ShowSheet(nullptr);
    if (!Check("the printing preferences are shown", g_sheet != nullptr, "a sheet", "none"))
        return;
    SetWindowPos(g_sheet, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const LPCWSTR views[] = {TEXT("layout"), TEXT("paper"), TEXT("main")};
    for (int i = 0; i < 3; ++i) {
        SendMessageW(g_sheet, PSM_SETCURSEL, i, 0);
        WaitForScreenshot(views[i]);
    }
    SendMessageW(g_sheet, PSM_SETCURSEL, 1, 0);
    ShowDialogBehind(PageWindow(g_sheet, 1), IDC_PAPER_ADVANCED, TEXT("advanced-media"));
    SendMessageW(g_sheet, PSM_SETCURSEL, 2, 0);
    ShowDialogBehind(PageWindow(g_sheet, 2), IDC_MAIN_MORE_OPTIONS, TEXT("image-options"));
    SendMessageW(g_sheet, PSM_SETCURSEL, 0, 0);
    ShowDialogBehind(PageWindow(g_sheet, 0), IDC_LAYOUT_ADVANCED, TEXT("rotated-landscape"));
    session.Close(0);
}

void ShowPrinterProperties(CoreDriverHost& host) {
    SheetSession session(host);
    if (!CheckResult("printer properties", S_OK, session.OpenPrinterProperties(kTestPrinterName)))
        return;
    g_sheet = session.ShowSheet(nullptr);
    if (!Check("the printer properties are shown", g_sheet != nullptr, "a sheet", "none"))
        return;
    SetWindowPos(g_sheet, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    WaitForScreenshot(TEXT("service"));
    session.Close(0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, g_handshake, MAX_PATH);
    WCHAR code[16] = TEXT("de_de");
    if (argc > 2)
        MultiByteToWideChar(CP_ACP, 0, argv[2], -1, code, 16);
    WCHAR folder[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, folder, MAX_PATH);
    while (length > 0 && folder[length - 1] != TEXT('\\'))
        --length;
    folder[length] = 0;

    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    WCHAR pluginPath[MAX_PATH];
    if (InstallTestPrinter(folder) && InstallPeripherals(folder) &&
        InstallLanguage(folder, code, pluginPath)) {
        CoreDriverHost host;
        if (CheckResult(("load " + Narrow(pluginPath)).c_str(), S_OK, host.Load(pluginPath))) {
            ShowDocumentPages(host);
            CheckOutputVersion();
            ShowPrinterProperties(host);
        }
        host.Unload();
    }
    RemoveTestPrinter();
    CoUninitialize();
    return FinishChecks();
}
