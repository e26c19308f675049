// The state file's keys, their ranges, and the reading and writing of their values.
#include "state_keys.h"

#include "embosser_texts.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr LONG kMost = 0x7FFFFFFF;
constexpr LONG kLeast = -kMost - 1;

const LONG kDotChoices[] = {6, 8};
const LONG kDuplexChoices[] = {1, 2};
// Braille paper 12, light braille paper 13, copy paper 2, premium copy paper 3, card stock 11,
// custom 30; the printer also takes them with bit 8 set, as it reports them to older drivers.
const LONG kMediaChoices[] = {2, 3, 11, 12, 13, 30, 258, 259, 267, 268, 269, 286};

#define FIELD(member) offsetof(EmbosserState, member)
#define NUMBER(name, member, lowest, highest)                                                      \
    { name, KeyKind::Number, FIELD(member), lowest, highest, nullptr, 0 }
#define CHOICE(name, member, choices)                                                              \
    { name, KeyKind::Number, FIELD(member), 0, 0, choices, sizeof(choices) / sizeof(choices[0]) }
#define OTHER(name, kind, member)                                                                  \
    { name, KeyKind::kind, FIELD(member), 0, 0, nullptr, 0 }

// Distances in twentieths of an inch: forms from 2 to 17 inches, margins up to 5 inches, extra
// line spacing up to 12.5 inches (what the device page lets a person enter).
const StateKey kKeys[] = {
    OTHER("serial", Text, serialNumber),
    OTHER("model", Text, modelNumber),
    OTHER("firmware", Version, firmware),
    OTHER("mac", MacAddress, macAddress),
    OTHER("status", Status, status),
    NUMBER("form.code", formCode, 0, 255),
    NUMBER("form.width", formWidth, 40, 340),
    NUMBER("form.length", formLength, 40, 340),
    NUMBER("margin.top", topMargin, 0, 100),
    NUMBER("margin.left", leftMargin, 0, 100),
    NUMBER("margin.right", rightMargin, 0, 100),
    NUMBER("graphics", graphicsMode, 0, 1),
    CHOICE("braille.dots", brailleDots, kDotChoices),
    NUMBER("autowrap", autoWrap, 0, 1),
    NUMBER("line.spacing", lineSpacing, 0, 250),
    CHOICE("media.type", mediaType, kMediaChoices),
    NUMBER("media.lowest", mediaLowestForce, 0, 24),
    NUMBER("media.highest", mediaHighestForce, 2, 26),
    NUMBER("braille.table", brailleTable, 0, kTableSlots - 1),
    NUMBER("dot.height", dotHeight, 0, 2),
    NUMBER("quality", quality, 0, 2),
    CHOICE("duplex", duplex, kDuplexChoices),
    NUMBER("carriage2.primary", secondCarriagePrimary, 0, 1),
    NUMBER("usage.carriage1", usage[0], 0, kMost),
    NUMBER("usage.carriage2", usage[1], 0, kMost),
    NUMBER("usage.recorded", usage[2], 0, 1),
    NUMBER("usage.reserved", usage[3], kLeast, kMost),
    NUMBER("network.dhcp", dhcp, 0, 1),
    OTHER("network.address", HostAddress, ipAddress),
    OTHER("network.mask", SubnetMask, subnetMask),
    OTHER("network.gateway", Address, gateway),
    NUMBER("ink.unit", inkUnitAttached, 0, 1),
    OTHER("ink.firmware", Version, inkFirmware),
    OTHER("ink.serial", Text, inkSerialNumber),
    NUMBER("ink1.fill", cartridges[0].fill, 0, 100),
    OTHER("ink1.state", CartridgeState, cartridges[0].state),
    NUMBER("ink1.changed", cartridges[0].changed, 0, 1),
    NUMBER("ink2.fill", cartridges[1].fill, 0, 100),
    OTHER("ink2.state", CartridgeState, cartridges[1].state),
    NUMBER("ink2.changed", cartridges[1].changed, 0, 1),
    OTHER("services", ServiceLog, services),
    OTHER("table.0", FileName, tables[0]),
    OTHER("table.1", FileName, tables[1]),
    OTHER("table.2", FileName, tables[2]),
    OTHER("table.3", FileName, tables[3]),
    OTHER("table.4", FileName, tables[4]),
    OTHER("table.5", FileName, tables[5]),
    OTHER("table.6", FileName, tables[6]),
};

