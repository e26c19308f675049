// The device page: the plug-in's option items as a tree with an input row under it. Every change
// goes to the plug-in's callback as the common property sheet sends it, and the page redraws
// what the callback says changed.
#include "device_page.h"

#include "device_page_ids.h"
#include "device_tree_driver.h"
#include "item_tree_view.h"
#include "option_items.h"
#include "page_template.h"
#include "value_editor.h"

#include <commctrl.h>
#include <strsafe.h>

#include <memory>
#include <new>

namespace {

constexpr size_t kTitleChars = 260;

// Everything one page holds, from CreateDevicePage until the sheet releases the page.
struct DevicePageState {
    OEMCUIPPARAM* treeParam = nullptr;
    WCHAR title[kTitleChars] = {};
    PageTemplate pageTemplate;
    HWND page = nullptr;
    std::unique_ptr<DeviceTreeDriver> driver;
    ItemTreeView tree;
    ValueEditor editor;
    // The edit box holds text the item does not have yet.
    bool textPending = false;
    // The page itself is writing into the inputs: their change notifications are not a person's.
    bool refreshing = false;
};

DevicePageState* StateOf(HWND page) {
    return reinterpret_cast<DevicePageState*>(GetWindowLongPtrW(page, DWLP_USER));
}

OPTITEM* SelectedItem(DevicePageState* state, WORD* index) {
    if (!state->tree.SelectedItem(index))
        return nullptr;
    return &state->driver->item(*index);
}

void ShowSelectedItem(DevicePageState* state) {
    WORD index = 0;
    state->refreshing = true;
    state->editor.Show(SelectedItem(state, &index));
    state->refreshing = false;
}

// Redraws what the callback's answer asks for, and the item acted on.
void ShowResult(DevicePageState* state, LONG action, const WORD* actedOn) {
    WORD selected = 0;
    bool hasSelection = state->tree.SelectedItem(&selected);
    if (action == CPSUICB_ACTION_REINIT_ITEMS) {
        state->tree.Rebuild(hasSelection ? selected : 0);
    } else {
        std::vector<WORD> changed = state->driver->redrawn();
        if (actedOn != nullptr)
            changed.push_back(*actedOn);
        state->tree.Refresh(changed);
    }
    WORD index = 0;
    state->refreshing = true;
    state->editor.Refresh(SelectedItem(state, &index));
    state->refreshing = false;
}

void PersonChanged(DevicePageState* state, LONG action, WORD index) {
    ShowResult(state, action, &index);
    if (action != DeviceTreeDriver::kRefused)
        PropSheet_Changed(GetParent(state->page), state->page);
}

// The edit box's text becomes the item's when the person leaves it (or the page is left or
// applied while it still has the focus).
void CommitText(DevicePageState* state) {
    if (!state->textPending)
        return;
    state->textPending = false;
    WORD index = 0;
    OPTITEM* item = SelectedItem(state, &index);
    if (item == nullptr || OptionItemKind(*item) != TVOT_EDITBOX)
        return;
    WCHAR text[260];
    state->editor.ReadText(text, ARRAYSIZE(text));
    size_t chars = EditBoxChars(*item);
    if (chars > 0 && item->pSel != nullptr && lstrcmpW(text, item->pSel) == 0)
        return;
    PersonChanged(state, state->driver->Type(index, text), index);
}

void OnListChosen(DevicePageState* state) {
    WORD index = 0;
    OPTITEM* item = SelectedItem(state, &index);
    LONG selection = 0;
    if (item == nullptr || !state->editor.ReadListSelection(&selection) || selection == item->Sel)
        return;
    PersonChanged(state, state->driver->Select(index, selection), index);
}

void OnNumberChanged(DevicePageState* state) {
    WORD index = 0;
    OPTITEM* item = SelectedItem(state, &index);
    LONG value = 0;
    if (item == nullptr || !state->editor.ReadNumber(&value) || value == item->Sel ||
        !IsUpDownValueInRange(*item, value))
        return;
    PersonChanged(state, state->driver->Select(index, value), index);
}

void OnButtonPressed(DevicePageState* state) {
    WORD index = 0;
    if (SelectedItem(state, &index) == nullptr)
        return;
    PersonChanged(state, state->driver->Push(index), index);
}

// --- Messages -----------------------------------------------------------------------------------

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

BOOL OnInitDialog(HWND page, LPARAM lParam) {
    auto* description = reinterpret_cast<PROPSHEETPAGEW*>(lParam);
    auto* state = reinterpret_cast<DevicePageState*>(description->lParam);
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    state->page = page;
    state->driver = std::make_unique<DeviceTreeDriver>(*state->treeParam, page);

    HFONT font = reinterpret_cast<HFONT>(SendMessageW(page, WM_GETFONT, 0, 0));
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE));
    RECT label = {7, 7, 245, 15};
    RECT tree = {7, 17, 245, 172};
    MapDialogRect(page, &label);
    MapDialogRect(page, &tree);
    HWND labelWindow = CreateWindowExW(
        0, WC_STATICW, TEXT("Device &settings:"), WS_CHILD | WS_VISIBLE | SS_LEFT, label.left,
        label.top, label.right - label.left, label.bottom - label.top, page,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DEVPAGE_TREE_LABEL)), instance, nullptr);
    HWND treeWindow = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_TREEVIEWW, TEXT(""),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | TVS_HASLINES | TVS_HASBUTTONS |
            TVS_LINESATROOT | TVS_SHOWSELALWAYS,
        tree.left, tree.top, tree.right - tree.left, tree.bottom - tree.top, page,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DEVPAGE_TREE)), instance, nullptr);
    SendMessageW(labelWindow, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(treeWindow, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    FitWholeRows(treeWindow);
    state->editor.Create(page, font);

    state->tree.Attach(treeWindow, &state->driver->item(0), state->driver->count());
    state->tree.Rebuild(0);
    ShowSelectedItem(state);
    return TRUE;
}

LRESULT OnNotify(DevicePageState* state, const NMHDR* header) {
    switch (header->code) {
    case TVN_SELCHANGINGW:
        CommitText(state);
        return FALSE;
    case TVN_SELCHANGEDW:
        ShowSelectedItem(state);
        return 0;
    case PSN_SETACTIVE:
        ShowResult(state, state->driver->Activate(), nullptr);
        return 0;
    case PSN_KILLACTIVE:
        CommitText(state);
        ShowResult(state, state->driver->Deactivate(), nullptr);
        return FALSE;
    case PSN_APPLY: {
        CommitText(state);
        LONG action = state->driver->Apply();
        if (action == CPSUICB_ACTION_NO_APPLY_EXIT)
            return PSNRET_INVALID_NOCHANGEPAGE;
        // An apply may rewrite what it read (a value limited to its range) without asking for a
        // redraw; the rows show what the items now hold.
        ShowResult(state, action, nullptr);
        state->tree.RefreshAll();
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
    if (state == nullptr)
        return FALSE;
    switch (message) {
    case WM_NOTIFY:
        SetWindowLongPtrW(page, DWLP_MSGRESULT,
                          OnNotify(state, reinterpret_cast<const NMHDR*>(lParam)));
        return TRUE;
    case WM_COMMAND:
        OnCommand(state, LOWORD(wParam), HIWORD(wParam));
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
    StringCchCopyW(state->title, kTitleChars, setup.title != nullptr ? setup.title : TEXT(""));
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
