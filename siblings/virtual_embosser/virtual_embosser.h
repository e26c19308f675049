// A virtual Tarvik embosser behind the printer link's entry points: the stand-in for the maker's
// qvmonext.dll. It keeps the embosser's settings as the 200-byte records the link exchanges,
// answers the settings block and status, and takes parameters and braille tables.
#pragma once

#include <windows.h>

// The printer link's entry points, as the plug-in calls them.
extern "C" {
DWORD WINAPI DllExportGetPrinterSettings(DWORD reserved, LPCWSTR printerName, LPBYTE buffer,
                                         DWORD size, DWORD* needed);
DWORD WINAPI DllExportSetPrinterParameter(DWORD reserved, LPCWSTR printerName, DWORD id,
                                          const LONG* values, DWORD valueCount, const BYTE* data,
                                          DWORD dataLength);
DWORD WINAPI DllExportUpdatePrinter(DWORD reserved, LPCWSTR printerName);
DWORD WINAPI DllExportGetPrinterStatus(DWORD reserved, LPCWSTR printerName, DWORD* status);
DWORD WINAPI DllExportGetPrinterErrorText(DWORD reserved, DWORD code, LPWSTR text);
DWORD WINAPI DllExportPrinterService(HWND owner, LPCWSTR printerName, DWORD serviceCode);
DWORD WINAPI DllExportLoadTable(DWORD reserved, LPCWSTR printerName, LPCWSTR tablePath, DWORD slot);
}

// Puts the embosser back in its factory state; `withInkUnit` attaches a ChromaPod unit.
void ResetVirtualEmbosser(bool withInkUnit);
