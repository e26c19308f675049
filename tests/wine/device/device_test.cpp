// The printer's properties as the printer folder opens them: the embosser's settings in the
// device page's tree, a person's changes through the page's inputs, and what the embosser holds
// after Apply.
#include "person/person.h"
#include "seams.h"
#include "wine_test.h"

#include "device_page/device_page_ids.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <dlgs.h>
#include <winspool.h>

#include <sstream>

namespace {

class DeviceTest : public WineTest {};

// The tree's rows, in the order the plug-in fills its items.
enum Row {
    kFormSize = 1,
    kFormWidth,
    kFormLength,
    kTopMargin,
    kLeftMargin,
    kRightMargin,
    kTextGraphics,
    kDots,
    kWrapping,
    kLineSpacing,
    kMediaType,
    kLowestForce,
    kHighestForce,
    kPaperSource,
    kLoadTable,
    kBrailleTable,
    kDotHeight,
    kQuality,
    kDuplex
};

void Walk(HWND tree, HTREEITEM row, std::vector<std::pair<HTREEITEM, std::wstring>>* rows) {
    for (; row != nullptr; row = TreeView_GetNextSibling(tree, row)) {
        WCHAR text[260] = {};
        TVITEMW item = {};
        item.mask = TVIF_TEXT;
        item.hItem = row;
        item.pszText = text;
        item.cchTextMax = ARRAYSIZE(text);
        TreeView_GetItem(tree, &item);
        rows->push_back({row, text});
        Walk(tree, TreeView_GetChild(tree, row), rows);
    }
}

std::vector<std::pair<HTREEITEM, std::wstring>> RowsOf(HWND page) {
    HWND tree = GetDlgItem(page, IDC_DEVPAGE_TREE);
    std::vector<std::pair<HTREEITEM, std::wstring>> rows;
    Walk(tree, TreeView_GetRoot(tree), &rows);
    return rows;
}

std::wstring RowText(HWND page, int row) {
    auto rows = RowsOf(page);
    return row < static_cast<int>(rows.size()) ? rows[row].second : TEXT("(no row)");
}

// A click on the row: its inputs are shown under the tree.
void SelectRow(HWND page, int row) {
    auto rows = RowsOf(page);
    ASSERT_LT(row, static_cast<int>(rows.size()));
    TreeView_SelectItem(GetDlgItem(page, IDC_DEVPAGE_TREE), rows[row].first);
}

// A person's change of one row: a pick in its list, a number or a text typed into its box.
struct Change {
    int row;
    int input;
    LPCWSTR value;
};

// The number box's arrow keys until it shows `value`.
bool Step(HWND page, int value) {
    for (int keys = 0; keys < 30; ++keys) {
        int shown = _wtoi(TextOf(page, IDC_DEVPAGE_NUMBER).c_str());
        if (shown == value)
            return true;
        if (!PressKey(page, IDC_DEVPAGE_NUMBER, shown < value ? VK_UP : VK_DOWN))
            return false;
    }
    return false;
}

void Make(HWND page, const std::vector<Change>& changes) {
    for (const Change& change : changes) {
        SelectRow(page, change.row);
        bool made = change.input == IDC_DEVPAGE_LIST   ? Choose(page, change.input, change.value)
                    : change.input == IDC_DEVPAGE_EDIT ? Type(page, change.input, change.value)
                                                       : Step(page, _wtoi(change.value));
        EXPECT_TRUE(made) << change.row;
    }
}

// The value of `key` in the embosser's state file; "" when it holds none.
std::string EmbosserValue(const std::string& key) {
    HANDLE file = CreateFileW(DriverFile(TEXT("qvmonext.state")).c_str(), GENERIC_READ,
                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char text[16384] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof(text) - 1, &read, nullptr);
    CloseHandle(file);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.compare(0, key.size() + 1, key + "=") == 0)
            return line.substr(key.size() + 1);
    return "";
}

void ExpectEmbosser(const std::vector<std::pair<const char*, const char*>>& values) {
    for (const auto& [key, value] : values)
        EXPECT_EQ(EmbosserValue(key), value) << key;
}

// Printer data text under the printer's key `key`, through the spooler; "" when there is none.
void SetPrinterString(LPCWSTR key, LPCWSTR name, LPCWSTR text) {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW manage = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &printer, &manage));
    SetPrinterDataExW(printer, key, name, REG_SZ, reinterpret_cast<BYTE*>(const_cast<LPWSTR>(text)),
                      (lstrlenW(text) + 1) * sizeof(WCHAR));
    ClosePrinter(printer);
}

