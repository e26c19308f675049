// The print spooler's records that the rule code reads.
#pragma once

#include <windows.h>

// --- The private devmode section, the settings block, printer data, locale answers and the
// printer information text.
typedef struct _PRINTER_ENUM_VALUESW {
    LPWSTR pValueName;
    DWORD cbValueName;
    DWORD dwType;
    LPBYTE pData;
    DWORD cbData;
} PRINTER_ENUM_VALUESW, *PPRINTER_ENUM_VALUESW;
