// The embosser's state as the records of its settings block.
#include "settings_block.h"

#include <cstring>

namespace {

class BlockWriter {
public:
    explicit BlockWriter(EmbosserRecord* records) : records_(records) {
        std::memset(&records_[0], 0, sizeof(records_[0]));
        count_ = 1;
    }

    void Values(DWORD id, LONG v1, LONG v2 = 0, LONG v3 = 0, LONG v4 = 0) {
        EmbosserRecord* record = Add(id);
        record->Values[0] = v1;
        record->Values[1] = v2;
        record->Values[2] = v3;
        record->Values[3] = v4;
    }

    void Data(DWORD id, const void* data, DWORD length) {
        EmbosserRecord* record = Add(id);
        std::memcpy(record->Data, data, length);
        record->DataLength = length;
    }

    // Text records carry their characters without a terminator.
    void Text(DWORD id, const char* text) { Data(id, text, static_cast<DWORD>(std::strlen(text))); }

    // Versions travel as three values, the build number first.
    void Version(DWORD id, const BYTE* version) { Values(id, version[2], version[1], version[0]); }

    DWORD Finish() {
        records_[0].DataLength = count_;
        return count_;
    }

private:
    EmbosserRecord* Add(DWORD id) {
        EmbosserRecord* record = &records_[count_++];
        std::memset(record, 0, sizeof(*record));
        record->Id = id;
        return record;
    }

    EmbosserRecord* records_;
    DWORD count_;
};

} // namespace

DWORD BuildSettingsBlock(const EmbosserState& state, EmbosserRecord* records) {
    BlockWriter block(records);
    block.Text(4, state.serialNumber);
    block.Text(12, state.modelNumber);
    block.Version(20, state.firmware);
    block.Data(22, state.macAddress, sizeof(state.macAddress));
    block.Values(90, state.leftMargin);
    block.Values(91, state.topMargin);
    block.Values(92, state.brailleTable);
    block.Values(93, state.autoWrap);
    block.Values(94, state.graphicsMode);
    block.Values(95, state.brailleDots);
    block.Values(96, state.lineSpacing);
    block.Values(97, state.dotHeight);
    block.Values(100, state.duplex);
    block.Values(101, state.mediaType, state.mediaLowestForce, state.mediaHighestForce);
    block.Values(102, state.formCode, state.formWidth, state.formLength);
    block.Values(106, state.quality);
    block.Values(107, state.secondCarriagePrimary);
    block.Values(108, state.rightMargin);
    block.Data(114, state.gateway, sizeof(state.gateway));
    block.Data(118, state.ipAddress, sizeof(state.ipAddress));
    block.Data(122, state.subnetMask, sizeof(state.subnetMask));
    block.Values(126, state.dhcp);
    block.Values(128, state.usage[0], state.usage[1], state.usage[2], state.usage[3]);
    if (state.inkUnitAttached) {
        block.Version(234, state.inkFirmware);
        block.Text(235, state.inkSerialNumber);
        for (int i = 0; i < 2; ++i) {
            const InkCartridge& ink = state.cartridges[i];
            block.Values(237 + i, ink.fill, ink.state, ink.changed);
        }
    }
    return block.Finish();
}
