// What the conformance tests' set-up does the same way on both implementations.
#include "platform.h"

#include <winspool.h>

namespace conformance {

const WCHAR kPrinterName[] = TEXT("Tarvik Embosser");

HANDLE OpenTestPrinter(ACCESS_MASK access) {
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &printer, access ? &defaults : nullptr))
        return nullptr;
    return printer;
}

} // namespace conformance
