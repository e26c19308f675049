// DllGetClassObject and the class factory that creates plug-in objects.
#include "core/class_factory.h"

#include "core/com_object.h"
#include "core/module_state.h"
#include "core/plugin_ids.h"
#include "core/plugin_object.h"

PluginClassFactory::PluginClassFactory() : refCount_(1) {
    InterlockedIncrement(&g_liveObjects);
}

PluginClassFactory::~PluginClassFactory() {
    InterlockedDecrement(&g_liveObjects);
}

HRESULT STDMETHODCALLTYPE PluginClassFactory::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE PluginClassFactory::AddRef() {
    return AddRefCount(&refCount_);
}

ULONG STDMETHODCALLTYPE PluginClassFactory::Release() {
    ULONG count = ReleaseCount(&refCount_);
    if (count == 0)
        DeleteComObject(this);
    return count;
}

HRESULT STDMETHODCALLTYPE PluginClassFactory::CreateInstance(IUnknown* outer, REFIID riid,
                                                             void** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    PluginObject* plugin = NewComObject<PluginObject>();
    if (plugin == nullptr)
        return E_OUTOFMEMORY;
    // The query takes its own reference; releasing ours destroys the object when it fails.
    HRESULT result = plugin->QueryInterface(riid, object);
    plugin->Release();
    return result;
}

HRESULT STDMETHODCALLTYPE PluginClassFactory::LockServer(BOOL lock) {
    if (lock)
        InterlockedIncrement(&g_serverLocks);
    else
        InterlockedDecrement(&g_serverLocks);
    return S_OK;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_TarvikPlugin))
        return CLASS_E_CLASSNOTAVAILABLE;
    PluginClassFactory* factory = NewComObject<PluginClassFactory>();
    if (factory == nullptr)
        return E_OUTOFMEMORY;
    HRESULT result = factory->QueryInterface(riid, object);
    factory->Release();
    return result;
}