std::wstring PrinterString(LPCWSTR key, LPCWSTR name) {
    HANDLE printer = nullptr;
    WCHAR text[MAX_PATH] = {};
    DWORD type = 0, size = 0;
    if (OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &printer, nullptr)) {
        GetPrinterDataExW(printer, key, name, &type, reinterpret_cast<BYTE*>(text),
                          sizeof(text) - sizeof(WCHAR), &size);
        ClosePrinter(printer);
    }
    return text;
}

// The braille table dialog behind the tree's button, answered by `script`.
void LoadTable(Sheet& sheet, HWND page, DialogScript script) {
    SelectRow(page, kLoadTable);
    sheet.Answer(IDD_BRAILLE_TABLE, std::move(script));
    EXPECT_TRUE(Click(page, IDC_DEVPAGE_BUTTON));
}

// Browse ..., where the person types `file` into the file dialog's name box and opens it (or
// cancels, without a file).
void Browse(Sheet& sheet, HWND dialog, LPCWSTR file) {
    sheet.Answer(kFileDialog, [file](HWND files) {
        EXPECT_EQ(ChosenItem(files, cmb1), TEXT("Braille Table Files (*.bct, *.rbt, *.dis)"));
        if (file != nullptr)
            Type(files, edt1, file);
        Click(files, file != nullptr ? IDOK : IDCANCEL);
    });
    Click(dialog, IDC_TABLE_BROWSE);
}

