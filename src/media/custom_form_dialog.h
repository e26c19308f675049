// The custom form dialog (134): a new form's name and size.
#pragma once

#include "media/advanced_media_dialog.h"

// Runs dialog 134 over dialog 113; with OK (1) the parameter holds the name (31 characters at
// most, never empty) and the width and height in micrometres, within the limits.
INT_PTR ShowCustomFormDialog(HWND owner, AdvancedItemParam* param);
