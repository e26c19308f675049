// The tests' view of user32 and comctl32: what the person at the screen will do (modal dialog
// scripts, message box answers), acting as that person, and observing windows, controls and
// the logs of message boxes, dialogs, broadcasts, redraws and timers.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace sim {

// --- What the person will do ------------------------------------------------------------------

// A modal dialog opened with DialogBoxParamW runs the next script queued for its template id:
// the script receives the dialog, acts as the person (clicks, types, answers message boxes) and
// must end the dialog. A dialog without a queued script, or a script that returns with the
// dialog still open, aborts the test.
using DialogScript = std::function<void(HWND dialog)>;
void ScriptModalDialog(int templateId, DialogScript script);
std::size_t PendingDialogScripts();

struct ModalDialogRecord {
    int templateId;
    HWND owner;     // as the program passed it
    INT_PTR result; // what DialogBoxParamW returned
};
const std::vector<ModalDialogRecord>& ModalDialogLog();

// MessageBoxW takes the next queued answer (IDYES, IDNO, IDOK...); an answer that is not a
// button of the box, or an empty queue, aborts naming the message.
void QueueMessageBoxAnswer(int answer);
std::size_t PendingMessageBoxAnswers();
struct MessageBoxRecord {
    HWND owner;
    std::u16string text;
    std::u16string caption;
    UINT type;
    int answer;
};
const std::vector<MessageBoxRecord>& MessageBoxLog();

// --- Acting as the person ---------------------------------------------------------------------
// Every action first checks that a person could do it: the control exists, is visible and is
// enabled (with all its ancestors); otherwise the test aborts naming the control.

// A mouse click on a button (as BM_CLICK: focus, state change of auto buttons, BN_CLICKED) or
// on a static control (STN_CLICKED with SS_NOTIFY).
void Click(HWND dialog, int id);
// The keyboard's Escape and Enter in a dialog: WM_COMMAND IDCANCEL, or the default button.
void PressEscape(HWND dialog);
void PressEnter(HWND dialog);
// The caption's close box: WM_CLOSE.
void PressCloseBox(HWND window);
// Focus into the field, all of its text selected and replaced by typing: WM_CHAR per character,
// each sending EN_UPDATE and EN_CHANGE. The focus stays in the field.
void TypeText(HWND dialog, int id, const std::u16string& text);
// Moves the keyboard focus to a control (leaving an edit control sends EN_KILLFOCUS).
void MoveFocus(HWND dialog, int id);
// Opens a drop-down list and picks an entry: CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP and, when
// the selection changed, CBN_SELCHANGE.
void SelectComboItem(HWND dialog, int id, int index);
void SelectComboItem(HWND dialog, int id, const std::u16string& text);
// A key pressed and released on a focused drop-down list. On a closed list VK_UP, VK_DOWN,
// VK_LEFT, VK_RIGHT, VK_HOME and VK_END move the selection (CBN_SELENDOK, CBN_SELCHANGE; no
// CBN_CLOSEUP) and VK_RETURN goes to the dialog as sim::PressEnter; VK_F4 opens the list, where
// the arrows send CBN_SELCHANGE and VK_RETURN or VK_F4 close it (CBN_SELENDOK, CBN_CLOSEUP).
void PressKeyOnComboBox(HWND dialog, int id, UINT virtualKey);
// Clicks an entry of a list box: LBN_SELCHANGE with LBS_NOTIFY.
void SelectListItem(HWND dialog, int id, int index);
void SelectListItem(HWND dialog, int id, const std::u16string& text);
// Drags a track bar's thumb through the positions and releases it: WM_HSCROLL (WM_VSCROLL for
// TBS_VERT) TB_THUMBTRACK per move, TB_THUMBPOSITION, TB_ENDTRACK, then NM_RELEASEDCAPTURE.
void DragTrackBar(HWND dialog, int id, int position);
void DragTrackBar(HWND dialog, int id, const std::vector<int>& positions);
// A key pressed and released on a focused track bar (VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN,
// VK_PRIOR, VK_NEXT, VK_HOME, VK_END): the scroll code, then TB_ENDTRACK; no NM_RELEASEDCAPTURE.
void PressKeyOnTrackBar(HWND dialog, int id, UINT virtualKey);
// A click on an up-down control's arrow (id of the up-down control): UDN_DELTAPOS, the buddy's
// new text with UDS_SETBUDDYINT, WM_VSCROLL (WM_HSCROLL for UDS_HORZ) SB_THUMBPOSITION, and
// SB_ENDSCROLL at the release.
void ClickUpDown(HWND dialog, int id, bool upArrow);
// Types an address such as u"192.168.1.20" into an IP address control, field by field (an
// empty field is cleared): EN_CHANGE per keystroke, IPN_FIELDCHANGED as each field is left.
void TypeIpAddress(HWND dialog, int id, const std::u16string& address);
// The system repaints a window and its children now (owner-drawn controls send WM_DRAWITEM).
void Paint(HWND window);
// Lets the message loop run: posted messages are dispatched and invalid windows painted.
void PumpMessages();
// Moves winsim's clock on; the timers that fall due fire in order, each re-arming itself.
void AdvanceClock(DWORD milliseconds);

