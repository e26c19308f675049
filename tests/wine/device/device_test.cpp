// The printer's properties as the printer folder opens them: the embosser's settings in the
// device page's tree, a person's changes through the page's inputs and the braille table dialog,
// and what the embosser and the printer data hold after Apply.
#include "../preferences/printer.h"
#include "person/person.h"
#include "seams.h"

#include "device_page/device_page_ids.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <dlgs.h>

#include <cstring>
#include <sstream>
#include <tuple>

namespace {

class DeviceTest : public WineTest {};

using Rows = std::vector<std::pair<HTREEITEM, std::wstring>>;

// `rows` and then the tree's rows under `parent` in the order they are shown, "Label: value".
Rows RowsOf(HWND page, HTREEITEM parent = TVI_ROOT, Rows rows = {}) {
    HWND tree = GetDlgItem(page, IDC_DEVPAGE_TREE);
    for (HTREEITEM row = TreeView_GetChild(tree, parent); row != nullptr;
         row = TreeView_GetNextSibling(tree, row)) {
        WCHAR text[260] = {};
        TVITEMW item = {TVIF_TEXT, row, 0, 0, text, ARRAYSIZE(text), 0, 0, 0, 0};
        TreeView_GetItem(tree, &item);
        rows.push_back({row, text});
        rows = RowsOf(page, row, std::move(rows));
    }
    return rows;
}

// The text of the first row that starts with `label`; a click on it when `select`, which shows its
// inputs under the tree.
std::wstring RowOf(HWND page, const std::wstring& label, bool select = false) {
    for (const auto& row : RowsOf(page))
        if (row.second.compare(0, label.size(), label) == 0) {
            if (select)
                TreeView_SelectItem(GetDlgItem(page, IDC_DEVPAGE_TREE), row.first);
            return row.second;
        }
    return TEXT("(no row)");
}

// A person's change of one row (its label's start, its input, the value): a pick in its list, or
// a text or number typed.
void Make(HWND page, const std::vector<std::tuple<LPCWSTR, int, LPCWSTR>>& changes) {
    for (auto [row, input, value] : changes) {
        RowOf(page, row, true);
        EXPECT_TRUE(input == IDC_DEVPAGE_LIST ? Choose(page, input, value)
                                              : Type(page, input, value))
            << testing::PrintToString(std::wstring(row));
    }
}

// Each "key=value" of `expected` (separated by spaces) is a line of the embosser's state file, or
// none is when not `held`.
void ExpectEmbosser(const std::string& expected, bool held = true) {
    const std::string text = EmbosserState();
    std::istringstream pairs(expected);
    for (std::string pair; pairs >> pair;)
        EXPECT_EQ(text.find("\n" + pair + "\n") != std::string::npos, held) << pair << " in\n"
                                                                            << text.c_str();
}

// A printer data text, where the spooler keeps it; `text` is stored first when given.
std::wstring PrinterString(LPCWSTR key, LPCWSTR name, LPCWSTR text = nullptr) {
    std::wstring path =
        TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik Embosser\\") +
        std::wstring(key);
    if (text != nullptr)
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, path.c_str(), name, REG_SZ, text,
                        (lstrlenW(text) + 1) * sizeof(WCHAR));
    WCHAR stored[MAX_PATH] = {};
    DWORD size = sizeof(stored);
    RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), name, RRF_RT_ANY, nullptr, stored, &size);
    return stored;
}

// The braille table dialog behind the tree's button, answered by `script`.
void LoadTable(Sheet& sheet, HWND page, LPCWSTR button, DialogScript script) {
    RowOf(page, button, true);
    sheet.Answer(IDD_BRAILLE_TABLE, std::move(script));
    EXPECT_TRUE(Click(page, IDC_DEVPAGE_BUTTON));
}

// Browse ..., where the person types `file` into the file dialog's name box and opens it.
void Browse(Sheet& sheet, HWND dialog, LPCWSTR file) {
    sheet.Answer(kCommonDialog, [file](HWND files) {
        EXPECT_EQ(ChosenItem(files, cmb1), TEXT("Braille Table Files (*.bct, *.rbt, *.dis)"));
        Type(files, edt1, file);
        Click(files, IDOK);
    });
    Click(dialog, IDC_TABLE_BROWSE);
}

