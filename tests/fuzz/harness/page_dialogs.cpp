// The Paper/Media page and the page dialogs over a loaded settings context.
#include "harness/page_dialogs.h"

#include "harness/fuzz_machine.h"

#include "media/paper_page.h"
#include "pages/image_options_dialog.h"
#include "resources/resource.h"

namespace {

void CheckDefaultFormName() {
    auto stored = sim::DefaultDevmode(kFuzzPrinter);
    FUZZ_CHECK(stored.has_value(), "the printer lost its default devmode");
    const auto* devmode = reinterpret_cast<const DEVMODEW*>(stored->data());
    FUZZ_CHECK(BoundedLength(devmode->dmFormName, CCHFORMNAME) < CCHFORMNAME,
               "a form name of 32 characters or more in the default devmode");
}

} // namespace

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
    if (sim::IsApplyEnabled(sheet)) {
        sim::PressApply(sheet);
        CheckDefaultFormName();
    }
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
