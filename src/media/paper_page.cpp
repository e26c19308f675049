// The paper and media page: paper size and media type, with media surface and paper source
// filled and read but kept hidden, and the Advanced media and forms dialog behind it.
#include "media/paper_page.h"

#include "media/advanced_media_dialog.h"
#include "media/custom_media_types.h"
#include "media/form_queries.h"
#include "media/paper_push.h"
#include "pages/bitmap_picture.h"
#include "pages/dialog_support.h"
#include "pages/known_controls.h"
#include "resources/resource.h"
#include "settings/devmode_push.h"
#include "settings/global_block.h"
#include "settings/known_config.h"
#include "settings/printer_data_store.h"
#include "settings/ui_strings.h"

#include <prsht.h>
#include <strsafe.h>

namespace {

// One paper page is live at a time.
SettingsContext* g_context = nullptr;
bool g_paperPageDirty = false;
bool g_canManage = false;
// The paper list's position as the page showed it or last saved it.
int g_savedPaperPosition = CB_ERR;

// Page list position 0 is "Printer Setting"; the media types of dialog 113's list follow it.
constexpr int kFirstPageMediaPosition = 1;
constexpr int kFirstPageCustomPosition = kFirstPageMediaPosition + kFirstCustomMediaPosition;

constexpr DWORD kFormFields = DM_FORMNAME | DM_PAPERLENGTH | DM_PAPERWIDTH;
const WCHAR kNoCustomMediaType[] = TEXT("(None)");

struct MediaSurface {
    UINT textId;
    DWORD number;
};

// In list order; an unknown stored number shows, and is saved as, plain paper.
const MediaSurface kMediaSurfaces[] = {
    {IDS_SURFACE_PLAIN_PAPER, 1}, {IDS_SURFACE_LETTERHEAD, 4}, {IDS_SURFACE_TRANSPARENCY, 2},
    {IDS_SURFACE_BOND, 5},        {IDS_SURFACE_RECYCLED, 256}, {IDS_SURFACE_CARDSTOCK, 267},
    {IDS_SURFACE_ROUGH, 6},       {IDS_SURFACE_GLOSSY, 3},
};
constexpr int kMediaSurfaceCount = ARRAYSIZE(kMediaSurfaces);
constexpr DWORD kPlainPaperSurface = 1;

// Paper source list positions.
constexpr int kAutomaticSourcePosition = 0;
constexpr int kTractorFeedPosition = 1;

void MarkPaperPageChanged(HWND page) {
    g_paperPageDirty = true;
    NotifySheetChanged(page);
}

// --- Filling the lists ---------------------------------------------------------------------

// The printer's papers after "Automatic Select". The paper whose form has the current paper
// size is selected only when the default devmode names its paper by size (as this page writes
// it) rather than by number.
void FillPaperSizeList(HWND page) {
    EnableControl(page, IDC_PAPER_SIZE, g_canManage);
    int count = 0;
    const WCHAR* names = SheetPaperNames(g_context, &count);
    if (count <= 0)
        return;
    DWORD fields = SheetPrinterInfo(g_context)->pDevMode->dmFields;
    QuietList quiet(page, IDC_PAPER_SIZE);
    HWND list = KnownControl(page, IDC_PAPER_SIZE);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    AddComboStrings(page, IDC_PAPER_SIZE, g_context, {IDS_PAPER_AUTOMATIC_SELECT});
    bool bySize = (fields & DM_PAPERWIDTH) && (fields & DM_PAPERLENGTH) && !(fields & DM_PAPERSIZE);
    int selected = -1;
    FormSizes forms(g_context);
    for (int i = 0; i < count; ++i) {
        WCHAR name[kFormNameChars];
        CopyPaperName(names, i, name);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        if (bySize && IsPaperOfSize(forms.SizeOf(name), g_context->PaperSize))
            selected = i + 1;
    }
    if (SendMessageW(list, CB_GETCOUNT, 0, 0) == CB_ERR) {
        EnableControl(page, IDC_PAPER_SIZE, false);
        return;
    }
    if (selected < 0) {
        // "Automatic Select" names no form, so the paper size becomes 0 x 0.
        selected = 0;
        WCHAR text[kNameChars];
        ComboItemText(page, IDC_PAPER_SIZE, 0, text, kNameChars);
        SIZE size = forms.SizeOf(text);
        g_context->PaperSize[0] = size.cx;
        g_context->PaperSize[1] = size.cy;
    }
    SelectComboItem(page, IDC_PAPER_SIZE, selected);
    g_savedPaperPosition = selected;
}

// "Printer Setting", the built-in media types and the custom ones. A number the list does not
// show, 270 included, or a custom name that is not in the store, shows "Printer Setting" and
// becomes 256.
void FillMediaTypeList(HWND page) {
    QuietList quiet(page, IDC_PAPER_MEDIA_TYPE);
    SendMessageW(KnownControl(page, IDC_PAPER_MEDIA_TYPE), CB_RESETCONTENT, 0, 0);
    AddComboStrings(page, IDC_PAPER_MEDIA_TYPE, g_context, {IDS_MEDIA_PRINTER_SETTING});
    int matched = -1;
    AddMediaTypeEntries(page, IDC_PAPER_MEDIA_TYPE, g_context, &matched);
    int position = BuiltInMediaPosition(g_context->MediaType);
    if (position >= 0) {
        position += kFirstPageMediaPosition;
    } else if (g_context->MediaType == kMediaTypeCustom && matched >= 0) {
        position = matched;
    } else {
        position = 0;
        g_context->MediaType = kMediaPrinterSetting;
    }
    SelectComboItem(page, IDC_PAPER_MEDIA_TYPE, position);
    EnableControl(page, IDC_PAPER_MEDIA_TYPE, g_canManage);
}

void FillMediaSurfaceList(HWND page) {
    int selected = 0;
    {
        QuietList quiet(page, IDC_PAPER_MEDIA_SURFACE);
        for (int i = 0; i < kMediaSurfaceCount; ++i) {
            AddComboStrings(page, IDC_PAPER_MEDIA_SURFACE, g_context, {kMediaSurfaces[i].textId});
            if (kMediaSurfaces[i].number == g_context->MediaSurface)
                selected = i;
        }
        if (kMediaSurfaces[selected].number != g_context->MediaSurface)
            g_context->MediaSurface = kPlainPaperSurface;
        SelectComboItem(page, IDC_PAPER_MEDIA_SURFACE, selected);
    }
    EnableControl(page, IDC_PAPER_MEDIA_SURFACE, g_canManage);
    ShowControl(page, IDC_PAPER_MEDIA_SURFACE, false);
    ShowControl(page, IDC_PAPER_MEDIA_SURFACE_LABEL, false);
}

void FillPaperSourceList(HWND page) {
    {
        QuietList quiet(page, IDC_PAPER_SOURCE);
        AddComboStrings(page, IDC_PAPER_SOURCE, g_context,
                        {IDS_SOURCE_AUTOMATIC_SELECT, IDS_SOURCE_TRACTOR_FEED});
        SelectComboItem(page, IDC_PAPER_SOURCE,
                        g_context->PaperSource == DMBIN_TRACTOR ? kTractorFeedPosition
                                                                : kAutomaticSourcePosition);
    }
    EnableControl(page, IDC_PAPER_SOURCE, g_canManage);
    ShowControl(page, IDC_PAPER_SOURCE, false);
    ShowControl(page, IDC_PAPER_SOURCE_GROUP, false);
}

BOOL OnInitDialog(HWND page, const PROPSHEETPAGEW* description) {
    g_context = reinterpret_cast<SettingsContext*>(description->lParam);
    g_paperPageDirty = false;
    g_savedPaperPosition = CB_ERR;
    PageMade(g_context);
    // The paper the printer's default devmode names.
    QueryDefaultPaper(g_context, g_context->PaperSize);
    g_canManage = CanManagePrinter(g_context);
    FillPaperSizeList(page);
    FillMediaTypeList(page);
    FillMediaSurfaceList(page);
    FillPaperSourceList(page);
    TranslateWithLocale(g_context, page);
    return TRUE;
}

// --- Saving --------------------------------------------------------------------------------

// "Automatic Select" leaves the paper to the printer and keeps the remembered size; a form is
// pushed only when its size differs from the current one. A paper the person did not choose
// again is not pushed at all.
void SavePaperSize(HWND page) {
    int position = ComboSelection(page, IDC_PAPER_SIZE);
    if (position == CB_ERR || position == g_savedPaperPosition)
        return;
    g_savedPaperPosition = position;
    if (position == 0) {
        PushPaperToPrinter(g_context, TEXT(""), SIZE{0, 0}, kFormFields, DM_PAPERSIZE);
        return;
    }
    WCHAR name[kNameChars];
    ComboItemText(page, IDC_PAPER_SIZE, position, name, kNameChars);
    SIZE form = FormSizes(g_context).SizeOf(name);
    if (IsPaperOfSize(form, g_context->PaperSize))
        return;
    PushPaperToPrinter(g_context, name, form, DM_PAPERSIZE, kFormFields);
    g_context->PaperSize[0] = RoundTo100Micrometres(form.cx);
    g_context->PaperSize[1] = RoundTo100Micrometres(form.cy);
}

void SaveMediaType(HWND page) {
    int position = ComboSelection(page, IDC_PAPER_MEDIA_TYPE);
    if (position == CB_ERR)
        return;
    StringCchCopyW(g_context->CustomMediaType, kNameChars, kNoCustomMediaType);
    DWORD mediaType = kMediaPrinterSetting;
    if (position >= kFirstPageCustomPosition) {
        mediaType = kMediaTypeCustom;
        ComboItemText(page, IDC_PAPER_MEDIA_TYPE, position, g_context->CustomMediaType, kNameChars);
    } else if (position >= kFirstPageMediaPosition) {
        mediaType = BuiltInMediaType(position - kFirstPageMediaPosition);
    }
    PushMediaTypeToPrinter(g_context, mediaType);
}

void SaveMediaSurface(HWND page) {
    int position = ComboSelection(page, IDC_PAPER_MEDIA_SURFACE);
    if (position == CB_ERR)
        return;
    g_context->MediaSurface =
        position < kMediaSurfaceCount ? kMediaSurfaces[position].number : kPlainPaperSurface;
}

void SavePaperSource(HWND page) {
    int position = ComboSelection(page, IDC_PAPER_SOURCE);
    if (position == CB_ERR)
        return;
    PushPaperSourceToPrinter(g_context,
                             position == kTractorFeedPosition ? DMBIN_TRACTOR : DMBIN_FORMSOURCE);
}

// The force range of the custom media type; 0 for the others. A custom type without dot values
// (the store has none and the printer reported none) leaves both values as they were.
void WriteCustomMediaForces() {
    DWORD highest = 0, lowest = 0;
    if (g_context->MediaType == kMediaTypeCustom) {
        DWORD pair = 0;
        LookupDotValues(g_context->PrinterHandle, kMediaTypeCustom, g_context->CustomMediaType,
                        g_context->DeviceMediaDotValues, &pair);
        if (pair == 0)
            return;
        highest = HighestDotValue(pair);
        lowest = LowestDotValue(pair);
    }
    StoreConfigDword(g_context, TEXT("MaxCustPForce"), highest);
    StoreConfigDword(g_context, TEXT("MinCustPForce"), lowest);
}

void SavePaperMediaPage(HWND page) {
    SavePaperSize(page);
    SaveMediaType(page);
    SaveMediaSurface(page);
    SavePaperSource(page);

    StorePaperSize(g_context, g_context->PaperSize);
    StoreConfigDword(g_context, TEXT("MediaType"), g_context->MediaType);
    StoreConfigDword(g_context, TEXT("MediaSurface"), g_context->MediaSurface);
    // The name is stored with its terminator.
    size_t length = 0;
    StringCchLengthW(g_context->CustomMediaType, kNameChars, &length);
    StoreConfigText(g_context, TEXT("CustomMediaType"), g_context->CustomMediaType,
                    static_cast<DWORD>(length + 1));
    WriteCustomMediaForces();
    StoreConfigDword(g_context, TEXT("PaperSource"), g_context->PaperSource);
}

// Outside an apply the devmodes take the page's changes at once.
void SaveNow(HWND page) {
    SavePaperMediaPage(page);
    PushPendingDevmode(g_context);
}

// --- The Advanced dialog -------------------------------------------------------------------

// Everything the dialog did has reached the printer already; the page refreshes what changed
// and, after a removal or deletion, saves at once so that its values name what still exists.
void OnAdvanced(HWND page) {
    AdvancedDialogParam param = {g_context, 0, ComboSelection(page, IDC_PAPER_MEDIA_TYPE)};
    if (param.MediaPosition != CB_ERR) {
        // "Printer Setting" has no number of its own in the list.
        g_context->MediaType = param.MediaPosition >= kFirstPageMediaPosition
                                   ? MediaTypeAt(param.MediaPosition - kFirstPageMediaPosition)
                                   : 0;
        ComboItemText(page, IDC_PAPER_MEDIA_TYPE, param.MediaPosition, g_context->CustomMediaType,
                      kNameChars);
        if (param.MediaPosition != 0)
            param.MediaPosition -= kFirstPageMediaPosition;
    }
    ShowAdvancedMediaDialog(page, &param);
    int pagePosition = param.MediaPosition + kFirstPageMediaPosition;

    if (param.ChangeFlags & (kMediaChosen | kMediaRemoved)) {
        FillMediaTypeList(page);
        SelectComboItem(page, IDC_PAPER_MEDIA_TYPE, pagePosition);
        MarkPaperPageChanged(page);
        if (param.ChangeFlags & kMediaRemoved)
            SaveNow(page);
    }
    if (param.ChangeFlags & (kFormAdded | kFormDeleted)) {
        FillPaperSizeList(page);
        g_paperPageDirty = true;
        if (param.ChangeFlags & kFormDeleted)
            SaveNow(page);
    }
}

// --- Messages ------------------------------------------------------------------------------

BOOL OnCommand(HWND page, int id, int code) {
    switch (id) {
    case IDC_PAPER_SIZE:
    case IDC_PAPER_MEDIA_TYPE:
    case IDC_PAPER_MEDIA_SURFACE:
    case IDC_PAPER_SOURCE:
        if (code == CBN_SELCHANGE)
            MarkPaperPageChanged(page);
        return TRUE;
    case IDC_PAPER_ADVANCED:
        if (code == BN_CLICKED)
            OnAdvanced(page);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR OnNotify(HWND page, const NMHDR* header) {
    if (header->code != PSN_APPLY)
        return FALSE;
    if (g_paperPageDirty) {
        SavePaperMediaPage(page);
        g_paperPageDirty = false;
    }
    PageApplied(g_context);
    return SetDialogResult(page, PSNRET_NOERROR);
}

BOOL OnDrawItem(const DRAWITEMSTRUCT* item) {
    switch (item->CtlID) {
    case IDC_PAPER_LOGO:
        DrawPictureItem(item, g_context->ResourceModule, IDB_LOGO);
        return TRUE;
    case IDC_PAPER_BLANK_PICTURE:
        return TRUE; // left blank
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK PaperPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
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
