// Items made here: hidden and disabled items and options, and the callback's answers that redraw
// the whole tree or keep the sheet open.
#include "device_page_checks.h"

#include "check_log.h"
#include "device_page.h"
#include "device_page_ids.h"
#include "page_driving.h"

#include <vector>

namespace {

enum Item : WORD { kGroup, kColour, kNote, kCount, kItemCount };

struct Items {
    WCHAR group[8] = TEXT("Group"), colour[8] = TEXT("Colour"), note[8] = TEXT("Note"),
          count[8] = TEXT("Count");
    WCHAR red[8] = TEXT("Red"), green[8] = TEXT("Green"), blue[8] = TEXT("Blue");
    WCHAR noteText[8] = TEXT("hello");
    OPTPARAM colours[3] = {};
    OPTPARAM noteParams[2] = {};
    OPTPARAM countParams[2] = {};
    OPTTYPE colourType = {}, noteType = {}, countType = {};
    OPTITEM items[kItemCount] = {};
    std::vector<WORD> reasons;
    LONG oldColour = -1;
    int applies = 0;
} g_items;

LONG APIENTRY ItemCallback(PCPSUICBPARAM callbackParam, POEMCUIPPARAM) {
    g_items.reasons.push_back(callbackParam->Reason);
    switch (callbackParam->Reason) {
    case CPSUICB_REASON_SEL_CHANGED:
        if (callbackParam->pCurItem == &g_items.items[kNote]) {
            // A text that changes another item and asks for every row again.
            g_items.items[kCount].Sel = 5;
            return CPSUICB_ACTION_REINIT_ITEMS;
        }
        if (callbackParam->pCurItem != &g_items.items[kColour])
            return CPSUICB_ACTION_NONE;
        g_items.oldColour = callbackParam->OldSel;
        // A choice that shows another item and enables a third: the whole tree is redrawn.
        g_items.items[kNote].Flags &= ~OPTIF_HIDE;
        g_items.items[kCount].Flags &= ~OPTIF_DISABLED;
        return CPSUICB_ACTION_REINIT_ITEMS;
    case CPSUICB_REASON_APPLYNOW:
        // The first apply is refused: the sheet stays open.
        return ++g_items.applies == 1 ? CPSUICB_ACTION_NO_APPLY_EXIT : CPSUICB_ACTION_NONE;
    default:
        return CPSUICB_ACTION_NONE;
    }
}

void FillItems() {
    Items& d = g_items;
    for (OPTPARAM& option : d.colours)
        option.cbSize = sizeof(OPTPARAM);
    d.colours[0].pData = d.red;
    d.colours[1].pData = d.green;
    d.colours[1].Flags = OPTPF_DISABLED;
    d.colours[2].pData = d.blue;
    d.colourType = {sizeof(OPTTYPE), TVOT_LISTBOX, 0, 3, 0, d.colours, 0, {}, {}};
    d.noteParams[1].IconID = 8;
    d.noteType = {sizeof(OPTTYPE), TVOT_EDITBOX, 0, 2, 0, d.noteParams, 0, {}, {}};
    d.countParams[1].IconID = 1;
    d.countParams[1].lParam = 9;
    d.countType = {sizeof(OPTTYPE), TVOT_UDARROW, 0, 2, 0, d.countParams, 0, {}, {}};
    for (OPTITEM& item : d.items) {
        item.cbSize = sizeof(OPTITEM);
        item.Level = 2;
        item.Flags = OPTIF_CALLBACK | OPTIF_COLLAPSE;
    }
    d.items[kGroup].Level = 1;
    d.items[kGroup].Flags = 0;
    d.items[kGroup].pName = d.group;
    d.items[kColour].pName = d.colour;
    d.items[kColour].pOptType = &d.colourType;
    d.items[kNote].pName = d.note;
    d.items[kNote].pSel = d.noteText;
    d.items[kNote].pOptType = &d.noteType;
    d.items[kNote].Flags |= OPTIF_HIDE;
    d.items[kCount].pName = d.count;
    d.items[kCount].Sel = 2;
    d.items[kCount].pOptType = &d.countType;
    d.items[kCount].Flags |= OPTIF_DISABLED;
}

std::string Joined(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows)
        text += (text.empty() ? "" : " | ") + row;
    return text;
}

