// Registering the plug-in's pages with the host and sharing one settings context between them.
#include "support/fake_printer_link.h"
#include "support/fake_siblings.h"
#include "support/plugin_machine.h"

#include "core/property_sheets.h"
#include "host/sheet_session.h"
#include "link/parameter_record.h"
#include "resources/resource.h"
#include "settings/settings_context.h"

namespace {

class PropertySheetsTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_EQ(host_.Load(kPluginPath), S_OK);
    }
    void TearDown() override {
        host_.Unload();
        PluginTest::TearDown();
    }
    static SettingsContext* ContextOf(const CollectedPage& page) {
        return reinterpret_cast<SettingsContext*>(page.description.lParam);
    }
    CoreDriverHost host_;
};

TEST_F(PropertySheetsTest, DocumentSheetAddsLayoutPaperAndMainPagesSharingOneContext) {
    SheetSession session(host_);
    ASSERT_EQ(session.OpenDocumentProperties(kPrinterNameW, nullptr), S_OK);
    const auto& pages = session.pages();
    ASSERT_EQ(pages.size(), 3u);
    const WORD templates[] = {IDD_LAYOUT_PAGE, IDD_PAPER_PAGE, IDD_MAIN_PAGE};
    const char16_t* titles[] = {u"Layout", u"Paper/Media", u"Tarvik"};
    for (size_t i = 0; i < pages.size(); ++i) {
        const PROPSHEETPAGEW& page = pages[i].description;
        EXPECT_EQ(page.dwSize, 104u);
        EXPECT_EQ(page.dwFlags,
                  static_cast<DWORD>(PSP_USETITLE | PSP_USECALLBACK | PSP_USEFUSIONCONTEXT));
        EXPECT_EQ(page.hInstance, module_);
        EXPECT_EQ(page.pszTemplate, MAKEINTRESOURCEW(templates[i]));
        EXPECT_EQ(std::u16string(page.pszTitle), titles[i]);
        EXPECT_EQ(page.pfnCallback, PageCreationCheck);
        EXPECT_EQ(ContextOf(pages[i]), ContextOf(pages[0]));
        EXPECT_EQ(page.hActCtx, pages[0].description.hActCtx);
    }
    EXPECT_NE(ContextOf(pages[0]), nullptr);
    EXPECT_EQ(session.info().UserData, reinterpret_cast<ULONG_PTR>(ContextOf(pages[0])));
    EXPECT_EQ(session.startPage(), reinterpret_cast<LONG_PTR>(pages[0].handle));
    EXPECT_EQ(session.startPageArgument(), 10000);
    EXPECT_EQ(session.initResult(), reinterpret_cast<ULONG_PTR>(pages[2].handle));
    EXPECT_EQ(std::u16string(session.headerTitle()), u"OEM UI Page");
    EXPECT_EQ(session.info().Result, 1u) << "the header answer";

    // The pages carry the context built, once, from the module's own manifest.
    std::vector<sim::ActCtxEvent> created;
    for (const auto& event : sim::ActivationContextLog())
        if (event.kind == sim::ActCtxEvent::Created)
            created.push_back(event);
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].source, kPluginPath);
    EXPECT_EQ(created[0].context, pages[0].description.hActCtx);
    session.Close(0);
    EXPECT_EQ(session.info().Result, 1u);
    EXPECT_EQ(session.info().UserData, 0u);
}

// Stored output that prints is forced to embossing only when the printer reports no ink unit;
// without a printer link nothing is known and the stored choice stays.
TEST_F(PropertySheetsTest, WithoutAnInkUnitOutputIsForcedToEmbossing) {
    enum Link { kNone, kInkUnit, kNoInkUnit };
    for (Link link : {kNone, kInkUnit, kNoInkUnit}) {
        sim::WritePrinterDword(kPrinterName, "Config", "InkMode", 1);
        sim::WritePrinterDword(kPrinterName, "Config", "TwoInOne", 1);
        sim::WritePrinterDword(kPrinterName, "Config", "EmbossMode", 0);
        if (link != kNone) {
            InstallFakePrinterLink();
            PrinterLink().settingsBlock =
                link == kInkUnit ? SettingsBlockBuilder().Values(kChromaPodVersionId, 1).Build()
                                 : SettingsBlockBuilder().Values(kTopMarginId, 6).Build();
        }
        SheetSession session(host_);
        ASSERT_EQ(session.OpenDocumentProperties(kPrinterNameW, nullptr), S_OK);
        const bool forced = link == kNoInkUnit;
        EXPECT_EQ(ConfigDword("InkMode"), forced ? 0u : 1u) << link;
        EXPECT_EQ(ConfigDword("TwoInOne"), forced ? 0u : 1u) << link;
        EXPECT_EQ(ConfigDword("EmbossMode"), forced ? 1u : 0u) << link;
        SettingsContext* context = ContextOf(session.pages()[0]);
        EXPECT_EQ(context->InkMode, forced ? 0u : 1u) << link;
        EXPECT_EQ(context->SnapshotItemCount, link == kNone ? 0 : 2) << link;
        session.Close(0);
    }
}

