// The peripherals library: run for a printer without "OutputVersion", it leaves the value behind,
// so the next sheet does not run it again.
#include "locale/locale_machine.h"
#include "support/preferences_fixture.h"

#include "qvdevapi.h"

#include <winspool.h>

namespace {

class PeripheralsTest : public PreferencesTest {
protected:
    void SetUp() override {
        PreferencesTest::SetUp();
        InstallPeripheralsLibrary();
        // A printer fresh from the driver's installation: no "Config" values at all.
        sim::DeleteRegistryTree(HKEY_LOCAL_MACHINE,
                                u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\"
                                u"Tarvik Embosser\\Config");
        ASSERT_FALSE(HasConfigValue("OutputVersion"));
    }
    static int PeripheralsLoads() {
        int loads = 0;
        for (const sim::LoadRecord& record : sim::LoaderLog())
            loads += record.path == kPeripheralsPath && record.loaded;
        return loads;
    }
};

TEST_F(PeripheralsTest, TheFirstSheetInstallsAndLaterSheetsDoNot) {
    OpenPreferences();
    ClosePreferences();
    EXPECT_EQ(PeripheralsLoads(), 1);
    EXPECT_EQ(ConfigDword("OutputVersion"), kPeripheralsOutputVersion);

    OpenPreferences();
    ClosePreferences();
    EXPECT_EQ(PeripheralsLoads(), 1) << "the marker keeps the installation from running again";
}

TEST_F(PeripheralsTest, WithoutTheRightToManageNothingIsWrittenAndTheNextSheetTriesAgain) {
    sim::SetUserCanManage(kPrinterName, false);
    sim::QueueMessageBoxAnswer(IDOK); // the layout page tells the person about the missing right
    OpenPreferences();
    ClosePreferences();
    EXPECT_FALSE(HasConfigValue("OutputVersion"));
    EXPECT_EQ(InstallTarvikPeripherals(nullptr, nullptr, kPrinterName, 5),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));

    sim::SetUserCanManage(kPrinterName, true);
    OpenPreferences();
    ClosePreferences();
    EXPECT_EQ(PeripheralsLoads(), 2);
    EXPECT_TRUE(HasConfigValue("OutputVersion"));
}

TEST_F(PeripheralsTest, BadRequestsChangeNothing) {
    const DWORD invalid = ERROR_INVALID_PARAMETER;
    EXPECT_EQ(InstallTarvikPeripherals(nullptr, nullptr, nullptr, 5), invalid);
    EXPECT_EQ(InstallTarvikPeripherals(nullptr, nullptr, "", 5), invalid);
    EXPECT_EQ(InstallTarvikPeripherals(nullptr, nullptr, kPrinterName, 4), invalid);
    std::string unterminated(300, 'T');
    EXPECT_EQ(InstallTarvikPeripherals(nullptr, nullptr, unterminated.c_str(), 5), invalid);
    EXPECT_NE(InstallTarvikPeripherals(nullptr, nullptr, "No Such Printer", 5), 0u);
    EXPECT_FALSE(HasConfigValue("OutputVersion"));
    EXPECT_EQ(InstallTarvikPeripherals(nullptr, nullptr, kPrinterName, 5), 0u);
    EXPECT_EQ(ConfigDword("OutputVersion"), kPeripheralsOutputVersion);
}

} // namespace
