// The locale library's answers: null, empty, the English text itself, texts of 4096 characters
// and more, and texts without a terminator within 4096 characters, each in a block of exactly its
// characters. The text shown is the answer read no further than a composed text and cut at the
// buffer it is copied into, or the English text when the answer is empty.
//
// Input: a kind (0 null, 1 a text, 2 the English text's own buffer), a terminator flag, a 16-bit
// length, a 16-bit buffer size, then characters, repeated up to the length. An answer without a
// terminator is at least 4096 characters long.
#include "rule_check.h"
#include "settings/locale_answers.h"

#include <algorithm>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6)
        return 0;
    int kind = data[0] % 3;
    bool terminated = data[1] & 1;
    size_t length = (data[2] | data[3] << 8) % 8193;
    int bufferChars = (data[4] | data[5] << 8) % (kComposedChars + 1);
    bufferChars = bufferChars > 6 ? bufferChars : kComposedChars;
    // Without a terminator, the answer reaches at least the bound it is read to.
    if (!terminated)
        length = std::max<size_t>(length, kComposedChars);
    std::unique_ptr<WCHAR[]> answer(new WCHAR[length + 1]);
    for (size_t i = 0; i < length; ++i)
        answer[i] =
            size >= 8 ? data[6 + (2 * i) % (size - 7)] | data[7 + (2 * i) % (size - 7)] << 8 : 'x';
    answer[length] = 0;
    if (!terminated) // the answer ends with its block
        answer.reset(static_cast<WCHAR*>(
            std::memcpy(new WCHAR[length ? length : 1], answer.get(), length * sizeof(WCHAR))));
    const WCHAR kEnglish[] = TEXT("Print");
    std::unique_ptr<WCHAR[]> buffer(new WCHAR[bufferChars]);
    LPCWSTR given = kind == 0 ? nullptr : answer.get();
    if (kind == 2) // the library answered the text it was asked, in the caller's buffer
        given = std::char_traits<WCHAR>::copy(buffer.get(), kEnglish, 6);

    size_t readable = 0;
    while (given != nullptr && kind != 2 && readable < length && readable < 4095 &&
           given[readable] != 0)
        ++readable;
    LPCWSTR shown = TakeLocaleAnswer(given, kEnglish, buffer.get(), bufferChars);
    if (kind == 2) {
        RULE(shown == buffer.get() && std::u16string(shown) == kEnglish, "the asked text moved");
        return 0;
    }
    RULE((readable == 0) == (shown == kEnglish), "%zu characters read, English shown: %d", readable,
         shown == kEnglish);
    if (readable > 0) {
        std::u16string expected(given, std::min<size_t>(readable, bufferChars - 1));
        RULE(std::u16string(shown) == expected, "the answer was not taken as far as it reads");
    }
    // A copy in a block of the answer's own length, as a caption or a page title is kept.
    int chars = LocaleAnswerLength(given);
    RULE(chars >= 0 && static_cast<size_t>(chars) == readable, "%d characters, %zu readable", chars,
         readable);
    if (chars > 0) {
        std::unique_ptr<WCHAR[]> copy(new WCHAR[chars + 1]);
        TakeLocaleAnswer(given, kEnglish, copy.get(), chars + 1);
        RULE(std::u16string(copy.get()) == std::u16string(given, chars), "the copy differs");
    }
    return 0;
}
