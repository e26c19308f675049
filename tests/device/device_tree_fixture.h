// The printer's properties opened as the core driver opens them, with the device settings tree
// played as the common property sheet plays it.
#pragma once

#include "support/fake_printer_link.h"
#include "support/plugin_machine.h"

#include "device/device_settings_tree.h"
#include "link/parameter_record.h"
#include "host/device_tree_driver.h"
#include "host/sheet_session.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

// Item positions in the tree.
enum TreeItem : WORD {
    kHeader,
    kFormSize,
    kFormWidth,
    kFormLength,
    kTopMargin,
    kLeftMargin,
    kRightMargin,
    kTextGraphics,
    kDots,
    kWrapping,
    kLineSpacing,
    kMediaType,
    kLowestForce,
    kHighestForce,
    kPaperSource,
    kLoadTable,
    kBrailleTable,
    kDotHeight,
    kQuality,
    kDuplex
};

inline std::u16string TextOf(LPCWSTR text) {
    return text != nullptr ? std::u16string(text) : u"<null>";
}

class DeviceTreeTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_EQ(host_.Load(kPluginPath), S_OK);
        page_ = CreateWindowExW(0, u"Static", u"", WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                nullptr, nullptr);
    }
    void TearDown() override {
        if (session_)
            session_->Close(0);
        session_.reset();
        DestroyWindow(page_);
        host_.Unload();
        PluginTest::TearDown();
    }
    // Opens the printer's properties; the tree's callback is then driven through driver().
    void OpenTree() {
        session_ = std::make_unique<SheetSession>(host_);
        ASSERT_EQ(session_->OpenPrinterProperties(kPrinterNameW), S_OK);
        WatchHostHeap(session_->heap());
        driver_ = std::make_unique<DeviceTreeDriver>(session_->treeParam(), page_);
    }
    // A printer link without the `missing` entry points, whose settings block reports a Letter
    // form, copy paper and the given records.
    static void InstallEmbosser(SettingsBlockBuilder block = SettingsBlockBuilder(),
                                const std::set<std::string>& missing = {}) {
        InstallFakePrinterLink(missing);
        PrinterLink().settingsBlock = block.Values(kFormSizeId, 30, 170, 220)
                                          .Values(kMediaTypeId, 2, 5, 16)
                                          .Values(kTopMarginId, 9)
                                          .Build();
    }
    SettingsContext* context() {
        return static_cast<SettingsContext*>(session_->treeParam().pOEMUserData);
    }
    OPTITEM& item(WORD index) { return driver_->item(index); }
    std::vector<std::u16string> Options(WORD index) {
        std::vector<std::u16string> texts;
        const OPTTYPE* type = item(index).pOptType;
        for (WORD i = 0; type != nullptr && i < type->Count; ++i)
            texts.push_back(TextOf(type->pOptParam[i].pData));
        return texts;
    }

    CoreDriverHost host_;
    std::unique_ptr<SheetSession> session_;
    std::unique_ptr<DeviceTreeDriver> driver_;
    HWND page_ = nullptr;
};
