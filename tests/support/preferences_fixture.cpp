// Opening and closing the printing preferences for page tests.
#include "support/preferences_fixture.h"

#include "link/parameter_record.h"

void PreferencesTest::SetUp() {
    PluginTest::SetUp();
    ASSERT_EQ(host_.Load(kPluginPath), S_OK);
}

void PreferencesTest::TearDown() {
    if (session_)
        ClosePreferences();
    host_.Unload();
    EXPECT_EQ(sim::PendingMessageBoxAnswers(), 0u) << "an expected message box never came";
    EXPECT_EQ(sim::PendingDialogScripts(), 0u) << "an expected dialog never opened";
    PluginTest::TearDown();
}

void PreferencesTest::ReportInkUnit(bool attached) {
    InstallFakePrinterLink();
    SettingsBlockBuilder block;
    block.Values(kTopMarginId, 5);
    if (attached)
        block.Values(kChromaPodVersionId, 2, 1, 0);
    PrinterLink().settingsBlock = block.Build();
}

void PreferencesTest::OpenPreferences(DEVMODEW* jobDevmode) {
    session_ = std::make_unique<SheetSession>(host_);
    ASSERT_EQ(session_->OpenDocumentProperties(kPrinterNameW, jobDevmode), S_OK);
    WatchHostHeap(session_->heap());
    sheet_ = session_->ShowSheet(nullptr);
    ASSERT_NE(sheet_, nullptr);
}

HWND PreferencesTest::ShowPage(PreferencesPage page) {
    EXPECT_TRUE(sim::SelectSheetPage(sheet_, page));
    return sim::SheetPages(sheet_)[page].window;
}

void PreferencesTest::ClosePreferences() {
    if (!sim::IsSheetClosed(sheet_))
        sim::PressOK(sheet_);
    session_->Close(1);
    session_.reset();
    sheet_ = nullptr;
}

SettingsContext* PreferencesTest::context() const {
    return reinterpret_cast<SettingsContext*>(session_->info().UserData);
}
