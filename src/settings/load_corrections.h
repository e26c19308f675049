// What a settings load decides beyond the stored values: the paper size that is used, the job's
// devmode overriding what it carries, and the printer's state before its first snapshot.
#pragma once

#include "settings/settings_context.h"

// "PaperSize" as a read of 8 bytes answered: only the full width and height pair is a paper
// size; anything else gives A4. True when A4 was taken and is to be written back.
bool TakeStoredPaperSize(DWORD result, DWORD needed, LONG size[2]);

// The job's public devmode overrides the stored choices it carries (in memory only).
void ApplyJobDevmode(SettingsContext* context, const DEVMODEW* devmode);

// The printer's own state until the first snapshot replaces it, with its distances in inches.
void SetPrinterStateDefaults(SettingsContext* context);
