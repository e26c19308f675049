// Where a check program runs from.
#include "program_folder.h"

bool ProgramFolder(WCHAR (&folder)[MAX_PATH]) {
    DWORD length = GetModuleFileNameW(nullptr, folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    while (length > 0 && folder[length - 1] != TEXT('\\'))
        --length;
    folder[length] = 0;
    return true;
}
