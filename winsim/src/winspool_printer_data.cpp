// winspool: printer data, kept in the registry under the printer's key as on Windows.
#include "winspool_state.h"

#include <winreg.h>

namespace winsim {
namespace spool {
namespace {

constexpr char16_t kDriverDataKey[] = u"PrinterDriverData";
// The registry's limit on a value name.
constexpr DWORD kMaxValueNameChars = 16383;

// A registry key opened for one operation and closed on every path.
class RegistryKey {
public:
    ~RegistryKey() {
        if (key_)
            RegCloseKey(key_);
    }
    LONG Open(const std::u16string& path, REGSAM access) {
        SpoolerRegistryAccess spooler;
        return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key_);
    }
    LONG Create(const std::u16string& path) {
        SpoolerRegistryAccess spooler;
        return RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                               nullptr, &key_, nullptr);
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

DWORD FaultFor(const std::vector<DataFault>& faults, const Printer& printer,
               std::u16string_view key, LPCWSTR value) {
    for (const auto& fault : faults)
        if (EqualNoCase(fault.printer, printer.name) && EqualNoCase(fault.key, key) &&
            (!fault.value || EqualNoCase(*fault.value, value ? value : u"")))
            return fault.error;
    return ERROR_SUCCESS;
}

void SetFault(std::vector<DataFault>& faults, const char* printer, const char* key,
              const char* value, DWORD error) {
    DataFault fault{PrinterForTest(printer).name, U16(key), std::nullopt, error};
    if (value)
        fault.value = U16(value);
    for (auto it = faults.begin(); it != faults.end(); ++it)
        if (EqualNoCase(it->printer, fault.printer) && EqualNoCase(it->key, fault.key) &&
            it->value.has_value() == fault.value.has_value() &&
            (!fault.value || EqualNoCase(*it->value, *fault.value))) {
            faults.erase(it);
            break;
        }
    if (error != ERROR_SUCCESS)
        faults.push_back(fault);
}

bool KeyNameMissing(LPCWSTR key) {
    return !key || !*key;
}

// The value name is a required string of these calls; a null one is not modelled.
void RequireValueName(const char* function, LPCWSTR value) {
    if (value == nullptr)
        Unmodelled("%s with a null value name", function);
}

// Writes and deletes are administrative tasks: the handle needs the "Manage Printer" access.
bool MayChangeData(const Handle& handle) {
    return (handle.granted & (PRINTER_ACCESS_ADMINISTER | PRINTER_ACCESS_MANAGE_LIMITED)) != 0;
}

DWORD ReadValue(const Printer& printer, std::u16string_view key, LPCWSTR value, LPDWORD pType,
                LPBYTE pData, DWORD nSize, LPDWORD pcbNeeded) {
    if (!pcbNeeded)
        Unmodelled("GetPrinterDataExW without pcbNeeded");
    if (DWORD fault = FaultFor(Spooler().readFaults, printer, key, value))
        return fault;
    RegistryKey registry;
    LONG status = registry.Open(PrinterDataPath(printer.name, key), KEY_QUERY_VALUE);
    if (status != ERROR_SUCCESS)
        return static_cast<DWORD>(status);
    DWORD type = REG_NONE;
    DWORD size = 0;
    status = RegQueryValueExW(registry.get(), value, nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS)
        return static_cast<DWORD>(status);
    *pcbNeeded = size;
    if (pType)
        *pType = type;
    // Unlike the registry, the spooler answers a size query with ERROR_MORE_DATA.
    if (nSize < size || (!pData && size > 0))
        return ERROR_MORE_DATA;
    if (size == 0)
        return ERROR_SUCCESS;
    DWORD got = nSize;
    status = RegQueryValueExW(registry.get(), value, nullptr, nullptr, pData, &got);
    return static_cast<DWORD>(status);
}

struct KeyValue {
    std::u16string name;
    DWORD type;
    std::vector<BYTE> data;
};

// Every value of one key of the printer's data, in the registry's order.
DWORD ReadKeyValues(const Printer& printer, const std::u16string& key,
                    std::vector<KeyValue>& values) {
    RegistryKey registry;
    LONG status = registry.Open(PrinterDataPath(printer.name, key), KEY_QUERY_VALUE);
    if (status != ERROR_SUCCESS)
        return static_cast<DWORD>(status);
    // Room for the longest name the registry allows (the spooler's own scratch space).
    static WCHAR name[kMaxValueNameChars + 1];
    for (DWORD index = 0;; ++index) {
        DWORD chars = static_cast<DWORD>(std::size(name));
        DWORD type = REG_NONE, size = 0;
        status = RegEnumValueW(registry.get(), index, name, &chars, nullptr, &type, nullptr, &size);
        if (status == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (status != ERROR_SUCCESS)
            return static_cast<DWORD>(status);
        KeyValue value{std::u16string(name, chars), type, std::vector<BYTE>(size)};
        chars = static_cast<DWORD>(std::size(name));
        status = RegEnumValueW(registry.get(), index, name, &chars, nullptr, nullptr,
                               value.data.data(), &size);
        if (status != ERROR_SUCCESS)
            return static_cast<DWORD>(status);
        values.push_back(std::move(value));
    }
}

// The enumeration reads every value of the key: a read fault on the key or on any of its values
// fails it.
DWORD KeyReadFault(const Printer& printer, const std::u16string& key,
                   const std::vector<KeyValue>& values) {
    for (const auto& fault : Spooler().readFaults) {
        if (!EqualNoCase(fault.printer, printer.name) || !EqualNoCase(fault.key, key))
            continue;
        if (!fault.value)
            return fault.error;
        for (const auto& value : values)
            if (EqualNoCase(*fault.value, value.name))
                return fault.error;
    }
    return ERROR_SUCCESS;
}

DWORD WriteValue(Handle& handle, std::u16string_view key, LPCWSTR value, DWORD type,
                 const BYTE* data, DWORD size) {
    if (!MayChangeData(handle))
        return ERROR_ACCESS_DENIED;
    Printer& printer = PrinterOf(handle);
    if (DWORD fault = FaultFor(Spooler().writeFaults, printer, key, value))
        return fault;
    RegistryKey registry;
    LONG status = registry.Create(PrinterDataPath(printer.name, key));
    if (status != ERROR_SUCCESS)
        return static_cast<DWORD>(status);
    return static_cast<DWORD>(RegSetValueExW(registry.get(), value, 0, type, data, size));
}

} // namespace
} // namespace spool
} // namespace winsim

using namespace winsim;
using namespace winsim::spool;

DWORD WINAPI GetPrinterDataExW(HANDLE hPrinter, LPCWSTR pKeyName, LPCWSTR pValueName, LPDWORD pType,
                               LPBYTE pData, DWORD nSize, LPDWORD pcbNeeded) {
    SpoolerCall roundTrip("GetPrinterDataExW");
    Handle* handle = Spooler().handles.Find(hPrinter);
    if (!handle)
        return ERROR_INVALID_HANDLE;
    if (KeyNameMissing(pKeyName))
        return ERROR_INVALID_PARAMETER;
    RequireValueName("GetPrinterDataExW", pValueName);
    return ReadValue(PrinterOf(*handle), pKeyName, pValueName, pType, pData, nSize, pcbNeeded);
}

DWORD WINAPI SetPrinterDataExW(HANDLE hPrinter, LPCWSTR pKeyName, LPCWSTR pValueName, DWORD Type,
                               LPBYTE pData, DWORD cbData) {
    SpoolerCall roundTrip("SetPrinterDataExW");
    Handle* handle = Spooler().handles.Find(hPrinter);
    if (!handle)
        return ERROR_INVALID_HANDLE;
    if (KeyNameMissing(pKeyName))
        return ERROR_INVALID_PARAMETER;
    RequireValueName("SetPrinterDataExW", pValueName);
    return WriteValue(*handle, pKeyName, pValueName, Type, pData, cbData);
}

DWORD WINAPI DeletePrinterDataExW(HANDLE hPrinter, LPCWSTR pKeyName, LPCWSTR pValueName) {
    SpoolerCall roundTrip("DeletePrinterDataExW");
    Handle* handle = Spooler().handles.Find(hPrinter);
    if (!handle)
        return ERROR_INVALID_HANDLE;
    if (KeyNameMissing(pKeyName))
        return ERROR_INVALID_PARAMETER;
    RequireValueName("DeletePrinterDataExW", pValueName);
    if (!MayChangeData(*handle))
        return ERROR_ACCESS_DENIED;
    Printer& printer = PrinterOf(*handle);
    if (DWORD fault = FaultFor(Spooler().writeFaults, printer, pKeyName, pValueName))
        return fault;
    RegistryKey registry;
    LONG status = registry.Open(PrinterDataPath(printer.name, pKeyName), KEY_SET_VALUE);
    if (status != ERROR_SUCCESS)
        return static_cast<DWORD>(status);
    return static_cast<DWORD>(RegDeleteValueW(registry.get(), pValueName));
}

DWORD WINAPI EnumPrinterDataExW(HANDLE hPrinter, LPCWSTR pKeyName, LPBYTE pEnumValues,
                                DWORD cbEnumValues, LPDWORD pcbEnumValues, LPDWORD pnEnumValues) {
    SpoolerCall roundTrip("EnumPrinterDataExW");
    Handle* handle = Spooler().handles.Find(hPrinter);
    if (!handle)
        return ERROR_INVALID_HANDLE;
    if (KeyNameMissing(pKeyName))
        return ERROR_INVALID_PARAMETER;
    if (!pcbEnumValues || !pnEnumValues)
        Unmodelled("EnumPrinterDataExW without pcbEnumValues or pnEnumValues");
    const Printer& printer = PrinterOf(*handle);
    std::vector<KeyValue> values;
    if (DWORD error = ReadKeyValues(printer, pKeyName, values))
        return error;
    if (DWORD fault = KeyReadFault(printer, pKeyName, values))
        return fault;

    auto pack = [&](BYTE* out) {
        InfoPacker packer(out, values.size() * sizeof(PRINTER_ENUM_VALUESW));
        auto* slots = reinterpret_cast<PRINTER_ENUM_VALUESW*>(out);
        for (size_t i = 0; i < values.size(); ++i) {
            PRINTER_ENUM_VALUESW entry;
            entry.pValueName = packer.String(values[i].name);
            entry.cbValueName = static_cast<DWORD>((values[i].name.size() + 1) * sizeof(WCHAR));
            entry.dwType = values[i].type;
            entry.pData = static_cast<LPBYTE>(
                packer.Block(values[i].data.data(), values[i].data.size(), sizeof(DWORD)));
            entry.cbData = static_cast<DWORD>(values[i].data.size());
            if (slots)
                slots[i] = entry;
        }
        return packer.Size();
    };
    size_t needed = values.empty() ? 0 : pack(nullptr);
    *pcbEnumValues = static_cast<DWORD>(needed);
    *pnEnumValues = 0;
    if (cbEnumValues < needed)
        return ERROR_MORE_DATA;
    if (needed > 0) {
        if (!pEnumValues)
            Unmodelled("EnumPrinterDataExW with a null buffer of %u bytes", cbEnumValues);
        pack(pEnumValues);
    }
    *pnEnumValues = static_cast<DWORD>(values.size());
    return ERROR_SUCCESS;
}

DWORD WINAPI SetPrinterDataW(HANDLE hPrinter, LPWSTR pValueName, DWORD Type, LPBYTE pData,
                             DWORD cbData) {
    SpoolerCall roundTrip("SetPrinterDataW");
    return SetPrinterDataExW(hPrinter, kDriverDataKey, pValueName, Type, pData, cbData);
}

namespace sim {

std::optional<PrinterDataValue> ReadPrinterData(const char* printer, const char* key,
                                                const char* value) {
    TestSideWork quiet;
    std::u16string path = PrinterDataPath(PrinterForTest(printer).name, U16(key));
    RegistryKey registry;
    if (registry.Open(path, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return std::nullopt;
    std::u16string name = U16(value);
    PrinterDataValue answer{REG_NONE, {}};
    DWORD size = 0;
    if (RegQueryValueExW(registry.get(), name.c_str(), nullptr, &answer.type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    answer.data.resize(size);
    if (size && RegQueryValueExW(registry.get(), name.c_str(), nullptr, nullptr, answer.data.data(),
                                 &size) != ERROR_SUCCESS)
        return std::nullopt;
    return answer;
}

void WritePrinterData(const char* printer, const char* key, const char* value, DWORD type,
                      const std::vector<BYTE>& data) {
    TestSideWork quiet;
    std::u16string path = PrinterDataPath(PrinterForTest(printer).name, U16(key));
    RegistryKey registry;
    if (registry.Create(path) != ERROR_SUCCESS ||
        RegSetValueExW(registry.get(), U16(value).c_str(), 0, type, data.data(),
                       static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
        Unmodelled("the registry refused printer data %s\\%s", key, value);
}

void WritePrinterDword(const char* printer, const char* key, const char* value, DWORD data) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&data);
    WritePrinterData(printer, key, value, REG_DWORD, std::vector<BYTE>(bytes, bytes + 4));
}

void WritePrinterString(const char* printer, const char* key, const char* value, const char* text) {
    std::u16string wide = U16(text);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(wide.c_str());
    WritePrinterData(printer, key, value, REG_SZ,
                     std::vector<BYTE>(bytes, bytes + (wide.size() + 1) * sizeof(WCHAR)));
}

void FailPrinterDataWrites(const char* printer, const char* key, const char* value, DWORD error) {
    SetFault(Spooler().writeFaults, printer, key, value, error);
}

void FailPrinterDataReads(const char* printer, const char* key, const char* value, DWORD error) {
    SetFault(Spooler().readFaults, printer, key, value, error);
}

} // namespace sim
