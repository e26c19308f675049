// The records the spooler hands a printer driver's configuration module. mingw-w64's winddiui.h
// lacks them; the layouts are the platform's.
#pragma once

#include <windows.h>
#include <compstui.h>

typedef struct _DOCUMENTPROPERTYHEADER {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    PDEVMODEW pdmIn;
    PDEVMODEW pdmOut;
    DWORD cbOut;
    DWORD fMode;
} DOCUMENTPROPERTYHEADER, *PDOCUMENTPROPERTYHEADER;

typedef struct _DEVICEPROPERTYHEADER {
    WORD cbSize;
    WORD Flags;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
} DEVICEPROPERTYHEADER, *PDEVICEPROPERTYHEADER;

// DEVICEPROPERTYHEADER.Flags: the user may look at the printer's properties but not change them.
#ifndef DPS_NOPERMISSION
#define DPS_NOPERMISSION 0x0001
#endif

// The reason the property sheet service sends before INIT, with no page function yet.
#ifndef PROPSHEETUI_REASON_BEFORE_INIT
#define PROPSHEETUI_REASON_BEFORE_INIT 5
#endif

// What a PFNPROPSHEETUI returns when it has done what the reason asked (the service treats zero
// and below as a failure).
constexpr LONG kSheetFunctionDone = 1;
constexpr LONG kSheetFunctionFailed = -1;
