// Custom forms: user-defined forms added to the print server and marked in the printer's data
// under "Config\Forms", so that only forms added this way can be deleted again.
#pragma once

#include "settings/scoped_handles.h"
#include "settings/settings_context.h"

// Limits of a new form, inclusive, in micrometres: 2 to 12 inches wide, 2 to 50 inches long.
constexpr LONG kMinFormWidth = 50800;
constexpr LONG kMaxFormWidth = 304800;
constexpr LONG kMinFormHeight = 50800;
constexpr LONG kMaxFormHeight = 1270000;
// A new form's name: at most 31 characters, never empty.
constexpr int kMaxFormNameChars = 31;

inline bool IsValidFormSize(LONG width, LONG height) {
    return width >= kMinFormWidth && width <= kMaxFormWidth && height >= kMinFormHeight &&
           height <= kMaxFormHeight;
}

// One size in centimetres or inches with two decimals and its unit: "21.59 cm", "8.50 in".
void FormatFormDimension(LONG micrometres, bool metric, WCHAR* text, int chars);

// A typed size read as the leading decimal number (a trailing unit is ignored, no number
// reads as 0) in centimetres or inches, converted to micrometres and truncated toward zero.
LONG ParseFormDimension(LPCWSTR text, bool metric);

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
