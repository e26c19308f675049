// The layout page: sides, the empty page beside graphics, collation and preview; orientation,
// duplex and collation also reach the job's and the printer's devmodes.
#include "pages/layout_page.h"

#include "core/module_state.h"
#include "pages/bitmap_picture.h"
#include "pages/dialog_support.h"
#include "pages/rotated_landscape_dialog.h"
#include "resources/resource.h"
#include "settings/devmode_push.h"
#include "settings/known_config.h"
#include "settings/printer_data_store.h"
#include "settings/ui_strings.h"

#include <prsht.h>
#include <strsafe.h>

namespace {

// One layout page is live at a time.
SettingsContext* g_context = nullptr;
bool g_layoutPageDirty = false;

const std::initializer_list<int> kDoubleSidedControls = {
    IDC_LAYOUT_INSERT_EMPTY_PAGE, IDC_LAYOUT_OPEN_TO_LEFT, IDC_LAYOUT_OPEN_TO_TOP};

// --- The three devmode changes, pushed when the apply ends -----------------------------------

void PushOrientationToPrinter(DWORD orientation) {
    if (g_context->Orientation == orientation)
        return;
    g_context->Orientation = orientation;
    g_context->Pending.Fields |= DM_ORIENTATION;
    g_context->Pending.Orientation = static_cast<short>(orientation);
}

void PushDuplexToPrinter(DWORD doubleSided) {
    if (g_context->InterPoint == doubleSided && g_context->BindingEdge == 2)
        return;
    g_context->InterPointCurrent = doubleSided;
    g_context->InterPoint = doubleSided;
    g_context->BindingEdge = 2;
    g_context->Pending.Fields |= DM_DUPLEX;
    g_context->Pending.Duplex = doubleSided == 1 ? DMDUP_VERTICAL : DMDUP_SIMPLEX;
}

void PushCollateToPrinter(DWORD collate) {
    if (g_context->Collate == collate)
        return;
    g_context->Collate = collate;
    g_context->Pending.Fields |= DM_COLLATE;
    g_context->Pending.Collate = collate == 1 ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
}

// --- Controls ----------------------------------------------------------------------------------

void MarkLayoutPageChanged(HWND page) {
    g_layoutPageDirty = true;
    NotifySheetChanged(page);
}

void SelectOrientation(HWND page, int id) {
    CheckRadio(page, IDC_LAYOUT_PORTRAIT, IDC_LAYOUT_LANDSCAPE, id);
}

void SelectSides(HWND page, int id) {
    CheckRadio(page, IDC_LAYOUT_SINGLE_SIDED, IDC_LAYOUT_DOUBLE_SIDED, id);
}

UINT OrientationBitmap(HWND page) {
    if (IsChecked(page, IDC_LAYOUT_PORTRAIT))
        return IDB_ORIENT_PORTRAIT;
    return IsChecked(page, IDC_LAYOUT_INVERSE) ? IDB_ORIENT_LANDSCAPE_TURNED : IDB_ORIENT_LANDSCAPE;
}

UINT DuplexBitmap(HWND page) {
    if (IsChecked(page, IDC_LAYOUT_SINGLE_SIDED))
        return IDB_DUPLEX_SINGLE;
    return IsChecked(page, IDC_LAYOUT_INSERT_EMPTY_PAGE) ? IDB_DUPLEX_EMPTY_PAGE
                                                         : IDB_DUPLEX_DOUBLE;
}

void EnableDoubleSidedControls(HWND page, bool enable) {
    EnableControls(page, kDoubleSidedControls, enable);
    RedrawPicture(page, IDC_LAYOUT_DUPLEX_PICTURE);
}

// The page is not shown yet while it is initialised: its pictures are drawn when it is.
void InitOrientationControls(HWND page, bool canManage) {
    EnableControls(page, {IDC_LAYOUT_PORTRAIT, IDC_LAYOUT_LANDSCAPE}, canManage);
    SelectOrientation(page, g_context->Orientation == DMORIENT_LANDSCAPE ? IDC_LAYOUT_LANDSCAPE
                                                                         : IDC_LAYOUT_PORTRAIT);
    EnableControl(page, IDC_LAYOUT_INVERSE, canManage && IsChecked(page, IDC_LAYOUT_LANDSCAPE));
    SetChecked(page, IDC_LAYOUT_INVERSE, g_context->LandscapeMode != 0);
}

void InitOutputControls(HWND page, bool canManage) {
    EnableControls(page, {IDC_LAYOUT_SINGLE_SIDED, IDC_LAYOUT_DOUBLE_SIDED}, canManage);
    SelectSides(page,
                g_context->InterPoint != 0 ? IDC_LAYOUT_DOUBLE_SIDED : IDC_LAYOUT_SINGLE_SIDED);
    EnableControls(page, kDoubleSidedControls,
                   canManage && IsChecked(page, IDC_LAYOUT_DOUBLE_SIDED));
    CheckRadio(page, IDC_LAYOUT_OPEN_TO_LEFT, IDC_LAYOUT_OPEN_TO_TOP,
                     g_context->BindingEdge == 2 ? IDC_LAYOUT_OPEN_TO_LEFT
                                                 : IDC_LAYOUT_OPEN_TO_TOP);
    SetChecked(page, IDC_LAYOUT_INSERT_EMPTY_PAGE, g_context->InsertEmptyPage != 0);
}

void InitPrintControls(HWND page, bool canManage) {
    EnableControls(page, {IDC_LAYOUT_MAGAZINE_FOLD, IDC_LAYOUT_PREVIEW, IDC_LAYOUT_COLLATE},
                   canManage);
    SetChecked(page, IDC_LAYOUT_MAGAZINE_FOLD, g_context->MagazineFoldLine != 0);
    SetChecked(page, IDC_LAYOUT_PREVIEW, g_context->Preview != 0);
    SetChecked(page, IDC_LAYOUT_COLLATE, g_context->Collate != 0);
}

void WarnAboutMissingRight(HWND page) {
    WCHAR text[kComposedChars];
    StringCchCopyW(text, kComposedChars, GetUiString(g_context, IDS_MANAGE_PRINTER_DENIED));
    MessageBoxW(page, text, g_context->PrinterName, MB_ICONEXCLAMATION);
}

BOOL OnInitDialog(HWND page, const PROPSHEETPAGEW* description) {
    g_context = reinterpret_cast<SettingsContext*>(description->lParam);
    g_layoutPageDirty = false;
    PageMade(g_context);
    bool canManage = CanManagePrinter(g_context);
    InitOrientationControls(page, canManage);
    InitOutputControls(page, canManage);
    InitPrintControls(page, canManage);
    TranslateWithLocale(g_context, page);
    if (!canManage)
        WarnAboutMissingRight(page);
    return TRUE;
}

void OnSidesClicked(HWND page, int id) {
    bool doubleSided = id == IDC_LAYOUT_DOUBLE_SIDED;
    g_context->InterPointCurrent = doubleSided ? 1 : 0;
    SelectSides(page, id);
    // An empty page beside graphics only makes sense for double-sided output without 2-in-1.
    bool allowEmpty = g_context->TwoInOneCurrent == 0 && doubleSided;
    EnableDoubleSidedControls(page, allowEmpty);
    SetChecked(page, IDC_LAYOUT_INSERT_EMPTY_PAGE, g_context->InsertEmptyPage != 0 && allowEmpty);
    // The picture shows the empty page too, so it follows the box's new state.
    RedrawPicture(page, IDC_LAYOUT_DUPLEX_PICTURE);
    MarkLayoutPageChanged(page);
}

void OnOrientationClicked(HWND page, int id) {
    if (id != IDC_LAYOUT_INVERSE)
        SelectOrientation(page, id);
    EnableControl(page, IDC_LAYOUT_INVERSE, IsChecked(page, IDC_LAYOUT_LANDSCAPE));
    RedrawPicture(page, IDC_LAYOUT_ORIENTATION_PICTURE);
    MarkLayoutPageChanged(page);
}

void OnRadioPairClicked(HWND page, int first, int last, int id) {
    CheckRadio(page, first, last, id);
    MarkLayoutPageChanged(page);
}

BOOL OnCommand(HWND page, int id, int code) {
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_LAYOUT_SINGLE_SIDED:
    case IDC_LAYOUT_DOUBLE_SIDED:
        OnSidesClicked(page, id);
        return TRUE;
    case IDC_LAYOUT_INSERT_EMPTY_PAGE:
        EnableDoubleSidedControls(page, IsChecked(page, IDC_LAYOUT_DOUBLE_SIDED));
        MarkLayoutPageChanged(page);
        return TRUE;
    case IDC_LAYOUT_COLLATE:
        MarkLayoutPageChanged(page);
        RedrawPicture(page, IDC_LAYOUT_COLLATE_PICTURE);
        return TRUE;
    case IDC_LAYOUT_PREVIEW:
        MarkLayoutPageChanged(page);
        return TRUE;
    case IDC_LAYOUT_ADVANCED:
        ShowRotatedLandscapeDialog(page, g_context);
        return TRUE;
    case IDC_LAYOUT_PORTRAIT:
    case IDC_LAYOUT_LANDSCAPE:
    case IDC_LAYOUT_INVERSE:
        OnOrientationClicked(page, id);
        return TRUE;
    case IDC_LAYOUT_FACE_UP:
    case IDC_LAYOUT_FACE_DOWN:
        OnRadioPairClicked(page, IDC_LAYOUT_FACE_UP, IDC_LAYOUT_FACE_DOWN, id);
        return TRUE;
    case IDC_LAYOUT_OPEN_TO_LEFT:
    case IDC_LAYOUT_OPEN_TO_TOP:
        OnRadioPairClicked(page, IDC_LAYOUT_OPEN_TO_LEFT, IDC_LAYOUT_OPEN_TO_TOP, id);
        return TRUE;
    case IDC_LAYOUT_MAGAZINE_FOLD:
        MarkLayoutPageChanged(page);
        RedrawPicture(page, IDC_LAYOUT_MAGAZINE_PICTURE);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL OnDrawItem(HWND page, const DRAWITEMSTRUCT* item) {
    UINT bitmap = 0;
    switch (item->CtlID) {
    case IDC_LAYOUT_ORIENTATION_PICTURE:
        bitmap = OrientationBitmap(page);
        break;
    case IDC_LAYOUT_DUPLEX_PICTURE:
        bitmap = DuplexBitmap(page);
        break;
    case IDC_LAYOUT_COLLATE_PICTURE:
        bitmap = IsChecked(page, IDC_LAYOUT_COLLATE) ? IDB_COLLATE_ON : IDB_COLLATE_OFF;
        break;
    case IDC_LAYOUT_MAGAZINE_PICTURE:
        bitmap =
            IsChecked(page, IDC_LAYOUT_MAGAZINE_FOLD) ? IDB_MAGAZINE_FOLD : IDB_MAGAZINE_NO_FOLD;
        break;
    case IDC_LAYOUT_LOGO:
        bitmap = IDB_LOGO;
        break;
    case IDC_LAYOUT_BLANK_PICTURE:
        return TRUE;
    default:
        return FALSE;
    }
    DrawPictureItem(item, g_context->ResourceModule, bitmap);
    return TRUE;
}

// A 2-in-1 choice made on the main page decides whether an empty page may be inserted.
void OnSetActive(HWND page) {
    bool allowEmpty = g_context->TwoInOneCurrent == 0 && g_context->InterPointCurrent != 0;
    EnableControl(page, IDC_LAYOUT_INSERT_EMPTY_PAGE, allowEmpty);
    SetChecked(page, IDC_LAYOUT_INSERT_EMPTY_PAGE, allowEmpty && g_context->InsertEmptyPage == 1);
}

void ApplyLayoutChoices(HWND page) {
    PushOrientationToPrinter(IsChecked(page, IDC_LAYOUT_PORTRAIT) ? DMORIENT_PORTRAIT
                                                                  : DMORIENT_LANDSCAPE);
    g_context->LandscapeMode = IsChecked(page, IDC_LAYOUT_INVERSE);
    g_context->InsertEmptyPage = IsChecked(page, IDC_LAYOUT_INSERT_EMPTY_PAGE);
    g_context->OutputFaceDown = IsChecked(page, IDC_LAYOUT_FACE_DOWN);
    PushDuplexToPrinter(IsChecked(page, IDC_LAYOUT_DOUBLE_SIDED) ? 1 : 0);
    PushCollateToPrinter(IsChecked(page, IDC_LAYOUT_COLLATE) ? 1 : 0);
    g_context->Preview = IsChecked(page, IDC_LAYOUT_PREVIEW);
    g_context->MagazineFoldLine = IsChecked(page, IDC_LAYOUT_MAGAZINE_FOLD);

    StoreConfigDword(g_context, TEXT("InterPoint"), g_context->InterPoint);
    StoreConfigDword(g_context, TEXT("BindingEdge"), 2);
    StoreConfigDword(g_context, TEXT("InsertEmptyPage"), g_context->InsertEmptyPage);
    StoreConfigDword(g_context, TEXT("Orientation"), g_context->Orientation);
    StoreConfigDword(g_context, TEXT("Collate"), g_context->Collate);
    StoreConfigDword(g_context, TEXT("Preview"), g_context->Preview);
}

INT_PTR OnNotify(HWND page, const NMHDR* header) {
    switch (header->code) {
    case PSN_SETACTIVE:
        OnSetActive(page);
        return SetDialogResult(page, 0);
    case PSN_APPLY:
        if (g_layoutPageDirty) {
            ApplyLayoutChoices(page);
            g_layoutPageDirty = false;
        }
        PageApplied(g_context);
        return SetDialogResult(page, PSNRET_NOERROR);
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK LayoutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, reinterpret_cast<const PROPSHEETPAGEW*>(lParam));
    case WM_DRAWITEM:
        return OnDrawItem(page, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
        PageDestroyed(g_context);
        return FALSE;
    default:
        return FALSE;
    }
}
