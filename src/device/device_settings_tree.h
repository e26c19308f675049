// The embosser's own settings as an item tree in the printer's device page.
#pragma once

#include "core/oem_interface.h"
#include "settings/settings_context.h"

// The number of items the tree asks the host for.
constexpr DWORD kDeviceSettingsItemCount = 20;

// The printer-properties case of CommonUIProp: the sizing call asks for the items and clears the
// published context; the filling call loads a context, publishes it and fills the items.
HRESULT BuildDeviceSettingsTree(POEMCUIPPARAM param);

// The context published by the last filling call, handed to the device property sheets; the
// slot is empty afterwards.
SettingsContext* TakePublishedSettingsContext();
