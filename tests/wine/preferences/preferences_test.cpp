// The printing preferences as an application's print dialog opens them, acted on by a person.
#include "person/person.h"
#include "seams.h"
#include "wine_test.h"

#include "resources/resource.h"

namespace {

class PreferencesTest : public WineTest {};

// What these tests do first: the notice, OK, and the message box of a user without the right to
// manage the printer.
const bool kWarmUp = AddWarmUp([] {
    for (bool manage : {true, false}) {
        Seams seams;
        if (!manage)
            seams.manageRight = false;
        Sheet sheet;
        sheet.Answer(IDD_NOTICE, [](HWND notice) { Click(notice, IDC_NOTICE_YES); });
        sheet.Answer(kMessageBox, [](HWND box) { Click(box, IDOK); });
        if (sheet.OpenPreferences(kPrinterName)) {
            sheet.Titles();
            Click(sheet.Page(IDC_MAIN_TWO_IN_ONE), IDC_MAIN_TWO_IN_ONE);
        }
        sheet.Ok();
    }
});

TEST_F(PreferencesTest, TwoInOneIsAskedAndStoredWithTheJobsChoices) {
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    EXPECT_EQ(sheet.Titles(), TEXT("Layout, Paper/Media, Tarvik"));
    EXPECT_TRUE(Click(sheet.Page(IDC_LAYOUT_DOUBLE_SIDED), IDC_LAYOUT_DOUBLE_SIDED));
    std::wstring question;
    sheet.Answer(IDD_NOTICE, [&question](HWND notice) {
        question = TextOf(notice, IDC_NOTICE_TEXT);
        Click(notice, IDC_NOTICE_YES);
    });
    HWND main = sheet.Page(IDC_MAIN_TWO_IN_ONE);
    EXPECT_TRUE(Click(main, IDC_MAIN_TWO_IN_ONE));
    EXPECT_TRUE(IsChecked(main, IDC_MAIN_TWO_IN_ONE));
    EXPECT_EQ(question.substr(0, 45), TEXT("Enabling this option will change your print o"));
    EXPECT_EQ(sheet.Ok(), IDOK);
    EXPECT_EQ(ConfigDword(TEXT("TwoInOne")), 1u);
    EXPECT_EQ(ConfigDword(TEXT("InterPoint")), 1u);
    ASSERT_EQ(sheet.devmode().size(), sizeof(DEVMODEW) + 732);
    EXPECT_EQ(reinterpret_cast<const DEVMODEW*>(sheet.devmode().data())->dmDuplex, DMDUP_VERTICAL);
    std::vector<std::wstring> changes = sheet.DevmodeChanges();
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), kPrinterName);
}

TEST_F(PreferencesTest, AUserWithoutTheManageRightIsWarnedAndCannotChoose) {
    Seams seams;
    seams.manageRight = false;
    Sheet sheet;
    sheet.Answer(kMessageBox, [](HWND box) { Click(box, IDOK); });
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    ASSERT_EQ(sheet.Messages().size(), 1u);
    EXPECT_EQ(sheet.Messages()[0].substr(0, 40), TEXT("Access to some Printer settings may be d"));
    EXPECT_FALSE(Click(sheet.Page(IDC_LAYOUT_DOUBLE_SIDED), IDC_LAYOUT_DOUBLE_SIDED));
    sheet.Cancel();
}

TEST_F(PreferencesTest, TheLayoutPictureFollowsTheSides) {
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    HWND layout = sheet.Page(IDC_LAYOUT_DUPLEX_PICTURE);
    for (bool doubleSided : {true, false}) {
        ASSERT_TRUE(Click(layout, doubleSided ? IDC_LAYOUT_DOUBLE_SIDED : IDC_LAYOUT_SINGLE_SIDED));
        EXPECT_TRUE(ShowsPicture(layout, IDC_LAYOUT_DUPLEX_PICTURE,
                                 doubleSided ? IDB_DUPLEX_DOUBLE : IDB_DUPLEX_SINGLE))
            << doubleSided;
    }
    sheet.Cancel();
}

} // namespace
