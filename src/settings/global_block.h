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

    void* get() const { return data_; }
    template <class T> T* as() const { return static_cast<T*>(data_); }
    explicit operator bool() const { return data_ != nullptr; }

private:
    void* data_;
};
