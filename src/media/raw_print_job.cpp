// Raw print jobs and the media type test pattern.
#include "media/raw_print_job.h"

#include "resources/resource.h"
#include "settings/scoped_handles.h"

#include <winspool.h>

namespace {

const WCHAR kRawDataType[] = TEXT("RAW");
// The test pattern's resource type is a name, not one of the platform's numbered types.
const WCHAR kPrinterDataResourceType[] = TEXT("RT_PRN");

// The user's own rights suffice to print; full access is the second try.
DWORD OpenPrinterToPrint(LPCWSTR printerName, ScopedPrinter& printer) {
    if (OpenPrinterW(const_cast<LPWSTR>(printerName), printer.put(), nullptr))
        return ERROR_SUCCESS;
    return OpenPrinterWithFullAccess(printerName, printer);
}

} // namespace

DWORD SendRawPrintJob(LPCWSTR printerName, const void* bytes, DWORD byteCount) {
    ScopedPrinter printer;
    DWORD result = OpenPrinterToPrint(printerName, printer);
    if (result != ERROR_SUCCESS)
        return result;

    DOC_INFO_1W document = {};
    document.pDocName = nullptr;
    document.pOutputFile = nullptr;
    document.pDatatype = const_cast<LPWSTR>(kRawDataType);
    if (StartDocPrinterW(printer.get(), 1, reinterpret_cast<LPBYTE>(&document)) == 0)
        return GetLastError();

    DWORD written = 0;
    if (!WritePrinter(printer.get(), const_cast<void*>(bytes), byteCount, &written))
        result = GetLastError();
    else if (written != byteCount)
        result = ERROR_WRITE_FAULT;
    EndDocPrinter(printer.get());
    return result;
}

void PrintMediaTypeTestPattern(const SettingsContext* context) {
    HMODULE module = context->ResourceModule;
    HRSRC resource =
        FindResourceW(module, MAKEINTRESOURCEW(IDR_TEST_PATTERN), kPrinterDataResourceType);
    if (resource == nullptr)
        return;
    HGLOBAL loaded = LoadResource(module, resource);
    if (loaded == nullptr)
        return;
    const void* bytes = LockResource(loaded);
    if (bytes != nullptr)
        SendRawPrintJob(context->PrinterName, bytes, SizeofResource(module, resource));
    FreeResource(loaded);
}
