// The printer data store: healing reads, the full-access retry, custom media types, dot values.
#include "support/plugin_machine.h"

#include "settings/printer_data_store.h"

#include <cstring>

namespace {

class PrinterDataStoreTest : public PluginTest {};

TEST_F(PrinterDataStoreTest, TextsAreBoundedAndHealed) {
    HANDLE printer = OpenHostHandle();
    WCHAR text[260];
    // Each read enumerates the key afresh, as a sheet's load does.
    auto read = [&](const char16_t* defaultText) {
        ConfigValues values(printer);
        ReadConfigString(values, u"CustomMediaType", text, defaultText);
        return std::u16string(text);
    };
    EXPECT_EQ(read(u""), u"");
    EXPECT_EQ(ConfigString("CustomMediaType"), u"");
    ASSERT_TRUE(sim::ReadPrinterData(kPrinterName, "Config", "CustomMediaType"));
    EXPECT_EQ(sim::ReadPrinterData(kPrinterName, "Config", "CustomMediaType")->data.size(), 0u)
        << "the healed default is stored without its terminator";

    sim::WritePrinterString(kPrinterName, "Config", "CustomMediaType", "Thick");
    EXPECT_EQ(read(u""), u"Thick");

    std::string tooLong(260, 'x');
    sim::WritePrinterString(kPrinterName, "Config", "CustomMediaType", tooLong.c_str());
    EXPECT_EQ(read(u"Plain"), u"Plain") << "260 characters do not fit";
    EXPECT_EQ(ConfigString("CustomMediaType"), u"Plain");

    std::string longest(259, 'z'); // stored with its terminator, as the paper page stores names
    sim::WritePrinterString(kPrinterName, "Config", "CustomMediaType", longest.c_str());
    EXPECT_EQ(read(u"Plain").size(), 259u) << "a terminated 259-character text is read";

    std::string fits(258, 'y');
    sim::WritePrinterString(kPrinterName, "Config", "CustomMediaType", fits.c_str());
    EXPECT_EQ(read(u"Plain").size(), 258u);
}

TEST_F(PrinterDataStoreTest, RefusedWritesAreRetriedWithFullAccess) {
    HANDLE printer = OpenHostHandle(); // opened for use: its own writes are refused
    EXPECT_EQ(WriteConfigDword(printer, u"Preview", 1), 0u);
    EXPECT_EQ(ConfigDword("Preview"), 1u);
    EXPECT_EQ(sim::OpenPrinterHandles(kPrinterName), 1u) << "the full-access handle was closed";

    sim::SetUserCanManage(kPrinterName, false);
    EXPECT_EQ(WriteConfigDword(printer, u"Preview", 0), static_cast<DWORD>(ERROR_ACCESS_DENIED))
        << "the first error is reported when the reopen is refused too";
    EXPECT_EQ(ConfigDword("Preview"), 1u);

    sim::SetUserCanManage(kPrinterName, true);
    sim::FailPrinterDataWrites(kPrinterName, "Config", "Preview", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(WriteConfigDword(printer, u"Preview", 0), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY))
        << "the second write's result is returned";
    EXPECT_EQ(sim::OpenPrinterHandles(kPrinterName), 1u);
}

TEST_F(PrinterDataStoreTest, ManagingNeedsTheManagePrinterRight) {
    EXPECT_TRUE(CanManagePrinter(kPrinterNameW));
    sim::SetUserCanManage(kPrinterName, false);
    EXPECT_FALSE(CanManagePrinter(kPrinterNameW));
    EXPECT_FALSE(CanManagePrinter(u"No Such Printer"));
}

// The list's bounds and the table of dot values are the native rule tests'; here, what the
// store reads.
TEST_F(PrinterDataStoreTest, CustomMediaTypesComeFromThePrintersKey) {
    DWORD bytes = 99;
    EXPECT_EQ(EnumMediaTypeNames(kPrinterNameW, nullptr, 0, &bytes), 0u);
    EXPECT_EQ(bytes, 0u) << "no key: nothing";

    HANDLE printer = OpenHostHandle();
    DWORD pair = 0;
    EXPECT_EQ(WriteMediaTypeDotValues(printer, u"Thick", MakeDotValuePair(24, 8)), 0u);
    EXPECT_EQ(EnumMediaTypeNames(kPrinterNameW, nullptr, 0, &bytes), 1u);
    EXPECT_EQ(LookupDotValues(printer, 286, u"thick", 0x1E06, &pair), 0u);
    EXPECT_EQ(pair, 6152u);
    EXPECT_EQ(LookupDotValues(printer, 286, u"Missing", 0x1406, &pair),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(pair, 0x1406u) << "the printer's own pair stands in";
    EXPECT_EQ(LookupDotValues(printer, 286, u"Thick", 0, nullptr), static_cast<DWORD>(-1));
}

TEST_F(PrinterDataStoreTest, MediaTypesAreDeletedAgainWithFullAccess) {
    HANDLE printer = OpenHostHandle();
    sim::WritePrinterDword(kPrinterName, "Config\\MediaTypes", "Thick", 0x1808);
    DWORD own = DeletePrinterDataExW(printer, u"Config\\MediaTypes", u"Thick");
    EXPECT_EQ(own, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(DeleteMediaType(u"Thick", printer, own), 0u);
    EXPECT_FALSE(sim::ReadPrinterData(kPrinterName, "Config\\MediaTypes", "Thick"));

    sim::SetUserCanManage(kPrinterName, false);
    EXPECT_EQ(DeleteMediaType(u"Thick", printer, 1234), 1234u)
        << "the caller's error when the reopen fails";
}

} // namespace
