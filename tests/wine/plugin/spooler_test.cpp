// The devmodes and capabilities applications get through the spooler, which asks the driver's
// configuration module, which builds them around the plug-in's private section.
#include "wine_test.h"

#include <winspool.h>

#include <algorithm>
#include <cstring>

namespace {

class SpoolerTest : public WineTest {};

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
        EXPECT_EQ(merged->dmSpecVersion, DM_SPECVERSION);
        EXPECT_EQ(merged->dmOrientation, DMORIENT_LANDSCAPE);
        EXPECT_EQ(merged->dmCopies, 3);
        EXPECT_EQ(merged->dmDuplex, DMDUP_HORIZONTAL);
        EXPECT_EQ(std::wstring(merged->dmFormName), TEXT("A4"));
        EXPECT_EQ(merged->dmPaperSize, 0);
        // The default private section: its header (732 bytes, "KTVQ", version 1), then zeros.
        const BYTE* section = output.data() + merged->dmSize;
        EXPECT_EQ(merged->dmSize + merged->dmDriverExtra, size);
        EXPECT_EQ(std::string(section, section + 12), std::string("\xDC\2\0\0KTVQ\1\0\0\0", 12));
        EXPECT_EQ(std::count(output.begin() + merged->dmSize + 12, output.end(), 0),
                  size - merged->dmSize - 12);
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
