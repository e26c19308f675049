// The configuration module itself: its handle, and where the driver's other files lie.
#pragma once

#include <windows.h>

#include <vector>

// This module's handle, recorded when the loader attaches it.
HMODULE ConfigModuleHandle();

// The path of a file in the folder this module was loaded from (the printer driver's folder,
// where the spooler installed the plug-in beside us).
void DriverFilePath(LPCWSTR fileName, WCHAR* path, DWORD chars);

// The printer a call is about: the caller's handle, or one opened for use by name when the
// caller passed none (comdlg32's devmode calls do so).
class CallerPrinter {
public:
    CallerPrinter(HANDLE given, LPCWSTR name);
    ~CallerPrinter();
    CallerPrinter(const CallerPrinter&) = delete;
    CallerPrinter& operator=(const CallerPrinter&) = delete;

    HANDLE get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
    bool owned_ = false;
};

// The printer's default devmode as the spooler keeps it (public and private parts), empty when
// it has none.
std::vector<BYTE> ReadPrinterDefaultDevmode(HANDLE printer);
