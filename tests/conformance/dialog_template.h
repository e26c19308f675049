// A dialog template laid out in memory as a resource compiler lays out DIALOGEX, for the
// conformance tests' dialogs: the same bytes go to winsim and to the real dialog manager.
#pragma once

#include <windows.h>

#include <vector>

namespace conformance {

struct TemplateItem {
    const WCHAR* className;
    const WCHAR* text;
    WORD id;
    DWORD style; // WS_CHILD | WS_VISIBLE are added
    short x, y, cx, cy;
};

class DialogTemplate {
public:
    explicit DialogTemplate(std::vector<TemplateItem> items) : items_(std::move(items)) {}

    const DLGTEMPLATE* Get() {
        bytes_.clear();
        Word(1);
        Word(0xFFFF);
        Dword(0);
        Dword(0);
        Dword(DS_MODALFRAME | WS_POPUP | WS_CAPTION | DS_SETFONT | WS_VISIBLE);
        Word(static_cast<WORD>(items_.size()));
        Word(0);
        Word(0);
        Word(220);
        Word(120);
        Word(0); // no menu
        Word(0); // the dialog class
        Text(TEXT("Conformance"));
        Word(8);
        Word(400);
        Word(0);
        Text(TEXT("MS Shell Dlg"));
        for (const TemplateItem& item : items_) {
            while (bytes_.size() % 4)
                bytes_.push_back(0);
            Dword(0); // help id
            Dword(0);
            Dword(item.style | WS_CHILD | WS_VISIBLE);
            Word(static_cast<WORD>(item.x));
            Word(static_cast<WORD>(item.y));
            Word(static_cast<WORD>(item.cx));
            Word(static_cast<WORD>(item.cy));
            Dword(item.id);
            Text(item.className);
            Text(item.text);
            Word(0); // no creation data
        }
        return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data());
    }

private:
    void Word(WORD value) {
        bytes_.push_back(static_cast<BYTE>(value & 0xFF));
        bytes_.push_back(static_cast<BYTE>(value >> 8));
    }
    void Dword(DWORD value) {
        Word(static_cast<WORD>(value & 0xFFFF));
        Word(static_cast<WORD>(value >> 16));
    }
    void Text(const WCHAR* text) {
        for (; *text; ++text)
            Word(static_cast<WORD>(*text));
        Word(0);
    }

    std::vector<TemplateItem> items_;
    std::vector<BYTE> bytes_;
};

} // namespace conformance
