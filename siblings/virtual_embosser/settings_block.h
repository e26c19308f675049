// The settings block the printer link hands out (DllExportGetPrinterSettings): 200-byte records,
// the first a header whose data length field holds the number of records, itself included.
#pragma once

#include "embosser_state.h"

#pragma pack(push, 4)
struct EmbosserRecord {
    DWORD Id;
    LONG Values[4];
    DWORD DataLength;
    BYTE Data[176];
};
#pragma pack(pop)
static_assert(sizeof(EmbosserRecord) == 200, "records are 200 bytes");

// Records of the block: the header, 23 settings, 4 more with the ink unit.
constexpr DWORD kMostBlockRecords = 28;

// Writes the block into `records` (room for kMostBlockRecords) and returns its record count.
DWORD BuildSettingsBlock(const EmbosserState& state, EmbosserRecord* records);
