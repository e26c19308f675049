// Every resource a program holds, counted at one moment, so that a test can compare the counts
// before and after a piece of work (a property sheet's life) and name whatever changed.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace sim {

struct ResourceCounts {
    // winspool: printer handles open.
    std::size_t printerHandles = 0;
    // advapi32: registry keys open.
    std::size_t registryKeys = 0;
    // kernel32: GlobalAlloc blocks, heaps created and not destroyed, blocks of every
    // live heap (the process heap first), libraries loaded (with their references), activation
    // contexts alive and activations not undone.
    std::size_t globalBlocks = 0;
    std::size_t heaps = 0;
    std::vector<std::pair<HANDLE, std::size_t>> heapBlocks;
    std::vector<std::pair<std::u16string, int>> libraries;
    std::size_t activationContexts = 0;
    std::size_t activations = 0;
    // gdi32: bitmaps, memory DCs and window DCs.
    std::size_t gdiObjects = 0;
    // user32 and comctl32: windows (the only USER objects winsim hands out), classes registered,
    // timers running, property sheet pages created and not destroyed.
    std::size_t windows = 0;
    std::size_t windowClasses = 0;
    std::size_t timers = 0;
    std::size_t propertySheetPages = 0;
    // shell32 and ole32: file dialogs, shell items, task memory blocks. (COM initialisations are
    // the calling thread's, which a test sets up for the host; ShellLeakReport checks them.)
    std::size_t shellObjects = 0;

    static ResourceCounts Take();
};

// One line per count that differs between the two, saying what it was and what it is now
// ("registry keys open: 0 -> 1"); empty when everything is as it was.
std::string Diff(const ResourceCounts& before, const ResourceCounts& after);

} // namespace sim
