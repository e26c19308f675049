// Loading the printer link library and finding its entry points.
#include "link/printer_link.h"

#include "core/activation_context.h"

#include <strsafe.h>
#include <winspool.h>

namespace {
constexpr int kLibraryPathChars = 4096;
const WCHAR kPrinterLinkLibrary[] = TEXT("\\3\\qvmonext.dll");
} // namespace

FARPROC FindPrinterLinkEntry(SettingsContext* context, const char* name) {
    if (context->PrinterLinkModule == nullptr) {
        WCHAR path[kLibraryPathChars] = {};
        StringCchCopyW(path, kLibraryPathChars, DriverDirectory(context));
        StringCchCatW(path, kLibraryPathChars, kPrinterLinkLibrary);
        // A failed load is tried again at the next look-up.
        context->PrinterLinkModule = ModuleLoadLibrary(path);
        if (context->PrinterLinkModule == nullptr)
            return nullptr;
    }
    return GetProcAddress(context->PrinterLinkModule, name);
}
