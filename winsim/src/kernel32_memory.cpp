// kernel32: heaps and global memory blocks. Every block is real malloc memory so that
// AddressSanitizer sees overruns and uses after free; every block is accounted for so that tests
// can check for leaks, and allocations can be made to fail on demand.
#include "kernel32_private.h"
#include "sim/kernel.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

namespace {

// Larger requests fail as out of memory rather than reaching malloc.
constexpr SIZE_T kLargestBlock = 0x7FFFFFFF;
// Fresh memory without a zeroing flag holds this, so code that relies on zeroed memory it did
// not ask for fails visibly.
constexpr int kUninitialisedByte = 0xBE;
constexpr DWORD kErrorNotLocked = 158;
constexpr DWORD kErrorDiscarded = 157;

struct Heap {
    bool processHeap = false;
    std::map<void*, SIZE_T> blocks;
    int failNext = 0;
};

struct GlobalBlock {
    void* data = nullptr; // null for a discarded (zero-sized moveable) block
    SIZE_T size = 0;
    bool moveable = false;
    int locks = 0;
};

struct MemoryState {
    std::map<HANDLE, std::unique_ptr<Heap>> heaps;
    // Blocks each destroyed heap still held when HeapDestroy reclaimed them.
    std::map<HANDLE, std::size_t> blocksAtDestroy;
    HANDLE processHeap = nullptr;
    int failAnyHeap = 0;
    std::map<HGLOBAL, GlobalBlock> globals;
    std::map<const void*, HGLOBAL> globalByData;
    int failGlobal = 0;

