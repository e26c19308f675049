// The host's IPrintOemDriverUI.
#include "driver_interface.h"

HRESULT STDMETHODCALLTYPE HostDriverInterface::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IPrintOemDriverUI))
        ++queries_;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPrintOemDriverUI)) {
        *object = static_cast<IPrintOemDriverUI*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// The host owns this object for its whole life; the count only records what the plug-in holds.
ULONG STDMETHODCALLTYPE HostDriverInterface::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE HostDriverInterface::Release() {
    return static_cast<ULONG>(InterlockedDecrement(&references_));
}

HRESULT STDMETHODCALLTYPE HostDriverInterface::DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD,
                                                                   PDWORD, PDWORD) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE HostDriverInterface::DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE HostDriverInterface::DrvUpdateUISetting(PVOID, PVOID, DWORD, DWORD) {
    return E_NOTIMPL;
}
