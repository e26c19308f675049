// What a person does in the Tarvik printer's sheets with the mouse: something changed on every page
// and in every dialog of the plug-in, each sheet from its opening to OK. The gallery photographs
// the sessions, the screen test measures the texts they meet, and the keyboard tests make the same
// changes at the keys and compare what was stored.
#pragma once

#include "person.h"

#include <functional>

// Shown every page and dialog met, as it opens and once changed: the window, a short name for it
// ("layout") and what it shows.
using Look = std::function<void(HWND window, const char* name, const char* caption)>;

// Each answers what OK returned.
LONG WorkThePreferences(
    Sheet& sheet, const Look& look = [](HWND, const char*, const char*) {});
LONG WorkTheProperties(
    Sheet& sheet, const Look& look = [](HWND, const char*, const char*) {});
