// The image options dialog: emboss and ink contrast and brightness, thin lines, inversion and the
// fill pattern. It saves its own values.
#include "pages/image_options_dialog.h"

#include "core/activation_context.h"
#include "core/module_state.h"
#include "pages/bitmap_picture.h"
#include "pages/chosen_path.h"
#include "pages/dialog_support.h"
#include "pages/file_chooser.h"
#include "resources/resource.h"
#include "settings/known_config.h"
#include "settings/printer_data_store.h"
#include "settings/scoped_handles.h"
#include "settings/ui_strings.h"

#include <commctrl.h>
#include <shlobj.h>
#include <strsafe.h>

namespace {

struct ImageOptionsParam {
    SettingsContext* Context;
};

SettingsContext* g_context = nullptr;

// Pattern choices stored in "ColorPattern".
constexpr DWORD kNoPattern = 0;
constexpr DWORD kPatternFile = 1;
constexpr DWORD kAutomaticPattern = 2;
constexpr DWORD kChessboardPattern = 5;

enum PatternListPosition {
    kBrowsePosition,
    kPatternFilePosition,
    kAutomaticPosition,
    kChessboardPosition
};

const WCHAR kLabelSection[] = TEXT("Label");
const WCHAR kContrastWord[] = TEXT("Contrast");
const WCHAR kBrightnessWord[] = TEXT("Brightness");
constexpr int kFileChars = 4096;

struct TrackBar {
    int id;
    int labelId; // 0: no value label
    LPCWSTR word;
    int minimum, maximum, ticks;
};
const TrackBar kTrackBars[] = {
    {IDC_IMAGE_CONTRAST, IDC_IMAGE_CONTRAST_LABEL, kContrastWord, -100, 100, 20},
    {IDC_IMAGE_BRIGHTNESS, IDC_IMAGE_BRIGHTNESS_LABEL, kBrightnessWord, -100, 100, 20},
    {IDC_IMAGE_INK_CONTRAST, IDC_IMAGE_INK_CONTRAST_LABEL, kContrastWord, -100, 100, 20},
    {IDC_IMAGE_INK_BRIGHTNESS, IDC_IMAGE_INK_BRIGHTNESS_LABEL, kBrightnessWord, -100, 100, 20},
    {IDC_IMAGE_THIN_LINE, 0, nullptr, 0, 6, 1},
};

const TrackBar* FindTrackBar(int id) {
    for (const TrackBar& bar : kTrackBars)
        if (bar.id == id)
            return &bar;
    return nullptr;
}

LONG TrackBarPosition(HWND dialog, int id) {
    return static_cast<LONG>(SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0));
}

// "<word> <position>"; the word as the locale library names it (`section` null: its string),
// cut at the bound every locale answer is read to.
void WriteValueLabel(HWND dialog, const TrackBar& bar, LONG position, LPCWSTR section) {
    WCHAR translated[kComposedChars];
    LPCWSTR word = TranslateWord(g_context, section, bar.word, translated);
    WCHAR label[kNameChars];
    StringCchPrintfW(label, kNameChars, TEXT("%ls %d"), word, static_cast<int>(position));
    SetDlgItemTextW(dialog, bar.labelId, label);
}

void SetUpTrackBar(HWND dialog, const TrackBar& bar, LONG position) {
    // TBM_SETRANGE takes unsigned halves; the emboss and ink bars go below zero.
    SendDlgItemMessageW(dialog, bar.id, TBM_SETRANGEMIN, FALSE, bar.minimum);
    SendDlgItemMessageW(dialog, bar.id, TBM_SETRANGEMAX, TRUE, bar.maximum);
    SendDlgItemMessageW(dialog, bar.id, TBM_SETTICFREQ, bar.ticks, 0);
    SendDlgItemMessageW(dialog, bar.id, TBM_SETPOS, TRUE, position);
    if (bar.labelId != 0)
        WriteValueLabel(dialog, bar, position, nullptr);
}