// --- Property sheets ----------------------------------------------------------------------------

struct SheetPage {
    HPROPSHEETPAGE page;
    HWND window; // null until the page is first shown
    std::u16string title;
    bool changed; // PSM_CHANGED since the last apply
};
std::vector<SheetPage> SheetPages(HWND sheet);
int SheetCurrentPage(HWND sheet);
// Clicks a page's tab: false when the current page refused to be left or the new page could
// not be created.
bool SelectSheetPage(HWND sheet, int index);
void PressApply(HWND sheet);
void PressOK(HWND sheet);
void PressCancel(HWND sheet);
bool IsApplyEnabled(HWND sheet);
// After OK or Cancel a modeless sheet is closed (PSM_GETCURRENTPAGEHWND answers null) and waits
// for its owner to destroy it.
bool IsSheetClosed(HWND sheet);

std::size_t LivePropertySheetPages();

// --- Observing ----------------------------------------------------------------------------------

HWND Control(HWND dialog, int id); // aborts when the dialog has no such control
std::u16string WindowText(HWND window);
std::u16string ControlText(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id); // the control's own state (IsWindowEnabled)
bool IsVisible(HWND dialog, int id); // IsWindowVisible: the control and all its ancestors
bool HasFocus(HWND dialog, int id);
std::vector<std::u16string> ComboItems(HWND dialog, int id);
int ComboSelection(HWND dialog, int id); // CB_ERR without a selection
std::vector<std::u16string> ListItems(HWND dialog, int id);
int ListSelection(HWND dialog, int id); // LB_ERR without a selection

// A dialog's controls in template order.
struct ControlInfo {
    HWND window;
    int id;
    std::u16string className;
    DWORD style;
    DWORD exStyle;
    std::u16string text;
    RECT rect; // pixels, in the dialog's client coordinates
};
std::vector<ControlInfo> DialogControls(HWND dialog);

// SendMessageTimeoutW to HWND_BROADCAST; for WM_DEVMODECHANGE and WM_SETTINGCHANGE the text
// lParam pointed at.
struct Broadcast {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::u16string text;
    UINT flags;
    UINT timeout;
};
const std::vector<Broadcast>& Broadcasts();

// InvalidateRect and RedrawWindow calls, and the windows that received WM_PAINT.
struct RedrawRecord {
    std::string function;
    HWND window;
    bool hasRect;
    RECT rect;
    UINT flags; // RedrawWindow's flags; RDW_INVALIDATE (| RDW_ERASE) for InvalidateRect
};
const std::vector<RedrawRecord>& RedrawLog();
const std::vector<HWND>& PaintLog();

struct TimerInfo {
    HWND window;
    UINT_PTR id;
    UINT interval;
    TIMERPROC proc;
    DWORD dueIn; // milliseconds until it fires next
};
std::vector<TimerInfo> ActiveTimers();

// Leak accounting: windows not destroyed (top-level and child).
std::size_t LiveWindowCount();
// Window classes a program registered and has not unregistered (user32's and comctl32's own
// classes not counted).
std::size_t RegisteredWindowClasses();

} // namespace sim
