// Reading the printer link's answers: the settings block's records into the settings context,
// and the status text.
#include "link/settings_block.h"

#include "link/parameter_record.h"

#include <strsafe.h>

namespace {

BYTE LowByte(LONG value) {
    return static_cast<BYTE>(value & 0xFF);
}

// Three values' low bytes as one version number, the third value in the highest byte.
DWORD VersionFromValues(const ParameterRecord& record) {
    return (DWORD(LowByte(record.Values[2])) << 16) | (DWORD(LowByte(record.Values[1])) << 8) |
           LowByte(record.Values[0]);
}

// Four data bytes, first octet in the high byte, as the IP address control holds addresses.
DWORD AddressFromData(const ParameterRecord& record) {
    return (DWORD(record.Data[0]) << 24) | (DWORD(record.Data[1]) << 16) |
           (DWORD(record.Data[2]) << 8) | record.Data[3];
}

// A text record: single-byte characters of the current code page, as many as the data length
// says but never more than the record can hold, converted and terminated.
void CopyRecordText(const ParameterRecord& record, WCHAR* field) {
    int length = static_cast<int>(record.DataLength < kParameterTextChars ? record.DataLength
                                                                          : kParameterTextChars);
    int converted = 0;
    if (length > 0)
        converted = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCSTR>(record.Data), length,
                                        field, kNameChars - 1);
    field[converted > 0 ? converted : 0] = 0;
}

void ApplyRecord(SettingsContext* context, const ParameterRecord& record) {
    LONG value = record.Values[0];
    switch (record.Id) {
    case kPrinterSerialNumberId:
        CopyRecordText(record, context->PrinterSerialNumber);
        break;
    case kModelNumberId:
        CopyRecordText(record, context->ModelNumber);
        break;
    case kFirmwareVersionId:
        context->FirmwareVersion = VersionFromValues(record);
        break;
    case kMacAddressId:
        StringCchPrintfW(context->MacAddressText, kNameChars, TEXT("%02X-%02X-%02X-%02X-%02X-%02X"),
                         record.Data[0], record.Data[1], record.Data[2], record.Data[3],
                         record.Data[4], record.Data[5]);
        break;
    case kLeftMarginId:
        context->DeviceLeftMargin = value;
        break;
    case kTopMarginId:
        context->DeviceTopMargin = value;
        break;
    case kBrailleTableId:
        context->DeviceBrailleTable = value % 7;
        break;
    case kAutoWrapId:
        context->DeviceAutoWrap = value != 0;
        break;
    case kGraphicsModeId:
        context->DeviceGraphicsMode = value != 0;
        break;
    case kBrailleDotsId:
        context->DeviceBrailleDots = value == 8 ? 8 : 6;
        break;
    case kLineSpacingId:
        context->DeviceLineSpacing = value;
        break;
    case kDotHeightId:
        context->DeviceDotHeight = value % 3;
        break;
    case kDuplexId:
        context->DeviceDuplex = value == 2;
        break;
    case kMediaTypeId:
        context->DeviceMediaType = value;
        context->DeviceMediaDotValues =
            (DWORD(LowByte(record.Values[2])) << 8) | LowByte(record.Values[1]);
        break;
    case kFormSizeId:
        context->DeviceFormWidth = record.Values[1];
        context->DeviceFormHeight = record.Values[2];
        break;
    case kBrailleQualityId:
        context->DeviceBrailleQuality = value;
        break;
    case kPrimaryCarriageId:
        context->SecondCarriagePrimary = value != 0;
        break;
    case kRightMarginId:
        context->DeviceRightMargin = value;
        break;
    case kGatewayId:
        context->NetworkGateway = AddressFromData(record);
        break;
    case kIpAddressId:
        context->NetworkIpAddress = AddressFromData(record);
        break;
    case kSubnetMaskId:
        context->NetworkSubnetMask = AddressFromData(record);
        break;
    case kDhcpId:
        context->NetworkDhcp = value != 0;
        break;
    case kEmbossUsageId:
        for (int i = 0; i < 4; ++i)
            context->EmbossUsage[i] = record.Values[i];
        break;
    case kChromaPodVersionId:
        context->ChromaPodVersion = VersionFromValues(record);
        break;
    case kChromaPodSerialNumberId:
        CopyRecordText(record, context->ChromaPodSerialNumber);
        break;
    case kInkCartridge1Id:
        context->InkCartridge1Fill = value;
        context->InkCartridge1State =
            (DWORD(LowByte(record.Values[2])) << 8) | LowByte(record.Values[1]);
        break;
    case kInkCartridge2Id:
        context->InkCartridge2Fill = value;
        context->InkCartridge2State =
            (DWORD(LowByte(record.Values[2])) << 8) | LowByte(record.Values[1]);
        break;
    default:
        break;
    }
}

} // namespace

void ApplySettingsBlock(SettingsContext* context, const BYTE* block, DWORD size) {
    context->ChromaPodVersion = 0;
    context->DevicePaperSource = DMBIN_FORMSOURCE;
    context->EmbossUsage[2] = 0;
    // The header's count is trusted only as far as the block really holds records.
    DWORD present = size / sizeof(ParameterRecord);
    DWORD count = 0;
    if (present > 0) {
        ParameterRecord header;
        CopyMemory(&header, block, sizeof(header));
        count = header.DataLength < present ? header.DataLength : present;
    }
    context->SnapshotItemCount = static_cast<LONG>(count);
    for (DWORD i = 0; i < count; ++i) {
        ParameterRecord record;
        CopyMemory(&record, block + i * sizeof(ParameterRecord), sizeof(record));
        ApplyRecord(context, record);
    }
}

void FormatPrinterErrorText(WCHAR* out, const WCHAR (&text)[kPrinterErrorTextChars], bool answered,
                            DWORD code) {
    // The library's text is read no further than its buffer, whether it ended it or not.
    if (answered)
        StringCchPrintfW(out, kPrinterErrorTextChars, TEXT("%.4095ls (Code %d)"), text,
                         static_cast<int>(code));
    else
        StringCchPrintfW(out, kPrinterErrorTextChars, TEXT("(Code %d)"), static_cast<int>(code));
}
