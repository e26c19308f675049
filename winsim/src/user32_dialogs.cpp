// user32: the dialog manager -- creating dialogs from templates, the default dialog procedure,
// and the functions that address a dialog's controls by identifier.
//
// Dialog units become pixels with a fixed base unit: the dialogs use MS Shell Dlg at 8 points,
// whose average character at 96 dpi is 6 x 13 pixels, so x pixels = x * 6 / 4 and y pixels =
// y * 13 / 8 (rounded as MulDiv rounds). Templates without DS_SETFONT use the system font's
// 8 x 16. Other fonts are not modelled.
#include "user32_internal.h"
#include "sim.h"

#include <algorithm>

namespace winsim {
namespace {

constexpr DWORD kErrorControlIdNotFound = 1421; // ERROR_CONTROL_ID_NOT_FOUND

int MulDivRounded(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

bool IsTabStop(HWND control) {
    Window* w = FindWindowObject(control);
    return w && (w->style & WS_TABSTOP) && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

HWND DefaultPushButton(HWND dialog) {
    Window* d = FindWindowObject(dialog);
    if (!d)
        return nullptr;
    for (HWND child : d->children)
        if (IsButton(child) && ButtonType(child) == BS_DEFPUSHBUTTON)
            return child;
    return nullptr;
}

// What DefDlgProc does with the messages a dialog procedure leaves to it.
LRESULT DefaultDialogProcessing(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogInfo* d = DialogOf(dialog);
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_SHOWWINDOW:
        if (!wParam && d && GetFocus() && IsInSubtree(dialog, GetFocus()))
            d->savedFocus = GetFocus();
        return 0;
    case WM_SETFOCUS: {
        HWND target = d && IsWindow(d->savedFocus) && IsInSubtree(dialog, d->savedFocus)
                          ? d->savedFocus
                          : GetNextDlgTabItem(dialog, nullptr, FALSE);
        if (target)
            SetFocus(target);
        return 0;
    }
    case WM_CLOSE: {
        // The close box counts as the Cancel button, unless that button is disabled.
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) {
            MessageBeep(0);
            return 0;
        }
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_NEXTDLGCTL: {
        HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                     : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
        if (target)
            SetFocus(target);
        return 0;
    }
    case DM_GETDEFID: {
        int id = d ? d->defId : 0;
        if (!id)
            if (HWND button = DefaultPushButton(dialog))
                id = GetDlgCtrlID(button);
        return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
        if (d)
            d->defId = static_cast<int>(wParam);
        return TRUE;
    case DM_REPOSITION:
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        Unmodelled("colour messages (0x%04X) of dialogs", msg);
    }
    return DefWindowProcW(dialog, msg, wParam, lParam);
}

void BaseUnitsOf(const DialogTemplate& t, int* x, int* y) {
    if (!(t.style & DS_SETFONT)) {
        *x = 8;
        *y = 16;
        return;
    }
    if (t.pointSize == 8 &&
        (EqualNoCase(t.typeface, u"MS Shell Dlg") || EqualNoCase(t.typeface, u"MS Shell Dlg 2"))) {
        *x = 6;
        *y = 13;
        return;
    }
    Unmodelled("dialog font \"%s\" at %u points (only MS Shell Dlg 8 is modelled)",
               Utf8(t.typeface).c_str(), t.pointSize);
}

void OffsetRectBy(RECT& r, POINT by) {
    r.left += by.x;
    r.right += by.x;
    r.top += by.y;
    r.bottom += by.y;
}

RECT ToPixels(int baseX, int baseY, short x, short y, short cx, short cy) {
    int left = MulDivRounded(x, baseX, 4);
    int top = MulDivRounded(y, baseY, 8);
    return {left, top, left + MulDivRounded(cx, baseX, 4), top + MulDivRounded(cy, baseY, 8)};
}

} // namespace

bool IsDialogWindow(HWND window) {
    Window* w = FindWindowObject(window);
    return w && w->dialog;
}

DialogInfo* DialogOf(HWND window) {
    Window* w = FindWindowObject(window);
    return w ? w->dialog.get() : nullptr;
}

void DialogUnitsToPixels(HWND dialog, RECT* rect) {
    DialogInfo* d = DialogOf(dialog);
    int bx = d ? d->baseUnitX : 6, by = d ? d->baseUnitY : 13;
    rect->left = MulDivRounded(rect->left, bx, 4);
    rect->right = MulDivRounded(rect->right, bx, 4);
    rect->top = MulDivRounded(rect->top, by, 8);
    rect->bottom = MulDivRounded(rect->bottom, by, 8);
}

HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& t, HWND parent,
                              DLGPROC proc, LPARAM param, bool modal, int templateId) {
    if (t.hasMenu)
        Unmodelled("dialog template with a menu (menus are not modelled)");
    LPCWSTR className = kDialogClass;
    if (!t.className.empty())
        Unmodelled("dialog template with its own class \"%s\"", Utf8(t.className).c_str());
    int baseX, baseY;
    BaseUnitsOf(t, &baseX, &baseY);

    RECT r = ToPixels(baseX, baseY, t.x, t.y, t.cx, t.cy);
    if (!(t.style & WS_CHILD) && parent && !(t.style & DS_ABSALIGN)) {
        // A top-level dialog is placed relative to its owner's client area.
        POINT origin = {0, 0};
        ClientToScreen(parent, &origin);
        OffsetRectBy(r, origin);
    }
    DWORD exStyle = t.exStyle;
    if (t.style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (t.style & DS_CONTROL)
        exStyle |= WS_EX_CONTROLPARENT;
    // The dialog is created hidden and shown once WM_INITDIALOG has run.
    HWND dialog = CreateWindowExW(exStyle, className, t.title.c_str(), t.style & ~WS_VISIBLE,
                                  r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                  nullptr, instance, reinterpret_cast<LPVOID>(param));
    if (!dialog)
        return nullptr;
    DialogInfo* d = DialogOf(dialog);
    d->proc = proc;
    d->modal = modal;
    d->templateId = templateId;
    d->baseUnitX = baseX;
    d->baseUnitY = baseY;

    for (const DialogItemTemplate& item : t.items) {
        RECT c = ToPixels(baseX, baseY, item.x, item.y, item.cx, item.cy);
        const WCHAR ordinalName[] = {0xFFFF, item.titleOrdinal, 0};
        LPCWSTR name = item.titleIsOrdinal ? ordinalName : item.title.c_str();
        LPVOID data =
            item.creationData.empty() ? nullptr : const_cast<BYTE*>(item.creationData.data());
        HWND control = CreateWindowExW(
            item.exStyle | WS_EX_NOPARENTNOTIFY, item.className.c_str(), name,
            item.style | WS_CHILD, c.left, c.top, c.right - c.left, c.bottom - c.top, dialog,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance, data);
        if (!IsWindow(dialog))
            return nullptr;
        if (!control && !(t.style & DS_NOFAILCREATE)) {
            DWORD error = GetLastError();
            DestroyWindow(dialog);
            SetLastError(error);
            return nullptr;
        }
    }

    HWND focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
    LRESULT wantsFocus =
        SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), param);
    if (!IsWindow(dialog))
        return nullptr;
    d = DialogOf(dialog);
    if (d->ended)
        return dialog; // EndDialog during WM_INITDIALOG: never shown, never focused
    if (wantsFocus && focus && IsWindow(focus))
        SetFocus(focus);
    if ((t.style & WS_VISIBLE) && !modal && IsWindow(dialog))
        ShowWindow(dialog, SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : nullptr;
}

LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefDlgProcW(hwnd, msg, wParam, lParam);
}

HWND ExistingControl(HWND dialog, int id, const char* action) {
    if (!IsWindow(dialog))
        Unmodelled("%s: the dialog window does not exist", action);
    Window* d = FindWindowObject(dialog);
    for (HWND child : d->children)
        if (Window* c = FindWindowObject(child); c && static_cast<int>(c->id) == id)
            return child;
    Unmodelled("%s: the %s window has no control %d", action, ClassNameForLog(dialog), id);
}

HWND ReachableControl(HWND dialog, int id, const char* action) {
    HWND control = ExistingControl(dialog, id, action);
    if (!IsReallyVisible(control))
        Unmodelled("%s: control %d (%s) is not visible, so no one can reach it", action, id,
                   ClassNameForLog(control));
    if (!IsReallyEnabled(control))
        Unmodelled("%s: control %d (%s) is disabled, so no one can use it", action, id,
                   ClassNameForLog(control));
    return control;
}

} // namespace winsim

