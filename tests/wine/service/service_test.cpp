// The printer's properties as the printer folder opens them: the Service page, its maintenance
// dialogs, and what the virtual embosser behind the printer link kept of a person's work.
#include "person/person.h"
#include "seams.h"
#include "wine_test.h"

#include "resources/resource.h"
#include "service/printer_information.h"

#include <commctrl.h>

#include <fstream>
#include <process.h>
#include <sstream>
#include <string>

namespace {

const int kInkUnitButtons[] = {IDC_SERVICE_INK_SKEW_ALIGNMENT, IDC_SERVICE_INK_EMBOSS_ALIGNMENT,
                               IDC_SERVICE_CARTRIDGE_SPACING, IDC_SERVICE_INK_LEVEL};
const int kPrinterButtons[] = {IDC_SERVICE_INTERPOINT_CALIBRATION, IDC_SERVICE_PRINT_TEST_PAGE,
                               IDC_SERVICE_ETHERNET_SETTINGS, IDC_SERVICE_EMBOSS_USAGE,
                               IDC_SERVICE_STATUS_MONITORING};

const int kAddressControls[] = {IDC_NETWORK_IP_ADDRESS_LABEL,  IDC_NETWORK_IP_ADDRESS,
                                IDC_NETWORK_SUBNET_MASK_LABEL, IDC_NETWORK_SUBNET_MASK,
                                IDC_NETWORK_GATEWAY_LABEL,     IDC_NETWORK_GATEWAY};

const WCHAR kFactoryPrinter[] = TEXT("\r\nPrinter Serial Number: TV2-000731\r\nFirmware Version: "
                                     "1.2.4\r\nModel Number: Tarvik 2");
const WCHAR kFactoryInkUnit[] = TEXT("\r\nChromaPod Firmware Version: 1.3\r\nChromaPod Serial "
                                     "Number: CP-004512");

// What the embosser keeps of a key it has no value for (an empty service log).
const char kNone[] = "(missing)";

// The values the embosser keeps for `keys` ("network.dhcp network.gateway"), one space apart;
// kNone for a key it stored nothing for.
std::string Embosser(const std::string& keys) {
    const std::string text = EmbosserState();
    std::string values, key;
    for (std::istringstream list(keys); list >> key;) {
        size_t at = text.find("\n" + key + "="), start = at + key.size() + 2;
        values +=
            (values.empty() ? "" : " ") +
            (at == std::string::npos ? kNone : text.substr(start, text.find('\n', start) - start));
    }
    return values;
}

// The driver's version as the package's INF names it: "1.0.0.1" of "DriverVer=12/06/2026,1.0.0.1".
std::wstring PackageVersion() {
    std::ifstream file("package/tarvik.inf", std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(file), {});
    size_t start = text.find(',', text.find("\nDriverVer=")) + 1;
    return std::wstring(text.begin() + start, text.begin() + text.find_first_of("\r\n", start));
}

// The network dialog as a person reads it: "DHCP IP mask gateway", or "fixed ..." without DHCP.
std::wstring Network(HWND dialog) {
    return (IsChecked(dialog, IDC_NETWORK_DHCP) ? TEXT("DHCP ") : TEXT("fixed ")) +
           TextOf(dialog, IDC_NETWORK_IP_ADDRESS) + TEXT(" ") +
           TextOf(dialog, IDC_NETWORK_SUBNET_MASK) + TEXT(" ") +
           TextOf(dialog, IDC_NETWORK_GATEWAY);
}

// Types an address into the four fields of an IP address control, one field after the other.
void TypeAddress(HWND dialog, int id, LPCWSTR address) {
    for (HWND field = GetWindow(GetDlgItem(dialog, id), GW_CHILD); field != nullptr;
         field = GetWindow(field, GW_HWNDNEXT)) {
        SetFocus(field);
        SendMessageW(field, EM_SETSEL, 0, -1);
        for (; *address != 0 && *address != TEXT('.'); ++address)
            SendMessageW(field, WM_CHAR, *address, 1);
        address += *address == TEXT('.');
    }
}

// The Service page's status timer; null when it does not run.
const Seams::Timer* StatusTimer(const Seams& seams, HWND page) {
    for (const Seams::Timer& timer : seams.timers)
        if (timer.window == page && timer.id == kStatusTimerId &&
            timer.interval == kStatusTimerInterval)
            return &timer;
    return nullptr;
}

// The status timer comes due now: the information text it rebuilds ("(no timer)" without one).
std::wstring StatusTick(const Seams& seams, HWND page) {
    const Seams::Timer* timer = StatusTimer(seams, page);
    if (timer == nullptr)
        return TEXT("(no timer)");
    // The page answers the read only once the tick's refresh ended.
    SetDlgItemTextW(page, IDC_SERVICE_PRINTER_INFO, TEXT(""));
    FireTimer(page, timer->id, timer->proc);
    WaitUntil([page] { return !TextOf(page, IDC_SERVICE_PRINTER_INFO).empty(); });
    return TextOf(page, IDC_SERVICE_PRINTER_INFO);
}

// The usage dialog as a person reads it: "30 %|70 %|30|70|primary 1" (shares, bars, primary).
std::wstring Usage(HWND dialog) {
    return TextOf(dialog, IDC_USAGE_CARRIAGE1_SHARE) + TEXT("|") +
           TextOf(dialog, IDC_USAGE_CARRIAGE2_SHARE) + TEXT("|") +
           std::to_wstring(SendDlgItemMessageW(dialog, IDC_USAGE_CARRIAGE1_BAR, PBM_GETPOS, 0, 0)) +
           TEXT("|") +
           std::to_wstring(SendDlgItemMessageW(dialog, IDC_USAGE_CARRIAGE2_BAR, PBM_GETPOS, 0, 0)) +
           TEXT("|primary ") +
           (IsChecked(dialog, IDC_USAGE_CARRIAGE1_PRIMARY) ? TEXT("1") : TEXT("")) +
           (IsChecked(dialog, IDC_USAGE_CARRIAGE2_PRIMARY) ? TEXT("2") : TEXT(""));
}

// Opens the dialog behind the page's `button`, reads it with `read` and cancels it.
std::wstring Look(Sheet& sheet, HWND page, int button, WORD dialog, std::wstring (*read)(HWND)) {
    std::wstring seen = TEXT("(not shown)");
    sheet.Answer(dialog, [&seen, read](HWND shown) {
        seen = read(shown);
        Click(shown, IDCANCEL);
    });
    Click(page, button);
    return seen;
}

class ServiceTest : public WineTest {};

TEST_F(ServiceTest, ThePageShowsWhatThePrinterLinkTellsAndStartsItsServices) {
    const std::wstring driver = TEXT("\r\n\r\nDriver Version: ") + PackageVersion();
    const struct Case {
        const char* state;
        void (*link)(Seams& seams);
        bool monitored;
        std::wstring text;
        bool inkUnit, connected, refreshesAgain;
        const char* services;
    } kCases[] = {
        {"", [](Seams&) {}, false,
         TEXT("Printer ready (Code 0)") + driver + kFactoryPrinter + kFactoryInkUnit, true, true,
         false, "7,10,9,11,8"},
        {"status=paper-jam\nink.unit=0", [](Seams&) {}, true,
         TEXT("Paper jam (Code 3)") + driver + kFactoryPrinter, false, true, true, kNone},
        {"ink.unit=0",
         [](Seams& seams) {
             seams.refusedEntryPoints = {"DllExportGetPrinterStatus", "DllExportPrinterService"};
         },
         true, driver + kFactoryPrinter, false, true, false, kNone},
        {"status=offline",
         [](Seams& seams) { seams.Fail("GetPrinterDriverW", ERROR_NOT_ENOUGH_MEMORY); }, true,
         driver, false, false, false, kNone},
        {"", [](Seams& seams) { seams.refusedLibraries = {TEXT("qvmonext.dll")}; }, false, driver,
         false, false, false, kNone},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - kCases);
        WriteEmbosserState(c.state);
        SetConfigDword(TEXT("EnableStatusMonitoring"), c.monitored ? 1 : 0);
        Seams seams;
        c.link(seams);
        Sheet sheet;
        ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
        HWND page = sheet.Page(IDC_SERVICE_PRINTER_INFO);
        EXPECT_EQ(TextOf(page, IDC_SERVICE_PRINTER_INFO), c.text);
        for (int id : kInkUnitButtons)
            EXPECT_EQ(IsEnabled(page, id), c.inkUnit) << id;
        for (int id : kPrinterButtons)
            EXPECT_EQ(IsEnabled(page, id), c.connected) << id;
        // Every activation refreshes once; then only a monitored status that was read again.
        EXPECT_EQ(StatusTick(seams, page), c.text);
        EXPECT_EQ(StatusTimer(seams, page) != nullptr, c.refreshesAgain);
        // In the order a person tries them: services 7, 10, 9, 11 and 8.
        for (int id : {IDC_SERVICE_INTERPOINT_CALIBRATION, IDC_SERVICE_INK_SKEW_ALIGNMENT,
                       IDC_SERVICE_INK_EMBOSS_ALIGNMENT, IDC_SERVICE_CARTRIDGE_SPACING,
                       IDC_SERVICE_PRINT_TEST_PAGE})
            Click(page, id);
        EXPECT_EQ(Embosser("services"), c.services);
        sheet.Cancel();
    }
}

