// The string functions, the formatter and the string table on both implementations: lstr* with
// their truncation and the platform's linguistic comparison, strsafe's bounded copies and
// formatting with the C runtime's argument sizes and rounding, the runtime's number parsing, and
// LoadStringW over the plug-in's own resources.
#include "platform.h"

#include "resources/resource.h"

#include <strsafe.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace {

using conformance::WideString;

class Strings : public ::testing::Test {
protected:
    void SetUp() override { conformance::ResetMachine(); }
};

TEST_F(Strings, LstrFunctionsCopyAndTruncateAsDocumented) {
    EXPECT_EQ(lstrlenW(nullptr), 0);
    EXPECT_EQ(lstrlenW(TEXT("Tarvik")), 6);
    WCHAR buffer[8] = {TEXT('#'), TEXT('#'), TEXT('#'), TEXT('#'),
                       TEXT('#'), TEXT('#'), TEXT('#'), TEXT('#')};
    EXPECT_EQ(lstrcpynW(buffer, TEXT("Embosser"), 4), buffer);
    EXPECT_EQ(WideString(buffer), TEXT("Emb")) << "at most iMaxLength - 1 characters, terminated";
    EXPECT_EQ(buffer[4], TEXT('#'));
    lstrcpynW(buffer, TEXT("Embosser"), 1);
    EXPECT_EQ(buffer[0], 0);
    lstrcpynW(buffer, TEXT("ab"), 8);
    EXPECT_EQ(WideString(buffer), TEXT("ab"));
}

// Windows compares words, not code units: "a" sorts before "B" although 'a' > 'B'.
TEST_F(Strings, CompareLinguisticallyAsThePlatformDoes) {
    EXPECT_EQ(lstrcmpiW(TEXT("Letter"), TEXT("LETTER")), 0);
    EXPECT_EQ(lstrcmpiW(TEXT("\u00C9cole"), TEXT("\u00E9COLE")), 0) << "Latin-1 letters fold too";
    EXPECT_EQ(lstrcmpiW(TEXT("a"), TEXT("B")), -1);
    EXPECT_EQ(lstrcmpW(TEXT("B"), TEXT("a")), 1);
    EXPECT_EQ(lstrcmpW(TEXT("a"), TEXT("A")), -1) << "lower case first when only case differs";
    EXPECT_EQ(lstrcmpW(TEXT("A"), TEXT("ab")), -1) << "letters decide before case";
    EXPECT_EQ(lstrcmpiW(TEXT("A4"), TEXT("a10")), 1) << "digit by digit, not by value";
    EXPECT_EQ(lstrcmpiW(TEXT("9"), TEXT("a")), -1) << "digits before letters";
    EXPECT_EQ(lstrcmpiW(TEXT("_x"), TEXT("1")), -1) << "symbols before digits";
    EXPECT_EQ(lstrcmpiW(TEXT("e"), TEXT("\u00E9")), -1) << "the accent counts after the letters";
    EXPECT_EQ(lstrcmpiW(TEXT("\u00E9a"), TEXT("eb")), -1);
    EXPECT_EQ(lstrcmpiW(TEXT("coop"), TEXT("co-op")), -1) << "a hyphen counts only at the end";
    EXPECT_EQ(lstrcmpiW(TEXT("co-op"), TEXT("cop")), -1);
    EXPECT_EQ(lstrcmpiW(TEXT(""), TEXT("a")), -1);
}

