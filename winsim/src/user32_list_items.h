// user32: the entries of list boxes and combo boxes (a combo box's list is a list box).
#pragma once

#include "user32_internal.h"

namespace winsim {

struct ListEntry {
    std::u16string text;
    ULONG_PTR data = 0;
};

class ListEntries {
public:
    int Count() const { return static_cast<int>(entries_.size()); }
    bool Valid(WPARAM index) const { return static_cast<size_t>(index) < entries_.size(); }
    const ListEntry& At(WPARAM index) const { return entries_[static_cast<size_t>(index)]; }
    ListEntry& At(WPARAM index) { return entries_[static_cast<size_t>(index)]; }
    int Selection() const { return selection_; }
    void Select(int index) { selection_ = index; }

    // Adds at the end, or in sorted place (after entries that compare equal).
    int Add(const std::u16string& text, bool sorted);
    // Inserts at index (-1: the end) without sorting; -1 when index is past the end.
    int Insert(WPARAM index, const std::u16string& text);
    // Removes an entry; the selection follows its entry and is lost with it.
    bool Delete(WPARAM index);
    void Clear();
    // Case-insensitive search for the whole text after the entry start (-1: from the beginning),
    // wrapping around to start. -1 when nothing matches.
    int Find(WPARAM start, const std::u16string& text) const;

private:
    std::vector<ListEntry> entries_;
    int selection_ = -1;
};

std::u16string TextArgument(LPARAM text);
// Copies an entry into a caller's buffer (no size given: the caller made it large enough).
LRESULT CopyEntryText(const ListEntries& list, WPARAM index, LPARAM buffer, LRESULT error);

} // namespace winsim
