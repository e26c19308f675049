// The embosser's device settings as parameters of the printer link: each parameter name selects
// a record id and how the value is encoded in the record.
#pragma once

#include "settings/settings_context.h"

// Sends one parameter: "FORMWIDTH", "FORMHEIGHT", "MEDIATYPE", "CUSTOMMEDIA", "TOPMARGIN",
// "LEFTMARGIN", "RIGHTMARGIN", "LINESPACING", "TABLE", "AUTOCR", "GRAPHICS", "BRAILLEDOTS",
// "BRAILLEFORCE", "DUPLEX" or "QUALITY". Any other name sends nothing, and so does every call
// while no snapshot has been fetched or when the link lacks DllExportSetPrinterParameter.
void SendDeviceParameter(SettingsContext* context, LPCWSTR name, DWORD value);

// Asks the printer link to update the printer, when it can; the result is not looked at.
void UpdateDevicePrinter(SettingsContext* context);