const char* const kCartridgeStateNames[] = {"none", "ok", "error"};

// A decimal number that fills the whole text and fits a LONG.
bool ParseNumber(const char* text, LONG* value) {
    bool negative = *text == '-';
    if (negative)
        ++text;
    std::size_t digits = std::strspn(text, "0123456789");
    if (digits == 0 || digits > 10 || text[digits] != 0)
        return false;
    long long number = 0;
    for (std::size_t i = 0; i < digits; ++i)
        number = number * 10 + (text[i] - '0');
    if (negative)
        number = -number;
    if (number < kLeast || number > kMost)
        return false;
    *value = static_cast<LONG>(number);
    return true;
}

// `count` numbers from 0 to `highest`, separated by `separator`, in decimal or hexadecimal.
bool ParseByteList(const char* text, char separator, bool hex, BYTE* bytes, int count) {
    for (int i = 0; i < count; ++i) {
        const char* digits = hex ? "0123456789abcdefABCDEF" : "0123456789";
        std::size_t length = std::strspn(text, digits);
        if (length == 0 || length > (hex ? 2u : 3u))
            return false;
        unsigned value = 0;
        for (std::size_t j = 0; j < length; ++j) {
            char c = text[j];
            unsigned digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
            value = value * (hex ? 16 : 10) + digit;
        }
        if (value > 255)
            return false;
        bytes[i] = static_cast<BYTE>(value);
        text += length;
        if (i + 1 < count && *text++ != separator)
            return false;
    }
    return *text == 0;
}

bool Printable(const char* text, std::size_t limit, bool asciiOnly) {
    std::size_t length = 0;
    for (; text[length] != 0; ++length) {
        auto c = static_cast<unsigned char>(text[length]);
        if (c < 0x20 || c == 0x7F || (asciiOnly && c > 0x7E))
            return false;
    }
    return length < limit;
}

bool ParseServiceLog(const char* text, EmbosserState* state) {
    DWORD services[kServiceLogLength];
    LONG count = 0;
    while (*text != 0) {
        LONG code = 0;
        char item[12];
        std::size_t length = std::strcspn(text, ",");
        if (length >= sizeof(item) || count == kServiceLogLength)
            return false;
        std::memcpy(item, text, length);
        item[length] = 0;
        if (!ParseNumber(item, &code) || !IsEmbosserService(static_cast<DWORD>(code)))
            return false;
        services[count++] = static_cast<DWORD>(code);
        text += length;
        if (*text == ',' && *++text == 0)
            return false;
    }
    std::memcpy(state->services, services, sizeof(services[0]) * count);
    state->serviceCount = count;
    return true;
}

} // namespace

const StateKey* StateKeys(int* count) {
    *count = sizeof(kKeys) / sizeof(kKeys[0]);
    return kKeys;
}

const StateKey* FindStateKey(const char* name) {
    for (const StateKey& key : kKeys)
        if (std::strcmp(key.name, name) == 0)
            return &key;
    return nullptr;
}

bool NumberInRange(const StateKey& key, LONG value) {
    if (key.choices == nullptr)
        return value >= key.lowest && value <= key.highest;
    for (int i = 0; i < key.choiceCount; ++i)
        if (key.choices[i] == value)
            return true;
    return false;
}

bool AddressAcceptable(const StateKey& key, const BYTE* address) {
    if (key.kind == KeyKind::HostAddress)
        return address[0] != 0 && address[0] != 127 && address[0] < 224;
    if (key.kind == KeyKind::SubnetMask) {
        DWORD mask =
            (DWORD(address[0]) << 24) | (address[1] << 16) | (address[2] << 8) | address[3];
        DWORD zeros = ~mask;
        // The zeros form one run at the end exactly when ~mask + 1 is a power of two.
        return (zeros & (zeros + 1)) == 0 && (mask & 0xFF000000) == 0xFF000000;
    }
    return key.kind == KeyKind::Address;
}

