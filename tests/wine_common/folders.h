// The folders the Wine check programs work in, and whole-file reads and writes there.
#pragma once

#include <windows.h>

#include <string>

// The folder of this program's file, ending in a backslash. False when it does not fit in
// MAX_PATH characters.
bool ProgramFolder(WCHAR (&folder)[MAX_PATH]);

// The printer driver directory, "...\spool\drivers\x64\", where a driver's files must be before
// the spooler adds the driver; empty when the spooler does not answer.
std::wstring PrinterDriverDirectory();
// Its version folder, "...\x64\3\", where the spooler puts the driver's files and the plug-in
// looks for the printer link; empty when the spooler does not answer.
std::wstring DriverFolder();

// The file's bytes; empty when it cannot be opened. Other programs may go on writing it.
std::string ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::string& text);

// Copies `fileName` from the folder `from` into the folder `to` (both ending in a backslash) and
// sets `copy` to the copy's path.
bool CopyFileInto(LPCWSTR from, const std::wstring& to, LPCWSTR fileName, std::wstring* copy);
