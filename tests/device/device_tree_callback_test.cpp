// The device settings tree in use: reading the printer's settings into it, a person's changes,
// and sending the changed settings to the printer.
#include "device_tree_fixture.h"

#include "device/device_parameters.h"
#include "device/device_tree_callback.h"
#include "settings/printer_data_store.h"

namespace {

using Sent = std::vector<std::pair<DWORD, std::vector<LONG>>>;

Sent SentParameters() {
    Sent sent;
    for (const ParameterCall& call : PrinterLink().parameters) {
        EXPECT_EQ(call.printer, kPrinterNameW);
        EXPECT_TRUE(call.data.empty());
        sent.push_back({call.id, call.values});
    }
    PrinterLink().parameters.clear();
    return sent;
}

// What the printer reports maps onto the options, the form matched by size either way round.
TEST_F(DeviceTreeTest, ReportedMediaFormsAndQualitiesMapOntoTheOptions) {
    InstallEmbosser();
    OpenTree();
    driver_->Activate();
    SettingsContext* ctx = context();
    OPTITEM& media = item(kMediaType);
    for (auto [reported, shown] : std::vector<std::pair<DWORD, LONG>>{
             {2, 2}, {258, 2}, {12, 0}, {269, 1}, {267, 4}, {286, 5}, {270, 5}}) {
        ctx->DeviceMediaType = reported;
        LoadItemFromContext(ctx, &media);
        EXPECT_EQ(media.Sel, shown) << reported;
    }
    OPTITEM& form = item(kFormSize);
    ctx->DeviceFormWidth = 280;
    ctx->DeviceFormHeight = 171; // Legal, turned, one unit off
    LoadItemFromContext(ctx, &form);
    EXPECT_EQ(form.Sel, 1);
    ctx->DeviceFormWidth = 999;
    LoadItemFromContext(ctx, &form);
    EXPECT_EQ(form.Sel, 1) << "no paper of that size: unchanged";
    ctx->DeviceBrailleQuality = 3;
    LoadItemFromContext(ctx, &item(kQuality));
    EXPECT_EQ(item(kQuality).Sel, 0);
}

TEST_F(DeviceTreeTest, WithoutSettingsFromThePrinterNothingIsSent) {
    OpenTree(); // no printer link
    EXPECT_EQ(driver_->Activate(), CPSUICB_ACTION_NONE);
    EXPECT_EQ(context()->SnapshotItemCount, -1);
    EXPECT_NE(item(kDuplex).Flags & OPTIF_DISABLED, 0u);
    InstallEmbosser();
    EXPECT_EQ(driver_->Activate(), CPSUICB_ACTION_NONE);
    EXPECT_EQ(PrinterLink().settingsCalls, 0) << "a failed fetch is not tried again";
    session_->Close(0);

    // A block that counts no records still enables the items, but sends nothing, and the next
    // activation asks again.
    InstallFakePrinterLink();
    PrinterLink().settingsBlock = SettingsBlockBuilder().Values(kTopMarginId, 9).Build(0);
    OpenTree();
    EXPECT_EQ(driver_->Activate(), CPSUICB_ACTION_OPTIF_CHANGED);
    EXPECT_EQ(item(kTopMargin).Flags & OPTIF_DISABLED, 0u);
    EXPECT_EQ(TextOf(item(kTopMargin).pSel), u"0.25");
    EXPECT_EQ(driver_->Type(kTopMargin, u"1"), CPSUICB_ACTION_NONE);
    driver_->Apply();
    EXPECT_TRUE(PrinterLink().parameters.empty());
    EXPECT_TRUE(PrinterLink().updates.empty());
    int calls = PrinterLink().settingsCalls;
    driver_->Activate();
    EXPECT_GT(PrinterLink().settingsCalls, calls);
}

TEST_F(DeviceTreeTest, ChoosingAPaperShowsItsSizeInInches) {
    InstallEmbosser();
    OpenTree();
    driver_->Activate();
    EXPECT_EQ(driver_->Select(kFormSize, 8), CPSUICB_ACTION_NONE) << "Custom";
    EXPECT_EQ(context()->DeviceSettingsChanged, 0u);
    EXPECT_EQ(driver_->Select(kFormSize, 1), CPSUICB_ACTION_OPTIF_CHANGED) << "Legal";
    EXPECT_EQ(driver_->redrawn(), (std::vector<WORD>{kFormWidth, kFormLength}));
    EXPECT_EQ(TextOf(item(kFormWidth).pSel), u"8.50");
    EXPECT_EQ(TextOf(item(kFormLength).pSel), u"14.00");
    EXPECT_EQ(context()->DeviceSettingsChanged, 1u);
    driver_->Apply();
    EXPECT_EQ(SentParameters(), (Sent{{kFormSizeId, {30, 170, 280}}}));
    EXPECT_EQ(PrinterLink().updates.size(), 1u);
}

TEST_F(DeviceTreeTest, ApplySendsEveryChangedSettingInTreeOrderThenOneUpdate) {
    InstallEmbosser();
    OpenTree();
    driver_->Activate();
    driver_->Type(kFormWidth, u"9");
    driver_->Type(kFormLength, u"12");
    driver_->Type(kTopMargin, u"wide");
    driver_->Type(kLeftMargin, u"0.49");  // 9.8 twentieths, truncated
    driver_->Type(kRightMargin, u"0.25"); // as before
    driver_->Select(kTextGraphics, 1);
    driver_->Select(kDots, 1);
    driver_->Select(kWrapping, 0);
    driver_->Type(kLineSpacing, u"0.33");
    driver_->Select(kMediaType, 0);
    driver_->Select(kLowestForce, 9);
    driver_->Select(kPaperSource, 1);
    driver_->Select(kBrailleTable, 3);
    driver_->Select(kDotHeight, 0);
    driver_->Select(kQuality, 1);
    driver_->Select(kDuplex, 1); // as before
    EXPECT_EQ(driver_->Apply(), CPSUICB_ACTION_NONE);
    // The width goes with the length held before, the media type with the dot values held
    // before; the paper source has no parameter of its own.
    EXPECT_EQ(SentParameters(), (Sent{{kFormSizeId, {30, 180, 220}},
                                      {kFormSizeId, {30, 180, 240}},
                                      {kTopMarginId, {0}},
                                      {kLeftMarginId, {9}},
                                      {kGraphicsModeId, {1}},
                                      {kBrailleDotsId, {8}},
                                      {kAutoWrapId, {1}},
                                      {kLineSpacingId, {6}},
                                      {kMediaTypeId, {12, 5, 16}},
                                      {kCustomMediaId, {9, 16}},
                                      {kBrailleTableId, {2}},
                                      {kDotHeightId, {0}},
                                      {kBrailleQualityId, {1}}}));
    EXPECT_EQ(PrinterLink().updates, std::vector<std::u16string>{kPrinterNameW});
    EXPECT_EQ(TextOf(item(kLineSpacing).pSel), u"0.33");
    EXPECT_EQ(context()->DeviceMediaDotValues, 0x1009u);
    EXPECT_EQ(context()->DevicePaperSource, 8u);

    driver_->Apply();
    EXPECT_TRUE(SentParameters().empty()) << "nothing differs any more";
    EXPECT_EQ(PrinterLink().updates.size(), 1u);

    driver_->Select(kDuplex, 0);
    driver_->Apply();
    driver_->Select(kDuplex, 1);
    driver_->Apply();
    EXPECT_EQ(SentParameters(), (Sent{{kDuplexId, {1}}, {kDuplexId, {2}}}));

    // Extra line spacing is limited to 12.50 inches; a negative entry counts as too large.
    driver_->Type(kLineSpacing, u"15");
    driver_->Apply();
    EXPECT_EQ(TextOf(item(kLineSpacing).pSel), u"12.50");
    driver_->Type(kLineSpacing, u"-1");
    driver_->Apply();
    EXPECT_EQ(TextOf(item(kLineSpacing).pSel), u"12.50");
    EXPECT_EQ(SentParameters(), (Sent{{kLineSpacingId, {250}}}));
}

TEST_F(DeviceTreeTest, EachMediaChoiceAndEachForceAndMarginGoesAsItsOwnParameter) {
    InstallEmbosser(); // dot values 5 and 16
    OpenTree();
    driver_->Activate();
    // The media codes the printer takes for the list's entries after the first.
    const LONG codes[] = {13, 2, 3, 11, 30};
    for (LONG sel = 1; sel <= 5; ++sel) {
        driver_->Select(kMediaType, sel);
        driver_->Apply();
        Sent sent = SentParameters();
        EXPECT_EQ(sent, (Sent{{kMediaTypeId, {codes[sel - 1], 5, 16}}})) << sel;
    }

    driver_->Select(kHighestForce, 20);
    driver_->Apply();
    EXPECT_EQ(SentParameters(), (Sent{{kCustomMediaId, {5, 20}}}));
    driver_->Select(kLowestForce, 7);
    driver_->Apply();
    EXPECT_EQ(SentParameters(), (Sent{{kCustomMediaId, {7, 20}}}));

    driver_->Type(kRightMargin, u"0.60");
    driver_->Apply();
    EXPECT_EQ(SentParameters(), (Sent{{kRightMarginId, {12}}}));
}

TEST_F(DeviceTreeTest, ValuesFromThePrinterAreShownWithinTheirItemsRanges) {
    InstallEmbosser();
    OpenTree();
    driver_->Activate();
    // Signed remainders in unsigned fields, and values past every limit.
    SettingsContext* ctx = context();
    ctx->DeviceDotHeight = static_cast<DWORD>(-1);
    ctx->DeviceBrailleTable = static_cast<DWORD>(-1);
    ctx->DeviceMediaDotValues = MakeDotValuePair(1, 200);
    ctx->DeviceLeftMargin = static_cast<DWORD>(-10);
    ctx->DeviceFormWidth = 0x7FFFFFFF;
    ctx->DeviceLineSpacing = 300;
    for (WORD i = 1; i < 20; ++i)
        LoadItemFromContext(ctx, &item(i));
    EXPECT_EQ(item(kDotHeight).Sel, 0);
    EXPECT_EQ(item(kBrailleTable).Sel, 1);
    EXPECT_EQ(item(kLowestForce).Sel, 24);
    EXPECT_EQ(item(kHighestForce).Sel, 2);
    EXPECT_EQ(TextOf(item(kLeftMargin).pSel), u"0.00");
    EXPECT_EQ(TextOf(item(kFormWidth).pSel), u"9999.95");
    EXPECT_EQ(TextOf(item(kLineSpacing).pSel), u"12.50");

    // Untouched, they are not sent back: only what the person changed is.
    driver_->Select(kDuplex, 1 - item(kDuplex).Sel);
    driver_->Apply();
    EXPECT_EQ(SentParameters(), (Sent{{kDuplexId, {item(kDuplex).Sel == 1 ? 2 : 1}}}));
    driver_->Select(kDotHeight, 1);
    driver_->Apply();
    EXPECT_EQ(SentParameters(), (Sent{{kDotHeightId, {1}}}));

    ctx->DeviceDotHeight = 7;
    ctx->DeviceBrailleTable = 9;
    ctx->DeviceMediaDotValues = MakeDotValuePair(200, 0);
    for (WORD index : {kDotHeight, kBrailleTable, kHighestForce})
        LoadItemFromContext(ctx, &item(index));
    EXPECT_EQ(item(kDotHeight).Sel, 2);
    EXPECT_EQ(item(kBrailleTable).Sel, 7);
    EXPECT_EQ(item(kHighestForce).Sel, 26);
    EXPECT_EQ(ShownTableSlot(static_cast<DWORD>(-3)), 0u);
    EXPECT_EQ(ShownTableSlot(6), 6u);
}

TEST_F(DeviceTreeTest, AnUntouchedLineSpacingIsNeverChangedByAnApply) {
    // Every spacing the printer can report, shown with two decimals, reads back as itself:
    // "1.15" times 100 is a hair below 115 in binary.
    for (LONG twentieths : {23, 41, 46, 87, 204, 250}) {
        PrinterLink().parameters.clear();
        SettingsBlockBuilder block;
        block.Values(kLineSpacingId, twentieths);
        if (!driver_) {
            InstallEmbosser(block);
            OpenTree();
        } else {
            PrinterLink().settingsBlock = block.Values(kFormSizeId, 30, 170, 220).Build();
            context()->SnapshotItemCount = 0;
        }
        driver_->Activate();
        driver_->Select(kDuplex, 1 - item(kDuplex).Sel);
        driver_->Apply();
        for (const ParameterCall& call : PrinterLink().parameters)
            EXPECT_NE(call.id, static_cast<DWORD>(kLineSpacingId)) << twentieths;
        EXPECT_EQ(context()->DeviceLineSpacing, static_cast<DWORD>(twentieths));
    }
}

TEST_F(DeviceTreeTest, MissingEntryPointsSkipOnlyTheirOwnCalls) {
    InstallEmbosser(SettingsBlockBuilder(), {"DllExportSetPrinterParameter"});
    OpenTree();
    driver_->Activate();
    item(kQuality).Sel = 2; // a change the callback never heard of
    driver_->Apply();
    EXPECT_EQ(context()->DeviceBrailleQuality, 0u);
    EXPECT_TRUE(PrinterLink().updates.empty());
    driver_->Select(kQuality, 2);
    driver_->Apply();
    EXPECT_EQ(context()->DeviceBrailleQuality, 2u);
    EXPECT_EQ(PrinterLink().updates.size(), 1u);
    EXPECT_TRUE(PrinterLink().parameters.empty());
    session_->Close(0);

    InstallEmbosser(SettingsBlockBuilder(), {"DllExportUpdatePrinter"});
    OpenTree();
    driver_->Activate();
    SettingsContext* ctx = context();
    SendDeviceParameter(ctx, u"QUALITY", 3);
    SendDeviceParameter(ctx, u"BRAILLEDOTS", 7);
    SendDeviceParameter(ctx, u"AUTOCR", 5);
    SendDeviceParameter(ctx, u"PAPERSOURCE", 8);
    EXPECT_EQ(SentParameters(),
              (Sent{{kBrailleQualityId, {0}}, {kBrailleDotsId, {6}}, {kAutoWrapId, {1}}}));
    driver_->Select(kPaperSource, 1);
    driver_->Apply();
    EXPECT_EQ(ctx->DevicePaperSource, 8u);
    ctx->SnapshotItemCount = 0;
    SendDeviceParameter(ctx, u"TABLE", 1);
    EXPECT_TRUE(PrinterLink().parameters.empty());
}

} // namespace
