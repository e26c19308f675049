// Counting every resource the machine has handed out, and naming what changed between two counts.
#include "internal.h"
#include "sim/accounting.h"
#include "sim/gdi.h"
#include "sim/kernel.h"
#include "sim/registry.h"
#include "sim/shell.h"
#include "sim/spooler.h"
#include "sim/ui.h"

#include <cstdio>
#include <map>

namespace sim {

ResourceCounts ResourceCounts::Take() {
    ResourceCounts counts;
    counts.printerHandles = OpenPrinterHandles();
    counts.registryKeys = OpenRegistryKeys();
    counts.globalBlocks = LiveGlobalBlocks();
    counts.heaps = LiveHeaps();
    counts.heapBlocks = LiveHeapBlocks();
    for (const std::u16string& path : LoadedModules())
        counts.libraries.emplace_back(path, ModuleLoadCount(path));
    counts.activationContexts = LiveActivationContexts();
    counts.activations = ActivationDepth();
    counts.gdiObjects = LiveGdiObjects();
    counts.windows = LiveWindowCount();
    counts.windowClasses = RegisteredWindowClasses();
    counts.timers = ActiveTimers().size();
    counts.propertySheetPages = LivePropertySheetPages();
    counts.shellObjects = LiveFileDialogs() + LiveShellItems() + LiveCoTaskMemBlocks();
    return counts;
}

namespace {

void Compare(std::string& report, const char* what, long long before, long long after) {
    if (before != after)
        report += std::string(what) + ": " + std::to_string(before) + " -> " +
                  std::to_string(after) + "\n";
}

std::string HeapName(HANDLE heap) {
    if (heap == GetProcessHeap())
        return "process heap";
    char name[40];
    std::snprintf(name, sizeof(name), "heap %p", heap);
    return name;
}

void CompareHeaps(std::string& report, const ResourceCounts& before, const ResourceCounts& after) {
    std::map<HANDLE, std::size_t> was(before.heapBlocks.begin(), before.heapBlocks.end());
    for (const auto& heap : after.heapBlocks) {
        auto found = was.find(heap.first);
        std::size_t blocksBefore = found != was.end() ? found->second : 0;
        if (found != was.end())
            was.erase(found);
        Compare(report, (HeapName(heap.first) + " blocks").c_str(),
                static_cast<long long>(blocksBefore), static_cast<long long>(heap.second));
    }
    for (const auto& gone : was)
        report +=
            HeapName(gone.first) + " destroyed (held " + std::to_string(gone.second) + " blocks)\n";
}

void CompareLibraries(std::string& report, const ResourceCounts& before,
                      const ResourceCounts& after) {
    std::map<std::u16string, int> was(before.libraries.begin(), before.libraries.end());
    for (const auto& library : after.libraries) {
        int referencesBefore = was.count(library.first) ? was[library.first] : 0;
        was.erase(library.first);
        Compare(report, ("references to " + winsim::Utf8(library.first)).c_str(), referencesBefore,
                library.second);
    }
    for (const auto& gone : was)
        Compare(report, ("references to " + winsim::Utf8(gone.first)).c_str(), gone.second, 0);
}

} // namespace

std::string Diff(const ResourceCounts& before, const ResourceCounts& after) {
    std::string report;
    auto count = [&](const char* what, std::size_t ResourceCounts::*field) {
        Compare(report, what, static_cast<long long>(before.*field),
                static_cast<long long>(after.*field));
    };
    count("printer handles open", &ResourceCounts::printerHandles);
    count("registry keys open", &ResourceCounts::registryKeys);
    count("global blocks", &ResourceCounts::globalBlocks);
    count("heaps", &ResourceCounts::heaps);
    CompareHeaps(report, before, after);
    CompareLibraries(report, before, after);
    count("activation contexts", &ResourceCounts::activationContexts);
    count("activations not undone", &ResourceCounts::activations);
    count("GDI objects", &ResourceCounts::gdiObjects);
    count("windows", &ResourceCounts::windows);
    count("window classes", &ResourceCounts::windowClasses);
    count("timers", &ResourceCounts::timers);
    count("property sheet pages", &ResourceCounts::propertySheetPages);
    count("shell objects", &ResourceCounts::shellObjects);
    return report;
}

} // namespace sim
