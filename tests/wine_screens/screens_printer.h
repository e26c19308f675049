// A Tarvik printer on Wine's spooler for the screenshot program: its configuration module is
// screensui.dll and the plug-in one of the driver's files, as in a real installation.
#pragma once

#include <windows.h>

extern const WCHAR kScreensPrinterName[];

// Copies screensui.dll and qvembui.dll from `folder` (ending in a backslash) into the printer
// driver directory and adds the driver and the printer; false with a message when it cannot.
bool InstallScreensPrinter(LPCWSTR folder);
void RemoveScreensPrinter();
