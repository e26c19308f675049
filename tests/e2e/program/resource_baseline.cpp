// Each flow's resource counts before and after.
#include "resource_baseline.h"

#include "check_log.h"

ResourceBaseline::ResourceBaseline(const char* flow)
    : flow_(flow), before_(ProcessCounts::Take()) {}

bool ResourceBaseline::CheckNothingLeft() const {
    ProcessCounts after = ProcessCounts::Take();
    std::string left = DescribeGrowth(before_, after, controls_.expected());
    std::string wines = DescribeExpectedBlocks(before_, after, controls_.expected());
    std::string seen = left.empty() ? "nothing" : left;
    if (!wines.empty())
        seen += " (and what Wine's controls keep: " + wines + ")";
    return Check((flow_ + " left nothing behind").c_str(), left.empty(), "nothing", seen);
}

bool RunCountedFlow(const char* flow, const std::function<void()>& run) {
    ResourceBaseline baseline(flow);
    run();
    return baseline.CheckNothingLeft();
}
