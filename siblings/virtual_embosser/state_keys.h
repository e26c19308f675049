// The keys of the state file: one per remembered value, with the kind of text it takes and the
// range the embosser accepts. The same ranges guard the values a parameter brings.
#pragma once

#include "embosser_state.h"

#include <cstddef>

enum class KeyKind {
    Number,         // decimal, within the key's range
    Text,           // printable ASCII, fewer than kIdentityChars
    Version,        // "1.2.4": major, minor, build, each 0 to 255
    MacAddress,     // "00-1A-2B-3C-4D-5E"
    Address,        // "192.168.1.1"; 0.0.0.0 means none
    HostAddress,    // an address a host can have: not 0.x, 127.x, nor 224 and above
    SubnetMask,     // leading ones, then zeros, at least 8 ones
    Status,         // a status name or number (embosser_texts.h)
    CartridgeState, // "none", "ok", "error", or 0 to 2
    ServiceLog,     // service codes separated by commas, oldest first
    FileName,       // a braille table's file name, UTF-8 without control characters
};

struct StateKey {
    const char* name;
    KeyKind kind;
    std::size_t offset; // of the value in EmbosserState
    LONG lowest;        // Number only
    LONG highest;
    const LONG* choices; // Number only: when not null, the only values accepted
    int choiceCount;
};

// The keys in the order the state file lists them.
const StateKey* StateKeys(int* count);
const StateKey* FindStateKey(const char* name);

// Parses `text` as the key's value into `state`; false (and nothing changed) when it is not one.
bool SetStateValue(EmbosserState* state, const StateKey& key, const char* text);
// Whether a number lies in the key's range.
bool NumberInRange(const StateKey& key, LONG value);
// Whether four bytes are an address of the key's kind.
bool AddressAcceptable(const StateKey& key, const BYTE* address);
// Formats the key's value into `text` (at most `size` bytes with the terminator).
void FormatStateValue(const EmbosserState& state, const StateKey& key, char* text,
                      std::size_t size);

template <class T> T* StateField(EmbosserState* state, const StateKey& key) {
    return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(state) + key.offset);
}
template <class T> const T* StateField(const EmbosserState& state, const StateKey& key) {
    return reinterpret_cast<const T*>(reinterpret_cast<const BYTE*>(&state) + key.offset);
}
