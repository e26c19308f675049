// Paper lists and the papers they name.
#include "media/paper_lists.h"

#include <strsafe.h>

namespace {

constexpr LONG kMicrometresPerTwentiethInch = 1270;

bool SameFormName(LPCWSTR a, LPCWSTR b) {
    auto fold = [](WCHAR c) { return c >= 'a' && c <= 'z' ? static_cast<WCHAR>(c - 32) : c; };
    for (; *a != 0 && *b != 0; ++a, ++b)
        if (fold(*a) != fold(*b))
            return false;
    return *a == *b;
}

bool WithinOne(LONG a, LONG b) {
    return a - b <= 1 && b - a <= 1;
}

} // namespace

DWORD PaperNameBytes(int count) {
    if (count < 1 || static_cast<DWORD>(count) > 0xFFFFFFFFu / kPaperNameSlotBytes)
        return 0;
    return static_cast<DWORD>(count) * kPaperNameSlotBytes;
}

int PaperNamesHeld(int filled, DWORD bytes) {
    DWORD held = bytes / kPaperNameSlotBytes;
    return filled > 0 && static_cast<DWORD>(filled) > held ? static_cast<int>(held) : filled;
}

void CopyPaperName(const WCHAR* slots, int index, WCHAR* name) {
    StringCchCopyNW(name, kFormNameChars, slots + static_cast<SIZE_T>(index) * kPaperNameChars,
                    kPaperNameChars);
}

int FormSizeNameCount(int count) {
    return count < 0 || count > kMostFormSizeNames ? 0 : count;
}

SIZE FormSizeByName(const FORM_INFO_1W* forms, DWORD count, LPCWSTR name) {
    SIZE size = {0, 0};
    if (name == nullptr || name[0] == 0)
        return size;
    for (DWORD i = 0; i < count; ++i)
        if (forms[i].pName != nullptr && SameFormName(forms[i].pName, name))
            return forms[i].Size;
    return size;
}

bool IsPaperOfSize(SIZE form, const LONG size[2]) {
    return RoundTo100Micrometres(form.cx) == size[0] && RoundTo100Micrometres(form.cy) == size[1];
}

bool FormFitsSize(SIZE form, const LONG size[2]) {
    LONG width = form.cx / kMicrometresPerTwentiethInch;
    LONG height = form.cy / kMicrometresPerTwentiethInch;
    return (WithinOne(width, size[0]) && WithinOne(height, size[1])) ||
           (WithinOne(height, size[0]) && WithinOne(width, size[1]));
}
