// The ink fill status dialog: the fill of each cartridge as a number and a picture, and, when
// the printer saw a cartridge change, the question whether a new one went in, which resets that
// cartridge's ink drop counter.
#include "service/ink_fill_dialog.h"

#include "core/activation_context.h"
#include "core/module_state.h"
#include "link/printer_snapshot.h"
#include "pages/bitmap_picture.h"
#include "pages/dialog_support.h"
#include "resources/resource.h"
#include "service/information_text.h"
#include "settings/ui_strings.h"

#include <strsafe.h>

namespace {

// The dialog's parameter: a record whose first field is the settings context.
struct InkFillParam {
    SettingsContext* Context;
};

// One ink fill dialog is open at a time.
SettingsContext* g_context = nullptr;

constexpr int kFillChars = 32;
constexpr DWORD kCartridgeError = 2;

// What the printer reports of one cartridge, and where the dialog shows it.
struct Cartridge {
    DWORD index; // 0 or 1, as the counter reset counts them
    DWORD SettingsContext::*state;
    DWORD SettingsContext::*fill;
    int fillEdit;
    int picture;
    UINT changedText;
};
const Cartridge kCartridges[] = {
    {0, &SettingsContext::InkCartridge1State, &SettingsContext::InkCartridge1Fill,
     IDC_INKFILL_CARTRIDGE1_FILL, IDC_INKFILL_CARTRIDGE1_PICTURE, IDS_CARTRIDGE1_CHANGED},
    {1, &SettingsContext::InkCartridge2State, &SettingsContext::InkCartridge2Fill,
     IDC_INKFILL_CARTRIDGE2_FILL, IDC_INKFILL_CARTRIDGE2_PICTURE, IDS_CARTRIDGE2_CHANGED},
};

// The state word holds the cartridge's state in its low byte and the change flag above it.
DWORD StateByte(const Cartridge& cartridge) {
    return (g_context->*cartridge.state) & 0xFF;
}

bool ChangeDetected(const Cartridge& cartridge) {
    return ((g_context->*cartridge.state) >> 8 & 0xFF) != 0;
}

// The fill the printer reports, as a percentage from 0 to 100.
DWORD ShownFill(const Cartridge& cartridge) {
    return ShownInkFill(g_context->*cartridge.fill);
}

void ShowFill(HWND dialog, const Cartridge& cartridge) {
    if (StateByte(cartridge) == 0)
        return;
    WCHAR text[kFillChars];
    StringCchPrintfW(text, kFillChars, TEXT("%u %%"), static_cast<UINT>(ShownFill(cartridge)));
    SetDlgItemTextW(dialog, cartridge.fillEdit, text);
}

// Asks whether a new cartridge went in; on Yes its counter starts again and the printer's
// state of it is cleared.
void PromptForChange(HWND dialog, const Cartridge& cartridge) {
    if (!ChangeDetected(cartridge) || StateByte(cartridge) == 0)
        return;
    WCHAR text[kComposedChars];
    StringCchCopyW(text, kComposedChars, GetUiString(g_context, cartridge.changedText));
    StringCchCatW(text, kComposedChars, TEXT("\r\n\r\n"));
    StringCchCatW(text, kComposedChars, GetUiString(g_context, IDS_CARTRIDGE_CHANGED_QUESTION));
    WCHAR title[kNameChars];
    StringCchCopyW(title, kNameChars, GetUiString(g_context, IDS_INK_FILL_STATUS_TITLE));
    if (MessageBoxW(dialog, text, title, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    ResetInkCartridgeCounter(g_context, cartridge.index);
    g_context->*cartridge.state &= ~DWORD{0xFF};
}

BOOL OnInitDialog(HWND dialog, const InkFillParam* param) {
    g_context = param->Context;
    EnableControl(dialog, IDC_APPLY_BUTTON, false);
    for (const Cartridge& cartridge : kCartridges)
        ShowFill(dialog, cartridge);
    for (const Cartridge& cartridge : kCartridges)
        PromptForChange(dialog, cartridge);
    TranslateWithLocale(g_context, dialog);
    return TRUE;
}

// No cartridge, a cartridge in error, or its fill in steps of ten percent.
UINT CartridgeBitmap(const Cartridge& cartridge) {
    DWORD state = StateByte(cartridge);
    if (state == 0)
        return IDB_INK_NO_CARTRIDGE;
    if (state == kCartridgeError)
        return IDB_INK_CARTRIDGE_ERROR;
    return IDB_INK_FILL_0 + ShownFill(cartridge) / 10;
}

BOOL OnDrawItem(const DRAWITEMSTRUCT* item) {
    for (const Cartridge& cartridge : kCartridges) {
        if (static_cast<int>(item->CtlID) == cartridge.picture) {
            DrawPictureItem(item, g_context->ResourceModule, CartridgeBitmap(cartridge));
            return TRUE;
        }
    }
    return FALSE;
}

// Nothing here is saved: Apply only gives the focus back to OK.
BOOL OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, id);
        return TRUE;
    case IDC_APPLY_BUTTON:
        ApplyButtonDone(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK InkFillDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<const InkFillParam*>(lParam));
    case WM_COMMAND:
        return HIWORD(wParam) == BN_CLICKED && OnCommand(dialog, LOWORD(wParam));
    case WM_DRAWITEM:
        return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    default:
        return FALSE;
    }
}

INT_PTR ShowInkFillDialog(HWND owner, SettingsContext* context) {
    InkFillParam param = {context};
    return ModuleDialogBoxParam(g_module, MAKEINTRESOURCEW(IDD_INK_FILL), owner, InkFillDialogProc,
                                reinterpret_cast<LPARAM>(&param));
}
