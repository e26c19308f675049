// The emboss usage of the printer's two carriages and the choice of the primary carriage
// (dialog 141), opened from the Service page.
#pragma once

#include "settings/settings_context.h"

// Runs the dialog modally, owned by the page; IDOK or IDCANCEL.
INT_PTR ShowEmbossUsageDialog(HWND owner, SettingsContext* context);

INT_PTR CALLBACK EmbossUsageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
