// Reading back what the spooler, the printer and the embosser keep after the session.
#include "stored_summary.h"

#include "gallery_shots.h"
#include "printer_tool/printer_folder.h"

#include <strsafe.h>
#include <winspool.h>

#include <sstream>
#include <string>

namespace {

std::string Utf8(LPCWSTR text, int length = -1) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(bytes > 0 ? static_cast<size_t>(bytes) : 0, '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, &result[0], bytes, nullptr, nullptr);
    if (!result.empty() && result.back() == '\0')
        result.pop_back();
    return result;
}

class SummaryFile {
public:
    SummaryFile() {
        WCHAR path[MAX_PATH];
        StringCchPrintfW(path, MAX_PATH, TEXT("%lssummary.txt"), GalleryFolder());
        file_ = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
    }
    ~SummaryFile() {
        if (file_ != INVALID_HANDLE_VALUE)
            CloseHandle(file_);
    }
    SummaryFile(const SummaryFile&) = delete;
    SummaryFile& operator=(const SummaryFile&) = delete;

    bool open() const { return file_ != INVALID_HANDLE_VALUE; }
    void Write(const char* section, const std::string& name, const std::string& value) {
        std::string line = std::string(section) + "\t" + name + "\t" + value + "\n";
        DWORD written = 0;
        WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

std::string DescribeData(DWORD type, const BYTE* data, DWORD size) {
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = *reinterpret_cast<const DWORD*>(data);
        char hex[16];
        StringCchPrintfA(hex, ARRAYSIZE(hex), " (0x%lX)", static_cast<unsigned long>(number));
        return std::to_string(number) + (number > 255 ? hex : "");
    }
    if (type == REG_SZ || type == REG_MULTI_SZ) {
        std::wstring text(reinterpret_cast<const WCHAR*>(data), size / sizeof(WCHAR));
        for (WCHAR& c : text)
            if (c == 0)
                c = TEXT(';');
        while (!text.empty() && text.back() == TEXT(';'))
            text.pop_back();
        return "\"" + Utf8(text.c_str(), static_cast<int>(text.size())) + "\"";
    }
    if (type == REG_BINARY && size == 2 * sizeof(LONG)) {
        const auto* pair = reinterpret_cast<const LONG*>(data);
        return std::to_string(pair[0]) + " x " + std::to_string(pair[1]);
    }
    return std::to_string(size) + " bytes";
}

// The virtual embosser's state file: a "[printer]" section of "key=value" lines per printer.
std::string ReadStateFile() {
    WCHAR path[MAX_PATH] = {};
    EmbosserStateFile(path, MAX_PATH);
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof(buffer), &read, nullptr) &&
           read > 0)
        text.append(buffer, read);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return text;
}

// The value of `key` in the Tarvik printer's section; "" when the file, section or key is missing.
std::string EmbosserStateValue(const std::string& state, const char* key) {
    std::istringstream lines(state);
    std::string section = "[" + Utf8(kTarvikPrinterName) + "]", prefix = std::string(key) + "=";
    bool inSection = false;
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            inSection = lstrcmpiA(line.c_str(), section.c_str()) == 0;
        else if (inSection && line.compare(0, prefix.size(), prefix) == 0)
            return line.substr(prefix.size());
    }
    return "";
}

const char kPrinterDataSection[] = "Printer data (Config)";

// The values of one key of the printer data, named relative to "Config".
void WriteKeyValues(SummaryFile& summary, HANDLE printer, const std::wstring& key,
                    const std::string& prefix) {
    DWORD needed = 0, count = 0;
    EnumPrinterDataExW(printer, key.c_str(), nullptr, 0, &needed, &count);
    std::vector<BYTE> values(needed ? needed : 1);
    if (EnumPrinterDataExW(printer, key.c_str(), values.data(), needed, &needed, &count) !=
        ERROR_SUCCESS)
        return;
    const auto* value = reinterpret_cast<const PRINTER_ENUM_VALUESW*>(values.data());
    for (DWORD i = 0; i < count; ++i)
        summary.Write(kPrinterDataSection, prefix + Utf8(value[i].pValueName),
                      DescribeData(value[i].dwType, value[i].pData, value[i].cbData));
}

