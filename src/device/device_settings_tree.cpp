// Building the device settings tree and publishing its settings context.
#include "device/device_settings_tree.h"

namespace {
SettingsContext* g_publishedContext = nullptr;
} // namespace

SettingsContext* TakePublishedSettingsContext() {
    SettingsContext* context = g_publishedContext;
    g_publishedContext = nullptr;
    return context;
}

HRESULT BuildDeviceSettingsTree(POEMCUIPPARAM param) {
    if (param->pOEMOptItems == nullptr) {
        param->cOEMOptItems = kDeviceSettingsItemCount;
        g_publishedContext = nullptr;
        return S_OK;
    }
    SettingsContext* context = nullptr;
    if (!LoadSettingsContext({param->hPrinter, static_cast<HMODULE>(param->hModule),
                              param->hOEMHeap, param->pPublicDM},
                             &context)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return E_FAIL;
    }
    g_publishedContext = context;
    // The items themselves are filled by the device settings tree's builder, which arrives
    // with the device settings page.
    return S_OK;
}
