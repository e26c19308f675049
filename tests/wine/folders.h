// The folders the Wine check programs work in, and whole-file reads and writes there.
#pragma once

#include <windows.h>

#include <string>

// The folder of this program's file, ending in a backslash. False when it does not fit in
// MAX_PATH characters.
bool ProgramFolder(WCHAR (&folder)[MAX_PATH]);

// The printer driver directory's version folder, "...\spool\drivers\x64\3\", where the spooler
// puts the driver's files and the plug-in looks for the printer link; empty when the spooler does
// not answer.
std::wstring DriverFolder();

// The file's bytes; empty when it cannot be opened. Other programs may go on writing it.
std::string ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::string& text);

// Copies `fileName` from `folder` (ending in a backslash) into the driver folder, as the
// installer puts the printer link there, and sets `copy` to the copy's path.
bool CopyIntoDriverFolder(LPCWSTR folder, LPCWSTR fileName, std::wstring* copy);
