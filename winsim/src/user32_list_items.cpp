// user32: the entries of list boxes and combo boxes, and the order sorted lists keep.
#include "user32_list_items.h"

#include <algorithm>

namespace winsim {
namespace {

char16_t FoldCase(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<char16_t>(c - 0x20);
    return c;
}

// Sorted lists compare as CompareString does with the user's locale and case ignored ("word
// sort"): hyphens and apostrophes count only when all else is equal; blanks and punctuation
// come before digits, and digits before letters.
int Weight(char16_t c) {
    c = FoldCase(c);
    if (c >= u'0' && c <= u'9')
        return 0x1000 + c;
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE))
        return 0x2000 + c;
    if (c < 0x80)
        return c;
    return 0x3000 + c;
}

bool IgnoredAtFirst(char16_t c) {
    return c == u'-' || c == u'\'';
}

} // namespace

int CompareForSort(const std::u16string& a, const std::u16string& b) {
    size_t i = 0, j = 0;
    for (;;) {
        while (i < a.size() && IgnoredAtFirst(a[i]))
            ++i;
        while (j < b.size() && IgnoredAtFirst(b[j]))
            ++j;
        if (i == a.size() || j == b.size())
            break;
        int wa = Weight(a[i]), wb = Weight(b[j]);
        if (wa != wb)
            return wa < wb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i != a.size() || j != b.size())
        return i == a.size() ? -1 : 1;
    // Equal at the first level: the hyphens and apostrophes, then the case, decide.
    size_t na = std::count_if(a.begin(), a.end(), IgnoredAtFirst);
    size_t nb = std::count_if(b.begin(), b.end(), IgnoredAtFirst);
    if (na != nb)
        return na < nb ? -1 : 1;
    for (size_t k = 0; k < a.size() && k < b.size(); ++k)
        if (a[k] != b[k]) {
            bool lowerA = FoldCase(a[k]) != a[k], lowerB = FoldCase(b[k]) != b[k];
            if (lowerA != lowerB)
                return lowerA ? -1 : 1; // lower case first, as the user's locale orders it
            return a[k] < b[k] ? -1 : 1;
        }
    return 0;
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

int ListEntries::Find(WPARAM start, const std::u16string& text, bool exact) const {
    int n = Count();
    if (n == 0)
        return -1;
    int first = static_cast<int>(start);
    first = (first < 0 || first >= n) ? 0 : first + 1;
    for (int k = 0; k < n; ++k) {
        int i = (first + k) % n;
        const std::u16string& entry = entries_[static_cast<size_t>(i)].text;
        if (exact ? EqualNoCase(entry, text)
                  : entry.size() >= text.size() && EqualNoCase(entry.substr(0, text.size()), text))
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
