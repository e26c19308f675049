// The printing preferences as an application's print dialog opens them, acted on by a person:
// the main page and the layout page.
#include "person/person.h"
#include "printer.h"
#include "seams.h"

#include "resources/resource.h"

namespace {

class PreferencesTest : public WineTest {};

// "952 2 0 1": size, duplex, collate, orientation.
std::wstring Describe(const std::vector<BYTE>& devmode) {
    const DEVMODEW& fields = *reinterpret_cast<const DEVMODEW*>(devmode.data());
    return Joined({std::to_wstring(devmode.size()),
                   std::to_wstring(fields.dmFields & DM_DUPLEX ? fields.dmDuplex : 0),
                   std::to_wstring(fields.dmCollate), std::to_wstring(fields.dmOrientation)},
                  TEXT(" "));
}

TEST_F(PreferencesTest, SomethingIsAlwaysProducedAndTwoInOneIsAskedUntilTheOptOut) {
    SetConfigDword(TEXT("InterPoint"), 1);
    SetConfigDword(TEXT("InsertEmptyPage"), 1);
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    EXPECT_TRUE(IsChecked(sheet.PageAt(kLayoutPage), IDC_LAYOUT_INSERT_EMPTY_PAGE));
    HWND main = sheet.PageAt(kMainPage);
    EXPECT_TRUE(Click(main, IDC_MAIN_PRINT));
    EXPECT_FALSE(IsEnabled(main, IDC_MAIN_PRINT_QUALITY));
    sheet.Apply();
    EXPECT_EQ(Stored({TEXT("InkMode")}), TEXT("0"));
    EXPECT_TRUE(Click(main, IDC_MAIN_EMBOSS)); // refused: nothing would be produced
    EXPECT_EQ(States(IsChecked, main, {IDC_MAIN_EMBOSS}) +
                  States(IsEnabled, main, {IDC_MAIN_DOT_QUALITY}) +
                  States(IsEnabled, sheet.window(), {kSheetApply}),
              TEXT("110"));
    Click(main, IDC_MAIN_PRINT);
    Click(main, IDC_MAIN_EMBOSS);
    EXPECT_FALSE(IsEnabled(main, IDC_MAIN_DOT_QUALITY));
    Click(main, IDC_MAIN_PRINT); // printing off turns embossing back on
    EXPECT_EQ(States(IsChecked, main, {IDC_MAIN_EMBOSS}) +
                  States(IsEnabled, main, {IDC_MAIN_DOT_QUALITY}),
              TEXT("11"));
    sheet.Apply();

    // No with the box ticked keeps asking, Esc answers Yes, and Yes with it ticked asks no more;
    // 2-in-1 prints as well. After each: 2-in-1, printing, its quality, Apply, the warning stored.
    std::wstring notice;
    const struct {
        int button; // IDCANCEL: Esc
        bool optOut;
        LPCWSTR after;
    } kAnswers[] = {{IDC_NOTICE_NO, true, TEXT("00001")},
                    {IDCANCEL, false, TEXT("11111")},
                    {IDC_NOTICE_YES, true, TEXT("11110")}};
    for (const auto& answer : kAnswers) {
        if (IsChecked(main, IDC_MAIN_TWO_IN_ONE))
            Click(main, IDC_MAIN_TWO_IN_ONE);
        sheet.Answer(IDD_NOTICE, [&notice, &answer](HWND dialog) {
            notice = States(IsShown, dialog, {IDC_NOTICE_OK, IDC_NOTICE_OPT_OUT}) +
                     TextOf(dialog, IDC_NOTICE_NO) +
                     std::to_wstring(TextOf(dialog, IDC_NOTICE_TEXT).find(TEXT("2 In 1 mode")) !=
                                     std::wstring::npos);
            if (answer.optOut)
                Click(dialog, IDC_NOTICE_OPT_OUT);
            if (answer.button == IDCANCEL) // what the dialog manager sends for Esc
                SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            else
                Click(dialog, answer.button);
        });
        Click(main, IDC_MAIN_TWO_IN_ONE);
        EXPECT_EQ(States(IsChecked, main, {IDC_MAIN_TWO_IN_ONE, IDC_MAIN_PRINT}) +
                      States(IsEnabled, main, {IDC_MAIN_PRINT_QUALITY}) +
                      States(IsEnabled, sheet.window(), {kSheetApply}) +
                      Stored({TEXT("Show2In1Warning")}),
                  answer.after)
            << answer.button;
    }
    EXPECT_EQ(notice, TEXT("01&No1"));

    // 2-in-1 leaves no room for an empty page, until the person turns it off on the main page.
    HWND layout = sheet.PageAt(kLayoutPage);
    Click(layout, IDC_LAYOUT_SINGLE_SIDED);
    Click(layout, IDC_LAYOUT_DOUBLE_SIDED);
    EXPECT_EQ(States(IsChecked, layout, {IDC_LAYOUT_INSERT_EMPTY_PAGE}) +
                  States(IsEnabled, layout, {IDC_LAYOUT_INSERT_EMPTY_PAGE}),
              TEXT("00"));
    main = sheet.PageAt(kMainPage);
    Click(main, IDC_MAIN_EMBOSS);
    EXPECT_FALSE(IsChecked(main, IDC_MAIN_TWO_IN_ONE)) << "not without embossing";
    EXPECT_FALSE(IsEnabled(sheet.PageAt(kLayoutPage), IDC_LAYOUT_INSERT_EMPTY_PAGE));
    main = sheet.PageAt(kMainPage);
    Click(main, IDC_MAIN_TWO_IN_ONE); // not asked again
    EXPECT_TRUE(IsChecked(main, IDC_MAIN_EMBOSS));
    // Stored with the job's other choices.
    EXPECT_TRUE(Choose(main, IDC_MAIN_DOT_QUALITY, TEXT("Best")));
    EXPECT_TRUE(
        Choose(sheet.PageAt(kPaperPage), IDC_PAPER_MEDIA_TYPE, TEXT("Default 3 (Copy Paper)")));
    EXPECT_EQ(sheet.Ok(), IDOK);
    EXPECT_EQ(Stored({TEXT("TwoInOne"), TEXT("EmbossMode"), TEXT("InkMode"), TEXT("InterPoint"),
                      TEXT("DotQuality"), TEXT("MediaType")}),
              TEXT("1 1 1 1 2 258"));
}

// Without printer link data the ink unit counts as present.
TEST_F(PreferencesTest, PrintingAndTheDefaultsFollowTheInkUnit) {
    struct Case {
        const char* state;
        bool link, ink;
    } const cases[] = {{"ink.unit=0", true, false}, {"", false, true}};
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
        const std::wstring ink = test.ink ? TEXT("1") : TEXT("0");
        EXPECT_EQ(States(IsChecked, main, {IDC_MAIN_PRINT}) +
                      States(IsEnabled, main,
                             {IDC_MAIN_PRINT, IDC_MAIN_TWO_IN_ONE, IDC_MAIN_RENDER_MODE,
                              IDC_MAIN_EMBOSS}),
                  ink + ink + ink + ink + TEXT("1"));
        sheet.Answer(kMessageBox, [](HWND box) { Click(box, IDYES); });
        Click(main, IDC_MAIN_DEFAULTS);
        EXPECT_EQ(ChosenItem(main, IDC_MAIN_PRINT_QUALITY) + TEXT(" ") +
                      States(IsChecked, main, {IDC_MAIN_PRINT}) +
                      States(IsEnabled, sheet.window(), {kSheetApply}) + TEXT(" ") +
                      sheet.Messages()[0],
                  TEXT("Normal ") + ink + TEXT("1 Reset settings to default values?"));
        sheet.Ok();
        EXPECT_EQ(Stored({TEXT("InkMode")}), ink);
    }
}

