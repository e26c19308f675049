// Long lists in the printer's store: custom media types under "Config\MediaTypes" (a REG_DWORD
// of the highest and lowest dot values each, as the plug-in writes them) and user forms added
// as the plug-in adds them (AddFormW, then a marker under "Config\Forms").
#pragma once

#include <windows.h>

// Writes "Bench Media 1" ... "Bench Media <count>"; the number of custom media types afterwards,
// or -1 when a write failed.
int StoreCustomMediaTypes(HANDLE printer, int count);

// The forms the print server lists, or -1.
int CountForms(HANDLE printer);

// Adds "Bench Form 1" ... "Bench Form <count>" (those not there yet) with their markers; false
// when AddFormW failed.
bool AddBenchForms(HANDLE printer, int count);
