// The configuration module's entry and the printer it is asked about.
#include "driver_module.h"

#include "core/runtime_pool.h"

#include <strsafe.h>
#include <winspool.h>

namespace {
HMODULE g_module = nullptr;
} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    ReleaseRuntimePoolWhenFreed(reason, reserved);
    return TRUE;
}

HMODULE ConfigModuleHandle() {
    return g_module;
}

void DriverFilePath(LPCWSTR fileName, WCHAR* path, DWORD chars) {
    DWORD length = GetModuleFileNameW(g_module, path, chars);
    if (length == 0 || length >= chars)
        length = 0;
    while (length > 0 && path[length - 1] != TEXT('\\'))
        --length;
    path[length] = 0;
    StringCchCatW(path, chars, fileName);
}

CallerPrinter::CallerPrinter(HANDLE given, LPCWSTR name) : handle_(given) {
    if (handle_ != nullptr || name == nullptr)
        return;
    owned_ = OpenPrinterW(const_cast<LPWSTR>(name), &handle_, nullptr) != FALSE;
    if (!owned_)
        handle_ = nullptr;
}

CallerPrinter::~CallerPrinter() {
    if (owned_)
        ClosePrinter(handle_);
}

std::vector<BYTE> ReadPrinterDefaultDevmode(HANDLE printer) {
    std::vector<BYTE> devmode;
    DWORD needed = 0;
    if (printer == nullptr)
        return devmode;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    if (needed == 0)
        return devmode;
    std::vector<BYTE> buffer(needed);
    if (!GetPrinterW(printer, 2, buffer.data(), needed, &needed))
        return devmode;
    const DEVMODEW* stored = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data())->pDevMode;
    if (stored == nullptr || stored->dmSize == 0)
        return devmode;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(stored);
    size_t bytesLeft = buffer.data() + buffer.size() - bytes;
    if (bytes < buffer.data() || bytesLeft < size_t(stored->dmSize) + stored->dmDriverExtra)
        return devmode;
    devmode.assign(bytes, bytes + stored->dmSize + stored->dmDriverExtra);
    return devmode;
}
