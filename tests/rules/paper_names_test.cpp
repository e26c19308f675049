// The printer's paper names as its driver answers them: names in 64-character slots, any count,
// and the forms the plug-in finds for them.
#include "media/paper_lists.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(PaperNames, ListsOfAnyCountInSlotsOf64Characters) {
    const struct {
        int count;
        DWORD bytes;
        int heldIn1024; // of that many names filled
    } kCounts[] = {{-1, 0, -1},  {0, 0, 0},        {8, 1024, 8},
                   {9, 1152, 8}, {33554433, 0, 8}, {33554431, 0xFFFFFF80, 8}};
    for (const auto& c : kCounts)
        EXPECT_EQ(std::tuple(PaperNameBytes(c.count), PaperNamesHeld(c.count, 1024)),
                  std::tuple(c.bytes, c.heldIn1024))
            << c.count;
    for (auto [count, listed] : {std::pair{-1, 0}, {0xFFFE, 0xFFFE}, {0xFFFF, 0}})
        EXPECT_EQ(FormSizeNameCount(count), listed) << "the Form Size list is counted in a WORD";
}

TEST(PaperNames, AFormFitsASizeWithinOneUnitAndTurned) {
    const SIZE kLetter = {215900, 279400}; // 170 x 220 twentieths of an inch
    const struct {
        LONG size[2];
        bool fits;
    } kSizes[] = {{{170, 220}, true}, {{220, 170}, true},  {{171, 219}, true},
                  {{169, 221}, true}, {{172, 220}, false}, {{170, 218}, false}};
    for (const auto& c : kSizes)
        EXPECT_EQ(FormFitsSize(kLetter, c.size), c.fits) << c.size[0] << " x " << c.size[1];
    const LONG kA4[2] = {210000, 297000};
    EXPECT_TRUE(IsPaperOfSize({210099, 297000}, kA4)) << "rounded to 100 um";
    EXPECT_FALSE(IsPaperOfSize({210100, 297000}, kA4));
    // Forms are found by name in any case.
    FORM_INFO_1W forms[] = {{0, const_cast<LPWSTR>(u"Letter"), {1, 1}, {}},
                            {0, const_cast<LPWSTR>(u"A4"), {210000, 297000}, {}}};
    EXPECT_EQ(FormSizeByName(forms, 2, u"a4").cx, 210000);
    EXPECT_EQ(FormSizeByName(forms, 2, u"Letter ").cx, 0) << "a name that is no form";
}

} // namespace
