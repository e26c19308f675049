// The printer's properties, opened as the printer folder opens them.
#include "check_log.h"
#include "e2e_checks.h"
#include "embosser_state.h"
#include "person.h"
#include "printer_tool/printer_folder.h"
#include "sheet_windows.h"
#include "test_printer.h"

#include "resources/resource.h"

#include <compstui.h>
#include <winspool.h>

namespace {

LPWSTR PrinterName() {
    return const_cast<LPWSTR>(kTestPrinterName);
}

// What a person saw on the Service page.
struct ServicePageSeen {
    std::string titles = "(no sheet)";
    bool found = false;
    bool calibrationEnabled = false;
    bool calibrationStarted = false;
};

void ScriptServiceSession(Person& person, ServicePageSeen& seen, bool startService) {
    person.Then("find the sheet", [&seen] {
        HWND sheet = FindSheet();
        if (sheet != nullptr)
            seen.titles = PageTitles(sheet);
        return sheet != nullptr;
    });
    person.Then("Service: Interpoint Calibration", [&seen, startService] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_SERVICE_INTERPOINT_CALIBRATION);
        if (page == nullptr)
            return false;
        seen.found = true;
        seen.calibrationEnabled = IsControlEnabled(page, IDC_SERVICE_INTERPOINT_CALIBRATION);
        if (startService)
            seen.calibrationStarted = ClickButton(page, IDC_SERVICE_INTERPOINT_CALIBRATION);
        return true;
    });
    person.Then("OK", [] {
        PressSheetButton(FindSheet(), PSBTN_OK);
        return true;
    });
}

std::string LastService(const std::string& log) {
    size_t comma = log.rfind(',');
    return comma == std::string::npos ? log : log.substr(comma + 1);
}

} // namespace

void CheckPrinterProperties(ApplicationWindow& application, bool withPrinterLink) {
    Note(withPrinterLink ? "the printer's properties, with the printer link"
                         : "the printer's properties without qvmonext.dll");
    Check(withPrinterLink ? "qvmonext.dll is in the printer driver's folder"
                          : "qvmonext.dll is not in the printer driver's folder",
          PrinterLinkInstalled() == withPrinterLink, withPrinterLink ? "present" : "absent",
          PrinterLinkInstalled() ? "present" : "absent");
    HANDLE printer = nullptr;
    bool opened = OpenPrinterW(PrinterName(), &printer, nullptr) != FALSE;
    if (!Check("OpenPrinterW(\"Tarvik Embosser\")", opened, "a handle",
               Outcome(opened, "a handle")))
        return;
    std::string servicesBefore = EmbosserStateValue(PrinterName(), "services");

    ServicePageSeen seen;
    Person person;
    ScriptServiceSession(person, seen, withPrinterLink);
    person.Start();
    LONG result = OpenPrinterProperties(application.handle(), printer, PrinterName());
    person.Stop();
    CheckNumber("the properties sheet ran to its end (CPSUI_OK)", CPSUI_OK,
                static_cast<unsigned long long>(result));
    Check("the person did every step", person.finished(), "every step",
          person.finished() ? "every step" : "stuck at \"" + person.stuckAt() + "\"");
    Check("the sheet holds the Service page", seen.found, "a page with Interpoint Calibration",
          seen.titles);
    if (withPrinterLink) {
        Check("Interpoint Calibration can be pressed", seen.calibrationStarted, "pressed",
              seen.calibrationEnabled ? "enabled" : "disabled");
        std::string services = EmbosserStateValue(PrinterName(), "services");
        Check("the embosser logged the Interpoint Calibration service (7)",
              LastService(services) == "7" && services != servicesBefore, "a new last entry 7",
              "\"" + servicesBefore + "\" then \"" + services + "\"");
    } else {
        Check("without the printer link the printer's services are disabled",
              seen.found && !seen.calibrationEnabled, "disabled",
              seen.calibrationEnabled ? "enabled" : "disabled");
    }
    ClosePrinter(printer);
}
