// The "Advanced" dialog of the layout page (dialog 112): the rotated landscape choice.
#pragma once

#include "settings/settings_context.h"

// Runs the dialog modally, owned by the page; 1 after OK, 2 after Cancel.
INT_PTR ShowRotatedLandscapeDialog(HWND owner, SettingsContext* context);

INT_PTR CALLBACK RotatedLandscapeDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam);
