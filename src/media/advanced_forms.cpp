// The forms half of the Advanced media and forms dialog.
#include "media/advanced_forms.h"

#include "media/custom_form_dialog.h"
#include "media/custom_forms.h"
#include "media/form_queries.h"
#include "pages/dialog_support.h"
#include "resources/resource.h"
#include "settings/global_block.h"
#include "settings/printer_data_store.h"
#include "settings/ui_strings.h"

#include <strsafe.h>
#include <winspool.h>

namespace {

// The forms half of the one open dialog 113. The shown form size is that of the form last
// selected; a width of -1 means none has been shown yet.
AdvancedDialogParam* g_param = nullptr;
SettingsContext* g_context = nullptr;
LONG g_shownFormSize[2] = {-1, 0};

const std::initializer_list<int> kFormControls = {IDC_ADVANCED_FORMS, IDC_ADVANCED_ADD_FORM,
                                                  IDC_ADVANCED_DELETE_FORM, IDC_ADVANCED_METRIC,
                                                  IDC_ADVANCED_ENGLISH};

bool MetricChosen(HWND dialog) {
    return IsChecked(dialog, IDC_ADVANCED_METRIC);
}

int SelectedForm(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageW(dialog, IDC_ADVANCED_FORMS, LB_GETCURSEL, 0, 0));
}

// The text of a list entry; false when there is none or it does not fit.
bool FormNameAt(HWND dialog, int position, WCHAR* name, int chars) {
    LRESULT length = SendDlgItemMessageW(dialog, IDC_ADVANCED_FORMS, LB_GETTEXTLEN,
                                         static_cast<WPARAM>(position), 0);
    if (length == LB_ERR || length >= chars)
        return false;
    SendDlgItemMessageW(dialog, IDC_ADVANCED_FORMS, LB_GETTEXT, static_cast<WPARAM>(position),
                        reinterpret_cast<LPARAM>(name));
    return true;
}

void AddFormEntry(HWND dialog, LPCWSTR name) {
    SendDlgItemMessageW(dialog, IDC_ADVANCED_FORMS, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(name));
}

void FillFormList(HWND dialog, bool canManage) {
    SendDlgItemMessageW(dialog, IDC_ADVANCED_FORMS, LB_RESETCONTENT, 0, 0);
    int count = 0;
    const WCHAR* names = SheetPaperNames(g_context, &count);
    if (count <= 0)
        return; // the buttons keep their template state
    for (int i = 0; i < count; ++i) {
        WCHAR name[kFormNameChars];
        CopyPaperName(names, i, name);
        AddFormEntry(dialog, name);
    }
    EnableControl(dialog, IDC_ADVANCED_ADD_FORM, canManage);
    EnableControl(dialog, IDC_ADVANCED_DELETE_FORM, canManage && SelectedForm(dialog) >= 0);
}

// Only forms this dialog added (and so marked) may be deleted, by a user who can manage.
void OnFormChosen(HWND dialog) {
    int position = SelectedForm(dialog);
    WCHAR name[kNameChars];
    if (position < 0 || !FormNameAt(dialog, position, name, kNameChars))
        return;
    ShowFormSize(GetDlgItem(dialog, IDC_ADVANCED_FORM_SIZE), g_context, name, g_shownFormSize,
                 MetricChosen(dialog));
    EnableControl(dialog, IDC_ADVANCED_DELETE_FORM,
                  IsRecordedCustomForm(g_context, name) && CanManagePrinter(g_context));
}

void OnUnitChosen(HWND dialog) {
    if (g_shownFormSize[0] >= 1)
        ShowFormSize(GetDlgItem(dialog, IDC_ADVANCED_FORM_SIZE), g_context, nullptr,
                     g_shownFormSize, MetricChosen(dialog));
}

void OnAddForm(HWND dialog) {
    AdvancedItemParam item = {};
    item.Context = g_context;
    item.Mode = IDC_ADVANCED_ADD_FORM;
    item.Metric = MetricChosen(dialog);
    StringCchPrintfW(item.Name, kNameChars, TEXT("%ls"),
                     GetUiString(g_context, IDS_CUSTOM_DEFINED));
    if (ShowCustomFormDialog(dialog, &item) != IDOK)
        return;
    ScopedPrinter printer;
    DWORD result = OpenPrinterWithFullAccess(g_context->PrinterName, printer);
    if (result == ERROR_SUCCESS)
        result = AddCustomForm(item.Name, item.FirstValue, item.SecondValue, printer);
    if (result == ERROR_SUCCESS) {
        AddFormEntry(dialog, item.Name);
        EnableApplyButton(dialog);
        g_param->ChangeFlags |= kFormAdded;
        ForgetSheetPapers(g_context);
    } else if (result == ERROR_FILE_EXISTS) {
        ShowStringMessage(dialog, g_context, IDS_FORM_NAME_EXISTS, IDS_ADD_FORM_TITLE,
                          MB_ICONINFORMATION);
    }
    // Any other failure (no right, a server error) is not reported.
}

DWORD DeleteServerForm(LPCWSTR name) {
    ScopedPrinter printer;
    DWORD result = OpenPrinterWithFullAccess(g_context->PrinterName, printer);
    if (result == ERROR_SUCCESS && !DeleteFormW(printer.get(), const_cast<LPWSTR>(name)))
        result = GetLastError();
    return result;
}

// The form's marker stays in the printer's data: a form of the same name that reaches the
// server again later can be deleted here too.
void OnDeleteForm(HWND dialog) {
    int position = SelectedForm(dialog);
    if (position < 0) {
        EnableControl(dialog, IDC_ADVANCED_DELETE_FORM, false);
        return;
    }
    if (ShowStringMessage(dialog, g_context, IDS_DELETE_FORM_QUESTION, IDS_DELETE_FORM_TITLE,
                          MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    WCHAR name[kNameChars];
    if (FormNameAt(dialog, position, name, kNameChars) && DeleteServerForm(name) == ERROR_SUCCESS) {
        SendDlgItemMessageW(dialog, IDC_ADVANCED_FORMS, LB_DELETESTRING,
                            static_cast<WPARAM>(position), 0);
        EnableApplyButton(dialog);
        g_param->ChangeFlags |= kFormDeleted;
        ForgetSheetPapers(g_context);
    }
    EnableControl(dialog, IDC_ADVANCED_DELETE_FORM, false);
}

} // namespace

void InitFormsHalf(HWND dialog, AdvancedDialogParam* param, bool canManage) {
    g_param = param;
    g_context = param->Context;
    g_shownFormSize[0] = -1;
    g_shownFormSize[1] = 0;
    CheckRadio(dialog, IDC_ADVANCED_METRIC, IDC_ADVANCED_ENGLISH, IDC_ADVANCED_METRIC);
    FillFormList(dialog, canManage);
}

bool OnFormsCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_ADVANCED_FORMS:
        if (code == LBN_SELCHANGE)
            OnFormChosen(dialog);
        return true;
    case IDC_ADVANCED_METRIC:
    case IDC_ADVANCED_ENGLISH:
        if (code == BN_CLICKED)
            OnUnitChosen(dialog);
        return true;
    case IDC_ADVANCED_ADD_FORM:
        if (code == BN_CLICKED)
            OnAddForm(dialog);
        return true;
    case IDC_ADVANCED_DELETE_FORM:
        if (code == BN_CLICKED)
            OnDeleteForm(dialog);
        return true;
    case IDC_ADVANCED_FORM_SIZE:
        return true; // the read-only size display
    default:
        return false;
    }
}
