// Paper lists and the papers they name.
#include "media/paper_lists.h"

#include <strsafe.h>

namespace {

constexpr LONG kMicrometresPerTwentiethInch = 1270;
const WCHAR kFallbackFormName[] = TEXT("Letter");

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

// Tenths of a millimetre to micrometres, wrapping as the processor does for sizes no paper has.
LONG Micrometres(LONG tenths) {
    return static_cast<LONG>(static_cast<DWORD>(tenths) * 100u);
}

} // namespace

DWORD PaperNameBytes(int count) {
    if (count < 1 || static_cast<DWORD>(count) > 0xFFFFFFFFu / kPaperNameSlotBytes)
        return 0;
    return static_cast<DWORD>(count) * kPaperNameSlotBytes;
}

bool PaperNamesFit(int count, DWORD bytes) {
    return count >= 0 && static_cast<ULONGLONG>(count) * kPaperNameSlotBytes <= bytes;
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

void NamePaperOfSize(const WCHAR* slots, int listed, int filled, const FORM_INFO_1W* forms,
                     DWORD formCount, const LONG size[2], WCHAR* name) {
    if (listed < 1)
        return;
    bool matched = false;
    for (int i = 0; i < filled && i < listed; ++i) {
        WCHAR paper[kFormNameChars];
        CopyPaperName(slots, i, paper);
        if (IsPaperOfSize(FormSizeByName(forms, formCount, paper), size)) {
            StringCchCopyW(name, kFormNameChars, paper);
            matched = true;
        }
    }
    if (!matched)
        StringCchCopyW(name, kFormNameChars, kFallbackFormName);
}

bool FormFitsSize(SIZE form, const LONG size[2]) {
    LONG width = form.cx / kMicrometresPerTwentiethInch;
    LONG height = form.cy / kMicrometresPerTwentiethInch;
    return (WithinOne(width, size[0]) && WithinOne(height, size[1])) ||
           (WithinOne(height, size[0]) && WithinOne(width, size[1]));
}

int PaperListLength(int numbers, int names, int sizes) {
    return numbers > 0 && numbers == names && names == sizes ? numbers : 0;
}

int IdentifyDefaultPaper(const DevmodePaper& devmode, const PaperLists& lists, LONG* size,
                         WCHAR* name) {
    if (devmode.fields & DM_PAPERSIZE) {
        for (int i = 0; i < lists.count; ++i) {
            if (lists.numbers[i] != static_cast<WORD>(devmode.paperSize))
                continue;
            if (name != nullptr)
                CopyPaperName(lists.names, i, name);
            if (size != nullptr) {
                size[0] = Micrometres(lists.sizes[i].x);
                size[1] = Micrometres(lists.sizes[i].y);
            }
            return 0;
        }
    }
    if (size != nullptr && (devmode.fields & (DM_PAPERWIDTH | DM_PAPERLENGTH))) {
        size[0] = devmode.paperWidth * 100;
        size[1] = devmode.paperLength * 100;
        for (int i = 0; name != nullptr && i < lists.count; ++i) {
            if (lists.sizes[i].x == devmode.paperWidth && lists.sizes[i].y == devmode.paperLength) {
                CopyPaperName(lists.names, i, name);
                return 0;
            }
        }
    }
    return 1;
}
