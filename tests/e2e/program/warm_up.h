// What the first use of the spooler and the driver loads and keeps for the process's life.
#pragma once

#include <windows.h>

// Asks the spooler once for what each flow asks (capabilities, the default devmode, the printing
// preferences with the checks' session when `withSession`, else with every page shown, the
// printer's properties with every page shown, each sheet cancelled), so that
// what Wine keeps after a first use (libraries, caches, the window DC cache) is in place before
// the first baseline.
// False when a sheet did not open.
bool WarmUpSpooler(HWND application, bool withSession);
