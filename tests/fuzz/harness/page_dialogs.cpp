// The Paper/Media and Service pages and the page dialogs over a loaded settings context.
#include "harness/page_dialogs.h"

#include "harness/fuzz_machine.h"

#include "media/paper_page.h"
#include "pages/image_options_dialog.h"
#include "service/service_page.h"
#include "resources/resource.h"

namespace {

void CheckDefaultFormName() {
    auto stored = sim::DefaultDevmode(kFuzzPrinter);
    FUZZ_CHECK(stored.has_value(), "the printer lost its default devmode");
    const auto* devmode = reinterpret_cast<const DEVMODEW*>(stored->data());
    FUZZ_CHECK(BoundedLength(devmode->dmFormName, CCHFORMNAME) < CCHFORMNAME,
               "a form name of 32 characters or more in the default devmode");
}

// One page of the plug-in alone in a modeless sheet.
HWND SheetOfOnePage(int templateId, DLGPROC procedure, SettingsContext* context) {
    PROPSHEETPAGEW page;
    ZeroMemory(&page, sizeof(page));
    page.dwSize = sizeof(page);
    page.hInstance = PluginModule();
    page.pszTemplate = MAKEINTRESOURCEW(templateId);
    page.pfnDlgProc = procedure;
    page.lParam = reinterpret_cast<LPARAM>(context);
    HPROPSHEETPAGE handle = CreatePropertySheetPageW(&page);
    PROPSHEETHEADERW header;
    ZeroMemory(&header, sizeof(header));
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_MODELESS;
    header.nPages = 1;
    header.phpage = &handle;
    return reinterpret_cast<HWND>(PropertySheetW(&header));
}

} // namespace

void InPaperPage(SettingsContext* context, const sim::DialogScript& script) {
    HWND sheet = SheetOfOnePage(IDD_PAPER_PAGE, PaperPageProc, context);
    script(sim::SheetPages(sheet)[0].window);
    if (sim::IsApplyEnabled(sheet)) {
        sim::PressApply(sheet);
        CheckDefaultFormName();
    }
    sim::PressCancel(sheet);
    DestroyWindow(sheet);
}

void InServicePage(SettingsContext* context, const sim::DialogScript& script) {
    HWND sheet = SheetOfOnePage(IDD_SERVICE_PAGE, ServicePageProc, context);
    script(sim::SheetPages(sheet)[0].window);
    sim::PressCancel(sheet);
    DestroyWindow(sheet);
}

void InAdvancedDialog(HWND paperPage, const sim::DialogScript& script) {
    sim::ScriptModalDialog(IDD_ADVANCED_MEDIA, [&](HWND dialog) {
        script(dialog);
        sim::Click(dialog, IDCANCEL);
    });
    sim::Click(paperPage, IDC_PAPER_ADVANCED);
}

void InImageOptionsDialog(const sim::DialogScript& script) {
    SettingsContext* context = LoadContext(OpenUserHandle());
    sim::ScriptModalDialog(IDD_IMAGE_OPTIONS, script);
    ShowImageOptionsDialog(nullptr, context);
    ReleaseSettingsContext(context);
}
