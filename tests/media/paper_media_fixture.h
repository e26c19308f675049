// The printing preferences opened on the Paper/Media page, with the Advanced media and forms
// dialog one click away; forms added to the print server.
#pragma once

#include "support/preferences_fixture.h"

#include "resources/resource.h"
#include "settings/settings_context.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

// An ended modal dialog is hidden until its script returns.
inline bool StillOpen(HWND dialog) {
    return IsWindowVisible(dialog) != FALSE;
}

// Adds a user form to the print server, as another program would.
inline void AddServerForm(const char16_t* name, LONG width, LONG height) {
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinterNameW), &printer, &defaults));
    FORM_INFO_1W form = {
        FORM_USER, const_cast<LPWSTR>(name), {width, height}, {0, 0, width, height}};
    EXPECT_TRUE(AddFormW(printer, 1, reinterpret_cast<LPBYTE>(&form)));
    ClosePrinter(printer);
}

class PaperMediaTest : public PreferencesTest {
protected:
    HWND OpenPaperPage(DEVMODEW* jobDevmode = nullptr) {
        OpenPreferences(jobDevmode);
        return ShowPage(kPaperPage);
    }

    // Clicks "&Advanced ..." on the page; the script is the person in dialog 113 and closes it.
    static void UseAdvancedDialog(HWND page, sim::DialogScript script) {
        sim::ScriptModalDialog(IDD_ADVANCED_MEDIA, std::move(script));
        sim::Click(page, IDC_PAPER_ADVANCED);
    }

    static void StoreCustomMediaType(const char* name, DWORD pair) {
        sim::WritePrinterDword(kPrinterName, "Config\\MediaTypes", name, pair);
    }
    // The custom media type names in the order the registry enumerates them, which is the order
    // the media lists show them in after the five built-in types.
    static std::vector<std::u16string> CustomMediaTypeNames() {
        return sim::RegistryValueNames(HKEY_LOCAL_MACHINE,
                                       u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\"
                                       u"Tarvik Embosser\\Config\\MediaTypes");
    }
    // A custom media type's position in the Advanced dialog's media list, or -1.
    static int AdvancedListPosition(const std::u16string& name) {
        auto names = CustomMediaTypeNames();
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == name)
                return 5 + static_cast<int>(i);
        return -1;
    }
    // The stored DotValuePair of a custom media type, when it is stored as a DWORD.
    static std::optional<DWORD> StoredCustomMediaType(const std::u16string& name) {
        return StoredCustomMediaType(std::string(name.begin(), name.end()).c_str()); // ASCII names
    }
    static std::optional<DWORD> StoredCustomMediaType(const char* name) {
        auto stored = sim::ReadPrinterData(kPrinterName, "Config\\MediaTypes", name);
        if (!stored || stored->type != REG_DWORD || stored->data.size() != 4)
            return std::nullopt;
        DWORD pair;
        std::memcpy(&pair, stored->data.data(), 4);
        return pair;
    }

    static DEVMODEW StoredDefaultDevmode() {
        DEVMODEW devmode = {};
        auto stored = sim::DefaultDevmode(kPrinterName);
        EXPECT_TRUE(stored.has_value());
        if (stored)
            std::memcpy(&devmode, stored->data(), sizeof(devmode));
        return devmode;
    }
};
