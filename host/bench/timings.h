// A series of timings and its minimum, median and maximum.
#pragma once

#include <vector>

struct Spread {
    double min = 0;
    double median = 0;
    double max = 0;
};

// The spread of `samples`; all zero when there are none. The median of an even count is the
// mean of the middle two.
Spread SpreadOf(std::vector<double> samples);
