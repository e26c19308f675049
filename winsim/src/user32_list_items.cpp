// user32: the entries of list boxes and combo boxes, and the order sorted lists keep.
#include "user32_list_items.h"

#include "internal.h"

#include <algorithm>

namespace winsim {
// Sorted lists order their entries as lstrcmpiW compares them: by the user's locale, case
// ignored.
int CompareForSort(const std::u16string& a, const std::u16string& b) {
    return CompareAsWords(a, b, true);
}

int ListEntries::Add(const std::u16string& text, bool sorted) {
    size_t at = entries_.size();
    if (sorted)
        at = static_cast<size_t>(std::upper_bound(entries_.begin(), entries_.end(), text,
                                                  [](const std::u16string& t, const ListEntry& e) {
                                                      return CompareForSort(t, e.text) < 0;
                                                  }) -
                                 entries_.begin());
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), ListEntry{text, 0});
    if (selection_ >= static_cast<int>(at))
        ++selection_;
    return static_cast<int>(at);
}

int ListEntries::Insert(WPARAM index, const std::u16string& text) {
    size_t at = static_cast<int>(index) == -1 ? entries_.size() : static_cast<size_t>(index);
    if (at > entries_.size())
        return -1;
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), ListEntry{text, 0});
    if (selection_ >= static_cast<int>(at))
        ++selection_;
    return static_cast<int>(at);
}

bool ListEntries::Delete(WPARAM index) {
    if (!Valid(index))
        return false;
    int at = static_cast<int>(index);
    entries_.erase(entries_.begin() + at);
    if (selection_ == at)
        selection_ = -1;
    else if (selection_ > at)
        --selection_;
    return true;
}

void ListEntries::Clear() {
    entries_.clear();
    selection_ = -1;
}

int ListEntries::Find(WPARAM start, const std::u16string& text) const {
    int n = Count();
    if (n == 0)
        return -1;
    int first = static_cast<int>(start);
    first = (first < 0 || first >= n) ? 0 : first + 1;
    for (int k = 0; k < n; ++k) {
        int i = (first + k) % n;
        const std::u16string& entry = entries_[static_cast<size_t>(i)].text;
        if (EqualNoCase(entry, text))
            return i;
    }
    return -1;
}

std::u16string TextArgument(LPARAM text) {
    const WCHAR* p = reinterpret_cast<const WCHAR*>(text);
    return p ? std::u16string(p) : std::u16string();
}

LRESULT CopyEntryText(const ListEntries& list, WPARAM index, LPARAM buffer, LRESULT error) {
    if (!list.Valid(index))
        return error;
    const std::u16string& text = list.At(index).text;
    WCHAR* out = reinterpret_cast<WCHAR*>(buffer);
    if (!out)
        return error;
    std::copy(text.begin(), text.end(), out);
    out[text.size()] = 0;
    return static_cast<LRESULT>(text.size());
}

} // namespace winsim
