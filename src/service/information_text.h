// The printer information text of the Service page, composed from what the page gathered: the
// status line, the driver's version, the labels in the user's language and the snapshot's
// fields; and the maintenance dialogs' numbers.
#pragma once

#include "settings/locale_answers.h"
#include "settings/settings_context.h"

// The labels of the information lines, each as long as one line may be.
struct InformationLabels {
    WCHAR DriverVersion[kNameChars];
    WCHAR SerialNumber[kNameChars];
    WCHAR FirmwareVersion[kNameChars];
    WCHAR ModelNumber[kNameChars];
    WCHAR ChromaPodFirmware[kNameChars];
    WCHAR ChromaPodSerial[kNameChars];
};

// The status line (null when the printer link gave none), an empty line, the driver's version,
// and for a connected printer its serial and model numbers and firmware, with the ChromaPod's
// when there is one. Every line is cut to kNameChars - 1 characters.
void ComposePrinterInformation(WCHAR (&text)[kComposedChars], const SettingsContext& context,
                               LPCWSTR status, LPCWSTR driverVersion,
                               const InformationLabels& labels);

// Each carriage's share of the dots embossed, in percent, from the usage counts; false when the
// printer counted nothing valid (a total below 1, a negative count, or counts it says are not
// valid), and no shares are shown.
bool CarriageShares(const LONG (&usage)[4], LONG* first, LONG* second);

// A cartridge's fill as reported, shown from 0 to 100 percent.
DWORD ShownInkFill(DWORD reported);
