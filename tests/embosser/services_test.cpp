// Services, braille tables and ink cartridges: recorded in the state, refused when the embosser
// cannot do them.
#include "embosser_fixture.h"

namespace {

TEST_F(EmbosserTest, ServicesAreLoggedAndTheTestPageIsCounted) {
    Settings();
    for (DWORD service : {7u, 8u, 8u, 10u})
        EXPECT_EQ(DllExportPrinterService(nullptr, kPrinter, service), 0u) << service;
    EXPECT_EQ(StateValue("services"), "7,8,8,10");
    EXPECT_EQ(Settings()[128].values[0], 64) << "two test pages on carriage 1";

    for (DWORD unknown : {0u, 3u, 4u, 12u})
        EXPECT_EQ(DllExportPrinterService(nullptr, kPrinter, unknown), 1007u) << unknown;
    EXPECT_EQ(ErrorText(1007), u"The printer has no such service");

    // Carriage 2 as primary takes the next test page.
    EXPECT_EQ(Set(107, {1}), 0u);
    EXPECT_EQ(Update(), 0u);
    EXPECT_EQ(DllExportPrinterService(nullptr, kPrinter, 8), 0u);
    EXPECT_EQ(Settings()[128].values[1], 39);

    // Without the ink unit the ink services are refused.
    std::string text = ReadStateFile();
    text.replace(text.find("ink.unit=1"), 10, "ink.unit=0");
    WriteStateFile(text);
    for (DWORD ink : {9u, 10u, 11u})
        EXPECT_EQ(DllExportPrinterService(nullptr, kPrinter, ink), 1005u) << ink;
    EXPECT_EQ(StateValue("services"), "7,8,8,10,8");

    // The log keeps the latest services.
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(DllExportPrinterService(nullptr, kPrinter, i % 2 == 0 ? 1 : 2), 0u);
    std::string log = StateValue("services");
    EXPECT_EQ(std::count(log.begin(), log.end(), ','), 31);
    EXPECT_EQ(log.substr(log.size() - 3), "1,2");
}

TEST_F(EmbosserTest, BrailleTablesAreRecordedBySlot) {
    EXPECT_EQ(DllExportLoadTable(0, kPrinter, TEXT("C:\\x\\y\\z.bct"), 2), 0u);
    EXPECT_EQ(DllExportLoadTable(0, kPrinter, TEXT("D:\\tables\\Grade2.DIS"), 6), 0u);
    EXPECT_EQ(DllExportLoadTable(0, kPrinter, TEXT("C:\\x\\other.rbt"), 2), 0u);
    EXPECT_EQ(StateValue("table.2"), "other.rbt");
    EXPECT_EQ(StateValue("table.6"), "Grade2.DIS");
    EXPECT_EQ(StateValue("table.0"), "");

    EXPECT_EQ(DllExportLoadTable(0, kPrinter, TEXT("C:\\x\\z.bct"), 7), 1008u);
    EXPECT_EQ(DllExportLoadTable(0, kPrinter, TEXT("C:\\x\\notes.txt"), 1), 1009u);
    EXPECT_EQ(DllExportLoadTable(0, kPrinter, TEXT("C:\\x\\.bct"), 1), 1009u);
    EXPECT_EQ(DllExportLoadTable(0, kPrinter, nullptr, 1), 1009u);
    EXPECT_EQ(ErrorText(1009), u"The file is not a braille table the printer can load");
    EXPECT_EQ(StateValue("table.1"), "");

    // A name beyond ASCII is kept in UTF-8.
    EXPECT_EQ(DllExportLoadTable(0, kPrinter, u"C:\\x\\Fran\u00e7ais.bct", 0), 0u);
    EXPECT_EQ(StateValue("table.0"), "Fran\xc3\xa7"
                                     "ais.bct");
}

TEST_F(EmbosserTest, ACartridgeCounterResetAcknowledgesTheChange) {
    Settings();
    std::string text = ReadStateFile();
    text.replace(text.find("status=ready"), 12, "status=ink2-empty");
    text.replace(text.find("ink2.fill=47"), 12, "ink2.fill=0");
    text.replace(text.find("ink2.changed=0"), 14, "ink2.changed=1");
    text.replace(text.find("ink1.state=ok"), 13, "ink1.state=none");
    WriteStateFile(text);
    auto block = Settings();
    EXPECT_EQ(block[238].values[0], 0);
    EXPECT_EQ(block[238].values[2], 1);
    EXPECT_EQ(block[237].values[1], 0);

    EXPECT_EQ(Set(237, {100}), 1006u) << "no cartridge 1 to reset";
    EXPECT_EQ(Set(238, {101}), 1001u);
    EXPECT_EQ(Set(238, {100}), 0u);
    EXPECT_EQ(Update(), 0u);
    block = Settings();
    EXPECT_EQ(block[238].values[0], 100);
    EXPECT_EQ(block[238].values[1], 1);
    EXPECT_EQ(block[238].values[2], 0);
    DWORD status = 99;
    EXPECT_EQ(DllExportGetPrinterStatus(0, kPrinter, &status), 0u);
    EXPECT_EQ(status, 0u) << "the new cartridge ends the empty status";
}

TEST_F(EmbosserTest, PrinterNamesThatCannotNameASectionAreRefused) {
    DWORD needed = 0, status = 0;
    EXPECT_EQ(DllExportGetPrinterSettings(0, nullptr, nullptr, 0, &needed), 87u);
    EXPECT_EQ(DllExportGetPrinterSettings(0, TEXT(""), nullptr, 0, &needed), 87u);
    EXPECT_EQ(DllExportGetPrinterSettings(0, kPrinter, nullptr, 0, nullptr), 87u);
    EXPECT_EQ(DllExportGetPrinterStatus(0, TEXT("Two\nLines"), &status), 87u);
    EXPECT_EQ(DllExportGetPrinterStatus(0, kPrinter, nullptr), 87u);
    std::u16string longName(261, u'x');
    EXPECT_EQ(DllExportUpdatePrinter(0, longName.c_str()), 87u);
    EXPECT_EQ(DllExportGetPrinterErrorText(0, 0, nullptr), 0u);
    EXPECT_FALSE(std::filesystem::exists(stateFile_));
}

} // namespace
