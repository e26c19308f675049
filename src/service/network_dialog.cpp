// The network settings dialog: only the settings that changed are sent to the printer, then the
// printer is asked once to take them.
#include "service/network_dialog.h"

#include "core/activation_context.h"
#include "core/module_state.h"
#include "link/parameter_record.h"
#include "link/printer_link.h"
#include "pages/dialog_support.h"
#include "resources/resource.h"
#include "service/network_changes.h"
#include "settings/ui_strings.h"

#include <commctrl.h>

namespace {

// The dialog's parameter: a record whose first field is the settings context.
struct NetworkDialogParam {
    SettingsContext* Context;
};

// One network dialog is open at a time.
SettingsContext* g_context = nullptr;

// Fixed addresses only count while DHCP is off.
const std::initializer_list<int> kAddressControls = {
    IDC_NETWORK_IP_ADDRESS_LABEL, IDC_NETWORK_IP_ADDRESS,        IDC_NETWORK_GATEWAY_LABEL,
    IDC_NETWORK_GATEWAY,          IDC_NETWORK_SUBNET_MASK_LABEL, IDC_NETWORK_SUBNET_MASK};

void SetAddress(HWND dialog, int id, DWORD address) {
    SendDlgItemMessageW(dialog, id, IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}

DWORD GetAddress(HWND dialog, int id) {
    DWORD address = 0;
    SendDlgItemMessageW(dialog, id, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    return address;
}

BOOL OnInitDialog(HWND dialog, const NetworkDialogParam* param) {
    g_context = param->Context;
    SetChecked(dialog, IDC_NETWORK_DHCP, g_context->NetworkDhcp != 0);
    EnableControls(dialog, kAddressControls, g_context->NetworkDhcp == 0);
    SetAddress(dialog, IDC_NETWORK_IP_ADDRESS, g_context->NetworkIpAddress);
    SetAddress(dialog, IDC_NETWORK_SUBNET_MASK, g_context->NetworkSubnetMask);
    SetAddress(dialog, IDC_NETWORK_GATEWAY, g_context->NetworkGateway);
    SetDlgItemTextW(dialog, IDC_NETWORK_MAC_ADDRESS, g_context->MacAddressText);
    // Setting the addresses reports them changed; nothing is changed yet.
    EnableControl(dialog, IDC_APPLY_BUTTON, false);
    TranslateWithLocale(g_context, dialog);
    return TRUE;
}

// Only what changed is sent, then the printer is asked once to take it; without both entry
// points nothing is sent.
void SaveNetworkSettings(HWND dialog) {
    NetworkSettings shown = {
        IsChecked(dialog, IDC_NETWORK_DHCP) ? 1u : 0u, GetAddress(dialog, IDC_NETWORK_IP_ADDRESS),
        GetAddress(dialog, IDC_NETWORK_SUBNET_MASK), GetAddress(dialog, IDC_NETWORK_GATEWAY)};
    auto setParameter =
        FindPrinterLinkProc<SetPrinterParameterProc>(g_context, "DllExportSetPrinterParameter");
    auto update = FindPrinterLinkProc<UpdatePrinterProc>(g_context, "DllExportUpdatePrinter");
    if (setParameter == nullptr || update == nullptr)
        return;
    NetworkSettings current = {g_context->NetworkDhcp, g_context->NetworkIpAddress,
                               g_context->NetworkSubnetMask, g_context->NetworkGateway};
    ParameterRecord records[4];
    int count = PlanNetworkChanges(&current, shown, records);
    for (int i = 0; i < count; ++i) {
        const ParameterRecord& record = records[i];
        if (record.DataLength > 0)
            setParameter(0, g_context->PrinterName, record.Id, nullptr, 0, record.Data,
                         record.DataLength);
        else
            setParameter(0, g_context->PrinterName, record.Id, record.Values, 1, nullptr, 0);
    }
    g_context->NetworkDhcp = current.dhcp;
    g_context->NetworkIpAddress = current.ipAddress;
    g_context->NetworkSubnetMask = current.subnetMask;
    g_context->NetworkGateway = current.gateway;
    if (count > 0)
        update(0, g_context->PrinterName);
}

void OnDhcpClicked(HWND dialog) {
    EnableControls(dialog, kAddressControls, !IsChecked(dialog, IDC_NETWORK_DHCP));
    EnableApplyButton(dialog);
}

BOOL OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_NETWORK_IP_ADDRESS:
    case IDC_NETWORK_SUBNET_MASK:
    case IDC_NETWORK_GATEWAY:
        if (code != EN_CHANGE)
            return FALSE;
        EnableApplyButton(dialog);
        return TRUE;
    case IDC_NETWORK_DHCP:
        if (code != BN_CLICKED)
            return FALSE;
        OnDhcpClicked(dialog);
        return TRUE;
    default:
        return code == BN_CLICKED && HandleSavingFrameButton(dialog, id, SaveNetworkSettings);
    }
}

} // namespace

INT_PTR CALLBACK NetworkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<const NetworkDialogParam*>(lParam));
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    default:
        return FALSE;
    }
}

INT_PTR ShowNetworkDialog(HWND owner, SettingsContext* context) {
    NetworkDialogParam param = {context};
    return ModuleDialogBoxParam(g_module, MAKEINTRESOURCEW(IDD_NETWORK), owner, NetworkDialogProc,
                                reinterpret_cast<LPARAM>(&param));
}
