// The end-to-end checks: an application's requests through Wine's spooler to the configuration
// module, the plug-in's pages acted on by a person, and what was stored.
#pragma once

#include "application_window.h"

// DocumentPropertiesW's merge of an application's devmode, with the printer handle and with none
// (comdlg32 passes none): its fields win over the printer's default, its form replaces the paper.
void CheckDevmodeMerge(ApplicationWindow& application);

// DeviceCapabilitiesW: the private capability 257 answered by the plug-in, the papers from the
// server's forms, the private section's size.
void CheckDeviceCapabilities();

// The printing preferences from an application's print dialog: a session at the keyboard (double
// sided, 2 In 1 answered Yes, Best dot quality, Letter paper, copy paper, OK), then the printer
// data, the job devmode the application got back, the printer's default devmode and the
// WM_DEVMODECHANGE broadcast; then a second opening that shows those choices and is cancelled,
// which must leave the application's devmode as it was.
void CheckPrintingPreferences(ApplicationWindow& application);

// The printing preferences of a printer without its printer link: the same three pages open
// (the session itself needs no link), and the sheet closes when cancelled.
void CheckPreferencesOpenWithoutLink(ApplicationWindow& application);

// The printer's properties as the printer folder opens them: the pages, a device setting changed
// and applied when the device page is there, and a service started on the Service page; with the
// printer link installed, what the virtual embosser received, and the device setting read back in
// a second opening. Without the link the pages still open, their printer controls disabled.
void CheckPrinterProperties(ApplicationWindow& application, bool withPrinterLink);
