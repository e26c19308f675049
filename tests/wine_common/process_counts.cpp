// Counting the process's resources through the platform's own queries and tables.
#include "process_counts.h"

#include <psapi.h>
#include <winspool.h>
#include <winternl.h>

#include <algorithm>
#include <iterator>
#include <cstdio>

namespace {

CounterText SizeName(DWORD size) {
    char text[24];
    std::snprintf(text, sizeof(text), "%lu bytes", static_cast<unsigned long>(size));
    return text;
}

// Blocks in use in one heap, walked under the heap's lock, and how many there are of each size.
DWORD BusyBlocks(HANDLE heap, KindCounts& sizes) {
    DWORD busy = 0;
    if (!HeapLock(heap))
        return 0;
    PROCESS_HEAP_ENTRY entry;
    ZeroMemory(&entry, sizeof(entry));
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
            ++busy;
            ++sizes[SizeName(entry.cbData)];
        }
    HeapUnlock(heap);
    return busy;
}

void CountHeaps(ProcessCounts& counts) {
    CounterList<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    counts.heaps = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (counts.heaps > heaps.size())
        counts.heaps = static_cast<DWORD>(heaps.size());
    for (DWORD i = 0; i < counts.heaps; ++i) {
        if (heaps[i] == CounterHeap())
            continue;
        if (heaps[i] == GetProcessHeap())
            counts.processHeapBlocks = BusyBlocks(heaps[i], counts.processHeapSizes);
        else
            counts.otherHeapBlocks += BusyBlocks(heaps[i], counts.otherHeapSizes);
    }
}

DWORD PrinterHandles() {
    DWORD count = 0;
    for (ULONG_PTR value = 1; value <= kPrinterHandleLimit; ++value) {
        DWORD type = 0;
        DWORD needed = 0;
        DWORD result = GetPrinterDataExW(reinterpret_cast<HANDLE>(value), TEXT(""),
                                         TEXT("NoValueHasThisName"), &type, nullptr, 0, &needed);
        if (result != ERROR_INVALID_HANDLE)
            ++count;
    }
    return count;
}

// The system's list of handles, one entry per handle of every process.
struct HandleEntry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR value;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG attributes;
    ULONG reserved;
};
struct HandleList {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};
constexpr ULONG kSystemExtendedHandleInformation = 64;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

CounterText HandleTypeName(HANDLE handle) {
    alignas(8) BYTE buffer[1024];
    ULONG size = 0;
    if (NtQueryObject(handle, ObjectTypeInformation, buffer, sizeof(buffer), &size) != 0)
        return "unknown";
    const auto* type = reinterpret_cast<const PUBLIC_OBJECT_TYPE_INFORMATION*>(buffer);
    CounterText name;
    for (USHORT i = 0; i < type->TypeName.Length / sizeof(WCHAR); ++i)
        name += static_cast<char>(type->TypeName.Buffer[i]);
    return name;
}

CounterList<HANDLE> OwnHandlesFromSystemList() {
    CounterList<HANDLE> handles;
    CounterList<BYTE> buffer(64 * 1024);
    NTSTATUS status = kInfoLengthMismatch;
    for (int attempt = 0; attempt < 8 && status == kInfoLengthMismatch; ++attempt) {
        ULONG size = 0;
        status = NtQuerySystemInformation(
            static_cast<SYSTEM_INFORMATION_CLASS>(kSystemExtendedHandleInformation), buffer.data(),
            static_cast<ULONG>(buffer.size()), &size);
        if (status == kInfoLengthMismatch)
            buffer.resize(std::max<size_t>(buffer.size() * 2, size + 4096));
    }
    if (status != 0)
        return handles;
    const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
    for (ULONG_PTR i = 0; i < list->count; ++i)
        if (list->entries[i].processId == GetCurrentProcessId())
            handles.push_back(reinterpret_cast<HANDLE>(list->entries[i].value));
    return handles;
}

// Kernel handles are multiples of four; a value is a live handle when the kernel knows its flags.
CounterList<HANDLE> OwnHandlesProbed() {
    CounterList<HANDLE> handles;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            handles.push_back(reinterpret_cast<HANDLE>(value));
    }
    return handles;
}

