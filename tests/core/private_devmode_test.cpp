// The private devmode section: sizing, defaults, conversion and merge.
#include "support/plugin_machine.h"

#include "core/private_devmode.h"
#include "host/core_driver.h"

#include <cstring>

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
    HRESULT Run(DWORD mode, void* in, void* out) {
        OEMDMPARAM param = {};
        param.cbSize = sizeof(param);
        param.pOEMDMIn = in;
        param.pOEMDMOut = out;
        param.cbBufSize = sizeof(OemPrivateDevmode);
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

TEST_F(PrivateDevmodeTest, SizeAndDefault) {
    EXPECT_EQ(host_.PrivateDevmodeSize(), 732u);
    OemPrivateDevmode section;
    std::memset(&section, 0xFF, sizeof(section));
    ASSERT_EQ(Run(OEMDM_DEFAULT, nullptr, &section), S_OK);
    EXPECT_TRUE(IsDefaultSection(section));
}

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

TEST_F(PrivateDevmodeTest, MergeAlwaysLeavesTheDefaultSection) {
    OemPrivateDevmode in, out;
    Run(OEMDM_DEFAULT, nullptr, &in);
    std::memset(in.body, 0x77, sizeof(in.body));
    std::memset(&out, 0x33, sizeof(out));
    std::memcpy(&out.header.dwSignature, "KTVQ", 4);
    out.header.dwSize = 732;
    ASSERT_EQ(Run(OEMDM_MERGE, &in, &out), S_OK);
    EXPECT_TRUE(IsDefaultSection(out));
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

} // namespace
