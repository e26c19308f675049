// A tour of the printing preferences: a simulated machine with a Tarvik embosser (with its
// ChromaPod ink unit), the plug-in opened by the core-driver stand-in exactly as Windows opens it,
// what a person sees on each page, a short session at the keyboard, and what was stored.
#include "page_report.h"

#include "core_driver.h"
#include "device_tree_driver.h"
#include "resources/resource.h"
#include "sheet_session.h"
#include "sim.h"
#include "virtual_embosser.h"

#include <cstdio>
#include <cstring>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* object);
STDAPI DllCanUnloadNow();
extern "C" const unsigned char qvembui_res[];
extern const std::size_t qvembui_res_size;

namespace {

const char kPrinter[] = "Tarvik Embosser";
const char16_t kDriverFolder[] = u"C:\\Windows\\system32\\spool\\DRIVERS\\x64\\3\\";

void SetUpMachine() {
    sim::Reset();
    sim::RegisterModule(std::u16string(kDriverFolder) + u"qvembui.dll", DllMain,
                        {sim::Export("DllGetClassObject", DllGetClassObject),
                         sim::Export("DllCanUnloadNow", DllCanUnloadNow)},
                        qvembui_res, qvembui_res_size);
    ResetVirtualEmbosser(TEXT("Tarvik Embosser"), true);
    sim::RegisterModule(std::u16string(kDriverFolder) + u"qvmonext.dll", nullptr,
                        {sim::Export("DllExportGetPrinterSettings", DllExportGetPrinterSettings),
                         sim::Export("DllExportSetPrinterParameter", DllExportSetPrinterParameter),
                         sim::Export("DllExportUpdatePrinter", DllExportUpdatePrinter),
                         sim::Export("DllExportGetPrinterStatus", DllExportGetPrinterStatus),
                         sim::Export("DllExportGetPrinterErrorText", DllExportGetPrinterErrorText),
                         sim::Export("DllExportPrinterService", DllExportPrinterService),
                         sim::Export("DllExportLoadTable", DllExportLoadTable)});
    sim::PrinterSetup printer;
    // The core driver's devmodes carry the plug-in's private section.
    printer.driverExtra = 732;
    printer.name = kPrinter;
    sim::AddPrinter(printer);
    sim::WritePrinterDword(kPrinter, "Config", "OutputVersion", 1);
}

void ShowPages(HWND sheet) {
    auto pages = sim::SheetPages(sheet);
    for (size_t i = 0; i < pages.size(); ++i) {
        sim::SelectSheetPage(sheet, static_cast<int>(i));
        pages = sim::SheetPages(sheet);
        std::printf("  Page \"%s\":\n%s", Utf8(pages[i].title).c_str(),
                    DescribeWindow(pages[i].window).c_str());
    }
}

void Step(const char* what) {
    std::printf("  - %s\n", what);
}

std::u16string ReadConfigText(const char* name) {
    auto value = sim::ReadPrinterData(kPrinter, "Config", name);
    if (!value)
        return u"";
    std::u16string text(reinterpret_cast<const char16_t*>(value->data.data()),
                        value->data.size() / sizeof(char16_t));
    while (!text.empty() && text.back() == 0)
        text.pop_back();
    return text;
}

void ShowStoredData() {
    std::printf("\nPrinter data under \"Config\":\n");
    const char* names[] = {"EmbossMode",    "InkMode",       "TwoInOne",       "DotQuality",
                           "DotHeight",     "Quality",       "InterPoint",     "InsertEmptyPage",
                           "Collate",       "Orientation",   "PaperSource",    "MediaType",
                           "MaxCustPForce", "MinCustPForce", "Show2In1Warning"};
    for (const char* name : names) {
        auto value = sim::ReadPrinterData(kPrinter, "Config", name);
        DWORD number = 0;
        if (value && value->data.size() == 4)
            std::memcpy(&number, value->data.data(), 4);
        std::printf("    %-16s %s\n", name, value ? std::to_string(number).c_str() : "-");
    }
    auto paperSize = sim::ReadPrinterData(kPrinter, "Config", "PaperSize");
    if (paperSize && paperSize->data.size() == 8) {
        LONG size[2];
        std::memcpy(size, paperSize->data.data(), 8);
        std::printf("    %-16s %d x %d micrometres\n", "PaperSize", static_cast<int>(size[0]),
                    static_cast<int>(size[1]));
    }
    std::printf("    %-16s \"%s\"\n", "CustomMediaType",
                Utf8(ReadConfigText("CustomMediaType")).c_str());
}

void ShowDevmodes(const DEVMODEW& job) {
    auto printDevmode = [](const char* what, const DEVMODEW& devmode) {
        std::printf(
            "    %s: orientation %d, duplex %d%s, collate %d, form \"%s\" %d x %d (0.1 mm), "
            "media type %u, source %d\n",
            what, devmode.dmOrientation, devmode.dmDuplex,
            devmode.dmDuplex == DMDUP_VERTICAL ? " (double sided)" : "", devmode.dmCollate,
            Utf8(devmode.dmFormName).c_str(), devmode.dmPaperWidth, devmode.dmPaperLength,
            static_cast<unsigned>(devmode.dmMediaType), devmode.dmDefaultSource);
    };
    std::printf("\nDevmodes:\n");
    printDevmode("the job's devmode", job);
    auto stored = sim::DefaultDevmode(kPrinter);
    if (stored) {
        DEVMODEW printerDefault;
        std::memcpy(&printerDefault, stored->data(), sizeof(printerDefault));
        printDevmode("the printer's default", printerDefault);
    }
    std::printf("\nBroadcasts:\n");
    for (const auto& broadcast : sim::Broadcasts())
        std::printf("    WM_DEVMODECHANGE for \"%s\"\n", Utf8(broadcast.text).c_str());
    std::printf("\nMessages and dialogs the person saw:\n");
    for (const auto& dialog : sim::ModalDialogLog())
        std::printf("    dialog %d, answered %d\n", dialog.templateId,
                    static_cast<int>(dialog.result));
    for (const auto& box : sim::MessageBoxLog())
        std::printf("    message \"%s\"\n", Utf8(box.text).c_str());
}

std::string ItemValue(const OPTITEM& item) {
    const OPTTYPE* type = item.pOptType;
    if (type == nullptr)
        return "";
    switch (type->Type) {
    case TVOT_LISTBOX:
        return item.Sel >= 0 && item.Sel < type->Count && type->pOptParam[item.Sel].pData
                   ? Utf8(type->pOptParam[item.Sel].pData)
                   : "?";
    case TVOT_EDITBOX:
        return item.pSel ? Utf8(item.pSel) + " " +
                               Utf8(type->pOptParam[0].pData ? type->pOptParam[0].pData : u"")
                         : "";
    case TVOT_UDARROW:
        return std::to_string(item.Sel);
    default:
        return "(button)";
    }
}

// The printer's properties: the embosser's own settings in the device page's tree, read from the
// virtual embosser, and the Service page.
void TourPrinterProperties(CoreDriverHost& host) {
    SheetSession session(host);
    if (FAILED(session.OpenPrinterProperties(u"Tarvik Embosser"))) {
        std::printf("The printer properties did not open.\n");
        return;
    }
    HWND sheet = session.ShowSheet(nullptr);
    DeviceTreeDriver tree(session.treeParam(), nullptr);
    tree.Activate();
    std::printf("\nPrinter properties, the device page's tree:\n");
    for (WORD i = 0; i < tree.count(); ++i) {
        const OPTITEM& item = tree.item(i);
        std::printf("  %s%s%s%s\n", item.Level > 1 ? "    " : "",
                    item.pName ? Utf8(item.pName).c_str() : "", item.Level > 1 ? ": " : "",
                    ItemValue(item).c_str());
    }
    auto pages = sim::SheetPages(sheet);
    if (!pages.empty() && pages[0].window != nullptr)
        std::printf("\nPrinter properties, page \"%s\":\n%s", Utf8(pages[0].title).c_str(),
                    DescribeWindow(pages[0].window).c_str());
    sim::PressOK(sheet);
    session.Close(1);
}

} // namespace

