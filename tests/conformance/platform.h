// The conformance tests' view of the machine they run on: the same test source runs natively
// against winsim and, built for Windows, on the real platform (under Wine in the test command).
// Only the set-up differs: winsim's own calls here, real platform calls there.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace conformance {

using WideString = std::basic_string<WCHAR>;

// winsim is the implementation under test (the native build).
bool OnWinsim();
// The Windows build is running under Wine (ntdll exports wine_get_version).
bool UnderWine();

// Every test starts from here: no test printer, none of the tests' registry keys, no windows.
void ResetMachine();

// The test printer: driver "Tarvik" with the configuration module next to the program (on
// winsim, the same module's entry point answers through the spooler's driver hooks), port
// "FILE:", print processor "WinPrint". The user holds the "Manage Printer" right.
extern const WCHAR kPrinterName[];
bool InstallPrinter();
HANDLE OpenTestPrinter(ACCESS_MASK access); // null when refused; 0 asks for nothing particular

// The plug-in's module, its resources loaded as the loader serves them (for the string table).
HMODULE PluginResources();

// Pending messages dispatched (posted notifications, paints).
void PumpMessages();

// Acting as the person at the screen: winsim's own actions natively, on Windows the input
// messages the real control receives from the system.
void ClickButton(HWND dialog, int id);                      // a mouse click
void TypeInto(HWND dialog, int id, const WCHAR* text);      // all text replaced, key by key
void PressKey(HWND dialog, int id, UINT virtualKey);        // on a track bar or drop-down list
void ClickUpDownArrow(HWND dialog, int id, bool upArrow);   // down on the arrow and up again
void ChooseFromDroppedList(HWND dialog, int id, int index); // opened, clicked, closed

// The registry's enumeration order of values: the platform leaves it open. winsim can be switched
// (false on the real platform, which has the order it has).
enum class ValueOrder { Written, Reversed, Sorted };
bool SwitchRegistryValueOrder(ValueOrder order);

} // namespace conformance

namespace conformance {
// Under Wine, where the platform departs from its documented behaviour: prints the gap and answers
// true, unless CONFORMANCE_RUN_WINE_GAPS is set (to measure whether the gap is still there).
bool KnownWineGap(const char* reason);
} // namespace conformance

// The test is skipped under Wine with the reason printed.
#define SKIP_KNOWN_WINE_GAP(reason)                                                                \
    do {                                                                                           \
        if (conformance::KnownWineGap(reason))                                                     \
            GTEST_SKIP() << "Known Wine gap: " << reason;                                          \
    } while (false)
