// The string helpers the rule code calls, as the platform documents them: bounded copies that
// always terminate their destination, the length of a text, and the C runtime's number readings.
#include <strsafe.h>

#include <climits>
#include <cstdlib>
#include <string>

// --- Chosen paths, paper-name lists, typed numbers and addresses, the locale catalogue parser
// and the embosser's state file.
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

} // namespace

int WINAPI lstrlenW(LPCWSTR text) {
    return text == nullptr ? 0 : static_cast<int>(BoundedLength(text, SIZE_MAX));
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
