// Installing the screenshot program's printer.
#include "screens_printer.h"

#include <strsafe.h>
#include <winspool.h>

#include <cstdio>

const WCHAR kScreensPrinterName[] = TEXT("Tarvik Embosser");

namespace {

const WCHAR kDriverName[] = TEXT("Tarvik");

bool Fail(const char* what) {
    std::printf("FAILED %s (error %lu)\n", what, static_cast<unsigned long>(GetLastError()));
    std::fflush(stdout);
    return false;
}

// The spooler adds a driver only from files already in its driver directory.
bool CopyIntoDriverDirectory(LPCWSTR folder, LPCWSTR fileName, WCHAR* copy, DWORD chars) {
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(copy),
                                    chars * sizeof(WCHAR), &needed))
        return Fail("GetPrinterDriverDirectoryW");
    StringCchCatW(copy, chars, TEXT("\\"));
    StringCchCatW(copy, chars, fileName);
    WCHAR source[MAX_PATH];
    StringCchCopyW(source, MAX_PATH, folder);
    StringCchCatW(source, MAX_PATH, fileName);
    return CopyFileW(source, copy, FALSE) ? true : Fail("CopyFileW into the driver directory");
}

void DeletePrinterNamed(LPCWSTR name) {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(const_cast<LPWSTR>(name), &printer, &defaults))
        return;
    DeletePrinter(printer);
    ClosePrinter(printer);
}

} // namespace

bool InstallScreensPrinter(LPCWSTR folder) {
    WCHAR configFile[MAX_PATH];
    WCHAR plugin[MAX_PATH];
    if (!CopyIntoDriverDirectory(folder, TEXT("screensui.dll"), configFile, MAX_PATH) ||
        !CopyIntoDriverDirectory(folder, TEXT("qvembui.dll"), plugin, MAX_PATH))
        return false;
    WCHAR dependentFiles[] = TEXT("qvembui.dll\0");
    DRIVER_INFO_3W driver;
    ZeroMemory(&driver, sizeof(driver));
    driver.cVersion = 3;
    driver.pName = const_cast<LPWSTR>(kDriverName);
    driver.pDriverPath = configFile;
    driver.pDataFile = configFile;
    driver.pConfigFile = configFile;
    driver.pDependentFiles = dependentFiles;
    if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<LPBYTE>(&driver)))
        return Fail("AddPrinterDriverW");
    DeletePrinterNamed(kScreensPrinterName);
    PRINTER_INFO_2W info;
    ZeroMemory(&info, sizeof(info));
    info.pPrinterName = const_cast<LPWSTR>(kScreensPrinterName);
    info.pPortName = const_cast<LPWSTR>(TEXT("FILE:"));
    info.pDriverName = const_cast<LPWSTR>(kDriverName);
    info.pPrintProcessor = const_cast<LPWSTR>(TEXT("WinPrint"));
    info.pDatatype = const_cast<LPWSTR>(TEXT("RAW"));
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    if (printer == nullptr)
        return Fail("AddPrinterW");
    ClosePrinter(printer);
    return true;
}

void RemoveScreensPrinter() {
    DeletePrinterNamed(kScreensPrinterName);
}
