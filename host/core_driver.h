// The stand-in for the operating system's core printer driver: it loads the plug-in through its
// class factory and drives it in the order the real core driver does.
#pragma once

#include "core/oem_interface.h"
#include "driver_interface.h"

#include <vector>

class CoreDriverHost {
public:
    CoreDriverHost() = default;
    ~CoreDriverHost();
    CoreDriverHost(const CoreDriverHost&) = delete;
    CoreDriverHost& operator=(const CoreDriverHost&) = delete;

    // Loads the plug-in by path, creates its IPrintOemUI2 object through the class factory and
    // publishes the core driver's interface to it.
    HRESULT Load(LPCWSTR pluginPath);
    // Releases the object and unloads the module.
    void Unload();

    IPrintOemUI2* plugin() const { return plugin_; }
    HMODULE module() const { return module_; }
    HostDriverInterface& driverInterface() { return driverInterface_; }

    // The plug-in's private devmode size (OEMDM_SIZE), 0 when it refuses.
    DWORD PrivateDevmodeSize();

    // A job devmode as the core driver builds it: the public part (a copy of `input`'s, or a
    // plain default when there is none) followed by the plug-in's private section, initialised
    // with OEMDM_DEFAULT and merged with `input`'s private section when it carries one.
    std::vector<BYTE> BuildJobDevmode(const DEVMODEW* input);

    // The driver's answer to a devmode request: its defaults with the printer's default devmode
    // (`printerDefault`, may be null) over them, then the fields `input` marks (may be null)
    // and its private section merged by the plug-in. Unreadable devmodes are left out.
    std::vector<BYTE> ResolveDevmode(const DEVMODEW* printerDefault, const DEVMODEW* input);

private:
    void MergePrivateSection(std::vector<BYTE>& devmode, const DEVMODEW* input);

    HMODULE module_ = nullptr;
    IPrintOemUI2* plugin_ = nullptr;
    HostDriverInterface driverInterface_;
};

// The plug-in's module path under the printer driver directory.
void PluginModulePath(WCHAR* path, DWORD chars);
