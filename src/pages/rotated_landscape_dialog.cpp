// The rotated landscape dialog: the only place "LandscapeMode" is written.
#include "pages/rotated_landscape_dialog.h"

#include "core/activation_context.h"
#include "core/module_state.h"
#include "pages/dialog_support.h"
#include "resources/resource.h"
#include "settings/known_config.h"
#include "settings/printer_data_store.h"
#include "settings/ui_strings.h"

namespace {

// The dialog's parameter: a record whose first field is the settings context.
struct RotatedLandscapeParam {
    SettingsContext* Context;
};

SettingsContext* g_context = nullptr;

BOOL OnInitDialog(HWND dialog, const RotatedLandscapeParam* param) {
    g_context = param->Context;
    SetChecked(dialog, IDC_ROTATED_LANDSCAPE, g_context->LandscapeMode != 0);
    SetAdvancedCaption(dialog, g_context, IDS_ADVANCED);
    EnableControl(dialog, IDC_APPLY_BUTTON, false);
    TranslateWithLocale(g_context, dialog);
    return TRUE;
}

void SaveRotatedLandscape(HWND dialog) {
    g_context->LandscapeMode = IsChecked(dialog, IDC_ROTATED_LANDSCAPE) ? 1 : 0;
    StoreConfigDword(g_context, TEXT("LandscapeMode"), g_context->LandscapeMode);
}

BOOL OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_ROTATED_LANDSCAPE:
        EnableApplyButton(dialog);
        return TRUE;
    default:
        return HandleSavingFrameButton(dialog, id, SaveRotatedLandscape);
    }
}

} // namespace

INT_PTR CALLBACK RotatedLandscapeDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<const RotatedLandscapeParam*>(lParam));
    case WM_COMMAND:
        return HIWORD(wParam) == BN_CLICKED && OnCommand(dialog, LOWORD(wParam));
    default:
        return FALSE;
    }
}

INT_PTR ShowRotatedLandscapeDialog(HWND owner, SettingsContext* context) {
    RotatedLandscapeParam param = {context};
    return ModuleDialogBoxParam(g_module, MAKEINTRESOURCEW(IDD_ROTATED_LANDSCAPE), owner,
                                RotatedLandscapeDialogProc, reinterpret_cast<LPARAM>(&param));
}
