// Enumerating a key of printer data in one call, and counting the round trips to the spooler:
// every winspool call, and every registry call on a printer's key, but nothing the spooler does
// inside its own calls and nothing the test's sim:: helpers do.
#include "spooler_fixture.h"

#include <cstring>
#include <vector>

using namespace spoolertest;

namespace {

class RoundTrips : public PrinterTest {
protected:
    void TearDown() override {
        PrinterTest::TearDown();
        EXPECT_EQ(sim::OpenRegistryKeys(), 0u);
    }
};

TEST_F(RoundTrips, EnumeratingAKeyAnswersEveryValueInOneBuffer) {
    sim::WritePrinterDword(kPrinter, "Config", "EmbossMode", 1);
    sim::WritePrinterString(kPrinter, "Config", "CustomMediaType", "Card");
    sim::WritePrinterData(kPrinter, "Config", "PaperSize", REG_BINARY,
                          {0x50, 0x34, 0x03, 0, 0x28, 0x88, 0x04, 0});
    sim::WritePrinterData(kPrinter, "Config", "Empty", REG_BINARY, {});
    sim::WritePrinterDword(kPrinter, "Config\\MediaTypes", "Thick", 0x2006);
    HANDLE user = Open(0);

    // Sizing: ERROR_MORE_DATA with the whole answer's size and no values.
    DWORD needed = 0, count = 99;
    ASSERT_EQ(EnumPrinterDataExW(user, u"Config", nullptr, 0, &needed, &count),
              static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(count, 0u);
    ASSERT_GT(needed, 4 * sizeof(PRINTER_ENUM_VALUESW));
    std::vector<BYTE> buffer(needed);
    DWORD shortBy = needed - 1;
    EXPECT_EQ(EnumPrinterDataExW(user, u"Config", buffer.data(), shortBy, &needed, &count),
              static_cast<DWORD>(ERROR_MORE_DATA));

    ASSERT_EQ(EnumPrinterDataExW(user, u"Config", buffer.data(), needed, &needed, &count),
              ERROR_SUCCESS);
    ASSERT_EQ(count, 4u); // the values of the key itself, not of its sub-key
    auto* values = reinterpret_cast<const PRINTER_ENUM_VALUESW*>(buffer.data());
    EXPECT_EQ(std::u16string(values[0].pValueName), u"EmbossMode");
    EXPECT_EQ(values[0].cbValueName, 22u); // with the terminator
    EXPECT_EQ(values[0].dwType, static_cast<DWORD>(REG_DWORD));
    ASSERT_EQ(values[0].cbData, 4u);
    DWORD emboss = 0;
    std::memcpy(&emboss, values[0].pData, 4);
    EXPECT_EQ(emboss, 1u);
    EXPECT_EQ(std::u16string(values[1].pValueName), u"CustomMediaType");
    EXPECT_EQ(values[1].dwType, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(values[1].pData)), u"Card");
    EXPECT_EQ(values[2].cbData, 8u);
    LONG size[2];
    std::memcpy(size, values[2].pData, 8);
    EXPECT_EQ(size[0], 210000);
    EXPECT_EQ(size[1], 297000);
    EXPECT_EQ(values[3].cbData, 0u);
    // Everything lies inside the caller's buffer.
    for (DWORD i = 0; i < count; ++i) {
        auto* name = reinterpret_cast<const BYTE*>(values[i].pValueName);
        EXPECT_GE(name, buffer.data());
        EXPECT_LE(name + values[i].cbValueName, buffer.data() + needed);
        EXPECT_LE(values[i].pData + values[i].cbData, buffer.data() + needed);
    }
    ClosePrinter(user);
}

TEST_F(RoundTrips, EnumerationFailsAsTheSpoolerDoes) {
    HANDLE user = Open(0);
    DWORD needed = 7, count = 7;
    EXPECT_EQ(EnumPrinterDataExW(user, u"Config", nullptr, 0, &needed, &count),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(EnumPrinterDataExW(user, u"", nullptr, 0, &needed, &count),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(EnumPrinterDataExW(nullptr, u"Config", nullptr, 0, &needed, &count),
              static_cast<DWORD>(ERROR_INVALID_HANDLE));

    // An empty key: nothing to answer, and no buffer needed.
    sim::WritePrinterDword(kPrinter, "Config", "EmbossMode", 1);
    HANDLE admin = Open(PRINTER_ALL_ACCESS);
    ASSERT_EQ(DeletePrinterDataExW(admin, u"Config", u"EmbossMode"), ERROR_SUCCESS);
    EXPECT_EQ(EnumPrinterDataExW(user, u"Config", nullptr, 0, &needed, &count), ERROR_SUCCESS);
    EXPECT_EQ(needed, 0u);
    EXPECT_EQ(count, 0u);

    // A read fault on one value the key holds fails the whole enumeration; one on a value the key
    // does not hold is never met.
    sim::WritePrinterDword(kPrinter, "Config", "EmbossMode", 1);
    sim::FailPrinterDataReads(kPrinter, "Config", "InkMode", ERROR_ACCESS_DENIED);
    EXPECT_EQ(EnumPrinterDataExW(user, u"Config", nullptr, 0, &needed, &count),
              static_cast<DWORD>(ERROR_MORE_DATA));
    sim::FailPrinterDataReads(kPrinter, "Config", "EmbossMode", ERROR_ACCESS_DENIED);
    EXPECT_EQ(EnumPrinterDataExW(user, u"Config", nullptr, 0, &needed, &count),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    sim::FailPrinterDataReads(kPrinter, "Config", "EmbossMode", 0);
    sim::FailPrinterDataReads(kPrinter, "Config", nullptr, ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(EnumPrinterDataExW(user, u"Config", nullptr, 0, &needed, &count),
              static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    ClosePrinter(admin);
    ClosePrinter(user);
}

TEST_F(RoundTrips, EachSpoolerCallCountsOnceByItsName) {
    sim::WritePrinterDword(kPrinter, "Config", "EmbossMode", 1); // the test's own: not counted
    EXPECT_EQ(sim::SpoolerCallLog().size(), 0u);

    HANDLE user = Open(0);
    DWORD needed = 0, type = 0, value = 0;
    GetPrinterW(user, 2, nullptr, 0, &needed);
    GetPrinterDataExW(user, u"Config", u"EmbossMode", &type, reinterpret_cast<LPBYTE>(&value), 4,
                      &needed);
    // A failed call travels too.
    EXPECT_NE(SetPrinterDataExW(user, u"Config", u"EmbossMode", REG_DWORD,
                                reinterpret_cast<LPBYTE>(&value), 4),
              ERROR_SUCCESS);
    ClosePrinter(user);

    EXPECT_EQ(sim::SpoolerCalls("OpenPrinterW"), 1u);
    EXPECT_EQ(sim::SpoolerCalls("GetPrinterW"), 1u);
    EXPECT_EQ(sim::SpoolerCalls("GetPrinterDataExW"), 1u);
    EXPECT_EQ(sim::SpoolerCalls("SetPrinterDataExW"), 1u);
    EXPECT_EQ(sim::SpoolerCalls("ClosePrinter"), 1u);
    EXPECT_EQ(sim::SpoolerCalls("RegOpenKeyExW"), 0u); // the spooler's own registry work
    EXPECT_EQ(sim::SpoolerCallLog().size(), 5u);
    EXPECT_EQ(sim::SpoolerCallLog(),
              (std::vector<std::string>{"OpenPrinterW", "GetPrinterW", "GetPrinterDataExW",
                                        "SetPrinterDataExW", "ClosePrinter"}));

    sim::ResetSpoolerCalls();
    EXPECT_EQ(sim::SpoolerCallLog().size(), 0u);
    EXPECT_TRUE(sim::SpoolerCallCounts().empty());
}

TEST_F(RoundTrips, RegistryCallsOnAPrintersKeyAreRemoteOthersLocal) {
    sim::WritePrinterDword(kPrinter, "Config\\MediaTypes", "Thick", 0x2006);
    sim::SetRegistryString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quorvane", u"QVDir", u"C:\\Q");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quorvane", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                            u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers", 0, KEY_READ,
                            &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(sim::SpoolerCallLog().size(), 0u);

    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                            u"system\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik "
                            u"Embosser\\Config\\MediaTypes",
                            0, KEY_READ, &key),
              ERROR_SUCCESS);
    WCHAR name[64];
    DWORD chars = 64;
    EXPECT_EQ(RegEnumValueW(key, 0, name, &chars, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    chars = 64;
    EXPECT_EQ(RegEnumValueW(key, 1, name, &chars, nullptr, nullptr, nullptr, nullptr),
              static_cast<LONG>(ERROR_NO_MORE_ITEMS));
    RegCloseKey(key);
    EXPECT_EQ(sim::SpoolerCalls("RegOpenKeyExW"), 1u);
    EXPECT_EQ(sim::SpoolerCalls("RegEnumValueW"), 2u);
    EXPECT_EQ(sim::SpoolerCalls("RegCloseKey"), 1u);
    EXPECT_EQ(sim::SpoolerCallLog().size(), 4u);
}

} // namespace
