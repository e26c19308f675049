// Locale codes and catalogue folders.
#include "locale_codes.h"

bool IsPlainName(LPCWSTR text, int capacity) {
    if (text == nullptr || text[0] == 0)
        return false;
    for (int i = 0; i < capacity; ++i) {
        WCHAR c = text[i];
        if (c == 0)
            return true;
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '_' || c == '-';
        if (!plain)
            return false;
    }
    return false; // no terminator within the capacity: too long
}

bool IsFullPath(LPCWSTR folder) {
    bool drive =
        ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z')) &&
        folder[1] == ':' && folder[2] == '\\';
    bool share = folder[0] == '\\' && folder[1] == '\\';
    return drive || share;
}

LocaleRequest ReadLocaleCode(LPCWSTR requested, WCHAR code[kCodeChars],
                             WCHAR language[kCodeChars]) {
    code[0] = 0;
    language[0] = 0;
    if (!IsPlainName(requested, kCodeChars))
        return LocaleRequest::Refused;
    int length = 0;
    for (; requested[length] != 0; ++length) {
        WCHAR c = requested[length];
        code[length] = c >= 'A' && c <= 'Z' ? static_cast<WCHAR>(c + 32) : c;
    }
    code[length] = 0;
    if (code[0] == 'e' && code[1] == 'n' && (code[2] == 0 || code[2] == '_' || code[2] == '-'))
        return LocaleRequest::English;
    for (int i = 0; i < length; ++i) {
        if (code[i] == '_' || code[i] == '-') {
            CopyMemory(language, code, i * sizeof(WCHAR));
            language[i] = 0;
            break;
        }
    }
    return LocaleRequest::Catalogue;
}
