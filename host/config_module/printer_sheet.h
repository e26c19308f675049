// The printer's properties as the configuration module shows them: the device settings tree's
// sizing and filling calls, the device page that draws the tree, and the plug-in's own device
// pages (its Service page), all in the platform's property sheet service.
#pragma once

#include "driver_ui_headers.h"

#include "plugin_sheet_link.h"

#include "core_driver.h"
#include "sheet_session.h"

class PrinterSheet {
public:
    explicit PrinterSheet(DEVICEPROPERTYHEADER* header);
    ~PrinterSheet();
    PrinterSheet(const PrinterSheet&) = delete;
    PrinterSheet& operator=(const PrinterSheet&) = delete;

    // INIT: loads the plug-in, runs the tree's calls and adds the pages (`info` is ours).
    bool Start(PPROPSHEETUI_INFO info);
    // DESTROY: nothing goes back to the caller (the pages store what they change themselves).
    void Finish(PPROPSHEETUI_INFO) {}

    // "<printer> Properties", the sheet's caption.
    LPWSTR title() { return title_; }

private:
    void AddDevicePage(PPROPSHEETUI_INFO info);

    DEVICEPROPERTYHEADER* header_;
    CoreDriverHost host_;
    SheetSession session_;
    PluginSheetLink link_;
    WCHAR title_[MAX_PATH] = {};
};
