// The page dialogs over a loaded settings context.
#include "harness/page_dialogs.h"

#include "harness/fuzz_machine.h"

#include "media/advanced_media_dialog.h"
#include "media/paper_page.h"
#include "pages/image_options_dialog.h"
#include "resources/resource.h"

void InAdvancedDialog(SettingsContext* context, const sim::DialogScript& script) {
    AdvancedDialogParam param = {context, 0, 0};
    sim::ScriptModalDialog(IDD_ADVANCED_MEDIA, [&](HWND dialog) {
        script(dialog);
        sim::Click(dialog, IDCANCEL);
    });
    ShowAdvancedMediaDialog(nullptr, &param);
}

void InImageOptionsDialog(const sim::DialogScript& script) {
    SettingsContext* context = LoadContext(OpenUserHandle());
    sim::ScriptModalDialog(IDD_IMAGE_OPTIONS, script);
    ShowImageOptionsDialog(nullptr, context);
    ReleaseSettingsContext(context);
}

void InPaperPage(SettingsContext* context, const sim::DialogScript& script) {
    PROPSHEETPAGEW page;
    ZeroMemory(&page, sizeof(page));
    page.dwSize = sizeof(page);
    page.hInstance = PluginModule();
    page.pszTemplate = MAKEINTRESOURCEW(IDD_PAPER_PAGE);
    page.pfnDlgProc = PaperPageProc;
    page.lParam = reinterpret_cast<LPARAM>(context);
    HPROPSHEETPAGE handle = CreatePropertySheetPageW(&page);
    PROPSHEETHEADERW header;
    ZeroMemory(&header, sizeof(header));
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_MODELESS;
    header.nPages = 1;
    header.phpage = &handle;
    HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
    script(sim::SheetPages(sheet)[0].window);
    sim::PressCancel(sheet);
    DestroyWindow(sheet);
}
