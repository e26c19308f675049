// A language's catalogue in memory: translations by section and English text, parsed from the
// catalogue file's bytes (the format is described in catalogue_parser.cpp and README.md).
#pragma once

#include <windows.h>

// Limits of a catalogue file; what exceeds them falls back to English.
constexpr SIZE_T kMaxCatalogueBytes = 1024 * 1024;
constexpr int kMaxLineBytes = 1024;
constexpr int kMaxTextChars = 1023; // a key or a translation, in UTF-16 units
constexpr int kMaxEntries = 8192;
constexpr int kMaxSections = 16;
constexpr int kSectionChars = 32; // a section name and its terminator

struct CatalogueEntry {
    int section;
    LPCWSTR key;
    LPCWSTR value;
};

struct Catalogue {
    HANDLE heap;
    WCHAR* text; // every key and value, each with its terminator
    CatalogueEntry* entries;
    int count;
    WCHAR sections[kMaxSections][kSectionChars];
    int sectionCount;
};

// Parses a catalogue file's bytes into *catalogue, allocating from `heap`. False, with an empty
// catalogue, when the file as a whole is unusable (no signature line, bad UTF-8, too big, too many
// entries, no "[End]" line, or memory short). Single unusable lines are left out.
bool ParseCatalogue(const BYTE* bytes, SIZE_T size, HANDLE heap, Catalogue* catalogue);

// The translation of `english` in `section`, or null. The text lives until FreeCatalogue.
LPCWSTR FindTranslation(const Catalogue* catalogue, LPCWSTR section, LPCWSTR english);

// Whether two section names are the same, ASCII case ignored.
bool SameSectionName(LPCWSTR a, LPCWSTR b);

// Orders keys code unit by code unit: negative, 0 or positive.
int CompareKeys(LPCWSTR a, LPCWSTR b);

// Frees what ParseCatalogue allocated and leaves the catalogue empty.
void FreeCatalogue(Catalogue* catalogue);
