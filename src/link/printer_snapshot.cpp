// Fetching the printer's settings block and reading it into the settings context.
#include "link/printer_snapshot.h"

#include "link/parameter_record.h"
#include "link/printer_link.h"
#include "settings/global_block.h"

#include <strsafe.h>

namespace {

WCHAR g_printerErrorText[kPrinterErrorTextChars];

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

DWORD FetchPrinterSettingsBlock(SettingsContext* context, LPBYTE buffer, DWORD size,
                                DWORD* needed) {
    auto getSettings =
        FindPrinterLinkProc<GetPrinterSettingsProc>(context, "DllExportGetPrinterSettings");
    if (getSettings == nullptr)
        return ERROR_INVALID_HANDLE;
    // The library is asked twice, as it expects: once to learn the size, once to fill.
    getSettings(0, context->PrinterName, buffer, size, needed);
    if (buffer == nullptr || size == 0)
        return ERROR_MORE_DATA;
    return getSettings(0, context->PrinterName, buffer, size, needed);
}

int FetchPrinterSnapshot(SettingsContext* context) {
    DWORD needed = 0;
    auto getSettings =
        FindPrinterLinkProc<GetPrinterSettingsProc>(context, "DllExportGetPrinterSettings");
    if (getSettings != nullptr)
        getSettings(0, context->PrinterName, nullptr, 0, &needed);
    if (needed == 0)
        return 0;
    GlobalBlock block(needed);
    if (!block)
        return 0;
    DWORD size = needed;
    if (FetchPrinterSettingsBlock(context, block.as<BYTE>(), size, &needed) != ERROR_SUCCESS)
        return 0;
    ApplySettingsBlock(context, block.as<BYTE>(), size);
    return 1;
}

LPCWSTR PrinterErrorText(SettingsContext* context, DWORD code) {
    g_printerErrorText[0] = 0;
    auto getText =
        FindPrinterLinkProc<GetPrinterErrorTextProc>(context, "DllExportGetPrinterErrorText");
    if (getText == nullptr)
        return g_printerErrorText;
    WCHAR text[kPrinterErrorTextChars] = {};
    if (getText(0, code, text) != 0) {
        text[kPrinterErrorTextChars - 1] = 0;
        StringCchPrintfW(g_printerErrorText, kPrinterErrorTextChars, TEXT("%ls (Code %d)"), text,
                         static_cast<int>(code));
    } else {
        StringCchPrintfW(g_printerErrorText, kPrinterErrorTextChars, TEXT("(Code %d)"),
                         static_cast<int>(code));
    }
    return g_printerErrorText;
}

DWORD ResetInkCartridgeCounter(SettingsContext* context, DWORD cartridge) {
    auto setParameter =
        FindPrinterLinkProc<SetPrinterParameterProc>(context, "DllExportSetPrinterParameter");
    auto update = FindPrinterLinkProc<UpdatePrinterProc>(context, "DllExportUpdatePrinter");
    if (setParameter == nullptr || update == nullptr)
        return 0;
    ParameterRecord record;
    ZeroMemory(&record, sizeof(record));
    record.Id = cartridge == 0 ? kInkCartridge1Id : kInkCartridge2Id;
    record.Values[0] = 100;
    // The cartridge's name travels from byte 40 of the record, as the printer expects it.
    StringCchCopyW(reinterpret_cast<WCHAR*>(reinterpret_cast<BYTE*>(&record) + 40), 80,
                   cartridge == 0 ? TEXT("InkjetCartridge1") : TEXT("InkjetCartridge2"));
    setParameter(0, context->PrinterName, record.Id, record.Values, 1, nullptr, 0);
    return update(0, context->PrinterName);
}
