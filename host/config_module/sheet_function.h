// The page function the property sheet service calls for both of the module's sheets: INIT makes
// the sheet from the spooler's header, GET_INFO_HEADER gives the service its caption, SET_RESULT
// keeps the result, DESTROY lets the sheet finish and deletes it.
#pragma once

#include "driver_ui_headers.h"

// Sheet is made from a Header* and has bool Start(PPROPSHEETUI_INFO), LPWSTR title() and
// void Finish(PPROPSHEETUI_INFO) (which may set the sheet's result). `info` is not null.
template <class Sheet, class Header> LONG RunSheetFunction(PPROPSHEETUI_INFO info, LPARAM lParam) {
    auto* sheet = reinterpret_cast<Sheet*>(info->UserData);
    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT: {
        auto* header = reinterpret_cast<Header*>(info->lParamInit);
        if (header == nullptr || header->pszPrinterName == nullptr)
            return kSheetFunctionFailed;
        sheet = new Sheet(header);
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
        if (sheet != nullptr) {
            sheet->Finish(info);
            delete sheet;
        }
        info->UserData = 0;
        return kSheetFunctionDone;
    default:
        return kSheetFunctionDone;
    }
}
