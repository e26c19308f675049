// Printer handles and printer information: open and close rules, level 1 and 2 answers packed into
// the caller's buffer, and the default devmode that SetPrinterW stores.
#include "spooler_fixture.h"

#include <cstring>
#include <vector>

using namespace spoolertest;

namespace {

// Every string pointer of an answer must point into the answer itself.
bool Inside(const std::vector<BYTE>& buffer, const void* pointer) {
    const BYTE* p = static_cast<const BYTE*>(pointer);
    return p >= buffer.data() && p < buffer.data() + buffer.size();
}

std::vector<BYTE> FetchLevel(HANDLE printer, DWORD level) {
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterW(printer, level, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    std::vector<BYTE> buffer(needed);
    DWORD again = 0;
    EXPECT_FALSE(GetPrinterW(printer, level, buffer.data(), needed - 1, &again));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(again, needed);
    EXPECT_TRUE(GetPrinterW(printer, level, buffer.data(), needed, &again));
    return buffer;
}

class PrinterInfo : public PrinterTest {
protected:
    void Customise(sim::PrinterSetup& setup) override {
        setup.port = "USB003";
        setup.comment = "Braille room";
        setup.location = "Floor 2";
        setup.hasDefaultDevmode = false;
    }
};

TEST_F(PrinterInfo, HandlesAreCountedAndNamesChecked) {
    HANDLE first = Open(0);
    HANDLE second = Open(PRINTER_ALL_ACCESS);
    EXPECT_NE(first, second);
    EXPECT_EQ(sim::OpenPrinterHandles(), 2u);
    EXPECT_EQ(sim::OpenPrinterHandles(kPrinter), 2u);
    EXPECT_TRUE(ClosePrinter(first));
    EXPECT_FALSE(ClosePrinter(first));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(ClosePrinter(second));
    EXPECT_EQ(sim::OpenPrinterHandles(), 0u);

    std::u16string unknown = u"Tarvik Missing";
    HANDLE handle = reinterpret_cast<HANDLE>(1);
    EXPECT_FALSE(OpenPrinterW(unknown.data(), &handle, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
    EXPECT_EQ(handle, nullptr);
}

TEST_F(PrinterInfo, LevelsOneAndTwoPackTheirStringsIntoTheBuffer) {
    HANDLE printer = Open(0);
    std::vector<BYTE> one = FetchLevel(printer, 1);
    auto* info1 = reinterpret_cast<PRINTER_INFO_1W*>(one.data());
    ASSERT_TRUE(Inside(one, info1->pName) && Inside(one, info1->pDescription) &&
                Inside(one, info1->pComment));
    EXPECT_EQ(std::u16string(info1->pDescription), u"Tarvik Embosser,Tarvik,Floor 2");
    EXPECT_EQ(std::u16string(info1->pComment), u"Braille room");

    std::vector<BYTE> two = FetchLevel(printer, 2);
    auto* info2 = reinterpret_cast<PRINTER_INFO_2W*>(two.data());
    for (LPWSTR text : {info2->pPrinterName, info2->pShareName, info2->pPortName,
                        info2->pDriverName, info2->pComment, info2->pLocation, info2->pSepFile,
                        info2->pPrintProcessor, info2->pDatatype, info2->pParameters})
        ASSERT_TRUE(Inside(two, text));
    EXPECT_EQ(std::u16string(info2->pPortName), u"USB003");
    EXPECT_EQ(info2->pDevMode, nullptr);
    EXPECT_EQ(info2->pServerName, nullptr);
    EXPECT_EQ(info2->Attributes, static_cast<DWORD>(PRINTER_ATTRIBUTE_LOCAL));
    ClosePrinter(printer);
}

TEST_F(PrinterInfo, SetPrinterStoresTheDevmodeThatLevelTwoThenReturns) {
    HANDLE user = Open(0);
    HANDLE admin = Open(PRINTER_ALL_ACCESS);
    std::vector<BYTE> before = FetchLevel(admin, 2);
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(before.data());

    // A devmode with 4 private bytes: all dmSize + dmDriverExtra bytes are kept.
    std::vector<BYTE> devmodeBytes(sizeof(DEVMODEW) + 4, 0);
    auto* devmode = reinterpret_cast<DEVMODEW*>(devmodeBytes.data());
    devmode->dmSize = sizeof(DEVMODEW);
    devmode->dmDriverExtra = 4;
    devmode->dmFields = DM_ORIENTATION | DM_DUPLEX;
    devmode->dmOrientation = DMORIENT_LANDSCAPE;
    devmode->dmDuplex = DMDUP_VERTICAL;
    std::memcpy(devmodeBytes.data() + sizeof(DEVMODEW), "QVPD", 4);
    info->pDevMode = devmode;

    EXPECT_TRUE(SetPrinterW(admin, 2, before.data(), 0));
    EXPECT_EQ(sim::DefaultDevmode(kPrinter), devmodeBytes);

    std::vector<BYTE> after = FetchLevel(user, 2);
    auto* stored = reinterpret_cast<PRINTER_INFO_2W*>(after.data());
    ASSERT_NE(stored->pDevMode, nullptr);
    ASSERT_TRUE(Inside(after, stored->pDevMode));
    ASSERT_TRUE(Inside(after, reinterpret_cast<BYTE*>(stored->pDevMode) + devmodeBytes.size() - 1));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(stored->pDevMode) % 4, 0u);
    EXPECT_EQ(std::memcmp(stored->pDevMode, devmodeBytes.data(), devmodeBytes.size()), 0);

    ASSERT_EQ(sim::SetPrinterLog().size(), 1u);
    EXPECT_EQ(sim::SetPrinterLog()[0].devmode, devmodeBytes);

    // A null pDevMode leaves the stored one alone; an injected failure stores nothing.
    stored->pDevMode = nullptr;
    EXPECT_TRUE(SetPrinterW(admin, 2, after.data(), 0));
    EXPECT_EQ(sim::DefaultDevmode(kPrinter), devmodeBytes);
    sim::FailSetPrinter(kPrinter, ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_FALSE(SetPrinterW(admin, 2, before.data(), 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    ClosePrinter(user);
    ClosePrinter(admin);
}

} // namespace
