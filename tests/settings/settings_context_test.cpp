// Loading and releasing the settings context.
#include "support/fake_siblings.h"
#include "support/plugin_machine.h"

#include "settings/settings_context.h"

namespace {

class SettingsContextTest : public PluginTest {
protected:
    SettingsContext* Load(PDEVMODEW publicDevmode = nullptr) {
        if (heap_ == nullptr)
            heap_ = HeapCreate(0, 0, 0);
        SettingsContext* context = nullptr;
        EXPECT_TRUE(
            LoadSettingsContext({OpenHostHandle(), module_, heap_, publicDevmode}, &context));
        return context;
    }
    void TearDown() override {
        if (heap_ != nullptr) {
            EXPECT_EQ(sim::LiveHeapAllocations(heap_), 0u) << "the context was not freed";
            HeapDestroy(heap_);
        }
        PluginTest::TearDown();
    }
    HANDLE heap_ = nullptr;
};

// Beyond the stored values (config_values_test), the printer's state before a snapshot (the
// device tree's tests) and the distances in inches (the native rule tests): the form name and
// the magnification.
TEST_F(SettingsContextTest, AFreshPrinterGetsItsFormName) {
    SettingsContext* context = Load();
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->MagnificationLevel, 1u);
    EXPECT_EQ(std::u16string(context->DefaultFormName), u"A4");
    ReleaseSettingsContext(context);
}

// Which fields the job's devmode corrects is the native rule tests'; the load applies them in
// memory only.
TEST_F(SettingsContextTest, StoredValuesAndTheJobDevmodeDecideTheSettings) {
    sim::WritePrinterDword(kPrinterName, "Config", "Collate", 1);
    sim::WritePrinterDword(kPrinterName, "Config", "Brightness", static_cast<DWORD>(-40));
    DEVMODEW job = {};
    job.dmSize = sizeof(job);
    job.dmFields = DM_COLLATE;
    job.dmCollate = DMCOLLATE_FALSE;
    SettingsContext* context = Load(&job);
    EXPECT_EQ(context->Collate, 0u);
    EXPECT_EQ(context->Brightness, -40);
    EXPECT_EQ(ConfigDword("Collate"), 1u) << "devmode corrections stay in memory";
    ReleaseSettingsContext(context);
}

TEST_F(SettingsContextTest, PatternFileFollowsTheUsersCurrentPattern) {
    sim::SetRegistryString(HKEY_CURRENT_USER, u"SOFTWARE\\Quorvane\\Patterns", u"CurrentPattern",
                           u"Dots.dat");
    SettingsContext* context = Load();
    EXPECT_EQ(std::u16string(context->PatternFileName),
              u"C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\Dots.dat");
    EXPECT_FALSE(HasConfigValue("CustomPatternFileName")) << "neither read nor written";
    ReleaseSettingsContext(context);
    HeapDestroy(heap_);
    heap_ = nullptr;

    sim::DeleteRegistryTree(HKEY_CURRENT_USER, u"SOFTWARE\\Quorvane\\Patterns");
    sim::CreateRegistryKey(HKEY_CURRENT_USER, u"SOFTWARE\\Quorvane\\Patterns");
    sim::WritePrinterString(kPrinterName, "Config", "CustomPatternFileName", "D:\\My.dat");
    context = Load();
    EXPECT_EQ(std::u16string(context->PatternFileName), u"D:\\My.dat");
    ReleaseSettingsContext(context);
}

// When and how the installation runs is locale/peripherals_test's, with the real library; a
// library without its entry point is only unloaded again.
TEST_F(SettingsContextTest, APeripheralsLibraryWithoutItsEntryPointChangesNothing) {
    sim::FailPrinterDataReads(kPrinterName, "Config", "OutputVersion", ERROR_FILE_NOT_FOUND);
    InstallFakePeripherals({"InstallTarvikPeripherals"});
    SettingsContext* context = Load();
    EXPECT_NE(context, nullptr);
    EXPECT_TRUE(Peripherals().printerNames.empty());
    ReleaseSettingsContext(context);
}

TEST_F(SettingsContextTest, LoadFailsCleanlyWithoutMemory) {
    heap_ = HeapCreate(0, 0, 0);
    SettingsContext* context = reinterpret_cast<SettingsContext*>(1);
    sim::FailNextHeapAllocations(1, heap_);
    EXPECT_FALSE(LoadSettingsContext({OpenHostHandle(), module_, heap_, nullptr}, &context));
    EXPECT_EQ(context, nullptr);

    context = reinterpret_cast<SettingsContext*>(1);
    sim::FailNextGlobalAllocations(1);
    EXPECT_FALSE(LoadSettingsContext({OpenHostHandle(), module_, heap_, nullptr}, &context));
    EXPECT_EQ(context, nullptr) << "the printer's information could not be held";
}

} // namespace
