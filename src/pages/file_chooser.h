// The shared file chooser (the shell's file-open dialog) and the companion suite check.
#pragma once

#include <windows.h>
#include <commdlg.h>

// A FileOpenRequest is an OPENFILENAMEW of which hwndOwner, lpstrFilter (exactly two filter
// entries, double-NUL terminated), lpstrFile/nMaxFile and lpstrInitialDir are read. The chooser
// always requires that the file and its path exist. COM must be initialised on the thread.
typedef OPENFILENAMEW FileOpenRequest;

// True and the chosen path in the request's buffer, or false (also when cancelled).
bool ShowFileOpenDialog(FileOpenRequest* request);

// Fills a FileOpenRequest as every "Browse ..." of the plug-in does (this module, the first
// filter, existing files only) and runs the chooser: true and the chosen path in `file`, or
// false. `initialFolder` may be null.
bool ChooseFile(HWND owner, LPCWSTR filter, LPCWSTR initialFolder, WCHAR* file, DWORD fileChars);

// True when a "Tarvik Software Suite" of major version 8 or later is installed.
bool FindSuiteVersion();