// "Config" and the subkeys the plug-in writes: custom media types, forms and braille tables.
// (Wine's spooler does not list a printer data key's subkeys: EnumPrinterKeyW fails there.)
void WritePrinterData(SummaryFile& summary, HANDLE printer) {
    WriteKeyValues(summary, printer, TEXT("Config"), "");
    const LPCWSTR subkeys[] = {TEXT("MediaTypes"), TEXT("Forms"), TEXT("BrailleTables")};
    for (LPCWSTR name : subkeys)
        WriteKeyValues(summary, printer, std::wstring(TEXT("Config\\")) + name, Utf8(name) + "\\");
}

const char* OrientationName(short orientation) {
    return orientation == DMORIENT_LANDSCAPE ? "landscape" : "portrait";
}

const char* DuplexName(short duplex) {
    switch (duplex) {
    case DMDUP_VERTICAL:
        return "double sided (long edge)";
    case DMDUP_HORIZONTAL:
        return "double sided (short edge)";
    default:
        return "single sided";
    }
}

// Tenths of a millimetre as millimetres: "215.9".
std::string Millimetres(short tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

void WriteDevmode(SummaryFile& summary, const char* section, const DEVMODEW* devmode) {
    if (devmode == nullptr) {
        summary.Write(section, "(none)", "");
        return;
    }
    summary.Write(section, "orientation", OrientationName(devmode->dmOrientation));
    summary.Write(section, "duplex",
                  std::to_string(devmode->dmDuplex) + " " + DuplexName(devmode->dmDuplex));
    summary.Write(section, "collation", devmode->dmCollate == DMCOLLATE_TRUE ? "on" : "off");
    summary.Write(section, "paper",
                  "\"" + Utf8(devmode->dmFormName) + "\" " + Millimetres(devmode->dmPaperWidth) +
                      " x " + Millimetres(devmode->dmPaperLength) + " mm");
    summary.Write(section, "media type", std::to_string(devmode->dmMediaType));
    summary.Write(section, "private section", std::to_string(devmode->dmDriverExtra) + " bytes");
}

void WritePrinterDevmode(SummaryFile& summary, HANDLE printer) {
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed ? needed : 1);
    const DEVMODEW* devmode = nullptr;
    if (GetPrinterW(printer, 2, info.data(), needed, &needed))
        devmode = reinterpret_cast<PRINTER_INFO_2W*>(info.data())->pDevMode;
    WriteDevmode(summary, "Printer default devmode", devmode);
}

void WriteEmbosserState(SummaryFile& summary) {
    const char kSection[] = "What the embosser keeps (qvmonext.state)";
    if (GetFileAttributesW(DriverFile(TEXT("qvmonext.dll")).c_str()) == INVALID_FILE_ATTRIBUTES) {
        summary.Write(kSection, "(no qvmonext.dll)", "");
        return;
    }
    const char* const keys[] = {
        "model",           "serial",       "firmware",        "status",          "braille.dots",
        "media.type",      "media.lowest", "media.highest",   "services",        "network.dhcp",
        "network.address", "network.mask", "usage.carriage1", "usage.carriage2", "ink1.fill",
        "ink2.fill",       "duplex",       "quality"};
    std::string state = ReadStateFile();
    for (const char* key : keys)
        summary.Write(kSection, key, EmbosserStateValue(state, key));
}

} // namespace

bool WriteStoredSummary(HANDLE printer, const std::vector<BYTE>& jobDevmode) {
    SummaryFile summary;
    if (!summary.open())
        return false;
    WritePrinterData(summary, printer);
    WriteDevmode(summary, "Job devmode returned to the application",
                 jobDevmode.size() >= sizeof(DEVMODEW)
                     ? reinterpret_cast<const DEVMODEW*>(jobDevmode.data())
                     : nullptr);
    WritePrinterDevmode(summary, printer);
    WriteEmbosserState(summary);
    return true;
}
