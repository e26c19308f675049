// Where the platform leaves a choice open, winsim can be switched between the behaviours a real
// machine may show, so that the plug-in's tests can be run under each of them. sim::Reset() puts
// every switch back to its default; the test fixtures apply the environment's choice after it.
//
// - WINSIM_REGISTRY_VALUE_ORDER=written|reversed|sorted: the order RegEnumValueW hands out a
//   key's values. The documentation promises none; Windows keeps the order they were first
//   written (the default here), Wine's registry sorts them by name without case.
// - WINSIM_COMBO_CLOSEUP=before|after: whether a person's choice in a dropped list sends
//   CBN_CLOSEUP before CBN_SELCHANGE (the default, as Windows 10 and Wine do) or after it: "The
//   order in which the notification codes are sent cannot be predicted". A keyboard change on a
//   closed list sends no CBN_CLOSEUP at all, whatever the switch (no list was open).
// - WINSIM_STANDARD_USER=1: the user is not an administrator: opening or creating a key under
//   HKEY_LOCAL_MACHINE with any write access (KEY_SET_VALUE, KEY_CREATE_SUB_KEY, DELETE...)
//   fails with ERROR_ACCESS_DENIED. The spooler's own writes of printer data are not affected;
//   they are governed by the printer's rights as before.
#pragma once

namespace sim {

enum class RegistryValueOrder { Written, Reversed, Sorted };
void SetRegistryValueOrder(RegistryValueOrder order);
RegistryValueOrder CurrentRegistryValueOrder();

enum class ComboCloseUp { BeforeSelChange, AfterSelChange };
void SetComboCloseUp(ComboCloseUp closeUp);
ComboCloseUp CurrentComboCloseUp();

void SetStandardUser(bool standardUser);
bool IsStandardUser();

// Sets the switches from the WINSIM_* variables above (unset ones keep their defaults); a value
// that is not one of the listed ones aborts naming it.
void ApplySwitchesFromEnvironment();

} // namespace sim
