// Counting the process's resources through the platform's own queries.
#include "process_counts.h"

#include <psapi.h>
#include <winternl.h>

namespace {

// Blocks in use in one heap, walked under the heap's lock.
DWORD BusyBlocks(HANDLE heap) {
    DWORD busy = 0;
    if (!HeapLock(heap))
        return 0;
    PROCESS_HEAP_ENTRY entry;
    ZeroMemory(&entry, sizeof(entry));
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            ++busy;
    HeapUnlock(heap);
    return busy;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

DWORD ThreadWindows() {
    DWORD count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Kernel handles are multiples of four; a value is a live handle when the kernel knows its flags.
DWORD ProbeHandles() {
    DWORD count = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    return count;
}

// GDI objects alive, from the handle table the system maps into every process (the process
// environment block's GdiSharedHandleTable, 24-byte entries whose type byte is 0 when free);
// stock objects are counted too, so only a difference means something.
DWORD GdiTableObjects() {
    PROCESS_BASIC_INFORMATION basic;
    ULONG size = 0;
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic,
                                  sizeof(basic), &size) != 0)
        return 0;
    const BYTE* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
    const BYTE* table = *reinterpret_cast<const BYTE* const*>(peb + 0xF8);
    MEMORY_BASIC_INFORMATION region;
    if (table == nullptr || VirtualQuery(table, &region, sizeof(region)) == 0 ||
        region.State != MEM_COMMIT)
        return 0;
    SIZE_T readable = region.RegionSize - (table - static_cast<const BYTE*>(region.BaseAddress));
    SIZE_T entries = readable / 24;
    if (entries > 0x10000)
        entries = 0x10000;
    DWORD live = 0;
    for (SIZE_T i = 0; i < entries; ++i)
        if (table[i * 24 + 14] != 0)
            ++live;
    return live;
}

DWORD LoadedModules() {
    DWORD needed = 0;
    std::vector<HMODULE> modules(1024);
    if (!EnumProcessModules(GetCurrentProcess(), modules.data(),
                            static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed))
        return 0;
    return needed / sizeof(HMODULE);
}

} // namespace

ProcessCounts ProcessCounts::Take() {
    ProcessCounts counts;
    HANDLE process = GetCurrentProcess();
    counts.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    if (counts.gdiObjects == 0)
        counts.gdiObjects = GdiTableObjects();
    counts.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    counts.windows = ThreadWindows();
    if (!GetProcessHandleCount(process, &counts.handles) || counts.handles == 0)
        counts.handles = ProbeHandles();
    counts.modules = LoadedModules();
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    counts.heaps = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (counts.heaps > heaps.size())
        counts.heaps = static_cast<DWORD>(heaps.size());
    for (DWORD i = 0; i < counts.heaps; ++i) {
        if (heaps[i] == GetProcessHeap())
            counts.processHeapBlocks = BusyBlocks(heaps[i]);
        else
            counts.otherHeapBlocks += BusyBlocks(heaps[i]);
    }
    return counts;
}

std::vector<Figure> Figures(const ProcessCounts& first, const ProcessCounts& after) {
    return {
        {"GDI objects (GR_GDIOBJECTS, else the handle table)", first.gdiObjects, after.gdiObjects},
        {"user objects (GR_USEROBJECTS)", first.userObjects, after.userObjects},
        {"windows", first.windows, after.windows},
        {"kernel handles", first.handles, after.handles},
        {"loaded modules", first.modules, after.modules},
        {"heaps", first.heaps, after.heaps},
        {"process heap blocks in use", first.processHeapBlocks, after.processHeapBlocks},
        {"blocks in use in the other heaps", first.otherHeapBlocks, after.otherHeapBlocks},
    };
}
