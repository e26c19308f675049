// The printer's capabilities as applications ask the spooler for them.
#include "check_log.h"
#include "e2e_checks.h"
#include "test_printer.h"

#include <winspool.h>

#include <vector>

namespace {

constexpr WORD kOutputModesCapability = 257;
constexpr size_t kPaperNameChars = 64;

DWORD Ask(WORD capability, void* output) {
    return DeviceCapabilitiesW(kTestPrinterName, TEXT("FILE:"), capability,
                               static_cast<LPWSTR>(output), nullptr);
}

// The papers the printer offers: the driver's own (Wine's server adds no user forms), Letter
// among them with its number and size.
void CheckPapers() {
    DWORD count = Ask(DC_PAPERNAMES, nullptr);
    if (!Check("DC_PAPERNAMES counts the server's forms", count > 0 && count != GDI_ERROR,
               "some papers", std::to_string(static_cast<LONG>(count))))
        return;
    std::vector<WCHAR> names(count * kPaperNameChars);
    std::vector<WORD> papers(count);
    std::vector<POINT> sizes(count);
    Ask(DC_PAPERNAMES, names.data());
    DWORD paperCount = Ask(DC_PAPERS, papers.data());
    DWORD sizeCount = Ask(DC_PAPERSIZE, sizes.data());
    Check("DC_PAPERS and DC_PAPERSIZE count the same papers",
          paperCount == count && sizeCount == count, std::to_string(count),
          std::to_string(paperCount) + " and " + std::to_string(sizeCount));
    std::string letter = "missing";
    for (DWORD i = 0; i < count; ++i) {
        if (lstrcmpW(&names[i * kPaperNameChars], TEXT("Letter")) == 0)
            letter = "paper " + std::to_string(papers[i]) + ", " + std::to_string(sizes[i].x) +
                     " x " + std::to_string(sizes[i].y);
    }
    CheckText("the paper \"Letter\"", "paper 1, 2159 x 2794", letter);
    std::string listed;
    for (DWORD i = 0; i < count; ++i)
        listed += (i ? ", " : "") + Narrow(&names[i * kPaperNameChars]);
    CheckText("the driver's papers, in the server's order", "Letter, Legal, A4", listed);
}

} // namespace

void CheckDeviceCapabilities() {
    Note("the printer's capabilities through DeviceCapabilitiesW");
    CheckNumber("the private capability 257 without a buffer: its size in bytes", 46,
                Ask(kOutputModesCapability, nullptr));
    WCHAR modes[64] = {};
    DWORD result = Ask(kOutputModesCapability, modes);
    CheckText("the private capability 257 with a buffer", "0 \"EmbossMode=1,InkMode=1\"",
              std::to_string(result) + " \"" + Narrow(modes) + "\"");
    CheckPapers();
    CheckNumber("DC_EXTRA: the plug-in's private section", 732, Ask(DC_EXTRA, nullptr));
}
