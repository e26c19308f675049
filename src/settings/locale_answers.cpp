// Reading the locale library's answers within their bounds.
#include "settings/locale_answers.h"

#include <strsafe.h>

int LocaleAnswerLength(LPCWSTR answer) {
    size_t length = 0;
    // No terminator within the bound: the text is cut there.
    if (FAILED(StringCchLengthW(answer, kComposedChars, &length)))
        return answer != nullptr ? kComposedChars - 1 : 0;
    return static_cast<int>(length);
}

LPCWSTR TakeLocaleAnswer(LPCWSTR answer, LPCWSTR english, WCHAR* buffer, int bufferChars) {
    int length = LocaleAnswerLength(answer);
    // An empty translation would leave nothing to show: the English text stays.
    if (length == 0)
        return english;
    if (answer != buffer)
        StringCchCopyNW(buffer, bufferChars, answer, length);
    return buffer;
}
