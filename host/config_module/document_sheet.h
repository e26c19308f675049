// The printing preferences as the configuration module shows them: the plug-in's pages in the
// platform's property sheet service, around a working copy of the job's devmode that reaches
// the caller only when the person confirms.
#pragma once

#include "driver_ui_headers.h"

#include "plugin_sheet_link.h"

#include "core_driver.h"
#include "sheet_session.h"

#include <vector>

class DocumentSheet {
public:
    explicit DocumentSheet(DOCUMENTPROPERTYHEADER* header);
    ~DocumentSheet();
    DocumentSheet(const DocumentSheet&) = delete;
    DocumentSheet& operator=(const DocumentSheet&) = delete;

    // INIT: loads the plug-in, resolves the working devmode and registers the plug-in's page
    // function with the service (`info` is ours, from the service).
    bool Start(PPROPSHEETUI_INFO info);
    // DESTROY, after the plug-in heard its own: the working devmode goes back to the caller and
    // the result is OK when the person applied the pages (OK or Apply); on Cancel the caller's
    // buffer stays as it was.
    void Finish(PPROPSHEETUI_INFO info);

    // "<printer> Printing Preferences", the sheet's caption.
    LPWSTR title() { return title_; }

private:
    static LRESULT CALLBACK WatchPageCreation(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WatchForApply(HWND page, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR);

    DOCUMENTPROPERTYHEADER* header_;
    CoreDriverHost host_;
    SheetSession session_;
    PluginSheetLink link_;
    std::vector<BYTE> working_;
    HHOOK applyWatch_ = nullptr;
    HANDLE bareContext_ = INVALID_HANDLE_VALUE; // the benchmark's bare pages' controls
    bool applied_ = false;
    WCHAR title_[MAX_PATH] = {};
};
