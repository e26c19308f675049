// The devmodes and capabilities applications get through the spooler, which asks the driver's
// configuration module, which builds them around the plug-in's private section.
#include "wine_test.h"

#include <winspool.h>

#include <cstring>

namespace {

class SpoolerTest : public WineTest {};

// The private section at the devmode's end: "732 KTVQ 1, 0 other bytes" when it is the default.
std::string Section(const std::vector<BYTE>& devmode) {
    const auto* publicPart = reinterpret_cast<const DEVMODEW*>(devmode.data());
    if (devmode.size() != size_t(publicPart->dmSize) + publicPart->dmDriverExtra ||
        publicPart->dmDriverExtra < sizeof(OEM_DMEXTRAHEADER))
        return "none";
    OEM_DMEXTRAHEADER header;
    const BYTE* section = devmode.data() + publicPart->dmSize;
    std::memcpy(&header, section, sizeof(header));
    size_t others = 0;
    for (size_t i = sizeof(header); i < publicPart->dmDriverExtra; ++i)
        others += section[i] != 0;
    return std::to_string(header.dwSize) + " " +
           std::string(reinterpret_cast<const char*>(&header.dwSignature), 4) + " " +
           std::to_string(header.dwVersion) + ", " + std::to_string(others) + " other bytes";
}

const char kDefaultSection[] = "732 KTVQ 1, 0 other bytes";

// comdlg32 asks without a printer handle. The application's form replaces the default's paper as
// a whole: no paper number is left over.
TEST_F(SpoolerTest, AMergeKeepsTheApplicationsFieldsWithTheHandleAndWithout) {
    LPWSTR name = const_cast<LPWSTR>(kPrinterName);
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(name, &printer, nullptr));
    for (HANDLE handle : {printer, HANDLE(nullptr)}) {
        LONG size = DocumentPropertiesW(nullptr, handle, name, nullptr, nullptr, 0);
        ASSERT_EQ(size, LONG(sizeof(DEVMODEW) + 732));
        DEVMODEW input = {};
        input.dmSize = sizeof(input);
        input.dmSpecVersion = DM_SPECVERSION;
        input.dmFields = DM_ORIENTATION | DM_COPIES | DM_DUPLEX | DM_FORMNAME;
        input.dmOrientation = DMORIENT_LANDSCAPE;
        input.dmCopies = 3;
        input.dmDuplex = DMDUP_HORIZONTAL;
        lstrcpynW(input.dmFormName, TEXT("A4"), CCHFORMNAME);
        std::vector<BYTE> output(static_cast<size_t>(size), 0xCC);
        auto* merged = reinterpret_cast<DEVMODEW*>(output.data());
        EXPECT_EQ(DocumentPropertiesW(nullptr, handle, name, merged, &input,
                                      DM_IN_BUFFER | DM_OUT_BUFFER),
                  IDOK);
        EXPECT_EQ(merged->dmSpecVersion, DM_SPECVERSION) << "built on the printer's default";
        EXPECT_EQ(merged->dmOrientation, DMORIENT_LANDSCAPE);
        EXPECT_EQ(merged->dmCopies, 3);
        EXPECT_EQ(merged->dmDuplex, DMDUP_HORIZONTAL);
        EXPECT_EQ(std::wstring(merged->dmFormName), TEXT("A4"));
        EXPECT_EQ(merged->dmPaperSize, 0);
        EXPECT_EQ(Section(output), kDefaultSection);
    }
    ClosePrinter(printer);
}

TEST_F(SpoolerTest, ApplicationsAskThePrintersCapabilities) {
    auto ask = [](WORD capability, void* output) {
        return static_cast<int>(DeviceCapabilitiesW(kPrinterName, TEXT("FILE:"), capability,
                                                    static_cast<LPWSTR>(output), nullptr));
    };
    WCHAR modes[64];
    std::memset(modes, 0xFF, sizeof(modes));
    EXPECT_EQ(ask(257, nullptr), 46);
    EXPECT_EQ(ask(257, modes), 0);
    EXPECT_EQ(std::wstring(modes), TEXT("EmbossMode=1,InkMode=1"));
    EXPECT_EQ(modes[23], 0xFFFF) << "46 bytes written, no more";
    EXPECT_EQ(ask(DC_EXTRA, nullptr), 732);
    int count = ask(DC_PAPERNAMES, nullptr);
    ASSERT_GT(count, 0);
    std::vector<WCHAR> names(count * 64);
    std::vector<WORD> papers(count);
    std::vector<POINT> sizes(count);
    EXPECT_EQ(ask(DC_PAPERNAMES, names.data()), count);
    EXPECT_EQ(ask(DC_PAPERS, papers.data()), count);
    EXPECT_EQ(ask(DC_PAPERSIZE, sizes.data()), count);
    std::wstring listed;
    for (int i = 0; i < count; ++i)
        listed += std::wstring(&names[i * 64]) + TEXT(" ") + std::to_wstring(papers[i]) +
                  TEXT(" ") + std::to_wstring(sizes[i].x) + TEXT("x") +
                  std::to_wstring(sizes[i].y) + TEXT("; ");
    EXPECT_EQ(listed, TEXT("Letter 1 2159x2794; Legal 5 2159x3556; A4 9 2100x2970; "));
}

} // namespace
