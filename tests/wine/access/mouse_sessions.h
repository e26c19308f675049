// The printing preferences and the printer's properties worked with the mouse, each sheet from
// its opening to OK.
#pragma once

#include "person/person.h"

#include <functional>

// What is shown a page or a dialog when a session meets it.
using Look = std::function<void(HWND window)>;

void MousePreferences(
    Sheet& sheet, const Look& look = [](HWND) {});
void MouseProperties(
    Sheet& sheet, const Look& look = [](HWND) {});
