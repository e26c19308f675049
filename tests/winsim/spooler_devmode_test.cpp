// The generic driver behind DocumentPropertiesW and DeviceCapabilitiesW: devmode size, default
// and merge, and the paper lists that follow the print server's user forms.
#include "spooler_fixture.h"

#include <cstring>
#include <string>
#include <vector>

using namespace spoolertest;

namespace {

const char16_t* const kName = kPrinterName;

std::vector<std::u16string> PaperNames() {
    int count = DeviceCapabilitiesW(kName, u"USB001", DC_PAPERNAMES, nullptr, nullptr);
    std::vector<WCHAR> slots(static_cast<size_t>(count) * 64, u'#');
    EXPECT_EQ(DeviceCapabilitiesW(kName, u"USB001", DC_PAPERNAMES, slots.data(), nullptr), count);
    std::vector<std::u16string> names;
    for (int i = 0; i < count; ++i)
        names.emplace_back(&slots[static_cast<size_t>(i) * 64]);
    return names;
}

class Devmodes : public PrinterTest {
protected:
    void Customise(sim::PrinterSetup& setup) override {
        setup.papers = {"A4", "Letter"};
        setup.driverExtra = 8;
        setup.hasDefaultDevmode = false;
    }
    void SetUp() override {
        PrinterTest::SetUp();
        printer = Open(0);
        deviceName = kName;
    }
    void TearDown() override {
        ClosePrinter(printer);
        PrinterTest::TearDown();
    }
    std::vector<BYTE> DriverBuffer() {
        LONG size = DocumentPropertiesW(nullptr, printer, deviceName.data(), nullptr, nullptr, 0);
        EXPECT_EQ(size, static_cast<LONG>(sizeof(DEVMODEW) + 8));
        return std::vector<BYTE>(static_cast<size_t>(size), 0xCC);
    }
    HANDLE printer = nullptr;
    std::u16string deviceName;
};

TEST_F(Devmodes, TheDriversDefaultNamesTheFirstPaper) {
    std::vector<BYTE> buffer = DriverBuffer();
    auto* devmode = reinterpret_cast<DEVMODEW*>(buffer.data());
    ASSERT_EQ(
        DocumentPropertiesW(nullptr, printer, deviceName.data(), devmode, nullptr, DM_OUT_BUFFER),
        1); // IDOK
    EXPECT_EQ(devmode->dmDriverExtra, 8);
    EXPECT_EQ(devmode->dmFields,
              static_cast<DWORD>(DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_DEFAULTSOURCE |
                                 DM_COLLATE | DM_FORMNAME | DM_MEDIATYPE | DM_DUPLEX));
    EXPECT_EQ(devmode->dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(std::u16string(devmode->dmFormName), u"A4");
    EXPECT_EQ(devmode->dmDuplex, DMDUP_SIMPLEX);
    EXPECT_EQ(devmode->dmDefaultSource, DMBIN_FORMSOURCE);
    EXPECT_EQ(devmode->dmMediaType, static_cast<DWORD>(DMMEDIA_STANDARD));
    for (size_t i = sizeof(DEVMODEW); i < buffer.size(); ++i)
        EXPECT_EQ(buffer[i], 0) << "private byte " << i;
}

TEST_F(Devmodes, MergeInTheSameBufferTakesValidFieldsAndAddsTheirBits) {
    std::vector<BYTE> buffer = DriverBuffer();
    auto* devmode = reinterpret_cast<DEVMODEW*>(buffer.data());
    ASSERT_EQ(
        DocumentPropertiesW(nullptr, printer, deviceName.data(), devmode, nullptr, DM_OUT_BUFFER),
        1);
    // The layout page's way: clear the paper number, name a form with its size, turn the page.
    devmode->dmFields =
        DM_ORIENTATION | DM_FORMNAME | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_COLLATE | DM_MEDIATYPE;
    devmode->dmOrientation = DMORIENT_LANDSCAPE;
    std::memcpy(devmode->dmFormName, u"Letter", sizeof(u"Letter"));
    devmode->dmPaperWidth = 2159;
    devmode->dmPaperLength = 2794;
    devmode->dmCollate = 7; // not a valid choice: the base's value stays
    devmode->dmMediaType = 258;
    std::memcpy(buffer.data() + sizeof(DEVMODEW), "PRIVATE!", 8);

    ASSERT_EQ(DocumentPropertiesW(nullptr, printer, deviceName.data(), devmode, devmode,
                                  DM_IN_BUFFER | DM_OUT_BUFFER),
              1);
    EXPECT_EQ(devmode->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(std::u16string(devmode->dmFormName), u"Letter");
    EXPECT_EQ(devmode->dmPaperWidth, 2159);
    EXPECT_EQ(devmode->dmPaperLength, 2794);
    EXPECT_EQ(devmode->dmCollate, DMCOLLATE_FALSE);
    EXPECT_EQ(devmode->dmMediaType, 258u);
    EXPECT_EQ(devmode->dmPaperSize, DMPAPER_A4); // the base's, its bit came back with it
    EXPECT_EQ(devmode->dmFields & (DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME),
              static_cast<DWORD>(DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME));
    EXPECT_EQ(std::memcmp(buffer.data() + sizeof(DEVMODEW), "PRIVATE!", 8), 0);

    // The size query, the default and the merge.
    const auto& log = sim::DocumentPropertiesLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].mode, 0u);
    EXPECT_EQ(log[2].mode, static_cast<DWORD>(DM_IN_BUFFER | DM_OUT_BUFFER));
    EXPECT_TRUE(log[2].sameBuffer);
    ASSERT_EQ(log[2].input.size(), buffer.size());
    EXPECT_EQ(reinterpret_cast<const DEVMODEW*>(log[2].input.data())->dmCollate, 7);
    EXPECT_EQ(log[2].output, buffer);
}

TEST_F(Devmodes, ThePrintersStoredDefaultIsTheBase) {
    DEVMODEW stored = {};
    stored.dmSize = sizeof(DEVMODEW);
    stored.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
    stored.dmOrientation = DMORIENT_LANDSCAPE;
    stored.dmPaperSize = DMPAPER_LETTER;
    sim::SetDefaultDevmode(kPrinter, &stored);

    std::vector<BYTE> buffer = DriverBuffer();
    auto* devmode = reinterpret_cast<DEVMODEW*>(buffer.data());
    ASSERT_EQ(
        DocumentPropertiesW(nullptr, printer, deviceName.data(), devmode, nullptr, DM_OUT_BUFFER),
        1);
    EXPECT_EQ(devmode->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(devmode->dmPaperSize, DMPAPER_LETTER);
    EXPECT_EQ(devmode->dmCopies, 1); // the driver's default fills the rest
}

TEST_F(Devmodes, PaperListsEndWithTheServersUserForms) {
    EXPECT_EQ(PaperNames(), (std::vector<std::u16string>{u"A4", u"Letter"}));

    HANDLE admin = Open(PRINTER_ALL_ACCESS);
    std::u16string formName = u"Braille 11x11.5";
    FORM_INFO_1W form = {FORM_USER, formName.data(), {279400, 292100}, {0, 0, 279400, 292100}};
    ASSERT_TRUE(AddFormW(admin, 1, reinterpret_cast<LPBYTE>(&form)));
    EXPECT_EQ(PaperNames(), (std::vector<std::u16string>{u"A4", u"Letter", u"Braille 11x11.5"}));

    // The built-in papers' numbers and sizes are read by the plug-in's form queries (media tests).
    ASSERT_EQ(DeviceCapabilitiesW(kName, nullptr, DC_PAPERS, nullptr, nullptr), 3);
    WORD papers[3] = {};
    DeviceCapabilitiesW(kName, nullptr, DC_PAPERS, reinterpret_cast<LPWSTR>(papers), nullptr);
    EXPECT_GT(papers[2], DMPAPER_USER);

    POINT sizes[3] = {};
    DeviceCapabilitiesW(kName, nullptr, DC_PAPERSIZE, reinterpret_cast<LPWSTR>(sizes), nullptr);
    EXPECT_EQ(sizes[2].x, 2794);
    EXPECT_EQ(sizes[2].y, 2921);

    // The user form's number names it in a merge.
    std::vector<BYTE> buffer = DriverBuffer();
    auto* devmode = reinterpret_cast<DEVMODEW*>(buffer.data());
    devmode->dmSize = sizeof(DEVMODEW);
    devmode->dmDriverExtra = 0;
    devmode->dmFields = DM_PAPERSIZE;
    devmode->dmPaperSize = static_cast<short>(papers[2]);
    ASSERT_EQ(DocumentPropertiesW(nullptr, printer, deviceName.data(), devmode, devmode,
                                  DM_IN_BUFFER | DM_OUT_BUFFER),
              1);
    EXPECT_EQ(devmode->dmPaperSize, static_cast<short>(papers[2]));

    ASSERT_TRUE(DeleteFormW(admin, formName.data()));
    EXPECT_EQ(PaperNames(), (std::vector<std::u16string>{u"A4", u"Letter"}));
    EXPECT_EQ(DeviceCapabilitiesW(u"No Such Printer", nullptr, DC_PAPERS, nullptr, nullptr), -1);
    ClosePrinter(admin);
}

TEST_F(Devmodes, DriverHooksAnswerInsteadOfTheGenericDriver) {
    sim::DriverHooks hooks;
    hooks.deviceCapabilities = [](LPCWSTR device, LPCWSTR, WORD capability, LPWSTR output,
                                  const DEVMODEW* devmode) {
        return capability == 257
                   ? 1
                   : sim::GenericDeviceCapabilities(device, capability, output, devmode);
    };
    sim::SetDriverHooks(kPrinter, hooks);
    EXPECT_EQ(DeviceCapabilitiesW(kName, nullptr, 257, nullptr, nullptr), 1);
    EXPECT_EQ(DeviceCapabilitiesW(kName, nullptr, DC_PAPERS, nullptr, nullptr), 2)
        << "the generic driver's papers";
    sim::SetDriverHooks(kPrinter, {});
    EXPECT_DEATH(DeviceCapabilitiesW(kName, nullptr, 257, nullptr, nullptr), "capability 257");
}

} // namespace
