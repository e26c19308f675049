// user32: the list box class (single selection). LBS_SORT keeps the entries in the order of
// CompareForSort; a person's click selects an entry and, with LBS_NOTIFY, sends LBN_SELCHANGE.
// Programs selecting with LB_SETCURSEL hear nothing.
#include "user32_list_items.h"
#include "sim.h"

namespace winsim {
namespace {

struct ListBoxState : ControlState {
    ListEntries entries;
};

ListBoxState* ListBoxOf(HWND window) {
    return StateOf<ListBoxState>(window);
}

bool IsListBox(HWND window) {
    Window* w = FindWindowObject(window);
    return w && w->windowClass->proc == ListBoxWindowProc;
}

HWND ListBoxControl(HWND dialog, int id, const char* action, bool reachable) {
    HWND control =
        reachable ? ReachableControl(dialog, id, action) : ExistingControl(dialog, id, action);
    if (!IsListBox(control))
        Unmodelled("%s on a %s control", action, ClassNameForLog(control));
    return control;
}

} // namespace

LRESULT CALLBACK ListBoxWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    ListBoxState& s = EnsureState<ListBoxState>(*w);
    ListEntries& list = s.entries;
    bool sorted = (w->style & LBS_SORT) != 0;
    switch (msg) {
    case WM_NCCREATE:
        if (w->style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_OWNERDRAWFIXED |
                        LBS_OWNERDRAWVARIABLE | LBS_NODATA | LBS_MULTICOLUMN))
            Unmodelled("list box style 0x%lX (multiple selection, owner drawing, columns)",
                       static_cast<unsigned long>(w->style & 0xFFFF));
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case LB_ADDSTRING:
        InvalidateWindow(hwnd, true, false);
        return list.Add(TextArgument(lParam), sorted);
    case LB_DELETESTRING:
        if (!list.Delete(wParam))
            return LB_ERR;
        InvalidateWindow(hwnd, true, false);
        return list.Count();
    case LB_RESETCONTENT:
        list.Clear();
        InvalidateWindow(hwnd, true, false);
        return 0;
    case LB_GETCURSEL:
        return list.Selection() < 0 ? LB_ERR : list.Selection();
    case LB_SETCURSEL:
        // -1 removes the selection and still answers LB_ERR.
        if (static_cast<int>(wParam) == -1) {
            list.Select(-1);
            InvalidateWindow(hwnd, true, false);
            return LB_ERR;
        }
        if (!list.Valid(wParam))
            return LB_ERR;
        list.Select(static_cast<int>(wParam));
        InvalidateWindow(hwnd, true, false);
        return static_cast<LRESULT>(wParam);
    case LB_GETTEXT:
        return CopyEntryText(list, wParam, lParam, LB_ERR);
    case LB_GETTEXTLEN:
        return list.Valid(wParam) ? static_cast<LRESULT>(list.At(wParam).text.size()) : LB_ERR;
    case LB_FINDSTRINGEXACT: {
        int found = list.Find(wParam, TextArgument(lParam));
        return found < 0 ? LB_ERR : found;
    }
    case WM_SETFOCUS:
        InvalidateWindow(hwnd, true, false);
        NotifyParentCommand(hwnd, LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        InvalidateWindow(hwnd, true, false);
        NotifyParentCommand(hwnd, LBN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ENABLE:
        InvalidateWindow(hwnd, true, false);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace winsim

namespace sim {

using namespace winsim;

void SelectListItem(HWND dialog, int id, int index) {
    HWND control = ListBoxControl(dialog, id, "sim::SelectListItem", true);
    if (!ListBoxOf(control)->entries.Valid(static_cast<WPARAM>(index)))
        Unmodelled("sim::SelectListItem: list box %d has no entry %d", id, index);
    SetFocus(control);
    if (ListBoxState* s = ListBoxOf(control)) {
        s->entries.Select(index);
        InvalidateWindow(control, true, false);
        // A click on an entry notifies, even one that was selected already.
        if (FindWindowObject(control)->style & LBS_NOTIFY)
            NotifyParentCommand(control, LBN_SELCHANGE);
    }
    PumpQueue();
}

void SelectListItem(HWND dialog, int id, const std::u16string& text) {
    HWND control = ListBoxControl(dialog, id, "sim::SelectListItem", true);
    int index = ListBoxOf(control)->entries.Find(static_cast<WPARAM>(-1), text);
    if (index < 0)
        Unmodelled("sim::SelectListItem: list box %d has no entry \"%s\"", id, Utf8(text).c_str());
    SelectListItem(dialog, id, index);
}

std::vector<std::u16string> ListItems(HWND dialog, int id) {
    HWND control = ListBoxControl(dialog, id, "sim::ListItems", false);
    std::vector<std::u16string> out;
    const ListEntries& list = ListBoxOf(control)->entries;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.At(static_cast<WPARAM>(i)).text);
    return out;
}

int ListSelection(HWND dialog, int id) {
    HWND control = ListBoxControl(dialog, id, "sim::ListSelection", false);
    int selection = ListBoxOf(control)->entries.Selection();
    return selection < 0 ? LB_ERR : selection;
}

} // namespace sim
