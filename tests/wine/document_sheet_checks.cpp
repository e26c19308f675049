// The printing preferences of an installed printer, opened through the core-driver stand-in: the
// pages the plug-in asks the real property sheet service for, and what the sheet's start stored in
// the printer's data.
#include "check_log.h"
#include "test_printer.h"
#include "wine_checks.h"

#include "core_driver.h"
#include "resources/resource.h"
#include "settings/settings_context.h"
#include "sheet_session.h"

#include <winspool.h>

#include <string>
#include <vector>

namespace {

struct ExpectedPage {
    WORD templateId;
    const char* title;
};

const ExpectedPage kDocumentPages[] = {
    {IDD_LAYOUT_PAGE, "Layout"},
    {IDD_PAPER_PAGE, "Paper/Media"},
    {IDD_MAIN_PAGE, "Tarvik"},
};

struct DwordDefault {
    LPCWSTR name;
    DWORD value;
};

// Every number a first load of the settings writes back, with its default.
const DwordDefault kLoadedDwords[] = {
    {TEXT("MediaType"), 268},       {TEXT("PaperSource"), 15},  {TEXT("MediaSurface"), 1},
    {TEXT("InterPoint"), 0},        {TEXT("BindingEdge"), 2},   {TEXT("InsertEmptyPage"), 0},
    {TEXT("LandscapeMode"), 0},     {TEXT("Orientation"), 1},   {TEXT("Preview"), 0},
    {TEXT("Collate"), 0},           {TEXT("TwoInOne"), 0},      {TEXT("EmbossMode"), 1},
    {TEXT("DotHeight"), 1},         {TEXT("InkMode"), 1},       {TEXT("Quality"), 1},
    {TEXT("InkDithering"), 0},      {TEXT("DotQuality"), 0},    {TEXT("EmbossStandardTexts"), 0},
    {TEXT("ThinLineIntensity"), 1}, {TEXT("InvertColor"), 0},   {TEXT("Brightness"), 0},
    {TEXT("Contrast"), 0},          {TEXT("InkBrightness"), 0}, {TEXT("InkContrast"), 0},
    {TEXT("ColorPattern"), 0},      {TEXT("RenderMode"), 2},    {TEXT("TwoPassPrint"), 0},
};

std::string TemplateOf(LPCWSTR name) {
    if (IS_INTRESOURCE(name))
        return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    return Narrow(name);
}

void CheckPages(const SheetSession& session) {
    const auto& pages = session.pages();
    if (!CheckNumber("pages added at INIT", 3, pages.size()))
        return;
    std::string flagsSeen;
    bool flagsRight = true;
    for (size_t i = 0; i < pages.size(); ++i) {
        const PROPSHEETPAGEW& page = pages[i].description;
        std::string what = "page " + std::to_string(i + 1);
        CheckText((what + " template").c_str(), "#" + std::to_string(kDocumentPages[i].templateId),
                  TemplateOf(page.pszTemplate));
        CheckText((what + " title").c_str(), kDocumentPages[i].title,
                  (page.dwFlags & PSP_USETITLE) ? Narrow(page.pszTitle) : "(no PSP_USETITLE)");
        Check((what + " accepted by CreatePropertySheetPageW").c_str(), pages[i].handle != nullptr,
              "a page handle", pages[i].handle ? "a page handle" : "none");
        // The pages use the common controls of the module's manifest: the real loader must have
        // built an activation context from it.
        DWORD wanted = PSP_USETITLE | PSP_USECALLBACK | PSP_USEFUSIONCONTEXT;
        flagsRight = flagsRight && (page.dwFlags & wanted) == wanted && page.hActCtx != nullptr &&
                     page.hActCtx != INVALID_HANDLE_VALUE;
        flagsSeen += (i ? ", " : "") + Hex(page.dwFlags);
    }
    Check("every page has a title, a callback and the module's activation context", flagsRight,
          "flags 0x4088 and a context handle", flagsSeen);
    Check("the start page is the Layout page",
          session.startPage() == reinterpret_cast<LONG_PTR>(pages[0].handle),
          Hex(reinterpret_cast<ULONG_PTR>(pages[0].handle)),
          Hex(static_cast<ULONG_PTR>(session.startPage())));
    CheckText("the sheet's header title", "OEM UI Page", Narrow(session.headerTitle()));
}

void CheckValue(HANDLE printer, LPCWSTR name, const std::string& expected) {
    std::string seen = DescribeConfigValue(ReadConfigValue(printer, name));
    Check(("Config\\" + Narrow(name) + " in printer data").c_str(), seen == expected, expected,
          seen);
}

void CheckStoredDefaults() {
    HANDLE printer = nullptr;
    bool opened = OpenPrinterW(const_cast<LPWSTR>(kTestPrinterName), &printer, nullptr) != FALSE;
    if (!Check("OpenPrinterW for reading the printer data", opened, "a printer handle",
               Outcome(opened, "a printer handle")))
        return;
    CheckValue(printer, TEXT("PaperSize"), "REG_BINARY 210000 x 297000");
    CheckValue(printer, TEXT("CustomMediaType"), "REG_SZ \"\"");
    for (const DwordDefault& value : kLoadedDwords)
        CheckValue(printer, value.name, "REG_DWORD " + std::to_string(value.value));
    CheckValue(printer, TEXT("CustomPatternFileName"),
               "REG_SZ \"C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\Default.dat\"");
    ClosePrinter(printer);
}

void RunDocumentSheet(CoreDriverHost& host) {
    std::vector<BYTE> jobDevmode = host.BuildJobDevmode(nullptr);
    SheetSession session(host);
    HRESULT result = session.OpenDocumentProperties(kTestPrinterName,
                                                    reinterpret_cast<DEVMODEW*>(jobDevmode.data()));
    if (!CheckResult("DocumentPropertySheets(INIT)", S_OK, result))
        return;
    Check("INIT keeps the settings in UserData", session.info().UserData != 0, "non-zero",
          Hex(session.info().UserData));
    CheckPages(session);
    CheckStoredDefaults();
    session.Close(0);
    CheckNumber("DocumentPropertySheets(DESTROY) result", 1, session.info().Result);
    CheckNumber("DocumentPropertySheets(DESTROY) clears UserData", 0, session.info().UserData);
}

// A printer that holds its settings: the spooler lists "Config" in one enumeration, and a
// stored choice reaches the next sheet's settings.
void RunSheetOnStoredSettings(CoreDriverHost& host) {
    HANDLE admin = nullptr;
    PRINTER_DEFAULTSW manage = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    bool opened = OpenPrinterW(const_cast<LPWSTR>(kTestPrinterName), &admin, &manage) != FALSE;
    if (!Check("OpenPrinterW with full access", opened, "a printer handle",
               Outcome(opened, "a printer handle")))
        return;
    DWORD mediaType = 259;
    SetPrinterDataExW(admin, TEXT("Config"), TEXT("MediaType"), REG_DWORD,
                      reinterpret_cast<LPBYTE>(&mediaType), sizeof(mediaType));
    DWORD needed = 0, count = 0;
    DWORD sized = EnumPrinterDataExW(admin, TEXT("Config"), nullptr, 0, &needed, &count);
    CheckNumber("EnumPrinterDataExW without a buffer answers ERROR_MORE_DATA", ERROR_MORE_DATA,
                sized);
    std::vector<BYTE> values(needed > 0 ? needed : 1);
    DWORD listed =
        EnumPrinterDataExW(admin, TEXT("Config"), values.data(), needed, &needed, &count);
    CheckNumber("EnumPrinterDataExW lists \"Config\"", ERROR_SUCCESS, listed);
    Check("every value the first sheet stored is listed", count >= 30, "at least 30",
          std::to_string(count));
    ClosePrinter(admin);

    SheetSession session(host);
    HRESULT result = session.OpenDocumentProperties(kTestPrinterName, nullptr);
    if (!CheckResult("DocumentPropertySheets(INIT) on stored settings", S_OK, result))
        return;
    auto* context = reinterpret_cast<SettingsContext*>(session.info().UserData);
    CheckNumber("the stored media type reaches the sheet's settings", 259,
                context != nullptr ? context->MediaType : 0);
    session.Close(0);
}

} // namespace

void CheckDocumentSheet(LPCWSTR modulePath) {
    Note("a Tarvik printer on the spooler and its printing preferences");
    if (!InstallTestPrinter(modulePath))
        return;
    // The core driver loads the plug-in from where the spooler installed the driver's files.
    WCHAR installed[MAX_PATH];
    PluginModulePath(installed, MAX_PATH);
    CoreDriverHost host;
    HRESULT result = host.Load(installed);
    bool loaded =
        CheckResult(("the core-driver stand-in loads " + Narrow(installed)).c_str(), S_OK, result);
    if (loaded) {
        CheckNumber("the plug-in holds the host's IPrintOemDriverUI once", 2,
                    host.driverInterface().References());
        RunDocumentSheet(host);
        RunSheetOnStoredSettings(host);
    }
    host.Unload();
    if (loaded)
        CheckNumber("the plug-in released the host's IPrintOemDriverUI", 1,
                    host.driverInterface().References());
    RemoveTestPrinter();
}
