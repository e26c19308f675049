// The end-to-end checks: an application's requests through Wine's spooler to the configuration
// module, the plug-in's pages acted on by a person, and what was stored.
#pragma once

#include "application_window.h"

// The printing preferences from an application's print dialog: a session at the keyboard (double
// sided, 2 In 1 answered Yes, Best dot quality, Letter paper, copy paper, OK), then the printer
// data, the job devmode the application got back, the printer's default devmode and the
// WM_DEVMODECHANGE broadcast; then a second opening that shows those choices and is cancelled,
// which must leave the application's devmode as it was.
void CheckPrintingPreferences(ApplicationWindow& application);

// The printing preferences of a printer without its printer link: the same three pages open
// (the session itself needs no link), and the sheet closes when cancelled.
void CheckPreferencesOpenWithoutLink(ApplicationWindow& application);

// The printing preferences of a printer installed with "Locale" de_de: the page titles, some
// controls' texts and a list item are the translations in the German catalogue at
// `cataloguePath`, which the check reads itself. The sheet is cancelled.
void CheckGermanPages(ApplicationWindow& application, LPCWSTR cataloguePath);
