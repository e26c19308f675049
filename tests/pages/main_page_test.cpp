// The main page as a person uses it: embossing, printing, 2-in-1, qualities, defaults.
#include "support/preferences_fixture.h"

#include "resources/resource.h"
#include "settings/settings_context.h"

namespace {

class MainPageTest : public PreferencesTest {
protected:
    HWND OpenMainPage() {
        OpenPreferences();
        return ShowPage(kMainPage);
    }
    // Answers the 2-in-1 notice: Yes or No, with the opt-out box ticked or not.
    static void ScriptTwoInOneNotice(bool yes, bool optOut) {
        sim::ScriptModalDialog(IDD_NOTICE, [=](HWND notice) {
            EXPECT_FALSE(sim::IsVisible(notice, IDC_NOTICE_OK));
            EXPECT_TRUE(sim::IsVisible(notice, IDC_NOTICE_OPT_OUT));
            EXPECT_EQ(sim::ControlText(notice, IDC_NOTICE_NO), u"&No");
            EXPECT_NE(sim::ControlText(notice, IDC_NOTICE_TEXT).find(u"2 In 1 mode"),
                      std::u16string::npos);
            if (optOut)
                sim::Click(notice, IDC_NOTICE_OPT_OUT);
            sim::Click(notice, yes ? IDC_NOTICE_YES : IDC_NOTICE_NO);
        });
    }
};

TEST_F(MainPageTest, ShowsTheStoredChoicesWithTheirLists) {
    sim::WritePrinterDword(kPrinterName, "Config", "DotHeight", 7);
    sim::WritePrinterDword(kPrinterName, "Config", "InkDithering", 9);
    sim::WritePrinterDword(kPrinterName, "Config", "DotQuality", 2);
    sim::WritePrinterDword(kPrinterName, "Config", "TwoPassPrint", 2);
    HWND page = OpenMainPage();
    EXPECT_EQ(sim::ComboItems(page, IDC_MAIN_DOT_QUALITY),
              (std::vector<std::u16string>{u"Draft", u"Standard", u"Best"}));
    EXPECT_EQ(sim::ComboItems(page, IDC_MAIN_BRAILLE_HEIGHT),
              (std::vector<std::u16string>{u"High", u"Normal", u"Low"}));
    EXPECT_EQ(sim::ComboItems(page, IDC_MAIN_PRINT_QUALITY),
              (std::vector<std::u16string>{u"Draft", u"Normal", u"Best"}));
    EXPECT_EQ(sim::ComboItems(page, IDC_MAIN_RENDER_MODE).size(), 6u);
    EXPECT_EQ(sim::ComboSelection(page, IDC_MAIN_DOT_QUALITY), 2);
    EXPECT_EQ(sim::ComboSelection(page, IDC_MAIN_BRAILLE_HEIGHT), 1) << "7 shows Normal";
    EXPECT_EQ(sim::ComboSelection(page, IDC_MAIN_RENDER_MODE), 0) << "9 shows Monochrome";
    EXPECT_EQ(sim::ComboSelection(page, IDC_MAIN_PRINT_QUALITY), 1);
    EXPECT_TRUE(sim::IsChecked(page, IDC_MAIN_EMBOSS));
    EXPECT_TRUE(sim::IsChecked(page, IDC_MAIN_PRINT));
    EXPECT_TRUE(sim::IsChecked(page, IDC_MAIN_BACK_INK_PAGES));
    // Single-sided output: the back-side ink choice does not apply; the picture shows the
    // stored two-pass choice.
    EXPECT_FALSE(sim::IsEnabled(page, IDC_MAIN_BACK_INK_PAGES));
    EXPECT_FALSE(sim::IsVisible(page, IDC_MAIN_BACK_SIDE_PICTURE));
    EXPECT_TRUE(sim::IsVisible(page, IDC_MAIN_TWO_PASS_PICTURE));
    EXPECT_FALSE(sim::IsApplyEnabled(sheet()));

    // Any change saves every value, the unshown ones corrected.
    sim::Click(page, IDC_MAIN_EMBOSS_STANDARD_TEXT);
    EXPECT_TRUE(sim::IsApplyEnabled(sheet()));
    sim::PressApply(sheet());
    EXPECT_EQ(ConfigDword("DotHeight"), 1u);
    EXPECT_EQ(ConfigDword("InkDithering"), 0u);
    EXPECT_EQ(ConfigDword("DotQuality"), 2u);
    EXPECT_EQ(ConfigDword("EmbossStandardTexts"), 1u);
    EXPECT_EQ(ConfigDword("RenderMode"), 2u) << "written although no control shows it";
    EXPECT_EQ(ConfigDword("TwoPassPrint"), 2u);
    EXPECT_EQ(context()->PageDirty, 0u);
}

TEST_F(MainPageTest, SomethingIsAlwaysProduced) {
    HWND page = OpenMainPage();
    sim::Click(page, IDC_MAIN_PRINT); // printing off
    EXPECT_FALSE(sim::IsEnabled(page, IDC_MAIN_PRINT_QUALITY));
    sim::PressApply(sheet());
    EXPECT_EQ(ConfigDword("InkMode"), 0u);

    sim::Click(page, IDC_MAIN_EMBOSS); // refused: nothing would be produced
    EXPECT_TRUE(sim::IsChecked(page, IDC_MAIN_EMBOSS));
    EXPECT_TRUE(sim::IsEnabled(page, IDC_MAIN_DOT_QUALITY));
    EXPECT_FALSE(sim::IsApplyEnabled(sheet())) << "a refused click changes nothing";

    sim::Click(page, IDC_MAIN_PRINT);  // printing on again
    sim::Click(page, IDC_MAIN_EMBOSS); // embossing off is allowed now
    EXPECT_FALSE(sim::IsEnabled(page, IDC_MAIN_DOT_QUALITY));
    sim::Click(page, IDC_MAIN_PRINT); // printing off turns embossing back on
    EXPECT_TRUE(sim::IsChecked(page, IDC_MAIN_EMBOSS));
    EXPECT_TRUE(sim::IsEnabled(page, IDC_MAIN_DOT_QUALITY));
}

TEST_F(MainPageTest, TwoInOneAsksOnceAndTurnsBothOutputsOn) {
    HWND page = OpenMainPage();
    sim::Click(page, IDC_MAIN_PRINT);
    sim::PressApply(sheet());

    ScriptTwoInOneNotice(false, true);
    sim::Click(page, IDC_MAIN_TWO_IN_ONE);
    EXPECT_FALSE(sim::IsChecked(page, IDC_MAIN_TWO_IN_ONE)) << "No turns it off again";
    EXPECT_FALSE(sim::IsApplyEnabled(sheet()));
    EXPECT_EQ(ConfigDword("Show2In1Warning"), 1u) << "No with the box ticked writes nothing";
    EXPECT_EQ(context()->TwoInOneCurrent, 0u);

    ScriptTwoInOneNotice(true, true);
    sim::Click(page, IDC_MAIN_TWO_IN_ONE);
    EXPECT_TRUE(sim::IsChecked(page, IDC_MAIN_TWO_IN_ONE));
    EXPECT_TRUE(sim::IsChecked(page, IDC_MAIN_PRINT)) << "2-in-1 prints as well";
    EXPECT_TRUE(sim::IsEnabled(page, IDC_MAIN_PRINT_QUALITY));
    EXPECT_EQ(ConfigDword("Show2In1Warning"), 0u);
    EXPECT_EQ(context()->TwoInOneCurrent, 1u);
    EXPECT_TRUE(sim::IsApplyEnabled(sheet()));

    sim::Click(page, IDC_MAIN_EMBOSS);
    EXPECT_FALSE(sim::IsChecked(page, IDC_MAIN_TWO_IN_ONE)) << "without embossing";
    EXPECT_EQ(context()->TwoInOneCurrent, 1u) << "only a direct click changes the choice";
    sim::Click(page, IDC_MAIN_TWO_IN_ONE); // asked no more
    EXPECT_TRUE(sim::IsChecked(page, IDC_MAIN_EMBOSS));
    sim::PressApply(sheet());
    EXPECT_EQ(ConfigDword("TwoInOne"), 1u);
    EXPECT_EQ(ConfigDword("EmbossMode"), 1u);
    EXPECT_EQ(ConfigDword("InkMode"), 1u);
    EXPECT_EQ(sim::ModalDialogLog().size(), 2u);
}

TEST_F(MainPageTest, EscapeInTheNoticeCountsAsYes) {
    HWND page = OpenMainPage();
    sim::ScriptModalDialog(IDD_NOTICE, [](HWND notice) { sim::PressEscape(notice); });
    sim::Click(page, IDC_MAIN_TWO_IN_ONE);
    EXPECT_TRUE(sim::IsChecked(page, IDC_MAIN_TWO_IN_ONE));
    EXPECT_EQ(sim::ModalDialogLog().back().result, 1);
    EXPECT_EQ(ConfigDword("Show2In1Warning"), 1u) << "the box was not ticked";
}

TEST_F(MainPageTest, DefaultsFollowTheInkUnit) {
    sim::WritePrinterDword(kPrinterName, "Config", "Quality", 2);
    HWND page = OpenMainPage();
    sim::QueueMessageBoxAnswer(IDNO);
    sim::Click(page, IDC_MAIN_DEFAULTS);
    EXPECT_EQ(sim::ComboSelection(page, IDC_MAIN_PRINT_QUALITY), 2) << "No keeps everything";
    ASSERT_EQ(sim::MessageBoxLog().size(), 1u);
    EXPECT_EQ(sim::MessageBoxLog()[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));

    sim::QueueMessageBoxAnswer(IDYES);
    sim::Click(page, IDC_MAIN_DEFAULTS);
    EXPECT_EQ(sim::ComboSelection(page, IDC_MAIN_PRINT_QUALITY), 1);
    EXPECT_TRUE(sim::IsChecked(page, IDC_MAIN_PRINT)) << "no snapshot: the ink unit counts";
    EXPECT_TRUE(sim::IsApplyEnabled(sheet()));
}

TEST_F(MainPageTest, WithoutAnInkUnitOnlyEmbossingIsOffered) {
    ReportInkUnit(false);
    HWND page = OpenMainPage();
    EXPECT_FALSE(sim::IsChecked(page, IDC_MAIN_PRINT));
    EXPECT_FALSE(sim::IsEnabled(page, IDC_MAIN_PRINT));
    EXPECT_FALSE(sim::IsEnabled(page, IDC_MAIN_TWO_IN_ONE));
    EXPECT_FALSE(sim::IsEnabled(page, IDC_MAIN_RENDER_MODE));
    EXPECT_TRUE(sim::IsEnabled(page, IDC_MAIN_EMBOSS));
    context()->InkMode = 1;
    sim::QueueMessageBoxAnswer(IDYES);
    sim::Click(page, IDC_MAIN_DEFAULTS);
    EXPECT_EQ(context()->InkMode, 0u) << "defaults print only with an ink unit";
}

TEST_F(MainPageTest, BackSideInkFollowsTheLayoutPagesDoubleSidedChoice) {
    ReportInkUnit(true);
    OpenPreferences();
    HWND layout = ShowPage(kLayoutPage);
    sim::Click(layout, IDC_LAYOUT_DOUBLE_SIDED);
    HWND page = ShowPage(kMainPage);
    EXPECT_TRUE(sim::IsEnabled(page, IDC_MAIN_BACK_SIDE_INK_TO_FRONT));
    EXPECT_TRUE(sim::IsEnabled(page, IDC_MAIN_FRONT_INK_PAGES));
    EXPECT_TRUE(sim::IsVisible(page, IDC_MAIN_BACK_SIDE_PICTURE)) << "radio 1054 is selected";
    // Each picture is drawn by the page with its cyan background transparent.
    sim::Paint(page);
    const sim::Draw* drawn = sim::LastDrawInto(sim::Control(page, IDC_MAIN_BACK_SIDE_PICTURE));
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->function, "TransparentBlt");
    EXPECT_EQ(drawn->transparent, RGB(0, 255, 255));
    EXPECT_EQ(sim::LastBitmapDrawnInto(sim::Control(page, IDC_MAIN_BACK_SIDE_PICTURE)),
              IDB_BACK_SIDE_INK);
    sim::Click(page, IDC_MAIN_FRONT_INK_PAGES);
    EXPECT_TRUE(sim::IsVisible(page, IDC_MAIN_TWO_PASS_PICTURE));
    EXPECT_FALSE(sim::IsVisible(page, IDC_MAIN_BACK_SIDE_PICTURE));
    EXPECT_FALSE(sim::IsChecked(page, IDC_MAIN_BACK_SIDE_INK_TO_FRONT));
    sim::Paint(page);
    drawn = sim::LastDrawInto(sim::Control(page, IDC_MAIN_TWO_PASS_PICTURE));
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->transparent, RGB(0, 255, 255));
    EXPECT_EQ(sim::LastBitmapDrawnInto(sim::Control(page, IDC_MAIN_TWO_PASS_PICTURE)),
              IDB_TWO_PASS);

    ShowPage(kLayoutPage);
    sim::Click(layout, IDC_LAYOUT_SINGLE_SIDED);
    ShowPage(kMainPage);
    EXPECT_FALSE(sim::IsEnabled(page, IDC_MAIN_FRONT_INK_PAGES));
    sim::PressApply(sheet());
    EXPECT_EQ(ConfigDword("TwoPassPrint"), 1u);
}

} // namespace
