// The module's entry points, its class factory, and the plug-in object's identity and lifetime,
// as the core driver meets them: the DLL loaded from the printer driver's folder.
#include "seams.h"
#include "wine_test.h"

#include "core/plugin_ids.h"

namespace {

typedef HRESULT(STDAPICALLTYPE* GetClassObjectProc)(REFCLSID, REFIID, LPVOID*);
typedef HRESULT(STDAPICALLTYPE* CanUnloadNowProc)();

class ClassObjectTest : public WineTest {
protected:
    void SetUp() override {
        WineTest::SetUp();
        module_ = LoadLibraryW(PluginPath().c_str());
        getClassObject_ = reinterpret_cast<GetClassObjectProc>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
        canUnloadNow_ = reinterpret_cast<CanUnloadNowProc>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
        ASSERT_TRUE(getClassObject_ != nullptr && canUnloadNow_ != nullptr);
    }
    void TearDown() override {
        FreeLibrary(module_);
        WineTest::TearDown();
    }
    IClassFactory* Factory() {
        IClassFactory* factory = nullptr;
        getClassObject_(CLSID_TarvikPlugin, IID_IClassFactory, reinterpret_cast<void**>(&factory));
        return factory;
    }

    HMODULE module_ = nullptr;
    GetClassObjectProc getClassObject_ = nullptr;
    CanUnloadNowProc canUnloadNow_ = nullptr;
};

TEST_F(ClassObjectTest, TheModuleHandsOutItsFactoryWithOneReferenceAndNothingElse) {
    const struct {
        const GUID *classId, *interfaceId;
        bool outPointer;
        HRESULT result;
    } cases[] = {
        {&CLSID_TarvikPlugin, &IID_IUnknown, true, S_OK},
        {&CLSID_TarvikPlugin, &IID_IPrintOemUI2, true, E_NOINTERFACE},
        {&IID_IPrintOemUI2, &IID_IClassFactory, true, CLASS_E_CLASSNOTAVAILABLE},
        {&CLSID_TarvikPlugin, &IID_IClassFactory, false, E_POINTER},
    };
    for (const auto& request : cases) {
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(getClassObject_(*request.classId, *request.interfaceId,
                                  request.outPointer ? &object : nullptr),
                  request.result);
        if (request.result == S_OK) {
            EXPECT_EQ(canUnloadNow_(), S_FALSE) << "a live factory keeps the module loaded";
            EXPECT_EQ(static_cast<IUnknown*>(object)->Release(), 0u) << "one reference";
        } else if (request.outPointer) {
            EXPECT_EQ(object, nullptr) << request.result;
        }
    }
}

TEST_F(ClassObjectTest, TheFactoryMakesVersion2ObjectsOnlyWithoutAggregationOrOutOfMemory) {
    IClassFactory* factory = Factory();
    ASSERT_NE(factory, nullptr);
    const struct {
        IUnknown* outer;
        const IID* interfaceId;
        bool outPointer;
        HRESULT result;
    } cases[] = {
        {nullptr, &IID_IPrintOemUI, true, E_NOINTERFACE},
        {factory, &IID_IPrintOemUI2, true, CLASS_E_NOAGGREGATION},
        {nullptr, &IID_IPrintOemUI2, false, E_POINTER},
        {nullptr, &IID_IUnknown, true, S_OK},
        {nullptr, &IID_IPrintOemUI2, true, S_OK},
    };
    for (const auto& request : cases) {
        void *object = reinterpret_cast<void*>(1), *same = nullptr, *older = object;
        EXPECT_EQ(factory->CreateInstance(request.outer, *request.interfaceId,
                                          request.outPointer ? &object : nullptr),
                  request.result);
        if (request.result != S_OK) {
            EXPECT_EQ(object, request.outPointer ? nullptr : reinterpret_cast<void*>(1));
            continue;
        }
        auto* plugin = static_cast<IUnknown*>(object);
        EXPECT_EQ(plugin->QueryInterface(IID_IPrintOemUI2, &same), S_OK);
        EXPECT_EQ(same, object) << "one identity";
        EXPECT_EQ(plugin->QueryInterface(IID_IPrintOemUI, &older), E_NOINTERFACE);
        EXPECT_EQ(older, nullptr);
        EXPECT_EQ(plugin->Release(), 1u);
        EXPECT_EQ(plugin->Release(), 0u);
    }
    factory->LockServer(TRUE);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "a server lock keeps the module loaded";
    factory = Factory();
    factory->LockServer(FALSE);
    IUnknown* plugin = nullptr;
    factory->CreateInstance(nullptr, IID_IPrintOemUI2, reinterpret_cast<void**>(&plugin));
    Seams seams;
    void* object = reinterpret_cast<void*>(1);
    seams.Fail("HeapAlloc", ERROR_NOT_ENOUGH_MEMORY, 2); // one object, then one factory
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemUI2, &object), E_OUTOFMEMORY);
    EXPECT_EQ(object, nullptr);
    factory->Release();
    EXPECT_EQ(getClassObject_(CLSID_TarvikPlugin, IID_IClassFactory, &object), E_OUTOFMEMORY);
    EXPECT_EQ(canUnloadNow_(), S_FALSE) << "a live object keeps the module loaded";
    plugin->Release();
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

TEST_F(ClassObjectTest, TheHostsInterfaceIsQueriedOnceAndReleasedOnceWithTheObject) {
    CoreDriverHost host;
    ASSERT_EQ(host.Load(PluginPath().c_str()), S_OK);
    HostDriverInterface& driver = host.driverInterface();
    EXPECT_EQ(driver.QueriesForDriverInterface(), 1);
    EXPECT_EQ(driver.References(), 2) << "the plug-in holds one reference";
    // The plug-in object itself is no core driver: it refuses the query.
    EXPECT_EQ(host.plugin()->PublishDriverInterface(host.plugin()), S_OK) << "already published";
    EXPECT_EQ(driver.QueriesForDriverInterface(), 1) << "a second publication asks nothing";
    host.Unload();
    EXPECT_EQ(driver.References(), 1) << "released exactly once";

    IClassFactory* factory = Factory();
    IPrintOemUI2* plugin = nullptr;
    factory->CreateInstance(nullptr, IID_IPrintOemUI2, reinterpret_cast<void**>(&plugin));
    factory->Release();
    EXPECT_EQ(plugin->PublishDriverInterface(plugin), E_FAIL);
    EXPECT_EQ(plugin->PublishDriverInterface(&driver), S_OK) << "a later one is still accepted";
    EXPECT_EQ(driver.References(), 2);
    plugin->Release();
}

} // namespace
