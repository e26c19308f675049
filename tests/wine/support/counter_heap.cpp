// The heap the counting keeps its own lists in.
#include "counter_heap.h"

HANDLE CounterHeap() {
    static HANDLE heap = HeapCreate(0, 0, 0);
    return heap;
}
