// The printer link: finding the library and fetching the settings block, status texts and the
// ink counter reset (the block's records and the texts' composition are the native rule tests').
#include "support/fake_printer_link.h"
#include "support/plugin_machine.h"

#include "link/parameter_record.h"
#include "link/printer_link.h"
#include "link/printer_snapshot.h"

namespace {

class PrinterSnapshotTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        heap_ = HeapCreate(0, 0, 0);
        ASSERT_TRUE(LoadSettingsContext({OpenHostHandle(), module_, heap_, nullptr}, &context_));
    }
    void TearDown() override {
        ReleaseSettingsContext(context_);
        HeapDestroy(heap_);
        PluginTest::TearDown();
    }
    // Puts another printer link library in place of the one the context may have loaded.
    void ReplaceLink(const std::set<std::string>& missing = {}) {
        if (context_->PrinterLinkModule != nullptr)
            FreeLibrary(context_->PrinterLinkModule);
        context_->PrinterLinkModule = nullptr;
        InstallFakePrinterLink(missing);
    }
    HANDLE heap_ = nullptr;
    SettingsContext* context_ = nullptr;
};

TEST_F(PrinterSnapshotTest, AMissingOrFailingLinkChangesNothing) {
    context_->DeviceTopMargin = 3;
    EXPECT_EQ(FetchPrinterSnapshot(context_), 0) << "no library";
    EXPECT_EQ(context_->PrinterLinkModule, nullptr);
    EXPECT_EQ(FetchPrinterSettingsBlock(context_, nullptr, 0, nullptr), 6u);

    ReplaceLink({"DllExportGetPrinterSettings"});
    EXPECT_EQ(FetchPrinterSnapshot(context_), 0) << "a failed load is tried again";
    EXPECT_NE(context_->PrinterLinkModule, nullptr);

    ReplaceLink();
    PrinterLink().settingsBlock.clear();
    EXPECT_EQ(FetchPrinterSnapshot(context_), 0) << "a zero size";

    PrinterLink().settingsBlock = SettingsBlockBuilder().Values(kTopMarginId, 9).Build();
    PrinterLink().settingsResult = 31;
    EXPECT_EQ(FetchPrinterSnapshot(context_), 0) << "the library failed";
    EXPECT_EQ(context_->DeviceTopMargin, 3u);
    EXPECT_EQ(context_->SnapshotItemCount, 0);

    PrinterLink().settingsResult = 0;
    sim::FailNextGlobalAllocations(1);
    EXPECT_EQ(FetchPrinterSnapshot(context_), 0) << "no memory for the block";

    DWORD needed = 0;
    EXPECT_EQ(FetchPrinterSettingsBlock(context_, nullptr, 0, &needed), 234u);
    EXPECT_EQ(needed, 400u);
}

TEST_F(PrinterSnapshotTest, StatusTextsCarryTheCode) {
    EXPECT_EQ(std::u16string(PrinterErrorText(context_, 7)), u"") << "no library";
    InstallFakePrinterLink();
    PrinterLink().errorTexts[3] = u"Paper jam";
    EXPECT_EQ(std::u16string(PrinterErrorText(context_, 3)), u"Paper jam (Code 3)");
    EXPECT_EQ(std::u16string(PrinterErrorText(context_, 7)), u"(Code 7)");
}

TEST_F(PrinterSnapshotTest, InkCounterResetNamesTheCartridge) {
    EXPECT_EQ(ResetInkCartridgeCounter(context_, 0), 0u);
    InstallFakePrinterLink();
    PrinterLink().updateResult = 5;
    EXPECT_EQ(ResetInkCartridgeCounter(context_, 1), 5u);
    ASSERT_EQ(PrinterLink().parameters.size(), 1u);
    const ParameterCall& call = PrinterLink().parameters[0];
    EXPECT_EQ(call.printer, u"Tarvik Embosser");
    EXPECT_EQ(call.id, 238u);
    EXPECT_EQ(call.values, std::vector<LONG>{100});
    EXPECT_TRUE(call.data.empty());
    ASSERT_EQ(PrinterLink().updates.size(), 1u);

    ReplaceLink({"DllExportUpdatePrinter"});
    ResetInkCartridgeCounter(context_, 0);
    EXPECT_TRUE(PrinterLink().parameters.empty()) << "nothing is sent without the update";
}

} // namespace
