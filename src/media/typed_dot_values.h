// The dot values a person types for a custom media type.
#pragma once

#include <windows.h>

// Reads the highest and the lowest dot value as typed, each as its leading decimal digits of
// which only the low eight bits count. True, with both, when the highest is 2 to 26, the lowest
// at most 24 and the highest at least 2 above it; false keeps the dialog open.
bool ReadTypedDotValues(LPCWSTR highestText, LPCWSTR lowestText, int* highest, int* lowest);
