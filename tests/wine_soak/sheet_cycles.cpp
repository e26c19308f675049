// Opening and closing the printing preferences and the printer properties through the host.
#include "sheet_cycles.h"

#include "test_printer.h"

#include "core_driver.h"
#include "sheet_session.h"

#include <prsht.h>

#include <vector>

namespace {

void PumpMessages(HWND sheet) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (PropSheet_IsDialogMessage(sheet, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Every page is created when it is first selected, as when a person clicks through the tabs.
bool ShowEveryPage(SheetSession& session) {
    // PropertySheetW answers -1 when it cannot make the window (Wine without a display).
    HWND sheet = session.ShowSheet(nullptr);
    if (sheet == nullptr || !IsWindow(sheet))
        return false;
    PumpMessages(sheet);
    for (size_t page = 0; page < session.pages().size(); ++page) {
        SendMessageW(sheet, PSM_SETCURSEL, page, 0);
        PumpMessages(sheet);
    }
    return true;
}

} // namespace

bool OpenAndClosePreferences(LPCWSTR pluginPath) {
    CoreDriverHost host;
    if (host.Load(pluginPath) != S_OK)
        return false;
    std::vector<BYTE> jobDevmode = host.BuildJobDevmode(nullptr);
    bool shown = false;
    {
        SheetSession session(host);
        if (session.OpenDocumentProperties(kTestPrinterName,
                                           reinterpret_cast<DEVMODEW*>(jobDevmode.data())) == S_OK)
            shown = ShowEveryPage(session);
    }
    host.Unload();
    return shown;
}

bool OpenAndCloseProperties(LPCWSTR pluginPath) {
    CoreDriverHost host;
    if (host.Load(pluginPath) != S_OK)
        return false;
    bool shown = false;
    {
        SheetSession session(host);
        if (session.OpenPrinterProperties(kTestPrinterName) == S_OK)
            shown = ShowEveryPage(session);
    }
    host.Unload();
    return shown;
}

namespace {

INT_PTR CALLBACK PlainPageProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// An empty page template in memory (no menu, class or title), aligned as DLGTEMPLATE must be.
struct PlainTemplate {
    DLGTEMPLATE dialog;
    WORD menu;
    WORD windowClass;
    WORD title;
};

} // namespace

bool OpenAndClosePlainSheet(LPCWSTR pluginPath, LPCWSTR printerLinkPath, int pageCount) {
    for (LPCWSTR path : {pluginPath, printerLinkPath}) {
        HMODULE library = LoadLibraryW(path);
        if (library == nullptr)
            return false;
        FreeLibrary(library);
    }

    static const PlainTemplate plain = {{WS_CHILD | DS_CONTROL, 0, 0, 0, 0, 200, 100}, 0, 0, 0};
    const LPCWSTR titles[] = {TEXT("Layout"), TEXT("Paper/Media"), TEXT("Tarvik")};
    std::vector<HPROPSHEETPAGE> pages;
    for (int i = 0; i < pageCount; ++i) {
        PROPSHEETPAGEW page;
        ZeroMemory(&page, sizeof(page));
        page.dwSize = sizeof(page);
        page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
        page.pResource = &plain.dialog;
        page.pszTitle = titles[i % 3];
        page.pfnDlgProc = PlainPageProc;
        HPROPSHEETPAGE handle = CreatePropertySheetPageW(&page);
        if (handle == nullptr)
            return false;
        pages.push_back(handle);
    }
    PROPSHEETHEADERW header;
    ZeroMemory(&header, sizeof(header));
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = kTestPrinterName;
    header.nPages = static_cast<UINT>(pages.size());
    header.phpage = pages.data();
    HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
    if (sheet == nullptr || !IsWindow(sheet))
        return false;
    PumpMessages(sheet);
    for (int page = 0; page < pageCount; ++page) {
        SendMessageW(sheet, PSM_SETCURSEL, page, 0);
        PumpMessages(sheet);
    }
    DestroyWindow(sheet);
    return true;
}