TEST_F(Strings, StrsafeCopiesTruncateWithATerminator) {
    WCHAR buffer[6];
    EXPECT_EQ(StringCchCopyW(buffer, 6, TEXT("Hello world")), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(WideString(buffer), TEXT("Hello"));
    EXPECT_EQ(StringCchCopyNW(buffer, 6, TEXT("Hello world"), 3), S_OK);
    EXPECT_EQ(WideString(buffer), TEXT("Hel"));
    EXPECT_EQ(StringCchCatW(buffer, 6, TEXT("lo!")), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(WideString(buffer), TEXT("Hello"));
    buffer[0] = TEXT('#');
    EXPECT_EQ(StringCchCopyW(buffer, 0, TEXT("x")), STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(buffer[0], TEXT('#')) << "a zero-sized buffer is not touched";
    EXPECT_EQ(StringCchCopyW(buffer, size_t(STRSAFE_MAX_CCH) + 1, TEXT("x")),
              STRSAFE_E_INVALID_PARAMETER);
    WCHAR full[3] = {TEXT('a'), TEXT('b'), TEXT('c')};
    EXPECT_EQ(StringCchCatW(full, 3, TEXT("d")), STRSAFE_E_INVALID_PARAMETER)
        << "a destination without a terminator";

    // Byte counts: an odd count leaves out the odd byte; one byte is no character at all.
    EXPECT_EQ(StringCbCopyW(buffer, 7, TEXT("abc")), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(WideString(buffer), TEXT("ab"));
    EXPECT_EQ(StringCbCopyW(buffer, 1, TEXT("")), STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(StringCbCatW(buffer, sizeof buffer, TEXT("cde")), S_OK);
    EXPECT_EQ(StringCbCatW(buffer, sizeof buffer, TEXT("f")), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(WideString(buffer), TEXT("abcde"));
    size_t length = 99;
    EXPECT_EQ(StringCchLengthW(TEXT("abc"), 4, &length), S_OK);
    EXPECT_EQ(length, 3u);
    EXPECT_EQ(StringCchLengthW(TEXT("abc"), 3, &length), STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(StringCbLengthW(TEXT("abc"), 8, &length), S_OK);
    EXPECT_EQ(length, 6u);
}

TEST_F(Strings, RuntimeParsesTheLeadingNumber) {
    EXPECT_EQ(_wtoi(TEXT("  -42 mm")), -42);
    EXPECT_EQ(_wtoi(TEXT("\t+7")), 7);
    EXPECT_EQ(_wtoi(TEXT("12.9")), 12);
    EXPECT_EQ(_wtoi(TEXT("mm 5")), 0);
    EXPECT_EQ(_wtoi(TEXT("-")), 0);
    EXPECT_EQ(_wtoi(TEXT("2147483647")), INT_MAX);
    errno = 0;
    EXPECT_EQ(_wtoi(TEXT("2147483648")), INT_MAX);
    EXPECT_EQ(errno, ERANGE);
    EXPECT_EQ(_wtoi(TEXT("-2147483648")), INT_MIN);
    EXPECT_EQ(_wtoi(TEXT("-99999999999999999999")), INT_MIN);
    EXPECT_EQ(_wtol(TEXT("-2147483649")), static_cast<LONG>(INT_MIN));
    EXPECT_DOUBLE_EQ(_wtof(TEXT("11.5 in")), 11.5);
    EXPECT_DOUBLE_EQ(_wtof(TEXT("  -.25")), -0.25);
    EXPECT_DOUBLE_EQ(_wtof(TEXT("3.e2x")), 300.0);
    EXPECT_DOUBLE_EQ(_wtof(TEXT("8.50e")), 8.5) << "an exponent without digits is not one";
    EXPECT_DOUBLE_EQ(_wtof(TEXT("1E-1")), 0.1);
    EXPECT_DOUBLE_EQ(_wtof(TEXT(".")), 0.0);
    EXPECT_DOUBLE_EQ(_wtof(TEXT("in 11")), 0.0);
}

template <class... Args> WideString Wide(const WCHAR* format, Args... args) {
    WCHAR buffer[256];
    EXPECT_EQ(StringCchPrintfW(buffer, 256, format, args...), S_OK);
    return buffer;
}

TEST_F(Strings, FormatterTakesWideTextThroughL) {
    EXPECT_EQ(Wide(TEXT("%ls - %ls"), TEXT("Advanced"), TEXT("Tarvik")), TEXT("Advanced - Tarvik"));
    EXPECT_EQ(Wide(TEXT("[%-6ls|%6ls|%.2ls]"), TEXT("ab"), TEXT("cd"), TEXT("efgh")),
              TEXT("[ab    |    cd|ef]"));
    EXPECT_EQ(Wide(TEXT("%lc%3lc"), WCHAR(TEXT('x')), WCHAR(0x00E9)), TEXT("x  \u00E9"));
    EXPECT_EQ(Wide(TEXT("%ls"), static_cast<const WCHAR*>(nullptr)), TEXT("(null)"));
    EXPECT_EQ(Wide(TEXT("100%%")), TEXT("100%"));

    // Double-NUL filter lists are built with %lc and 0.
    WCHAR buffer[16];
    for (WCHAR& c : buffer)
        c = TEXT('#');
    ASSERT_EQ(StringCchPrintfW(buffer, 16, TEXT("%ls%lc%ls%lc"), TEXT("Dat"), 0, TEXT("*.dat"), 0),
              S_OK);
    EXPECT_EQ(WideString(buffer, 11), WideString(TEXT("Dat\0*.dat\0"), 11));
    EXPECT_EQ(buffer[11], TEXT('#')) << "the list ends with the terminator after the last zero";
}

TEST_F(Strings, FormatterHasThePlatformsIntegerSizes) {
    LONG negative = -1;
    DWORD all = 0xFFFFFFFF;
    EXPECT_EQ(Wide(TEXT("%ld %lu %u"), negative, all, all), TEXT("-1 4294967295 4294967295"));
    EXPECT_EQ(Wide(TEXT("%I64d %lld"), int64_t(-5000000000), int64_t(1) << 40),
              TEXT("-5000000000 1099511627776"));
    EXPECT_EQ(Wide(TEXT("%hd %hu"), 70000, 70000), TEXT("4464 4464"));
    EXPECT_EQ(Wide(TEXT("%02X-%02X-%02X"), 0x00, 0x1A, 0x1A2), TEXT("00-1A-1A2"));
    EXPECT_EQ(Wide(TEXT("%x %#x %#o %o"), 255, 255, 8, 0), TEXT("ff 0xff 010 0"));
    EXPECT_EQ(Wide(TEXT("%+d % d %05d %-4d| %.3d %.0d|"), 5, 5, -42, 7, 7, 0),
              TEXT("+5  5 -0042 7   | 007 |"));
    EXPECT_EQ(Wide(TEXT("%*d|%-*d|%.*d"), 4, 1, 3, 2, 2, 3), TEXT("   1|2  |03"));
    EXPECT_EQ(Wide(TEXT("%p"), reinterpret_cast<void*>(0xABC)), TEXT("0000000000000ABC"));
}

// msvcrt.dll's rounding: a value exactly halfway rounds away from zero, the rest by their true
// value; exponents have at least three digits.
TEST_F(Strings, FormatterRoundsFixedPointAsTheRuntimeDoes) {
    EXPECT_EQ(Wide(TEXT("%.02f %.02f %.02f"), 5 / 20.0, 170 / 20.0, 220 / 20.0),
              TEXT("0.25 8.50 11.00"));
    EXPECT_EQ(Wide(TEXT("%.02f %.02f"), 0.125, 0.375), TEXT("0.13 0.38"));
    EXPECT_EQ(Wide(TEXT("%.2f %.2f"), 2.675, 1.005), TEXT("2.67 1.00"));
    EXPECT_EQ(Wide(TEXT("%.0f %.0f"), 1.5, 2.5), TEXT("2 3"));
    EXPECT_EQ(Wide(TEXT("%.1e|%.2g|%08.2f|%.1f|%+.3E"), 1.25, 0.125, -0.125, -0.25, 1e-7),
              TEXT("1.3e+000|0.13|-0000.13|-0.3|+1.000E-007"));
    EXPECT_EQ(Wide(TEXT("%8.3f|%-8.1e|%g"), -3.14159, 12345.0, 0.0001),
              TEXT("  -3.142|1.2e+004|0.0001"));
}

TEST_F(Strings, FormatterTruncatesToTheBuffer) {
    WCHAR buffer[8];
    EXPECT_EQ(StringCchPrintfW(buffer, 8, TEXT("%ls (Code %d)"), TEXT("Jam"), 7),
              STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(WideString(buffer), TEXT("Jam (Co"));
    EXPECT_EQ(StringCbPrintfW(buffer, sizeof buffer, TEXT("%d"), 1234567), S_OK);
    EXPECT_EQ(StringCbPrintfW(buffer, sizeof buffer, TEXT("%d"), 12345678),
              STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(WideString(buffer), TEXT("1234567"));
    EXPECT_EQ(StringCchPrintfW(buffer, 0, TEXT("%d"), 1), STRSAFE_E_INVALID_PARAMETER);
}

class StringTable : public ::testing::Test {
protected:
    void SetUp() override {
        conformance::ResetMachine();
        module_ = conformance::PluginResources();
        ASSERT_NE(module_, nullptr);
    }
    HMODULE module_ = nullptr;
};

TEST_F(StringTable, StringsComeFromTheirBlockOfSixteen) {
    WCHAR buffer[64];
    EXPECT_EQ(LoadStringW(module_, IDS_MAIN_PAGE_TITLE, buffer, 64), 6);
    EXPECT_EQ(WideString(buffer), TEXT("Tarvik"));
    // 31 and 32 are entries 15 of block 2 and 0 of block 3.
    EXPECT_EQ(LoadStringW(module_, IDS_RESET_DEFAULTS_QUESTION, buffer, 64), 33);
    EXPECT_EQ(WideString(buffer), TEXT("Reset settings to default values?"));
    EXPECT_EQ(LoadStringW(module_, IDS_RESET_DEFAULTS_TITLE, buffer, 64), 16);
    EXPECT_EQ(WideString(buffer), TEXT("Reset To Default"));
    EXPECT_EQ(LoadStringW(module_, IDS_SERVICE_PAGE_TITLE, buffer, 64), 7);
    EXPECT_EQ(WideString(buffer), TEXT("Service"));
}

TEST_F(StringTable, TruncationPointersAndMissingStrings) {
    WCHAR small[4] = {TEXT('x'), TEXT('x'), TEXT('x'), TEXT('x')};
    EXPECT_EQ(LoadStringW(module_, IDS_MAIN_PAGE_TITLE, small, 4), 3) << "characters copied";
    EXPECT_EQ(WideString(small), TEXT("Tar"));

    // With no buffer size the caller receives the resource text itself, not terminated.
    const WCHAR* text = nullptr;
    int length = LoadStringW(module_, IDS_TWO_IN_ONE_WARNING, reinterpret_cast<LPWSTR>(&text), 0);
    ASSERT_NE(text, nullptr);
    WideString warning(text, static_cast<size_t>(length));
    EXPECT_EQ(warning.substr(0, 38), TEXT("Enabling this option will change your "));
    EXPECT_NE(warning.find(TEXT("sheet of paper.\r\nWould")), WideString::npos);
    EXPECT_EQ(warning.substr(warning.size() - 37), TEXT("Would you like to enable 2 In 1 mode?"));

    WCHAR buffer[8] = {TEXT('k'), 0};
    EXPECT_EQ(LoadStringW(module_, 4000, buffer, 8), 0) << "a block the module does not have";
    EXPECT_EQ(buffer[0], TEXT('k')) << "the buffer is left alone";
    EXPECT_EQ(LoadStringW(module_, 271, buffer, 8), 0) << "an empty entry of an existing block";
    EXPECT_EQ(buffer[0], 0);
}

} // namespace
