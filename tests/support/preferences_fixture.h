// Printing preferences opened as the core driver opens them: the plug-in loaded through the
// host, its pages shown in a property sheet, a person at the screen.
#pragma once

#include "support/fake_printer_link.h"
#include "support/plugin_machine.h"

#include "host/sheet_session.h"
#include "settings/settings_context.h"

#include <memory>

// Sheet page positions of the printing preferences.
enum PreferencesPage { kLayoutPage = 0, kPaperPage = 1, kMainPage = 2 };

class PreferencesTest : public PluginTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A printer link that reports an attached ink unit (or none).
    void ReportInkUnit(bool attached);

    // Opens the printing preferences (the job devmode may be null) and shows the sheet; the
    // Layout page is the start page.
    void OpenPreferences(DEVMODEW* jobDevmode = nullptr);
    // Selects a page as a person clicking its tab would and returns its window.
    HWND ShowPage(PreferencesPage page);
    // Closes the sheet as OK would and ends the session.
    void ClosePreferences();

    HWND sheet() const { return sheet_; }
    SettingsContext* context() const;

    CoreDriverHost host_;
    std::unique_ptr<SheetSession> session_;

private:
    HWND sheet_ = nullptr;
};
