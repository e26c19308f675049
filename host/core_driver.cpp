// Loading the plug-in and building job devmodes around its private section.
#include "core_driver.h"

#include "core/plugin_ids.h"
#include "devmode_merge.h"

#include <strsafe.h>
#include <winspool.h>

namespace {
typedef HRESULT(STDAPICALLTYPE* GetClassObjectProc)(REFCLSID, REFIID, LPVOID*);
} // namespace

CoreDriverHost::~CoreDriverHost() {
    Unload();
}

HRESULT CoreDriverHost::Load(LPCWSTR pluginPath) {
    module_ = LoadLibraryW(pluginPath);
    if (module_ == nullptr)
        return HRESULT_FROM_WIN32(GetLastError());
    auto getClassObject = reinterpret_cast<GetClassObjectProc>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    if (getClassObject == nullptr)
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    IClassFactory* factory = nullptr;
    HRESULT result =
        getClassObject(CLSID_TarvikPlugin, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(result))
        return result;
    result = factory->CreateInstance(nullptr, IID_IPrintOemUI2, reinterpret_cast<void**>(&plugin_));
    factory->Release();
    if (FAILED(result))
        return result;
    return plugin_->PublishDriverInterface(static_cast<IPrintOemDriverUI*>(&driverInterface_));
}

void CoreDriverHost::Unload() {
    if (plugin_ != nullptr) {
        plugin_->Release();
        plugin_ = nullptr;
    }
    if (module_ != nullptr) {
        FreeLibrary(module_);
        module_ = nullptr;
    }
}

DWORD CoreDriverHost::PrivateDevmodeSize() {
    OEMDMPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.cbSize = sizeof(param);
    param.hModule = module_;
    if (FAILED(plugin_->DevMode(OEMDM_SIZE, &param)))
        return 0;
    return param.cbBufSize;
}

std::vector<BYTE> CoreDriverHost::BuildJobDevmode(const DEVMODEW* input) {
    DWORD privateSize = PrivateDevmodeSize();
    std::vector<BYTE> devmode(sizeof(DEVMODEW) + privateSize);
    auto* publicPart = reinterpret_cast<DEVMODEW*>(devmode.data());
    if (input != nullptr) {
        CopyMemory(publicPart, input, sizeof(DEVMODEW));
    } else {
        publicPart->dmSpecVersion = DM_SPECVERSION;
        publicPart->dmFields = DM_ORIENTATION | DM_COPIES;
        publicPart->dmOrientation = DMORIENT_PORTRAIT;
        publicPart->dmCopies = 1;
    }
    publicPart->dmSize = sizeof(DEVMODEW);
    publicPart->dmDriverExtra = static_cast<WORD>(privateSize);

    OEMDMPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.cbSize = sizeof(param);
    param.hModule = module_;
    param.pPublicDMIn = publicPart;
    param.pPublicDMOut = publicPart;
    param.pOEMDMOut = devmode.data() + sizeof(DEVMODEW);
    param.cbBufSize = privateSize;
    plugin_->DevMode(OEMDM_DEFAULT, &param);
    MergePrivateSection(devmode, input);
    return devmode;
}

void CoreDriverHost::MergePrivateSection(std::vector<BYTE>& devmode, const DEVMODEW* input) {
    if (input == nullptr || input->dmDriverExtra < sizeof(OEM_DMEXTRAHEADER))
        return;
    auto* publicPart = reinterpret_cast<DEVMODEW*>(devmode.data());
    OEMDMPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.cbSize = sizeof(param);
    param.hModule = module_;
    param.pPublicDMIn = publicPart;
    param.pPublicDMOut = publicPart;
    param.pOEMDMIn = const_cast<BYTE*>(reinterpret_cast<const BYTE*>(input) + input->dmSize);
    param.pOEMDMOut = devmode.data() + sizeof(DEVMODEW);
    param.cbBufSize = static_cast<DWORD>(devmode.size() - sizeof(DEVMODEW));
    plugin_->DevMode(OEMDM_MERGE, &param);
}

std::vector<BYTE> CoreDriverHost::ResolveDevmode(const DEVMODEW* printerDefault,
                                                 const DEVMODEW* input) {
    // Only a default this driver made (the current layout, with the plug-in's private section)
    // is taken whole; an older one, or one the spooler made up itself (Wine names its own
    // driver in it), is merged by its fields.
    bool wholeDefault = IsReadableDevmode(printerDefault) &&
                        printerDefault->dmSize == sizeof(DEVMODEW) &&
                        printerDefault->dmDriverExtra == PrivateDevmodeSize();
    std::vector<BYTE> devmode = BuildJobDevmode(wholeDefault ? printerDefault : nullptr);
    auto* publicPart = reinterpret_cast<DEVMODEW*>(devmode.data());
    if (!wholeDefault)
        MergePublicDevmode(publicPart, printerDefault);
    if (IsReadableDevmode(input)) {
        MergePublicDevmode(publicPart, input);
        MergePrivateSection(devmode, input);
    }
    return devmode;
}

void PluginModulePath(WCHAR* path, DWORD chars) {
    path[0] = 0;
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(path),
                               chars * sizeof(WCHAR), &needed);
    StringCchCatW(path, chars, TEXT("\\3\\qvembui.dll"));
}
