// What the process held before a flow, compared with what it holds after it: a flow that leaves a
// printer handle, a kernel handle or registry key, a GDI or user object, a window, a library, an
// activation or a heap block behind fails.
#pragma once

#include "process_counts.h"

#include <functional>
#include <string>
#include <vector>

class ResourceBaseline {
public:
    explicit ResourceBaseline(const char* flow);
    // One PASS or FAIL line: "CheckPrintingPreferences left nothing behind", or what it left.
    bool CheckNothingLeft() const;

private:
    std::string flow_;
    ProcessCounts before_;
};

// Runs the flow between a baseline and its check.
bool RunCountedFlow(const char* flow, const std::function<void()>& run);
