// The plug-in object's identity, lifetime and the requests it leaves to the core driver.
#include "core/plugin_object.h"

#include "core/com_object.h"
#include "core/module_state.h"
#include "core/property_sheets.h"

PluginObject::PluginObject() : refCount_(1), coreDriver_(nullptr) {
    InterlockedIncrement(&g_liveObjects);
}

PluginObject::~PluginObject() {
    if (coreDriver_ != nullptr) {
        coreDriver_->Release();
        coreDriver_ = nullptr;
    }
    InterlockedDecrement(&g_liveObjects);
}

HRESULT STDMETHODCALLTYPE PluginObject::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    // The older IPrintOemUI is refused: the core driver must use the version 2 methods.
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPrintOemUI2)) {
        *object = static_cast<IPrintOemUI2*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE PluginObject::AddRef() {
    return AddRefCount(&refCount_);
}

ULONG STDMETHODCALLTYPE PluginObject::Release() {
    ULONG count = ReleaseCount(&refCount_);
    if (count == 0)
        DeleteComObject(this);
    return count;
}

HRESULT STDMETHODCALLTYPE PluginObject::PublishDriverInterface(IUnknown* driver) {
    if (coreDriver_ != nullptr)
        return S_OK;
    if (driver == nullptr)
        return E_FAIL;
    void* queried = nullptr;
    if (FAILED(driver->QueryInterface(IID_IPrintOemDriverUI, &queried)) || queried == nullptr) {
        coreDriver_ = nullptr;
        return E_FAIL;
    }
    coreDriver_ = static_cast<IPrintOemDriverUI*>(queried);
    return S_OK;
}

// Requests the plug-in leaves to the core driver's own behaviour.

HRESULT STDMETHODCALLTYPE PluginObject::DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW,
                                                        PVOID) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PluginObject::UpgradePrinter(DWORD, PBYTE) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PluginObject::PrinterEvent(PWSTR, INT, DWORD, LPARAM) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PluginObject::DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PluginObject::FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PluginObject::UpdateExternalFonts(HANDLE, HANDLE, PWSTR) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PluginObject::QueryJobAttributes(HANDLE, PDEVMODEW, DWORD, LPBYTE) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PluginObject::DocumentEvent(HANDLE, HDC, INT, ULONG, PVOID, ULONG, PVOID,
                                                      INT*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PluginObject::DocumentPropertySheets(PPROPSHEETUI_INFO info,
                                                               LPARAM lParam) {
    return AddDocumentPropertySheets(info, lParam);
}

HRESULT STDMETHODCALLTYPE PluginObject::DevicePropertySheets(PPROPSHEETUI_INFO info,
                                                             LPARAM lParam) {
    return AddDevicePropertySheets(info, lParam);
}
