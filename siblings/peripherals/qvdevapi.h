// qvdevapi.dll, the peripherals library: the Tarvik's once-per-printer installation. The name in
// the .def file is the one the plug-in looks up; natively the tests register this function.
#pragma once

#include <windows.h>

// The version of the peripherals setup that "OutputVersion" records under the printer's "Config"
// key: the plug-in runs the installation for a printer until this value exists.
constexpr DWORD kPeripheralsOutputVersion = 0x00010000; // 1.0

extern "C" {
// Installs the Tarvik's peripherals for a printer named in the ANSI code page and records
// "OutputVersion". `mode` 5 is the silent installation the plug-in asks for; the window and the
// instance may be null. Returns 0 (ERROR_SUCCESS) or the error that stopped it: 87 for a missing
// name or another mode, the spooler's error when the printer cannot be opened or written.
DWORD WINAPI InstallTarvikPeripherals(HWND owner, HINSTANCE instance, LPCSTR printerName,
                                      DWORD mode);
}
