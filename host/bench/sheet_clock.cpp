// The clock's hooks on the sheet's thread. One sheet at a time, as the person has.
#include "sheet_clock.h"

#include "stopwatch.h"

#include <prsht.h>

namespace {

// The dialog class's atom.
constexpr ATOM kDialogClass = 32770;

struct Pending {
    HWND window;
    UINT message;
    double since;
};

SheetTimes* g_times = nullptr;
// The hook that finds the sheet, gone once it is up, and the one that takes the clock's messages
// out of the sheet's queue, there while the sheet is.
HHOOK g_untilUp = nullptr;
HHOOK g_taking = nullptr;
HWND g_sheet = nullptr;
UINT g_upMessage = 0;
UINT g_paintMessage = 0;
HANDLE g_painted = nullptr;
std::vector<Pending> g_pending;

void Unhook(HHOOK& hook) {
    if (hook != nullptr)
        UnhookWindowsHookEx(hook);
    hook = nullptr;
}

void Unhook(HHOOK (&hooks)[2]) {
    for (HHOOK& hook : hooks)
        Unhook(hook);
}

bool IsPage(HWND window) {
    return g_sheet != nullptr && GetParent(window) == g_sheet;
}

// The messages whose handling is timed: the pages' initialisation and apply, the windows' end.
bool Timed(const CWPSTRUCT& call) {
    switch (call.message) {
    case WM_INITDIALOG:
        return IsPage(call.hwnd);
    case WM_NOTIFY:
        return IsPage(call.hwnd) &&
               reinterpret_cast<const NMHDR*>(call.lParam)->code == static_cast<UINT>(PSN_APPLY);
    case WM_DESTROY:
        return call.hwnd == g_sheet || IsPage(call.hwnd);
    default:
        return false;
    }
}

void Took(UINT message, double ms) {
    if (message == WM_INITDIALOG)
        g_times->pageInitMs.push_back(ms);
    else if (message == WM_NOTIFY) {
        g_times->applyMs += ms;
        ++g_times->applyNotices;
    } else
        g_times->destroyMs += ms;
}

LRESULT CALLBACK BeforeMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_times != nullptr && Timed(*call))
        g_pending.push_back({call->hwnd, call->message, NowMs()});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && g_times != nullptr) {
        for (size_t i = g_pending.size(); i-- > 0;) {
            if (g_pending[i].window == call->hwnd && g_pending[i].message == call->message) {
                Took(call->message, NowMs() - g_pending[i].since);
                g_pending.erase(g_pending.begin() + static_cast<std::ptrdiff_t>(i));
                break;
            }
        }
        if (call->message == WM_NCDESTROY && call->hwnd == g_sheet)
            g_times->destroyed = NowMs();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The sheet is the first dialog window made after the call; once the sheet is shown (its first
// page made and initialised) it is told to stamp the moment it is up.
LRESULT CALLBACK WindowEvent(int code, WPARAM wParam, LPARAM lParam) {
    auto window = reinterpret_cast<HWND>(wParam);
    if (g_times != nullptr && code == HCBT_CREATEWND && g_sheet == nullptr &&
        GetClassLongPtrW(window, GCW_ATOM) == kDialogClass &&
        (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) {
        g_sheet = window;
        g_times->created = NowMs();
    }
    if (g_times != nullptr && code == HCBT_ACTIVATE && window == g_sheet && !g_times->upSeen())
        PostMessageW(g_sheet, g_upMessage, 0, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The stamp comes out of the sheet's modal loop before anything it paints of itself: what is
// still to paint of the first page is painted here, then the sheet is up. A request to paint is
// answered the same way, on the sheet's thread.
LRESULT CALLBACK TakenMessage(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    bool ours =
        code == HC_ACTION && wParam == PM_REMOVE && g_sheet != nullptr && message->hwnd == g_sheet;
    bool up = ours && message->message == g_upMessage && g_times != nullptr;
    if (up || (ours && message->message == g_paintMessage)) {
        RedrawWindow(g_sheet, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        message->message = WM_NULL;
        if (up) {
            g_times->up = NowMs();
            Unhook(g_untilUp);
        } else {
            SetEvent(g_painted);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

bool OpenTimed(Sheet& sheet, const std::function<LONG(HWND owner)>& open, SheetTimes& times,
               bool phases) {
    times = SheetTimes();
    g_upMessage = RegisterWindowMessageW(TEXT("QvBenchSheetUp"));
    g_paintMessage = RegisterWindowMessageW(TEXT("QvBenchPaintNow"));
    if (g_painted == nullptr)
        g_painted = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    times.called = NowMs();
    bool opened = sheet.Open([&times, open, phases](HWND owner) {
        DWORD thread = GetCurrentThreadId();
        HHOOK messageHooks[2] = {};
        if (phases) {
            messageHooks[0] = SetWindowsHookExW(WH_CALLWNDPROC, BeforeMessage, nullptr, thread);
            messageHooks[1] = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, thread);
        }
        g_untilUp = SetWindowsHookExW(WH_CBT, WindowEvent, nullptr, thread);
        g_taking = SetWindowsHookExW(WH_GETMESSAGE, TakenMessage, nullptr, thread);
        g_pending.clear();
        g_sheet = nullptr;
        g_times = &times;
        LONG result = open(owner);
        times.returned = NowMs();
        g_times = nullptr;
        Unhook(messageHooks);
        Unhook(g_untilUp);
        Unhook(g_taking);
        g_sheet = nullptr;
        return result;
    });
    return opened && WaitUntil([&times] { return times.upSeen(); });
}

// Painting from another thread would race the sheet's own: a page whose paint the sheet has begun
// would be painted a second time inside it, by the messages the other thread sends.
void PaintNow(HWND sheet) {
    if (g_taking == nullptr || sheet != g_sheet || !PostMessageW(sheet, g_paintMessage, 0, 0))
        return;
    const DWORD deadline = GetTickCount() + kPatienceMs;
    for (;;) {
        DWORD now = GetTickCount();
        if (static_cast<LONG>(deadline - now) <= 0)
            return;
        DWORD woke =
            MsgWaitForMultipleObjects(1, &g_painted, FALSE, deadline - now, QS_SENDMESSAGE);
        if (woke != WAIT_OBJECT_0 + 1)
            return;
        MSG message; // answers what the sheet sends this thread meanwhile
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
