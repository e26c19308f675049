// A media type's dot values, the highest and the lowest embossing force, and their limits.
#pragma once

#include <windows.h>

// A media type's highest and lowest dot value in one word: (highest << 8) | lowest.
inline DWORD MakeDotValuePair(DWORD highest, DWORD lowest) {
    return ((highest & 0xFF) << 8) | (lowest & 0xFF);
}
inline DWORD HighestDotValue(DWORD pair) {
    return (pair >> 8) & 0xFF;
}
inline DWORD LowestDotValue(DWORD pair) {
    return pair & 0xFF;
}

// The dot values a person may give: the highest 2 to 26, the lowest 0 to 24.
constexpr int kMinHighestDotValue = 2;
constexpr int kMaxHighestDotValue = 26;
constexpr int kMinLowestDotValue = 0;
constexpr int kMaxLowestDotValue = 24;