bool SetStateValue(EmbosserState* state, const StateKey& key, const char* text) {
    switch (key.kind) {
    case KeyKind::Number: {
        LONG value = 0;
        if (!ParseNumber(text, &value) || !NumberInRange(key, value))
            return false;
        *StateField<LONG>(state, key) = value;
        return true;
    }
    case KeyKind::Text:
        if (!Printable(text, kIdentityChars, true))
            return false;
        std::strcpy(StateField<char>(state, key), text);
        return true;
    case KeyKind::FileName:
        if (!Printable(text, kTableNameChars, false) || std::strpbrk(text, "\\/") != nullptr)
            return false;
        std::strcpy(StateField<char>(state, key), text);
        return true;
    case KeyKind::Version:
        return ParseByteList(text, '.', false, StateField<BYTE>(state, key), 3);
    case KeyKind::MacAddress:
        return ParseByteList(text, '-', true, StateField<BYTE>(state, key), 6);
    case KeyKind::Address:
    case KeyKind::HostAddress:
    case KeyKind::SubnetMask: {
        BYTE address[4];
        if (!ParseByteList(text, '.', false, address, 4) || !AddressAcceptable(key, address))
            return false;
        std::memcpy(StateField<BYTE>(state, key), address, sizeof(address));
        return true;
    }
    case KeyKind::Status:
        return ParseStatusName(text, StateField<LONG>(state, key));
    case KeyKind::CartridgeState:
        for (LONG i = 0; i < 3; ++i) {
            char number[2] = {static_cast<char>('0' + i), 0};
            if (std::strcmp(text, kCartridgeStateNames[i]) == 0 || std::strcmp(text, number) == 0) {
                *StateField<LONG>(state, key) = i;
                return true;
            }
        }
        return false;
    case KeyKind::ServiceLog:
        return ParseServiceLog(text, state);
    }
    return false;
}

void FormatStateValue(const EmbosserState& state, const StateKey& key, char* text,
                      std::size_t size) {
    text[0] = 0;
    switch (key.kind) {
    case KeyKind::Number:
        std::snprintf(text, size, "%ld", static_cast<long>(*StateField<LONG>(state, key)));
        break;
    case KeyKind::Text:
    case KeyKind::FileName:
        std::snprintf(text, size, "%s", StateField<char>(state, key));
        break;
    case KeyKind::Version: {
        const BYTE* v = StateField<BYTE>(state, key);
        std::snprintf(text, size, "%u.%u.%u", v[0], v[1], v[2]);
        break;
    }
    case KeyKind::MacAddress: {
        const BYTE* m = StateField<BYTE>(state, key);
        std::snprintf(text, size, "%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4],
                      m[5]);
        break;
    }
    case KeyKind::Address:
    case KeyKind::HostAddress:
    case KeyKind::SubnetMask: {
        const BYTE* a = StateField<BYTE>(state, key);
        std::snprintf(text, size, "%u.%u.%u.%u", a[0], a[1], a[2], a[3]);
        break;
    }
    case KeyKind::Status: {
        LONG status = *StateField<LONG>(state, key);
        const char* name = StatusName(status);
        if (name != nullptr)
            std::snprintf(text, size, "%s", name);
        else
            std::snprintf(text, size, "%ld", static_cast<long>(status));
        break;
    }
    case KeyKind::CartridgeState: {
        LONG value = *StateField<LONG>(state, key);
        if (value >= 0 && value < 3)
            std::snprintf(text, size, "%s", kCartridgeStateNames[value]);
        else
            std::snprintf(text, size, "%ld", static_cast<long>(value));
        break;
    }
    case KeyKind::ServiceLog: {
        std::size_t used = 0;
        for (LONG i = 0; i < state.serviceCount && i < kServiceLogLength && used < size; ++i) {
            int written = std::snprintf(text + used, size - used, i == 0 ? "%lu" : ",%lu",
                                        static_cast<unsigned long>(state.services[i]));
            if (written < 0)
                break;
            used += static_cast<std::size_t>(written);
        }
        break;
    }
    }
}
