// The simulated machine most plug-in tests start from.
#include "support/plugin_machine.h"

#include "core/oem_interface.h"

#include <optional>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* object);
STDAPI DllCanUnloadNow();

extern "C" const unsigned char qvembui_res[];
extern const std::size_t qvembui_res_size;

const char kPrinterName[] = "Tarvik Embosser";
const WCHAR kPrinterNameW[] = u"Tarvik Embosser";
const char16_t kPluginPath[] = u"C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\qvembui.dll";
const char16_t kPrinterLinkPath[] = u"C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\qvmonext.dll";
const char16_t kLocalePath[] = u"C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\qvlocale.dll";
const char16_t kPeripheralsPath[] = u"C:\\Windows\\system32\\qvdevapi.dll";

HMODULE InstallPlugin() {
    return sim::RegisterModule(kPluginPath, DllMain,
                               {sim::Export("DllGetClassObject", DllGetClassObject),
                                sim::Export("DllCanUnloadNow", DllCanUnloadNow)},
                               qvembui_res, qvembui_res_size);
}

HMODULE InstallPluginWithoutResources() {
    return sim::RegisterModule(kPluginPath, DllMain,
                               {sim::Export("DllGetClassObject", DllGetClassObject),
                                sim::Export("DllCanUnloadNow", DllCanUnloadNow)});
}

std::u16string ConfigString(const char* value) {
    auto stored = sim::ReadPrinterData(kPrinterName, "Config", value);
    if (!stored || stored->type != REG_SZ)
        return u"<missing>";
    std::u16string text(reinterpret_cast<const char16_t*>(stored->data.data()),
                        stored->data.size() / 2);
    while (!text.empty() && text.back() == 0)
        text.pop_back();
    return text;
}

DWORD ConfigDword(const char* value) {
    auto stored = sim::ReadPrinterData(kPrinterName, "Config", value);
    EXPECT_TRUE(stored && stored->type == REG_DWORD && stored->data.size() == 4)
        << "Config\\" << value << " is not a stored DWORD";
    if (!stored || stored->data.size() != 4)
        return 0xDEADBEEF;
    DWORD result;
    std::memcpy(&result, stored->data.data(), 4);
    return result;
}

bool HasConfigValue(const char* value) {
    return sim::ReadPrinterData(kPrinterName, "Config", value).has_value();
}

void PluginTest::SetUp() {
    sim::Reset();
    sim::ApplySwitchesFromEnvironment();
    ResetPluginModuleState();
    before_ = sim::ResourceCounts::Take();
    hostHeaps_.clear();
    InstallPlugin();
    // The core driver has the plug-in loaded whenever it asks anything of it.
    module_ = LoadLibraryW(kPluginPath);
    ASSERT_NE(module_, nullptr);
    sim::PrinterSetup printer;
    // The core driver's devmodes carry the plug-in's private section.
    printer.driverExtra = 732;
    printer.name = kPrinterName;
    sim::AddPrinter(printer);
    sim::WritePrinterDword(kPrinterName, "Config", "OutputVersion", 1);
}

HANDLE PluginTest::OpenHostHandle() {
    if (hostHandle_ == nullptr) {
        EXPECT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinterNameW), &hostHandle_, nullptr));
    }
    return hostHandle_;
}

void PluginTest::TearDown() {
    if (hostHandle_ != nullptr)
        ClosePrinter(hostHandle_);
    hostHandle_ = nullptr;
    FreeLibrary(module_);
    EXPECT_EQ(sim::ModuleLoadCount(kPluginPath), 0) << "the plug-in is still loaded";
    ExpectHostHeapsGivenBack();
    ExpectNothingLeaked(before_);
}

void PluginTest::WatchHostHeap(HANDLE heap) {
    hostHeaps_.emplace_back(heap, sim::LiveHeapAllocations(heap));
}

void PluginTest::ExpectHostHeapsGivenBack() {
    for (const auto& heap : hostHeaps_) {
        std::optional<std::size_t> left = sim::BlocksLeftAtHeapDestroy(heap.first);
        ASSERT_TRUE(left.has_value()) << "the host heap was not destroyed with its sheet";
        // The sheet's end gives back at least its settings context (with whatever the locale
        // library took for it); what the opening set up for the host (page titles, option
        // items) stays until the host destroys the heap.
        EXPECT_LE(*left + 1, heap.second)
            << "blocks of the host heap beyond the sheet's life: " << *left << " left of the "
            << heap.second << " its opening held";
    }
}

void ExpectNothingLeaked(const sim::ResourceCounts& before) {
    EXPECT_EQ(sim::Diff(before, sim::ResourceCounts::Take()), "")
        << "resources held now that were not before the test";
}

#include "core/module_state.h"

void ResetPluginModuleState() {
    g_module = nullptr;
    g_serverLocks = 0;
    g_liveObjects = 0;
    g_moduleActCtx = INVALID_HANDLE_VALUE;
    g_loadActCtx = nullptr;
}
