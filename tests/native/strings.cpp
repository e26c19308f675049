// The string helpers the rule code calls, as the platform documents them: bounded copies,
// appends and formatting that always terminate their destination, the length of a text, and the
// C runtime's number readings.
#include <strsafe.h>

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

size_t BoundedLength(LPCWSTR text, size_t maxChars) {
    size_t length = 0;
    while (length < maxChars && text[length] != 0)
        ++length;
    return length;
}

// Copies up to `chars` characters and terminates; the text was cut when they did not fit.
HRESULT CopyBounded(LPWSTR dest, size_t destChars, LPCWSTR source, size_t chars) {
    if (dest == nullptr || destChars == 0)
        return STRSAFE_E_INVALID_PARAMETER;
    size_t copied = chars < destChars ? chars : destChars - 1;
    std::memmove(dest, source, copied * sizeof(WCHAR));
    dest[copied] = 0;
    return copied == chars ? S_OK : STRSAFE_E_INSUFFICIENT_BUFFER;
}

// One conversion of a format: %ls takes a wide text, every other one goes through snprintf.
void AppendConversion(std::u16string& out, const std::string& piece, va_list& args) {
    char conversion = piece.back();
    char narrow[512];
    if (conversion == 's') {
        LPCWSTR text = va_arg(args, LPCWSTR);
        size_t dot = piece.find('.');
        size_t limit = dot == std::string::npos ? SIZE_MAX : std::stoul(piece.substr(dot + 1));
        out.append(text, BoundedLength(text, limit));
        return;
    }
    if (conversion == 'f')
        std::snprintf(narrow, sizeof(narrow), piece.c_str(), va_arg(args, double));
    else
        std::snprintf(narrow, sizeof(narrow), piece.c_str(), va_arg(args, int));
    out.append(narrow, narrow + std::strlen(narrow));
}

} // namespace

// Single bytes of the current code page; this build's code page is Latin-1.
int WINAPI MultiByteToWideChar(UINT, DWORD, LPCSTR text, int bytes, LPWSTR wide, int wideChars) {
    if (bytes <= 0 || bytes > wideChars)
        return 0;
    for (int i = 0; i < bytes; ++i)
        wide[i] = static_cast<unsigned char>(text[i]);
    return bytes;
}

HRESULT StringCchLengthW(LPCWSTR text, size_t maxChars, size_t* length) {
    size_t found = text == nullptr ? maxChars : BoundedLength(text, maxChars);
    if (length != nullptr)
        *length = found < maxChars ? found : 0;
    return found < maxChars ? S_OK : STRSAFE_E_INVALID_PARAMETER;
}

HRESULT StringCchCopyW(LPWSTR dest, size_t destChars, LPCWSTR source) {
    return CopyBounded(dest, destChars, source, BoundedLength(source, SIZE_MAX));
}

HRESULT StringCchCopyNW(LPWSTR dest, size_t destChars, LPCWSTR source, size_t sourceChars) {
    return CopyBounded(dest, destChars, source, BoundedLength(source, sourceChars));
}

HRESULT StringCchCatW(LPWSTR dest, size_t destChars, LPCWSTR source) {
    size_t used = BoundedLength(dest, destChars);
    if (used == destChars)
        return STRSAFE_E_INVALID_PARAMETER;
    return CopyBounded(dest + used, destChars - used, source, BoundedLength(source, SIZE_MAX));
}

HRESULT StringCchPrintfW(LPWSTR dest, size_t destChars, LPCWSTR format, ...) {
    std::u16string out;
    va_list args;
    va_start(args, format);
    for (LPCWSTR c = format; *c != 0; ++c) {
        if (*c != '%' || c[1] == '%') {
            out.push_back(*c);
            c += *c == '%';
            continue;
        }
        std::string piece = "%";
        while (std::string("-+ #0123456789.l").find(static_cast<char>(*++c)) != std::string::npos)
            piece.push_back(static_cast<char>(*c));
        piece.push_back(static_cast<char>(*c));
        AppendConversion(out, piece, args);
    }
    va_end(args);
    return CopyBounded(dest, destChars, out.c_str(), out.size());
}

// _wtof reads as the newer C runtime does: strtod of the text's leading ASCII characters, so
// blanks, a sign, decimals, an exponent, "inf", "nan" and hexadecimal numbers are taken, and any
// other character ends the number (none reads as 0). The older runtime reads "inf", "nan" and
// "0x" as 0, and the platform's may take digits of other scripts: the rules take any number.
double _wtof(const WCHAR* text) {
    std::string ascii;
    for (; *text != 0 && *text < 0x80; ++text)
        ascii.push_back(static_cast<char>(*text));
    return std::strtod(ascii.c_str(), nullptr);
}

// _wtoi: blanks, a sign and ASCII decimal digits; a number beyond an int's range saturates.
int _wtoi(const WCHAR* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        if (value <= INT_MAX)
            value = value * 10 + (*text - '0');
    value = negative ? -value : value;
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}
