// Braille tables: the embosser holds seven of them in numbered slots. The tree's "Braille Table"
// push button opens a dialog in which the person picks a slot and, optionally, a table file that
// is loaded into it at once; the slot itself reaches the printer with the tree's next apply.
#pragma once

#include "settings/settings_context.h"

#include <windows.h>
#include <compstui.h>

// The number of table slots, and the length of a table path in characters.
constexpr DWORD kBrailleTableSlots = 7;
constexpr int kTablePathChars = 4096;

// The current table slot (0 to 6), shared by the tree and the dialog of every sheet of the
// process: the tree sets it when it is built, the dialog's OK when a slot is chosen.
DWORD CurrentTableSlot();
void SetCurrentTableSlot(DWORD slot);

// The push button's callback: shows the braille table dialog for the context in the button's
// UserData, owned by the tree's window; after OK shows the chosen slot in the "Braille Table"
// up-down item and loads the chosen file. CPSUICB_ACTION_OPTIF_CHANGED when that item changed.
LONG APIENTRY LoadBrailleTableFlow(PCPSUICBPARAM callbackParam);

// Lets the person choose a table file, starting in the configured folder; 1 with the full path
// in `path` (kTablePathChars characters), else 0.
int BrowseBrailleTable(HWND dialog, SettingsContext* context, WCHAR* path);
