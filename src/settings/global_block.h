// Zero-filled, locked global-heap blocks: every variable-sized answer of the spooler is held in
// one, freed by the operation that asked for it.
#pragma once

#include <windows.h>

// A zero-filled, locked block of the global heap; null for size 0 or when memory is short.
void* AllocGlobalBlock(SIZE_T size);

// Unlocks and frees a block from AllocGlobalBlock; null is ignored.
void FreeGlobalBlock(void* block);

// Owns one block for the length of a scope.
class GlobalBlock {
public:
    explicit GlobalBlock(SIZE_T size) : data_(AllocGlobalBlock(size)) {}
    ~GlobalBlock() { FreeGlobalBlock(data_); }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    // Replaces the block by a new one of `size` bytes; false when memory is short.
    bool Reset(SIZE_T size) {
        FreeGlobalBlock(data_);
        data_ = AllocGlobalBlock(size);
        return data_ != nullptr;
    }

    // Hands the block over to its new owner, who frees it with FreeGlobalBlock.
    void* release() {
        void* data = data_;
        data_ = nullptr;
        return data;
    }
    void* get() const { return data_; }
    template <class T> T* as() const { return static_cast<T*>(data_); }
    explicit operator bool() const { return data_ != nullptr; }

private:
    void* data_;
};

// Fills `block` with a variable-sized answer of the spooler. The first call offers `guess`
// bytes, so that the usual answer costs one round trip instead of a size query and a fetch; an
// answer that does not fit is asked again in a block of the size the spooler named. `query`
// (buffer, bytes, needed out) returns whether the spooler answered, with the last error set when
// it did not. False when memory is short or the spooler failed.
template <class Query> bool FetchIntoBlock(GlobalBlock& block, DWORD guess, Query query) {
    if (!block.Reset(guess))
        return false;
    DWORD needed = 0;
    if (query(block.as<BYTE>(), guess, &needed))
        return true;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= guess || !block.Reset(needed))
        return false;
    return query(block.as<BYTE>(), needed, &needed) != FALSE;
}
