// The media type dialog: adding a custom media type, or showing and changing a media type's dot
// values.
#include "media/media_type_dialog.h"

#include "core/activation_context.h"
#include "core/module_state.h"
#include "media/raw_print_job.h"
#include "media/typed_dot_values.h"
#include "pages/dialog_support.h"
#include "resources/resource.h"
#include "settings/printer_data_store.h"
#include "settings/ui_strings.h"

#include <commctrl.h>

namespace {

constexpr int kDefaultHighest = 16;
constexpr int kDefaultLowest = 5;
constexpr int kReadChars = 260;

// One dialog 105 is open at a time.
AdvancedItemParam* g_param = nullptr;
SettingsContext* g_context = nullptr;

void InitUpDown(HWND dialog, int upDownId, int buddyId, int lowest, int highest, int position) {
    UDACCEL acceleration = {1, 1}; // after one second, steps of one
    SendDlgItemMessageW(dialog, upDownId, UDM_SETRANGE32, static_cast<WPARAM>(lowest),
                        static_cast<LPARAM>(highest));
    SendDlgItemMessageW(dialog, upDownId, UDM_SETPOS32, 0, static_cast<LPARAM>(position));
    SendDlgItemMessageW(dialog, upDownId, UDM_SETBASE, 10, 0);
    SendDlgItemMessageW(dialog, upDownId, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&acceleration));
    SendDlgItemMessageW(dialog, upDownId, UDM_SETBUDDY,
                        reinterpret_cast<WPARAM>(GetDlgItem(dialog, buddyId)), 0);
}

void SetUpDownPosition(HWND dialog, int upDownId, LONG position) {
    SendDlgItemMessageW(dialog, upDownId, UDM_SETPOS32, 0, static_cast<LPARAM>(position));
}

void SetReadOnly(HWND dialog, int editId) {
    SendDlgItemMessageW(dialog, editId, EM_SETREADONLY, TRUE, 0);
}

void SetCaption(HWND dialog, UINT textId) {
    SetWindowTextW(dialog, GetUiString(g_context, textId));
}

// A built-in media type's dot values are only shown.
bool ShowsBuiltInType() {
    return g_param->Mode == IDC_ADVANCED_EDIT_MEDIA && !g_param->IsCustom;
}

BOOL OnInitDialog(HWND dialog, AdvancedItemParam* param) {
    g_param = param;
    g_context = param->Context;
    InitUpDown(dialog, IDC_MEDIATYPE_HIGHEST_SPIN, IDC_MEDIATYPE_HIGHEST, kMinHighestDotValue,
               kMaxHighestDotValue, kDefaultHighest);
    InitUpDown(dialog, IDC_MEDIATYPE_LOWEST_SPIN, IDC_MEDIATYPE_LOWEST, kMinLowestDotValue,
               kMaxLowestDotValue, kDefaultLowest);
    if (param->Mode == IDC_ADVANCED_EDIT_MEDIA) {
        SetCaption(dialog, IDS_EDIT_TITLE);
        SetReadOnly(dialog, IDC_MEDIATYPE_NAME);
    } else {
        SetCaption(dialog, IDS_ADD_TITLE);
    }
    SetDlgItemTextW(dialog, IDC_MEDIATYPE_NAME, param->Name);
    SetUpDownPosition(dialog, IDC_MEDIATYPE_HIGHEST_SPIN, param->FirstValue);
    SetUpDownPosition(dialog, IDC_MEDIATYPE_LOWEST_SPIN, param->SecondValue);
    // A built-in media type's dot values are only shown.
    if (ShowsBuiltInType()) {
        SetReadOnly(dialog, IDC_MEDIATYPE_HIGHEST);
        SetReadOnly(dialog, IDC_MEDIATYPE_LOWEST);
        EnableControls(dialog, {IDC_MEDIATYPE_HIGHEST_SPIN, IDC_MEDIATYPE_LOWEST_SPIN}, false);
        // Some built-in types go beyond what the up-downs offer (braille paper's 30, card
        // stock's 32), and an up-down shows its limit instead: the edits show the true values.
        SetDlgItemInt(dialog, IDC_MEDIATYPE_HIGHEST, static_cast<UINT>(param->FirstValue), FALSE);
        SetDlgItemInt(dialog, IDC_MEDIATYPE_LOWEST, static_cast<UINT>(param->SecondValue), FALSE);
    }
    TranslateWithLocale(g_context, dialog);
    return TRUE;
}

void ReadEdit(HWND dialog, int editId, WCHAR* text) {
    text[0] = 0;
    GetDlgItemTextW(dialog, editId, text, kReadChars);
}

// Values outside their limits keep the dialog open without a word: the person corrects them.
// A built-in type is only shown, so OK simply closes, whatever its true values are.
void OnOk(HWND dialog) {
    if (ShowsBuiltInType()) {
        EndDialog(dialog, IDOK);
        return;
    }
    WCHAR highestText[kReadChars], lowestText[kReadChars];
    ReadEdit(dialog, IDC_MEDIATYPE_HIGHEST, highestText);
    ReadEdit(dialog, IDC_MEDIATYPE_LOWEST, lowestText);
    int highest = 0, lowest = 0;
    if (!ReadTypedDotValues(highestText, lowestText, &highest, &lowest))
        return;
    g_param->FirstValue = highest;
    g_param->SecondValue = lowest;
    g_param->Name[0] = 0;
    GetDlgItemTextW(dialog, IDC_MEDIATYPE_NAME, g_param->Name, kNameChars);
    EndDialog(dialog, IDOK);
}

BOOL OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
        OnOk(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_MEDIATYPE_TEST_PATTERN:
        PrintMediaTypeTestPattern(g_context);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK MediaTypeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<AdvancedItemParam*>(lParam));
    case WM_COMMAND:
        return HIWORD(wParam) == BN_CLICKED && OnCommand(dialog, LOWORD(wParam));
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR ShowMediaTypeDialog(HWND owner, AdvancedItemParam* param) {
    return ModuleDialogBoxParam(g_module, MAKEINTRESOURCEW(IDD_MEDIA_TYPE), owner,
                                MediaTypeDialogProc, reinterpret_cast<LPARAM>(param));
}
