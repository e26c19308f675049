// Where the sheets' settings come from: the spooler round trips of opening, showing, applying and
// closing, the peripherals installation's marker, and the locale library's German.
#include "person/person.h"
#include "printer.h"
#include "seams.h"

#include "resources/resource.h"

#include <sstream>
#include <string>

namespace {

class SettingsTest : public WineTest {};

// The plug-in's calls of each spooler function since the seams last forgot them:
// "EnumPrinterDataExW 1, GetPrinterW 1".
std::string SpoolerCalls(const Seams& seams) {
    std::istringstream functions(
        "AddFormW ClosePrinter DeleteFormW DeletePrinterDataExW DeviceCapabilitiesW "
        "DocumentPropertiesW EnumFormsW EnumPrinterDataExW GetFormW GetPrinterDataExW "
        "GetPrinterDriverDirectoryW GetPrinterDriverW GetPrinterW OpenPrinterW SetPrinterDataExW "
        "SetPrinterW");
    std::string calls;
    for (std::string function; functions >> function;)
        if (seams.Calls(function.c_str()) > 0)
            calls += (calls.empty() ? "" : ", ") + function + " " +
                     std::to_string(seams.Calls(function.c_str()));
    return calls;
}

// On a print server every spooler call is a network round trip: what opening a sheet costs there.
// Opening: the printer's information, its settings in one enumeration (read again after the
// peripherals installation), its papers and the forms' sizes, the driver directory for the
// sibling libraries, and whether the user may manage the printer (the handle that proves it is
// kept for the sheet's writes).
TEST_F(SettingsTest, OpeningThePreferencesCostsFewRoundTrips) {
    struct Case {
        const char* name;
        void (*prepare)(Seams& seams);
        const char* calls;
        bool marked; // "OutputVersion" is there afterwards
    } const cases[] = {
        {"every value stored", [](Seams&) {},
         "EnumPrinterDataExW 1, GetPrinterDriverDirectoryW 1, GetPrinterW 1, OpenPrinterW 1", true},
        {"a fresh printer: the peripherals installed, the values read again and healed",
         [](Seams&) { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kConfigPath); },
         "EnumPrinterDataExW 2, GetPrinterDataExW 1, GetPrinterDriverDirectoryW 1, GetPrinterW 1, "
         "OpenPrinterW 1, SetPrinterDataExW 30",
         true},
        {"a peripherals library without its entry point",
         [](Seams& seams) {
             RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kConfigPath, TEXT("OutputVersion"));
             seams.refusedEntryPoints.push_back("InstallTarvikPeripherals");
         },
         "EnumPrinterDataExW 2, GetPrinterDriverDirectoryW 1, GetPrinterW 1, OpenPrinterW 1",
         false},
        {"the enumeration refused: every value read on its own",
         [](Seams& seams) { seams.Fail("EnumPrinterDataExW", ERROR_ACCESS_DENIED); },
         "EnumPrinterDataExW 1, GetPrinterDataExW 34, GetPrinterDriverDirectoryW 1, GetPrinterW 1, "
         "OpenPrinterW 1",
         true},
        {"other programs' values beyond the first guess",
         [](Seams&) {
             std::vector<BYTE> data(1000, 7);
             for (int i = 0; i < 40; ++i)
                 RegSetKeyValueW(HKEY_LOCAL_MACHINE, kConfigPath,
                                 (TEXT("Other") + std::to_wstring(i)).c_str(), REG_BINARY,
                                 data.data(), 1000);
         },
         "EnumPrinterDataExW 2, GetPrinterDriverDirectoryW 1, GetPrinterW 1, OpenPrinterW 1", true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        RestoreInstalledState();
        Sheet().OpenPreferences(kPrinterName); // a first sheet stores every value the sheets read
        Seams seams;
        test.prepare(seams);
        seams.ForgetCalls();
        Sheet sheet;
        ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
        EXPECT_EQ(SpoolerCalls(seams),
                  std::string("DeviceCapabilitiesW 2, EnumFormsW 1, ") + test.calls);
        EXPECT_EQ(ConfigDword(TEXT("OutputVersion")) != kMissing, test.marked);
    }
}

// What showing the pages, applying a change on each and closing cost on a printer with every value
// stored.
TEST_F(SettingsTest, ShowingApplyingAndClosingCostFewRoundTrips) {
    Sheet().OpenPreferences(kPrinterName); // every value stored
    Seams seams;
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    std::vector<std::string> calls;
    for (int page : {kPaperPage, kMainPage}) {
        seams.ForgetCalls();
        sheet.PageAt(page);
        calls.push_back(SpoolerCalls(seams));
    }
    Click(sheet.PageAt(kLayoutPage), IDC_LAYOUT_DOUBLE_SIDED);
    Choose(sheet.PageAt(kPaperPage), IDC_PAPER_MEDIA_TYPE, TEXT("Default 3 (Copy Paper)"));
    Choose(sheet.PageAt(kMainPage), IDC_MAIN_DOT_QUALITY, TEXT("Best"));
    seams.ForgetCalls();
    sheet.Apply();
    calls.push_back(SpoolerCalls(seams));
    seams.ForgetCalls();
    sheet.Cancel();
    calls.push_back(SpoolerCalls(seams));
    // The paper page: the default devmode's paper (its three lists counted before they are read),
    // the paper list with its sizes, one form's size for "Automatic Select". Apply: the 7 values
    // that changed, and one devmode push of the sides and the media type: the printer's
    // information, the driver's devmode size, two merges and SetPrinterW. Closing: the sheet's
    // full-access handle.
    EXPECT_EQ(calls,
              std::vector<std::string>(
                  {"DeviceCapabilitiesW 9, EnumFormsW 1, GetFormW 1, GetPrinterW 3", "",
                   "DocumentPropertiesW 3, GetPrinterW 1, SetPrinterDataExW 7, SetPrinterW 1",
                   "ClosePrinter 1"}));
}

