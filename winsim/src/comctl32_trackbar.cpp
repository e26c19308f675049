// comctl32: the track bar (msctls_trackbar32).
//
// A program setting the position (TBM_SETPOS) hears nothing. A person dragging the thumb makes
// the bar send WM_HSCROLL (WM_VSCROLL with TBS_VERT) with TB_THUMBTRACK and the new position for
// each move, then, at the release, TB_THUMBPOSITION (only after a move), TB_ENDTRACK and the
// notification NM_RELEASEDCAPTURE. Keys send their scroll code and, when released, TB_ENDTRACK,
// without NM_RELEASEDCAPTURE since the mouse was never captured.
//
// TBM_SETRANGE takes two 16-bit unsigned halves, as documented (0 to 65535; larger or negative
// ranges go through TBM_SETRANGEMIN and TBM_SETRANGEMAX). A minimum above the maximum is not
// modelled, nor are selection ranges, tick marks of the program's own, buddies, tool tips, or
// line and page sizes other than the default ones.
//
// Painting sends NM_CUSTOMDRAW (CDDS_PREPAINT), as the control does at every paint; item-level
// custom drawing is not modelled.
#include "user32_internal.h"
#include "sim.h"

#include <algorithm>

namespace winsim {
namespace {

struct TrackBarState : ControlState {
    LONG min = 0, max = 100, pos = 0;
    LONG ticFrequency = 1;
    bool dragging = false;
};

LONG Clamp(const TrackBarState& s, LONG value) {
    return std::max(s.min, std::min(s.max, value));
}

// The page a key moves by: a fifth of the range (TBM_SETPAGESIZE is not modelled); a line is 1.
LONG PageSize(const TrackBarState& s) {
    return std::max<LONG>(1, (s.max - s.min) / 5);
}

TrackBarState* TrackBarOf(HWND window) {
    return StateOf<TrackBarState>(window);
}

bool IsTrackBar(HWND window) {
    Window* w = FindWindowObject(window);
    return w && w->windowClass->proc == TrackBarWindowProc;
}

// The parent hears scroll codes through WM_HSCROLL or WM_VSCROLL.
void Scroll(HWND bar, WORD code, LONG position) {
    Window* w = FindWindowObject(bar);
    if (!w)
        return;
    UINT msg = (w->style & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    WORD high =
        (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) ? static_cast<WORD>(position) : 0;
    SendMessageW(w->parent, msg, MAKEWPARAM(code, high), reinterpret_cast<LPARAM>(bar));
}

void Redraw(HWND hwnd, WPARAM redraw) {
    if (redraw)
        InvalidateWindow(hwnd, true, false);
}

LRESULT CustomDraw(HWND hwnd, HDC dc) {
    Window* w = FindWindowObject(hwnd);
    NMCUSTOMDRAW nm = {};
    nm.dwDrawStage = CDDS_PREPAINT;
    nm.hdc = dc;
    nm.rc = {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    if (w->style & WS_DISABLED)
        nm.uItemState |= CDIS_DISABLED;
    if (GetFocus() == hwnd)
        nm.uItemState |= CDIS_FOCUS;
    LRESULT answer = NotifyParent(hwnd, &nm.hdr, NM_CUSTOMDRAW);
    if (answer & CDRF_NOTIFYITEMDRAW)
        Unmodelled("track bar custom drawing of its parts (CDRF_NOTIFYITEMDRAW)");
    if ((answer & CDRF_NOTIFYPOSTPAINT) && IsWindow(hwnd)) {
        nm.dwDrawStage = CDDS_POSTPAINT;
        NotifyParent(hwnd, &nm.hdr, NM_CUSTOMDRAW);
    }
    return 0;
}

LRESULT KeyDown(HWND hwnd, UINT key) {
    TrackBarState& s = *TrackBarOf(hwnd);
    Window* w = FindWindowObject(hwnd);
    if (w->style & (TBS_REVERSED | TBS_DOWNISLEFT))
        Unmodelled("keys on a track bar with TBS_REVERSED or TBS_DOWNISLEFT");
    WORD code;
    LONG next;
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        code = TB_LINEUP;
        next = s.pos - 1;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        code = TB_LINEDOWN;
        next = s.pos + 1;
        break;
    case VK_PRIOR:
        code = TB_PAGEUP;
        next = s.pos - PageSize(s);
        break;
    case VK_NEXT:
        code = TB_PAGEDOWN;
        next = s.pos + PageSize(s);
        break;
    case VK_HOME:
        code = TB_TOP;
        next = s.min;
        break;
    case VK_END:
        code = TB_BOTTOM;
        next = s.max;
        break;
    default:
        return 0;
    }
    s.pos = Clamp(s, next);
    InvalidateWindow(hwnd, true, false);
    Scroll(hwnd, code, s.pos);
    return 0;
}

bool IsDirectionKey(UINT key) {
    switch (key) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        return true;
    default:
        return false;
    }
}

HWND TrackBarControl(HWND dialog, int id, const char* action) {
    HWND control = ReachableControl(dialog, id, action);
    if (!IsTrackBar(control))
        Unmodelled("%s on a %s control", action, ClassNameForLog(control));
    if (FindWindowObject(control)->style & TBS_NOTIFYBEFOREMOVE)
        Unmodelled("%s: track bars with TBS_NOTIFYBEFOREMOVE", action);
    return control;
}

} // namespace

LRESULT CALLBACK TrackBarWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    TrackBarState& s = EnsureState<TrackBarState>(*w);
    switch (msg) {
    case TBM_GETPOS:
        return s.pos;
    case TBM_GETRANGEMIN:
        return s.min;
    case TBM_GETRANGEMAX:
        return s.max;
    case TBM_SETPOS:
        s.pos = Clamp(s, static_cast<LONG>(lParam));
        Redraw(hwnd, wParam);
        return 0;
    case TBM_SETRANGE:
        s.min = LOWORD(lParam);
        s.max = HIWORD(lParam);
        if (s.min > s.max)
            Unmodelled("TBM_SETRANGE with a minimum (%d) above the maximum (%d)",
                       static_cast<int>(s.min), static_cast<int>(s.max));
        s.pos = Clamp(s, s.pos);
        Redraw(hwnd, wParam);
        return 0;
    case TBM_SETRANGEMIN:
        s.min = static_cast<LONG>(lParam);
        s.pos = Clamp(s, s.pos);
        Redraw(hwnd, wParam);
        return 0;
    case TBM_SETRANGEMAX:
        s.max = static_cast<LONG>(lParam);
        s.pos = Clamp(s, s.pos);
        Redraw(hwnd, wParam);
        return 0;
    case TBM_SETTICFREQ:
        s.ticFrequency = static_cast<LONG>(wParam);
        InvalidateWindow(hwnd, true, false);
        return 0;
    case TBM_GETNUMTICS:
        if (w->style & TBS_NOTICKS)
            return 0;
        if ((w->style & TBS_AUTOTICKS) && s.ticFrequency > 0)
            return (s.max - s.min) / s.ticFrequency + 2;
        return 2; // the first and the last (TBM_SETTIC is not modelled)
    case WM_KEYDOWN:
        return KeyDown(hwnd, static_cast<UINT>(wParam));
    case WM_KEYUP:
        if (IsDirectionKey(static_cast<UINT>(wParam)))
            Scroll(hwnd, TB_ENDTRACK, s.pos);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        CustomDraw(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        InvalidateWindow(hwnd, true, false);
        return 0;
    }
    if (msg >= WM_USER)
        UnmodelledMessage(hwnd, msg);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace winsim

namespace sim {

using namespace winsim;

void DragTrackBar(HWND dialog, int id, const std::vector<int>& positions) {
    HWND bar = TrackBarControl(dialog, id, "sim::DragTrackBar");
    // The mouse goes down on the thumb: the bar takes the focus and captures the mouse.
    SetFocus(bar);
    bool moved = false;
    for (int position : positions) {
        TrackBarState* s = TrackBarOf(bar);
        if (!s)
            return;
        LONG next = Clamp(*s, position);
        if (next == s->pos)
            continue;
        s->pos = next;
        moved = true;
        InvalidateWindow(bar, true, false);
        Scroll(bar, TB_THUMBTRACK, next);
    }
    // The release.
    if (TrackBarState* s = TrackBarOf(bar)) {
        if (moved)
            Scroll(bar, TB_THUMBPOSITION, s->pos);
        if ((s = TrackBarOf(bar)) != nullptr)
            Scroll(bar, TB_ENDTRACK, s->pos);
        if (IsWindow(bar)) {
            NMHDR nm = {};
            NotifyParent(bar, &nm, NM_RELEASEDCAPTURE);
        }
    }
    PumpQueue();
}

void DragTrackBar(HWND dialog, int id, int position) {
    DragTrackBar(dialog, id, std::vector<int>{position});
}

void PressKeyOnTrackBar(HWND dialog, int id, UINT virtualKey) {
    HWND bar = TrackBarControl(dialog, id, "sim::PressKeyOnTrackBar");
    if (!IsDirectionKey(virtualKey))
        Unmodelled("sim::PressKeyOnTrackBar: key 0x%02X", virtualKey);
    SetFocus(bar);
    SendMessageW(bar, WM_KEYDOWN, virtualKey, 1);
    SendMessageW(bar, WM_KEYUP, virtualKey, 0xC0000001);
    PumpQueue();
}

} // namespace sim
