// The private devmode section stays inside the buffers the core driver hands over, whatever the
// sizes in those buffers claim (cases the fuzz target found).
#include "support/plugin_machine.h"

#include "core/private_devmode.h"
#include "host/core_driver.h"

#include <cstring>
#include <vector>

namespace {

class PrivateDevmodeBoundsTest : public PluginTest {
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

TEST_F(PrivateDevmodeBoundsTest, AnOutputSectionShorterThanOursIsRefusedUntouched) {
    std::vector<BYTE> out(100, 0xEE);
    OEMDMPARAM param = {};
    param.cbSize = sizeof(param);
    param.pOEMDMOut = out.data();
    param.cbBufSize = static_cast<DWORD>(out.size());
    for (DWORD mode : {OEMDM_DEFAULT, OEMDM_CONVERT, OEMDM_MERGE}) {
        SetLastError(0);
        EXPECT_EQ(host_.plugin()->DevMode(mode, &param), E_FAIL) << "mode " << mode;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
        EXPECT_EQ(out, std::vector<BYTE>(100, 0xEE)) << "mode " << mode;
    }
}

TEST_F(PrivateDevmodeBoundsTest, ConversionReadsNoFurtherThanTheDevmodeHoldingTheSection) {
    // A devmode whose private part holds only 40 bytes of our section, while the section's
    // header claims all 732: the conversion copies those 40 bytes and leaves the rest.
    std::vector<BYTE> devmode(sizeof(DEVMODEW) + 40, 0x5A);
    auto* publicPart = reinterpret_cast<DEVMODEW*>(devmode.data());
    publicPart->dmSize = sizeof(DEVMODEW);
    publicPart->dmDriverExtra = 40;
    OEM_DMEXTRAHEADER header = {732, 0, 1};
    std::memcpy(&header.dwSignature, "KTVQ", 4);
    std::memcpy(devmode.data() + sizeof(DEVMODEW), &header, sizeof(header));

    OemPrivateDevmode out;
    std::memset(&out, 0x11, sizeof(out));
    std::memcpy(&out.header.dwSignature, "KTVQ", 4);
    out.header.dwSize = 732;
    OEMDMPARAM param = {};
    param.cbSize = sizeof(param);
    param.pPublicDMIn = publicPart;
    param.pOEMDMIn = devmode.data() + sizeof(DEVMODEW);
    param.pOEMDMOut = &out;
    param.cbBufSize = sizeof(out);
    ASSERT_EQ(host_.plugin()->DevMode(OEMDM_CONVERT, &param), S_OK);
    EXPECT_EQ(out.header.dwSize, 732u);
    EXPECT_EQ(out.body[40 - 12 - 1], 0x5A) << "what the devmode holds is copied";
    EXPECT_EQ(out.body[40 - 12], 0x11) << "nothing beyond the devmode's end";

    // A section without room for its header is another plug-in's as far as we can tell.
    publicPart->dmDriverExtra = 8;
    ASSERT_EQ(host_.plugin()->DevMode(OEMDM_CONVERT, &param), S_OK);
    EXPECT_EQ(out.body[0], 0) << "the default section";
}

} // namespace
