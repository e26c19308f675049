// user32: invalidation, painting, device contexts of windows and owner-drawn controls.
//
// winsim keeps one flag per window instead of an update region: a window is either in need of
// painting or not. Invalidating part of a window marks the window, and those children whose
// rectangles meet the part.
#include "user32_internal.h"
#include "sim.h"

namespace winsim {
namespace {

struct PaintState {
    std::vector<sim::RedrawRecord> redraws;
    std::vector<HWND> paints;
};

PaintState& P() {
    static PaintState state;
    return state;
}

ResetHook g_reset([] {
    P().redraws.clear();
    P().paints.clear();
});

bool Intersects(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Which children a redraw of their parent includes: RDW_ALLCHILDREN and RDW_NOCHILDREN decide;
// without either, the children are included unless the parent clips them (WS_CLIPCHILDREN),
// since the parent's painting then covers them.
bool IncludesChildren(HWND window, UINT flags) {
    if (flags & RDW_ALLCHILDREN)
        return true;
    if (flags & RDW_NOCHILDREN)
        return false;
    Window* w = FindWindowObject(window);
    return w && !(w->style & WS_CLIPCHILDREN);
}

void MarkInvalid(HWND window, const RECT* part, bool erase, bool withChildren) {
    Window* w = FindWindowObject(window);
    if (!w || !IsReallyVisible(window))
        return;
    w->invalid = true;
    if (erase)
        w->erasePending = true;
    if (!withChildren)
        return;
    for (HWND child : w->children) {
        Window* c = FindWindowObject(child);
        if (c && (!part || Intersects(*part, c->rect)))
            MarkInvalid(child, nullptr, erase, true);
    }
}

void MarkValid(HWND window, bool withChildren) {
    Window* w = FindWindowObject(window);
    if (!w)
        return;
    w->invalid = false;
    w->erasePending = false;
    if (withChildren)
        for (HWND child : w->children)
            MarkValid(child, true);
}

void Record(const char* function, HWND window, const RECT* rect, UINT flags) {
    sim::RedrawRecord r = {function, window, rect != nullptr, rect ? *rect : RECT{0, 0, 0, 0},
                           flags};
    P().redraws.push_back(r);
}

// The first window of a visible subtree, in pre-order, that needs painting. A hidden window's
// children are not really visible, so its subtree is passed over. No message is sent here.
HWND FirstInvalid(HWND root) {
    Window* w = FindWindowObject(root);
    if (!w || !(w->style & WS_VISIBLE))
        return nullptr;
    if (w->invalid)
        return root;
    for (HWND child : w->children)
        if (HWND found = FirstInvalid(child))
            return found;
    return nullptr;
}

} // namespace

void InvalidateWindow(HWND window, bool erase, bool withChildren) {
    MarkInvalid(window, nullptr, erase, withChildren);
}

void PaintNow(HWND window, bool withChildren) {
    Window* w = FindWindowObject(window);
    if (!w)
        return;
    if (w->invalid && IsReallyVisible(window)) {
        SendMessageW(window, WM_PAINT, 0, 0);
        if ((w = FindWindowObject(window)) != nullptr && w->invalid)
            Unmodelled("a %s window left WM_PAINT without validating itself (BeginPaint/EndPaint)",
                       ClassNameForLog(window));
    }
    if (!withChildren || !(w = FindWindowObject(window)))
        return;
    for (HWND child : std::vector<HWND>(w->children))
        PaintNow(child, true);
}

std::size_t& UpdateFlag::SetCount() {
    static std::size_t count = 0;
    return count;
}

HWND NextWindowToPaint() {
    if (UpdateFlag::SetCount() == 0)
        return nullptr;
    for (HWND top : TopLevelWindows())
        if (HWND h = FirstInvalid(top))
            return h;
    return nullptr;
}

void RecordPaint(HWND window) {
    P().paints.push_back(window);
}

void SendDrawItem(HWND control, UINT controlType, HDC dc, UINT itemState) {
    Window* w = FindWindowObject(control);
    if (!w || !w->IsChild())
        return;
    if (w->style & WS_DISABLED)
        itemState |= ODS_DISABLED;
    if (GetFocus() == control)
        itemState |= ODS_FOCUS;
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = controlType;
    dis.CtlID = static_cast<UINT>(w->id);
    dis.itemID = 0;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = itemState;
    dis.hwndItem = control;
    dis.hDC = dc;
    dis.rcItem = {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    SendMessageW(w->parent, WM_DRAWITEM, static_cast<WPARAM>(w->id),
                 reinterpret_cast<LPARAM>(&dis));
}

} // namespace winsim

using namespace winsim;

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* rect, HRGN region, UINT flags) {
    if (!hWnd)
        Unmodelled("RedrawWindow of the desktop");
    if (region)
        Unmodelled("RedrawWindow with an update region (regions are not modelled)");
    if (flags & RDW_ERASENOW)
        Unmodelled("RedrawWindow with RDW_ERASENOW");
    if (!ValidWindow(hWnd))
        return FALSE;
    Record("RedrawWindow", hWnd, rect, flags);
    bool children = IncludesChildren(hWnd, flags);
    if (flags & (RDW_INVALIDATE | RDW_INTERNALPAINT))
        MarkInvalid(hWnd, rect, (flags & RDW_ERASE) != 0, children);
    if (flags & RDW_VALIDATE)
        MarkValid(hWnd, children);
    if (flags & RDW_NOERASE)
        if (Window* w = FindWindowObject(hWnd))
            w->erasePending = false;
    if (flags & RDW_UPDATENOW)
        PaintNow(hWnd, children);
    return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* rect, BOOL erase) {
    if (!hWnd)
        Unmodelled("InvalidateRect of every window (null window)");
    if (!ValidWindow(hWnd))
        return FALSE;
    UINT flags = RDW_INVALIDATE | (erase ? RDW_ERASE : 0);
    Record("InvalidateRect", hWnd, rect, flags);
    MarkInvalid(hWnd, rect, erase != 0, IncludesChildren(hWnd, flags));
    return TRUE;
}

HDC WINAPI GetDC(HWND hWnd) {
    if (!hWnd)
        Unmodelled("GetDC of the screen");
    if (!ValidWindow(hWnd))
        return nullptr;
    return CreateWindowDC(hWnd);
}

int WINAPI ReleaseDC(HWND, HDC dc) {
    return ReleaseWindowDC(dc) ? 1 : 0;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT ps) {
    Window* w = ValidWindow(hWnd);
    if (!w || !ps)
        return nullptr;
    HDC dc = CreateWindowDC(hWnd);
    *ps = {};
    ps->hdc = dc;
    ps->rcPaint = {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    bool erase = w->erasePending;
    w->invalid = false;
    w->erasePending = false;
    RecordPaint(hWnd);
    if (erase)
        ps->fErase =
            SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    return dc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* ps) {
    if (ps && ps->hdc)
        ReleaseWindowDC(ps->hdc);
    return TRUE;
}

namespace sim {

void Paint(HWND window) {
    if (!IsWindow(window))
        Unmodelled("sim::Paint of a window that does not exist");
    if (!IsReallyVisible(window))
        Unmodelled("sim::Paint of a %s window that is not visible", ClassNameForLog(window));
    MarkInvalid(window, nullptr, true, true);
    PaintNow(window, true);
}

const std::vector<RedrawRecord>& RedrawLog() {
    return P().redraws;
}
const std::vector<HWND>& PaintLog() {
    return P().paints;
}

} // namespace sim
