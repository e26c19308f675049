// Creating, showing and reading the device page's value inputs.
#include "value_editor.h"

#include "device_page_ids.h"
#include "option_items.h"

#include <commctrl.h>
#include <strsafe.h>

namespace {

constexpr size_t kLabelChars = 300;

struct ControlLayout {
    int id;
    LPCWSTR className;
    DWORD style;
    RECT units; // left, top, width, height in dialog units
};

// Below the tree (which ends at 172 dialog units): the label line, then the input line.
const ControlLayout kControls[] = {
    {IDC_DEVPAGE_LIST_LABEL, WC_STATICW, SS_LEFT, {7, 177, 238, 8}},
    {IDC_DEVPAGE_LIST,
     WC_COMBOBOXW,
     CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
     {7, 188, 160, 120}},
    {IDC_DEVPAGE_EDIT_LABEL, WC_STATICW, SS_LEFT, {7, 177, 238, 8}},
    {IDC_DEVPAGE_EDIT, WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, {7, 188, 60, 14}},
    {IDC_DEVPAGE_EDIT_UNIT, WC_STATICW, SS_LEFT | SS_NOPREFIX, {71, 190, 100, 8}},
    {IDC_DEVPAGE_NUMBER_LABEL, WC_STATICW, SS_LEFT, {7, 177, 238, 8}},
    {IDC_DEVPAGE_NUMBER, WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, {7, 188, 40, 14}},
    {IDC_DEVPAGE_NUMBER_ARROWS,
     UPDOWN_CLASSW,
     UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
     {47, 188, 10, 14}},
    {IDC_DEVPAGE_NUMBER_UNIT, WC_STATICW, SS_LEFT | SS_NOPREFIX, {60, 190, 100, 8}},
    {IDC_DEVPAGE_BUTTON, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, {7, 186, 160, 14}},
};

// The controls that make up each kind's inputs.
bool BelongsToKind(int id, BYTE kind) {
    switch (id) {
    case IDC_DEVPAGE_LIST_LABEL:
    case IDC_DEVPAGE_LIST:
        return kind == TVOT_LISTBOX || kind == TVOT_COMBOBOX;
    case IDC_DEVPAGE_EDIT_LABEL:
    case IDC_DEVPAGE_EDIT:
    case IDC_DEVPAGE_EDIT_UNIT:
        return kind == TVOT_EDITBOX;
    case IDC_DEVPAGE_NUMBER_LABEL:
    case IDC_DEVPAGE_NUMBER:
    case IDC_DEVPAGE_NUMBER_ARROWS:
    case IDC_DEVPAGE_NUMBER_UNIT:
        return kind == TVOT_UDARROW;
    case IDC_DEVPAGE_BUTTON:
        return kind == TVOT_PUSHBUTTON;
    default:
        return false;
    }
}

} // namespace

void ValueEditor::Create(HWND page, HFONT font) {
    page_ = page;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE));
    for (const ControlLayout& layout : kControls) {
        RECT bounds = {layout.units.left, layout.units.top, layout.units.left + layout.units.right,
                       layout.units.top + layout.units.bottom};
        MapDialogRect(page, &bounds);
        HWND control = CreateWindowExW(
            layout.id == IDC_DEVPAGE_EDIT || layout.id == IDC_DEVPAGE_NUMBER ? WS_EX_CLIENTEDGE : 0,
            layout.className, TEXT(""), layout.style | WS_CHILD, bounds.left, bounds.top,
            bounds.right - bounds.left, bounds.bottom - bounds.top, page,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    SendDlgItemMessageW(page, IDC_DEVPAGE_NUMBER_ARROWS, UDM_SETBUDDY,
                        reinterpret_cast<WPARAM>(GetDlgItem(page, IDC_DEVPAGE_NUMBER)), 0);
}

void ValueEditor::ShowKind(BYTE kind, bool enabled) {
    for (const ControlLayout& layout : kControls) {
        HWND control = GetDlgItem(page_, layout.id);
        bool shown = BelongsToKind(layout.id, kind);
        EnableWindow(control, shown && enabled);
        ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
    }
}

void ValueEditor::SetLabels(const OPTITEM& item) {
    LPCWSTR name = item.pName != nullptr ? item.pName : TEXT("");
    WCHAR label[kLabelChars];
    StringCchPrintfW(label, kLabelChars, TEXT("&Value of %ls:"), name);
    SetDlgItemTextW(page_, IDC_DEVPAGE_LIST_LABEL, label);
    SetDlgItemTextW(page_, IDC_DEVPAGE_EDIT_LABEL, label);
    SetDlgItemTextW(page_, IDC_DEVPAGE_NUMBER_LABEL, label);
    StringCchPrintfW(label, kLabelChars, TEXT("&Open %ls ..."), name);
    SetDlgItemTextW(page_, IDC_DEVPAGE_BUTTON, label);
    LPCWSTR unit = OptionItemUnit(item);
    SetDlgItemTextW(page_, IDC_DEVPAGE_EDIT_UNIT, unit != nullptr ? unit : TEXT(""));
    SetDlgItemTextW(page_, IDC_DEVPAGE_NUMBER_UNIT, unit != nullptr ? unit : TEXT(""));
}

// The list offers the options a person may pick, plus the current one; each entry carries its
// option index.
void ValueEditor::FillList(const OPTITEM& item) {
    HWND list = GetDlgItem(page_, IDC_DEVPAGE_LIST);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    WORD count = item.pOptType != nullptr ? item.pOptType->Count : 0;
    for (WORD i = 0; i < count; ++i) {
        if (!IsOptionOffered(item, i) && i != item.Sel)
            continue;
        LPCWSTR text = OptionText(item, i);
        LRESULT entry = SendMessageW(list, CB_ADDSTRING, 0,
                                     reinterpret_cast<LPARAM>(text != nullptr ? text : TEXT("")));
        if (entry < 0)
            continue;
        SendMessageW(list, CB_SETITEMDATA, entry, i);
        if (i == item.Sel)
            SendMessageW(list, CB_SETCURSEL, entry, 0);
    }
}

// The entries stay while they still list the item's options, so that a list a person is moving
// through (or has dropped down) is not emptied under them; only the selection follows the item.
void ValueEditor::SyncList(const OPTITEM& item) {
    HWND list = GetDlgItem(page_, IDC_DEVPAGE_LIST);
    WORD count = item.pOptType != nullptr ? item.pOptType->Count : 0;
    LRESULT entries = SendMessageW(list, CB_GETCOUNT, 0, 0);
    LRESULT entry = 0;
    bool same = true;
    for (WORD i = 0; i < count && same; ++i) {
        if (!IsOptionOffered(item, i) && i != item.Sel)
            continue;
        same = entry < entries &&
               SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(entry), 0) == i;
        ++entry;
    }
    if (!same || entry != entries) {
        FillList(item);
        return;
    }
    for (entry = 0; entry < entries; ++entry) {
        if (SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(entry), 0) != item.Sel)
            continue;
        if (SendMessageW(list, CB_GETCURSEL, 0, 0) != entry)
            SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        return;
    }
}

