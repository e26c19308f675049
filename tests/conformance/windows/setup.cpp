// The conformance tests' set-up on the real platform: the test printer installed with the
// spooler's own calls, the tests' registry keys deleted, the plug-in's resources loaded as data.
#include "platform.h"

#include <commctrl.h>
#include <winspool.h>

#include <cstdio>

namespace conformance {

namespace {

const WCHAR kDriverName[] = TEXT("Tarvik");
// The driver's configuration module, and the plug-in it loads from the driver directory.
const WCHAR kModuleName[] = TEXT("qvdrvui.dll");
const WCHAR kPluginName[] = TEXT("qvembui.dll");
HMODULE g_plugin = nullptr;
bool g_driverAdded = false;

void DeleteTestPrinter() {
    HANDLE printer = OpenTestPrinter(PRINTER_ALL_ACCESS);
    if (printer == nullptr)
        return;
    DeletePrinter(printer);
    ClosePrinter(printer);
}

// The folder this program was started from, with its trailing backslash.
WideString ProgramFolder() {
    WCHAR path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    WideString folder(path, length);
    return folder.substr(0, folder.rfind(TEXT('\\')) + 1);
}

// The spooler adds a driver only from files already in its driver directory.
bool AddDriver() {
    WCHAR directory[MAX_PATH];
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(directory),
                                    sizeof directory, &needed))
        return false;
    WideString module = WideString(directory) + TEXT("\\") + kModuleName;
    WideString plugin = WideString(directory) + TEXT("\\") + kPluginName;
    if (!CopyFileW((ProgramFolder() + kModuleName).c_str(), module.c_str(), FALSE) ||
        !CopyFileW((ProgramFolder() + kPluginName).c_str(), plugin.c_str(), FALSE))
        return false;
    WCHAR dependentFiles[] = TEXT("qvembui.dll\0");
    DRIVER_INFO_3W driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<LPWSTR>(kDriverName);
    driver.pDriverPath = &module[0];
    driver.pDataFile = &module[0];
    driver.pConfigFile = &module[0];
    driver.pDependentFiles = dependentFiles;
    return AddPrinterDriverW(nullptr, 3, reinterpret_cast<LPBYTE>(&driver)) != FALSE;
}

} // namespace

bool OnWinsim() {
    return false;
}

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(TEXT("ntdll.dll"));
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool KnownWineGap(const char* reason) {
    if (!UnderWine() || GetEnvironmentVariableW(TEXT("CONFORMANCE_RUN_WINE_GAPS"), nullptr, 0) != 0)
        return false;
    std::printf("[ wine gap ] %s\n", reason);
    return true;
}

void ResetMachine() {
    DeleteTestPrinter();
    RegDeleteTreeW(HKEY_CURRENT_USER, TEXT("SOFTWARE\\Quorvane"));
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\Quorvane"));
}

bool InstallPrinter() {
    if (!g_driverAdded && !AddDriver())
        return false;
    g_driverAdded = true;
    PRINTER_INFO_2W info = {};
    info.pPrinterName = const_cast<LPWSTR>(kPrinterName);
    info.pPortName = const_cast<LPWSTR>(TEXT("FILE:"));
    info.pDriverName = const_cast<LPWSTR>(kDriverName);
    info.pPrintProcessor = const_cast<LPWSTR>(TEXT("WinPrint"));
    info.pDatatype = const_cast<LPWSTR>(TEXT("RAW"));
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    if (printer == nullptr)
        return false;
    ClosePrinter(printer);
    return true;
}

HMODULE PluginResources() {
    if (g_plugin == nullptr)
        g_plugin = LoadLibraryExW((ProgramFolder() + TEXT("qvembui.dll")).c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
    return g_plugin;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void ClickButton(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    PumpMessages();
}

void TypeInto(HWND dialog, int id, const WCHAR* text) {
    HWND edit = GetDlgItem(dialog, id);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const WCHAR* c = text; *c != 0; ++c)
        SendMessageW(edit, WM_CHAR, *c, 1);
    PumpMessages();
}

void PressKey(HWND dialog, int id, UINT virtualKey) {
    HWND control = GetDlgItem(dialog, id);
    SetFocus(control);
    SendMessageW(control, WM_KEYDOWN, virtualKey, 1);
    SendMessageW(control, WM_KEYUP, virtualKey, 0xC0000001);
    PumpMessages();
}

void ClickUpDownArrow(HWND dialog, int id, bool upArrow) {
    HWND control = GetDlgItem(dialog, id);
    RECT client;
    GetClientRect(control, &client);
    LPARAM point =
        MAKELPARAM(client.right / 2, upArrow ? client.bottom / 4 : client.bottom * 3 / 4);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(control, WM_LBUTTONUP, 0, point);
    PumpMessages();
}

void ChooseFromDroppedList(HWND dialog, int id, int index) {
    HWND combo = GetDlgItem(dialog, id);
    SetFocus(combo);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    RECT item;
    SendMessageW(info.hwndList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(info.hwndList, WM_MOUSEMOVE, 0, point);
    SendMessageW(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(info.hwndList, WM_LBUTTONUP, 0, point);
    PumpMessages();
}

bool SwitchRegistryValueOrder(ValueOrder) {
    return false;
}

} // namespace conformance
