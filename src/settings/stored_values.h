// What a settings load decides from the printer data it finds: the value used for each answer
// of a read (the stored one, or the default that is then written back), a value's answer from
// one enumeration of its key, the dot values of a media type and the list of custom media type
// names. The reads and writes themselves are the printer data store's.
#pragma once

#include "settings/dot_values.h"

#include <windows.h>
#include <winspool.h>

// Media type ids with dot values of their own; 286 is the custom media type named by
// "CustomMediaType".
constexpr DWORD kMediaTypeCustom = 286;

// Texts read from printer data fill buffers of this many characters.
constexpr int kStoredTextChars = 260;

// Printer data value names and form names compare without case, as the spooler compares them
// (letters A to Z folded; the names the plug-in looks for are plain ASCII).
bool SameNameIgnoringCase(LPCWSTR a, LPCWSTR b);

// The value `name` of an enumeration answered as a read of its own answers: ERROR_FILE_NOT_FOUND
// when it is not there, else its size in `needed` and its bytes in `buffer` when they fit
// (ERROR_MORE_DATA when not).
DWORD ReadEnumeratedValue(const PRINTER_ENUM_VALUESW* values, DWORD count, LPCWSTR name,
                          void* buffer, DWORD bufferBytes, DWORD* needed);

// The DWORD a read of 4 bytes answered (`result`, the bytes in `stored`): any failure gives the
// default. True when the default was taken and is to be written back.
bool TakeStoredDword(DWORD result, DWORD stored, DWORD defaultValue, DWORD* value);

// The text a read of kStoredTextChars characters left in `buffer`: one that failed or fills the
// buffer to its last character is replaced by the default. True when it is to be written back.
bool TakeStoredText(DWORD result, WCHAR* buffer, LPCWSTR defaultText);

// The dot values of a built-in media type (copy paper's for an unknown id); false for the
// custom type, whose pair is stored.
bool BuiltInDotValues(DWORD mediaType, DWORD* pair);
// The custom type's stored pair when the read gave a REG_DWORD, else `fallbackPair`; returns
// the read's result.
DWORD TakeStoredDotValues(DWORD result, DWORD type, DWORD stored, DWORD fallbackPair, DWORD* pair);

// A double-NUL-terminated list of names in a buffer of `bufferBytes` (or none, only counting).
// A name that does not fit any more, with one character kept for the closing zero, is left out;
// bytes() is what the whole list needs.
class NameList {
public:
    NameList(WCHAR* buffer, DWORD bufferBytes);
    void Add(LPCWSTR name, DWORD chars);
    // Ends the list with its closing zero.
    void Close();
    DWORD names() const { return names_; }
    DWORD bytes() const { return bytes_; }

private:
    WCHAR* buffer_;
    DWORD capacity_;
    DWORD used_ = 0;
    DWORD names_ = 0;
    DWORD bytes_ = 0;
};
