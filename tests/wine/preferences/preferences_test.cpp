// The printing preferences as an application's print dialog opens them, acted on by a person:
// the main page and the layout page.
#include "person/person.h"
#include "printer.h"
#include "seams.h"

#include "resources/resource.h"

namespace {

class PreferencesTest : public WineTest {};

// What these tests do first: a pushed choice, the dialogs and message boxes of the pages, OK, and
// the message box of a user without the right to manage the printer.
const bool kWarmUp = AddWarmUp([] {
    { SCOPED_TRACE("GoogleTest keeps a trace stack for each thread once it is first used"); }
    WriteEmbosserState("[Tarvik Embosser]\nink.unit=0\n");
    for (bool manage : {true, false}) {
        Seams seams;
        if (!manage) {
            seams.manageRight = false;
            seams.refusedLibraries.push_back(TEXT("qvmonext.dll"));
        }
        Sheet sheet;
        sheet.Answer(IDD_NOTICE, [](HWND notice) { Click(notice, IDC_NOTICE_YES); });
        sheet.Answer(kMessageBox, [](HWND box) { Click(box, IDOK); });
        for (WORD dialog : {IDD_ROTATED_LANDSCAPE, IDD_IMAGE_OPTIONS})
            sheet.Answer(dialog, [](HWND dialog) { Click(dialog, IDCANCEL); });
        if (sheet.OpenPreferences(kPrinterName) && manage) {
            Click(sheet.PageAt(kLayoutPage), IDC_LAYOUT_DOUBLE_SIDED);
            Click(sheet.PageAt(kLayoutPage), IDC_LAYOUT_ADVANCED);
            sheet.Apply();
            HWND main = sheet.PageAt(kMainPage);
            Click(main, IDC_MAIN_TWO_IN_ONE);
            Click(main, IDC_MAIN_MORE_OPTIONS);
            sheet.Answer(kMessageBox, [](HWND box) { Click(box, IDNO); });
            Click(main, IDC_MAIN_DEFAULTS);
        }
        sheet.Ok();
    }
});

TEST_F(PreferencesTest, TwoInOneIsAskedAndStoredWithTheJobsChoices) {
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    EXPECT_EQ(sheet.Titles(), TEXT("Layout, Paper/Media, Tarvik"));
    EXPECT_TRUE(Click(sheet.PageAt(kLayoutPage), IDC_LAYOUT_DOUBLE_SIDED));
    std::wstring question;
    sheet.Answer(IDD_NOTICE, [&question](HWND notice) {
        question = TextOf(notice, IDC_NOTICE_TEXT);
        Click(notice, IDC_NOTICE_YES);
    });
    HWND main = sheet.PageAt(kMainPage);
    EXPECT_TRUE(Click(main, IDC_MAIN_TWO_IN_ONE));
    EXPECT_TRUE(IsChecked(main, IDC_MAIN_TWO_IN_ONE));
    EXPECT_TRUE(Choose(main, IDC_MAIN_DOT_QUALITY, TEXT("Best")));
    HWND paper = sheet.PageAt(kPaperPage);
    EXPECT_TRUE(Choose(paper, IDC_PAPER_SIZE, TEXT("Letter")));
    EXPECT_TRUE(Choose(paper, IDC_PAPER_MEDIA_TYPE, TEXT("Default 3 (Copy Paper)")));
    EXPECT_EQ(question.substr(0, 45), TEXT("Enabling this option will change your print o"));
    EXPECT_EQ(sheet.Ok(), IDOK);
    for (auto value : {std::make_pair(TEXT("TwoInOne"), 1u),
                       {TEXT("InterPoint"), 1u},
                       {TEXT("DotQuality"), 2u},
                       {TEXT("MediaType"), 258u}})
        EXPECT_EQ(ConfigDword(value.first), value.second) << value.first;
    std::vector<BYTE> job = sheet.devmode();
    for (const std::vector<BYTE>& devmode : {job, DefaultDevmode()}) {
        ASSERT_EQ(devmode.size(), sizeof(DEVMODEW) + 732);
        EXPECT_EQ(Fields(devmode).dmDuplex, DMDUP_VERTICAL);
        EXPECT_EQ(std::wstring(Fields(devmode).dmFormName), TEXT("Letter"));
        EXPECT_EQ(Fields(devmode).dmPaperWidth * 10000 + Fields(devmode).dmPaperLength,
                  2159 * 10000 + 2794);
        EXPECT_EQ(Fields(devmode).dmMediaType, 258u);
    }
    std::vector<std::wstring> changes = sheet.DevmodeChanges();
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), kPrinterName);

    // A second opening shows the choices, and the job's own collation; Cancel leaves the job as
    // it was and the job's choice in the job alone.
    auto* fields = reinterpret_cast<DEVMODEW*>(job.data());
    fields->dmFields |= DM_COLLATE;
    fields->dmCollate = DMCOLLATE_TRUE;
    Sheet again;
    ASSERT_TRUE(again.OpenPreferences(kPrinterName, job));
    HWND layout = again.PageAt(kLayoutPage);
    EXPECT_TRUE(IsChecked(layout, IDC_LAYOUT_DOUBLE_SIDED));
    EXPECT_TRUE(IsChecked(layout, IDC_LAYOUT_COLLATE));
    EXPECT_TRUE(Click(layout, IDC_LAYOUT_SINGLE_SIDED));
    EXPECT_EQ(ChosenItem(again.PageAt(kMainPage), IDC_MAIN_DOT_QUALITY), TEXT("Best"));
    again.Cancel();
    EXPECT_TRUE(again.devmode() == job);
    EXPECT_EQ(ConfigDword(TEXT("Collate")), 0u);
}

