// The tests' locale and peripherals libraries.
#include "support/fake_siblings.h"

#include "support/plugin_machine.h"

#include <sys/mman.h>
#include <unistd.h>

namespace {

FakeLocale g_locale;
FakePeripherals g_peripherals;
int g_instanceToken;
std::u16string g_answer;

HANDLE WINAPI CreateEx(LPCWSTR folder, LPCWSTR name, HANDLE heap) {
    g_locale.catalogueFolder = folder;
    g_locale.catalogueName = name;
    g_locale.heap = heap;
    return g_locale.createReturnsNull ? nullptr : FakeLocaleInstance();
}

HANDLE WINAPI Create(LPCWSTR, LPCWSTR) {
    ADD_FAILURE() << "Create is never called";
    return nullptr;
}

void WINAPI Dispose(HANDLE instance) {
    EXPECT_EQ(instance, FakeLocaleInstance());
    ++g_locale.disposeCalls;
}

BOOL WINAPI InitLocale(HANDLE, LPCWSTR code) {
    g_locale.initLocaleCodes.push_back(code);
    return TRUE;
}

BOOL WINAPI EnumLocales(HANDLE, LPVOID* list) {
    ++g_locale.enumLocalesCalls;
    *list = nullptr;
    return TRUE;
}

LPCWSTR WINAPI GetString(HANDLE, LPCWSTR english) {
    g_locale.askedStrings.push_back(english);
    auto it = g_locale.strings.find(english);
    if (it == g_locale.strings.end())
        return nullptr;
    if (g_locale.rawAnswer != nullptr)
        return g_locale.rawAnswer;
    g_answer = it->second;
    return g_answer.c_str();
}

LPCWSTR WINAPI GetSectionString(HANDLE, LPCWSTR section, LPCWSTR english) {
    auto it = g_locale.sectionStrings.find({section, english});
    if (it == g_locale.sectionStrings.end())
        return nullptr;
    if (g_locale.rawAnswer != nullptr)
        return g_locale.rawAnswer;
    g_answer = it->second;
    return g_answer.c_str();
}

BOOL WINAPI TranslateDialog(HANDLE, HWND window) {
    g_locale.translatedWindows.push_back(window);
    return TRUE;
}

DWORD WINAPI InstallTarvikPeripherals(HWND, HINSTANCE, LPCSTR printer, DWORD mode) {
    g_peripherals.printerNames.push_back(printer);
    g_peripherals.modes.push_back(mode);
    if (g_peripherals.writesOutputVersion)
        sim::WritePrinterDword(printer, "Config", "OutputVersion", 1);
    return 0;
}

} // namespace

FakeLocale& Locale() {
    return g_locale;
}
HANDLE FakeLocaleInstance() {
    return &g_instanceToken;
}

void InstallFakeLocale(const std::set<std::string>& missing) {
    g_locale = FakeLocale();
    std::vector<sim::ModuleExport> exports;
    auto offer = [&](const char* name, auto* function) {
        if (!missing.count(name))
            exports.push_back(sim::Export(name, function));
    };
    offer("Create", Create);
    offer("CreateEx", CreateEx);
    offer("Dispose", Dispose);
    offer("InitLocale", InitLocale);
    offer("EnumLocales", EnumLocales);
    offer("GetString", GetString);
    offer("GetSectionString", GetSectionString);
    offer("TranslateDialog", TranslateDialog);
    sim::RegisterModule(kLocalePath, nullptr, exports);
}

FakePeripherals& Peripherals() {
    return g_peripherals;
}

void InstallFakePeripherals(const std::set<std::string>& missing) {
    g_peripherals = FakePeripherals();
    std::vector<sim::ModuleExport> exports;
    if (!missing.count("InstallTarvikPeripherals"))
        exports.push_back(sim::Export("InstallTarvikPeripherals", InstallTarvikPeripherals));
    sim::RegisterModule(kPeripheralsPath, nullptr, exports);
}

const WCHAR* TextEndingAtUnreadableMemory(size_t characters, char16_t fill) {
    // Whole pages for the text, one more that cannot be read; left mapped for the process.
    size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    size_t bytes = (characters * sizeof(WCHAR) + page - 1) / page * page;
    void* mapping =
        mmap(nullptr, bytes + page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED)
        return nullptr;
    char* guard = static_cast<char*>(mapping) + bytes;
    mprotect(guard, page, PROT_NONE);
    auto* text = reinterpret_cast<WCHAR*>(guard) - characters;
    for (size_t i = 0; i < characters; ++i)
        text[i] = fill;
    return text;
}
