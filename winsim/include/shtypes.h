// winsim: shtypes.h -- shell types shared by the shell's interfaces.
#pragma once

#include "windef.h"

// One entry of a file dialog's file types: a display name and a pattern such as "*.dat".
typedef struct _COMDLG_FILTERSPEC {
    LPCWSTR pszName;
    LPCWSTR pszSpec;
} COMDLG_FILTERSPEC;

static_assert(sizeof(COMDLG_FILTERSPEC) == 16, "COMDLG_FILTERSPEC is two pointers");
