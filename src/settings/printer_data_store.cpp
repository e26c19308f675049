// Reading, healing and writing the printer's "Config" data.
#include "settings/printer_data_store.h"

#include "settings/global_block.h"
#include "settings/scoped_handles.h"

#include <strsafe.h>

const WCHAR kConfigKey[] = TEXT("Config");
const WCHAR kMediaTypesKey[] = TEXT("Config\\MediaTypes");
const WCHAR kFormsKey[] = TEXT("Config\\Forms");
const WCHAR kBrailleTablesKey[] = TEXT("Config\\BrailleTables");
const WCHAR kDsDriverKey[] = TEXT("DsDriver");

namespace {

constexpr DWORD kPrinterInfo1Bytes = 4096;
constexpr DWORD kEnumNameChars = 8192;
// Every value the plug-in keeps under "Config", names and data, fits in far less.
constexpr DWORD kConfigGuessBytes = 16384;
// Names, ports, comments and a default devmode with the driver's private part.
constexpr DWORD kPrinterInfo2GuessBytes = 8192;
const WCHAR kPrintersRegistryPath[] = TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers");

// Reopens the printer behind `printer` by its name with full access.
DWORD ReopenWithFullAccess(HANDLE printer, ScopedPrinter& reopened) {
    alignas(8) BYTE info[kPrinterInfo1Bytes];
    DWORD needed = 0;
    if (!GetPrinterW(printer, 1, info, sizeof(info), &needed))
        return GetLastError();
    return OpenPrinterWithFullAccess(reinterpret_cast<PRINTER_INFO_1W*>(info)->pName, reopened);
}

// The full-access handle of an open sheet: opened when a page first asks whether the user may
// manage the printer, or at the first write the host's handle was refused, and kept until the
// sheet ends, so that a sheet's writes do not reopen the printer one by one. Once the host's
// handle has refused a write for want of access, the next writes go to the kept handle at once:
// the host's handle never gains access.
struct SheetPrinter {
    HANDLE host;
    HANDLE fullAccess;
    LONG sheets;
    bool hostRefused;
};
constexpr int kSheetPrinterSlots = 8;
SheetPrinter g_sheetPrinters[kSheetPrinterSlots];

SheetPrinter* FindSheetPrinter(HANDLE host) {
    for (auto& sheet : g_sheetPrinters)
        if (sheet.sheets > 0 && sheet.host == host)
            return &sheet;
    return nullptr;
}

// The kept handle of the sheet, opened now if it is not yet; null when it cannot be opened.
HANDLE FullAccessHandleOf(SheetPrinter& sheet) {
    if (sheet.fullAccess == nullptr) {
        ScopedPrinter reopened;
        if (ReopenWithFullAccess(sheet.host, reopened) != ERROR_SUCCESS)
            return nullptr;
        sheet.fullAccess = reopened.release();
    }
    return sheet.fullAccess;
}

// A write refused through the host's handle is tried once more through a full-access handle.
template <class Write> DWORD WriteWithFullAccessRetry(HANDLE printer, Write write) {
    SheetPrinter* sheet = FindSheetPrinter(printer);
    if (sheet != nullptr && sheet->hostRefused && sheet->fullAccess != nullptr)
        return write(sheet->fullAccess);
    DWORD result = write(printer);
    if (result == ERROR_SUCCESS)
        return result;
    if (sheet != nullptr) {
        HANDLE fullAccess = FullAccessHandleOf(*sheet);
        if (fullAccess == nullptr)
            return result;
        if (result == ERROR_ACCESS_DENIED)
            sheet->hostRefused = true;
        return write(fullAccess);
    }
    ScopedPrinter reopened;
    if (ReopenWithFullAccess(printer, reopened) != ERROR_SUCCESS)
        return result;
    return write(reopened.get());
}

} // namespace

void BeginSheetPrinter(HANDLE printer) {
    if (SheetPrinter* sheet = FindSheetPrinter(printer)) {
        ++sheet->sheets;
        return;
    }
    // With every slot taken, the sheet's writes reopen the printer one by one.
    for (auto& sheet : g_sheetPrinters) {
        if (sheet.sheets == 0) {
            sheet = SheetPrinter{printer, nullptr, 1, false};
            return;
        }
    }
}

bool OpenSheetFullAccess(HANDLE printer, LPCWSTR printerName) {
    SheetPrinter* sheet = FindSheetPrinter(printer);
    if (sheet == nullptr)
        return CanManagePrinter(printerName);
    if (sheet->fullAccess == nullptr) {
        ScopedPrinter opened;
        if (OpenPrinterWithFullAccess(printerName, opened) != ERROR_SUCCESS)
            return false;
        sheet->fullAccess = opened.release();
    }
    return true;
}

