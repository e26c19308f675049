// Driving the device page's controls and reading its rows.
#include "page_driving.h"

#include "check_log.h"
#include "device_page_ids.h"
#include "screen_area.h"

#include <commctrl.h>

#include <vector>

namespace {

HWND Tree(HWND page) {
    return GetDlgItem(page, IDC_DEVPAGE_TREE);
}

std::string RowTextOf(HWND tree, HTREEITEM row) {
    WCHAR text[512] = {};
    TVITEMW item;
    ZeroMemory(&item, sizeof(item));
    item.mask = TVIF_TEXT;
    item.hItem = row;
    item.pszText = text;
    item.cchTextMax = ARRAYSIZE(text);
    TreeView_GetItem(tree, &item);
    return Narrow(text);
}

// Depth-first, in display order.
void Walk(HWND tree, HTREEITEM row, int depth, std::vector<std::pair<HTREEITEM, int>>* rows) {
    for (; row != nullptr; row = TreeView_GetNextSibling(tree, row)) {
        rows->push_back({row, depth});
        Walk(tree, TreeView_GetChild(tree, row), depth + 1, rows);
    }
}

HTREEITEM FindRow(HWND tree, WORD index) {
    std::vector<std::pair<HTREEITEM, int>> rows;
    Walk(tree, TreeView_GetRoot(tree), 0, &rows);
    for (const auto& [row, depth] : rows) {
        TVITEMW item;
        ZeroMemory(&item, sizeof(item));
        item.mask = TVIF_PARAM;
        item.hItem = row;
        if (TreeView_GetItem(tree, &item) && item.lParam == index)
            return row;
    }
    return nullptr;
}

} // namespace

void Pump(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
            if (root != nullptr && IsDialogMessageW(root, &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

std::string RowText(HWND page, WORD index) {
    HTREEITEM row = FindRow(Tree(page), index);
    return row != nullptr ? RowTextOf(Tree(page), row) : "(no row)";
}

std::vector<std::string> RowTexts(HWND page) {
    std::vector<std::pair<HTREEITEM, int>> rows;
    Walk(Tree(page), TreeView_GetRoot(Tree(page)), 0, &rows);
    std::vector<std::string> texts;
    for (const auto& [row, depth] : rows)
        texts.push_back(std::string(static_cast<size_t>(depth) * 2, ' ') +
                        RowTextOf(Tree(page), row));
    return texts;
}

bool SelectRow(HWND page, WORD index) {
    HTREEITEM row = FindRow(Tree(page), index);
    return row != nullptr && TreeView_SelectItem(Tree(page), row);
}

bool ChooseListEntry(HWND page, LPCWSTR text) {
    HWND list = GetDlgItem(page, IDC_DEVPAGE_LIST);
    LRESULT entry = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(text));
    if (entry < 0 || !IsWindowVisible(list) || !IsWindowEnabled(list))
        return false;
    SetFocus(list);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    // What the list sends when a person picks an entry.
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_DEVPAGE_LIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    return true;
}

bool TypeInto(HWND page, int editId, LPCWSTR text) {
    HWND edit = GetDlgItem(page, editId);
    if (!IsWindowVisible(edit) || !IsWindowEnabled(edit))
        return false;
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (LPCWSTR c = text; *c != 0; ++c)
        SendMessageW(edit, WM_CHAR, *c, 0);
    return true;
}

bool TypeAndLeave(HWND page, int editId, LPCWSTR text) {
    if (!TypeInto(page, editId, text))
        return false;
    SetFocus(Tree(page));
    return true;
}

void PressKey(WORD key, WORD modifier) {
    INPUT input[4];
    ZeroMemory(input, sizeof(input));
    UINT count = 0;
    if (modifier != 0)
        input[count++].ki.wVk = modifier;
    input[count++].ki.wVk = key;
    input[count].ki.wVk = key;
    input[count++].ki.dwFlags = KEYEVENTF_KEYUP;
    if (modifier != 0) {
        input[count].ki.wVk = modifier;
        input[count++].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    for (UINT i = 0; i < count; ++i)
        input[i].type = INPUT_KEYBOARD;
    SendInput(count, input, sizeof(INPUT));
    Pump(150);
}

void Press(HWND window, int id) {
    SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
}

std::vector<int> ShownInputs(HWND page) {
    std::vector<int> shown;
    HWND tree = Tree(page);
    for (HWND next = GetNextDlgTabItem(page, tree, FALSE); next != nullptr && next != tree;
         next = GetNextDlgTabItem(page, next, FALSE)) {
        shown.push_back(GetDlgCtrlID(next));
        if (shown.size() > 20)
            break;
    }
    return shown;
}

std::string WindowText(HWND window) {
    WCHAR text[512] = {};
    GetWindowTextW(window, text, ARRAYSIZE(text));
    return Narrow(text);
}

bool SaveScreenshot(HWND window, LPCWSTR path) {
    RECT bounds;
    return GetWindowRect(window, &bounds) && SaveScreenArea(bounds, path);
}
