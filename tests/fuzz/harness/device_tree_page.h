// The printer's properties as a person meets them: the plug-in loaded as the core driver loads it,
// the property sheet session open for the printer, and its device settings tree on a page window.
#pragma once

#include "host/core_driver.h"
#include "host/device_tree_driver.h"
#include "host/sheet_session.h"

#include <memory>

class DeviceTreePage {
public:
    // Loads the plug-in and opens the printer's properties; a failure is a finding.
    DeviceTreePage();
    // Closes the session, then the page window, then unloads the plug-in.
    ~DeviceTreePage();
    DeviceTreePage(const DeviceTreePage&) = delete;
    DeviceTreePage& operator=(const DeviceTreePage&) = delete;

    SheetSession& session() { return *session_; }
    DeviceTreeDriver& tree() { return *tree_; }

private:
    CoreDriverHost host_;
    HWND page_ = nullptr;
    std::unique_ptr<SheetSession> session_;
    std::unique_ptr<DeviceTreeDriver> tree_;
};
