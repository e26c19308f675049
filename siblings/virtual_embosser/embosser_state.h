// Everything the virtual embosser remembers about itself: identity, the device settings, the
// network, the ChromaPod ink unit with its two cartridges, usage, status, the services it has run
// and the braille tables in its slots. One EmbosserState per printer name.
#pragma once

#include <windows.h>

constexpr int kIdentityChars = 64;    // serial and model numbers, with their terminator
constexpr int kTableSlots = 7;        // braille table slots 0 to 6
constexpr int kTableNameChars = 260;  // a table's file name, UTF-8, with its terminator
constexpr int kServiceLogLength = 32; // the most recent services kept in the log

// The state byte of an ink cartridge.
enum CartridgeState : LONG {
    kCartridgeNone = 0,
    kCartridgeOk = 1,
    kCartridgeError = 2,
};

struct InkCartridge {
    LONG fill;    // percent
    LONG state;   // CartridgeState
    LONG changed; // 1 when the unit detected a new cartridge whose counter was not reset yet
};

struct EmbosserState {
    char serialNumber[kIdentityChars];
    char modelNumber[kIdentityChars];
    BYTE firmware[3]; // major, minor, build
    BYTE macAddress[6];
    LONG status; // an EmbosserStatus

    // The device settings; distances in twentieths of an inch.
    LONG formCode;
    LONG formWidth;
    LONG formLength;
    LONG leftMargin;
    LONG topMargin;
    LONG rightMargin;
    LONG graphicsMode;
    LONG brailleDots;
    LONG autoWrap;
    LONG lineSpacing;
    LONG mediaType;
    LONG mediaLowestForce;
    LONG mediaHighestForce;
    LONG brailleTable;
    LONG dotHeight;
    LONG quality;
    LONG duplex; // 1 single sided, 2 double sided

    LONG secondCarriagePrimary;
    LONG usage[4]; // pages on carriage 1 and 2, whether usage is recorded, reserved

    LONG dhcp;
    BYTE ipAddress[4]; // first octet first
    BYTE subnetMask[4];
    BYTE gateway[4];

    LONG inkUnitAttached;
    BYTE inkFirmware[3];
    char inkSerialNumber[kIdentityChars];
    InkCartridge cartridges[2];

    DWORD services[kServiceLogLength]; // oldest first
    LONG serviceCount;
    char tables[kTableSlots][kTableNameChars]; // file name per slot, empty when none was loaded
};

// The services the embosser runs (DllExportPrinterService).
enum EmbosserService : DWORD {
    kServiceTopHeadAlignment = 1,
    kServiceBottomHeadAlignment = 2,
    kServiceTopEmbossSkew = 5,
    kServiceBottomEmbossSkew = 6,
    kServiceInterpointCalibration = 7,
    kServiceTestPage = 8,
    kServiceInkEmbossAlignment = 9,
    kServiceInkSkewAlignment = 10,
    kServiceCartridgeSpacing = 11,
};

bool IsEmbosserService(DWORD code);
// The services that need the ChromaPod ink unit.
bool IsInkService(DWORD code);

// A Tarvik 2 as it leaves the factory, with its ChromaPod ink unit.
void SetFactoryState(EmbosserState* state);

// Appends a service to the log, dropping the oldest when the log is full.
void LogService(EmbosserState* state, DWORD service);
