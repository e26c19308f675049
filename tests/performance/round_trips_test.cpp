// The spooler round trips of what a person does with the printer's preferences and properties,
// on a populated printer. On a print server every one is a network round trip: these counts are
// what opening and applying cost there, and any change to them shows here.
#include "performance/round_trip_fixture.h"

#include "device/device_tree_fixture.h"
#include "resources/resource.h"

#include <cstdio>

namespace {

void Report(const char* what, const CallCounts& counts) {
    std::printf("%s: %s\n", what, DescribeCounts(counts).c_str());
}

TEST_F(RoundTripTest, PrintingPreferences) {
    CallCounts open = SheetOpenCalls([&] { OpenPreferencesWithJob(); });
    Report("open", open);
    CallCounts paper = PluginCalls([&] { ShowPage(kPaperPage); });
    Report("paper page", paper);
    CallCounts main = PluginCalls([&] { ShowPage(kMainPage); });
    Report("main page", main);

    sim::Click(ShowPage(kLayoutPage), IDC_LAYOUT_DOUBLE_SIDED);
    sim::SelectComboItem(ShowPage(kPaperPage), IDC_PAPER_MEDIA_TYPE, 2);
    sim::SelectComboItem(ShowPage(kMainPage), IDC_MAIN_DOT_QUALITY, 1);
    CallCounts apply = PluginCalls([&] { sim::PressApply(sheet()); });
    Report("apply", apply);
}

TEST_F(RoundTripTest, PrinterProperties) {
    CallCounts open = SheetOpenCalls([&] { OpenPrinterProperties(); });
    Report("properties open", open);
    CallCounts apply = PluginCalls([&] {
        EXPECT_NE(tree_->Select(kFormSize, 1), DeviceTreeDriver::kRefused) << "Legal";
        EXPECT_NE(tree_->Select(kDots, 1), DeviceTreeDriver::kRefused);
        tree_->Apply();
    });
    EXPECT_EQ(PrinterLink().updates.size(), 1u) << "the settings reached the printer";
    Report("device apply", apply);
}

} // namespace
