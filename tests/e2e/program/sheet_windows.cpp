// The windows of this thread as a person meets them.
#include "sheet_windows.h"

#include "check_log.h"

namespace {

struct Search {
    bool wantSheet;
    int controlId; // 0: any
    HWND found;
};

bool IsDialog(HWND window) {
    WCHAR className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpW(className, TEXT("#32770")) == 0;
}

bool IsSheet(HWND window) {
    return SendMessageW(window, PSM_GETTABCONTROL, 0, 0) != 0;
}

BOOL CALLBACK Inspect(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (!IsWindowVisible(window) || !IsDialog(window))
        return TRUE;
    if (IsSheet(window) != search->wantSheet)
        return TRUE;
    if (search->controlId != 0 && GetDlgItem(window, search->controlId) == nullptr)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindWindowOfThread(bool sheet, int controlId) {
    Search search = {sheet, controlId, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), Inspect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TreeItemText(HWND tree, HTREEITEM item) {
    WCHAR text[256] = {};
    TVITEMW data = {};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = 256;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return Narrow(text);
}

// The first row, depth first, whose text starts with `prefix`.
HTREEITEM FindTreeRow(HWND tree, HTREEITEM item, const std::string& prefix) {
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        if (TreeItemText(tree, item).compare(0, prefix.size(), prefix) == 0)
            return item;
        HTREEITEM found = FindTreeRow(tree, TreeView_GetChild(tree, item), prefix);
        if (found != nullptr)
            return found;
    }
    return nullptr;
}

} // namespace

HWND FindSheet() {
    return FindWindowOfThread(true, 0);
}

HWND FindNonSheetDialog() {
    return FindWindowOfThread(false, 0);
}

HWND FindDialogWithControl(int controlId) {
    return FindWindowOfThread(false, controlId);
}

int SheetPageCount(HWND sheet) {
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    return tabs != nullptr ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

HWND ShowPage(HWND sheet, int index) {
    SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

HWND ShowPageWithControl(HWND sheet, int controlId) {
    int count = SheetPageCount(sheet);
    for (int i = 0; i < count; ++i) {
        HWND page = ShowPage(sheet, i);
        if (page != nullptr && GetDlgItem(page, controlId) != nullptr)
            return page;
    }
    return nullptr;
}

std::string PageTitles(HWND sheet) {
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    std::string titles;
    int count = SheetPageCount(sheet);
    for (int i = 0; i < count; ++i) {
        WCHAR title[128] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = title;
        item.cchTextMax = 128;
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        titles += (i ? ", " : "") + Narrow(title);
    }
    return titles;
}

bool IsControlEnabled(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    return control != nullptr && IsWindowEnabled(control) && IsWindowVisible(control);
}

bool ClickButton(HWND dialog, int controlId, bool post) {
    if (dialog == nullptr || !IsControlEnabled(dialog, controlId))
        return false;
    HWND button = GetDlgItem(dialog, controlId);
    if (post)
        PostMessageW(button, BM_CLICK, 0, 0);
    else
        SendMessageW(button, BM_CLICK, 0, 0);
    return true;
}

bool ChooseListItem(HWND dialog, int controlId, LPCWSTR text) {
    if (dialog == nullptr || !IsControlEnabled(dialog, controlId))
        return false;
    HWND list = GetDlgItem(dialog, controlId);
    LRESULT index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(text));
    if (index == CB_ERR)
        return false;
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(controlId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    return true;
}

bool SelectTreeRow(HWND dialog, int controlId, const std::string& prefix) {
    if (dialog == nullptr || !IsControlEnabled(dialog, controlId))
        return false;
    HWND tree = GetDlgItem(dialog, controlId);
    HTREEITEM row = FindTreeRow(tree, TreeView_GetRoot(tree), prefix);
    return row != nullptr && TreeView_SelectItem(tree, row) != FALSE;
}

std::string TreeRowText(HWND dialog, int controlId, const std::string& prefix) {
    HWND tree = dialog != nullptr ? GetDlgItem(dialog, controlId) : nullptr;
    HTREEITEM row = tree != nullptr ? FindTreeRow(tree, TreeView_GetRoot(tree), prefix) : nullptr;
    return row != nullptr ? TreeItemText(tree, row) : "";
}

bool IsButtonChecked(HWND dialog, int controlId) {
    return IsDlgButtonChecked(dialog, controlId) == BST_CHECKED;
}

std::string SelectedListText(HWND dialog, int controlId) {
    HWND list = GetDlgItem(dialog, controlId);
    LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return "(none)";
    WCHAR text[256] = {};
    if (SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) >= 256)
        return "(too long)";
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

void PressSheetButton(HWND sheet, int button) {
    PostMessageW(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
}
