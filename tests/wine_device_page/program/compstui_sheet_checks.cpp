// The device page added to Wine's own common property sheet with CPSFUNC_ADD_HPROPSHEETPAGE, as
// the configuration module adds it: shown, changed and applied in the service's modal sheet.
#include "device_page_checks.h"

#include "device_page.h"
#include "page_driving.h"

#include <compstui.h>

#include <vector>

namespace {

struct SheetItems {
    WCHAR name[16] = TEXT("Speed");
    WCHAR slow[8] = TEXT("Slow"), fast[8] = TEXT("Fast");
    OPTPARAM options[2] = {};
    OPTTYPE type = {};
    OPTITEM item = {};
    OEMCUIPPARAM param = {};
    std::vector<WORD> reasons;
    LONG_PTR added = 0;
    LPCWSTR shots = nullptr;
    bool driven = false;
    std::string row;
} g_sheet;

LONG APIENTRY RecordReason(PCPSUICBPARAM callbackParam, POEMCUIPPARAM) {
    g_sheet.reasons.push_back(callbackParam->Reason);
    return CPSUICB_ACTION_NONE;
}

void FillItem() {
    SheetItems& d = g_sheet;
    d.options[0].cbSize = d.options[1].cbSize = sizeof(OPTPARAM);
    d.options[0].pData = d.slow;
    d.options[1].pData = d.fast;
    d.type.cbSize = sizeof(OPTTYPE);
    d.type.Type = TVOT_LISTBOX;
    d.type.Count = 2;
    d.type.pOptParam = d.options;
    d.item.cbSize = sizeof(OPTITEM);
    d.item.Level = 1;
    d.item.Flags = OPTIF_CALLBACK;
    d.item.pName = d.name;
    d.item.pOptType = &d.type;
    d.param.cbSize = sizeof(OEMCUIPPARAM);
    d.param.pOEMOptItems = &d.item;
    d.param.cOEMOptItems = 1;
    d.param.OEMCUIPCallback = RecordReason;
}

BOOL CALLBACK FindSheet(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && PropSheet_GetCurrentPageHwnd(window) != nullptr) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Runs inside the service's modal loop once its sheet is up: a person picks "Fast" and presses
// OK.
void CALLBACK DriveSheet(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (sheet == nullptr)
        return;
    KillTimer(nullptr, timer);
    g_sheet.driven = true;
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    SelectRow(page, 0);
    ChooseListEntry(page, TEXT("Fast"));
    g_sheet.row = RowText(page, 0);
    Pump(200);
    std::wstring path = std::wstring(g_sheet.shots) + TEXT("device-page-in-compstui.bmp");
    SaveScreenshot(sheet, path.c_str());
    Press(sheet, IDOK);
}

LONG CALLBACK AddDevicePage(PPROPSHEETUI_INFO info, LPARAM) {
    if (info == nullptr)
        return -1;
    if (info->Reason == PROPSHEETUI_REASON_INIT) {
        DevicePageSetup setup = {&g_sheet.param, TEXT("Device Settings"),
                                 GetModuleHandleW(nullptr)};
        HPROPSHEETPAGE page = CreateDevicePage(setup);
        g_sheet.added = page != nullptr
                            ? info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE,
                                                    reinterpret_cast<LPARAM>(page), 0)
                            : 0;
        info->Result = static_cast<ULONG_PTR>(g_sheet.added);
        return g_sheet.added != 0 ? 1 : -1;
    }
    info->Result = 1;
    return 1;
}

std::string Reasons() {
    std::string text;
    for (WORD reason : g_sheet.reasons)
        text += (text.empty() ? "" : " ") + std::to_string(reason);
    return text;
}

} // namespace

void CheckPageInCompstuiSheet(LPCWSTR shots) {
    FillItem();
    g_sheet.shots = shots;
    UINT_PTR timer = SetTimer(nullptr, 0, 300, DriveSheet);
    DWORD result = 0;
    LONG status = CommonPropertySheetUIW(nullptr, AddDevicePage, 0, &result);
    KillTimer(nullptr, timer);
    CheckThat("CPSFUNC_ADD_HPROPSHEETPAGE takes the page", g_sheet.added != 0, "a handle", "0");
    CheckThat("Wine's sheet shows it", g_sheet.driven, "shown and driven", "never shown");
    CheckText("the row in Wine's sheet after the choice", "Speed: Fast", g_sheet.row);
    CheckText("callback reasons: activation, the choice, leaving, apply", "10 0 11 6", Reasons());
    Note("CommonPropertySheetUIW returned %ld with result %lu", static_cast<long>(status),
         static_cast<unsigned long>(result));
}
