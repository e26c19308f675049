// The parameters the embosser takes, and the state values each one sets.
#include "parameters.h"

#include "embosser_texts.h"
#include "state_keys.h"

#include <cstring>

namespace {

constexpr int kMostKeys = 3;

// A parameter's values, in record order, go to these keys; an address parameter carries its four
// bytes, first octet first, in its data instead.
struct ParameterEntry {
    DWORD id;
    bool address;
    const char* keys[kMostKeys];
};

const ParameterEntry kParameters[] = {
    {90, false, {"margin.left"}},
    {91, false, {"margin.top"}},
    {92, false, {"braille.table"}},
    {93, false, {"autowrap"}},
    {94, false, {"graphics"}},
    {95, false, {"braille.dots"}},
    {96, false, {"line.spacing"}},
    {97, false, {"dot.height"}},
    {100, false, {"duplex"}},
    {101, false, {"media.type", "media.lowest", "media.highest"}},
    {102, false, {"form.code", "form.width", "form.length"}},
    {104, false, {"media.lowest", "media.highest"}},
    {106, false, {"quality"}},
    {107, false, {"carriage2.primary"}},
    {108, false, {"margin.right"}},
    {114, true, {"network.gateway"}},
    {118, true, {"network.address"}},
    {122, true, {"network.mask"}},
    {126, false, {"network.dhcp"}},
    {237, false, {"ink1.fill"}},
    {238, false, {"ink2.fill"}},
};

// What the printer reports but nobody sets: identity, firmware, usage, the ink unit's identity.
const DWORD kReadOnlyIds[] = {4, 12, 20, 22, 128, 234, 235};

const ParameterEntry* FindParameter(DWORD id) {
    for (const ParameterEntry& entry : kParameters)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

bool IsReadOnly(DWORD id) {
    for (DWORD readOnly : kReadOnlyIds)
        if (readOnly == id)
            return true;
    return false;
}

int KeyCount(const ParameterEntry& entry) {
    int count = 0;
    while (count < kMostKeys && entry.keys[count] != nullptr)
        ++count;
    return count;
}

DWORD ApplyAddress(EmbosserState* state, const StateKey& key, const BYTE* data, DWORD length) {
    if (data == nullptr || length < 4)
        return kErrorMalformedParameter;
    if (!AddressAcceptable(key, data))
        return kErrorValueOutOfRange;
    std::memcpy(StateField<BYTE>(state, key), data, 4);
    return 0;
}

// A cartridge counter reset after a change: the new fill, and the change is acknowledged.
DWORD ApplyCartridge(EmbosserState* state, int cartridge) {
    if (!state->inkUnitAttached)
        return kErrorNoInkUnit;
    InkCartridge& ink = state->cartridges[cartridge];
    if (ink.state == kCartridgeNone)
        return kErrorNoCartridge;
    ink.changed = 0;
    LONG empty = cartridge == 0 ? kStatusInkCartridge1Empty : kStatusInkCartridge2Empty;
    if (state->status == empty && ink.fill > 0)
        state->status = kStatusReady;
    return 0;
}

} // namespace

DWORD ApplyParameter(EmbosserState* state, DWORD id, const LONG* values, DWORD valueCount,
                     const BYTE* data, DWORD dataLength) {
    if (valueCount > kParameterValues || dataLength > kParameterDataBytes ||
        (valueCount > 0 && values == nullptr))
        return kErrorMalformedParameter;
    const ParameterEntry* entry = FindParameter(id);
    if (entry == nullptr)
        return IsReadOnly(id) ? kErrorReadOnlyParameter : kErrorUnknownParameter;

    EmbosserState updated = *state;
    if (entry->address) {
        DWORD error = ApplyAddress(&updated, *FindStateKey(entry->keys[0]), data, dataLength);
        if (error != 0)
            return error;
    } else {
        int count = KeyCount(*entry);
        if (valueCount < static_cast<DWORD>(count))
            return kErrorMalformedParameter;
        for (int i = 0; i < count; ++i) {
            const StateKey& key = *FindStateKey(entry->keys[i]);
            if (!NumberInRange(key, values[i]))
                return kErrorValueOutOfRange;
            *StateField<LONG>(&updated, key) = values[i];
        }
        if (id == 237 || id == 238) {
            DWORD error = ApplyCartridge(&updated, id == 237 ? 0 : 1);
            if (error != 0)
                return error;
        }
    }
    *state = updated;
    return 0;
}
