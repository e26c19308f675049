// The platform's string functions the plug-in uses: kernel32's lstr* family, strsafe's bounded
// copies and formatting, and the C runtime's _wtoi/_wtof on UTF-16 text.
#include "internal.h"

#include <strsafe.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::size_t Length(const WCHAR* s) {
    std::size_t n = 0;
    while (s[n])
        ++n;
    return n;
}

void RequireStrings(const void* a, const void* b, const char* function) {
    if (!a || !b)
        winsim::Misuse("%s with a null string", function);
}

// --- Comparison as CompareStringW with the user's locale (English) does it ----------------------
//
// Word sort: symbols before digits before letters, letters compared without case first, then
// accents, then (lstrcmpW only) lower case before upper case; hyphens and apostrophes count only
// when everything else is equal. winsim knows these rules for ASCII and the Latin-1 letters; where
// the order depends on anything finer (two different symbols, two different accents, a character
// outside Latin-1), it says so instead of guessing.

enum class Group { Symbol = 1, Digit = 2, Letter = 3 };

struct Weight {
    Group group;
    char16_t primary; // the symbol, digit or unaccented lower-case letter
    int accent;       // 0 = none; otherwise the accented letter itself
    bool upper;
};

bool IsWordSortSpecial(char16_t c) {
    return c == u'-' || c == u'\'';
}

// Latin-1 accented letters and their base letters, by code point from 0xC0.
constexpr char kLatin1Base[64] = {'a', 'a', 'a', 'a', 'a', 'a', 0,   'c', 'e', 'e', 'e', 'e', 'i',
                                  'i', 'i', 'i', 0,   'n', 'o', 'o', 'o', 'o', 'o', 0,   'o', 'u',
                                  'u', 'u', 'u', 'y', 0,   0,   'a', 'a', 'a', 'a', 'a', 'a', 0,
                                  'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i', 0,   'n', 'o', 'o',
                                  'o', 'o', 'o', 0,   'o', 'u', 'u', 'u', 'u', 'y', 0,   'y'};

Weight WeightOf(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return {Group::Digit, c, 0, false};
    if (c >= u'a' && c <= u'z')
        return {Group::Letter, c, 0, false};
    if (c >= u'A' && c <= u'Z')
        return {Group::Letter, static_cast<char16_t>(c + 32), 0, true};
    if (c >= 0xC0 && c <= 0xFF && kLatin1Base[c - 0xC0]) {
        char16_t lower = c >= 0xE0 ? c : static_cast<char16_t>(c + 32);
        return {Group::Letter, static_cast<char16_t>(kLatin1Base[c - 0xC0]), lower, c < 0xE0};
    }
    if (c >= 0x20 && c < 0x7F)
        return {Group::Symbol, c, 0, false};
    winsim::Unmodelled("comparing strings by U+%04X: its place in the sort order",
                       static_cast<unsigned>(c));
}

