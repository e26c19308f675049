// user32: sending and posting messages, the thread's message queue, the default window
// procedure, notifications from controls, and broadcasts.
#include "user32_internal.h"
#include "sim.h"

#include <algorithm>
#include <cstring>
#include <deque>

namespace winsim {
namespace {

struct MessageState {
    std::deque<MSG> queue;
    std::vector<sim::Broadcast> broadcasts;
    int depth = 0;
};

MessageState& M() {
    static MessageState state;
    return state;
}

ResetHook g_reset([] {
    M().queue.clear();
    M().broadcasts.clear();
    M().depth = 0;
});

// Recursion this deep means two windows keep answering each other; Windows would overflow the
// stack, winsim stops with a message instead.
constexpr int kMaxSendDepth = 256;

LRESULT DefaultGetText(Window& w, WPARAM max, LPARAM buffer) {
    WCHAR* out = reinterpret_cast<WCHAR*>(buffer);
    if (max == 0 || !out)
        return 0;
    size_t n = std::min<size_t>(w.text.size(), max - 1);
    std::memcpy(out, w.text.data(), n * sizeof(WCHAR));
    out[n] = 0;
    return static_cast<LRESULT>(n);
}

// WM_SETTEXT keeps whatever text it is given, U+FFFF at its start included.
void SetText(Window& w, LPCWSTR text) {
    if (!text)
        w.text.clear();
    else
        w.text = text;
}

// A window's name at its creation: a dialog item's ordinal title (0xFFFF, id) names a resource,
// not a text.
void SetTextFromName(Window& w, LPCWSTR name) {
    SetText(w, name != nullptr && name[0] == 0xFFFF ? nullptr : name);
}

} // namespace

LRESULT NotifyParentCommand(HWND control, WORD code) {
    Window* w = FindWindowObject(control);
    if (!w || !w->IsChild())
        return 0;
    return SendMessageW(w->parent, WM_COMMAND, MAKEWPARAM(LOWORD(w->id), code),
                        reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, NMHDR* header, UINT code) {
    Window* w = FindWindowObject(control);
    if (!w || !w->IsChild())
        return 0;
    header->hwndFrom = control;
    header->idFrom = w->id;
    header->code = code;
    return SendMessageW(w->parent, WM_NOTIFY, static_cast<WPARAM>(w->id),
                        reinterpret_cast<LPARAM>(header));
}

void UnmodelledMessage(HWND window, UINT message) {
    Unmodelled("message 0x%04X sent to a %s window", message, ClassNameForLog(window));
}

void DropPostedMessages(HWND window) {
    auto& q = M().queue;
    q.erase(std::remove_if(q.begin(), q.end(), [&](const MSG& m) { return m.hwnd == window; }),
            q.end());
}

void PumpQueue() {
    MSG msg;
    for (int turns = 0; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++turns) {
        if (turns > 100000)
            Unmodelled("a message loop that never becomes idle");
        if (msg.message == WM_QUIT)
            Unmodelled("WM_QUIT in winsim's message loop");
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace winsim

using namespace winsim;

LRESULT WINAPI SendMessageW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd == HWND_BROADCAST)
        Unmodelled("SendMessageW to HWND_BROADCAST (use SendMessageTimeoutW)");
    Window* w = ValidWindow(hWnd);
    if (!w)
        return 0;
    WNDPROC proc = w->proc;
    if (++M().depth > kMaxSendDepth)
        Unmodelled("messages sent recursively more than %d deep (message 0x%04X to a %s window)",
                   kMaxSendDepth, msg, ClassNameForLog(hWnd));
    LRESULT result = proc(hWnd, msg, wParam, lParam);
    --M().depth;
    return result;
}

BOOL WINAPI PostMessageW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd == HWND_BROADCAST)
        Unmodelled("PostMessageW to HWND_BROADCAST");
    if (hWnd && !ValidWindow(hWnd))
        return FALSE;
    MSG m = {hWnd, msg, wParam, lParam, ClockNow(), {0, 0}};
    M().queue.push_back(m);
    return TRUE;
}

