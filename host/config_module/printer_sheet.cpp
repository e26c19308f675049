// The printer's properties through the platform's property sheet service.
#include "printer_sheet.h"

#include "driver_module.h"

#include <strsafe.h>

// The build defines QV_HAS_DEVICE_PAGE when host/device_page/ has its sources.
#ifdef QV_HAS_DEVICE_PAGE
#include "device_page/device_page.h"
#endif

PrinterSheet::PrinterSheet(DEVICEPROPERTYHEADER* header)
    : header_(header), session_(host_),
      link_(host_, session_.sheetParam(), PluginSheetLink::Sheet::Printer) {
    StringCchPrintfW(title_, MAX_PATH, TEXT("%ls Properties"), header->pszPrinterName);
}

PrinterSheet::~PrinterSheet() {
    link_.EnsureDestroyed();
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
    return link_.Register(info);
}

#ifdef QV_HAS_DEVICE_PAGE
void PrinterSheet::AddDevicePage(PPROPSHEETUI_INFO info) {
    DevicePageSetup setup = {};
    setup.treeParam = &session_.treeParam();
    setup.title = TEXT("Device Settings");
    setup.instance = ConfigModuleHandle();
    HPROPSHEETPAGE page = CreateDevicePage(setup);
    if (page == nullptr)
        return;
    // A page the service refused is still ours to free.
    if (info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE,
                              reinterpret_cast<LPARAM>(page), 0) == 0)
        DestroyPropertySheetPage(page);
}
#else
// The service of this platform draws no option-item trees, and our own device page is not part
// of this build: the tree's items were filled, but only the plug-in's pages are shown.
void PrinterSheet::AddDevicePage(PPROPSHEETUI_INFO) {}
#endif
