// user32: the edit class. A program's WM_SETTEXT on a single-line edit control sends EN_UPDATE
// and EN_CHANGE to the parent (a multi-line one sends neither); each character the person types
// (WM_CHAR) sends them too; gaining and losing the focus sends EN_SETFOCUS and EN_KILLFOCUS.
// Lines are not wrapped: questions about lines of a multi-line control are not modelled.
#include "user32_internal.h"
#include "sim.h"

#include <algorithm>

namespace winsim {
namespace {

constexpr UINT kDefaultLimit = 32767; // before EM_LIMITTEXT, as the platform documents

struct EditState : ControlState {
    size_t selStart = 0, selEnd = 0;
    UINT limit = kDefaultLimit;
    bool modified = false;
};

bool IsMultiline(const Window& w) {
    return (w.style & ES_MULTILINE) != 0;
}

// Replaces the selection with text as far as the limit allows; EN_MAXTEXT when it cut.
void ReplaceSelection(HWND hwnd, std::u16string text, bool notify) {
    Window* w = FindWindowObject(hwnd);
    EditState& s = EnsureState<EditState>(*w);
    size_t length = w->text.size();
    size_t start = std::min(s.selStart, length), end = std::min(s.selEnd, length);
    size_t kept = length - (end - start);
    bool cut = false;
    if (kept + text.size() > s.limit) {
        text.resize(s.limit > kept ? s.limit - kept : 0);
        cut = true;
    }
    if (cut && text.empty() && start == end) {
        NotifyParentCommand(hwnd, EN_MAXTEXT);
        return;
    }
    w->text.replace(start, end - start, text);
    s.selStart = s.selEnd = start + text.size();
    s.modified = true;
    InvalidateWindow(hwnd, true, false);
    if (cut)
        NotifyParentCommand(hwnd, EN_MAXTEXT);
    if (notify) {
        NotifyParentCommand(hwnd, EN_UPDATE);
        NotifyParentCommand(hwnd, EN_CHANGE);
    }
}

char16_t ApplyCase(const Window& w, char16_t c) {
    if ((w.style & ES_UPPERCASE) && c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 32);
    if ((w.style & ES_LOWERCASE) && c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c + 32);
    return c;
}

LRESULT TypeCharacter(HWND hwnd, WCHAR c) {
    Window* w = FindWindowObject(hwnd);
    EditState& s = EnsureState<EditState>(*w);
    if (w->style & ES_READONLY)
        return 0;
    if (c == VK_BACK) {
        if (s.selStart == s.selEnd) {
            if (s.selStart == 0)
                return 0;
            --s.selStart;
        }
        ReplaceSelection(hwnd, u"", true);
        return 0;
    }
    if (c == u'\r' || c == u'\n') {
        if (IsMultiline(*w))
            ReplaceSelection(hwnd, u"\r\n", true);
        return 0; // a single-line control ignores Enter
    }
    if (c < 0x20)
        Unmodelled("WM_CHAR 0x%02X (control keys) in an edit control", c);
    if ((w->style & ES_NUMBER) && !(c >= u'0' && c <= u'9'))
        return 0; // refused; the balloon tip that explains it is not modelled
    ReplaceSelection(hwnd, std::u16string(1, ApplyCase(*w, c)), true);
    return 0;
}

} // namespace

bool IsEdit(HWND window) {
    Window* w = FindWindowObject(window);
    return w && w->windowClass->proc == EditWindowProc;
}

LRESULT CALLBACK EditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    EditState& s = EnsureState<EditState>(*w);
    switch (msg) {
    case WM_SETTEXT: {
        DefWindowProcW(hwnd, msg, wParam, lParam);
        s.selStart = s.selEnd = 0;
        s.modified = false;
        InvalidateWindow(hwnd, true, false);
        if (!IsMultiline(*w)) {
            NotifyParentCommand(hwnd, EN_UPDATE);
            NotifyParentCommand(hwnd, EN_CHANGE);
        }
        return TRUE;
    }
    case WM_CHAR:
        return TypeCharacter(hwnd, static_cast<WCHAR>(wParam));
    case EM_SETSEL: {
        size_t length = w->text.size();
        if (static_cast<int>(wParam) == -1) {
            s.selStart = s.selEnd; // deselect, keeping the caret
            return 0;
        }
        size_t a = std::min<size_t>(static_cast<DWORD>(wParam), length);
        size_t b = static_cast<int>(lParam) == -1
                       ? length
                       : std::min<size_t>(static_cast<DWORD>(lParam), length);
        s.selStart = std::min(a, b);
        s.selEnd = std::max(a, b);
        return 0;
    }
    case EM_GETSEL:
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(s.selStart);
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(s.selEnd);
        return (s.selStart > 0xFFFF || s.selEnd > 0xFFFF)
                   ? -1
                   : MAKELRESULT(static_cast<WORD>(s.selStart), static_cast<WORD>(s.selEnd));
    case EM_REPLACESEL:
        ReplaceSelection(hwnd, lParam ? reinterpret_cast<LPCWSTR>(lParam) : u"", true);
        return 0;
    case EM_LIMITTEXT:
        s.limit =
            wParam ? static_cast<UINT>(wParam) : (IsMultiline(*w) ? 0xFFFFFFFFu : 0x7FFFFFFEu);
        return 0;
    case EM_SETREADONLY:
        if (wParam)
            w->style |= ES_READONLY;
        else
            w->style &= ~static_cast<DWORD>(ES_READONLY);
        InvalidateWindow(hwnd, true, false);
        return TRUE;
    case EM_GETMODIFY:
        return s.modified ? TRUE : FALSE;
    case WM_SETFOCUS:
        InvalidateWindow(hwnd, true, false);
        NotifyParentCommand(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        InvalidateWindow(hwnd, true, false);
        NotifyParentCommand(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_LBUTTONUP:
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS |
               (IsMultiline(*w) ? DLGC_WANTALLKEYS : 0);
    case WM_ENABLE:
        InvalidateWindow(hwnd, true, false);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

namespace {

HWND TypingTarget(HWND dialog, int id) {
    HWND control = ReachableControl(dialog, id, "sim::TypeText");
    if (!IsEdit(control))
        Unmodelled("sim::TypeText into a %s control", ClassNameForLog(control));
    if (FindWindowObject(control)->style & ES_READONLY)
        Unmodelled("sim::TypeText: edit control %d is read-only", id);
    return control;
}

} // namespace
} // namespace winsim

namespace sim {

void TypeText(HWND dialog, int id, const std::u16string& text) {
    using namespace winsim;
    HWND control = TypingTarget(dialog, id);
    bool multiline = (FindWindowObject(control)->style & ES_MULTILINE) != 0;
    SetFocus(control);
    // The person selects what the field holds and types over it.
    SendMessageW(control, EM_SETSEL, 0, -1);
    if (text.empty())
        SendMessageW(control, WM_CHAR, VK_BACK, 1);
    for (size_t i = 0; i < text.size() && IsWindow(control); ++i) {
        char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (!multiline)
                Unmodelled("sim::TypeText: a line break typed into single-line edit control %d",
                           id);
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i; // one Enter key for a CR LF pair
            c = u'\r';
        }
        SendMessageW(control, WM_CHAR, c, 1);
    }
    PumpQueue();
}

} // namespace sim
