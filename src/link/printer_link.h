// The printer link: the maker's library qvmonext.dll in the printer driver directory, the only
// way to the printer. Loaded once per settings context at the first look-up; every call looks up
// its entry point by name, so a missing one makes the caller skip the exchange.
#pragma once

#include "link/settings_block.h"

typedef DWORD(WINAPI* GetPrinterSettingsProc)(DWORD reserved, LPCWSTR printerName, LPBYTE buffer,
                                              DWORD size, DWORD* needed);
typedef DWORD(WINAPI* SetPrinterParameterProc)(DWORD reserved, LPCWSTR printerName, DWORD id,
                                               const LONG* values, DWORD valueCount,
                                               const BYTE* data, DWORD dataLength);
typedef DWORD(WINAPI* UpdatePrinterProc)(DWORD reserved, LPCWSTR printerName);
typedef DWORD(WINAPI* GetPrinterStatusProc)(DWORD reserved, LPCWSTR printerName, DWORD* status);
typedef DWORD(WINAPI* GetPrinterErrorTextProc)(DWORD reserved, DWORD code, LPWSTR text);
typedef DWORD(WINAPI* PrinterServiceProc)(HWND owner, LPCWSTR printerName, DWORD serviceCode);
typedef DWORD(WINAPI* LoadTableProc)(DWORD reserved, LPCWSTR printerName, LPCWSTR tablePath,
                                     DWORD slot);

// Looks up an entry point of the printer link, loading the library on first use; null when the
// library or the entry point is missing.
FARPROC FindPrinterLinkEntry(SettingsContext* context, const char* name);

template <class Proc> Proc FindPrinterLinkProc(SettingsContext* context, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(FindPrinterLinkEntry(context, name)));
}
