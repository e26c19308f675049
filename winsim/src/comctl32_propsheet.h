// comctl32: the internals of property sheets shared by the page and sheet files.
#pragma once

#include "user32_internal.h"

namespace winsim {

// A page made by CreatePropertySheetPageW: a copy of the caller's structure (dwSize bytes; the
// page procedure and callbacks receive this copy), its title, and its dialog once created.
struct PropSheetPage {
    std::vector<unsigned char> storage;
    std::u16string title;
    HWND window = nullptr;
    HWND sheet = nullptr; // the sheet the page belongs to, once added to one

    PROPSHEETPAGEW* Psp() { return reinterpret_cast<PROPSHEETPAGEW*>(storage.data()); }
    bool Has(size_t offset, size_t size) const { return Psp0()->dwSize >= offset + size; }

private:
    const PROPSHEETPAGEW* Psp0() const {
        return reinterpret_cast<const PROPSHEETPAGEW*>(storage.data());
    }
};

PropSheetPage* FindPage(HPROPSHEETPAGE page);
// Runs PSPCB_CREATE and creates the page's dialog as a child of the sheet, inside the page's
// activation context when it asks for one. False when refused or when the dialog failed.
bool CreatePageWindow(HWND sheet, HPROPSHEETPAGE page, POINT origin);
// Destroys the page's dialog, runs PSPCB_RELEASE and forgets the page.
void ReleasePage(HPROPSHEETPAGE page);
// The page's template, for its size and, without PSP_USETITLE, its title.
bool PageTemplate(HPROPSHEETPAGE page, DialogTemplate* out);

} // namespace winsim
