// gallery.exe: the main job's tour of the Tarvik printer installed in a Wine prefix
// (scripts/install-prefix.sh). As an application does, it opens the printing preferences with
// DocumentPropertiesW(DM_IN_PROMPT), then the printer's properties as the printer folder does; a
// person (host/person/) acts on the pages, and every page and dialog met is photographed into the
// gallery folder, followed by what was stored (scripts/run-main.sh makes the gallery page).
//   gallery <folder\>
#include "gallery_shots.h"
#include "gallery_tour.h"
#include "printer_tool/printer_folder.h"
#include "stored_summary.h"

#include <commctrl.h>
#include <winspool.h>

#include <cstdio>

int wmain(int argc, WCHAR** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gallery <folder\\>\n");
        return 2;
    }
    SetGalleryFolder(argv[1]);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(kTarvikPrinterName), &printer, nullptr)) {
        std::fprintf(stderr, "the printer \"Tarvik Embosser\" cannot be opened (%lu)\n",
                     GetLastError());
        return 1;
    }
    Progress("the printing preferences, as an application's Properties button opens them");
    std::vector<BYTE> jobDevmode;
    bool done = TourPrintingPreferences(jobDevmode);
    Progress("the pictures: the preferences opened again, switches photographed, then Cancel");
    done = TourPictureChecks(jobDevmode) && done;
    Progress("the printer's properties, as the printer folder opens them");
    done = TourPrinterProperties() && done;
    for (const std::wstring& mishap : TakeMishaps()) {
        Progress("MISHAP %ls", mishap.c_str());
        done = false;
    }
    done = WriteStoredSummary(printer, jobDevmode) && done;
    ClosePrinter(printer);
    return done ? 0 : 1;
}