void EndSheetPrinter(HANDLE printer) {
    SheetPrinter* sheet = FindSheetPrinter(printer);
    if (sheet == nullptr || --sheet->sheets > 0)
        return;
    if (sheet->fullAccess != nullptr)
        ClosePrinter(sheet->fullAccess);
    *sheet = SheetPrinter{nullptr, nullptr, 0, false};
}

DWORD WritePrinterDataWithRetry(HANDLE printer, LPCWSTR key, LPCWSTR name, DWORD type,
                                const void* data, DWORD size) {
    return WriteWithFullAccessRetry(printer, [&](HANDLE handle) {
        return SetPrinterDataExW(handle, key, name, type,
                                 static_cast<LPBYTE>(const_cast<void*>(data)), size);
    });
}

DWORD OpenPrinterWithFullAccess(LPCWSTR printerName, ScopedPrinter& printer) {
    PRINTER_DEFAULTSW defaults;
    defaults.pDatatype = const_cast<LPWSTR>(TEXT("RAW"));
    defaults.pDevMode = nullptr;
    defaults.DesiredAccess = PRINTER_ALL_ACCESS;
    if (!OpenPrinterW(const_cast<LPWSTR>(printerName), printer.put(), &defaults))
        return GetLastError();
    return ERROR_SUCCESS;
}

ConfigValues::ConfigValues(HANDLE printer) : printer_(printer), block_(0) {
    Refresh();
}

bool ConfigValues::Refresh() {
    count_ = 0;
    enumerated_ = false;
    DWORD bytes = kConfigGuessBytes;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!block_.Reset(bytes))
            return false;
        DWORD needed = 0, count = 0;
        DWORD result =
            EnumPrinterDataExW(printer_, kConfigKey, block_.as<BYTE>(), bytes, &needed, &count);
        if (result == ERROR_SUCCESS) {
            count_ = count;
            enumerated_ = true;
            return true;
        }
        if (result != ERROR_MORE_DATA || needed <= bytes)
            return false;
        bytes = needed;
    }
    return false;
}

DWORD ConfigValues::Read(LPCWSTR name, void* buffer, DWORD bufferBytes, DWORD* needed) const {
    if (!enumerated_) {
        DWORD type = 0;
        return GetPrinterDataExW(printer_, kConfigKey, name, &type, static_cast<LPBYTE>(buffer),
                                 bufferBytes, needed);
    }
    return ReadEnumeratedValue(block_.as<PRINTER_ENUM_VALUESW>(), count_, name, buffer, bufferBytes,
                               needed);
}

bool ReadConfigDword(HANDLE printer, LPCWSTR name, DWORD* value, DWORD defaultValue) {
    DWORD stored = 0, type = 0, needed = 0;
    DWORD result = GetPrinterDataExW(printer, kConfigKey, name, &type,
                                     reinterpret_cast<LPBYTE>(&stored), sizeof(stored), &needed);
    return !TakeStoredDword(result, stored, defaultValue, value) ||
           WriteConfigDword(printer, name, defaultValue) == ERROR_SUCCESS;
}

bool ReadConfigDword(const ConfigValues& values, LPCWSTR name, DWORD* value, DWORD defaultValue) {
    DWORD stored = 0, needed = 0;
    DWORD result = values.Read(name, &stored, sizeof(stored), &needed);
    return !TakeStoredDword(result, stored, defaultValue, value) ||
           WriteConfigDword(values.printer(), name, defaultValue) == ERROR_SUCCESS;
}

DWORD WriteConfigDword(HANDLE printer, LPCWSTR name, DWORD value) {
    return WritePrinterDataWithRetry(printer, kConfigKey, name, REG_DWORD, &value, sizeof(value));
}

bool ReadConfigString(const ConfigValues& values, LPCWSTR name, WCHAR* buffer,
                      LPCWSTR defaultText) {
    ZeroMemory(buffer, kStoredTextChars * sizeof(WCHAR));
    DWORD needed = 0;
    DWORD result = values.Read(name, buffer, kStoredTextChars * sizeof(WCHAR), &needed);
    return !TakeStoredText(result, buffer, defaultText) ||
           WriteConfigString(values.printer(), name, buffer, lstrlenW(buffer)) == ERROR_SUCCESS;
}

DWORD WriteConfigString(HANDLE printer, LPCWSTR name, LPCWSTR text, DWORD chars) {
    return WritePrinterDataWithRetry(printer, kConfigKey, name, REG_SZ, text,
                                     chars * sizeof(WCHAR));
}

DWORD WritePaperSize(HANDLE printer, const LONG size[2]) {
    return WritePrinterDataWithRetry(printer, kConfigKey, TEXT("PaperSize"), REG_BINARY, size,
                                     2 * sizeof(LONG));
}

