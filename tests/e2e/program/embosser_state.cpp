// Reading the virtual embosser's state file.
#include "embosser_state.h"

#include "check_log.h"

#include <winspool.h>

#include <sstream>
#include <vector>

namespace {

std::wstring DriverFolderFile(LPCWSTR fileName) {
    WCHAR folder[MAX_PATH] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(folder),
                               sizeof(folder), &needed);
    return std::wstring(folder) + TEXT("\\3\\") + fileName;
}

std::string ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0)
        text.append(chunk, read);
    CloseHandle(file);
    return text;
}

} // namespace

std::wstring PrinterLinkPath() {
    return DriverFolderFile(TEXT("qvmonext.dll"));
}

bool PrinterLinkInstalled() {
    return GetFileAttributesW(PrinterLinkPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string EmbosserStateValue(LPCWSTR printerName, const char* key) {
    std::istringstream lines(ReadWholeFile(DriverFolderFile(TEXT("qvmonext.state"))));
    std::string section = "[" + Narrow(printerName) + "]";
    std::string prefix = std::string(key) + "=";
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
