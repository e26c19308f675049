// user32 and comctl32 internals shared by the files that model windows, dialogs and controls.
#pragma once

#include "internal.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace winsim {

// --- Window classes ------------------------------------------------------------------------------

struct WindowClass {
    std::u16string name;
    WNDPROC proc = nullptr;
    UINT style = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    bool system = false; // registered by user32 or comctl32 themselves
    ATOM atom = 0;
};

// The classes' canonical names (as GetClassNameW reports them).
extern const char16_t kButtonClass[];
extern const char16_t kStaticClass[];
extern const char16_t kEditClass[];
extern const char16_t kListBoxClass[];
extern const char16_t kComboBoxClass[];
extern const char16_t kDialogClass[];

// --- Windows ------------------------------------------------------------------------------------

// What a control keeps beyond the window itself (list items, ranges, check state...).
struct ControlState {
    virtual ~ControlState() = default;
};

// A dialog's own bookkeeping (the window extra bytes DLGWINDOWEXTRA on Windows).
struct DialogInfo {
    DLGPROC proc = nullptr;
    LONG_PTR msgResult = 0;
    LONG_PTR user = 0;
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
    HWND disabledOwner = nullptr; // the owner a modal loop disabled, enabled again at the end
    int templateId = 0;
    int baseUnitX = 6, baseUnitY = 13;
    HWND savedFocus = nullptr;
    int defId = 0; // DM_SETDEFID's id; 0 = the first BS_DEFPUSHBUTTON
};

// Whether a window needs painting. The flags set are counted, so that the message loop knows
// without a search of every window that none does.
class UpdateFlag {
public:
    UpdateFlag() = default;
    UpdateFlag(const UpdateFlag&) = delete;
    UpdateFlag& operator=(const UpdateFlag&) = delete;
    ~UpdateFlag() { *this = false; }
    UpdateFlag& operator=(bool set) {
        if (set != set_)
            set ? ++SetCount() : --SetCount();
        set_ = set;
        return *this;
    }
    operator bool() const { return set_; }
    static std::size_t& SetCount();

private:
    bool set_ = false;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<const WindowClass> windowClass;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::u16string text;
    UINT_PTR id = 0;
    HWND parent = nullptr;      // child windows only
    HWND owner = nullptr;       // top-level windows only
    std::vector<HWND> children; // creation order, which is the tab and z order of dialogs
    RECT rect = {0, 0, 0, 0};   // in the parent's client coordinates (screen for top-level)
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    std::unique_ptr<DialogInfo> dialog; // set for dialog windows
    std::unique_ptr<ControlState> state;
    UpdateFlag invalid;        // has a non-empty update region
    bool erasePending = false; // the update region asks for WM_ERASEBKGND
    bool destroying = false;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    const std::u16string& ClassName() const { return windowClass->name; }
};

// The live window behind a handle, or null. Objects move away when a window is destroyed: look a
// window up again after any call that may run application code.
Window* FindWindowObject(HWND window);
// As FindWindowObject, but sets ERROR_INVALID_WINDOW_HANDLE when there is none.
Window* ValidWindow(HWND window);
const char* ClassNameForLog(HWND window);
std::vector<HWND> TopLevelWindowsInOrder();
// The same list itself, for walks that send no message (a message may create or destroy one).
const std::vector<HWND>& TopLevelWindows();

// Every window of a subtree, the root first (pre-order).
std::vector<HWND> Subtree(HWND root);
bool IsInSubtree(HWND root, HWND window);
// Visible means the window and all its ancestors carry WS_VISIBLE; enabled for a person means
// the window and all its ancestors are enabled.
bool IsReallyVisible(HWND window);
bool IsReallyEnabled(HWND window);

template <class State> State* StateOf(HWND window) {
    Window* w = FindWindowObject(window);
    return w ? dynamic_cast<State*>(w->state.get()) : nullptr;
}
template <class State> State& EnsureState(Window& window) {
    if (!window.state)
        window.state = std::make_unique<State>();
    return *static_cast<State*>(window.state.get());
}

// --- Messages -----------------------------------------------------------------------------------

// A control reports to its parent: WM_COMMAND with (id, code) and the control's handle.
LRESULT NotifyParentCommand(HWND control, WORD code);
// WM_NOTIFY to the parent; fills the header's hwndFrom and idFrom.
LRESULT NotifyParent(HWND control, NMHDR* header, UINT code);
// Every message a control class does not model ends here.
[[noreturn]] void UnmodelledMessage(HWND window, UINT message);
// Dispatches posted messages and paints until the queue is idle, as a message loop would.
void PumpQueue();
// Removes the posted messages of a destroyed window.
void DropPostedMessages(HWND window);

// --- Painting -----------------------------------------------------------------------------------

void InvalidateWindow(HWND window, bool erase, bool withChildren);
void PaintNow(HWND window, bool withChildren);
HWND NextWindowToPaint();
// WM_DRAWITEM for an owner-drawn control, sent to its parent with a DC of the control; the
// item state gets ODS_DISABLED and ODS_FOCUS added as they apply.
void SendDrawItem(HWND control, UINT controlType, HDC dc, UINT itemState = 0);
void RecordPaint(HWND window);

// --- Focus, timers, dialogs ----------------------------------------------------------------------

void KillTimersOf(HWND window);

// The dialog unit base of a dialog (pixels per 4 horizontal and 8 vertical dialog units).
void DialogUnitsToPixels(HWND dialog, RECT* rect);
bool IsDialogWindow(HWND window);
DialogInfo* DialogOf(HWND window);

// A dialog template parsed from DLGTEMPLATE or DLGTEMPLATEEX bytes.
struct DialogItemTemplate {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::u16string className; // the ordinal classes are given their names
    std::u16string title;
    bool titleIsOrdinal = false;
    WORD titleOrdinal = 0;
    std::vector<BYTE> creationData;
};
struct DialogTemplate {
    bool extended = false;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    bool hasMenu = false;
    std::u16string className; // empty: the dialog class
    std::u16string title;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::u16string typeface;
    std::vector<DialogItemTemplate> items;
};
// Parses a template; size may be unknown (SIZE_MAX) for in-memory templates. A malformed
// template aborts, naming what is wrong.
DialogTemplate ParseDialogTemplate(const BYTE* data, size_t size, const char* what);
// Creates a dialog (hidden when modal) and runs WM_INITDIALOG and the focus rule.
HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& dialogTemplate, HWND parent,
                              DLGPROC proc, LPARAM param, bool modal, int templateId);
bool LoadDialogTemplate(HINSTANCE instance, LPCWSTR name, DialogTemplate* out);

// --- Controls ------------------------------------------------------------------------------------

LRESULT CALLBACK ButtonWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK EditWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ListBoxWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboBoxWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK DialogWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TrackBarWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK UpDownWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK IpAddressWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ProgressWindowProc(HWND, UINT, WPARAM, LPARAM);

bool IsButton(HWND window);
bool IsEdit(HWND window);
DWORD ButtonType(HWND window);

// What a person can reach: a control of a dialog that is visible and enabled (with all its
// ancestors). Anything else aborts, naming the control and why.
HWND ReachableControl(HWND dialog, int id, const char* action);
HWND ExistingControl(HWND dialog, int id, const char* action);

// Case-insensitive order of sorted list boxes and combo boxes.
int CompareForSort(const std::u16string& a, const std::u16string& b);

} // namespace winsim
