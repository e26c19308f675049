// The private devmode section: sizing, defaults, conversion and merge, inside the buffers the core
// driver hands over whatever the sizes in those buffers claim (cases the fuzz target found).
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
    HRESULT Run(DWORD mode, void* in, void* out, DWORD outSize = sizeof(OemPrivateDevmode),
                DEVMODEW* publicIn = nullptr) {
        OEMDMPARAM param = {};
        param.cbSize = sizeof(param);
        param.pPublicDMIn = publicIn;
        param.pOEMDMIn = in;
        param.pOEMDMOut = out;
        param.cbBufSize = outSize;
        return host_.plugin()->DevMode(mode, &param);
    }
    static bool IsDefaultSection(const OemPrivateDevmode& section) {
        if (section.header.dwSize != 732 || std::memcmp(&section.header.dwSignature, "KTVQ", 4) ||
            section.header.dwVersion != 1)
            return false;
        for (BYTE b : section.body)
            if (b != 0)
                return false;
        return true;
    }
    CoreDriverHost host_;
};

TEST_F(PrivateDevmodeTest, ConvertKeepsOwnSectionsForTheirLengthAndReplacesForeignOnes) {
    OemPrivateDevmode in, out;
    Run(OEMDM_DEFAULT, nullptr, &in);
    std::memset(in.body, 0x5A, sizeof(in.body));
    in.header.dwSize = 100;
    in.header.dwVersion = 7;
    std::memset(&out, 0x11, sizeof(out));
    std::memcpy(&out.header.dwSignature, "KTVQ", 4);
    out.header.dwSize = 732;
    ASSERT_EQ(Run(OEMDM_CONVERT, &in, &out), S_OK);
    EXPECT_EQ(out.header.dwSize, 732u);
    EXPECT_EQ(out.header.dwVersion, 1u);
    EXPECT_EQ(out.body[100 - 12 - 1], 0x5A) << "the input's 100 bytes were copied";
    EXPECT_EQ(out.body[100 - 12], 0x11) << "the rest of the output is untouched";

    // A section claiming to be larger than ours is cut to our size.
    in.header.dwSize = 2000;
    ASSERT_EQ(Run(OEMDM_CONVERT, &in, &out), S_OK);
    EXPECT_EQ(out.body[719], 0x5A);
    EXPECT_EQ(out.header.dwSize, 732u);

    std::memcpy(&in.header.dwSignature, "ABCD", 4);
    ASSERT_EQ(Run(OEMDM_CONVERT, &in, &out), S_OK);
    EXPECT_TRUE(IsDefaultSection(out)) << "another plug-in's section gives the default";

    EXPECT_EQ(Run(OEMDM_CONVERT, nullptr, &out), S_OK) << "a missing section is no error";
    EXPECT_EQ(Run(OEMDM_MERGE, &in, nullptr), S_OK);
}

// The default and a merge, whatever the input held, leave a fresh section over any bytes.
TEST_F(PrivateDevmodeTest, DefaultAndMergeLeaveAFreshSection) {
    OemPrivateDevmode in, out;
    Run(OEMDM_DEFAULT, nullptr, &in);
    std::memset(in.body, 0x77, sizeof(in.body));
    for (DWORD mode : {OEMDM_DEFAULT, OEMDM_MERGE}) {
        std::memset(&out, 0x33, sizeof(out));
        std::memcpy(&out.header.dwSignature, "KTVQ", 4);
        ASSERT_EQ(Run(mode, &in, &out), S_OK) << mode;
        EXPECT_TRUE(IsDefaultSection(out)) << mode;
    }
}

TEST_F(PrivateDevmodeTest, UnknownModesAndMissingParametersAreRefused) {
    OemPrivateDevmode section;
    SetLastError(0);
    EXPECT_EQ(Run(5, nullptr, &section), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SetLastError(0);
    EXPECT_EQ(host_.plugin()->DevMode(OEMDM_SIZE, nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

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
    EXPECT_TRUE(
        IsDefaultSection(*reinterpret_cast<OemPrivateDevmode*>(devmode.data() + sizeof(DEVMODEW))));
}

TEST_F(PrivateDevmodeTest, ConversionReadsNoFurtherThanTheDevmodeHoldingTheSection) {
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
    void* in = devmode.data() + sizeof(DEVMODEW);
    ASSERT_EQ(Run(OEMDM_CONVERT, in, &out, sizeof(out), publicPart), S_OK);
    EXPECT_EQ(out.header.dwSize, 732u);
    EXPECT_EQ(out.body[40 - 12 - 1], 0x5A) << "what the devmode holds is copied";
    EXPECT_EQ(out.body[40 - 12], 0x11) << "nothing beyond the devmode's end";

    // A section without room for its header is another plug-in's as far as we can tell.
    publicPart->dmDriverExtra = 8;
    ASSERT_EQ(Run(OEMDM_CONVERT, in, &out, sizeof(out), publicPart), S_OK);
    EXPECT_EQ(out.body[0], 0) << "the default section";
}

} // namespace
