// A person who works with the keyboard alone: every page and dialog of the printing preferences
// reached and changed with real key events, the focus checked after every key, and what was
// stored compared with the same session done with the mouse.
#include "person/sessions.h"
#include "person/person.h"
#include "wine_test.h"

#include "device_page/device_page_ids.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <dlgs.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class KeyboardTest : public WineTest {};

// The sheet's own tab strip, OK, Cancel and Apply.
constexpr int kTabs = 0x3020, kOk = IDOK, kCancel = IDCANCEL, kApply = 0x3021;
// No window has the focus: the sheet has closed.
constexpr int kClosed = 0;

// A key a person presses ("Tab", "Shift+Tab", "Alt+C", "PgUp", "Down*7" for seven times), or
// text typed ("'Label"), and the control that then has the focus.
struct Step {
    const char* keys;
    int focus;
};

// Presses each step's keys and checks where the focus went: to the control a person expects,
// shown and enabled. Answers the steps where it went elsewhere, "keys: focus id".
std::string Walk(std::initializer_list<std::vector<Step>> pages) {
    std::string wrong;
    for (const std::vector<Step>& steps : pages)
        for (const Step& step : steps) {
            bool taken = PressKeys(step.keys);
            HWND focus = Focus();
            int id = focus != nullptr ? GetDlgCtrlID(focus) : kClosed;
            if (!taken || id != step.focus ||
                (focus != nullptr && (!IsWindowVisible(focus) || !IsWindowEnabled(focus))))
                wrong += std::string(step.keys) + ": " + std::to_string(id) + " not " +
                         std::to_string(step.focus) + "; ";
        }
    return wrong;
}

// The Layout page, where the first choice has the focus: Double Sided, the empty page, Collate,
// Preview (reached with Ctrl+Tab, which moves the focus as Tab does in Wine's sheets), Rotated
// Landscape kept with Apply in its dialog; the sheet's buttons, and the next page by the tab strip.
// clang-format off
const std::vector<Step> kLayout = {
    {"Down", IDC_LAYOUT_DOUBLE_SIDED}, {"Space", IDC_LAYOUT_DOUBLE_SIDED},
    {"Tab", IDC_LAYOUT_INSERT_EMPTY_PAGE}, {"Space", IDC_LAYOUT_INSERT_EMPTY_PAGE},
    {"Alt+C", IDC_LAYOUT_COLLATE}, {"Ctrl+Tab", IDC_LAYOUT_PREVIEW}, {"Space", IDC_LAYOUT_PREVIEW},
    {"Alt+A", IDC_ROTATED_LANDSCAPE}, {"Space", IDC_ROTATED_LANDSCAPE}, {"Tab", IDOK},
    {"Tab", IDCANCEL}, {"Tab", IDC_APPLY_BUTTON}, {"Enter", IDOK}, {"Enter", IDC_LAYOUT_ADVANCED},
    {"Tab", kOk}, {"Tab", kCancel}, {"Tab", kApply}, {"Tab", kTabs}, {"Right", kTabs},
};
// clang-format on

