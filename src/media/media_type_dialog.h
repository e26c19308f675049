// The media type dialog (105): a custom media type's name and its highest and lowest dot value,
// added or edited, and the test-pattern print.
#pragma once

#include "media/advanced_media_dialog.h"

// Runs dialog 105 over dialog 113; with OK (1) the parameter holds the name and dot values.
INT_PTR ShowMediaTypeDialog(HWND owner, AdvancedItemParam* param);
