// What the printer holds beside its "Config" values, and the pages' places in the sheet.
#pragma once

#include "wine_test.h"

#include <winspool.h>

#include <string>
#include <vector>

constexpr int kLayoutPage = 0, kPaperPage = 1, kMainPage = 2;
// The printer's "Config" data in the registry, where the spooler keeps it.
constexpr WCHAR kConfigPath[] =
    TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik Embosser\\Config");
// The property sheet's own Apply button.
constexpr int kSheetApply = 0x3021;

inline const DEVMODEW& Fields(const std::vector<BYTE>& devmode) {
    return *reinterpret_cast<const DEVMODEW*>(devmode.data());
}

// The printer's default devmode, public and private parts.
inline std::vector<BYTE> DefaultDevmode() {
    HANDLE printer = nullptr;
    DWORD needed = 0;
    OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &printer, nullptr);
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed + 1);
    std::vector<BYTE> devmode;
    if (GetPrinterW(printer, 2, info.data(), needed, &needed)) {
        auto* stored = reinterpret_cast<PRINTER_INFO_2W*>(info.data())->pDevMode;
        if (stored != nullptr)
            devmode.assign(reinterpret_cast<BYTE*>(stored), reinterpret_cast<BYTE*>(stored) +
                                                                stored->dmSize +
                                                                stored->dmDriverExtra);
    }
    ClosePrinter(printer);
    return devmode;
}

inline void SetDefaultDevmode(std::vector<BYTE> devmode) {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW manage = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    DWORD needed = 0;
    OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &printer, &manage);
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed + 1);
    if (GetPrinterW(printer, 2, info.data(), needed, &needed)) {
        auto* fields = reinterpret_cast<PRINTER_INFO_2W*>(info.data());
        fields->pDevMode = reinterpret_cast<DEVMODEW*>(devmode.data());
        fields->pSecurityDescriptor = nullptr;
        EXPECT_TRUE(SetPrinterW(printer, 2, info.data(), 0));
    }
    ClosePrinter(printer);
}

inline std::wstring Joined(const std::vector<std::wstring>& texts) {
    std::wstring joined;
    for (const std::wstring& text : texts)
        joined += (joined.empty() ? TEXT("") : TEXT(", ")) + text;
    return joined;
}

inline std::wstring WindowText(HWND window) {
    WCHAR text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

inline void Store(std::initializer_list<std::pair<LPCWSTR, DWORD>> values) {
    for (const auto& value : values)
        SetConfigDword(value.first, value.second);
}

// The "Config" values of `names`, stored as DWORDs: "1 0 2" (-1: none).
inline std::wstring Stored(std::initializer_list<LPCWSTR> names) {
    std::wstring values;
    for (LPCWSTR name : names)
        values += (values.empty() ? TEXT("") : TEXT(" ")) +
                  std::to_wstring(static_cast<int>(ConfigDword(name)));
    return values;
}

// One state of each control, as a person sees it: "101" for IsChecked of three.
inline std::wstring States(bool (*state)(HWND, int), HWND dialog, std::initializer_list<int> ids) {
    std::wstring states;
    for (int id : ids)
        states += state(dialog, id) ? TEXT("1") : TEXT("0");
    return states;
}
