// The image options dialog behind the main page's "&More Options ...".
#include "person/person.h"
#include "printer.h"

#include "resources/resource.h"

#include <commctrl.h>

#include <memory>

namespace {

const WCHAR kPatterns[] = TEXT("C:\\ProgramData\\Quorvane\\Tarvik\\Patterns");
const WCHAR kUserPatterns[] = TEXT("SOFTWARE\\Quorvane\\Patterns");

// The companion suite as its installation registers it, for as long as the object lives.
class Suite {
public:
    Suite(LPCWSTR key, LPCWSTR name, LPCWSTR version)
        : key_(std::wstring(TEXT("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\")) +
               key) {
        for (auto value : {std::make_pair(TEXT("DisplayName"), name),
                           std::make_pair(TEXT("DisplayVersion"), version)})
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_.c_str(), value.first, REG_SZ, value.second,
                            (lstrlenW(value.second) + 1) * sizeof(WCHAR));
    }
    ~Suite() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, key_.c_str()); }

private:
    std::wstring key_;
};

class ImageOptionsTest : public WineTest {
protected:
    // Opens the dialog from the main page; `script` is the person in it.
    void UseImageOptions(const DialogScript& script) {
        if (main_ == nullptr && sheet_->OpenPreferences(kPrinterName))
            main_ = sheet_->PageAt(kMainPage);
        sheet_->Answer(IDD_IMAGE_OPTIONS, script);
        EXPECT_TRUE(Click(main_, IDC_MAIN_MORE_OPTIONS));
    }
    void TearDown() override {
        sheet_.reset();
        WineTest::TearDown();
    }
    std::unique_ptr<Sheet> sheet_ = std::make_unique<Sheet>();
    HWND main_ = nullptr;
};

// The dialog with its pattern list shown and opened, once.
const bool kWarmUp = AddWarmUp([] {
    Suite suite(TEXT("suite"), TEXT("Tarvik Software Suite"), TEXT("8.0"));
    Sheet sheet;
    sheet.Answer(IDD_IMAGE_OPTIONS, [](HWND dialog) {
        Click(dialog, IDC_IMAGE_APPLY_PATTERNS);
        PressKey(dialog, IDC_IMAGE_PATTERN, VK_F4);
        PressKey(dialog, IDC_IMAGE_PATTERN, VK_F4);
        Click(dialog, IDCANCEL);
    });
    if (sheet.OpenPreferences(kPrinterName))
        Click(sheet.PageAt(kMainPage), IDC_MAIN_MORE_OPTIONS);
    sheet.Cancel();
});

