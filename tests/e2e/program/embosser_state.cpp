// Reading the virtual embosser's state file.
#include "embosser_state.h"

#include "check_log.h"
#include "folders.h"

#include <sstream>
#include <vector>

std::wstring PrinterLinkPath() {
    return DriverFolder() + TEXT("qvmonext.dll");
}

bool PrinterLinkInstalled() {
    return GetFileAttributesW(PrinterLinkPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string EmbosserStateValue(LPCWSTR printerName, const char* key) {
    std::istringstream lines(ReadWholeFile(DriverFolder() + TEXT("qvmonext.state")));
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
