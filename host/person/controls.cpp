// A person's actions on controls, what the person reads from them, and waiting.
#include "person.h"

#include <commctrl.h>
#include <oleacc.h>
#include <prsht.h>

#include <algorithm>

namespace {

// A message handled by the control's own thread; the calling thread answers the messages sent
// to it meanwhile, so a sheet that broadcasts never waits for us.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kPatienceMs, &result);
    return static_cast<LRESULT>(result);
}

HWND Control(HWND dialog, int id) {
    return dialog != nullptr ? GetDlgItem(dialog, id) : nullptr;
}

// A control a person can act on: there, shown and enabled.
HWND Usable(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control) ? control
                                                                                      : nullptr;
}

void Key(HWND control, UINT key) {
    Send(control, WM_KEYDOWN, key, 1);
    Send(control, WM_KEYUP, key, 0xC0000001);
}

// The messages of a drop-down list or of a list box.
struct ListMessages {
    UINT find, selection, count, textLength, text;
};
const ListMessages kComboMessages = {CB_FINDSTRINGEXACT, CB_GETCURSEL, CB_GETCOUNT, CB_GETLBTEXTLEN,
                                     CB_GETLBTEXT};
const ListMessages kListMessages = {LB_FINDSTRINGEXACT, LB_GETCURSEL, LB_GETCOUNT, LB_GETTEXTLEN,
                                    LB_GETTEXT};

const ListMessages& MessagesOf(HWND list) {
    WCHAR name[16] = {};
    GetClassNameW(list, name, 16);
    return lstrcmpiW(name, WC_LISTBOXW) == 0 ? kListMessages : kComboMessages;
}

std::wstring ItemText(HWND list, LRESULT index) {
    WCHAR text[1024] = {};
    LRESULT length = index < 0 ? -1 : Send(list, MessagesOf(list).textLength, index);
    if (length >= 0 && length < 1024)
        Send(list, MessagesOf(list).text, index, reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace

bool Click(HWND dialog, int id) {
    HWND button = Usable(dialog, id);
    if (button != nullptr)
        Send(button, BM_CLICK);
    return button != nullptr;
}

bool Choose(HWND dialog, int id, LPCWSTR item) {
    HWND list = Usable(dialog, id);
    if (list == nullptr)
        return false;
    const ListMessages& messages = MessagesOf(list);
    LRESULT wanted =
        Send(list, messages.find, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item));
    for (LRESULT keys = Send(list, messages.count); wanted >= 0 && keys > 0; --keys) {
        LRESULT at = Send(list, messages.selection);
        if (at == wanted)
            return true;
        Key(list, at < wanted ? VK_DOWN : VK_UP);
    }
    return wanted >= 0 && Send(list, messages.selection) == wanted;
}

bool SelectTreeRow(HWND dialog, int id, int index) {
    HWND tree = Usable(dialog, id);
    auto row = reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_ROOT));
    for (; row != nullptr && index > 0; --index)
        row = reinterpret_cast<HTREEITEM>(
            Send(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(row)));
    return row != nullptr &&
           Send(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(row)) != 0;
}

bool ChooseNext(HWND dialog, int id) {
    std::vector<std::wstring> items = ItemsOf(dialog, id);
    for (size_t at = 0; at + 1 < items.size(); ++at)
        if (items[at] == ChosenItem(dialog, id))
            return Choose(dialog, id, items[at + 1].c_str());
    return false;
}

bool Type(HWND dialog, int id, LPCWSTR text) {
    HWND edit = Usable(dialog, id);
    if (edit == nullptr)
        return false;
    // As a person does: the whole text selected, then typed over (or deleted, for no text).
    Send(edit, EM_SETSEL, 0, -1);
    if (*text == 0)
        Send(edit, WM_CHAR, VK_BACK, 1);
    for (; *text != 0; ++text)
        Send(edit, WM_CHAR, *text, 1);
    return true;
}