// The texts of `window`'s labels, boxes and buttons that do not fit them in their own font.
std::wstring CutTexts(HWND window) {
    std::wstring cut;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        WCHAR kind[16] = {};
        GetClassNameW(child, kind, 16);
        std::wstring text = WindowText(child);
        bool button = lstrcmpiW(kind, TEXT("Button")) == 0;
        if (!IsWindowVisible(child) || text.empty() ||
            (!button && lstrcmpiW(kind, TEXT("Static")) != 0))
            continue;
        LONG style = GetWindowLongW(child, GWL_STYLE);
        LONG type = style & BS_TYPEMASK;
        bool box =
            button && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && type != BS_GROUPBOX;
        bool wraps = button ? (style & BS_MULTILINE) != 0 : (style & SS_TYPEMASK) == SS_LEFT;
        RECT room = {}, need = {};
        GetClientRect(child, &room);
        room.right -= box ? GetSystemMetrics(SM_CXMENUCHECK) + 3 : type == BS_GROUPBOX ? 12 : 2;
        need.right = room.right;
        HDC dc = GetDC(child);
        HGDIOBJ font =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)));
        DrawTextW(dc, text.c_str(), -1, &need,
                  DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        SelectObject(dc, font);
        ReleaseDC(child, dc);
        if (need.right > room.right || need.bottom > room.bottom)
            cut += text + TEXT("; ");
    }
    return cut;
}

// The pages of a printer installed for German: the locale library reads the catalogue we ship.
TEST_F(SettingsTest, ThePagesSpeakGermanAndNothingIsCut) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\Quorvane\\TarvikSetup"), TEXT("Locale"),
                    REG_SZ, TEXT("de_de"), 12);
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    for (int page : {kLayoutPage, kPaperPage, kMainPage}) // the page shown, its texts visible
        EXPECT_EQ(CutTexts(sheet.PageAt(page)), TEXT("")) << page;
    HWND layout = sheet.PageAt(kLayoutPage), paper = sheet.PageAt(kPaperPage),
         main = sheet.PageAt(kMainPage);
    EXPECT_EQ(
        Joined({sheet.Titles(), TextOf(layout, IDC_LAYOUT_DOUBLE_SIDED),
                TextOf(paper, IDC_PAPER_ADVANCED), ItemsOf(paper, IDC_PAPER_MEDIA_TYPE)[1],
                TextOf(main, IDC_MAIN_EMBOSS), TextOf(main, IDC_MAIN_DOT_QUALITY_LABEL),
                Joined(ItemsOf(main, IDC_MAIN_DOT_QUALITY))},
               TEXT("|")),
        TEXT("Layout, Papier/Medien, Tarvik|&Doppelseitig (Interpunkt)|Er&weitert ...|"
             "Standard 1 (Punktschriftpapier)|&Prägen|Punktqualität|Entwurf, Standard, Beste"));
    std::wstring seen;
    sheet.Answer(kMessageBox, [&seen](HWND box) {
        seen = WindowText(box);
        Click(box, IDNO);
    });
    Click(main, IDC_MAIN_DEFAULTS);
    EXPECT_EQ(seen + TEXT(": ") + Joined(sheet.Messages()),
              TEXT("Auf Standard zurücksetzen: Einstellungen auf die Standardwerte zurücksetzen?"));
    sheet.Answer(IDD_IMAGE_OPTIONS, [&seen](HWND dialog) {
        MoveTrackBar(dialog, IDC_IMAGE_BRIGHTNESS, 20);
        seen = Joined({WindowText(dialog), TextOf(dialog, IDC_IMAGE_CONTRAST_LABEL),
                       TextOf(dialog, IDC_IMAGE_THIN_LINE_GROUP), TextOf(dialog, IDC_APPLY_BUTTON),
                       TextOf(dialog, IDC_IMAGE_BRIGHTNESS_LABEL), CutTexts(dialog)},
                      TEXT("|"));
        Click(dialog, IDCANCEL);
    });
    Click(main, IDC_MAIN_MORE_OPTIONS);
    EXPECT_EQ(seen, TEXT("Erweitert - Tarvik Embosser|Kontrast 0|Stärke dünner Linien|Ü&bernehmen|"
                         "Helligkeit 20|"));
}

} // namespace
