// The printer's properties opened as the core driver opens them, with the Service page in front
// and a person at the screen.
#pragma once

#include "support/fake_printer_link.h"
#include "support/plugin_machine.h"

#include "host/sheet_session.h"
#include "link/parameter_record.h"
#include "resources/resource.h"
#include "settings/settings_context.h"

#include <functional>
#include <memory>
#include <set>
#include <string>

class ServiceTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_EQ(host_.Load(kPluginPath), S_OK);
    }

    void TearDown() override {
        CloseProperties();
        host_.Unload();
        EXPECT_EQ(sim::PendingMessageBoxAnswers(), 0u) << "an expected message box never came";
        EXPECT_EQ(sim::PendingDialogScripts(), 0u) << "an expected dialog never opened";
        PluginTest::TearDown();
    }

    // A printer link that answers with the given settings block.
    static void ConnectPrinter(const SettingsBlockBuilder& block,
                               const std::set<std::string>& missing = {}) {
        InstallFakePrinterLink(missing);
        PrinterLink().settingsBlock = block.Build();
    }

    // Opens the printer's properties and shows the sheet; the Service page is its one page.
    // `beforeShowing` sees the shared context as the device settings tree left it.
    HWND OpenServicePage(const std::function<void(SettingsContext*)>& beforeShowing = nullptr) {
        session_ = std::make_unique<SheetSession>(host_);
        EXPECT_EQ(session_->OpenPrinterProperties(kPrinterNameW), S_OK);
        WatchHostHeap(session_->heap());
        if (beforeShowing)
            beforeShowing(context());
        sheet_ = session_->ShowSheet(nullptr);
        EXPECT_NE(sheet_, nullptr);
        page_ = sim::SheetPages(sheet_)[0].window;
        return page_;
    }

    void CloseProperties() {
        if (!session_)
            return;
        if (!sim::IsSheetClosed(sheet_))
            sim::PressOK(sheet_);
        session_->Close(1);
        session_.reset();
        sheet_ = page_ = nullptr;
    }

    SettingsContext* context() const {
        return reinterpret_cast<SettingsContext*>(session_->pages()[0].description.lParam);
    }

    std::u16string InformationText() const {
        return sim::ControlText(page_, IDC_SERVICE_PRINTER_INFO);
    }

    CoreDriverHost host_;
    std::unique_ptr<SheetSession> session_;
    HWND sheet_ = nullptr;
    HWND page_ = nullptr;
};
