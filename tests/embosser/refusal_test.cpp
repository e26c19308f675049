// Values outside the embosser's ranges are refused with a code that has a text, and leave the
// embosser as it was.
#include "embosser_fixture.h"

namespace {

struct Refusal {
    const char* what;
    DWORD id;
    std::vector<LONG> values;
    std::vector<BYTE> data;
    DWORD error;
};

TEST_F(EmbosserTest, ParametersOutsideTheirRangesAreRefusedAndChangeNothing) {
    ResetVirtualEmbosser(kPrinter, false);
    const std::string before = ReadStateFile();
    auto blockBefore = Settings();
    const Refusal refusals[] = {
        {"left margin above 5 inches", 90, {101}, {}, 1001},
        {"negative top margin", 91, {-1}, {}, 1001},
        {"table slot 7", 92, {7}, {}, 1001},
        {"wrapping 2", 93, {2}, {}, 1001},
        {"7 dots", 95, {7}, {}, 1001},
        {"line spacing above 12.5 inches", 96, {251}, {}, 1001},
        {"dot height 3", 97, {3}, {}, 1001},
        {"duplex 0", 100, {0}, {}, 1001},
        {"media type 5", 101, {5, 6, 20}, {}, 1001},
        {"lowest force 25 with the media type", 101, {12, 25, 20}, {}, 1001},
        {"form width under 2 inches", 102, {30, 39, 220}, {}, 1001},
        {"form length above 17 inches", 102, {30, 170, 341}, {}, 1001},
        {"highest force 27", 104, {6, 27}, {}, 1001},
        {"highest force 1", 104, {6, 1}, {}, 1001},
        {"quality 3", 106, {3}, {}, 1001},
        {"carriage 2", 107, {2}, {}, 1001},
        {"right margin -20", 108, {-20}, {}, 1001},
        {"DHCP 5", 126, {5}, {}, 1001},
        {"IP address 0.0.0.0", 118, {}, {0, 0, 0, 0}, 1001},
        {"IP address 127.0.0.1", 118, {}, {127, 0, 0, 1}, 1001},
        {"multicast IP address", 118, {}, {224, 0, 0, 1}, 1001},
        {"mask with a hole", 122, {}, {255, 0, 255, 0}, 1001},
        {"mask 0.0.0.0", 122, {}, {0, 0, 0, 0}, 1001},
        {"gateway of three bytes", 114, {}, {192, 168, 1}, 1004},
        {"margin without its value", 90, {}, {}, 1004},
        {"form size with one value", 102, {30}, {}, 1004},
        {"five values", 90, {1, 2, 3, 4, 5}, {}, 1004},
        {"serial number", 4, {1}, {}, 1003},
        {"emboss usage", 128, {1, 2, 3, 4}, {}, 1003},
        {"unknown id", 999, {1}, {}, 1002},
        {"paper source", 58, {8}, {}, 1002},
        {"ink counter without the ink unit", 237, {100}, {}, 1005},
    };
    for (const Refusal& refusal : refusals) {
        DWORD error = DllExportSetPrinterParameter(
            0, kPrinter, refusal.id, refusal.values.empty() ? nullptr : refusal.values.data(),
            static_cast<DWORD>(refusal.values.size()),
            refusal.data.empty() ? nullptr : refusal.data.data(),
            static_cast<DWORD>(refusal.data.size()));
        EXPECT_EQ(error, refusal.error) << refusal.what;
        EXPECT_NE(ErrorText(error), u"(none)") << refusal.what;
    }
    EXPECT_EQ(ErrorText(1001), u"The printer does not accept this value");
    EXPECT_EQ(ErrorText(7777), u"(none)");
    // A record longer than 176 data bytes does not fit the parameter record.
    std::vector<BYTE> longData(177, 1);
    EXPECT_EQ(DllExportSetPrinterParameter(0, kPrinter, 114, nullptr, 0, longData.data(), 177),
              1004u);
    EXPECT_EQ(DllExportSetPrinterParameter(0, nullptr, 90, nullptr, 0, nullptr, 0),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    EXPECT_EQ(Update(), 0u);
    EXPECT_EQ(ReadStateFile(), before) << "refused parameters never reach the update";
    auto blockAfter = Settings();
    for (const auto& [id, record] : blockBefore)
        EXPECT_EQ(std::vector<LONG>(record.values, record.values + 4),
                  std::vector<LONG>(blockAfter[id].values, blockAfter[id].values + 4))
            << "record " << id;

    // The edges of every range are taken.
    const Refusal edges[] = {
        {"margin 5 inches", 90, {100}, {}, 0},
        {"no top margin", 91, {0}, {}, 0},
        {"table slot 6", 92, {6}, {}, 0},
        {"line spacing 12.5", 96, {250}, {}, 0},
        {"form 2 by 17 inches", 102, {30, 40, 340}, {}, 0},
        {"forces 0 and 26", 104, {0, 26}, {}, 0},
        {"card stock", 101, {11, 0, 26}, {}, 0},
        {"media type as reported", 101, {268, 0, 26}, {}, 0},
        {"gateway none", 114, {}, {0, 0, 0, 0}, 0},
        {"mask /8", 122, {}, {255, 0, 0, 0}, 0},
    };
    for (const Refusal& edge : edges)
        EXPECT_EQ(DllExportSetPrinterParameter(0, kPrinter, edge.id,
                                               edge.values.empty() ? nullptr : edge.values.data(),
                                               static_cast<DWORD>(edge.values.size()),
                                               edge.data.empty() ? nullptr : edge.data.data(),
                                               static_cast<DWORD>(edge.data.size())),
                  0u)
            << edge.what;
    EXPECT_EQ(Update(), 0u);
    EXPECT_EQ(StateValue("margin.left"), "100");
    EXPECT_EQ(StateValue("media.type"), "268");
    EXPECT_EQ(StateValue("network.gateway"), "0.0.0.0");
}

TEST_F(EmbosserTest, AnUpdateTakesAllOfItsParametersOrNone) {
    Settings();
    EXPECT_EQ(Set(90, {9}), 0u);
    EXPECT_EQ(Set(237, {100}), 0u);
    // A script detaches the ink unit before the update arrives.
    std::string text = ReadStateFile();
    text.replace(text.find("ink.unit=1"), 10, "ink.unit=0");
    WriteStateFile(text);
    DWORD error = Update();
    EXPECT_EQ(error, 1005u);
    EXPECT_EQ(ErrorText(error), u"No ChromaPod ink unit is attached");
    EXPECT_EQ(StateValue("margin.left"), "5");
    EXPECT_EQ(Update(), 0u) << "the refused update's parameters are gone";
    EXPECT_EQ(StateValue("margin.left"), "5");
}

TEST_F(EmbosserTest, TheStatusDecidesWhatTheEmbosserTakes) {
    Settings();
    std::string text = ReadStateFile();
    text.replace(text.find("status=ready"), 12, "status=offline");
    WriteStateFile(text);
    DWORD needed = 77;
    EXPECT_EQ(DllExportGetPrinterSettings(0, kPrinter, nullptr, 0, &needed), 2u);
    EXPECT_EQ(needed, 0u) << "an offline printer has no settings to give";
    EXPECT_EQ(ErrorText(2), u"Printer offline");
    EXPECT_EQ(Set(90, {9}), 2u);
    EXPECT_EQ(DllExportPrinterService(nullptr, kPrinter, 8), 2u);
    EXPECT_EQ(DllExportLoadTable(0, kPrinter, TEXT("C:\\t\\a.bct"), 1), 2u);
    DWORD status = 0;
    EXPECT_EQ(DllExportGetPrinterStatus(0, kPrinter, &status), 0u);
    EXPECT_EQ(status, 2u);

    // A jam stops the services, not the settings; a status may be written as its number.
    text = ReadStateFile();
    text.replace(text.find("status=offline"), 14, "status=3");
    WriteStateFile(text);
    EXPECT_EQ(DllExportPrinterService(nullptr, kPrinter, 8), 3u);
    EXPECT_EQ(ErrorText(3), u"Paper jam");
    EXPECT_EQ(Set(90, {9}), 0u);
    EXPECT_EQ(Update(), 0u);
    EXPECT_EQ(StateValue("status"), "paper-jam");
    EXPECT_EQ(StateValue("services"), "");
    EXPECT_EQ(Settings()[90].values[0], 9);
}

} // namespace
