// A virtual Tarvik embosser behind the printer link's entry points: our stand-in for the maker's
// qvmonext.dll. It keeps each printer's state in a state file (state_file.h says where; the
// README's "The virtual embosser" describes the keys), answers the settings block and status,
// takes parameters (kept until DllExportUpdatePrinter stores them), runs services and loads
// braille tables. Values outside the embosser's ranges are refused with an error code that
// DllExportGetPrinterErrorText explains.
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
