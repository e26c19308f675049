// What the process holds, counted as a program can see it from inside: graphics and user objects,
// windows, kernel handles, loaded modules, heaps and the blocks in use in them.
#pragma once

#include <windows.h>

#include <vector>

struct ProcessCounts {
    DWORD gdiObjects = 0;  // GR_GDIOBJECTS (Wine 8 answers 0)
    DWORD userObjects = 0; // GR_USEROBJECTS (Wine 8 answers 0)
    DWORD windows = 0;     // the thread's windows with all their children
    DWORD handles = 0;     // kernel handles; counted one by one where GetProcessHandleCount says 0
    DWORD modules = 0;
    DWORD heaps = 0;
    DWORD processHeapBlocks = 0;
    DWORD otherHeapBlocks = 0;

    static ProcessCounts Take();
};

// One count before and after a run of cycles.
struct Figure {
    const char* name;
    long long first;
    long long after;
    long long Growth() const { return after - first; }
};
std::vector<Figure> Figures(const ProcessCounts& first, const ProcessCounts& after);
