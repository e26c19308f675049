// What the printer link reports on the printer's Service page: its settings block (serial and
// model numbers, firmware versions, the ink cartridges, the carriages' usage, the network
// address), its status code and the text it gives for a code (as much as the caller's buffer of
// 4096 characters holds, with or without a terminator), and the locale library's answers. The
// page, its status refresh and its ink fill, emboss usage and network dialogs must keep every
// text bounded and every number within what it can be, and send the printer only what the person
// chose.
#include "harness/fuzz_locale.h"
#include "harness/fuzz_machine.h"
#include "harness/page_dialogs.h"

#include "link/parameter_record.h"
#include "link/printer_link.h"
#include "resources/resource.h"
#include "service/printer_information.h"

#include <commctrl.h>

#include <string>

namespace {

// --- The printer link's status entry points, answering from the input -------------------------

FuzzedDataProvider* g_input = nullptr;

struct StatusAnswers {
    bool obtained = false;  // the last status call succeeded
    DWORD shownCode = 0;    // the code the last error text was asked for
    bool textGiven = false; // the last error text call gave a text
    std::u16string text;    // as the plug-in may read it: up to the terminator, or 4095 characters
    std::vector<DWORD> services;
};
StatusAnswers g_answers;

DWORD WINAPI GetPrinterStatus(DWORD, LPCWSTR, DWORD* status) {
    g_answers.obtained = !g_input->ConsumeBool();
    if (!g_answers.obtained)
        return ERROR_NOT_SUPPORTED;
    *status = g_input->ConsumeIntegral<DWORD>();
    return 0;
}

// The text fills the buffer up to `length` characters; at the buffer's full length it has no
// terminator.
DWORD WINAPI GetPrinterErrorText(DWORD, DWORD code, LPWSTR text) {
    g_answers.shownCode = code;
    g_answers.textGiven = g_input->ConsumeBool();
    g_answers.text.clear();
    if (!g_answers.textGiven)
        return 0;
    size_t length = g_input->ConsumeIntegralInRange<size_t>(0, kPrinterErrorTextChars);
    WCHAR fill = g_input->ConsumeIntegral<WCHAR>();
    if (fill == 0)
        fill = TEXT('?');
    std::u16string start = ConsumeText(*g_input, 32);
    for (size_t i = 0; i < length; ++i)
        text[i] = i < start.size() ? start[i] : fill;
    if (length < kPrinterErrorTextChars)
        text[length] = 0;
    g_answers.text.assign(text, length < kPrinterErrorTextChars ? length : length - 1);
    return 1;
}

DWORD WINAPI PrinterService(HWND, LPCWSTR, DWORD code) {
    g_answers.services.push_back(code);
    return 0;
}

// --- The Service page -------------------------------------------------------------------------

bool Connected(const SettingsContext* context) {
    return context->SnapshotItemCount > 0;
}

bool StatusTimerRuns(HWND page) {
    for (const sim::TimerInfo& timer : sim::ActiveTimers())
        if (timer.window == page && timer.id == kStatusTimerId)
            return true;
    return false;
}

// The status line opens the information text: the link's text and "(Code n)", cut to the line's
// 259 characters; nothing when the printer is not connected or the link lacks either entry.
void CheckInformation(HWND page, const SettingsContext* context, bool statusExported,
                      bool textExported) {
    std::u16string information = sim::ControlText(page, IDC_SERVICE_PRINTER_INFO);
    FUZZ_CHECK(information.size() < kComposedText, "an information text of %zu characters",
               information.size());
    std::u16string line;
    if (Connected(context) && statusExported && textExported) {
        std::u16string code = u"(Code ";
        for (char c : std::to_string(static_cast<int>(g_answers.shownCode)))
            code += static_cast<char16_t>(c);
        code += u")";
        line = g_answers.textGiven ? g_answers.text + u" " + code : code;
        if (line.size() > kNameChars - 1)
            line.resize(kNameChars - 1);
    }
    FUZZ_CHECK(information.compare(0, line.size() + 2, line + u"\r\n") == 0,
               "the information text does not open with the status line of %zu characters",
               line.size());
}

// "n %" with n from 0 to 100, or nothing; -1 for nothing.
int ShownPercent(HWND dialog, int id) {
    std::u16string text = sim::ControlText(dialog, id);
    if (text.empty())
        return -1;
    int percent = 0;
    size_t i = 0;
    for (; i < text.size() && i < 3 && text[i] >= u'0' && text[i] <= u'9'; ++i)
        percent = percent * 10 + (text[i] - u'0');
    FUZZ_CHECK(i > 0 && text.substr(i) == u" %" && percent <= 100,
               "a share or fill shown as %zu "
               "characters that are not a percentage",
               text.size());
    return percent;
}

size_t SentWithId(DWORD id) {
    size_t count = 0;
    for (const SentParameter& sent : PrinterLink().sent)
        count += sent.id == id;
    return count;
}

// The ink fill dialog: each cartridge the printer reports shows its fill as a percentage; each one
// whose change the printer saw asks once whether a new cartridge went in, and a Yes resets its
// counter in the printer.
void OpenInkFill(HWND page, SettingsContext* context) {
    const DWORD states[2] = {context->InkCartridge1State, context->InkCartridge2State};
    const int fills[2] = {IDC_INKFILL_CARTRIDGE1_FILL, IDC_INKFILL_CARTRIDGE2_FILL};
    const DWORD resetIds[2] = {kInkCartridge1Id, kInkCartridge2Id};
    bool yes[2] = {};
    for (int i = 0; i < 2; ++i) {
        if ((states[i] & 0xFF) != 0 && (states[i] >> 8 & 0xFF) != 0) {
            yes[i] = g_input->ConsumeBool();
            sim::QueueMessageBoxAnswer(yes[i] ? IDYES : IDNO);
        }
    }
    size_t asked = sim::MessageBoxLog().size();
    sim::ScriptModalDialog(IDD_INK_FILL, [&](HWND dialog) {
        for (int i = 0; i < 2; ++i) {
            int fill = ShownPercent(dialog, fills[i]);
            FUZZ_CHECK((fill >= 0) == ((states[i] & 0xFF) != 0),
                       "cartridge %d: a fill shown for state %#x", i + 1, states[i]);
        }
        sim::Paint(dialog);
        sim::Click(dialog, g_input->ConsumeBool() ? IDOK : IDCANCEL);
    });
    sim::Click(page, IDC_SERVICE_INK_LEVEL);
    FUZZ_CHECK(sim::PendingMessageBoxAnswers() == 0, "a cartridge change was not asked about");
    const auto& boxes = sim::MessageBoxLog();
    for (size_t i = asked; i < boxes.size(); ++i)
        FUZZ_CHECK(boxes[i].text.size() < kComposedText && boxes[i].caption.size() < kNameChars,
                   "a question of %zu characters titled with %zu", boxes[i].text.size(),
                   boxes[i].caption.size());
    const DWORD after[2] = {context->InkCartridge1State, context->InkCartridge2State};
    for (int i = 0; i < 2; ++i) {
        FUZZ_CHECK(SentWithId(resetIds[i]) == (yes[i] ? 1u : 0u),
                   "cartridge %d's counter reset %zu times", i + 1, SentWithId(resetIds[i]));
        FUZZ_CHECK(after[i] == (yes[i] ? states[i] & ~DWORD{0xFF} : states[i]),
                   "cartridge %d's state went from %#x to %#x", i + 1, states[i], after[i]);
    }
}

// The emboss usage dialog: the two carriages' shares add up to 100 %, or neither is shown; the
// primary carriage goes to the printer only when the person picked one and confirmed it.
void OpenEmbossUsage(HWND page) {
    int choice = g_input->ConsumeIntegralInRange<int>(0, 2);
    int button = g_input->PickValueInArray({IDOK, IDC_APPLY_BUTTON, IDCANCEL});
    if (choice == 0 && button == IDC_APPLY_BUTTON)
        button = IDCANCEL; // nothing changed: "Apply" is not enabled
    sim::ScriptModalDialog(IDD_EMBOSS_USAGE, [&](HWND dialog) {
        int first = ShownPercent(dialog, IDC_USAGE_CARRIAGE1_SHARE);
        int second = ShownPercent(dialog, IDC_USAGE_CARRIAGE2_SHARE);
        if (first >= 0 || second >= 0) {
            FUZZ_CHECK(first >= 0 && second >= 0 && first + second == 100,
                       "shares of %d %% and %d %%", first, second);
            FUZZ_CHECK(SendDlgItemMessageW(dialog, IDC_USAGE_CARRIAGE1_BAR, PBM_GETPOS, 0, 0) ==
                               first &&
                           SendDlgItemMessageW(dialog, IDC_USAGE_CARRIAGE2_BAR, PBM_GETPOS, 0, 0) ==
                               second,
                       "the bars do not show the shares");
        }
        if (choice != 0)
            sim::Click(dialog,
                       choice == 1 ? IDC_USAGE_CARRIAGE1_PRIMARY : IDC_USAGE_CARRIAGE2_PRIMARY);
        sim::Click(dialog, button);
        if (button == IDC_APPLY_BUTTON)
            sim::Click(dialog, IDCANCEL);
    });
    sim::Click(page, IDC_SERVICE_EMBOSS_USAGE);
    bool sent = choice != 0 && button != IDCANCEL;
    FUZZ_CHECK(SentWithId(kPrimaryCarriageId) == (sent ? 1u : 0u),
               "the primary carriage was sent %zu times", SentWithId(kPrimaryCarriageId));
    if (sent)
        FUZZ_CHECK(PrinterLink().sent.back().values == std::vector<LONG>{choice == 2 ? 1 : 0},
                   "the primary carriage sent is not the one chosen");
}

// The network dialog shows what the printer reported; cancelled, it sends nothing.
void OpenNetwork(HWND page, const SettingsContext* context) {
    size_t sentBefore = PrinterLink().sent.size();
    sim::ScriptModalDialog(IDD_NETWORK, [&](HWND dialog) {
        const struct {
            int id;
            DWORD address;
        } addresses[] = {{IDC_NETWORK_IP_ADDRESS, context->NetworkIpAddress},
                         {IDC_NETWORK_SUBNET_MASK, context->NetworkSubnetMask},
                         {IDC_NETWORK_GATEWAY, context->NetworkGateway}};
        for (const auto& address : addresses) {
            DWORD shown = 0;
            SendDlgItemMessageW(dialog, address.id, IPM_GETADDRESS, 0,
                                reinterpret_cast<LPARAM>(&shown));
            FUZZ_CHECK(shown == address.address, "address %#x shown as %#x", address.address,
                       shown);
        }
        FUZZ_CHECK(sim::IsChecked(dialog, IDC_NETWORK_DHCP) == (context->NetworkDhcp != 0),
                   "DHCP shown wrongly");
        size_t mac = sim::ControlText(dialog, IDC_NETWORK_MAC_ADDRESS).size();
        FUZZ_CHECK(mac == 0 || mac == 17, "a MAC address of %zu characters", mac);
        sim::Click(dialog, IDCANCEL);
    });
    sim::Click(page, IDC_SERVICE_ETHERNET_SETTINGS);
    FUZZ_CHECK(PrinterLink().sent.size() == sentBefore, "a cancelled network dialog sent settings");
}

// One of the buttons whose service runs inside the printer link: the link is asked once, for a
// service it offers (codes 3 and 4 are not offered).
void StartService(HWND page) {
    // The carriages' head alignment and skew buttons are never shown.
    int id =
        g_input->PickValueInArray({IDC_SERVICE_INTERPOINT_CALIBRATION, IDC_SERVICE_PRINT_TEST_PAGE,
                                   IDC_SERVICE_INK_EMBOSS_ALIGNMENT, IDC_SERVICE_INK_SKEW_ALIGNMENT,
                                   IDC_SERVICE_CARTRIDGE_SPACING});
    if (!sim::IsEnabled(page, id))
        return;
    size_t before = g_answers.services.size();
    sim::Click(page, id);
    FUZZ_CHECK(g_answers.services.size() == before + 1, "the service reached the link %zu times",
               g_answers.services.size() - before);
    DWORD code = g_answers.services.back();
    FUZZ_CHECK(code >= 1 && code <= 11 && code != 3 && code != 4, "service %u", code);
}

enum Action : uint8_t {
    kTickMonitoring = 1,
    kInkFill = 2,
    kEmbossUsage = 4,
    kNetwork = 8,
    kService = 16,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    g_input = &input;
    g_answers = StatusAnswers();
    StartMachine();
    bool statusExported = input.ConsumeBool();
    bool textExported = input.ConsumeBool();
    std::vector<sim::ModuleExport> entries = {
        sim::Export("DllExportPrinterService", PrinterService)};
    if (statusExported)
        entries.push_back(sim::Export("DllExportGetPrinterStatus", GetPrinterStatus));
    if (textExported)
        entries.push_back(sim::Export("DllExportGetPrinterErrorText", GetPrinterErrorText));
    InstallPrinterLink(entries);
    bool localeInstalled = input.ConsumeBool();
    uint8_t actions = input.ConsumeIntegral<uint8_t>();
    int ticks = input.ConsumeIntegralInRange<int>(0, 2);
    size_t blockSize = input.ConsumeIntegralInRange<size_t>(0, input.remaining_bytes());
    PrinterLink().settingsBlock = input.ConsumeBytes<BYTE>(blockSize);
    if (localeInstalled)
        InstallFuzzedLocale(input);

