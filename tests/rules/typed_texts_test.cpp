// What a person types: a new form's size, a custom media type's dot values and the device
// settings tree's distances and extra line spacing. (The fuzz target typed_texts holds the rest.)
#include "device/typed_distances.h"
#include "media/new_form.h"
#include "media/typed_dot_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TypedTexts, AFormSizeIsReadInItsUnitAndCheckedAgainstTheLimits) {
    const std::tuple<const char16_t*, bool, LONG> kTexts[] = {
        {u"11.5", false, 292100}, {u"30.5", true, 305000},      {u"2.00 in", false, 50800},
        {u"wide", true, 0},       {u"1e300", true, 2147483647}, {u"-1e300", true, -2147483647 - 1},
        {u"nan", true, 0}};
    for (auto [text, metric, micrometres] : kTexts)
        EXPECT_EQ(ParseFormDimension(text, metric), micrometres)
            << testing::PrintToString(std::u16string(text));
    const std::tuple<LONG, LONG, bool> kSizes[] = {{50800, 1270000, true},  {304800, 1269999, true},
                                                   {50800, 1270001, false}, {304801, 100000, false},
                                                   {50799, 100000, false},  {100000, 50799, false}};
    for (auto [width, height, valid] : kSizes)
        EXPECT_EQ(IsValidFormSize(width, height), valid) << width << " x " << height;
}

TEST(TypedTexts, DotValuesWithinTheirLimitsAndTwoApart) {
    // The texts, then the values taken (0 and 0: refused).
    const std::tuple<const char16_t*, const char16_t*, int, int> kValues[] = {
        {u"26", u"24", 26, 24}, {u"26", u"25", 0, 0}, {u"27", u"0", 0, 0}, {u"1", u"0", 0, 0},
        {u"5", u"4", 0, 0},     {u"4", u"2", 4, 2},   {u"258", u"0", 2, 0}};
    for (auto [highest, lowest, wantedHigh, wantedLow] : kValues) {
        int high = 0, low = 0;
        bool taken = ReadTypedDotValues(highest, lowest, &high, &low);
        EXPECT_EQ(std::tuple(taken, high, low), std::tuple(wantedHigh != 0, wantedHigh, wantedLow))
            << testing::PrintToString(std::u16string(highest));
    }
}

TEST(TypedTexts, DistancesAndLineSpacingInTwentiethsOfAnInch) {
    // A number beyond the range, or nan, gives 0x80000000; -1 inch goes back 20 twentieths.
    const DWORD kFar = 0x80000000, kBack = static_cast<DWORD>(-20);
    // A text, read as a distance in twentieths and as a line spacing in hundredths.
    const std::tuple<const char16_t*, DWORD, DWORD> kTexts[] = {
        {u"0.47", 9, 47},      {u"x", 0, 0},          {u"1.15", 23, 115},   {u"1,15", 23, 115},
        {u"15", 300, 1250},    {u"12.51", 250, 1250}, {u"-1", kBack, 1250}, {u"-0", 0, 0},
        {u"1e10", kFar, 1250}, {u"nan", kFar, 1250}};
    for (auto [text, twentieths, hundredths] : kTexts)
        EXPECT_EQ(std::pair(TwentiethsFromText(text), LineSpacingHundredths(text)),
                  std::pair(twentieths, hundredths))
            << testing::PrintToString(std::u16string(text));
    EXPECT_EQ(ClampReported(static_cast<DWORD>(-10), 0, kMaxShownDistance), 0);
}

} // namespace
