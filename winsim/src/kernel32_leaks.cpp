// What kernel32 and advapi32 resources a test left held, for the "nothing leaked" checks.
#include "internal.h"
#include "sim/kernel.h"
#include "sim/registry.h"

#include <string>

namespace sim {

std::string KernelLeakReport() {
    std::string report;
    auto line = [&](std::size_t count, const char* what) {
        if (count)
            report += std::to_string(count) + " " + what + "\n";
    };
    line(LiveHeapAllocations(GetProcessHeap()), "process heap block(s) not freed");
    line(LiveHeaps(), "heap(s) created and not destroyed");
    line(LiveGlobalBlocks(), "global/local memory block(s) not freed");
    for (const std::u16string& path : LoadedModules())
        report += "library still loaded (" + std::to_string(ModuleLoadCount(path)) +
                  " reference(s)): " + winsim::Utf8(path) + "\n";
    line(LiveActivationContexts(), "activation context(s) not released");
    line(ActivationDepth(), "activation(s) not deactivated");
    for (const std::u16string& path : OpenRegistryKeyPaths())
        report += "registry key not closed: " + winsim::Utf8(path) + "\n";
    return report;
}

} // namespace sim
