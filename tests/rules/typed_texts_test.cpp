// What a person types: a new form's size, a custom media type's dot values and the device
// settings tree's distances and extra line spacing. (The fuzz target typed_texts holds the rest.)
#include "device/typed_distances.h"
#include "media/new_form.h"
#include "media/typed_dot_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TypedTexts, AFormSizeIsReadInItsUnitAndCheckedAgainstTheLimits) {
    const struct {
        const char16_t* text;
        bool metric;
        LONG micrometres;
    } kTexts[] = {
        {u"11.5", false, 292100}, {u"30.5", true, 305000},      {u"2.00 in", false, 50800},
        {u"wide", true, 0},       {u"1e300", true, 2147483647}, {u"-1e300", true, -2147483647 - 1},
        {u"nan", true, 0}};
    for (const auto& t : kTexts)
        EXPECT_EQ(ParseFormDimension(t.text, t.metric), t.micrometres)
            << testing::PrintToString(std::u16string(t.text));
    const struct {
        LONG width, height;
        bool valid;
    } kSizes[] = {{50800, 1270000, true},  {304800, 1269999, true}, {50800, 1270001, false},
                  {304801, 100000, false}, {50799, 100000, false},  {100000, 50799, false}};
    for (const auto& s : kSizes)
        EXPECT_EQ(IsValidFormSize(s.width, s.height), s.valid) << s.width << " x " << s.height;
}

TEST(TypedTexts, DotValuesWithinTheirLimitsAndTwoApart) {
    const struct {
        const char16_t *highest, *lowest;
        int high, low; // 0 and 0: refused
    } kValues[] = {{u"26", u"24", 26, 24}, {u"26", u"25", 0, 0}, {u"27", u"0", 0, 0},
                   {u"1", u"0", 0, 0},     {u"5", u"4", 0, 0},   {u"4", u"2", 4, 2},
                   {u"258", u"0", 2, 0}};
    for (const auto& v : kValues) {
        int high = 0, low = 0;
        bool taken = ReadTypedDotValues(v.highest, v.lowest, &high, &low);
        EXPECT_EQ(std::tuple(taken, high, low), std::tuple(v.high != 0, v.high, v.low))
            << testing::PrintToString(std::u16string(v.highest));
    }
}

TEST(TypedTexts, DistancesAndLineSpacingInTwentiethsOfAnInch) {
    // A number beyond the range, or nan, gives 0x80000000; -1 inch goes back 20 twentieths.
    const DWORD kFar = 0x80000000, kBack = static_cast<DWORD>(-20);
    const struct {
        const char16_t* text;
        DWORD twentieths; // a distance
        DWORD hundredths; // a line spacing
    } kTexts[] = {{u"0.47", 9, 47},   {u"x", 0, 0},          {u"1.15", 23, 115},
                  {u"15", 300, 1250}, {u"12.51", 250, 1250}, {u"-1", kBack, 1250},
                  {u"-0", 0, 0},      {u"1e10", kFar, 1250}, {u"nan", kFar, 1250}};
    for (const auto& t : kTexts)
        EXPECT_EQ(std::pair(TwentiethsFromText(t.text), LineSpacingHundredths(t.text)),
                  std::pair(t.twentieths, t.hundredths))
            << testing::PrintToString(std::u16string(t.text));
    EXPECT_EQ(ClampReported(static_cast<DWORD>(-10), 0, kMaxShownDistance), 0);
}

} // namespace
