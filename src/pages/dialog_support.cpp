// Helpers for pages and dialogs.
#include "pages/dialog_support.h"

#include "pages/known_controls.h"

#include "resources/resource.h"
#include "settings/ui_strings.h"

#include <prsht.h>
#include <strsafe.h>

bool IsChecked(HWND dialog, int id) {
    return SendMessageW(KnownControl(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool checked) {
    SendMessageW(KnownControl(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckRadio(HWND dialog, int first, int last, int id) {
    for (int each = first; each <= last; ++each)
        SetChecked(dialog, each, each == id);
}

// A control already in the state asked is left alone: under Wine each EnableWindow and
// ShowWindow asks the server, changed or not.
void EnableControl(HWND dialog, int id, bool enable) {
    HWND control = KnownControl(dialog, id);
    if (control != nullptr && (IsWindowEnabled(control) != FALSE) != enable)
        EnableWindow(control, enable ? TRUE : FALSE);
}

void EnableControls(HWND dialog, std::initializer_list<int> ids, bool enable) {
    for (int id : ids)
        EnableControl(dialog, id, enable);
}

void ShowControl(HWND dialog, int id, bool show) {
    HWND control = KnownControl(dialog, id);
    if (control != nullptr && ((GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0) != show)
        ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

void AddComboStrings(HWND dialog, int id, const SettingsContext* context,
                     std::initializer_list<UINT> stringIds) {
    HWND list = KnownControl(dialog, id);
    for (UINT stringId : stringIds)
        SendMessageW(list, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(GetUiString(context, stringId)));
}

QuietList::QuietList(HWND dialog, int id) : list_(KnownControl(dialog, id)) {
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
}

QuietList::~QuietList() {
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

int ComboSelection(HWND dialog, int id) {
    return static_cast<int>(SendMessageW(KnownControl(dialog, id), CB_GETCURSEL, 0, 0));
}

void SelectComboItem(HWND dialog, int id, int position) {
    SendMessageW(KnownControl(dialog, id), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

void NotifySheetChanged(HWND page) {
    SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

INT_PTR SetDialogResult(HWND dialog, LONG_PTR result) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

void SetAdvancedCaption(HWND dialog, const SettingsContext* context, UINT wordId) {
    WCHAR word[kNameChars];
    StringCchCopyW(word, kNameChars, GetUiString(context, wordId));
    WCHAR caption[kComposedChars];
    StringCchPrintfW(caption, kComposedChars, TEXT("%ls - %ls"), word, context->PrinterName);
    SetWindowTextW(dialog, caption);
}

int ShowStringMessage(HWND owner, const SettingsContext* context, UINT textId, UINT captionId,
                      UINT type) {
    WCHAR text[kComposedChars];
    StringCchCopyW(text, kComposedChars, GetUiString(context, textId));
    WCHAR caption[kNameChars];
    StringCchCopyW(caption, kNameChars, GetUiString(context, captionId));
    return MessageBoxW(owner, text, caption, type);
}

bool ConfirmResetToDefaults(HWND owner, const SettingsContext* context) {
    return ShowStringMessage(owner, context, IDS_RESET_DEFAULTS_QUESTION, IDS_RESET_DEFAULTS_TITLE,
                             MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void EnableApplyButton(HWND dialog) {
    EnableControl(dialog, IDC_APPLY_BUTTON, true);
}

void ApplyButtonDone(HWND dialog) {
    EnableControl(dialog, IDC_APPLY_BUTTON, false);
    SetFocus(GetDlgItem(dialog, IDOK));
}

bool IsApplyEnabled(HWND dialog) {
    return IsWindowEnabled(GetDlgItem(dialog, IDC_APPLY_BUTTON)) != FALSE;
}

bool HandleSavingFrameButton(HWND dialog, int id, void (*save)(HWND dialog)) {
    switch (id) {
    case IDC_APPLY_BUTTON:
        save(dialog);
        ApplyButtonDone(dialog);
        return true;
    case IDOK:
        if (IsApplyEnabled(dialog))
            save(dialog);
        EndDialog(dialog, IDOK);
        return true;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return true;
    default:
        return false;
    }
}
