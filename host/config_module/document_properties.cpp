// DrvDocumentPropertySheets: the devmode requests the spooler passes on (no sheet), and the
// printing preferences (with a sheet from the property sheet service).
#include "document_sheet.h"
#include "driver_module.h"
#include "driver_ui_headers.h"
#include "sheet_function.h"

#include "core_driver.h"

#include <strsafe.h>

namespace {

// Without a sheet: the size of our devmode when the caller gives no output buffer or no mode;
// otherwise the defaults, the printer's default devmode and the caller's devmode merged into it.
LONG AnswerDevmodeRequest(DOCUMENTPROPERTYHEADER* header) {
    WCHAR pluginPath[MAX_PATH];
    DriverFilePath(TEXT("qvembui.dll"), pluginPath, MAX_PATH);
    CoreDriverHost host;
    if (FAILED(host.Load(pluginPath))) {
        SetLastError(ERROR_DLL_NOT_FOUND);
        return -1;
    }
    LONG total = static_cast<LONG>(sizeof(DEVMODEW) + host.PrivateDevmodeSize());
    if (header->fMode == 0 || header->pdmOut == nullptr)
        return total;
    CallerPrinter printer(header->hPrinter, header->pszPrinterName);
    std::vector<BYTE> printerDefault = ReadPrinterDefaultDevmode(printer.get());
    const DEVMODEW* input = (header->fMode & DM_IN_BUFFER) ? header->pdmIn : nullptr;
    std::vector<BYTE> devmode = host.ResolveDevmode(
        printerDefault.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(printerDefault.data()),
        input);
    if (header->pszPrinterName != nullptr)
        StringCchCopyW(reinterpret_cast<DEVMODEW*>(devmode.data())->dmDeviceName, CCHDEVICENAME,
                       header->pszPrinterName);
    // The caller sized its buffer by our size request; cbOut cannot tell us more (Wine fills it
    // with the output devmode's own dmSize).
    CopyMemory(header->pdmOut, devmode.data(), devmode.size());
    return IDOK;
}

} // namespace

extern "C" LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (info == nullptr) {
        auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(lParam);
        if (header == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return -1;
        }
        return AnswerDevmodeRequest(header);
    }
    return RunSheetFunction<DocumentSheet, DOCUMENTPROPERTYHEADER>(info, lParam);
}