// What a change of the layout page does to the job's devmode, the printer's default devmode and
// the printer data, and who hears of it. Devmodes: "size duplex collate orientation".
TEST_F(PreferencesTest, LayoutChoicesReachBothDevmodesOnlyWhenTheyChange) {
    struct Case {
        const char* name;
        DWORD bindingEdge;
        // The default's 0: as installed; -1: the default devmode without the private section, as
        // an older driver left it
        short defaultOrientation, jobOrientation;
        DWORD jobFieldsLeftOut;
        std::vector<int> shown, clicks;
        int setPrinterFailures;
        size_t broadcasts;
        const WCHAR *job, *printer, *written; // InterPoint BindingEdge Orientation Collate Preview
    } const cases[] = {
        // clang-format off
        {"preview only", 2, 0, 1, 0, {IDC_LAYOUT_SINGLE_SIDED}, {IDC_LAYOUT_PREVIEW}, 0, 0,
         TEXT("952 0 0 1"), TEXT("952 0 0 1"), TEXT("0 2 1 0 1")},
        {"double sided and collated, the host's handle refusing a push", 2, 0, 1, 0, {},
         {IDC_LAYOUT_DOUBLE_SIDED, IDC_LAYOUT_INSERT_EMPTY_PAGE, IDC_LAYOUT_COLLATE}, 1, 1,
         TEXT("952 2 1 1"), TEXT("952 2 1 1"), TEXT("1 2 1 1 0")},
        {"binding edge 1, a landscape printer and a job of a strange orientation", 1,
         DMORIENT_LANDSCAPE, 3, DM_DUPLEX, {IDC_LAYOUT_PORTRAIT, IDC_LAYOUT_OPEN_TO_TOP},
         {IDC_LAYOUT_PREVIEW}, 0, 1, TEXT("952 1 0 1"), TEXT("952 1 0 1"), TEXT("0 2 1 0 1")},
        {"a landscape job", 2, 0, DMORIENT_LANDSCAPE, 0, {IDC_LAYOUT_LANDSCAPE}, {IDC_LAYOUT_COLLATE},
         0, 1, TEXT("952 0 1 2"), TEXT("952 0 1 1"), TEXT("0 2 2 1 0")},
        {"a short default devmode", 2, -1, 1, 0, {}, {IDC_LAYOUT_DOUBLE_SIDED}, 0, 1,
         TEXT("952 2 0 1"), TEXT("952 2 0 1"), TEXT("1 2 1 0 0")},
        {"the printer refuses the new default", 2, 0, 1, 0, {}, {IDC_LAYOUT_COLLATE},
         Seams::kAlways, 0, TEXT("952 0 1 1"), TEXT("952 0 0 1"), TEXT("0 2 1 1 0")},
        // clang-format on
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        RestoreInstalledState();
        SetConfigDword(TEXT("BindingEdge"), test.bindingEdge);
        std::vector<BYTE> job = DefaultDevmode();
        if (test.defaultOrientation != 0) {
            std::vector<BYTE> printer = job;
            auto* stored = reinterpret_cast<DEVMODEW*>(printer.data());
            if (test.defaultOrientation > 0)
                stored->dmOrientation = test.defaultOrientation;
            else
                stored->dmDriverExtra = 0;
            printer.resize(stored->dmSize + stored->dmDriverExtra);
            SetDefaultDevmode(printer);
        }
        auto* fields = reinterpret_cast<DEVMODEW*>(job.data());
        fields->dmFields &= ~test.jobFieldsLeftOut;
        fields->dmOrientation = test.jobOrientation;
        Seams seams;
        if (test.setPrinterFailures != 0)
            seams.Fail("SetPrinterW", ERROR_ACCESS_DENIED, test.setPrinterFailures);
        Sheet sheet;
        ASSERT_TRUE(sheet.OpenPreferences(kPrinterName, job));
        seams.Fail("SetPrinterDataExW", ERROR_ACCESS_DENIED, 1); // retried with full access
        HWND layout = sheet.PageAt(kLayoutPage);
        for (int id : test.shown)
            EXPECT_TRUE(IsChecked(layout, id)) << id;
        for (int id : test.clicks)
            EXPECT_TRUE(Click(layout, id)) << id;
        sheet.Apply();
        EXPECT_EQ(Stored({TEXT("InterPoint"), TEXT("BindingEdge"), TEXT("Orientation"),
                          TEXT("Collate"), TEXT("Preview")}),
                  test.written);
        EXPECT_EQ(sheet.DevmodeChanges(), Items(test.broadcasts, kPrinterName));
        Click(layout, IDC_LAYOUT_PREVIEW); // the same choices again change nothing
        sheet.Ok();
        EXPECT_EQ(sheet.DevmodeChanges(), Items(test.broadcasts, kPrinterName));
        EXPECT_EQ(Describe(sheet.devmode()), test.job);
        EXPECT_EQ(Describe(DefaultDevmode()), test.printer);
    }
}

