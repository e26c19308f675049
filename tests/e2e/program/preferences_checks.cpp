// The printing preferences, opened as an application's print dialog opens them.
#include "check_log.h"
#include "e2e_checks.h"
#include "person.h"
#include "preferences_session.h"
#include "sheet_windows.h"
#include "test_printer.h"

#include "resources/resource.h"

#include <winspool.h>

#include <cstring>
#include <vector>

namespace {

LPWSTR PrinterName() {
    return const_cast<LPWSTR>(kTestPrinterName);
}

constexpr DWORD kCopyPaper = 258;

std::string DescribeDevmode(const DEVMODEW& devmode) {
    return "duplex " + std::to_string(devmode.dmDuplex) + ", form \"" + Narrow(devmode.dmFormName) +
           "\" " + std::to_string(devmode.dmPaperWidth) + " x " +
           std::to_string(devmode.dmPaperLength) + ", media type " +
           std::to_string(devmode.dmMediaType);
}

const char kChosenDevmode[] = "duplex 2, form \"Letter\" 2159 x 2794, media type 258";

void CheckPrivateSection(const char* what, const std::vector<BYTE>& devmode) {
    const auto* publicPart = reinterpret_cast<const DEVMODEW*>(devmode.data());
    std::string seen = "dmDriverExtra " + std::to_string(publicPart->dmDriverExtra);
    if (publicPart->dmDriverExtra >= 12)
        seen += ", " + Bytes(devmode.data() + publicPart->dmSize + 4, 4);
    CheckText(what, "dmDriverExtra 732, KTVQ", seen);
}

void CheckStoredChoices() {
    HANDLE printer = nullptr;
    if (!OpenPrinterW(PrinterName(), &printer, nullptr)) {
        Check("OpenPrinterW after the session", false, "a handle", Outcome(false, ""));
        return;
    }
    struct Expected {
        LPCWSTR name;
        const char* value;
    };
    const Expected expected[] = {
        {TEXT("InterPoint"), "REG_DWORD 1"},
        {TEXT("TwoInOne"), "REG_DWORD 1"},
        {TEXT("DotQuality"), "REG_DWORD 2"},
        {TEXT("MediaType"), "REG_DWORD 258"},
        {TEXT("PaperSize"), "REG_BINARY 215900 x 279400"},
    };
    for (const Expected& value : expected)
        CheckText(("printer data Config\\" + Narrow(value.name)).c_str(), value.value,
                  DescribeConfigValue(ReadConfigValue(printer, value.name)));

    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed ? needed : 1);
    bool read = GetPrinterW(printer, 2, info.data(), needed, &needed) != FALSE;
    const DEVMODEW* stored =
        read ? reinterpret_cast<PRINTER_INFO_2W*>(info.data())->pDevMode : nullptr;
    CheckText("the printer's default devmode", kChosenDevmode,
              stored ? DescribeDevmode(*stored) : Outcome(read, "no devmode"));
    ClosePrinter(printer);
}

// A second opening shows the stored choices; Cancel must leave the application's devmode alone
// (Wine's spooler reports IDOK after Cancel as well, so only the buffer can tell).
void CheckSecondOpeningCancelled(ApplicationWindow& application, HANDLE printer,
                                 std::vector<BYTE>& devmode) {
    std::vector<BYTE> before = devmode;
    bool doubleSidedShown = false;
    std::string qualityShown = "(not seen)";
    Person person;
    person.Then("find the sheet", [] { return FindSheet() != nullptr; });
    person.Then("look at Layout, then Single Sided", [&doubleSidedShown] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_LAYOUT_DOUBLE_SIDED);
        if (page == nullptr)
            return false;
        doubleSidedShown = IsButtonChecked(page, IDC_LAYOUT_DOUBLE_SIDED);
        return ClickButton(page, IDC_LAYOUT_SINGLE_SIDED);
    });
    person.Then("look at Tarvik", [&qualityShown] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_MAIN_DOT_QUALITY);
        if (page == nullptr)
            return false;
        qualityShown = SelectedListText(page, IDC_MAIN_DOT_QUALITY);
        return true;
    });
    person.Then("Cancel", [] {
        PressSheetButton(FindSheet(), PSBTN_CANCEL);
        return true;
    });
    person.Start();
    auto* buffer = reinterpret_cast<DEVMODEW*>(devmode.data());
    LONG result = DocumentPropertiesW(application.handle(), printer, PrinterName(), buffer, buffer,
                                      DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    person.Stop();
    Note("DocumentPropertiesW answered %ld after Cancel (Windows answers IDCANCEL, 2)",
         static_cast<long>(result));
    Check("second opening: the person did every step", person.finished(), "every step",
          person.finished() ? "every step" : "stuck at \"" + person.stuckAt() + "\"");
    Check("second opening: Layout shows Double Sided", doubleSidedShown, "checked",
          doubleSidedShown ? "checked" : "not checked");
    CheckText("second opening: Tarvik shows the dot quality", "Best", qualityShown);
    Check("Cancel leaves the application's devmode as it was", devmode == before, "unchanged",
          devmode == before ? "unchanged" : DescribeDevmode(*buffer));
}

} // namespace