void FillPatternList(HWND dialog) {
    SendDlgItemMessageW(dialog, IDC_IMAGE_PATTERN, CB_RESETCONTENT, 0, 0);
    AddComboStrings(dialog, IDC_IMAGE_PATTERN, g_context, {IDS_PATTERN_BROWSE});
    SendDlgItemMessageW(dialog, IDC_IMAGE_PATTERN, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(g_context->PatternFileNameEdit));
    AddComboStrings(dialog, IDC_IMAGE_PATTERN, g_context,
                    {IDS_PATTERN_AUTOMATIC, IDS_PATTERN_CHESSBOARD});
    int position = g_context->ColorPattern == kAutomaticPattern    ? kAutomaticPosition
                   : g_context->ColorPattern == kChessboardPattern ? kChessboardPosition
                                                                   : kPatternFilePosition;
    SelectComboItem(dialog, IDC_IMAGE_PATTERN, position);
    EnableControl(dialog, IDC_IMAGE_PATTERN, g_context->ColorPattern > 0);
}

void SetUpControls(HWND dialog) {
    SetChecked(dialog, IDC_IMAGE_INVERT, g_context->InvertColor != 0);
    const LONG positions[] = {g_context->Contrast, g_context->Brightness, g_context->InkContrast,
                              g_context->InkBrightness,
                              static_cast<LONG>(g_context->ThinLineIntensity)};
    for (size_t i = 0; i < ARRAYSIZE(kTrackBars); ++i)
        SetUpTrackBar(dialog, kTrackBars[i], positions[i]);
    SetChecked(dialog, IDC_IMAGE_APPLY_PATTERNS, g_context->ColorPattern > 0);
    FillPatternList(dialog);
    // Patterns come with the companion suite; without it there is nothing to choose.
    if (!FindSuiteVersion()) {
        // Unticked as well, so that the next save stores no pattern.
        SetChecked(dialog, IDC_IMAGE_APPLY_PATTERNS, false);
        ShowControl(dialog, IDC_IMAGE_APPLY_PATTERNS, false);
        ShowControl(dialog, IDC_IMAGE_PATTERN_LABEL, false);
        ShowControl(dialog, IDC_IMAGE_PATTERN, false);
        g_context->ColorPattern = kNoPattern;
    }
}

BOOL OnInitDialog(HWND dialog, const ImageOptionsParam* param) {
    g_context = param->Context;
    StringCchCopyW(g_context->PatternFileNameEdit, kNameChars, g_context->PatternFileName);
    SetUpControls(dialog);
    SetAdvancedCaption(dialog, g_context, IDS_ADVANCED);
    EnableControl(dialog, IDC_APPLY_BUTTON, false);
    TranslateWithLocale(g_context, dialog);
    return TRUE;
}

// A chosen path that does not fit the pattern path is refused rather than cut.
void BrowseForPattern(HWND dialog) {
    WCHAR filterWords[2][kNameChars];
    StringCchCopyW(filterWords[0], kNameChars, GetUiString(g_context, IDS_PATTERN_FILES));
    StringCchCopyW(filterWords[1], kNameChars, GetUiString(g_context, IDS_ALL_FILES));
    WCHAR filter[kNameChars];
    StringCchPrintfW(filter, kNameChars, TEXT("%ls (*.dat)%lc*.DAT%lc%ls (*.*)%lc*.*%lc"),
                     filterWords[0], WCHAR(0), WCHAR(0), filterWords[1], WCHAR(0), WCHAR(0));
    WCHAR folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    StringCchCatW(folder, MAX_PATH, TEXT("\\Quorvane\\Tarvik\\Patterns"));
    WCHAR file[kFileChars] = {};
    if (!ChooseFile(dialog, filter, folder, file, kFileChars) ||
        !TakeChosenPath(file, g_context->PatternFileNameEdit, kNameChars))
        return;
    g_context->ColorPattern = kPatternFile;
    FillPatternList(dialog);
}

