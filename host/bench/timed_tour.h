// One timed opening of the printing preferences: a person (host/person/) opens them as an
// application's print dialog does, and as soon as they are up brings every page to the front and
// has it painted, clicks the Collate box on the Layout page, applies the change and closes the
// sheet with OK. The opening and the closing are stamped on the sheet's own thread
// (sheet_clock.h), the tour between them on the person's.
#pragma once

#include "sheet_clock.h"

#include <windows.h>

#include <string>
#include <vector>

struct TourTimes {
    double openMs = 0;  // from the first call until the sheet is up with its first page painted
    double tourMs = 0;  // every page shown and painted, the change made and applied
    double closeMs = 0; // from OK until the call returned
    SheetTimes sheet;   // where the time went, on the sheet's thread
    int pages = 0;
    std::string titles;         // "Layout, Paper/Media, Tarvik"
    std::vector<double> pageMs; // each page after the first brought to the front and painted
    bool changed = false;       // the Collate box could be clicked
    bool applyShown = false;    // the sheet has an Apply button
    bool applyEnabled = false;  // the change enabled it
    int pagesApplied = 0;       // the pages told PSN_APPLY when Apply was pressed
    bool done = false;          // the sheet came up and the tour ran
    double totalMs() const { return openMs + tourMs + closeMs; }
};

// The application's way to the printing preferences on the sheet's thread: the printer opened for
// use, the driver's size, the current devmode, then DocumentPropertiesW with DM_IN_PROMPT.
LONG OpenPreferences(HWND owner);

// One tour of the plug-in's sheet, or of the bare sheet (QV_BARE_PAGES set while it opens), whose
// pages do not tell the sheet of a change: the person tells it for them.
TourTimes TimeTour(bool bare, bool phases = false);
