// kernel32: conversions between UTF-16 and the ANSI code page (1252, Western European) or UTF-8.
#include "kernel32_private.h"

#include <cstring>
#include <string>

namespace {

constexpr UINT kWindows1252 = 1252;
constexpr DWORD kErrorNoUnicodeTranslation = 1113;

// Bytes 0x80-0x9F of code page 1252. The five bytes the code page leaves undefined map to the C1
// controls of the same value, as the platform's table does, so every byte round-trips.
constexpr char16_t kHigh1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t From1252(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHigh1252[byte - 0x80] : byte;
}

// The byte for a character, or -1 when code page 1252 has none.
int To1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHigh1252[i] == c)
            return 0x80 + i;
    return -1;
}

enum class Encoding { Ansi, Utf8 };

Encoding Resolve(UINT codePage, const char* function) {
    if (codePage == CP_ACP || codePage == CP_THREAD_ACP || codePage == kWindows1252)
        return Encoding::Ansi;
    if (codePage == CP_UTF8)
        return Encoding::Utf8;
    winsim::Unmodelled("%s with code page %u", function, codePage);
}

// Decodes UTF-8; an ill-formed sequence becomes U+FFFD, or fails the call when strict.
bool DecodeUtf8(const unsigned char* s, std::size_t n, bool strict, std::u16string* out) {
    for (std::size_t i = 0; i < n;) {
        unsigned char b = s[i];
        if (b < 0x80) {
            out->push_back(b);
            ++i;
            continue;
        }
        int extra = b >= 0xF0 && b <= 0xF4 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
        if (b >= 0xF5)
            extra = -1;
        char32_t c = extra == 3 ? (b & 0x07) : extra == 2 ? (b & 0x0F) : (b & 0x1F);
        std::size_t j = i + 1;
        bool good = extra > 0;
        for (int k = 0; good && k < extra; ++k, ++j) {
            if (j >= n || (s[j] & 0xC0) != 0x80) {
                good = false;
                break;
            }
            // The second byte's range rules out overlong forms, surrogates and values too big.
            if (k == 0 && ((b == 0xE0 && s[j] < 0xA0) || (b == 0xED && s[j] > 0x9F) ||
                           (b == 0xF0 && s[j] < 0x90) || (b == 0xF4 && s[j] > 0x8F))) {
                good = false;
                break;
            }
            c = (c << 6) | (s[j] & 0x3F);
        }
        if (!good) {
            if (strict)
                return false;
            out->push_back(0xFFFD);
            i = j > i + 1 ? j : i + 1;
            continue;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out->push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out->push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out->push_back(static_cast<char16_t>(c));
        }
        i = j;
    }
    return true;
}

void AppendUtf8(char32_t c, std::string* out) {
    if (c < 0x80) {
        out->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (c >> 6)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (c >> 12)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (c >> 18)));
        out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Encodes UTF-16 as UTF-8; a lone surrogate becomes U+FFFD, or fails the call when strict.
bool EncodeUtf8(const char16_t* s, std::size_t n, bool strict, std::string* out) {
    for (std::size_t i = 0; i < n; ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            if (strict)
                return false;
            c = 0xFFFD;
        }
        AppendUtf8(c, out);
    }
    return true;
}

} // namespace

namespace winsim {

std::string WideToAnsi(const std::u16string& text, const char* what) {
    std::string out;
    for (char16_t c : text) {
        int byte = To1252(c);
        if (byte < 0)
            Unmodelled("%s: U+%04X has no byte in code page 1252 (best-fit mapping)", what,
                       static_cast<unsigned>(c));
        out.push_back(static_cast<char>(byte));
    }
    return out;
}

} // namespace winsim

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
    Encoding page = Resolve(CodePage, "MultiByteToWideChar");
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && !lpWideCharStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    bool strict = (dwFlags & MB_ERR_INVALID_CHARS) != 0;
    if (page == Encoding::Utf8 && (dwFlags & ~static_cast<DWORD>(MB_ERR_INVALID_CHARS))) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    if (dwFlags & ~static_cast<DWORD>(MB_PRECOMPOSED | MB_ERR_INVALID_CHARS))
        winsim::Unmodelled("MultiByteToWideChar flags 0x%X", static_cast<unsigned>(dwFlags));
    std::size_t length =
        cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<std::size_t>(cbMultiByte);
    const auto* bytes = reinterpret_cast<const unsigned char*>(lpMultiByteStr);
    std::u16string wide;
    if (page == Encoding::Ansi) {
        for (std::size_t i = 0; i < length; ++i)
            wide.push_back(From1252(bytes[i]));
    } else if (!DecodeUtf8(bytes, length, strict, &wide)) {
        SetLastError(kErrorNoUnicodeTranslation);
        return 0;
    }
    if (cchWideChar == 0)
        return static_cast<int>(wide.size());
    if (wide.size() > static_cast<std::size_t>(cchWideChar)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(lpWideCharStr, wide.data(), wide.size() * sizeof(WCHAR));
    return static_cast<int>(wide.size());
}

// Characters code page 1252 lacks become the default character only with WC_NO_BEST_FIT_CHARS:
// without it the platform substitutes look-alikes from its best-fit table, which winsim lacks.
int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                               LPBOOL lpUsedDefaultChar) {
    Encoding page = Resolve(CodePage, "WideCharToMultiByte");
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::size_t length = 0;
    if (cchWideChar == -1) {
        while (lpWideCharStr[length])
            ++length;
        ++length;
    } else {
        length = static_cast<std::size_t>(cchWideChar);
    }
    std::string bytes;
    if (page == Encoding::Utf8) {
        if (dwFlags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
        if (lpDefaultChar || lpUsedDefaultChar) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        if (!EncodeUtf8(lpWideCharStr, length, dwFlags != 0, &bytes)) {
            SetLastError(kErrorNoUnicodeTranslation);
            return 0;
        }
    } else {
        if (dwFlags & WC_ERR_INVALID_CHARS) {
            SetLastError(ERROR_INVALID_FLAGS);
            return 0;
        }
        if (dwFlags & ~static_cast<DWORD>(WC_NO_BEST_FIT_CHARS))
            winsim::Unmodelled("WideCharToMultiByte flags 0x%X", static_cast<unsigned>(dwFlags));
        BOOL usedDefault = FALSE;
        for (std::size_t i = 0; i < length; ++i) {
            int byte = To1252(lpWideCharStr[i]);
            if (byte < 0) {
                if (!(dwFlags & WC_NO_BEST_FIT_CHARS))
                    winsim::Unmodelled("WideCharToMultiByte: best-fit mapping of U+%04X to code "
                                       "page 1252",
                                       static_cast<unsigned>(lpWideCharStr[i]));
                byte = static_cast<unsigned char>(lpDefaultChar ? *lpDefaultChar : '?');
                usedDefault = TRUE;
            }
            bytes.push_back(static_cast<char>(byte));
        }
        if (lpUsedDefaultChar)
            *lpUsedDefaultChar = usedDefault;
    }
    if (cbMultiByte == 0)
        return static_cast<int>(bytes.size());
    if (bytes.size() > static_cast<std::size_t>(cbMultiByte)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(lpMultiByteStr, bytes.data(), bytes.size());
    return static_cast<int>(bytes.size());
}
