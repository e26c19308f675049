// The Service page's printer information text: status, driver version, serial and model
// numbers and firmware versions, refreshed by the status timer while monitoring is on.
#pragma once

#include "settings/settings_context.h"

// The status timer of the Service page.
constexpr UINT_PTR kStatusTimerId = 13369;
constexpr UINT kStatusTimerInterval = 10000; // milliseconds

// Rebuilds the information text of the page; non-zero when the printer's status was obtained
// and status monitoring is checked, so that the timer should run again.
BOOL RefreshPrinterInformation(HWND page, SettingsContext* context);

// The driver's version as "a.b.c.d": from the spooler's driver information, or from the version
// resource of this module's file in the printer driver directory when there is no context or
// the driver information cannot be had; "0.0.0.0" when neither answers. The text lives in a
// module-wide buffer that the next call overwrites.
LPCWSTR DriverVersionText(SettingsContext* context);

// The status timer's callback, also called directly with (WM_TIMER, kStatusTimerId): refreshes
// the information of the page whose DWLP_USER holds the context and re-arms the timer only
// while the refresh says so.
VOID CALLBACK StatusTimerRoutine(HWND page, UINT message, UINT_PTR timerId, DWORD time);
