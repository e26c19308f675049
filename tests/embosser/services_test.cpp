// The entry points' own part: the table file's name from its path, and printer names that
// cannot name a section.
#include "embosser_fixture.h"

namespace {

TEST_F(EmbosserTest, ATableNameBeyondAsciiIsKeptInUtf8) {
    EXPECT_EQ(DllExportLoadTable(0, kPrinter, u"C:\\x\\Fran\u00e7ais.bct", 0), 0u);
    EXPECT_EQ(StateValue("table.0"), "Fran\xc3\xa7"
                                     "ais.bct");
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
