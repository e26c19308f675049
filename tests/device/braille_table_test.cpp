// Choosing a braille table slot and loading a table file into it from the device settings tree.
#include "device_tree_fixture.h"

#include "support/fake_siblings.h"

#include "device/braille_table_dialog.h"
#include "resources/resource.h"

#include <objbase.h>

namespace {

const char16_t kTablePath[] = u"C:\\x\\y\\z.bct";

class BrailleTableTest : public DeviceTreeTest {
protected:
    void SetUp() override {
        DeviceTreeTest::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // the host's thread has COM
        sim::AddFile(kTablePath);
    }
    void TearDown() override {
        DeviceTreeTest::TearDown();
        CoUninitialize();
        EXPECT_EQ(sim::ShellLeakReport(), "");
    }
    void OpenActiveTree(const std::set<std::string>& missing = {}) {
        InstallEmbosser(SettingsBlockBuilder(), missing);
        OpenTree();
        driver_->Activate();
    }
    // Presses the tree's "Braille Table" button; the script is the person in the dialog.
    LONG LoadTable(sim::DialogScript script) {
        sim::ScriptModalDialog(IDD_BRAILLE_TABLE, std::move(script));
        return driver_->Push(kLoadTable);
    }
    static std::optional<sim::PrinterDataValue> Recorded(const char* slot) {
        return sim::ReadPrinterData(kPrinterName, "Config\\BrailleTables", slot);
    }
};

TEST_F(BrailleTableTest, TheDialogNamesTheRecordedTablesAndOkShowsTheChosenSlot) {
    sim::WritePrinterString(kPrinterName, "Config\\BrailleTables", "0", "a.bct");
    sim::WritePrinterString(kPrinterName, "Config\\BrailleTables", "3", "b.dis");
    OpenActiveTree();
    SetCurrentTableSlot(6);
    EXPECT_EQ(LoadTable([](HWND dialog) {
                  EXPECT_EQ(sim::WindowText(dialog), u"Load Braille Table - Tarvik Embosser");
                  EXPECT_EQ(sim::ComboItems(dialog, IDC_TABLE_SLOT),
                            (std::vector<std::u16string>{u"Table 1 (a.bct)", u"Table 2", u"Table 3",
                                                         u"Table 4 (b.dis)", u"Table 5", u"Table 6",
                                                         u"Table 7"}));
                  EXPECT_EQ(sim::ComboSelection(dialog, IDC_TABLE_SLOT), 6);
                  sim::Click(dialog, IDOK);
              }),
              CPSUICB_ACTION_OPTIF_CHANGED);
    EXPECT_EQ(item(kBrailleTable).Sel, 7);
    EXPECT_EQ(driver_->redrawn(), std::vector<WORD>{kBrailleTable});
    EXPECT_EQ(context()->DeviceSettingsChanged, 1u);
    EXPECT_TRUE(PrinterLink().loadedTables.empty()) << "no file chosen";
    ASSERT_EQ(sim::ModalDialogLog().size(), 1u);
    EXPECT_EQ(sim::ModalDialogLog()[0].owner, page_);

    // An unreadable record shows the slot without a name; Cancel changes nothing.
    sim::FailPrinterDataReads(kPrinterName, "Config\\BrailleTables", "3", ERROR_ACCESS_DENIED);
    item(kBrailleTable).Sel = 4;
    EXPECT_EQ(LoadTable([](HWND dialog) {
                  EXPECT_EQ(sim::ComboItems(dialog, IDC_TABLE_SLOT)[3], u"Table 4");
                  sim::SelectComboItem(dialog, IDC_TABLE_SLOT, 1);
                  sim::Click(dialog, IDCANCEL);
              }),
              CPSUICB_ACTION_NONE);
    EXPECT_EQ(item(kBrailleTable).Sel, 4);
    EXPECT_EQ(CurrentTableSlot(), 6u);
}

TEST_F(BrailleTableTest, AChosenTableIsLoadedAtOnceAndItsSlotSentWithTheNextApply) {
    sim::WritePrinterString(kPrinterName, "Config", "QVDir", "C:\\x");
    sim::QueueFileOpenAnswer(kTablePath);
    OpenActiveTree();
    EXPECT_EQ(LoadTable([](HWND dialog) {
                  sim::SelectComboItem(dialog, IDC_TABLE_SLOT, 2);
                  sim::Click(dialog, IDC_TABLE_BROWSE);
                  EXPECT_EQ(sim::ControlText(dialog, IDC_TABLE_FILE), kTablePath);
                  sim::Click(dialog, IDOK);
              }),
              CPSUICB_ACTION_OPTIF_CHANGED);
    using Load = std::pair<std::u16string, DWORD>;
    EXPECT_EQ(PrinterLink().loadedTables, std::vector<Load>{Load(kTablePath, 2)});
    auto recorded = Recorded("2");
    ASSERT_TRUE(recorded) << "written through a full-access handle";
    EXPECT_EQ(recorded->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(recorded->data.size(), 12u) << "z.bct and its terminator";
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(recorded->data.data())), u"z.bct");

