// Printing the checks and counting them.
#include "check_log.h"

#include <cstdarg>
#include <cstdio>

namespace {
int g_passed = 0;
int g_failed = 0;
} // namespace

bool Check(const char* what, bool passed, const std::string& expected, const std::string& seen) {
    if (passed)
        ++g_passed;
    else
        ++g_failed;
    std::printf("%s %s: expected %s, saw %s\n", passed ? "PASS" : "FAIL", what, expected.c_str(),
                seen.c_str());
    std::fflush(stdout);
    return passed;
}

bool CheckNumber(const char* what, unsigned long long expected, unsigned long long seen) {
    return Check(what, expected == seen, std::to_string(expected), std::to_string(seen));
}

bool CheckResult(const char* what, HRESULT expected, HRESULT seen) {
    return Check(what, expected == seen, Hex(static_cast<ULONG>(expected)),
                 Hex(static_cast<ULONG>(seen)));
}

bool CheckText(const char* what, const std::string& expected, const std::string& seen) {
    return Check(what, expected == seen, "\"" + expected + "\"", "\"" + seen + "\"");
}

void Note(const char* format, ...) {
    std::fputs("---- ", stdout);
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int FinishChecks(const char* program) {
    std::printf("%s: %d passed, %d failed\n", program, g_passed, g_failed);
    std::fflush(stdout);
    return g_failed == 0 && g_passed > 0 ? 0 : 1;
}

std::string Narrow(LPCWSTR text) {
    if (text == nullptr)
        return "(null)";
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return "";
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &result[0], size, nullptr, nullptr);
    result.resize(static_cast<size_t>(size - 1));
    return result;
}

std::string Outcome(bool succeeded, const char* success) {
    DWORD error = GetLastError();
    return succeeded ? success : "last error " + std::to_string(error);
}

std::string Hex(unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof(text), "0x%llX", value);
    return text;
}

std::string Bytes(const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string result;
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] >= 0x20 && bytes[i] < 0x7F && bytes[i] != '\\') {
            result += static_cast<char>(bytes[i]);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\x%02X", bytes[i]);
            result += escaped;
        }
    }
    return result;
}
