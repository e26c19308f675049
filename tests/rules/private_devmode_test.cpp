// The private devmode section: sizing, defaults, conversion and merge, and what is refused.
#include "core/private_devmode.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kFresh = -1, kUntouched = -2;

struct Case {
    const char* what;
    DWORD mode;
    int inBytes; // the section's bytes inside the input devmode; 0: no input section
    DWORD inSize;
    const char* inSignature;
    DWORD outBytes;
    HRESULT result;
    DWORD error;
    int copied; // bytes of the input in the output, or kFresh, kUntouched
};

const Case kCases[] = {
    {"the default over any bytes", OEMDM_DEFAULT, 0, 0, "----", 732, S_OK, 0, kFresh},
    {"a merge whatever the input", OEMDM_MERGE, 732, 732, "KTVQ", 732, S_OK, 0, kFresh},
    {"our older, shorter section", OEMDM_CONVERT, 732, 100, "KTVQ", 732, S_OK, 0, 100},
    {"no further than the devmode", OEMDM_CONVERT, 40, 732, "KTVQ", 732, S_OK, 0, 40},
    {"another plug-in's section", OEMDM_CONVERT, 732, 732, "ABCD", 732, S_OK, 0, kFresh},
    {"a short output", OEMDM_DEFAULT, 0, 0, "----", 731, E_FAIL, ERROR_INSUFFICIENT_BUFFER,
     kUntouched},
    {"an unknown mode", 5, 0, 0, "----", 732, E_FAIL, ERROR_INVALID_PARAMETER, kUntouched},
};

TEST(PrivateDevmode, EachModeLeavesTheSectionItShould) {
    for (const Case& c : kCases) {
        // The input section follows the public part of a devmode that holds `inBytes` of it.
        std::vector<BYTE> devmode(sizeof(DEVMODEW) + 732, 0x5A);
        auto* publicPart = reinterpret_cast<DEVMODEW*>(devmode.data());
        publicPart->dmSize = sizeof(DEVMODEW);
        publicPart->dmDriverExtra = static_cast<WORD>(c.inBytes);
        OEM_DMEXTRAHEADER header = {c.inSize, 0, 7};
        std::memcpy(&header.dwSignature, c.inSignature, 4);
        std::memcpy(devmode.data() + sizeof(DEVMODEW), &header, sizeof(header));
        std::vector<BYTE> out(732, 0x11), before;
        std::memcpy(out.data() + 4, "KTVQ", 4);
        before = out;

        OEMDMPARAM param = {};
        param.pPublicDMIn = publicPart;
        param.pOEMDMIn = c.inBytes > 0 ? devmode.data() + sizeof(DEVMODEW) : nullptr;
        param.pOEMDMOut = out.data();
        param.cbBufSize = c.outBytes;
        DWORD error = 0;
        EXPECT_EQ(PrivateDevmodeOperation(c.mode, &param, &error), c.result) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
        if (c.copied == kUntouched) {
            EXPECT_EQ(out, before) << c.what;
            continue;
        }
        std::vector<BYTE> expected(732, c.copied == kFresh ? 0 : 0x11);
        if (c.copied > 0)
            std::fill(expected.begin(), expected.begin() + c.copied, 0x5A);
        OEM_DMEXTRAHEADER fresh = {732, 0, 1};
        std::memcpy(&fresh.dwSignature, "KTVQ", 4);
        std::memcpy(expected.data(), &fresh, sizeof(fresh));
        EXPECT_EQ(out, expected) << c.what;
    }
}

TEST(PrivateDevmode, SizingAndMissingBlocks) {
    OEMDMPARAM param = {};
    DWORD error = 0;
    EXPECT_EQ(PrivateDevmodeOperation(OEMDM_SIZE, &param, &error), S_OK);
    EXPECT_EQ(param.cbBufSize, 732u);
    EXPECT_EQ(PrivateDevmodeOperation(OEMDM_MERGE, &param, &error), S_OK) << "no output section";
    EXPECT_EQ(PrivateDevmodeOperation(OEMDM_SIZE, nullptr, &error), E_FAIL);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

} // namespace
