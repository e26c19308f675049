// user32: timers. They fire only when a test moves winsim's clock on (sim::AdvanceClock); each
// falls due every interval until it is killed, as Windows timers do.
#include "user32_internal.h"
#include "sim.h"

#include <algorithm>

namespace winsim {
namespace {

struct Timer {
    HWND window;
    UINT_PTR id;
    UINT interval;
    TIMERPROC proc;
    unsigned long long due; // on the elapsed clock below
    unsigned long long order;
};

struct TimerState {
    std::vector<Timer> timers;
    unsigned long long elapsed = 0; // milliseconds advanced since the reset
    unsigned long long order = 0;
    UINT_PTR nextThreadId = 1;
};

TimerState& T() {
    static TimerState state;
    return state;
}

ResetHook g_reset([] { T() = TimerState(); });

std::vector<Timer>::iterator FindTimer(HWND window, UINT_PTR id) {
    return std::find_if(T().timers.begin(), T().timers.end(),
                        [&](const Timer& t) { return t.window == window && t.id == id; });
}

} // namespace

void KillTimersOf(HWND window) {
    auto& v = T().timers;
    v.erase(std::remove_if(v.begin(), v.end(), [&](const Timer& t) { return t.window == window; }),
            v.end());
}

} // namespace winsim

using namespace winsim;

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (hWnd && !ValidWindow(hWnd))
        return 0;
    elapse = std::max<UINT>(elapse, USER_TIMER_MINIMUM);
    elapse = std::min<UINT>(elapse, USER_TIMER_MAXIMUM);
    if (!hWnd && (id == 0 || FindTimer(nullptr, id) == T().timers.end())) {
        // A timer without a window gets an identifier of the system's choosing.
        while (FindTimer(nullptr, T().nextThreadId) != T().timers.end())
            ++T().nextThreadId;
        id = T().nextThreadId++;
    }
    // Setting an existing timer again replaces it and starts its interval afresh.
    auto existing = FindTimer(hWnd, id);
    if (existing != T().timers.end())
        T().timers.erase(existing);
    T().timers.push_back({hWnd, id, elapse, proc, T().elapsed + elapse, T().order++});
    return hWnd ? (id ? id : 1) : id;
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR id) {
    auto it = FindTimer(hWnd, id);
    if (it == T().timers.end())
        return FALSE;
    T().timers.erase(it);
    return TRUE;
}

namespace sim {

void AdvanceClock(DWORD milliseconds) {
    TimerState& s = T();
    unsigned long long target = s.elapsed + milliseconds;
    for (;;) {
        auto next =
            std::min_element(s.timers.begin(), s.timers.end(), [](const Timer& a, const Timer& b) {
                return a.due != b.due ? a.due < b.due : a.order < b.order;
            });
        if (next == s.timers.end() || next->due > target)
            break;
        if (next->due > s.elapsed) {
            winsim::AdvanceClock(static_cast<DWORD>(next->due - s.elapsed));
            s.elapsed = next->due;
        }
        Timer fired = *next;
        // The timer re-arms as its message is delivered.
        next->due = s.elapsed + next->interval;
        next->order = s.order++;
        MSG msg = {fired.window, WM_TIMER, fired.id, reinterpret_cast<LPARAM>(fired.proc),
                   ClockNow(),   {0, 0}};
        DispatchMessageW(&msg);
        PumpQueue();
    }
    if (target > s.elapsed) {
        winsim::AdvanceClock(static_cast<DWORD>(target - s.elapsed));
        s.elapsed = target;
    }
}

std::vector<TimerInfo> ActiveTimers() {
    std::vector<TimerInfo> out;
    for (const Timer& t : T().timers)
        out.push_back(
            {t.window, t.id, t.interval, t.proc, static_cast<DWORD>(t.due - T().elapsed)});
    return out;
}

} // namespace sim
