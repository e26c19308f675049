// The emboss usage dialog: each carriage's share of the embossing done, and the primary
// carriage, which is sent to the printer and kept only once the printer took it.
#include "service/emboss_usage_dialog.h"

#include "core/activation_context.h"
#include "core/module_state.h"
#include "link/parameter_record.h"
#include "link/printer_link.h"
#include "pages/dialog_support.h"
#include "resources/resource.h"
#include "service/information_text.h"
#include "settings/ui_strings.h"

#include <commctrl.h>
#include <strsafe.h>

namespace {

// The dialog's parameter: a record whose first field is the settings context.
struct EmbossUsageParam {
    SettingsContext* Context;
};

// One usage dialog is open at a time.
SettingsContext* g_context = nullptr;

constexpr int kShareChars = 32;

void ShowShare(HWND dialog, int editId, int barId, LONG share) {
    WCHAR text[kShareChars];
    StringCchPrintfW(text, kShareChars, TEXT("%u %%"), static_cast<UINT>(share));
    SetDlgItemTextW(dialog, editId, text);
    SendDlgItemMessageW(dialog, barId, PBM_SETPOS, static_cast<WPARAM>(share), 0);
}

// The printer counts the dots of each carriage (the first two usage values); the shares are
// shown only when it has counted anything and reports them valid (the third value).
void ShowCarriageShares(HWND dialog) {
    LONG share1 = 0, share2 = 0;
    if (!CarriageShares(g_context->EmbossUsage, &share1, &share2))
        return;
    ShowShare(dialog, IDC_USAGE_CARRIAGE1_SHARE, IDC_USAGE_CARRIAGE1_BAR, share1);
    ShowShare(dialog, IDC_USAGE_CARRIAGE2_SHARE, IDC_USAGE_CARRIAGE2_BAR, share2);
}

BOOL OnInitDialog(HWND dialog, const EmbossUsageParam* param) {
    g_context = param->Context;
    CheckRadio(dialog, IDC_USAGE_CARRIAGE1_PRIMARY, IDC_USAGE_CARRIAGE2_PRIMARY,
                     static_cast<LONG>(g_context->SecondCarriagePrimary) > 0
                         ? IDC_USAGE_CARRIAGE2_PRIMARY
                         : IDC_USAGE_CARRIAGE1_PRIMARY);
    ShowCarriageShares(dialog);
    EnableControl(dialog, IDC_APPLY_BUTTON, false);
    TranslateWithLocale(g_context, dialog);
    return TRUE;
}

void SavePrimaryCarriage(HWND dialog) {
    DWORD secondPrimary = IsChecked(dialog, IDC_USAGE_CARRIAGE2_PRIMARY) ? 1 : 0;
    auto setParameter =
        FindPrinterLinkProc<SetPrinterParameterProc>(g_context, "DllExportSetPrinterParameter");
    auto update = FindPrinterLinkProc<UpdatePrinterProc>(g_context, "DllExportUpdatePrinter");
    if (setParameter == nullptr || update == nullptr)
        return;
    ParameterRecord record = {};
    record.Id = kPrimaryCarriageId;
    record.Values[0] = static_cast<LONG>(secondPrimary);
    setParameter(0, g_context->PrinterName, record.Id, record.Values, 1, nullptr, 0);
    if (update(0, g_context->PrinterName) == 0)
        g_context->SecondCarriagePrimary = secondPrimary;
}

BOOL OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_USAGE_CARRIAGE1_PRIMARY:
    case IDC_USAGE_CARRIAGE2_PRIMARY:
        EnableApplyButton(dialog);
        return TRUE;
    default:
        return HandleSavingFrameButton(dialog, id, SavePrimaryCarriage);
    }
}

} // namespace

INT_PTR CALLBACK EmbossUsageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<const EmbossUsageParam*>(lParam));
    case WM_COMMAND:
        return HIWORD(wParam) == BN_CLICKED && OnCommand(dialog, LOWORD(wParam));
    default:
        return FALSE;
    }
}

INT_PTR ShowEmbossUsageDialog(HWND owner, SettingsContext* context) {
    EmbossUsageParam param = {context};
    return ModuleDialogBoxParam(g_module, MAKEINTRESOURCEW(IDD_EMBOSS_USAGE), owner,
                                EmbossUsageDialogProc, reinterpret_cast<LPARAM>(&param));
}
