// Typed numbers with either decimal point, and numbers shown with the pages' own.
#include "settings/typed_number.h"

#include <stdlib.h>
#include <strsafe.h>

double ReadTypedNumber(LPCWSTR text) {
    int comma = 0;
    while (text[comma] != 0 && text[comma] != TEXT(','))
        ++comma;
    if (text[comma] == 0)
        return _wtof(text);
    WCHAR number[kTypedNumberChars];
    int i = 0;
    for (; i < kTypedNumberChars - 1 && text[i] != 0; ++i)
        number[i] = text[i] == TEXT(',') ? TEXT('.') : text[i];
    number[i] = 0;
    return _wtof(number);
}

void FormatTwoDecimals(WCHAR* text, int chars, double value, WCHAR separator) {
    StringCchPrintfW(text, chars, TEXT("%.02f"), value);
    for (; *text != 0; ++text)
        if (*text == TEXT('.'))
            *text = separator;
}
