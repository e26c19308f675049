// The tests' printer link library.
#include "support/fake_printer_link.h"

#include "link/parameter_record.h"
#include "link/printer_link.h"
#include "support/plugin_machine.h"

#include <cstring>

namespace {

FakePrinterLink g_link;

DWORD WINAPI GetPrinterSettings(DWORD, LPCWSTR, LPBYTE buffer, DWORD size, DWORD* needed) {
    ++g_link.settingsCalls;
    *needed = static_cast<DWORD>(g_link.settingsBlock.size());
    if (buffer == nullptr || size == 0)
        return ERROR_INSUFFICIENT_BUFFER;
    if (size < g_link.settingsBlock.size())
        return ERROR_INSUFFICIENT_BUFFER;
    std::memcpy(buffer, g_link.settingsBlock.data(), g_link.settingsBlock.size());
    return g_link.settingsResult;
}

DWORD WINAPI SetPrinterParameter(DWORD, LPCWSTR printer, DWORD id, const LONG* values, DWORD count,
                                 const BYTE* data, DWORD length) {
    ParameterCall call{printer, id, {}, {}};
    if (values != nullptr)
        call.values.assign(values, values + count);
    if (data != nullptr)
        call.data.assign(data, data + length);
    g_link.parameters.push_back(call);
    return 0;
}

DWORD WINAPI UpdatePrinter(DWORD, LPCWSTR printer) {
    g_link.updates.push_back(printer);
    return g_link.updateResult;
}

DWORD WINAPI GetPrinterStatus(DWORD, LPCWSTR, DWORD* status) {
    *status = g_link.status;
    return g_link.statusResult;
}

DWORD WINAPI GetPrinterErrorText(DWORD, DWORD code, LPWSTR text) {
    auto it = g_link.errorTexts.find(code);
    if (it == g_link.errorTexts.end())
        return 0;
    std::memcpy(text, it->second.c_str(), (it->second.size() + 1) * sizeof(WCHAR));
    return 1;
}

DWORD WINAPI PrinterService(HWND owner, LPCWSTR, DWORD code) {
    g_link.services.push_back(code);
    g_link.serviceOwners.push_back(owner);
    return 0;
}

DWORD WINAPI LoadTable(DWORD, LPCWSTR, LPCWSTR path, DWORD slot) {
    g_link.loadedTables.push_back({path, slot});
    return g_link.loadTableResult;
}

} // namespace

FakePrinterLink& PrinterLink() {
    return g_link;
}

void InstallFakePrinterLink(const std::set<std::string>& missing) {
    g_link = FakePrinterLink();
    std::vector<sim::ModuleExport> exports;
    auto offer = [&](const char* name, auto* function) {
        if (!missing.count(name))
            exports.push_back(sim::Export(name, function));
    };
    offer("DllExportGetPrinterSettings", GetPrinterSettings);
    offer("DllExportSetPrinterParameter", SetPrinterParameter);
    offer("DllExportUpdatePrinter", UpdatePrinter);
    offer("DllExportGetPrinterStatus", GetPrinterStatus);
    offer("DllExportGetPrinterErrorText", GetPrinterErrorText);
    offer("DllExportPrinterService", PrinterService);
    offer("DllExportLoadTable", LoadTable);
    sim::RegisterModule(kPrinterLinkPath, nullptr, exports);
}

SettingsBlockBuilder& SettingsBlockBuilder::Values(DWORD id, LONG v1, LONG v2, LONG v3, LONG v4) {
    ParameterRecord record = {};
    record.Id = id;
    record.Values[0] = v1;
    record.Values[1] = v2;
    record.Values[2] = v3;
    record.Values[3] = v4;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&record);
    records_.emplace_back(bytes, bytes + sizeof(record));
    return *this;
}

SettingsBlockBuilder& SettingsBlockBuilder::Text(DWORD id, const std::string& text) {
    std::vector<BYTE> data(text.begin(), text.end());
    return Data(id, data, static_cast<DWORD>(text.size()));
}

SettingsBlockBuilder& SettingsBlockBuilder::Data(DWORD id, const std::vector<BYTE>& data,
                                                 DWORD length) {
    ParameterRecord record = {};
    record.Id = id;
    record.DataLength = length;
    std::memcpy(record.Data, data.data(),
                data.size() < sizeof(record.Data) ? data.size() : sizeof(record.Data));
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&record);
    records_.emplace_back(bytes, bytes + sizeof(record));
    return *this;
}

std::vector<BYTE> SettingsBlockBuilder::Build(long headerCount) const {
    ParameterRecord header = {};
    header.Id = 0;
    header.DataLength = headerCount >= 0 ? static_cast<DWORD>(headerCount)
                                         : static_cast<DWORD>(records_.size() + 1);
    std::vector<BYTE> block(reinterpret_cast<const BYTE*>(&header),
                            reinterpret_cast<const BYTE*>(&header) + sizeof(header));
    for (const auto& record : records_)
        block.insert(block.end(), record.begin(), record.end());
    return block;
}
