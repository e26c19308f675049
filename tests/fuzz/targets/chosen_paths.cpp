// Paths of any length chosen in the shell's file-open dialog: a braille table for a slot of the
// embosser (device settings tree, "Braille Table" push button) and a pattern file (image options
// dialog). A chosen path is used whole or not at all, and what is recorded is bounded.
#include "harness/device_tree_page.h"
#include "harness/fuzz_machine.h"
#include "harness/page_dialogs.h"

#include "resources/resource.h"

#include <objbase.h>

#include <cstring>

namespace {

constexpr size_t kTablePathChars = 4096;
constexpr size_t kPatternPathChars = 260;
const char16_t kUninstall[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\suite";

// A full path as the shell hands it out: "C:\Tables\" and names made of the input's characters
// (separators, dots and slashes kept where a file system path may have them).
std::u16string ConsumePath(FuzzedDataProvider& input, const char16_t* folder) {
    size_t length = input.ConsumeIntegralInRange<size_t>(1, 300);
    if (input.ConsumeIntegralInRange<int>(0, 7) == 0)
        length = input.ConsumeIntegralInRange<size_t>(1, 5000);
    std::u16string path = folder;
    std::u16string name = ConsumeTypedText(input, length);
    if (name.empty())
        name = u"t";
    for (char16_t c : name) {
        if (c == u'/' || c == u':')
            c = u'_';
        if (c == u'\\' && path.back() == u'\\')
            continue;
        if (c == u'.' && path.back() == u'\\')
            c = u'_';
        path.push_back(c);
    }
    if (path.back() == u'\\')
        path.push_back(u't');
    return path;
}

std::u16string FileNameOf(const std::u16string& path) {
    return path.substr(path.rfind(u'\\') + 1);
}

void ChooseBrailleTable(FuzzedDataProvider& input) {
    std::u16string path = ConsumePath(input, u"C:\\Tables\\");
    int slot = input.ConsumeIntegralInRange<int>(0, 6);
    sim::AddFile(path);
    sim::QueueFileOpenAnswer(path);

    DeviceTreePage properties;
    DeviceTreeDriver& tree = properties.tree();
    std::u16string shown;
    sim::ScriptModalDialog(IDD_BRAILLE_TABLE, [&](HWND dialog) {
        sim::Click(dialog, IDC_TABLE_BROWSE);
        shown = sim::ControlText(dialog, IDC_TABLE_FILE);
        sim::SelectComboItem(dialog, IDC_TABLE_SLOT, slot);
        sim::Click(dialog, IDOK);
    });
    WORD button = 0, table = 0;
    for (WORD i = 0; i < tree.count(); ++i) {
        if (tree.item(i).UserItemID == 74)
            button = i;
        if (tree.item(i).UserItemID == 60)
            table = i;
    }
    tree.Push(button);
    FUZZ_CHECK(tree.item(table).Sel == slot + 1, "slot %d chosen, the tree shows %d", slot,
               tree.item(table).Sel);
    const WCHAR valueName[2] = {WCHAR(u'0' + slot), 0};
    auto recorded = sim::GetRegistryString(
        HKEY_LOCAL_MACHINE,
        std::u16string(u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\") + kFuzzPrinterW +
            u"\\Config\\BrailleTables",
        valueName);
    if (path.size() < kTablePathChars) {
        FUZZ_CHECK(shown == path, "the chosen path is shown otherwise");
        FUZZ_CHECK(PrinterLink().loadedTables == 1 && PrinterLink().loadedTablePath == path,
                   "the table loaded is not the chosen one");
        FUZZ_CHECK(recorded && *recorded == FileNameOf(path),
                   "the slot does not record the file's name");
    } else {
        // A path the dialog cannot hold names another file: nothing is loaded or recorded.
        FUZZ_CHECK(PrinterLink().loadedTables == 0, "a cut path of %zu characters was loaded",
                   path.size());
        FUZZ_CHECK(!recorded, "a cut path was recorded");
    }
}

void ChoosePattern(FuzzedDataProvider& input) {
    std::u16string path = ConsumePath(input, u"C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\");
    sim::AddFile(path);
    sim::QueueFileOpenAnswer(path);
    sim::SetRegistryString(HKEY_LOCAL_MACHINE, kUninstall, u"DisplayName",
                           u"Tarvik Software Suite");
    sim::SetRegistryString(HKEY_LOCAL_MACHINE, kUninstall, u"DisplayVersion", u"8");

    InImageOptionsDialog([](HWND dialog) {
        sim::Click(dialog, IDC_IMAGE_APPLY_PATTERNS);
        sim::SelectComboItem(dialog, IDC_IMAGE_PATTERN, 0);
        sim::Click(dialog, IDOK);
    });
    auto stored = sim::ReadPrinterData(kFuzzPrinter, "Config", "CustomPatternFileName");
    FUZZ_CHECK(stored && stored->data.size() < kPatternPathChars * 2,
               "a pattern path of %zu bytes was stored", stored ? stored->data.size() : 0);
    std::u16string text(stored->data.size() / 2, u'\0');
    std::memcpy(&text[0], stored->data.data(), text.size() * 2);
    if (path.size() < kPatternPathChars)
        FUZZ_CHECK(text == path, "the chosen pattern is stored otherwise");
    else
        FUZZ_CHECK(text == u"C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\Default.dat",
                   "a cut pattern path was stored");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    StartMachine();
    InstallPrinterLinkWithTree();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // the host's thread has COM
    if (input.ConsumeBool())
        ChooseBrailleTable(input);
    else
        ChoosePattern(input);
    CoUninitialize();
    FUZZ_CHECK(sim::ShellLeakReport().empty(), "%s", sim::ShellLeakReport().c_str());
    FinishMachine();
    return 0;
}
