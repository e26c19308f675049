// The locale library's answers, which come from the input: null, empty, the asked text itself,
// texts of 4096 characters and more, and texts without a terminator within 4096 characters. The
// string look-ups and every page of the printing preferences and the printer's properties take
// them; every text must stay bounded by its buffer.
#include "harness/fuzz_machine.h"

#include "host/core_driver.h"
#include "host/sheet_session.h"
#include "settings/ui_strings.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr size_t kComposed = 4096;

// The answers, kept readable until the run ends (callers copy or format them at once).
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
    size_t chars = terminated ? length + 1 : (length > kComposed ? length : kComposed);
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

void CheckLookUps(SettingsContext* context, FuzzedDataProvider& input) {
    for (int i = 0; i < 4; ++i) {
        UINT id = input.ConsumeIntegralInRange<UINT>(0, 300);
        LPCWSTR text = GetUiString(context, id);
        FUZZ_CHECK(BoundedLength(text, kComposed) < kComposed, "GetUiString(%u) is unbounded", id);
        LPWSTR copy = GetUiStringCopy(context, id);
        if (copy != nullptr) {
            FUZZ_CHECK(BoundedLength(copy, kComposed) < kComposed,
                       "GetUiStringCopy(%u) holds more than a composed text", id);
            FUZZ_CHECK(HeapSize(context->HostHeap, 0, copy) >=
                           (BoundedLength(copy, kComposed) + 1) * sizeof(WCHAR),
                       "GetUiStringCopy(%u) outgrew its block", id);
            // The copies live as long as the host heap; this host's heap is the process's.
            HeapFree(context->HostHeap, 0, copy);
        }
        LPWSTR caption = GetCaptionString(context, id);
        if (caption != nullptr) {
            FUZZ_CHECK(BoundedLength(caption, kComposed) < kComposed,
                       "GetCaptionString(%u) holds more than a composed text", id);
            HeapFree(context->HostHeap, 0, caption);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    StartMachine();
    InstallPrinterLinkWithTree();
    sim::RegisterModule(
        kFuzzLocalePath, nullptr,
        {sim::Export("CreateEx", CreateEx), sim::Export("Dispose", Dispose),
         sim::Export("InitLocale", InitLocale), sim::Export("EnumLocales", EnumLocales),
         sim::Export("GetString", GetString), sim::Export("GetSectionString", GetSectionString),
         sim::Export("TranslateDialog", TranslateDialog)});
    g_input = &input;

    SettingsContext* context = LoadContext(OpenUserHandle());
    FUZZ_CHECK(context->LocaleInstance != nullptr, "the locale library was not bound");
    CheckLookUps(context, input);
    ReleaseSettingsContext(context);

    // Every page of the printing preferences, titled and filled with the answers.
    {
        CoreDriverHost host;
        FUZZ_CHECK(host.Load(kFuzzPluginPath) == S_OK, "the plug-in object was not created");
        SheetSession session(host);
        FUZZ_CHECK(session.OpenDocumentProperties(kFuzzPrinterW, nullptr) == S_OK,
                   "the printing preferences did not open");
        HWND sheet = session.ShowSheet(nullptr);
        FUZZ_CHECK(sheet != nullptr, "no sheet");
        for (size_t page = 0; page < sim::SheetPages(sheet).size(); ++page)
            sim::SelectSheetPage(sheet, static_cast<int>(page));
        for (const auto& page : sim::SheetPages(sheet))
            FUZZ_CHECK(page.title.size() < kComposed, "a page title of %zu characters",
                       page.title.size());
        sim::PressCancel(sheet);
        session.Close(0);
        host.Unload();
    }
    g_input = nullptr;
    g_answers.clear();
    g_answers.shrink_to_fit();
    FinishMachine();
    return 0;
}