// Paper/Media: the next paper and media type; Advanced, a media type added (its lowest value a
// step up by its arrows), a custom form added, then found in the list by its first letter and
// its size shown in inches.
// clang-format off
const std::vector<Step> kPaper = {
    {"Tab", IDC_PAPER_SIZE}, {"Down", IDC_PAPER_SIZE}, {"Tab", IDC_PAPER_MEDIA_TYPE},
    {"Down", IDC_PAPER_MEDIA_TYPE}, {"Tab", IDC_PAPER_ADVANCED}, {"Enter", IDC_ADVANCED_MEDIA_TYPE},
    {"Tab", IDC_ADVANCED_ADD_MEDIA}, {"Enter", IDC_MEDIATYPE_NAME},
    {"'Thick Label", IDC_MEDIATYPE_NAME}, {"Tab", IDC_MEDIATYPE_HIGHEST},
    {"'20", IDC_MEDIATYPE_HIGHEST}, {"Tab", IDC_MEDIATYPE_LOWEST}, {"'5", IDC_MEDIATYPE_LOWEST},
    {"Up", IDC_MEDIATYPE_LOWEST}, {"Tab", IDC_MEDIATYPE_TEST_PATTERN}, {"Tab", IDOK},
    {"Tab", IDCANCEL}, {"Shift+Tab", IDOK}, {"Enter", IDC_ADVANCED_ADD_MEDIA},
    {"Tab", IDC_ADVANCED_EDIT_MEDIA}, {"Tab", IDC_ADVANCED_REMOVE_MEDIA},
    {"Tab", IDC_ADVANCED_FORMS}, {"Tab", IDC_ADVANCED_ADD_FORM}, {"Enter", IDC_FORM_NAME},
    {"'Label 4 x 6", IDC_FORM_NAME}, {"Tab", IDC_FORM_METRIC}, {"Right", IDC_FORM_ENGLISH},
    {"Tab", IDC_FORM_WIDTH}, {"'4", IDC_FORM_WIDTH}, {"Tab", IDC_FORM_HEIGHT},
    {"'6", IDC_FORM_HEIGHT}, {"Tab", IDOK}, {"Tab", IDCANCEL}, {"Shift+Tab", IDOK},
    {"Enter", IDC_ADVANCED_ADD_FORM}, {"Shift+Tab", IDC_ADVANCED_FORMS}, {"'L", IDC_ADVANCED_FORMS},
    {"Tab", IDC_ADVANCED_ADD_FORM}, {"Tab", IDC_ADVANCED_DELETE_FORM},
    {"Tab", IDC_ADVANCED_FORM_SIZE}, {"Tab", IDC_ADVANCED_METRIC}, {"Right", IDC_ADVANCED_ENGLISH},
    {"Tab", IDOK}, {"Tab", IDCANCEL}, {"Tab", IDC_APPLY_BUTTON}, {"Enter", IDOK},
    {"Alt+O", IDC_PAPER_ADVANCED}, {"Shift+Tab", IDC_PAPER_MEDIA_TYPE},
    {"Shift+Tab", IDC_PAPER_SIZE}, {"Shift+Tab", kTabs}, {"Right", kTabs},
};
// clang-format on

// Tarvik: the next dot quality, Emboss Standard Text, the back-side radios by arrow and by
// mnemonic, 2 In 1 answered Yes in its notice with the warning turned off, two bars of the image
// options moved and kept with Apply, both Defaults questions answered No, and OK with Enter.
// clang-format off
const std::vector<Step> kTarvik = {
    {"Tab", IDC_MAIN_EMBOSS}, {"Tab", IDC_MAIN_DOT_QUALITY}, {"Down", IDC_MAIN_DOT_QUALITY},
    {"Tab", IDC_MAIN_BRAILLE_HEIGHT}, {"Tab", IDC_MAIN_EMBOSS_STANDARD_TEXT},
    {"Space", IDC_MAIN_EMBOSS_STANDARD_TEXT}, {"Tab", IDC_MAIN_PRINT},
    {"Tab", IDC_MAIN_PRINT_QUALITY}, {"Tab", IDC_MAIN_RENDER_MODE},
    {"Tab", IDC_MAIN_BACK_SIDE_INK_TO_FRONT}, {"Down", IDC_MAIN_FRONT_INK_PAGES},
    {"Space", IDC_MAIN_FRONT_INK_PAGES}, {"Alt+B", IDC_MAIN_BACK_INK_PAGES},
    {"Alt+2", IDC_NOTICE_TEXT}, {"Tab", IDC_NOTICE_OPT_OUT}, {"Space", IDC_NOTICE_OPT_OUT},
    {"Tab", IDC_NOTICE_YES}, {"Tab", IDC_NOTICE_NO}, {"Alt+Y", IDC_MAIN_TWO_IN_ONE},
    {"Alt+M", IDC_IMAGE_INVERT}, {"Space", IDC_IMAGE_INVERT}, {"Tab", IDC_IMAGE_CONTRAST},
    {"PgUp", IDC_IMAGE_CONTRAST}, {"Tab", IDC_IMAGE_BRIGHTNESS}, {"Right", IDC_IMAGE_BRIGHTNESS},
    {"Tab", IDC_IMAGE_INK_CONTRAST}, {"Tab", IDC_IMAGE_INK_BRIGHTNESS},
    {"Tab", IDC_IMAGE_THIN_LINE}, {"Tab", IDC_IMAGE_DEFAULTS}, {"Enter", IDYES}, {"Tab", IDNO},
    {"Enter", IDC_IMAGE_DEFAULTS}, {"Tab", IDOK}, {"Tab", IDCANCEL}, {"Tab", IDC_APPLY_BUTTON},
    {"Enter", IDOK}, {"Enter", IDC_MAIN_MORE_OPTIONS}, {"Tab", IDC_MAIN_DEFAULTS}, {"Enter", IDYES},
    {"Alt+N", IDC_MAIN_DEFAULTS}, {"Tab", kOk}, {"Enter", kClosed},
};
// clang-format on

