// One timed opening of a property sheet: the sheet is opened by `open` (which returns when the
// sheet has closed), and as soon as it is on screen every page is brought to the front and
// painted, the Collate box on the Layout page is clicked, the change applied and
// the sheet closed with OK. The three phases are timed apart.
#pragma once

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
    bool seenByHook = false;    // the activation hook, not the 10 ms timer, found the sheet
    bool changed = false;       // the Collate box could be clicked
    bool applyShown = false;    // the sheet has an Apply button
    bool applyEnabled = false;  // the change enabled it
    int pagesApplied = 0;       // the pages told PSN_APPLY when Apply was pressed
    bool done = false;          // the sheet came up and the tour ran
    double totalMs() const { return openMs + tourMs + closeMs; }
};

// `open` runs the sheet modally on this thread and returns when it has closed.
TourTimes TimeTour(const std::function<void()>& open, bool announceChange);
