// The real plug-in's device settings tree in the device page, in a real property sheet: what it
// shows once the printer is read, a person's changes through the page's inputs, and what Apply
// sends to the printer link.
#include "device_page_checks.h"

#include "check_log.h"
#include "core_driver.h"
#include "device_page.h"
#include "device_page_ids.h"
#include "folders.h"
#include "page_driving.h"
#include "sheet_session.h"
#include "test_printer.h"

#include <strsafe.h>
#include <winspool.h>

#include <map>
#include <vector>

namespace {

// Item positions in the plug-in's tree.
enum TreeItem : WORD {
    kHeader = 0,
    kFormSize = 1,
    kFormWidth = 2,
    kFormLength = 3,
    kTopMargin = 4,
    kDots = 8,
    kLineSpacing = 10,
    kMediaType = 11,
    kLoadTable = 15,
    kBrailleTable = 16,
    kDuplex = 19,
};
constexpr int kApplyButton = 0x3021;
constexpr int kTableSlotList = 1041;

// The embosser's records as its printer link reports them: record id to its four values.
typedef DWORD(WINAPI* GetSettingsProc)(DWORD, LPCWSTR, LPBYTE, DWORD, DWORD*);
std::map<DWORD, std::vector<LONG>> EmbosserRecords() {
    std::map<DWORD, std::vector<LONG>> records;
    auto getSettings = reinterpret_cast<GetSettingsProc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(TEXT("qvmonext.dll")), "DllExportGetPrinterSettings")));
    if (getSettings == nullptr)
        return records;
    DWORD needed = 0;
    getSettings(0, kTestPrinterName, nullptr, 0, &needed);
    std::vector<BYTE> block(needed);
    if (needed == 0 || getSettings(0, kTestPrinterName, block.data(), needed, &needed) != 0)
        return records;
    constexpr DWORD kRecordBytes = 200;
    for (DWORD offset = kRecordBytes; offset + kRecordBytes <= needed; offset += kRecordBytes) {
        DWORD id;
        LONG values[4];
        CopyMemory(&id, &block[offset], sizeof(id));
        CopyMemory(values, &block[offset + sizeof(id)], sizeof(values));
        records[id] = std::vector<LONG>(values, values + 4);
    }
    return records;
}

std::string Values(const std::vector<LONG>& values, size_t count) {
    std::string text;
    for (size_t i = 0; i < count && i < values.size(); ++i)
        text += (i ? " " : "") + std::to_string(values[i]);
    return text;
}

void CheckRow(HWND page, WORD index, const char* expected) {
    std::string what = "row " + std::to_string(index);
    CheckText(what.c_str(), expected, RowText(page, index));
}

std::wstring ShotPath(LPCWSTR folder, LPCWSTR name) {
    return std::wstring(folder) + name;
}

void Screenshot(HWND window, LPCWSTR folder, LPCWSTR name) {
    // What the screen shows once every window has painted.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(200);
    std::wstring path = ShotPath(folder, name);
    bool saved = SaveScreenshot(window, path.c_str());
    CheckThat(("screenshot " + Narrow(name)).c_str(), saved, "saved", Outcome(saved, "saved"));
}

// The braille table dialog opened by the push button: the timer picks the fifth slot and
// confirms, as a person would, once the dialog is up.
struct TableDialogScript {
    LPCWSTR folder = nullptr;
    bool seen = false;
    std::string title;
} g_tableScript;

BOOL CALLBACK FindTableDialog(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && WindowText(window).rfind("Load Braille Table", 0) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerTableDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTableDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    KillTimer(nullptr, timer);
    g_tableScript.seen = true;
    g_tableScript.title = WindowText(dialog);
    SendDlgItemMessageW(dialog, kTableSlotList, CB_SETCURSEL, 4, 0);
    Pump(200);
    Screenshot(dialog, g_tableScript.folder, TEXT("device-page-table-dialog.bmp"));
    Press(dialog, IDOK);
}

bool InstallPrinterLink(LPCWSTR folder) {
    std::wstring target;
    bool copied = CopyFileInto(folder, DriverFolder(), TEXT("qvmonext.dll"), &target);
    std::string copiedTo = "copied to " + Narrow(target.c_str());
    return CheckThat("the virtual embosser as the printer link", copied, copiedTo,
                     Outcome(copied, copiedTo.c_str()));
}

