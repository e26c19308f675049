// Custom forms: user-defined forms added to the print server and marked in the printer's data
// under "Config\Forms", so that only forms added this way can be deleted again.
#pragma once

#include "media/new_form.h"
#include "settings/scoped_handles.h"
#include "settings/settings_context.h"

// One size in centimetres or inches with two decimals and its unit: "21.59 cm", "8.50 in", or
// with the `separator` of the pages' language, "8,50 in".
void FormatFormDimension(LONG micrometres, bool metric, WCHAR separator, WCHAR* text, int chars);

// Shows a form's width and height, one per line, in an edit. With a name, the form is read from
// the print server and its size becomes `shownSize`; when it cannot be read nothing changes.
// Without a name, `shownSize` is shown again (in another unit).
void ShowFormSize(HWND edit, const SettingsContext* context, LPCWSTR formName, LONG shownSize[2],
                  bool metric);

// Whether the printer's data marks the form as one added here.
bool IsRecordedCustomForm(const SettingsContext* context, LPCWSTR formName);

// Adds a user form of that size to the print server through `printer` (opened with full
// access) and marks it in the printer's data. Returns 0 or the spooler's error
// (ERROR_FILE_EXISTS for a name the server already has). The handle is closed in either case.
DWORD AddCustomForm(LPCWSTR name, LONG width, LONG height, ScopedPrinter& printer);
