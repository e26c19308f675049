// The Paper/Media page and its Advanced media and forms dialog, acted on by a person: what they
// show, and what they leave in the printer's data, both devmodes and the print server.
#include "../preferences/printer.h"
#include "person/person.h"
#include "seams.h"

#include "resources/resource.h"

#include <winspool.h>

#include <cstring>
#include <fstream>

namespace {

class PaperTest : public WineTest {};

const WCHAR kConfig[] = TEXT("\\Config");
const WCHAR kMediaTypes[] = TEXT("\\Config\\MediaTypes");
const std::wstring kPrinterKey =
    TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik Embosser");

// Printer data, as another program left it or as the spooler keeps it.
void Store(LPCWSTR key, LPCWSTR name, LPCWSTR text) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, (kPrinterKey + key).c_str(), name, REG_SZ, text,
                    (lstrlenW(text) + 1) * sizeof(WCHAR));
}
void StoreMediaType(LPCWSTR name, DWORD dotValues) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, (kPrinterKey + kMediaTypes).c_str(), name, REG_DWORD,
                    &dotValues, sizeof(dotValues));
}
std::vector<BYTE> Stored(LPCWSTR key, LPCWSTR name) {
    DWORD bytes = 4096;
    std::vector<BYTE> data(bytes);
    LONG result = RegGetValueW(HKEY_LOCAL_MACHINE, (kPrinterKey + key).c_str(), name,
                               RRF_RT_ANY | RRF_NOEXPAND, nullptr, data.data(), &bytes);
    data.resize(result == ERROR_SUCCESS ? bytes : 0);
    return data;
}

// "Letter 2159x2794 1000c": a devmode's form, paper size and paper fields.
std::wstring PaperOf(const DEVMODEW& devmode) {
    WCHAR text[64];
    wsprintfW(text, TEXT("%ls %dx%d %lx"), devmode.dmFormName, devmode.dmPaperWidth,
              devmode.dmPaperLength,
              devmode.dmFields & (DM_PAPERSIZE | DM_FORMNAME | DM_PAPERWIDTH | DM_PAPERLENGTH));
    return text;
}
// "258 (None) 0-0": the printer's media type, the custom type's name and the force range.
std::wstring MediaState() {
    std::vector<BYTE> name = Stored(kConfig, TEXT("CustomMediaType"));
    name.resize(name.size() + 2); // a terminator after the stored text
    WCHAR text[128];
    wsprintfW(text, TEXT("%lu %ls %lu-%lu"), ConfigDword(TEXT("MediaType")),
              reinterpret_cast<LPCWSTR>(name.data()), ConfigDword(TEXT("MinCustPForce")),
              ConfigDword(TEXT("MaxCustPForce")));
    return text;
}

// The printer's default devmode, held by a job that names a media type and a source.
std::vector<BYTE> JobDevmode(DWORD mediaType, short source) {
    std::vector<BYTE> job = ::DefaultDevmode();
    auto* devmode = reinterpret_cast<DEVMODEW*>(job.data());
    devmode->dmMediaType = mediaType;
    devmode->dmDefaultSource = source;
    devmode->dmFields |= DM_MEDIATYPE | DM_DEFAULTSOURCE;
    return job;
}
DEVMODEW DefaultDevmode() {
    return *reinterpret_cast<DEVMODEW*>(::DefaultDevmode().data());
}

// The record a form added here is marked with: flags, size and imageable area.
std::vector<LONG> Marker(LPCWSTR form) {
    FORM_INFO_1W record = {};
    std::vector<BYTE> stored = Stored(TEXT("\\Config\\Forms"), form);
    std::memcpy(&record, stored.data(), std::min(stored.size(), sizeof(record)));
    const RECTL& area = record.ImageableArea;
    return {LONG(record.Flags), record.Size.cx, record.Size.cy, area.left,
            area.top,           area.right,     area.bottom};
}

// The last raw job, which Wine's spooler writes to the file "FILE:" in the current folder; the
// test pattern it should hold.
std::vector<BYTE> PrintedFile() {
    std::vector<BYTE> data(
        std::istreambuf_iterator<char>(std::ifstream("FILE:", std::ios::binary).rdbuf()), {});
    DeleteFileW(TEXT("FILE:"));
    return data;
}
std::vector<BYTE> TestPattern() {
    HMODULE plugin = LoadLibraryExW(PluginPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC pattern = FindResourceW(plugin, MAKEINTRESOURCEW(IDR_TEST_PATTERN), TEXT("RT_PRN"));
    auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(plugin, pattern)));
    std::vector<BYTE> data(bytes, bytes + SizeofResource(plugin, pattern));
    FreeLibrary(plugin);
    return data;
}

