// What the plug-in takes of a path chosen in the shell's file-open dialog: the whole path or
// nothing, never a cut one, which would name another file.
#pragma once

#include <windows.h>

// Copies `chosen` into `buffer` when it fits there whole with its terminator and returns true;
// otherwise returns false and leaves the buffer as it was.
bool TakeChosenPath(LPCWSTR chosen, WCHAR* buffer, DWORD bufferChars);

// The file name part of a path: what follows its last backslash, or the whole path when it has
// none.
LPCWSTR FileNamePart(LPCWSTR path);