using namespace winsim;

LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogInfo* d = DialogOf(hDlg);
    if (!d)
        return DefWindowProcW(hDlg, msg, wParam, lParam);
    if (DLGPROC proc = d->proc) {
        // The result slot starts at 0 for every message, so a procedure that answers TRUE
        // without setting it returns 0.
        d->msgResult = 0;
        INT_PTR handled = proc(hDlg, msg, wParam, lParam);
        d = DialogOf(hDlg);
        if (handled) {
            switch (msg) {
            case WM_COMPAREITEM:
            case WM_VKEYTOITEM:
            case WM_CHARTOITEM:
            case WM_QUERYDRAGICON:
            case WM_INITDIALOG:
            case WM_CTLCOLORMSGBOX:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORLISTBOX:
            case WM_CTLCOLORBTN:
            case WM_CTLCOLORDLG:
            case WM_CTLCOLORSCROLLBAR:
            case WM_CTLCOLORSTATIC:
                return handled;
            default:
                return d ? d->msgResult : 0;
            }
        }
        if (!d)
            return 0;
    }
    if (msg == WM_INITDIALOG)
        return 0;
    return DefaultDialogProcessing(hDlg, msg, wParam, lParam);
}

HWND WINAPI CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate,
                                       HWND parent, DLGPROC proc, LPARAM param) {
    if (!dialogTemplate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DialogTemplate t =
        ParseDialogTemplate(reinterpret_cast<const BYTE*>(dialogTemplate), SIZE_MAX, "(in memory)");
    return CreateDialogFromTemplate(instance, t, parent, proc, param, false, 0);
}

HWND WINAPI CreateDialogParamW(HINSTANCE instance, LPCWSTR name, HWND parent, DLGPROC proc,
                               LPARAM param) {
    DialogTemplate t;
    if (!LoadDialogTemplate(instance, name, &t))
        return nullptr;
    int id = IS_INTRESOURCE(name) ? LOWORD(reinterpret_cast<ULONG_PTR>(name)) : 0;
    return CreateDialogFromTemplate(instance, t, parent, proc, param, false, id);
}

HWND WINAPI GetDlgItem(HWND hDlg, int id) {
    Window* d = ValidWindow(hDlg);
    if (!d)
        return nullptr;
    for (HWND child : d->children)
        if (Window* c = FindWindowObject(child); c && static_cast<int>(c->id) == id)
            return child;
    SetLastError(kErrorControlIdNotFound);
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
    Window* w = ValidWindow(hWnd);
    return w && w->IsChild() ? static_cast<int>(w->id) : 0;
}

LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND control = GetDlgItem(hDlg, id);
    return control ? SendMessageW(control, msg, wParam, lParam) : 0;
}

