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

TEST_F(PrinterDataStoreTest, CustomMediaTypeNamesFitTheBufferTheyWereCountedFor) {
    DWORD bytes = 99;
    EXPECT_EQ(EnumMediaTypeNames(kPrinterNameW, nullptr, 0, &bytes), 0u);
    EXPECT_EQ(bytes, 0u) << "no key: nothing";

    sim::CreateRegistryKey(HKEY_LOCAL_MACHINE,
                           u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik "
                           u"Embosser\\Config\\MediaTypes");
    WCHAR list[16];
    std::memset(list, 0xFF, sizeof(list));
    EXPECT_EQ(EnumMediaTypeNames(kPrinterNameW, list, sizeof(list), &bytes), 0u);
    EXPECT_EQ(bytes, 2u);
    EXPECT_EQ(list[0], 0) << "an empty list is its closing zero";

    // Listing the names themselves is the paper page and media type tests'. A buffer sized for
    // two names, 12 bytes, before a third was added is never overrun.
    sim::WritePrinterDword(kPrinterName, "Config\\MediaTypes", "A", 0x1005);
    sim::WritePrinterDword(kPrinterName, "Config\\MediaTypes", "BB", 0x1406);
    sim::WritePrinterDword(kPrinterName, "Config\\MediaTypes", "Thick", 0x1808);
    std::memset(list, 0xFF, sizeof(list));
    EXPECT_EQ(EnumMediaTypeNames(kPrinterNameW, list, 12, &bytes), 2u);
    EXPECT_EQ(bytes, 24u);
    EXPECT_EQ(list[6], 0xFFFF);
}

TEST_F(PrinterDataStoreTest, DotValuesComeFromTheTableOrTheCustomStore) {
    HANDLE printer = OpenHostHandle();
    DWORD pair = 0;
    EXPECT_EQ(LookupDotValues(printer, 258, u"", 0x1E06, &pair), 0u);
    EXPECT_EQ(pair, 0x1005u);
    LookupDotValues(printer, 270, u"", 0x1E06, &pair);
    EXPECT_EQ(pair, 0x2206u);
    LookupDotValues(printer, 268, u"", 0, &pair);
    EXPECT_EQ(pair, 0x1E06u);
    LookupDotValues(printer, 300, u"", 0, &pair);
    EXPECT_EQ(pair, 0x1005u) << "an unlisted id has copy paper's values";

    EXPECT_EQ(WriteMediaTypeDotValues(printer, u"Thick", MakeDotValuePair(24, 8)), 0u);
    EXPECT_EQ(LookupDotValues(printer, 286, u"thick", 0x1E06, &pair), 0u);
    EXPECT_EQ(pair, 6152u);

    EXPECT_EQ(LookupDotValues(printer, 286, u"Missing", 0x1406, &pair),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(pair, 0x1406u) << "the printer's own pair stands in";
    sim::WritePrinterString(kPrinterName, "Config\\MediaTypes", "Wrong", "a"); // 4 bytes
    EXPECT_EQ(LookupDotValues(printer, 286, u"Wrong", 0x1406, &pair), 0u);
    EXPECT_EQ(pair, 0x1406u) << "a value of another type is not a pair";
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
