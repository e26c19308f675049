// What a sheet loaded from "Config" or last stored there. An apply writes a value only when it
// differs: a value another program changed while the sheet was open stays as that program left
// it unless this person changed it too, and a print server is asked nothing for what did not
// change.
#pragma once

#include "settings/settings_context.h"

// Remembers `size` bytes as what "Config"\`name` holds; `name` is one of the plug-in's own
// value names, kept by pointer.
void RememberConfigValue(SettingsContext* context, LPCWSTR name, const void* data, DWORD size);
// Remembers a text up to its terminator, whether or not the terminator is stored.
void RememberConfigText(SettingsContext* context, LPCWSTR name, LPCWSTR text);

// The DWORD the sheet loaded or last stored; false when it knows none.
bool KnownConfigDword(SettingsContext* context, LPCWSTR name, DWORD* value);

// Writes the value (with the full-access retry) unless it is what the sheet loaded or last
// stored; remembers it once written. The platform's error code, 0 also when nothing was written.
DWORD StoreConfigDword(SettingsContext* context, LPCWSTR name, DWORD value);
// `chars` characters of the text are stored; whether they count the terminator is the caller's.
DWORD StoreConfigText(SettingsContext* context, LPCWSTR name, LPCWSTR text, DWORD chars);
DWORD StorePaperSize(SettingsContext* context, const LONG size[2]);
