// The locale library (qvlocale.dll) and the peripherals library (qvdevapi.dll) for tests: they
// record how the plug-in calls them.
#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

struct FakeLocale {
    // Answers: translations by English text (GetString) and by section and text
    // (GetSectionString); a missing entry answers null.
    std::map<std::u16string, std::u16string> strings;
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> sectionStrings;
    bool createReturnsNull = false;
    // When set, every text the library knows is answered with this pointer instead.
    const WCHAR* rawAnswer = nullptr;

    // Calls.
    std::u16string catalogueFolder, catalogueName;
    HANDLE heap = nullptr;
    std::vector<std::u16string> initLocaleCodes;
    int enumLocalesCalls = 0;
    int disposeCalls = 0;
    std::vector<HWND> translatedWindows;
    std::vector<std::u16string> askedStrings;
};
FakeLocale& Locale();
// The instance handle CreateEx hands out.
HANDLE FakeLocaleInstance();
void InstallFakeLocale(const std::set<std::string>& missing = {});
// `characters` copies of `fill` with no terminator, the last one just before memory that cannot
// be read: a reader that runs past the text crashes at once.
const WCHAR* TextEndingAtUnreadableMemory(size_t characters, char16_t fill);

struct FakePeripherals {
    std::vector<std::string> printerNames; // as the plug-in passed them (single-byte)
    std::vector<DWORD> modes;
    bool writesOutputVersion = false;
};
FakePeripherals& Peripherals();
void InstallFakePeripherals(const std::set<std::string>& missing = {});