// "16-5": the highest and lowest dot values a media type dialog shows.
std::wstring DotValues(HWND edit) {
    return TextOf(edit, IDC_MEDIATYPE_HIGHEST) + TEXT("-") + TextOf(edit, IDC_MEDIATYPE_LOWEST);
}
// The next message box is answered with `button`; its caption is kept.
std::wstring g_caption;
void AnswerMessage(Sheet& sheet, int button) {
    sheet.Answer(kMessageBox, [button](HWND box) {
        g_caption = WindowText(box);
        Click(box, button);
    });
}
// Clicks "&Advanced ..." on the page; `script` is the person in the dialog and closes it.
void UseAdvanced(Sheet& sheet, HWND page, DialogScript script) {
    sheet.Answer(IDD_ADVANCED_MEDIA, std::move(script));
    EXPECT_TRUE(Click(page, IDC_PAPER_ADVANCED));
}

// The page shows the stored choices; a custom name no longer in the store and a media type no
// list shows, show "Printer Setting". A long comment makes the printer's information larger than
// the plug-in's first guess.
TEST_F(PaperTest, ThePageShowsTheStoredChoicesAndThePictureAndPushesPapersAndMediaTypes) {
    Store(TEXT(""), TEXT("Description"), std::wstring(6000, TEXT('c')).c_str());
    StoreMediaType(TEXT("Thick"), 0x1808);
    Store(kMediaTypes, TEXT("Odd"), TEXT("x")); // no dot values: the printer's are taken
    Store(kConfig, TEXT("CustomMediaType"), TEXT("thick"));
    SetConfigDword(TEXT("MediaSurface"), 7);
    Seams seams;
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName, JobDevmode(286, DMBIN_TRACTOR)));
    HWND page = sheet.Page(IDC_PAPER_SIZE);
    // The job names its paper by number: automatic selection.
    EXPECT_EQ(ItemsOf(page, IDC_PAPER_SIZE),
              (Items{TEXT("Automatic Select"), TEXT("Letter"), TEXT("Legal"), TEXT("A4")}));
    EXPECT_EQ(ChosenItem(page, IDC_PAPER_SIZE), TEXT("Automatic Select"));
    Items media = ItemsOf(page, IDC_PAPER_MEDIA_TYPE); // after the five built-in ones
    EXPECT_EQ(media.size(), 8u);
    EXPECT_EQ(media[0] + TEXT(", ") + media[6] + TEXT(", ") + media[7],
              TEXT("Printer Setting, Odd, Thick"));
    EXPECT_EQ(ChosenItem(page, IDC_PAPER_MEDIA_TYPE), TEXT("Thick")) << "in any letter case";
    // Surface and source are kept hidden, with the stored values shown: 7 is no surface.
    for (int id : {IDC_PAPER_MEDIA_SURFACE, IDC_PAPER_MEDIA_SURFACE_LABEL, IDC_PAPER_SOURCE,
                   IDC_PAPER_SOURCE_GROUP})
        EXPECT_FALSE(IsShown(page, id)) << id;
    EXPECT_EQ(ItemsOf(page, IDC_PAPER_MEDIA_SURFACE).size(), 8u);
    EXPECT_EQ(ChosenItem(page, IDC_PAPER_MEDIA_SURFACE) + TEXT(", ") +
                  ChosenItem(page, IDC_PAPER_SOURCE),
              TEXT("Plain Paper, Tractor Feed"));
    EXPECT_TRUE(ShowsPicture(page, IDC_PAPER_LOGO, IDB_LOGO));
    // OK without a change writes nothing.
    EXPECT_FALSE(IsEnabled(sheet.window(), kSheetApply));
    EXPECT_EQ(sheet.Ok(), IDOK);
    EXPECT_EQ(ConfigDword(TEXT("MediaSurface")), 7u);
    Store(kConfig, TEXT("CustomMediaType"), TEXT("Gone"));
    const std::vector<BYTE> letterSize = {0x5C, 0x4B, 3, 0, 0x68, 0x43, 4, 0}; // 215900 x 279400
    for (DWORD unlisted : {286, 270}) {
        Sheet sheet;
        ASSERT_TRUE(sheet.OpenPreferences(kPrinterName, JobDevmode(unlisted, DMBIN_LOWER)));
        HWND page = sheet.Page(IDC_PAPER_MEDIA_TYPE);
        EXPECT_EQ(ChosenItem(page, IDC_PAPER_MEDIA_TYPE), TEXT("Printer Setting")) << unlisted;
        EXPECT_EQ(ChosenItem(page, IDC_PAPER_SOURCE), TEXT("Automatic Select"));
        if (unlisted == 286) {
            // A paper reaches both devmodes, named by form and size, not by number.
            ASSERT_TRUE(Choose(page, IDC_PAPER_SIZE, TEXT("Letter")));
            sheet.Apply();
            EXPECT_EQ(sheet.DevmodeChanges().size(), 1u) << "the paper and the source at once";
            EXPECT_EQ(PaperOf(DefaultDevmode()), TEXT("Letter 2159x2794 1000c"));
            EXPECT_EQ(Stored(kConfig, TEXT("PaperSize")), letterSize);
            EXPECT_EQ(MediaState(), TEXT("256 (None) 0-0"));
            continue; // cancelled as it closes
        }
        EXPECT_EQ(ChosenItem(page, IDC_PAPER_SIZE), TEXT("Letter")) << "found again by its size";
        // The paper is the one applied above: the media type is pushed when its number changed,
        // with the source the first time.
        const struct {
            LPCWSTR item, state;
            size_t devmodeChanges;
        } kChoices[] = {{TEXT("Default 3 (Copy Paper)"), TEXT("258 258 (None) 0-0"), 1},
                        {TEXT("Thick"), TEXT("286 286 Thick 8-24"), 2},
                        {TEXT("Odd"), TEXT("286 286 Odd 6-20"), 2}};
        for (const auto& choice : kChoices) {
            ASSERT_TRUE(Choose(page, IDC_PAPER_MEDIA_TYPE, choice.item));
            sheet.Apply();
            EXPECT_EQ(std::to_wstring(DefaultDevmode().dmMediaType) + TEXT(" ") + MediaState(),
                      choice.state);
            EXPECT_EQ(sheet.DevmodeChanges().size(), choice.devmodeChanges) << choice.item;
        }
        EXPECT_EQ(ConfigDword(TEXT("MediaSurface")), 1u);
        EXPECT_EQ(ConfigDword(TEXT("PaperSource")), DWORD(DMBIN_FORMSOURCE));
        EXPECT_EQ(DefaultDevmode().dmDefaultSource, DMBIN_FORMSOURCE);
        // Automatic selection gives the paper back to the printer and keeps the remembered size.
        Choose(page, IDC_PAPER_SIZE, TEXT("Automatic Select"));
        EXPECT_EQ(sheet.Ok(), IDOK);
        EXPECT_EQ(reinterpret_cast<const DEVMODEW*>(sheet.devmode().data())->dmMediaType, 286u);
        EXPECT_EQ(PaperOf(DefaultDevmode()), TEXT(" 0x0 2"));
        EXPECT_EQ(Stored(kConfig, TEXT("PaperSize")), letterSize);
    }
    // A user who cannot manage the printer is warned once, on the layout page, and only looks, at
    // the stored choices and at the custom type the job names too.
    seams.manageRight = false;
    Sheet looking;
    AnswerMessage(looking, IDOK);
    ASSERT_TRUE(looking.OpenPreferences(kPrinterName, JobDevmode(286, DMBIN_FORMSOURCE)));
    ASSERT_EQ(looking.Messages().size(), 1u);
    EXPECT_EQ(g_caption + TEXT(": ") + looking.Messages()[0].substr(0, 40),
              TEXT("Tarvik Embosser: Access to some Printer settings may be d"));
    EXPECT_TRUE(IsEnabled(looking.Page(IDC_LAYOUT_ADVANCED), IDC_LAYOUT_ADVANCED));
    EXPECT_TRUE(IsChecked(looking.Page(IDC_MAIN_EMBOSS), IDC_MAIN_EMBOSS));
    // The page to look at (by a control it shows), and its controls that cannot be changed.
    const std::pair<int, std::vector<int>> kOnlyShown[] = {
        {IDC_LAYOUT_ADVANCED,
         {IDC_LAYOUT_SINGLE_SIDED, IDC_LAYOUT_DOUBLE_SIDED, IDC_LAYOUT_COLLATE, IDC_LAYOUT_PREVIEW,
          IDC_LAYOUT_PORTRAIT}},
        {IDC_MAIN_EMBOSS,
         {IDC_MAIN_EMBOSS, IDC_MAIN_PRINT, IDC_MAIN_TWO_IN_ONE, IDC_MAIN_DOT_QUALITY,
          IDC_MAIN_PRINT_QUALITY, IDC_MAIN_MORE_OPTIONS, IDC_MAIN_DEFAULTS,
          IDC_MAIN_BACK_SIDE_INK_TO_FRONT, IDC_MAIN_EMBOSS_STANDARD_TEXT}},
        {IDC_PAPER_SIZE,
         {IDC_PAPER_SIZE, IDC_PAPER_MEDIA_TYPE, IDC_PAPER_MEDIA_SURFACE, IDC_PAPER_SOURCE}}};
    for (const auto& [shownOn, ids] : kOnlyShown) {
        page = looking.Page(shownOn);
        for (int id : ids)
            EXPECT_FALSE(IsEnabled(page, id)) << id;
    }
    UseAdvanced(looking, page, [](HWND dialog) {
        EXPECT_EQ(ChosenItem(dialog, IDC_ADVANCED_MEDIA_TYPE), TEXT("Odd"));
        for (int id : {IDC_ADVANCED_ADD_MEDIA, IDC_ADVANCED_EDIT_MEDIA, IDC_ADVANCED_REMOVE_MEDIA,
                       IDC_ADVANCED_ADD_FORM, IDC_ADVANCED_DELETE_FORM})
            EXPECT_FALSE(IsEnabled(dialog, id)) << id;
        Choose(dialog, IDC_ADVANCED_MEDIA_TYPE, TEXT("Default 1 (Braille Paper)"));
        Choose(dialog, IDC_ADVANCED_MEDIA_TYPE, TEXT("Odd"));
        EXPECT_FALSE(IsEnabled(dialog, IDC_ADVANCED_REMOVE_MEDIA));
        Choose(dialog, IDC_ADVANCED_FORMS, TEXT("Letter"));
        EXPECT_EQ(TextOf(dialog, IDC_ADVANCED_FORM_SIZE), TEXT("")) << "not readable";
        Click(dialog, IDCANCEL);
    });
}

