// The switches of sim/switches.h: where the platform leaves a choice open.
#include "internal.h"
#include "sim/switches.h"

#include <cstdlib>
#include <cstring>

namespace {

struct Switches {
    sim::RegistryValueOrder valueOrder = sim::RegistryValueOrder::Written;
    sim::ComboCloseUp comboCloseUp = sim::ComboCloseUp::BeforeSelChange;
    bool standardUser = false;
};

Switches& State() {
    static Switches state;
    return state;
}

winsim::ResetHook g_resetSwitches([] { State() = Switches(); });

// The variable's value when it is set; aborts when it is none of the choices.
int Choice(const char* variable, std::initializer_list<const char*> choices) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0')
        return -1;
    int index = 0;
    for (const char* choice : choices) {
        if (std::strcmp(value, choice) == 0)
            return index;
        ++index;
    }
    winsim::Unmodelled("%s=%s is not one of winsim's choices", variable, value);
}

int g_spoolerDepth = 0;

} // namespace

namespace winsim {

SpoolerRegistryAccess::SpoolerRegistryAccess() {
    ++g_spoolerDepth;
}
SpoolerRegistryAccess::~SpoolerRegistryAccess() {
    --g_spoolerDepth;
}
bool SpoolerRegistryAccess::Active() {
    return g_spoolerDepth > 0;
}

} // namespace winsim

namespace sim {

void SetRegistryValueOrder(RegistryValueOrder order) {
    State().valueOrder = order;
}
RegistryValueOrder CurrentRegistryValueOrder() {
    return State().valueOrder;
}
void SetComboCloseUp(ComboCloseUp closeUp) {
    State().comboCloseUp = closeUp;
}
ComboCloseUp CurrentComboCloseUp() {
    return State().comboCloseUp;
}
void SetStandardUser(bool standardUser) {
    State().standardUser = standardUser;
}
bool IsStandardUser() {
    return State().standardUser;
}

void ApplySwitchesFromEnvironment() {
    int order = Choice("WINSIM_REGISTRY_VALUE_ORDER", {"written", "reversed", "sorted"});
    if (order >= 0)
        SetRegistryValueOrder(static_cast<RegistryValueOrder>(order));
    int closeUp = Choice("WINSIM_COMBO_CLOSEUP", {"before", "after"});
    if (closeUp >= 0)
        SetComboCloseUp(static_cast<ComboCloseUp>(closeUp));
    int user = Choice("WINSIM_STANDARD_USER", {"0", "1"});
    if (user >= 0)
        SetStandardUser(user == 1);
}

} // namespace sim
