// The gallery's tours: the person's sessions in the printing preferences and in the printer's
// properties photographed, and the pictures checked switch by switch.
#pragma once

#include "person/person.h"

#include <windows.h>

#include <vector>

// The printing preferences opened as an application's print dialog opens them, over the
// printer's current devmode. The job devmode the application got back is left in `jobDevmode`.
// False when the person could not do every step.
bool TourPrintingPreferences(std::vector<BYTE>& jobDevmode);

// A second opening of the printing preferences over `jobDevmode` that photographs the pictures
// as switches change them (collation, sides, two-pass, orientation), then cancels.
bool TourPictureChecks(const std::vector<BYTE>& jobDevmode);

// The printer's properties as the printer folder opens them. False when the person could not do
// every step.
bool TourPrinterProperties();

// Places the sheet where nothing covers it.
void Place(const Sheet& sheet);

// Prints the step `what` once done, or that the person got stuck there; answers `done`.
bool Did(const char* what, bool done);
