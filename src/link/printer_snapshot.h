// The printer's own state, fetched through the printer link as one settings block and copied
// into the settings context; status texts; the ink counter reset.
#pragma once

#include "settings/settings_context.h"

// Fetches the settings block and copies it into the context; 1 on success, 0 with no field
// changed when the link, the entry point, the size or the memory is missing or the link fails.
int FetchPrinterSnapshot(SettingsContext* context);

// "<library text> (Code n)" or "(Code n)", in one module-wide buffer every call overwrites;
// empty when the library has no text entry point.
LPCWSTR PrinterErrorText(SettingsContext* context, DWORD code);

// Resets the ink drop counter of cartridge 0 or 1 after a cartridge change; the update's result.
DWORD ResetInkCartridgeCounter(SettingsContext* context, DWORD cartridge);
