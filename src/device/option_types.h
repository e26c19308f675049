// Option lists and item set-up for the device settings tree. Everything comes from the host's
// heap and stays there for the life of the property sheet; the plug-in never frees it.
//
// An allocation that fails leaves the item without that piece (no label, no option list, or an
// option without its text) rather than failing the tree: the host shows what there is, and every
// reader of the items copes with the missing parts.
#pragma once

#include "settings/settings_context.h"

#include <windows.h>
#include <compstui.h>

#include <initializer_list>

// The edit boxes' text buffer, in characters with the terminator.
constexpr ULONG_PTR kEditBoxChars = kDeviceTextChars;

// An option type with `count` zeroed parameters, both from `heap`, their cbSize and the type's
// Count set; null when either cannot be allocated (nothing is left behind then).
POPTTYPE NewOptionType(HANDLE heap, WORD count);

// A copy of at most `maxChars` - 1 characters of `text` in `heap`; null when out of memory.
LPWSTR HeapTextCopy(HANDLE heap, LPCWSTR text, int maxChars);

// A list box whose options are the (translated) texts of the string ids, in order.
void SetUpListBox(const SettingsContext* context, OPTITEM* item,
                  std::initializer_list<UINT> optionIds);

// An edit box showing `text` (a field of kEditBoxChars characters) in inches.
void SetUpEditBox(const SettingsContext* context, OPTITEM* item, WCHAR* text);

// An up-down arrow for values from `lowest` to `highest`.
void SetUpUpDown(const SettingsContext* context, OPTITEM* item, LONG lowest, LONG highest);

// A push button that runs `callback` when pressed.
void SetUpCallbackButton(const SettingsContext* context, OPTITEM* item, _CPSUICALLBACK callback);
