// A dialog template laid out in memory as a resource compiler lays out DIALOGEX: the same bytes go
// to winsim and to the real dialog manager. Used by the conformance tests and by winsim's own.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace dialogs {

struct TemplateItem {
    const WCHAR* className; // null: the predefined class classOrdinal (0x0080 is a button)
    const WCHAR* text;
    WORD id;
    DWORD style; // WS_CHILD is added, and WS_VISIBLE unless the item is hidden
    short x, y, cx, cy;
    WORD classOrdinal = 0;
    WORD textOrdinal = 0; // non-zero: the text is this resource ordinal (a picture's)
    bool hidden = false;
};

class DialogTemplate {
public:
    static constexpr DWORD kModalStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | DS_SETFONT;

    explicit DialogTemplate(std::vector<TemplateItem> items = {}, DWORD style = kModalStyle,
                            const WCHAR* title = TEXT("Test"), short cx = 200, short cy = 100)
        : items_(std::move(items)), style_(style), title_(title), cx_(cx), cy_(cy) {}

    DialogTemplate& Add(const TemplateItem& item) {
        items_.push_back(item);
        return *this;
    }

    // Header, menu, class and title, the font when DS_SETFONT asks for one, then the items,
    // each DWORD-aligned; kept in DWORD storage as a resource's template is.
    const DLGTEMPLATE* Get() {
        bytes_.clear();
        Word(1);
        Word(0xFFFF);
        Dword(0); // help id
        Dword(0); // extended style
        Dword(style_);
        Word(static_cast<WORD>(items_.size()));
        Word(0);
        Word(0);
        Word(static_cast<WORD>(cx_));
        Word(static_cast<WORD>(cy_));
        Word(0); // no menu
        Word(0); // the dialog class
        Text(title_);
        if (style_ & DS_SETFONT) {
            Word(8);
            Word(400);
            Word(0x0100); // not italic, DEFAULT_CHARSET
            Text(TEXT("MS Shell Dlg"));
        }
        for (const TemplateItem& item : items_) {
            while (bytes_.size() % 4)
                bytes_.push_back(0);
            Dword(0); // help id
            Dword(0);
            Dword(item.style | WS_CHILD | (item.hidden ? 0 : WS_VISIBLE));
            Word(static_cast<WORD>(item.x));
            Word(static_cast<WORD>(item.y));
            Word(static_cast<WORD>(item.cx));
            Word(static_cast<WORD>(item.cy));
            Dword(item.id);
            Ordinal(item.className, item.classOrdinal);
            Ordinal(item.text, item.textOrdinal);
            Word(0); // no creation data
        }
        storage_.assign((bytes_.size() + 3) / 4, 0);
        for (size_t i = 0; i < bytes_.size(); ++i)
            reinterpret_cast<BYTE*>(storage_.data())[i] = bytes_[i];
        return reinterpret_cast<const DLGTEMPLATE*>(storage_.data());
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
    void Ordinal(const WCHAR* text, WORD ordinal) {
        if (ordinal != 0 || text == nullptr) {
            Word(0xFFFF);
            Word(ordinal);
        } else {
            Text(text);
        }
    }

    std::vector<TemplateItem> items_;
    DWORD style_;
    const WCHAR* title_;
    short cx_, cy_;
    std::vector<BYTE> bytes_;
    std::vector<DWORD> storage_;
};

} // namespace dialogs