    MemoryState() {
        processHeap = reinterpret_cast<HANDLE>(winsim::NextHandleValue());
        auto heap = std::make_unique<Heap>();
        heap->processHeap = true;
        heaps[processHeap] = std::move(heap);
    }
    ~MemoryState() {
        for (auto& heap : heaps)
            for (auto& block : heap.second->blocks)
                std::free(block.first);
        for (auto& global : globals)
            std::free(global.second.data);
    }
};

std::unique_ptr<MemoryState>& StatePointer() {
    static std::unique_ptr<MemoryState> state;
    return state;
}

MemoryState& State() {
    auto& state = StatePointer();
    if (!state)
        state = std::make_unique<MemoryState>();
    return *state;
}

winsim::ResetHook g_resetMemory([] { StatePointer().reset(); });

void* NewBlock(SIZE_T size, bool zero) {
    void* data = std::malloc(size);
    if (!data && size == 0)
        data = std::malloc(1);
    if (!data)
        winsim::Misuse("the machine ran out of memory allocating %zu bytes", size);
    std::memset(data, zero ? 0 : kUninitialisedByte, size);
    return data;
}

Heap& FindHeap(HANDLE heap, const char* function) {
    auto it = State().heaps.find(heap);
    if (it == State().heaps.end())
        winsim::Misuse("%s on %p, which is not a heap (destroyed already?)", function, heap);
    return *it->second;
}

// Consumes one injected failure for this heap, if any is pending.
bool AllocationFails(Heap& heap) {
    if (heap.failNext > 0) {
        --heap.failNext;
        return true;
    }
    if (State().failAnyHeap > 0) {
        --State().failAnyHeap;
        return true;
    }
    return false;
}

void CheckHeapFlags(DWORD flags, DWORD allowed, const char* function) {
    if (flags & HEAP_GENERATE_EXCEPTIONS)
        winsim::Unmodelled("%s with HEAP_GENERATE_EXCEPTIONS", function);
    if (flags & HEAP_REALLOC_IN_PLACE_ONLY)
        winsim::Unmodelled("%s with HEAP_REALLOC_IN_PLACE_ONLY", function);
    if (flags & ~allowed)
        winsim::Unmodelled("%s flags 0x%X", function, static_cast<unsigned>(flags));
}

GlobalBlock* FindGlobal(HGLOBAL handle, const char* function) {
    auto it = State().globals.find(handle);
    if (it == State().globals.end())
        winsim::Misuse("%s(%p): not a live global memory block (freed already?)", function, handle);
    return &it->second;
}

// The obsolete flags are ignored as the platform ignores them.
HGLOBAL AllocateGlobal(UINT flags, SIZE_T bytes, const char* function) {
    constexpr UINT kIgnored = GMEM_NOCOMPACT | GMEM_NODISCARD | GMEM_SHARE | GMEM_DISCARDABLE;
    if (flags & ~(GMEM_MOVEABLE | GMEM_ZEROINIT | kIgnored))
        winsim::Unmodelled("%s flags 0x%X", function, flags);
    MemoryState& state = State();
    if (state.failGlobal > 0 || bytes > kLargestBlock) {
        if (state.failGlobal > 0)
            --state.failGlobal;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    GlobalBlock block;
    block.moveable = (flags & GMEM_MOVEABLE) != 0;
    block.size = bytes;
    // A zero-sized moveable block is allocated already discarded, as documented.
    if (!(block.moveable && bytes == 0))
        block.data = NewBlock(bytes, (flags & GMEM_ZEROINIT) != 0);
    HGLOBAL handle = block.moveable ? reinterpret_cast<HGLOBAL>(winsim::NextHandleValue())
                                    : static_cast<HGLOBAL>(block.data);
    if (block.data)
        state.globalByData[block.data] = handle;
    state.globals[handle] = block;
    return handle;
}

LPVOID LockGlobal(HGLOBAL handle, const char* function) {
    if (!handle) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    GlobalBlock* block = FindGlobal(handle, function);
    if (!block->moveable)
        return block->data;
    if (!block->data) {
        SetLastError(kErrorDiscarded);
        return nullptr;
    }
    ++block->locks;
    return block->data;
}

BOOL UnlockGlobal(HGLOBAL handle, const char* function) {
    if (!handle) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    GlobalBlock* block = FindGlobal(handle, function);
    if (!block->moveable)
        return TRUE;
    if (block->locks == 0) {
        SetLastError(kErrorNotLocked);
        return FALSE;
    }
    if (--block->locks > 0)
        return TRUE;
    SetLastError(NO_ERROR);
    return FALSE;
}

HGLOBAL HandleOfGlobal(LPCVOID data, const char* function) {
    if (!data) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto it = State().globalByData.find(data);
    if (it == State().globalByData.end())
        winsim::Misuse("%s(%p): not the memory of a live global block", function, data);
    return it->second;
}

// Freeing a locked block is allowed, as on the platform.
HGLOBAL FreeGlobal(HGLOBAL handle, const char* function) {
    if (!handle)
        return nullptr;
    GlobalBlock* block = FindGlobal(handle, function);
    if (block->data) {
        State().globalByData.erase(block->data);
        std::free(block->data);
    }
    State().globals.erase(handle);
    return nullptr;
}

} // namespace

// --- Heaps
// -----------------------------------------------------------------------------------------

HANDLE WINAPI GetProcessHeap(void) {
    return State().processHeap;
}

HANDLE WINAPI HeapCreate(DWORD flOptions, SIZE_T dwInitialSize, SIZE_T dwMaximumSize) {
    (void)dwInitialSize; // only a reservation hint
    if (flOptions & ~static_cast<DWORD>(HEAP_NO_SERIALIZE))
        winsim::Unmodelled("HeapCreate options 0x%X", static_cast<unsigned>(flOptions));
    if (dwMaximumSize != 0)
        winsim::Unmodelled("HeapCreate of a fixed-size heap (maximum %zu bytes)", dwMaximumSize);
    HANDLE handle = reinterpret_cast<HANDLE>(winsim::NextHandleValue());
    State().heaps[handle] = std::make_unique<Heap>();
    return handle;
}

// Destroying a heap frees every block still in it, as on the platform.
BOOL WINAPI HeapDestroy(HANDLE hHeap) {
    Heap& heap = FindHeap(hHeap, "HeapDestroy");
    if (heap.processHeap)
        winsim::Misuse("HeapDestroy of the process heap");
    for (auto& block : heap.blocks)
        std::free(block.first);
    State().blocksAtDestroy[hHeap] = heap.blocks.size();
    State().heaps.erase(hHeap);
    return TRUE;
}

// A failed allocation returns null without setting the last error, as documented.
LPVOID WINAPI HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes) {
    Heap& heap = FindHeap(hHeap, "HeapAlloc");
    CheckHeapFlags(dwFlags, HEAP_ZERO_MEMORY | HEAP_NO_SERIALIZE, "HeapAlloc");
    if (AllocationFails(heap) || dwBytes > kLargestBlock)
        return nullptr;
    void* block = NewBlock(dwBytes, (dwFlags & HEAP_ZERO_MEMORY) != 0);
    heap.blocks[block] = dwBytes;
    return block;
}

