// The locale library's answers: read no further than a composed text, English when empty.
#include "settings/locale_answers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

TEST(LocaleAnswers, AnswersAreReadNoFurtherThanTheBoundAndNeverLeaveNothing) {
    const char16_t kEnglish[] = u"Print";
    enum Answer { kNull, kText, kUnterminated, kBuffer };
    const struct {
        Answer answer;
        std::u16string text;
        int bufferChars;
        std::u16string expected;
    } kCases[] = {
        {kNull, u"", 4096, kEnglish},
        {kText, u"", 4096, kEnglish},
        {kText, u"Drucken", 4, u"Dru"},
        {kText, std::u16string(5000, 'x'), 4096, std::u16string(4095, 'x')},
        {kUnterminated, std::u16string(4096, 'y'), 4096, std::u16string(4095, 'y')},
        {kBuffer, u"Imprimer", 4096, u"Imprimer"},
    };
    for (const auto& c : kCases) {
        // An unterminated answer lies in a block of exactly its characters.
        size_t chars = c.text.size() + (c.answer == kUnterminated ? 0 : 1);
        std::unique_ptr<WCHAR[]> answer(new WCHAR[chars]);
        std::copy(c.text.begin(), c.text.end(), answer.get());
        if (c.answer != kUnterminated)
            answer[c.text.size()] = 0;
        std::unique_ptr<WCHAR[]> buffer(new WCHAR[c.bufferChars]);
        LPCWSTR given = answer.get();
        if (c.answer == kNull)
            given = nullptr;
        if (c.answer == kBuffer)
            given = std::copy(c.text.begin(), c.text.end() + 1, buffer.get()) - c.text.size() - 1;
        LPCWSTR shown = TakeLocaleAnswer(given, kEnglish, buffer.get(), c.bufferChars);
        EXPECT_EQ(std::u16string(shown), c.expected) << c.text.size() << " " << c.bufferChars;
        EXPECT_TRUE(shown == buffer.get() || shown == kEnglish);
    }
}

} // namespace
