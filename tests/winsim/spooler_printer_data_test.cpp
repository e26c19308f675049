// What winsim adds to the spooler's printer data (the data itself, its registry key, its sizing and
// the access it needs are held against the real platform in tests/conformance/printer_test.cpp):
// the refusals the platform's tests cannot provoke there, and faults injected into one value or a
// whole key.
#include "spooler_fixture.h"

using namespace spoolertest;

namespace {

DWORD WriteDword(HANDLE printer, const char16_t* key, const char16_t* value, DWORD data) {
    return SetPrinterDataExW(printer, key, value, REG_DWORD, reinterpret_cast<LPBYTE>(&data),
                             sizeof data);
}

using PrinterData = PrinterTest;

// A full-access handle refused to a user without the manage right is checked by the plug-in's
// tests of such a user (settings, pages, peripherals).
TEST_F(PrinterData, RefusesAnEmptyKey) {
    HANDLE user = Open(0);
    DWORD type = 0, data = 0, needed = 0;
    EXPECT_EQ(GetPrinterDataExW(user, u"", u"CustomMediaType", &type,
                                reinterpret_cast<LPBYTE>(&data), 4, &needed),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    ClosePrinter(user);
}

TEST_F(PrinterData, InjectedFaultsHitOneValueOrAWholeKey) {
    HANDLE admin = Open(PRINTER_ALL_ACCESS);
    sim::FailPrinterDataWrites(kPrinter, "Config\\Forms", nullptr, ERROR_NOT_ENOUGH_MEMORY);
    sim::FailPrinterDataReads(kPrinter, "Config", "DotHeight", ERROR_INVALID_DATA);
    sim::WritePrinterDword(kPrinter, "Config", "DotHeight", 2);

    EXPECT_EQ(WriteDword(admin, u"Config\\Forms", u"Any", 1),
              static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(DeletePrinterDataExW(admin, u"Config\\Forms", u"Other"),
              static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(WriteDword(admin, u"Config", u"Any", 1), ERROR_SUCCESS);

    DWORD data = 0, needed = 0;
    EXPECT_EQ(GetPrinterDataExW(admin, u"Config", u"DotHeight", nullptr,
                                reinterpret_cast<LPBYTE>(&data), 4, &needed),
              static_cast<DWORD>(ERROR_INVALID_DATA));

    sim::FailPrinterDataWrites(kPrinter, "Config\\Forms", nullptr, 0);
    sim::FailPrinterDataReads(kPrinter, "Config", "DotHeight", 0);
    EXPECT_EQ(WriteDword(admin, u"Config\\Forms", u"Any", 1), ERROR_SUCCESS);
    EXPECT_EQ(GetPrinterDataExW(admin, u"Config", u"DotHeight", nullptr,
                                reinterpret_cast<LPBYTE>(&data), 4, &needed),
              ERROR_SUCCESS);
    EXPECT_EQ(data, 2u);
    ClosePrinter(admin);
    EXPECT_EQ(sim::OpenRegistryKeys(), 0u) << "the spooler's own registry work closes its keys";
}

} // namespace
