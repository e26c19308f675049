// What the session stored, written as "summary.txt" in the gallery folder: one
// "section<TAB>name<TAB>value" line per value, for the gallery page and the terminal.
#pragma once

#include <windows.h>

#include <vector>

// The printer data under "Config", the job devmode the application got back, the printer's
// default devmode and the values the virtual embosser keeps. False when the file was not written.
bool WriteStoredSummary(HANDLE printer, const std::vector<BYTE>& jobDevmode);
