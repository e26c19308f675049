// A table path longer than the dialog can hold is not cut and loaded (a case the fuzz target
// found: the printer got the first 4095 characters of the path, which name another file).
#include "device_tree_fixture.h"

#include "device/braille_table_dialog.h"
#include "resources/resource.h"

#include <objbase.h>

namespace {

class BrailleTableLongPathTest : public DeviceTreeTest {
protected:
    void SetUp() override {
        DeviceTreeTest::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // the host's thread has COM
    }
    void TearDown() override {
        DeviceTreeTest::TearDown();
        CoUninitialize();
        EXPECT_EQ(sim::ShellLeakReport(), "");
    }
    // Browses to `path`, takes slot 3 and presses OK.
    void ChooseTable(const std::u16string& path) {
        sim::AddFile(path);
        sim::QueueFileOpenAnswer(path);
        sim::ScriptModalDialog(IDD_BRAILLE_TABLE, [](HWND dialog) {
            sim::Click(dialog, IDC_TABLE_BROWSE);
            sim::SelectComboItem(dialog, IDC_TABLE_SLOT, 2);
            sim::Click(dialog, IDOK);
        });
        driver_->Push(kLoadTable);
    }
};

TEST_F(BrailleTableLongPathTest, OnlyAPathTheDialogHoldsWholeIsLoaded) {
    InstallEmbosser();
    OpenTree();
    driver_->Activate();
    const std::u16string folder = u"C:\\Tables\\" + std::u16string(4080, u'd') + u"\\";
    // 4095 characters: the longest path the dialog holds with its terminator.
    std::u16string fits = folder + std::u16string(4095 - folder.size() - 4, u'f') + u".bct";
    ASSERT_EQ(fits.size(), 4095u);
    ChooseTable(fits);
    ASSERT_EQ(PrinterLink().loadedTables.size(), 1u);
    EXPECT_EQ(PrinterLink().loadedTables[0].first, fits);

    std::u16string tooLong = folder + std::u16string(4096 - folder.size() - 4, u'g') + u".bct";
    ChooseTable(tooLong);
    EXPECT_EQ(PrinterLink().loadedTables.size(), 1u) << "nothing more loaded";
    EXPECT_EQ(item(kBrailleTable).Sel, 3) << "the slot is still taken";
    auto recorded = sim::ReadPrinterData(kPrinterName, "Config\\BrailleTables", "2");
    ASSERT_TRUE(recorded.has_value());
    EXPECT_EQ(recorded->data.size(), (4095 - folder.size() + 1) * 2) << "the earlier file's name";
}

} // namespace
