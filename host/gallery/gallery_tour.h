// The scripted sessions of the gallery: what a person does in the printing preferences and in the
// printer's properties, with a picture of every page and dialog met on the way.
#pragma once

#include "gallery_shots.h"
#include "person.h"

#include <windows.h>

#include <string>
#include <vector>

// The printing preferences opened with DocumentPropertiesW(DM_IN_PROMPT) over the printer's
// current devmode, as an application's print dialog does. The job devmode the application got
// back is left in `jobDevmode`. False when the person could not do every step.
bool TourPrintingPreferences(HWND application, HANDLE printer, std::vector<BYTE>& jobDevmode);

// The printer's properties as the printer folder opens them. False when the person could not do
// every step.
bool TourPrinterProperties(HWND application, HANDLE printer);

// A second opening of the printing preferences over `jobDevmode` that photographs the pictures
// as switches change them (collation, sides, two-pass, orientation), then cancels.
bool TourPictureChecks(HWND application, HANDLE printer, const std::vector<BYTE>& jobDevmode);

// Where the sheets and their dialogs are placed on the screen.
constexpr int kSheetLeft = 16;
constexpr int kSheetTop = 16;

// A step of the person's script that prints its line with the time once it is done.
inline void Step(Person& person, const char* what, Person::Action action) {
    person.Then(what, [what, action] {
        if (!action())
            return false;
        Progress("%s", what);
        return true;
    });
}
