// The device settings tree's callback: it marks user changes, loads the printer's settings into
// the items when the page becomes active, and sends the changed ones to the printer at apply.
#pragma once

#include "core/oem_interface.h"
#include "settings/settings_context.h"

// The OEMCUIPCallback of the tree; the context is the parameter block's pOEMUserData.
// CPSUICB_ACTION_OPTIF_CHANGED when it changed items the host must redraw, else
// CPSUICB_ACTION_NONE.
LONG APIENTRY DeviceTreeCallback(PCPSUICBPARAM callbackParam, POEMCUIPPARAM param);

// The selection a list-box or up-down item shows for the printer's state in the context; false
// for the other items (the form list included, which is matched by size).
bool DeviceItemSelection(const SettingsContext* context, BYTE userItemId, LONG* selection);

// The table slot (0 to 6) shown for the slot the printer reported: out-of-range reports are
// brought to the nearest slot.
DWORD ShownTableSlot(DWORD reported);

// Sets the item's shown value from the context by its UserItemID: selections, the inch texts of
// the edit boxes, and the paper matching the printer's form size. Other items are left alone.
void LoadItemFromContext(SettingsContext* context, OPTITEM* item);

// Walks the callback's items in order, stores and sends every value that differs from the
// context, then asks the printer link to update the printer when something changed.
void ApplyDeviceSettings(PCPSUICBPARAM callbackParam, SettingsContext* context);
