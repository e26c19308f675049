// The locale library's answers, which come from the input: null, empty, the asked text itself,
// texts of 4096 characters and more, and texts without a terminator within 4096 characters. The
// string look-ups and every page of the printing preferences take them (the printer's Service
// page takes them in printer_status); every text must stay bounded by its buffer.
#include "harness/fuzz_locale.h"
#include "harness/fuzz_machine.h"

#include "host/core_driver.h"
#include "host/sheet_session.h"
#include "settings/ui_strings.h"

namespace {

void CheckLookUps(SettingsContext* context, FuzzedDataProvider& input) {
    for (int i = 0; i < 4; ++i) {
        UINT id = input.ConsumeIntegralInRange<UINT>(0, 300);
        LPCWSTR text = GetUiString(context, id);
        FUZZ_CHECK(BoundedLength(text, kComposedText) < kComposedText,
                   "GetUiString(%u) is unbounded", id);
        LPWSTR copy = GetUiStringCopy(context, id);
        if (copy != nullptr) {
            FUZZ_CHECK(BoundedLength(copy, kComposedText) < kComposedText,
                       "GetUiStringCopy(%u) holds more than a composed text", id);
            FUZZ_CHECK(HeapSize(context->HostHeap, 0, copy) >=
                           (BoundedLength(copy, kComposedText) + 1) * sizeof(WCHAR),
                       "GetUiStringCopy(%u) outgrew its block", id);
            // The copies live as long as the host heap; this host's heap is the process's.
            HeapFree(context->HostHeap, 0, copy);
        }
        LPWSTR caption = GetCaptionString(context, id);
        if (caption != nullptr) {
            FUZZ_CHECK(BoundedLength(caption, kComposedText) < kComposedText,
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
    InstallFuzzedLocale(input);

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
            FUZZ_CHECK(page.title.size() < kComposedText, "a page title of %zu characters",
                       page.title.size());
        sim::PressCancel(sheet);
        session.Close(0);
        host.Unload();
    }
    ForgetLocaleAnswers();
    FinishMachine();
    return 0;
}
