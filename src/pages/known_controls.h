// A dialog's control by its id, as GetDlgItem finds it, remembered for the dialogs in use. Under
// Wine every GetDlgItem (and every call made with a dialog and an id: SendDlgItemMessageW,
// CheckDlgButton, IsDlgButtonChecked) asks the server for the dialog's children; a page looks up
// its controls a few hundred times while it opens and applies.
#pragma once

#include <windows.h>

// The child of `dialog` with control id `id`, or null. A remembered window is used only while it
// is still that dialog's child with that id; otherwise it is looked up as GetDlgItem does.
HWND KnownControl(HWND dialog, int id);
