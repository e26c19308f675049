// The plug-in object's answers to the core driver's queries: identity, the private capability,
// the colour profile, which standard pages to hide, and the common UI hand-over.
#include "core/plugin_object.h"

#include "core/plugin_ids.h"
#include "core/private_devmode.h"
#include "device/device_settings_tree.h"

#include <strsafe.h>

namespace {

// The private capability: which output modes the device offers.
constexpr WORD kOutputModesCapability = 257;
const WCHAR kOutputModes[] = TEXT("EmbossMode=1,InkMode=1");

const WCHAR kColorProfileName[] = TEXT("OEMPROFILE.icm");
constexpr ULONG kColorProfileBufferSize = 32;

HRESULT FailWith(DWORD error) {
    SetLastError(error);
    return E_FAIL;
}

} // namespace

HRESULT STDMETHODCALLTYPE PluginObject::GetInfo(DWORD mode, PVOID buffer, DWORD size,
                                                PDWORD needed) {
    if (needed == nullptr ||
        (mode != OEMGI_GETSIGNATURE && mode != OEMGI_GETVERSION && mode != OEMGI_GETPUBLISHERINFO))
        return FailWith(ERROR_INVALID_PARAMETER);
    *needed = sizeof(DWORD);
    if (buffer == nullptr || size < sizeof(DWORD))
        return FailWith(ERROR_INSUFFICIENT_BUFFER);
    switch (mode) {
    case OEMGI_GETSIGNATURE:
        *static_cast<DWORD*>(buffer) = kPluginSignature;
        return S_OK;
    case OEMGI_GETVERSION:
        *static_cast<DWORD*>(buffer) = kPluginVersion;
        return S_OK;
    default: // OEMGI_GETPUBLISHERINFO: we publish nothing.
        *needed = 0;
        return FailWith(ERROR_NOT_SUPPORTED);
    }
}

HRESULT STDMETHODCALLTYPE PluginObject::DevMode(DWORD mode, POEMDMPARAM param) {
    DWORD error = ERROR_SUCCESS;
    HRESULT result = PrivateDevmodeOperation(mode, param, &error);
    return SUCCEEDED(result) ? result : FailWith(error);
}

HRESULT STDMETHODCALLTYPE PluginObject::CommonUIProp(DWORD mode, POEMCUIPPARAM param) {
    if (param == nullptr)
        return FailWith(ERROR_INVALID_PARAMETER);
    switch (mode) {
    case OEMCUIP_DOCPROP:
        // The document pages are our own property pages; the common UI gets no items.
        if (param->pOEMOptItems == nullptr)
            param->cOEMOptItems = 0;
        return S_OK;
    case OEMCUIP_PRNPROP:
        return BuildDeviceSettingsTree(param);
    default:
        return FailWith(ERROR_INVALID_PARAMETER);
    }
}

HRESULT STDMETHODCALLTYPE PluginObject::DeviceCapabilities(POEMUIOBJ, HANDLE, PWSTR,
                                                           WORD capability, PVOID output, PDEVMODEW,
                                                           PVOID, DWORD, DWORD* result) {
    if (capability != kOutputModesCapability)
        return E_NOTIMPL;
    if (result == nullptr)
        return FailWith(ERROR_INVALID_PARAMETER);
    if (output == nullptr) {
        *result = sizeof(kOutputModes);
        return S_OK;
    }
    CopyMemory(output, kOutputModes, sizeof(kOutputModes));
    *result = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PluginObject::QueryColorProfile(HANDLE, POEMUIOBJ, PDEVMODEW, PVOID,
                                                          ULONG queryMode, VOID* profileData,
                                                          ULONG* profileSize, FLONG* profileFlags) {
    if (queryMode != QCP_DEVICEPROFILE)
        return E_FAIL;
    if (profileSize == nullptr)
        return FailWith(ERROR_INVALID_PARAMETER);
    if (profileData == nullptr || *profileSize < kColorProfileBufferSize) {
        *profileSize = kColorProfileBufferSize;
        return FailWith(ERROR_INSUFFICIENT_BUFFER);
    }
    StringCchCopyW(static_cast<WCHAR*>(profileData), *profileSize / sizeof(WCHAR),
                   kColorProfileName);
    *profileSize = kColorProfileBufferSize;
    if (profileFlags != nullptr)
        *profileFlags = QCP_PROFILEDISK;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PluginObject::HideStandardUI(DWORD mode) {
    // Our own document pages replace the standard ones; the printer's device pages stay.
    return mode == OEMCUIP_DOCPROP ? S_OK : E_NOTIMPL;
}
