// The check program's report: one line per check, PASS or FAIL with what was expected and what was
// seen, and a closing count.
#pragma once

#include <windows.h>

#include <string>

// Records one check and prints its line.
bool Check(const char* what, bool passed, const std::string& expected, const std::string& seen);

bool CheckNumber(const char* what, unsigned long long expected, unsigned long long seen);
bool CheckResult(const char* what, HRESULT expected, HRESULT seen);
bool CheckText(const char* what, const std::string& expected, const std::string& seen);
// Prints a line that is not a check (a step, or why a group was cut short).
void Note(const char* format, ...);

// "<program>: N passed, M failed"; the program's exit code: 0 only when every check passed and at
// least one ran.
int FinishChecks(const char* program);

std::string Narrow(LPCWSTR text);
// What a call that returned `succeeded` produced: `success`, or the thread's last error (read
// before anything else can change it).
std::string Outcome(bool succeeded, const char* success);
std::string Hex(unsigned long long value);
// A byte range as text, printable bytes as themselves and the rest as \xNN.
std::string Bytes(const void* data, size_t size);
