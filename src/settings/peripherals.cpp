// Running the maker's peripherals installation for a printer that has not had it yet.
#include "settings/settings_context.h"

#include "core/activation_context.h"

#include <strsafe.h>

namespace {
// InstallTarvikPeripherals(window, instance, printer name in the ANSI code page, mode).
typedef DWORD(WINAPI* InstallPeripheralsProc)(HWND, HINSTANCE, LPCSTR, DWORD);
constexpr DWORD kInstallMode = 5;
} // namespace

bool InstallPeripherals(SettingsContext* context) {
    WCHAR path[MAX_PATH] = {};
    GetSystemDirectoryW(path, MAX_PATH);
    StringCchCatW(path, MAX_PATH, TEXT("\\qvdevapi.dll"));
    HMODULE library = ModuleLoadLibrary(path);
    if (library == nullptr)
        return false;
    auto install = reinterpret_cast<InstallPeripheralsProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "InstallTarvikPeripherals")));
    if (install != nullptr) {
        CHAR printerName[MAX_PATH] = {};
        StringCchPrintfA(printerName, MAX_PATH, "%ls", context->PrinterName);
        install(nullptr, nullptr, printerName, kInstallMode);
    }
    FreeLibrary(library);
    return install != nullptr;
}
