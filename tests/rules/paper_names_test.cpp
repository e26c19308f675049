// The printer's paper lists as its driver answers them: names in 64-character slots, any count,
// lists that disagree in length, and the papers the plug-in finds in them.
#include "media/paper_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Names in 64-character slots; a name of 64 characters fills its slot without a terminator.
std::vector<WCHAR> Slots(const std::vector<std::u16string>& names) {
    std::vector<WCHAR> slots(names.size() * kPaperNameChars, 0);
    for (size_t i = 0; i < names.size(); ++i)
        names[i].copy(&slots[i * kPaperNameChars], kPaperNameChars);
    return slots;
}

TEST(PaperNames, ListsOfAnyCountInSlotsOf64Characters) {
    const struct {
        int count;
        DWORD bytes;
        bool fitsIn1024;
        int heldIn1024; // of that many names filled
    } kCounts[] = {{-1, 0, 0, -1},  {0, 0, 1, 0},        {8, 1024, 1, 8},
                   {9, 1152, 0, 8}, {33554433, 0, 0, 8}, {33554431, 0xFFFFFF80, 0, 8}};
    for (const auto& c : kCounts)
        EXPECT_EQ(std::tuple(PaperNameBytes(c.count), PaperNamesFit(c.count, 1024),
                             PaperNamesHeld(c.count, 1024)),
                  std::tuple(c.bytes, c.fitsIn1024, c.heldIn1024))
            << c.count;
    for (auto [count, listed] : {std::pair{-1, 0}, {0xFFFE, 0xFFFE}, {0xFFFF, 0}})
        EXPECT_EQ(FormSizeNameCount(count), listed) << "the Form Size list is counted in a WORD";
}

TEST(PaperNames, TheDefaultPaperByNumberOrBySize) {
    const WORD numbers[] = {1, 9, 5};
    auto names = Slots({u"Letter", u"A4", u"Legal"});
    const POINT sizes[] = {{2159, 2794}, {2100, 2970}, {2159, 3556}};
    const int kBySize = DM_PAPERWIDTH | DM_PAPERLENGTH;
    // The devmode and the lists' length, then the result, the paper's name and its width.
    const std::tuple<DevmodePaper, int, int, const char16_t*, LONG> kCases[] = {
        {{DM_PAPERSIZE, 9, 0, 0}, 3, 0, u"A4", 210000},
        {{DM_PAPERSIZE, 9, 0, 0}, 0, 1, u"", -1}, // lists that disagree in length are not read
        {{kBySize, 0, 2159, 3556}, 3, 0, u"Legal", 215900},
        {{kBySize, 0, 1111, 2222}, 3, 1, u"", 111100}, // the size is known even without a name
        {{DM_PAPERSIZE | kBySize, 4, 2100, 2970}, 3, 0, u"A4", 210000},
        {{DM_FORMNAME, 9, 2159, 2794}, 3, 1, u"", -1}};
    for (const auto& [devmode, count, wanted, paperName, width] : kCases) {
        LONG size[2] = {-1, -1};
        WCHAR name[kFormNameChars] = {};
        int result =
            IdentifyDefaultPaper(devmode, {numbers, names.data(), sizes, count}, size, name);
        EXPECT_EQ(std::tuple(result, std::u16string(name), size[0]),
                  std::tuple(wanted, paperName, width));
    }
    EXPECT_EQ(
        std::tuple(PaperListLength(3, 3, 3), PaperListLength(3, 1, 3), PaperListLength(-1, -1, -1)),
        std::tuple(3, 0, 0));
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
    // The paper of a size is the last of that size (the paper_names fuzz target); forms are found
    // by name in any case.
    FORM_INFO_1W forms[] = {{0, const_cast<LPWSTR>(u"Letter"), {1, 1}, {}},
                            {0, const_cast<LPWSTR>(u"A4"), {210000, 297000}, {}}};
    EXPECT_EQ(FormSizeByName(forms, 2, u"a4").cx, 210000);
    EXPECT_EQ(FormSizeByName(forms, 2, u"Letter ").cx, 0) << "a name that is no form";
}

} // namespace