// Wine's AddFormW adds nothing: what reached the print server is what the seams saw.
TEST_F(PaperTest, CustomMediaTypesAndFormsAreAddedEditedAndRemovedInEnglishAndGerman) {
    const LPCWSTR kRemoveType = TEXT("Do you want to remove this media type?"),
                  kRemoveForm = TEXT("Do you want to remove this custom form?");
    StoreMediaType(TEXT("custom defined 2"), 0x1005); // left over from a removed first one
    WCHAR temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    SetCurrentDirectoryW(temporary); // where the test pattern jobs are written
    Seams seams;
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    HWND page = sheet.Page(IDC_PAPER_SIZE);
    // Media types first, then forms, each in an Advanced dialog of its own.
    UseAdvanced(sheet, page, [&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), TEXT("Advanced - Tarvik Embosser"));
        EXPECT_EQ(ChosenItem(dialog, IDC_ADVANCED_MEDIA_TYPE), TEXT("Default 1 (Braille Paper)"));
        EXPECT_FALSE(IsEnabled(dialog, IDC_APPLY_BUTTON));
        // The proposed name is the stored one's, which it replaces; values beyond their limits
        // keep the dialog open.
        sheet.Answer(IDD_MEDIA_TYPE, [](HWND add) {
            EXPECT_EQ(WindowText(add) + TEXT(": ") + TextOf(add, IDC_MEDIATYPE_NAME) + TEXT(" ") +
                          DotValues(add),
                      TEXT("Add ...: Custom Defined 2 16-5"));
            Type(add, IDC_MEDIATYPE_HIGHEST, TEXT("5"));
            Type(add, IDC_MEDIATYPE_LOWEST, TEXT("4"));
            Click(add, IDOK);
            EXPECT_TRUE(IsWindowVisible(add)) << "less than 2 apart";
            Type(add, IDC_MEDIATYPE_HIGHEST, TEXT("26"));
            Type(add, IDC_MEDIATYPE_LOWEST, TEXT("8"));
            Click(add, IDOK);
        });
        Click(dialog, IDC_ADVANCED_ADD_MEDIA);
        EXPECT_EQ(Stored(kMediaTypes, TEXT("custom defined 2")), (std::vector<BYTE>{8, 26, 0, 0}));
        sheet.Answer(IDD_MEDIA_TYPE, [](HWND add) {
            Type(add, IDC_MEDIATYPE_NAME, TEXT("Thick"));
            Click(add, IDOK);
        });
        Click(dialog, IDC_ADVANCED_ADD_MEDIA);
        EXPECT_EQ(ItemsOf(dialog, IDC_ADVANCED_MEDIA_TYPE).size(), 7u);
        EXPECT_EQ(ChosenItem(dialog, IDC_ADVANCED_MEDIA_TYPE), TEXT("Thick"));
        Click(dialog, IDC_APPLY_BUTTON);

        // Built-in types are only shown, values beyond the up-downs' range included; a custom
        // type's values change at once. Each prints its test pattern.
        const struct {
            LPCWSTR name, shown, typed;
        } kTypes[] = {{TEXT("Default 5 (Card Stock)"), TEXT("32-6"), TEXT("32-6")},
                      {TEXT("Thick"), TEXT("16-5"), TEXT("17-10")}};
        for (const auto& type : kTypes) {
            Choose(dialog, IDC_ADVANCED_MEDIA_TYPE, type.name);
            sheet.Answer(IDD_MEDIA_TYPE, [&type](HWND edit) {
                EXPECT_EQ(WindowText(edit) + TEXT(" ") + DotValues(edit),
                          TEXT("Edit ... ") + std::wstring(type.shown));
                Type(edit, IDC_MEDIATYPE_NAME, TEXT("Renamed"));
                if (IsEnabled(edit, IDC_MEDIATYPE_HIGHEST_SPIN))
                    PressKey(edit, IDC_MEDIATYPE_HIGHEST, VK_UP);
                Type(edit, IDC_MEDIATYPE_LOWEST, TEXT("10"));
                EXPECT_EQ(TextOf(edit, IDC_MEDIATYPE_NAME) + TEXT(" ") + DotValues(edit),
                          type.name + std::wstring(TEXT(" ")) + type.typed);
                Click(edit, IDC_MEDIATYPE_TEST_PATTERN);
                Click(edit, IDOK);
            });
            Click(dialog, IDC_ADVANCED_EDIT_MEDIA);
        }
        EXPECT_EQ(Stored(kMediaTypes, TEXT("Thick")), (std::vector<BYTE>{10, 17, 0, 0}));
        EXPECT_TRUE(IsEnabled(dialog, IDC_APPLY_BUTTON));

        // Removing chooses the type above; the store's first refusal is tried again with full
        // access.
        AnswerMessage(sheet, IDNO);
        Click(dialog, IDC_ADVANCED_REMOVE_MEDIA);
        seams.Fail("DeletePrinterDataExW", ERROR_ACCESS_DENIED, 1);
        for (LPCWSTR above : {TEXT("custom defined 2"), TEXT("Default 1 (Braille Paper)")}) {
            AnswerMessage(sheet, IDYES);
            Click(dialog, IDC_ADVANCED_REMOVE_MEDIA);
            EXPECT_EQ(ChosenItem(dialog, IDC_ADVANCED_MEDIA_TYPE), above);
        }
        EXPECT_FALSE(IsEnabled(dialog, IDC_ADVANCED_REMOVE_MEDIA));
        // A type another program removed meanwhile opens no dialog.
        Choose(dialog, IDC_ADVANCED_MEDIA_TYPE, TEXT("Thick"));
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, (kPrinterKey + kMediaTypes).c_str(), TEXT("Thick"));
        Click(dialog, IDC_ADVANCED_EDIT_MEDIA);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(g_caption, TEXT("Remove Media Type"));
    EXPECT_EQ(seams.dataDeleted, (Items{TEXT("Config\\MediaTypes\\Thick"),
                                        TEXT("Config\\MediaTypes\\custom defined 2")}));
    EXPECT_EQ(seams.Calls("WritePrinter"), 2) << "one write for each pattern";
    EXPECT_EQ(PrintedFile(), TestPattern());
    EXPECT_TRUE(Stored(kMediaTypes, TEXT("Default 5 (Card Stock)")).empty());
    // Saved at once: the page names a media type that still exists.
    EXPECT_EQ(ChosenItem(page, IDC_PAPER_MEDIA_TYPE), TEXT("Default 1 (Braille Paper)"));
    EXPECT_EQ(MediaState(), TEXT("268 (None) 0-0"));
    EXPECT_TRUE(IsEnabled(sheet.window(), kSheetApply));

    const std::wstring name31 = TEXT("ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
    UseAdvanced(sheet, page, [&](HWND dialog) {
        EXPECT_TRUE(IsChecked(dialog, IDC_ADVANCED_METRIC));
        Click(dialog, IDC_ADVANCED_ENGLISH);
        EXPECT_EQ(TextOf(dialog, IDC_ADVANCED_FORM_SIZE), TEXT("")) << "no form chosen yet";
        Choose(dialog, IDC_ADVANCED_FORMS, TEXT("Letter"));
        EXPECT_EQ(TextOf(dialog, IDC_ADVANCED_FORM_SIZE), TEXT("8.50 in\r\n11.00 in"));
        Click(dialog, IDC_ADVANCED_METRIC);
        EXPECT_EQ(TextOf(dialog, IDC_ADVANCED_FORM_SIZE), TEXT("21.59 cm\r\n27.94 cm"));
        EXPECT_FALSE(IsEnabled(dialog, IDC_ADVANCED_DELETE_FORM)) << "not added here";

        sheet.Answer(IDD_CUSTOM_FORM, [&](HWND form) {
            EXPECT_EQ(WindowText(form) + TEXT(": ") + TextOf(form, IDC_FORM_NAME),
                      TEXT("Add Form ...: Custom Defined"));
            EXPECT_TRUE(IsChecked(form, IDC_FORM_METRIC)) << "as in the Advanced dialog";
            EXPECT_EQ(TextOf(form, IDC_FORM_HEIGHT), TEXT("5.09 cm"));
            Click(form, IDC_FORM_ENGLISH);
            EXPECT_EQ(TextOf(form, IDC_FORM_WIDTH), TEXT("2.00 in"));
            // Leaving a size's field takes it; while typing, OK tells whether it would be taken.
            SetFocus(GetDlgItem(form, IDC_FORM_WIDTH));
            Type(form, IDC_FORM_WIDTH, TEXT("11.5"));
            SetFocus(GetDlgItem(form, IDC_FORM_HEIGHT));
            EXPECT_EQ(TextOf(form, IDC_FORM_WIDTH), TEXT("11.50 in"));
            Type(form, IDC_FORM_HEIGHT, TEXT("50.1"));
            EXPECT_FALSE(IsEnabled(form, IDOK)) << "longer than 50 inches";
            Type(form, IDC_FORM_HEIGHT, TEXT("50"));
            Click(form, IDC_FORM_METRIC);
            EXPECT_EQ(TextOf(form, IDC_FORM_WIDTH) + TextOf(form, IDC_FORM_HEIGHT),
                      TEXT("29.21 cm127.00 cm"));
            Type(form, IDC_FORM_NAME, (name31 + TEXT("456789")).c_str());
            // Typed and confirmed with Enter, never left: OK reads it afresh.
            Type(form, IDC_FORM_HEIGHT, TEXT("60"));
            SendMessageW(form, WM_COMMAND, IDOK, 0); // Enter, as the dialog manager passes it on
        });
        Click(dialog, IDC_ADVANCED_ADD_FORM);
        EXPECT_TRUE(IsEnabled(dialog, IDC_APPLY_BUTTON));
        // An empty name keeps the dialog open; a name the server has is refused with a message.
        AnswerMessage(sheet, IDOK); // the second time
        for (int add = 0; add < 2; ++add) {
            sheet.Answer(IDD_CUSTOM_FORM, [](HWND form) {
                Type(form, IDC_FORM_NAME, TEXT(""));
                Click(form, IDOK);
                EXPECT_TRUE(IsWindowVisible(form)) << "a form needs a name";
                Type(form, IDC_FORM_NAME, TEXT("Wide"));
                Type(form, IDC_FORM_WIDTH, TEXT("30"));
                Click(form, IDOK);
            });
            Click(dialog, IDC_ADVANCED_ADD_FORM);
        }
        EXPECT_EQ(ItemsOf(dialog, IDC_ADVANCED_FORMS),
                  (Items{TEXT("A4"), name31, TEXT("Legal"), TEXT("Letter"), TEXT("Wide")}));

        Choose(dialog, IDC_ADVANCED_FORMS, TEXT("Wide"));
        for (int answer : {IDNO, IDYES}) {
            AnswerMessage(sheet, answer);
            EXPECT_TRUE(Click(dialog, IDC_ADVANCED_DELETE_FORM)) << "kept after No";
        }
        EXPECT_EQ(ItemsOf(dialog, IDC_ADVANCED_FORMS).size(), 4u);
        EXPECT_FALSE(IsEnabled(dialog, IDC_ADVANCED_DELETE_FORM));
        // A media choice afterwards does not hide the deletion from the page.
        Choose(dialog, IDC_ADVANCED_MEDIA_TYPE, TEXT("Default 3 (Copy Paper)"));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(seams.formsAdded, (Items{name31, TEXT("Wide")}));
    EXPECT_EQ(seams.formsDeleted, (Items{TEXT("Wide")}));
    EXPECT_EQ(g_caption, TEXT("Delete Form"));
    EXPECT_EQ(Marker(name31.c_str()), (std::vector<LONG>{0, 292100, 600000, 0, 0, 292100, 600000}));
    EXPECT_EQ(Marker(TEXT("Wide")), (std::vector<LONG>{0, 300000, 50900, 0, 0, 300000, 50900}))
        << "it stays";
    EXPECT_EQ(sheet.Messages(),
              (Items{kRemoveType, kRemoveType, kRemoveType,
                     TEXT("This form could not be added because the name of this form already "
                          "exists in the Printer Server Properties.\r\nPlease use a different "
                          "form name."),
                     kRemoveForm, kRemoveForm}));
    EXPECT_EQ(ChosenItem(page, IDC_PAPER_MEDIA_TYPE), TEXT("Default 3 (Copy Paper)"));
    EXPECT_EQ(ConfigDword(TEXT("MediaType")), 258u) << "saved at once after a deletion";
    sheet.Cancel();

    // In German each dialog speaks German, a size shows a decimal comma, and a size typed with
    // one is taken whole.
    SetLocale(TEXT("de_de"));
    Sheet german;
    ASSERT_TRUE(german.OpenPreferences(kPrinterName));
    std::wstring spoken;
    UseAdvanced(german, german.Page(IDC_PAPER_SIZE), [&german, &spoken](HWND dialog) {
        spoken = TextOf(dialog, IDC_ADVANCED_ADD_FORM);
        german.Answer(IDD_MEDIA_TYPE, [&spoken](HWND type) {
            spoken += TEXT("|") + TextOf(type, IDC_MEDIATYPE_TEST_PATTERN);
            Click(type, IDCANCEL);
        });
        Click(dialog, IDC_ADVANCED_ADD_MEDIA);
        Click(dialog, IDC_ADVANCED_ENGLISH);
        Choose(dialog, IDC_ADVANCED_FORMS, TEXT("Letter"));
        EXPECT_EQ(TextOf(dialog, IDC_ADVANCED_FORM_SIZE), TEXT("8,50 in\r\n11,00 in"));
        german.Answer(IDD_CUSTOM_FORM, [&spoken](HWND form) {
            spoken += TEXT("|") + TextOf(form, IDC_FORM_METRIC);
            Type(form, IDC_FORM_NAME, TEXT("Komma"));
            SetFocus(GetDlgItem(form, IDC_FORM_WIDTH));
            Type(form, IDC_FORM_WIDTH, TEXT("8,50"));
            SetFocus(GetDlgItem(form, IDC_FORM_HEIGHT));
            EXPECT_EQ(TextOf(form, IDC_FORM_WIDTH) + TextOf(form, IDC_FORM_HEIGHT),
                      TEXT("8,50 in2,00 in"));
            Click(form, IDOK);
        });
        Click(dialog, IDC_ADVANCED_ADD_FORM);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Marker(TEXT("Komma")), (std::vector<LONG>{0, 215900, 50800, 0, 0, 215900, 50800}));
    EXPECT_EQ(spoken, TEXT("Eigenes &Formular ...|Testmuster des Medientyps &drucken|&Metrisch"));
    german.Cancel();
}

} // namespace
