// The printing preferences through the platform's property sheet service.
#include "document_sheet.h"

#include "driver_module.h"

#include <prsht.h>
#include <strsafe.h>

namespace {

// Where the sheet whose pages are up records an apply. The plug-in serves one document sheet at
// a time, and so do we.
bool* g_shownSheetApplied = nullptr;

} // namespace

DocumentSheet::DocumentSheet(DOCUMENTPROPERTYHEADER* header)
    : header_(header), session_(host_),
      link_(host_, session_.sheetParam(), PluginSheetLink::Sheet::Document) {
    StringCchPrintfW(title_, MAX_PATH, TEXT("%ls Printing Preferences"), header->pszPrinterName);
}

DocumentSheet::~DocumentSheet() {
    if (applyWatch_ != nullptr)
        UnhookWindowsHookEx(applyWatch_);
    if (g_shownSheetApplied == &applied_)
        g_shownSheetApplied = nullptr;
    link_.EnsureDestroyed();
    session_.ReleaseHostResources();
}

bool DocumentSheet::Start(PPROPSHEETUI_INFO info) {
    WCHAR pluginPath[MAX_PATH];
    DriverFilePath(TEXT("qvembui.dll"), pluginPath, MAX_PATH);
    if (FAILED(host_.Load(pluginPath)))
        return false;
    {
        CallerPrinter printer(header_->hPrinter, header_->pszPrinterName);
        std::vector<BYTE> printerDefault = ReadPrinterDefaultDevmode(printer.get());
        const DEVMODEW* input = (header_->fMode & DM_IN_BUFFER) ? header_->pdmIn : nullptr;
        working_ = host_.ResolveDevmode(
            printerDefault.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(printerDefault.data()),
            input);
    }
    auto* devmode = reinterpret_cast<DEVMODEW*>(working_.data());
    StringCchCopyW(devmode->dmDeviceName, CCHDEVICENAME, header_->pszPrinterName);
    if (FAILED(session_.PrepareDocumentSheet(header_->pszPrinterName, devmode)))
        return false;
    // The plug-in's pages replace the standard ones, which this driver does not have anyway.
    host_.plugin()->HideStandardUI(OEMCUIP_DOCPROP);

    // The property sheet service tells every page function the same when the sheet closes, OK or
    // Cancel: the pages' PSN_APPLY is what says the person confirmed.
    g_shownSheetApplied = &applied_;
    applyWatch_ = SetWindowsHookExW(WH_CALLWNDPROC, WatchForApply, nullptr, GetCurrentThreadId());
    return link_.Register(info);
}

void DocumentSheet::Finish(PPROPSHEETUI_INFO info) {
    link_.EnsureDestroyed();
    if (applyWatch_ != nullptr) {
        UnhookWindowsHookEx(applyWatch_);
        applyWatch_ = nullptr;
    }
    // The caller's buffer holds the size our size request reported (cbOut carries only its
    // devmode's dmSize under Wine), which is the working copy's size.
    if (applied_ && (header_->fMode & DM_OUT_BUFFER) && header_->pdmOut != nullptr)
        CopyMemory(header_->pdmOut, working_.data(), working_.size());
    info->Result = applied_ ? CPSUI_OK : CPSUI_CANCEL;
}

LRESULT CALLBACK DocumentSheet::WatchForApply(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_shownSheetApplied != nullptr) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (message->message == WM_NOTIFY && message->lParam != 0 &&
            reinterpret_cast<const NMHDR*>(message->lParam)->code == static_cast<UINT>(PSN_APPLY))
            *g_shownSheetApplied = true;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
