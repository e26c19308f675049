#include <gtest/gtest.h>
#include "sim.h"

TEST(WinsimSmoke, ResetRuns) {
    sim::Reset();
    SUCCEED();
}
