// Whatever the printer reports, the device settings tree hands the host list selections that
// name one of the options (a case the fuzz target found: a negative dot height).
#include <gtest/gtest.h>

#include "device/device_settings_tree.h"
#include "device/device_tree_callback.h"

namespace {

TEST(DeviceSelectionBoundsTest, ANegativeDotHeightShowsTheDefault) {
    SettingsContext context = {};
    LONG selection = -1;
    // The printer's -4 leaves the signed remainder -1.
    context.DeviceDotHeight = static_cast<DWORD>(-4 % 3);
    ASSERT_TRUE(DeviceItemSelection(&context, kDotHeightItem, &selection));
    EXPECT_EQ(selection, 1) << "Normal";
    context.DeviceDotHeight = 2;
    ASSERT_TRUE(DeviceItemSelection(&context, kDotHeightItem, &selection));
    EXPECT_EQ(selection, 2) << "Low";
}

} // namespace
