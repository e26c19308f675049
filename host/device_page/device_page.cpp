// The device page: the plug-in's option items as a tree with an input row under it, and the
// sheet's notifications passed to the plug-in's callback with the reasons the common property
// sheet uses.
#include "device_page.h"

#include "device_page_ids.h"
#include "device_page_state.h"

#include <commctrl.h>
#include <strsafe.h>

#include <new>

namespace {

DevicePageState* StateOf(HWND page) {
    return reinterpret_cast<DevicePageState*>(GetWindowLongPtrW(page, DWLP_USER));
}

HWND CreateChild(HWND page, LPCWSTR className, LPCWSTR text, DWORD style, DWORD extendedStyle,
                 RECT units, int id, HFONT font) {
    MapDialogRect(page, &units);
    HWND child = CreateWindowExW(
        extendedStyle, className, text, style | WS_CHILD | WS_VISIBLE, units.left, units.top,
        units.right - units.left, units.bottom - units.top, page,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE)), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// The tree is made as tall as a whole number of rows, so that no row shows cut in half.
void FitWholeRows(HWND tree) {
    RECT client, window;
    GetClientRect(tree, &client);
    GetWindowRect(tree, &window);
    int rowHeight = TreeView_GetItemHeight(tree);
    if (rowHeight <= 0 || client.bottom <= rowHeight)
        return;
    int spare = client.bottom % rowHeight;
    SetWindowPos(tree, nullptr, 0, 0, window.right - window.left,
                 window.bottom - window.top - spare, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- Messages -----------------------------------------------------------------------------------

BOOL OnInitDialog(HWND page, LPARAM lParam) {
    auto* description = reinterpret_cast<PROPSHEETPAGEW*>(lParam);
    auto* state = reinterpret_cast<DevicePageState*>(description->lParam);
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    state->page = page;
    state->driver.reset(new (std::nothrow) DeviceTreeDriver(*state->treeParam, page));

    // In dialog units: the label, the tree under it, and the inputs' row below (ValueEditor).
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(page, WM_GETFONT, 0, 0));
    CreateChild(page, WC_STATICW, TEXT("Device &settings:"), SS_LEFT, 0, {7, 7, 245, 15},
                IDC_DEVPAGE_TREE_LABEL, font);
    HWND tree = CreateChild(page, WC_TREEVIEWW, TEXT(""),
                            WS_TABSTOP | WS_GROUP | TVS_HASLINES | TVS_HASBUTTONS |
                                TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                            WS_EX_CLIENTEDGE, {7, 17, 245, 172}, IDC_DEVPAGE_TREE, font);
    FitWholeRows(tree);
    state->editor.Create(page, font);
    if (state->driver == nullptr)
        return TRUE;

    state->tree.Attach(tree, &state->driver->item(0), state->driver->count());
    RebuildTree(state);
    return TRUE;
}

LRESULT OnTreeNotify(DevicePageState* state, UINT code) {
    // Rows being built anew select as they go; the page shows the inputs once they are done.
    if (state->inTreeNotification)
        return 0;
    state->inTreeNotification = true;
    if (code == TVN_SELCHANGEDW) {
        CommitText(state);
        ShowSelectedItem(state);
    }
    state->inTreeNotification = false;
    return 0;
}

LRESULT OnSheetNotify(DevicePageState* state, UINT code) {
    switch (code) {
    case PSN_SETACTIVE:
        ShowResult(state, state->driver->Activate());
        return 0;
    case PSN_KILLACTIVE:
        CommitText(state);
        ShowResult(state, state->driver->Deactivate());
        return FALSE;
    case PSN_APPLY: {
        CommitText(state);
        LONG action = state->driver->Apply();
        if (action == CPSUICB_ACTION_NO_APPLY_EXIT)
            return PSNRET_INVALID_NOCHANGEPAGE;
        ShowResult(state, action);
        // An apply may rewrite what it read (a value limited to its range) without asking for a
        // redraw; the rows show what the items now hold.
        if (!state->tree.RefreshAll())
            RebuildTree(state);
        return PSNRET_NOERROR;
    }
    default:
        return 0;
    }
}

void OnCommand(DevicePageState* state, WORD id, WORD code) {
    if (state->refreshing)
        return;
    switch (id) {
    case IDC_DEVPAGE_LIST:
        if (code == CBN_SELCHANGE)
            OnListChosen(state);
        break;
    case IDC_DEVPAGE_EDIT:
        if (code == EN_CHANGE)
            state->textPending = true;
        else if (code == EN_KILLFOCUS)
            CommitText(state);
        break;
    case IDC_DEVPAGE_NUMBER:
        if (code == EN_CHANGE) {
            OnNumberChanged(state);
        } else if (code == EN_KILLFOCUS) {
            // A number out of range (or none) is not taken: the box shows the item's again.
            ShowSelectedItem(state);
        }
        break;
    case IDC_DEVPAGE_BUTTON:
        if (code == BN_CLICKED)
            OnButtonPressed(state);
        break;
    default:
        break;
    }
}

INT_PTR CALLBACK DevicePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return OnInitDialog(page, lParam);
    DevicePageState* state = StateOf(page);
    if (state == nullptr || state->driver == nullptr)
        return FALSE;
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        LRESULT result = header->idFrom == IDC_DEVPAGE_TREE ? OnTreeNotify(state, header->code)
                                                            : OnSheetNotify(state, header->code);
        SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_COMMAND:
        OnCommand(state, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case kRebuildTreeMessage:
        RebuildTree(state);
        return TRUE;
    default:
        return FALSE;
    }
}

UINT CALLBACK DevicePageCallback(HWND, UINT message, LPPROPSHEETPAGEW description) {
    if (message == PSPCB_RELEASE && description != nullptr)
        delete reinterpret_cast<DevicePageState*>(description->lParam);
    return 1;
}

} // namespace

HPROPSHEETPAGE CreateDevicePage(const DevicePageSetup& setup) {
    if (setup.treeParam == nullptr || setup.treeParam->pOEMOptItems == nullptr ||
        setup.treeParam->cOEMOptItems == 0)
        return nullptr;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);

    auto* state = new (std::nothrow) DevicePageState;
    if (state == nullptr)
        return nullptr;
    state->treeParam = setup.treeParam;
    StringCchCopyW(state->title, kPageTitleChars, setup.title != nullptr ? setup.title : TEXT(""));
    PROPSHEETPAGEW description;
    ZeroMemory(&description, sizeof(description));
    description.dwSize = sizeof(description);
    description.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE | PSP_USECALLBACK;
    description.hInstance = setup.instance;
    description.pResource = BuildPageTemplate(&state->pageTemplate);
    description.pszTitle = state->title;
    description.pfnDlgProc = DevicePageProc;
    description.lParam = reinterpret_cast<LPARAM>(state);
    description.pfnCallback = DevicePageCallback;
    HPROPSHEETPAGE page = CreatePropertySheetPageW(&description);
    if (page == nullptr)
        delete state;
    return page;
}
