// Status and error texts of the virtual embosser.
#include "embosser_texts.h"

#include <cstdlib>
#include <cstring>

namespace {

struct StatusEntry {
    LONG code;
    const char* name;
    LPCWSTR text;
    bool printing; // services can run
};

const StatusEntry kStatuses[] = {
    {kStatusReady, "ready", TEXT("Printer ready"), true},
    {kStatusBusy, "busy", TEXT("Printer busy"), true},
    {kStatusOffline, "offline", TEXT("Printer offline"), false},
    {kStatusPaperJam, "paper-jam", TEXT("Paper jam"), false},
    {kStatusOutOfPaper, "out-of-paper", TEXT("Out of paper"), false},
    {kStatusCoverOpen, "cover-open", TEXT("Cover open"), false},
    {kStatusCalibrationRequired, "calibration-required", TEXT("Calibration required"), true},
    {kStatusInkCartridge1Empty, "ink1-empty", TEXT("Ink cartridge 1 empty"), true},
    {kStatusInkCartridge2Empty, "ink2-empty", TEXT("Ink cartridge 2 empty"), true},
    {kStatusChromaPodError, "chromapod-error", TEXT("ChromaPod error"), true},
    {kStatusInternalError, "internal-error", TEXT("Internal printer error"), false},
};

struct ErrorEntry {
    DWORD code;
    LPCWSTR text;
};

const ErrorEntry kErrors[] = {
    {ERROR_INVALID_PARAMETER, TEXT("The request is missing its printer name or a buffer")},
    {ERROR_INSUFFICIENT_BUFFER, TEXT("The buffer is too small for the printer's settings")},
    {kErrorValueOutOfRange, TEXT("The printer does not accept this value")},
    {kErrorUnknownParameter, TEXT("The printer has no such setting")},
    {kErrorReadOnlyParameter, TEXT("This setting cannot be changed")},
    {kErrorMalformedParameter,
     TEXT("The setting came without its values or with more than its record holds")},
    {kErrorNoInkUnit, TEXT("No ChromaPod ink unit is attached")},
    {kErrorNoCartridge, TEXT("The ink cartridge is missing")},
    {kErrorUnknownService, TEXT("The printer has no such service")},
    {kErrorUnknownTableSlot, TEXT("The printer has no such braille table slot")},
    {kErrorUnsupportedTable, TEXT("The file is not a braille table the printer can load")},
    {kErrorStateNotSaved, TEXT("The printer could not store its settings")},
    {kErrorTooManyParameters, TEXT("Too many settings are waiting for the printer's update")},
};

const StatusEntry* FindStatus(LONG code) {
    for (const StatusEntry& entry : kStatuses)
        if (entry.code == code)
            return &entry;
    return nullptr;
}

} // namespace

bool ParseStatusName(const char* text, LONG* status) {
    for (const StatusEntry& entry : kStatuses) {
        if (std::strcmp(entry.name, text) == 0) {
            *status = entry.code;
            return true;
        }
    }
    // A number: one or two digits naming a known status.
    std::size_t length = std::strlen(text);
    if (length == 0 || length > 2 || std::strspn(text, "0123456789") != length)
        return false;
    LONG code = std::atoi(text);
    if (FindStatus(code) == nullptr)
        return false;
    *status = code;
    return true;
}

const char* StatusName(LONG status) {
    const StatusEntry* entry = FindStatus(status);
    return entry != nullptr ? entry->name : nullptr;
}

bool StatusAllowsPrinting(LONG status) {
    const StatusEntry* entry = FindStatus(status);
    return entry != nullptr && entry->printing;
}

LPCWSTR EmbosserCodeText(DWORD code) {
    if (code <= 0x7FFFFFFF) {
        const StatusEntry* status = FindStatus(static_cast<LONG>(code));
        if (status != nullptr)
            return status->text;
    }
    for (const ErrorEntry& entry : kErrors)
        if (entry.code == code)
            return entry.text;
    return nullptr;
}