void CheckPrintingPreferences(ApplicationWindow& application) {
    Note("the printing preferences from an application's print dialog");
    HANDLE printer = nullptr;
    bool opened = OpenPrinterW(PrinterName(), &printer, nullptr) != FALSE;
    if (!Check("OpenPrinterW(\"Tarvik Embosser\")", opened, "a handle",
               Outcome(opened, "a handle")))
        return;
    LONG size =
        DocumentPropertiesW(application.handle(), printer, PrinterName(), nullptr, nullptr, 0);
    CheckNumber("DocumentPropertiesW's devmode size (public and private parts)",
                sizeof(DEVMODEW) + 732, static_cast<unsigned long long>(size));
    if (size < static_cast<LONG>(sizeof(DEVMODEW))) {
        ClosePrinter(printer);
        return;
    }
    std::vector<BYTE> devmode(static_cast<size_t>(size));
    auto* buffer = reinterpret_cast<DEVMODEW*>(devmode.data());
    LONG result = DocumentPropertiesW(application.handle(), printer, PrinterName(), buffer, nullptr,
                                      DM_OUT_BUFFER);
    CheckNumber("DocumentPropertiesW(DM_OUT_BUFFER) answers IDOK", IDOK, result);
    CheckPrivateSection("the printer's devmode carries the plug-in's section", devmode);

    application.ForgetDevmodeChanges();
    bool noticeSeen = false;
    Person person;
    ScriptSession(person, noticeSeen, PSBTN_OK);
    person.Start();
    result = DocumentPropertiesW(application.handle(), printer, PrinterName(), buffer, buffer,
                                 DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    person.Stop();
    Check("the person did every step", person.finished(), "every step",
          person.finished() ? "every step" : "stuck at \"" + person.stuckAt() + "\"");
    Check("2 In 1 asked with the notice", noticeSeen, "the notice",
          noticeSeen ? "the notice" : "none");
    CheckNumber("DocumentPropertiesW(DM_IN_PROMPT) after OK", IDOK, result);
    CheckText("the application's job devmode", kChosenDevmode, DescribeDevmode(*buffer));
    CheckPrivateSection("the job devmode keeps the plug-in's section", devmode);
    CheckStoredChoices();
    const auto& heard = application.devmodeChanges();
    std::string heardText;
    for (const std::string& name : heard)
        heardText += (heardText.empty() ? "" : ", ") + ("\"" + name + "\"");
    Check("the application's window heard WM_DEVMODECHANGE for the printer",
          !heard.empty() && heard.back() == "Tarvik Embosser", "\"Tarvik Embosser\"",
          heard.empty() ? "nothing" : heardText);

    CheckSecondOpeningCancelled(application, printer, devmode);
    ClosePrinter(printer);
}

void CheckPreferencesOpenWithoutLink(ApplicationWindow& application) {
    Note("the printing preferences without qvmonext.dll");
    HANDLE printer = nullptr;
    bool opened = OpenPrinterW(PrinterName(), &printer, nullptr) != FALSE;
    if (!Check("OpenPrinterW(\"Tarvik Embosser\")", opened, "a handle",
               Outcome(opened, "a handle")))
        return;
    LONG size =
        DocumentPropertiesW(application.handle(), printer, PrinterName(), nullptr, nullptr, 0);
    std::vector<BYTE> devmode(size > 0 ? static_cast<size_t>(size) : sizeof(DEVMODEW));
    auto* buffer = reinterpret_cast<DEVMODEW*>(devmode.data());
    DocumentPropertiesW(application.handle(), printer, PrinterName(), buffer, nullptr,
                        DM_OUT_BUFFER);
    std::string titles = "(no sheet)";
    Person person;
    person.Then("find the sheet", [&titles] {
        HWND sheet = FindSheet();
        if (sheet == nullptr)
            return false;
        titles = PageTitles(sheet);
        return true;
    });
    person.Then("Cancel", [] {
        PressSheetButton(FindSheet(), PSBTN_CANCEL);
        return true;
    });
    person.Start();
    DocumentPropertiesW(application.handle(), printer, PrinterName(), buffer, buffer,
                        DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    person.Stop();
    Check("the sheet opened and was cancelled", person.finished(), "every step",
          person.finished() ? "every step" : "stuck at \"" + person.stuckAt() + "\"");
    CheckText("the pages without a printer link", "Layout, Paper/Media, Tarvik", titles);
    ClosePrinter(printer);
}
