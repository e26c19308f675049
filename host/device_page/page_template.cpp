// An empty property page template: DLGTEMPLATE, no menu, the default class, no caption, and
// DS_SETFONT's point size and face name.
#include "page_template.h"

#include <string.h>

static_assert(sizeof(DLGTEMPLATE) == 18, "DLGTEMPLATE is 18 bytes, packed to 2");

LPCDLGTEMPLATEW BuildPageTemplate(PageTemplate* storage) {
    ZeroMemory(storage, sizeof(*storage));
    auto* header = reinterpret_cast<DLGTEMPLATE*>(storage->words);
    header->style = DS_CONTROL | DS_SETFONT | WS_CHILD;
    header->cdit = 0;
    header->cx = kDevicePageWidth;
    header->cy = kDevicePageHeight;
    // DLGTEMPLATE is 18 bytes (9 words); menu, class and caption follow as empty (0) words.
    WORD* next = storage->words + 9 + 3;
    *next++ = 8; // point size
    static const WCHAR kFace[] = TEXT("MS Shell Dlg");
    memcpy(next, kFace, sizeof(kFace));
    return reinterpret_cast<LPCDLGTEMPLATEW>(storage->words);
}
