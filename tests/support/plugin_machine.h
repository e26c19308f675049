// A simulated machine with the plug-in installed in the printer driver directory and a Tarvik
// printer, as most of the plug-in's tests start from.
#pragma once

#include <gtest/gtest.h>

#include "sim.h"

#include <string>
#include <utility>
#include <vector>

// The printer every plug-in test works with.
extern const char kPrinterName[];
extern const WCHAR kPrinterNameW[];

// Paths of the plug-in and its sibling libraries on the simulated machine.
extern const char16_t kPluginPath[];
extern const char16_t kPrinterLinkPath[];
extern const char16_t kLocalePath[];
extern const char16_t kPeripheralsPath[];

// Registers qvembui.dll (its entry point, its two exports and its compiled resources).
HMODULE InstallPlugin();
// The same file without any resources (no manifest, no strings, no dialogs).
HMODULE InstallPluginWithoutResources();

// Every printer data value under "Config" of the test printer, by name.
std::u16string ConfigString(const char* value);
DWORD ConfigDword(const char* value);
bool HasConfigValue(const char* value);

// The fixture: a fresh machine with the plug-in installed, the Tarvik printer added (the user
// may manage it unless a test says otherwise) and "OutputVersion" set so that the peripherals
// installation is not run. TearDown checks that every resource is back to its count from
// before the plug-in was loaded: printer handles, registry keys, global blocks, heaps and their
// blocks, GDI objects, windows and the other user-interface objects, loaded libraries and
// activation contexts.
class PluginTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the printer as the host does, with the user's rights (closed at TearDown).
    HANDLE OpenHostHandle();

    // The host heap of a sheet that has just been opened: whatever the pages and dialogs take
    // from it while the sheet is used, and the settings context, must be given back by the time
    // the sheet ends (the host then destroys the heap with only what the opening set up for it
    // still in it).
    void WatchHostHeap(HANDLE heap);

    HMODULE module_ = nullptr;

private:
    void ExpectHostHeapsGivenBack();

    HANDLE hostHandle_ = nullptr;
    sim::ResourceCounts before_;
    std::vector<std::pair<HANDLE, std::size_t>> hostHeaps_;
};

// Nothing leaked since `before`; the differences are named in the failure.
void ExpectNothingLeaked(const sim::ResourceCounts& before);

// The plug-in keeps module-wide state as a loaded DLL does; a test process reuses it, so each
// test starts it afresh as a newly started process would.
void ResetPluginModuleState();
