// The property-sheet side of the core driver: it asks the plug-in for its pages through the
// common property sheet protocol (PROPSHEETUI_INFO reasons and the page function), shows them in
// a property sheet, and tells the plug-in when the sheet is done.
#pragma once

#include "core_driver.h"

#include <prsht.h>
#include <vector>

struct CollectedPage {
    PROPSHEETPAGEW description; // as the plug-in described it
    HPROPSHEETPAGE handle;      // what the host created from it
};

// One property sheet session of the plug-in: printing preferences or printer properties.
class SheetSession {
public:
    explicit SheetSession(CoreDriverHost& host);
    ~SheetSession();
    SheetSession(const SheetSession&) = delete;
    SheetSession& operator=(const SheetSession&) = delete;

    // Printing preferences of `printerName` for a job devmode (public and private parts; may be
    // null): opens the printer with the user's rights and asks for the document pages.
    HRESULT OpenDocumentProperties(LPCWSTR printerName, DEVMODEW* jobDevmode);

    // Printer properties, opened to be managed when the user may: the device settings tree's
    // sizing and filling calls, then the device pages.
    HRESULT OpenPrinterProperties(LPCWSTR printerName);

    // The host's part of the same two sheets without the plug-in's INIT: the printer opened, a
    // heap, the parameter blocks filled and, for printer properties, the device settings tree's
    // sizing and filling calls made. The configuration module hands the parameter blocks to the
    // platform's own property sheet service, which then talks to the plug-in itself.
    HRESULT PrepareDocumentSheet(LPCWSTR printerName, DEVMODEW* jobDevmode);
    HRESULT PreparePrinterSheet(LPCWSTR printerName);

    // The host's own clean-up (pages not shown, heap, printer handle) without a word to the
    // plug-in, for a sheet whose reasons someone else delivered.
    void ReleaseHostResources();

    // Ends the session: the result reason (when the sheet was applied), the destroy reason, and
    // the host's own clean-up (pages not shown, heap, printer handle).
    void Close(LRESULT sheetResult);

    const std::vector<CollectedPage>& pages() const { return pages_; }
    const PROPSHEETUI_INFO& info() const { return info_; }
    // The Result the plug-in reported for the INIT reason (the last page it added).
    ULONG_PTR initResult() const { return initResult_; }
    LPCWSTR headerTitle() const { return headerTitle_; }
    LONG_PTR startPage() const { return startPage_; }
    LPARAM startPageArgument() const { return startPageArgument_; }
    HANDLE printer() const { return printer_; }
    HANDLE heap() const { return heap_; }
    OEMUIPSPARAM& sheetParam() { return sheetParam_; }
    OEMCUIPPARAM& treeParam() { return treeParam_; }
    std::vector<OPTITEM>& treeItems() { return treeItems_; }

private:
    static LONG_PTR CALLBACK ComPropSheet(HANDLE session, UINT function, LPARAM lParam1,
                                          LPARAM lParam2);
    HRESULT OpenPrinterForSheet(LPCWSTR printerName, bool administer);
    HRESULT RunInit(bool document);
    void AskForHeader(bool document);
    void DestroyUnshownPages();

    CoreDriverHost& host_;
    bool document_ = true;
    HANDLE printer_ = nullptr;
    HANDLE heap_ = nullptr;
    WCHAR printerName_[MAX_PATH] = {};
    PROPSHEETUI_INFO info_ = {};
    OEMUIPSPARAM sheetParam_ = {};
    OEMCUIPPARAM treeParam_ = {};
    std::vector<OPTITEM> treeItems_;
    std::vector<CollectedPage> pages_;
    LONG_PTR startPage_ = 0;
    LPARAM startPageArgument_ = 0;
    ULONG_PTR initResult_ = 0;
    LPCWSTR headerTitle_ = nullptr;
    bool open_ = false;
};
