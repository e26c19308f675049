// What the plug-in reads from the printer link's answers: the settings block's records copied
// into the settings context, and the status text composed from the link's error text.
#pragma once

#include "settings/settings_context.h"

// The printer error text buffer the library writes into, in characters.
constexpr int kPrinterErrorTextChars = 4096;

// Copies the records of a settings block of `size` bytes into the context: as many as the
// header's count says and the block really holds, each text cut to what its record holds.
void ApplySettingsBlock(SettingsContext* context, const BYTE* block, DWORD size);

// "<text> (Code n)" when the library answered a text (`answered`, the text read no further than
// the library's buffer), else "(Code n)"; `out` holds kPrinterErrorTextChars characters.
void FormatPrinterErrorText(WCHAR* out, const WCHAR (&text)[kPrinterErrorTextChars], bool answered,
                            DWORD code);
