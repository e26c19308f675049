// What the system's printer folder does for a printer: install it from the driver's files, and
// open its printing preferences or its properties.
#pragma once

#include <windows.h>

#include <string>

extern const WCHAR kTarvikPrinterName[];
extern const WCHAR kTarvikDriverName[];

// Copies the configuration module and the plug-in from `folder` (ending in a backslash) into the
// printer driver directory, adds (or updates) the driver with the plug-in's version and adds the
// printer on port "FILE:" unless it exists; makes the folder of the embosser's state, which every
// user may write. 0 on success, else the failing call's error.
DWORD InstallTarvikPrinter(LPCWSTR folder);

// The path of the installed driver's file `name` ("qvembui.dll"), in the spooler's folder of
// version 3 drivers. False when the spooler names no driver folder.
bool InstalledDriverFile(LPCWSTR name, WCHAR* path, DWORD chars);
// The same path as a string; empty when the spooler names no driver folder.
std::wstring DriverFile(LPCWSTR name);

// The virtual embosser's state file, "%ProgramData%\Quorvane\Tarvik\qvmonext.state"; false when
// the path does not fit.
bool EmbosserStateFile(WCHAR* path, DWORD chars);

// The printing preferences as an application's print dialog opens them: the driver's size, the
// printer's current devmode, then DocumentPropertiesW with DM_IN_PROMPT over it. The result of
// that call; the devmode it returned stays in `devmode` (resized to the driver's size).
LONG OpenPrintingPreferences(HWND owner, HANDLE printer, LPWSTR printerName, BYTE** devmode,
                             LONG* devmodeBytes);

// The printer's properties: PrinterProperties when the spooler implements it, otherwise the
// configuration module's DrvDevicePropertySheets in the common property sheet service, as the
// printer folder calls it. The service's result, or -1 when neither could be opened.
LONG OpenPrinterProperties(HWND owner, HANDLE printer, LPWSTR printerName);
