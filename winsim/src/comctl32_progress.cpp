// comctl32: the progress bar (msctls_progress32). Positions stay within the range, which is set
// by PBM_SETRANGE (PBM_SETRANGE32, colours and states are not modelled).
#include "user32_internal.h"

#include <algorithm>

namespace winsim {
namespace {

struct ProgressState : ControlState {
    int low = 0, high = 100, pos = 0, step = 10;
};

int Clamp(const ProgressState& s, long long value) {
    return static_cast<int>(std::min<long long>(std::max<long long>(value, s.low), s.high));
}

} // namespace

LRESULT CALLBACK ProgressWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    ProgressState& s = EnsureState<ProgressState>(*w);
    switch (msg) {
    case WM_NCCREATE:
        if (w->style & PBS_MARQUEE)
            Unmodelled("marquee progress bars");
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case PBM_SETRANGE: {
        LRESULT previous = MAKELRESULT(static_cast<WORD>(s.low), static_cast<WORD>(s.high));
        s.low = LOWORD(lParam);
        s.high = HIWORD(lParam);
        s.pos = Clamp(s, s.pos);
        InvalidateWindow(hwnd, true, false);
        return previous;
    }
    case PBM_GETRANGE:
        if (lParam) {
            PBRANGE* range = reinterpret_cast<PBRANGE*>(lParam);
            range->iLow = s.low;
            range->iHigh = s.high;
        }
        return wParam ? s.low : s.high;
    case PBM_SETPOS: {
        int previous = s.pos;
        s.pos = Clamp(s, static_cast<int>(wParam));
        InvalidateWindow(hwnd, true, false);
        return previous;
    }
    case PBM_GETPOS:
        return s.pos;
    case PBM_SETSTEP: {
        int previous = s.step;
        s.step = static_cast<int>(wParam);
        return previous;
    }
    case PBM_STEPIT: {
        // Past the end the bar starts over from the beginning.
        int previous = s.pos;
        long long next = static_cast<long long>(s.pos) + s.step;
        long long span = static_cast<long long>(s.high) - s.low;
        if (next > s.high && span > 0)
            next = s.low + (next - s.low) % span;
        s.pos = Clamp(s, next);
        InvalidateWindow(hwnd, true, false);
        return previous;
    }
    }
    if (msg >= WM_USER)
        UnmodelledMessage(hwnd, msg);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace winsim
