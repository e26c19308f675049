// The fuzz targets' simulated machine.
#include "harness/fuzz_machine.h"

#include "core/module_state.h"

#include "sim/accounting.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* object);
STDAPI DllCanUnloadNow();

extern "C" const unsigned char qvembui_res[];
extern const std::size_t qvembui_res_size;

const char kFuzzPrinter[] = "Tarvik Embosser";
const WCHAR kFuzzPrinterW[] = TEXT("Tarvik Embosser");
const char16_t kFuzzPluginPath[] = u"C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\qvembui.dll";
const char16_t kFuzzPrinterLinkPath[] =
    u"C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\qvmonext.dll";
const char16_t kFuzzLocalePath[] = u"C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\qvlocale.dll";

namespace {

HMODULE g_plugin = nullptr;
HANDLE g_userHandle = nullptr;
sim::ResourceCounts g_before;
FuzzPrinterLink g_link;

} // namespace

void FuzzFailure(const char* file, int line, const char* condition, const char* format, ...) {
    std::fprintf(stderr, "\n== Rule broken at %s:%d: %s\n== ", file, line, condition);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fprintf(stderr, "\n");
    std::abort();
}

void StartMachine(const std::vector<std::string>* papers) {
    sim::Reset();
    g_module = nullptr;
    g_serverLocks = 0;
    g_liveObjects = 0;
    g_moduleActCtx = INVALID_HANDLE_VALUE;
    g_loadActCtx = nullptr;
    g_userHandle = nullptr;
    sim::RegisterModule(kFuzzPluginPath, DllMain,
                        {sim::Export("DllGetClassObject", DllGetClassObject),
                         sim::Export("DllCanUnloadNow", DllCanUnloadNow)},
                        qvembui_res, qvembui_res_size);
    g_before = sim::ResourceCounts::Take();
    g_plugin = LoadLibraryW(kFuzzPluginPath);
    FUZZ_CHECK(g_plugin != nullptr, "the plug-in did not load");
    sim::PrinterSetup printer;
    printer.name = kFuzzPrinter;
    printer.driverExtra = 732;
    if (papers != nullptr)
        printer.papers = *papers;
    sim::AddPrinter(printer);
    sim::WritePrinterDword(kFuzzPrinter, "Config", "OutputVersion", 1);
}

void FinishMachine() {
    if (g_userHandle != nullptr)
        ClosePrinter(g_userHandle);
    g_userHandle = nullptr;
    FreeLibrary(g_plugin);
    g_plugin = nullptr;
    // Every count where it was before the plug-in was loaded: printer handles, registry keys,
    // global and heap blocks, GDI objects, windows, libraries, activation contexts.
    std::string leaks = sim::Diff(g_before, sim::ResourceCounts::Take());
    FUZZ_CHECK(leaks.empty(), "something was left behind:\n%s", leaks.c_str());
    // The machine goes with the input: what the run allocated is freed within the run, so
    // libFuzzer's count of allocations and frees balances and it does not run the input a second
    // time looking for a leak.
    g_link = FuzzPrinterLink();
    sim::Reset();
}

HMODULE PluginModule() {
    return g_plugin;
}

HANDLE OpenUserHandle() {
    if (g_userHandle == nullptr)
        FUZZ_CHECK(OpenPrinterW(const_cast<LPWSTR>(kFuzzPrinterW), &g_userHandle, nullptr),
                   "the printer does not open");
    return g_userHandle;
}

SettingsContext* LoadContext(HANDLE printer) {
    SettingsSource source = {printer, g_plugin, GetProcessHeap(), nullptr};
    SettingsContext* context = nullptr;
    FUZZ_CHECK(LoadSettingsContext(source, &context), "the settings context does not load");
    return context;
}

// --- The printer link
// -----------------------------------------------------------------------------

