// The printer's settings block as the printer link delivers it: any size, any header count, any
// record id, value or text. The block is fetched through the printer link as every page fetches
// it, and what lands in the settings context must stay within what the records can say.
#include "harness/fuzz_machine.h"

#include "device/device_settings_tree.h"
#include "device/device_tree_callback.h"
#include "link/parameter_record.h"
#include "link/printer_snapshot.h"

#include <cstring>

namespace {

void CheckText(const WCHAR* field, const char* name) {
    size_t length = BoundedLength(field, kNameChars);
    FUZZ_CHECK(length < kNameChars, "%s is not terminated", name);
    FUZZ_CHECK(length <= kParameterTextChars, "%s holds %zu characters, a record holds 175", name,
               length);
}

void CheckFlag(DWORD value, const char* name) {
    FUZZ_CHECK(value == 0 || value == 1, "%s is %u, not 0 or 1", name, value);
}

void CheckSnapshotRules(const SettingsContext* context, size_t blockBytes) {
    size_t records = blockBytes / sizeof(ParameterRecord);
    FUZZ_CHECK(context->SnapshotItemCount >= 0 &&
                   static_cast<size_t>(context->SnapshotItemCount) <= records,
               "SnapshotItemCount %d for a block of %zu whole records", context->SnapshotItemCount,
               records);
    CheckText(context->PrinterSerialNumber, "PrinterSerialNumber");
    CheckText(context->ModelNumber, "ModelNumber");
    CheckText(context->ChromaPodSerialNumber, "ChromaPodSerialNumber");
    size_t mac = BoundedLength(context->MacAddressText, kNameChars);
    FUZZ_CHECK(mac == 0 || mac == 17, "the MAC address text has %zu characters", mac);
    CheckFlag(context->DeviceAutoWrap, "DeviceAutoWrap");
    CheckFlag(context->DeviceGraphicsMode, "DeviceGraphicsMode");
    CheckFlag(context->DeviceDuplex, "DeviceDuplex");
    CheckFlag(context->NetworkDhcp, "NetworkDhcp");
    CheckFlag(context->SecondCarriagePrimary, "SecondCarriagePrimary");
    FUZZ_CHECK(context->DeviceBrailleDots == 6 || context->DeviceBrailleDots == 8,
               "DeviceBrailleDots is %u", context->DeviceBrailleDots);
    // Signed remainders: the printer's value modulo 7 and modulo 3.
    LONG table = static_cast<LONG>(context->DeviceBrailleTable);
    FUZZ_CHECK(table > -7 && table < 7, "DeviceBrailleTable is %d", table);
    LONG height = static_cast<LONG>(context->DeviceDotHeight);
    FUZZ_CHECK(height > -3 && height < 3, "DeviceDotHeight is %d", height);
    FUZZ_CHECK(context->DeviceMediaDotValues <= 0xFFFF, "DeviceMediaDotValues is %#x",
               context->DeviceMediaDotValues);
    FUZZ_CHECK(context->FirmwareVersion <= 0xFFFFFF && context->ChromaPodVersion >= 0 &&
                   context->ChromaPodVersion <= 0xFFFFFF,
               "a version has more than three bytes");
    FUZZ_CHECK(context->InkCartridge1State <= 0xFFFF && context->InkCartridge2State <= 0xFFFF,
               "a cartridge state has more than two bytes");
    FUZZ_CHECK(context->DevicePaperSource == DMBIN_FORMSOURCE, "DevicePaperSource is %u",
               context->DevicePaperSource);
    FUZZ_CHECK(context->EmbossUsage[2] == 0 || records > 0,
               "the third usage value came from nowhere");
}

// The device settings tree shows these fields as list boxes: the selection it hands the host
// must name one of the options, whatever the printer reported.
void CheckListSelections(const SettingsContext* context) {
    const struct {
        DeviceItemId id;
        LONG options;
    } lists[] = {{kGraphicsModeItem, 2},   {kBrailleDotsItem, 2}, {kAutoWrapItem, 2},
                 {kMediaTypeItem, 6},      {kPaperSourceItem, 2}, {kDotHeightItem, 3},
                 {kBrailleQualityItem, 3}, {kDuplexItem, 2}};
    for (const auto& list : lists) {
        LONG selection = -1;
        FUZZ_CHECK(DeviceItemSelection(context, list.id, &selection), "item %d has no selection",
                   list.id);
        FUZZ_CHECK(selection >= 0 && selection < list.options, "item %d would show option %d of %d",
                   list.id, selection, list.options);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartMachine();
    InstallPrinterLink();
    PrinterLink().settingsBlock.assign(data, data + size);
    // A context as a page holds it before the first fetch (the printer data it loads plays no
    // part in the decoding).
    auto* context = static_cast<SettingsContext*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SettingsContext)));
    context->RefCount = 1;
    context->HostHeap = GetProcessHeap();
    context->DeviceBrailleDots = 6;
    context->DevicePaperSource = DMBIN_FORMSOURCE;
    lstrcpynW(context->PrinterName, kFuzzPrinterW, kNameChars);

    SettingsContext before;
    std::memcpy(&before, context, sizeof(before));
    int fetched = FetchPrinterSnapshot(context);
    // The printer link is loaded at the first look-up, whatever it answers, from the driver
    // directory the context asks the spooler for once.
    before.PrinterLinkModule = context->PrinterLinkModule;
    std::memcpy(before.DriverDirectory, context->DriverDirectory, sizeof(before.DriverDirectory));
    if (size == 0) {
        FUZZ_CHECK(fetched == 0, "an empty block was taken");
        FUZZ_CHECK(std::memcmp(&before, context, sizeof(before)) == 0,
                   "a failed fetch changed the context");
    } else {
        FUZZ_CHECK(fetched == 1, "a block of %zu bytes was refused", size);
        CheckSnapshotRules(context, size);
        CheckListSelections(context);
    }
    ReleaseSettingsContext(context);
    FinishMachine();
    return 0;
}
