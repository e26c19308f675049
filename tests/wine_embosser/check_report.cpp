// Printing the checks and counting them.
#include "check_report.h"

#include <cstdio>

namespace {
int g_passed = 0;
int g_failed = 0;
} // namespace

bool Check(const char* what, bool passed, const std::string& expected, const std::string& seen) {
    ++(passed ? g_passed : g_failed);
    std::printf("%s %s: expected %s, saw %s\n", passed ? "PASS" : "FAIL", what, expected.c_str(),
                seen.c_str());
    std::fflush(stdout);
    return passed;
}

bool CheckNumber(const char* what, unsigned long expected, unsigned long seen) {
    return Check(what, expected == seen, std::to_string(expected), std::to_string(seen));
}

bool CheckText(const char* what, const std::string& expected, const std::string& seen) {
    return Check(what, expected == seen, "\"" + expected + "\"", "\"" + seen + "\"");
}

int FinishChecks(const char* run) {
    std::printf("%s: %d passed, %d failed\n", run, g_passed, g_failed);
    std::fflush(stdout);
    return g_failed == 0 && g_passed > 0 ? 0 : 1;
}
