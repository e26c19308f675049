// The end-to-end checks: an application's requests through Wine's spooler to the configuration
// module, the plug-in's pages acted on by a person, and what was stored.
#pragma once

#include "application_window.h"

// The printer's properties as the printer folder opens them: the pages, a device setting changed
// and applied when the device page is there, and a service started on the Service page; with the
// printer link installed, what the virtual embosser received, and the device setting read back in
// a second opening. Without the link the pages still open, their printer controls disabled.
void CheckPrinterProperties(ApplicationWindow& application, bool withPrinterLink);
