// The tests' view of the registry: values set and read by full path without handles, and open-key
// accounting. Roots are HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER; paths
// are "SOFTWARE\\Quorvane" style, compared case-insensitively.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct RegistryValue {
    DWORD type;
    std::vector<BYTE> data;
};

// Creates the key and its parents as needed; data is stored byte for byte.
void SetRegistryValue(HKEY root, const std::u16string& key, const std::u16string& name, DWORD type,
                      const std::vector<BYTE>& data);
// REG_SZ with its terminating zero, as programs usually store it.
void SetRegistryString(HKEY root, const std::u16string& key, const std::u16string& name,
                       const std::u16string& text);
void CreateRegistryKey(HKEY root, const std::u16string& key);
// Removes one value (names compare without case); no-op when missing.
void DeleteRegistryValue(HKEY root, const std::u16string& key, const std::u16string& name);
// Removes the key with everything below it; no-op when missing.
void DeleteRegistryTree(HKEY root, const std::u16string& key);

std::optional<RegistryValue> GetRegistryValue(HKEY root, const std::u16string& key,
                                              const std::u16string& name);
// The value when it is a REG_DWORD of exactly 4 bytes.
std::optional<DWORD> GetRegistryDword(HKEY root, const std::u16string& key,
                                      const std::u16string& name);
// The text of a REG_SZ/REG_EXPAND_SZ value up to its first zero (or its end when unterminated).
std::optional<std::u16string> GetRegistryString(HKEY root, const std::u16string& key,
                                                const std::u16string& name);
// Value names in RegEnumValueW's order (sim::SetRegistryValueOrder; by default as first written).
std::vector<std::u16string> RegistryValueNames(HKEY root, const std::u16string& key);

// Key handles from RegOpenKeyExW/RegCreateKeyExW not yet closed.
std::size_t OpenRegistryKeys();

} // namespace sim