void MakeFile(LPCWSTR path) {
    CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// A table in the install folder's common folder, and a file that is no table elsewhere.
void MakeTableFiles() {
    const WCHAR common[] = TEXT("C:\\Program Files\\Quorvane\\Tarvik\\Common");
    CreateDirectoryW(TEXT("C:\\Program Files\\Quorvane\\Tarvik"), nullptr);
    CreateDirectoryW(common, nullptr);
    CreateDirectoryW(TEXT("C:\\Tables"), nullptr);
    MakeFile((std::wstring(common) + TEXT("\\z.bct")).c_str());
    MakeFile(TEXT("C:\\Tables\\notes.txt"));
}

// What these tests do first: each kind of input, the braille table dialog and its file dialog.
const bool kWarmUp = AddWarmUp([] {
    MakeTableFiles();
    Sheet sheet;
    if (sheet.OpenProperties(kPrinterName)) {
        HWND page = sheet.PageAt(0);
        Make(page, {{kFormSize, IDC_DEVPAGE_LIST, TEXT("Custom")},
                    {kTopMargin, IDC_DEVPAGE_EDIT, TEXT("1")},
                    {kBrailleTable, IDC_DEVPAGE_NUMBER, TEXT("2")}});
        LoadTable(sheet, page, [&sheet](HWND dialog) {
            Browse(sheet, dialog, TEXT("z.bct"));
            Click(dialog, IDCANCEL);
        });
        sheet.Apply();
    }
    sheet.Cancel();
});

TEST_F(DeviceTest, TheTreeShowsTheEmbossersSettingsAndApplySendsWhatThePersonChanged) {
    WriteEmbosserState("[Tarvik Embosser]\nform.width=165\nform.length=233\nmargin.top=9\n"
                       "margin.left=10\nmargin.right=23\ngraphics=1\nbraille.dots=8\nautowrap=0\n"
                       "line.spacing=23\nmedia.type=258\nmedia.lowest=5\nmedia.highest=16\n"
                       "braille.table=6\ndot.height=2\nquality=2\nduplex=2\n");
    Seams seams;
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
    EXPECT_EQ(sheet.Titles(), TEXT("Device Settings, Service"));
    HWND page = sheet.PageAt(0);
    const LPCWSTR read[] = {TEXT("Legacy Settings"),
                            TEXT("Form Size: A4"),
                            TEXT("Form Width: 8.25 Inches"),
                            TEXT("Form Length: 11.65 Inches"),
                            TEXT("Top Margin: 0.45 Inches"),
                            TEXT("Left Margin: 0.50 Inches"),
                            TEXT("Right Margin: 1.15 Inches"),
                            TEXT("Text/Graphics Mode: Graphics"),
                            TEXT("Dots Per Character: 8"),
                            TEXT("Automatic Text Wrapping: Off"),
                            TEXT("Extra Line Spacing: 1.15 Inches"),
                            TEXT("Media Type: Default 3 (Copy Paper)"),
                            TEXT("Custom Media Lowest Force: 5"),
                            TEXT("Custom Media Highest Force: 16"),
                            TEXT("Paper Source: Automatic Select"),
                            TEXT("Braille Table"),
                            TEXT("Braille Table: 7"),
                            TEXT("Braille Dot Height: Low"),
                            TEXT("Braille Quality: Best"),
                            TEXT("Duplex: Double Sided (Interpoint)")};
    auto rows = RowsOf(page);
    ASSERT_EQ(rows.size(), ARRAYSIZE(read));
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].second, read[i]) << i;

    // "Custom" keeps the typed size; the width goes with the length the embosser holds, the media
    // type with its dot values, and the untouched distances are not sent back.
    Make(page, {{kFormSize, IDC_DEVPAGE_LIST, TEXT("Custom")},
                {kFormWidth, IDC_DEVPAGE_EDIT, TEXT("9")},
                {kTopMargin, IDC_DEVPAGE_EDIT, TEXT("wide")},
                {kLeftMargin, IDC_DEVPAGE_EDIT, TEXT("0.49")},
                {kTextGraphics, IDC_DEVPAGE_LIST, TEXT("Text")},
                {kDots, IDC_DEVPAGE_LIST, TEXT("6")},
                {kWrapping, IDC_DEVPAGE_LIST, TEXT("On")},
                {kMediaType, IDC_DEVPAGE_LIST, TEXT("Default 1 (Braille Paper)")},
                {kBrailleTable, IDC_DEVPAGE_NUMBER, TEXT("3")},
                {kDotHeight, IDC_DEVPAGE_LIST, TEXT("High")},
                {kQuality, IDC_DEVPAGE_LIST, TEXT("Standard")},
                {kDuplex, IDC_DEVPAGE_LIST, TEXT("Single Sided")}});
    EXPECT_EQ(RowText(page, kFormLength), TEXT("Form Length: 11.65 Inches"));
    sheet.Apply();
    ExpectEmbosser({{"form.width", "180"},
                    {"form.length", "233"},
                    {"margin.top", "0"},
                    {"margin.left", "9"},
                    {"margin.right", "23"},
                    {"graphics", "0"},
                    {"braille.dots", "6"},
                    {"autowrap", "1"},
                    {"line.spacing", "23"},
                    {"media.type", "12"},
                    {"media.lowest", "5"},
                    {"media.highest", "16"},
                    {"braille.table", "2"},
                    {"dot.height", "0"},
                    {"quality", "1"},
                    {"duplex", "1"}});
    seams.ForgetCalls();
    sheet.Apply();
    EXPECT_EQ(seams.Calls("GetProcAddress"), 0) << "nothing differs: nothing is sent";

    // A paper shows its size in inches; spacing beyond 12.50 inches is limited when applied.
    Make(page, {{kFormSize, IDC_DEVPAGE_LIST, TEXT("Letter")},
                {kRightMargin, IDC_DEVPAGE_EDIT, TEXT("0.60")},
                {kLineSpacing, IDC_DEVPAGE_EDIT, TEXT("15")},
                {kMediaType, IDC_DEVPAGE_LIST, TEXT("Custom")},
                {kLowestForce, IDC_DEVPAGE_NUMBER, TEXT("9")},
                {kHighestForce, IDC_DEVPAGE_NUMBER, TEXT("20")},
                {kDuplex, IDC_DEVPAGE_LIST, TEXT("Double Sided (Interpoint)")}});
    EXPECT_EQ(RowText(page, kFormWidth), TEXT("Form Width: 8.50 Inches"));
    EXPECT_EQ(RowText(page, kFormLength), TEXT("Form Length: 11.00 Inches"));
    sheet.Apply();
    EXPECT_EQ(RowText(page, kLineSpacing), TEXT("Extra Line Spacing: 12.50 Inches"));
    ExpectEmbosser({{"form.width", "170"},
                    {"form.length", "220"},
                    {"margin.right", "12"},
                    {"line.spacing", "250"},
                    {"media.type", "30"},
                    {"media.lowest", "9"},
                    {"media.highest", "20"},
                    {"duplex", "2"}});
    sheet.Cancel();
}

