// A person at the printer's sheets. A sheet runs modally on a thread of its own, as an
// application's print dialog runs it; the calling thread acts on it as a person does, with the
// messages a control gets from a click or a key, and reads what the person would see. Every wait
// has a deadline and pumps the calling thread's messages (the plug-in broadcasts
// WM_DEVMODECHANGE to every top-level window).
//
// A click that opens a modal dialog or a message box does not block: the dialog is answered on
// the sheet's thread, while its modal loop runs, by the script registered for it beforehand with
// Sheet::Answer. A dialog nobody answered, or one its script left open, is cancelled as Esc
// would, and told as a mishap (TakeMishaps).
//
// One sheet at a time. The actions and reads work from either thread: a script calls them on the
// dialog it is given.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// How long a person waits for a window, a state or an answer before giving up.
constexpr DWORD kPatienceMs = 10000;

// Runs on the sheet's thread with the dialog to answer; acts on it and ends it.
using DialogScript = std::function<void(HWND dialog)>;
// The "template" of a message box, for Sheet::Answer.
constexpr WORD kMessageBox = 0;
// The "template" of the system's common dialogs, for Sheet::Answer: an application's print dialog
// and the shell's file dialog, both comdlg32's own (their templates are Wine's, not Windows').
constexpr WORD kCommonDialog = 0xFFFF;

class Sheet {
public:
    Sheet();
    // A sheet still open is cancelled.
    ~Sheet();
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    // The printing preferences as an application's print dialog opens them: DocumentPropertiesW
    // with DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER over `devmode` (the printer's current
    // devmode when empty), the printer opened for use. True once the sheet is on screen.
    bool OpenPreferences(LPCWSTR printerName, const std::vector<BYTE>& devmode = {});
    // The printer's properties as the printer folder opens them.
    bool OpenProperties(LPCWSTR printerName);
    // A sheet that `open` brings up on the sheet's thread over the application's window `owner`,
    // as an application's own print dialog does (its Properties button, pressed by a script
    // registered before). `open` answers what Ok and Cancel return.
    bool Open(std::function<LONG(HWND owner)> open);

    HWND window() const { return sheet_; }
    int PageCount();
    // Brings page `index` to the front, as a click on its tab does.
    HWND PageAt(int index);
    // Brings to the front the page on which control `controlId` is shown; null when none has it.
    HWND Page(int controlId);
    // The tab titles: "Layout, Paper/Media, Tarvik".
    std::wstring Titles();

    // The next dialog of the plug-in made from template `templateId` (kMessageBox: the next
    // message box) is answered by `script`. Register before the action that opens it. Without a
    // script, the dialog is left to the person at the keyboard.
    void Answer(WORD templateId, DialogScript script = nullptr);
    // The texts of the message boxes shown so far.
    std::vector<std::wstring> Messages();
    // The device names of the WM_DEVMODECHANGE messages the application's window heard.
    std::vector<std::wstring> DevmodeChanges();

    // The sheet's buttons. OK and Cancel wait for the sheet to close and answer what the call that
    // opened it returned (-1 when it did not close).
    LONG Ok();
    LONG Cancel();
    void Apply();
    // The devmode the application holds after the sheet closed.
    const std::vector<BYTE>& devmode() const { return devmode_; }

private:
    bool Start(std::function<LONG(HWND owner)> open);
    LONG Close(int button);
    void AnswerDialog(HWND dialog);
    DialogScript TakeScript(HWND dialog, bool messageBox, bool* expected);
    static DWORD WINAPI Run(LPVOID self);
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void CALLBACK AnswerPending(HWND, UINT, UINT_PTR timer, DWORD);
    static void CALLBACK WaitForSheetLoop(HWND, UINT, UINT_PTR timer, DWORD);