TEST_F(PreferencesTest, TheMainPageShowsTheStoredChoicesAndAChangeSavesEveryValue) {
    for (auto value : {std::make_pair(TEXT("DotHeight"), 7u),
                       {TEXT("InkDithering"), 9u},
                       {TEXT("DotQuality"), 2u},
                       {TEXT("TwoPassPrint"), 2u}})
        SetConfigDword(value.first, value.second);
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    HWND main = sheet.PageAt(kMainPage);
    EXPECT_EQ(Joined(ItemsOf(main, IDC_MAIN_DOT_QUALITY)), TEXT("Draft, Standard, Best"));
    EXPECT_EQ(Joined(ItemsOf(main, IDC_MAIN_BRAILLE_HEIGHT)), TEXT("High, Normal, Low"));
    EXPECT_EQ(Joined(ItemsOf(main, IDC_MAIN_PRINT_QUALITY)), TEXT("Draft, Normal, Best"));
    EXPECT_EQ(ItemsOf(main, IDC_MAIN_RENDER_MODE).size(), 6u);
    // A stored value without an item of its own shows the default item.
    EXPECT_EQ(
        Joined({ChosenItem(main, IDC_MAIN_DOT_QUALITY), ChosenItem(main, IDC_MAIN_BRAILLE_HEIGHT),
                ChosenItem(main, IDC_MAIN_PRINT_QUALITY), ChosenItem(main, IDC_MAIN_RENDER_MODE)}),
        TEXT("Best, Normal, Normal, Monochrome"));
    for (int id : {IDC_MAIN_EMBOSS, IDC_MAIN_PRINT, IDC_MAIN_BACK_INK_PAGES})
        EXPECT_TRUE(IsChecked(main, id)) << id;
    // Single-sided output: the back-side ink choice does not apply; the picture shows it.
    EXPECT_FALSE(IsEnabled(main, IDC_MAIN_BACK_INK_PAGES));
    EXPECT_FALSE(IsShown(main, IDC_MAIN_BACK_SIDE_PICTURE));
    EXPECT_TRUE(IsShown(main, IDC_MAIN_TWO_PASS_PICTURE));
    EXPECT_FALSE(IsEnabled(sheet.window(), kSheetApply));

    EXPECT_TRUE(Click(main, IDC_MAIN_EMBOSS_STANDARD_TEXT));
    EXPECT_TRUE(IsEnabled(sheet.window(), kSheetApply));
    sheet.Apply();
    for (auto value : {std::make_pair(TEXT("DotHeight"), 1u),
                       {TEXT("InkDithering"), 0u},
                       {TEXT("DotQuality"), 2u},
                       {TEXT("EmbossStandardTexts"), 1u},
                       {TEXT("RenderMode"), 2u},
                       {TEXT("TwoPassPrint"), 2u}})
        EXPECT_EQ(ConfigDword(value.first), value.second) << value.first;
    // Saved once: OK without another change writes nothing.
    SetConfigDword(TEXT("DotQuality"), 0);
    sheet.Ok();
    EXPECT_EQ(ConfigDword(TEXT("DotQuality")), 0u);
}

