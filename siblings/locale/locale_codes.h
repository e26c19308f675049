// Which catalogue a locale code asks for, and which folders and names may make up its path.
#pragma once

#include <windows.h>

constexpr int kCodeChars = 32;

enum class LocaleRequest {
    Refused,   // no catalogue can have this code: the instance stays English
    English,   // English needs no catalogue
    Catalogue, // look for the code's catalogue, then its language's
};

// Reads a requested code: in lower case into `code`, with its language part ("de" of "de_de" or
// "de-at") into `language`, empty when the code has none.
LocaleRequest ReadLocaleCode(LPCWSTR requested, WCHAR code[kCodeChars], WCHAR language[kCodeChars]);

// A locale code or catalogue name becomes part of a file name: letters, digits, '_' and '-' only,
// terminated within `capacity` characters, so that it can never leave the catalogue folder.
bool IsPlainName(LPCWSTR text, int capacity);

// Catalogues are read from a full path only ("X:\..." or "\\server\..."): a relative folder would
// depend on the host's current directory.
bool IsFullPath(LPCWSTR folder);
