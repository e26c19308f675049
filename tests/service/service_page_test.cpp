// The Service page: what it shows of the printer, the status timer, the printer's services and
// the monitoring choice.
#include "service/service_fixture.h"

#include "service/printer_information.h"

#include <prsht.h>

#include <vector>

namespace {

// What the printer link answers when the printer does not respond.
constexpr DWORD kLinkFailure = 21;

// A printer with a serial number, a model, firmware 3.2.1 and, when asked, a ChromaPod unit
// with firmware 1.2.
SettingsBlockBuilder TarvikBlock(bool inkUnit) {
    SettingsBlockBuilder block;
    block.Text(kPrinterSerialNumberId, "TV-1234")
        .Text(kModelNumberId, "T-100")
        .Values(kFirmwareVersionId, 1, 2, 3);
    if (inkUnit)
        block.Values(kChromaPodVersionId, 2, 1, 0).Text(kChromaPodSerialNumberId, "CP-77");
    return block;
}

const int kInkUnitButtons[] = {IDC_SERVICE_INK_SKEW_ALIGNMENT, IDC_SERVICE_INK_EMBOSS_ALIGNMENT,
                               IDC_SERVICE_CARTRIDGE_SPACING, IDC_SERVICE_INK_LEVEL};
const int kPrinterButtons[] = {IDC_SERVICE_INTERPOINT_CALIBRATION, IDC_SERVICE_PRINT_TEST_PAGE,
                               IDC_SERVICE_ETHERNET_SETTINGS, IDC_SERVICE_EMBOSS_USAGE,
                               IDC_SERVICE_STATUS_MONITORING};

INT_PTR CALLBACK OtherPageProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

class ServicePageTest : public ServiceTest {
protected:
    // A second page in the sheet, so that the Service page can be left and come back to.
    void AddOtherPage() {
        PROPSHEETPAGEW description = {};
        description.dwSize = sizeof(description);
        description.hInstance = module_;
        description.pszTemplate = MAKEINTRESOURCEW(IDD_LAYOUT_PAGE);
        description.pfnDlgProc = OtherPageProc;
        HPROPSHEETPAGE other = CreatePropertySheetPageW(&description);
        ASSERT_TRUE(SendMessageW(sheet_, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(other)));
    }
    void ReportStatus(DWORD code, const char16_t* text) {
        PrinterLink().status = code;
        PrinterLink().errorTexts[code] = text;
    }
    // The first line of the information text.
    std::u16string StatusLine() const {
        std::u16string text = InformationText();
        return text.substr(0, text.find(u"\r\n"));
    }
    bool StatusTimerRuns() const {
        for (const auto& timer : sim::ActiveTimers())
            if (timer.window == page_ && timer.id == kStatusTimerId &&
                timer.interval == kStatusTimerInterval && timer.proc == StatusTimerRoutine)
                return true;
        return false;
    }
};

TEST_F(ServicePageTest, AConnectedPrinterShowsItsStatusIdentityAndFirmware) {
    ConnectPrinter(TarvikBlock(true));
    ReportStatus(5, u"Ready");
    OpenServicePage();
    EXPECT_EQ(InformationText(), u"Ready (Code 5)\r\n"
                                 u"\r\nDriver Version: 1.0.0.0"
                                 u"\r\nPrinter Serial Number: TV-1234"
                                 u"\r\nFirmware Version: 3.2.1"
                                 u"\r\nModel Number: T-100"
                                 u"\r\nChromaPod Firmware Version: 1.2"
                                 u"\r\nChromaPod Serial Number: CP-77");
    for (int id : kInkUnitButtons)
        EXPECT_TRUE(sim::IsEnabled(page_, id)) << id;
    for (int id : kPrinterButtons)
        EXPECT_TRUE(sim::IsEnabled(page_, id)) << id;
    EXPECT_FALSE(sim::IsChecked(page_, IDC_SERVICE_STATUS_MONITORING));
    EXPECT_EQ(context()->DeviceSettingsStale, 1u) << "the device page must reload its items";

    sim::Paint(page_);
    HWND logo = sim::Control(page_, IDC_SERVICE_LOGO);
    EXPECT_EQ(sim::LastBitmapDrawnInto(logo), IDB_LOGO);
    ASSERT_NE(sim::LastDrawInto(logo), nullptr);
    EXPECT_EQ(sim::LastDrawInto(logo)->transparent, RGB(0, 255, 255));
    EXPECT_EQ(sim::LastBitmapDrawnInto(sim::Control(page_, IDC_SERVICE_BLANK_PICTURE)), -1);
}

TEST_F(ServicePageTest, WithoutAWorkingLinkOnlyTheDriverVersionIsShown) {
    ConnectPrinter(TarvikBlock(true));
    PrinterLink().settingsResult = kLinkFailure;
    sim::WritePrinterDword(kPrinterName, "Config", "EnableStatusMonitoring", 1);
    OpenServicePage();
    EXPECT_EQ(context()->SnapshotItemCount, -1);
    EXPECT_EQ(InformationText(), u"\r\n\r\nDriver Version: 1.0.0.0");
    for (int id : kInkUnitButtons)
        EXPECT_FALSE(sim::IsEnabled(page_, id)) << id;
    for (int id : kPrinterButtons)
        EXPECT_FALSE(sim::IsEnabled(page_, id)) << id;
    EXPECT_TRUE(sim::IsChecked(page_, IDC_SERVICE_STATUS_MONITORING)) << "shown as stored";
    int fetches = PrinterLink().settingsCalls;
    sim::AdvanceClock(kStatusTimerInterval);
    EXPECT_FALSE(StatusTimerRuns()) << "no status, no further refresh";
    EXPECT_EQ(PrinterLink().settingsCalls, fetches) << "a failed fetch is not tried again";
}

TEST_F(ServicePageTest, AFetchTheDevicePageAlreadyMadeIsNotRepeated) {
    ConnectPrinter(TarvikBlock(true));
    OpenServicePage([](SettingsContext* context) { context->SnapshotItemCount = -1; });
    EXPECT_EQ(PrinterLink().settingsCalls, 0);
    EXPECT_FALSE(sim::IsEnabled(page_, IDC_SERVICE_PRINT_TEST_PAGE));
    EXPECT_EQ(context()->DeviceSettingsStale, 0u);
}

TEST_F(ServicePageTest, StatusRefreshesEveryTenSecondsWhileMonitoredAndInFront) {
    ConnectPrinter(TarvikBlock(false));
    sim::WritePrinterDword(kPrinterName, "Config", "EnableStatusMonitoring", 1);
    ReportStatus(1, u"Ready");
    OpenServicePage();
    AddOtherPage();
    EXPECT_TRUE(sim::IsChecked(page_, IDC_SERVICE_STATUS_MONITORING));
    EXPECT_TRUE(StatusTimerRuns());

    ReportStatus(2, u"Busy");
    sim::AdvanceClock(kStatusTimerInterval - 1);
    EXPECT_EQ(StatusLine(), u"Ready (Code 1)");
    sim::AdvanceClock(1);
    EXPECT_EQ(StatusLine(), u"Busy (Code 2)");
    ReportStatus(3, u"Paper out");
    sim::AdvanceClock(kStatusTimerInterval);
    EXPECT_EQ(StatusLine(), u"Paper out (Code 3)");

    // Behind another page the status is left alone.
    ASSERT_TRUE(sim::SelectSheetPage(sheet_, 1));
    EXPECT_FALSE(StatusTimerRuns());
    ReportStatus(4, u"Cover open");
    sim::AdvanceClock(3 * kStatusTimerInterval);
    EXPECT_EQ(StatusLine(), u"Paper out (Code 3)");
    ASSERT_TRUE(sim::SelectSheetPage(sheet_, 0));
    sim::AdvanceClock(kStatusTimerInterval);
    EXPECT_EQ(StatusLine(), u"Cover open (Code 4)");

    // A status the link cannot read is shown once, and the refreshing stops.
    PrinterLink().statusResult = kLinkFailure;
    ReportStatus(6, u"Offline");
    sim::AdvanceClock(kStatusTimerInterval);
    EXPECT_EQ(StatusLine(), u"Offline (Code 6)");
    EXPECT_FALSE(StatusTimerRuns());
}

TEST_F(ServicePageTest, UnmonitoredEachActivationRefreshesOnceAndTheChoiceIsStored) {
    ConnectPrinter(TarvikBlock(false));
    ReportStatus(1, u"Ready");
    OpenServicePage();
    AddOtherPage();
    ReportStatus(2, u"Busy");
    sim::AdvanceClock(kStatusTimerInterval);
    EXPECT_EQ(StatusLine(), u"Busy (Code 2)");
    EXPECT_FALSE(StatusTimerRuns());
    ReportStatus(3, u"Paper out");
    sim::AdvanceClock(3 * kStatusTimerInterval);
    EXPECT_EQ(StatusLine(), u"Busy (Code 2)");
    ASSERT_TRUE(sim::SelectSheetPage(sheet_, 1));
    ASSERT_TRUE(sim::SelectSheetPage(sheet_, 0));
    sim::AdvanceClock(kStatusTimerInterval);
    EXPECT_EQ(StatusLine(), u"Paper out (Code 3)");

    // The printer's properties were opened to be managed: each click stores the choice through
    // the sheet's own handle.
    sim::Click(page_, IDC_SERVICE_STATUS_MONITORING);
    EXPECT_EQ(ConfigDword("EnableStatusMonitoring"), 1u);
    EXPECT_TRUE(StatusTimerRuns());
    sim::Click(page_, IDC_SERVICE_STATUS_MONITORING);
    EXPECT_EQ(ConfigDword("EnableStatusMonitoring"), 0u);
    EXPECT_FALSE(StatusTimerRuns());
}

TEST_F(ServicePageTest, WithoutTheManageRightTheMonitoringChoiceIsNotForcedThrough) {
    sim::SetUserCanManage(kPrinterName, false);
    ConnectPrinter(TarvikBlock(false));
    ReportStatus(1, u"Ready");
    OpenServicePage();
    // The sheet's handle may only use the printer, and no handle with more rights is opened.
    sim::Click(page_, IDC_SERVICE_STATUS_MONITORING);
    EXPECT_FALSE(HasConfigValue("EnableStatusMonitoring"));
    EXPECT_TRUE(StatusTimerRuns()) << "the page still follows the box at once";
    EXPECT_EQ(sim::OpenPrinterHandles(kPrinterName), 1u);
}

TEST_F(ServicePageTest, ServiceButtonsStartTheirServicesOwnedByThePage) {
    ConnectPrinter(TarvikBlock(true));
    OpenServicePage();
    for (int id : {IDC_SERVICE_INTERPOINT_CALIBRATION, IDC_SERVICE_INK_SKEW_ALIGNMENT,
                   IDC_SERVICE_INK_EMBOSS_ALIGNMENT, IDC_SERVICE_CARTRIDGE_SPACING,
                   IDC_SERVICE_PRINT_TEST_PAGE})
        sim::Click(page_, id);
    // The carriages' own buttons are never shown, but keep their services.
    for (int id : {IDC_SERVICE_HEAD_ALIGNMENT_TOP, IDC_SERVICE_HEAD_ALIGNMENT_BOTTOM,
                   IDC_SERVICE_EMBOSS_SKEW_TOP, IDC_SERVICE_EMBOSS_SKEW_BOTTOM}) {
        EXPECT_FALSE(sim::IsVisible(page_, id));
        SendMessageW(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(sim::Control(page_, id)));
    }
    EXPECT_EQ(PrinterLink().services, (std::vector<DWORD>{7, 10, 9, 11, 8, 1, 2, 5, 6}));
    for (HWND owner : PrinterLink().serviceOwners)
        EXPECT_EQ(owner, page_);
    EXPECT_TRUE(PrinterLink().parameters.empty());
    EXPECT_TRUE(PrinterLink().updates.empty());
}

TEST_F(ServicePageTest, WithoutInkUnitOrStatusEntryTheTextIsShorterAndTheRefreshingStops) {
    ConnectPrinter(TarvikBlock(false), {"DllExportGetPrinterStatus", "DllExportPrinterService"});
    sim::WritePrinterDword(kPrinterName, "Config", "EnableStatusMonitoring", 1);
    OpenServicePage();
    EXPECT_EQ(InformationText(), u"\r\n\r\nDriver Version: 1.0.0.0\r\nPrinter Serial Number: "
                                 u"TV-1234\r\nFirmware Version: 3.2.1\r\nModel Number: T-100");
    for (int id : kInkUnitButtons)
        EXPECT_FALSE(sim::IsEnabled(page_, id)) << id;
    for (int id : kPrinterButtons)
        EXPECT_TRUE(sim::IsEnabled(page_, id)) << id;
    EXPECT_TRUE(StatusTimerRuns()) << "every activation refreshes once";
    sim::AdvanceClock(kStatusTimerInterval);
    EXPECT_FALSE(StatusTimerRuns()) << "without a status the refreshing stops";
    sim::Click(page_, IDC_SERVICE_PRINT_TEST_PAGE);
    EXPECT_TRUE(PrinterLink().services.empty());
}

// The driver's version as the spooler knows it, else this module's file version (1.0.0.1 in
// its resources), else nothing known.
TEST_F(ServicePageTest, DriverVersionFallsBackToTheModuleFileThenToZeros) {
    SettingsContext context = {};
    context.PrinterHandle = OpenHostHandle();
    EXPECT_EQ(std::u16string(DriverVersionText(&context)), u"1.0.0.0");
    EXPECT_EQ(std::u16string(DriverVersionText(nullptr)), u"1.0.0.1");
    sim::FailNextGlobalAllocations(1);
    EXPECT_EQ(std::u16string(DriverVersionText(&context)), u"1.0.0.1");
    sim::FailNextGlobalAllocations(2);
    EXPECT_EQ(std::u16string(DriverVersionText(&context)), u"0.0.0.0");

    host_.Unload();
    FreeLibrary(module_);
    InstallPluginWithoutResources();
    module_ = LoadLibraryW(kPluginPath);
    EXPECT_EQ(std::u16string(DriverVersionText(nullptr)), u"0.0.0.0");
}

} // namespace
