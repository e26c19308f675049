// _wtof as either of Microsoft's C runtimes reads the texts winsim will not decide on. The fuzz
// targets are linked with --wrap for winsim's _wtof (a C++ function, so its mangled name), so
// every call of the plug-in comes here first.
#include "harness/fuzz_machine.h"

#include <cmath>
#include <cstdlib>
#include <string>

extern "C" double __real__Z5_wtofPKDs(const WCHAR* text);

namespace {

FloatRuntime g_runtime = FloatRuntime::Older;

bool IsBlank(WCHAR c) {
    return c == TEXT(' ') || c == TEXT('\t') || c == TEXT('\n') || c == TEXT('\r') ||
           c == TEXT('\v') || c == TEXT('\f');
}

WCHAR Lower(WCHAR c) {
    return c >= TEXT('A') && c <= TEXT('Z') ? WCHAR(c + 32) : c;
}

bool StartsWith(const WCHAR* text, const char* word) {
    for (; *word != 0; ++word, ++text)
        if (Lower(*text) != WCHAR(*word))
            return false;
    return true;
}

// The newer runtime's reading: strtod of the text's ASCII prefix.
double NewerReading(const WCHAR* text) {
    std::string ascii;
    for (; *text != 0 && *text < 0x80; ++text)
        ascii.push_back(static_cast<char>(*text));
    return std::strtod(ascii.c_str(), nullptr);
}

} // namespace

void UseFloatRuntime(FloatRuntime runtime) {
    g_runtime = runtime;
}

extern "C" double __wrap__Z5_wtofPKDs(const WCHAR* text) {
    if (text == nullptr)
        return __real__Z5_wtofPKDs(text);
    const WCHAR* start = text;
    while (IsBlank(*start))
        ++start;
    const WCHAR* word = *start == TEXT('+') || *start == TEXT('-') ? start + 1 : start;
    if (!StartsWith(word, "0x") && !StartsWith(word, "inf") && !StartsWith(word, "nan"))
        return __real__Z5_wtofPKDs(text);
    return g_runtime == FloatRuntime::Older ? 0.0 : NewerReading(start);
}