void ValueEditor::Refresh(const OPTITEM* item) {
    if (item == nullptr || item != item_) {
        Show(item);
        return;
    }
    bool enabled = CanChangeOptionItem(*item);
    BYTE kind = OptionItemKind(*item);
    ShowKind(kind, enabled);
    SetLabels(*item);
    switch (kind) {
    case TVOT_LISTBOX:
    case TVOT_COMBOBOX:
        SyncList(*item);
        break;
    case TVOT_EDITBOX: {
        HWND edit = GetDlgItem(page_, IDC_DEVPAGE_EDIT);
        if (GetFocus() == edit)
            break;
        WCHAR text[kLabelChars] = {};
        size_t chars = EditBoxChars(*item);
        if (chars > 0)
            StringCchCopyNW(text, kLabelChars, item->pSel, chars);
        SendMessageW(edit, EM_LIMITTEXT, chars > 1 ? chars - 1 : 0, 0);
        SetWindowTextW(edit, text);
        break;
    }
    case TVOT_UDARROW: {
        LONG lowest = 0, highest = 0;
        GetUpDownRange(*item, &lowest, &highest);
        SendDlgItemMessageW(page_, IDC_DEVPAGE_NUMBER_ARROWS, UDM_SETRANGE32, lowest, highest);
        // A box that already shows what the item holds (a number being typed) is left as it is,
        // caret and all: written again, the "2" of "20" would put the caret before the 2. The
        // arrows read their position from the box.
        BOOL read = FALSE;
        LONG shown = static_cast<LONG>(GetDlgItemInt(page_, IDC_DEVPAGE_NUMBER, &read, TRUE));
        if (read && shown == item->Sel)
            break;
        SendDlgItemMessageW(page_, IDC_DEVPAGE_NUMBER_ARROWS, UDM_SETPOS32, 0, item->Sel);
        // The arrows keep to the range; the box shows what the item holds even outside it.
        SetDlgItemInt(page_, IDC_DEVPAGE_NUMBER, static_cast<UINT>(item->Sel), TRUE);
        break;
    }
    default:
        break;
    }
}

void ValueEditor::Show(const OPTITEM* item) {
    item_ = item;
    if (item == nullptr) {
        ShowKind(kNoOptionType, false);
        return;
    }
    // Another item: its own options.
    SendDlgItemMessageW(page_, IDC_DEVPAGE_LIST, CB_RESETCONTENT, 0, 0);
    Refresh(item);
}

bool ValueEditor::ReadListSelection(LONG* selection) const {
    LRESULT entry = SendDlgItemMessageW(page_, IDC_DEVPAGE_LIST, CB_GETCURSEL, 0, 0);
    if (entry < 0)
        return false;
    *selection = static_cast<LONG>(SendDlgItemMessageW(page_, IDC_DEVPAGE_LIST, CB_GETITEMDATA,
                                                       static_cast<WPARAM>(entry), 0));
    return true;
}

void ValueEditor::ReadText(WCHAR* text, size_t chars) const {
    GetDlgItemTextW(page_, IDC_DEVPAGE_EDIT, text, static_cast<int>(chars));
}

bool ValueEditor::ReadNumber(LONG* value) const {
    BOOL failed = FALSE;
    LRESULT position = SendDlgItemMessageW(page_, IDC_DEVPAGE_NUMBER_ARROWS, UDM_GETPOS32, 0,
                                           reinterpret_cast<LPARAM>(&failed));
    if (failed)
        return false;
    *value = static_cast<LONG>(position);
    return true;
}
