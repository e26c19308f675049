// Loading qvmonext.dll and calling it as the plug-in does.
#include "printer_link.h"

#include "check_log.h"
#include "folders.h"

#include <winspool.h>

#include <cstring>

const char* const kEntryPoints[7] = {
    "DllExportGetPrinterSettings", "DllExportSetPrinterParameter", "DllExportUpdatePrinter",
    "DllExportGetPrinterStatus",   "DllExportGetPrinterErrorText", "DllExportPrinterService",
    "DllExportLoadTable",
};

namespace {
const WCHAR kPrinter[] = TEXT("Tarvik Embosser");
} // namespace

std::wstring StateFilePath() {
    return DriverFolder() + TEXT("qvmonext.state");
}

PrinterLink::PrinterLink()
    : module_(LoadLibraryW((DriverFolder() + TEXT("qvmonext.dll")).c_str())) {}

PrinterLink::~PrinterLink() {
    if (module_ != nullptr)
        FreeLibrary(module_);
}

FARPROC PrinterLink::Entry(const char* name) const {
    return module_ != nullptr ? GetProcAddress(module_, name) : nullptr;
}

std::map<DWORD, BlockRecord> PrinterLink::Settings(DWORD* result) const {
    std::map<DWORD, BlockRecord> records;
    auto get = Find<GetPrinterSettingsProc>("DllExportGetPrinterSettings");
    DWORD needed = 0, ignored = 0;
    DWORD& outcome = result != nullptr ? *result : ignored;
    outcome = get != nullptr ? get(0, kPrinter, nullptr, 0, &needed) : ERROR_PROC_NOT_FOUND;
    if (needed == 0)
        return records;
    std::vector<BYTE> block(needed);
    outcome = get(0, kPrinter, block.data(), needed, &needed);
    if (outcome != 0 || block.size() < 200)
        return records;
    DWORD count = 0;
    std::memcpy(&count, block.data() + 20, 4);
    for (DWORD i = 1; i < count && (i + 1) * 200 <= block.size(); ++i) {
        const BYTE* record = block.data() + i * 200;
        DWORD id = 0, length = 0;
        std::memcpy(&id, record, 4);
        std::memcpy(&length, record + 20, 4);
        BlockRecord entry{};
        std::memcpy(entry.values, record + 4, 16);
        entry.data.assign(record + 24, record + 24 + (length < 176 ? length : 176));
        records[id] = entry;
    }
    return records;
}

DWORD PrinterLink::Set(DWORD id, std::vector<LONG> values, std::vector<BYTE> data) const {
    auto set = Find<SetPrinterParameterProc>("DllExportSetPrinterParameter");
    if (set == nullptr)
        return ERROR_PROC_NOT_FOUND;
    return set(0, kPrinter, id, values.empty() ? nullptr : values.data(),
               static_cast<DWORD>(values.size()), data.empty() ? nullptr : data.data(),
               static_cast<DWORD>(data.size()));
}

DWORD PrinterLink::Update() const {
    auto update = Find<UpdatePrinterProc>("DllExportUpdatePrinter");
    return update != nullptr ? update(0, kPrinter) : ERROR_PROC_NOT_FOUND;
}

DWORD PrinterLink::Status(DWORD* status) const {
    auto get = Find<GetPrinterStatusProc>("DllExportGetPrinterStatus");
    *status = 0;
    return get != nullptr ? get(0, kPrinter, status) : ERROR_PROC_NOT_FOUND;
}

std::string PrinterLink::ErrorText(DWORD code) const {
    auto get = Find<GetPrinterErrorTextProc>("DllExportGetPrinterErrorText");
    std::vector<WCHAR> text(4096, 0);
    if (get == nullptr || get(0, code, text.data()) == 0)
        return "(none)";
    return Narrow(text.data());
}

DWORD PrinterLink::Service(DWORD code) const {
    auto service = Find<PrinterServiceProc>("DllExportPrinterService");
    return service != nullptr ? service(nullptr, kPrinter, code) : ERROR_PROC_NOT_FOUND;
}

DWORD PrinterLink::LoadTable(LPCWSTR path, DWORD slot) const {
    auto load = Find<LoadTableProc>("DllExportLoadTable");
    return load != nullptr ? load(0, kPrinter, path, slot) : ERROR_PROC_NOT_FOUND;
}
