// Printer-ready data sent to a printer unchanged, as a "RAW" job.
#pragma once

#include "settings/settings_context.h"

// One document of one write. Returns 0 when every byte was written, else the spooler's error
// (ERROR_WRITE_FAULT when the spooler took fewer bytes than given).
DWORD SendRawPrintJob(LPCWSTR printerName, const void* bytes, DWORD byteCount);

// Prints the media type test pattern (the module's "RT_PRN" resource 133) on the context's
// printer. Without the resource nothing happens; the job's outcome is not reported.
void PrintMediaTypeTestPattern(const SettingsContext* context);