// The block always moves, so that a caller still using the old address is caught; the grown part
// is zeroed only with HEAP_ZERO_MEMORY. A failure leaves the original block as it was.
LPVOID WINAPI HeapReAlloc(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem, SIZE_T dwBytes) {
    Heap& heap = FindHeap(hHeap, "HeapReAlloc");
    CheckHeapFlags(dwFlags, HEAP_ZERO_MEMORY | HEAP_NO_SERIALIZE, "HeapReAlloc");
    auto it = heap.blocks.find(lpMem);
    if (it == heap.blocks.end())
        winsim::Misuse("HeapReAlloc(%p): not a live block of heap %p", lpMem, hHeap);
    if (AllocationFails(heap) || dwBytes > kLargestBlock)
        return nullptr;
    SIZE_T oldSize = it->second;
    BYTE* block = static_cast<BYTE*>(NewBlock(dwBytes, false));
    std::memcpy(block, lpMem, oldSize < dwBytes ? oldSize : dwBytes);
    if (dwBytes > oldSize && (dwFlags & HEAP_ZERO_MEMORY))
        std::memset(block + oldSize, 0, dwBytes - oldSize);
    std::free(lpMem);
    heap.blocks.erase(it);
    heap.blocks[block] = dwBytes;
    return block;
}

BOOL WINAPI HeapFree(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem) {
    Heap& heap = FindHeap(hHeap, "HeapFree");
    CheckHeapFlags(dwFlags, HEAP_NO_SERIALIZE, "HeapFree");
    if (!lpMem)
        return TRUE;
    auto it = heap.blocks.find(lpMem);
    if (it == heap.blocks.end())
        winsim::Misuse("HeapFree(%p): not a live block of heap %p (freed twice, or allocated "
                       "elsewhere)",
                       lpMem, hHeap);
    std::free(lpMem);
    heap.blocks.erase(it);
    return TRUE;
}

SIZE_T WINAPI HeapSize(HANDLE hHeap, DWORD dwFlags, LPCVOID lpMem) {
    Heap& heap = FindHeap(hHeap, "HeapSize");
    CheckHeapFlags(dwFlags, HEAP_NO_SERIALIZE, "HeapSize");
    auto it = heap.blocks.find(const_cast<LPVOID>(lpMem));
    if (it == heap.blocks.end())
        winsim::Misuse("HeapSize(%p): not a live block of heap %p", lpMem, hHeap);
    return it->second;
}

// --- Global and local blocks --------------------------------------------------------------------

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
    return AllocateGlobal(uFlags, dwBytes, "GlobalAlloc");
}
LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
    return LockGlobal(hMem, "GlobalLock");
}
BOOL WINAPI GlobalUnlock(HGLOBAL hMem) {
    return UnlockGlobal(hMem, "GlobalUnlock");
}
HGLOBAL WINAPI GlobalHandle(LPCVOID pMem) {
    return HandleOfGlobal(pMem, "GlobalHandle");
}
HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
    return FreeGlobal(hMem, "GlobalFree");
}
// --- The tests' view
// ------------------------------------------------------------------------------

namespace sim {

std::size_t LiveHeapAllocations(HANDLE heap) {
    if (heap)
        return FindHeap(heap, "sim::LiveHeapAllocations").blocks.size();
    std::size_t count = 0;
    for (auto& entry : State().heaps)
        count += entry.second->blocks.size();
    return count;
}

std::size_t LiveHeaps() {
    return State().heaps.size() - 1;
}

std::vector<std::pair<HANDLE, std::size_t>> LiveHeapBlocks() {
    std::vector<std::pair<HANDLE, std::size_t>> heaps;
    for (auto& entry : State().heaps)
        heaps.emplace_back(entry.first, entry.second->blocks.size());
    return heaps;
}

std::optional<std::size_t> BlocksLeftAtHeapDestroy(HANDLE heap) {
    auto found = State().blocksAtDestroy.find(heap);
    if (found == State().blocksAtDestroy.end())
        return std::nullopt;
    return found->second;
}

std::size_t LiveGlobalBlocks() {
    return State().globals.size();
}

void FailNextHeapAllocations(int count, HANDLE heap) {
    if (heap)
        FindHeap(heap, "sim::FailNextHeapAllocations").failNext = count;
    else
        State().failAnyHeap = count;
}

void FailNextGlobalAllocations(int count) {
    State().failGlobal = count;
}

} // namespace sim