namespace {

DWORD WINAPI GetPrinterSettings(DWORD, LPCWSTR, LPBYTE buffer, DWORD size, DWORD* needed) {
    *needed = static_cast<DWORD>(g_link.settingsBlock.size());
    if (buffer == nullptr || size < g_link.settingsBlock.size())
        return ERROR_INSUFFICIENT_BUFFER;
    if (!g_link.settingsBlock.empty())
        CopyMemory(buffer, g_link.settingsBlock.data(), g_link.settingsBlock.size());
    return 0;
}

DWORD WINAPI SetPrinterParameter(DWORD, LPCWSTR, DWORD id, const LONG* values, DWORD count,
                                 const BYTE* data, DWORD length) {
    SentParameter sent{id, {}, {}};
    if (values != nullptr)
        sent.values.assign(values, values + count);
    if (data != nullptr)
        sent.data.assign(data, data + length);
    g_link.sent.push_back(sent);
    return 0;
}

DWORD WINAPI UpdatePrinter(DWORD, LPCWSTR) {
    ++g_link.updates;
    return 0;
}

DWORD WINAPI LoadTable(DWORD, LPCWSTR, LPCWSTR path, DWORD) {
    ++g_link.loadedTables;
    g_link.loadedTablePath = path;
    return 0;
}

} // namespace

FuzzPrinterLink& PrinterLink() {
    return g_link;
}

void InstallPrinterLink(const std::vector<sim::ModuleExport>& more) {
    g_link = FuzzPrinterLink();
    std::vector<sim::ModuleExport> exports = {
        sim::Export("DllExportGetPrinterSettings", GetPrinterSettings),
        sim::Export("DllExportSetPrinterParameter", SetPrinterParameter),
        sim::Export("DllExportUpdatePrinter", UpdatePrinter),
        sim::Export("DllExportLoadTable", LoadTable)};
    exports.insert(exports.end(), more.begin(), more.end());
    sim::RegisterModule(kFuzzPrinterLinkPath, nullptr, exports);
}

void InstallPrinterLinkWithTree() {
    InstallPrinterLink();
    g_link.settingsBlock.assign(200, 0);
    g_link.settingsBlock[20] = 1;
}

// --- Texts
// ----------------------------------------------------------------------------------------

size_t BoundedLength(const WCHAR* text, size_t chars) {
    size_t length = 0;
    while (length < chars && text[length] != 0)
        ++length;
    return length;
}

std::u16string ConsumeText(FuzzedDataProvider& input, size_t maxChars) {
    std::u16string text;
    while (text.size() < maxChars && input.remaining_bytes() >= 2) {
        char16_t c = input.ConsumeIntegral<uint16_t>();
        if (c == 0)
            break;
        text.push_back(c);
    }
    return text;
}

std::u16string ConsumeTypedText(FuzzedDataProvider& input, size_t maxChars) {
    // A byte 0x01 brings a whole UTF-16 unit; a zero byte ends the text. Keys below the space
    // other than Backspace (Enter, Tab, Ctrl+letters) are not typing, and winsim does not model
    // them in an edit control: they become printable characters.
    auto typeable = [](char16_t c) {
        return c < 0x20 && c != 0x08 ? static_cast<char16_t>(c + 0x20) : c;
    };
    std::u16string text;
    while (text.size() < maxChars && input.remaining_bytes() > 0) {
        uint8_t byte = input.ConsumeIntegral<uint8_t>();
        if (byte == 0)
            break;
        if (byte == 1) {
            char16_t c = input.ConsumeIntegral<uint16_t>();
            if (c != 0)
                text.push_back(typeable(c));
            continue;
        }
        text.push_back(typeable(static_cast<char16_t>(byte)));
    }
    return text;
}

char16_t SortableCharacter(char16_t c) {
    bool sortable = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                    (c >= u'0' && c <= u'9') || c == u' ';
    return sortable ? c : static_cast<char16_t>(u'a' + c % 26);
}

std::u16string ConsumeTypedName(FuzzedDataProvider& input, size_t maxChars) {
    std::u16string name = ConsumeTypedText(input, maxChars);
    for (char16_t& c : name)
        c = SortableCharacter(c);
    return name;
}
