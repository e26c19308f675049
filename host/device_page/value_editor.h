// The row under the device page's tree where a person changes the selected item: a drop-down
// list for list items, an edit box (with its unit) for edit items, a number box with arrows for
// up-down items, or a button for push-button items. Each input has a label naming the item
// ("&Value of Top Margin:"); only the inputs of the selected item's kind are shown, and they
// are disabled when the item is.
#pragma once

#include "core/oem_interface.h"

class ValueEditor {
public:
    // Creates the controls on `page`, after the tree in tab order.
    void Create(HWND page, HFONT font);

    // Shows the inputs for `item` (null: none) with its current value.
    void Show(const OPTITEM* item);
    // Shows the item's current value again without touching what a person is typing: the edit
    // box keeps its text while it has the focus.
    void Refresh(const OPTITEM* item);

    // The option index a person picked in the list; false when none.
    bool ReadListSelection(LONG* selection) const;
    // The text in the edit box.
    void ReadText(WCHAR* text, size_t chars) const;
    // The number in the number box; false when it holds no number.
    bool ReadNumber(LONG* value) const;

private:
    void ShowKind(BYTE kind, bool enabled);
    void FillList(const OPTITEM& item);
    void SyncList(const OPTITEM& item);
    void SetLabels(const OPTITEM& item);

    HWND page_ = nullptr;
    const OPTITEM* item_ = nullptr;
};
