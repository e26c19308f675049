// The Advanced media and forms dialog: its frame and the custom media types.
#include "media/advanced_media_dialog.h"

#include "core/activation_context.h"
#include "core/module_state.h"
#include "media/advanced_forms.h"
#include "media/custom_media_types.h"
#include "media/media_type_dialog.h"
#include "pages/dialog_support.h"
#include "resources/resource.h"
#include "settings/printer_data_store.h"
#include "settings/ui_strings.h"

#include <strsafe.h>

namespace {

// The dot values a new custom media type is proposed with (those of copy paper).
constexpr LONG kProposedHighest = 16;
constexpr LONG kProposedLowest = 5;

// One dialog 113 is open at a time.
AdvancedDialogParam* g_param = nullptr;
SettingsContext* g_context = nullptr;
bool g_canManage = false;

int SelectedMedia(HWND dialog) {
    return ComboSelection(dialog, IDC_ADVANCED_MEDIA_TYPE);
}

// "&Remove" is offered for a custom media type, and only to a user who can manage the printer:
// for anyone else the removal could only fail.
void UpdateRemoveButton(HWND dialog, int position) {
    EnableControl(dialog, IDC_ADVANCED_REMOVE_MEDIA,
                  position >= kFirstCustomMediaPosition && g_canManage);
}

// Refills the media list from the store and selects the context's media type; a number the
// list does not show (270 included) selects "Default 1 (Braille Paper)" and becomes 268.
// Returns the number of entries.
int FillMediaList(HWND dialog) {
    int position = BuiltInMediaPosition(g_context->MediaType);
    int customCount = 0;
    {
        QuietList quiet(dialog, IDC_ADVANCED_MEDIA_TYPE);
        SendDlgItemMessageW(dialog, IDC_ADVANCED_MEDIA_TYPE, CB_RESETCONTENT, 0, 0);
        int matched = -1;
        customCount = AddMediaTypeEntries(dialog, IDC_ADVANCED_MEDIA_TYPE, g_context, &matched);
        if (g_context->MediaType == kMediaTypeCustom && matched >= 0) {
            position = matched;
        } else if (position < 0) {
            position = 0;
            g_context->MediaType = kMediaBraillePaper;
        }
        SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, position);
    }
    UpdateRemoveButton(dialog, position);
    return kBuiltInMediaCount + customCount;
}

void MarkChanged(HWND dialog, DWORD flag) {
    g_param->ChangeFlags |= flag;
    EnableApplyButton(dialog);
}

BOOL OnInitDialog(HWND dialog, AdvancedDialogParam* param) {
    g_param = param;
    g_context = param->Context;
    g_canManage = CanManagePrinter(g_context);
    FillMediaList(dialog);
    SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, param->MediaPosition);
    UpdateRemoveButton(dialog, SelectedMedia(dialog));
    EnableControls(dialog, {IDC_ADVANCED_ADD_MEDIA, IDC_ADVANCED_EDIT_MEDIA}, g_canManage);
    InitFormsHalf(dialog, param, g_canManage);
    SetAdvancedCaption(dialog, g_context, IDS_ADVANCED);
    EnableControl(dialog, IDC_APPLY_BUTTON, false);
    TranslateWithLocale(g_context, dialog);
    return TRUE;
}

void OnMediaChosen(HWND dialog) {
    int position = SelectedMedia(dialog);
    UpdateRemoveButton(dialog, position);
    g_param->MediaPosition = position;
    MarkChanged(dialog, kMediaChosen);
}

void OnAddMedia(HWND dialog) {
    AdvancedItemParam item = {};
    item.Context = g_context;
    item.IsCustom = TRUE;
    item.FirstValue = kProposedHighest;
    item.SecondValue = kProposedLowest;
    item.Mode = IDC_ADVANCED_ADD_MEDIA;
    WCHAR word[kNameChars];
    StringCchCopyW(word, kNameChars, GetUiString(g_context, IDS_CUSTOM_DEFINED));
    StringCchPrintfW(item.Name, kNameChars, TEXT("%ls %d"), word,
                     CountCustomMediaTypes(g_context) + 1);
    if (ShowMediaTypeDialog(dialog, &item) != IDOK)
        return;
    // A name the store already has, in any letter case, gets the new dot values.
    WriteMediaTypeDotValues(g_context->PrinterHandle, item.Name,
                            MakeDotValuePair(item.FirstValue, item.SecondValue));
    int last = FillMediaList(dialog) - 1;
    SelectComboItem(dialog, IDC_ADVANCED_MEDIA_TYPE, last);
    UpdateRemoveButton(dialog, last);
    g_param->MediaPosition = last;
    MarkChanged(dialog, kMediaChosen);
}

