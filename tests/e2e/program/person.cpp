// The person's timer and script.
#include "person.h"

#include "sheet_windows.h"

namespace {

constexpr UINT kTickMs = 100;
// About five seconds for a window to come up before the person gives up.
constexpr int kMostTries = 50;

Person* g_acting = nullptr;

} // namespace

Person::~Person() {
    Stop();
}

void Person::Then(const char* what, Action action) {
    steps_.push_back({what, std::move(action)});
}

void Person::Start() {
    g_acting = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
}

void Person::Stop() {
    if (timer_ != 0)
        KillTimer(nullptr, timer_);
    timer_ = 0;
    if (g_acting == this)
        g_acting = nullptr;
}

std::string Person::stuckAt() const {
    return finished() ? "" : steps_[next_].what;
}

void CALLBACK Person::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_acting != nullptr)
        g_acting->TakeNextStep();
}

void Person::TakeNextStep() {
    // A step that opens a modal dialog runs its loop inside the step: the ticks it dispatches
    // must wait for the step to end.
    if (acting_)
        return;
    acting_ = true;
    if (stuck_ || finished()) {
        if (stuck_)
            GiveUp();
    } else if (steps_[next_].action()) {
        ++next_;
        tries_ = 0;
    } else if (++tries_ >= kMostTries) {
        stuck_ = true;
    }
    acting_ = false;
}

// Closes what is open, innermost first, as a person pressing Esc would.
void Person::GiveUp() {
    HWND dialog = FindNonSheetDialog();
    if (dialog != nullptr) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    HWND sheet = FindSheet();
    if (sheet != nullptr)
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}
