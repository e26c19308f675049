// Option types of the device settings tree's items.
#include "device/option_types.h"

#include "resources/resource.h"
#include "settings/ui_strings.h"

#include <strsafe.h>

namespace {

// Edit boxes: parameter 0 carries the unit shown after the text, parameter 1's IconID the
// length of the text buffer. Up-downs: parameter 1 carries the range.
constexpr WORD kEditBoxParameters = 2;
constexpr WORD kUpDownParameters = 2;
constexpr WORD kPushButtonParameters = 1;

POPTTYPE NewItemType(const SettingsContext* context, OPTITEM* item, BYTE type, WORD count) {
    POPTTYPE optionType = NewOptionType(context->HostHeap, count);
    if (optionType != nullptr)
        optionType->Type = type;
    item->pOptType = optionType;
    return optionType;
}

} // namespace

POPTTYPE NewOptionType(HANDLE heap, WORD count) {
    auto* type = static_cast<POPTTYPE>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(OPTTYPE)));
    if (type == nullptr)
        return nullptr;
    auto* parameters =
        static_cast<POPTPARAM>(HeapAlloc(heap, HEAP_ZERO_MEMORY, count * sizeof(OPTPARAM)));
    if (parameters == nullptr) {
        HeapFree(heap, 0, type);
        return nullptr;
    }
    type->cbSize = sizeof(OPTTYPE);
    type->Count = count;
    type->pOptParam = parameters;
    for (WORD i = 0; i < count; ++i)
        parameters[i].cbSize = sizeof(OPTPARAM);
    return type;
}

LPWSTR HeapTextCopy(HANDLE heap, LPCWSTR text, int maxChars) {
    int length = 0;
    while (length < maxChars - 1 && text[length] != 0)
        ++length;
    auto* copy =
        static_cast<LPWSTR>(HeapAlloc(heap, HEAP_ZERO_MEMORY, (length + 1) * sizeof(WCHAR)));
    if (copy != nullptr)
        StringCchCopyNW(copy, length + 1, text, length);
    return copy;
}

void SetUpListBox(const SettingsContext* context, OPTITEM* item,
                  std::initializer_list<UINT> optionIds) {
    POPTTYPE type = NewItemType(context, item, TVOT_LISTBOX, static_cast<WORD>(optionIds.size()));
    if (type == nullptr)
        return;
    WORD index = 0;
    for (UINT id : optionIds)
        type->pOptParam[index++].pData = GetUiStringCopy(context, id);
}

void SetUpEditBox(const SettingsContext* context, OPTITEM* item, WCHAR* text) {
    item->pSel = text;
    POPTTYPE type = NewItemType(context, item, TVOT_EDITBOX, kEditBoxParameters);
    if (type == nullptr)
        return;
    type->pOptParam[0].pData = GetUiStringCopy(context, IDS_TREE_INCHES);
    type->pOptParam[1].IconID = kEditBoxChars;
}

void SetUpUpDown(const SettingsContext* context, OPTITEM* item, LONG lowest, LONG highest) {
    POPTTYPE type = NewItemType(context, item, TVOT_UDARROW, kUpDownParameters);
    if (type == nullptr)
        return;
    type->pOptParam[1].IconID = static_cast<ULONG_PTR>(lowest);
    type->pOptParam[1].lParam = highest;
}

void SetUpCallbackButton(const SettingsContext* context, OPTITEM* item, _CPSUICALLBACK callback) {
    POPTTYPE type = NewItemType(context, item, TVOT_PUSHBUTTON, kPushButtonParameters);
    if (type == nullptr)
        return;
    // The platform carries a callback button's function in the text field.
    type->pOptParam[0].Style = PUSHBUTTON_TYPE_CALLBACK;
    type->pOptParam[0].pData = reinterpret_cast<LPWSTR>(reinterpret_cast<void*>(callback));
}
