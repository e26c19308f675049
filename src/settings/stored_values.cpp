// Deciding what the stored printer data means for a settings load.
#include "settings/stored_values.h"

#include <strsafe.h>

bool SameNameIgnoringCase(LPCWSTR a, LPCWSTR b) {
    auto fold = [](WCHAR c) { return c >= 'a' && c <= 'z' ? static_cast<WCHAR>(c - 32) : c; };
    for (; *a != 0 && *b != 0; ++a, ++b)
        if (fold(*a) != fold(*b))
            return false;
    return *a == *b;
}

DWORD ReadEnumeratedValue(const PRINTER_ENUM_VALUESW* values, DWORD count, LPCWSTR name,
                          void* buffer, DWORD bufferBytes, DWORD* needed) {
    for (DWORD i = 0; i < count; ++i) {
        const PRINTER_ENUM_VALUESW& value = values[i];
        if (value.pValueName == nullptr || !SameNameIgnoringCase(value.pValueName, name))
            continue;
        *needed = value.cbData;
        if (value.cbData > bufferBytes)
            return ERROR_MORE_DATA;
        // An empty value may come without any data.
        if (value.cbData > 0)
            CopyMemory(buffer, value.pData, value.cbData);
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

bool TakeStoredDword(DWORD result, DWORD stored, DWORD defaultValue, DWORD* value) {
    *value = result == ERROR_SUCCESS ? stored : defaultValue;
    return result != ERROR_SUCCESS;
}

// Texts are stored with or without their terminator: 259 characters fit either way, and
// anything longer is unreadable.
bool TakeStoredText(DWORD result, WCHAR* buffer, LPCWSTR defaultText) {
    if (result == ERROR_SUCCESS && buffer[kStoredTextChars - 1] == 0)
        return false;
    ZeroMemory(buffer, kStoredTextChars * sizeof(WCHAR));
    StringCchCopyW(buffer, kStoredTextChars, defaultText);
    return true;
}

bool BuiltInDotValues(DWORD mediaType, DWORD* pair) {
    switch (mediaType) {
    case kMediaTypeCustom:
        return false;
    case 268:
        *pair = MakeDotValuePair(30, 6);
        return true;
    case 269:
        *pair = MakeDotValuePair(22, 4);
        return true;
    case 259:
        *pair = MakeDotValuePair(20, 6);
        return true;
    case 267:
        *pair = MakeDotValuePair(32, 6);
        return true;
    case 270:
        *pair = MakeDotValuePair(34, 6);
        return true;
    default: // 258, copy paper, and every unlisted id
        *pair = MakeDotValuePair(16, 5);
        return true;
    }
}

DWORD TakeStoredDotValues(DWORD result, DWORD type, DWORD stored, DWORD fallbackPair, DWORD* pair) {
    *pair = result == ERROR_SUCCESS && type == REG_DWORD ? stored : fallbackPair;
    return result;
}

NameList::NameList(WCHAR* buffer, DWORD bufferBytes)
    : buffer_(buffer), capacity_(buffer != nullptr ? bufferBytes / sizeof(WCHAR) : 0) {}

void NameList::Add(LPCWSTR name, DWORD chars) {
    bytes_ += (chars + 1) * sizeof(WCHAR);
    if (buffer_ != nullptr) {
        if (used_ + chars + 1 >= capacity_)
            return;
        CopyMemory(buffer_ + used_, name, chars * sizeof(WCHAR));
        used_ += chars;
        buffer_[used_++] = 0;
    }
    ++names_;
}

void NameList::Close() {
    if (buffer_ != nullptr && capacity_ > 0)
        buffer_[used_] = 0;
    bytes_ += sizeof(WCHAR);
}
