// The core driver's own helper interface, IPrintOemDriverUI, as the host hands it to the plug-in
// through PublishDriverInterface. Its setting helpers answer E_NOTIMPL: the plug-in keeps its
// settings itself.
#pragma once

#include "core/oem_interface.h"

class HostDriverInterface final : public IPrintOemDriverUI {
public:
    HostDriverInterface() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID pci, PCSTR feature, PVOID output,
                                                  DWORD size, PDWORD needed,
                                                  PDWORD optionsReturned) override;
    HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE printer, PCSTR feature,
                                                        PCSTR option) override;
    HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID pci, PVOID optItem, DWORD previousSelection,
                                                 DWORD mode) override;

    // What the plug-in did with the interface, for the host's checks.
    LONG References() const { return references_; }
    LONG QueriesForDriverInterface() const { return queries_; }

private:
    LONG volatile references_ = 1;
    LONG queries_ = 0;
};
