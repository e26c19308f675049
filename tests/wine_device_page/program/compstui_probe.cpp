// Asking Wine's common property sheet service for a page of option items, as a core driver
// would.
#include "device_page_checks.h"

#include "check_log.h"

#include <compstui.h>

#include <string>

namespace {

struct Probe {
    LONG_PTR handle = 0;
    DWORD pages = 0xFFFFFFFF;
    LONG_PTR pageCount = -1;
};

LONG APIENTRY ItemCallback(PCPSUICBPARAM) {
    return CPSUICB_ACTION_NONE;
}

LONG CALLBACK ProbeSheet(PPROPSHEETUI_INFO info, LPARAM) {
    if (info == nullptr || info->Reason != PROPSHEETUI_REASON_INIT)
        return 1;
    auto* probe = reinterpret_cast<Probe*>(info->lParamInit);
    OPTPARAM options[2];
    ZeroMemory(options, sizeof(options));
    WCHAR one[] = TEXT("One"), two[] = TEXT("Two"), name[] = TEXT("A list");
    options[0].cbSize = options[1].cbSize = sizeof(OPTPARAM);
    options[0].pData = one;
    options[1].pData = two;
    OPTTYPE type;
    ZeroMemory(&type, sizeof(type));
    type.cbSize = sizeof(type);
    type.Type = TVOT_LISTBOX;
    type.Count = 2;
    type.pOptParam = options;
    OPTITEM item;
    ZeroMemory(&item, sizeof(item));
    item.cbSize = sizeof(item);
    item.Level = 1;
    item.Flags = OPTIF_CALLBACK;
    item.pName = name;
    item.pOptType = &type;
    COMPROPSHEETUI sheet;
    ZeroMemory(&sheet, sizeof(sheet));
    sheet.cbSize = sizeof(sheet);
    sheet.hInstCaller = GetModuleHandleW(nullptr);
    sheet.pCallerName = name;
    sheet.pfnCallBack = ItemCallback;
    sheet.pOptItem = &item;
    sheet.cOptItem = 1;
    sheet.pDlgPage = CPSUI_PDLGPAGE_TREEVIEWONLY;
    sheet.CallerVersion = 0x0100;
    sheet.OptItemVersion = 0x0100;
    probe->handle = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PCOMPROPSHEETUIW,
                                          reinterpret_cast<LPARAM>(&sheet),
                                          reinterpret_cast<LPARAM>(&probe->pages));
    probe->pageCount = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_GET_PAGECOUNT, 0, 0);
    // Nothing is to be shown: the items live on this stack.
    info->Result = static_cast<ULONG_PTR>(-1);
    return -1;
}

} // namespace

void MeasureCompstuiOptionItems() {
    Probe probe;
    DWORD result = 0;
    LONG status =
        CommonPropertySheetUIW(nullptr, ProbeSheet, reinterpret_cast<LPARAM>(&probe), &result);
    Note("Wine's compstui: CPSFUNC_ADD_PCOMPROPSHEETUIW returned %s (pages %s), "
         "CPSFUNC_GET_PAGECOUNT %lld, CommonPropertySheetUIW %ld: %s",
         Hex(static_cast<ULONG_PTR>(probe.handle)).c_str(),
         probe.pages == 0xFFFFFFFF ? "untouched" : std::to_string(probe.pages).c_str(),
         static_cast<long long>(probe.pageCount), static_cast<long>(status),
         probe.handle == 0 ? "it draws no option items, so the configuration module does"
                           : "it takes option items now; this page may no longer be needed");
}
