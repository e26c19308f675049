// The main page: embossing, ink printing, 2-in-1 and their qualities.
#include "pages/main_page.h"

#include "pages/bitmap_picture.h"
#include "pages/dialog_support.h"
#include "pages/image_options_dialog.h"
#include "pages/notice_dialog.h"
#include "resources/resource.h"
#include "settings/devmode_push.h"
#include "settings/known_config.h"
#include "settings/printer_data_store.h"
#include "settings/ui_strings.h"

#include <prsht.h>
#include <strsafe.h>

namespace {

// One main page is live at a time.
SettingsContext* g_context = nullptr;
bool g_canManage = false;

const std::initializer_list<int> kEmbossControls = {
    IDC_MAIN_DOT_QUALITY_LABEL, IDC_MAIN_DOT_QUALITY, IDC_MAIN_BRAILLE_HEIGHT_LABEL,
    IDC_MAIN_BRAILLE_HEIGHT, IDC_MAIN_EMBOSS_STANDARD_TEXT};
const std::initializer_list<int> kPrintControls = {
    IDC_MAIN_MONOCHROME,        IDC_MAIN_GRAYSCALE,     IDC_MAIN_PRINT_QUALITY_LABEL,
    IDC_MAIN_RENDER_MODE_LABEL, IDC_MAIN_PRINT_QUALITY, IDC_MAIN_RENDER_MODE,
    IDC_MAIN_COLOUR_PICTURE,    IDC_MAIN_GREY_PICTURE,  IDC_MAIN_TWO_PASS_PICTURE};
const std::initializer_list<int> kTwoPassRadios = {
    IDC_MAIN_BACK_SIDE_INK_TO_FRONT, IDC_MAIN_FRONT_INK_PAGES, IDC_MAIN_BACK_INK_PAGES};

constexpr INT_PTR kNoticeYes = 1;

// Without printer link data the ink unit counts as present.
bool InkAvailable() {
    return g_context->SnapshotItemCount <= 0 || g_context->ChromaPodVersion > 0;
}

void MarkMainPageChanged(HWND page) {
    NotifySheetChanged(page);
    g_context->PageDirty = 1;
}

// The back-side ink choice only matters for double-sided output.
void ApplyBackSideInkControls(HWND page, bool enable, bool doubleSided) {
    EnableControls(page, kTwoPassRadios, enable && doubleSided);
    ShowControl(page, IDC_MAIN_BACK_SIDE_PICTURE, !doubleSided);
    ShowControl(page, IDC_MAIN_TWO_PASS_PICTURE, doubleSided);
}

void ShowPictureForTwoPassChoice(HWND page) {
    bool backSideToFront = IsChecked(page, IDC_MAIN_BACK_SIDE_INK_TO_FRONT);
    ShowControl(page, IDC_MAIN_BACK_SIDE_PICTURE, backSideToFront);
    ShowControl(page, IDC_MAIN_TWO_PASS_PICTURE, !backSideToFront);
}

int TwoPassRadioFor(DWORD twoPassPrint) {
    switch (twoPassPrint) {
    case 1:
        return IDC_MAIN_FRONT_INK_PAGES;
    case 2:
        return IDC_MAIN_BACK_INK_PAGES;
    default:
        return IDC_MAIN_BACK_SIDE_INK_TO_FRONT;
    }
}

void SelectTwoPassRadio(HWND page, int id) {
    CheckRadio(page, IDC_MAIN_BACK_SIDE_INK_TO_FRONT, IDC_MAIN_BACK_INK_PAGES, id);
}

void FillMainPageLists(HWND page) {
    AddComboStrings(page, IDC_MAIN_DOT_QUALITY, g_context,
                    {IDS_DOT_QUALITY_DRAFT, IDS_DOT_QUALITY_STANDARD, IDS_DOT_QUALITY_BEST});
    AddComboStrings(page, IDC_MAIN_BRAILLE_HEIGHT, g_context,
                    {IDS_BRAILLE_HEIGHT_HIGH, IDS_BRAILLE_HEIGHT_NORMAL, IDS_BRAILLE_HEIGHT_LOW});
    AddComboStrings(page, IDC_MAIN_PRINT_QUALITY, g_context,
                    {IDS_PRINT_QUALITY_DRAFT, IDS_PRINT_QUALITY_NORMAL, IDS_PRINT_QUALITY_BEST});
    AddComboStrings(page, IDC_MAIN_RENDER_MODE, g_context,
                    {IDS_RENDER_MONOCHROME, IDS_RENDER_CLUSTERED, IDS_RENDER_ORDERED,
                     IDS_RENDER_DIFFUSION_1, IDS_RENDER_DIFFUSION_2, IDS_RENDER_RANDOM});
}

// A stored value shows its own position when the list has one, else the given position.
int PositionOf(DWORD value, DWORD positions, int otherwise) {
    return value < positions ? static_cast<int>(value) : otherwise;
}

void RefreshMainPage(HWND page, bool enable) {
    bool ink = InkAvailable();
    EnableControl(page, IDC_MAIN_EMBOSS, enable);
    SetChecked(page, IDC_MAIN_EMBOSS, g_context->EmbossMode != 0);
    EnableControls(page, kEmbossControls, enable && g_context->EmbossMode != 0);

    EnableControl(page, IDC_MAIN_PRINT, enable && ink);
    SetChecked(page, IDC_MAIN_PRINT, g_context->InkMode != 0);
    EnableControls(page, kPrintControls, g_context->InkMode != 0 && ink && enable);

    EnableControl(page, IDC_MAIN_TWO_IN_ONE, enable && ink);
    SetChecked(page, IDC_MAIN_TWO_IN_ONE, g_context->TwoInOne != 0);

    EnableControls(page, {IDC_MAIN_MORE_OPTIONS, IDC_MAIN_DEFAULTS}, enable);
    SetChecked(page, IDC_MAIN_EMBOSS_STANDARD_TEXT, g_context->EmbossStandardTexts != 0);

    SelectTwoPassRadio(page, TwoPassRadioFor(g_context->TwoPassPrint));
    ApplyBackSideInkControls(page, IsChecked(page, IDC_MAIN_PRINT) && enable,
                             g_context->InterPointCurrent != 0);

    SelectComboItem(page, IDC_MAIN_DOT_QUALITY, PositionOf(g_context->DotQuality, 3, 0));
    SelectComboItem(page, IDC_MAIN_BRAILLE_HEIGHT, PositionOf(g_context->DotHeight, 3, 1));
    SelectComboItem(page, IDC_MAIN_PRINT_QUALITY, PositionOf(g_context->Quality, 3, 1));
    SelectComboItem(page, IDC_MAIN_RENDER_MODE, PositionOf(g_context->InkDithering, 6, 0));
}

BOOL OnInitDialog(HWND page, const PROPSHEETPAGEW* description) {
    g_context = reinterpret_cast<SettingsContext*>(description->lParam);
    PageMade(g_context);
    g_canManage = CanManagePrinter(g_context);
    {
        QuietList quiet[] = {{page, IDC_MAIN_DOT_QUALITY},
                             {page, IDC_MAIN_BRAILLE_HEIGHT},
                             {page, IDC_MAIN_PRINT_QUALITY},
                             {page, IDC_MAIN_RENDER_MODE}};
        FillMainPageLists(page);
        RefreshMainPage(page, g_canManage);
    }
    TranslateWithLocale(g_context, page);
    return TRUE;
}

void OnEmbossClicked(HWND page) {
    if (!IsChecked(page, IDC_MAIN_PRINT)) {
        // Something must be produced: embossing cannot be turned off while printing is off.
        SetChecked(page, IDC_MAIN_EMBOSS, true);
        EnableControls(page, kEmbossControls, true);
        return;
    }
    bool emboss = IsChecked(page, IDC_MAIN_EMBOSS);
    if (!emboss)
        SetChecked(page, IDC_MAIN_TWO_IN_ONE, false);
    EnableControls(page, kEmbossControls, emboss);
    MarkMainPageChanged(page);
}

void OnPrintClicked(HWND page) {
    bool print = IsChecked(page, IDC_MAIN_PRINT);
    if (!print && !IsChecked(page, IDC_MAIN_EMBOSS)) {
        SetChecked(page, IDC_MAIN_EMBOSS, true);
        EnableControls(page, kEmbossControls, true);
    }
    if (!print)
        SetChecked(page, IDC_MAIN_TWO_IN_ONE, false);
    EnableControls(page, kPrintControls, print);
    ApplyBackSideInkControls(page, print, g_context->InterPointCurrent != 0);
    MarkMainPageChanged(page);
}

// Asks once per printer whether 2-in-1 output is really wanted; false when it is not.
bool ConfirmTwoInOne(HWND page) {
    DWORD showWarning = 1;
    ReadConfigDword(g_context->PrinterHandle, TEXT("Show2In1Warning"), &showWarning, 1);
    if (showWarning != 1)
        return true;
    NoticeRequest request = {};
    request.Context = g_context;
    request.OptOutShowState = SW_SHOW;
    StringCchCopyW(request.Text, kNameChars, GetUiString(g_context, IDS_TWO_IN_ONE_WARNING));
    if (NoticeDialog(GetDlgItem(page, IDC_MAIN_TWO_IN_ONE), &request) != kNoticeYes)
        return false;
    if (request.OptOutResult != 0)
        StoreConfigDword(g_context, TEXT("Show2In1Warning"), 0);
    return true;
}

void OnTwoInOneClicked(HWND page) {
    bool twoInOne = IsChecked(page, IDC_MAIN_TWO_IN_ONE);
    if (twoInOne && !ConfirmTwoInOne(page)) {
        SetChecked(page, IDC_MAIN_TWO_IN_ONE, false);
        return;
    }
    // 2-in-1 always produces embossing and print together.
    if (!IsChecked(page, IDC_MAIN_EMBOSS) || !IsChecked(page, IDC_MAIN_PRINT)) {
        SetChecked(page, IDC_MAIN_EMBOSS, true);
        SetChecked(page, IDC_MAIN_PRINT, true);
        EnableControls(page, kEmbossControls, true);
        EnableControls(page, kPrintControls, true);
        ApplyBackSideInkControls(page, true, g_context->InterPointCurrent != 0);
    }
    g_context->TwoInOneCurrent = twoInOne ? 1 : 0;
    MarkMainPageChanged(page);
}

void OnTwoPassRadioClicked(HWND page, int id) {
    SelectTwoPassRadio(page, id);
    ShowPictureForTwoPassChoice(page);
    MarkMainPageChanged(page);
}

void OnDefaultsClicked(HWND page) {
    if (!ConfirmResetToDefaults(page, g_context))
        return;
    g_context->EmbossMode = 1;
    g_context->InkMode = InkAvailable() ? 1 : 0;
    g_context->DotHeight = 1;
    g_context->Quality = 1;
    g_context->InkDithering = 0;
    g_context->DotQuality = 0;
    g_context->RenderMode = 2;
    g_context->EmbossStandardTexts = 0;
    g_context->TwoInOne = 0;
    g_canManage = CanManagePrinter(g_context);
    RefreshMainPage(page, g_canManage);
    MarkMainPageChanged(page);
}

BOOL OnCommand(HWND page, int id, int code) {
    if (code == CBN_SELCHANGE) {
        if (id == IDC_MAIN_DOT_QUALITY || id == IDC_MAIN_BRAILLE_HEIGHT ||
            id == IDC_MAIN_PRINT_QUALITY || id == IDC_MAIN_RENDER_MODE) {
            MarkMainPageChanged(page);
            return TRUE;
        }
        return FALSE;
    }
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_MAIN_EMBOSS:
        OnEmbossClicked(page);
        return TRUE;
    case IDC_MAIN_PRINT:
        OnPrintClicked(page);
        return TRUE;
    case IDC_MAIN_TWO_IN_ONE:
        OnTwoInOneClicked(page);
        return TRUE;
    case IDC_MAIN_BACK_SIDE_INK_TO_FRONT:
    case IDC_MAIN_FRONT_INK_PAGES:
    case IDC_MAIN_BACK_INK_PAGES:
        OnTwoPassRadioClicked(page, id);
        return TRUE;
    case IDC_MAIN_EMBOSS_STANDARD_TEXT:
        MarkMainPageChanged(page);
        return TRUE;
    case IDC_MAIN_MORE_OPTIONS:
        ShowImageOptionsDialog(page, g_context);
        return TRUE;
    case IDC_MAIN_DEFAULTS:
        OnDefaultsClicked(page);
        return TRUE;
    default:
        return FALSE;
    }
}

