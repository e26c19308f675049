// The printer's sheets opened and closed again and again, as a word processor's print dialog and
// the printer folder open them over hours: what grows a little with every opening grows past the
// fixture's closing count. QV_SOAK_CYCLES sets how many times (20 unless set).
#include "wine_test.h"

#include <cstdlib>

namespace {

class SoakTest : public WineTest {};

TEST_F(SoakTest, TheSheetsOpenedAndClosedManyTimesLeaveNothingBehind) {
    char cycles[16] = "20";
    GetEnvironmentVariableA("QV_SOAK_CYCLES", cycles, sizeof(cycles));
    for (int cycle = std::atoi(cycles); cycle > 0; --cycle)
        ASSERT_TRUE(OpenEverySheetPage()) << cycle;
}

} // namespace
