// Knowing a dialog by the template it was made from: the control ids the template lists.
#include "person.h"

namespace {

// A name or an ordinal in a template: 0xFFFF and the ordinal, 0 alone, or a string.
const WORD* SkipNameOrOrdinal(const WORD* at) {
    if (*at == 0xFFFF)
        return at + 2;
    while (*at != 0)
        ++at;
    return at + 1;
}

const WORD* AlignToDword(const WORD* at) {
    return reinterpret_cast<const WORD*>((reinterpret_cast<ULONG_PTR>(at) + 3) & ~ULONG_PTR(3));
}

// The control ids of an extended template (DIALOGEX, the only kind the plug-in has), without
// the labels' -1; false for any other kind.
bool TemplateControlIds(const WORD* at, std::vector<int>* ids, int* count) {
    if (at[0] != 1 || at[1] != 0xFFFF)
        return false;
    DWORD style = *reinterpret_cast<const DWORD*>(at + 6);
    *count = at[8];
    at = SkipNameOrOrdinal(SkipNameOrOrdinal(at + 13)); // menu, class
    at = SkipNameOrOrdinal(at);                         // title
    if (style & (DS_SETFONT | DS_SHELLFONT))
        at = SkipNameOrOrdinal(at + 3); // size, weight, italic and character set; face
    for (int item = 0; item < *count; ++item) {
        at = AlignToDword(at);
        auto id = static_cast<int>(*reinterpret_cast<const DWORD*>(at + 10));
        if (id != -1 && id != 0xFFFF)
            ids->push_back(id);
        at = SkipNameOrOrdinal(SkipNameOrOrdinal(at + 12)); // class, title
        at = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(at + 1) + *at);
    }
    return true;
}

} // namespace

bool IsMadeFromTemplate(HWND dialog, HMODULE module, WORD templateId) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    std::vector<int> ids;
    int count = 0;
    if (data == nullptr || !TemplateControlIds(static_cast<const WORD*>(data), &ids, &count))
        return false;
    int children = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        ++children;
    for (int id : ids)
        if (GetDlgItem(dialog, id) == nullptr)
            return false;
    return children == count;
}