TEST_F(ServiceTest, MonitoringIsStoredAndRefreshesTheStatusWhileThePageIsInFront) {
    Seams seams;
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
    WriteEmbosserState("ink.unit=0");
    HWND page = sheet.Page(IDC_SERVICE_PRINTER_INFO);
    EXPECT_TRUE(IsEnabled(page, IDC_SERVICE_INK_LEVEL)) << "as the device page fetched it";
    WriteEmbosserState("status=cover-open");
    ASSERT_TRUE(Click(page, IDC_SERVICE_STATUS_MONITORING));
    EXPECT_EQ(ConfigDword(TEXT("EnableStatusMonitoring")), 1u);
    EXPECT_EQ(TextOf(page, IDC_SERVICE_PRINTER_INFO).find(TEXT("Cover open (Code 5)\r\n")), 0u)
        << "refreshed at once";
    WriteEmbosserState("status=out-of-paper");
    EXPECT_EQ(StatusTick(seams, page).find(TEXT("Out of paper (Code 4)\r\n")), 0u);

    sheet.PageAt(0);
    EXPECT_FALSE(StatusTimer(seams, page)) << "behind another page";
    sheet.Page(IDC_SERVICE_PRINTER_INFO);
    EXPECT_TRUE(StatusTimer(seams, page));
    ASSERT_TRUE(Click(page, IDC_SERVICE_STATUS_MONITORING));
    EXPECT_EQ(ConfigDword(TEXT("EnableStatusMonitoring")), 0u);
    EXPECT_FALSE(StatusTimer(seams, page));

    // Without the right to manage the printer the choice is not forced through.
    seams.manageRight = false;
    long opened = seams.Calls("OpenPrinterW");
    ASSERT_TRUE(Click(page, IDC_SERVICE_STATUS_MONITORING));
    EXPECT_EQ(ConfigDword(TEXT("EnableStatusMonitoring")), 0u);
    EXPECT_EQ(seams.Calls("OpenPrinterW"), opened) << "no handle with more rights is asked for";
    EXPECT_TRUE(StatusTimer(seams, page)) << "the page follows the box all the same";
    sheet.Cancel();
}

