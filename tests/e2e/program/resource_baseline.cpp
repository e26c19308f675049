// Each flow's resource counts before and after.
#include "resource_baseline.h"

#include "check_log.h"

ResourceBaseline::ResourceBaseline(const char* flow)
    : flow_(flow), before_(ProcessCounts::Take()) {}

bool ResourceBaseline::CheckNothingLeft() const {
    std::string left = DescribeGrowth(before_, ProcessCounts::Take());
    return Check((flow_ + " left nothing behind").c_str(), left.empty(), "nothing",
                 left.empty() ? "nothing" : left);
}

bool RunCountedFlow(const char* flow, const std::function<void()>& run) {
    ResourceBaseline baseline(flow);
    run();
    return baseline.CheckNothingLeft();
}
