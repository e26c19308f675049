// Carrying a page's choice into the job's devmode and the printer's default devmode, so that the
// core driver and other applications see it, and telling every top-level window.
#pragma once

#include "settings/settings_context.h"

// Writes the change into a devmode. Called once for the job's devmode, and for the printer's
// default devmode before and again after the driver merged it (`afterMerge`), so that the merge
// cannot undo it.
struct DevmodeChange {
    virtual void Apply(DEVMODEW* devmode, bool afterMerge) const = 0;
};

// The push: the job's devmode (when the host gave one) and the printer's default devmode (the
// driver's default when the printer has none), merged by the driver, stored with SetPrinterW
// (retried with full access), then WM_DEVMODECHANGE to every top-level window.
void PushDevmodeChange(SettingsContext* context, const DevmodeChange& change);
