// Finding the windows a person sees on this thread and acting on them with the messages their
// keys and clicks produce.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <string>

// The visible property sheet of this thread, or null.
HWND FindSheet();
// A visible dialog of this thread that is not a property sheet (a notice, a message box), or null.
HWND FindNonSheetDialog();
// A visible dialog of this thread holding a control with this id, or null.
HWND FindDialogWithControl(int controlId);

int SheetPageCount(HWND sheet);
// Brings the page at `index` to the front (Ctrl+Tab) and returns it.
HWND ShowPage(HWND sheet, int index);
// Brings to the front the page holding `controlId`; null when no page has it.
HWND ShowPageWithControl(HWND sheet, int controlId);
// The tab titles, "Layout, Paper/Media, Tarvik".
std::string PageTitles(HWND sheet);

// A click on an enabled, visible button (a person cannot click the others). With `post`, the
// click waits in the queue: for a button whose handler opens a modal dialog.
bool ClickButton(HWND dialog, int controlId, bool post = false);
// Picks the item with this exact text in a drop-down list, as the arrow keys do: the selection
// moves and the dialog hears CBN_SELCHANGE.
bool ChooseListItem(HWND dialog, int controlId, LPCWSTR text);
// Selects the tree row whose text starts with `prefix` ("Dots Per Character"), as the arrow
// keys do: the tree tells its page TVN_SELCHANGED. False when no row matches.
bool SelectTreeRow(HWND dialog, int controlId, const std::string& prefix);
// The text of the row that starts with `prefix`, or "" when there is none.
std::string TreeRowText(HWND dialog, int controlId, const std::string& prefix);
bool IsButtonChecked(HWND dialog, int controlId);
bool IsControlEnabled(HWND dialog, int controlId);
std::string SelectedListText(HWND dialog, int controlId);
// OK, Cancel or Apply of the sheet (PSBTN_OK, ...), posted as the button's click is.
void PressSheetButton(HWND sheet, int button);
