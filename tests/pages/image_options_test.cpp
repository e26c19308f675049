// The image options dialog behind the main page's "&More Options ...".
#include "support/fake_siblings.h"
#include "support/preferences_fixture.h"

#include "resources/resource.h"
#include "settings/settings_context.h"
#include "settings/ui_strings.h"

#include <objbase.h>

#include <algorithm>

namespace {

const char16_t kUninstall[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char16_t kPatterns[] = u"C:\\ProgramData\\Quorvane\\Tarvik\\Patterns";

class ImageOptionsTest : public PreferencesTest {
protected:
    void SetUp() override {
        PreferencesTest::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // the host's thread has COM
    }
    void TearDown() override {
        PreferencesTest::TearDown();
        CoUninitialize();
        EXPECT_EQ(sim::ShellLeakReport(), "");
    }
    static void InstallSuite(const char16_t* key, const char16_t* name, const char16_t* version) {
        std::u16string path = std::u16string(kUninstall) + u"\\" + key;
        sim::SetRegistryString(HKEY_LOCAL_MACHINE, path, u"DisplayName", name);
        sim::SetRegistryString(HKEY_LOCAL_MACHINE, path, u"DisplayVersion", version);
    }
    // Opens the main page and the dialog; the script is the person in it.
    void UseImageOptions(sim::DialogScript script) {
        if (main_ == nullptr) {
            OpenPreferences();
            main_ = ShowPage(kMainPage);
        }
        sim::ScriptModalDialog(IDD_IMAGE_OPTIONS, std::move(script));
        sim::Click(main_, IDC_MAIN_MORE_OPTIONS);
    }
    HWND main_ = nullptr;
};

TEST_F(ImageOptionsTest, PatternsNeedTheCompanionSuiteOfVersionEight) {
    InstallSuite(u"{1-old}", u"Tarvik Software Suite", u"7.9");
    sim::WritePrinterDword(kPrinterName, "Config", "ColorPattern", 5);
    UseImageOptions([](HWND dialog) {
        EXPECT_EQ(sim::WindowText(dialog), u"Advanced - Tarvik Embosser");
        EXPECT_FALSE(sim::IsVisible(dialog, IDC_IMAGE_APPLY_PATTERNS));
        EXPECT_FALSE(sim::IsVisible(dialog, IDC_IMAGE_PATTERN));
        EXPECT_FALSE(sim::IsVisible(dialog, IDC_IMAGE_PATTERN_LABEL));
        sim::Click(dialog, IDC_IMAGE_INVERT);
        sim::Click(dialog, IDOK);
    });
    EXPECT_EQ(ConfigDword("ColorPattern"), 0u) << "no suite, no pattern";
    EXPECT_EQ(ConfigDword("InvertColor"), 1u);

    // Uninstall entries are enumerated in name order: the old suite, listed first, does not hide
    // a newer one.
    InstallSuite(u"{2-new}", u"TARVIK SOFTWARE SUITE 2026", u"10.2");
    UseImageOptions([](HWND dialog) {
        EXPECT_TRUE(sim::IsVisible(dialog, IDC_IMAGE_APPLY_PATTERNS));
        EXPECT_FALSE(sim::IsChecked(dialog, IDC_IMAGE_APPLY_PATTERNS));
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_IMAGE_PATTERN));
        EXPECT_EQ(sim::ComboItems(dialog, IDC_IMAGE_PATTERN),
                  (std::vector<std::u16string>{
                      u"Browse ...", u"C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\Default.dat",
                      u"Automatic Pattern", u"Chessboard Pattern"}));
        sim::Click(dialog, IDC_IMAGE_APPLY_PATTERNS);
        sim::SelectComboItem(dialog, IDC_IMAGE_PATTERN, u"Chessboard Pattern");
        sim::Click(dialog, IDOK);
    });
    EXPECT_EQ(ConfigDword("ColorPattern"), 5u);
    UseImageOptions([](HWND dialog) {
        EXPECT_EQ(sim::ComboSelection(dialog, IDC_IMAGE_PATTERN), 3);
        sim::Click(dialog, IDCANCEL);
    });
}

