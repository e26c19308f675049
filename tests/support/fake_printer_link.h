// A printer link library (qvmonext.dll) for tests: it answers from a settings block the test
// builds, records every call, and can be installed with entry points missing.
#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

struct ParameterCall {
    std::u16string printer;
    DWORD id;
    std::vector<LONG> values;
    std::vector<BYTE> data;
};

struct FakePrinterLink {
    // What the library answers.
    std::vector<BYTE> settingsBlock;
    DWORD settingsResult = 0; // result of a filling DllExportGetPrinterSettings call
    DWORD status = 0;
    DWORD statusResult = 0;
    DWORD updateResult = 0;
    DWORD loadTableResult = 0;
    std::map<DWORD, std::u16string> errorTexts;

    // What it was asked.
    int settingsCalls = 0;
    std::vector<ParameterCall> parameters;
    std::vector<std::u16string> updates;
    std::vector<DWORD> services;
    std::vector<HWND> serviceOwners;
    std::vector<std::pair<std::u16string, DWORD>> loadedTables;
};

// The one instance the exported functions use; reset by InstallFakePrinterLink.
FakePrinterLink& PrinterLink();

// Registers qvmonext.dll in the driver directory, without the entry points named in `missing`.
void InstallFakePrinterLink(const std::set<std::string>& missing = {});

// Builds settings blocks record by record; the header (count) comes first.
class SettingsBlockBuilder {
public:
    SettingsBlockBuilder& Values(DWORD id, LONG v1, LONG v2 = 0, LONG v3 = 0, LONG v4 = 0);
    SettingsBlockBuilder& Text(DWORD id, const std::string& text);
    SettingsBlockBuilder& Data(DWORD id, const std::vector<BYTE>& data, DWORD length);
    // The block; the header's count is the number of records including itself unless given.
    std::vector<BYTE> Build(long headerCount = -1) const;

private:
    std::vector<std::vector<BYTE>> records_;
};
