// What the process holds, counted as a program can see it from inside, so that a run of the
// printer's dialogs can be judged by what it left behind. Each count says how it is measured;
// under Wine 8 several system queries answer 0, and the counts come from the tables Wine keeps in
// the process instead.
#pragma once

#include "counter_heap.h"

#include <windows.h>

#include <string>
#include <vector>

struct ProcessCounts {
    // Printer handles of the spooler's client (winspool.drv) in this process. They are not kernel
    // handles: Wine hands out small numbers from a table of its own (1, 2, ...). Every value up to
    // kPrinterHandleLimit is asked for a printer data value that does not exist: a live handle,
    // the plug-in's as well as the program's (all go through the same table), answers "not
    // found", any other value "invalid handle".
    DWORD printerHandles = 0;
    // Kernel handles: the system's handle list (SystemExtendedHandleInformation) filtered to this
    // process; where it cannot be had, every multiple of four below 0x10000 is tried with
    // GetHandleInformation. (GetProcessHandleCount answers 0 under Wine 8.)
    DWORD kernelHandles = 0;
    // The kernel handles whose object type is "Key": open registry keys (under Wine an HKEY is a
    // kernel handle; the predefined roots stay open once used).
    DWORD registryKeys = 0;
    // GDI objects: GR_GDIOBJECTS, or where that is 0 (Wine 8) the live entries of the GDI handle
    // table the system maps into every process (the process environment block's
    // GdiSharedHandleTable). Stock objects count too, so only a difference means something.
    DWORD gdiObjects = 0;
    // User objects: GR_USEROBJECTS, or where that is 0 (Wine 8) the windows below plus the menus,
    // icons and cursors, and accelerator tables found by trying every user handle number
    // (0x20 to 0xFFEE in steps of two; Wine accepts a handle without its generation in the high
    // word) with IsMenu, GetIconInfo and CopyAcceleratorTableW.
    DWORD userObjects = 0;
    // The process's windows: top-level with all their children, and message-only windows.
    DWORD windows = 0;
    DWORD modules = 0; // EnumProcessModules
    // The loader's reference counts of the modules loaded at run time, added up (the loader's
    // module list, where Wine keeps each module's count: one per LoadLibrary not yet freed). A
    // LoadLibrary without FreeLibrary of a module that is loaded already changes no module count,
    // only this one.
    DWORD libraryReferences = 0;
    // Activation contexts activated on this thread and not deactivated: the frames on the
    // thread's activation stack (the thread environment block's ActivationContextStackPointer).
    // Activation context objects themselves cannot be listed; one that is created and never
    // released stays as blocks of the process heap (41 for a manifest with one dependency).
    DWORD activationFrames = 0;
    DWORD heaps = 0; // GetProcessHeaps
    // Blocks in use, walked with HeapWalk: the process heap (HeapAlloc on GetProcessHeap(), and
    // GlobalAlloc and LocalAlloc blocks, fixed or moveable, which live there), and every other
    // heap (the C runtime's malloc and new among them) but the counting's own (CounterHeap).
    DWORD processHeapBlocks = 0;
    DWORD otherHeapBlocks = 0;

    // What some counts are made of, to name what grew; kept in the counting's own heap.
    KindCounts handleTypes;               // kernel handles by object type ("Key", "Event")
    KindCounts gdiTypes;                  // GDI objects by kind ("font", "bitmap")
    CounterList<CounterText> moduleNames; // the loaded modules' file names, in lower case
    KindCounts moduleLoads;               // the loader's count of each module ("qvembui.dll")
    KindCounts processHeapSizes;          // blocks in use by size ("48 bytes")
    KindCounts otherHeapSizes;

    static ProcessCounts Take();
};

constexpr DWORD kPrinterHandleLimit = 1024;

// One count before and after.
struct Figure {
    const char* name; // plural: "GDI objects"
    const char* one;  // singular: "GDI object"
    long long first;
    long long after;
    long long Growth() const { return after - first; }
};
std::vector<Figure> Figures(const ProcessCounts& first, const ProcessCounts& after);

// The modules loaded in `after` that were not in `before`.
CounterList<CounterText> ModulesAdded(const ProcessCounts& before, const ProcessCounts& after);

// What grew from `before` to `after`, "2 GDI objects (font 2), 1 kernel handle (Key 1)", with
// the kinds that grew in brackets; an activation frame taken away counts as well. Process heap
// blocks of the sizes in `expectedBlocks` may grow up to their numbers without counting. Empty
// when nothing grew.
std::string DescribeGrowth(const ProcessCounts& before, const ProcessCounts& after,
                           const KindCounts& expectedBlocks = {});

// The process heap blocks of `expectedBlocks` that are there: by size, as many as grew of that
// size, at most the number expected. "" when none.
std::string DescribeExpectedBlocks(const ProcessCounts& before, const ProcessCounts& after,
                                   const KindCounts& expectedBlocks);
