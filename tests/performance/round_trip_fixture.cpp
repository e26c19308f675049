// The populated printer and the sessions whose round trips are counted.
#include "performance/round_trip_fixture.h"

#include "link/parameter_record.h"

#include <winspool.h>

#include <cstring>

namespace {

void StoreDwords(std::initializer_list<std::pair<const char*, DWORD>> values) {
    for (const auto& value : values)
        sim::WritePrinterDword(kPrinterName, "Config", value.first, value.second);
}

void AddCustomForm(HANDLE admin, const char16_t* name, const char* valueName, LONG width,
                   LONG height) {
    FORM_INFO_1W form = {};
    form.Flags = FORM_USER;
    form.pName = const_cast<LPWSTR>(name);
    form.Size = {width, height};
    form.ImageableArea = {0, 0, width, height};
    ASSERT_TRUE(AddFormW(admin, 1, reinterpret_cast<LPBYTE>(&form)));
    std::vector<BYTE> record(sizeof(form));
    std::memcpy(record.data(), &form, sizeof(form));
    sim::WritePrinterData(kPrinterName, "Config\\Forms", valueName, REG_BINARY, record);
}

} // namespace

void RoundTripTest::SetUp() {
    PreferencesTest::SetUp();
    PopulatePrinter();
    // An embosser with its ink unit, a Letter form and copy paper.
    InstallFakePrinterLink();
    PrinterLink().settingsBlock = SettingsBlockBuilder()
                                      .Values(kFormSizeId, 30, 170, 220)
                                      .Values(kMediaTypeId, 2, 5, 16)
                                      .Values(kTopMarginId, 5)
                                      .Values(kChromaPodVersionId, 2, 1, 0)
                                      .Build();
}

void RoundTripTest::TearDown() {
    ClosePrinterProperties();
    PreferencesTest::TearDown();
}

void RoundTripTest::PopulatePrinter() {
    LONG a4[2] = {210000, 297000};
    std::vector<BYTE> paperSize(sizeof(a4));
    std::memcpy(paperSize.data(), a4, sizeof(a4));
    sim::WritePrinterData(kPrinterName, "Config", "PaperSize", REG_BINARY, paperSize);
    sim::WritePrinterString(kPrinterName, "Config", "CustomMediaType", "Thick Card");
    StoreDwords({{"MediaType", 286},
                 {"PaperSource", 15},
                 {"MediaSurface", 1},
                 {"MaxCustPForce", 26},
                 {"MinCustPForce", 6},
                 {"InterPoint", 1},
                 {"BindingEdge", 2},
                 {"InsertEmptyPage", 0},
                 {"LandscapeMode", 0},
                 {"Orientation", 1},
                 {"Preview", 0},
                 {"Collate", 1},
                 {"TwoInOne", 0},
                 {"EmbossMode", 1},
                 {"InkMode", 1},
                 {"DotHeight", 1},
                 {"DotQuality", 0},
                 {"Quality", 1},
                 {"InkDithering", 0},
                 {"EmbossStandardTexts", 0},
                 {"RenderMode", 2},
                 {"TwoPassPrint", 0},
                 {"ThinLineIntensity", 1},
                 {"InvertColor", 0},
                 {"Brightness", 0},
                 {"Contrast", 0},
                 {"InkBrightness", 0},
                 {"InkContrast", 0},
                 {"ColorPattern", 0},
                 {"Show2In1Warning", 1},
                 {"EnableStatusMonitoring", 0}});
    sim::WritePrinterString(kPrinterName, "Config", "CustomPatternFileName",
                            "C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\Default.dat");
    sim::WritePrinterString(kPrinterName, "Config", "QVDir", "C:\\Program Files\\Quorvane");
    sim::WritePrinterDword(kPrinterName, "Config\\MediaTypes", "Thick Card", 0x1A06);
    sim::WritePrinterDword(kPrinterName, "Config\\MediaTypes", "Thin Sheet", 0x1004);
    sim::WritePrinterDword(kPrinterName, "Config\\MediaTypes", "Label", 0x1205);

    HANDLE admin = nullptr;
    PRINTER_DEFAULTSW manage = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinterNameW), &admin, &manage));
    AddCustomForm(admin, u"Braille 11 x 11.5", "Braille 11 x 11.5", 279400, 292100);
    AddCustomForm(admin, u"Braille Label", "Braille Label", 101600, 152400);
    ClosePrinter(admin);
}

void RoundTripTest::OpenPreferencesWithJob() {
    job_ = host_.BuildJobDevmode(nullptr);
    OpenPreferences(reinterpret_cast<DEVMODEW*>(job_.data()));
}

void RoundTripTest::OpenPrinterProperties() {
    properties_ = std::make_unique<SheetSession>(host_);
    ASSERT_EQ(properties_->OpenPrinterProperties(kPrinterNameW), S_OK);
    propertiesSheet_ = properties_->ShowSheet(nullptr);
    ASSERT_NE(propertiesSheet_, nullptr);
    treePage_ = CreateWindowExW(0, TEXT("Static"), TEXT(""), WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                nullptr, nullptr, nullptr);
    tree_ = std::make_unique<DeviceTreeDriver>(properties_->treeParam(), treePage_);
    tree_->Activate();
}

void RoundTripTest::ClosePrinterProperties() {
    if (!properties_)
        return;
    if (!sim::IsSheetClosed(propertiesSheet_))
        sim::PressOK(propertiesSheet_);
    properties_->Close(1);
    properties_.reset();
    tree_.reset();
    DestroyWindow(treePage_);
    treePage_ = nullptr;
}

CallCounts RoundTripTest::WithoutHostOpen(CallCounts counts) {
    const auto& log = sim::SpoolerCallLog();
    EXPECT_TRUE(!log.empty() && log.front() == "OpenPrinterW") << "the host opens the printer";
    if (!log.empty() && log.front() == "OpenPrinterW" && --counts["OpenPrinterW"] == 0)
        counts.erase("OpenPrinterW");
    return counts;
}
