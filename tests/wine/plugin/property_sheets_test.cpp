// The pages the plug-in gives the host's property sheets, and the one set of settings they share,
// through the host's common property sheet protocol.
#include "seams.h"
#include "sheet_session.h"
#include "wine_test.h"

namespace {

class PropertySheetsTest : public HostedPluginTest {};

// Where the common controls' context cannot be built, the pages go without it and it is tried
// again for every page; once built, it is built once.
TEST_F(PropertySheetsTest, TheDocumentSheetAddsLayoutPaperAndMainPagesSharingOneContext) {
    for (bool built : {false, true})
        for (int opening = 1; opening <= 2; ++opening) {
            Seams seams;
            if (!built)
                seams.Fail("CreateActCtxW", ERROR_RESOURCE_TYPE_NOT_FOUND);
            SheetSession session(host_);
            ASSERT_EQ(session.OpenDocumentProperties(kPrinterName, nullptr), S_OK);
            const std::vector<CollectedPage>& pages = session.pages();
            ASSERT_EQ(pages.size(), 3u);
            const PROPSHEETPAGEW& first = pages[0].description;
            for (const CollectedPage& collected : pages) {
                const PROPSHEETPAGEW& page = collected.description;
                EXPECT_EQ(page.dwSize, 104u);
                EXPECT_EQ(page.dwFlags, DWORD(PSP_USETITLE | PSP_USECALLBACK |
                                              (built ? PSP_USEFUSIONCONTEXT : 0)));
                EXPECT_EQ(page.pfnCallback, first.pfnCallback);
                EXPECT_EQ(page.lParam, first.lParam) << "one context";
            }
            EXPECT_EQ(session.startPage(), LONG_PTR(pages[0].handle));
            EXPECT_EQ(session.startPageArgument(), 10000);
            EXPECT_EQ(session.initResult(), ULONG_PTR(pages[2].handle));
            EXPECT_EQ(std::wstring(session.headerTitle()), TEXT("OEM UI Page"));
            EXPECT_EQ(session.info().Result, 1u) << "the header's answer";
            EXPECT_EQ(seams.Calls("CreateActCtxW"), built ? 2 - opening : 3);

            PROPSHEETPAGEW page = {};
            EXPECT_EQ(first.pfnCallback(nullptr, PSPCB_CREATE, &page), 0u) << "no context, no page";
            page.lParam = first.lParam;
            EXPECT_EQ(first.pfnCallback(nullptr, PSPCB_CREATE, &page), 1u);
            EXPECT_EQ(first.pfnCallback(nullptr, PSPCB_RELEASE, &page), 0u);
            session.Close(0);
            EXPECT_EQ(session.info().UserData, 0u);
        }
}

// Stored output that prints is forced to embossing only when the printer reports no ink unit;
// without a printer link nothing is known and the stored choice stays.
TEST_F(PropertySheetsTest, WithoutAnInkUnitOutputIsForcedToEmbossing) {
    enum Printer { kNoLink, kInkUnit, kNoInkUnit };
    for (Printer printer : {kNoLink, kInkUnit, kNoInkUnit}) {
        SetConfigDword(TEXT("InkMode"), 1);
        SetConfigDword(TEXT("TwoInOne"), 1);
        SetConfigDword(TEXT("EmbossMode"), 0);
        Seams seams;
        if (printer == kNoLink)
            seams.refusedLibraries.push_back(TEXT("qvmonext.dll"));
        if (printer == kNoInkUnit)
            WriteEmbosserState("ink.unit=0");
        SheetSession session(host_);
        ASSERT_EQ(session.OpenDocumentProperties(kPrinterName, nullptr), S_OK);
        bool forced = printer == kNoInkUnit;
        EXPECT_EQ(ConfigDword(TEXT("InkMode")), forced ? 0u : 1u) << printer;
        EXPECT_EQ(ConfigDword(TEXT("TwoInOne")), forced ? 0u : 1u) << printer;
        EXPECT_EQ(ConfigDword(TEXT("EmbossMode")), forced ? 1u : 0u) << printer;
        session.Close(0);
    }
}

TEST_F(PropertySheetsTest, TheProtocolsOtherReasonsAndItsRefusals) {
    IPrintOemUI2* plugin = host_.plugin();
    SETRESULT_INFO setResult = {sizeof(setResult), 0, nullptr, 42};
    const struct {
        WORD version;
        bool document;
        DWORD reason;
        LPARAM lParam;
        HRESULT result;
        ULONG_PTR answer;
        DWORD error;
    } cases[] = {
        {0x0101, true, PROPSHEETUI_REASON_DESTROY, 0, E_FAIL, 77, ERROR_INVALID_PARAMETER},
        {PROPSHEETUI_INFO_VERSION, true, PROPSHEETUI_REASON_DESTROY, 0, S_OK, 1, 0},
        {PROPSHEETUI_INFO_VERSION, false, PROPSHEETUI_REASON_SET_RESULT,
         reinterpret_cast<LPARAM>(&setResult), S_OK, 42, 0},
        {PROPSHEETUI_INFO_VERSION, true, PROPSHEETUI_REASON_GET_ICON, 0, S_OK, 0, 0},
    };
    for (const auto& call : cases) {
        PROPSHEETUI_INFO info = {
            sizeof(info), call.version, 0, WORD(call.reason), nullptr, nullptr, 0, 0, 77};
        SetLastError(0);
        SCOPED_TRACE(call.reason);
        EXPECT_EQ(call.document ? plugin->DocumentPropertySheets(&info, call.lParam)
                                : plugin->DevicePropertySheets(&info, call.lParam),
                  call.result);
        EXPECT_EQ(info.Result, call.answer);
        EXPECT_EQ(GetLastError(), call.error);
    }
    EXPECT_EQ(plugin->DevicePropertySheets(nullptr, 0), E_FAIL);
    // A document sheet without its settings adds no page.
    for (const char* allocation : {"HeapAlloc", "GlobalAlloc"}) {
        Seams seams;
        seams.Fail(allocation, ERROR_NOT_ENOUGH_MEMORY, 1);
        SheetSession session(host_);
        SetLastError(0);
        EXPECT_EQ(session.OpenDocumentProperties(kPrinterName, nullptr), E_FAIL) << allocation;
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER)) << allocation;
        EXPECT_TRUE(session.pages().empty()) << allocation;
    }
}

// The context is released with the sheet (the closing count sees the sibling libraries it
// holds), and handed over once: a second sheet needs a new tree.
TEST_F(PropertySheetsTest, ThePrinterPropertiesShareTheTreesContextWithTheServicePage) {
    {
        SheetSession session(host_);
        ASSERT_EQ(session.OpenPrinterProperties(kPrinterName), S_OK);
        ASSERT_EQ(session.pages().size(), 1u);
        const PROPSHEETPAGEW& page = session.pages()[0].description;
        EXPECT_EQ(session.sheetParam().pOEMUserData, reinterpret_cast<void*>(page.lParam));
        EXPECT_EQ(session.initResult(), ULONG_PTR(session.pages()[0].handle));
        session.Close(0);
    }
    PROPSHEETUI_INFO info = {
        sizeof(info), PROPSHEETUI_INFO_VERSION, 0, 0, nullptr, nullptr, 0, 0, 0};
    EXPECT_EQ(host_.plugin()->DevicePropertySheets(&info, 0), E_FAIL);
}

} // namespace
