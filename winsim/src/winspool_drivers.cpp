// winspool: printer driver information (level 6) and the printer driver directory.
#include "winspool_state.h"

namespace winsim {
namespace spool {
namespace {

constexpr char16_t kEnvironmentX64[] = u"Windows x64";
constexpr char16_t kEnvironmentX86[] = u"Windows NT x86";

// The driver directory of an environment (null = the caller's, x64), or empty for one that is
// not modelled.
std::u16string DriverDirectory(LPCWSTR environment) {
    std::u16string wanted = environment ? environment : kEnvironmentX64;
    if (EqualNoCase(wanted, kEnvironmentX64))
        return u"C:\\Windows\\system32\\spool\\DRIVERS\\x64";
    if (EqualNoCase(wanted, kEnvironmentX86))
        return u"C:\\Windows\\system32\\spool\\DRIVERS\\W32X86";
    return std::u16string();
}

std::vector<std::u16string> Wide(const std::vector<std::string>& items) {
    std::vector<std::u16string> wide;
    for (const auto& item : items)
        wide.push_back(U16(item.c_str()));
    return wide;
}

size_t PackLevel6(const Printer& printer, BYTE* out) {
    const sim::PrinterSetup& setup = printer.setup;
    InfoPacker packer(out, sizeof(DRIVER_INFO_6W));
    DRIVER_INFO_6W info{};
    info.cVersion = 3;
    info.pName = packer.String(printer.driverName);
    info.pEnvironment = packer.String(kEnvironmentX64);
    info.pDriverPath = packer.String(U16(setup.driverPath.c_str()));
    info.pDataFile = packer.String(U16(setup.dataFile.c_str()));
    info.pConfigFile = packer.String(U16(setup.configFile.c_str()));
    info.pHelpFile = packer.String(U16(setup.helpFile.c_str()));
    info.pDependentFiles = packer.MultiString(Wide(setup.dependentFiles));
    info.pMonitorName = packer.String(U16(setup.monitorName.c_str()));
    info.pDefaultDataType = packer.String(U16(setup.defaultDataType.c_str()));
    info.pszzPreviousNames = packer.MultiString(Wide(setup.previousNames));
    info.ftDriverDate = setup.driverDate;
    info.dwlDriverVersion = setup.driverVersion;
    info.pszMfgName = packer.String(U16(setup.manufacturer.c_str()));
    info.pszOEMUrl = packer.String(U16(setup.oemUrl.c_str()));
    info.pszHardwareID = packer.String(U16(setup.hardwareId.c_str()));
    info.pszProvider = packer.String(U16(setup.provider.c_str()));
    if (out)
        std::memcpy(out, &info, sizeof info);
    return packer.Size();
}

} // namespace
} // namespace spool
} // namespace winsim

using namespace winsim;
using namespace winsim::spool;

BOOL WINAPI GetPrinterDriverW(HANDLE hPrinter, LPWSTR pEnvironment, DWORD Level, LPBYTE pDriverInfo,
                              DWORD cbBuf, LPDWORD pcbNeeded) {
    SpoolerCall roundTrip("GetPrinterDriverW");
    Handle* handle = FindHandle(hPrinter);
    if (!handle)
        return FALSE;
    if (Level != 6)
        Unmodelled("GetPrinterDriverW level %u", Level);
    if (pEnvironment && !EqualNoCase(pEnvironment, kEnvironmentX64))
        Unmodelled("GetPrinterDriverW for environment %s", Utf8(pEnvironment).c_str());
    const Printer& printer = PrinterOf(*handle);
    return AnswerInto(pDriverInfo, cbBuf, pcbNeeded,
                      [&](BYTE* out) { return PackLevel6(printer, out); });
}

BOOL WINAPI GetPrinterDriverDirectoryW(LPWSTR pName, LPWSTR pEnvironment, DWORD Level,
                                       LPBYTE pDriverDirectory, DWORD cbBuf, LPDWORD pcbNeeded) {
    SpoolerCall roundTrip("GetPrinterDriverDirectoryW");
    if (pName && *pName)
        Unmodelled("GetPrinterDriverDirectoryW of server %s", Utf8(pName).c_str());
    if (Level != 1) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    std::u16string directory = DriverDirectory(pEnvironment);
    if (directory.empty())
        Unmodelled("GetPrinterDriverDirectoryW for environment %s", Utf8(pEnvironment).c_str());
    return AnswerInto(pDriverDirectory, cbBuf, pcbNeeded, [&](BYTE* out) {
        InfoPacker packer(out, 0);
        packer.String(directory);
        return packer.Size();
    });
}
