// A picture of part of the screen, as the person sees it.
#pragma once

#include <windows.h>

// Saves the screen's pixels under `bounds` as a 24-bit bottom-up bitmap file at `path`. False
// when the area is empty or the file could not be written.
bool SaveScreenArea(const RECT& bounds, LPCWSTR path);