std::string ListEntries(HWND page) {
    HWND list = GetDlgItem(page, IDC_DEVPAGE_LIST);
    std::string text;
    LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        WCHAR entry[64] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
        text += (i ? ", " : "") + Narrow(entry);
    }
    return text;
}

std::string Reasons() {
    std::string text;
    for (WORD reason : g_items.reasons)
        text += (text.empty() ? "" : " ") + std::to_string(reason);
    return text;
}

} // namespace

void CheckItemFlagsAndAnswers() {
    FillItems();
    OEMCUIPPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.cbSize = sizeof(param);
    param.pOEMOptItems = g_items.items;
    param.cOEMOptItems = kItemCount;
    param.OEMCUIPCallback = ItemCallback;
    DevicePageSetup setup = {&param, TEXT("Items"), GetModuleHandleW(nullptr)};
    HPROPSHEETPAGE devicePage = CreateDevicePage(setup);
    PROPSHEETHEADERW header;
    ZeroMemory(&header, sizeof(header));
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = TEXT("Items");
    header.nPages = 1;
    header.phpage = &devicePage;
    HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
    if (!CheckThat("a sheet of hand-made items opens", sheet != nullptr, "a window", "none"))
        return;
    Pump(300);
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    CheckText("a hidden item has no row", "Group |   Colour: Red |   Count: 2",
              Joined(RowTexts(page)));
    CheckText("the page's first call", "10", Reasons());

    SelectRow(page, kCount);
    HWND number = GetDlgItem(page, IDC_DEVPAGE_NUMBER);
    CheckThat("a disabled item's input is shown disabled",
              IsWindowVisible(number) && !IsWindowEnabled(number), "visible and disabled",
              IsWindowVisible(number) ? "enabled" : "hidden");
    CheckThat("and Tab skips it", ShownInputs(page).empty(), "no input",
              std::to_string(ShownInputs(page).size()) + " inputs");

    SelectRow(page, kColour);
    CheckText("a disabled option is not offered", "Red, Blue", ListEntries(page));
    ChooseListEntry(page, TEXT("Blue"));
    CheckText("the choice reaches the callback with the old selection", "0",
              std::to_string(g_items.oldColour));
    CheckText("CPSUICB_ACTION_REINIT_ITEMS redraws the tree",
              "Group |   Colour: Blue |   Note: hello |   Count: 2", Joined(RowTexts(page)));
    SelectRow(page, kCount);
    CheckThat("the enabled item's input takes input", IsWindowEnabled(number), "enabled",
              "disabled");

    // Text still in the box when another row is chosen: it reaches the callback first, and the
    // rows it asks for are built once the tree has finished changing its selection.
    SelectRow(page, kNote);
    TypeInto(page, IDC_DEVPAGE_EDIT, TEXT("bye"));
    SelectRow(page, kCount);
    Pump(200);
    CheckText("a pending text is taken when the row changes",
              "Group |   Colour: Blue |   Note: bye |   Count: 5", Joined(RowTexts(page)));
    CheckThat("the chosen row's input is shown", IsWindowVisible(number), "the number box",
              "another input");
    CheckText("the number box shows the new value", "5", WindowText(number));

    g_items.reasons.clear();
    Press(sheet, IDOK);
    Pump(200);
    CheckText("OK leaves the page, then applies", "11 6", Reasons());
    CheckThat("CPSUICB_ACTION_NO_APPLY_EXIT keeps the sheet open",
              PropSheet_GetCurrentPageHwnd(sheet) != nullptr, "open", "closed");
    Press(sheet, IDOK);
    Pump(200);
    CheckThat("the next OK closes it", PropSheet_GetCurrentPageHwnd(sheet) == nullptr, "closed",
              "open");
    DestroyWindow(sheet);
}
