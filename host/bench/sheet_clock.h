// A sheet timed from its own thread: when it is up, where its time goes, and when the call that
// opened it returned. The person (host/person/) notices a sheet from its modal loop's timer and
// waits for the thread by polling, each about 10 ms late; the clock stamps both moments on the
// sheet's thread instead, so that a plug-in and a bare sheet are timed alike, to the millisecond.
#pragma once

#include "person/person.h"

#include <windows.h>

#include <functional>
#include <vector>

struct SheetTimes {
    double called = 0;   // before the caller's first call
    double created = 0;  // the sheet's window is made: the pages' INIT is behind
    double up = 0;       // the first page initialised and painted, the sheet about to wait
    double returned = 0; // the call that opened it returned
    std::vector<double> pageInitMs; // each page's WM_INITDIALOG, in the order they were made
    double applyMs = 0;             // the pages' PSN_APPLY, every press
    int applyNotices = 0;           // the PSN_APPLY the pages were sent
    double destroyMs = 0;           // the sheet's and the pages' WM_DESTROY
    double destroyed = 0;           // the sheet's window is gone
    bool upSeen() const { return up > 0; }
    double openMs() const { return up - called; }
};

// Opens a sheet with `open`, run by `sheet` on the sheet's thread over the application's window,
// with the clock's hooks on that thread. True once the sheet is up (`times.up` set). With
// `phases`, hooks on every message of the thread also time the pages' messages (the fields from
// `pageInitMs` on); they slow each message, so such a sheet is not timed as a whole.
bool OpenTimed(Sheet& sheet, const std::function<LONG(HWND owner)>& open, SheetTimes& times,
               bool phases = false);

// Paints what is still to paint of the sheet `OpenTimed` opened, on the sheet's own thread, and
// returns when it is painted.
void PaintNow(HWND sheet);
