// comctl32: property sheet pages. CreatePropertySheetPageW copies the caller's PROPSHEETPAGEW
// and, with PSP_USECALLBACK, calls PSPCB_ADDREF as version 6 does. The page's dialog is made
// only when the sheet first shows the page: PSPCB_CREATE may refuse it, and with
// PSP_USEFUSIONCONTEXT the dialog is created inside the page's activation context.
// WM_INITDIALOG's lParam is the copy, whose lParam member carries the caller's data. Pages come
// from a module's templates; PSP_USETITLE, PSP_USECALLBACK and PSP_USEFUSIONCONTEXT are the only
// flags modelled.
#include "comctl32_propsheet.h"
#include "sim.h"

#include <algorithm>
#include <cstring>

namespace winsim {
namespace {

struct PageState {
    HandleTable<HPROPSHEETPAGE, PropSheetPage> pages;
};

PageState& S() {
    static PageState state;
    return state;
}

ResetHook g_reset([] { S().pages.Clear(); });

std::u16string LoadText(HINSTANCE instance, LPCWSTR text) {
    if (!text)
        return {};
    if (!IS_INTRESOURCE(text))
        return text;
    WCHAR buffer[256];
    int n = LoadStringW(instance, LOWORD(reinterpret_cast<ULONG_PTR>(text)), buffer, 256);
    return std::u16string(buffer, static_cast<size_t>(n));
}

// The page flags that are not modelled: only PSP_USETITLE, PSP_USECALLBACK and
// PSP_USEFUSIONCONTEXT are.
const std::pair<DWORD, const char*> kUnmodelledFlags[] = {
    {PSP_DLGINDIRECT, "PSP_DLGINDIRECT"},
    {PSP_USEHICON, "PSP_USEHICON"},
    {PSP_USEICONID, "PSP_USEICONID"},
    {PSP_RTLREADING, "PSP_RTLREADING"},
    {PSP_HASHELP, "PSP_HASHELP"},
    {PSP_USEREFPARENT, "PSP_USEREFPARENT"},
    {PSP_PREMATURE, "PSP_PREMATURE"},
    {PSP_HIDEHEADER, "PSP_HIDEHEADER"},
    {PSP_USEHEADERTITLE, "PSP_USEHEADERTITLE"},
    {PSP_USEHEADERSUBTITLE, "PSP_USEHEADERSUBTITLE"}};

bool UsesActivationContext(PropSheetPage& p) {
    PROPSHEETPAGEW* psp = p.Psp();
    return (psp->dwFlags & PSP_USEFUSIONCONTEXT) &&
           p.Has(offsetof(PROPSHEETPAGEW, hActCtx), sizeof(HANDLE)) && psp->hActCtx &&
           psp->hActCtx != INVALID_HANDLE_VALUE;
}

} // namespace

PropSheetPage* FindPage(HPROPSHEETPAGE page) {
    return S().pages.Find(page);
}

bool PageTemplate(HPROPSHEETPAGE page, DialogTemplate* out) {
    PropSheetPage* p = FindPage(page);
    if (!p)
        return false;
    PROPSHEETPAGEW* psp = p->Psp();
    return LoadDialogTemplate(psp->hInstance, psp->pszTemplate, out);
}

bool CreatePageWindow(HWND sheet, HPROPSHEETPAGE page, POINT origin) {
    PropSheetPage* p = FindPage(page);
    if (!p)
        return false;
    if (p->window)
        return true;
    PROPSHEETPAGEW* psp = p->Psp();
    if ((psp->dwFlags & PSP_USECALLBACK) && psp->pfnCallback &&
        !psp->pfnCallback(nullptr, PSPCB_CREATE, psp))
        return false;
    DialogTemplate t;
    if (!PageTemplate(page, &t))
        return false;
    // A page is a child dialog of the sheet, hidden until the sheet shows it.
    t.style &= ~static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE |
                                   WS_DISABLED | DS_MODALFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    t.style |= WS_CHILD | WS_TABSTOP | DS_CONTROL | DS_3DLOOK;
    t.x = static_cast<short>(origin.x);
    t.y = static_cast<short>(origin.y);

    ULONG_PTR cookie = 0;
    bool activated = UsesActivationContext(*p) && ActivateActCtx(psp->hActCtx, &cookie);
    int templateId = IS_INTRESOURCE(psp->pszTemplate)
                         ? LOWORD(reinterpret_cast<ULONG_PTR>(psp->pszTemplate))
                         : 0;
    HWND window = CreateDialogFromTemplate(psp->hInstance, t, sheet, psp->pfnDlgProc,
                                           reinterpret_cast<LPARAM>(psp), false, templateId);
    if (activated)
        DeactivateActCtx(0, cookie);
    if ((p = FindPage(page)) != nullptr)
        p->window = window;
    return window != nullptr;
}

void ReleasePage(HPROPSHEETPAGE page) {
    PropSheetPage* p = FindPage(page);
    if (!p)
        return;
    if (p->window && IsWindow(p->window))
        DestroyWindow(p->window);
    if ((p = FindPage(page)) == nullptr)
        return;
    PROPSHEETPAGEW* psp = p->Psp();
    if ((psp->dwFlags & PSP_USECALLBACK) && psp->pfnCallback)
        psp->pfnCallback(nullptr, PSPCB_RELEASE, psp);
    if (FindPage(page))
        S().pages.Remove(page);
}

} // namespace winsim

using namespace winsim;

HPROPSHEETPAGE WINAPI CreatePropertySheetPageW(LPCPROPSHEETPAGEW psp) {
    if (!psp || psp->dwSize < PROPSHEETPAGEW_V1_SIZE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DWORD flags = psp->dwFlags;
    for (const auto& [flag, name] : kUnmodelledFlags)
        if (flags & flag)
            Unmodelled("property page flag %s", name);
    auto page = std::make_unique<PropSheetPage>();
    // The copy is as long as the caller's structure (which may carry data of its own after
    // it), and never shorter than the current structure, whose missing members read as zero.
    page->storage.assign(std::max<size_t>(psp->dwSize, sizeof(PROPSHEETPAGEW)), 0);
    std::memcpy(page->storage.data(), psp, psp->dwSize);
    if (flags & PSP_USETITLE)
        page->title = LoadText(psp->hInstance, psp->pszTitle);
    PropSheetPage* p = page.get();
    HPROPSHEETPAGE handle = S().pages.Add(std::move(page));
    if ((flags & PSP_USECALLBACK) && p->Psp()->pfnCallback)
        p->Psp()->pfnCallback(nullptr, PSPCB_ADDREF, p->Psp());
    return handle;
}

BOOL WINAPI DestroyPropertySheetPage(HPROPSHEETPAGE page) {
    PropSheetPage* p = FindPage(page);
    if (!p)
        return FALSE;
    if (p->sheet && IsWindow(p->sheet))
        Unmodelled("DestroyPropertySheetPage of a page that belongs to a property sheet");
    ReleasePage(page);
    return TRUE;
}

namespace sim {
std::size_t LivePropertySheetPages() {
    return S().pages.Count();
}
} // namespace sim
