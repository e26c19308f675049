// Describing pages as text for the tour.
#include "page_report.h"

#include "sim.h"

#include <cstdio>

std::string Utf8(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c == u'\r')
            continue;
        if (c < 0x80) {
            out.push_back(c == u'\n' ? ' ' : static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

namespace {

std::string KindOf(const sim::ControlInfo& control) {
    std::u16string name = control.className;
    for (auto& c : name)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - 32);
    DWORD type = control.style & 0x0F;
    if (name == u"BUTTON") {
        switch (type) {
        case BS_GROUPBOX:
            return "group";
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
            return "check box";
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return "radio button";
        default:
            return "button";
        }
    }
    if (name == u"STATIC")
        return (control.style & 0x1F) == SS_OWNERDRAW || (control.style & 0x1F) == SS_BITMAP
                   ? "picture"
                   : "label";
    if (name == u"EDIT")
        return "edit";
    if (name == u"COMBOBOX")
        return "list";
    if (name == u"LISTBOX")
        return "list box";
    if (name == u"MSCTLS_TRACKBAR32")
        return "slider";
    if (name == u"MSCTLS_UPDOWN32")
        return "spin";
    if (name == u"SYSIPADDRESS32")
        return "IP address";
    if (name == u"MSCTLS_PROGRESS32")
        return "progress bar";
    return Utf8(control.className);
}

} // namespace

std::string DescribeWindow(HWND dialog) {
    std::string out;
    for (const sim::ControlInfo& control : sim::DialogControls(dialog)) {
        if (!IsWindowVisible(control.window))
            continue;
        std::string kind = KindOf(control);
        std::string line = "    " + kind;
        std::u16string text = sim::WindowText(control.window);
        if (!text.empty() && kind != "list")
            line += " \"" + Utf8(text) + "\"";
        if (kind == "check box" || kind == "radio button")
            line += sim::IsChecked(dialog, control.id) ? " [x]" : " [ ]";
        if (kind == "list") {
            auto items = sim::ComboItems(dialog, control.id);
            int selection = sim::ComboSelection(dialog, control.id);
            line += ": ";
            for (size_t i = 0; i < items.size(); ++i) {
                if (i > 0)
                    line += " | ";
                line += (static_cast<int>(i) == selection ? "<" + Utf8(items[i]) + ">"
                                                          : Utf8(items[i]));
            }
        }
        if (kind != "group" && kind != "label" && kind != "picture" &&
            !IsWindowEnabled(control.window))
            line += " (disabled)";
        out += line + "\n";
    }
    return out;
}