// Answers the 2-in-1 notice with `button` (IDCANCEL: Esc), the opt-out box ticked or not.
void AnswerNotice(Sheet& sheet, int button, bool optOut, std::wstring* seen = nullptr) {
    sheet.Answer(IDD_NOTICE, [=](HWND notice) {
        if (seen != nullptr)
            *seen = std::to_wstring(IsShown(notice, IDC_NOTICE_OK)) +
                    std::to_wstring(IsShown(notice, IDC_NOTICE_OPT_OUT)) + TEXT(" ") +
                    TextOf(notice, IDC_NOTICE_NO) + TEXT(" ") +
                    std::to_wstring(TextOf(notice, IDC_NOTICE_TEXT).find(TEXT("2 In 1 mode")) !=
                                    std::wstring::npos);
        if (optOut)
            Click(notice, IDC_NOTICE_OPT_OUT);
        if (button == IDCANCEL) // what the dialog manager sends for Esc
            SendMessageW(notice, WM_COMMAND, IDCANCEL, 0);
        else
            Click(notice, button);
    });
}

TEST_F(PreferencesTest, SomethingIsAlwaysProducedAndTwoInOneIsAskedUntilTheOptOut) {
    SetConfigDword(TEXT("InterPoint"), 1);
    SetConfigDword(TEXT("InsertEmptyPage"), 1);
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    HWND layout = sheet.PageAt(kLayoutPage);
    EXPECT_TRUE(IsChecked(layout, IDC_LAYOUT_INSERT_EMPTY_PAGE));
    HWND main = sheet.PageAt(kMainPage);
    EXPECT_TRUE(Click(main, IDC_MAIN_PRINT));
    EXPECT_FALSE(IsEnabled(main, IDC_MAIN_PRINT_QUALITY));
    sheet.Apply();
    EXPECT_EQ(ConfigDword(TEXT("InkMode")), 0u);
    EXPECT_TRUE(Click(main, IDC_MAIN_EMBOSS)); // refused: nothing would be produced
    EXPECT_TRUE(IsChecked(main, IDC_MAIN_EMBOSS));
    EXPECT_TRUE(IsEnabled(main, IDC_MAIN_DOT_QUALITY));
    EXPECT_FALSE(IsEnabled(sheet.window(), kSheetApply)) << "a refused click changes nothing";
    Click(main, IDC_MAIN_PRINT);
    Click(main, IDC_MAIN_EMBOSS);
    EXPECT_FALSE(IsEnabled(main, IDC_MAIN_DOT_QUALITY));
    Click(main, IDC_MAIN_PRINT); // printing off turns embossing back on
    EXPECT_TRUE(IsChecked(main, IDC_MAIN_EMBOSS));
    EXPECT_TRUE(IsEnabled(main, IDC_MAIN_DOT_QUALITY));
    sheet.Apply();

    std::wstring notice;
    AnswerNotice(sheet, IDC_NOTICE_NO, true, &notice);
    Click(main, IDC_MAIN_TWO_IN_ONE);
    EXPECT_EQ(notice, TEXT("01 &No 1"));
    EXPECT_FALSE(IsChecked(main, IDC_MAIN_TWO_IN_ONE));
    EXPECT_FALSE(IsEnabled(sheet.window(), kSheetApply));
    EXPECT_EQ(ConfigDword(TEXT("Show2In1Warning")), 1u) << "No with the box ticked keeps asking";
    AnswerNotice(sheet, IDCANCEL, false);
    Click(main, IDC_MAIN_TWO_IN_ONE);
    EXPECT_TRUE(IsChecked(main, IDC_MAIN_TWO_IN_ONE)) << "Esc answers Yes";
    EXPECT_EQ(ConfigDword(TEXT("Show2In1Warning")), 1u);
    Click(main, IDC_MAIN_TWO_IN_ONE);
    AnswerNotice(sheet, IDC_NOTICE_YES, true);
    Click(main, IDC_MAIN_TWO_IN_ONE);
    EXPECT_TRUE(IsChecked(main, IDC_MAIN_PRINT)) << "2-in-1 prints as well";
    EXPECT_TRUE(IsEnabled(main, IDC_MAIN_PRINT_QUALITY));
    EXPECT_EQ(ConfigDword(TEXT("Show2In1Warning")), 0u);
    EXPECT_TRUE(IsEnabled(sheet.window(), kSheetApply));

    // 2-in-1 leaves no room for an empty page, until the person turns it off on the main page.
    layout = sheet.PageAt(kLayoutPage);
    EXPECT_FALSE(IsChecked(layout, IDC_LAYOUT_INSERT_EMPTY_PAGE));
    Click(layout, IDC_LAYOUT_SINGLE_SIDED);
    Click(layout, IDC_LAYOUT_DOUBLE_SIDED);
    EXPECT_FALSE(IsEnabled(layout, IDC_LAYOUT_INSERT_EMPTY_PAGE));
    main = sheet.PageAt(kMainPage);
    Click(main, IDC_MAIN_EMBOSS);
    EXPECT_FALSE(IsChecked(main, IDC_MAIN_TWO_IN_ONE)) << "not without embossing";
    EXPECT_FALSE(IsEnabled(sheet.PageAt(kLayoutPage), IDC_LAYOUT_INSERT_EMPTY_PAGE));
    main = sheet.PageAt(kMainPage);
    Click(main, IDC_MAIN_TWO_IN_ONE); // not asked again
    EXPECT_TRUE(IsChecked(main, IDC_MAIN_EMBOSS));
    sheet.Ok();
    for (LPCWSTR name : {TEXT("TwoInOne"), TEXT("EmbossMode"), TEXT("InkMode")})
        EXPECT_EQ(ConfigDword(name), 1u) << name;
}

