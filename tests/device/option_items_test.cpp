// The rows and choices a tree of option items offers, as the native tree driver and the Windows
// device page both read them.
#include "device_tree_fixture.h"

#include "host/option_items.h"

#include <compstui.h>

namespace {

std::u16string Row(const OPTITEM& item) {
    WCHAR text[260];
    FormatOptionItemRow(item, text, ARRAYSIZE(text));
    return text;
}

TEST_F(DeviceTreeTest, ActivationReadsThePrintersSettingsIntoTheRowsOnce) {
    InstallEmbosser(SettingsBlockBuilder()
                        .Values(kLeftMarginId, 10)
                        .Values(kRightMarginId, 11)
                        .Values(kLineSpacingId, 6)
                        .Values(kBrailleTableId, 6)
                        .Values(kBrailleDotsId, 8)
                        .Values(kAutoWrapId, 1)
                        .Values(kGraphicsModeId, 1)
                        .Values(kDotHeightId, 2)
                        .Values(kBrailleQualityId, 2)
                        .Values(kDuplexId, 1));
    OpenTree();
    for (WORD i = 0; i < driver_->count(); ++i)
        EXPECT_FALSE(CanChangeOptionItem(item(i))) << "nothing read yet, item " << i;

    EXPECT_EQ(driver_->Activate(), CPSUICB_ACTION_OPTIF_CHANGED);
    EXPECT_EQ(driver_->redrawn().size(), 20u);
    const std::vector<std::u16string> rows = {u"Legacy Settings",
                                              u"Form Size: Letter",
                                              u"Form Width: 8.50 Inches",
                                              u"Form Length: 11.00 Inches",
                                              u"Top Margin: 0.45 Inches",
                                              u"Left Margin: 0.50 Inches",
                                              u"Right Margin: 0.55 Inches",
                                              u"Text/Graphics Mode: Graphics",
                                              u"Dots Per Character: 8",
                                              u"Automatic Text Wrapping: On",
                                              u"Extra Line Spacing: 0.30 Inches",
                                              u"Media Type: Default 3 (Copy Paper)",
                                              u"Custom Media Lowest Force: 5",
                                              u"Custom Media Highest Force: 16",
                                              u"Paper Source: Automatic Select",
                                              u"Braille Table",
                                              u"Braille Table: 7",
                                              u"Braille Dot Height: Low",
                                              u"Braille Quality: Best",
                                              u"Duplex: Single Sided"};
    ASSERT_EQ(driver_->count(), rows.size());
    for (WORD i = 0; i < driver_->count(); ++i) {
        EXPECT_EQ(Row(item(i)), rows[i]) << i;
        EXPECT_EQ(CanChangeOptionItem(item(i)), i != kHeader) << i;
    }
    EXPECT_EQ(context()->DeviceSettingsChanged, 0u);

    int calls = PrinterLink().settingsCalls;
    EXPECT_EQ(driver_->Activate(), CPSUICB_ACTION_NONE) << "nothing new to show";
    EXPECT_EQ(PrinterLink().settingsCalls, calls);
    EXPECT_TRUE(driver_->redrawn().empty());

    // What a person may pick: the listed options and the up-down's range, both ends included.
    EXPECT_TRUE(IsOptionOffered(item(kDuplex), 1));
    EXPECT_FALSE(IsOptionOffered(item(kDuplex), 2));
    EXPECT_FALSE(IsOptionOffered(item(kDuplex), -1));
    EXPECT_FALSE(IsOptionOffered(item(kBrailleTable), 1)) << "an up-down lists no options";
    EXPECT_TRUE(IsUpDownValueInRange(item(kBrailleTable), 1));
    EXPECT_TRUE(IsUpDownValueInRange(item(kBrailleTable), 7));
    EXPECT_FALSE(IsUpDownValueInRange(item(kBrailleTable), 0));
    EXPECT_FALSE(IsUpDownValueInRange(item(kBrailleTable), 8));
    EXPECT_FALSE(IsUpDownValueInRange(item(kDuplex), 1)) << "a list has no range";
    EXPECT_EQ(EditBoxChars(item(kTopMargin)), 8u);
    EXPECT_EQ(EditBoxChars(item(kDuplex)), 0u);

    // The driver refuses what the rows would not offer.
    item(kDuplex).Flags |= OPTIF_HIDE;
    EXPECT_FALSE(CanChangeOptionItem(item(kDuplex)));
    EXPECT_EQ(driver_->Select(kDuplex, 1), DeviceTreeDriver::kRefused);
    item(kDuplex).pOptType->pOptParam[1].Flags |= OPTPF_DISABLED;
    item(kDuplex).Flags &= ~OPTIF_HIDE;
    EXPECT_FALSE(IsOptionOffered(item(kDuplex), 1));
    EXPECT_EQ(driver_->Select(kDuplex, 1), DeviceTreeDriver::kRefused);
    EXPECT_EQ(Row(item(kDuplex)), u"Duplex: Single Sided") << "unchanged";
}

// A row longer than its buffer (a translated label can be) is cut, and an edit text that fills
// its buffer is read no further.
TEST(OptionItemRows, RowsStayWithinTheirBuffers) {
    WCHAR full[4] = {'1', '.', '2', '5'}; // fills its buffer without a terminator
    OPTPARAM editParams[2] = {};
    editParams[0].pData = const_cast<LPWSTR>(u"in");
    editParams[1].IconID = ARRAYSIZE(full);
    OPTTYPE editType = {};
    editType.Type = TVOT_EDITBOX;
    editType.Count = 2;
    editType.pOptParam = editParams;
    OPTITEM edit = {};
    edit.pName = const_cast<LPWSTR>(u"Gap");
    edit.pSel = full;
    edit.pOptType = &editType;
    EXPECT_EQ(Row(edit), u"Gap: 1.25 in");

    WCHAR small[8];
    FormatOptionItemRow(edit, small, ARRAYSIZE(small));
    EXPECT_EQ(std::u16string(small), u"Gap: 1.");
}

} // namespace
