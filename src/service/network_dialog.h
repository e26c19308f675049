// The network settings of the printer (dialog 115), opened from the Service page: DHCP, the IP
// address, subnet mask and gateway, and the MAC address for reference.
#pragma once

#include "settings/settings_context.h"

// Runs the dialog modally, owned by the page; IDOK or IDCANCEL.
INT_PTR ShowNetworkDialog(HWND owner, SettingsContext* context);

INT_PTR CALLBACK NetworkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
