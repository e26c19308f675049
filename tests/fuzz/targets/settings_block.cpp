// The printer's settings block as the printer link delivers it: any size, any header count, any
// record id, value or text, in a block of exactly its size. What lands in the settings context
// must stay within what the records can say.
#include "link/parameter_record.h"
#include "link/settings_block.h"
#include "rule_check.h"

#include <memory>
#include <string>

namespace {

// A text field holds the last such record's bytes, as many as its length says up to the 175 a
// record holds, up to the first zero.
void CheckText(WCHAR const (&field)[kNameChars], DWORD id, const ParameterRecord* records,
               DWORD count) {
    const ParameterRecord* last = nullptr;
    for (DWORD i = 0; i < count; ++i)
        if (records[i].Id == id)
            last = &records[i];
    std::u16string expected;
    for (DWORD i = 0; last != nullptr && i < last->DataLength && i < kParameterTextChars; ++i)
        expected.push_back(last->Data[i]);
    expected = expected.substr(0, expected.find(u'\0'));
    RULE(std::char_traits<WCHAR>::find(field, kNameChars, 0) != nullptr &&
             std::u16string(field) == expected,
         "the text of record %u is unterminated or not the record's", id);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<BYTE[]> block(new BYTE[size ? size : 1]);
    std::memcpy(block.get(), data, size);
    std::unique_ptr<SettingsContext> context(new SettingsContext());
    context->EmbossUsage[2] = 5;
    context->DeviceBrailleDots = 6;
    ApplySettingsBlock(context.get(), block.get(), static_cast<DWORD>(size));

    size_t records = size / sizeof(ParameterRecord);
    auto* record = reinterpret_cast<const ParameterRecord*>(data);
    DWORD count = records > 0 && record->DataLength < records ? record->DataLength : records;
    RULE(context->SnapshotItemCount == static_cast<LONG>(count),
         "SnapshotItemCount %d for a block of %zu whole records", context->SnapshotItemCount,
         records);
    std::unique_ptr<ParameterRecord[]> copies(new ParameterRecord[count ? count : 1]);
    std::memcpy(copies.get(), data, count * sizeof(ParameterRecord));
    CheckText(context->PrinterSerialNumber, kPrinterSerialNumberId, copies.get(), count);
    CheckText(context->ModelNumber, kModelNumberId, copies.get(), count);
    CheckText(context->ChromaPodSerialNumber, kChromaPodSerialNumberId, copies.get(), count);
    size_t mac = std::char_traits<WCHAR>::length(context->MacAddressText);
    RULE(mac == 0 || mac == 17, "the MAC address text has %zu characters", mac);
    // Auto wrap, graphics mode, duplex, DHCP and the primary carriage are flags.
    for (DWORD flag : {context->DeviceAutoWrap, context->DeviceGraphicsMode, context->DeviceDuplex,
                       context->NetworkDhcp, context->SecondCarriagePrimary})
        RULE(flag <= 1, "a flag is %u, not 0 or 1", flag);
    RULE(context->DeviceBrailleDots == 6 || context->DeviceBrailleDots == 8,
         "DeviceBrailleDots is %u", context->DeviceBrailleDots);
    // Signed remainders: the printer's value modulo 7 and modulo 3.
    LONG table = LONG(context->DeviceBrailleTable), height = LONG(context->DeviceDotHeight);
    RULE(table > -7 && table < 7 && height > -3 && height < 3, "braille table %d, dot height %d",
         table, height);
    RULE(context->DeviceMediaDotValues <= 0xFFFF, "DeviceMediaDotValues is %#x",
         context->DeviceMediaDotValues);
    RULE(context->FirmwareVersion <= 0xFFFFFF && context->ChromaPodVersion >= 0 &&
             context->ChromaPodVersion <= 0xFFFFFF,
         "a version has more than three bytes");
    RULE(context->InkCartridge1State <= 0xFFFF && context->InkCartridge2State <= 0xFFFF,
         "a cartridge state has more than two bytes");
    RULE(context->DevicePaperSource == DMBIN_FORMSOURCE, "DevicePaperSource is %u",
         context->DevicePaperSource);
    RULE(context->EmbossUsage[2] == 0 || count > 0, "the third usage value came from nowhere");
    return 0;
}
