// The printing preferences of a printer installed for German: the locale library and the German
// catalogue translate the page titles, the controls' texts and the lists' items. The expected
// texts are read from the installed catalogue, so a page left in English fails.
#include "check_log.h"
#include "e2e_checks.h"
#include "person.h"
#include "sheet_windows.h"
#include "test_printer.h"

#include "resources/resource.h"

#include <winspool.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Catalogue = std::map<std::string, std::string>; // "Section|English" -> translation

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Every "English = translation" line of the UTF-8 catalogue, under its section. The texts looked
// up here carry no escapes.
Catalogue ReadCatalogue(LPCWSTR path) {
    Catalogue catalogue;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return catalogue;
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = Trimmed(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            catalogue[section + "|" + Trimmed(line.substr(0, equals))] =
                Trimmed(line.substr(equals + 1));
    }
    return catalogue;
}

std::string Translation(const Catalogue& catalogue, const char* section, const char* english) {
    auto found = catalogue.find(std::string(section) + "|" + english);
    return found != catalogue.end() ? found->second
                                    : std::string("(no translation of ") + english + ")";
}

std::string ControlText(HWND page, int controlId) {
    WCHAR text[256] = {};
    GetDlgItemTextW(page, controlId, text, 256);
    return Narrow(text);
}

std::string ListItemText(HWND page, int controlId, int index) {
    WCHAR text[256] = {};
    HWND list = GetDlgItem(page, controlId);
    if (SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) >= 256)
        return "(too long)";
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

// A control's text as the sheet shows it, and the catalogue's translation of its English text.
struct ShownText {
    const char* what;
    int pageControlId; // a control only its page has
    int controlId;
    const char* section;
    const char* english;
    int listIndex; // -1: the control's own text
    std::string seen;
};

} // namespace

void CheckGermanPages(ApplicationWindow& application, LPCWSTR cataloguePath) {
    Note("the printing preferences of a printer installed for German");
    Catalogue catalogue = ReadCatalogue(cataloguePath);
    if (!Check("the German catalogue is read", !catalogue.empty(), "its entries",
               catalogue.empty() ? "nothing" : std::to_string(catalogue.size()) + " entries"))
        return;
    HANDLE printer = nullptr;
    LPWSTR name = const_cast<LPWSTR>(kTestPrinterName);
    bool opened = OpenPrinterW(name, &printer, nullptr) != FALSE;
    if (!Check("OpenPrinterW(\"Tarvik Embosser\")", opened, "a handle",
               Outcome(opened, "a handle")))
        return;
    LONG size = DocumentPropertiesW(application.handle(), printer, name, nullptr, nullptr, 0);
    std::vector<BYTE> devmode(size > 0 ? static_cast<size_t>(size) : sizeof(DEVMODEW));
    auto* buffer = reinterpret_cast<DEVMODEW*>(devmode.data());
    DocumentPropertiesW(application.handle(), printer, name, buffer, nullptr, DM_OUT_BUFFER);

    std::vector<ShownText> texts = {
        {"Layout: the double-sided choice", IDC_LAYOUT_COLLATE, IDC_LAYOUT_DOUBLE_SIDED, "Dialog",
         "&Double Sided (Interpoint)", -1, ""},
        {"Layout: the collation switch", IDC_LAYOUT_COLLATE, IDC_LAYOUT_COLLATE, "Dialog",
         "&Collate", -1, ""},
        {"Paper/Media: the advanced button", IDC_PAPER_SIZE, IDC_PAPER_ADVANCED, "Dialog",
         "&Advanced ...", -1, ""},
        {"Tarvik: the image options' button", IDC_MAIN_TWO_IN_ONE, IDC_MAIN_MORE_OPTIONS, "Dialog",
         "&More Options ...", -1, ""},
        {"Tarvik: the dot quality list's last item", IDC_MAIN_TWO_IN_ONE, IDC_MAIN_DOT_QUALITY,
         "Strings", "Best", 2, ""},
    };
    std::string titles = "(no sheet)";
    Person person;
    person.Then("find the sheet", [&titles] {
        HWND sheet = FindSheet();
        if (sheet == nullptr)
            return false;
        titles = PageTitles(sheet);
        return true;
    });
    person.Then("read the controls", [&texts] {
        for (ShownText& text : texts) {
            HWND page = ShowPageWithControl(FindSheet(), text.pageControlId);
            if (page == nullptr)
                return false;
            text.seen = text.listIndex < 0 ? ControlText(page, text.controlId)
                                           : ListItemText(page, text.controlId, text.listIndex);
        }
        return true;
    });
    person.Then("Cancel", [] {
        PressSheetButton(FindSheet(), PSBTN_CANCEL);
        return true;
    });
    person.Start();
    DocumentPropertiesW(application.handle(), printer, name, buffer, buffer,
                        DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    person.Stop();
    ClosePrinter(printer);
    Check("the sheet opened, was read and cancelled", person.finished(), "every step",
          person.finished() ? "every step" : "stuck at \"" + person.stuckAt() + "\"");
    CheckText("the page titles in German",
              Translation(catalogue, "Caption", "Layout") + ", " +
                  Translation(catalogue, "Caption", "Paper/Media") + ", " +
                  Translation(catalogue, "Caption", "Tarvik"),
              titles);
    for (const ShownText& text : texts) {
        std::string expected = Translation(catalogue, text.section, text.english);
        // A translation equal to the English would let an untranslated page pass.
        Check(text.what, text.seen == expected && expected != text.english, expected, text.seen);
    }
}
