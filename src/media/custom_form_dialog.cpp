// The custom form dialog: name, unit and size of a form to add to the print server.
#include "media/custom_form_dialog.h"

#include "core/activation_context.h"
#include "core/module_state.h"
#include "media/custom_forms.h"
#include "pages/dialog_support.h"
#include "resources/resource.h"
#include "settings/ui_strings.h"

#include <strsafe.h>

namespace {

// The size a new form is proposed with: a little over 2 inches square.
constexpr LONG kProposedFormSide = 50900;
constexpr int kReadChars = 260;
constexpr int kDimensionChars = 64;

// One dialog 134 is open at a time. The size is the one taken when an edit was last left.
AdvancedItemParam* g_param = nullptr;
SettingsContext* g_context = nullptr;
LONG g_width = 0;
LONG g_height = 0;

bool MetricChosen(HWND dialog) {
    return IsChecked(dialog, IDC_FORM_METRIC);
}

void ShowDimension(HWND dialog, int editId, LONG micrometres) {
    WCHAR text[kDimensionChars];
    FormatFormDimension(micrometres, MetricChosen(dialog), DecimalSeparator(g_context), text,
                        kDimensionChars);
    SetDlgItemTextW(dialog, editId, text);
}

void ShowStoredSize(HWND dialog) {
    ShowDimension(dialog, IDC_FORM_WIDTH, g_width);
    ShowDimension(dialog, IDC_FORM_HEIGHT, g_height);
}

LONG ReadDimension(HWND dialog, int editId) {
    WCHAR text[kReadChars] = {};
    GetDlgItemTextW(dialog, editId, text, kReadChars);
    return ParseFormDimension(text, MetricChosen(dialog));
}

LONG& StoredDimension(int editId) {
    return editId == IDC_FORM_WIDTH ? g_width : g_height;
}

BOOL OnInitDialog(HWND dialog, AdvancedItemParam* param) {
    g_param = param;
    g_context = param->Context;
    CheckRadio(dialog, IDC_FORM_METRIC, IDC_FORM_ENGLISH,
                     param->Metric ? IDC_FORM_METRIC : IDC_FORM_ENGLISH);
    if (param->Mode == IDC_ADVANCED_ADD_FORM) {
        SetWindowTextW(dialog, GetUiString(g_context, IDS_ADD_FORM_TITLE));
        SetDlgItemTextW(dialog, IDC_FORM_NAME, param->Name);
        g_width = kProposedFormSide;
        g_height = kProposedFormSide;
        ShowStoredSize(dialog);
    }
    TranslateWithLocale(g_context, dialog);
    return TRUE;
}

// Leaving a size edit takes its value and shows it back in the chosen unit.
void OnDimensionLeft(HWND dialog, int editId) {
    StoredDimension(editId) = ReadDimension(dialog, editId);
    ShowDimension(dialog, editId, StoredDimension(editId));
}

// While typing, "&OK" tells whether the size shown would be accepted.
void OnDimensionChanged(HWND dialog) {
    EnableControl(dialog, IDOK,
                  IsValidFormSize(ReadDimension(dialog, IDC_FORM_WIDTH),
                                  ReadDimension(dialog, IDC_FORM_HEIGHT)));
}

// Both edits are read afresh, so a size typed and confirmed with Enter, without leaving its
// edit, counts as well. A size outside the limits or an empty name keeps the dialog open.
void OnOk(HWND dialog) {
    g_width = ReadDimension(dialog, IDC_FORM_WIDTH);
    g_height = ReadDimension(dialog, IDC_FORM_HEIGHT);
    if (!IsValidFormSize(g_width, g_height))
        return;
    WCHAR name[kReadChars] = {};
    GetDlgItemTextW(dialog, IDC_FORM_NAME, name, kReadChars);
    if (!CutFormName(name))
        return;
    StringCchCopyW(g_param->Name, kNameChars, name);
    g_param->FirstValue = g_width;
    g_param->SecondValue = g_height;
    EndDialog(dialog, IDOK);
}

BOOL OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_FORM_WIDTH:
    case IDC_FORM_HEIGHT:
        if (code == EN_KILLFOCUS)
            OnDimensionLeft(dialog, id);
        else if (code == EN_CHANGE)
            OnDimensionChanged(dialog);
        return TRUE;
    case IDC_FORM_METRIC:
    case IDC_FORM_ENGLISH:
        if (code == BN_CLICKED)
            ShowStoredSize(dialog);
        return TRUE;
    case IDOK:
        OnOk(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK CustomFormDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<AdvancedItemParam*>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR ShowCustomFormDialog(HWND owner, AdvancedItemParam* param) {
    return ModuleDialogBoxParam(g_module, MAKEINTRESOURCEW(IDD_CUSTOM_FORM), owner,
                                CustomFormDialogProc, reinterpret_cast<LPARAM>(param));
}
