// Option items (OPTITEM) read as the common property sheet's tree view reads them: which items
// are shown and may be changed, which values a person may choose, and the text a row shows. The
// native tree driver and the Windows device page share these rules.
#pragma once

#include "core/oem_interface.h"

#include <stddef.h>

// The item's kind (a TVOT_ value), or kNoOptionType for an item without options (a header).
constexpr BYTE kNoOptionType = 0xFF;
BYTE OptionItemKind(const OPTITEM& item);

bool IsOptionItemShown(const OPTITEM& item);
// Shown, enabled, and of a kind a person can change here (list, combo, up-down, edit box, push
// button).
bool CanChangeOptionItem(const OPTITEM& item);

// The option a list or combo box item offers at `selection`: in range, neither hidden nor
// disabled.
bool IsOptionOffered(const OPTITEM& item, LONG selection);
// An up-down item's range, from its parameter 1 (IconID the lowest value, lParam the highest).
bool GetUpDownRange(const OPTITEM& item, LONG* lowest, LONG* highest);
bool IsUpDownValueInRange(const OPTITEM& item, LONG value);
// An edit box item's text buffer, in characters with the terminator (its parameter 1's IconID);
// 0 when the item has no buffer.
size_t EditBoxChars(const OPTITEM& item);
// The option text at `index`, or null.
LPCWSTR OptionText(const OPTITEM& item, LONG index);
// The unit an edit box or up-down shows after its value (parameter 0's text), or null.
LPCWSTR OptionItemUnit(const OPTITEM& item);

// The value a row shows after its label: a list's chosen option, an edit box's text or an
// up-down's number with its unit; empty for headers and push buttons.
void FormatOptionItemValue(const OPTITEM& item, WCHAR* text, size_t chars);
// The whole row: "Label: value", or the label alone when there is no value.
void FormatOptionItemRow(const OPTITEM& item, WCHAR* text, size_t chars);
