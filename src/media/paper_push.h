// Carrying the paper page's choices into the job's devmode and the printer's default devmode,
// so that the core driver and other applications see them: noted now, pushed when the apply ends
// (settings/devmode_push.h).
#pragma once

#include "settings/settings_context.h"

// The paper: dmFormName gets the form's name (31 characters at most), dmPaperWidth and
// dmPaperLength its size (`form`, micrometres) in tenths of a millimetre (automatic selection
// gives an empty name and 0 x 0); then `clearFields` leave dmFields and `setFields` join it.
// dmPaperSize is never touched.
void PushPaperToPrinter(SettingsContext* context, LPCWSTR formName, SIZE form, DWORD clearFields,
                        DWORD setFields);

// dmMediaType and dmDefaultSource. Nothing at all happens when the number is the context's
// current one; otherwise the context takes it and it is pushed.
void PushMediaTypeToPrinter(SettingsContext* context, DWORD mediaType);
void PushPaperSourceToPrinter(SettingsContext* context, DWORD paperSource);
