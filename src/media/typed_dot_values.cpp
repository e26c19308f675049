// Typed dot values and their limits.
#include "media/typed_dot_values.h"

#include "settings/dot_values.h"

#include <stdlib.h>

namespace {

// The two dot values stay at least 2 apart.
constexpr int kMinDotValueGap = 2;

} // namespace

bool ReadTypedDotValues(LPCWSTR highestText, LPCWSTR lowestText, int* highest, int* lowest) {
    int high = _wtoi(highestText) & 0xFF;
    if (high < kMinHighestDotValue || high > kMaxHighestDotValue)
        return false;
    int low = _wtoi(lowestText) & 0xFF;
    if (low > kMaxLowestDotValue || high - low < kMinDotValueGap)
        return false;
    *highest = high;
    *lowest = low;
    return true;
}
