// The identity the plug-in reports to the core driver.
#pragma once

#include <windows.h>

// The one class this module serves: {ABCE80D7-9F46-11D1-882A-00C04FB961EC}.
static const CLSID CLSID_TarvikPlugin = {
    0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};

// The bytes "KTVQ" in memory order, read as one little-endian 32-bit value.
constexpr DWORD kPluginSignature =
    DWORD('K') | (DWORD('T') << 8) | (DWORD('V') << 16) | (DWORD('Q') << 24);
constexpr DWORD kPluginVersion = 1;
