// The edges of the private devmode section the private_devmode fuzz target does not reach
// by chance (its rules and corpus hold each mode's section).
#include "core/private_devmode.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PrivateDevmode, ShortOutputsAndMissingBlocks) {
    OEMDMPARAM param = {};
    DWORD error = 0;
    EXPECT_EQ(PrivateDevmodeOperation(OEMDM_MERGE, &param, &error), S_OK) << "no output section";
    std::vector<BYTE> out(731, 0x11);
    param.pOEMDMOut = out.data();
    param.cbBufSize = 731;
    EXPECT_EQ(PrivateDevmodeOperation(OEMDM_DEFAULT, &param, &error), E_FAIL) << "a byte short";
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(out, std::vector<BYTE>(731, 0x11));
}

} // namespace
