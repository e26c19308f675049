// The printer's properties, opened as the printer folder opens them.
#include "check_log.h"
#include "device_page/device_page_ids.h"
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

// What a person saw on the pages.
struct PropertiesSeen {
    std::string titles = "(no sheet)";
    bool serviceFound = false;
    bool calibrationEnabled = false;
    bool calibrationStarted = false;
    bool deviceSettingEnabled = false;
    std::string dotsRow = "(not seen)";
};

const char kDotsRow[] = "Dots Per Character";

// Device Settings: "Dots Per Character" set to 8 (with the link; without it the row's input stays
// disabled), Service: Interpoint Calibration, then OK.
void ScriptPropertiesSession(Person& person, PropertiesSeen& seen, bool withPrinterLink) {
    person.Then("find the sheet", [&seen] {
        HWND sheet = FindSheet();
        if (sheet != nullptr)
            seen.titles = PageTitles(sheet);
        return sheet != nullptr;
    });
    person.Then("Device Settings: Dots Per Character 8", [&seen, withPrinterLink] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_DEVPAGE_TREE);
        if (!SelectTreeRow(page, IDC_DEVPAGE_TREE, kDotsRow))
            return false;
        seen.dotsRow = TreeRowText(page, IDC_DEVPAGE_TREE, kDotsRow);
        seen.deviceSettingEnabled = IsControlEnabled(page, IDC_DEVPAGE_LIST);
        return !withPrinterLink || ChooseListItem(page, IDC_DEVPAGE_LIST, TEXT("8"));
    });
    person.Then("Service: Interpoint Calibration", [&seen, withPrinterLink] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_SERVICE_INTERPOINT_CALIBRATION);
        if (page == nullptr)
            return false;
        seen.serviceFound = true;
        seen.calibrationEnabled = IsControlEnabled(page, IDC_SERVICE_INTERPOINT_CALIBRATION);
        if (withPrinterLink)
            seen.calibrationStarted = ClickButton(page, IDC_SERVICE_INTERPOINT_CALIBRATION);
        return true;
    });
    person.Then("OK", [] {
        PressSheetButton(FindSheet(), PSBTN_OK);
        return true;
    });
}

// A second opening shows the device setting read back from the embosser; then Cancel.
std::string DotsRowInSecondOpening(ApplicationWindow& application, HANDLE printer) {
    std::string row = "(not seen)";
    Person person;
    person.Then("Device Settings: read Dots Per Character", [&row] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_DEVPAGE_TREE);
        if (page == nullptr)
            return false;
        row = TreeRowText(page, IDC_DEVPAGE_TREE, kDotsRow);
        // The rows show the embosser's values once the page has fetched them.
        if (!IsControlEnabled(page, IDC_DEVPAGE_TREE) || row.empty())
            return false;
        return true;
    });
    person.Then("Cancel", [] {
        PressSheetButton(FindSheet(), PSBTN_CANCEL);
        return true;
    });
    person.Start();
    OpenPrinterProperties(application.handle(), printer, PrinterName());
    person.Stop();
    return row;
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

    PropertiesSeen seen;
    Person person;
    ScriptPropertiesSession(person, seen, withPrinterLink);
    person.Start();
    LONG result = OpenPrinterProperties(application.handle(), printer, PrinterName());
    person.Stop();
    CheckNumber("the properties sheet ran to its end (CPSUI_OK)", CPSUI_OK,
                static_cast<unsigned long long>(result));
    Check("the person did every step", person.finished(), "every step",
          person.finished() ? "every step" : "stuck at \"" + person.stuckAt() + "\"");
    CheckText("the sheet's pages", "Device Settings, Service", seen.titles);
    if (withPrinterLink) {
        Check("Interpoint Calibration can be pressed", seen.calibrationStarted, "pressed",
              seen.calibrationEnabled ? "enabled" : "disabled");
        std::string services = EmbosserStateValue(PrinterName(), "services");
        Check("the embosser logged the Interpoint Calibration service (7)",
              LastService(services) == "7" && services != servicesBefore, "a new last entry 7",
              "\"" + servicesBefore + "\" then \"" + services + "\"");
        CheckText("the embosser took Dots Per Character 8", "8",
                  EmbosserStateValue(PrinterName(), "braille.dots"));
        CheckText("a second opening reads the device setting back", "Dots Per Character: 8",
                  DotsRowInSecondOpening(application, printer));
    } else {
        Check("without the printer link the printer's services are disabled",
              seen.serviceFound && !seen.calibrationEnabled, "disabled",
              seen.calibrationEnabled ? "enabled" : "disabled");
        Check("without the printer link the device settings cannot be changed",
              !seen.deviceSettingEnabled, "a disabled input",
              seen.deviceSettingEnabled ? "an enabled input" : "a disabled input");
        CheckText("the row still shows the driver's start value", "Dots Per Character: 6",
                  seen.dotsRow);
    }
    ClosePrinter(printer);
}
