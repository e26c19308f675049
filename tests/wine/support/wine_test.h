// What every test of the Windows test programs shares. scripts/wine-tests.sh installs the printer
// "Tarvik Embosser" into a throw-away prefix (scripts/install-prefix.sh) and runs the programs;
// the programs install nothing.
//
// WineTest, the fixture of every test:
//   - at its start, the printer, the registry and the embosser are as the installation left them:
//     the printer's data and default devmode, the Quorvane keys of the machine and of the user
//     (install folder, locale, pattern), and the virtual embosser's state file (factory state);
//   - at its end, what the process holds is compared with what it held at its start (printer
//     handles, kernel handles and registry keys, GDI and user objects, modules and library
//     references, activation frames, heap blocks by size): what grew fails the test and is named.
//     The blocks Wine's own controls keep once per instance are forgiven. The first test of a
//     program starts after a warm-up that opens and cancels each sheet once; a test whose count
//     grows runs once more, so that what Wine keeps after a dialog's first use is not counted;
//   - mishaps on a sheet's thread (person/person.h) fail the test.
#pragma once

#include "core_driver.h"
#include "printer_tool/printer_folder.h"
#include "process_counts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

extern const WCHAR kPrinterName[];

class WineTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void TestBody() override = 0; // the test's own, run again by TearDown

private:
    HHOOK hook_ = nullptr;
    KindCounts before_;
    bool repeated_ = false;
};

// The plug-in driven by the core driver's stand-in, from where the configuration module loads it.
class HostedPluginTest : public WineTest {
protected:
    void SetUp() override;
    void TearDown() override;
    CoreDriverHost host_;
};

// The plug-in's path in the printer driver's folder, where the configuration module loads it.
std::wstring PluginPath();
// A printer data value under "Config", where the spooler keeps it; kMissing when there is none.
constexpr DWORD kMissing = 0xFFFFFFFF;
DWORD ConfigDword(LPCWSTR name);
void SetConfigDword(LPCWSTR name, DWORD value);
// The virtual embosser's state file, in the machine's common application data folder.
std::wstring EmbosserStateFile();
// Replaces the virtual embosser's state file (or `file`) with the printer's `lines` over its
// factory state, as a tester's script sets it: "ink.unit=0\nstatus=cover-open".
void WriteEmbosserState(const std::string& lines, const std::wstring& file = EmbosserStateFile());
// The virtual embosser's state file as it stands.
std::string EmbosserState();
// The language the printer was installed for: "de_de", or "" for none.
void SetLocale(LPCWSTR code);
// A window's text or caption.
std::wstring WindowText(HWND window);

// What each test starts with: the printer, the registry and the embosser as installed.
void RestoreInstalledState();

// What Wine's file dialog keeps after it was shown (docs/wine-notes.md), forgiven in the closing
// count of a test that shows it `uses` times from one sheet.
void ForgiveFileDialog(int uses);

// Opens the printing preferences and the printer's properties through the spooler as a person
// does, shows every page from the last to the first, and cancels; false when something failed.
bool OpenEverySheetPage();

// Called once by main before the tests.
void PrepareWineTests();
