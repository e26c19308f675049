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

// Beyond the stored values (config_values_test) and the printer's state before a snapshot (the
// device tree's tests): the form name, the magnification and the printer's distances in inches.
TEST_F(SettingsContextTest, AFreshPrinterGetsItsFormNameAndTheDistancesInInches) {
    SettingsContext* context = Load();
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->MagnificationLevel, 1u);
    EXPECT_EQ(std::u16string(context->DefaultFormName), u"A4");
    EXPECT_EQ(std::u16string(context->LineSpacingText), u"0.00");
    EXPECT_EQ(std::u16string(context->TopMarginText), u"0.25");
    EXPECT_EQ(std::u16string(context->FormWidthText), u"8.50");
    ReleaseSettingsContext(context);
}

TEST_F(SettingsContextTest, StoredValuesAndTheJobDevmodeDecideTheSettings) {
    sim::WritePrinterDword(kPrinterName, "Config", "Collate", 1);
    sim::WritePrinterDword(kPrinterName, "Config", "InterPoint", 0);
    sim::WritePrinterDword(kPrinterName, "Config", "BindingEdge", 1);
    sim::WritePrinterDword(kPrinterName, "Config", "Brightness", static_cast<DWORD>(-40));
    DEVMODEW job = {};
    job.dmSize = sizeof(job);
    job.dmFields = DM_DUPLEX | DM_COLLATE | DM_ORIENTATION | DM_DEFAULTSOURCE | DM_MEDIATYPE;
    job.dmDuplex = DMDUP_VERTICAL;
    job.dmCollate = DMCOLLATE_FALSE;
    job.dmOrientation = DMORIENT_LANDSCAPE;
    job.dmDefaultSource = DMBIN_TRACTOR;
    job.dmMediaType = 259;
    SettingsContext* context = Load(&job);
    EXPECT_EQ(context->InterPoint, 1u);
    EXPECT_EQ(context->InterPointCurrent, 1u);
    EXPECT_EQ(context->BindingEdge, 2u);
    EXPECT_EQ(context->Collate, 0u);
    EXPECT_EQ(context->Orientation, 2u);
    EXPECT_EQ(context->PaperSource, 8u);
    EXPECT_EQ(context->MediaType, 259u);
    EXPECT_EQ(context->Brightness, -40);
    EXPECT_EQ(ConfigDword("InterPoint"), 0u) << "devmode corrections stay in memory";
    EXPECT_EQ(ConfigDword("Collate"), 1u);
    ReleaseSettingsContext(context);

    job.dmFields = DM_DUPLEX;
    job.dmDuplex = DMDUP_SIMPLEX;
    sim::WritePrinterDword(kPrinterName, "Config", "InterPoint", 1);
    context = Load(&job);
    EXPECT_EQ(context->InterPoint, 0u);
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
