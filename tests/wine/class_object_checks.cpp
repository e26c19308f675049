// The module's class object: creation through the factory, identity, and unloading.
#include "check_log.h"
#include "wine_checks.h"

#include "core/oem_interface.h"
#include "core/plugin_ids.h"

namespace {

typedef HRESULT(STDAPICALLTYPE* GetClassObjectProc)(REFCLSID, REFIID, LPVOID*);
typedef HRESULT(STDAPICALLTYPE* CanUnloadNowProc)();

template <typename Proc> Proc ExportOf(HMODULE module, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string Pointer(const void* pointer) {
    return Hex(reinterpret_cast<ULONG_PTR>(pointer));
}

void CheckIdentity(IPrintOemUI2* object) {
    IUnknown* unknown = nullptr;
    HRESULT result = object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown));
    CheckResult("QueryInterface(IUnknown)", S_OK, result);
    Check("QueryInterface(IUnknown) gives the object's own pointer",
          static_cast<void*>(unknown) == static_cast<void*>(object), Pointer(object),
          Pointer(unknown));
    if (unknown != nullptr)
        unknown->Release();

    void* older = reinterpret_cast<void*>(1);
    result = object->QueryInterface(IID_IPrintOemUI, &older);
    CheckResult("QueryInterface(IPrintOemUI) is refused", E_NOINTERFACE, result);
    Check("QueryInterface(IPrintOemUI) clears the out-pointer", older == nullptr, Pointer(nullptr),
          Pointer(older));
}

void CheckServerLock(IClassFactory* factory, CanUnloadNowProc canUnloadNow) {
    CheckResult("LockServer(TRUE)", S_OK, factory->LockServer(TRUE));
    CheckResult("DllCanUnloadNow while the server is locked", S_FALSE, canUnloadNow());
    CheckResult("LockServer(FALSE)", S_OK, factory->LockServer(FALSE));
}

} // namespace

void CheckPluginModule(LPCWSTR modulePath) {
    Note("the plug-in module %s", Narrow(modulePath).c_str());
    HMODULE module = LoadLibraryW(modulePath);
    if (!Check("LoadLibraryW loads the plug-in", module != nullptr, "a module",
               Outcome(module != nullptr, "a module")))
        return;
    auto getClassObject = ExportOf<GetClassObjectProc>(module, "DllGetClassObject");
    auto canUnloadNow = ExportOf<CanUnloadNowProc>(module, "DllCanUnloadNow");
    Check("DllGetClassObject and DllCanUnloadNow are exported",
          getClassObject != nullptr && canUnloadNow != nullptr, "both",
          std::string(getClassObject ? "DllGetClassObject" : "") +
              (canUnloadNow ? " DllCanUnloadNow" : ""));
    if (getClassObject == nullptr || canUnloadNow == nullptr) {
        FreeLibrary(module);
        return;
    }

    IClassFactory* factory = nullptr;
    HRESULT result =
        getClassObject(CLSID_TarvikPlugin, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    CheckResult("DllGetClassObject(plug-in class, IClassFactory)", S_OK, result);
    IPrintOemUI2* object = nullptr;
    if (factory != nullptr) {
        result =
            factory->CreateInstance(nullptr, IID_IPrintOemUI2, reinterpret_cast<void**>(&object));
        CheckResult("CreateInstance(IPrintOemUI2)", S_OK, result);
    }
    if (object != nullptr) {
        CheckIdentity(object);
        CheckDriverMethods(object);
    }
    if (factory != nullptr)
        CheckServerLock(factory, canUnloadNow);
    if (object != nullptr)
        object->Release();
    if (factory != nullptr)
        factory->Release();
    CheckResult("DllCanUnloadNow once the object and the factory are released", S_OK,
                canUnloadNow());
    FreeLibrary(module);
}