    std::function<LONG(HWND owner)> open_;
    HANDLE thread_ = nullptr;
    HANDLE ready_ = nullptr;
    HANDLE printer_ = nullptr;
    WCHAR printerName_[MAX_PATH] = {};
    HWND sheet_ = nullptr;
    HHOOK hook_ = nullptr;
    LONG result_ = -1;
    std::vector<BYTE> devmode_;
    SRWLOCK lock_ = SRWLOCK_INIT;
    std::vector<std::pair<WORD, DialogScript>> scripts_;
    std::vector<HWND> seen_;
    std::vector<HWND> pending_;
    std::vector<std::wstring> messages_;
    std::vector<std::wstring> devmodeChanges_;
};

// A person's actions on control `id` of `dialog`; false when it is missing, hidden or disabled
// (a person cannot act on it).
bool Click(HWND dialog, int id);
// Picks `item` in a drop-down or list box with the arrow keys, as a person at the keyboard does.
bool Choose(HWND dialog, int id, LPCWSTR item);
// Replaces an edit's text by typing `text`, one character at a time.
bool Type(HWND dialog, int id, LPCWSTR text);
bool PressKey(HWND dialog, int id, UINT virtualKey);
// Selects row `index` of a tree view (0 the first, counting the rows shown), as a click on it.
bool SelectTreeRow(HWND dialog, int id, int index);
// Picks the item after the one a drop-down or list box shows.
bool ChooseNext(HWND dialog, int id);
// Moves a track bar with the arrow keys until it is at `position`.
bool MoveTrackBar(HWND dialog, int id, int position);
// The keyboard as a person uses it: real key events to the window that has the focus in the
// foreground. Each returns once that window's thread has taken the keys and done what they ask
// (a dialog they open is up); false when the keys were not taken in time.
// `key` pressed while the keys `held` (VK_CONTROL, VK_SHIFT, VK_MENU) are down.
bool PressKeys(UINT key, std::initializer_list<UINT> held = {});
// Types `text` one character at a time.
bool TypeKeys(LPCWSTR text);
// The keys as a person names them: "Tab", "Shift+Tab", "Alt+C", "PgUp", "Down*7" (seven times),
// or "'text" typed.
bool PressKeys(const std::string& keys);
// The control with the keyboard focus in the foreground window's thread, as a person sees it (an
// IP address control, not the field in it); null when none has it.
HWND Focus();
// The window's timer `timerId` comes due now: posted, as the system posts it, to the window's
// thread, whose message loop hands it to `callback` when the timer has one, else to the window.
void FireTimer(HWND window, UINT_PTR timerId, TIMERPROC callback = nullptr);

// What the person sees.
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
bool IsShown(HWND dialog, int id);
std::wstring TextOf(HWND dialog, int id);
std::wstring ChosenItem(HWND dialog, int id);
std::vector<std::wstring> ItemsOf(HWND dialog, int id);
int TrackBarPosition(HWND dialog, int id);
// The name a screen reader speaks for `control` (the system's accessible object of its client).
std::wstring SpokenName(HWND control);
// Whether picture control `id` shows bitmap `bitmapId` of the dialog's module as the plug-in draws
// it (cyan transparent over the page's background), read from the screen: it needs a display.
// Waits for the screen to show it.
bool ShowsPicture(HWND dialog, int id, UINT bitmapId);

// Waits until `done`, pumping this thread's messages; false when the patience ran out.
bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds = kPatienceMs);
// Whether a dialog of `module` made from template `templateId`: the template's control ids,
// read from the module, are the dialog's children.
bool IsMadeFromTemplate(HWND dialog, HMODULE module, WORD templateId);

// What went wrong on a sheet's thread since the last call: dialogs nobody answered, scripts that
// left theirs open, sheets that did not come up or close.
std::vector<std::wstring> TakeMishaps();
// `watch` hears of every window destroyed on a sheet's thread (DestroyWindow's window; its
// children go with it).
void WatchDestroyedWindows(void (*watch)(HWND window));
