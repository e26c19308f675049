// Filling and refreshing the device page's tree view from the option items.
#include "item_tree_view.h"

#include "option_items.h"

namespace {

constexpr size_t kRowChars = 512;

} // namespace

void ItemTreeView::Attach(HWND tree, OPTITEM* items, WORD count) {
    tree_ = tree;
    items_ = items;
    count_ = count;
    rows_.assign(count, nullptr);
}

void ItemTreeView::Rebuild(WORD selected) {
    SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(tree_);
    rows_.assign(count_, nullptr);
    // The nearest row above at each depth: an item hangs under the last shown item of a lower
    // Level; an item under a hidden one is hidden with it.
    struct Open {
        BYTE level;
        HTREEITEM row;
    };
    std::vector<Open> open;
    BYTE hiddenBelow = 0xFF;
    std::vector<WORD> expand;
    for (WORD i = 0; i < count_; ++i) {
        const OPTITEM& item = items_[i];
        if (item.Level > hiddenBelow)
            continue;
        hiddenBelow = 0xFF;
        while (!open.empty() && open.back().level >= item.Level)
            open.pop_back();
        if (!IsOptionItemShown(item)) {
            hiddenBelow = item.Level;
            continue;
        }
        WCHAR text[kRowChars];
        FormatOptionItemRow(item, text, kRowChars);
        TVINSERTSTRUCTW insert;
        ZeroMemory(&insert, sizeof(insert));
        insert.hParent = open.empty() ? TVI_ROOT : open.back().row;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = text;
        insert.item.lParam = i;
        rows_[i] = TreeView_InsertItem(tree_, &insert);
        if (rows_[i] == nullptr)
            continue;
        open.push_back({item.Level, rows_[i]});
        if (!(item.Flags & OPTIF_COLLAPSE))
            expand.push_back(i);
    }
    for (WORD i : expand)
        TreeView_Expand(tree_, rows_[i], TVE_EXPAND);
    if (!SelectItem(selected))
        TreeView_SelectItem(tree_, TreeView_GetRoot(tree_));
    SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree_, nullptr, TRUE);
}

void ItemTreeView::WriteRow(WORD index) {
    WCHAR text[kRowChars];
    FormatOptionItemRow(items_[index], text, kRowChars);
    TVITEMW row;
    ZeroMemory(&row, sizeof(row));
    row.mask = TVIF_TEXT;
    row.hItem = rows_[index];
    row.pszText = text;
    TreeView_SetItem(tree_, &row);
}

bool ItemTreeView::Refresh(const std::vector<WORD>& changed) {
    for (WORD index : changed)
        if (index < count_ && IsOptionItemShown(items_[index]) != (rows_[index] != nullptr))
            return false;
    for (WORD index : changed)
        if (index < count_ && rows_[index] != nullptr)
            WriteRow(index);
    return true;
}

bool ItemTreeView::RefreshAll() {
    std::vector<WORD> all(count_);
    for (WORD i = 0; i < count_; ++i)
        all[i] = i;
    return Refresh(all);
}

bool ItemTreeView::ItemOfRow(HTREEITEM row, WORD* index) const {
    if (row == nullptr)
        return false;
    TVITEMW item;
    ZeroMemory(&item, sizeof(item));
    item.mask = TVIF_PARAM;
    item.hItem = row;
    if (!TreeView_GetItem(tree_, &item) || item.lParam < 0 || item.lParam >= count_)
        return false;
    *index = static_cast<WORD>(item.lParam);
    return true;
}

bool ItemTreeView::SelectedItem(WORD* index) const {
    return ItemOfRow(TreeView_GetSelection(tree_), index);
}

bool ItemTreeView::SelectItem(WORD index) {
    if (index >= count_ || rows_[index] == nullptr)
        return false;
    TreeView_EnsureVisible(tree_, rows_[index]);
    return TreeView_SelectItem(tree_, rows_[index]) != FALSE;
}
