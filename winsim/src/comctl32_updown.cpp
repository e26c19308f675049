// comctl32: the up-down control (msctls_updown32) and its buddy window.
//
// The default range runs from 100 (minimum) to 0 (maximum); "up" always moves toward the
// maximum. With UDS_SETBUDDYINT the control writes its position into the buddy (WM_SETTEXT,
// so an edit buddy reports EN_CHANGE) whenever the position changes, with thousands separators
// unless UDS_NOTHOUSANDS, and reads the buddy's text back before it reports or changes the
// position. A person's click on an arrow sends UDN_DELTAPOS first (a non-zero answer refuses
// the change, and the parent may alter iDelta), then WM_VSCROLL (WM_HSCROLL with UDS_HORZ) with
// SB_THUMBPOSITION and the position, and SB_ENDSCROLL when the mouse is released. iDelta is
// the change the click asks for, so it is negative for the up arrow of a reversed range.
#include "user32_internal.h"
#include "sim.h"

#include <algorithm>

namespace winsim {
namespace {

struct UpDownState : ControlState {
    int lower = 100; // the minimum
    int upper = 0;   // the maximum
    int pos = 0;
    int base = 10;
    HWND buddy = nullptr;
    std::vector<UDACCEL> accel = {{0, 1}, {2, 5}, {5, 20}};
};

UpDownState* UpDownOf(HWND window) {
    return StateOf<UpDownState>(window);
}

bool IsUpDown(HWND window) {
    Window* w = FindWindowObject(window);
    return w && w->windowClass->proc == UpDownWindowProc;
}

int Low(const UpDownState& s) {
    return std::min(s.lower, s.upper);
}
int High(const UpDownState& s) {
    return std::max(s.lower, s.upper);
}
int Clamp(const UpDownState& s, long long v) {
    return static_cast<int>(std::max<long long>(Low(s), std::min<long long>(High(s), v)));
}

bool IsListBoxWindow(HWND window) {
    Window* w = FindWindowObject(window);
    return w && w->windowClass->proc == ListBoxWindowProc;
}

std::u16string FormatPosition(HWND self, int value) {
    Window* w = FindWindowObject(self);
    if (UpDownOf(self)->base != 10)
        Unmodelled("up-down buddy text in base %d", UpDownOf(self)->base);
    std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    if (!(w->style & UDS_NOTHOUSANDS))
        for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
            digits.insert(static_cast<size_t>(i), ",");
    if (value < 0)
        digits.insert(0, "-");
    return U16(digits.c_str());
}

void WriteBuddy(HWND self) {
    Window* w = FindWindowObject(self);
    UpDownState* s = UpDownOf(self);
    if (!w || !s || !(w->style & UDS_SETBUDDYINT) || !IsWindow(s->buddy))
        return;
    if (IsListBoxWindow(s->buddy))
        Unmodelled("an up-down control with a list box as its buddy");
    SetWindowTextW(s->buddy, FormatPosition(self, s->pos).c_str());
}

bool ParseBuddyText(const std::u16string& text, int base, long long* out) {
    size_t i = 0, end = text.size();
    while (i < end && text[i] == u' ')
        ++i;
    while (end > i && text[end - 1] == u' ')
        --end;
    bool negative = false;
    if (base == 10 && i < end && text[i] == u'-') {
        negative = true;
        ++i;
    }
    if (base == 16 && end - i > 2 && text[i] == u'0' &&
        (text[i + 1] == u'x' || text[i + 1] == u'X'))
        i += 2;
    long long value = 0;
    bool any = false;
    for (; i < end; ++i) {
        char16_t c = text[i];
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else if (base == 10 && c == u',' && any)
            continue; // thousands separator
        else
            return false;
        value = value * base + digit;
        if (value > 0x7FFFFFFFLL + 1)
            return false;
        any = true;
    }
    if (!any)
        return false;
    *out = negative ? -value : value;
    return true;
}

// The position as the buddy shows it; on success the control takes it over.
int ReadBuddy(HWND self, bool* error) {
    Window* w = FindWindowObject(self);
    UpDownState& s = *UpDownOf(self);
    *error = false;
    if (!(w->style & UDS_SETBUDDYINT))
        return s.pos;
    if (!IsWindow(s.buddy)) {
        *error = true;
        return s.pos;
    }
    if (IsListBoxWindow(s.buddy))
        Unmodelled("an up-down control with a list box as its buddy");
    int length = GetWindowTextLengthW(s.buddy);
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(s.buddy, &text[0], length + 1)));
    long long value;
    UpDownState* now = UpDownOf(self);
    if (!now)
        return 0;
    if (!ParseBuddyText(text, now->base, &value) || value < Low(*now) || value > High(*now)) {
        *error = true;
        return now->pos;
    }
    now->pos = static_cast<int>(value);
    return now->pos;
}

