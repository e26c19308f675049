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

// The printer's information handed to `use` with a handle of `access`.
template <class Use> void WithPrinterInfo(DWORD access, Use use) {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
    DWORD needed = 0;
    OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &printer, &defaults);
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed + 1);
    if (GetPrinterW(printer, 2, info.data(), needed, &needed))
        use(printer, reinterpret_cast<PRINTER_INFO_2W*>(info.data()));
    ClosePrinter(printer);
}

// The printer's default devmode, public and private parts.
inline std::vector<BYTE> DefaultDevmode() {
    std::vector<BYTE> devmode;
    WithPrinterInfo(PRINTER_ACCESS_USE, [&devmode](HANDLE, PRINTER_INFO_2W* info) {
        if (const DEVMODEW* stored = info->pDevMode)
            devmode.assign(reinterpret_cast<const BYTE*>(stored),
                           reinterpret_cast<const BYTE*>(stored) + stored->dmSize +
                               stored->dmDriverExtra);
    });
    return devmode;
}

inline void SetDefaultDevmode(std::vector<BYTE> devmode) {
    WithPrinterInfo(PRINTER_ALL_ACCESS, [&devmode](HANDLE printer, PRINTER_INFO_2W* info) {
        info->pDevMode = reinterpret_cast<DEVMODEW*>(devmode.data());
        info->pSecurityDescriptor = nullptr;
        EXPECT_TRUE(SetPrinterW(printer, 2, reinterpret_cast<BYTE*>(info), 0));
    });
}

using Items = std::vector<std::wstring>;

inline std::wstring Joined(const std::vector<std::wstring>& texts, LPCWSTR between = TEXT(", ")) {
    std::wstring joined;
    for (const std::wstring& text : texts)
        joined += (joined.empty() ? TEXT("") : between) + text;
    return joined;
}

// The "Config" values of `names`, stored as DWORDs: "1 0 2" (-1: none).
inline std::wstring Stored(std::initializer_list<LPCWSTR> names) {
    std::vector<std::wstring> values;
    for (LPCWSTR name : names)
        values.push_back(std::to_wstring(static_cast<int>(ConfigDword(name))));
    return Joined(values, TEXT(" "));
}

// One state of each control, as a person sees it: "101" for IsChecked of three.
inline std::wstring States(bool (*state)(HWND, int), HWND dialog, std::initializer_list<int> ids) {
    std::wstring states;
    for (int id : ids)
        states += state(dialog, id) ? TEXT("1") : TEXT("0");
    return states;
}
