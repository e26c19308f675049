// Minimum, median and maximum.
#include "timings.h"

#include <algorithm>

Spread SpreadOf(std::vector<double> samples) {
    Spread spread;
    if (samples.empty())
        return spread;
    std::sort(samples.begin(), samples.end());
    size_t middle = samples.size() / 2;
    spread.min = samples.front();
    spread.max = samples.back();
    spread.median =
        samples.size() % 2 != 0 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    return spread;
}
