// What the process held before a flow, compared with what it holds after it: a flow that leaves a
// printer handle, a kernel handle or registry key, a GDI or user object, a window, a library, an
// activation or a heap block behind fails. The only blocks allowed are those Wine's own controls
// keep once per instance destroyed during the flow (control_leftovers.h), by their exact sizes.
#pragma once

#include "control_leftovers.h"
#include "process_counts.h"

#include <functional>
#include <string>

class ResourceBaseline {
public:
    explicit ResourceBaseline(const char* flow);
    // One PASS or FAIL line: "CheckPrintingPreferences left nothing behind", or what it left.
    bool CheckNothingLeft() const;

private:
    std::string flow_;
    ControlLeftovers controls_;
    ProcessCounts before_;
};

// Runs the flow between a baseline and its check.
bool RunCountedFlow(const char* flow, const std::function<void()>& run);
