// A driver whose paper lists disagree in length is not written past (a case the fuzz target
// found: the names were fetched into a block sized by the count of paper numbers).
#include "support/plugin_machine.h"

#include "media/form_queries.h"

#include <cstring>

namespace {

// One paper number, but two names and two sizes.
int DisagreeingLists(LPCWSTR device, LPCWSTR, WORD capability, LPWSTR output,
                     const DEVMODEW* devmode) {
    switch (capability) {
    case DC_PAPERS:
        if (output != nullptr)
            reinterpret_cast<WORD*>(output)[0] = DMPAPER_LETTER;
        return 1;
    case DC_PAPERNAMES:
        if (output != nullptr) {
            std::memset(output, 0, 2 * 64 * sizeof(WCHAR));
            std::memcpy(output, u"Letter", 7 * sizeof(WCHAR));
            std::memcpy(output + 64, u"A4", 3 * sizeof(WCHAR));
        }
        return 2;
    case DC_PAPERSIZE:
        if (output != nullptr) {
            reinterpret_cast<POINT*>(output)[0] = {2159, 2794};
            reinterpret_cast<POINT*>(output)[1] = {2100, 2970};
        }
        return 2;
    default:
        return sim::GenericDeviceCapabilities(device, capability, output, devmode);
    }
}

class PaperListsBoundsTest : public PluginTest {};

TEST_F(PaperListsBoundsTest, PaperListsOfDifferentLengthsAreNotRead) {
    sim::DriverHooks hooks;
    hooks.deviceCapabilities = DisagreeingLists;
    sim::SetDriverHooks(kPrinterName, hooks);
    LONG size[2] = {-1, -1};
    WCHAR name[kFormNameChars] = {};
    // The default devmode names Letter by number and by form name: the lists cannot be trusted,
    // and the form name identifies it.
    EXPECT_EQ(QueryDefaultPaper(OpenHostHandle(), size, name), 0);
    EXPECT_EQ(std::u16string(name), u"Letter");
    EXPECT_EQ(size[0], 215900);
    EXPECT_EQ(size[1], 279400);
}

} // namespace
