// The formatter behind StringCchPrintfW and friends: the platform's argument sizes, the wide
// format rules that keep the two runtimes in agreement (msvcrt.dll's rounding is held against the
// real platform in tests/conformance/strings_test.cpp).
#include <gtest/gtest.h>

#include "sim.h"

#include <strsafe.h>

#include <string>

namespace {

class Format : public ::testing::Test {
protected:
    void SetUp() override { sim::Reset(); }
};

template <class... Args> std::u16string Wide(const WCHAR* format, Args... args) {
    WCHAR buffer[256];
    EXPECT_EQ(StringCchPrintfW(buffer, 256, format, args...), S_OK);
    return buffer;
}

template <class... Args> std::string Narrow(const char* format, Args... args) {
    char buffer[256];
    EXPECT_EQ(StringCchPrintfA(buffer, 256, format, args...), S_OK);
    return buffer;
}

TEST_F(Format, WideStringsAndCharactersGoThroughL) {
    EXPECT_EQ(Wide(u"%ls - %ls", u"Advanced", u"Tarvik"), u"Advanced - Tarvik");
    EXPECT_EQ(Wide(u"[%-6ls|%6ls|%.2ls]", u"ab", u"cd", u"efgh"), u"[ab    |    cd|ef]");
    EXPECT_EQ(Wide(u"%lc%3lc", WCHAR(u'x'), WCHAR(u'\u00E9')), u"x  \u00E9");
    EXPECT_EQ(Wide(u"%ls", static_cast<const WCHAR*>(nullptr)), u"(null)");
    EXPECT_EQ(Wide(u"100%%"), u"100%");
}

// The plug-in builds double-NUL filter lists with %lc and 0.
TEST_F(Format, ZeroCharactersAreWrittenAndFormattingGoesOn) {
    WCHAR buffer[16];
    std::fill(buffer, buffer + 16, u'#');
    ASSERT_EQ(StringCchPrintfW(buffer, 16, u"%ls%lc%ls%lc", u"Dat", 0, u"*.dat", 0), S_OK);
    EXPECT_EQ(std::u16string(buffer, 11), std::u16string(u"Dat\0*.dat\0", 11));
    EXPECT_EQ(buffer[11], u'#') << "the list ends with the terminator after the last zero";
}

TEST_F(Format, RefusesNarrowConversionsInWideFormats) {
    WCHAR buffer[32];
    EXPECT_DEATH(StringCchPrintfW(buffer, 32, u"(Code %d) %s", 7, "text"),
                 "%s in the wide format \"\\(Code %d\\) %s\"");
    EXPECT_DEATH(StringCchPrintfW(buffer, 32, u"%ws (Code %d)", u"text", 7), "%ws in the wide");
    EXPECT_DEATH(StringCchPrintfW(buffer, 32, u"%S", u"text"), "%S in the wide");
    EXPECT_DEATH(StringCchPrintfW(buffer, 32, u"%c", u'x'), "%c in the wide");
}

TEST_F(Format, IntegersHaveThePlatformsSizes) {
    LONG negative = -1;
    DWORD all = 0xFFFFFFFF;
    EXPECT_EQ(Wide(u"%ld %lu %u", negative, all, all), u"-1 4294967295 4294967295");
    EXPECT_EQ(Wide(u"%I64d %lld %zu", int64_t(-5000000000), int64_t(1) << 40, size_t(7)),
              u"-5000000000 1099511627776 7");
    EXPECT_EQ(Wide(u"%hd %hu", 70000, 70000), u"4464 4464");
    EXPECT_EQ(Wide(u"%02X-%02X-%02X", 0x00, 0x1A, 0x1A2), u"00-1A-1A2");
    EXPECT_EQ(Wide(u"%x %#x %#o %o", 255, 255, 8, 0), u"ff 0xff 010 0");
    EXPECT_EQ(Wide(u"%+d % d %05d %-4d| %.3d %.0d|", 5, 5, -42, 7, 7, 0),
              u"+5  5 -0042 7   | 007 |");
    EXPECT_EQ(Wide(u"%*d|%-*d|%.*d", 4, 1, 3, 2, 2, 3), u"   1|2  |03");
    EXPECT_EQ(Wide(u"%p", reinterpret_cast<void*>(0xABC)), u"0000000000000ABC");
}

TEST_F(Format, NarrowFormatsConvertWideTextToTheAnsiCodePage) {
    EXPECT_EQ(Narrow("%s/%ls", "Tarvik", u"Z\u00FCrich \u20AC"), "Tarvik/Z\xFCrich \x80");
    EXPECT_EQ(Narrow("%c%lc%d", 'a', WCHAR(u'\u00E9'), 3), "a\xE9"
                                                           "3");
    char buffer[8];
    EXPECT_DEATH(StringCchPrintfA(buffer, 8, "%ls", u"\u03A9"), "code page 1252");
}

TEST_F(Format, PrintfTruncatesToTheBuffer) {
    WCHAR buffer[8];
    EXPECT_EQ(StringCchPrintfW(buffer, 8, u"%ls (Code %d)", u"Jam", 7),
              STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(buffer), u"Jam (Co");
    EXPECT_EQ(StringCbPrintfW(buffer, sizeof buffer, u"%d", 1234567), S_OK);
    EXPECT_EQ(StringCbPrintfW(buffer, sizeof buffer, u"%d", 12345678),
              STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(buffer), u"1234567");
    EXPECT_EQ(StringCchPrintfW(buffer, 0, u"%d", 1), STRSAFE_E_INVALID_PARAMETER);
    char narrow[4];
    EXPECT_EQ(StringCbPrintfA(narrow, sizeof narrow, "%s", "abcd"), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_STREQ(narrow, "abc");
}

} // namespace
