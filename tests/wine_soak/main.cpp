// The printer's dialogs opened and closed again and again, as a word processor's print dialog or
// the printer folder does over hours. What the process holds after the last cycle is compared
// with what it held after the first: nothing may have grown. The platform does the same without
// the plug-in's work (a plain sheet of as many pages, the same libraries loaded and freed), and
// its figures are printed beside ours, so that a failure shows whether Wine grew as well. (Every
// DLL of this build gives back the C++ runtime's emergency exception pool when it is freed;
// before it did, each load left 74752 bytes behind in the C runtime's heap.)
// Usage: wine_soak.exe [cycles] (200 when not given).
#include "check_log.h"
#include "folders.h"
#include "process_counts.h"
#include "sheet_cycles.h"
#include "test_printer.h"

#include "core_driver.h"

#include <strsafe.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kDefaultCycles = 200;

std::wstring g_printerLink;

// The printer link lives next to the plug-in in the driver directory, where the plug-in looks
// for it; the plain sheets load it too, as the platform's share of a cycle.
bool InstallPrinterLink(LPCWSTR folder) {
    bool copied = CopyFileInto(folder, DriverFolder(), TEXT("qvmonext.dll"), &g_printerLink);
    return Check("the printer link qvmonext.dll in the driver directory", copied, "copied",
                 Outcome(copied, "copied"));
}

// The registry values an installed suite leaves, so that every sheet opens and closes the keys
// that hold them.
bool SetRegistryText(HKEY root, LPCWSTR path, LPCWSTR name, LPCWSTR text) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 (lstrlenW(text) + 1) * sizeof(WCHAR));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool InstallSuiteValues() {
    bool set = SetRegistryText(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\Quorvane"), TEXT("QVDir"),
                               TEXT("C:\\Program Files\\Quorvane")) &&
               SetRegistryText(HKEY_CURRENT_USER, TEXT("SOFTWARE\\Quorvane\\Patterns"),
                               TEXT("CurrentPattern"), TEXT("Dots.dat"));
    return Check("the suite's registry values", set, "set", set ? "set" : "not set");
}

std::string Figures(const Figure& figure, int cycles) {
    return "first " + std::to_string(figure.first) + ", after " + std::to_string(cycles) +
           " cycles " + std::to_string(figure.after) + ", difference " +
           std::to_string(figure.Growth());
}

// Runs `cycle` as often as asked; the counts after the first run (which loads what stays loaded
// for good: common controls, the spooler's client) against those after the last.
std::vector<Figure> Soak(const std::string& what, const std::function<bool()>& cycle, int cycles) {
    Note("%s, %d times", what.c_str(), cycles);
    bool opened = cycle();
    if (!Check((what + ", first cycle").c_str(), opened, "done", opened ? "done" : "failed"))
        return {};
    ProcessCounts first = ProcessCounts::Take();
    int done = 1;
    for (int i = 1; i < cycles; ++i)
        if (cycle())
            ++done;
    CheckNumber((what + ", cycles done").c_str(), static_cast<unsigned long long>(cycles),
                static_cast<unsigned long long>(done));
    std::vector<Figure> figures = Figures(first, ProcessCounts::Take());
    for (const Figure& figure : figures)
        Note("%s: %s", figure.name, Figures(figure, cycles).c_str());
    return figures;
}

void CompareWithPlatform(const std::string& what, const std::vector<Figure>& plugin,
                         const std::vector<Figure>& platform, int cycles) {
    if (plugin.size() != platform.size())
        return;
    for (size_t i = 0; i < plugin.size(); ++i) {
        Check((what + ": " + plugin[i].name).c_str(), plugin[i].Growth() == 0,
              "no growth (the platform alone: " + std::to_string(platform[i].Growth()) + ")",
              Figures(plugin[i], cycles));
    }
}

} // namespace

int main(int argc, char** argv) {
    int cycles = argc > 1 ? std::atoi(argv[1]) : kDefaultCycles;
    if (cycles < 2)
        cycles = kDefaultCycles;
    WCHAR folder[MAX_PATH];
    if (!ProgramFolder(folder))
        return 2;

    Note("a Tarvik printer on the spooler");
    if (!InstallTestPrinter(folder) || !InstallPrinterLink(folder) || !InstallSuiteValues())
        return FinishChecks("wine_soak");
    WCHAR plugin[MAX_PATH];
    PluginModulePath(plugin, MAX_PATH);

    auto preferences = Soak(
        "printing preferences opened and closed", [&] { return OpenAndClosePreferences(plugin); },
        cycles);
    auto plainThree = Soak(
        "the platform alone: a plain sheet of three pages",
        [&] { return OpenAndClosePlainSheet(plugin, g_printerLink.c_str(), 3); }, cycles);
    auto properties = Soak(
        "printer properties opened and closed", [&] { return OpenAndCloseProperties(plugin); },
        cycles);
    auto plainOne = Soak(
        "the platform alone: a plain sheet of one page",
        [&] { return OpenAndClosePlainSheet(plugin, g_printerLink.c_str(), 1); }, cycles);
    // Loaded-module counts hide a library whose references only pile up; ask for each by name.
    Check("the plug-in is unloaded after the last cycle", GetModuleHandleW(plugin) == nullptr,
          "not loaded", GetModuleHandleW(plugin) ? "loaded" : "not loaded");
    Check("the printer link is unloaded after the last cycle",
          GetModuleHandleW(g_printerLink.c_str()) == nullptr, "not loaded",
          GetModuleHandleW(g_printerLink.c_str()) ? "loaded" : "not loaded");
    CompareWithPlatform("printing preferences", preferences, plainThree, cycles);
    CompareWithPlatform("printer properties", properties, plainOne, cycles);
    RemoveTestPrinter();
    return FinishChecks("wine_soak");
}
