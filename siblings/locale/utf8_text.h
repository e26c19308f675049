// Strict UTF-8 for the catalogues: a whole-file check and the decoding of one checked piece into
// UTF-16.
#pragma once

#include <windows.h>

// True when bytes[0..size) is well-formed UTF-8 without NUL characters: no stray continuation
// bytes, no truncated or overlong sequences, no surrogates, nothing above U+10FFFF.
bool IsCleanUtf8(const BYTE* bytes, SIZE_T size);

// Decodes bytes[0..size), which IsCleanUtf8 accepted, into `out`; returns the number of UTF-16
// units written, or -1 when they would not fit in `capacity` units (nothing is written past it).
int DecodeUtf8(const BYTE* bytes, SIZE_T size, WCHAR* out, int capacity);