// Without printer link data the ink unit counts as present.
TEST_F(PreferencesTest, PrintingAndTheDefaultsFollowTheInkUnit) {
    struct Case {
        const char* state;
        bool link, ink;
    } const cases[] = {{"[Tarvik Embosser]\nink.unit=1\n", true, true},
                       {"[Tarvik Embosser]\nink.unit=0\n", true, false},
                       {"", false, true}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.state);
        RestoreInstalledState();
        WriteEmbosserState(test.state);
        SetConfigDword(TEXT("Quality"), 2);
        Seams seams;
        if (!test.link)
            seams.refusedLibraries.push_back(TEXT("qvmonext.dll"));
        Sheet sheet;
        ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
        HWND main = sheet.PageAt(kMainPage);
        EXPECT_EQ(IsChecked(main, IDC_MAIN_PRINT), test.ink);
        for (int id : {IDC_MAIN_PRINT, IDC_MAIN_TWO_IN_ONE, IDC_MAIN_RENDER_MODE})
            EXPECT_EQ(IsEnabled(main, id), test.ink) << id;
        EXPECT_TRUE(IsEnabled(main, IDC_MAIN_EMBOSS));
        sheet.Answer(kMessageBox, [](HWND box) { Click(box, IDNO); });
        Click(main, IDC_MAIN_DEFAULTS);
        EXPECT_EQ(ChosenItem(main, IDC_MAIN_PRINT_QUALITY), TEXT("Best")) << "No keeps all";
        sheet.Answer(kMessageBox, [](HWND box) { Click(box, IDYES); });
        Click(main, IDC_MAIN_DEFAULTS);
        EXPECT_EQ(ChosenItem(main, IDC_MAIN_PRINT_QUALITY), TEXT("Normal"));
        EXPECT_EQ(IsChecked(main, IDC_MAIN_PRINT), test.ink);
        EXPECT_TRUE(IsEnabled(sheet.window(), kSheetApply));
        EXPECT_EQ(Joined(sheet.Messages()),
                  TEXT("Reset settings to default values?, Reset settings to default values?"));
        sheet.Ok();
        EXPECT_EQ(ConfigDword(TEXT("InkMode")), test.ink ? 1u : 0u);
    }
}