bool PressKey(HWND dialog, int id, UINT virtualKey) {
    HWND control = Usable(dialog, id);
    if (control != nullptr)
        Key(control, virtualKey);
    return control != nullptr;
}

bool MoveTrackBar(HWND dialog, int id, int position) {
    HWND bar = Usable(dialog, id);
    for (int keys = 0; bar != nullptr && keys < 1000; ++keys) {
        LRESULT at = Send(bar, TBM_GETPOS);
        if (at == position)
            return true;
        Key(bar, at < position ? VK_RIGHT : VK_LEFT);
        if (Send(bar, TBM_GETPOS) == at)
            return false;
    }
    return false;
}

void FireTimer(HWND window, UINT_PTR timerId, TIMERPROC callback) {
    PostMessageW(window, WM_TIMER, timerId, reinterpret_cast<LPARAM>(callback));
}

bool IsChecked(HWND dialog, int id) {
    HWND button = Control(dialog, id);
    return button != nullptr && Send(button, BM_GETCHECK) == BST_CHECKED;
}

bool IsEnabled(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control != nullptr && IsWindowEnabled(control);
}

bool IsShown(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control != nullptr && IsWindowVisible(control);
}

std::wstring TextOf(HWND dialog, int id) {
    WCHAR text[4096] = {};
    Send(Control(dialog, id), WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring ChosenItem(HWND dialog, int id) {
    HWND list = Control(dialog, id);
    return list != nullptr ? ItemText(list, Send(list, MessagesOf(list).selection))
                           : std::wstring();
}

std::vector<std::wstring> ItemsOf(HWND dialog, int id) {
    std::vector<std::wstring> items;
    HWND list = Control(dialog, id);
    LRESULT count = list != nullptr ? Send(list, MessagesOf(list).count) : 0;
    for (LRESULT i = 0; i < count; ++i)
        items.push_back(ItemText(list, i));
    return items;
}

std::wstring SpokenName(HWND control) {
    // mingw-w64's import library may hand out an IID that Wine's oleacc refuses.
    const IID accessibleId = {
        0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, accessibleId,
                                          reinterpret_cast<void**>(&accessible))))
        return TEXT("(no accessible object)");
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring spoken =
        SUCCEEDED(accessible->get_accName(self, &name)) && name != nullptr ? name : TEXT("");
    SysFreeString(name);
    accessible->Release();
    return spoken;
}

int TrackBarPosition(HWND dialog, int id) {
    return static_cast<int>(Send(Control(dialog, id), TBM_GETPOS));
}

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        DWORD waited = GetTickCount() - start;
        if (waited >= milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(milliseconds - waited, 10),
                                  QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

int Sheet::PageCount() {
    return static_cast<int>(
        Send(reinterpret_cast<HWND>(Send(sheet_, PSM_GETTABCONTROL)), TCM_GETITEMCOUNT));
}

HWND Sheet::PageAt(int index) {
    Send(sheet_, PSM_SETCURSEL, static_cast<WPARAM>(index));
    return reinterpret_cast<HWND>(Send(sheet_, PSM_GETCURRENTPAGEHWND));
}

HWND Sheet::Page(int controlId) {
    HWND page = reinterpret_cast<HWND>(Send(sheet_, PSM_GETCURRENTPAGEHWND));
    for (int index = 0, count = PageCount(); !IsShown(page, controlId) && index < count; ++index)
        page = PageAt(index);
    return IsShown(page, controlId) ? page : nullptr;
}

std::wstring Sheet::Titles() {
    HWND tabs = reinterpret_cast<HWND>(Send(sheet_, PSM_GETTABCONTROL));
    std::wstring titles;
    for (int index = 0, count = PageCount(); index < count; ++index) {
        WCHAR title[128] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = title;
        item.cchTextMax = 128;
        Send(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        titles += (index > 0 ? TEXT(", ") : TEXT("")) + std::wstring(title);
    }
    return titles;
}
