// The devmode requests the spooler passes to the configuration module without a sheet.
#include "check_log.h"
#include "e2e_checks.h"
#include "test_printer.h"

#include <winspool.h>

#include <vector>

namespace {

LPWSTR PrinterName() {
    return const_cast<LPWSTR>(kTestPrinterName);
}

std::string DescribeMerged(const DEVMODEW& devmode) {
    return "orientation " + std::to_string(devmode.dmOrientation) + ", copies " +
           std::to_string(devmode.dmCopies) + ", duplex " + std::to_string(devmode.dmDuplex) +
           ", form \"" + Narrow(devmode.dmFormName) + "\", paper " +
           std::to_string(devmode.dmPaperSize) + ", private " +
           std::to_string(devmode.dmDriverExtra);
}

} // namespace

void CheckDevmodeMerge(ApplicationWindow& application) {
    Note("devmode merges, with the printer handle and without (as comdlg32 asks)");
    HANDLE printer = nullptr;
    bool opened = OpenPrinterW(PrinterName(), &printer, nullptr) != FALSE;
    if (!Check("OpenPrinterW(\"Tarvik Embosser\")", opened, "a handle",
               Outcome(opened, "a handle")))
        return;
    for (HANDLE handle : {printer, static_cast<HANDLE>(nullptr)}) {
        const char* how = handle != nullptr ? "with the handle" : "without a handle";
        LONG size =
            DocumentPropertiesW(application.handle(), handle, PrinterName(), nullptr, nullptr, 0);
        if (!CheckNumber((std::string("the devmode's size ") + how).c_str(), sizeof(DEVMODEW) + 732,
                         static_cast<unsigned long long>(size)))
            continue;
        // An application's own choices, in a devmode of the public part alone.
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
        LONG result = DocumentPropertiesW(application.handle(), handle, PrinterName(), merged,
                                          &input, DM_IN_BUFFER | DM_OUT_BUFFER);
        CheckNumber((std::string("a merge ") + how + " answers IDOK").c_str(), IDOK, result);
        // The form name replaces the default's paper as a whole: no paper number is left over.
        CheckText((std::string("the merge keeps the application's fields ") + how).c_str(),
                  "orientation 2, copies 3, duplex 3, form \"A4\", paper 0, private 732",
                  DescribeMerged(*merged));
    }
    ClosePrinter(printer);
}