TEST_F(PropertySheetsTest, TheProtocolsOtherReasonsAndItsRefusals) {
    IPrintOemUI2* plugin = host_.plugin();
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof(info);
    info.Version = 0x0101;
    SetLastError(0);
    EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(plugin->DevicePropertySheets(nullptr, 0), E_FAIL);

    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), S_OK);
    EXPECT_EQ(info.Result, 1u) << "nothing to release";

    SETRESULT_INFO result = {};
    result.cbSize = sizeof(result);
    result.Result = 42;
    info.Reason = PROPSHEETUI_REASON_SET_RESULT;
    EXPECT_EQ(plugin->DevicePropertySheets(&info, reinterpret_cast<LPARAM>(&result)), S_OK);
    EXPECT_EQ(info.Result, 42u);
    info.Reason = PROPSHEETUI_REASON_GET_ICON;
    EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), S_OK);
    EXPECT_EQ(info.Result, 0u);

    // Device pages need the context the device settings tree published.
    info.Reason = PROPSHEETUI_REASON_INIT;
    info.Result = 77;
    SetLastError(0);
    EXPECT_EQ(plugin->DevicePropertySheets(&info, 0), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(info.Result, 77u);

    PROPSHEETPAGEW page = {};
    EXPECT_EQ(PageCreationCheck(nullptr, PSPCB_CREATE, &page), 0u);
    page.lParam = 1;
    EXPECT_EQ(PageCreationCheck(nullptr, PSPCB_CREATE, &page), 1u);
    EXPECT_EQ(PageCreationCheck(nullptr, PSPCB_RELEASE, &page), 0u);
}

TEST_F(PropertySheetsTest, ADocumentSheetWithoutAContextAddsNoPage) {
    sim::FailNextGlobalAllocations(1);
    SheetSession session(host_);
    SetLastError(0);
    EXPECT_EQ(session.OpenDocumentProperties(kPrinterNameW, nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(session.pages().empty());
}

TEST_F(PropertySheetsTest, PrinterPropertiesShareTheTreesContextWithTheServicePage) {
    InstallFakeLocale();
    SheetSession session(host_);
    ASSERT_EQ(session.OpenPrinterProperties(kPrinterNameW), S_OK);
    ASSERT_EQ(session.pages().size(), 1u);
    const PROPSHEETPAGEW& page = session.pages()[0].description;
    EXPECT_EQ(page.pszTemplate, MAKEINTRESOURCEW(IDD_SERVICE_PAGE));
    EXPECT_EQ(std::u16string(page.pszTitle), u"Service");
    SettingsContext* context = ContextOf(session.pages()[0]);
    EXPECT_EQ(session.sheetParam().pOEMUserData, context);
    EXPECT_EQ(session.info().UserData, reinterpret_cast<ULONG_PTR>(context));
    EXPECT_EQ(session.initResult(), reinterpret_cast<ULONG_PTR>(session.pages()[0].handle))
        << "the page added last answers the sheet's initialisation";
    session.Close(0);
    EXPECT_EQ(Locale().disposeCalls, 1) << "the shared context is released with the sheet";

    // The published context is handed over once: a second sheet needs a new tree.
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof(info);
    info.Version = PROPSHEETUI_INFO_VERSION;
    EXPECT_EQ(host_.plugin()->DevicePropertySheets(&info, 0), E_FAIL);
}

TEST_F(PropertySheetsTest, PagesGoWithoutTheCommonControlsContextWhenNoneCanBeBuilt) {
    // A plug-in file without its manifest (nor any other resource).
    host_.Unload();
    FreeLibrary(module_);
    InstallPluginWithoutResources();
    module_ = LoadLibraryW(kPluginPath);
    ASSERT_EQ(host_.Load(kPluginPath), S_OK);
    for (int request = 1; request <= 2; ++request) {
        SheetSession session(host_);
        ASSERT_EQ(session.OpenDocumentProperties(kPrinterNameW, nullptr), S_OK);
        ASSERT_EQ(session.pages().size(), 3u);
        const PROPSHEETPAGEW& page = session.pages()[0].description;
        EXPECT_EQ(page.dwFlags, static_cast<DWORD>(PSP_USETITLE | PSP_USECALLBACK));
        EXPECT_EQ(page.pszTitle, nullptr) << "no string table either";
        size_t failures = 0;
        for (const auto& event : sim::ActivationContextLog())
            failures += event.kind == sim::ActCtxEvent::CreateFailed;
        EXPECT_EQ(failures, static_cast<size_t>(3 * request)) << "tried again for every page";
    }
}

} // namespace
