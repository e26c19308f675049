// The printing preferences through the platform's property sheet service.
#include "document_sheet.h"

#include "driver_module.h"

#include "resources/resource.h"

#include <commctrl.h>
#include <prsht.h>
#include <strsafe.h>

namespace {

// The dialog class's atom: the sheet's pages are child dialogs.
constexpr ATOM kDialogClass = 32770;

// Where the sheet whose pages are up records an apply. The plug-in serves one document sheet at
// a time, and so do we.
bool* g_shownSheetApplied = nullptr;

INT_PTR CALLBACK DoNothing(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The benchmark's bare sheet (QV_BARE_PAGES set in the calling process): the plug-in's three
// dialog templates with pages that do nothing, added through the same service as the plug-in's,
// so that the two sheets are opened exactly alike. Their controls are the same classes as the
// plug-in's: the common controls of version 6 that the plug-in's manifest asks for.
bool BarePagesWanted() {
    return GetEnvironmentVariableW(TEXT("QV_BARE_PAGES"), nullptr, 0) > 0;
}

HANDLE PluginManifestContext(LPCWSTR pluginPath) {
    ACTCTXW request = {};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = pluginPath;
    request.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
    return CreateActCtxW(&request);
}

bool AddBarePages(PPROPSHEETUI_INFO info, HMODULE plugin, HANDLE context) {
    for (int id : {IDD_LAYOUT_PAGE, IDD_PAPER_PAGE, IDD_MAIN_PAGE}) {
        PROPSHEETPAGEW page = {};
        page.dwSize = sizeof(page);
        page.hInstance = plugin;
        if (context != INVALID_HANDLE_VALUE) {
            page.dwFlags = PSP_USEFUSIONCONTEXT;
            page.hActCtx = context;
        }
        page.pszTemplate = MAKEINTRESOURCEW(id);
        page.pfnDlgProc = DoNothing;
        if (info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                  reinterpret_cast<LPARAM>(&page), 0) <= 0)
            return false;
    }
    return true;
}

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
    if (bareContext_ != INVALID_HANDLE_VALUE)
        ReleaseActCtx(bareContext_);
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
    applyWatch_ = SetWindowsHookExW(WH_CBT, WatchPageCreation, nullptr, GetCurrentThreadId());
    if (!BarePagesWanted())
        return link_.Register(info);
    bareContext_ = PluginManifestContext(pluginPath);
    return AddBarePages(info, host_.module(), bareContext_);
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

// Each page is watched from its making on. A hook on every message sent on the thread would
// tax each one (under Wine a round trip to its server), the pages' own messages included.
LRESULT CALLBACK DocumentSheet::WatchPageCreation(int code, WPARAM wParam, LPARAM lParam) {
    auto window = reinterpret_cast<HWND>(wParam);
    const auto* created = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    if (code == HCBT_CREATEWND && g_shownSheetApplied != nullptr &&
        (created->lpcs->style & WS_CHILD) != 0 &&
        GetClassLongPtrW(window, GCW_ATOM) == kDialogClass)
        SetWindowSubclass(window, WatchForApply, 0, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK DocumentSheet::WatchForApply(HWND page, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR) {
    if (message == WM_NOTIFY && lParam != 0 && g_shownSheetApplied != nullptr &&
        reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY))
        *g_shownSheetApplied = true;
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(page, WatchForApply, 0);
    return DefSubclassProc(page, message, wParam, lParam);
}