// What the dialogs send to a printer that takes it, to one that went offline after the page came
// up, and through a link that cannot send: the embosser stores only what it took, and a network
// setting the person left as it was keeps what another program set meanwhile. The network dialog
// still shows what the person set unless nothing could be sent (Cancel keeps what was applied);
// the usage dialog shows the carriage the printer keeps, and no shares for counts the printer
// does not vouch for.
TEST_F(ServiceTest, TheDialogsStoreWhatThePrinterTakes) {
    const struct {
        const char *before, *after, *refused, *stored;
        bool apply;
        const WCHAR *usage, *usageAfter, *network;
    } kCases[] = {
        {"usage.carriage1=30\nusage.carriage2=70", "status=offline\nnetwork.mask=255.255.0.0", "",
         "(missing) (missing) 255.255.0.0 (missing) (missing)", true,
         TEXT("30 %|70 %|30|70|primary 1"), TEXT("30 %|70 %|30|70|primary 1"),
         TEXT("fixed 192.168.1.20 255.255.255.0 192.168.1.1")},
        {"usage.recorded=0\nnetwork.mask=255.255.0.0", "usage.recorded=0\nnetwork.mask=255.255.0.0",
         "DllExportUpdatePrinter", "(missing) (missing) 255.255.0.0 (missing) (missing)", true,
         TEXT("||0|0|primary 1"), TEXT("||0|0|primary 1"),
         TEXT("DHCP 192.168.1.20 255.255.0.0 192.168.1.1")},
        {"", "network.gateway=192.168.1.254", "", "0 10.0.0.5 255.255.252.0 192.168.1.254 1", false,
         TEXT("62 %|38 %|62|38|primary 1"), TEXT("62 %|38 %|62|38|primary 2"),
         TEXT("fixed 10.0.0.5 255.255.252.0 192.168.1.1")},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - kCases);
        WriteEmbosserState(c.before);
        Seams seams;
        seams.refusedEntryPoints = {c.refused}; // "" names no entry point
        Sheet sheet;
        ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
        HWND page = sheet.Page(IDC_SERVICE_EMBOSS_USAGE);
        WriteEmbosserState(c.after);
        sheet.Answer(IDD_NETWORK, [&c](HWND dialog) {
            for (int id : kAddressControls)
                EXPECT_FALSE(IsEnabled(dialog, id)) << id;
            EXPECT_EQ(TextOf(dialog, IDC_NETWORK_MAC_ADDRESS), TEXT("00-1A-2B-3C-4D-5E"));
            EXPECT_FALSE(IsEnabled(dialog, IDC_APPLY_BUTTON));
            Click(dialog, IDC_NETWORK_DHCP);
            for (int id : kAddressControls)
                EXPECT_TRUE(IsEnabled(dialog, id)) << id;
            EXPECT_TRUE(!c.apply || Click(dialog, IDC_APPLY_BUTTON));
            EXPECT_EQ(IsEnabled(dialog, IDC_APPLY_BUTTON), !c.apply);
            // Typed after Apply: enables it again, and Cancel drops it.
            TypeAddress(dialog, IDC_NETWORK_IP_ADDRESS, TEXT("10.0.0.5"));
            TypeAddress(dialog, IDC_NETWORK_SUBNET_MASK, TEXT("255.255.252.0"));
            EXPECT_TRUE(IsEnabled(dialog, IDC_APPLY_BUTTON));
            Click(dialog, c.apply ? IDCANCEL : IDOK);
        });
        sheet.Answer(IDD_EMBOSS_USAGE, [&c](HWND dialog) {
            EXPECT_EQ(Usage(dialog), c.usage);
            EXPECT_FALSE(IsEnabled(dialog, IDC_APPLY_BUTTON));
            Click(dialog, IDC_USAGE_CARRIAGE2_PRIMARY);
            EXPECT_TRUE(!c.apply || Click(dialog, IDC_APPLY_BUTTON));
            EXPECT_EQ(IsEnabled(dialog, IDC_APPLY_BUTTON), !c.apply);
            Click(dialog, IDOK);
        });
        ASSERT_TRUE(Click(page, IDC_SERVICE_ETHERNET_SETTINGS));
        ASSERT_TRUE(Click(page, IDC_SERVICE_EMBOSS_USAGE));
        EXPECT_EQ(Look(sheet, page, IDC_SERVICE_ETHERNET_SETTINGS, IDD_NETWORK, Network),
                  c.network);
        EXPECT_EQ(Look(sheet, page, IDC_SERVICE_EMBOSS_USAGE, IDD_EMBOSS_USAGE, Usage),
                  c.usageAfter);
        EXPECT_EQ(Embosser("network.dhcp network.address network.mask network.gateway "
                           "carriage2.primary"),
                  c.stored);
        sheet.Cancel();
    }
}

