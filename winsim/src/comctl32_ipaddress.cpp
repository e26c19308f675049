// comctl32: the IP address control (SysIPAddress32): four fields, each blank or a number within
// 0 to 255 (IPM_SETRANGE is not modelled).
//
// It is not an edit control and answers no EM_ messages, but it forwards edit notifications to
// its parent under its own identifier: EN_SETFOCUS and EN_KILLFOCUS when the control as a whole
// gains and loses the focus, and EN_CHANGE whenever a field's text changes -- for each field a
// program sets (IPM_SETADDRESS, IPM_CLEARADDRESS) as for each key the person types. The person
// leaving a field after changing it also gets IPN_FIELDCHANGED (never for IPM_SETADDRESS), in
// whose answer the parent may correct the value.
#include "user32_internal.h"
#include "sim.h"

#include <algorithm>

namespace winsim {
namespace {

struct IpAddressState : ControlState {
    int fields[4] = {-1, -1, -1, -1}; // -1: blank
    BYTE low[4] = {0, 0, 0, 0};
    BYTE high[4] = {255, 255, 255, 255};
};

IpAddressState* IpOf(HWND window) {
    return StateOf<IpAddressState>(window);
}

bool IsIpAddress(HWND window) {
    Window* w = FindWindowObject(window);
    return w && w->windowClass->proc == IpAddressWindowProc;
}

void SetField(HWND control, int field, int value) {
    if (IpAddressState* s = IpOf(control)) {
        s->fields[field] = value;
        InvalidateWindow(control, true, false);
        NotifyParentCommand(control, EN_CHANGE);
    }
}

std::u16string Text(const IpAddressState& s) {
    std::string out;
    for (int i = 0; i < 4; ++i) {
        if (i)
            out += '.';
        if (s.fields[i] >= 0)
            out += std::to_string(s.fields[i]);
    }
    return U16(out.c_str());
}

} // namespace

LRESULT CALLBACK IpAddressWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    IpAddressState& s = EnsureState<IpAddressState>(*w);
    switch (msg) {
    case IPM_SETADDRESS: {
        DWORD address = static_cast<DWORD>(lParam);
        int values[4] = {static_cast<int>(FIRST_IPADDRESS(address)),
                         static_cast<int>(SECOND_IPADDRESS(address)),
                         static_cast<int>(THIRD_IPADDRESS(address)),
                         static_cast<int>(FOURTH_IPADDRESS(address))};
        for (int i = 0; i < 4; ++i)
            SetField(hwnd, i, values[i]);
        return 0;
    }
    case IPM_GETADDRESS: {
        DWORD address = 0;
        int filled = 0;
        for (int i = 0; i < 4; ++i) {
            address = (address << 8) | static_cast<DWORD>(s.fields[i] < 0 ? 0 : s.fields[i]);
            filled += s.fields[i] >= 0 ? 1 : 0;
        }
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = address;
        return filled;
    }
    case IPM_CLEARADDRESS:
        for (int i = 0; i < 4; ++i)
            SetField(hwnd, i, -1);
        return 0;
    case IPM_ISBLANK:
        return (s.fields[0] < 0 && s.fields[1] < 0 && s.fields[2] < 0 && s.fields[3] < 0) ? TRUE
                                                                                          : FALSE;
    case WM_SETFOCUS:
        InvalidateWindow(hwnd, true, false);
        NotifyParentCommand(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        InvalidateWindow(hwnd, true, false);
        NotifyParentCommand(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_GETTEXT: {
        std::u16string text = Text(s);
        WCHAR* out = reinterpret_cast<WCHAR*>(lParam);
        if (!wParam || !out)
            return 0;
        size_t n = std::min<size_t>(text.size(), wParam - 1);
        std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), out);
        out[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(Text(s).size());
    case WM_SETTEXT:
        Unmodelled("WM_SETTEXT on an IP address control");
    case WM_ENABLE:
        InvalidateWindow(hwnd, true, false);
        return 0;
    }
    if (msg >= WM_USER)
        UnmodelledMessage(hwnd, msg);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace winsim

namespace sim {

using namespace winsim;

void TypeIpAddress(HWND dialog, int id, const std::u16string& address) {
    HWND control = ReachableControl(dialog, id, "sim::TypeIpAddress");
    if (!IsIpAddress(control))
        Unmodelled("sim::TypeIpAddress on a %s control", ClassNameForLog(control));
    std::vector<std::u16string> parts(1);
    for (char16_t c : address) {
        if (c == u'.')
            parts.emplace_back();
        else if (c >= u'0' && c <= u'9' && parts.back().size() < 3)
            parts.back().push_back(c);
        else
            Unmodelled("sim::TypeIpAddress: \"%s\" is not four fields of up to three digits",
                       Utf8(address).c_str());
    }
    if (parts.size() != 4)
        Unmodelled("sim::TypeIpAddress: \"%s\" is not four fields", Utf8(address).c_str());
    SetFocus(control);
    for (int field = 0; field < 4; ++field) {
        IpAddressState* s = IpOf(control);
        if (!s)
            return;
        const std::u16string& digits = parts[static_cast<size_t>(field)];
        int before = s->fields[field];
        if (digits.empty()) {
            if (before >= 0)
                SetField(control, field, -1); // the field's text deleted
        } else {
            // The field's text is selected and typed over, one key at a time.
            int value = 0;
            for (char16_t c : digits) {
                value = value * 10 + (c - u'0');
                SetField(control, field, value);
            }
            if ((s = IpOf(control)) != nullptr && (value < s->low[field] || value > s->high[field]))
                Unmodelled("sim::TypeIpAddress: %d is outside field %d's range (the control's "
                           "warning message is not modelled)",
                           value, field);
        }
        if ((s = IpOf(control)) != nullptr && s->fields[field] != before) {
            NMIPADDRESS nm = {};
            nm.iField = field;
            nm.iValue = s->fields[field];
            NotifyParent(control, &nm.hdr, IPN_FIELDCHANGED);
            if ((s = IpOf(control)) != nullptr && nm.iValue != s->fields[field] && nm.iValue >= 0 &&
                nm.iValue >= s->low[field] && nm.iValue <= s->high[field])
                SetField(control, field, nm.iValue);
        }
    }
    PumpQueue();
}

} // namespace sim
