// Loading qvmonext.dll and calling it as the plug-in does.
#include "printer_link.h"

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

std::wstring DriverFolder() {
    WCHAR folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(folder),
                                    sizeof(folder), &needed))
        return TEXT("");
    return std::wstring(folder) + TEXT("\\3\\");
}

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

std::string ReadWholeFile(const std::wstring& path) {
    std::string text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

bool WriteWholeFile(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD wrote = 0;
    bool good = text.empty() ||
                (WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) &&
                 wrote == text.size());
    CloseHandle(file);
    return good;
}

std::string Narrow(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return "";
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &result[0], size, nullptr, nullptr);
    result.resize(static_cast<size_t>(size - 1));
    return result;
}
