// The module's entry points, the class factory and the plug-in object's identity and lifetime.
#include "support/plugin_machine.h"

#include "core/oem_interface.h"
#include "core/plugin_ids.h"
#include "host/core_driver.h"

#include <objbase.h>

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* object);
STDAPI DllCanUnloadNow();

namespace {

class ClassFactoryTest : public PluginTest {
protected:
    IClassFactory* GetFactory() {
        IClassFactory* factory = nullptr;
        EXPECT_EQ(DllGetClassObject(CLSID_TarvikPlugin, IID_IClassFactory,
                                    reinterpret_cast<void**>(&factory)),
                  S_OK);
        return factory;
    }
};

TEST_F(ClassFactoryTest, FactoryIsHandedOutWithOneReferenceAndRefusesOtherClassesAndInterfaces) {
    IClassFactory* factory = GetFactory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->AddRef(), 2u);
    EXPECT_EQ(factory->Release(), 1u);
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE) << "a live factory keeps the module loaded";
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);

    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(DllGetClassObject(CLSID_TarvikPlugin, IID_IPrintOemUI2, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(DllCanUnloadNow(), S_OK) << "the refused factory was destroyed";

    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(DllGetClassObject(IID_IPrintOemUI2, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(DllGetClassObject(CLSID_TarvikPlugin, IID_IClassFactory, nullptr), E_POINTER);

    IUnknown* unknown = nullptr;
    EXPECT_EQ(
        DllGetClassObject(CLSID_TarvikPlugin, IID_IUnknown, reinterpret_cast<void**>(&unknown)),
        S_OK);
    EXPECT_EQ(unknown->Release(), 0u);
}

TEST_F(ClassFactoryTest, CreatesOnlyVersion2ObjectsWithoutAggregation) {
    IClassFactory* factory = GetFactory();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemUI, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(
        factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IPrintOemUI2, &object),
        CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemUI2, nullptr), E_POINTER);

    IPrintOemUI2* plugin = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemUI2, reinterpret_cast<void**>(&plugin)),
              S_OK);
    IUnknown* unknown = nullptr;
    ASSERT_EQ(plugin->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(plugin)) << "one identity";
    EXPECT_EQ(unknown->Release(), 1u);
    factory->Release();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE) << "a live object keeps the module loaded";
    EXPECT_EQ(plugin->Release(), 0u);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, AllocationFailuresAreReportedAsOutOfMemory) {
    IClassFactory* factory = GetFactory();
    sim::FailNextHeapAllocations(1, GetProcessHeap());
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemUI2, &object), E_OUTOFMEMORY);
    EXPECT_EQ(object, nullptr);
    factory->Release();

    sim::FailNextHeapAllocations(1, GetProcessHeap());
    EXPECT_EQ(DllGetClassObject(CLSID_TarvikPlugin, IID_IClassFactory, &object), E_OUTOFMEMORY);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ClassFactoryTest, ServerLocksKeepTheModuleLoaded) {
    IClassFactory* factory = GetFactory();
    factory->LockServer(TRUE);
    factory->Release();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    factory = GetFactory();
    factory->LockServer(FALSE);
    factory->Release();
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, TheHostsDriverInterfaceIsQueriedOnceAndReleasedOnceWithTheObject) {
    CoreDriverHost host;
    ASSERT_EQ(host.Load(kPluginPath), S_OK);
    HostDriverInterface& driver = host.driverInterface();
    EXPECT_EQ(driver.QueriesForDriverInterface(), 1);
    EXPECT_EQ(driver.References(), 2) << "the plug-in holds one reference";
    EXPECT_EQ(host.plugin()->PublishDriverInterface(&driver), S_OK);
    EXPECT_EQ(driver.QueriesForDriverInterface(), 1) << "a second publication asks nothing";
    host.Unload();
    EXPECT_EQ(driver.References(), 1) << "released exactly once";
}

// An interface that refuses every query: the plug-in must not keep a stale pointer.
struct RefusingDriver final : IUnknown {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

TEST_F(ClassFactoryTest, ADriverWithoutTheHelperInterfaceIsRefused) {
    IClassFactory* factory = GetFactory();
    IPrintOemUI2* plugin = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemUI2, reinterpret_cast<void**>(&plugin)),
              S_OK);
    factory->Release();
    RefusingDriver refusing;
    EXPECT_EQ(plugin->PublishDriverInterface(&refusing), E_FAIL);
    CoreDriverHost host; // a later, working publication is still accepted
    EXPECT_EQ(plugin->PublishDriverInterface(&host.driverInterface()), S_OK);
    EXPECT_EQ(host.driverInterface().References(), 2);
    plugin->Release();
    EXPECT_EQ(host.driverInterface().References(), 1);
}

} // namespace
