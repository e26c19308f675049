// The host builds job devmodes around the plug-in's private section (the section's own sizing,
// defaults, conversion and merge are the native rule tests').
#include "support/plugin_machine.h"

#include "core/private_devmode.h"
#include "host/core_driver.h"

#include <cstring>
#include <vector>

namespace {

class PrivateDevmodeTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_EQ(host_.Load(kPluginPath), S_OK);
    }
    void TearDown() override {
        host_.Unload();
        PluginTest::TearDown();
    }
    CoreDriverHost host_;
};

TEST_F(PrivateDevmodeTest, TheHostBuildsJobDevmodesAroundTheSection) {
    DEVMODEW job = {};
    job.dmSize = sizeof(job);
    job.dmFields = DM_ORIENTATION;
    job.dmOrientation = DMORIENT_LANDSCAPE;
    std::vector<BYTE> devmode = host_.BuildJobDevmode(&job);
    ASSERT_EQ(devmode.size(), sizeof(DEVMODEW) + 732);
    auto* publicPart = reinterpret_cast<DEVMODEW*>(devmode.data());
    EXPECT_EQ(publicPart->dmDriverExtra, 732);
    EXPECT_EQ(publicPart->dmOrientation, DMORIENT_LANDSCAPE);
    OemPrivateDevmode fresh = {{732, 0, 1}, {}};
    std::memcpy(&fresh.header.dwSignature, "KTVQ", 4);
    EXPECT_EQ(std::memcmp(devmode.data() + sizeof(DEVMODEW), &fresh, sizeof(fresh)), 0);
}

} // namespace
