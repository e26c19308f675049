// The core driver's device page on Windows: the plug-in's option items (OEMCUIPPARAM's
// pOEMOptItems) drawn as a tree of labels with their current values, each editable in place,
// with the plug-in's OEMCUIPCallback called for the reasons the common property sheet uses
// (CPSUICB_REASON_SETACTIVE, _SEL_CHANGED, _PUSHBUTTON, _KILLACTIVE and _APPLYNOW). The system's
// common property sheet service draws such trees itself; Wine's does not, so the configuration
// module adds this page in its place.
#pragma once

#include "core/oem_interface.h"

#include <prsht.h>

struct DevicePageSetup {
    // The plug-in's items, their count, its callback and the callback's user data, as filled by
    // CommonUIProp(OEMCUIP_PRNPROP). Must outlive the page.
    OEMCUIPPARAM* treeParam;
    // The page's tab title; copied.
    LPCWSTR title;
    // The module that creates the page (the page's template is built in memory, so the module
    // needs no resources of its own).
    HINSTANCE instance;
};

// A property sheet page showing the items, for PropertySheetW or CPSFUNC_ADD_HPROPSHEETPAGE;
// null when it cannot be made. The page frees what it holds when the sheet destroys it (or
// when DestroyPropertySheetPage is called on a page never shown).
HPROPSHEETPAGE CreateDevicePage(const DevicePageSetup& setup);
