// One timed opening of a property sheet: a person (host/person/) opens it with `open`, and as soon
// as it is on screen brings every page to the front and has it painted, clicks the Collate box on
// the Layout page, applies the change and closes the sheet with OK. The three phases are timed
// apart.
#pragma once

#include "person/person.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct TourTimes {
    double openMs = 0;  // from the call until the sheet is up with its first page painted
    double tourMs = 0;  // every page shown and painted, the change made and applied
    double closeMs = 0; // from OK until the call returned
    int pages = 0;
    std::string titles;         // "Layout, Paper/Media, Tarvik"
    std::vector<double> pageMs; // each page brought to the front and painted
    bool changed = false;       // the Collate box could be clicked
    bool applyShown = false;    // the sheet has an Apply button
    bool applyEnabled = false;  // the change enabled it
    int pagesApplied = 0;       // the pages told PSN_APPLY when Apply was pressed
    bool done = false;          // the sheet came up and the tour ran
    double totalMs() const { return openMs + tourMs + closeMs; }
};

// `open` runs on the sheet's thread, as Sheet::Open calls it, and opens the sheet there. A
// sheet whose pages do not tell it of a change is told by the person when `announceChange`.
TourTimes TimeTour(const std::function<bool(Sheet& sheet)>& open, bool announceChange);
