// The bare sheet: Layout, Paper/Media and Tarvik as the printing preferences show them.
#include "bare_sheet.h"

#include "resources/resource.h"

#include <commctrl.h>
#include <prsht.h>

namespace {

INT_PTR CALLBACK DoNothing(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

} // namespace

BareSheet::BareSheet(LPCWSTR pluginPath) {
    module_ = LoadLibraryExW(pluginPath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module_ == nullptr)
        return;
    const int ids[kPages] = {IDD_LAYOUT_PAGE, IDD_PAPER_PAGE, IDD_MAIN_PAGE};
    for (int id : ids) {
        HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), RT_DIALOG);
        HGLOBAL resource = found != nullptr ? LoadResource(module_, found) : nullptr;
        const void* bytes = resource != nullptr ? LockResource(resource) : nullptr;
        if (bytes == nullptr)
            return;
        templates_[pageCount_++] = static_cast<const DLGTEMPLATE*>(bytes);
    }
}

BareSheet::~BareSheet() {
    if (module_ != nullptr)
        FreeLibrary(module_);
}

INT_PTR BareSheet::Show(HWND owner, LPCWSTR caption) const {
    PROPSHEETPAGEW pages[kPages] = {};
    for (int i = 0; i < pageCount_; ++i) {
        pages[i].dwSize = sizeof(pages[i]);
        pages[i].dwFlags = PSP_DLGINDIRECT;
        pages[i].pResource = templates_[i];
        pages[i].pfnDlgProc = DoNothing;
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = owner;
    header.pszCaption = caption;
    header.nPages = static_cast<UINT>(pageCount_);
    header.ppsp = pages;
    return PropertySheetW(&header);
}
