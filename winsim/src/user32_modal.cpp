// user32: modal dialog boxes. DialogBoxParamW creates the dialog, disables its owner, shows it
// and, where Windows would run the dialog's message loop until EndDialog, runs the script the
// test queued for the template: the person using the dialog.
#include "user32_internal.h"
#include "sim.h"

#include <deque>
#include <map>

namespace winsim {
namespace {

struct ModalState {
    std::map<int, std::deque<sim::DialogScript>> scripts;
    std::vector<sim::ModalDialogRecord> log;
};

ModalState& S() {
    static ModalState state;
    return state;
}

ResetHook g_reset([] {
    S().scripts.clear();
    S().log.clear();
});

sim::DialogScript TakeScript(int templateId) {
    auto it = S().scripts.find(templateId);
    if (it == S().scripts.end() || it->second.empty())
        Unmodelled("modal dialog %d was opened but the test queued no script for it "
                   "(sim::ScriptModalDialog)",
                   templateId);
    sim::DialogScript script = std::move(it->second.front());
    it->second.pop_front();
    return script;
}

INT_PTR RunModalDialog(HINSTANCE instance, const DialogTemplate& t, HWND owner, DLGPROC proc,
                       LPARAM param, int templateId) {
    if (owner && !IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    size_t record = S().log.size();
    S().log.push_back({templateId, owner, -1});
    HWND previousFocus = GetFocus();
    HWND dialog = CreateDialogFromTemplate(instance, t, owner, proc, param, true, templateId);
    if (!dialog)
        return -1;

    if (!DialogOf(dialog)->ended) {
        // The owner is the top-level window; it stays disabled while the dialog runs.
        HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
        if (root && IsWindowEnabled(root)) {
            EnableWindow(root, FALSE);
            if (DialogInfo* d = DialogOf(dialog))
                d->disabledOwner = root;
        }
        ShowWindow(dialog, SW_SHOW);
        // The active dialog holds the keyboard focus; the owner's control loses it.
        if (GetFocus() && !IsInSubtree(dialog, GetFocus()))
            SetFocus(nullptr);
        PumpQueue();
        if (IsWindow(dialog) && !DialogOf(dialog)->ended) {
            sim::DialogScript script = TakeScript(templateId);
            script(dialog);
            PumpQueue();
        }
        if (!IsWindow(dialog))
            Unmodelled("modal dialog %d was destroyed without EndDialog", templateId);
        if (!DialogOf(dialog)->ended)
            Unmodelled("the script for modal dialog %d returned with the dialog still open",
                       templateId);
    }
    INT_PTR result = DialogOf(dialog)->result;
    DestroyWindow(dialog);
    if (previousFocus && IsWindow(previousFocus) && IsReallyVisible(previousFocus))
        SetFocus(previousFocus);
    S().log[record].result = result;
    return result;
}

} // namespace
} // namespace winsim

using namespace winsim;

INT_PTR WINAPI DialogBoxParamW(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC proc,
                               LPARAM param) {
    if (!IS_INTRESOURCE(name))
        Unmodelled("DialogBoxParamW with a template named by a string");
    DialogTemplate t;
    if (!LoadDialogTemplate(instance, name, &t))
        return -1;
    return RunModalDialog(instance, t, owner, proc, param,
                          LOWORD(reinterpret_cast<ULONG_PTR>(name)));
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR result) {
    DialogInfo* d = DialogOf(hDlg);
    if (!d) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    d->ended = true;
    d->result = result;
    HWND owner = d->disabledOwner;
    d->disabledOwner = nullptr;
    if (owner && IsWindow(owner))
        EnableWindow(owner, TRUE);
    ShowWindow(hDlg, SW_HIDE);
    return TRUE;
}

namespace sim {

void ScriptModalDialog(int templateId, DialogScript script) {
    S().scripts[templateId].push_back(std::move(script));
}

std::size_t PendingDialogScripts() {
    std::size_t n = 0;
    for (auto& entry : S().scripts)
        n += entry.second.size();
    return n;
}

const std::vector<ModalDialogRecord>& ModalDialogLog() {
    return S().log;
}

} // namespace sim