// The double-sided choice may have changed on the Layout page meanwhile.
void OnSetActive(HWND page) {
    ApplyBackSideInkControls(page, IsChecked(page, IDC_MAIN_PRINT) && g_canManage,
                             g_context->InterPointCurrent != 0);
    ShowPictureForTwoPassChoice(page);
}

DWORD SelectionOf(HWND page, int id, DWORD positions, DWORD otherwise) {
    int position = ComboSelection(page, id);
    return position >= 0 && static_cast<DWORD>(position) < positions ? static_cast<DWORD>(position)
                                                                     : otherwise;
}

void SaveMainPage(HWND page) {
    SettingsContext* context = g_context;
    context->EmbossStandardTexts = IsChecked(page, IDC_MAIN_EMBOSS_STANDARD_TEXT);
    context->TwoInOne = IsChecked(page, IDC_MAIN_TWO_IN_ONE);
    context->TwoPassPrint = IsChecked(page, IDC_MAIN_FRONT_INK_PAGES)  ? 1
                            : IsChecked(page, IDC_MAIN_BACK_INK_PAGES) ? 2
                                                                       : 0;
    if (!IsChecked(page, IDC_MAIN_EMBOSS) && !IsChecked(page, IDC_MAIN_PRINT)) {
        SetChecked(page, IDC_MAIN_EMBOSS, true);
        SetChecked(page, IDC_MAIN_TWO_IN_ONE, false);
        context->TwoInOne = 0;
        EnableControls(page, kEmbossControls, true);
    }
    context->Quality = SelectionOf(page, IDC_MAIN_PRINT_QUALITY, 3, 1);
    context->DotQuality = SelectionOf(page, IDC_MAIN_DOT_QUALITY, 3, 0);
    context->DotHeight = SelectionOf(page, IDC_MAIN_BRAILLE_HEIGHT, 3, 1);
    context->EmbossMode = IsChecked(page, IDC_MAIN_EMBOSS);
    context->InkMode = IsChecked(page, IDC_MAIN_PRINT);
    context->InkDithering = SelectionOf(page, IDC_MAIN_RENDER_MODE, 6, 0);

    StoreConfigDword(context, TEXT("EmbossMode"), context->EmbossMode);
    StoreConfigDword(context, TEXT("DotQuality"), context->DotQuality);
    StoreConfigDword(context, TEXT("DotHeight"), context->DotHeight);
    StoreConfigDword(context, TEXT("InkMode"), context->InkMode);
    StoreConfigDword(context, TEXT("Quality"), context->Quality);
    StoreConfigDword(context, TEXT("EmbossStandardTexts"), context->EmbossStandardTexts);
    StoreConfigDword(context, TEXT("TwoInOne"), context->TwoInOne);
    StoreConfigDword(context, TEXT("RenderMode"), context->RenderMode);
    StoreConfigDword(context, TEXT("TwoPassPrint"), context->TwoPassPrint);
    StoreConfigDword(context, TEXT("InkDithering"), context->InkDithering);
    context->PageDirty = 0;
}