TEST_F(ImageOptionsTest, BrowsingChoosesAPatternFileAndRemembersItsName) {
    InstallSuite(u"suite", u"Tarvik Software Suite", u"8.0");
    sim::CreateRegistryKey(HKEY_CURRENT_USER, u"SOFTWARE\\Quorvane\\Patterns");
    sim::AddFolder(kPatterns);
    sim::AddFile(std::u16string(kPatterns) + u"\\Waves.dat");
    sim::QueueFileOpenCancel();
    sim::QueueFileOpenAnswer(std::u16string(kPatterns) + u"\\Waves.dat");
    UseImageOptions([](HWND dialog) {
        sim::Click(dialog, IDC_IMAGE_APPLY_PATTERNS);
        sim::SelectComboItem(dialog, IDC_IMAGE_PATTERN, 0); // cancelled
        EXPECT_EQ(sim::ComboSelection(dialog, IDC_IMAGE_PATTERN), 0) << "stays on Browse";
        sim::SelectComboItem(dialog, IDC_IMAGE_PATTERN, 2);
        sim::SelectComboItem(dialog, IDC_IMAGE_PATTERN, 0); // chosen
        EXPECT_EQ(sim::ComboSelection(dialog, IDC_IMAGE_PATTERN), 1);
        EXPECT_EQ(sim::ComboItems(dialog, IDC_IMAGE_PATTERN)[1],
                  u"C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\Waves.dat");
        sim::Click(dialog, IDOK);
    });
    ASSERT_EQ(sim::FileOpenLog().size(), 2u);
    const sim::FileOpenShow& shown = sim::FileOpenLog()[0];
    EXPECT_EQ(shown.folder, kPatterns);
    ASSERT_EQ(shown.fileTypes.size(), 2u);
    EXPECT_EQ(shown.fileTypes[0].first, u"Pattern Files (*.dat)");
    EXPECT_EQ(shown.fileTypes[0].second, u"*.DAT");
    EXPECT_EQ(shown.fileTypes[1].first, u"All Files (*.*)");
    EXPECT_EQ(shown.fileTypes[1].second, u"*.*");
    EXPECT_TRUE(shown.options & FOS_FILEMUSTEXIST);
    EXPECT_EQ(ConfigDword("ColorPattern"), 1u);
    EXPECT_EQ(ConfigString("CustomPatternFileName"),
              u"C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\Waves.dat");
    auto stored = sim::GetRegistryValue(HKEY_CURRENT_USER, u"SOFTWARE\\Quorvane\\Patterns",
                                        u"CurrentPattern");
    ASSERT_TRUE(stored);
    // The plug-in writes the name alone; Windows counts the terminator that follows it.
    EXPECT_EQ(stored->data.size(), 20u) << "the file name with the terminator Windows adds";
}

