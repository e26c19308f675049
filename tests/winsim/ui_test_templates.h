// Helpers of the user32/comctl32 tests: dialog templates built in memory (the conformance tests'
// builder), and a dialog procedure that records what reaches it.
#pragma once

#include <gtest/gtest.h>

#include "conformance/dialog_template.h"
#include "sim.h"

#include <functional>
#include <string>
#include <vector>

namespace uitest {

using Item = dialogs::TemplateItem;
using TemplateBuilder = dialogs::DialogTemplate;

inline Item Control(const char16_t* className, const char16_t* title, DWORD id, DWORD style,
                    short x = 7, short y = 7, short cx = 50, short cy = 14) {
    return Item{className, title, static_cast<WORD>(id), style, x, y, cx, cy};
}
inline Item Button(const char16_t* title, DWORD id, DWORD style, short y = 7) {
    Item button = Control(nullptr, title, id, style | WS_TABSTOP, 7, y);
    button.classOrdinal = 0x0080;
    return button;
}
inline Item Hidden(Item item) {
    item.hidden = true;
    return item;
}

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

// A dialog's controls under test: a fresh machine, and no window left at the end.
class DialogControlsTest : public ::testing::Test {
protected:
    void SetUp() override { sim::Reset(); }
    void TearDown() override {
        if (IsWindow(dialog_))
            DestroyWindow(dialog_);
        EXPECT_EQ(sim::LiveWindowCount(), 0u);
    }
    std::vector<std::string>& Events() { return TheRecorder().events; }
    LRESULT Send(int id, UINT msg, WPARAM wParam, LPARAM lParam) {
        return SendDlgItemMessageW(dialog_, id, msg, wParam, lParam);
    }

    HWND dialog_ = nullptr;
};

} // namespace uitest
