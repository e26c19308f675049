// Acting on the device page as a person does, through its real controls, and reading what it
// shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Lets the windows of this thread handle their messages for `milliseconds`, with the dialog
// keys (Tab, arrows, mnemonics) handled as a modeless sheet's owner does.
void Pump(DWORD milliseconds);

// The text of the tree row showing option item `index`; "(no row)" when none does.
std::string RowText(HWND page, WORD index);
// Every row's text in display order, with two spaces of indent per depth.
std::vector<std::string> RowTexts(HWND page);
// Selects the item's row as a click on it would; false when it has none.
bool SelectRow(HWND page, WORD index);

// Picks the entry `text` in the drop-down list, as a person does (the list tells the page).
bool ChooseListEntry(HWND page, LPCWSTR text);
// Types `text` into the edit box, replacing what it holds; the box keeps the focus.
bool TypeInto(HWND page, int editId, LPCWSTR text);
// The same, then leaves the box for the tree.
bool TypeAndLeave(HWND page, int editId, LPCWSTR text);
// Presses and releases a key, with a modifier (VK_SHIFT, VK_MENU) held when one is given, as the
// keyboard does, and lets the windows handle it.
void PressKey(WORD key, WORD modifier = 0);
// Presses a button of the page or of the sheet.
void Press(HWND window, int id);

// The controls of the input row that are shown, by id, in tab order after the tree.
std::vector<int> ShownInputs(HWND page);
std::string WindowText(HWND window);

// Saves what the screen shows of `window` as a 24-bit BMP file; false when it cannot.
bool SaveScreenshot(HWND window, LPCWSTR path);
