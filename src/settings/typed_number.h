// Numbers with decimals as a person reads and types them: "8.50" in English, "8,50" in German.
#pragma once

#include <windows.h>

// The longest text read with a comma for its decimal point; every edit that takes a distance is
// shorter.
constexpr int kTypedNumberChars = 260;

// The leading decimal number of a typed text, as _wtof reads it, with "," taken as the decimal
// point as well as "." ("8,50" is 8.5), whatever language the pages are shown in. A text with a
// comma is read no further than kTypedNumberChars - 1 characters.
double ReadTypedNumber(LPCWSTR text);

// `value` with two decimals and `separator` as its decimal point: "8.50" or "8,50".
void FormatTwoDecimals(WCHAR* text, int chars, double value, WCHAR separator);
