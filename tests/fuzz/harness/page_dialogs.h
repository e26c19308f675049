// The dialogs the printing preferences' pages open, opened as their pages open them, over the
// printer's settings loaded as a property sheet loads them, and single pages in a sheet of their
// own. The rest of the preferences is not built: what a page does with a dialog's outcome is the
// page tests' business, and building a whole sheet for every input would cost the fuzzer most of
// its time.
#pragma once

#include "sim.h"

#include "settings/settings_context.h"

// The Advanced media and forms dialog of the Paper/Media page over `context`: `script` runs in
// it, then the dialog is cancelled as its frame button leaves it (every change it made is saved
// already).
void InAdvancedDialog(SettingsContext* context, const sim::DialogScript& script);

// The image options dialog of the Main page; `script` runs in it and ends it.
void InImageOptionsDialog(const sim::DialogScript& script);

// The Paper/Media page over `context`, alone in a modeless sheet: `script` runs on the page, then
// the sheet is cancelled and destroyed.
void InPaperPage(SettingsContext* context, const sim::DialogScript& script);
