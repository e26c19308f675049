// Installing the test printer on the spooler and reading its printer data.
#include "test_printer.h"

#include "check_log.h"
#include "folders.h"

#include <winspool.h>

#include <cstring>

const WCHAR kTestPrinterName[] = TEXT("Tarvik Embosser");
const WCHAR kTestDriverName[] = TEXT("Tarvik");

namespace {

void DeletePrinterNamed(LPCWSTR name) {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(const_cast<LPWSTR>(name), &printer, &defaults))
        return;
    DeletePrinter(printer);
    ClosePrinter(printer);
}

// The spooler adds a driver only from files already in its driver directory.
bool CopyIntoDriverDirectory(LPCWSTR folder, LPCWSTR fileName, std::wstring* copy) {
    std::wstring directory = PrinterDriverDirectory();
    if (!Check("GetPrinterDriverDirectoryW", !directory.empty(), "a folder",
               Outcome(!directory.empty(), "a folder")))
        return false;
    bool copied = CopyFileInto(folder, directory, fileName, copy);
    std::string copiedTo = "copied to " + Narrow(copy->c_str());
    return Check(("copy " + Narrow(fileName) + " into the driver directory").c_str(), copied,
                 copiedTo, Outcome(copied, copiedTo.c_str()));
}

bool AddDriver(LPWSTR configFile) {
    WCHAR dependentFiles[] = TEXT("qvembui.dll\0");
    DRIVER_INFO_3W driver;
    ZeroMemory(&driver, sizeof(driver));
    driver.cVersion = 3;
    driver.pName = const_cast<LPWSTR>(kTestDriverName);
    driver.pDriverPath = configFile;
    driver.pDataFile = configFile;
    driver.pConfigFile = configFile;
    driver.pDependentFiles = dependentFiles;
    BOOL added = AddPrinterDriverW(nullptr, 3, reinterpret_cast<LPBYTE>(&driver));
    return Check("AddPrinterDriverW(level 3, \"Tarvik\")", added != FALSE, "TRUE",
                 Outcome(added != FALSE, "TRUE"));
}

bool AddTestPrinter() {
    PRINTER_INFO_2W info;
    ZeroMemory(&info, sizeof(info));
    info.pPrinterName = const_cast<LPWSTR>(kTestPrinterName);
    info.pPortName = const_cast<LPWSTR>(TEXT("FILE:"));
    info.pDriverName = const_cast<LPWSTR>(kTestDriverName);
    info.pPrintProcessor = const_cast<LPWSTR>(TEXT("WinPrint"));
    info.pDatatype = const_cast<LPWSTR>(TEXT("RAW"));
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    std::string seen = Outcome(printer != nullptr, "a printer handle");
    if (printer != nullptr)
        ClosePrinter(printer);
    return Check("AddPrinterW(level 2, port \"FILE:\", driver \"Tarvik\")", printer != nullptr,
                 "a printer handle", seen);
}

} // namespace

bool InstallTestPrinter(LPCWSTR folder) {
    std::wstring configFile, plugin;
    if (!CopyIntoDriverDirectory(folder, TEXT("qvdrvui.dll"), &configFile) ||
        !CopyIntoDriverDirectory(folder, TEXT("qvembui.dll"), &plugin) ||
        !AddDriver(&configFile[0]))
        return false;
    DeletePrinterNamed(kTestPrinterName);
    return AddTestPrinter();
}

void RemoveTestPrinter() {
    DeletePrinterNamed(kTestPrinterName);
}

ConfigValue ReadConfigValue(HANDLE printer, LPCWSTR name) {
    ConfigValue value;
    value.error = GetPrinterDataExW(printer, TEXT("Config"), name, &value.type, value.data,
                                    sizeof(value.data), &value.size);
    return value;
}

std::string DescribeConfigValue(const ConfigValue& value) {
    if (value.error != ERROR_SUCCESS)
        return "missing (error " + std::to_string(value.error) + ")";
    switch (value.type) {
    case REG_DWORD: {
        if (value.size != sizeof(DWORD))
            return "REG_DWORD of " + std::to_string(value.size) + " bytes";
        DWORD number;
        std::memcpy(&number, value.data, sizeof(number));
        return "REG_DWORD " + std::to_string(number);
    }
    case REG_SZ: {
        WCHAR text[sizeof(value.data) / sizeof(WCHAR) + 1] = {};
        std::memcpy(text, value.data, value.size);
        return "REG_SZ \"" + Narrow(text) + "\"";
    }
    case REG_BINARY:
        if (value.size == 2 * sizeof(LONG)) {
            LONG pair[2];
            std::memcpy(pair, value.data, sizeof(pair));
            return "REG_BINARY " + std::to_string(pair[0]) + " x " + std::to_string(pair[1]);
        }
        return "REG_BINARY of " + std::to_string(value.size) + " bytes";
    default:
        return "type " + std::to_string(value.type) + " of " + std::to_string(value.size) +
               " bytes";
    }
}
