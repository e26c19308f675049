// The string functions the plug-in relies on (the linguistic comparison is held against the real
// platform in tests/conformance/strings_test.cpp): lstr* with their documented truncation,
// strsafe's bounded copies, and the CRT's number parsing.
#include <gtest/gtest.h>

#include "sim.h"

#include <strsafe.h>

#include <cerrno>
#include <climits>
#include <string>

namespace {

class Strings : public ::testing::Test {
protected:
    void SetUp() override { sim::Reset(); }
};

TEST_F(Strings, LstrFunctionsCopyAndTruncateAsDocumented) {
    EXPECT_EQ(lstrlenW(nullptr), 0);
    EXPECT_EQ(lstrlenW(u"Tarvik"), 6);
    WCHAR buffer[8] = {u'#', u'#', u'#', u'#', u'#', u'#', u'#', u'#'};
    EXPECT_EQ(lstrcpynW(buffer, u"Embosser", 4), buffer);
    EXPECT_EQ(std::u16string(buffer), u"Emb") << "at most iMaxLength - 1 characters, terminated";
    EXPECT_EQ(buffer[4], u'#');
    lstrcpynW(buffer, u"Embosser", 1);
    EXPECT_EQ(buffer[0], 0);
    lstrcpynW(buffer, u"ab", 8);
    EXPECT_EQ(std::u16string(buffer), u"ab");
    EXPECT_EQ(lstrcatW(buffer, u"cd"), buffer);
    EXPECT_EQ(std::u16string(buffer), u"abcd");
    EXPECT_EQ(std::u16string(lstrcpyW(buffer, u"x")), u"x");
}

TEST_F(Strings, StrsafeCopiesTruncateWithATerminator) {
    WCHAR buffer[6];
    EXPECT_EQ(StringCchCopyW(buffer, 6, u"Hello"), S_OK);
    EXPECT_EQ(std::u16string(buffer), u"Hello");
    EXPECT_EQ(StringCchCopyW(buffer, 6, u"Hello world"), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(buffer), u"Hello");
    EXPECT_EQ(StringCchCopyNW(buffer, 6, u"Hello world", 3), S_OK);
    EXPECT_EQ(std::u16string(buffer), u"Hel");
    EXPECT_EQ(StringCchCatW(buffer, 6, u"lo!"), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(buffer), u"Hello");

    buffer[0] = u'#';
    EXPECT_EQ(StringCchCopyW(buffer, 0, u"x"), STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(buffer[0], u'#') << "a zero-sized buffer is not touched";
    EXPECT_EQ(StringCchCopyW(buffer, size_t(STRSAFE_MAX_CCH) + 1, u"x"),
              STRSAFE_E_INVALID_PARAMETER);
    WCHAR full[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(StringCchCatW(full, 3, u"d"), STRSAFE_E_INVALID_PARAMETER)
        << "a destination without a terminator";

    // Byte counts: an odd count leaves out the odd byte; one byte is no character at all.
    EXPECT_EQ(StringCbCopyW(buffer, 8, u"abc"), S_OK);
    EXPECT_EQ(StringCbCopyW(buffer, 7, u"abc"), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(buffer), u"ab");
    EXPECT_EQ(StringCbCopyW(buffer, 1, u""), STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(StringCbCatW(buffer, sizeof buffer, u"cde"), S_OK);
    EXPECT_EQ(StringCbCatW(buffer, sizeof buffer, u"f"), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(buffer), u"abcde");

    size_t length = 99;
    EXPECT_EQ(StringCchLengthW(u"abc", 4, &length), S_OK);
    EXPECT_EQ(length, 3u);
    EXPECT_EQ(StringCchLengthW(u"abc", 3, &length), STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(StringCbLengthW(u"abc", 8, &length), S_OK);
    EXPECT_EQ(length, 6u);
}

TEST_F(Strings, WtoiReadsASignedPrefixAndSaturates) {
    EXPECT_EQ(_wtoi(u"  -42 mm"), -42);
    EXPECT_EQ(_wtoi(u"\t+7"), 7);
    EXPECT_EQ(_wtoi(u"12.9"), 12);
    EXPECT_EQ(_wtoi(u"mm 5"), 0);
    EXPECT_EQ(_wtoi(u"-"), 0);
    EXPECT_EQ(_wtoi(u"2147483647"), INT_MAX);
    errno = 0;
    EXPECT_EQ(_wtoi(u"2147483648"), INT_MAX);
    EXPECT_EQ(errno, ERANGE);
    EXPECT_EQ(_wtoi(u"-2147483648"), INT_MIN);
    EXPECT_EQ(_wtoi(u"-99999999999999999999"), INT_MIN);
    EXPECT_EQ(_wtol(u"-2147483649"), INT32_MIN);
}

TEST_F(Strings, WtofReadsTheLeadingNumberAndIgnoresTheRest) {
    EXPECT_DOUBLE_EQ(_wtof(u"11.5 in"), 11.5);
    EXPECT_DOUBLE_EQ(_wtof(u"  -.25"), -0.25);
    EXPECT_DOUBLE_EQ(_wtof(u"3.e2x"), 300.0);
    EXPECT_DOUBLE_EQ(_wtof(u"8.50e"), 8.5) << "an exponent without digits is not one";
    EXPECT_DOUBLE_EQ(_wtof(u"1E-1"), 0.1);
    EXPECT_DOUBLE_EQ(_wtof(u"."), 0.0);
    EXPECT_DOUBLE_EQ(_wtof(u"in 11"), 0.0);
    EXPECT_DEATH(_wtof(u"0x1A"), "hexadecimal");
}

} // namespace
