// The printer link's settings block read into the settings context: the field and value each
// record gives where the pages do not show it as read (the device and service programs under
// Wine see the margins, spacing, quality, form size, addresses, MAC address and ChromaPod
// version; the settings_block fuzz target checks the counts, bounds and texts of any block).
#include "link/parameter_record.h"
#include "link/settings_block.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

ParameterRecord Record(DWORD id, std::vector<LONG> values = {}) {
    ParameterRecord record = {};
    record.Id = id;
    std::copy(values.begin(), values.end(), record.Values);
    return record;
}

// The header record counts the block's records, itself included.
std::vector<BYTE> Block(std::vector<ParameterRecord> records) {
    records.insert(records.begin(), Record(0));
    records[0].DataLength = static_cast<DWORD>(records.size());
    std::vector<BYTE> block(records.size() * sizeof(ParameterRecord));
    std::memcpy(block.data(), records.data(), block.size());
    return block;
}

SettingsContext* Decode(const std::vector<BYTE>& block) {
    static SettingsContext context;
    context = SettingsContext{};
    ApplySettingsBlock(&context, block.data(), static_cast<DWORD>(block.size()));
    return &context;
}

TEST(SettingsBlock, EachRecordFillsItsFieldAsTheDevicePagesReadIt) {
    const std::tuple<ParameterRecord, DWORD SettingsContext::*, DWORD> kCases[] = {
        {Record(kBrailleTableId, {9}), &SettingsContext::DeviceBrailleTable, 2},
        {Record(kBrailleTableId, {-9}), &SettingsContext::DeviceBrailleTable, DWORD(-2)},
        {Record(kDotHeightId, {5}), &SettingsContext::DeviceDotHeight, 2},
        {Record(kBrailleDotsId, {8}), &SettingsContext::DeviceBrailleDots, 8},
        {Record(kBrailleDotsId, {7}), &SettingsContext::DeviceBrailleDots, 6},
        {Record(kDuplexId, {2}), &SettingsContext::DeviceDuplex, 1},
        {Record(kDuplexId, {1}), &SettingsContext::DeviceDuplex, 0},
        {Record(kAutoWrapId, {5}), &SettingsContext::DeviceAutoWrap, 1},
        {Record(kGraphicsModeId, {-1}), &SettingsContext::DeviceGraphicsMode, 1},
        {Record(kDhcpId, {3}), &SettingsContext::NetworkDhcp, 1},
        {Record(kPrimaryCarriageId, {4}), &SettingsContext::SecondCarriagePrimary, 1},
        {Record(kMediaTypeId, {270, 0x134, 0x222}), &SettingsContext::DeviceMediaType, 270},
        {Record(kMediaTypeId, {270, 0x134, 0x222}), &SettingsContext::DeviceMediaDotValues, 0x2234},
        {Record(kFirmwareVersionId, {0x101, 2, 0x303}), &SettingsContext::FirmwareVersion,
         0x030201},
        {Record(kInkCartridge1Id, {55, 0x102, 3}), &SettingsContext::InkCartridge1Fill, 55},
        {Record(kInkCartridge1Id, {55, 0x102, 3}), &SettingsContext::InkCartridge1State, 0x0302},
        {Record(kInkCartridge2Id, {-5, 1, 0x201}), &SettingsContext::InkCartridge2Fill, DWORD(-5)},
        {Record(kInkCartridge2Id, {-5, 1, 0x201}), &SettingsContext::InkCartridge2State, 0x0101}};
    for (const auto& [record, field, expected] : kCases)
        EXPECT_EQ(Decode(Block({record}))->*field, expected) << "record " << record.Id;

    SettingsContext* context = Decode(Block({Record(kEmbossUsageId, {30, 70, 1, -4})}));
    EXPECT_EQ(std::vector<LONG>(context->EmbossUsage, context->EmbossUsage + 4),
              (std::vector<LONG>{30, 70, 1, -4}));
}

} // namespace
