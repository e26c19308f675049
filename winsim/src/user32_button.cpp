// user32: the button class -- push buttons, auto check boxes, radio buttons, group boxes and
// owner-drawn buttons. A click (mouse down, then up) lets an auto check box toggle and an auto
// radio button check itself and uncheck the other auto radio buttons of its group before the
// parent hears BN_CLICKED; plain radio buttons leave their state to the program. Plain and
// three-state check boxes, BS_NOTIFY, button images and the button's push and focus state
// (BM_GETSTATE, BM_SETSTATE) are not modelled.
#include "user32_internal.h"

namespace winsim {
namespace {

struct ButtonState : ControlState {
    UINT check = BST_UNCHECKED;
    bool pushed = false;
};

bool HasCheckState(DWORD type) {
    switch (type) {
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return true;
    default:
        return false;
    }
}

// The button types (BS_TYPEMASK) by name, for the abort of those not modelled.
const char* const kTypeNames[] = {
    "BS_PUSHBUTTON",  "BS_DEFPUSHBUTTON",   "BS_CHECKBOX",    "BS_AUTOCHECKBOX",
    "BS_RADIOBUTTON", "BS_3STATE",          "BS_AUTO3STATE",  "BS_GROUPBOX",
    "BS_USERBUTTON",  "BS_AUTORADIOBUTTON", "BS_PUSHBOX",     "BS_OWNERDRAW",
    "BS_SPLITBUTTON", "BS_DEFSPLITBUTTON",  "BS_COMMANDLINK", "BS_DEFCOMMANDLINK"};

bool IsModelledType(DWORD type) {
    return HasCheckState(type) || type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON ||
           type == BS_GROUPBOX || type == BS_OWNERDRAW;
}

// The group of a radio button runs from the nearest sibling at or before it with WS_GROUP to
// the next sibling with WS_GROUP. Every other auto radio button of the group is unchecked,
// whether or not it is visible or enabled.
void UncheckOtherAutoRadioButtons(HWND button) {
    Window* w = FindWindowObject(button);
    Window* parent = w ? FindWindowObject(w->parent) : nullptr;
    if (!parent)
        return;
    std::vector<HWND> siblings = parent->children;
    size_t at = 0;
    while (at < siblings.size() && siblings[at] != button)
        ++at;
    size_t begin = at;
    while (begin > 0 && !(FindWindowObject(siblings[begin])->style & WS_GROUP))
        --begin;
    size_t end = at + 1;
    while (end < siblings.size() && !(FindWindowObject(siblings[end])->style & WS_GROUP))
        ++end;
    for (size_t i = begin; i < end; ++i) {
        HWND other = siblings[i];
        // Every other radio button of the group, auto or plain, as the platform documents.
        if (other != button && IsWindow(other) && IsButton(other) &&
            (ButtonType(other) == BS_AUTORADIOBUTTON || ButtonType(other) == BS_RADIOBUTTON) &&
            SendMessageW(other, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
            SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

LRESULT DialogCode(DWORD type) {
    switch (type) {
    case BS_DEFPUSHBUTTON:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON;
    }
}

} // namespace

bool IsButton(HWND window) {
    Window* w = FindWindowObject(window);
    return w && w->windowClass->proc == ButtonWindowProc;
}

DWORD ButtonType(HWND window) {
    Window* w = FindWindowObject(window);
    return w ? (w->style & BS_TYPEMASK) : 0;
}

LRESULT CALLBACK ButtonWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    ButtonState& s = EnsureState<ButtonState>(*w);
    DWORD type = w->style & BS_TYPEMASK;
    switch (msg) {
    case WM_NCCREATE:
        if (!IsModelledType(type))
            Unmodelled("button style %s", kTypeNames[type]);
        if (w->style & BS_NOTIFY)
            Unmodelled("button style BS_NOTIFY");
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case BM_GETCHECK:
        return HasCheckState(type) ? s.check : BST_UNCHECKED;
    case BM_SETCHECK:
        if (!HasCheckState(type))
            return 0;
        if (wParam > BST_CHECKED)
            Unmodelled("BM_SETCHECK %u on a button of style 0x%lX", static_cast<unsigned>(wParam),
                       static_cast<unsigned long>(type));
        if (s.check != wParam) {
            s.check = static_cast<UINT>(wParam);
            InvalidateWindow(hwnd, true, false);
        }
        return 0;
    case BM_SETSTYLE:
        if (!IsModelledType(static_cast<DWORD>(wParam) & BS_TYPEMASK))
            Unmodelled("BM_SETSTYLE to button style %s", kTypeNames[wParam & BS_TYPEMASK]);
        w->style = (w->style & 0xFFFF0000u) | (static_cast<DWORD>(wParam) & 0xFFFFu);
        if (lParam)
            InvalidateWindow(hwnd, true, false);
        return 0;
    case BM_CLICK:
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
    case WM_LBUTTONDOWN:
        if (type == BS_GROUPBOX)
            return 0; // a group box lets the mouse through to what lies below it
        SetFocus(hwnd);
        if (ButtonState* now = StateOf<ButtonState>(hwnd)) {
            now->pushed = true;
            InvalidateWindow(hwnd, true, false);
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!s.pushed)
            return 0;
        s.pushed = false;
        InvalidateWindow(hwnd, true, false);
        if (type == BS_AUTOCHECKBOX)
            SendMessageW(hwnd, BM_SETCHECK, s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED,
                         0);
        else if (type == BS_AUTORADIOBUTTON) {
            SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
            UncheckOtherAutoRadioButtons(hwnd);
        }
        NotifyParentCommand(hwnd, BN_CLICKED);
        return 0;
    }
    case WM_SETFOCUS:
        InvalidateWindow(hwnd, true, false);
        return 0;
    case WM_KILLFOCUS:
        s.pushed = false;
        InvalidateWindow(hwnd, true, false);
        return 0;
    case WM_GETDLGCODE:
        return DialogCode(type);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (type == BS_OWNERDRAW)
            SendDrawItem(hwnd, ODT_BUTTON, dc, s.pushed ? ODS_SELECTED : 0);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ENABLE:
        InvalidateWindow(hwnd, true, false);
        return 0;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
        InvalidateWindow(hwnd, true, false);
        return r;
    }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace winsim
