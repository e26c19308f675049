// A printer as an office's print server holds it after a while in use: every "Config" value
// stored, custom media types, custom forms on the server and an embosser with its ink unit
// behind the printer link. The tests count the spooler round trips of what a person does.
#pragma once

#include "support/preferences_fixture.h"

#include "host/device_tree_driver.h"

#include <map>
#include <memory>
#include <string>

using CallCounts = std::map<std::string, size_t>;

class RoundTripTest : public PreferencesTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Stores every value the plug-in keeps, three custom media types and two custom forms.
    static void PopulatePrinter();

    // The plug-in's round trips while `action` runs.
    template <class Action> static CallCounts PluginCalls(Action action) {
        sim::ResetSpoolerCalls();
        action();
        return sim::SpoolerCallCounts();
    }
    // The same for opening a sheet, whose session opens the printer first as the host does:
    // that call is the host's, not the plug-in's, and is left out.
    template <class Action> static CallCounts SheetOpenCalls(Action action) {
        sim::ResetSpoolerCalls();
        action();
        return WithoutHostOpen(sim::SpoolerCallCounts());
    }

    // Printing preferences: the sheet with its start page (Layout) shown.
    void OpenPreferencesWithJob();
    // Printer properties: the device settings tree filled, the Service page shown and the tree's
    // page made active.
    void OpenPrinterProperties();
    void ClosePrinterProperties();

    std::vector<BYTE> job_;
    std::unique_ptr<SheetSession> properties_;
    std::unique_ptr<DeviceTreeDriver> tree_;
    HWND propertiesSheet_ = nullptr;
    HWND treePage_ = nullptr;

private:
    static CallCounts WithoutHostOpen(CallCounts counts);
};
