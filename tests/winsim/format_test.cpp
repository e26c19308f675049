// What winsim's formatter and number parsing do beyond the platform (the wide formatter and the
// runtime's parsing are held against the real platform in tests/conformance/strings_test.cpp):
// conversions that would differ between the two runtimes abort, and narrow formats convert wide
// text to the ANSI code page.
#include <gtest/gtest.h>

#include "sim.h"

#include <strsafe.h>

#include <string>

namespace {

class Format : public ::testing::Test {
protected:
    void SetUp() override { sim::Reset(); }
};

template <class... Args> std::string Narrow(const char* format, Args... args) {
    char buffer[256];
    EXPECT_EQ(StringCchPrintfA(buffer, 256, format, args...), S_OK);
    return buffer;
}

TEST_F(Format, RefusesConversionsTheRuntimesReadDifferently) {
    WCHAR buffer[32];
    EXPECT_DEATH(StringCchPrintfW(buffer, 32, u"(Code %d) %s", 7, "text"),
                 "%s in the wide format \"\\(Code %d\\) %s\"");
    EXPECT_DEATH(StringCchPrintfW(buffer, 32, u"%ws (Code %d)", u"text", 7), "%ws in the wide");
    EXPECT_DEATH(StringCchPrintfW(buffer, 32, u"%S", u"text"), "%S in the wide");
    EXPECT_DEATH(StringCchPrintfW(buffer, 32, u"%c", u'x'), "%c in the wide");
    EXPECT_DEATH(_wtof(u"0x1A"), "hexadecimal");
    ASSERT_EQ(StringCchPrintfW(buffer, 32, u"%zu", size_t(7)), S_OK);
    EXPECT_EQ(std::u16string(buffer), u"7");
}

TEST_F(Format, NarrowFormatsConvertWideTextToTheAnsiCodePage) {
    EXPECT_EQ(Narrow("%s/%ls", "Tarvik", u"Z\u00FCrich \u20AC"), "Tarvik/Z\xFCrich \x80");
    EXPECT_EQ(Narrow("%c%lc%d", 'a', WCHAR(u'\u00E9'), 3), "a\xE9"
                                                           "3");
    char buffer[8];
    EXPECT_DEATH(StringCchPrintfA(buffer, 8, "%ls", u"\u03A9"), "code page 1252");
    char narrow[4];
    EXPECT_EQ(StringCchPrintfA(narrow, sizeof narrow, "%s", "abcd"), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_STREQ(narrow, "abc");
}

} // namespace