bool CanManagePrinter(LPCWSTR printerName) {
    ScopedPrinter printer;
    return OpenPrinterWithFullAccess(printerName, printer) == ERROR_SUCCESS;
}

const PRINTER_INFO_2W* FetchPrinterInfo2(HANDLE printer, GlobalBlock& block) {
    bool fetched = FetchIntoBlock(block, kPrinterInfo2GuessBytes,
                                  [&](BYTE* buffer, DWORD bytes, DWORD* needed) {
                                      return GetPrinterW(printer, 2, buffer, bytes, needed);
                                  });
    return fetched ? block.as<PRINTER_INFO_2W>() : nullptr;
}

BOOL SetPrinterInfo2(HANDLE printer, DWORD level, PRINTER_INFO_2W* info) {
    if (SheetPrinter* sheet = FindSheetPrinter(printer)) {
        HANDLE fullAccess = FullAccessHandleOf(*sheet);
        return fullAccess != nullptr &&
               SetPrinterW(fullAccess, level, reinterpret_cast<LPBYTE>(info), 0);
    }
    DWORD needed = 0;
    GetPrinterW(printer, 1, nullptr, 0, &needed);
    GlobalBlock buffer(needed);
    if (!buffer)
        return FALSE;
    if (!GetPrinterW(printer, 1, buffer.as<BYTE>(), needed, &needed))
        return FALSE;
    ScopedPrinter reopened;
    if (OpenPrinterWithFullAccess(buffer.as<PRINTER_INFO_1W>()->pName, reopened) != ERROR_SUCCESS)
        return FALSE;
    return SetPrinterW(reopened.get(), level, reinterpret_cast<LPBYTE>(info), 0);
}

BOOL SetPrinterInfo2WithRetry(HANDLE printer, PRINTER_INFO_2W* info) {
    if (SetPrinterW(printer, 2, reinterpret_cast<LPBYTE>(info), 0))
        return TRUE;
    return SetPrinterInfo2(printer, 2, info);
}

DWORD EnumMediaTypeNames(LPCWSTR printerName, WCHAR* buffer, DWORD bufferBytes, DWORD* byteCount) {
    if (byteCount != nullptr)
        *byteCount = 0;
    WCHAR path[4096];
    StringCchPrintfW(path, ARRAYSIZE(path), TEXT("%ls\\%ls\\%ls"), kPrintersRegistryPath,
                     printerName, kMediaTypesKey);
    ScopedRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return 0;

    auto* name =
        static_cast<WCHAR*>(HeapAlloc(GetProcessHeap(), 0, kEnumNameChars * sizeof(WCHAR)));
    if (name == nullptr)
        return 0;
    NameList list(buffer, bufferBytes);
    for (DWORD index = 0;; ++index) {
        DWORD nameChars = kEnumNameChars;
        name[0] = 0;
        if (RegEnumValueW(key.get(), index, name, &nameChars, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        list.Add(name, nameChars);
    }
    HeapFree(GetProcessHeap(), 0, name);
    list.Close();
    if (byteCount != nullptr)
        *byteCount = list.bytes();
    return list.names();
}

DWORD LookupDotValues(HANDLE printer, DWORD mediaType, LPCWSTR name, DWORD fallbackPair,
                      DWORD* pair) {
    DWORD builtIn = 0;
    if (BuiltInDotValues(mediaType, &builtIn)) {
        if (pair != nullptr)
            *pair = builtIn;
        return ERROR_SUCCESS;
    }
    if (pair == nullptr)
        return static_cast<DWORD>(-1);
    DWORD stored = 0, type = 0, needed = 0;
    DWORD result = GetPrinterDataExW(printer, kMediaTypesKey, name, &type,
                                     reinterpret_cast<LPBYTE>(&stored), sizeof(stored), &needed);
    return TakeStoredDotValues(result, type, stored, fallbackPair, pair);
}

DWORD WriteMediaTypeDotValues(HANDLE printer, LPCWSTR name, DWORD pair) {
    return WritePrinterDataWithRetry(printer, kMediaTypesKey, name, REG_DWORD, &pair, sizeof(pair));
}

DWORD DeleteMediaType(LPCWSTR name, HANDLE printer, DWORD callerError) {
    if (SheetPrinter* sheet = FindSheetPrinter(printer)) {
        HANDLE fullAccess = FullAccessHandleOf(*sheet);
        return fullAccess != nullptr ? DeletePrinterDataExW(fullAccess, kMediaTypesKey, name)
                                     : callerError;
    }
    ScopedPrinter reopened;
    if (ReopenWithFullAccess(printer, reopened) != ERROR_SUCCESS)
        return callerError;
    return DeletePrinterDataExW(reopened.get(), kMediaTypesKey, name);
}
