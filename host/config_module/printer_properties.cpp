// DrvDevicePropertySheets: the printer's properties, a page function of the property sheet
// service.
#include "driver_ui_headers.h"
#include "printer_sheet.h"

extern "C" LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (info == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return kSheetFunctionFailed;
    }
    auto* sheet = reinterpret_cast<PrinterSheet*>(info->UserData);
    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT: {
        auto* header = reinterpret_cast<DEVICEPROPERTYHEADER*>(info->lParamInit);
        if (header == nullptr || header->pszPrinterName == nullptr)
            return kSheetFunctionFailed;
        sheet = new PrinterSheet(header);
        info->UserData = reinterpret_cast<ULONG_PTR>(sheet);
        info->Result = CPSUI_CANCEL;
        return sheet->Start(info) ? kSheetFunctionDone : kSheetFunctionFailed;
    }
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
        auto* sheetHeader = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam);
        if (sheet == nullptr || sheetHeader == nullptr)
            return kSheetFunctionFailed;
        sheetHeader->pTitle = sheet->title();
        sheetHeader->Flags = PSUIHDRF_EXACT_PTITLE;
        return kSheetFunctionDone;
    }
    case PROPSHEETUI_REASON_SET_RESULT: {
        auto* result = reinterpret_cast<SETRESULT_INFO*>(lParam);
        if (result != nullptr)
            info->Result = result->Result;
        return kSheetFunctionDone;
    }
    case PROPSHEETUI_REASON_DESTROY:
        delete sheet;
        info->UserData = 0;
        return kSheetFunctionDone;
    default:
        return kSheetFunctionDone;
    }
}
