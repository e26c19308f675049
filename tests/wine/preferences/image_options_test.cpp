// The image options dialog behind the main page's "&More Options ...".
#include "person/person.h"
#include "printer.h"

#include "resources/resource.h"

#include <commctrl.h>

namespace {

// The companion suite as its installation registers it, for as long as the object lives.
struct Suite {
    Suite(LPCWSTR entry, LPCWSTR name, LPCWSTR version)
        : key(std::wstring(TEXT("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\")) +
              entry) {
        for (auto [value, text] :
             {std::pair(TEXT("DisplayName"), name), {TEXT("DisplayVersion"), version}})
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), value, REG_SZ, text,
                            (lstrlenW(text) + 1) * sizeof(WCHAR));
    }
    ~Suite() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str()); }
    const std::wstring key;
};

class ImageOptionsTest : public WineTest {};

// Opens the dialog from the main page of `sheet`, opened first when it is not; `script` is the
// person in it.
void UseImageOptions(Sheet& sheet, const DialogScript& script) {
    if (sheet.window() == nullptr)
        sheet.OpenPreferences(kPrinterName);
    sheet.Answer(IDD_IMAGE_OPTIONS, script);
    EXPECT_TRUE(Click(sheet.PageAt(kMainPage), IDC_MAIN_MORE_OPTIONS));
}

