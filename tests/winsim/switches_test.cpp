// winsim's switches for what the platform leaves open (sim/switches.h): each setting does what it
// says, and sim::Reset() puts the defaults back.
#include <gtest/gtest.h>

#include "sim.h"
#include "ui_test_templates.h"

#include <string>
#include <vector>

namespace {

const char16_t kQuorvane[] = u"SOFTWARE\\Quorvane";

// The standard-user switch: HKEY_LOCAL_MACHINE can be read but not written, except by the
// spooler on the user's behalf.
TEST(Switches, AStandardUserCannotWriteTheLocalMachine) {
    sim::Reset();
    sim::SetRegistryString(HKEY_LOCAL_MACHINE, kQuorvane, u"QVDir", u"C:\\Q");
    sim::SetStandardUser(true);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kQuorvane, 0, KEY_SET_VALUE, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kQuorvane, 0, KEY_ALL_ACCESS, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quorvane\\New", 0, nullptr, 0,
                              KEY_READ, nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    DWORD one = 1;
    EXPECT_EQ(
        RegSetValueExW(HKEY_LOCAL_MACHINE, u"Top", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4),
        ERROR_ACCESS_DENIED);
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kQuorvane, 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kQuorvane, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);

    sim::PrinterSetup setup;
    setup.name = "Tarvik";
    sim::AddPrinter(setup);
    std::u16string name = u"Tarvik";
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(name.data(), &printer, &defaults));
    EXPECT_EQ(
        SetPrinterDataExW(printer, u"Config", u"Mode", REG_DWORD, reinterpret_cast<BYTE*>(&one), 4),
        static_cast<DWORD>(ERROR_SUCCESS))
        << "the spooler writes printer data as the system";
    ClosePrinter(printer);

    sim::SetStandardUser(false);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kQuorvane, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    sim::Reset();
}

// The default order is checked with the controls (ControlsTest); here only the other one.
TEST(Switches, CloseUpCanComeAfterTheSelectionChange) {
    sim::Reset();
    sim::SetComboCloseUp(sim::ComboCloseUp::AfterSelChange);
    uitest::TemplateBuilder builder;
    builder.Add(uitest::Control(u"COMBOBOX", u"", 10, CBS_DROPDOWNLIST | WS_TABSTOP));
    HWND dialog = uitest::ShowDialog(builder);
    for (const char16_t* item : {u"Letter", u"A4"})
        SendDlgItemMessageW(dialog, 10, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    sim::SelectComboItem(dialog, 10, 1);
    using uitest::Command;
    EXPECT_EQ(uitest::TheRecorder().events,
              uitest::Lines(Command(10, CBN_DROPDOWN), Command(10, CBN_SELENDOK),
                            Command(10, CBN_SELCHANGE), Command(10, CBN_CLOSEUP)));
    DestroyWindow(dialog);
    sim::Reset();
    EXPECT_EQ(sim::CurrentComboCloseUp(), sim::ComboCloseUp::BeforeSelChange);
}

TEST(Switches, ComeFromTheEnvironment) {
    sim::Reset();
    setenv("WINSIM_REGISTRY_VALUE_ORDER", "sorted", 1);
    setenv("WINSIM_COMBO_CLOSEUP", "after", 1);
    setenv("WINSIM_STANDARD_USER", "1", 1);
    sim::ApplySwitchesFromEnvironment();
    EXPECT_EQ(sim::CurrentRegistryValueOrder(), sim::RegistryValueOrder::Sorted);
    EXPECT_EQ(sim::CurrentComboCloseUp(), sim::ComboCloseUp::AfterSelChange);
    EXPECT_TRUE(sim::IsStandardUser());
    setenv("WINSIM_COMBO_CLOSEUP", "never", 1);
    EXPECT_DEATH(sim::ApplySwitchesFromEnvironment(), "WINSIM_COMBO_CLOSEUP=never");
    unsetenv("WINSIM_REGISTRY_VALUE_ORDER");
    unsetenv("WINSIM_COMBO_CLOSEUP");
    unsetenv("WINSIM_STANDARD_USER");
    sim::Reset();
    EXPECT_EQ(sim::CurrentRegistryValueOrder(), sim::RegistryValueOrder::Written);
    EXPECT_FALSE(sim::IsStandardUser());
}

} // namespace
