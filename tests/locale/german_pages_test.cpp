// The printing preferences in German: the real locale library bound by the plug-in, reading the
// catalogue we ship, as a German installation has it.
#include "locale/locale_machine.h"
#include "support/preferences_fixture.h"

#include "resources/resource.h"

#include <objbase.h>

#include <algorithm>

namespace {

class GermanPagesTest : public PreferencesTest {
protected:
    void SetUp() override {
        PreferencesTest::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // the host's thread has COM
    }
    void TearDown() override {
        PreferencesTest::TearDown();
        CoUninitialize();
        EXPECT_EQ(sim::OpenFileHandles(), 0u);
    }
    static bool Holds(const std::vector<std::u16string>& items, const char16_t* text) {
        return std::find(items.begin(), items.end(), text) != items.end();
    }
};

TEST_F(GermanPagesTest, PagesTitlesListsAndMessagesAreGerman) {
    InstallGerman();
    OpenPreferences();
    ASSERT_NE(context()->LocaleInstance, nullptr);
    std::vector<sim::SheetPage> pages = sim::SheetPages(sheet());
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[kLayoutPage].title, u"Layout");
    EXPECT_EQ(pages[kPaperPage].title, u"Papier/Medien");
    EXPECT_EQ(pages[kMainPage].title, u"Tarvik");

    HWND layout = ShowPage(kLayoutPage);
    EXPECT_EQ(sim::ControlText(layout, IDC_LAYOUT_DOUBLE_SIDED), u"&Doppelseitig (Interpunkt)");

    HWND paper = ShowPage(kPaperPage);
    EXPECT_EQ(sim::ControlText(paper, IDC_PAPER_ADVANCED), u"Er&weitert ...");
    EXPECT_TRUE(
        Holds(sim::ComboItems(paper, IDC_PAPER_MEDIA_TYPE), u"Standard 1 (Punktschriftpapier)"));

    HWND main = ShowPage(kMainPage);
    EXPECT_EQ(sim::ControlText(main, IDC_MAIN_EMBOSS), u"&Prägen");
    EXPECT_EQ(sim::ControlText(main, IDC_MAIN_DOT_QUALITY_LABEL), u"Punktqualität");
    EXPECT_EQ(sim::ComboItems(main, IDC_MAIN_DOT_QUALITY),
              (std::vector<std::u16string>{u"Entwurf", u"Standard", u"Beste"}));

    sim::QueueMessageBoxAnswer(IDNO);
    sim::Click(main, IDC_MAIN_DEFAULTS);
    ASSERT_EQ(sim::MessageBoxLog().size(), 1u);
    EXPECT_EQ(sim::MessageBoxLog()[0].text, u"Einstellungen auf die Standardwerte zurücksetzen?");
    EXPECT_EQ(sim::MessageBoxLog()[0].caption, u"Auf Standard zurücksetzen");

    // A dialog behind the page: its caption, its texts and value labels. One text per page and
    // class of control: the others take the same way, and that each has its translation is
    // scripts/test_resources.py's.
    sim::ScriptModalDialog(IDD_IMAGE_OPTIONS, [](HWND dialog) {
        EXPECT_EQ(sim::WindowText(dialog), u"Erweitert - Tarvik Embosser");
        EXPECT_EQ(sim::ControlText(dialog, IDC_IMAGE_CONTRAST_LABEL), u"Kontrast 0");
        EXPECT_EQ(sim::ControlText(dialog, IDC_IMAGE_THIN_LINE_GROUP), u"Stärke dünner Linien");
        EXPECT_EQ(sim::ControlText(dialog, IDC_APPLY_BUTTON), u"Ü&bernehmen");
        sim::DragTrackBar(dialog, IDC_IMAGE_BRIGHTNESS, 20);
        EXPECT_EQ(sim::ControlText(dialog, IDC_IMAGE_BRIGHTNESS_LABEL), u"Helligkeit 20");
        sim::Click(dialog, IDCANCEL);
    });
    sim::Click(main, IDC_MAIN_MORE_OPTIONS);
}

} // namespace
