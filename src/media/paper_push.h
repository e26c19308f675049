// Carrying the paper page's choices into the job's devmode and the printer's default devmode,
// so that the core driver and other applications see them.
#pragma once

#include "settings/settings_context.h"

// The paper: dmFormName gets the form's name (31 characters at most), dmPaperWidth and
// dmPaperLength its size in tenths of a millimetre (an empty name, automatic selection, gives
// an empty name and 0 x 0); then `clearFields` leave dmFields and `setFields` join it.
// dmPaperSize is never touched. Always pushed.
void PushPaperToPrinter(SettingsContext* context, LPCWSTR formName, DWORD clearFields,
                        DWORD setFields);

// dmMediaType and dmDefaultSource. Nothing at all happens when the number is the context's
// current one; otherwise the context takes it and it is pushed.
void PushMediaTypeToPrinter(SettingsContext* context, DWORD mediaType);
void PushPaperSourceToPrinter(SettingsContext* context, DWORD paperSource);