// Arrowing through the closed pattern list, or through the open one, passes "Browse ..." without
// opening the chooser (one that came up would be a dialog nobody answered). What a committed
// browse does is not shown here: Wine's file-open dialog keeps a menu and a file handle each time
// it is shown (docs/wine-notes.md).
TEST_F(ImageOptionsTest, PatternsNeedTheCompanionSuiteOfVersionEightAndEveryTrackBarChangeIsSaved) {
    SetConfigDword(TEXT("ColorPattern"), 5);
    SetConfigDword(TEXT("Contrast"), static_cast<DWORD>(-100));
    SetConfigDword(TEXT("ThinLineIntensity"), 4);
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kConfigPath, TEXT("CustomPatternFileName"), REG_SZ,
                    TEXT("D:\\My.dat"), 20);
    const WCHAR patterns[] = TEXT("SOFTWARE\\Quorvane\\Patterns");
    RegSetKeyValueW(HKEY_CURRENT_USER, patterns, TEXT("CurrentPattern"), REG_SZ, nullptr, 0);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, patterns, TEXT("CurrentPattern"));
    Suite old(TEXT("{1-old}"), TEXT("Tarvik Software Suite"), TEXT("7.9"));
    Sheet sheet;
    std::wstring seen;
    UseImageOptions(sheet, [&seen](HWND dialog) {
        seen = States(IsShown, dialog,
                      {IDC_IMAGE_APPLY_PATTERNS, IDC_IMAGE_PATTERN, IDC_IMAGE_PATTERN_LABEL});
        Click(dialog, IDC_IMAGE_INVERT);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(seen + TEXT(" ") + Stored({TEXT("ColorPattern"), TEXT("InvertColor")}),
              TEXT("000 0 1"))
        << "no suite, no pattern";

    // Uninstall entries come in name order: the old suite, listed first, hides no newer one.
    Suite newer(TEXT("{2-new}"), TEXT("TARVIK SOFTWARE SUITE 2026"), TEXT("10.2"));
    UseImageOptions(sheet, [&seen](HWND dialog) {
        seen = States(IsChecked, dialog, {IDC_IMAGE_APPLY_PATTERNS}) +
               States(IsEnabled, dialog, {IDC_IMAGE_PATTERN}) + TEXT(" ") +
               Joined(ItemsOf(dialog, IDC_IMAGE_PATTERN));
        Click(dialog, IDC_IMAGE_APPLY_PATTERNS);
        PressKey(dialog, IDC_IMAGE_PATTERN, VK_UP);
        seen += TEXT(" ") + ChosenItem(dialog, IDC_IMAGE_PATTERN) +
                States(IsEnabled, dialog, {IDC_APPLY_BUTTON});
        for (UINT key : {VK_F4, VK_DOWN, VK_UP, VK_DOWN, VK_F4}) // closed on the next item
            PressKey(dialog, IDC_IMAGE_PATTERN, key);
        Choose(dialog, IDC_IMAGE_PATTERN, TEXT("Chessboard Pattern"));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(seen, TEXT("00 Browse ..., D:\\My.dat, Automatic Pattern, Chessboard Pattern "
                         "Browse ...1"));
    EXPECT_EQ(Stored({TEXT("ColorPattern")}), TEXT("5"));

    // The user's current pattern is the file's name, found in the common patterns folder. Every
    // change of a track bar is labelled and saved.
    sheet.Cancel();
    Sheet next;
    UseImageOptions(next, [&seen](HWND dialog) {
        seen = ChosenItem(dialog, IDC_IMAGE_PATTERN) + TEXT(", ") +
               ItemsOf(dialog, IDC_IMAGE_PATTERN)[1] + TEXT(" ") +
               std::to_wstring(TrackBarPosition(dialog, IDC_IMAGE_CONTRAST)) +
               TextOf(dialog, IDC_IMAGE_CONTRAST_LABEL) +
               TextOf(dialog, IDC_IMAGE_BRIGHTNESS_LABEL) +
               std::to_wstring(TrackBarPosition(dialog, IDC_IMAGE_THIN_LINE));
        // While the thumb is dragged only the label follows.
        HWND bar = GetDlgItem(dialog, IDC_IMAGE_BRIGHTNESS);
        SendMessageW(bar, TBM_SETPOS, TRUE, 7);
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 7),
                     reinterpret_cast<LPARAM>(bar));
        seen += TextOf(dialog, IDC_IMAGE_BRIGHTNESS_LABEL) +
                States(IsEnabled, dialog, {IDC_APPLY_BUTTON});
        SendMessageW(bar, TBM_SETPOS, TRUE, 0);
        MoveTrackBar(dialog, IDC_IMAGE_BRIGHTNESS, 1);
        seen += TextOf(dialog, IDC_IMAGE_BRIGHTNESS_LABEL) +
                States(IsEnabled, dialog, {IDC_APPLY_BUTTON});
        Click(dialog, IDOK);
    });
    EXPECT_EQ(seen + Stored({TEXT("Brightness")}),
              TEXT("Chessboard Pattern, C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\My.dat "
                   "-100Contrast -100Brightness 04Brightness 70Brightness 111"));

    // Each key's scroll code counts on its own, also on the bar without a label.
    UseImageOptions(next, [&seen](HWND dialog) {
        seen.clear();
        for (UINT key : {VK_LEFT, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END}) {
            PressKey(dialog, IDC_IMAGE_THIN_LINE, key);
            Click(dialog, IDC_APPLY_BUTTON);
            seen += Stored({TEXT("ThinLineIntensity")});
        }
        MoveTrackBar(dialog, IDC_IMAGE_INK_CONTRAST, 40);
        Click(dialog, IDC_APPLY_BUTTON);
        seen += TEXT(" ") + TextOf(dialog, IDC_IMAGE_INK_CONTRAST_LABEL) +
                States(IsEnabled, dialog, {IDC_APPLY_BUTTON});
        Click(dialog, IDCANCEL); // keeps what Apply saved
    });
    EXPECT_EQ(seen + Stored({TEXT("InkContrast")}), TEXT("3232306 Contrast 40040"));

    // The defaults are the emboss column's; the ink column keeps its values.
    next.Answer(kMessageBox, [](HWND box) { Click(box, IDYES); });
    UseImageOptions(next, [&seen](HWND dialog) {
        Click(dialog, IDC_IMAGE_DEFAULTS);
        seen = std::to_wstring(TrackBarPosition(dialog, IDC_IMAGE_CONTRAST)) +
               std::to_wstring(TrackBarPosition(dialog, IDC_IMAGE_INK_CONTRAST)) +
               States(IsEnabled, dialog, {IDC_APPLY_BUTTON});
        Click(dialog, IDOK);
    });
    EXPECT_EQ(seen + TEXT(" ") +
                  Stored({TEXT("Contrast"), TEXT("Brightness"), TEXT("ThinLineIntensity"),
                          TEXT("InkContrast")}),
              TEXT("0401 0 0 1 40"));
}

} // namespace