int main() {
    SetUpMachine();
    std::printf("A simulated machine: printer \"%s\" (a Tarvik embosser with a ChromaPod ink "
                "unit), qvembui.dll in the driver folder.\n\n",
                kPrinter);
    CoreDriverHost host;
    WCHAR pluginPath[MAX_PATH];
    PluginModulePath(pluginPath, MAX_PATH);
    if (FAILED(host.Load(pluginPath))) {
        std::printf("The plug-in did not load.\n");
        return 1;
    }
    std::vector<BYTE> job = host.BuildJobDevmode(nullptr);
    auto* jobDevmode = reinterpret_cast<DEVMODEW*>(job.data());
    SheetSession session(host);
    if (FAILED(session.OpenDocumentProperties(u"Tarvik Embosser", jobDevmode))) {
        std::printf("The printing preferences did not open.\n");
        return 1;
    }
    HWND sheet = session.ShowSheet(nullptr);
    std::printf("Printing preferences, as a screen reader would walk them:\n");
    ShowPages(sheet);

    std::printf("\nA short session at the keyboard:\n");
    HWND layout = sim::SheetPages(sheet)[0].window;
    sim::SelectSheetPage(sheet, 0);
    Step("Layout: \"Double Sided (Interpoint)\"");
    sim::Click(layout, IDC_LAYOUT_DOUBLE_SIDED);
    sim::SelectSheetPage(sheet, 2);
    HWND main = sim::SheetPages(sheet)[2].window;
    Step("Tarvik: \"2 In 1\", answered Yes to the notice");
    sim::ScriptModalDialog(IDD_NOTICE, [](HWND notice) { sim::Click(notice, IDC_NOTICE_YES); });
    sim::Click(main, IDC_MAIN_TWO_IN_ONE);
    Step("Tarvik: Dot Quality \"Best\"");
    sim::SelectComboItem(main, IDC_MAIN_DOT_QUALITY, u"Best");
    sim::SelectSheetPage(sheet, 1);
    HWND paper = sim::SheetPages(sheet)[1].window;
    Step("Paper/Media: Paper Size \"Letter\", Media Type \"Default 3 (Copy Paper)\"");
    sim::SelectComboItem(paper, IDC_PAPER_SIZE, u"Letter");
    sim::SelectComboItem(paper, IDC_PAPER_MEDIA_TYPE, u"Default 3 (Copy Paper)");
    Step("Apply");
    sim::PressApply(sheet);

    std::printf("\nThe pages after the session:\n");
    ShowPages(sheet);
    ShowStoredData();
    ShowDevmodes(*jobDevmode);
    sim::PressOK(sheet);
    session.Close(1);
    TourPrinterProperties(host);
    host.Unload();
    return 0;
}
