// Where a check program runs from: the libraries it loads are built next to it.
#pragma once

#include <windows.h>

// The folder of this program's file, ending in a backslash. False when it does not fit in
// MAX_PATH characters.
bool ProgramFolder(WCHAR (&folder)[MAX_PATH]);