int Sign(int value) {
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

// Walks the characters of a text that word sort weighs: all but its hyphens and apostrophes.
class WeighedCharacters {
public:
    explicit WeighedCharacters(const WCHAR* text) : next_(text) { SkipSpecial(); }
    bool AtEnd() const { return *next_ == 0; }
    Weight Take() {
        Weight weight = WeightOf(*next_++);
        SkipSpecial();
        return weight;
    }
    // Every character left is weighed: one winsim cannot place might weigh nothing at all.
    void WeighRest() {
        while (!AtEnd())
            Take();
    }

private:
    void SkipSpecial() {
        while (*next_ != 0 && IsWordSortSpecial(*next_))
            ++next_;
    }
    const WCHAR* next_;
};

// The next hyphen or apostrophe of a text, or 0 at its end.
WCHAR TakeSpecial(const WCHAR*& text) {
    while (*text != 0 && !IsWordSortSpecial(*text))
        ++text;
    return *text != 0 ? *text++ : 0;
}

bool HasSpecial(const WCHAR* text) {
    return TakeSpecial(text) != 0;
}

// The same hyphens and apostrophes in the same order.
bool SameSpecials(const WCHAR* a, const WCHAR* b) {
    for (;;) {
        WCHAR x = TakeSpecial(a), y = TakeSpecial(b);
        if (x != y)
            return false;
        if (x == 0)
            return true;
    }
}

// The same hyphens and apostrophes at the same places.
bool SameSpecialPositions(const WCHAR* a, const WCHAR* b) {
    for (; *a != 0 && *b != 0; ++a, ++b)
        if (IsWordSortSpecial(*a) != IsWordSortSpecial(*b) || (IsWordSortSpecial(*a) && *a != *b))
            return false;
    return *a == *b;
}

int CompareWords(const WCHAR* a, const WCHAR* b, bool ignoreCase) {
    // Groups and letters first, hyphens and apostrophes set aside; a text that begins another
    // comes first.
    WeighedCharacters x(a), y(b);
    while (!x.AtEnd() && !y.AtEnd()) {
        Weight wa = x.Take(), wb = y.Take();
        if (wa.group != wb.group)
            return Sign(static_cast<int>(wa.group) - static_cast<int>(wb.group));
        if (wa.primary != wb.primary) {
            if (wa.group == Group::Symbol)
                winsim::Unmodelled("the sort order of the symbols '%c' and '%c'",
                                   static_cast<char>(wa.primary), static_cast<char>(wb.primary));
            return Sign(wa.primary - wb.primary);
        }
    }
    if (!x.AtEnd() || !y.AtEnd()) {
        int order = x.AtEnd() ? -1 : 1;
        x.WeighRest();
        y.WeighRest();
        return order;
    }
    // Then accents, then case.
    for (WeighedCharacters p(a), q(b); !p.AtEnd();) {
        Weight wa = p.Take(), wb = q.Take();
        if (wa.accent == wb.accent)
            continue;
        if (wa.accent && wb.accent)
            winsim::Unmodelled("the sort order of the accents of U+%04X and U+%04X",
                               static_cast<unsigned>(wa.accent), static_cast<unsigned>(wb.accent));
        return wa.accent ? 1 : -1;
    }
    if (!ignoreCase)
        for (WeighedCharacters p(a), q(b); !p.AtEnd();) {
            Weight wa = p.Take(), wb = q.Take();
            if (wa.upper != wb.upper)
                return wa.upper ? 1 : -1;
        }
    if (SameSpecials(a, b)) {
        // Equal but for where their hyphens or apostrophes stand ("a-b" and "ab-")?
        if (!SameSpecialPositions(a, b))
            winsim::Unmodelled("comparing strings that differ only in where a hyphen or "
                               "apostrophe stands");
        return 0;
    }
    if (!HasSpecial(a) || !HasSpecial(b))
        return HasSpecial(a) ? 1 : -1;
    winsim::Unmodelled("comparing strings that differ only in their hyphens and apostrophes");
}

// --- strsafe ------------------------------------------------------------------------------------

bool ValidCch(size_t cch) {
    return cch > 0 && cch <= STRSAFE_MAX_CCH;
}

// Copies text into a buffer of cchDest characters, cutting it to fit with a terminator.
template <class Char>
HRESULT CopyBounded(Char* dest, size_t cchDest, const Char* text, size_t length) {
    if (length < cchDest) {
        std::memcpy(dest, text, length * sizeof(Char));
        dest[length] = 0;
        return S_OK;
    }
    std::memcpy(dest, text, (cchDest - 1) * sizeof(Char));
    dest[cchDest - 1] = 0;
    return STRSAFE_E_INSUFFICIENT_BUFFER;
}

template <class Char> HRESULT InvalidDest(Char* dest, size_t cchDest) {
    if (cchDest > 0 && dest)
        dest[0] = 0;
    return STRSAFE_E_INVALID_PARAMETER;
}

HRESULT CopyN(STRSAFE_LPWSTR dest, size_t cchDest, STRSAFE_PCNZWCH src, size_t cchToCopy) {
    if (!ValidCch(cchDest) || cchToCopy > STRSAFE_MAX_CCH)
        return InvalidDest(dest, cchDest);
    RequireStrings(dest, src, "StringCchCopyW");
    // As on Windows, the source is read no further than the destination can hold: a text
    // without a terminator is cut, not run past.
    size_t length = 0;
    while (length < cchToCopy && length < cchDest && src[length])
        ++length;
    return CopyBounded(dest, cchDest, src, length);
}

// A destination that holds no terminator within its size is refused, as documented.
HRESULT CatN(STRSAFE_LPWSTR dest, size_t cchDest, STRSAFE_PCNZWCH src, size_t cchToAppend) {
    if (!ValidCch(cchDest) || cchToAppend > STRSAFE_MAX_CCH)
        return STRSAFE_E_INVALID_PARAMETER;
    RequireStrings(dest, src, "StringCchCatW");
    size_t used = 0;
    while (used < cchDest && dest[used])
        ++used;
    if (used == cchDest)
        return STRSAFE_E_INVALID_PARAMETER;
    return CopyN(dest + used, cchDest - used, src, cchToAppend);
}

HRESULT WidePrintf(STRSAFE_LPWSTR dest, size_t cchDest, STRSAFE_LPCWSTR format, va_list args) {
    if (!ValidCch(cchDest))
        return InvalidDest(dest, cchDest);
    RequireStrings(dest, format, "StringCchPrintfW");
    std::u16string text = winsim::FormatWide(format, args);
    return CopyBounded(dest, cchDest, text.data(), text.size());
}

HRESULT NarrowPrintf(STRSAFE_LPSTR dest, size_t cchDest, STRSAFE_LPCSTR format, va_list args) {
    if (!ValidCch(cchDest))
        return InvalidDest(dest, cchDest);
    RequireStrings(dest, format, "StringCchPrintfA");
    std::string text = winsim::FormatNarrow(format, args);
    return CopyBounded(dest, cchDest, text.data(), text.size());
}

// A byte count too large for a character count strsafe accepts, or too small for one character.
size_t CchOfCb(size_t cb, size_t unit) {
    return cb > STRSAFE_MAX_CCH * unit ? STRSAFE_MAX_CCH + size_t(1) : cb / unit;
}

bool IsBlank(WCHAR c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// Leading blanks, a sign and digits, saturating at the type's limits with ERANGE, as the CRT does.
int64_t ParseInteger(const WCHAR* str, int64_t low, int64_t high, const char* function) {
    if (!str)
        winsim::Misuse("%s(NULL): the runtime's invalid parameter handler ends the process",
                       function);
    while (IsBlank(*str))
        ++str;
    bool negative = *str == u'-';
    if (*str == u'-' || *str == u'+')
        ++str;
    int64_t value = 0;
    bool overflow = false;
    for (; *str >= u'0' && *str <= u'9'; ++str) {
        value = value * 10 + (*str - u'0');
        if (value > high + 1) {
            overflow = true;
            value = high + 1;
        }
    }
    if (negative)
        value = -value;
    if (overflow || value > high || value < low) {
        errno = ERANGE;
        return value < 0 ? low : high;
    }
    return value;
}

} // namespace

namespace winsim {
int CompareAsWords(const std::u16string& a, const std::u16string& b, bool ignoreCase) {
    return CompareWords(a.c_str(), b.c_str(), ignoreCase);
}
} // namespace winsim

// --- kernel32
// -------------------------------------------------------------------------------------

int WINAPI lstrlenW(LPCWSTR lpString) {
    return lpString ? static_cast<int>(Length(lpString)) : 0;
}

int WINAPI lstrlenA(LPCSTR lpString) {
    return lpString ? static_cast<int>(std::strlen(lpString)) : 0;
}

// Copies at most iMaxLength - 1 characters and always terminates (for a length of at least 1).
LPWSTR WINAPI lstrcpynW(LPWSTR lpString1, LPCWSTR lpString2, int iMaxLength) {
    RequireStrings(lpString1, lpString2, "lstrcpynW");
    if (iMaxLength < 0)
        winsim::Misuse("lstrcpynW with a negative length %d", iMaxLength);
    if (iMaxLength == 0)
        return lpString1;
    int i = 0;
    for (; i < iMaxLength - 1 && lpString2[i]; ++i)
        lpString1[i] = lpString2[i];
    lpString1[i] = 0;
    return lpString1;
}

int WINAPI lstrcmpW(LPCWSTR lpString1, LPCWSTR lpString2) {
    RequireStrings(lpString1, lpString2, "lstrcmpW");
    if (std::u16string(lpString1) == std::u16string(lpString2))
        return 0;
    return CompareWords(lpString1, lpString2, false);
}

int WINAPI lstrcmpiW(LPCWSTR lpString1, LPCWSTR lpString2) {
    RequireStrings(lpString1, lpString2, "lstrcmpiW");
    if (std::u16string(lpString1) == std::u16string(lpString2))
        return 0;
    return CompareWords(lpString1, lpString2, true);
}

// --- strsafe
// --------------------------------------------------------------------------------------

HRESULT StringCchCopyW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_LPCWSTR pszSrc) {
    return CopyN(pszDest, cchDest, pszSrc, STRSAFE_MAX_CCH);
}

