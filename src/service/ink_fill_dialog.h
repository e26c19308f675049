// The fill status of the ChromaPod's two ink cartridges (dialog 155), opened from the Service
// page; a changed cartridge's ink drop counter is reset here once the user confirms.
#pragma once

#include "settings/settings_context.h"

// Runs the dialog modally, owned by the page; IDOK or IDCANCEL.
INT_PTR ShowInkFillDialog(HWND owner, SettingsContext* context);

INT_PTR CALLBACK InkFillDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
