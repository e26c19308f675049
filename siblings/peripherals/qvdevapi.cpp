// The peripherals installation: it leaves the marker that tells the plug-in it has run.
#include "qvdevapi.h"

#include <winspool.h>

namespace {

constexpr DWORD kSilentMode = 5;
constexpr int kNameChars = 260;
const WCHAR kConfigKey[] = TEXT("Config");
const WCHAR kOutputVersion[] = TEXT("OutputVersion");

class ScopedPrinter {
public:
    ScopedPrinter() = default;
    ScopedPrinter(const ScopedPrinter&) = delete;
    ScopedPrinter& operator=(const ScopedPrinter&) = delete;
    ~ScopedPrinter() {
        if (printer_ != nullptr)
            ClosePrinter(printer_);
    }
    HANDLE* put() { return &printer_; }
    HANDLE get() const { return printer_; }

private:
    HANDLE printer_ = nullptr;
};

// The printer's name in UTF-16; false when it is empty, unterminated within 260 bytes or not
// convertible.
bool WidePrinterName(LPCSTR name, WCHAR* wide) {
    int length = 0;
    while (length < kNameChars && name[length] != 0)
        ++length;
    if (length == 0 || length == kNameChars)
        return false;
    int written = MultiByteToWideChar(CP_ACP, 0, name, length, wide, kNameChars - 1);
    if (written <= 0)
        return false;
    wide[written] = 0;
    return true;
}

} // namespace

extern "C" DWORD WINAPI InstallTarvikPeripherals(HWND, HINSTANCE, LPCSTR printerName, DWORD mode) {
    WCHAR name[kNameChars] = {};
    if (printerName == nullptr || mode != kSilentMode || !WidePrinterName(printerName, name))
        return ERROR_INVALID_PARAMETER;
    // Writing printer data needs the right to manage the printer.
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ScopedPrinter printer;
    if (!OpenPrinterW(name, printer.put(), &access))
        return GetLastError();
    DWORD version = kPeripheralsOutputVersion;
    return SetPrinterDataExW(printer.get(), kConfigKey, kOutputVersion, REG_DWORD,
                             reinterpret_cast<LPBYTE>(&version), sizeof(version));
}