TEST_F(ImageOptionsTest, PatternsNeedTheCompanionSuiteOfVersionEight) {
    SetConfigDword(TEXT("ColorPattern"), 5);
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW manage = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &printer, &manage);
    WCHAR path[] = TEXT("D:\\My.dat");
    SetPrinterDataExW(printer, TEXT("Config"), TEXT("CustomPatternFileName"), REG_SZ,
                      reinterpret_cast<BYTE*>(path), sizeof(path));
    ClosePrinter(printer);
    HKEY patterns = nullptr; // the user's key, without a current pattern
    RegCreateKeyExW(HKEY_CURRENT_USER, kUserPatterns, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &patterns, nullptr);
    RegDeleteValueW(patterns, TEXT("CurrentPattern"));
    RegCloseKey(patterns);
    Suite old(TEXT("{1-old}"), TEXT("Tarvik Software Suite"), TEXT("7.9"));
    std::wstring seen;
    UseImageOptions([&seen](HWND dialog) {
        seen = WindowText(dialog) + TEXT(" ") + ItemsOf(dialog, IDC_IMAGE_PATTERN)[1];
        for (int id : {IDC_IMAGE_APPLY_PATTERNS, IDC_IMAGE_PATTERN, IDC_IMAGE_PATTERN_LABEL})
            seen += std::to_wstring(IsShown(dialog, id));
        Click(dialog, IDC_IMAGE_INVERT);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(seen, TEXT("Advanced - Tarvik Embosser D:\\My.dat000"));
    EXPECT_EQ(ConfigDword(TEXT("ColorPattern")), 0u) << "no suite, no pattern";
    EXPECT_EQ(ConfigDword(TEXT("InvertColor")), 1u);
    EXPECT_EQ(ConfigText(TEXT("CustomPatternFileName")), TEXT("D:\\My.dat"));
    WCHAR current[MAX_PATH] = {};
    DWORD bytes = sizeof(current);
    RegGetValueW(HKEY_CURRENT_USER, kUserPatterns, TEXT("CurrentPattern"), RRF_RT_REG_SZ, nullptr,
                 current, &bytes);
    EXPECT_EQ(std::wstring(current), TEXT("My.dat")) << "the user's pattern is its file name";

    // Uninstall entries come in name order: the old suite, listed first, hides no newer one.
    Suite newer(TEXT("{2-new}"), TEXT("TARVIK SOFTWARE SUITE 2026"), TEXT("10.2"));
    UseImageOptions([&seen](HWND dialog) {
        seen = std::to_wstring(IsChecked(dialog, IDC_IMAGE_APPLY_PATTERNS)) +
               std::to_wstring(IsEnabled(dialog, IDC_IMAGE_PATTERN)) + TEXT(" ") +
               Joined(ItemsOf(dialog, IDC_IMAGE_PATTERN));
        Click(dialog, IDC_IMAGE_APPLY_PATTERNS);
        Choose(dialog, IDC_IMAGE_PATTERN, TEXT("Chessboard Pattern"));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(seen, TEXT("00 Browse ..., D:\\My.dat, Automatic Pattern, Chessboard Pattern"));
    EXPECT_EQ(ConfigDword(TEXT("ColorPattern")), 5u);
    UseImageOptions([&seen](HWND dialog) {
        seen = ChosenItem(dialog, IDC_IMAGE_PATTERN);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(seen, TEXT("Chessboard Pattern"));
    sheet_->Cancel();
}

// Arrowing through the closed pattern list, or through the open one, passes "Browse ..." without
// opening the chooser (one that came up would be a dialog nobody answered). What a committed
// browse does is not shown here: Wine's file-open dialog keeps a menu and a file handle each time
// it is shown (docs/wine-notes.md).
TEST_F(ImageOptionsTest, PassingBrowseOpensNothing) {
    Suite suite(TEXT("suite"), TEXT("Tarvik Software Suite"), TEXT("8.0"));
    SetConfigDword(TEXT("ColorPattern"), 2);
    RegSetKeyValueW(HKEY_CURRENT_USER, kUserPatterns, TEXT("CurrentPattern"), REG_SZ,
                    TEXT("Dots.dat"), 18);
    std::vector<std::wstring> seen;
    UseImageOptions([&seen](HWND dialog) {
        seen.push_back(ItemsOf(dialog, IDC_IMAGE_PATTERN)[1]);
        for (UINT key : {VK_UP, VK_UP})
            PressKey(dialog, IDC_IMAGE_PATTERN, key);
        seen.push_back(ChosenItem(dialog, IDC_IMAGE_PATTERN) +
                       std::to_wstring(IsEnabled(dialog, IDC_APPLY_BUTTON)));
        for (UINT key : {VK_F4, VK_DOWN, VK_UP, VK_DOWN, VK_F4}) // closed on the next item
            PressKey(dialog, IDC_IMAGE_PATTERN, key);
        Click(dialog, IDCANCEL);
    });
    // The user's current pattern, when recorded, is a file of the common patterns folder.
    EXPECT_EQ(Joined(seen), kPatterns + std::wstring(TEXT("\\Dots.dat, Browse ...1")));
    sheet_->Cancel();
}

TEST_F(ImageOptionsTest, EveryChangeOfATrackBarIsLabelledAndSaved) {
    SetConfigDword(TEXT("Contrast"), static_cast<DWORD>(-100));
    SetConfigDword(TEXT("ThinLineIntensity"), 4);
    std::wstring seen;
    UseImageOptions([&seen](HWND dialog) {
        seen = std::to_wstring(TrackBarPosition(dialog, IDC_IMAGE_CONTRAST)) +
               TextOf(dialog, IDC_IMAGE_CONTRAST_LABEL) +
               TextOf(dialog, IDC_IMAGE_BRIGHTNESS_LABEL) +
               std::to_wstring(TrackBarPosition(dialog, IDC_IMAGE_THIN_LINE));
        // While the thumb is dragged only the label follows.
        HWND bar = GetDlgItem(dialog, IDC_IMAGE_BRIGHTNESS);
        SendMessageW(bar, TBM_SETPOS, TRUE, 7);
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 7),
                     reinterpret_cast<LPARAM>(bar));
        seen += TextOf(dialog, IDC_IMAGE_BRIGHTNESS_LABEL) +
                std::to_wstring(IsEnabled(dialog, IDC_APPLY_BUTTON));
        SendMessageW(bar, TBM_SETPOS, TRUE, 0);
        MoveTrackBar(dialog, IDC_IMAGE_BRIGHTNESS, 1);
        seen += TextOf(dialog, IDC_IMAGE_BRIGHTNESS_LABEL) +
                std::to_wstring(IsEnabled(dialog, IDC_APPLY_BUTTON));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(seen, TEXT("-100Contrast -100Brightness 04Brightness 70Brightness 11"));
    EXPECT_EQ(ConfigDword(TEXT("Brightness")), 1u);

    // Each key's scroll code counts on its own, also on the bar without a label.
    const std::pair<UINT, DWORD> keys[] = {{VK_LEFT, 3}, {VK_UP, 2},   {VK_DOWN, 3}, {VK_PRIOR, 2},
                                           {VK_NEXT, 3}, {VK_HOME, 0}, {VK_END, 6}};
    for (auto [key, thinLine] : keys) {
        UseImageOptions([key = key](HWND dialog) {
            PressKey(dialog, IDC_IMAGE_THIN_LINE, key);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(ConfigDword(TEXT("ThinLineIntensity")), thinLine) << key;
    }

    UseImageOptions([&seen](HWND dialog) {
        MoveTrackBar(dialog, IDC_IMAGE_INK_CONTRAST, 40);
        Click(dialog, IDC_APPLY_BUTTON);
        seen = TextOf(dialog, IDC_IMAGE_INK_CONTRAST_LABEL) +
               std::to_wstring(IsEnabled(dialog, IDC_APPLY_BUTTON));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(seen, TEXT("Contrast 400"));
    EXPECT_EQ(ConfigDword(TEXT("InkContrast")), 40u) << "Cancel keeps what Apply saved";

    // The defaults are the emboss column's; the ink column keeps its values.
    sheet_->Answer(kMessageBox, [](HWND box) { Click(box, IDYES); });
    UseImageOptions([&seen](HWND dialog) {
        Click(dialog, IDC_IMAGE_DEFAULTS);
        seen = std::to_wstring(TrackBarPosition(dialog, IDC_IMAGE_CONTRAST)) +
               std::to_wstring(TrackBarPosition(dialog, IDC_IMAGE_INK_CONTRAST)) +
               std::to_wstring(IsEnabled(dialog, IDC_APPLY_BUTTON));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(seen, TEXT("0401"));
    for (auto value : {std::make_pair(TEXT("Contrast"), 0u),
                       {TEXT("Brightness"), 0u},
                       {TEXT("ThinLineIntensity"), 1u},
                       {TEXT("InkContrast"), 40u}})
        EXPECT_EQ(ConfigDword(value.first), value.second) << value.first;
    sheet_->Cancel();
}

} // namespace
