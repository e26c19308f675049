// winsim: the C runtime's wide-character functions the plug-in uses on Windows, where wchar_t is
// UTF-16. They take WCHAR (char16_t) here; the C library's wcs* functions work on 32-bit wchar_t
// on Linux and must not be used with WCHAR text.
#pragma once

#include "windef.h"

// Leading blanks, an optional sign, decimal digits; anything else ends the number. No digits
// gives 0; a value out of range gives INT_MAX or INT_MIN (LONG_MAX/LONG_MIN for _wtol).
int _wtoi(const WCHAR* str);
LONG _wtol(const WCHAR* str);
// Leading blanks, an optional sign, digits with an optional '.', an optional exponent; the
// rest of the text is ignored ("11.5 in" gives 11.5). No number gives 0.0.
double _wtof(const WCHAR* str);