TEST_F(ServiceTest, AChangedCartridgeIsAskedAboutAndItsCounterResetOnlyOnYes) {
    WriteEmbosserState("ink1.changed=1\nink2.changed=1");
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
    HWND page = sheet.Page(IDC_SERVICE_INK_LEVEL);
    // Cartridge 1 is taken for new and asks no more; cartridge 2 asks again.
    for (auto [answers, changed] : {std::make_pair(std::vector<int>{IDYES, IDNO}, "0 1"),
                                    std::make_pair(std::vector<int>{IDYES}, "0 0")}) {
        for (int button : answers)
            sheet.Answer(kMessageBox, [button](HWND box) {
                EXPECT_EQ(WindowText(box), TEXT("Ink Fill Status"));
                EXPECT_TRUE(IsMadeFromTemplate(
                    GetWindow(box, GW_OWNER), GetModuleHandleW(TEXT("qvembui.dll")), IDD_INK_FILL));
                Click(box, button);
            });
        sheet.Answer(IDD_INK_FILL, [](HWND dialog) { Click(dialog, IDOK); });
        ASSERT_TRUE(Click(page, IDC_SERVICE_INK_LEVEL));
        EXPECT_EQ(Embosser("ink1.changed ink2.changed"), changed);
    }
    std::vector<std::wstring> messages = sheet.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], TEXT("Change of Cartridge 1 detected!\r\n\r\nHave you inserted a new "
                                "cartridge?\r\nClick on OK to reset the Ink Drop counter and "
                                "further avoid this message."));
    for (int i : {1, 2})
        EXPECT_EQ(messages[i].substr(0, 31), TEXT("Change of Cartridge 2 detected!"));
    sheet.Cancel();
}

