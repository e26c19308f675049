// Paper-name lists as the printer's driver answers DeviceCapabilitiesW: any count, names that fill
// their 64-character slot without a terminator, paper numbers and sizes whose lists disagree in
// length with the names. Every place the plug-in lists or copies a paper name takes them: the
// settings context's load, the default paper query, the device tree's "Form Size" list, the
// forms list of the Advanced dialog and the Paper/Media page's paper list, whose choice is
// applied.
#include "harness/fuzz_machine.h"
#include "harness/page_dialogs.h"

#include "host/core_driver.h"
#include "host/sheet_session.h"
#include "media/form_queries.h"
#include "resources/resource.h"

#include <cstring>
#include <vector>

namespace {

const char16_t* const kKnownForms[] = {u"Letter", u"A4", u"Legal", u"A3", u"Tabloid"};

struct DriverLists {
    int nameCount = 0;
    std::vector<WCHAR> names; // 64 characters per slot
    std::vector<WORD> papers;
    std::vector<POINT> sizes;
};
DriverLists g_lists;

int Capabilities(LPCWSTR device, LPCWSTR, WORD capability, LPWSTR output, const DEVMODEW* devmode) {
    switch (capability) {
    case DC_PAPERNAMES:
        if (output != nullptr && g_lists.nameCount > 0)
            std::memcpy(output, g_lists.names.data(), g_lists.names.size() * sizeof(WCHAR));
        return g_lists.nameCount;
    case DC_PAPERS:
        if (output != nullptr)
            std::memcpy(output, g_lists.papers.data(), g_lists.papers.size() * sizeof(WORD));
        return static_cast<int>(g_lists.papers.size());
    case DC_PAPERSIZE:
        if (output != nullptr)
            std::memcpy(output, g_lists.sizes.data(), g_lists.sizes.size() * sizeof(POINT));
        return static_cast<int>(g_lists.sizes.size());
    default:
        return sim::GenericDeviceCapabilities(device, capability, output, devmode);
    }
}

void ConsumeLists(FuzzedDataProvider& input) {
    g_lists = DriverLists();
    int count = input.ConsumeIntegralInRange<int>(-1, 40);
    // Long lists are rare (each costs as much as a hundred others); their mark is a byte the
    // mutations seldom make, unlike 0 (also what an exhausted input reads) and 0xFF. Their counts
    // lie within three of a power of two, up to just past the 65,535 a WORD counts, where a
    // narrower count would overflow; spread evenly they would cost five times as much.
    constexpr uint8_t kLongListMark = 0xA5;
    if (input.ConsumeIntegral<uint8_t>() == kLongListMark) {
        int power = input.ConsumeIntegralInRange<int>(0, 16);
        count = (1 << power) + input.ConsumeIntegralInRange<int>(-3, 3);
    }
    g_lists.nameCount = count;
    if (count > 0) {
        g_lists.names.assign(size_t(count) * kPaperNameChars, 0);
        for (int i = 0; i < count && input.remaining_bytes() > 0; ++i) {
            WCHAR* slot = &g_lists.names[size_t(i) * kPaperNameChars];
            std::u16string name;
            switch (input.ConsumeIntegralInRange<int>(0, 3)) {
            case 0:
                name = input.PickValueInArray(kKnownForms);
                break;
            case 1: // the whole slot, no terminator
                name =
                    std::u16string(kPaperNameChars, input.ConsumeIntegralInRange<WCHAR>(1, 0xFFFF));
                break;
            default:
                name = ConsumeTypedText(input, kPaperNameChars);
                break;
            }
            for (size_t c = 0; c < name.size(); ++c)
                slot[c] = SortableCharacter(name[c]); // the forms list sorts them
        }
    }
    size_t others = input.ConsumeBool() && count > 0 ? size_t(count)
                                                     : input.ConsumeIntegralInRange<size_t>(0, 40);
    for (size_t i = 0; i < others; ++i) {
        g_lists.papers.push_back(input.ConsumeIntegralInRange<WORD>(1, 300));
        g_lists.sizes.push_back({input.ConsumeIntegralInRange<LONG>(-10, 5000),
                                 input.ConsumeIntegralInRange<LONG>(-10, 5000)});
    }
}

void CheckName(LPCWSTR name, const char* where) {
    FUZZ_CHECK(BoundedLength(name, kFormNameChars) < kFormNameChars,
               "a paper name of 64 characters or more in %s", where);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    StartMachine();
    InstallPrinterLinkWithTree();
    ConsumeLists(input);
    sim::DriverHooks hooks;
    hooks.deviceCapabilities = Capabilities;
    sim::SetDriverHooks(kFuzzPrinter, hooks);
    if (input.ConsumeBool()) {
        // The default devmode names its paper by number, by size or by form name.
        DEVMODEW devmode = {};
        auto stored = sim::DriverDefaultDevmode(kFuzzPrinter);
        std::memcpy(&devmode, stored.data(), sizeof(devmode));
        devmode.dmFields = input.ConsumeIntegral<DWORD>() &
                           (DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_FORMNAME);
        devmode.dmPaperSize = input.ConsumeIntegralInRange<short>(1, 300);
        devmode.dmPaperWidth = input.ConsumeIntegral<short>();
        devmode.dmPaperLength = input.ConsumeIntegral<short>();
        devmode.dmDriverExtra = 0;
        sim::SetDefaultDevmode(kFuzzPrinter, &devmode);
    }

    HANDLE printer = OpenUserHandle();
    SettingsContext* context = LoadContext(printer);
    CheckName(context->DefaultFormName, "the default form name");
    DWORD bytes = 0;
    int count = QueryPaperNames(printer, nullptr, 0, &bytes, nullptr);
    FUZZ_CHECK(bytes == (count > 0 ? DWORD(count) * kPaperNameSlotBytes : 0),
               "%d names reported in %u bytes", count, bytes);
    WCHAR name[kFormNameChars];
    const LONG letter[2] = {215900, 279400};
    name[0] = 0;
    FindFormNameForSize(printer, letter, name);
    CheckName(name, "FindFormNameForSize");
    LONG paperSize[2] = {-1, -1};
    name[0] = 0;
    QueryDefaultPaper(printer, paperSize, name);
    CheckName(name, "QueryDefaultPaper");
    if (count < 2000) {
        // The Paper/Media page's list: "Automatic Select", then the names; the Advanced dialog's
        // forms list; the paper chosen on the page is applied to the printer's default devmode.
        InPaperPage(context, [&](HWND page) {
            auto papers = sim::ComboItems(page, IDC_PAPER_SIZE);
            FUZZ_CHECK(papers.size() <= size_t(count > 0 ? count : 0) + 1,
                       "%zu papers listed of %d", papers.size(), count);
            for (const auto& paper : papers)
                FUZZ_CHECK(paper.size() < kFormNameChars, "a listed paper of %zu characters",
                           paper.size());
            InAdvancedDialog(page, [&](HWND dialog) {
                auto forms = sim::ListItems(dialog, IDC_ADVANCED_FORMS);
                FUZZ_CHECK(forms.size() <= size_t(count > 0 ? count : 0), "%zu forms listed of %d",
                           forms.size(), count);
                for (const auto& form : forms)
                    FUZZ_CHECK(form.size() < kFormNameChars, "a listed form of %zu characters",
                               form.size());
            });
            if (!papers.empty() && sim::IsEnabled(page, IDC_PAPER_SIZE))
                sim::SelectComboItem(page, IDC_PAPER_SIZE,
                                     input.ConsumeIntegralInRange<int>(0, int(papers.size()) - 1));
        });
    }
    ReleaseSettingsContext(context);

    CoreDriverHost host;
    FUZZ_CHECK(host.Load(kFuzzPluginPath) == S_OK, "the plug-in object was not created");
    {
        // The device tree's "Form Size": the names, then "Custom".
        SheetSession session(host);
        FUZZ_CHECK(session.OpenPrinterProperties(kFuzzPrinterW) == S_OK,
                   "the printer's properties did not open");
        const OPTITEM& formSize = session.treeItems()[1];
        FUZZ_CHECK(formSize.pOptType != nullptr && formSize.pOptType->Count >= 1,
                   "no Form Size list");
        const OPTTYPE* type = formSize.pOptType;
        FUZZ_CHECK(formSize.Sel == type->Count - 1, "Form Size does not start on Custom");
        for (WORD i = 0; i + 1 < type->Count; ++i)
            if (type->pOptParam[i].pData != nullptr)
                CheckName(type->pOptParam[i].pData, "the Form Size list");
        session.Close(0);
    }
    host.Unload();
    g_lists = DriverLists();
    FinishMachine();
    return 0;
}
