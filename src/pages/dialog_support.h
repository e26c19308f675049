// Small helpers every page and dialog uses for its controls.
#pragma once

#include "settings/settings_context.h"

#include <windows.h>

#include <initializer_list>

bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);
// Checks radio button `id` and clears every other from `first` to `last`, as CheckRadioButton does.
void CheckRadio(HWND dialog, int first, int last, int id);
void EnableControl(HWND dialog, int id, bool enable);
void EnableControls(HWND dialog, std::initializer_list<int> ids, bool enable);
void ShowControl(HWND dialog, int id, bool show);

// Adds the texts of string ids to a drop-down list, in order.
void AddComboStrings(HWND dialog, int id, const SettingsContext* context,
                     std::initializer_list<UINT> stringIds);
// A list that does not redraw while it lives: filled and selected quietly, then redrawn once.
// Each item added to a list that redraws updates its scroll bar (a round trip to Wine's server).
// Make it while the list is shown: it ends with redrawing switched on again.
class QuietList {
public:
    QuietList(HWND dialog, int id);
    ~QuietList();
    QuietList(const QuietList&) = delete;
    QuietList& operator=(const QuietList&) = delete;

private:
    HWND list_;
};

// The selected position, or CB_ERR.
int ComboSelection(HWND dialog, int id);
void SelectComboItem(HWND dialog, int id, int position);

// Tells the sheet (the page's parent) that the page has changes, which enables Apply.
void NotifySheetChanged(HWND page);

// Sets a notification's result and reports the message handled.
INT_PTR SetDialogResult(HWND dialog, LONG_PTR result);

// "<word> - <printer name>" as the caption of an "Advanced" style dialog.
void SetAdvancedCaption(HWND dialog, const SettingsContext* context, UINT wordId);

// Asks "Reset settings to default values?" under "Reset To Default"; true for Yes.
bool ConfirmResetToDefaults(HWND owner, const SettingsContext* context);

// A message box with texts from the string table; the platform's answer.
int ShowStringMessage(HWND owner, const SettingsContext* context, UINT textId, UINT captionId,
                      UINT type);

// The dialog's Apply button (id 3): enable it, or disable it and give "&OK" the focus.
void EnableApplyButton(HWND dialog);
void ApplyButtonDone(HWND dialog);
bool IsApplyEnabled(HWND dialog);

// The frame buttons of a dialog that saves its own values: "&Apply" saves and disables itself,
// "&OK" saves while "&Apply" is enabled and closes with IDOK, "&Cancel" closes with IDCANCEL.
// False for any other id.
bool HandleSavingFrameButton(HWND dialog, int id, void (*save)(HWND dialog));
