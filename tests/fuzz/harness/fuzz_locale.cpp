// The locale library whose answers are the fuzzer's.
#include "harness/fuzz_locale.h"

#include "harness/fuzz_machine.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

FuzzedDataProvider* g_input = nullptr;
std::vector<std::unique_ptr<WCHAR[]>> g_answers;
int g_instance;

LPCWSTR Answer(LPCWSTR english) {
    if (g_input == nullptr || g_input->remaining_bytes() == 0)
        return nullptr;
    switch (g_input->ConsumeIntegralInRange<int>(0, 5)) {
    case 0:
        return nullptr;
    case 1:
        return english;
    default:
        break;
    }
    size_t length = g_input->ConsumeIntegralInRange<size_t>(0, 6000);
    bool terminated = g_input->ConsumeBool();
    // Without a terminator, at least the 4096 characters a reader may look at are there.
    size_t chars = terminated ? length + 1 : (length > kComposedText ? length : kComposedText);
    auto text = std::make_unique<WCHAR[]>(chars);
    WCHAR fill = g_input->ConsumeIntegral<WCHAR>();
    if (fill == 0)
        fill = TEXT('%');
    for (size_t i = 0; i < chars; ++i)
        text[i] = fill;
    std::u16string start = ConsumeText(*g_input, 32);
    std::memcpy(text.get(), start.data(), std::min(start.size(), chars) * sizeof(WCHAR));
    if (terminated)
        text[length] = 0;
    g_answers.push_back(std::move(text));
    return g_answers.back().get();
}

HANDLE WINAPI CreateEx(LPCWSTR, LPCWSTR, HANDLE) {
    return &g_instance;
}
void WINAPI Dispose(HANDLE) {}
BOOL WINAPI InitLocale(HANDLE, LPCWSTR) {
    return TRUE;
}
BOOL WINAPI EnumLocales(HANDLE, LPVOID* list) {
    *list = nullptr;
    return TRUE;
}
LPCWSTR WINAPI GetString(HANDLE, LPCWSTR english) {
    return Answer(english);
}
LPCWSTR WINAPI GetSectionString(HANDLE, LPCWSTR, LPCWSTR english) {
    return Answer(english);
}
BOOL WINAPI TranslateDialog(HANDLE, HWND) {
    return TRUE;
}

} // namespace

void InstallFuzzedLocale(FuzzedDataProvider& input) {
    sim::RegisterModule(
        kFuzzLocalePath, nullptr,
        {sim::Export("CreateEx", CreateEx), sim::Export("Dispose", Dispose),
         sim::Export("InitLocale", InitLocale), sim::Export("EnumLocales", EnumLocales),
         sim::Export("GetString", GetString), sim::Export("GetSectionString", GetSectionString),
         sim::Export("TranslateDialog", TranslateDialog)});
    g_input = &input;
}

void ForgetLocaleAnswers() {
    g_input = nullptr;
    g_answers.clear();
    g_answers.shrink_to_fit();
}