    ASSERT_EQ(sim::FileOpenLog().size(), 1u);
    const sim::FileOpenShow& shown = sim::FileOpenLog()[0];
    EXPECT_EQ(shown.folder, u"C:\\x");
    using Filter = std::pair<std::u16string, std::u16string>;
    EXPECT_EQ(shown.fileTypes, (std::vector<Filter>{{u"Braille Table Files (*.bct, *.rbt, *.dis)",
                                                     u"*.BCT;*.RBT;*.DIS"},
                                                    {u"All Files (*.*)", u"*.*"}}));
    EXPECT_TRUE(shown.options & FOS_FILEMUSTEXIST);

    EXPECT_EQ(item(kBrailleTable).Sel, 3);
    driver_->Apply();
    ASSERT_EQ(PrinterLink().parameters.size(), 1u);
    EXPECT_EQ(PrinterLink().parameters[0].id, static_cast<DWORD>(kBrailleTableId));
    EXPECT_EQ(PrinterLink().parameters[0].values, std::vector<LONG>{2});
}

TEST_F(BrailleTableTest, ATableThePrinterDidNotTakeIsNotRecorded) {
    InstallFakeLocale();
    OpenActiveTree();
    PrinterLink().loadTableResult = 5;
    sim::QueueFileOpenAnswer(kTablePath);
    sim::QueueFileOpenAnswer(kTablePath);
    sim::QueueFileOpenCancel();
    auto chooseThenOk = [](HWND dialog) {
        sim::Click(dialog, IDC_TABLE_BROWSE);
        sim::Click(dialog, IDOK);
    };
    EXPECT_EQ(LoadTable(chooseThenOk), CPSUICB_ACTION_OPTIF_CHANGED);
    EXPECT_EQ(PrinterLink().loadedTables.size(), 1u);
    EXPECT_FALSE(Recorded("0"));
    ASSERT_EQ(Locale().translatedWindows.size(), 1u) << "the dialog, translated";
    EXPECT_EQ(Locale().translatedWindows[0], sim::FileOpenLog()[0].owner);

    // A browse cancelled after a choice leaves no file to load, though the field still shows it.
    EXPECT_EQ(LoadTable([](HWND dialog) {
                  sim::Click(dialog, IDC_TABLE_BROWSE);
                  sim::Click(dialog, IDC_TABLE_BROWSE);
                  EXPECT_EQ(sim::ControlText(dialog, IDC_TABLE_FILE), kTablePath);
                  sim::Click(dialog, IDOK);
              }),
              CPSUICB_ACTION_OPTIF_CHANGED);
    EXPECT_EQ(PrinterLink().loadedTables.size(), 1u);
    session_->Close(0);

    OpenActiveTree({"DllExportLoadTable"});
    sim::QueueFileOpenAnswer(kTablePath);
    EXPECT_EQ(LoadTable(chooseThenOk), CPSUICB_ACTION_OPTIF_CHANGED);
    EXPECT_FALSE(Recorded("0"));
}

TEST_F(BrailleTableTest, TheBrowserStartsInTheConfiguredFolderOrTheInstallFolder) {
    OpenActiveTree();
    const std::u16string install = u"D:\\Quorvane";
    sim::AddFolder(install + u"\\Tarvik\\Common");
    sim::SetRegistryString(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quorvane", u"QVDir", install);
    WCHAR path[kTablePathChars] = u"left over";
    sim::QueueFileOpenCancel();
    EXPECT_EQ(BrowseBrailleTable(page_, context(), path), 0);
    sim::DeleteRegistryTree(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quorvane");
    sim::QueueFileOpenAnswer(kTablePath);
    EXPECT_EQ(BrowseBrailleTable(page_, context(), path), 1);
    EXPECT_EQ(std::u16string(path), kTablePath);
    ASSERT_EQ(sim::FileOpenLog().size(), 2u);
    EXPECT_EQ(sim::FileOpenLog()[0].folder, install + u"\\Tarvik\\Common");
    EXPECT_EQ(sim::FileOpenLog()[1].folder, u"") << "no folder to start in";

    // The button needs the tree's table item and a dialog that can be shown.
    CPSUICBPARAM alone = {};
    alone.cbSize = sizeof(alone);
    alone.Reason = CPSUICB_REASON_PUSHBUTTON;
    alone.pOptItem = &item(kLoadTable);
    alone.cOptItem = 1;
    alone.pCurItem = &item(kLoadTable);
    sim::ScriptModalDialog(IDD_BRAILLE_TABLE, [](HWND dialog) { sim::Click(dialog, IDOK); });
    EXPECT_EQ(LoadBrailleTableFlow(&alone), CPSUICB_ACTION_NONE);
    sim::FailActivation(true);
    EXPECT_EQ(driver_->Push(kLoadTable), CPSUICB_ACTION_NONE);
    sim::FailActivation(false);
    EXPECT_EQ(sim::PendingDialogScripts(), 0u);
}

} // namespace
