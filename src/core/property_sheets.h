// The plug-in's property pages: the three document pages of the printing preferences and the
// Service page of the printer's properties, added through the host's page function.
#pragma once

#include "core/oem_interface.h"

#include <prsht.h>

HRESULT AddDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam);
HRESULT AddDevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam);

// The callback of every page: a page is created only when it was given its settings context.
UINT CALLBACK PageCreationCheck(HWND window, UINT message, LPPROPSHEETPAGEW page);
