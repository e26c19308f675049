// The print spooler's records that the rule code reads.
#pragma once

#include <windows.h>

// --- Chosen paths, paper-name lists, typed numbers and addresses, the locale catalogue parser
// and the embosser's state file.
typedef struct _FORM_INFO_1W {
    DWORD Flags;
    LPWSTR pName;
    SIZE Size;
    RECTL ImageableArea;
} FORM_INFO_1W;