TEST_F(ImageOptionsTest, EveryChangeOfATrackBarIsLabelledAndSaved) {
    sim::WritePrinterDword(kPrinterName, "Config", "Contrast", static_cast<DWORD>(-100));
    sim::WritePrinterDword(kPrinterName, "Config", "ThinLineIntensity", 4);
    UseImageOptions([](HWND dialog) {
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_IMAGE_CONTRAST, TBM_GETPOS, 0, 0), -100);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_IMAGE_CONTRAST, TBM_GETRANGEMIN, 0, 0), -100);
        EXPECT_EQ(sim::ControlText(dialog, IDC_IMAGE_CONTRAST_LABEL), u"Contrast -100");
        EXPECT_EQ(sim::ControlText(dialog, IDC_IMAGE_BRIGHTNESS_LABEL), u"Brightness 0");
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_IMAGE_THIN_LINE, TBM_GETPOS, 0, 0), 4);
        // The column pictures, drawn with their cyan background transparent.
        sim::Paint(dialog);
        for (auto [id, bitmap] : {std::pair<int, int>{IDC_IMAGE_EMBOSS_PICTURE, IDB_BRAILLE_DOTS},
                                  std::pair<int, int>{IDC_IMAGE_INK_PICTURE, IDB_INK_DROP}}) {
            HWND picture = sim::Control(dialog, id);
            EXPECT_EQ(sim::LastBitmapDrawnInto(picture), bitmap);
            ASSERT_NE(sim::LastDrawInto(picture), nullptr);
            EXPECT_EQ(sim::LastDrawInto(picture)->transparent, RGB(0, 255, 255));
        }

        // While the thumb is dragged only the label follows.
        HWND bar = GetDlgItem(dialog, IDC_IMAGE_BRIGHTNESS);
        SendDlgItemMessageW(dialog, IDC_IMAGE_BRIGHTNESS, TBM_SETPOS, TRUE, 7);
        SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 7),
                     reinterpret_cast<LPARAM>(bar));
        EXPECT_EQ(sim::ControlText(dialog, IDC_IMAGE_BRIGHTNESS_LABEL), u"Brightness 7");
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON)) << "a drag still in progress";
        SendDlgItemMessageW(dialog, IDC_IMAGE_BRIGHTNESS, TBM_SETPOS, TRUE, 0);

        sim::PressKeyOnTrackBar(dialog, IDC_IMAGE_BRIGHTNESS, VK_RIGHT);
        EXPECT_EQ(sim::ControlText(dialog, IDC_IMAGE_BRIGHTNESS_LABEL), u"Brightness 1");
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON)) << "the keyboard changes too";
        sim::Click(dialog, IDOK);
    });
    EXPECT_EQ(ConfigDword("Brightness"), 1u) << "OK keeps what the keyboard did";

    // Each key's scroll code counts on its own, also on the bar without a label.
    const UINT keys[] = {VK_LEFT, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END};
    const DWORD thinLines[] = {3, 2, 3, 2, 3, 0, 6};
    for (size_t i = 0; i < ARRAYSIZE(keys); ++i) {
        UseImageOptions([&](HWND dialog) {
            sim::PressKeyOnTrackBar(dialog, IDC_IMAGE_THIN_LINE, keys[i]);
            EXPECT_TRUE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON)) << "key " << keys[i];
            sim::Click(dialog, IDOK);
        });
        EXPECT_EQ(ConfigDword("ThinLineIntensity"), thinLines[i]) << "key " << keys[i];
    }

    UseImageOptions([](HWND dialog) {
        sim::DragTrackBar(dialog, IDC_IMAGE_INK_CONTRAST, {10, 30, 40});
        EXPECT_EQ(sim::ControlText(dialog, IDC_IMAGE_INK_CONTRAST_LABEL), u"Contrast 40");
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        sim::Click(dialog, IDC_APPLY_BUTTON);
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        sim::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(ConfigDword("InkContrast"), 40u);
    EXPECT_EQ(ConfigDword("Contrast"), static_cast<DWORD>(-100));
}

TEST_F(ImageOptionsTest, ValueLabelsTakeTheirWordsFromTheLocaleLibrary) {
    InstallFakeLocale();
    Locale().strings[u"Contrast"] = u"Contraste";
    Locale().sectionStrings[{u"Label", u"Contrast"}] = u"Kontrast";
    Locale().sectionStrings[{u"Label", u"Brightness"}] = u"Helligkeit";
    UseImageOptions([](HWND dialog) {
        // Set up with the plain translation; the bars' first paint already notifies, so what
        // shows is the "Label" word.
        EXPECT_NE(
            std::find(Locale().askedStrings.begin(), Locale().askedStrings.end(), u"Contrast"),
            Locale().askedStrings.end());
        EXPECT_EQ(sim::ControlText(dialog, IDC_IMAGE_BRIGHTNESS_LABEL), u"Helligkeit 0");
        sim::PressKeyOnTrackBar(dialog, IDC_IMAGE_CONTRAST, VK_RIGHT);
        EXPECT_EQ(sim::ControlText(dialog, IDC_IMAGE_CONTRAST_LABEL), u"Kontrast 1");
        sim::DragTrackBar(dialog, IDC_IMAGE_BRIGHTNESS, 5);
        EXPECT_EQ(sim::ControlText(dialog, IDC_IMAGE_BRIGHTNESS_LABEL), u"Helligkeit 5");

        // A word without a terminator is read to the bound and the label cut to its field.
        Locale().rawAnswer = TextEndingAtUnreadableMemory(5000, u'W');
        sim::PressKeyOnTrackBar(dialog, IDC_IMAGE_CONTRAST, VK_RIGHT);
        EXPECT_EQ(sim::ControlText(dialog, IDC_IMAGE_CONTRAST_LABEL),
                  std::u16string(kNameChars - 1, u'W'));
        Locale().rawAnswer = nullptr;
        sim::Click(dialog, IDCANCEL);
    });
}

TEST_F(ImageOptionsTest, OnlyACommittedBrowseOpensTheChooser) {
    InstallSuite(u"suite", u"Tarvik Software Suite", u"8.0");
    sim::AddFolder(kPatterns);
    sim::AddFile(std::u16string(kPatterns) + u"\\Waves.dat");
    sim::WritePrinterDword(kPrinterName, "Config", "ColorPattern", 2);
    UseImageOptions([](HWND dialog) {
        // Arrowing up through the closed list passes "Browse ..." without opening anything.
        sim::PressKeyOnComboBox(dialog, IDC_IMAGE_PATTERN, VK_UP);
        sim::PressKeyOnComboBox(dialog, IDC_IMAGE_PATTERN, VK_UP);
        EXPECT_EQ(sim::ComboSelection(dialog, IDC_IMAGE_PATTERN), 0);
        EXPECT_TRUE(sim::FileOpenLog().empty());
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON)) << "the selection is a change";
        sim::PressKeyOnComboBox(dialog, IDC_IMAGE_PATTERN, VK_DOWN);
        sim::PressKeyOnComboBox(dialog, IDC_IMAGE_PATTERN, VK_HOME);
        EXPECT_TRUE(sim::FileOpenLog().empty());

        // Enter on it commits: the chooser opens and the dialog stays.
        sim::QueueFileOpenCancel();
        sim::PressKeyOnComboBox(dialog, IDC_IMAGE_PATTERN, VK_RETURN);
        EXPECT_EQ(sim::FileOpenLog().size(), 1u);

        // So does closing the open list on it, with the keyboard or by a pick with the mouse.
        sim::QueueFileOpenCancel();
        sim::PressKeyOnComboBox(dialog, IDC_IMAGE_PATTERN, VK_F4);
        EXPECT_EQ(sim::FileOpenLog().size(), 1u) << "opening the list commits to nothing";
        sim::PressKeyOnComboBox(dialog, IDC_IMAGE_PATTERN, VK_DOWN);
        sim::PressKeyOnComboBox(dialog, IDC_IMAGE_PATTERN, VK_UP);
        EXPECT_EQ(sim::FileOpenLog().size(), 1u) << "moving in the open list commits to nothing";
        sim::PressKeyOnComboBox(dialog, IDC_IMAGE_PATTERN, VK_RETURN);
        EXPECT_EQ(sim::FileOpenLog().size(), 2u);
        sim::QueueFileOpenAnswer(std::u16string(kPatterns) + u"\\Waves.dat");
        sim::SelectComboItem(dialog, IDC_IMAGE_PATTERN, 0);
        EXPECT_EQ(sim::FileOpenLog().size(), 3u);
        EXPECT_EQ(sim::ComboSelection(dialog, IDC_IMAGE_PATTERN), 1);

        // Enter elsewhere in the list is the dialog's OK.
        sim::PressKeyOnComboBox(dialog, IDC_IMAGE_PATTERN, VK_DOWN);
        sim::PressKeyOnComboBox(dialog, IDC_IMAGE_PATTERN, VK_RETURN);
    });
    EXPECT_EQ(sim::FileOpenLog().size(), 3u);
    EXPECT_EQ(ConfigDword("ColorPattern"), 2u) << "saved by OK: the automatic pattern";
    EXPECT_EQ(ConfigString("CustomPatternFileName"),
              u"C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\Waves.dat");
}

TEST_F(ImageOptionsTest, DefaultsResetTheEmbossValuesButNotTheInkOnes) {
    sim::WritePrinterDword(kPrinterName, "Config", "Contrast", 30);
    sim::WritePrinterDword(kPrinterName, "Config", "InkContrast", 20);
    sim::WritePrinterDword(kPrinterName, "Config", "ThinLineIntensity", 5);
    UseImageOptions([](HWND dialog) {
        sim::QueueMessageBoxAnswer(IDYES);
        sim::Click(dialog, IDC_IMAGE_DEFAULTS);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_IMAGE_CONTRAST, TBM_GETPOS, 0, 0), 0);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_IMAGE_INK_CONTRAST, TBM_GETPOS, 0, 0), 20);
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        sim::Click(dialog, IDOK);
    });
    EXPECT_EQ(ConfigDword("Contrast"), 0u);
    EXPECT_EQ(ConfigDword("ThinLineIntensity"), 1u);
    EXPECT_EQ(ConfigDword("InkContrast"), 20u);
    EXPECT_EQ(sim::MessageBoxLog().back().caption, u"Reset To Default");
}

} // namespace
