// Remembering the controls of the few dialogs in use.
#include "pages/known_controls.h"

namespace {

// Enough for a sheet's pages and the dialog open over them.
constexpr int kDialogsKept = 6;
constexpr int kControlsKept = 64;

struct DialogControls {
    HWND dialog;
    int count;
    HWND controls[kControlsKept];
};

DialogControls g_dialogs[kDialogsKept];
int g_oldest = 0;
// Sheets may run on several threads of one application.
SRWLOCK g_lock = SRWLOCK_INIT;

// Asked of the window itself, which the process holds: no round trip.
bool IsControl(HWND control, HWND dialog, int id) {
    return IsWindow(control) && GetParent(control) == dialog && GetDlgCtrlID(control) == id;
}

DialogControls* EntryFor(HWND dialog) {
    for (DialogControls& entry : g_dialogs)
        if (entry.dialog == dialog)
            return &entry;
    DialogControls* entry = &g_dialogs[g_oldest];
    g_oldest = (g_oldest + 1) % kDialogsKept;
    entry->dialog = dialog;
    entry->count = 0;
    return entry;
}

} // namespace

HWND KnownControl(HWND dialog, int id) {
    AcquireSRWLockExclusive(&g_lock);
    DialogControls* entry = EntryFor(dialog);
    HWND control = nullptr;
    for (int i = 0; i < entry->count && control == nullptr; ++i)
        if (IsControl(entry->controls[i], dialog, id))
            control = entry->controls[i];
    if (control == nullptr) {
        control = GetDlgItem(dialog, id);
        if (control != nullptr && entry->count < kControlsKept)
            entry->controls[entry->count++] = control;
    }
    ReleaseSRWLockExclusive(&g_lock);
    return control;
}
