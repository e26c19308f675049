// What the class factory and the plug-in object share: their reference counting and their
// memory, taken from the process heap so that an allocation failure is a defined outcome.
#pragma once

#include <windows.h>

#include <new>

// Interlocked increment of a reference count; returns the new count.
ULONG AddRefCount(LONG volatile* count);

// Interlocked decrement; returns the new count.
ULONG ReleaseCount(LONG volatile* count);

// Creates a T on the process heap; null when memory is short.
template <class T> T* NewComObject() {
    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(T));
    return memory ? new (memory) T() : nullptr;
}

template <class T> void DeleteComObject(T* object) {
    object->~T();
    HeapFree(GetProcessHeap(), 0, object);
}
