// Helpers of the user32/comctl32 tests: dialog templates built in memory the way a resource
// compiler lays out DIALOGEX, and a dialog procedure that records what reaches it.
#pragma once

#include <gtest/gtest.h>

#include "sim.h"

#include <functional>
#include <string>
#include <vector>

namespace uitest {

struct Item {
    std::u16string className; // empty: use classOrdinal
    WORD classOrdinal;
    std::u16string title;
    DWORD id;
    DWORD style;
    short x, y, cx, cy;
    WORD titleOrdinal = 0; // non-zero: the title is this resource ordinal
};

inline Item Control(const char16_t* className, const char16_t* title, DWORD id, DWORD style,
                    short x = 7, short y = 7, short cx = 50, short cy = 14) {
    return Item{className, 0, title, id, style | WS_CHILD | WS_VISIBLE, x, y, cx, cy};
}
inline Item Button(const char16_t* title, DWORD id, DWORD style, short y = 7) {
    return Item{u"", 0x0080, title, id, style | WS_CHILD | WS_VISIBLE | WS_TABSTOP, 7, y, 50, 14};
}

// DLGTEMPLATEEX bytes: header, menu/class/title arrays, font, then DWORD-aligned items.
class TemplateBuilder {
public:
    explicit TemplateBuilder(DWORD style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | DS_SETFONT,
                             std::u16string title = u"Test")
        : style_(style), title_(std::move(title)) {}
    TemplateBuilder& Add(const Item& item) {
        items_.push_back(item);
        return *this;
    }
    const DLGTEMPLATE* Get() {
        bytes_.clear();
        Word(1);
        Word(0xFFFF);
        Dword(0);
        Dword(0);
        Dword(style_);
        Word(static_cast<WORD>(items_.size()));
        Word(0);
        Word(0);
        Word(200);
        Word(100);
        Word(0);
        Word(0);
        String(title_);
        if (style_ & DS_SETFONT) {
            Word(8);
            Word(400);
            bytes_.push_back(0);
            bytes_.push_back(1);
            String(u"MS Shell Dlg");
        }
        for (const Item& item : items_) {
            while (bytes_.size() % 4)
                bytes_.push_back(0);
            Dword(0);
            Dword(0);
            Dword(item.style);
            Word(static_cast<WORD>(item.x));
            Word(static_cast<WORD>(item.y));
            Word(static_cast<WORD>(item.cx));
            Word(static_cast<WORD>(item.cy));
            Dword(item.id);
            if (item.className.empty()) {
                Word(0xFFFF);
                Word(item.classOrdinal);
            } else {
                String(item.className);
            }
            if (item.titleOrdinal) {
                Word(0xFFFF);
                Word(item.titleOrdinal);
            } else {
                String(item.title);
            }
            Word(0);
        }
        // Kept in DWORD storage so the template is aligned as one in a resource would be.
        storage_.assign((bytes_.size() + 3) / 4, 0);
        std::copy(bytes_.begin(), bytes_.end(), reinterpret_cast<BYTE*>(storage_.data()));
        return reinterpret_cast<const DLGTEMPLATE*>(storage_.data());
    }

private:
    void Word(WORD w) {
        bytes_.push_back(static_cast<BYTE>(w & 0xFF));
        bytes_.push_back(static_cast<BYTE>(w >> 8));
    }
    void Dword(DWORD d) {
        Word(static_cast<WORD>(d & 0xFFFF));
        Word(static_cast<WORD>(d >> 16));
    }
    void String(const std::u16string& s) {
        for (char16_t c : s)
            Word(c);
        Word(0);
    }

    DWORD style_;
    std::u16string title_;
    std::vector<Item> items_;
    std::vector<BYTE> bytes_;
    std::vector<DWORD> storage_;
};

// What reached the recording dialog procedure, as short readable lines such as
// "COMMAND 101 768" (id, code), "NOTIFY 5 -16" (id, code) or "HSCROLL 5 20" (code, position).
struct Recorder {
    std::vector<std::string> events;
    // Called for every message before it is recorded; a non-negative answer is returned (for
    // WM_NOTIFY through DWLP_MSGRESULT).
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> answer;
    INT_PTR initResult = TRUE;
    bool recordCustomDraw = true; // NM_CUSTOMDRAW comes with every paint of a track bar
    LPARAM initParam = 0;
    HWND initFocus = nullptr;

    void Clear() { events.clear(); }
};

inline Recorder& TheRecorder() {
    static Recorder recorder;
    return recorder;
}

inline INT_PTR CALLBACK RecordingProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    Recorder& r = TheRecorder();
    if (msg == WM_INITDIALOG) {
        r.initParam = lParam;
        r.initFocus = reinterpret_cast<HWND>(wParam);
        return r.initResult;
    }
    std::string event;
    switch (msg) {
    case WM_COMMAND:
        event = "COMMAND " + std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam));
        break;
    case WM_NOTIFY: {
        const NMHDR* h = reinterpret_cast<const NMHDR*>(lParam);
        if (h->code == NM_CUSTOMDRAW && !r.recordCustomDraw)
            break;
        event = "NOTIFY " + std::to_string(static_cast<int>(h->idFrom)) + " " +
                std::to_string(static_cast<int>(h->code));
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        event = std::string(msg == WM_HSCROLL ? "HSCROLL " : "VSCROLL ") +
                std::to_string(LOWORD(wParam)) + " " +
                std::to_string(static_cast<short>(HIWORD(wParam)));
        break;
    case WM_DRAWITEM:
        event = "DRAWITEM " + std::to_string(wParam);
        break;
    case WM_ENABLE:
        event = std::string("ENABLE ") + (wParam ? "1" : "0");
        break;
    }
    if (!event.empty())
        r.events.push_back(event);
    if (r.answer) {
        LRESULT a = r.answer(dialog, msg, wParam, lParam);
        if (a >= 0) {
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, a);
            return TRUE;
        }
    }
    return FALSE;
}

template <class... T> std::vector<std::string> Lines(T... lines) {
    return std::vector<std::string>{std::string(lines)...};
}
template <class... T> std::vector<std::u16string> Texts(T... texts) {
    return std::vector<std::u16string>{std::u16string(texts)...};
}

inline std::string Command(int id, int code) {
    return "COMMAND " + std::to_string(id) + " " + std::to_string(code);
}
inline std::string Notify(int id, UINT code) {
    return "NOTIFY " + std::to_string(id) + " " + std::to_string(static_cast<int>(code));
}
inline std::string Scroll(const char* which, int code, int position) {
    return std::string(which) + " " + std::to_string(code) + " " + std::to_string(position);
}

// A modeless dialog from a builder, shown and painted, with the recorder reset. focusFirst is
// what the dialog procedure answers to WM_INITDIALOG: TRUE puts the focus on the first tab stop.
inline HWND ShowDialog(TemplateBuilder& builder, LPARAM param = 0, bool focusFirst = true) {
    TheRecorder() = Recorder();
    TheRecorder().initResult = focusFirst ? TRUE : FALSE;
    HWND dialog = CreateDialogIndirectParamW(nullptr, builder.Get(), nullptr, RecordingProc, param);
    if (dialog)
        ShowWindow(dialog, SW_SHOW);
    sim::PumpMessages();
    TheRecorder().Clear();
    return dialog;
}

} // namespace uitest
