// The layout page: sides, the empty page, collation and preview, the devmode pushes, and the
// rotated landscape dialog.
#include "support/preferences_fixture.h"

#include "resources/resource.h"
#include "settings/settings_context.h"

#include <cstring>

#include <algorithm>

namespace {

class LayoutPageTest : public PreferencesTest {
protected:
    HWND OpenLayoutPage(DEVMODEW* job = nullptr) {
        OpenPreferences(job);
        return sim::SheetPages(sheet())[kLayoutPage].window;
    }
    static DEVMODEW StoredDefaultDevmode() {
        DEVMODEW devmode = {};
        auto stored = sim::DefaultDevmode(kPrinterName);
        EXPECT_TRUE(stored.has_value());
        if (stored)
            std::memcpy(&devmode, stored->data(), sizeof(devmode));
        return devmode;
    }
};

TEST_F(LayoutPageTest, ApplyingOnlyPreviewTouchesNoDevmode) {
    HWND page = OpenLayoutPage();
    EXPECT_TRUE(sim::IsChecked(page, IDC_LAYOUT_SINGLE_SIDED));
    EXPECT_FALSE(sim::IsEnabled(page, IDC_LAYOUT_INSERT_EMPTY_PAGE));
    sim::Click(page, IDC_LAYOUT_PREVIEW);
    EXPECT_TRUE(sim::IsApplyEnabled(sheet()));
    sim::PressApply(sheet());
    EXPECT_TRUE(sim::SetPrinterLog().empty());
    EXPECT_TRUE(sim::DocumentPropertiesLog().empty());
    EXPECT_TRUE(sim::Broadcasts().empty());
    EXPECT_EQ(ConfigDword("Preview"), 1u);
    for (const char* value :
         {"InterPoint", "BindingEdge", "InsertEmptyPage", "Orientation", "Collate"})
        EXPECT_TRUE(HasConfigValue(value)) << value;
}

TEST_F(LayoutPageTest, DoubleSidedReachesBothDevmodesAndEveryWindowHearsOfIt) {
    std::vector<BYTE> job = host_.BuildJobDevmode(nullptr);
    auto* jobDevmode = reinterpret_cast<DEVMODEW*>(job.data());
    HWND page = OpenLayoutPage(jobDevmode);
    sim::Click(page, IDC_LAYOUT_DOUBLE_SIDED);
    EXPECT_EQ(context()->InterPointCurrent, 1u) << "known to the main page before apply";
    EXPECT_TRUE(sim::IsEnabled(page, IDC_LAYOUT_INSERT_EMPTY_PAGE));
    sim::Click(page, IDC_LAYOUT_INSERT_EMPTY_PAGE);
    sim::Click(page, IDC_LAYOUT_COLLATE);
    sim::PressApply(sheet());

    EXPECT_TRUE(jobDevmode->dmFields & DM_DUPLEX);
    EXPECT_EQ(jobDevmode->dmDuplex, DMDUP_VERTICAL);
    EXPECT_EQ(jobDevmode->dmCollate, DMCOLLATE_TRUE);
    DEVMODEW stored = StoredDefaultDevmode();
    EXPECT_TRUE(stored.dmFields & DM_DUPLEX);
    EXPECT_EQ(stored.dmDuplex, DMDUP_VERTICAL);
    EXPECT_EQ(stored.dmCollate, DMCOLLATE_TRUE);
    // The host's handle may not change the printer; the same call through a full-access
    // handle may.
    const auto& sets = sim::SetPrinterLog();
    ASSERT_EQ(sets.size(), 4u);
    EXPECT_FALSE(sets[0].result);
    EXPECT_EQ(sets[0].error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(sets[1].result);
    EXPECT_TRUE(sets[1].devmodeStored);
    ASSERT_EQ(sim::Broadcasts().size(), 2u) << "one per pushed setting";
    EXPECT_EQ(sim::Broadcasts()[0].message, static_cast<UINT>(WM_DEVMODECHANGE));
    EXPECT_EQ(sim::Broadcasts()[0].text, u"Tarvik Embosser");
    EXPECT_EQ(sim::Broadcasts()[0].timeout, 1000u);
    EXPECT_EQ(sim::Broadcasts()[0].flags, static_cast<UINT>(SMTO_NORMAL));
    EXPECT_EQ(ConfigDword("InterPoint"), 1u);
    EXPECT_EQ(ConfigDword("InsertEmptyPage"), 1u);
    EXPECT_EQ(ConfigDword("Collate"), 1u);

    // Pushing the same choices again changes nothing.
    sim::Click(page, IDC_LAYOUT_PREVIEW);
    sim::PressApply(sheet());
    EXPECT_EQ(sim::Broadcasts().size(), 2u);
}

TEST_F(LayoutPageTest, BindingEdgeIsAlwaysStoredAsTwoAndAStrangeOrientationAsPortrait) {
    sim::WritePrinterDword(kPrinterName, "Config", "BindingEdge", 1);
    sim::WritePrinterDword(kPrinterName, "Config", "Orientation", 3);
    // The printer's default is landscape: the portrait pushed must replace it.
    std::vector<BYTE> landscape = *sim::DefaultDevmode(kPrinterName);
    reinterpret_cast<DEVMODEW*>(landscape.data())->dmOrientation = DMORIENT_LANDSCAPE;
    sim::SetDefaultDevmode(kPrinterName, reinterpret_cast<DEVMODEW*>(landscape.data()));
    HWND page = OpenLayoutPage();
    EXPECT_TRUE(sim::IsChecked(page, IDC_LAYOUT_PORTRAIT));
    EXPECT_TRUE(sim::IsChecked(page, IDC_LAYOUT_OPEN_TO_TOP));
    sim::Click(page, IDC_LAYOUT_PREVIEW);
    sim::PressApply(sheet());
    EXPECT_EQ(ConfigDword("BindingEdge"), 2u);
    EXPECT_EQ(ConfigDword("Orientation"), 1u);
    DEVMODEW stored = StoredDefaultDevmode();
    EXPECT_EQ(stored.dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(stored.dmDuplex, DMDUP_SIMPLEX) << "the duplex push ran for the binding edge";
    EXPECT_EQ(sim::Broadcasts().size(), 2u);
}

TEST_F(LayoutPageTest, TwoInOneOnTheMainPageForbidsTheEmptyPage) {
    sim::WritePrinterDword(kPrinterName, "Config", "InterPoint", 1);
    sim::WritePrinterDword(kPrinterName, "Config", "InsertEmptyPage", 1);
    sim::WritePrinterDword(kPrinterName, "Config", "Show2In1Warning", 0);
    HWND page = OpenLayoutPage();
    EXPECT_TRUE(sim::IsChecked(page, IDC_LAYOUT_INSERT_EMPTY_PAGE));
    HWND main = ShowPage(kMainPage);
    sim::Click(main, IDC_MAIN_TWO_IN_ONE);
    ShowPage(kLayoutPage);
    EXPECT_FALSE(sim::IsEnabled(page, IDC_LAYOUT_INSERT_EMPTY_PAGE));
    EXPECT_FALSE(sim::IsChecked(page, IDC_LAYOUT_INSERT_EMPTY_PAGE));
    sim::Click(page, IDC_LAYOUT_DOUBLE_SIDED);
    EXPECT_FALSE(sim::IsEnabled(page, IDC_LAYOUT_INSERT_EMPTY_PAGE));
}

TEST_F(LayoutPageTest, ALandscapeJobStaysLandscapeWhenOtherChoicesAreApplied) {
    // The orientation controls are hidden; what they hold is read back at apply.
    std::vector<BYTE> job = host_.BuildJobDevmode(nullptr);
    auto* jobDevmode = reinterpret_cast<DEVMODEW*>(job.data());
    jobDevmode->dmFields |= DM_ORIENTATION;
    jobDevmode->dmOrientation = DMORIENT_LANDSCAPE;
    HWND page = OpenLayoutPage(jobDevmode);
    EXPECT_TRUE(sim::IsChecked(page, IDC_LAYOUT_LANDSCAPE));
    sim::Click(page, IDC_LAYOUT_COLLATE);
    sim::PressApply(sheet());
    EXPECT_EQ(jobDevmode->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(ConfigDword("Orientation"), 2u);
    EXPECT_EQ(sim::Broadcasts().size(), 1u) << "only collation was pushed";
}

TEST_F(LayoutPageTest, PicturesShowTheChoices) {
    HWND page = OpenLayoutPage();
    HWND duplex = sim::Control(page, IDC_LAYOUT_DUPLEX_PICTURE);
    HWND collate = sim::Control(page, IDC_LAYOUT_COLLATE_PICTURE);
    sim::Paint(page);
    EXPECT_EQ(sim::LastBitmapDrawnInto(duplex), IDB_DUPLEX_SINGLE);
    EXPECT_EQ(sim::LastBitmapDrawnInto(collate), IDB_COLLATE_OFF);
    EXPECT_EQ(sim::LastBitmapDrawnInto(sim::Control(page, IDC_LAYOUT_LOGO)), IDB_LOGO);
    EXPECT_EQ(sim::LastBitmapDrawnInto(sim::Control(page, IDC_LAYOUT_BLANK_PICTURE)), -1);
    EXPECT_EQ(sim::LastDrawInto(duplex)->transparent, RGB(0, 255, 255));

    sim::Click(page, IDC_LAYOUT_DOUBLE_SIDED);
    EXPECT_EQ(sim::LastBitmapDrawnInto(duplex), IDB_DUPLEX_DOUBLE) << "redrawn at once";
    sim::Click(page, IDC_LAYOUT_INSERT_EMPTY_PAGE);
    EXPECT_EQ(sim::LastBitmapDrawnInto(duplex), IDB_DUPLEX_EMPTY_PAGE);
    // The picture's rectangle in the page is redrawn, the page's background under it first,
    // so nothing of the previous picture stays where the new one is transparent.
    size_t paints = sim::PaintLog().size();
    sim::Click(page, IDC_LAYOUT_COLLATE);
    EXPECT_EQ(sim::LastBitmapDrawnInto(collate), IDB_COLLATE_ON);
    const sim::RedrawRecord& redraw = sim::RedrawLog().back();
    EXPECT_EQ(redraw.window, page);
    ASSERT_TRUE(redraw.hasRect);
    for (const sim::ControlInfo& control : sim::DialogControls(page)) {
        if (control.id != IDC_LAYOUT_COLLATE_PICTURE)
            continue;
        EXPECT_EQ(redraw.rect.left, control.rect.left);
        EXPECT_EQ(redraw.rect.top, control.rect.top);
        EXPECT_EQ(redraw.rect.right, control.rect.right);
        EXPECT_EQ(redraw.rect.bottom, control.rect.bottom);
    }
    EXPECT_EQ(redraw.flags & (RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN),
              static_cast<UINT>(RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN));
    std::vector<HWND> painted(sim::PaintLog().begin() + static_cast<std::ptrdiff_t>(paints),
                              sim::PaintLog().end());
    ASSERT_GE(painted.size(), 2u);
    EXPECT_EQ(painted[0], page) << "the page's background first";
    EXPECT_NE(std::find(painted.begin(), painted.end(), collate), painted.end());
}

// A printer without a default devmode gets the driver's; a stored one shorter than the driver's
// (left by an older driver: no private section at all) is merged in a copy of full size.
TEST_F(LayoutPageTest, AMissingOrShortDefaultDevmodeIsReplacedByOneOfTheDriversSize) {
    DEVMODEW old = {};
    old.dmSize = sizeof(old);
    old.dmSpecVersion = DM_SPECVERSION;
    old.dmFields = DM_ORIENTATION;
    old.dmOrientation = DMORIENT_PORTRAIT;
    for (DEVMODEW* before : {static_cast<DEVMODEW*>(nullptr), &old}) {
        sim::SetDefaultDevmode(kPrinterName, before);
        sim::WritePrinterDword(kPrinterName, "Config", "InterPoint", 0);
        HWND page = OpenLayoutPage();
        sim::Click(page, IDC_LAYOUT_DOUBLE_SIDED);
        sim::PressApply(sheet());
        auto stored = sim::DefaultDevmode(kPrinterName);
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->size(), sizeof(DEVMODEW) + 732);
        EXPECT_EQ(StoredDefaultDevmode().dmDuplex, DMDUP_VERTICAL);
        EXPECT_TRUE(StoredDefaultDevmode().dmFields & DM_DUPLEX);
        ClosePreferences();
    }

    // When the printer refuses the new default, nothing is announced, but the values stay.
    HWND page = OpenLayoutPage();
    size_t broadcasts = sim::Broadcasts().size();
    sim::FailSetPrinter(kPrinterName, ERROR_ACCESS_DENIED);
    sim::Click(page, IDC_LAYOUT_COLLATE);
    sim::PressApply(sheet());
    EXPECT_EQ(sim::Broadcasts().size(), broadcasts);
    EXPECT_EQ(ConfigDword("Collate"), 1u);
}

// Warned once, on the layout page; the main page's choices are shown but cannot be changed.
TEST_F(LayoutPageTest, AUserWithoutTheManageRightIsWarnedAndKeptOut) {
    sim::SetUserCanManage(kPrinterName, false);
    sim::QueueMessageBoxAnswer(IDOK);
    HWND page = OpenLayoutPage();
    ASSERT_EQ(sim::MessageBoxLog().size(), 1u);
    EXPECT_EQ(sim::MessageBoxLog()[0].caption, u"Tarvik Embosser");
    EXPECT_EQ(sim::MessageBoxLog()[0].type, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_NE(sim::MessageBoxLog()[0].text.find(u"'Manage Printer'"), std::u16string::npos);
    for (int id :
         {IDC_LAYOUT_SINGLE_SIDED, IDC_LAYOUT_DOUBLE_SIDED, IDC_LAYOUT_COLLATE, IDC_LAYOUT_PREVIEW})
        EXPECT_FALSE(sim::IsEnabled(page, id)) << id;
    EXPECT_TRUE(sim::IsEnabled(page, IDC_LAYOUT_ADVANCED));

    HWND main = ShowPage(kMainPage);
    for (int id : {IDC_MAIN_EMBOSS, IDC_MAIN_PRINT, IDC_MAIN_TWO_IN_ONE, IDC_MAIN_DOT_QUALITY,
                   IDC_MAIN_PRINT_QUALITY, IDC_MAIN_MORE_OPTIONS, IDC_MAIN_DEFAULTS,
                   IDC_MAIN_BACK_SIDE_INK_TO_FRONT, IDC_MAIN_EMBOSS_STANDARD_TEXT})
        EXPECT_FALSE(sim::IsEnabled(main, id)) << id;
    EXPECT_TRUE(sim::IsChecked(main, IDC_MAIN_EMBOSS)) << "the stored values are still shown";
}

TEST_F(LayoutPageTest, OnlyTheRotatedLandscapeDialogWritesLandscapeMode) {
    HWND page = OpenLayoutPage();
    sim::ScriptModalDialog(IDD_ROTATED_LANDSCAPE, [](HWND dialog) {
        EXPECT_EQ(sim::WindowText(dialog), u"Advanced - Tarvik Embosser");
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        sim::Click(dialog, IDOK);
    });
    sim::Click(page, IDC_LAYOUT_ADVANCED);
    EXPECT_EQ(ConfigDword("LandscapeMode"), 0u);
    EXPECT_FALSE(sim::IsApplyEnabled(sheet())) << "the page is not changed by the dialog";

    sim::ScriptModalDialog(IDD_ROTATED_LANDSCAPE, [](HWND dialog) {
        sim::Click(dialog, IDC_ROTATED_LANDSCAPE);
        EXPECT_TRUE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        sim::Click(dialog, IDC_APPLY_BUTTON);
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        EXPECT_TRUE(sim::HasFocus(dialog, IDOK));
        EXPECT_EQ(ConfigDword("LandscapeMode"), 1u);
        sim::Click(dialog, IDC_ROTATED_LANDSCAPE);
        sim::Click(dialog, IDCANCEL);
    });
    sim::Click(page, IDC_LAYOUT_ADVANCED);
    EXPECT_EQ(ConfigDword("LandscapeMode"), 1u) << "Cancel keeps what Apply saved";
    EXPECT_EQ(context()->LandscapeMode, 1u);

    sim::ScriptModalDialog(IDD_ROTATED_LANDSCAPE, [](HWND dialog) {
        EXPECT_TRUE(sim::IsChecked(dialog, IDC_ROTATED_LANDSCAPE));
        sim::Click(dialog, IDC_ROTATED_LANDSCAPE);
        sim::Click(dialog, IDOK);
    });
    sim::Click(page, IDC_LAYOUT_ADVANCED);
    EXPECT_EQ(ConfigDword("LandscapeMode"), 0u) << "OK saves while Apply is enabled";
}

} // namespace
