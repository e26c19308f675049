// The tree view of the device page: one row per shown option item, nested by the items' Level,
// each row reading "Label: value".
#pragma once

#include "core/oem_interface.h"

#include <commctrl.h>

#include <vector>

class ItemTreeView {
public:
    void Attach(HWND tree, OPTITEM* items, WORD count);

    // Builds every row anew (after CPSUICB_ACTION_REINIT_ITEMS, or when items were shown or
    // hidden) and selects the row of `selected`, or the first row.
    void Rebuild(WORD selected);
    // Rewrites the rows of the given items; false, with nothing rewritten, when one of them was
    // shown or hidden since the rows were built (they must be built anew then).
    bool Refresh(const std::vector<WORD>& changed);
    bool RefreshAll();

    // The item of the selected row; false when none is selected.
    bool SelectedItem(WORD* index) const;
    // The item of a row handle from a notification.
    bool ItemOfRow(HTREEITEM row, WORD* index) const;
    // Selects the item's row; false when the item has none.
    bool SelectItem(WORD index);

private:
    void WriteRow(WORD index);

    HWND tree_ = nullptr;
    OPTITEM* items_ = nullptr;
    WORD count_ = 0;
    std::vector<HTREEITEM> rows_; // by item; null for hidden items
};
