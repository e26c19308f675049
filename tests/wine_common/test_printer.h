// A Tarvik printer on the spooler, so that the core-driver stand-in can open its printing
// preferences as Windows opens them. Its driver's configuration module is qvdrvui.dll (built next
// to this program) and the plug-in is one of the driver's files, as in a real installation.
#pragma once

#include <windows.h>

#include <string>

extern const WCHAR kTestPrinterName[];
extern const WCHAR kTestDriverName[];

// Copies qvdrvui.dll and the plug-in from `folder` (ending in a backslash) into the printer driver
// directory, adds the driver and a printer on port "FILE:" (replacing one of the same name left
// from an earlier run). True when the printer exists.
bool InstallTestPrinter(LPCWSTR folder);
void RemoveTestPrinter();

// A value of the printer's "Config" key as the spooler returns it.
struct ConfigValue {
    DWORD error = 0;
    DWORD type = 0;
    DWORD size = 0;
    BYTE data[1024] = {};
};
ConfigValue ReadConfigValue(HANDLE printer, LPCWSTR name);
// "REG_DWORD 268", "REG_SZ \"text\"", "REG_BINARY 210000 x 297000" or "missing (error 2)".
std::string DescribeConfigValue(const ConfigValue& value);
