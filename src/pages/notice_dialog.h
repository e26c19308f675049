// A Yes/No message with a "Do not show this message again." box (dialog 158).
#pragma once

#include "settings/settings_context.h"

// What the dialog is given; OptOutResult is set when it closes.
struct NoticeRequest {
    SettingsContext* Context;
    DWORD OptOutShowState; // show command for the opt-out box (5 = show)
    DWORD OptOutResult;    // the box's state when the dialog closed
    WCHAR Text[kNameChars];
};

// Runs the dialog owned by `owner`: 1 for Yes, 2 for No, what the platform returns when it
// cannot be shown.
INT_PTR NoticeDialog(HWND owner, NoticeRequest* request);

INT_PTR CALLBACK NoticeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
