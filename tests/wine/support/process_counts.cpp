// Counting the process's resources through the tables Wine keeps in it.
#include "process_counts.h"

#include <winspool.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>

namespace {

const char kActivationFrames[] = "activation frames";
const char kProcessHeapBlocks[] = "process heap blocks";
const char* const kFigures[] = {"printer handles",      "kernel handles", "GDI objects",
                                "user objects",         "loaded modules", "library references",
                                kActivationFrames,      "heaps",          kProcessHeapBlocks,
                                "blocks in other heaps"};

// Counts `n` of `figure`, and of its kind `kind` ("kernel handles: Key") when there is one.
void Add(KindCounts& counts, const char* figure, const CounterText& kind = "", DWORD n = 1) {
    counts[figure] += n;
    if (!kind.empty())
        counts[CounterText(figure) + ": " + kind] += n;
}

long long Get(const KindCounts& counts, const CounterText& key) {
    auto found = counts.find(key);
    return found == counts.end() ? 0 : found->second;
}

CounterText Named(const char* format, unsigned long value) {
    char text[24];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

CounterText Narrow(const WCHAR* text, size_t length) {
    CounterText name;
    for (size_t i = 0; i < length; ++i)
        name += static_cast<char>(text[i] >= 'A' && text[i] <= 'Z' ? text[i] + 32 : text[i]);
    return name;
}

void CountHeaps(KindCounts& counts) {
    CounterList<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(
        std::min<size_t>(GetProcessHeaps(DWORD(heaps.size()), heaps.data()), heaps.size()));
    for (HANDLE heap : heaps) {
        Add(counts, "heaps");
        const char* figure =
            heap == GetProcessHeap() ? kProcessHeapBlocks : "blocks in other heaps";
        if (heap == CounterHeap() || !HeapLock(heap))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                Add(counts, figure, Named("%lu bytes", entry.cbData));
        HeapUnlock(heap);
    }
}

// A value names a live printer handle when the spooler finds no such printer data on it.
void CountPrinterHandles(KindCounts& counts) {
    for (ULONG_PTR value = 1; value <= 1024; ++value) {
        DWORD type = 0, needed = 0;
        if (GetPrinterDataExW(reinterpret_cast<HANDLE>(value), TEXT(""), TEXT("NoValueHasThisName"),
                              &type, nullptr, 0, &needed) != ERROR_INVALID_HANDLE)
            Add(counts, "printer handles");
    }
}

CounterText HandleTypeName(HANDLE handle) {
    alignas(8) BYTE buffer[1024];
    if (NtQueryObject(handle, ObjectTypeInformation, buffer, sizeof(buffer), nullptr) != 0)
        return "unknown";
    const UNICODE_STRING& name =
        reinterpret_cast<PUBLIC_OBJECT_TYPE_INFORMATION*>(buffer)->TypeName;
    return Narrow(name.Buffer, name.Length / sizeof(WCHAR));
}

// The system's handle list (SystemExtendedHandleInformation): a count, a reserved word, then one
// 40-byte entry per handle with the process id at 8 and the handle's value at 16.
void CountKernelHandles(KindCounts& counts) {
    CounterList<BYTE> buffer(64 * 1024);
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(64),
                                              buffer.data(), ULONG(buffer.size()), &needed)) ==
               LONG(0xC0000004) &&
           buffer.size() < (64u << 20))
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
    if (status != 0)
        return;
    ULONG_PTR count = *reinterpret_cast<ULONG_PTR*>(buffer.data());
    const auto* entries = reinterpret_cast<const ULONG_PTR*>(buffer.data()) + 2;
    for (const ULONG_PTR* entry = entries; entry < entries + 5 * count; entry += 5)
        if (entry[1] == GetCurrentProcessId())
            Add(counts, "kernel handles", HandleTypeName(reinterpret_cast<HANDLE>(entry[2])));
}

// The thread's basic information: its exit status, then its environment block's address.
const TEB* ThreadEnvironmentBlock() {
    ULONG_PTR basics[6] = {};
    NtQueryInformationThread(GetCurrentThread(), ThreadBasicInformation, basics, sizeof(basics),
                             nullptr);
    return reinterpret_cast<const TEB*>(basics[1]);
}

// The GDI handle table (the process environment block's GdiSharedHandleTable at 0xF8): 24-byte
// entries whose type byte, at 14, is 0 when free. The table keeps base types, measured by making
// one object of each kind; every window DC comes with a "window DC surface" and a region.
void CountGdiObjects(KindCounts& counts) {
    const BYTE* table = *reinterpret_cast<const BYTE* const*>(
        reinterpret_cast<const BYTE*>(ThreadEnvironmentBlock()->ProcessEnvironmentBlock) + 0xF8);
    MEMORY_BASIC_INFORMATION region = {};
    if (table == nullptr || VirtualQuery(table, &region, sizeof(region)) == 0)
        return;
    SIZE_T readable = region.RegionSize - (table - static_cast<const BYTE*>(region.BaseAddress));
    for (SIZE_T i = 0; i < std::min<SIZE_T>(readable / 24, 0x10000); ++i) {
        BYTE type = table[i * 24 + 14];
        const char* names[] = {
            nullptr,    "DC",    nullptr,   nullptr,  "region", "window DC surface",
            "metafile", nullptr, "palette", "bitmap", "font"};
        if (type != 0)
            Add(counts, "GDI objects",
                type < 11 && names[type] ? names[type]
                : type == 0x10           ? "brush or pen"
                                         : Named("type 0x%02lX", type));
    }
}

