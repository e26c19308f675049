// Looking texts up in a parsed catalogue.
#include "catalogue.h"

// Section names compare without regard to ASCII case; keys compare code unit by code unit (the
// platform's lstrcmp family orders by the user's locale, which is not what a key is).
bool SameSectionName(LPCWSTR a, LPCWSTR b) {
    for (int i = 0; i < kSectionChars; ++i) {
        WCHAR x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<WCHAR>(a[i] + 32) : a[i];
        WCHAR y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<WCHAR>(b[i] + 32) : b[i];
        if (x != y)
            return false;
        if (x == 0)
            return true;
    }
    return false;
}

namespace {

int FindSection(const Catalogue* catalogue, LPCWSTR name) {
    for (int i = 0; i < catalogue->sectionCount; ++i)
        if (SameSectionName(catalogue->sections[i], name))
            return i;
    return -1;
}

} // namespace

int CompareKeys(LPCWSTR a, LPCWSTR b) {
    for (int i = 0;; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
        if (a[i] == 0)
            return 0;
    }
}

LPCWSTR FindTranslation(const Catalogue* catalogue, LPCWSTR section, LPCWSTR english) {
    if (catalogue == nullptr || catalogue->entries == nullptr || section == nullptr ||
        english == nullptr)
        return nullptr;
    int wanted = FindSection(catalogue, section);
    if (wanted < 0)
        return nullptr;
    int low = 0;
    int high = catalogue->count - 1;
    while (low <= high) {
        int middle = low + (high - low) / 2;
        const CatalogueEntry& entry = catalogue->entries[middle];
        int order = entry.section != wanted ? (entry.section < wanted ? -1 : 1)
                                            : CompareKeys(entry.key, english);
        if (order == 0)
            return entry.value;
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return nullptr;
}
