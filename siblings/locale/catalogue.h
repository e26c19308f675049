// A language's catalogue in memory: translations by section and English text, parsed from the
// catalogue file's bytes (the format is described in catalogue_parser.cpp and README.md) into
// room the library allocates.
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
    HANDLE heap; // where the library allocated the room: set by the library, not the parser
    WCHAR* text; // every key and value, each with its terminator
    CatalogueEntry* entries;
    int count;
    WCHAR sections[kMaxSections][kSectionChars];
    int sectionCount;
};

// The room that parsing these bytes needs at most: UTF-16 units for the texts, and entries.
void CatalogueRoom(const BYTE* bytes, SIZE_T size, SIZE_T* textChars, int* entryCount);

// Parses a catalogue file's bytes into *catalogue, its texts and entries in the room given (never
// beyond it). False, with no text, entries or sections, when the file as a whole is unusable (no
// signature line, bad UTF-8, too big, too many entries or sections, no "[End]" line, or too little
// room). Single unusable lines are left out.
bool ParseCatalogue(const BYTE* bytes, SIZE_T size, WCHAR* text, SIZE_T textChars,
                    CatalogueEntry* entries, int entryCount, Catalogue* catalogue);

// The translation of `english` in `section`, or null. The text lives until FreeCatalogue.
LPCWSTR FindTranslation(const Catalogue* catalogue, LPCWSTR section, LPCWSTR english);

// Whether two section names are the same, ASCII case ignored.
bool SameSectionName(LPCWSTR a, LPCWSTR b);

// Orders keys code unit by code unit: negative, 0 or positive.
int CompareKeys(LPCWSTR a, LPCWSTR b);
