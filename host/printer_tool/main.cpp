// qvprinter.exe: the printer folder's few actions for the Tarvik printer, so that a Wine prefix can
// be set up and its sheets opened from a shell.
//   qvprinter install <folder\>   install the driver from the folder's DLLs and add the printer
//   qvprinter preferences         open the printing preferences as a print dialog does
//   qvprinter properties          open the printer's properties
#include "printer_folder.h"

#include <winspool.h>

#include <cstdio>
#include <cstdlib>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: qvprinter install <folder\\> | preferences | properties\n");
    return 2;
}

int RunOnPrinter(bool preferences) {
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(kTarvikPrinterName), &printer, nullptr)) {
        std::fprintf(stderr, "OpenPrinterW failed with %lu\n", GetLastError());
        return 1;
    }
    LONG result;
    if (preferences) {
        BYTE* devmode = nullptr;
        LONG bytes = 0;
        result = OpenPrintingPreferences(nullptr, printer, const_cast<LPWSTR>(kTarvikPrinterName),
                                         &devmode, &bytes);
        free(devmode);
    } else {
        result = OpenPrinterProperties(nullptr, printer, const_cast<LPWSTR>(kTarvikPrinterName));
    }
    ClosePrinter(printer);
    std::printf("%s: %ld\n", preferences ? "DocumentPropertiesW" : "printer properties",
                static_cast<long>(result));
    return result > 0 ? 0 : 1;
}

} // namespace

int wmain(int argc, WCHAR** argv) {
    if (argc == 3 && lstrcmpiW(argv[1], TEXT("install")) == 0) {
        DWORD error = InstallTarvikPrinter(argv[2]);
        if (error != ERROR_SUCCESS)
            std::fprintf(stderr, "installing the printer failed with %lu\n", error);
        return error == ERROR_SUCCESS ? 0 : 1;
    }
    if (argc == 2 && lstrcmpiW(argv[1], TEXT("preferences")) == 0)
        return RunOnPrinter(true);
    if (argc == 2 && lstrcmpiW(argv[1], TEXT("properties")) == 0)
        return RunOnPrinter(false);
    return Usage();
}
