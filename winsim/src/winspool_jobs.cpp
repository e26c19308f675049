// winspool: raw print jobs, recorded byte for byte per printer.
#include "winspool_state.h"

namespace winsim {
namespace spool {
namespace {

// The document open on a handle; anything else is a use the model does not cover.
Job& OpenDocument(Handle& handle, const char* function) {
    if (!handle.job)
        Unmodelled("%s without a document started on the handle", function);
    return *handle.job;
}

} // namespace
} // namespace spool
} // namespace winsim

using namespace winsim;
using namespace winsim::spool;

DWORD WINAPI StartDocPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pDocInfo) {
    SpoolerCall roundTrip("StartDocPrinterW");
    Handle* handle = FindHandle(hPrinter);
    if (!handle)
        return 0;
    if (Level != 1)
        Unmodelled("StartDocPrinterW level %u", Level);
    if (handle->job)
        Unmodelled("StartDocPrinterW while a document is open on the handle");
    if (!pDocInfo) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!(handle->granted & PRINTER_ACCESS_USE)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    Printer& printer = PrinterOf(*handle);
    if (printer.startDocError) {
        SetLastError(printer.startDocError);
        return 0;
    }
    const DOC_INFO_1W& info = *reinterpret_cast<const DOC_INFO_1W*>(pDocInfo);
    std::u16string dataType = info.pDatatype ? Text(info.pDatatype) : handle->dataType;
    if (!EqualNoCase(dataType, u"RAW")) {
        SetLastError(ERROR_INVALID_DATATYPE);
        return 0;
    }
    auto job = std::make_unique<Job>();
    job->printer = printer.name;
    job->record.id = Spooler().nextJobId++;
    job->record.document = Utf8(Text(info.pDocName));
    job->record.outputFile = Utf8(Text(info.pOutputFile));
    job->record.dataType = Utf8(dataType);
    job->record.state = sim::PrintJob::State::Printing;
    handle->job = job.get();
    Spooler().jobs.push_back(std::move(job));
    return handle->job->record.id;
}

BOOL WINAPI WritePrinter(HANDLE hPrinter, LPVOID pBuf, DWORD cbBuf, LPDWORD pcWritten) {
    SpoolerCall roundTrip("WritePrinter");
    if (!pcWritten)
        Unmodelled("WritePrinter without pcWritten");
    *pcWritten = 0;
    Handle* handle = FindHandle(hPrinter);
    if (!handle)
        return FALSE;
    Job& job = OpenDocument(*handle, "WritePrinter");
    if (cbBuf && !pBuf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD limit = PrinterOf(*handle).writeLimit;
    DWORD written = limit && cbBuf > limit ? limit : cbBuf;
    const BYTE* bytes = static_cast<const BYTE*>(pBuf);
    job.record.data.insert(job.record.data.end(), bytes, bytes + written);
    *pcWritten = written;
    return TRUE;
}

BOOL WINAPI EndDocPrinter(HANDLE hPrinter) {
    SpoolerCall roundTrip("EndDocPrinter");
    Handle* handle = FindHandle(hPrinter);
    if (!handle)
        return FALSE;
    OpenDocument(*handle, "EndDocPrinter").record.state = sim::PrintJob::State::Completed;
    handle->job = nullptr;
    return TRUE;
}

namespace sim {

std::vector<PrintJob> Jobs(const char* printer) {
    std::u16string name = PrinterForTest(printer).name;
    std::vector<PrintJob> jobs;
    for (const auto& job : Spooler().jobs)
        if (EqualNoCase(job->printer, name))
            jobs.push_back(job->record);
    return jobs;
}

void FailStartDocPrinter(const char* printer, DWORD error) {
    PrinterForTest(printer).startDocError = error;
}

void LimitWritePrinter(const char* printer, DWORD maxBytes) {
    PrinterForTest(printer).writeLimit = maxBytes;
}

} // namespace sim