// Without the printer's settings nothing can be changed, and they are not asked for again; a
// missing entry point for sending skips its calls.
TEST_F(DeviceTest, APrinterLinkWithoutAnEntryPointSkipsOnlyItsCalls) {
    const struct {
        const char* refused;
        bool changeable;
    } kCases[] = {{"DllExportGetPrinterSettings", false},
                  {"DllExportSetPrinterParameter", true},
                  {"DllExportUpdatePrinter", true}};
    for (const auto& c : kCases) {
        Seams seams;
        seams.refusedEntryPoints = {c.refused};
        Sheet sheet;
        ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
        HWND page = sheet.PageAt(0);
        SelectRow(page, kDuplex);
        EXPECT_EQ(Choose(page, IDC_DEVPAGE_LIST, TEXT("Double Sided (Interpoint)")), c.changeable)
            << c.refused;
        seams.ForgetCalls();
        sheet.PageAt(1);
        sheet.PageAt(0);
        sheet.Apply();
        EXPECT_EQ(seams.Calls("GetProcAddress") > 0, c.changeable) << c.refused;
        EXPECT_NE(EmbosserValue("duplex"), "2") << c.refused;
        sheet.Cancel();
    }
}

TEST_F(DeviceTest, ATableFileIsLoadedIntoTheChosenSlotAndRecordedWhenTheEmbosserTakesIt) {
    MakeTableFiles();
    ForgiveFileDialog(2);
    SetPrinterString(TEXT("Config\\BrailleTables"), TEXT("0"), TEXT("a.bct"));
    SetPrinterString(TEXT("Config\\BrailleTables"), TEXT("3"), TEXT("b.dis"));
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
    HWND page = sheet.PageAt(0);
    // The file dialog starts in the install folder's common folder.
    LoadTable(sheet, page, [&sheet](HWND dialog) {
        WCHAR title[128] = {};
        GetWindowTextW(dialog, title, ARRAYSIZE(title));
        EXPECT_STREQ(title, TEXT("Load Braille Table - Tarvik Embosser"));
        EXPECT_EQ(ItemsOf(dialog, IDC_TABLE_SLOT),
                  (std::vector<std::wstring>{TEXT("Table 1 (a.bct)"), TEXT("Table 2"),
                                             TEXT("Table 3"), TEXT("Table 4 (b.dis)"),
                                             TEXT("Table 5"), TEXT("Table 6"), TEXT("Table 7")}));
        EXPECT_EQ(ChosenItem(dialog, IDC_TABLE_SLOT), TEXT("Table 1 (a.bct)"));
        Choose(dialog, IDC_TABLE_SLOT, TEXT("Table 3"));
        Browse(sheet, dialog, TEXT("z.bct"));
        EXPECT_EQ(TextOf(dialog, IDC_TABLE_FILE),
                  TEXT("C:\\Program Files\\Quorvane\\Tarvik\\Common\\z.bct"));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(RowText(page, kBrailleTable), TEXT("Braille Table: 3"));
    EXPECT_EQ(EmbosserValue("table.2"), "z.bct");
    EXPECT_EQ(PrinterString(TEXT("Config\\BrailleTables"), TEXT("2")), TEXT("z.bct"));

    // The configured folder comes first; a file the embosser does not take is not recorded.
    SetPrinterString(TEXT("Config"), TEXT("QVDir"), TEXT("C:\\Tables"));
    LoadTable(sheet, page, [&sheet](HWND dialog) {
        EXPECT_EQ(ChosenItem(dialog, IDC_TABLE_SLOT), TEXT("Table 3 (z.bct)"));
        Choose(dialog, IDC_TABLE_SLOT, TEXT("Table 5"));
        Browse(sheet, dialog, TEXT("notes.txt"));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(RowText(page, kBrailleTable), TEXT("Braille Table: 5"));
    EXPECT_EQ(PrinterString(TEXT("Config\\BrailleTables"), TEXT("4")), TEXT(""));
    sheet.Apply();
    EXPECT_EQ(EmbosserValue("braille.table"), "4");
    sheet.Cancel();
}

// The tree of a German installation: its header, labels, option texts and units.
TEST_F(DeviceTest, TheTreeSpeaksGerman) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\Quorvane\\TarvikSetup"), 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, TEXT("Locale"), 0, REG_SZ, reinterpret_cast<const BYTE*>(TEXT("de_de")),
                   6 * sizeof(WCHAR));
    RegCloseKey(key);
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
    HWND page = sheet.PageAt(0);
    EXPECT_EQ(RowText(page, 0), TEXT("Frühere Einstellungen"));
    EXPECT_EQ(RowText(page, kDots), TEXT("Punkte pro Zeichen: 6"));
    SelectRow(page, kDuplex);
    EXPECT_EQ(ItemsOf(page, IDC_DEVPAGE_LIST),
              (std::vector<std::wstring>{TEXT("Einseitig"), TEXT("Doppelseitig (Interpunkt)")}));
    SelectRow(page, kTopMargin);
    EXPECT_EQ(TextOf(page, IDC_DEVPAGE_EDIT_UNIT), TEXT("Zoll"));
    sheet.Cancel();
}

} // namespace