    SettingsContext* context = LoadContext(OpenUserHandle());
    InServicePage(context, [&](HWND page) {
        bool inkUnit = Connected(context) && context->ChromaPodVersion != 0;
        FUZZ_CHECK(sim::IsEnabled(page, IDC_SERVICE_EMBOSS_USAGE) == Connected(context) &&
                       sim::IsEnabled(page, IDC_SERVICE_INK_LEVEL) == inkUnit,
                   "the buttons do not follow the printer and its ink unit");
        CheckInformation(page, context, statusExported, textExported);
        sim::Paint(page);
        if ((actions & kTickMonitoring) && Connected(context)) {
            sim::Click(page, IDC_SERVICE_STATUS_MONITORING);
            CheckInformation(page, context, statusExported, textExported);
        }
        for (int tick = 0; tick < ticks && StatusTimerRuns(page); ++tick) {
            sim::AdvanceClock(kStatusTimerInterval);
            CheckInformation(page, context, statusExported, textExported);
            bool wanted = Connected(context) && statusExported && g_answers.obtained &&
                          sim::IsChecked(page, IDC_SERVICE_STATUS_MONITORING);
            FUZZ_CHECK(StatusTimerRuns(page) == wanted, "the status timer %s after a refresh",
                       wanted ? "stopped" : "runs on");
        }
        if ((actions & kInkFill) && inkUnit)
            OpenInkFill(page, context);
        if ((actions & kEmbossUsage) && Connected(context))
            OpenEmbossUsage(page);
        if ((actions & kNetwork) && Connected(context))
            OpenNetwork(page, context);
        if (actions & kService)
            StartService(page);
    });
    ReleaseSettingsContext(context);
    ForgetLocaleAnswers();
    g_input = nullptr;
    g_answers = StatusAnswers();
    FinishMachine();
    return 0;
}
