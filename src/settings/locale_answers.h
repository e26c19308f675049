// What the plug-in makes of the locale library's answers: a translation is read no further than
// a composed text, and an empty answer leaves the English text.
#pragma once

#include <windows.h>

constexpr int kComposedChars = 4096;

// The length of a text the locale library answered, read no further than kComposedChars
// characters: a text without a terminator within them counts as cut to kComposedChars - 1;
// null counts as empty.
int LocaleAnswerLength(LPCWSTR answer);

// The text to show for `english` given the library's `answer`: `english` itself when the answer
// is null or empty, else the answer (cut as LocaleAnswerLength says) copied into `buffer` of
// `bufferChars` characters, cut again at its size. An answer that is `buffer` itself stays.
LPCWSTR TakeLocaleAnswer(LPCWSTR answer, LPCWSTR english, WCHAR* buffer, int bufferChars);
