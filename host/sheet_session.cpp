// Running the common property sheet protocol with the plug-in.
#include "sheet_session.h"

#include <strsafe.h>
#include <winspool.h>

SheetSession::SheetSession(CoreDriverHost& host) : host_(host) {}

SheetSession::~SheetSession() {
    if (open_)
        Close(0);
}

LONG_PTR CALLBACK SheetSession::ComPropSheet(HANDLE handle, UINT function, LPARAM lParam1,
                                             LPARAM lParam2) {
    auto* session = static_cast<SheetSession*>(handle);
    switch (function) {
    case CPSFUNC_ADD_PROPSHEETPAGEW: {
        auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lParam1);
        if (description == nullptr)
            return 0;
        HPROPSHEETPAGE page = CreatePropertySheetPageW(description);
        if (page == nullptr)
            return 0;
        session->pages_.push_back({*description, page});
        return reinterpret_cast<LONG_PTR>(page);
    }
    case CPSFUNC_SET_HSTARTPAGE:
        session->startPage_ = lParam1;
        session->startPageArgument_ = lParam2;
        return 1;
    default:
        return 0;
    }
}

HRESULT SheetSession::OpenPrinterForSheet(LPCWSTR printerName, bool administer) {
    StringCchCopyW(printerName_, MAX_PATH, printerName);
    // Applications open a printer for use; the printer's properties are opened to be managed
    // when the user may, as the system's printer folder does, and for use otherwise.
    PRINTER_DEFAULTSW manage = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!(administer && OpenPrinterW(printerName_, &printer_, &manage)) &&
        !OpenPrinterW(printerName_, &printer_, nullptr))
        return HRESULT_FROM_WIN32(GetLastError());
    heap_ = HeapCreate(0, 0, 0);
    if (heap_ == nullptr)
        return E_OUTOFMEMORY;
    open_ = true;
    return S_OK;
}

HRESULT SheetSession::RunInit(bool document) {
    document_ = document;
    info_.cbSize = sizeof(info_);
    info_.Version = PROPSHEETUI_INFO_VERSION;
    info_.Reason = PROPSHEETUI_REASON_INIT;
    info_.hComPropSheet = this;
    info_.pfnComPropSheet = ComPropSheet;
    info_.lParamInit = reinterpret_cast<LPARAM>(&sheetParam_);
    IPrintOemUI2* plugin = host_.plugin();
    HRESULT result = document ? plugin->DocumentPropertySheets(&info_, 0)
                              : plugin->DevicePropertySheets(&info_, 0);
    initResult_ = info_.Result;
    if (SUCCEEDED(result))
        AskForHeader(document);
    return result;
}

void SheetSession::AskForHeader(bool document) {
    PROPSHEETUI_INFO_HEADER header;
    ZeroMemory(&header, sizeof(header));
    header.cbSize = sizeof(header);
    info_.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
    IPrintOemUI2* plugin = host_.plugin();
    if (document)
        plugin->DocumentPropertySheets(&info_, reinterpret_cast<LPARAM>(&header));
    else
        plugin->DevicePropertySheets(&info_, reinterpret_cast<LPARAM>(&header));
    headerTitle_ = header.pTitle;
}

HRESULT SheetSession::OpenDocumentProperties(LPCWSTR printerName, DEVMODEW* jobDevmode) {
    HRESULT result = PrepareDocumentSheet(printerName, jobDevmode);
    if (FAILED(result))
        return result;
    return RunInit(true);
}

HRESULT SheetSession::PrepareDocumentSheet(LPCWSTR printerName, DEVMODEW* jobDevmode) {
    HRESULT result = OpenPrinterForSheet(printerName, false);
    if (FAILED(result))
        return result;
    sheetParam_.cbSize = sizeof(sheetParam_);
    sheetParam_.hPrinter = printer_;
    sheetParam_.pPrinterName = printerName_;
    sheetParam_.hModule = host_.module();
    sheetParam_.hOEMHeap = heap_;
    sheetParam_.pPublicDM = jobDevmode;
    sheetParam_.pOEMDM = jobDevmode != nullptr && jobDevmode->dmDriverExtra > 0
                             ? reinterpret_cast<BYTE*>(jobDevmode) + jobDevmode->dmSize
                             : nullptr;
    return S_OK;
}

HRESULT SheetSession::OpenPrinterProperties(LPCWSTR printerName) {
    HRESULT result = PreparePrinterSheet(printerName);
    if (FAILED(result))
        return result;
    return RunInit(false);
}

HRESULT SheetSession::PreparePrinterSheet(LPCWSTR printerName) {
    HRESULT result = OpenPrinterForSheet(printerName, true);
    if (FAILED(result))
        return result;
    treeParam_.cbSize = sizeof(treeParam_);
    treeParam_.hPrinter = printer_;
    treeParam_.pPrinterName = printerName_;
    treeParam_.hModule = host_.module();
    treeParam_.hOEMHeap = heap_;
    // The sizing call learns how many items the plug-in adds; the filling call fills them.
    result = host_.plugin()->CommonUIProp(OEMCUIP_PRNPROP, &treeParam_);
    if (FAILED(result))
        return result;
    treeItems_.assign(treeParam_.cOEMOptItems, OPTITEM{});
    treeParam_.pOEMOptItems = treeItems_.empty() ? nullptr : treeItems_.data();
    if (treeParam_.pOEMOptItems != nullptr) {
        result = host_.plugin()->CommonUIProp(OEMCUIP_PRNPROP, &treeParam_);
        if (FAILED(result))
            return result;
    }
    sheetParam_.cbSize = sizeof(sheetParam_);
    sheetParam_.hPrinter = printer_;
    sheetParam_.pPrinterName = printerName_;
    sheetParam_.hModule = host_.module();
    sheetParam_.hOEMHeap = heap_;
    return S_OK;
}

void SheetSession::Close(LRESULT sheetResult) {
    IPrintOemUI2* plugin = host_.plugin();
    if (sheetResult != 0) {
        SETRESULT_INFO result;
        ZeroMemory(&result, sizeof(result));
        result.cbSize = sizeof(result);
        result.Result = sheetResult;
        info_.Reason = PROPSHEETUI_REASON_SET_RESULT;
        if (document_)
            plugin->DocumentPropertySheets(&info_, reinterpret_cast<LPARAM>(&result));
        else
            plugin->DevicePropertySheets(&info_, reinterpret_cast<LPARAM>(&result));
    }
    DestroyUnshownPages();
    info_.Reason = PROPSHEETUI_REASON_DESTROY;
    if (document_)
        plugin->DocumentPropertySheets(&info_, 0);
    else
        plugin->DevicePropertySheets(&info_, 0);
    ReleaseHostResources();
}

void SheetSession::DestroyUnshownPages() {
    for (auto& page : pages_) {
        if (page.handle != nullptr)
            DestroyPropertySheetPage(page.handle);
        page.handle = nullptr;
    }
}

void SheetSession::ReleaseHostResources() {
    DestroyUnshownPages();
    if (heap_ != nullptr)
        HeapDestroy(heap_);
    heap_ = nullptr;
    if (printer_ != nullptr)
        ClosePrinter(printer_);
    printer_ = nullptr;
    open_ = false;
}