// Built-in media types are only shown; a custom one's new dot values are stored at once.
void OnEditMedia(HWND dialog) {
    int position = SelectedMedia(dialog);
    if (position < 0)
        return;
    AdvancedItemParam item = {};
    item.Context = g_context;
    item.IsCustom = position >= kFirstCustomMediaPosition;
    item.Mode = IDC_ADVANCED_EDIT_MEDIA;
    ComboItemText(dialog, IDC_ADVANCED_MEDIA_TYPE, position, item.Name, kNameChars);
    DWORD pair = 0;
    if (LookupDotValues(g_context->PrinterHandle, MediaTypeAt(position), item.Name,
                        g_context->DeviceMediaDotValues, &pair) != ERROR_SUCCESS)
        return; // a custom media type that has left the store meanwhile
    item.FirstValue = HighestDotValue(pair);
    item.SecondValue = LowestDotValue(pair);
    // The dialog hands back what its (read-only) name field holds; the list's name is the key.
    WCHAR name[kNameChars];
    StringCchCopyW(name, kNameChars, item.Name);
    if (ShowMediaTypeDialog(dialog, &item) != IDOK || !item.IsCustom)
        return;
    WriteMediaTypeDotValues(g_context->PrinterHandle, name,
                            MakeDotValuePair(item.FirstValue, item.SecondValue));
    EnableApplyButton(dialog);
}

int AskAboutRemoval(HWND dialog, UINT textId, UINT type) {
    return ShowStringMessage(dialog, g_context, textId, IDS_REMOVE_MEDIA_TITLE, type);
}

void OnRemoveMedia(HWND dialog) {
    int position = SelectedMedia(dialog);
    if (position < 0)
        return;
    if (position < kFirstCustomMediaPosition) {
        AskAboutRemoval(dialog, IDS_MEDIA_NOT_REMOVABLE, MB_ICONINFORMATION);
        return;
    }
    if (AskAboutRemoval(dialog, IDS_REMOVE_MEDIA_QUESTION, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    WCHAR name[kNameChars];
    ComboItemText(dialog, IDC_ADVANCED_MEDIA_TYPE, position, name, kNameChars);
    DeleteCustomMediaType(g_context, name);

    // The entry above the removed one becomes the media type: the previous custom type, or the
    // first built-in one when the first custom type went.
    int above = position - 1;
    if (above >= kFirstCustomMediaPosition) {
        g_context->MediaType = kMediaTypeCustom;
        ComboItemText(dialog, IDC_ADVANCED_MEDIA_TYPE, above, g_context->CustomMediaType,
                      kNameChars);
    } else {
        g_context->MediaType = MediaTypeAt(0);
    }
    FillMediaList(dialog);
    g_param->MediaPosition = SelectedMedia(dialog);
    g_param->ChangeFlags |= kMediaRemoved;
    // Also when the store kept the entry: the list shows what is there.
    EnableApplyButton(dialog);
}

BOOL OnCommand(HWND dialog, int id, int code) {
    if (id == IDC_ADVANCED_MEDIA_TYPE) {
        if (code == CBN_SELCHANGE)
            OnMediaChosen(dialog);
        return TRUE;
    }
    if (OnFormsCommand(dialog, id, code))
        return TRUE;
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_ADVANCED_ADD_MEDIA:
        OnAddMedia(dialog);
        return TRUE;
    case IDC_ADVANCED_EDIT_MEDIA:
        OnEditMedia(dialog);
        return TRUE;
    case IDC_ADVANCED_REMOVE_MEDIA:
        OnRemoveMedia(dialog);
        return TRUE;
    // Every change has reached the printer already: the frame buttons only close or confirm.
    case IDC_APPLY_BUTTON:
        ApplyButtonDone(dialog);
        return TRUE;
    case IDOK:
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK AdvancedMediaDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<AdvancedDialogParam*>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR ShowAdvancedMediaDialog(HWND owner, AdvancedDialogParam* param) {
    return ModuleDialogBoxParam(g_module, MAKEINTRESOURCEW(IDD_ADVANCED_MEDIA), owner,
                                AdvancedMediaDialogProc, reinterpret_cast<LPARAM>(param));
}
