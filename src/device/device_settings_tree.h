// The embosser's own settings as an item tree in the printer's device page.
#pragma once

#include "core/oem_interface.h"
#include "settings/settings_context.h"

// The number of items the tree asks the host for.
constexpr DWORD kDeviceSettingsItemCount = 20;

// The items' UserItemID: what the tree's callback, its apply and the braille table flow key on.
enum DeviceItemId : BYTE {
    kLegacySettingsItem = 0,
    kBrailleDotsItem = 26,
    kDuplexItem = 27,
    kLineSpacingItem = 30,
    kTopMarginItem = 40,
    kLeftMarginItem = 41,
    kGraphicsModeItem = 42,
    kAutoWrapItem = 45,
    kFormSizeItem = 50,
    kFormWidthItem = 52,
    kFormLengthItem = 53,
    kMediaTypeItem = 54,
    kLowestForceItem = 56,
    kHighestForceItem = 57,
    kPaperSourceItem = 58,
    kBrailleTableItem = 60,
    kDotHeightItem = 61,
    kLoadTableItem = 74,
    kRightMarginItem = 76,
    kBrailleQualityItem = 206,
};

// The printer-properties case of CommonUIProp: the sizing call asks for the items and clears the
// published context; the filling call loads a context, publishes it and fills the items.
HRESULT BuildDeviceSettingsTree(POEMCUIPPARAM param);

// Fills the host's kDeviceSettingsItemCount items for a loaded context: the media list copy
// under "DsDriver", the callback registration, the items with their labels, options and values,
// and the current table slot.
void FillDeviceSettingsTree(POEMCUIPPARAM param, SettingsContext* context);

// The context published by the last filling call, handed to the device property sheets; the
// slot is empty afterwards.
SettingsContext* TakePublishedSettingsContext();

// The edit text field of the context that an edit-box item shows; null for other items.
WCHAR* DeviceTextField(SettingsContext* context, BYTE userItemId);
