// The plug-in's page function as the configuration module registers it with the platform's
// property sheet service (CPSFUNC_ADD_PFNPROPSHEETUIW, as the core drivers do): the service calls
// it with its reasons, and it passes them to the plug-in with the plug-in's own parameter block.
#pragma once

#include "driver_ui_headers.h"

#include "core_driver.h"

class PluginSheetLink {
public:
    enum class Sheet { Document, Printer };

    // `param` is the plug-in's parameter block for the sheet; both must outlive the link.
    PluginSheetLink(CoreDriverHost& host, OEMUIPSPARAM& param, Sheet sheet);
    ~PluginSheetLink();
    PluginSheetLink(const PluginSheetLink&) = delete;
    PluginSheetLink& operator=(const PluginSheetLink&) = delete;

    // Registers the page function under the sheet `owner` (our own page function's record);
    // the service calls it with INIT at once. True when the plug-in added its pages.
    bool Register(PPROPSHEETUI_INFO owner);

    // Delivers DESTROY to the plug-in unless the service already did. Wine's service destroys
    // page functions in the order they were added, so when ours was added first it hears
    // DESTROY before the plug-in, and must not unload the plug-in while it still has a sheet.
    void EnsureDestroyed();

private:
    static LONG CALLBACK PageFunction(PPROPSHEETUI_INFO info, LPARAM lParam);
    LONG Forward(PPROPSHEETUI_INFO info, LPARAM lParam);

    CoreDriverHost& host_;
    OEMUIPSPARAM& param_;
    Sheet sheet_;
    bool initialised_ = false;
    bool destroyed_ = false;
    // The plug-in's record as it last left it: its UserData and Result.
    PROPSHEETUI_INFO record_ = {};
};
