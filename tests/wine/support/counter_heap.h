// The counting's own memory: a heap of its own, left out when the heaps are counted, so that
// what one count holds (its lists and names) never shows in the next.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <vector>

HANDLE CounterHeap();

template <typename T> struct CounterAllocator {
    using value_type = T;
    CounterAllocator() = default;
    template <typename U> CounterAllocator(const CounterAllocator<U>&) {}
    T* allocate(std::size_t count) {
        void* block = HeapAlloc(CounterHeap(), 0, count * sizeof(T));
        if (block == nullptr)
            std::abort();
        return static_cast<T*>(block);
    }
    void deallocate(T* block, std::size_t) { HeapFree(CounterHeap(), 0, block); }
    template <typename U> bool operator==(const CounterAllocator<U>&) const { return true; }
    template <typename U> bool operator!=(const CounterAllocator<U>&) const { return false; }
};

using CounterText = std::basic_string<char, std::char_traits<char>, CounterAllocator<char>>;
template <typename T> using CounterList = std::vector<T, CounterAllocator<T>>;
// How many there are of each kind, by the kind's name.
using KindCounts = std::map<CounterText, DWORD, std::less<CounterText>,
                            CounterAllocator<std::pair<const CounterText, DWORD>>>;
