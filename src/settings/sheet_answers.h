// The spooler's answers that do not change while a sheet is open, asked once per sheet rather
// than once per page or dialog: on a print server every call is a network round trip. Each is
// held in the SettingsContext until the sheet ends, or until the sheet itself changes what it
// answers (a new default devmode, a form added or deleted).
#pragma once

#include "settings/settings_context.h"

#include <winspool.h>

// The printer's PRINTER_INFO_2W; null when it cannot be had (memory, or the spooler's failure).
const PRINTER_INFO_2W* SheetPrinterInfo(SettingsContext* context);
// The sheet stored a new default devmode: the next question reads the printer again.
void ForgetSheetPrinterInfo(SettingsContext* context);

// The server's forms as EnumFormsW lists them; none when the list could not be had.
const FORM_INFO_1W* SheetForms(SettingsContext* context, DWORD* count);

// The printer's paper names (64-character slots, as the capability query returns them) and
// their count; none for a printer without a default devmode.
const WCHAR* SheetPaperNames(SettingsContext* context, int* count);

// A form was added or deleted: the forms and the papers are asked again.
void ForgetSheetPapers(SettingsContext* context);

// Frees every answer; the context's release calls it.
void ForgetSheetAnswers(SettingsContext* context);
