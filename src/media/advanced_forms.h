// The forms half of the Advanced media and forms dialog (113): the printer's forms, the size of
// the selected one, and adding and deleting custom forms on the print server.
#pragma once

#include "media/advanced_media_dialog.h"

// Step of the dialog's initialisation: "&Metric" checked, the form list filled, no size shown.
void InitFormsHalf(HWND dialog, AdvancedDialogParam* param, bool canManage);

// Handles a command of the forms half; false when the control is not one of its own.
bool OnFormsCommand(HWND dialog, int id, int code);
