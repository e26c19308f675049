// The media types both media lists show: five built-in braille and paper media, then the
// printer's custom media types from "Config\MediaTypes" in the order the registry keeps them.
#pragma once

#include "settings/settings_context.h"

#include <windows.h>

// Media type numbers (all driver-defined, at or above DMMEDIA_USER).
constexpr DWORD kMediaPrinterSetting = 256;
constexpr DWORD kMediaBraillePaper = 268;
constexpr DWORD kMediaLightBraillePaper = 269;
constexpr DWORD kMediaCopyPaper = 258;
constexpr DWORD kMediaPremiumCopyPaper = 259;
constexpr DWORD kMediaCardStock = 267;
constexpr int kBuiltInMediaCount = 5;

// The built-in media type at a position of the built-in block (0 to 4).
DWORD BuiltInMediaType(int position);

// The position of a built-in media type in the built-in block, or -1. 270 ("Default 6
// (Synthetic)") has dot values of its own but no list entry: it counts as unlisted here, so a
// stored 270 is shown like any other number the lists do not know.
int BuiltInMediaPosition(DWORD mediaType);

// Appends the built-in entries and the custom media types to a drop-down list, without item
// data (Wine sends the list's owner a WM_DELETEITEM for every entry with data when the list goes:
// 500 custom types took 35 ms more to close); MediaTypeAt tells an entry's number.
// `matchedPosition` receives the list position of the last custom name equal to `CustomMediaType`
// ignoring case, or -1. Returns the custom names added.
int AddMediaTypeEntries(HWND dialog, int listId, const SettingsContext* context,
                        int* matchedPosition);

// The number of custom media types in the store.
int CountCustomMediaTypes(const SettingsContext* context);

// Deletes a custom media type, again through a full-access handle when the host's handle may
// not; the outcome is not reported.
void DeleteCustomMediaType(const SettingsContext* context, LPCWSTR name);

// The media type number of an entry of those lists, counted from the first built-in entry: the
// built-in type's own, or 286 for a custom one.
DWORD MediaTypeAt(int position);

// The text of a drop-down list entry; empty when the entry does not fit `chars` characters.
void ComboItemText(HWND dialog, int listId, int position, WCHAR* text, int chars);