// UDS_ALIGNLEFT/UDS_ALIGNRIGHT: the control sits on the buddy's edge, and the buddy gives up
// the control's width.
void Attach(HWND self, HWND buddy) {
    Window* w = FindWindowObject(self);
    UpDownOf(self)->buddy = buddy;
    Window* b = FindWindowObject(buddy);
    if (!w || !b || !(w->style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)))
        return;
    LONG width = w->rect.right - w->rect.left;
    if (w->style & UDS_ALIGNRIGHT) {
        b->rect.right -= width;
        w->rect = {b->rect.right, b->rect.top, b->rect.right + width, b->rect.bottom};
    } else {
        w->rect = {b->rect.left, b->rect.top, b->rect.left + width, b->rect.bottom};
        b->rect.left += width;
    }
}

void Scroll(HWND self, WORD code, int position) {
    Window* w = FindWindowObject(self);
    if (!w)
        return;
    UINT msg = (w->style & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    SendMessageW(w->parent, msg, MAKEWPARAM(code, static_cast<WORD>(position)),
                 reinterpret_cast<LPARAM>(self));
}

} // namespace

LRESULT CALLBACK UpDownWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    UpDownState& s = EnsureState<UpDownState>(*w);
    switch (msg) {
    case WM_CREATE:
        if (w->style & UDS_AUTOBUDDY)
            if (HWND previous = GetWindow(hwnd, GW_HWNDPREV))
                Attach(hwnd, previous);
        return 0;
    case UDM_SETRANGE32:
        s.lower = static_cast<int>(wParam);
        s.upper = static_cast<int>(lParam);
        return 0;
    case UDM_GETRANGE32:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = s.lower;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = s.upper;
        return 0;
    case UDM_SETPOS32: {
        int previous = s.pos;
        s.pos = Clamp(s, static_cast<int>(lParam));
        InvalidateWindow(hwnd, true, false);
        WriteBuddy(hwnd);
        return previous;
    }
    case UDM_GETPOS: {
        bool error;
        int value = ReadBuddy(hwnd, &error);
        return MAKELONG(static_cast<WORD>(value), error ? 1 : 0);
    }
    case UDM_GETPOS32: {
        bool error;
        int value = ReadBuddy(hwnd, &error);
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = error ? TRUE : FALSE;
        return value;
    }
    case UDM_SETBUDDY: {
        HWND previous = s.buddy;
        Attach(hwnd, reinterpret_cast<HWND>(wParam));
        return reinterpret_cast<LRESULT>(previous);
    }
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(s.buddy);
    case UDM_SETACCEL:
        if (!wParam || !lParam)
            return FALSE;
        s.accel.assign(reinterpret_cast<const UDACCEL*>(lParam),
                       reinterpret_cast<const UDACCEL*>(lParam) + wParam);
        return TRUE;
    case UDM_SETBASE: {
        if (wParam != 10 && wParam != 16)
            return 0;
        int previous = s.base;
        s.base = static_cast<int>(wParam);
        return previous;
    }
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

void ClickUpDown(HWND dialog, int id, bool upArrow) {
    HWND control = ReachableControl(dialog, id, "sim::ClickUpDown");
    if (!IsUpDown(control))
        Unmodelled("sim::ClickUpDown on a %s control", ClassNameForLog(control));
    // The mouse goes down on the arrow: an edit buddy takes the focus.
    HWND buddy = UpDownOf(control)->buddy;
    if (IsWindow(buddy) && IsEdit(buddy))
        SetFocus(buddy);
    if (!UpDownOf(control))
        return;
    bool error;
    ReadBuddy(control, &error);
    UpDownState& s = *UpDownOf(control);
    int step = s.accel.empty() ? 1 : static_cast<int>(s.accel.front().nInc);
    int delta = upArrow ? step : -step;
    if (s.upper < s.lower)
        delta = -delta; // up moves toward the maximum, which lies below
    NMUPDOWN nm = {};
    nm.iPos = s.pos;
    nm.iDelta = delta;
    if (!NotifyParent(control, &nm.hdr, UDN_DELTAPOS) && UpDownOf(control)) {
        UpDownState& now = *UpDownOf(control);
        long long next = static_cast<long long>(now.pos) + nm.iDelta;
        if (next > High(now) || next < Low(now)) {
            if (FindWindowObject(control)->style & UDS_WRAP)
                next = next > High(now) ? Low(now) : High(now);
            else
                next = Clamp(now, next);
        }
        bool changed = next != now.pos;
        now.pos = static_cast<int>(next);
        if (changed) {
            InvalidateWindow(control, true, false);
            WriteBuddy(control);
        }
        if (UpDownState* after = UpDownOf(control))
            Scroll(control, SB_THUMBPOSITION, after->pos);
    }
    // The release ends the scroll, and an edit buddy gets its text selected.
    if (UpDownState* after = UpDownOf(control)) {
        Scroll(control, SB_ENDSCROLL, after->pos);
        if ((after = UpDownOf(control)) != nullptr && IsWindow(after->buddy) &&
            IsEdit(after->buddy))
            SendMessageW(after->buddy, EM_SETSEL, 0, -1);
    }
    PumpQueue();
}

} // namespace sim