BOOL WINAPI SetDlgItemTextW(HWND hDlg, int id, LPCWSTR text) {
    HWND control = GetDlgItem(hDlg, id);
    return control ? SetWindowTextW(control, text) : FALSE;
}

UINT WINAPI GetDlgItemTextW(HWND hDlg, int id, LPWSTR buffer, int max) {
    HWND control = GetDlgItem(hDlg, id);
    if (!control) {
        if (buffer && max > 0)
            buffer[0] = 0;
        return 0;
    }
    return static_cast<UINT>(GetWindowTextW(control, buffer, max));
}

BOOL WINAPI SetDlgItemInt(HWND hDlg, int id, UINT value, BOOL isSigned) {
    std::string digits = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
    return SetDlgItemTextW(hDlg, id, U16(digits.c_str()).c_str());
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int id, UINT check) {
    HWND control = GetDlgItem(hDlg, id);
    if (!control)
        return FALSE;
    SendMessageW(control, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int id) {
    HWND control = GetDlgItem(hDlg, id);
    return control ? static_cast<UINT>(SendMessageW(control, BM_GETCHECK, 0, 0)) : 0;
}

BOOL WINAPI CheckRadioButton(HWND hDlg, int first, int last, int check) {
    Window* d = ValidWindow(hDlg);
    if (!d)
        return FALSE;
    for (HWND child : std::vector<HWND>(d->children)) {
        int id = GetDlgCtrlID(child);
        if (id >= first && id <= last)
            SendMessageW(child, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL previous) {
    Window* d = ValidWindow(hDlg);
    if (!d)
        return nullptr;
    std::vector<HWND> order = d->children;
    if (previous)
        std::reverse(order.begin(), order.end());
    size_t start = 0;
    if (hCtl) {
        auto it = std::find(order.begin(), order.end(), hCtl);
        start = it == order.end() ? 0 : static_cast<size_t>(it - order.begin()) + 1;
    }
    for (size_t n = 0; n < order.size(); ++n) {
        HWND candidate = order[(start + n) % order.size()];
        if (IsTabStop(candidate))
            return candidate;
    }
    return hCtl;
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT rect) {
    if (!ValidWindow(hDlg) || !rect)
        return FALSE;
    if (!IsDialogWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    DialogUnitsToPixels(hDlg, rect);
    return TRUE;
}

// --- The person at the keyboard and mouse --------------------------------------------------------

namespace sim {

HWND Control(HWND dialog, int id) {
    return ExistingControl(dialog, id, "sim::Control");
}

void Click(HWND dialog, int id) {
    HWND control = ReachableControl(dialog, id, "sim::Click");
    if (IsButton(control)) {
        if (ButtonType(control) == BS_GROUPBOX)
            Unmodelled("sim::Click: control %d is a group box, which takes no clicks", id);
        SendMessageW(control, BM_CLICK, 0, 0);
    } else if (EqualNoCase(FindWindowObject(control)->ClassName(), kStaticClass)) {
        SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(control, WM_LBUTTONUP, 0, 0);
    } else {
        Unmodelled("sim::Click on a %s control: use the action made for that kind of control",
                   ClassNameForLog(control));
    }
    PumpQueue();
}

void PressEscape(HWND dialog) {
    if (!IsReallyVisible(dialog) || !IsReallyEnabled(dialog))
        Unmodelled("sim::PressEscape: the window is not visible and enabled");
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel))
        MessageBeep(0);
    else
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
    PumpQueue();
}

void PressEnter(HWND dialog) {
    if (!IsReallyVisible(dialog) || !IsReallyEnabled(dialog))
        Unmodelled("sim::PressEnter: the window is not visible and enabled");
    // A focused push button takes the Enter key; otherwise the default button does.
    HWND focus = GetFocus();
    int id = 0;
    if (focus && GetParent(focus) == dialog && IsButton(focus) &&
        (ButtonType(focus) == BS_PUSHBUTTON || ButtonType(focus) == BS_DEFPUSHBUTTON)) {
        id = GetDlgCtrlID(focus);
    } else {
        LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
        id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
    }
    HWND button = GetDlgItem(dialog, id);
    if (button && !IsWindowEnabled(button))
        MessageBeep(0);
    else
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    PumpQueue();
}

void PressCloseBox(HWND window) {
    if (!IsReallyVisible(window) || !IsReallyEnabled(window))
        Unmodelled("sim::PressCloseBox: the window is not visible and enabled");
    SendMessageW(window, WM_CLOSE, 0, 0);
    PumpQueue();
}

void MoveFocus(HWND dialog, int id) {
    SetFocus(ReachableControl(dialog, id, "sim::MoveFocus"));
    PumpQueue();
}

std::u16string WindowText(HWND window) {
    if (!IsWindow(window))
        Unmodelled("sim::WindowText of a window that does not exist");
    int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::u16string ControlText(HWND dialog, int id) {
    return WindowText(ExistingControl(dialog, id, "sim::ControlText"));
}

bool IsChecked(HWND dialog, int id) {
    HWND control = ExistingControl(dialog, id, "sim::IsChecked");
    if (!IsButton(control))
        Unmodelled("sim::IsChecked of a %s control", ClassNameForLog(control));
    return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsEnabled(HWND dialog, int id) {
    return IsWindowEnabled(ExistingControl(dialog, id, "sim::IsEnabled")) != FALSE;
}

bool IsVisible(HWND dialog, int id) {
    return IsWindowVisible(ExistingControl(dialog, id, "sim::IsVisible")) != FALSE;
}

bool HasFocus(HWND dialog, int id) {
    return GetFocus() == ExistingControl(dialog, id, "sim::HasFocus");
}

std::vector<ControlInfo> DialogControls(HWND dialog) {
    if (!IsWindow(dialog))
        Unmodelled("sim::DialogControls of a window that does not exist");
    std::vector<ControlInfo> out;
    for (HWND child : FindWindowObject(dialog)->children) {
        Window* c = FindWindowObject(child);
        out.push_back({child, static_cast<int>(c->id), c->ClassName(), c->style, c->exStyle,
                       c->text, c->rect});
    }
    return out;
}

} // namespace sim
