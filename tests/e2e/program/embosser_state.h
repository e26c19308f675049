// What the virtual embosser (qvmonext.dll) remembers: its state file "qvmonext.state" beside the
// DLL in the printer driver's folder, one "[printer]" section of "key=value" lines.
#pragma once

#include <windows.h>

#include <string>

// The path of qvmonext.dll in the printer driver's folder.
std::wstring PrinterLinkPath();
bool PrinterLinkInstalled();

// The value of `key` in the printer's section of the state file; "" when the file, the section or
// the key is missing.
std::string EmbosserStateValue(LPCWSTR printerName, const char* key);
