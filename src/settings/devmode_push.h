// Carrying the pages' choices into the job's devmode and the printer's default devmode, so that
// the core driver and other applications see them, and telling every top-level window. The
// pages note their changes during an apply; the devmodes take them all at once when the last
// page has applied: one merge each, one SetPrinterW and one WM_DEVMODECHANGE per apply.
#pragma once

#include "settings/settings_context.h"

// Writes the noted changes into a devmode. Called once for the job's devmode, and for the
// printer's default devmode before and again after the driver merged it (`afterMerge`), so that
// the merge cannot undo them; a form's name is written only before.
void ApplyPendingDevmode(const PendingDevmode& pending, DEVMODEW* devmode, bool afterMerge);

// The push of every noted change: the job's devmode (when the host gave one) and the printer's
// default devmode (the driver's default when the printer has none), merged by the driver, stored
// with SetPrinterW (retried with full access), then WM_DEVMODECHANGE. Nothing when nothing is
// noted.
void PushPendingDevmode(SettingsContext* context);

// A page's window was made or destroyed: the sheet tells every page that exists at an apply.
void PageMade(SettingsContext* context);
void PageDestroyed(SettingsContext* context);
// A page finished its part of an apply; after the last page's, the noted changes are pushed.
void PageApplied(SettingsContext* context);
