// The printer's properties through the platform's property sheet service.
#include "printer_sheet.h"

#include "driver_module.h"

#include <strsafe.h>

#if __has_include("device_page/device_page.h")
#include "device_page/device_page.h"
#define QV_HAS_DEVICE_PAGE 1
#endif

PrinterSheet::PrinterSheet(DEVICEPROPERTYHEADER* header) : header_(header), session_(host_) {
    StringCchPrintfW(title_, MAX_PATH, TEXT("%ls Properties"), header->pszPrinterName);
}

PrinterSheet::~PrinterSheet() {
    session_.ReleaseHostResources();
}

bool PrinterSheet::Start(PPROPSHEETUI_INFO info) {
    WCHAR pluginPath[MAX_PATH];
    DriverFilePath(TEXT("qvembui.dll"), pluginPath, MAX_PATH);
    if (FAILED(host_.Load(pluginPath)))
        return false;
    // The standard device pages stay unless the plug-in hides them; this driver has none to show.
    host_.plugin()->HideStandardUI(OEMCUIP_PRNPROP);
    if (FAILED(session_.PreparePrinterSheet(header_->pszPrinterName)))
        return false;
    AddDevicePage(info);
    LONG_PTR added = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PFNPROPSHEETUIW,
                                           reinterpret_cast<LPARAM>(PluginSheetFunction),
                                           reinterpret_cast<LPARAM>(this));
    return added != 0;
}

#ifdef QV_HAS_DEVICE_PAGE
void PrinterSheet::AddDevicePage(PPROPSHEETUI_INFO info) {
    DevicePageSetup setup = {};
    setup.param = &session_.treeParam();
    HPROPSHEETPAGE page = CreateDevicePage(setup);
    if (page != nullptr)
        info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE,
                              reinterpret_cast<LPARAM>(page), 0);
}
#else
// The service of this platform draws no option-item trees, and our own device page is not part
// of this build: the tree's items were filled, but only the plug-in's pages are shown.
void PrinterSheet::AddDevicePage(PPROPSHEETUI_INFO) {}
#endif

LONG CALLBACK PrinterSheet::PluginSheetFunction(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (info == nullptr)
        return kSheetFunctionFailed;
    auto* sheet = reinterpret_cast<PrinterSheet*>(info->lParamInit);
    PROPSHEETUI_INFO forwarded = *info;
    forwarded.lParamInit = reinterpret_cast<LPARAM>(&sheet->session_.sheetParam());
    HRESULT result = sheet->host_.plugin()->DevicePropertySheets(&forwarded, lParam);
    info->UserData = forwarded.UserData;
    info->Result = forwarded.Result;
    return SUCCEEDED(result) ? kSheetFunctionDone : kSheetFunctionFailed;
}
