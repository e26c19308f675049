// What a person sees of and may do with a plug-in's option items.
#include "option_items.h"

#include <strsafe.h>

namespace {

// Edit boxes keep their buffer length, and up-downs their range, in parameter 1; parameter 0
// holds the unit text of both.
constexpr WORD kUnitParameter = 0;
constexpr WORD kRangeParameter = 1;

const OPTPARAM* Parameter(const OPTITEM& item, WORD index) {
    const OPTTYPE* type = item.pOptType;
    if (type == nullptr || type->pOptParam == nullptr || index >= type->Count)
        return nullptr;
    return &type->pOptParam[index];
}

bool IsListKind(BYTE kind) {
    return kind == TVOT_LISTBOX || kind == TVOT_COMBOBOX;
}

} // namespace

BYTE OptionItemKind(const OPTITEM& item) {
    return item.pOptType != nullptr ? item.pOptType->Type : kNoOptionType;
}

bool IsOptionItemShown(const OPTITEM& item) {
    return !(item.Flags & OPTIF_HIDE);
}

bool CanChangeOptionItem(const OPTITEM& item) {
    if (!IsOptionItemShown(item) || (item.Flags & OPTIF_DISABLED))
        return false;
    switch (OptionItemKind(item)) {
    case TVOT_LISTBOX:
    case TVOT_COMBOBOX:
    case TVOT_UDARROW:
    case TVOT_EDITBOX:
    case TVOT_PUSHBUTTON:
        return true;
    default:
        return false;
    }
}

bool IsOptionOffered(const OPTITEM& item, LONG selection) {
    if (!IsListKind(OptionItemKind(item)) || selection < 0 || selection > 0xFFFF)
        return false;
    const OPTPARAM* option = Parameter(item, static_cast<WORD>(selection));
    return option != nullptr && !(option->Flags & (OPTPF_HIDE | OPTPF_DISABLED));
}

bool GetUpDownRange(const OPTITEM& item, LONG* lowest, LONG* highest) {
    const OPTPARAM* range = Parameter(item, kRangeParameter);
    if (OptionItemKind(item) != TVOT_UDARROW || range == nullptr)
        return false;
    *lowest = static_cast<LONG>(range->IconID);
    *highest = static_cast<LONG>(range->lParam);
    return true;
}

bool IsUpDownValueInRange(const OPTITEM& item, LONG value) {
    LONG lowest = 0, highest = 0;
    return GetUpDownRange(item, &lowest, &highest) && value >= lowest && value <= highest;
}

size_t EditBoxChars(const OPTITEM& item) {
    const OPTPARAM* length = Parameter(item, kRangeParameter);
    if (OptionItemKind(item) != TVOT_EDITBOX || length == nullptr || item.pSel == nullptr)
        return 0;
    return static_cast<size_t>(length->IconID);
}

LPCWSTR OptionText(const OPTITEM& item, LONG index) {
    if (index < 0 || index > 0xFFFF)
        return nullptr;
    const OPTPARAM* option = Parameter(item, static_cast<WORD>(index));
    return option != nullptr ? option->pData : nullptr;
}

LPCWSTR OptionItemUnit(const OPTITEM& item) {
    BYTE kind = OptionItemKind(item);
    if (kind != TVOT_EDITBOX && kind != TVOT_UDARROW)
        return nullptr;
    const OPTPARAM* unit = Parameter(item, kUnitParameter);
    return unit != nullptr && unit->pData != nullptr && unit->pData[0] != 0 ? unit->pData : nullptr;
}

void FormatOptionItemValue(const OPTITEM& item, WCHAR* text, size_t chars) {
    if (chars == 0)
        return;
    text[0] = 0;
    WCHAR number[16];
    LPCWSTR value = nullptr;
    switch (OptionItemKind(item)) {
    case TVOT_LISTBOX:
    case TVOT_COMBOBOX:
        value = OptionText(item, item.Sel);
        break;
    case TVOT_EDITBOX:
        // An edit box's text may fill its buffer without a terminator; show what the buffer
        // holds.
        if (item.pSel != nullptr && EditBoxChars(item) > 0) {
            StringCchCopyNW(text, chars, item.pSel, EditBoxChars(item));
            value = text;
        }
        break;
    case TVOT_UDARROW:
        StringCchPrintfW(number, ARRAYSIZE(number), TEXT("%d"), static_cast<int>(item.Sel));
        value = number;
        break;
    default:
        break;
    }
    if (value == nullptr)
        return;
    if (value != text)
        StringCchCopyW(text, chars, value);
    LPCWSTR unit = OptionItemUnit(item);
    if (unit != nullptr && text[0] != 0) {
        StringCchCatW(text, chars, TEXT(" "));
        StringCchCatW(text, chars, unit);
    }
}

void FormatOptionItemRow(const OPTITEM& item, WCHAR* text, size_t chars) {
    if (chars == 0)
        return;
    WCHAR value[260];
    FormatOptionItemValue(item, value, ARRAYSIZE(value));
    LPCWSTR label = item.pName != nullptr ? item.pName : TEXT("");
    if (value[0] != 0)
        StringCchPrintfW(text, chars, TEXT("%ls: %ls"), label, value);
    else
        StringCchCopyW(text, chars, label);
}