INT_PTR OnNotify(HWND page, const NMHDR* header) {
    switch (header->code) {
    case PSN_SETACTIVE:
        OnSetActive(page);
        return SetDialogResult(page, 0);
    case PSN_APPLY:
        if (g_context->PageDirty)
            SaveMainPage(page);
        PageApplied(g_context);
        return SetDialogResult(page, PSNRET_NOERROR);
    default:
        return FALSE;
    }
}

// Every picture is drawn with its cyan background transparent.
BOOL OnDrawItem(const DRAWITEMSTRUCT* item) {
    struct Picture {
        int id;
        UINT bitmap;
    };
    const Picture pictures[] = {{IDC_MAIN_TWO_PASS_PICTURE, IDB_TWO_PASS},
                                {IDC_MAIN_BACK_SIDE_PICTURE, IDB_BACK_SIDE_INK},
                                {IDC_MAIN_COLOUR_PICTURE, IDB_COLOUR_PAGE},
                                {IDC_MAIN_GREY_PICTURE, IDB_GREY_PAGE}};
    for (const Picture& picture : pictures) {
        if (static_cast<int>(item->CtlID) == picture.id) {
            DrawPictureItem(item, g_context->ResourceModule, picture.bitmap);
            return TRUE;
        }
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK MainPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, reinterpret_cast<const PROPSHEETPAGEW*>(lParam));
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_DRAWITEM:
        return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_DESTROY:
        PageDestroyed(g_context);
        return FALSE;
    default:
        return FALSE;
    }
}
