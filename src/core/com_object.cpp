// Reference counting shared by the class factory and the plug-in object.
#include "core/com_object.h"

ULONG AddRefCount(LONG volatile* count) {
    return static_cast<ULONG>(InterlockedIncrement(count));
}

ULONG ReleaseCount(LONG volatile* count) {
    return static_cast<ULONG>(InterlockedDecrement(count));
}
