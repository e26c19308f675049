// The class factory of the one class this module serves.
#pragma once

#include <windows.h>
#include <objbase.h>

class PluginClassFactory final : public IClassFactory {
public:
    PluginClassFactory();
    ~PluginClassFactory();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    LONG volatile refCount_;
};
