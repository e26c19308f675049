// The check program's report: one PASS or FAIL line per check and a closing count.
#pragma once

#include <string>

bool Check(const char* what, bool passed, const std::string& expected, const std::string& seen);
bool CheckNumber(const char* what, unsigned long expected, unsigned long seen);
bool CheckText(const char* what, const std::string& expected, const std::string& seen);

// "<run>: N passed, M failed"; the exit code: 0 only when every check passed and one ran.
int FinishChecks(const char* run);