BOOL WINAPI PeekMessageW(LPMSG out, HWND hWnd, UINT first, UINT last, UINT remove) {
    if (remove & ~(PM_REMOVE | PM_NOYIELD))
        Unmodelled("PeekMessageW flags 0x%X", remove);
    auto matches = [&](UINT message, HWND target) {
        bool windowOk = !hWnd || (hWnd == reinterpret_cast<HWND>(-1) ? target == nullptr
                                                                     : IsInSubtree(hWnd, target));
        bool rangeOk = (first == 0 && last == 0) || (message >= first && message <= last);
        return windowOk && rangeOk;
    };
    auto& q = M().queue;
    for (auto it = q.begin(); it != q.end(); ++it) {
        if (matches(it->message, it->hwnd)) {
            if (out)
                *out = *it;
            if (remove & PM_REMOVE)
                q.erase(it);
            return TRUE;
        }
    }
    // With the queue empty the loop gets WM_PAINT for windows that need painting.
    if (HWND paint = NextWindowToPaint()) {
        if (matches(WM_PAINT, paint)) {
            if (out)
                *out = {paint, WM_PAINT, 0, 0, ClockNow(), {0, 0}};
            return TRUE;
        }
    }
    return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT WINAPI DispatchMessageW(const MSG* msg) {
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, ClockNow());
        return 0;
    }
    if (!msg->hwnd)
        return 0;
    if (!FindWindowObject(msg->hwnd))
        return 0;
    LRESULT r = SendMessageW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT) {
        Window* w = FindWindowObject(msg->hwnd);
        if (w && w->invalid)
            Unmodelled("a %s window left WM_PAINT without validating itself (BeginPaint/EndPaint); "
                       "Windows would send WM_PAINT again and again",
                       ClassNameForLog(msg->hwnd));
    }
    return r;
}

LRESULT WINAPI SendMessageTimeoutW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT flags,
                                   UINT timeout, PDWORD_PTR result) {
    if (hWnd != HWND_BROADCAST) {
        if (!ValidWindow(hWnd))
            return 0;
        LRESULT r = SendMessageW(hWnd, msg, wParam, lParam);
        if (result)
            *result = static_cast<DWORD_PTR>(r);
        return TRUE;
    }
    sim::Broadcast b = {msg, wParam, lParam, {}, flags, timeout};
    if ((msg == WM_DEVMODECHANGE || msg == WM_SETTINGCHANGE) && lParam)
        b.text = reinterpret_cast<LPCWSTR>(lParam);
    else if (msg != WM_DEVMODECHANGE && msg != WM_SETTINGCHANGE && msg >= WM_USER)
        Unmodelled("broadcast of private message 0x%04X", msg);
    M().broadcasts.push_back(b);
    // Every top-level window of winsim's one process receives it too.
    for (HWND top : TopLevelWindowsInOrder())
        if (FindWindowObject(top))
            SendMessageW(top, msg, wParam, lParam);
    if (result)
        *result = 0;
    return TRUE;
}

LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = FindWindowObject(hWnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_NCCREATE:
        SetTextFromName(*w, reinterpret_cast<CREATESTRUCTW*>(lParam)->lpszName);
        return TRUE;
    case WM_SETTEXT:
        SetText(*w, reinterpret_cast<LPCWSTR>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return DefaultGetText(*w, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_NCACTIVATE:
        return TRUE;
    case WM_NULL:
    case WM_CREATE:
    case WM_DESTROY:
    case WM_NCDESTROY:
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETREDRAW:
    case WM_SHOWWINDOW:
    case WM_SETTINGCHANGE:
    case WM_DEVMODECHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_FONTCHANGE:
    case WM_TIMECHANGE:
    case WM_CANCELMODE:
    case WM_SETFONT:
    case WM_GETFONT:
    case WM_GETMINMAXINFO:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_NOTIFY:
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
    case WM_GETDLGCODE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_INITDIALOG:
    case WM_COMMAND:
    case WM_TIMER:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CHANGEUISTATE:
    case WM_UPDATEUISTATE:
    case WM_QUERYUISTATE:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_PARENTNOTIFY:
    case WM_CAPTURECHANGED:
    case WM_THEMECHANGED:
    case WM_USERCHANGED:
        return 0;
    }
    // Private messages of applications (to their own windows and dialogs) get the default
    // answer 0; a control of the platform's own classes that falls through here has met a
    // message of its class that is not modelled.
    if (msg >= WM_USER) {
        Window* window = FindWindowObject(hWnd);
        if (window != nullptr && window->windowClass->system &&
            window->ClassName() != kDialogClass && msg < WM_APP)
            UnmodelledMessage(hWnd, msg);
        return 0;
    }
    Unmodelled("DefWindowProcW: message 0x%04X to a %s window", msg, ClassNameForLog(hWnd));
}

namespace sim {
void PumpMessages() {
    PumpQueue();
}
const std::vector<Broadcast>& Broadcasts() {
    return M().broadcasts;
}
} // namespace sim