// The main page shows the stored choices and a change saves every value. Each picture is drawn
// with its cyan background transparent over the page, and redrawn as soon as the choice it shows
// changes. The layout page's Advanced dialog saves on its own.
TEST_F(PreferencesTest, TheMainPageShowsItsChoicesThePicturesFollowAndTheLandscapeDialogSaves) {
    SetConfigDword(TEXT("DotHeight"), 7);
    SetConfigDword(TEXT("InkDithering"), 9);
    SetConfigDword(TEXT("DotQuality"), 2);
    SetConfigDword(TEXT("TwoPassPrint"), 2);
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    HWND main = sheet.PageAt(kMainPage);
    // Each list's items and the one shown: a stored value without an item shows the default.
    std::wstring lists;
    for (int id : {IDC_MAIN_DOT_QUALITY, IDC_MAIN_BRAILLE_HEIGHT, IDC_MAIN_PRINT_QUALITY})
        lists += Joined(ItemsOf(main, id)) + TEXT(": ") + ChosenItem(main, id) + TEXT("; ");
    EXPECT_EQ(lists + std::to_wstring(ItemsOf(main, IDC_MAIN_RENDER_MODE).size()) +
                  ChosenItem(main, IDC_MAIN_RENDER_MODE),
              TEXT("Draft, Standard, Best: Best; High, Normal, Low: Normal; Draft, Normal, Best: "
                   "Normal; 6Monochrome"));
    EXPECT_EQ(States(IsChecked, main, {IDC_MAIN_EMBOSS, IDC_MAIN_PRINT, IDC_MAIN_BACK_INK_PAGES}),
              TEXT("111"));
    // Single-sided output: the back-side ink choice does not apply; the picture shows it.
    EXPECT_EQ(States(IsEnabled, main, {IDC_MAIN_BACK_INK_PAGES}) +
                  States(IsShown, main, {IDC_MAIN_BACK_SIDE_PICTURE, IDC_MAIN_TWO_PASS_PICTURE}) +
                  States(IsEnabled, sheet.window(), {kSheetApply}),
              TEXT("0010"));
    EXPECT_TRUE(Click(main, IDC_MAIN_EMBOSS_STANDARD_TEXT));
    EXPECT_TRUE(IsEnabled(sheet.window(), kSheetApply));
    sheet.Apply();
    EXPECT_EQ(Stored({TEXT("DotHeight"), TEXT("InkDithering"), TEXT("DotQuality"),
                      TEXT("EmbossStandardTexts"), TEXT("RenderMode"), TEXT("TwoPassPrint")}),
              TEXT("1 0 2 1 2 2"));

    HWND layout = sheet.PageAt(kLayoutPage);
    // Only the rotated landscape dialog writes the landscape mode, with no change of the sheet
    // pending.
    std::wstring seen;
    sheet.Answer(IDD_ROTATED_LANDSCAPE, [&seen](HWND dialog) {
        seen = WindowText(dialog) + States(IsEnabled, dialog, {IDC_APPLY_BUTTON});
        Click(dialog, IDOK);
    });
    Click(layout, IDC_LAYOUT_ADVANCED);
    seen += Stored({TEXT("LandscapeMode")}) + States(IsEnabled, sheet.window(), {kSheetApply});
    sheet.Answer(IDD_ROTATED_LANDSCAPE, [&seen](HWND dialog) {
        Click(dialog, IDC_ROTATED_LANDSCAPE);
        seen += TEXT(" ") + States(IsEnabled, dialog, {IDC_APPLY_BUTTON});
        Click(dialog, IDC_APPLY_BUTTON);
        seen += States(IsEnabled, dialog, {IDC_APPLY_BUTTON}) + Stored({TEXT("LandscapeMode")});
        Click(dialog, IDC_ROTATED_LANDSCAPE);
        Click(dialog, IDCANCEL); // keeps what Apply saved
    });
    Click(layout, IDC_LAYOUT_ADVANCED);
    seen += Stored({TEXT("LandscapeMode")});
    sheet.Answer(IDD_ROTATED_LANDSCAPE, [&seen](HWND dialog) {
        seen += TEXT(" ") + States(IsChecked, dialog, {IDC_ROTATED_LANDSCAPE});
        Click(dialog, IDC_ROTATED_LANDSCAPE);
        Click(dialog, IDOK); // saves the change
    });
    Click(layout, IDC_LAYOUT_ADVANCED);
    EXPECT_EQ(seen + Stored({TEXT("LandscapeMode")}),
              TEXT("Advanced - Tarvik Embosser000 1011 10"));

    EXPECT_TRUE(ShowsPicture(layout, IDC_LAYOUT_COLLATE_PICTURE, IDB_COLLATE_OFF));
    const std::pair<int, UINT> duplex[] = {{IDC_LAYOUT_DOUBLE_SIDED, IDB_DUPLEX_DOUBLE},
                                           {IDC_LAYOUT_INSERT_EMPTY_PAGE, IDB_DUPLEX_EMPTY_PAGE}};
    for (auto [click, bitmap] : duplex) {
        ASSERT_TRUE(Click(layout, click));
        EXPECT_TRUE(ShowsPicture(layout, IDC_LAYOUT_DUPLEX_PICTURE, bitmap)) << click;
    }
    Click(layout, IDC_LAYOUT_COLLATE);
    EXPECT_TRUE(ShowsPicture(layout, IDC_LAYOUT_COLLATE_PICTURE, IDB_COLLATE_ON));

    // Double-sided ink on the main page: its picture follows the choice.
    main = sheet.PageAt(kMainPage);
    ASSERT_TRUE(Click(main, IDC_MAIN_BACK_SIDE_INK_TO_FRONT));
    EXPECT_TRUE(ShowsPicture(main, IDC_MAIN_BACK_SIDE_PICTURE, IDB_BACK_SIDE_INK));
    ASSERT_TRUE(Click(main, IDC_MAIN_FRONT_INK_PAGES));
    EXPECT_FALSE(IsShown(main, IDC_MAIN_BACK_SIDE_PICTURE));
    EXPECT_TRUE(ShowsPicture(main, IDC_MAIN_TWO_PASS_PICTURE, IDB_TWO_PASS));
    std::wstring drawn; // and the image options' column headings
    sheet.Answer(IDD_IMAGE_OPTIONS, [&drawn](HWND dialog) {
        drawn = std::to_wstring(ShowsPicture(dialog, IDC_IMAGE_EMBOSS_PICTURE, IDB_BRAILLE_DOTS)) +
                std::to_wstring(ShowsPicture(dialog, IDC_IMAGE_INK_PICTURE, IDB_INK_DROP));
        Click(dialog, IDCANCEL);
    });
    Click(main, IDC_MAIN_MORE_OPTIONS);
    EXPECT_EQ(drawn, TEXT("11"));
    sheet.Ok();
    EXPECT_EQ(Stored({TEXT("TwoPassPrint")}), TEXT("1"));
}

} // namespace
