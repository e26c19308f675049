// The image options dialog (dialog 103) behind the main page's "&More Options ...".
#pragma once

#include "settings/settings_context.h"

// Runs the dialog modally, owned by the main page; 1 after OK, 2 after Cancel.
INT_PTR ShowImageOptionsDialog(HWND owner, SettingsContext* context);

INT_PTR CALLBACK ImageOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