// A person at the keyboard: Tab from the tree to the value, an arrow key to the next option.
void UseTheKeyboard(HWND sheet, HWND page) {
    SetForegroundWindow(sheet);
    HWND tree = GetDlgItem(page, IDC_DEVPAGE_TREE);
    SetFocus(tree);
    SelectRow(page, kDots);
    PressKey(VK_TAB);
    HWND list = GetDlgItem(page, IDC_DEVPAGE_LIST);
    CheckThat("Tab moves from the tree to the list", GetFocus() == list, "the list",
              "another control");
    PressKey(VK_DOWN);
    CheckRow(page, kDots, "Dots Per Character: 8");
    PressKey(VK_TAB, VK_SHIFT);
    CheckThat("Shift+Tab goes back to the tree", GetFocus() == tree, "the tree", "another control");
    // A list dropped down and walked through: the entries stay while the choice follows.
    SelectRow(page, kMediaType);
    PressKey(VK_TAB);
    PressKey(VK_F4);
    CheckThat("F4 drops the list down", SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0,
              "dropped down", "closed");
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    CheckRow(page, kMediaType, "Media Type: Default 3 (Copy Paper)");
    CheckNumber("entries in the list", 6, SendMessageW(list, CB_GETCOUNT, 0, 0));
    PressKey(VK_TAB, VK_SHIFT);
    // The labels' mnemonics: Alt+V to the value, Alt+S back to the settings.
    SelectRow(page, kTopMargin);
    PressKey('V', VK_MENU);
    CheckThat("Alt+V moves to the value", GetFocus() == GetDlgItem(page, IDC_DEVPAGE_EDIT),
              "the edit box", "another control");
    PressKey('S', VK_MENU);
    CheckThat("Alt+S moves back to the tree", GetFocus() == tree, "the tree", "another control");
}

void ActOnThePage(HWND sheet, HWND page, LPCWSTR folder) {
    UseTheKeyboard(sheet, page);
    // A list item: the drop-down under the tree, labelled with the item's name.
    SelectRow(page, kDuplex);
    HWND list = GetDlgItem(page, IDC_DEVPAGE_LIST);
    CheckText("label of the list",
              "&Value of Duplex:", WindowText(GetDlgItem(page, IDC_DEVPAGE_LIST_LABEL)));
    CheckThat("the label comes right before the list",
              GetWindow(list, GW_HWNDPREV) == GetDlgItem(page, IDC_DEVPAGE_LIST_LABEL),
              "label then list", "another order");
    CheckThat("Tab from the tree reaches the list",
              ShownInputs(page) == std::vector<int>{IDC_DEVPAGE_LIST}, "the list alone",
              std::to_string(ShownInputs(page).size()) + " inputs");
    CheckThat("choose \"Double Sided (Interpoint)\"",
              ChooseListEntry(page, TEXT("Double Sided (Interpoint)")), "chosen", "not offered");
    CheckRow(page, kDuplex, "Duplex: Double Sided (Interpoint)");
    CheckThat("Apply is enabled by the change", IsWindowEnabled(GetDlgItem(sheet, kApplyButton)),
              "enabled", "disabled");

    // An edit item: its text becomes the item's when the person leaves the box.
    SelectRow(page, kTopMargin);
    CheckText("unit after the edit box", "Inches",
              WindowText(GetDlgItem(page, IDC_DEVPAGE_EDIT_UNIT)));
    CheckThat("type 0.50 into Top Margin", TypeAndLeave(page, IDC_DEVPAGE_EDIT, TEXT("0.50")),
              "typed", "the box is not there");
    CheckRow(page, kTopMargin, "Top Margin: 0.50 Inches");

    // A paper choice that the plug-in answers by rewriting two other items.
    SelectRow(page, kFormSize);
    CheckThat("choose \"A4\"", ChooseListEntry(page, TEXT("A4")), "chosen", "not offered");
    CheckRow(page, kFormWidth, "Form Width: 8.27 Inches");
    CheckRow(page, kFormLength, "Form Length: 11.69 Inches");

    // The push button: the plug-in's braille table dialog, answered by the timer.
    SelectRow(page, kLoadTable);
    CheckText("the push button", "&Open Braille Table ...",
              WindowText(GetDlgItem(page, IDC_DEVPAGE_BUTTON)));
    Screenshot(sheet, folder, TEXT("device-page-button.bmp"));
    g_tableScript.folder = folder;
    UINT_PTR timer = SetTimer(nullptr, 0, 300, AnswerTableDialog);
    Press(page, IDC_DEVPAGE_BUTTON);
    KillTimer(nullptr, timer);
    CheckThat("the braille table dialog opened", g_tableScript.seen, "a dialog",
              g_tableScript.seen ? g_tableScript.title : "none");
    CheckRow(page, kBrailleTable, "Braille Table: 5");

    // The up-down item, set by typing a number.
    SelectRow(page, kBrailleTable);
    CheckThat("type 6 into Braille Table", TypeAndLeave(page, IDC_DEVPAGE_NUMBER, TEXT("6")),
              "typed", "the box is not there");
    CheckRow(page, kBrailleTable, "Braille Table: 6");
    TypeAndLeave(page, IDC_DEVPAGE_NUMBER, TEXT("9"));
    CheckRow(page, kBrailleTable, "Braille Table: 6");
    CheckText("a number out of range is put back", "6",
              WindowText(GetDlgItem(page, IDC_DEVPAGE_NUMBER)));
    Screenshot(sheet, folder, TEXT("device-page-number.bmp"));

    // A spacing beyond the printer's limit: the plug-in limits it when it applies.
    SelectRow(page, kLineSpacing);
    TypeAndLeave(page, IDC_DEVPAGE_EDIT, TEXT("15"));
    CheckRow(page, kLineSpacing, "Extra Line Spacing: 15 Inches");
    SelectRow(page, kTopMargin);
    Pump(300);
    Screenshot(sheet, folder, TEXT("device-page-changed.bmp"));
}

