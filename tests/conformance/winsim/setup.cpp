// The conformance tests' set-up on winsim: the simulator's own calls.
#include "platform.h"

#include "sim.h"

#include <cstddef>
#include <cstdint>

extern "C" const unsigned char qvembui_res[];
extern const std::size_t qvembui_res_size;

namespace conformance {

namespace {
const WCHAR kPluginPath[] = TEXT("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\qvembui.dll");
HMODULE g_plugin = nullptr;
} // namespace

bool OnWinsim() {
    return true;
}

bool UnderWine() {
    return false;
}

bool KnownWineGap(const char*) {
    return false;
}

void ResetMachine() {
    sim::Reset();
    g_plugin = nullptr;
}

bool InstallPrinter() {
    sim::PrinterSetup setup;
    setup.name = "Tarvik Embosser";
    setup.driverName = "Tarvik";
    setup.port = "FILE:";
    sim::AddPrinter(setup);
    return true;
}

HMODULE PluginResources() {
    if (g_plugin == nullptr) {
        sim::RegisterModule(kPluginPath, nullptr, {}, qvembui_res, qvembui_res_size);
        g_plugin = LoadLibraryW(kPluginPath);
    }
    return g_plugin;
}

void PumpMessages() {
    sim::PumpMessages();
}

void ClickButton(HWND dialog, int id) {
    sim::Click(dialog, id);
}

void TypeInto(HWND dialog, int id, const WCHAR* text) {
    sim::TypeText(dialog, id, text);
}

void PressKey(HWND dialog, int id, UINT virtualKey) {
    for (const sim::ControlInfo& control : sim::DialogControls(dialog)) {
        if (control.id != id)
            continue;
        if (control.className == TRACKBAR_CLASSW)
            sim::PressKeyOnTrackBar(dialog, id, virtualKey);
        else
            sim::PressKeyOnComboBox(dialog, id, virtualKey);
    }
}

void ClickUpDownArrow(HWND dialog, int id, bool upArrow) {
    sim::ClickUpDown(dialog, id, upArrow);
}

void ChooseFromDroppedList(HWND dialog, int id, int index) {
    sim::SelectComboItem(dialog, id, index);
}

bool SwitchRegistryValueOrder(ValueOrder order) {
    sim::SetRegistryValueOrder(static_cast<sim::RegistryValueOrder>(order));
    return true;
}

} // namespace conformance
