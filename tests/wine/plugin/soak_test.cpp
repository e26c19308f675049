// The printer's sheets opened and closed again and again, as a word processor's print dialog and
// the printer folder open them over hours: what grows a little with every opening grows past the
// fixture's closing count. QV_SOAK_CYCLES sets how many times (20 unless set).
#include "person/person.h"
#include "wine_test.h"

#include <cstdlib>

namespace {

class SoakTest : public WineTest {};

TEST_F(SoakTest, TheSheetsOpenedAndClosedManyTimesLeaveNothingBehind) {
    char cycles[16] = "20";
    GetEnvironmentVariableA("QV_SOAK_CYCLES", cycles, sizeof(cycles));
    for (int cycle = std::atoi(cycles); cycle > 0; --cycle)
        for (bool preferences : {true, false}) {
            Sheet sheet;
            ASSERT_TRUE(preferences ? sheet.OpenPreferences(kPrinterName)
                                    : sheet.OpenProperties(kPrinterName));
            for (int page = sheet.PageCount() - 1; page >= 0; --page)
                ASSERT_NE(sheet.PageAt(page), nullptr);
            sheet.Cancel();
        }
}

} // namespace
