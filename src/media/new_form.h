// A new form as a person types it in the custom form dialog: its width and height in centimetres
// or inches, within the limits, and its name.
#pragma once

#include <windows.h>

// Limits of a new form, inclusive, in micrometres: 2 to 12 inches wide, 2 to 50 inches long.
constexpr LONG kMinFormWidth = 50800;
constexpr LONG kMaxFormWidth = 304800;
constexpr LONG kMinFormHeight = 50800;
constexpr LONG kMaxFormHeight = 1270000;
// A new form's name: at most 31 characters, never empty.
constexpr int kMaxFormNameChars = 31;

bool IsValidFormSize(LONG width, LONG height);

// A typed size read as the leading decimal number, with "." or "," before its decimals (a
// trailing unit is ignored, no number reads as 0) in centimetres or inches, converted to
// micrometres and truncated toward zero. Numbers beyond the 32-bit range saturate, and what is no
// number at all reads as 0.
LONG ParseFormDimension(LPCWSTR text, bool metric);

// Cuts a typed name (a buffer of more than 31 characters) after 31 characters; false when it is
// empty.
bool CutFormName(WCHAR* name);
