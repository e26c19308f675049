// DrvDevicePropertySheets: the printer's properties, a page function of the property sheet
// service.
#include "driver_ui_headers.h"
#include "printer_sheet.h"
#include "sheet_function.h"

extern "C" LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (info == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return kSheetFunctionFailed;
    }
    return RunSheetFunction<PrinterSheet, DEVICEPROPERTYHEADER>(info, lParam);
}