void CountKernelHandles(ProcessCounts& counts) {
    CounterList<HANDLE> handles = OwnHandlesFromSystemList();
    if (handles.empty())
        handles = OwnHandlesProbed();
    counts.kernelHandles = static_cast<DWORD>(handles.size());
    for (HANDLE handle : handles)
        ++counts.handleTypes[HandleTypeName(handle)];
    counts.registryKeys = counts.handleTypes["Key"];
}

const BYTE* ProcessEnvironmentBlock() {
    PROCESS_BASIC_INFORMATION basic;
    ULONG size = 0;
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic,
                                  sizeof(basic), &size) != 0)
        return nullptr;
    return reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
}

// The table keeps each object's base type: a pen shows as a brush, a metafile DC as a DC. The
// numbers were measured under Wine by creating one object of each kind; every window DC comes
// with one object of type 0x05 and a region.
CounterText GdiTypeName(BYTE type) {
    switch (type) {
    case 0x01:
        return "DC";
    case 0x04:
        return "region";
    case 0x05:
        return "window DC surface";
    case 0x06:
        return "metafile";
    case 0x08:
        return "palette";
    case 0x09:
        return "bitmap";
    case 0x0A:
        return "font";
    case 0x10:
        return "brush or pen";
    }
    char text[16];
    std::snprintf(text, sizeof(text), "type 0x%02X", type);
    return text;
}

// GDI objects alive, from the handle table the system maps into every process (the process
// environment block's GdiSharedHandleTable at 0xF8, 24-byte entries whose type byte, at 14, is 0
// when the entry is free).
void CountGdiTable(ProcessCounts& counts) {
    const BYTE* peb = ProcessEnvironmentBlock();
    if (peb == nullptr)
        return;
    const BYTE* table = *reinterpret_cast<const BYTE* const*>(peb + 0xF8);
    MEMORY_BASIC_INFORMATION region;
    if (table == nullptr || VirtualQuery(table, &region, sizeof(region)) == 0 ||
        region.State != MEM_COMMIT)
        return;
    SIZE_T readable = region.RegionSize - (table - static_cast<const BYTE*>(region.BaseAddress));
    SIZE_T entries = std::min<SIZE_T>(readable / 24, 0x10000);
    for (SIZE_T i = 0; i < entries; ++i) {
        BYTE type = table[i * 24 + 14];
        if (type != 0) {
            ++counts.gdiObjects;
            ++counts.gdiTypes[GdiTypeName(type)];
        }
    }
}

// Menus, icons and cursors, and accelerator tables, found by their handle numbers.
DWORD ProbedUserObjects() {
    DWORD count = 0;
    for (ULONG_PTR value = 0x20; value <= 0xFFEE; value += 2) {
        if (IsMenu(reinterpret_cast<HMENU>(value)))
            ++count;
        ICONINFO icon;
        if (GetIconInfo(reinterpret_cast<HICON>(value), &icon)) {
            ++count;
            if (icon.hbmMask != nullptr)
                DeleteObject(icon.hbmMask);
            if (icon.hbmColor != nullptr)
                DeleteObject(icon.hbmColor);
        }
        if (CopyAcceleratorTableW(reinterpret_cast<HACCEL>(value), nullptr, 0) > 0)
            ++count;
    }
    return count;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    EnumChildWindows(window, CountWindowAndChildren, count);
    return TRUE;
}

BOOL CALLBACK CountOwnTopLevelWindow(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId())
        CountWindowAndChildren(window, count);
    return TRUE;
}