// What the printer keeps under `key` and its sub-keys (its data and its default devmode): each
// value's name and bytes, one a line.
std::wstring Kept(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    std::wstring kept;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return kept;
    WCHAR name[256];
    BYTE data[4096];
    for (DWORD index = 0, length = 256, size = sizeof(data);
         RegEnumValueW(opened, index, name, &length, nullptr, nullptr, data, &size) ==
         ERROR_SUCCESS;
         ++index, length = 256, size = sizeof(data)) {
        kept += key + TEXT("\\") + name + TEXT("=");
        // A custom form's record keeps the address its name had when it was added.
        for (DWORD at = 0; at < size; ++at)
            if (key != TEXT("Forms") || at < 8 || at >= 16)
                kept += std::to_wstring(data[at]) + TEXT(" ");
        kept += TEXT("\n");
    }
    for (DWORD index = 0, length = 256; RegEnumKeyExW(opened, index, name, &length, nullptr,
                                                      nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++index, length = 256)
        kept += Kept(opened, name);
    RegCloseKey(opened);
    return kept;
}

// Everything a session stores: the printer's data and default devmode, the job's devmode, the
// embosser's state.
std::wstring Stored(const Sheet& sheet) {
    std::wstring stored =
        Kept(HKEY_LOCAL_MACHINE,
             TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Tarvik Embosser")) +
        TEXT("job devmode: ");
    std::vector<BYTE> job = sheet.devmode();
    // The device name's field may hold anything after the name.
    if (job.size() >= sizeof(DEVMODEW)) {
        auto* name = reinterpret_cast<DEVMODEW*>(job.data())->dmDeviceName;
        std::fill(name + lstrlenW(name), name + CCHDEVICENAME, TEXT('\0'));
    }
    for (BYTE byte : job)
        stored += std::to_wstring(byte) + TEXT(" ");
    const std::string state = EmbosserState();
    return stored + TEXT("\nembosser: ") + std::wstring(state.begin(), state.end());
}

// Device Settings, where the tree has the focus: Dots Per Character 8, the top margin and the
// highest force typed, a braille table loaded into the next slot through the file dialog; the
// sheet's buttons.
// clang-format off
const std::vector<Step> kDevice = {
    {"Down*8", IDC_DEVPAGE_TREE}, {"Tab", IDC_DEVPAGE_LIST}, {"Down", IDC_DEVPAGE_LIST},
    {"Shift+Tab", IDC_DEVPAGE_TREE}, {"Up*4", IDC_DEVPAGE_TREE}, {"Tab", IDC_DEVPAGE_EDIT},
    {"'1", IDC_DEVPAGE_EDIT}, {"Shift+Tab", IDC_DEVPAGE_TREE}, {"Down*9", IDC_DEVPAGE_TREE},
    {"Tab", IDC_DEVPAGE_NUMBER}, {"'24", IDC_DEVPAGE_NUMBER}, {"Shift+Tab", IDC_DEVPAGE_TREE},
    {"Down*2", IDC_DEVPAGE_TREE}, {"Tab", IDC_DEVPAGE_BUTTON}, {"Enter", IDC_TABLE_FILE},
    {"Alt+B", edt1}, {"'z.bct", edt1}, {"Enter", IDC_TABLE_BROWSE}, {"Tab", IDC_TABLE_SLOT},
    {"Down", IDC_TABLE_SLOT}, {"Tab", IDOK}, {"Tab", IDCANCEL}, {"Shift+Tab", IDOK},
    {"Enter", IDC_DEVPAGE_BUTTON}, {"Tab", kOk}, {"Tab", kCancel}, {"Tab", kApply}, {"Tab", kTabs},
    {"Right", kTabs},
};
// clang-format on

// Service: every service, DHCP off and the address typed, the ink fills looked at and left with
// Esc, carriage 2 primary kept with Apply, status monitoring on, and OK with Enter.
// clang-format off
const std::vector<Step> kService = {
    {"Tab", IDC_SERVICE_INTERPOINT_CALIBRATION}, {"Enter", IDC_SERVICE_INTERPOINT_CALIBRATION},
    {"Tab", IDC_SERVICE_INK_SKEW_ALIGNMENT}, {"Space", IDC_SERVICE_INK_SKEW_ALIGNMENT},
    {"Tab", IDC_SERVICE_INK_EMBOSS_ALIGNMENT}, {"Enter", IDC_SERVICE_INK_EMBOSS_ALIGNMENT},
    {"Tab", IDC_SERVICE_CARTRIDGE_SPACING}, {"Space", IDC_SERVICE_CARTRIDGE_SPACING},
    {"Tab", IDC_SERVICE_ETHERNET_SETTINGS}, {"Enter", IDC_NETWORK_DHCP},
    {"Space", IDC_NETWORK_DHCP}, {"Tab", IDC_NETWORK_IP_ADDRESS}, {"'10", IDC_NETWORK_IP_ADDRESS},
    {"Tab", IDC_NETWORK_SUBNET_MASK}, {"Tab", IDC_NETWORK_GATEWAY},
    {"Tab", IDC_NETWORK_MAC_ADDRESS}, {"Tab", IDOK}, {"Tab", IDCANCEL}, {"Tab", IDC_APPLY_BUTTON},
    {"Enter", IDOK}, {"Enter", IDC_SERVICE_ETHERNET_SETTINGS}, {"Tab", IDC_SERVICE_PRINT_TEST_PAGE},
    {"Enter", IDC_SERVICE_PRINT_TEST_PAGE}, {"Tab", IDC_SERVICE_INK_LEVEL},
    {"Enter", IDC_INKFILL_CARTRIDGE1_FILL}, {"Tab", IDC_INKFILL_CARTRIDGE2_FILL}, {"Tab", IDOK},
    {"Tab", IDCANCEL}, {"Esc", IDC_SERVICE_INK_LEVEL}, {"Tab", IDC_SERVICE_EMBOSS_USAGE},
    {"Enter", IDC_USAGE_CARRIAGE1_PRIMARY}, {"Down", IDC_USAGE_CARRIAGE2_PRIMARY},
    {"Tab", IDC_USAGE_CARRIAGE1_SHARE}, {"Tab", IDC_USAGE_CARRIAGE2_SHARE}, {"Tab", IDOK},
    {"Tab", IDCANCEL}, {"Tab", IDC_APPLY_BUTTON}, {"Enter", IDOK},
    {"Enter", IDC_SERVICE_EMBOSS_USAGE}, {"Tab", IDC_SERVICE_STATUS_MONITORING},
    {"Space", IDC_SERVICE_STATUS_MONITORING}, {"Tab", IDC_SERVICE_PRINTER_INFO},
    {"Shift+Tab", IDC_SERVICE_STATUS_MONITORING}, {"Enter", kClosed},
};
// clang-format on

// What the same session stored when done with the mouse (nothing when its sheet did not open, which
// no keyboard session equals); the printer is then as installed again, for the keyboard's turn.
std::wstring StoredByMouse(bool preferences) {
    std::wstring stored;
    {
        Sheet sheet;
        if (preferences ? sheet.OpenPreferences(kPrinterName)
                        : sheet.OpenProperties(kPrinterName)) {
            if (preferences)
                WorkThePreferences(sheet);
            else
                WorkTheProperties(sheet);
            stored = Stored(sheet);
        }
    }
    RestoreInstalledState();
    return stored;
}

TEST_F(KeyboardTest, ThePrintersPropertiesAtTheKeyboardStoreWhatTheMouseDoes) {
    ForgiveFileDialog(1); // shown once from each sheet's thread
    ForgiveFileDialog(1);
    const std::wstring byMouse = StoredByMouse(false);
    Sheet sheet;
    for (WORD dialog : {WORD(IDD_BRAILLE_TABLE), kCommonDialog, WORD(IDD_NETWORK),
                        WORD(IDD_INK_FILL), WORD(IDD_EMBOSS_USAGE)})
        sheet.Answer(dialog);
    ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
    HWND device = sheet.PageAt(0);
    WaitUntil([device] { return IsEnabled(device, IDC_DEVPAGE_TREE); });
    EXPECT_EQ(GetDlgCtrlID(Focus()), IDC_DEVPAGE_TREE);
    EXPECT_EQ(Walk({kDevice, kService}), "");
    EXPECT_EQ(Stored(sheet), byMouse);
}

TEST_F(KeyboardTest, EveryPageAndDialogOfThePreferencesAtTheKeyboardStoresWhatTheMouseDoes) {
    const std::wstring byMouse = StoredByMouse(true);
    Sheet sheet;
    for (WORD dialog : std::initializer_list<WORD>{IDD_ROTATED_LANDSCAPE, IDD_ADVANCED_MEDIA,
                                                   IDD_MEDIA_TYPE, IDD_CUSTOM_FORM, IDD_NOTICE,
                                                   IDD_IMAGE_OPTIONS, kMessageBox, kMessageBox})
        sheet.Answer(dialog);
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    EXPECT_EQ(GetDlgCtrlID(Focus()), IDC_LAYOUT_SINGLE_SIDED);
    EXPECT_EQ(Walk({kLayout, kPaper, kTarvik}), "");
    EXPECT_EQ(Stored(sheet), byMouse);
}

} // namespace
