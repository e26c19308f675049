// winspool: printer information levels 1 and 2, and SetPrinterW level 2 with the default devmode.
#include "winspool_state.h"

namespace winsim {
namespace spool {
namespace {

DWORD OpenJobs(const Printer& printer) {
    DWORD count = 0;
    for (const auto& job : Spooler().jobs)
        if (EqualNoCase(job->printer, printer.name) &&
            job->record.state == sim::PrintJob::State::Printing)
            ++count;
    return count;
}

size_t PackLevel1(const Printer& printer, BYTE* out) {
    InfoPacker packer(out, sizeof(PRINTER_INFO_1W));
    PRINTER_INFO_1W info{};
    info.Flags = PRINTER_ENUM_ICON8;
    info.pDescription =
        packer.String(printer.name + u"," + printer.driverName + u"," + printer.location);
    info.pName = packer.String(printer.name);
    info.pComment = packer.String(printer.comment);
    if (out)
        std::memcpy(out, &info, sizeof info);
    return packer.Size();
}

size_t PackLevel2(const Printer& printer, BYTE* out) {
    InfoPacker packer(out, sizeof(PRINTER_INFO_2W));
    PRINTER_INFO_2W info{};
    if (printer.defaultDevmode)
        info.pDevMode = static_cast<LPDEVMODEW>(
            packer.Block(printer.defaultDevmode->data(), printer.defaultDevmode->size(), 8));
    info.pServerName = nullptr;
    info.pPrinterName = packer.String(printer.name);
    info.pShareName = packer.String(printer.shareName);
    info.pPortName = packer.String(printer.port);
    info.pDriverName = packer.String(printer.driverName);
    info.pComment = packer.String(printer.comment);
    info.pLocation = packer.String(printer.location);
    info.pSepFile = packer.String(printer.sepFile);
    info.pPrintProcessor = packer.String(printer.printProcessor);
    info.pDatatype = packer.String(printer.dataType);
    info.pParameters = packer.String(printer.parameters);
    info.pSecurityDescriptor = nullptr;
    info.Attributes = printer.attributes;
    info.Priority = printer.priority;
    info.DefaultPriority = printer.defaultPriority;
    info.StartTime = printer.startTime;
    info.UntilTime = printer.untilTime;
    info.Status = 0;
    info.cJobs = OpenJobs(printer);
    info.AveragePPM = 0;
    if (out)
        std::memcpy(out, &info, sizeof info);
    return packer.Size();
}

bool SaneDevmode(const DEVMODEW* devmode) {
    return devmode->dmSize >= offsetof(DEVMODEW, dmFields) + sizeof(DWORD) &&
           devmode->dmSize <= sizeof(DEVMODEW);
}

void Keep(std::u16string& member, LPWSTR given) {
    if (given)
        member = given;
}

// Stores PRINTER_INFO_2; returns the error, or 0.
DWORD StoreLevel2(Printer& printer, const PRINTER_INFO_2W& info, sim::SetPrinterCall& call) {
    if (info.pPrinterName && !EqualNoCase(info.pPrinterName, printer.name))
        Unmodelled("SetPrinterW renaming printer %s", Utf8(printer.name).c_str());
    if (info.pDriverName && !EqualNoCase(info.pDriverName, printer.driverName))
        Unmodelled("SetPrinterW changing the driver of %s", Utf8(printer.name).c_str());
    if (info.pSecurityDescriptor)
        Unmodelled("SetPrinterW with a security descriptor");
    if (info.pDevMode && !SaneDevmode(info.pDevMode))
        return ERROR_INVALID_PARAMETER;
    if (info.pDevMode) {
        printer.defaultDevmode = CopyDevmode(info.pDevMode);
        call.devmodeStored = true;
        call.devmode = *printer.defaultDevmode;
    }
    Keep(printer.shareName, info.pShareName);
    Keep(printer.port, info.pPortName);
    Keep(printer.comment, info.pComment);
    Keep(printer.location, info.pLocation);
    Keep(printer.sepFile, info.pSepFile);
    Keep(printer.printProcessor, info.pPrintProcessor);
    Keep(printer.dataType, info.pDatatype);
    Keep(printer.parameters, info.pParameters);
    printer.attributes = info.Attributes;
    printer.priority = info.Priority;
    printer.defaultPriority = info.DefaultPriority;
    printer.startTime = info.StartTime;
    printer.untilTime = info.UntilTime;
    return ERROR_SUCCESS;
}

} // namespace
} // namespace spool
} // namespace winsim

using namespace winsim;
using namespace winsim::spool;

BOOL WINAPI GetPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD cbBuf,
                        LPDWORD pcbNeeded) {
    SpoolerCall roundTrip("GetPrinterW");
    Handle* handle = FindHandle(hPrinter);
    if (!handle)
        return FALSE;
    const Printer& printer = PrinterOf(*handle);
    switch (Level) {
    case 1:
        return AnswerInto(pPrinter, cbBuf, pcbNeeded,
                          [&](BYTE* out) { return PackLevel1(printer, out); });
    case 2:
        return AnswerInto(pPrinter, cbBuf, pcbNeeded,
                          [&](BYTE* out) { return PackLevel2(printer, out); });
    default:
        Unmodelled("GetPrinterW level %u", Level);
    }
}

BOOL WINAPI SetPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD Command) {
    SpoolerCall roundTrip("SetPrinterW");
    Handle* handle = FindHandle(hPrinter);
    if (!handle)
        return FALSE;
    if (Command != 0 || Level != 2)
        Unmodelled("SetPrinterW level %u command %u", Level, Command);
    Printer& printer = PrinterOf(*handle);
    sim::SetPrinterCall call{Utf8(printer.name), Level, Command, FALSE, 0, false, {}};
    DWORD error = ERROR_SUCCESS;
    // Changing the printer is an administrative task, as writing its data is.
    if (!(handle->granted & (PRINTER_ACCESS_ADMINISTER | PRINTER_ACCESS_MANAGE_LIMITED)))
        error = ERROR_ACCESS_DENIED;
    else if (!pPrinter)
        error = ERROR_INVALID_PARAMETER;
    else if (printer.setPrinterError)
        error = printer.setPrinterError;
    else
        error = StoreLevel2(printer, *reinterpret_cast<const PRINTER_INFO_2W*>(pPrinter), call);
    call.result = error == ERROR_SUCCESS;
    call.error = error;
    Spooler().setPrinterLog.push_back(call);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

namespace sim {

const std::vector<SetPrinterCall>& SetPrinterLog() {
    return Spooler().setPrinterLog;
}

void FailSetPrinter(const char* printer, DWORD error) {
    PrinterForTest(printer).setPrinterError = error;
}

std::optional<std::vector<BYTE>> DefaultDevmode(const char* printer) {
    return PrinterForTest(printer).defaultDevmode;
}

void SetDefaultDevmode(const char* printer, const DEVMODEW* devmode) {
    Printer& target = PrinterForTest(printer);
    if (!devmode) {
        target.defaultDevmode.reset();
        return;
    }
    if (!SaneDevmode(devmode))
        Unmodelled("SetDefaultDevmode with dmSize %u", devmode->dmSize);
    target.defaultDevmode = CopyDevmode(devmode);
}

} // namespace sim
