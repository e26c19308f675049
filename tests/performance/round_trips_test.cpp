// The spooler round trips of what a person does with the printer's preferences and properties,
// on a populated printer. On a print server every one is a network round trip: these counts are
// what opening and applying cost there, and any change to them shows here.
#include "performance/round_trip_fixture.h"

#include "device/device_tree_fixture.h"
#include "resources/resource.h"

namespace {

TEST_F(RoundTripTest, PrintingPreferences) {
    // Opening: the printer's information, its settings, its papers and the forms' sizes, the
    // driver directory for the sibling libraries, and whether the user may manage the printer
    // (the handle that proves it is kept for the sheet's writes).
    CallCounts open = SheetOpenCalls([&] { OpenPreferencesWithJob(); });
    EXPECT_EQ(open, (CallCounts{{"DeviceCapabilitiesW", 2},
                                {"EnumFormsW", 1},
                                {"EnumPrinterDataExW", 1},
                                {"GetPrinterDriverDirectoryW", 1},
                                {"GetPrinterW", 1},
                                {"OpenPrinterW", 1}}));

    // The paper page: the default devmode's paper (its three lists counted before they are read,
    // so that a driver whose counts disagree overruns nothing), the paper list with its sizes, one
    // form's size for "Automatic Select", and the custom media types (counted, then listed) from
    // the printer's registry key.
    CallCounts paper = PluginCalls([&] { ShowPage(kPaperPage); });
    EXPECT_EQ(paper, (CallCounts{{"DeviceCapabilitiesW", 9},
                                 {"EnumFormsW", 1},
                                 {"GetFormW", 1},
                                 {"GetPrinterW", 3},
                                 {"RegCloseKey", 2},
                                 {"RegEnumValueW", 8},
                                 {"RegOpenKeyExW", 2}}));
    CallCounts main = PluginCalls([&] { ShowPage(kMainPage); });
    EXPECT_EQ(main, CallCounts{});

    // Apply with a change on every page: 23 values written (the host's handle is refused once,
    // then the kept full-access handle writes), and three devmode pushes (the sides, the paper,
    // the media type), each with the printer's information, two merges and SetPrinterW refused
    // then retried with full access; the driver's devmode size is asked once.
    sim::Click(ShowPage(kLayoutPage), IDC_LAYOUT_SINGLE_SIDED);
    sim::SelectComboItem(ShowPage(kPaperPage), IDC_PAPER_MEDIA_TYPE, 2);
    sim::SelectComboItem(ShowPage(kMainPage), IDC_MAIN_DOT_QUALITY, 1);
    CallCounts apply = PluginCalls([&] { sim::PressApply(sheet()); });
    EXPECT_EQ(apply, (CallCounts{{"DocumentPropertiesW", 7},
                                 {"GetPrinterW", 3},
                                 {"SetPrinterDataExW", 24},
                                 {"SetPrinterW", 6}}));
    EXPECT_EQ(ConfigDword("InterPoint"), 0u) << "single sided reached the printer data";
}

TEST_F(RoundTripTest, PrinterProperties) {
    // Opening: the settings as for the preferences, the device tree's paper list and the forms'
    // sizes for its form item, the media list the printer supports, the Service page's driver
    // information and its monitoring choice. The host's handle may manage the printer.
    CallCounts open = SheetOpenCalls([&] { OpenPrinterProperties(); });
    EXPECT_EQ(open, (CallCounts{{"DeviceCapabilitiesW", 5},
                                {"EnumFormsW", 2},
                                {"EnumPrinterDataExW", 1},
                                {"GetPrinterDataExW", 3},
                                {"GetPrinterDriverDirectoryW", 1},
                                {"GetPrinterDriverW", 2},
                                {"GetPrinterW", 3}}));

    // Applying a new form and braille dots: the form's size, the rest goes to the printer link.
    CallCounts apply = PluginCalls([&] {
        EXPECT_NE(tree_->Select(kFormSize, 1), DeviceTreeDriver::kRefused) << "Legal";
        EXPECT_NE(tree_->Select(kDots, 1), DeviceTreeDriver::kRefused);
        tree_->Apply();
    });
    EXPECT_EQ(apply, (CallCounts{{"GetFormW", 1}}));
    EXPECT_EQ(PrinterLink().updates.size(), 1u) << "the settings reached the printer";
}

} // namespace
