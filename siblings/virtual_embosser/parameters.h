// What the embosser does with one parameter (DllExportSetPrinterParameter): each parameter id
// sets the state values its record carries, after checking them against the ranges of
// state_keys.cpp. A refused parameter leaves the state as it was.
#pragma once

#include "embosser_state.h"

// The most values and data bytes a parameter record carries.
constexpr DWORD kParameterValues = 4;
constexpr DWORD kParameterDataBytes = 176;

// 0, or the EmbosserError that refused the parameter.
DWORD ApplyParameter(EmbosserState* state, DWORD id, const LONG* values, DWORD valueCount,
                     const BYTE* data, DWORD dataLength);
