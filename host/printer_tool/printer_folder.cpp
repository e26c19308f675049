// The printer folder's part: installing the printer and opening its sheets.
#include "printer_folder.h"

#include "config_module/driver_ui_headers.h"

#include <compstui.h>
#include <sddl.h>
#include <strsafe.h>
#include <winspool.h>

#include <cstdlib>

const WCHAR kTarvikPrinterName[] = TEXT("Tarvik Embosser");
const WCHAR kTarvikDriverName[] = TEXT("Tarvik");

namespace {

const WCHAR kConfigModule[] = TEXT("qvdrvui.dll");
const WCHAR kPlugin[] = TEXT("qvembui.dll");
const WCHAR kMakerFolder[] = TEXT("%ProgramData%\\Quorvane");
const WCHAR kStateFolder[] = TEXT("%ProgramData%\\Quorvane\\Tarvik");
// Every user may change the embosser's state, as every user may print; its files inherit it.
const WCHAR kStateFolderSecurity[] =
    TEXT("D:(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;BU)");

bool DriverDirectory(WCHAR* path, DWORD chars) {
    DWORD needed = 0;
    return GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(path),
                                      chars * sizeof(WCHAR), &needed) != FALSE;
}

// The spooler adds a driver only from files already in its driver directory.
DWORD CopyIntoDriverDirectory(LPCWSTR folder, LPCWSTR fileName) {
    WCHAR target[MAX_PATH];
    if (!DriverDirectory(target, MAX_PATH))
        return GetLastError();
    StringCchCatW(target, MAX_PATH, TEXT("\\"));
    StringCchCatW(target, MAX_PATH, fileName);
    WCHAR source[MAX_PATH];
    StringCchPrintfW(source, MAX_PATH, TEXT("%ls%ls"), folder, fileName);
    return CopyFileW(source, target, FALSE) ? ERROR_SUCCESS : GetLastError();
}

// The plug-in's file version as the spooler keeps a driver's version: the four 16-bit parts,
// most significant first. 0 when the file has no version resource.
DWORDLONG PluginVersion(LPCWSTR folder) {
    WCHAR path[MAX_PATH];
    StringCchPrintfW(path, MAX_PATH, TEXT("%ls%ls"), folder, kPlugin);
    DWORD unused = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &unused);
    BYTE* info = static_cast<BYTE*>(calloc(1, size == 0 ? 1 : size));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    DWORDLONG version = 0;
    if (info != nullptr && GetFileVersionInfoW(path, 0, size, info) &&
        VerQueryValueW(info, TEXT("\\"), reinterpret_cast<LPVOID*>(&fixed), &length) &&
        fixed != nullptr && length >= sizeof(VS_FIXEDFILEINFO))
        version = static_cast<DWORDLONG>(fixed->dwFileVersionMS) << 32 | fixed->dwFileVersionLS;
    free(info);
    return version;
}

// Level 6 carries the driver's version, which the Service page shows.
DWORD AddTarvikDriver(LPCWSTR folder) {
    WCHAR configModule[MAX_PATH];
    if (!DriverDirectory(configModule, MAX_PATH))
        return GetLastError();
    StringCchCatW(configModule, MAX_PATH, TEXT("\\"));
    StringCchCatW(configModule, MAX_PATH, kConfigModule);
    WCHAR dependentFiles[] = TEXT("qvembui.dll\0");
    DRIVER_INFO_6W driver;
    ZeroMemory(&driver, sizeof(driver));
    driver.cVersion = 3;
    driver.pName = const_cast<LPWSTR>(kTarvikDriverName);
    driver.pDriverPath = configModule;
    driver.pDataFile = configModule;
    driver.pConfigFile = configModule;
    driver.pDependentFiles = dependentFiles;
    driver.dwlDriverVersion = PluginVersion(folder);
    if (AddPrinterDriverExW(nullptr, 6, reinterpret_cast<LPBYTE>(&driver), APD_COPY_ALL_FILES))
        return ERROR_SUCCESS;
    DWORD error = GetLastError();
    return error == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED ? ERROR_SUCCESS : error;
}

DWORD AddTarvikPrinter() {
    HANDLE printer = nullptr;
    if (OpenPrinterW(const_cast<LPWSTR>(kTarvikPrinterName), &printer, nullptr)) {
        ClosePrinter(printer);
        return ERROR_SUCCESS;
    }
    PRINTER_INFO_2W info;
    ZeroMemory(&info, sizeof(info));
    info.pPrinterName = const_cast<LPWSTR>(kTarvikPrinterName);
    info.pPortName = const_cast<LPWSTR>(TEXT("FILE:"));
    info.pDriverName = const_cast<LPWSTR>(kTarvikDriverName);
    info.pPrintProcessor = const_cast<LPWSTR>(TEXT("WinPrint"));
    info.pDatatype = const_cast<LPWSTR>(TEXT("RAW"));
    printer = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    if (printer == nullptr)
        return GetLastError();
    ClosePrinter(printer);
    return ERROR_SUCCESS;
}