TEST_F(DeviceTest, TheTreeShowsTheEmbossersSettingsApplySendsWhatThePersonChangedAndLoadsTables) {
    WriteEmbosserState("form.width=165\nform.length=233\nmargin.top=9\n"
                       "margin.left=10\nmargin.right=23\ngraphics=1\nbraille.dots=8\nautowrap=0\n"
                       "line.spacing=23\nmedia.type=2\nmedia.lowest=5\nmedia.highest=16\n"
                       "braille.table=6\ndot.height=1\nquality=2\nduplex=2");
    PrinterString(TEXT("DsDriver"), TEXT("PrintMediaSupported"), TEXT("Braille Paper"));
    // A table in the install folder's common folder, and a file that is no table elsewhere.
    for (LPCWSTR folder : {TEXT("C:\\Program Files\\Quorvane\\Tarvik\\Common"), TEXT("C:\\Tables")})
        CreateDirectoryW(folder, nullptr);
    for (LPCWSTR file : {TEXT("C:\\Program Files\\Quorvane\\Tarvik\\Common\\z.bct"),
                         TEXT("C:\\Tables\\notes.txt")})
        CloseHandle(CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ForgiveFileDialog(2);
    PrinterString(TEXT("Config\\BrailleTables"), TEXT("0"), TEXT("a.bct"));
    PrinterString(TEXT("Config\\BrailleTables"), TEXT("3"), TEXT("b.dis"));
    Seams seams; // the plug-in stays loaded from one sheet to the next
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
    EXPECT_EQ(sheet.Titles(), TEXT("Device Settings, Service"));
    EXPECT_EQ(PrinterString(TEXT("DsDriver"), TEXT("PrintMediaReady")), TEXT("Braille Paper"));
    HWND page = sheet.PageAt(0);
    std::wstring all;
    for (const auto& row : RowsOf(page))
        all += row.second + TEXT("|");
    EXPECT_EQ(all,
              TEXT("Legacy Settings|Form Size: A4|Form Width: 8.25 Inches|Form Length: 11.65 "
                   "Inches|Top Margin: 0.45 Inches|Left Margin: 0.50 Inches|Right Margin: 1.15 "
                   "Inches|Text/Graphics Mode: Graphics|Dots Per Character: 8|Automatic Text "
                   "Wrapping: Off|Extra Line Spacing: 1.15 Inches|Media Type: Default 3 (Copy "
                   "Paper)|Custom Media Lowest Force: 5|Custom Media Highest Force: 16|Paper "
                   "Source: Automatic Select|Braille Table|Braille Table: 7|Braille Dot Height: "
                   "Normal|Braille Quality: Best|Duplex: Double Sided (Interpoint)|"));

    // "Custom" keeps the typed size; the width goes with the length the embosser holds, the media
    // type with its dot values; untouched values stay. Leaving the page and coming back reads
    // nothing again.
    Make(page, {{TEXT("Form Size"), IDC_DEVPAGE_LIST, TEXT("Custom")},
                {TEXT("Form Width"), IDC_DEVPAGE_EDIT, TEXT("9")},
                {TEXT("Top Margin"), IDC_DEVPAGE_EDIT, TEXT("wide")},
                {TEXT("Left Margin"), IDC_DEVPAGE_EDIT, TEXT("0.49")},
                {TEXT("Text/Graphics"), IDC_DEVPAGE_LIST, TEXT("Text")},
                {TEXT("Dots"), IDC_DEVPAGE_LIST, TEXT("6")},
                {TEXT("Automatic"), IDC_DEVPAGE_LIST, TEXT("On")},
                {TEXT("Media Type"), IDC_DEVPAGE_LIST, TEXT("Default 1 (Braille Paper)")},
                {TEXT("Braille Table:"), IDC_DEVPAGE_NUMBER, TEXT("3")},
                {TEXT("Braille Dot"), IDC_DEVPAGE_LIST, TEXT("High")},
                {TEXT("Braille Quality"), IDC_DEVPAGE_LIST, TEXT("Standard")},
                {TEXT("Duplex"), IDC_DEVPAGE_LIST, TEXT("Single Sided")}});
    EXPECT_EQ(RowOf(page, TEXT("Form Length")), TEXT("Form Length: 11.65 Inches"));
    sheet.PageAt(1);
    sheet.PageAt(0);
    sheet.Apply();
    ExpectEmbosser(
        "form.width=180 form.length=233 margin.top=0 margin.left=9 margin.right=23 graphics=0 "
        "braille.dots=6 autowrap=1 line.spacing=23 media.type=12 media.lowest=5 media.highest=16 "
        "braille.table=2 dot.height=0 quality=1 duplex=1");
    seams.ForgetCalls();
    sheet.Apply();
    EXPECT_EQ(seams.Calls("GetProcAddress"), 0) << "nothing differs: nothing is sent";

    // A paper shows its size in inches; spacing beyond 12.50 inches is limited when applied.
    Make(page, {{TEXT("Form Size"), IDC_DEVPAGE_LIST, TEXT("Letter")},
                {TEXT("Right Margin"), IDC_DEVPAGE_EDIT, TEXT("0.60")},
                {TEXT("Extra Line"), IDC_DEVPAGE_EDIT, TEXT("15")},
                {TEXT("Media Type"), IDC_DEVPAGE_LIST, TEXT("Custom")},
                {TEXT("Custom Media Lowest"), IDC_DEVPAGE_NUMBER, TEXT("9")},
                {TEXT("Custom Media Highest"), IDC_DEVPAGE_NUMBER, TEXT("20")},
                {TEXT("Braille Quality"), IDC_DEVPAGE_LIST, TEXT("Best")},
                {TEXT("Duplex"), IDC_DEVPAGE_LIST, TEXT("Double Sided (Interpoint)")}});
    EXPECT_EQ(RowOf(page, TEXT("Form Width")), TEXT("Form Width: 8.50 Inches"));
    EXPECT_EQ(RowOf(page, TEXT("Form Length")), TEXT("Form Length: 11.00 Inches"));
    sheet.Apply();
    ExpectEmbosser("form.width=170 form.length=220 margin.right=12 line.spacing=250 media.type=30 "
                   "media.lowest=9 media.highest=20 quality=2 duplex=2");

    // Each listed media type has its code.
    for (auto [option, code] :
         {std::make_pair(TEXT("Default 2 (Light Braille Paper)"), "media.type=13"),
          std::make_pair(TEXT("Default 3 (Copy Paper)"), "media.type=2"),
          std::make_pair(TEXT("Default 4 (Premium Copy Paper)"), "media.type=3"),
          std::make_pair(TEXT("Default 5 (Card Stock)"), "media.type=11")}) {
        Make(page, {{TEXT("Media Type"), IDC_DEVPAGE_LIST, option}});
        sheet.Apply();
        ExpectEmbosser(code);
    }

    // A table file is loaded into the chosen slot and recorded when the embosser takes it.
    // The file dialog starts in the install folder's common folder.
    LoadTable(sheet, page, TEXT("Braille Table"), [&sheet](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), TEXT("Load Braille Table - Tarvik Embosser"));
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), sheet.window());
        EXPECT_EQ(
            ItemsOf(dialog, IDC_TABLE_SLOT),
            (Items{TEXT("Table 1 (a.bct)"), TEXT("Table 2"), TEXT("Table 3"),
                   TEXT("Table 4 (b.dis)"), TEXT("Table 5"), TEXT("Table 6"), TEXT("Table 7")}));
        EXPECT_EQ(ChosenItem(dialog, IDC_TABLE_SLOT), TEXT("Table 1 (a.bct)"));
        Choose(dialog, IDC_TABLE_SLOT, TEXT("Table 3"));
        Browse(sheet, dialog, TEXT("z.bct"));
        EXPECT_EQ(TextOf(dialog, IDC_TABLE_FILE),
                  TEXT("C:\\Program Files\\Quorvane\\Tarvik\\Common\\z.bct"));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(RowOf(page, TEXT("Braille Table:")), TEXT("Braille Table: 3"));
    ExpectEmbosser("table.2=z.bct");
    EXPECT_EQ(PrinterString(TEXT("Config\\BrailleTables"), TEXT("2")), TEXT("z.bct"));

    // The configured folder comes first; a file the embosser does not take is not recorded.
    PrinterString(TEXT("Config"), TEXT("QVDir"), TEXT("C:\\Tables"));
    LoadTable(sheet, page, TEXT("Braille Table"), [&sheet](HWND dialog) {
        EXPECT_EQ(ChosenItem(dialog, IDC_TABLE_SLOT), TEXT("Table 3 (z.bct)"));
        Choose(dialog, IDC_TABLE_SLOT, TEXT("Table 5"));
        Browse(sheet, dialog, TEXT("notes.txt"));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(PrinterString(TEXT("Config\\BrailleTables"), TEXT("4")), TEXT(""));
    // Cancel takes no slot.
    LoadTable(sheet, page, TEXT("Braille Table"), [](HWND dialog) {
        Choose(dialog, IDC_TABLE_SLOT, TEXT("Table 2"));
        Click(dialog, IDCANCEL);
    });
    sheet.Apply();
    ExpectEmbosser("braille.table=4");
    sheet.Cancel();
    // A new sheet starts at the slot the printer uses, and a German installation's in German.
    SetLocale(TEXT("de_de"));
    Sheet next;
    ASSERT_TRUE(next.OpenProperties(kPrinterName));
    page = next.PageAt(0);
    EXPECT_EQ(RowOf(page, TEXT("")), TEXT("Frühere Einstellungen"));
    EXPECT_EQ(RowOf(page, TEXT("Punkte")), TEXT("Punkte pro Zeichen: 6"));
    RowOf(page, TEXT("Beidseitig"), true);
    EXPECT_EQ(ItemsOf(page, IDC_DEVPAGE_LIST),
              (Items{TEXT("Einseitig"), TEXT("Doppelseitig (Interpunkt)")}));
    RowOf(page, TEXT("Linker Rand"), true);
    EXPECT_EQ(TextOf(page, IDC_DEVPAGE_EDIT_UNIT), TEXT("Zoll"));
    // Distances with a decimal comma, shown and typed.
    EXPECT_EQ(RowOf(page, TEXT("Linker Rand")), TEXT("Linker Rand: 0,45 Zoll"));
    Make(page, {{TEXT("Formularbreite"), IDC_DEVPAGE_EDIT, TEXT("9,25")}});
    next.Apply();
    ExpectEmbosser("form.width=185");
    LoadTable(next, page, TEXT("Punktschrifttabelle"), [](HWND dialog) {
        EXPECT_EQ(ChosenItem(dialog, IDC_TABLE_SLOT), TEXT("Tabelle 1 (a.bct)"));
        EXPECT_EQ(TextOf(dialog, IDC_TABLE_BROWSE), TEXT("&Durchsuchen ..."));
        Click(dialog, IDCANCEL);
    });
    next.Cancel();
}

// Without the printer's settings nothing can be changed, and they are not asked for again; a
// missing entry point for sending skips its calls.
TEST_F(DeviceTest, APrinterLinkWithoutAnEntryPointSkipsOnlyItsCalls) {
    for (auto [refused, changeable] : {std::make_pair("DllExportGetPrinterSettings", false),
                                       std::make_pair("DllExportSetPrinterParameter", true),
                                       std::make_pair("DllExportUpdatePrinter", true)}) {
        SCOPED_TRACE(refused);
        Seams seams;
        seams.refusedEntryPoints = {refused};
        Sheet sheet;
        ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
        HWND page = sheet.PageAt(0);
        RowOf(page, TEXT("Extra Line"), true);
        EXPECT_EQ(Type(page, IDC_DEVPAGE_EDIT, TEXT("15")), changeable);
        seams.ForgetCalls();
        sheet.PageAt(1);
        sheet.PageAt(0);
        sheet.Apply();
        EXPECT_EQ(seams.Calls("GetProcAddress") > 0, changeable);
        EXPECT_EQ(RowOf(page, TEXT("Extra")) == TEXT("Extra Line Spacing: 12.50 Inches"),
                  changeable);
        ExpectEmbosser("line.spacing=250", false);
        sheet.Cancel();
    }
}

// The core driver's filling call that cannot be served: a host that hands back fewer items than
// it was told, or a printer that cannot be read. It is refused and the items stay as they were.
TEST_F(HostedPluginTest, AFillingCallThatCannotBeServedLeavesTheItemsUntouched) {
    HANDLE printer = nullptr, heap = GetProcessHeap();
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &printer, nullptr));
    for (auto [count, handle] : {std::make_pair(19u, printer), std::make_pair(20u, HANDLE())}) {
        std::vector<OPTITEM> items(20);
        std::memset(items.data(), 0x5A, items.size() * sizeof(OPTITEM));
        OEMCUIPPARAM param = {sizeof(param), nullptr, handle, nullptr, nullptr, heap,
                              nullptr,       nullptr, 0,      nullptr, 0,       items.data(),
                              count,         nullptr, nullptr};
        SetLastError(0);
        EXPECT_EQ(host_.plugin()->CommonUIProp(OEMCUIP_PRNPROP, &param), E_FAIL) << count;
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER)) << count;
        EXPECT_EQ(items[0].cbSize, 0x5A5A) << count;
    }
    ClosePrinter(printer);
}

} // namespace