HRESULT StringCchCopyNW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_PCNZWCH pszSrc,
                        size_t cchToCopy) {
    return CopyN(pszDest, cchDest, pszSrc, cchToCopy);
}

HRESULT StringCchCatW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_LPCWSTR pszSrc) {
    return CatN(pszDest, cchDest, pszSrc, STRSAFE_MAX_CCH);
}

// The length without the terminator, which must come within cchMax characters.
HRESULT StringCchLengthW(STRSAFE_PCNZWCH psz, size_t cchMax, size_t* pcchLength) {
    size_t length = 0;
    HRESULT result = STRSAFE_E_INVALID_PARAMETER;
    if (psz && cchMax <= STRSAFE_MAX_CCH) {
        while (length < cchMax && psz[length])
            ++length;
        if (length < cchMax)
            result = S_OK;
    }
    if (pcchLength)
        *pcchLength = SUCCEEDED(result) ? length : 0;
    return result;
}

HRESULT StringCbCopyW(STRSAFE_LPWSTR pszDest, size_t cbDest, STRSAFE_LPCWSTR pszSrc) {
    return StringCchCopyW(pszDest, CchOfCb(cbDest, sizeof(WCHAR)), pszSrc);
}

HRESULT StringCbCatW(STRSAFE_LPWSTR pszDest, size_t cbDest, STRSAFE_LPCWSTR pszSrc) {
    return StringCchCatW(pszDest, CchOfCb(cbDest, sizeof(WCHAR)), pszSrc);
}