// What a change of the layout page does to the job's devmode, the printer's default devmode and
// the printer data, and who hears of it.
TEST_F(PreferencesTest, LayoutChoicesReachBothDevmodesOnlyWhenTheyChange) {
    using Values = std::vector<std::pair<LPCWSTR, DWORD>>;
    struct Devmode {
        short duplex, collate, orientation; // 0: as it was
    };
    struct Case {
        const char* name;
        Values stored;
        short defaultOrientation, jobOrientation; // 0: as installed
        DWORD jobFieldsLeftOut;
        bool shortDefault; // without the private section, as an older driver left it
        std::vector<int> shown, clicks;
        int setPrinterFailures;
        size_t broadcasts;
        Devmode job, printer;
        Values written;
    } const cases[] = {
        {"preview only",
         {},
         0,
         0,
         0,
         false,
         {IDC_LAYOUT_SINGLE_SIDED},
         {IDC_LAYOUT_PREVIEW},
         0,
         0,
         {},
         {0, DMCOLLATE_FALSE, DMORIENT_PORTRAIT},
         {{TEXT("Preview"), 1},
          {TEXT("InterPoint"), 0},
          {TEXT("BindingEdge"), 2},
          {TEXT("InsertEmptyPage"), 0},
          {TEXT("Orientation"), 1},
          {TEXT("Collate"), 0}}},
        {"double sided, empty page and collated, the host's handle refused once",
         {},
         0,
         0,
         0,
         false,
         {},
         {IDC_LAYOUT_DOUBLE_SIDED, IDC_LAYOUT_INSERT_EMPTY_PAGE, IDC_LAYOUT_COLLATE},
         1,
         2,
         {DMDUP_VERTICAL, DMCOLLATE_TRUE, 0},
         {DMDUP_VERTICAL, DMCOLLATE_TRUE, 0},
         {{TEXT("InterPoint"), 1}, {TEXT("InsertEmptyPage"), 1}, {TEXT("Collate"), 1}}},
        {"binding edge 1, a landscape printer and a job of a strange orientation",
         {{TEXT("BindingEdge"), 1}},
         DMORIENT_LANDSCAPE,
         3,
         DM_DUPLEX,
         false,
         {IDC_LAYOUT_PORTRAIT, IDC_LAYOUT_OPEN_TO_TOP},
         {IDC_LAYOUT_PREVIEW},
         0,
         2,
         {0, 0, DMORIENT_PORTRAIT},
         {DMDUP_SIMPLEX, 0, DMORIENT_PORTRAIT},
         {{TEXT("BindingEdge"), 2}, {TEXT("Orientation"), 1}}},
        {"a landscape job",
         {},
         0,
         DMORIENT_LANDSCAPE,
         0,
         false,
         {IDC_LAYOUT_LANDSCAPE},
         {IDC_LAYOUT_COLLATE},
         0,
         1,
         {0, DMCOLLATE_TRUE, DMORIENT_LANDSCAPE},
         {0, DMCOLLATE_TRUE, DMORIENT_PORTRAIT},
         {{TEXT("Orientation"), 2}}},
        {"a short default devmode",
         {},
         0,
         0,
         0,
         true,
         {},
         {IDC_LAYOUT_DOUBLE_SIDED},
         0,
         1,
         {},
         {DMDUP_VERTICAL, 0, 0},
         {{TEXT("InterPoint"), 1}}},
        {"the printer refuses the new default",
         {},
         0,
         0,
         0,
         false,
         {},
         {IDC_LAYOUT_COLLATE},
         Seams::kAlways,
         0,
         {0, DMCOLLATE_TRUE, 0},
         {0, DMCOLLATE_FALSE, 0},
         {{TEXT("Collate"), 1}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        for (const auto& value : test.stored)
            SetConfigDword(value.first, value.second);
        std::vector<BYTE> before = DefaultDevmode(), job = ApplicationDevmode();
        if (test.defaultOrientation != 0 || test.shortDefault) {
            DEVMODEW& fields = *reinterpret_cast<DEVMODEW*>(before.data());
            fields.dmFields |= DM_ORIENTATION;
            fields.dmOrientation = test.defaultOrientation ? test.defaultOrientation : 1;
            if (test.shortDefault) {
                fields.dmDriverExtra = 0;
                before.resize(sizeof(DEVMODEW));
            }
            SetDefaultDevmode(before);
        }
        reinterpret_cast<DEVMODEW*>(job.data())->dmFields &= ~test.jobFieldsLeftOut;
        if (test.jobOrientation != 0) {
            reinterpret_cast<DEVMODEW*>(job.data())->dmFields |= DM_ORIENTATION;
            reinterpret_cast<DEVMODEW*>(job.data())->dmOrientation = test.jobOrientation;
        }
        Seams seams;
        if (test.setPrinterFailures != 0)
            seams.Fail("SetPrinterW", ERROR_ACCESS_DENIED, test.setPrinterFailures);
        seams.Fail("SetPrinterDataExW", ERROR_ACCESS_DENIED, 1);
        Sheet sheet;
        ASSERT_TRUE(sheet.OpenPreferences(kPrinterName, job));
        HWND layout = sheet.PageAt(kLayoutPage);
        for (int id : test.shown)
            EXPECT_TRUE(IsChecked(layout, id)) << id;
        for (int id : test.clicks)
            EXPECT_TRUE(Click(layout, id)) << id;
        sheet.Apply();
        for (const auto& value : test.written)
            EXPECT_EQ(ConfigDword(value.first), value.second) << value.first;
        EXPECT_EQ(sheet.DevmodeChanges().size(), test.broadcasts);
        Click(layout, IDC_LAYOUT_PREVIEW); // the same choices again change nothing
        sheet.Ok();
        EXPECT_EQ(sheet.DevmodeChanges().size(), test.broadcasts);
        std::vector<BYTE> after = DefaultDevmode();
        EXPECT_TRUE(test.broadcasts == 0 || after.size() == sizeof(DEVMODEW) + 732);
        for (auto checked : {std::make_pair(&Fields(sheet.devmode()), test.job),
                             std::make_pair(&Fields(after), test.printer)}) {
            const DEVMODEW& fields = *checked.first;
            const Devmode& expected = checked.second;
            EXPECT_TRUE(expected.duplex == 0 ||
                        ((fields.dmFields & DM_DUPLEX) && fields.dmDuplex == expected.duplex));
            EXPECT_TRUE(expected.collate == 0 || fields.dmCollate == expected.collate);
            EXPECT_TRUE(expected.orientation == 0 || fields.dmOrientation == expected.orientation);
        }
        RestoreInstalledState();
    }
}

// Warned once, on the layout page; the choices are shown but cannot be changed.
TEST_F(PreferencesTest, AUserWithoutTheManageRightIsWarnedAndCannotChoose) {
    Seams seams;
    seams.manageRight = false;
    Sheet sheet;
    std::wstring caption;
    sheet.Answer(kMessageBox, [&caption](HWND box) {
        caption = WindowText(box);
        Click(box, IDOK);
    });
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    ASSERT_EQ(sheet.Messages().size(), 1u);
    EXPECT_EQ(sheet.Messages()[0].substr(0, 40), TEXT("Access to some Printer settings may be d"));
    EXPECT_EQ(caption, kPrinterName);
    HWND layout = sheet.PageAt(kLayoutPage);
    for (int id : {IDC_LAYOUT_SINGLE_SIDED, IDC_LAYOUT_DOUBLE_SIDED, IDC_LAYOUT_COLLATE,
                   IDC_LAYOUT_PREVIEW, IDC_LAYOUT_PORTRAIT})
        EXPECT_FALSE(IsEnabled(layout, id)) << id;
    EXPECT_TRUE(IsEnabled(layout, IDC_LAYOUT_ADVANCED));
    HWND main = sheet.PageAt(kMainPage);
    for (int id : {IDC_MAIN_EMBOSS, IDC_MAIN_PRINT, IDC_MAIN_TWO_IN_ONE, IDC_MAIN_DOT_QUALITY,
                   IDC_MAIN_PRINT_QUALITY, IDC_MAIN_MORE_OPTIONS, IDC_MAIN_DEFAULTS,
                   IDC_MAIN_BACK_SIDE_INK_TO_FRONT, IDC_MAIN_EMBOSS_STANDARD_TEXT})
        EXPECT_FALSE(IsEnabled(main, id)) << id;
    EXPECT_TRUE(IsChecked(main, IDC_MAIN_EMBOSS)) << "the stored choices are still shown";
    sheet.Cancel();
}

TEST_F(PreferencesTest, OnlyTheRotatedLandscapeDialogWritesLandscapeMode) {
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    HWND layout = sheet.PageAt(kLayoutPage);
    std::wstring seen;
    sheet.Answer(IDD_ROTATED_LANDSCAPE, [&seen](HWND dialog) {
        seen = WindowText(dialog) + std::to_wstring(IsEnabled(dialog, IDC_APPLY_BUTTON));
        Click(dialog, IDOK);
    });
    Click(layout, IDC_LAYOUT_ADVANCED);
    EXPECT_EQ(seen, TEXT("Advanced - Tarvik Embosser0"));
    EXPECT_EQ(ConfigDword(TEXT("LandscapeMode")), 0u);
    EXPECT_FALSE(IsEnabled(sheet.window(), kSheetApply)) << "the page has not changed";

    sheet.Answer(IDD_ROTATED_LANDSCAPE, [&seen](HWND dialog) {
        Click(dialog, IDC_ROTATED_LANDSCAPE);
        seen = std::to_wstring(IsEnabled(dialog, IDC_APPLY_BUTTON));
        Click(dialog, IDC_APPLY_BUTTON);
        seen += std::to_wstring(IsEnabled(dialog, IDC_APPLY_BUTTON)) +
                std::to_wstring(GetFocus() == GetDlgItem(dialog, IDOK)) +
                std::to_wstring(ConfigDword(TEXT("LandscapeMode")));
        Click(dialog, IDC_ROTATED_LANDSCAPE);
        Click(dialog, IDCANCEL);
    });
    Click(layout, IDC_LAYOUT_ADVANCED);
    EXPECT_EQ(seen, TEXT("1011"));
    EXPECT_EQ(ConfigDword(TEXT("LandscapeMode")), 1u) << "Cancel keeps what Apply saved";

    sheet.Answer(IDD_ROTATED_LANDSCAPE, [&seen](HWND dialog) {
        seen = std::to_wstring(IsChecked(dialog, IDC_ROTATED_LANDSCAPE));
        Click(dialog, IDC_ROTATED_LANDSCAPE);
        Click(dialog, IDOK);
    });
    Click(layout, IDC_LAYOUT_ADVANCED);
    EXPECT_EQ(seen, TEXT("1"));
    EXPECT_EQ(ConfigDword(TEXT("LandscapeMode")), 0u) << "OK saves a change";
    sheet.Cancel();
}

// Each picture is drawn with its cyan background transparent over the page, and redrawn as soon
// as the choice it shows changes.
TEST_F(PreferencesTest, ThePicturesFollowTheChoices) {
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    HWND layout = sheet.PageAt(kLayoutPage);
    EXPECT_TRUE(ShowsPicture(layout, IDC_LAYOUT_DUPLEX_PICTURE, IDB_DUPLEX_SINGLE));
    EXPECT_TRUE(ShowsPicture(layout, IDC_LAYOUT_COLLATE_PICTURE, IDB_COLLATE_OFF));
    EXPECT_TRUE(ShowsPicture(layout, IDC_LAYOUT_LOGO, IDB_LOGO));
    const std::pair<int, UINT> duplex[] = {{IDC_LAYOUT_DOUBLE_SIDED, IDB_DUPLEX_DOUBLE},
                                           {IDC_LAYOUT_INSERT_EMPTY_PAGE, IDB_DUPLEX_EMPTY_PAGE}};
    for (auto [click, bitmap] : duplex) {
        ASSERT_TRUE(Click(layout, click));
        EXPECT_TRUE(ShowsPicture(layout, IDC_LAYOUT_DUPLEX_PICTURE, bitmap)) << click;
    }
    Click(layout, IDC_LAYOUT_COLLATE);
    EXPECT_TRUE(ShowsPicture(layout, IDC_LAYOUT_COLLATE_PICTURE, IDB_COLLATE_ON));

    // Double-sided ink on the main page: its picture follows the choice.
    HWND main = sheet.PageAt(kMainPage);
    EXPECT_TRUE(IsEnabled(main, IDC_MAIN_BACK_SIDE_INK_TO_FRONT));
    EXPECT_TRUE(ShowsPicture(main, IDC_MAIN_BACK_SIDE_PICTURE, IDB_BACK_SIDE_INK));
    ASSERT_TRUE(Click(main, IDC_MAIN_FRONT_INK_PAGES));
    EXPECT_FALSE(IsShown(main, IDC_MAIN_BACK_SIDE_PICTURE));
    EXPECT_TRUE(ShowsPicture(main, IDC_MAIN_TWO_PASS_PICTURE, IDB_TWO_PASS));
    Click(sheet.PageAt(kLayoutPage), IDC_LAYOUT_SINGLE_SIDED);
    EXPECT_FALSE(IsEnabled(sheet.PageAt(kMainPage), IDC_MAIN_FRONT_INK_PAGES));
    sheet.Ok();
    EXPECT_EQ(ConfigDword(TEXT("TwoPassPrint")), 1u);
}

} // namespace
