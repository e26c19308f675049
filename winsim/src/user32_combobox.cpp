// user32: the combo box class. A drop-down list shows the selected entry; programs selecting
// with CB_SETCURSEL hear nothing, while a person's choice in the dropped list sends
// CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP and then, if the selection changed, CBN_SELCHANGE.
// (The documentation leaves the order of CBN_CLOSEUP and CBN_SELCHANGE open; this is the order
// seen on Windows.) The keyboard on a closed drop-down list moves the selection at once: each
// step sends CBN_SELENDOK and CBN_SELCHANGE and never CBN_CLOSEUP, since no list was open. F4
// opens the list (CBN_DROPDOWN); arrows in the open list send CBN_SELCHANGE as they move, and
// Enter or F4 closes it with CBN_SELENDOK and CBN_CLOSEUP. Enter on a closed list belongs to the
// dialog (its default button). Editable combo boxes keep their text but typing into them is not
// modelled.
#include "user32_list_items.h"
#include "sim.h"

#include <algorithm>

namespace winsim {
namespace {

struct ComboBoxState : ControlState {
    ListEntries entries;
    bool dropped = false;
};

DWORD ComboType(const Window& w) {
    return w.style & 3;
}

ComboBoxState* ComboOf(HWND window) {
    return StateOf<ComboBoxState>(window);
}

bool IsComboBox(HWND window) {
    Window* w = FindWindowObject(window);
    return w && w->windowClass->proc == ComboBoxWindowProc;
}

HWND ComboControl(HWND dialog, int id, const char* action, bool reachable) {
    HWND control =
        reachable ? ReachableControl(dialog, id, action) : ExistingControl(dialog, id, action);
    if (!IsComboBox(control))
        Unmodelled("%s on a %s control", action, ClassNameForLog(control));
    return control;
}

// The text a drop-down list shows is its selected entry's.
void ShowSelection(Window& w, const ListEntries& list) {
    if (ComboType(w) == CBS_DROPDOWNLIST)
        return;
    w.text = list.Selection() < 0 ? std::u16string()
                                  : list.At(static_cast<WPARAM>(list.Selection())).text;
}

std::u16string ShownText(const Window& w, const ListEntries& list) {
    if (ComboType(w) != CBS_DROPDOWNLIST)
        return w.text;
    return list.Selection() < 0 ? std::u16string()
                                : list.At(static_cast<WPARAM>(list.Selection())).text;
}

void DropList(HWND hwnd) {
    ComboOf(hwnd)->dropped = true;
    NotifyParentCommand(hwnd, CBN_DROPDOWN);
}

void CloseListAccepted(HWND hwnd) {
    NotifyParentCommand(hwnd, CBN_SELENDOK);
    if (ComboBoxState* s = ComboOf(hwnd)) {
        s->dropped = false;
        NotifyParentCommand(hwnd, CBN_CLOSEUP);
    }
}

LRESULT KeyDown(HWND hwnd, Window& w, UINT key) {
    if (ComboType(w) != CBS_DROPDOWNLIST)
        Unmodelled("keys in an editable combo box");
    ComboBoxState& s = *ComboOf(hwnd);
    int count = s.entries.Count();
    int current = s.entries.Selection();
    int next = current;
    switch (key) {
    case VK_F4:
        if (s.dropped)
            CloseListAccepted(hwnd);
        else
            DropList(hwnd);
        return 0;
    case VK_RETURN:
        if (s.dropped)
            CloseListAccepted(hwnd);
        return 0;
    case VK_DOWN:
    case VK_RIGHT:
        next = current < 0 ? 0 : std::min(current + 1, count - 1);
        break;
    case VK_UP:
    case VK_LEFT:
        next = current < 0 ? 0 : std::max(current - 1, 0);
        break;
    case VK_HOME:
        next = 0;
        break;
    case VK_END:
        next = count - 1;
        break;
    default:
        Unmodelled("key 0x%02X on a combo box", key);
    }
    if (count == 0 || next == current)
        return 0;
    s.entries.Select(next);
    ShowSelection(w, s.entries);
    InvalidateWindow(hwnd, true, false);
    bool dropped = s.dropped;
    if (!dropped)
        NotifyParentCommand(hwnd, CBN_SELENDOK);
    if (IsWindow(hwnd))
        NotifyParentCommand(hwnd, CBN_SELCHANGE);
    return 0;
}

} // namespace

LRESULT CALLBACK ComboBoxWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    ComboBoxState& s = EnsureState<ComboBoxState>(*w);
    ListEntries& list = s.entries;
    bool sorted = (w->style & CBS_SORT) != 0;
    switch (msg) {
    case WM_NCCREATE:
        if (w->style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE))
            Unmodelled("owner-drawn combo boxes");
        if (ComboType(*w) == 0)
            Unmodelled("combo box without a type (CBS_SIMPLE, CBS_DROPDOWN or CBS_DROPDOWNLIST)");
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case CB_ADDSTRING:
        InvalidateWindow(hwnd, true, false);
        return list.Add(TextArgument(lParam), sorted);
    case CB_INSERTSTRING: {
        int at = list.Insert(wParam, TextArgument(lParam));
        InvalidateWindow(hwnd, true, false);
        return at < 0 ? CB_ERR : at;
    }
    case CB_DELETESTRING:
        if (!list.Delete(wParam))
            return CB_ERR;
        InvalidateWindow(hwnd, true, false);
        return list.Count();
    case CB_RESETCONTENT:
        list.Clear();
        if (ComboType(*w) != CBS_DROPDOWNLIST)
            w->text.clear();
        InvalidateWindow(hwnd, true, false);
        return CB_OKAY;
    case CB_GETCOUNT:
        return list.Count();
    case CB_GETCURSEL:
        return list.Selection() < 0 ? CB_ERR : list.Selection();
    case CB_SETCURSEL:
        // An index past the end, or -1, removes the selection and answers CB_ERR.
        InvalidateWindow(hwnd, true, false);
        if (!list.Valid(wParam)) {
            list.Select(-1);
            ShowSelection(*w, list);
            return CB_ERR;
        }
        list.Select(static_cast<int>(wParam));
        ShowSelection(*w, list);
        return static_cast<LRESULT>(wParam);
    case CB_GETLBTEXT:
        return CopyEntryText(list, wParam, lParam, CB_ERR);
    case CB_GETLBTEXTLEN:
        return list.Valid(wParam) ? static_cast<LRESULT>(list.At(wParam).text.size()) : CB_ERR;
    case CB_FINDSTRINGEXACT: {
        int found = list.Find(wParam, TextArgument(lParam));
        return found < 0 ? CB_ERR : found;
    }
    case CB_SETITEMDATA:
        if (!list.Valid(wParam))
            return CB_ERR;
        list.At(wParam).data = static_cast<ULONG_PTR>(lParam);
        return CB_OKAY;
    case CB_GETITEMDATA:
        return list.Valid(wParam) ? static_cast<LRESULT>(list.At(wParam).data) : CB_ERR;
    case CB_GETDROPPEDSTATE:
        return s.dropped ? TRUE : FALSE;
    case WM_SETTEXT:
        if (ComboType(*w) == CBS_DROPDOWNLIST)
            Unmodelled("WM_SETTEXT on a drop-down list combo box");
        InvalidateWindow(hwnd, true, false);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_GETTEXT: {
        std::u16string text = ShownText(*w, list);
        WCHAR* out = reinterpret_cast<WCHAR*>(lParam);
        if (!wParam || !out)
            return 0;
        size_t n = std::min<size_t>(text.size(), wParam - 1);
        std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), out);
        out[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(ShownText(*w, list).size());
    case WM_SETFOCUS:
        InvalidateWindow(hwnd, true, false);
        NotifyParentCommand(hwnd, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s.dropped = false;
        InvalidateWindow(hwnd, true, false);
        NotifyParentCommand(hwnd, CBN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN:
        return KeyDown(hwnd, *w, static_cast<UINT>(wParam));
    case WM_KEYUP:
        return 0;
    case WM_GETDLGCODE: {
        // An open list takes Enter and Escape itself; a closed one leaves them to the dialog.
        LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
        const MSG* message = reinterpret_cast<const MSG*>(lParam);
        if (s.dropped && message != nullptr && message->message == WM_KEYDOWN &&
            (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE))
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_ENABLE:
        InvalidateWindow(hwnd, true, false);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace winsim

namespace sim {

using namespace winsim;

void SelectComboItem(HWND dialog, int id, int index) {
    HWND control = ComboControl(dialog, id, "sim::SelectComboItem", true);
    if (!ComboOf(control)->entries.Valid(static_cast<WPARAM>(index)))
        Unmodelled("sim::SelectComboItem: combo box %d has no entry %d", id, index);
    SetFocus(control);
    if (ComboBoxState* s = ComboOf(control)) {
        s->dropped = true;
        NotifyParentCommand(control, CBN_DROPDOWN);
    }
    ComboBoxState* s = ComboOf(control);
    if (!s)
        return;
    bool changed = s->entries.Selection() != index;
    s->entries.Select(index);
    ShowSelection(*FindWindowObject(control), s->entries);
    InvalidateWindow(control, true, false);
    NotifyParentCommand(control, CBN_SELENDOK);
    // The documentation leaves the order of CBN_CLOSEUP and CBN_SELCHANGE open (sim/switches.h).
    bool closeUpFirst = sim::CurrentComboCloseUp() == sim::ComboCloseUp::BeforeSelChange;
    if ((s = ComboOf(control)) != nullptr) {
        s->dropped = false;
        if (closeUpFirst)
            NotifyParentCommand(control, CBN_CLOSEUP);
    }
    if (changed && IsWindow(control))
        NotifyParentCommand(control, CBN_SELCHANGE);
    if (!closeUpFirst && IsWindow(control))
        NotifyParentCommand(control, CBN_CLOSEUP);
    PumpQueue();
}

void PressKeyOnComboBox(HWND dialog, int id, UINT virtualKey) {
    HWND control = ComboControl(dialog, id, "sim::PressKeyOnComboBox", true);
    SetFocus(control);
    ComboBoxState* s = ComboOf(control);
    if (virtualKey == VK_RETURN && s != nullptr && !s->dropped) {
        PressEnter(dialog);
        return;
    }
    SendMessageW(control, WM_KEYDOWN, virtualKey, 1);
    if (IsWindow(control))
        SendMessageW(control, WM_KEYUP, virtualKey, 0xC0000001);
    PumpQueue();
}

void SelectComboItem(HWND dialog, int id, const std::u16string& text) {
    HWND control = ComboControl(dialog, id, "sim::SelectComboItem", true);
    int index = ComboOf(control)->entries.Find(static_cast<WPARAM>(-1), text);
    if (index < 0)
        Unmodelled("sim::SelectComboItem: combo box %d has no entry \"%s\"", id,
                   Utf8(text).c_str());
    SelectComboItem(dialog, id, index);
}

std::vector<std::u16string> ComboItems(HWND dialog, int id) {
    HWND control = ComboControl(dialog, id, "sim::ComboItems", false);
    std::vector<std::u16string> out;
    const ListEntries& list = ComboOf(control)->entries;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.At(static_cast<WPARAM>(i)).text);
    return out;
}

int ComboSelection(HWND dialog, int id) {
    HWND control = ComboControl(dialog, id, "sim::ComboSelection", false);
    int selection = ComboOf(control)->entries.Selection();
    return selection < 0 ? CB_ERR : selection;
}

} // namespace sim
