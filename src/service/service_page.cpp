// The Service page (dialog 108): printer information and status monitoring, the printer's
// calibration and test services, and the way to the maintenance dialogs.
#include "service/service_page.h"

#include "link/printer_link.h"
#include "link/printer_snapshot.h"
#include "pages/bitmap_picture.h"
#include "pages/dialog_support.h"
#include "resources/resource.h"
#include "service/emboss_usage_dialog.h"
#include "service/ink_fill_dialog.h"
#include "service/network_dialog.h"
#include "service/printer_information.h"
#include "settings/known_config.h"
#include "settings/printer_data_store.h"
#include "settings/ui_strings.h"

#include <prsht.h>

namespace {

// One Service page is live at a time; the status timer finds the context in DWLP_USER.
SettingsContext* g_context = nullptr;

const WCHAR kStatusMonitoringValue[] = TEXT("EnableStatusMonitoring");

// The buttons that start a service inside the printer link, by the service's code. Codes 3 and
// 4 are not offered.
struct ServiceButton {
    int id;
    DWORD code;
};
const ServiceButton kServiceButtons[] = {
    {IDC_SERVICE_HEAD_ALIGNMENT_TOP, 1},     {IDC_SERVICE_HEAD_ALIGNMENT_BOTTOM, 2},
    {IDC_SERVICE_EMBOSS_SKEW_TOP, 5},        {IDC_SERVICE_EMBOSS_SKEW_BOTTOM, 6},
    {IDC_SERVICE_INTERPOINT_CALIBRATION, 7}, {IDC_SERVICE_PRINT_TEST_PAGE, 8},
    {IDC_SERVICE_INK_EMBOSS_ALIGNMENT, 9},   {IDC_SERVICE_INK_SKEW_ALIGNMENT, 10},
    {IDC_SERVICE_CARTRIDGE_SPACING, 11},
};

// The controls that need the ink unit, and those that need the printer link at all.
const std::initializer_list<int> kInkUnitControls = {
    IDC_SERVICE_INK_SKEW_ALIGNMENT, IDC_SERVICE_INK_EMBOSS_ALIGNMENT, IDC_SERVICE_CARTRIDGE_SPACING,
    IDC_SERVICE_INK_LEVEL};
const std::initializer_list<int> kPrinterControls = {
    IDC_SERVICE_HEAD_ALIGNMENT_TOP,     IDC_SERVICE_HEAD_ALIGNMENT_BOTTOM,
    IDC_SERVICE_EMBOSS_SKEW_TOP,        IDC_SERVICE_EMBOSS_SKEW_BOTTOM,
    IDC_SERVICE_INTERPOINT_CALIBRATION, IDC_SERVICE_PRINT_TEST_PAGE,
    IDC_SERVICE_ETHERNET_SETTINGS,      IDC_SERVICE_EMBOSS_USAGE,
    IDC_SERVICE_STATUS_MONITORING};

void RefreshNow(HWND page) {
    StatusTimerRoutine(page, WM_TIMER, kStatusTimerId, 0);
}

// The snapshot is fetched once per context; a failed fetch is not tried again.
void FetchSnapshotOnce() {
    if (g_context->SnapshotItemCount != 0)
        return;
    if (FetchPrinterSnapshot(g_context))
        g_context->DeviceSettingsStale = 1;
    else
        g_context->SnapshotItemCount = -1;
}

// As the sheet's settings load found it.
bool StatusMonitoringStored() {
    DWORD value = 0;
    return KnownConfigDword(g_context, kStatusMonitoringValue, &value) && value != 0;
}

BOOL OnInitDialog(HWND page, const PROPSHEETPAGEW* description) {
    g_context = reinterpret_cast<SettingsContext*>(description->lParam);
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(g_context));
    FetchSnapshotOnce();
    bool connected = g_context->SnapshotItemCount > 0;
    bool inkUnit = connected && g_context->ChromaPodVersion != 0;
    EnableControls(page, kInkUnitControls, inkUnit);
    EnableControls(page, kPrinterControls, connected);
    SetChecked(page, IDC_SERVICE_STATUS_MONITORING, StatusMonitoringStored());
    RefreshNow(page);
    TranslateWithLocale(g_context, page);
    return TRUE;
}

// The owner of a service's dialogs is the printer link; its result is its own business.
void StartPrinterService(HWND page, DWORD code) {
    auto service = FindPrinterLinkProc<PrinterServiceProc>(g_context, "DllExportPrinterService");
    if (service != nullptr)
        service(page, g_context->PrinterName, code);
}

// Monitoring is the user's own choice, stored through the sheet's handle as it is.
void OnStatusMonitoringClicked(HWND page) {
    DWORD value = IsChecked(page, IDC_SERVICE_STATUS_MONITORING) ? 1 : 0;
    if (SetPrinterDataExW(g_context->PrinterHandle, kConfigKey, kStatusMonitoringValue, REG_DWORD,
                          reinterpret_cast<LPBYTE>(&value), sizeof(value)) == ERROR_SUCCESS)
        RememberConfigValue(g_context, kStatusMonitoringValue, &value, sizeof(value));
    RefreshNow(page);
}

BOOL OnCommand(HWND page, int id, int code) {
    if (code != BN_CLICKED)
        return FALSE;
    for (const ServiceButton& button : kServiceButtons) {
        if (button.id == id) {
            StartPrinterService(page, button.code);
            return TRUE;
        }
    }
    switch (id) {
    case IDC_SERVICE_ETHERNET_SETTINGS:
        ShowNetworkDialog(page, g_context);
        return TRUE;
    case IDC_SERVICE_INK_LEVEL:
        ShowInkFillDialog(page, g_context);
        return TRUE;
    case IDC_SERVICE_EMBOSS_USAGE:
        ShowEmbossUsageDialog(page, g_context);
        return TRUE;
    case IDC_SERVICE_STATUS_MONITORING:
        OnStatusMonitoringClicked(page);
        return TRUE;
    default:
        return FALSE;
    }
}

// The status keeps refreshing only while the page is in front.
void OnNotify(HWND page, const NMHDR* header) {
    switch (header->code) {
    case PSN_SETACTIVE:
        SetTimer(page, kStatusTimerId, kStatusTimerInterval, StatusTimerRoutine);
        break;
    case PSN_KILLACTIVE:
        KillTimer(page, kStatusTimerId);
        break;
    default:
        break;
    }
}

void OnDrawItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlID == IDC_SERVICE_LOGO)
        DrawPictureItem(item, g_context->ResourceModule, IDB_LOGO);
}

} // namespace

INT_PTR CALLBACK ServicePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, reinterpret_cast<const PROPSHEETPAGEW*>(lParam));
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        OnNotify(page, reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    case WM_DRAWITEM:
        OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return FALSE;
    default:
        return FALSE;
    }
}
