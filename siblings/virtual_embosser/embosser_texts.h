// The embosser's status codes and the error codes of the printer link's entry points, with their
// names (used in the state file) and texts (DllExportGetPrinterErrorText).
#pragma once

#include <windows.h>

// What DllExportGetPrinterStatus reports. Every status is also an error code of its own: an entry
// point refused because of the printer's status returns that status.
enum EmbosserStatus : LONG {
    kStatusReady = 0,
    kStatusBusy = 1,
    kStatusOffline = 2, // nothing reaches the printer, not even a settings request
    kStatusPaperJam = 3,
    kStatusOutOfPaper = 4,
    kStatusCoverOpen = 5,
    kStatusCalibrationRequired = 6,
    kStatusInkCartridge1Empty = 7,
    kStatusInkCartridge2Empty = 8,
    kStatusChromaPodError = 9,
    kStatusInternalError = 10,
};

// Why an entry point refused a request; the printer's state is then unchanged.
enum EmbosserError : DWORD {
    kErrorValueOutOfRange = 1001,
    kErrorUnknownParameter = 1002,
    kErrorReadOnlyParameter = 1003,
    kErrorMalformedParameter = 1004,
    kErrorNoInkUnit = 1005,
    kErrorNoCartridge = 1006,
    kErrorUnknownService = 1007,
    kErrorUnknownTableSlot = 1008,
    kErrorUnsupportedTable = 1009,
    kErrorStateNotSaved = 1010,
    kErrorTooManyParameters = 1011,
};

// The status with that name ("paper-jam") or number ("3"); false when there is none.
bool ParseStatusName(const char* text, LONG* status);
// The name of a status, or null when the code is no status.
const char* StatusName(LONG status);
// Whether the printer can run a service (print) in this status.
bool StatusAllowsPrinting(LONG status);

// The text of a status or error code, or null when the embosser has none for it.
LPCWSTR EmbosserCodeText(DWORD code);
