// The Paper/Media page and the printer's Service page, each alone in a sheet of its own, and the
// dialogs the printing preferences' pages open, opened as their pages open them, over the
// printer's settings loaded as a property sheet loads them. The rest of the sheets is not built:
// building a whole sheet for every input would cost the fuzzer most of its time.
#pragma once

#include "sim.h"

#include "settings/settings_context.h"

// The Paper/Media page over `context`, alone in a modeless sheet: `script` runs on the page; the
// sheet is then applied when a change enabled "Apply" (the printer's default devmode must still
// name its form within 32 characters), and closed.
void InPaperPage(SettingsContext* context, const sim::DialogScript& script);

// The Service page over `context`, alone in a modeless sheet: `script` runs on the page, and the
// sheet is cancelled and closed.
void InServicePage(SettingsContext* context, const sim::DialogScript& script);

// The Advanced media and forms dialog opened with the Paper/Media page's button: `script` runs
// in it, then the dialog is cancelled as its frame button leaves it (every change it made is
// saved already), and the page takes up what changed.
void InAdvancedDialog(HWND paperPage, const sim::DialogScript& script);

// The image options dialog of the Main page; `script` runs in it and ends it.
void InImageOptionsDialog(const sim::DialogScript& script);
