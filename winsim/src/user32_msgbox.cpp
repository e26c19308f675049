// user32: message boxes, answered from the queue of the person's answers, and beeps, which
// winsim does not sound.
#include "user32_internal.h"
#include "sim.h"

#include <deque>

namespace winsim {
namespace {

struct MessageBoxState {
    std::deque<int> answers;
    std::vector<sim::MessageBoxRecord> log;
};

MessageBoxState& S() {
    static MessageBoxState state;
    return state;
}

ResetHook g_reset([] {
    S().answers.clear();
    S().log.clear();
});

// The buttons of each MB_ type, which are the answers a person can give.
bool IsButtonOf(UINT buttons, int answer) {
    switch (buttons) {
    case MB_OK:
        return answer == IDOK;
    case MB_OKCANCEL:
        return answer == IDOK || answer == IDCANCEL;
    case MB_ABORTRETRYIGNORE:
        return answer == IDABORT || answer == IDRETRY || answer == IDIGNORE;
    case MB_YESNOCANCEL:
        return answer == IDYES || answer == IDNO || answer == IDCANCEL;
    case MB_YESNO:
        return answer == IDYES || answer == IDNO;
    case MB_RETRYCANCEL:
        return answer == IDRETRY || answer == IDCANCEL;
    case MB_CANCELTRYCONTINUE:
        return answer == IDCANCEL || answer == IDTRYAGAIN || answer == IDCONTINUE;
    default:
        return false;
    }
}

} // namespace
} // namespace winsim

using namespace winsim;

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR text, LPCWSTR caption, UINT type) {
    if (hWnd && !IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    UINT buttons = type & MB_TYPEMASK;
    if (buttons > MB_CANCELTRYCONTINUE)
        Unmodelled("MessageBoxW button set %u", buttons);
    sim::MessageBoxRecord record = {hWnd, text ? text : u"", caption ? caption : u"Error", type, 0};
    if (S().answers.empty())
        Unmodelled("a message box appeared that the test did not expect (no answer queued): "
                   "\"%s\" (caption \"%s\")",
                   Utf8(record.text).c_str(), Utf8(record.caption).c_str());
    int answer = S().answers.front();
    S().answers.pop_front();
    if (!IsButtonOf(buttons, answer))
        Unmodelled("the queued answer %d is not a button of the message box \"%s\" (type 0x%X)",
                   answer, Utf8(record.text).c_str(), type);

    // The box is modal: its owner's top-level window is disabled and loses the keyboard focus
    // while it is shown, and gets both back when it closes.
    // As with a modal dialog, the box takes the focus first and then disables the owner.
    HWND focus = GetFocus();
    if (focus)
        SetFocus(nullptr);
    HWND root = hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr;
    bool disabled = root && IsWindowEnabled(root);
    if (disabled)
        EnableWindow(root, FALSE);
    record.answer = answer;
    S().log.push_back(record);
    if (disabled && IsWindow(root))
        EnableWindow(root, TRUE);
    if (focus && IsWindow(focus) && IsReallyVisible(focus))
        SetFocus(focus);
    return answer;
}

BOOL WINAPI MessageBeep(UINT type) {
    UNREFERENCED_PARAMETER(type);
    return TRUE;
}

namespace sim {
void QueueMessageBoxAnswer(int answer) {
    S().answers.push_back(answer);
}
std::size_t PendingMessageBoxAnswers() {
    return S().answers.size();
}
const std::vector<MessageBoxRecord>& MessageBoxLog() {
    return S().log;
}
} // namespace sim