BOOL CALLBACK CountWindow(HWND window, LPARAM counts) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        Add(*reinterpret_cast<KindCounts*>(counts), "user objects", "window");
        EnumChildWindows(window, CountWindow, counts);
    }
    return TRUE;
}

void CountUserObjects(KindCounts& counts) {
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&counts));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
        CountWindow(window, reinterpret_cast<LPARAM>(&counts));
    for (ULONG_PTR value = 0x20; value <= 0xFFEE; value += 2) {
        ICONINFO icon = {};
        bool isIcon = GetIconInfo(reinterpret_cast<HICON>(value), &icon);
        DeleteObject(icon.hbmMask);
        DeleteObject(icon.hbmColor);
        if (isIcon || IsMenu(reinterpret_cast<HMENU>(value)) ||
            CopyAcceleratorTableW(reinterpret_cast<HACCEL>(value), nullptr, 0) > 0)
            Add(counts, "user objects", "menu, icon or accelerators");
    }
}

// The loader's module list (modules in load order at 0x10 of the loader data); each entry's base
// name is at 0x58 and its load count, a SHORT, at 0x6C (-1 for a module that stays for good).
void CountModules(KindCounts& counts) {
    const auto* head = reinterpret_cast<const LIST_ENTRY*>(
        reinterpret_cast<const BYTE*>(ThreadEnvironmentBlock()->ProcessEnvironmentBlock->Ldr) +
        0x10);
    for (const LIST_ENTRY* entry = head->Flink; entry != head; entry = entry->Flink) {
        const BYTE* module = reinterpret_cast<const BYTE*>(entry);
        SHORT loads = *reinterpret_cast<const SHORT*>(module + 0x6C);
        const auto* name = reinterpret_cast<const UNICODE_STRING*>(module + 0x58);
        Add(counts, "loaded modules", Narrow(name->Buffer, name->Length / 2));
        if (loads > 0)
            Add(counts, "library references", Narrow(name->Buffer, name->Length / 2), loads);
    }
}

// The frames of the thread's activation stack: the thread environment block points at the stack
// (0x2C8), whose first member is the innermost frame; each frame starts with its caller's.
void CountActivationFrames(KindCounts& counts) {
    const auto* thread = reinterpret_cast<const BYTE*>(ThreadEnvironmentBlock());
    const void* const* stack = *reinterpret_cast<const void* const* const*>(thread + 0x2C8);
    for (const void* const* frame = stack ? static_cast<const void* const*>(stack[0]) : nullptr;
         frame != nullptr; frame = static_cast<const void* const*>(frame[0]))
        Add(counts, kActivationFrames);
}

} // namespace

KindCounts TakeProcessCounts() {
    KindCounts counts;
    // The spooler's client first: the counting may be its first user.
    for (void (*count)(KindCounts&) :
         {CountPrinterHandles, CountUserObjects, CountGdiObjects, CountKernelHandles, CountModules,
          CountActivationFrames, CountHeaps})
        count(counts);
    return counts;
}

std::string DescribeGrowth(const KindCounts& before, const KindCounts& after,
                           const KindCounts& forgiven) {
    KindCounts counts = after;
    for (const auto& kind : forgiven) {
        long long grown =
            std::min<long long>(Get(counts, kind.first) - Get(before, kind.first), kind.second);
        size_t colon = kind.first.find(": ");
        if (grown > 0 && colon != CounterText::npos)
            counts[kind.first.substr(0, colon)] -= DWORD(grown);
        if (grown > 0)
            counts[kind.first] -= DWORD(grown);
    }
    std::string described;
    for (const char* figure : kFigures) {
        CounterText prefix = CounterText(figure) + ": ";
        std::string kinds;
        int listed = 0;
        for (const auto& kind : counts) {
            long long grown = kind.second - Get(before, kind.first);
            if (kind.first.compare(0, prefix.size(), prefix) == 0 && grown > 0 && listed++ < 6)
                kinds += (kinds.empty() ? "" : ", ") +
                         std::string(kind.first.substr(prefix.size()).c_str()) + " " +
                         std::to_string(grown);
        }
        long long grown = Get(counts, figure) - Get(before, figure);
        if (figure == kActivationFrames)
            grown = grown < 0 ? -grown : grown; // one deactivation too many is as wrong
        if (grown > 0)
            described += (described.empty() ? "" : ", ") + std::string(figure) + " +" +
                         std::to_string(grown) + (kinds.empty() ? "" : " (" + kinds + ")");
    }
    return described;
}
