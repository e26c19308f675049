// The printer's properties, as a person meets them in the printer folder: the embosser's own
// settings on the device page and the Service page with its dialogs.
#include "device_page/device_page_ids.h"
#include "gallery_shots.h"
#include "gallery_tour.h"
#include "person.h"
#include "printer_tool/printer_folder.h"
#include "sheet_windows.h"
#include "shown_text.h"
#include "check_log.h"

#include "resources/resource.h"

#include <winspool.h>

namespace {

// The row as the tree shows it, in the language installed.
std::string DotsRow() {
    return Narrow(Shown(TEXT("Dots Per Character")).c_str());
}

HWND PlacedSheet() {
    HWND sheet = FindSheet();
    if (sheet != nullptr)
        SetWindowPos(sheet, HWND_TOP, kSheetLeft, kSheetTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return sheet;
}

void DeviceSettingsSteps(Person& person) {
    person.Then("Device Settings, read from the embosser", [] {
        HWND page = ShowPageWithControl(PlacedSheet(), IDC_DEVPAGE_TREE);
        // The rows show the embosser's values once the page has fetched them.
        if (page == nullptr || !IsControlEnabled(page, IDC_DEVPAGE_TREE) ||
            TreeRowText(page, IDC_DEVPAGE_TREE, DotsRow()).empty())
            return false;
        return ShootWindow(FindSheet(), "20_device_settings",
                           "Printer properties: Device Settings, read from the embosser");
    });
    Step(person, "Device Settings: Dots Per Character 8", [] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_DEVPAGE_TREE);
        return SelectTreeRow(page, IDC_DEVPAGE_TREE, DotsRow()) &&
               ChooseListItem(page, IDC_DEVPAGE_LIST, Shown(TEXT("8")).c_str());
    });
    Step(person, "Apply", [] {
        PressSheetButton(FindSheet(), PSBTN_APPLYNOW);
        return true;
    });
    person.Then("picture", [] {
        return ShootWindow(FindSheet(), "21_device_settings_applied",
                           "Device Settings: Dots Per Character 8, applied");
    });
}

// A step that opens a service dialog with its button, one that photographs it, one that closes it.
void ServiceDialogSteps(Person& person, const char* what, int button, int controlInDialog,
                        const char* name, const char* caption) {
    Step(person, what, [button] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_SERVICE_INTERPOINT_CALIBRATION);
        return ClickButton(page, button, true);
    });
    person.Then("picture", [controlInDialog, name, caption] {
        HWND dialog = FindDialogWithControl(controlInDialog);
        return dialog != nullptr && ShootWindow(dialog, name, caption);
    });
    person.Then("close", [controlInDialog] {
        return ClickButton(FindDialogWithControl(controlInDialog), IDCANCEL, true);
    });
    person.Then("closed",
                [controlInDialog] { return FindDialogWithControl(controlInDialog) == nullptr; });
}

void ServiceSteps(Person& person) {
    Step(person, "Service: Interpoint Calibration", [] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_SERVICE_INTERPOINT_CALIBRATION);
        return ClickButton(page, IDC_SERVICE_INTERPOINT_CALIBRATION);
    });
    person.Then("picture", [] {
        return ShootWindow(FindSheet(), "22_service", "Service: Interpoint Calibration started");
    });
    ServiceDialogSteps(person, "Service: Ethernet Settings ...", IDC_SERVICE_ETHERNET_SETTINGS,
                       IDC_NETWORK_DHCP, "23_network", "Ethernet Settings: the embosser's network");
    ServiceDialogSteps(person, "Service: Check Emboss Usage ...", IDC_SERVICE_EMBOSS_USAGE,
                       IDC_USAGE_CARRIAGE1_SHARE, "24_emboss_usage",
                       "Check Emboss Usage: the carriages' shares");
    ServiceDialogSteps(person, "Service: Check Ink Cartridge Level ...", IDC_SERVICE_INK_LEVEL,
                       IDC_INKFILL_CARTRIDGE1_FILL, "25_ink_fill",
                       "Check Ink Cartridge Level: the ChromaPod's cartridges");
}

} // namespace

bool TourPrinterProperties(HWND application, HANDLE printer) {
    Person person;
    person.Then("find the sheet", [] { return PlacedSheet() != nullptr; });
    DeviceSettingsSteps(person);
    ServiceSteps(person);
    person.Then("OK", [] {
        Progress("the printer's properties: OK");
        PressSheetButton(FindSheet(), PSBTN_OK);
        return true;
    });
    person.Start();
    OpenPrinterProperties(application, printer, const_cast<LPWSTR>(kTarvikPrinterName));
    person.Stop();
    if (!person.finished())
        Progress("STUCK at \"%s\"", person.stuckAt().c_str());
    return person.finished();
}