HRESULT StringCbLengthW(STRSAFE_PCNZWCH psz, size_t cbMax, size_t* pcbLength) {
    size_t length = 0;
    HRESULT result = StringCchLengthW(psz, CchOfCb(cbMax, sizeof(WCHAR)), &length);
    if (pcbLength)
        *pcbLength = length * sizeof(WCHAR);
    return result;
}

HRESULT StringCchPrintfW(STRSAFE_LPWSTR pszDest, size_t cchDest, STRSAFE_LPCWSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    HRESULT result = WidePrintf(pszDest, cchDest, pszFormat, args);
    va_end(args);
    return result;
}

HRESULT StringCbPrintfW(STRSAFE_LPWSTR pszDest, size_t cbDest, STRSAFE_LPCWSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    HRESULT result = WidePrintf(pszDest, CchOfCb(cbDest, sizeof(WCHAR)), pszFormat, args);
    va_end(args);
    return result;
}

HRESULT StringCchCopyA(STRSAFE_LPSTR pszDest, size_t cchDest, STRSAFE_LPCSTR pszSrc) {
    if (!ValidCch(cchDest))
        return InvalidDest(pszDest, cchDest);
    RequireStrings(pszDest, pszSrc, "StringCchCopyA");
    return CopyBounded(pszDest, cchDest, pszSrc, std::strlen(pszSrc));
}

HRESULT StringCchPrintfA(STRSAFE_LPSTR pszDest, size_t cchDest, STRSAFE_LPCSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    HRESULT result = NarrowPrintf(pszDest, cchDest, pszFormat, args);
    va_end(args);
    return result;
}

// --- C runtime
// ------------------------------------------------------------------------------------

int _wtoi(const WCHAR* str) {
    return static_cast<int>(ParseInteger(str, INT_MIN, INT_MAX, "_wtoi"));
}

LONG _wtol(const WCHAR* str) {
    return static_cast<LONG>(ParseInteger(str, INT32_MIN, INT32_MAX, "_wtol"));
}

// The decimal form only: hexadecimal, "inf" and "nan" are read by Microsoft's newer runtime but
// not by the older one mingw links, so winsim refuses to pick one.
double _wtof(const WCHAR* str) {
    if (!str)
        winsim::Misuse("_wtof(NULL): the runtime's invalid parameter handler ends the process");
    while (IsBlank(*str))
        ++str;
    const WCHAR* p = str;
    if (*p == u'+' || *p == u'-')
        ++p;
    auto lower = [](WCHAR c) { return c >= u'A' && c <= u'Z' ? WCHAR(c + 32) : c; };
    auto startsWith = [&](const char* word) {
        for (std::size_t i = 0; word[i]; ++i)
            if (lower(p[i]) != WCHAR(word[i]))
                return false;
        return true;
    };
    if (startsWith("0x") || startsWith("inf") || startsWith("nan"))
        winsim::Unmodelled("_wtof of \"%s\": runtimes disagree on hexadecimal, inf and nan",
                           winsim::Utf8(str).c_str());
    // The number is the sign, the digits with at most one point, and an exponent when digits
    // follow its 'e' and sign; strtod reads it from an ASCII copy.
    bool digits = false;
    for (; *p >= u'0' && *p <= u'9'; ++p)
        digits = true;
    if (*p == u'.')
        for (++p; *p >= u'0' && *p <= u'9'; ++p)
            digits = true;
    if (!digits)
        return 0.0;
    if (lower(*p) == u'e') {
        const WCHAR* q = p + 1;
        if (*q == u'+' || *q == u'-')
            ++q;
        if (*q >= u'0' && *q <= u'9') {
            while (*q >= u'0' && *q <= u'9')
                ++q;
            p = q;
        }
    }
    std::string number(static_cast<std::size_t>(p - str), '\0');
    char* out = number.data();
    for (const WCHAR* c = str; c != p; ++c)
        *out++ = static_cast<char>(*c);
    return std::strtod(number.c_str(), nullptr);
}
