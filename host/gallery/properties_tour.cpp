// The printer's properties, as a person meets them in the printer folder: the embosser's own
// settings on the device page and the Service page with its dialogs.
#include "device_page/device_page_ids.h"
#include "gallery_shots.h"
#include "gallery_tour.h"
#include "printer_tool/printer_folder.h"
#include "shown_text.h"

#include "resources/resource.h"

#include <commctrl.h>

#include <string>

namespace {

// The first row, depth first, whose text starts with `prefix`.
HTREEITEM FindRow(HWND tree, HTREEITEM row, const std::wstring& prefix) {
    for (; row != nullptr; row = TreeView_GetNextSibling(tree, row)) {
        WCHAR text[256] = {};
        TVITEMW item = {};
        item.mask = TVIF_TEXT;
        item.hItem = row;
        item.pszText = text;
        item.cchTextMax = ARRAYSIZE(text);
        TreeView_GetItem(tree, &item);
        if (std::wstring(text).compare(0, prefix.size(), prefix) == 0)
            return row;
        HTREEITEM found = FindRow(tree, TreeView_GetChild(tree, row), prefix);
        if (found != nullptr)
            return found;
    }
    return nullptr;
}

// The row of the setting, as the tree shows it in the language installed.
HTREEITEM DotsRow(HWND tree) {
    return FindRow(tree, TreeView_GetRoot(tree), Shown(TEXT("Dots Per Character")));
}

bool DeviceSettingsSteps(Sheet& sheet) {
    HWND page = sheet.Page(IDC_DEVPAGE_TREE);
    HWND tree = GetDlgItem(page, IDC_DEVPAGE_TREE);
    // The rows show the embosser's values once the page has fetched them.
    if (!Did("Device Settings, read from the embosser",
             WaitUntil([&] { return IsEnabled(page, IDC_DEVPAGE_TREE) && DotsRow(tree); })) ||
        !ShootWindow(sheet.window(), "20_device_settings",
                     "Printer properties: Device Settings, read from the embosser") ||
        !Did("Device Settings: Dots Per Character 8",
             TreeView_SelectItem(tree, DotsRow(tree)) &&
                 Choose(page, IDC_DEVPAGE_LIST, Shown(TEXT("8")).c_str())))
        return false;
    sheet.Apply();
    return ShootWindow(sheet.window(), "21_device_settings_applied",
                       "Device Settings: Dots Per Character 8, applied");
}

bool ServiceSteps(Sheet& sheet) {
    HWND service = sheet.Page(IDC_SERVICE_INTERPOINT_CALIBRATION);
    if (!Did("Service: Interpoint Calibration",
             Click(service, IDC_SERVICE_INTERPOINT_CALIBRATION)) ||
        !ShootWindow(sheet.window(), "22_service", "Service: Interpoint Calibration started"))
        return false;
    const struct {
        const char* what;
        int button;
        WORD templateId;
        const char* name;
        const char* caption;
    } dialogs[] = {
        {"Service: Ethernet Settings ...", IDC_SERVICE_ETHERNET_SETTINGS, IDD_NETWORK, "23_network",
         "Ethernet Settings: the embosser's network"},
        {"Service: Check Emboss Usage ...", IDC_SERVICE_EMBOSS_USAGE, IDD_EMBOSS_USAGE,
         "24_emboss_usage", "Check Emboss Usage: the carriages' shares"},
        {"Service: Check Ink Cartridge Level ...", IDC_SERVICE_INK_LEVEL, IDD_INK_FILL,
         "25_ink_fill", "Check Ink Cartridge Level: the ChromaPod's cartridges"},
    };
    for (const auto& dialog : dialogs) {
        bool shot = false;
        sheet.Answer(dialog.templateId, [&shot, &dialog](HWND opened) {
            shot = ShootWindow(opened, dialog.name, dialog.caption);
            Click(opened, IDCANCEL);
        });
        if (!Did(dialog.what, Click(service, dialog.button) && shot))
            return false;
    }
    return true;
}

} // namespace

bool TourPrinterProperties() {
    Sheet sheet;
    if (!Did("the printer's properties open", sheet.OpenProperties(kTarvikPrinterName)))
        return false;
    Place(sheet);
    bool done = DeviceSettingsSteps(sheet) && ServiceSteps(sheet);
    Progress("the printer's properties: %s", done ? "OK" : "Cancel");
    if (done)
        sheet.Ok();
    else
        sheet.Cancel();
    return done;
}
