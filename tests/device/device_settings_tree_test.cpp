// Building the device settings tree: its items, their options and values, and the host's heap.
#include "device_tree_fixture.h"

#include "support/fake_siblings.h"

#include "device/braille_table_dialog.h"
#include "settings/ui_strings.h"

#include <cstring>

namespace {

// The blocks an item array holds in the host's heap: labels, option types, parameter arrays and
// option texts (a callback button's parameter holds its function instead).
size_t HeldBlocks(const OPTITEM* items, DWORD count) {
    size_t blocks = 0;
    for (DWORD i = 0; i < count; ++i) {
        blocks += items[i].pName != nullptr;
        const OPTTYPE* type = items[i].pOptType;
        if (type == nullptr)
            continue;
        blocks += 2;
        for (WORD p = 0; p < type->Count; ++p)
            blocks += type->pOptParam[p].pData != nullptr &&
                      !(type->Type == TVOT_PUSHBUTTON &&
                        type->pOptParam[p].Style == PUSHBUTTON_TYPE_CALLBACK);
    }
    return blocks;
}

struct ExpectedItem {
    BYTE id;
    const char16_t* label;
    BYTE type;
    std::vector<std::u16string> options;
    LONG sel;
};

TEST_F(DeviceTreeTest, TheTreeShowsTheEmbossersSettingsDisabledUntilTheyAreRead) {
    sim::WritePrinterData(kPrinterName, "DsDriver", "PrintMediaSupported", REG_MULTI_SZ,
                          {'A', 0, 'B', 0, 0, 0, 0, 0});
    SetCurrentTableSlot(4);
    OpenTree();
    EXPECT_EQ(CurrentTableSlot(), 0u) << "the printer's slot, as the tree shows it";
    ASSERT_EQ(driver_->count(), 20);
    SettingsContext* ctx = context();
    auto ready = sim::ReadPrinterData(kPrinterName, "DsDriver", "PrintMediaReady");
    ASSERT_TRUE(ready) << "written through a full-access handle";
    EXPECT_EQ(ready->type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(ready->data, (std::vector<BYTE>{'A', 0, 'B', 0, 0, 0, 0, 0}));

    const OPTITEM& header = item(kHeader);
    EXPECT_EQ(header.Level, 1);
    EXPECT_EQ(header.Flags, 0u);
    EXPECT_EQ(header.Sel, 104);
    EXPECT_EQ(header.pOptType, nullptr);
    EXPECT_EQ(TextOf(header.pName), u"Legacy Settings");

    const std::vector<std::u16string> edit = {u"Inches", u"<null>"}, none = {u"<null>", u"<null>"};
    const ExpectedItem expected[] = {
        {50,
         u"Form Size",
         TVOT_LISTBOX,
         {u"Letter", u"Legal", u"A4", u"A3", u"A5", u"B5 (JIS)", u"Executive", u"Tabloid",
          u"Custom"},
         8},
        {52, u"Form Width", TVOT_EDITBOX, edit, 0},
        {53, u"Form Length", TVOT_EDITBOX, edit, 0},
        {40, u"Top Margin", TVOT_EDITBOX, edit, 0},
        {41, u"Left Margin", TVOT_EDITBOX, edit, 0},
        {76, u"Right Margin", TVOT_EDITBOX, edit, 0},
        {42, u"Text/Graphics Mode", TVOT_LISTBOX, {u"Text", u"Graphics"}, 0},
        {26, u"Dots Per Character", TVOT_LISTBOX, {u"6", u"8"}, 0},
        {45, u"Automatic Text Wrapping", TVOT_LISTBOX, {u"On", u"Off"}, 1},
        {30, u"Extra Line Spacing", TVOT_EDITBOX, edit, 0},
        {54,
         u"Media Type",
         TVOT_LISTBOX,
         {u"Default 1 (Braille Paper)", u"Default 2 (Light Braille Paper)",
          u"Default 3 (Copy Paper)", u"Default 4 (Premium Copy Paper)", u"Default 5 (Card Stock)",
          u"Custom"},
         5},
        {56, u"Custom Media Lowest Force", TVOT_UDARROW, none, 6},
        {57, u"Custom Media Highest Force", TVOT_UDARROW, none, 26}, // braille paper's 30
        {58, u"Paper Source", TVOT_LISTBOX, {u"Automatic Select", u"Tractor Feed"}, 0},
        {74, u"Braille Table", TVOT_PUSHBUTTON, {}, 0},
        {60, u"Braille Table", TVOT_UDARROW, none, 1},
        {61, u"Braille Dot Height", TVOT_LISTBOX, {u"High", u"Normal", u"Low"}, 1},
        {206, u"Braille Quality", TVOT_LISTBOX, {u"Draft", u"Standard", u"Best"}, 0},
        {27, u"Duplex", TVOT_LISTBOX, {u"Single Sided", u"Double Sided (Interpoint)"}, 1},
    };
    for (WORD i = 1; i < 20; ++i) {
        const ExpectedItem& want = expected[i - 1];
        const OPTITEM& got = item(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(got.cbSize, sizeof(OPTITEM));
        EXPECT_EQ(got.Level, 2);
        EXPECT_EQ(got.Flags, static_cast<DWORD>(OPTIF_COLLAPSE | OPTIF_CALLBACK | OPTIF_DISABLED));
        EXPECT_EQ(got.UserItemID, want.id);
        EXPECT_EQ(TextOf(got.pName), want.label);
        ASSERT_NE(got.pOptType, nullptr);
        EXPECT_EQ(got.pOptType->Type, want.type);
        if (want.type != TVOT_PUSHBUTTON) {
            EXPECT_EQ(Options(i), want.options);
        }
        if (want.type == TVOT_LISTBOX || want.type == TVOT_UDARROW) {
            EXPECT_EQ(got.Sel, want.sel);
        }
        if (want.type == TVOT_EDITBOX) {
            EXPECT_EQ(got.pSel, DeviceTextField(ctx, got.UserItemID));
            EXPECT_EQ(got.pOptType->pOptParam[1].IconID, 8u);
        }
    }
    EXPECT_EQ(TextOf(item(kFormLength).pSel), u"11.00");
    EXPECT_EQ(TextOf(item(kLeftMargin).pSel), u"0.25");
    const OPTPARAM* range = item(kHighestForce).pOptType->pOptParam;
    EXPECT_EQ(range[1].IconID, 2u);
    EXPECT_EQ(range[1].lParam, 26);
    range = item(kBrailleTable).pOptType->pOptParam;
    EXPECT_EQ(range[1].IconID, 1u);
    EXPECT_EQ(range[1].lParam, 7);
    EXPECT_EQ(sim::LiveHeapAllocations(session_->heap()), 2 + HeldBlocks(&item(0), 20))
        << "the heap holds the context, the Service page's title and what the items point at";

    // A disabled item cannot be changed by a person.
    EXPECT_EQ(driver_->Select(kDuplex, 0), DeviceTreeDriver::kRefused);
}

TEST_F(DeviceTreeTest, TheFormListTakesWhatThePrinterNamesAndAlwaysEndsInCustom) {
    const std::u16string longName(64, u'W');
    sim::DriverHooks hooks;
    bool failNamesBuffer = false;
    hooks.deviceCapabilities = [&](LPCWSTR, LPCWSTR, WORD capability, LPWSTR output,
                                   const DEVMODEW*) {
        if (capability != DC_PAPERNAMES)
            return -1;
        if (output == nullptr) {
            if (failNamesBuffer)
                sim::FailNextGlobalAllocations(1); // the tree's buffer for the names
            return 3;
        }
        std::memset(output, 0, 3 * 128);
        std::memcpy(output, u"A4", 6);
        std::memcpy(output + 128, longName.data(), 128); // fills its slot, no terminator
        return 3;
    };
    sim::SetDriverHooks(kPrinterName, hooks);
    OpenTree();
    EXPECT_EQ(Options(kFormSize),
              (std::vector<std::u16string>{u"A4", u"<null>", longName.substr(0, 63), u"Custom"}));
    EXPECT_EQ(item(kFormSize).Sel, 3);
    EXPECT_FALSE(sim::ReadPrinterData(kPrinterName, "DsDriver", "PrintMediaReady"))
        << "nothing to copy";
    session_->Close(0);

    failNamesBuffer = true;
    OpenTree();
    EXPECT_EQ(Options(kFormSize), std::vector<std::u16string>{u"Custom"});
    session_->Close(0);

    sim::SetDefaultDevmode(kPrinterName, nullptr);
    sim::SetDriverHooks(kPrinterName, {});
    OpenTree();
    EXPECT_EQ(Options(kFormSize), std::vector<std::u16string>{u"Custom"});
    EXPECT_EQ(item(kFormSize).Sel, 0);
}

// The German tree test reads the translated labels and options; here the form list's last entry,
// which follows the printer's names, and the heap, which keeps no English copy.
TEST_F(DeviceTreeTest, LabelsAndOptionsAreTranslatedWithoutLeavingTheEnglishBehind) {
    InstallFakeLocale();
    Locale().strings[u"Form Size"] = u"Papierformat";
    Locale().strings[u"Custom"] = u"Benutzerdefiniert";
    Locale().strings[u"Inches"] = u"Zoll";
    OpenTree();
    EXPECT_EQ(Options(kFormSize).back(), u"Benutzerdefiniert");
    EXPECT_EQ(sim::LiveHeapAllocations(session_->heap()), 2 + HeldBlocks(&item(0), 20));
}

TEST_F(DeviceTreeTest, ATranslationWithoutATerminatorNeverBlanksTheLabels) {
    InstallFakeLocale();
    for (const char16_t* label : {u"Legacy Settings", u"Form Size", u"Duplex"})
        Locale().strings[label] = u"known";
    Locale().rawAnswer = TextEndingAtUnreadableMemory(6000, u'L');
    OpenTree();
    const std::u16string cut(kComposedChars - 1, u'L');
    EXPECT_EQ(TextOf(item(kHeader).pName), cut);
    EXPECT_EQ(TextOf(item(kFormSize).pName), cut);
    EXPECT_EQ(TextOf(item(kDuplex).pName), cut);
    EXPECT_EQ(TextOf(item(kTopMargin).pName), u"Top Margin") << "not translated: English";
    Locale().rawAnswer = nullptr;
}

TEST_F(DeviceTreeTest, AFillingCallThatCannotBeServedLeavesTheItemsUntouched) {
    IPrintOemUI2* plugin = host_.plugin();
    HANDLE heap = HeapCreate(0, 0, 0);
    OEMCUIPPARAM param = {};
    param.cbSize = sizeof(param);
    param.hPrinter = OpenHostHandle();
    param.hModule = module_;
    param.hOEMHeap = heap;
    ASSERT_EQ(plugin->CommonUIProp(OEMCUIP_PRNPROP, &param), S_OK);
    EXPECT_EQ(param.cOEMOptItems, 20u);

    std::vector<OPTITEM> items(20);
    std::memset(items.data(), 0x5A, items.size() * sizeof(OPTITEM));
    const std::vector<OPTITEM> before = items;
    param.pOEMOptItems = items.data();
    param.cOEMOptItems = 19;
    SetLastError(0);
    EXPECT_EQ(plugin->CommonUIProp(OEMCUIP_PRNPROP, &param), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    param.cOEMOptItems = 20;
    sim::FailNextHeapAllocations(1, heap); // no room for the settings context
    SetLastError(0);
    EXPECT_EQ(plugin->CommonUIProp(OEMCUIP_PRNPROP, &param), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(std::memcmp(items.data(), before.data(), items.size() * sizeof(OPTITEM)), 0);
    EXPECT_EQ(TakePublishedSettingsContext(), nullptr);
    EXPECT_EQ(sim::LiveHeapAllocations(heap), 0u);

    // A sizing call forgets a context published before it.
    ASSERT_EQ(plugin->CommonUIProp(OEMCUIP_PRNPROP, &param), S_OK);
    auto* published = static_cast<SettingsContext*>(param.pOEMUserData);
    param.pOEMOptItems = nullptr;
    ASSERT_EQ(plugin->CommonUIProp(OEMCUIP_PRNPROP, &param), S_OK);
    EXPECT_EQ(TakePublishedSettingsContext(), nullptr);
    ReleaseSettingsContext(published);
    HeapDestroy(heap);
}

TEST_F(DeviceTreeTest, ShortMemoryLeavesPartsOutButNeverBreaksTheTree) {
    for (int failures = 1; failures <= 180; ++failures) {
        SCOPED_TRACE(failures);
        HANDLE heap = HeapCreate(0, 0, 0);
        SettingsContext* ctx = nullptr;
        ASSERT_TRUE(LoadSettingsContext({OpenHostHandle(), module_, heap, nullptr}, &ctx));
        std::vector<OPTITEM> items(20);
        OEMCUIPPARAM param = {};
        param.hOEMHeap = heap;
        param.pOEMOptItems = items.data();
        param.cOEMOptItems = 20;
        sim::FailNextHeapAllocations(failures, heap);
        FillDeviceSettingsTree(&param, ctx);
        sim::FailNextHeapAllocations(0, heap);
        for (WORD i = 0; i < 20; ++i)
            EXPECT_EQ(items[i].cbSize, sizeof(OPTITEM));
        EXPECT_EQ(items[kDuplex].UserItemID, kDuplexItem);
        EXPECT_EQ(sim::LiveHeapAllocations(heap), 1 + HeldBlocks(items.data(), 20));
        ReleaseSettingsContext(ctx);
        HeapDestroy(heap);
    }
}

} // namespace
