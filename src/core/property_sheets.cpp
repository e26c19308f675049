// Registering the property pages with the host and sharing one settings context between them.
#include "core/property_sheets.h"

#include "core/activation_context.h"
#include "core/module_state.h"
#include "device/device_settings_tree.h"
#include "link/printer_snapshot.h"
#include "media/paper_page.h"
#include "pages/layout_page.h"
#include "pages/main_page.h"
#include "resources/resource.h"
#include "service/service_page.h"
#include "settings/known_config.h"
#include "settings/printer_data_store.h"
#include "settings/ui_strings.h"

#include <prsht.h>

#include <type_traits>

namespace {

// The page description the host receives is the platform's full one, 104 bytes on 64-bit: after
// hActCtx comes the header bitmap. Some headers stop at hActCtx; the tail is added for them.
struct PropertyPageWithHeader : PROPSHEETPAGEW {
    union {
        HBITMAP hbmHeader;
        LPCWSTR pszbmHeader;
    } header;
};
using PropertyPageDescription =
    std::conditional_t<sizeof(PROPSHEETPAGEW) == 104, PROPSHEETPAGEW, PropertyPageWithHeader>;
static_assert(sizeof(PropertyPageDescription) == 104, "a page description is 104 bytes");

const WCHAR kInfoHeaderTitle[] = TEXT("OEM UI Page");
// The host's start page argument that accompanies the Layout page's handle.
constexpr LPARAM kStartPageArgument = 10000;

struct PageDescription {
    WORD templateId;
    UINT titleId;
    DLGPROC procedure;
};

const PageDescription kLayoutPage = {IDD_LAYOUT_PAGE, IDS_LAYOUT_PAGE_TITLE, LayoutPageProc};
const PageDescription kPaperPage = {IDD_PAPER_PAGE, IDS_PAPER_PAGE_TITLE, PaperPageProc};
const PageDescription kMainPage = {IDD_MAIN_PAGE, IDS_MAIN_PAGE_TITLE, MainPageProc};
const PageDescription kServicePage = {IDD_SERVICE_PAGE, IDS_SERVICE_PAGE_TITLE, ServicePageProc};

LONG_PTR AddPage(const PROPSHEETUI_INFO* info, SettingsContext* context,
                 const PageDescription& description) {
    PropertyPageDescription page;
    ZeroMemory(&page, sizeof(page));
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_USETITLE | PSP_USECALLBACK;
    page.hInstance = g_module;
    page.pszTemplate = MAKEINTRESOURCEW(description.templateId);
    page.pszTitle = GetCaptionString(context, description.titleId);
    page.pfnDlgProc = description.procedure;
    page.lParam = reinterpret_cast<LPARAM>(context);
    page.pfnCallback = PageCreationCheck;
    page.hActCtx = ModuleActivationContext();
    if (IsUsableActivationContext(page.hActCtx))
        page.dwFlags |= PSP_USEFUSIONCONTEXT;
    return info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                 reinterpret_cast<LPARAM>(static_cast<PROPSHEETPAGEW*>(&page)), 0);
}

// Without an ink unit the printer can only emboss, whatever was stored before.
void ForceEmbossOnlyWithoutInkUnit(SettingsContext* context) {
    if (!FetchPrinterSnapshot(context) || context->ChromaPodVersion > 0)
        return;
    context->InkMode = 0;
    context->TwoInOne = 0;
    context->EmbossMode = 1;
    StoreConfigDword(context, TEXT("InkMode"), 0);
    StoreConfigDword(context, TEXT("TwoInOne"), 0);
    StoreConfigDword(context, TEXT("EmbossMode"), 1);
}

bool InitDocumentSheets(PROPSHEETUI_INFO* info) {
    auto* param = reinterpret_cast<OEMUIPSPARAM*>(info->lParamInit);
    SettingsContext* context = nullptr;
    if (param == nullptr ||
        !LoadSettingsContext({param->hPrinter, static_cast<HMODULE>(param->hModule),
                              param->hOEMHeap, param->pPublicDM},
                             &context))
        return false;
    ForceEmbossOnlyWithoutInkUnit(context);
    info->UserData = reinterpret_cast<ULONG_PTR>(context);
    LONG_PTR layout = AddPage(info, context, kLayoutPage);
    info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_SET_HSTARTPAGE, layout, kStartPageArgument);
    AddPage(info, context, kPaperPage);
    info->Result = AddPage(info, context, kMainPage);
    return true;
}

bool InitDeviceSheets(PROPSHEETUI_INFO* info) {
    SettingsContext* context = TakePublishedSettingsContext();
    if (context == nullptr)
        return false;
    info->UserData = reinterpret_cast<ULONG_PTR>(context);
    auto* param = reinterpret_cast<OEMUIPSPARAM*>(info->lParamInit);
    if (param != nullptr)
        param->pOEMUserData = context;
    info->Result = AddPage(info, context, kServicePage);
    return true;
}

// The reasons both sheets answer alike; INIT is each sheet's own.
HRESULT HandleSheetRequest(PPROPSHEETUI_INFO info, LPARAM lParam, bool (*init)(PROPSHEETUI_INFO*)) {
    if (info == nullptr || info->Version != PROPSHEETUI_INFO_VERSION) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return E_FAIL;
    }
    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
        if (!init(info)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return E_FAIL;
        }
        return S_OK;
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
        auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam);
        if (header != nullptr)
            header->pTitle = const_cast<LPWSTR>(kInfoHeaderTitle);
        info->Result = 1;
        return S_OK;
    }
    case PROPSHEETUI_REASON_DESTROY:
        ReleaseSettingsContext(reinterpret_cast<SettingsContext*>(info->UserData));
        info->UserData = 0;
        info->Result = 1;
        return S_OK;
    case PROPSHEETUI_REASON_SET_RESULT: {
        auto* result = reinterpret_cast<SETRESULT_INFO*>(lParam);
        info->Result = result != nullptr ? result->Result : 0;
        return S_OK;
    }
    default:
        info->Result = 0;
        return S_OK;
    }
}

} // namespace

UINT CALLBACK PageCreationCheck(HWND, UINT message, LPPROPSHEETPAGEW page) {
    if (message != PSPCB_CREATE)
        return 0;
    return page != nullptr && page->lParam != 0;
}

HRESULT AddDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    return HandleSheetRequest(info, lParam, InitDocumentSheets);
}

HRESULT AddDevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    return HandleSheetRequest(info, lParam, InitDeviceSheets);
}