void CheckApplied(HWND sheet, LPCWSTR folder) {
    Press(sheet, kApplyButton);
    Pump(300);
    CheckThat("Apply is disabled again", !IsWindowEnabled(GetDlgItem(sheet, kApplyButton)),
              "disabled", "enabled");
    auto records = EmbosserRecords();
    CheckText("the embosser's top margin (twentieths of an inch)", "10", Values(records[91], 1));
    CheckText("the embosser's duplex", "2", Values(records[100], 1));
    CheckText("the embosser's braille dots", "8", Values(records[95], 1));
    CheckText("the embosser's media type (code first)", "2", Values(records[101], 1));
    CheckText("the embosser's line spacing, limited", "250", Values(records[96], 1));
    CheckRow(PropSheet_GetCurrentPageHwnd(sheet), kLineSpacing, "Extra Line Spacing: 12.50 Inches");
    CheckText("the embosser's form (30, width, length)", "30 165 233", Values(records[102], 3));
    CheckText("the embosser's braille table slot", "5", Values(records[92], 1));
    Screenshot(sheet, folder, TEXT("device-page-applied.bmp"));
}

} // namespace

void CheckEmbosserTree(LPCWSTR folder, LPCWSTR shots) {
    if (!InstallTestPrinter(folder) || !InstallPrinterLink(folder))
        return;
    CoreDriverHost host;
    WCHAR pluginPath[MAX_PATH];
    PluginModulePath(pluginPath, MAX_PATH);
    if (!CheckResult("load the plug-in", S_OK, host.Load(pluginPath)))
        return;
    {
        SheetSession session(host);
        if (!CheckResult("open the printer's properties", S_OK,
                         session.OpenPrinterProperties(kTestPrinterName)))
            return;
        CheckNumber("items in the plug-in's tree", 20, session.treeParam().cOEMOptItems);
        DevicePageSetup setup = {&session.treeParam(), TEXT("Device Settings"),
                                 GetModuleHandleW(nullptr)};
        HPROPSHEETPAGE devicePage = CreateDevicePage(setup);
        if (!CheckThat("CreateDevicePage", devicePage != nullptr, "a page", "null"))
            return;
        PROPSHEETHEADERW header;
        ZeroMemory(&header, sizeof(header));
        header.dwSize = sizeof(header);
        header.dwFlags = PSH_MODELESS;
        header.pszCaption = kTestPrinterName;
        header.nPages = 1;
        header.phpage = &devicePage;
        HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
        if (!CheckThat("the sheet opens", sheet != nullptr, "a window", "none"))
            return;
        Pump(500);
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        std::vector<std::string> rows = RowTexts(page);
        CheckNumber("rows in the tree", 20, rows.size());
        if (rows.size() == 20) {
            CheckText("the header row", "Legacy Settings", rows[0]);
            CheckText("a row under it", "  Form Size: Letter", rows[1]);
        }
        Note("the device page's rows once the printer is read:");
        for (const std::string& row : rows)
            Note("  %s", row.c_str());
        CheckRow(page, kTopMargin, "Top Margin: 0.25 Inches");
        CheckRow(page, kDuplex, "Duplex: Single Sided");
        CheckRow(page, kBrailleTable, "Braille Table: 1");
        CheckThat("the header row has no input", ShownInputs(page).empty(), "none",
                  std::to_string(ShownInputs(page).size()) + " inputs");
        Screenshot(sheet, shots, TEXT("device-page-read.bmp"));

        ActOnThePage(sheet, page, shots);
        CheckApplied(sheet, shots);
        DestroyWindow(sheet);
        session.Close(1);
    }
    host.Unload();
    RemoveTestPrinter();
}
