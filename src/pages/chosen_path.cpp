// Taking a chosen path whole or not at all.
#include "pages/chosen_path.h"

#include <strsafe.h>

bool TakeChosenPath(LPCWSTR chosen, WCHAR* buffer, DWORD bufferChars) {
    if (chosen == nullptr || FAILED(StringCchLengthW(chosen, bufferChars, nullptr)))
        return false;
    StringCchCopyW(buffer, bufferChars, chosen);
    return true;
}

LPCWSTR FileNamePart(LPCWSTR path) {
    LPCWSTR name = path;
    for (LPCWSTR at = path; *at != 0; ++at)
        if (*at == TEXT('\\'))
            name = at + 1;
    return name;
}
