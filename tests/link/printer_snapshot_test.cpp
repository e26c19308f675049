// The printer link: finding the library, the settings block and its records, status texts and
// the ink counter reset.
#include "support/fake_printer_link.h"
#include "support/plugin_machine.h"

#include "link/parameter_record.h"
#include "link/printer_link.h"
#include "link/printer_snapshot.h"

#include <cstring>

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

// The records whose fields no page shows as the printer sent them (the others are read back by
// the device tree, Service page and maintenance dialogs' tests), and the values that are mapped.
TEST_F(PrinterSnapshotTest, RecordsFillTheirFieldsAndValuesAreMapped) {
    InstallFakePrinterLink();
    PrinterLink().settingsBlock = SettingsBlockBuilder()
                                      .Values(kBrailleTableId, 9)
                                      .Values(kAutoWrapId, 5)
                                      .Values(kGraphicsModeId, -1)
                                      .Values(kBrailleDotsId, 7)
                                      .Values(kDotHeightId, 4)
                                      .Values(kFormSizeId, 30, 168, 230)
                                      .Values(kPrimaryCarriageId, 3)
                                      .Values(kDhcpId, 1)
                                      .Values(kEmbossUsageId, 30, 70, 1, 9)
                                      .Values(kInkCartridge1Id, 47, 1, 1)
                                      .Values(kInkCartridge2Id, 100, 0x102, 0)
                                      .Build();
    ASSERT_EQ(FetchPrinterSnapshot(context_), 1);
    EXPECT_EQ(context_->SnapshotItemCount, 12);
    EXPECT_EQ(context_->DeviceBrailleTable, 2u) << "9 modulo 7";
    EXPECT_EQ(context_->DeviceAutoWrap, 1u);
    EXPECT_EQ(context_->DeviceGraphicsMode, 1u);
    EXPECT_EQ(context_->DeviceBrailleDots, 6u) << "only 8 means eight dots";
    EXPECT_EQ(context_->DeviceDotHeight, 1u) << "4 modulo 3";
    EXPECT_EQ(context_->DeviceFormWidth, 168u);
    EXPECT_EQ(context_->DeviceFormHeight, 230u);
    EXPECT_EQ(context_->SecondCarriagePrimary, 1u);
    EXPECT_EQ(context_->NetworkDhcp, 1u);
    EXPECT_EQ(context_->EmbossUsage[0], 30);
    EXPECT_EQ(context_->EmbossUsage[1], 70);
    EXPECT_EQ(context_->EmbossUsage[2], 1);
    EXPECT_EQ(context_->EmbossUsage[3], 9);
    EXPECT_EQ(context_->InkCartridge1Fill, 47u);
    EXPECT_EQ(context_->InkCartridge1State, 0x0101u);
    EXPECT_EQ(context_->InkCartridge2Fill, 100u);
    EXPECT_EQ(context_->InkCartridge2State, 0x0002u);
}

TEST_F(PrinterSnapshotTest, AHeaderOnlyBlockResetsOnlyTheThreeStartFields) {
    InstallFakePrinterLink();
    context_->ChromaPodVersion = 5;
    context_->EmbossUsage[2] = 4;
    context_->EmbossUsage[1] = 4;
    context_->DevicePaperSource = 8;
    context_->DeviceTopMargin = 3;
    PrinterLink().settingsBlock = SettingsBlockBuilder().Build();
    ASSERT_EQ(FetchPrinterSnapshot(context_), 1);
    EXPECT_EQ(context_->SnapshotItemCount, 1);
    EXPECT_EQ(context_->ChromaPodVersion, 0);
    EXPECT_EQ(context_->EmbossUsage[2], 0);
    EXPECT_EQ(context_->EmbossUsage[1], 4);
    EXPECT_EQ(context_->DevicePaperSource, 15u);
    EXPECT_EQ(context_->DeviceTopMargin, 3u);

    PrinterLink().settingsBlock = SettingsBlockBuilder().Values(kTopMarginId, 9).Build(0);
    ASSERT_EQ(FetchPrinterSnapshot(context_), 1) << "a count of 0 is a success";
    EXPECT_EQ(context_->SnapshotItemCount, 0);
    EXPECT_EQ(context_->DeviceTopMargin, 3u) << "no record was read";
}

TEST_F(PrinterSnapshotTest, TextRecordsTakeTheirLengthAndNeverMore) {
    InstallFakePrinterLink();
    std::vector<BYTE> data(176, 'Z');
    std::memcpy(data.data(), "ABCDEFGH", 8);
    PrinterLink().settingsBlock = SettingsBlockBuilder()
                                      .Data(kModelNumberId, data, 5)
                                      .Data(kPrinterSerialNumberId, data, 5000)
                                      .Data(kChromaPodSerialNumberId, {0xE9, 'x'}, 2)
                                      .Build();
    ASSERT_EQ(FetchPrinterSnapshot(context_), 1);
    EXPECT_EQ(std::u16string(context_->ModelNumber), u"ABCDE");
    EXPECT_EQ(std::u16string(context_->PrinterSerialNumber).size(), 175u)
        << "an oversized length is cut to what a record holds";
    EXPECT_EQ(std::u16string(context_->ChromaPodSerialNumber), u"\u00E9x")
        << "single-byte text in the ANSI code page";
}

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