DWORD ProcessWindows() {
    DWORD count = 0;
    EnumWindows(CountOwnTopLevelWindow, reinterpret_cast<LPARAM>(&count));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
        CountOwnTopLevelWindow(window, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The thread's own basic information, of which the thread environment block's address is used.
struct ThreadBasics {
    NTSTATUS exitStatus;
    PVOID environmentBlock;
    CLIENT_ID clientId;
    KAFFINITY affinityMask;
    LONG priority;
    LONG basePriority;
};

// The frames of the thread's activation stack: the thread environment block points at the stack
// (0x2C8 on x64), whose first member is the innermost frame; each frame starts with its caller's.
DWORD ActivationFrames() {
    ThreadBasics basics;
    if (NtQueryInformationThread(GetCurrentThread(), ThreadBasicInformation, &basics,
                                 sizeof(basics), nullptr) != 0)
        return 0;
    const BYTE* teb = static_cast<const BYTE*>(basics.environmentBlock);
    const void* const* stack = *reinterpret_cast<const void* const* const*>(teb + 0x2C8);
    if (stack == nullptr)
        return 0;
    DWORD frames = 0;
    for (const void* const* frame = static_cast<const void* const*>(stack[0]);
         frame != nullptr && frames < 4096; frame = static_cast<const void* const*>(frame[0]))
        ++frames;
    return frames;
}

// The loader's reference counts: the process environment block's loader data (0x18) holds the
// modules in load order (0x10); each entry's base name is at 0x58 and its load count, a SHORT,
// at 0x6C (-1 for a module that stays for good). Wine keeps the real count there: every
// LoadLibrary adds one, every FreeLibrary takes one away.
void CountLibraryReferences(ProcessCounts& counts) {
    const BYTE* peb = ProcessEnvironmentBlock();
    if (peb == nullptr)
        return;
    const BYTE* loader = *reinterpret_cast<const BYTE* const*>(peb + 0x18);
    if (loader == nullptr)
        return;
    const auto* head = reinterpret_cast<const LIST_ENTRY*>(loader + 0x10);
    int guard = 0;
    for (const LIST_ENTRY* entry = head->Flink; entry != head && ++guard < 4096;
         entry = entry->Flink) {
        const BYTE* module = reinterpret_cast<const BYTE*>(entry);
        SHORT loads = *reinterpret_cast<const SHORT*>(module + 0x6C);
        if (loads <= 0)
            continue;
        const auto* name = reinterpret_cast<const UNICODE_STRING*>(module + 0x58);
        CounterText text;
        for (USHORT i = 0; i < name->Length / sizeof(WCHAR); ++i) {
            WCHAR letter = name->Buffer[i];
            text +=
                static_cast<char>(letter >= 'A' && letter <= 'Z' ? letter + ('a' - 'A') : letter);
        }
        counts.libraryReferences += static_cast<DWORD>(loads);
        counts.moduleLoads[text] += static_cast<DWORD>(loads);
    }
}

void ListModules(ProcessCounts& counts) {
    DWORD needed = 0;
    CounterList<HMODULE> modules(1024);
    if (!EnumProcessModules(GetCurrentProcess(), modules.data(),
                            static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed))
        return;
    counts.modules = static_cast<DWORD>(std::min<size_t>(needed / sizeof(HMODULE), modules.size()));
    for (DWORD i = 0; i < counts.modules; ++i) {
        char name[MAX_PATH] = "";
        GetModuleBaseNameA(GetCurrentProcess(), modules[i], name, MAX_PATH);
        CharLowerA(name);
        counts.moduleNames.push_back(name);
    }
    std::sort(counts.moduleNames.begin(), counts.moduleNames.end());
}

// How much each kind grew, less what `expected` allows of it.
KindCounts Grown(const KindCounts& before, const KindCounts& after,
                 const KindCounts& expected = {}) {
    KindCounts grown;
    for (const auto& kind : after) {
        auto found = before.find(kind.first);
        long long growth = static_cast<long long>(kind.second) -
                           (found == before.end() ? 0 : static_cast<long long>(found->second));
        auto allowed = expected.find(kind.first);
        if (allowed != expected.end())
            growth -= allowed->second;
        if (growth > 0)
            grown[kind.first] = static_cast<DWORD>(growth);
    }
    return grown;
}

long long Total(const KindCounts& kinds) {
    long long total = 0;
    for (const auto& kind : kinds)
        total += kind.second;
    return total;
}

// "name n, name n", the first few kinds.
std::string KindList(const KindCounts& kinds) {
    constexpr int kMostKinds = 6;
    std::string list;
    int named = 0;
    for (const auto& kind : kinds) {
        if (++named > kMostKinds) {
            list += ", ...";
            break;
        }
        list += (list.empty() ? "" : ", ") + std::string(kind.first.c_str()) + " " +
                std::to_string(kind.second);
    }
    return list;
}

std::string Kinds(const KindCounts& before, const KindCounts& after,
                  const KindCounts& expected = {}) {
    std::string list = KindList(Grown(before, after, expected));
    return list.empty() ? "" : " (" + list + ")";
}

// The blocks of the expected sizes that grew, at most as many as expected.
KindCounts ExpectedPresent(const ProcessCounts& before, const ProcessCounts& after,
                           const KindCounts& expected) {
    KindCounts all = Grown(before.processHeapSizes, after.processHeapSizes);
    KindCounts present;
    for (const auto& kind : expected) {
        auto grown = all.find(kind.first);
        if (grown != all.end())
            present[kind.first] = std::min(grown->second, kind.second);
    }
    return present;
}

} // namespace

ProcessCounts ProcessCounts::Take() {
    ProcessCounts counts;
    HANDLE process = GetCurrentProcess();
    // First what the counting itself may touch for the first time: the spooler's client.
    counts.printerHandles = PrinterHandles();
    counts.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    counts.windows = ProcessWindows();
    if (counts.userObjects == 0)
        counts.userObjects = counts.windows + ProbedUserObjects();
    counts.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    if (counts.gdiObjects == 0)
        CountGdiTable(counts);
    CountKernelHandles(counts);
    ListModules(counts);
    CountLibraryReferences(counts);
    counts.activationFrames = ActivationFrames();
    CountHeaps(counts);
    return counts;
}

std::vector<Figure> Figures(const ProcessCounts& first, const ProcessCounts& after) {
    return {
        {"printer handles", "printer handle", first.printerHandles, after.printerHandles},
        {"kernel handles", "kernel handle", first.kernelHandles, after.kernelHandles},
        {"registry keys", "registry key", first.registryKeys, after.registryKeys},
        {"GDI objects", "GDI object", first.gdiObjects, after.gdiObjects},
        {"user objects", "user object", first.userObjects, after.userObjects},
        {"windows", "window", first.windows, after.windows},
        {"loaded modules", "loaded module", first.modules, after.modules},
        {"library references", "library reference", first.libraryReferences,
         after.libraryReferences},
        {"active activation contexts", "active activation context", first.activationFrames,
         after.activationFrames},
        {"heaps", "heap", first.heaps, after.heaps},
        {"process heap blocks", "process heap block", first.processHeapBlocks,
         after.processHeapBlocks},
        {"blocks in other heaps", "block in another heap", first.otherHeapBlocks,
         after.otherHeapBlocks},
    };
}

CounterList<CounterText> ModulesAdded(const ProcessCounts& before, const ProcessCounts& after) {
    CounterList<CounterText> added;
    std::set_difference(after.moduleNames.begin(), after.moduleNames.end(),
                        before.moduleNames.begin(), before.moduleNames.end(),
                        std::back_inserter(added));
    return added;
}

std::string DescribeExpectedBlocks(const ProcessCounts& before, const ProcessCounts& after,
                                   const KindCounts& expectedBlocks) {
    return KindList(ExpectedPresent(before, after, expectedBlocks));
}

std::string DescribeGrowth(const ProcessCounts& before, const ProcessCounts& after,
                           const KindCounts& expectedBlocks) {
    KindCounts expectedPresent = ExpectedPresent(before, after, expectedBlocks);
    std::string modulesNamed;
    for (const CounterText& name : ModulesAdded(before, after))
        modulesNamed += (modulesNamed.empty() ? "" : ", ") + std::string(name.c_str());
    std::string described;
    for (const Figure& figure : Figures(before, after)) {
        const std::string name = figure.name;
        long long grown = figure.Growth();
        if (name == "process heap blocks")
            grown -= Total(expectedPresent);
        // An activation deactivated once too often is as wrong as one left active.
        if (name == "active activation contexts" && grown < 0)
            grown = -grown;
        if (grown <= 0)
            continue;
        std::string item = std::to_string(grown) + " " + (grown == 1 ? figure.one : figure.name);
        if (name == "kernel handles")
            item += Kinds(before.handleTypes, after.handleTypes);
        else if (name == "GDI objects")
            item += Kinds(before.gdiTypes, after.gdiTypes);
        else if (name == "process heap blocks")
            item += Kinds(before.processHeapSizes, after.processHeapSizes, expectedPresent);
        else if (name == "blocks in other heaps")
            item += Kinds(before.otherHeapSizes, after.otherHeapSizes);
        else if (name == "loaded modules" && !modulesNamed.empty())
            item += " (" + modulesNamed + ")";
        else if (name == "library references")
            item += Kinds(before.moduleLoads, after.moduleLoads);
        described += (described.empty() ? "" : ", ") + item;
    }
    return described;
}
