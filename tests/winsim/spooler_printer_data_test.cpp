// The spooler's printer data: stored in the printer's registry key, sized as the spooler sizes
// answers, and writable only through a handle with the "Manage Printer" access.
#include <gtest/gtest.h>

#include "sim.h"

#include <winspool.h>

#include <cstring>

namespace {

const char kPrinter[] = "Tarvik Embosser";
const char16_t kConfigPath[] =
    u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik Embosser\\Config";

HANDLE Open(ACCESS_MASK access) {
    std::u16string name = u"Tarvik Embosser";
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
    HANDLE handle = nullptr;
    EXPECT_TRUE(OpenPrinterW(name.data(), &handle, access ? &defaults : nullptr));
    return handle;
}

DWORD WriteDword(HANDLE printer, const char16_t* key, const char16_t* value, DWORD data) {
    return SetPrinterDataExW(printer, key, value, REG_DWORD, reinterpret_cast<LPBYTE>(&data),
                             sizeof data);
}

class PrinterData : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        sim::PrinterSetup setup;
        setup.name = kPrinter;
        sim::AddPrinter(setup);
    }
    void TearDown() override { EXPECT_EQ(sim::OpenPrinterHandles(), 0u); }
};

TEST_F(PrinterData, LivesInThePrintersRegistryKeyBothWays) {
    HANDLE admin = Open(PRINTER_ALL_ACCESS);
    ASSERT_EQ(WriteDword(admin, u"Config", u"EmbossMode", 1), ERROR_SUCCESS);
    ASSERT_EQ(WriteDword(admin, u"Config\\MediaTypes", u"Thick", 0x2006), ERROR_SUCCESS);

    EXPECT_EQ(sim::GetRegistryDword(HKEY_LOCAL_MACHINE, kConfigPath, u"EmbossMode"), 1u);
    EXPECT_EQ(sim::GetRegistryDword(HKEY_LOCAL_MACHINE,
                                    std::u16string(kConfigPath) + u"\\MediaTypes", u"Thick"),
              0x2006u);

    // A value written into the registry is printer data, names compared without case.
    sim::SetRegistryDword(HKEY_LOCAL_MACHINE, kConfigPath, u"InkMode", 7);
    DWORD type = 0, data = 0, needed = 0;
    EXPECT_EQ(GetPrinterDataExW(admin, u"config", u"INKMODE", &type,
                                reinterpret_cast<LPBYTE>(&data), sizeof data, &needed),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, 7u);
    EXPECT_EQ(needed, 4u);

    // The old API reads and writes the "PrinterDriverData" key.
    std::u16string name = u"Legacy";
    DWORD legacy = 3;
    EXPECT_EQ(SetPrinterDataW(admin, name.data(), REG_DWORD, reinterpret_cast<LPBYTE>(&legacy), 4),
              ERROR_SUCCESS);
    EXPECT_EQ(sim::ReadPrinterData(kPrinter, "PrinterDriverData", "Legacy")->data.size(), 4u);
    ClosePrinter(admin);
    EXPECT_EQ(sim::OpenRegistryKeys(), 0u);
}

TEST_F(PrinterData, ReadsAreSizedTheSpoolersWay) {
    sim::WritePrinterString(kPrinter, "Config", "CustomMediaType", "Card");
    HANDLE user = Open(0);
    DWORD type = 0, needed = 0;

    // No buffer: the spooler answers ERROR_MORE_DATA (not success, as the registry does).
    EXPECT_EQ(GetPrinterDataExW(user, u"Config", u"CustomMediaType", &type, nullptr, 0, &needed),
              static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(needed, 10u); // "Card" and its terminator
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    WCHAR text[5] = {u'x', u'x', u'x', u'x', u'x'};
    EXPECT_EQ(GetPrinterDataExW(user, u"Config", u"CustomMediaType", &type,
                                reinterpret_cast<LPBYTE>(text), 8, &needed),
              static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(needed, 10u);
    EXPECT_EQ(GetPrinterDataExW(user, u"Config", u"CustomMediaType", &type,
                                reinterpret_cast<LPBYTE>(text), sizeof text, &needed),
              ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(text), u"Card");

    DWORD data = 0;
    EXPECT_EQ(GetPrinterDataExW(user, u"Config", u"Missing", &type, reinterpret_cast<LPBYTE>(&data),
                                4, &needed),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetPrinterDataExW(user, u"NoSuchKey", u"Missing", &type,
                                reinterpret_cast<LPBYTE>(&data), 4, &needed),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetPrinterDataExW(user, u"", u"CustomMediaType", &type,
                                reinterpret_cast<LPBYTE>(&data), 4, &needed),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    ClosePrinter(user);
}

TEST_F(PrinterData, WritesNeedTheManagePrinterAccess) {
    HANDLE user = Open(0); // the access a user's handle normally has
    EXPECT_EQ(WriteDword(user, u"Config", u"Collate", 1), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(DeletePrinterDataExW(user, u"Config", u"Collate"),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(sim::ReadPrinterData(kPrinter, "Config", "Collate"));

    HANDLE admin = Open(PRINTER_ALL_ACCESS);
    EXPECT_EQ(WriteDword(admin, u"Config", u"Collate", 1), ERROR_SUCCESS);
    EXPECT_EQ(DeletePrinterDataExW(admin, u"Config", u"Collate"), ERROR_SUCCESS);
    EXPECT_EQ(DeletePrinterDataExW(admin, u"Config", u"Collate"),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(sim::ReadPrinterData(kPrinter, "Config", "Collate"));
    ClosePrinter(admin);
    ClosePrinter(user);

    // Without the right, the full-access handle cannot be had at all.
    sim::SetUserCanManage(kPrinter, false);
    std::u16string name = u"Tarvik Embosser";
    PRINTER_DEFAULTSW full = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE refused = reinterpret_cast<HANDLE>(1);
    EXPECT_FALSE(OpenPrinterW(name.data(), &refused, &full));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(refused, nullptr);
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
}

} // namespace
