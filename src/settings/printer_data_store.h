// The printer data store: every setting the plug-in keeps lives as printer data of the
// configured printer under "Config" and its sub-keys. Writes refused through the host's handle
// are retried once through a handle opened with full access; a failed read is healed by writing
// the default.
#pragma once

#include "settings/global_block.h"
#include "settings/stored_values.h"

#include <windows.h>
#include <winspool.h>

extern const WCHAR kConfigKey[];        // "Config"
extern const WCHAR kMediaTypesKey[];    // "Config\MediaTypes"
extern const WCHAR kFormsKey[];         // "Config\Forms"
extern const WCHAR kBrailleTablesKey[]; // "Config\BrailleTables"
extern const WCHAR kDsDriverKey[];      // "DsDriver"

// A sheet's use of the host's printer handle, from its settings load to its release: while it
// lasts, the full-access handle that refused writes are retried through is opened once and
// kept, and closed when the last sheet using that host handle ends.
void BeginSheetPrinter(HANDLE printer);
void EndSheetPrinter(HANDLE printer);
// Whether the printer opens with full access for the current user; the handle that proves it
// is kept for the sheet's refused writes (closed at once outside a sheet).
bool OpenSheetFullAccess(HANDLE printer, LPCWSTR printerName);

// Writes any printer data value; refused through the given handle, the write is tried once more
// through a handle opened with full access. The platform's error code, 0 on success.
DWORD WritePrinterDataWithRetry(HANDLE printer, LPCWSTR key, LPCWSTR name, DWORD type,
                                const void* data, DWORD size);

// Every value of "Config", read with one enumeration: loading a sheet's settings then costs one
// round trip to the spooler instead of one per value. A value is answered exactly as a read of
// its own would answer it (its bytes when they fit the reader's buffer, else ERROR_MORE_DATA;
// ERROR_FILE_NOT_FOUND when it is not stored). When the enumeration fails, every value is read
// from the spooler on its own, as before.
class ConfigValues {
public:
    explicit ConfigValues(HANDLE printer);
    ConfigValues(const ConfigValues&) = delete;
    ConfigValues& operator=(const ConfigValues&) = delete;

    // Enumerates the key (again); false when the enumeration failed.
    bool Refresh();
    // As GetPrinterDataExW on "Config" answers: an error code, the bytes in `buffer`, the
    // stored size in `needed`.
    DWORD Read(LPCWSTR name, void* buffer, DWORD bufferBytes, DWORD* needed) const;
    HANDLE printer() const { return printer_; }

private:
    HANDLE printer_;
    GlobalBlock block_;
    DWORD count_ = 0;
    bool enumerated_ = false;
};

// Reads a DWORD under "Config"; on any failure the value is the default, which is written back.
// A stored value of more than 4 bytes is unreadable; its type is not looked at. True when printer
// data holds the value afterwards (read, or its default written).
bool ReadConfigDword(HANDLE printer, LPCWSTR name, DWORD* value, DWORD defaultValue);
bool ReadConfigDword(const ConfigValues& values, LPCWSTR name, DWORD* value, DWORD defaultValue);
DWORD WriteConfigDword(HANDLE printer, LPCWSTR name, DWORD value);

// Reads a text of at most 259 characters into a 260-character buffer; on failure (missing,
// too long, refused) the buffer holds the default, which is written back.
bool ReadConfigString(const ConfigValues& values, LPCWSTR name, WCHAR* buffer, LPCWSTR defaultText);
// Stores `chars` characters of the text as REG_SZ; callers decide whether the terminator counts.
DWORD WriteConfigString(HANDLE printer, LPCWSTR name, LPCWSTR text, DWORD chars);

// "PaperSize": width then height in micrometres, two signed 32-bit integers.
DWORD WritePaperSize(HANDLE printer, const LONG size[2]);

// Whether the current user can open the printer with PRINTER_ALL_ACCESS.
bool CanManagePrinter(LPCWSTR printerName);

// The printer's PRINTER_INFO_2W, fetched into `block` in one round trip when it fits the usual
// size; null when it cannot be had (memory, or the spooler's failure).
const PRINTER_INFO_2W* FetchPrinterInfo2(HANDLE printer, GlobalBlock& block);

// SetPrinterW through a handle opened with full access; non-zero on success.
BOOL SetPrinterInfo2(HANDLE printer, DWORD level, PRINTER_INFO_2W* info);
// SetPrinterW level 2 through the given handle, and when that is refused through a handle
// opened with full access (the sheet's kept one, while a sheet is open).
BOOL SetPrinterInfo2WithRetry(HANDLE printer, PRINTER_INFO_2W* info);

// The custom media type names of "Config\MediaTypes", read from the printer's registry key.
// Fills `buffer` (capacity in bytes) with a double-NUL-terminated list when given, reports the
// bytes the whole list needs through `byteCount` when given, and returns the number of names.
DWORD EnumMediaTypeNames(LPCWSTR printerName, WCHAR* buffer, DWORD bufferBytes, DWORD* byteCount);

// The DotValuePair of a media type: the built-in table, or for the custom type the stored
// pair, falling back to `fallbackPair`. Returns 0 or the read's error code.
DWORD LookupDotValues(HANDLE printer, DWORD mediaType, LPCWSTR name, DWORD fallbackPair,
                      DWORD* pair);
DWORD WriteMediaTypeDotValues(HANDLE printer, LPCWSTR name, DWORD pair);

// Deletes a custom media type again through a full-access handle after the caller's own delete
// failed with `callerError`; returns the new result, or the caller's error when the reopen fails.
DWORD DeleteMediaType(LPCWSTR name, HANDLE printer, DWORD callerError);