void SaveImageOptions(HWND dialog) {
    SettingsContext* context = g_context;
    if (!IsChecked(dialog, IDC_IMAGE_APPLY_PATTERNS)) {
        context->ColorPattern = kNoPattern;
    } else {
        int position = ComboSelection(dialog, IDC_IMAGE_PATTERN);
        context->ColorPattern = position == kAutomaticPosition    ? kAutomaticPattern
                                : position == kChessboardPosition ? kChessboardPattern
                                                                  : kPatternFile;
    }
    StringCchCopyW(context->PatternFileName, kNameChars, context->PatternFileNameEdit);
    context->InvertColor = IsChecked(dialog, IDC_IMAGE_INVERT);
    context->Contrast = TrackBarPosition(dialog, IDC_IMAGE_CONTRAST);
    context->Brightness = TrackBarPosition(dialog, IDC_IMAGE_BRIGHTNESS);
    context->InkContrast = TrackBarPosition(dialog, IDC_IMAGE_INK_CONTRAST);
    context->InkBrightness = TrackBarPosition(dialog, IDC_IMAGE_INK_BRIGHTNESS);
    context->ThinLineIntensity = static_cast<DWORD>(TrackBarPosition(dialog, IDC_IMAGE_THIN_LINE));
    const DWORD magnifications[] = {1, 2, 3, 6};
    int magnification = ComboSelection(dialog, IDC_IMAGE_MAGNIFICATION);
    if (magnification >= 0 && magnification < 4)
        context->MagnificationLevel = magnifications[magnification];
    context->CropMargins = IsChecked(dialog, IDC_IMAGE_CROP_MARGINS);

    StoreConfigDword(context, TEXT("InvertColor"), context->InvertColor);
    StoreConfigDword(context, TEXT("Brightness"), static_cast<DWORD>(context->Brightness));
    StoreConfigDword(context, TEXT("Contrast"), static_cast<DWORD>(context->Contrast));
    StoreConfigDword(context, TEXT("InkBrightness"), static_cast<DWORD>(context->InkBrightness));
    StoreConfigDword(context, TEXT("InkContrast"), static_cast<DWORD>(context->InkContrast));
    StoreConfigDword(context, TEXT("ThinLineIntensity"), context->ThinLineIntensity);
    StoreConfigDword(context, TEXT("ColorPattern"), context->ColorPattern);
    StoreConfigText(context, TEXT("CustomPatternFileName"), context->PatternFileName,
                    lstrlenW(context->PatternFileName));

    // The user's current pattern is the file name part of the path.
    ScopedRegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("SOFTWARE\\Quorvane\\Patterns"), 0, KEY_ALL_ACCESS,
                      key.put()) == ERROR_SUCCESS) {
        LPCWSTR name = FileNamePart(context->PatternFileName);
        RegSetValueExW(key.get(), TEXT("CurrentPattern"), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(name), lstrlenW(name) * sizeof(WCHAR));
    }
}

void OnDefaultsClicked(HWND dialog) {
    if (!ConfirmResetToDefaults(dialog, g_context))
        return;
    g_context->InvertColor = 0;
    g_context->Brightness = 0;
    g_context->Contrast = 0;
    g_context->ThinLineIntensity = 1;
    g_context->ColorPattern = kNoPattern;
    SetUpControls(dialog);
    EnableApplyButton(dialog);
}

bool BrowseSelected(HWND dialog) {
    return ComboSelection(dialog, IDC_IMAGE_PATTERN) == kBrowsePosition;
}

bool BrowseChosenWithEnter(HWND dialog) {
    return GetFocus() == GetDlgItem(dialog, IDC_IMAGE_PATTERN) && BrowseSelected(dialog);
}

