// Global-heap blocks for the spooler's variable-sized answers.
#include "settings/global_block.h"

void* AllocGlobalBlock(SIZE_T size) {
    if (size == 0)
        return nullptr;
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (handle == nullptr)
        return nullptr;
    void* block = GlobalLock(handle);
    if (block == nullptr)
        GlobalFree(handle);
    return block;
}

void FreeGlobalBlock(void* block) {
    if (block == nullptr)
        return;
    HGLOBAL handle = GlobalHandle(block);
    if (handle == nullptr)
        return;
    GlobalUnlock(handle);
    GlobalFree(handle);
}
