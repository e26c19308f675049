// The 200-byte record exchanged with the printer link: a settings block is a sequence of them,
// and a single parameter travels to the printer in one.
#pragma once

#include <windows.h>

constexpr DWORD kParameterDataBytes = 176;
// Text records carry at most this many single-byte characters.
constexpr DWORD kParameterTextChars = 175;

#pragma pack(push, 4)
struct ParameterRecord {
    DWORD Id;
    LONG Values[4];
    DWORD DataLength;
    BYTE Data[kParameterDataBytes];
};
#pragma pack(pop)
static_assert(sizeof(ParameterRecord) == 200, "the parameter record is 200 bytes");

// Record ids of the settings block.
enum ParameterId : DWORD {
    kPrinterSerialNumberId = 4,
    kModelNumberId = 12,
    kFirmwareVersionId = 20,
    kMacAddressId = 22,
    kLeftMarginId = 90,
    kTopMarginId = 91,
    kBrailleTableId = 92,
    kAutoWrapId = 93,
    kGraphicsModeId = 94,
    kBrailleDotsId = 95,
    kLineSpacingId = 96,
    kDotHeightId = 97,
    kDuplexId = 100,
    kMediaTypeId = 101,
    kFormSizeId = 102,
    kCustomMediaId = 104,
    kBrailleQualityId = 106,
    kPrimaryCarriageId = 107,
    kRightMarginId = 108,
    kGatewayId = 114,
    kIpAddressId = 118,
    kSubnetMaskId = 122,
    kDhcpId = 126,
    kEmbossUsageId = 128,
    kChromaPodVersionId = 234,
    kChromaPodSerialNumberId = 235,
    kInkCartridge1Id = 237,
    kInkCartridge2Id = 238,
};