// The first state is one that an earlier version kept beside the printer link: it is taken over
// at the first read, and from then on the state's own place holds it, not the earlier file.
TEST_F(ServiceTest, AnEarlierStateIsTakenOverOnceAndTheCartridgePicturesShowWhatThePrinterReports) {
    const struct {
        std::wstring file;
        const char* state;
        const WCHAR *fill1, *fill2;
        UINT picture1, picture2;
        const char* kept; // the second cartridge's fill in the state's own place
    } kCases[] = {
        {DriverFile(TEXT("qvmonext.state")), "ink1.fill=47\nink2.state=error\nink2.fill=90",
         TEXT("47 %"), TEXT("90 %"), IDB_INK_FILL_40, IDB_INK_CARTRIDGE_ERROR, "90"},
        {EmbosserStateFile(), "ink1.state=none\nink2.fill=100", TEXT(""), TEXT("100 %"),
         IDB_INK_NO_CARTRIDGE, IDB_INK_FILL_100, "100"},
    };
    for (const auto& c : kCases) {
        WriteEmbosserState(c.state, c.file);
        Sheet sheet;
        ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
        HWND page = sheet.Page(IDC_SERVICE_LOGO);
        EXPECT_TRUE(ShowsPicture(page, IDC_SERVICE_LOGO, IDB_LOGO));
        sheet.Answer(IDD_INK_FILL, [&c](HWND dialog) {
            EXPECT_EQ(TextOf(dialog, IDC_INKFILL_CARTRIDGE1_FILL), c.fill1);
            EXPECT_EQ(TextOf(dialog, IDC_INKFILL_CARTRIDGE2_FILL), c.fill2);
            EXPECT_TRUE(ShowsPicture(dialog, IDC_INKFILL_CARTRIDGE1_PICTURE, c.picture1));
            EXPECT_TRUE(ShowsPicture(dialog, IDC_INKFILL_CARTRIDGE2_PICTURE, c.picture2));
            Click(dialog, IDOK);
        });
        ASSERT_TRUE(Click(page, IDC_SERVICE_INK_LEVEL));
        sheet.Cancel();
        EXPECT_EQ(Embosser("ink2.fill"), c.kept);
    }
}

// The embosser keeps what it took in its own state: a program of its own (this one, running the
// dialogs' test) sets carriage 2 as the primary carriage, and this one finds it, on a German
// installation in German.
TEST_F(ServiceTest, AnotherProgramFindsWhatAPersonAppliedToAGermanPrinterInGerman) {
    WCHAR program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    ASSERT_EQ(_wspawnl(_P_WAIT, program, TEXT("service_tests"),
                       TEXT("--gtest_filter=ServiceTest.TheDialogsStore*"), nullptr),
              0);
    SetLocale(TEXT("de_de"));
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenProperties(kPrinterName));
    HWND page = sheet.Page(IDC_SERVICE_PRINTER_INFO);
    EXPECT_NE(TextOf(page, IDC_SERVICE_PRINTER_INFO)
                  .find(TEXT("\r\nTreiberversion: ") + PackageVersion() + TEXT("\r\n")),
              std::wstring::npos);
    EXPECT_EQ(TextOf(page, IDC_SERVICE_ETHERNET_SETTINGS), TEXT("Ethernet-Einstellungen ..."));
    EXPECT_EQ(Look(sheet, page, IDC_SERVICE_ETHERNET_SETTINGS, IDD_NETWORK,
                   [](HWND dialog) { return TextOf(dialog, IDC_NETWORK_DHCP); }),
              TEXT("&DHCP einschalten"));
    EXPECT_EQ(Look(sheet, page, IDC_SERVICE_EMBOSS_USAGE, IDD_EMBOSS_USAGE,
                   [](HWND dialog) { return WindowText(dialog) + TEXT(" ") + Usage(dialog); }),
              TEXT("Pr\u00e4genutzung 62 %|38 %|62|38|primary 2"));
    EXPECT_EQ(Look(sheet, page, IDC_SERVICE_INK_LEVEL, IDD_INK_FILL, WindowText),
              TEXT("Tintenf\u00fcllstand"));
    sheet.Cancel();
}

} // namespace