bool MakeFolder(LPCWSTR folder, PSECURITY_DESCRIPTOR descriptor) {
    WCHAR path[MAX_PATH];
    DWORD chars = ExpandEnvironmentStringsW(folder, path, MAX_PATH);
    SECURITY_ATTRIBUTES security = {sizeof(security), descriptor, FALSE};
    return chars > 0 && chars <= MAX_PATH &&
           (CreateDirectoryW(path, &security) || GetLastError() == ERROR_ALREADY_EXISTS);
}

DWORD CreateEmbosserStateFolder() {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kStateFolderSecurity, SDDL_REVISION_1,
                                                              &descriptor, nullptr))
        return GetLastError();
    bool made = MakeFolder(kMakerFolder, nullptr) && MakeFolder(kStateFolder, descriptor);
    DWORD error = made ? ERROR_SUCCESS : GetLastError();
    LocalFree(descriptor);
    return error;
}

typedef LONG(WINAPI* PropertySheetFunction)(PPROPSHEETUI_INFO, LPARAM);

} // namespace

DWORD InstallTarvikPrinter(LPCWSTR folder) {
    DWORD error = CopyIntoDriverDirectory(folder, kConfigModule);
    if (error == ERROR_SUCCESS)
        error = CopyIntoDriverDirectory(folder, kPlugin);
    if (error == ERROR_SUCCESS)
        error = AddTarvikDriver(folder);
    if (error == ERROR_SUCCESS)
        error = AddTarvikPrinter();
    if (error == ERROR_SUCCESS)
        error = CreateEmbosserStateFolder();
    return error;
}

bool EmbosserStateFile(WCHAR* path, DWORD chars) {
    WCHAR file[MAX_PATH];
    StringCchPrintfW(file, MAX_PATH, TEXT("%ls\\qvmonext.state"), kStateFolder);
    DWORD needed = ExpandEnvironmentStringsW(file, path, chars);
    return needed > 0 && needed <= chars;
}

LONG OpenPrintingPreferences(HWND owner, HANDLE printer, LPWSTR printerName, BYTE** devmode,
                             LONG* devmodeBytes) {
    *devmode = nullptr;
    *devmodeBytes = DocumentPropertiesW(owner, printer, printerName, nullptr, nullptr, 0);
    if (*devmodeBytes <= 0)
        return *devmodeBytes;
    *devmode = static_cast<BYTE*>(calloc(1, static_cast<size_t>(*devmodeBytes)));
    if (*devmode == nullptr)
        return -1;
    auto* buffer = reinterpret_cast<DEVMODEW*>(*devmode);
    LONG result = DocumentPropertiesW(owner, printer, printerName, buffer, nullptr, DM_OUT_BUFFER);
    if (result != IDOK)
        return result;
    return DocumentPropertiesW(owner, printer, printerName, buffer, buffer,
                               DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
}

bool InstalledDriverFile(LPCWSTR name, WCHAR* path, DWORD chars) {
    return DriverDirectory(path, chars) && SUCCEEDED(StringCchCatW(path, chars, TEXT("\\3\\"))) &&
           SUCCEEDED(StringCchCatW(path, chars, name));
}

std::wstring DriverFile(LPCWSTR name) {
    WCHAR path[MAX_PATH] = {};
    return InstalledDriverFile(name, path, MAX_PATH) ? path : TEXT("");
}

LONG OpenPrinterProperties(HWND owner, HANDLE printer, LPWSTR printerName) {
    if (PrinterProperties(owner, printer))
        return CPSUI_OK;
    WCHAR configModule[MAX_PATH];
    if (!InstalledDriverFile(kConfigModule, configModule, MAX_PATH))
        return -1;
    HMODULE module = LoadLibraryW(configModule);
    if (module == nullptr)
        return -1;
    auto sheets = reinterpret_cast<PropertySheetFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, "DrvDevicePropertySheets")));
    LONG result = -1;
    if (sheets != nullptr) {
        DEVICEPROPERTYHEADER header;
        ZeroMemory(&header, sizeof(header));
        header.cbSize = sizeof(header);
        header.hPrinter = printer;
        header.pszPrinterName = printerName;
        DWORD sheetResult = 0;
        result =
            CommonPropertySheetUIW(owner, sheets, reinterpret_cast<LPARAM>(&header), &sheetResult);
    }
    FreeLibrary(module);
    return result;
}
