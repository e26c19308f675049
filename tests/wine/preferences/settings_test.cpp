// Where the sheets' settings come from: the spooler round trips of opening, showing, applying and
// closing, the peripherals installation's marker, and the locale library's German.
#include "person/person.h"
#include "printer.h"
#include "seams.h"

#include "device_page/device_page_ids.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <functional>
#include <string>

namespace {

class SettingsTest : public WineTest {};

// Opening the preferences when the settings are not all there: the printer's information, its
// settings in one enumeration (read again after the peripherals installation), the driver
// directory for the sibling libraries, and whether the user may manage the printer (the handle
// that proves it is kept for the sheet's writes).
TEST_F(SettingsTest, OpeningThePreferencesCostsFewRoundTrips) {
    struct Case {
        const char* name;
        void (*prepare)(Seams& seams);
        const char* calls;
        bool marked; // "OutputVersion" is there afterwards
    } const cases[] = {
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
         "EnumPrinterDataExW 1, GetPrinterDriverDirectoryW 1, GetPrinterW 1, OpenPrinterW 1",
         false},
        {"the enumeration refused: every value read on its own",
         [](Seams& seams) { seams.Fail("EnumPrinterDataExW", ERROR_ACCESS_DENIED); },
         "EnumPrinterDataExW 1, GetPrinterDataExW 35, GetPrinterDriverDirectoryW 1, GetPrinterW 1, "
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
        EXPECT_EQ(seams.SpoolerCallList(), test.calls);
        EXPECT_EQ(ConfigDword(TEXT("OutputVersion")) != kMissing, test.marked);
    }
}

// On a print server each call is a round trip: what a person's steps cost on a printer with its
// settings stored and a dozen custom media types, each step with its limit. One change writes only
// that value, and a value another program changed meanwhile survives. The Service page's tick
// asks the printer link alone (each of its calls looks its entry point up).
TEST_F(SettingsTest, EachStepCostsAFewRoundTrips) {
    for (int i = 0; i < 12; ++i) {
        DWORD dots = 0x1808;
        RegSetKeyValueW(HKEY_LOCAL_MACHINE,
                        (std::wstring(kConfigPath) + TEXT("\\MediaTypes")).c_str(),
                        (TEXT("Type ") + std::to_wstring(i)).c_str(), REG_DWORD, &dots, 4);
    }
    Sheet first;
    ASSERT_TRUE(first.OpenPreferences(kPrinterName));
    Choose(first.PageAt(kPaperPage), IDC_PAPER_MEDIA_TYPE, TEXT("Default 2 (Light Braille Paper)"));
    first.Ok();
    Seams seams;
    Sheet sheet, properties;
    HWND service = nullptr;
    SetConfigDword(TEXT("EnableStatusMonitoring"), 1);
    const struct {
        const char* step;
        long limit;
        std::function<void()> act;
        bool forget; // the count starts again
    } steps[] = {
        {"opening the preferences", 5, [&] { sheet.OpenPreferences(kPrinterName); }, true},
        {"and showing every page", 8,
         [&] {
             sheet.PageAt(kPaperPage), sheet.PageAt(kMainPage);
             // Under Wine each look-up asks the server for the page's windows: once per control.
             EXPECT_LE(seams.Calls("GetDlgItem"), 40) << "controls looked up again";
         },
         false},
        {"Apply after one change", 5,
         [&] {
             Choose(sheet.PageAt(kPaperPage), IDC_PAPER_MEDIA_TYPE, TEXT("Default 3 (Copy Paper)"));
             SetConfigDword(TEXT("MediaSurface"), 4); // another program's
             sheet.Apply();
         },
         true},
        {"Apply after a change on two pages: the devmodes pushed once", 6,
         [&] {
             Click(sheet.PageAt(kLayoutPage), IDC_LAYOUT_COLLATE);
             Choose(sheet.PageAt(kPaperPage), IDC_PAPER_MEDIA_TYPE,
                    TEXT("Default 1 (Braille Paper)"));
             sheet.Apply();
         },
         true},
        {"closing them", 1, [&] { sheet.Cancel(); }, true},
        {"opening the properties", 8,
         [&] {
             properties.OpenProperties(kPrinterName);
             service = properties.Page(IDC_SERVICE_PRINTER_INFO);
         },
         true},
        {"a device apply", 0,
         [&] {
             HWND device = properties.PageAt(0), tree = GetDlgItem(device, IDC_DEVPAGE_TREE);
             HTREEITEM header = TreeView_GetChild(tree, TVI_ROOT);
             TreeView_SelectItem(tree, TreeView_GetChild(tree, header)); // "Form Size"
             EXPECT_TRUE(Choose(device, IDC_DEVPAGE_LIST, TEXT("Letter")));
             properties.Apply();
             service = properties.Page(IDC_SERVICE_PRINTER_INFO);
         },
         true},
        {"a status tick", 0,
         [&] {
             SetDlgItemTextW(service, IDC_SERVICE_PRINTER_INFO, TEXT(""));
             FireTimer(service, seams.timers.at(0).id, seams.timers.at(0).proc);
             WaitUntil([service] { return !TextOf(service, IDC_SERVICE_PRINTER_INFO).empty(); });
             EXPECT_EQ(seams.Calls("GetProcAddress"), 1) << "the printer link asked once";
         },
         true},
    };
    for (const auto& step : steps) {
        if (step.forget)
            seams.ForgetCalls();
        step.act();
        EXPECT_LE(seams.SpoolerCalls(), step.limit) << step.step << ": " << seams.SpoolerCallList();
    }
    EXPECT_EQ(Stored({TEXT("MediaType"), TEXT("MediaSurface")}), TEXT("268 4"));
}

// The pages of a printer installed for German: the locale library reads the catalogue we ship.
TEST_F(SettingsTest, ThePagesSpeakGerman) {
    SetLocale(TEXT("de_de"));
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
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
                       TextOf(dialog, IDC_IMAGE_BRIGHTNESS_LABEL)},
                      TEXT("|"));
        Click(dialog, IDCANCEL);
    });
    Click(main, IDC_MAIN_MORE_OPTIONS);
    EXPECT_EQ(seen, TEXT("Erweitert - Tarvik Embosser|Kontrast 0|Stärke dünner Linien|Ü&bernehmen|"
                         "Helligkeit 20"));
    sheet.Answer(IDD_ROTATED_LANDSCAPE, [&seen](HWND dialog) {
        seen = TextOf(dialog, IDC_ROTATED_LANDSCAPE);
        Click(dialog, IDCANCEL);
    });
    Click(sheet.PageAt(kLayoutPage), IDC_LAYOUT_ADVANCED);
    sheet.Answer(IDD_NOTICE, [&seen](HWND dialog) {
        seen += TEXT("|") + TextOf(dialog, IDC_NOTICE_OPT_OUT);
        Click(dialog, IDC_NOTICE_NO);
    });
    Click(sheet.PageAt(kMainPage), IDC_MAIN_TWO_IN_ONE);
    EXPECT_EQ(seen, TEXT("&Gedrehtes Querformat|Diese Meldung nicht mehr anzeigen."));
}

} // namespace
