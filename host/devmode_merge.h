// The core driver's merge of a caller's public devmode fields into its own devmode.
#pragma once

#include <windows.h>

// Copies into `out` every public field that `in` marks in dmFields and that lies within
// `in`'s dmSize. The paper (size, length, width and form name) travels as one: when `in`
// names any of it, `out`'s own paper choice is replaced rather than mixed with it.
void MergePublicDevmode(DEVMODEW* out, const DEVMODEW* in);

// Whether a caller's devmode has a public part of a size the platform has used: from the oldest
// layout (ending before dmICMMethod) up to the current DEVMODEW.
bool IsReadableDevmode(const DEVMODEW* devmode);
