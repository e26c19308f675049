// The factory state of the virtual embosser.
#include "embosser_state.h"

#include "embosser_texts.h"

#include <cstring>

namespace {

void SetBytes(BYTE* target, BYTE a, BYTE b, BYTE c, BYTE d) {
    target[0] = a;
    target[1] = b;
    target[2] = c;
    target[3] = d;
}

} // namespace

void SetFactoryState(EmbosserState* state) {
    std::memset(state, 0, sizeof(*state));
    std::strcpy(state->serialNumber, "TV2-000731");
    std::strcpy(state->modelNumber, "Tarvik 2");
    state->firmware[0] = 1;
    state->firmware[1] = 2;
    state->firmware[2] = 4;
    const BYTE mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    std::memcpy(state->macAddress, mac, sizeof(mac));
    state->status = kStatusReady;

    state->formCode = 30;
    state->formWidth = 170; // 8.5 by 11 inches
    state->formLength = 220;
    state->leftMargin = 5;
    state->topMargin = 5;
    state->rightMargin = 5;
    state->graphicsMode = 0;
    state->brailleDots = 6;
    state->autoWrap = 1;
    state->lineSpacing = 0;
    state->mediaType = 12; // braille paper
    state->mediaLowestForce = 6;
    state->mediaHighestForce = 20;
    state->brailleTable = 0;
    state->dotHeight = 1;
    state->quality = 1;
    state->duplex = 1;

    state->secondCarriagePrimary = 0;
    state->usage[0] = 62;
    state->usage[1] = 38;
    state->usage[2] = 1;

    state->dhcp = 1;
    SetBytes(state->ipAddress, 192, 168, 1, 20);
    SetBytes(state->subnetMask, 255, 255, 255, 0);
    SetBytes(state->gateway, 192, 168, 1, 1);

    state->inkUnitAttached = 1;
    state->inkFirmware[1] = 1;
    state->inkFirmware[2] = 3;
    std::strcpy(state->inkSerialNumber, "CP-004512");
    state->cartridges[0] = {74, kCartridgeOk, 0};
    state->cartridges[1] = {47, kCartridgeOk, 0};
}

void LogService(EmbosserState* state, DWORD service) {
    if (state->serviceCount < 0 || state->serviceCount > kServiceLogLength)
        state->serviceCount = 0;
    if (state->serviceCount == kServiceLogLength) {
        std::memmove(state->services, state->services + 1,
                     sizeof(state->services[0]) * (kServiceLogLength - 1));
        --state->serviceCount;
    }
    state->services[state->serviceCount++] = service;
}

bool IsEmbosserService(DWORD code) {
    return (code >= kServiceTopHeadAlignment && code <= kServiceBottomHeadAlignment) ||
           (code >= kServiceTopEmbossSkew && code <= kServiceCartridgeSpacing);
}

bool IsInkService(DWORD code) {
    return code == kServiceInkEmbossAlignment || code == kServiceInkSkewAlignment ||
           code == kServiceCartridgeSpacing;
}