// The chooser opens only when the person commits to "Browse ...": a pick in the open list, or
// the open list closed on it. Arrowing through the closed list only moves the selection (a
// change without a close-up), so a keyboard user can pass "Browse ..." without being trapped.
BOOL OnPatternListCommand(HWND dialog, int code) {
    switch (code) {
    case CBN_SELCHANGE:
        EnableApplyButton(dialog);
        return TRUE;
    case CBN_CLOSEUP:
        if (BrowseSelected(dialog))
            BrowseForPattern(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_IMAGE_INVERT:
    case IDC_IMAGE_CROP_MARGINS:
        EnableApplyButton(dialog);
        return TRUE;
    case IDC_IMAGE_APPLY_PATTERNS:
        EnableApplyButton(dialog);
        EnableControl(dialog, IDC_IMAGE_PATTERN, IsChecked(dialog, IDC_IMAGE_APPLY_PATTERNS));
        return TRUE;
    case IDC_IMAGE_PATTERN:
        return OnPatternListCommand(dialog, code);
    case IDC_IMAGE_MAGNIFICATION:
        if (code != CBN_SELCHANGE)
            return FALSE;
        EnableApplyButton(dialog);
        return TRUE;
    case IDC_IMAGE_DEFAULTS:
        OnDefaultsClicked(dialog);
        return TRUE;
    case IDOK:
        // Enter on the closed pattern list commits to its entry: "Browse ..." browses.
        if (BrowseChosenWithEnter(dialog)) {
            BrowseForPattern(dialog);
            return TRUE;
        }
        return HandleSavingFrameButton(dialog, id, SaveImageOptions);
    default:
        return HandleSavingFrameButton(dialog, id, SaveImageOptions);
    }
}

void ShowBarValue(HWND dialog, const TrackBar& bar) {
    if (bar.labelId != 0)
        WriteValueLabel(dialog, bar, TrackBarPosition(dialog, bar.id), kLabelSection);
}

// Every notification of a bar updates its label; the end of a mouse click or drag is a change
// Apply must save.
BOOL OnNotify(HWND dialog, const NMHDR* header) {
    const TrackBar* bar = FindTrackBar(static_cast<int>(header->idFrom));
    if (bar == nullptr)
        return FALSE;
    ShowBarValue(dialog, *bar);
    if (header->code == NM_RELEASEDCAPTURE)
        EnableApplyButton(dialog);
    return TRUE;
}

// Any change of position, by mouse or keyboard, shows the new value and is a change Apply must
// save; only while the thumb is being dragged does the label follow alone.
BOOL OnHorizontalScroll(HWND dialog, WORD code, HWND barWindow) {
    const TrackBar* bar = FindTrackBar(GetDlgCtrlID(barWindow));
    if (bar == nullptr)
        return FALSE;
    ShowBarValue(dialog, *bar);
    if (code != TB_THUMBTRACK)
        EnableApplyButton(dialog);
    return TRUE;
}

// The pictures heading the emboss and ink columns, cyan transparent.
BOOL OnDrawItem(const DRAWITEMSTRUCT* item) {
    UINT bitmap = item->CtlID == IDC_IMAGE_EMBOSS_PICTURE ? IDB_BRAILLE_DOTS
                  : item->CtlID == IDC_IMAGE_INK_PICTURE  ? IDB_INK_DROP
                                                          : 0;
    if (bitmap == 0)
        return FALSE;
    DrawPictureItem(item, g_context->ResourceModule, bitmap);
    return TRUE;
}

} // namespace

INT_PTR CALLBACK ImageOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<const ImageOptionsParam*>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(dialog, reinterpret_cast<const NMHDR*>(lParam));
    case WM_HSCROLL:
        return OnHorizontalScroll(dialog, LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    default:
        return FALSE;
    }
}

INT_PTR ShowImageOptionsDialog(HWND owner, SettingsContext* context) {
    ImageOptionsParam param = {context};
    return ModuleDialogBoxParam(g_module, MAKEINTRESOURCEW(IDD_IMAGE_OPTIONS), owner,
                                ImageOptionsDialogProc, reinterpret_cast<LPARAM>(&param));
}
