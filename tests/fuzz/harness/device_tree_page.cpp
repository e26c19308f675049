// The printer's properties with the device settings tree on a page window.
#include "harness/device_tree_page.h"

#include "harness/fuzz_machine.h"

DeviceTreePage::DeviceTreePage() {
    FUZZ_CHECK(host_.Load(kFuzzPluginPath) == S_OK, "the plug-in object was not created");
    page_ = CreateWindowExW(0, TEXT("Static"), TEXT(""), WS_VISIBLE, 0, 0, 400, 300, nullptr,
                            nullptr, nullptr, nullptr);
    session_ = std::make_unique<SheetSession>(host_);
    FUZZ_CHECK(session_->OpenPrinterProperties(kFuzzPrinterW) == S_OK,
               "the printer's properties did not open");
    tree_ = std::make_unique<DeviceTreeDriver>(session_->treeParam(), page_);
    tree_->Activate();
}

DeviceTreePage::~DeviceTreePage() {
    session_->Close(0);
    tree_.reset();
    session_.reset();
    DestroyWindow(page_);
    host_.Unload();
}
