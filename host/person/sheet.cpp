// The sheet's own thread, where the sheet runs modally and its dialogs are answered.
#include "person.h"

#include "printer_tool/printer_folder.h"

#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include <algorithm>

namespace {

const WCHAR kOwnerClass[] = TEXT("QvPersonApplication");

Sheet* g_open = nullptr;
void (*g_watch)(HWND) = nullptr;
SRWLOCK g_mishapLock = SRWLOCK_INIT;
std::vector<std::wstring> g_mishaps;

// Holds a lock for as long as it lives.
class Locked {
public:
    explicit Locked(SRWLOCK* lock) : lock_(lock) { AcquireSRWLockExclusive(lock_); }
    ~Locked() { ReleaseSRWLockExclusive(lock_); }

private:
    SRWLOCK* lock_;
};

void Mishap(const std::wstring& what) {
    Locked hold(&g_mishapLock);
    g_mishaps.push_back(what);
}

// The text of a message box is its static control 0xFFFF.
constexpr int kMessageBoxText = 0xFFFF;

// A message box is user32's own dialog (Wine gives it no module).
bool IsMessageBox(HWND dialog) {
    auto module = reinterpret_cast<HMODULE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    return (module == nullptr || module == GetModuleHandleW(TEXT("user32.dll"))) &&
           GetDlgItem(dialog, kMessageBoxText) != nullptr;
}

// Waits for `handle`, pumping this thread's messages.
bool WaitForHandle(HANDLE handle, DWORD milliseconds) {
    return WaitUntil([handle] { return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0; },
                     milliseconds);
}

} // namespace

Sheet::Sheet() {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

Sheet::~Sheet() {
    if (thread_ != nullptr && WaitForSingleObject(thread_, 0) != WAIT_OBJECT_0)
        Cancel();
    if (g_open == this)
        g_open = nullptr;
    if (thread_ != nullptr)
        CloseHandle(thread_);
    if (printer_ != nullptr)
        ClosePrinter(printer_);
    CloseHandle(ready_);
}

bool Sheet::OpenPreferences(LPCWSTR printerName, const std::vector<BYTE>& devmode) {
    lstrcpynW(printerName_, printerName, MAX_PATH);
    if (!OpenPrinterW(printerName_, &printer_, nullptr))
        return false;
    devmode_ = devmode;
    if (devmode_.empty()) {
        LONG size = DocumentPropertiesW(nullptr, printer_, printerName_, nullptr, nullptr, 0);
        devmode_.resize(size > 0 ? static_cast<size_t>(size) : 0);
        if (size <= 0 || DocumentPropertiesW(nullptr, printer_, printerName_,
                                             reinterpret_cast<DEVMODEW*>(devmode_.data()), nullptr,
                                             DM_OUT_BUFFER) != IDOK)
            return false;
    }
    return Start([this](HWND owner) {
        auto* buffer = reinterpret_cast<DEVMODEW*>(devmode_.data());
        return DocumentPropertiesW(owner, printer_, printerName_, buffer, buffer,
                                   DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    });
}

bool Sheet::OpenProperties(LPCWSTR printerName) {
    lstrcpynW(printerName_, printerName, MAX_PATH);
    // The printer folder opens a printer to manage it when the user may.
    PRINTER_DEFAULTSW manage = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(printerName_, &printer_, &manage) &&
        !OpenPrinterW(printerName_, &printer_, nullptr))
        return false;
    return Start(
        [this](HWND owner) { return OpenPrinterProperties(owner, printer_, printerName_); });
}

bool Sheet::Open(std::function<LONG(HWND owner)> open) {
    return Start(std::move(open));
}

bool Sheet::Start(std::function<LONG(HWND owner)> open) {
    open_ = std::move(open);
    g_open = this;
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    if (thread_ == nullptr || !WaitForHandle(ready_, kPatienceMs) || sheet_ == nullptr) {
        Mishap(TEXT("the sheet did not come up"));
        return false;
    }
    return true;
}

DWORD WINAPI Sheet::Run(LPVOID parameter) {
    auto* self = static_cast<Sheet*>(parameter);
    WNDCLASSW ownerClass = {};
    ownerClass.lpfnWndProc = OwnerProc;
    ownerClass.hInstance = GetModuleHandleW(nullptr);
    ownerClass.lpszClassName = kOwnerClass;
    RegisterClassW(&ownerClass);
    HWND owner = CreateWindowExW(0, kOwnerClass, TEXT("Application"), WS_OVERLAPPEDWINDOW, 0, 0,
                                 320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), self);
    self->hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    self->result_ = self->open_(owner);
    DestroyWindow(owner);
    UnhookWindowsHookEx(self->hook_);
    SetEvent(self->ready_);
    return 0;
}

LRESULT CALLBACK Sheet::OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DEVMODECHANGE && g_open != nullptr) {
        Locked hold(&g_open->lock_);
        g_open->devmodeChanges_.push_back(reinterpret_cast<LPCWSTR>(lParam));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A dialog's activation: the sheet's tells the caller it is up; any other is answered from
// inside its own modal loop, by a timer that loop dispatches.
LRESULT CALLBACK Sheet::Hook(int code, WPARAM wParam, LPARAM lParam) {
    auto window = reinterpret_cast<HWND>(wParam);
    Sheet* self = g_open;
    if (code == HCBT_DESTROYWND && g_watch != nullptr)
        g_watch(window);
    if (code == HCBT_ACTIVATE && self != nullptr && GetClassLongPtrW(window, GCW_ATOM) == 32770 &&
        window != self->sheet_ &&
        std::find(self->seen_.begin(), self->seen_.end(), window) == self->seen_.end()) {
        if (self->sheet_ == nullptr && SendMessageW(window, PSM_GETTABCONTROL, 0, 0) != 0) {
            self->sheet_ = window;
            SetTimer(nullptr, 0, USER_TIMER_MINIMUM, WaitForSheetLoop);
        } else {
            self->seen_.push_back(window);
            self->pending_.push_back(window);
            SetTimer(nullptr, 0, USER_TIMER_MINIMUM, AnswerPending);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The sheet is up once its own modal loop runs, after the pages' initialisation and any dialog
// it opened.
void CALLBACK Sheet::WaitForSheetLoop(HWND, UINT, UINT_PTR timer, DWORD) {
    Sheet* self = g_open;
    if (self != nullptr && GetActiveWindow() != self->sheet_)
        return;
    KillTimer(nullptr, timer);
    if (self != nullptr)
        SetEvent(self->ready_);
}

// A modal loop shows its dialog when its queue first runs empty: the answer waits for that.
void CALLBACK Sheet::AnswerPending(HWND, UINT, UINT_PTR timer, DWORD) {
    Sheet* self = g_open;
    HWND dialog = self != nullptr && !self->pending_.empty() ? self->pending_.back() : nullptr;
    if (dialog != nullptr && IsWindow(dialog) && !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, timer);
    if (dialog == nullptr)
        return;
    self->pending_.pop_back();
    if (IsWindow(dialog))
        self->AnswerDialog(dialog);
}

void Sheet::AnswerDialog(HWND dialog) {
    bool messageBox = IsMessageBox(dialog);
    WCHAR caption[256] = {};
    GetWindowTextW(dialog, caption, 256);
    std::wstring what = TEXT("the dialog \"") + std::wstring(caption) + TEXT("\"");
    if (messageBox) {
        Locked hold(&lock_);
        messages_.push_back(TextOf(dialog, kMessageBoxText));
        what = TEXT("the message box \"") + messages_.back() + TEXT("\"");
    }
    bool expected = false;
    DialogScript script = TakeScript(dialog, messageBox, &expected);
    if (script)
        script(dialog);
    else if (expected)
        return; // the person at the keyboard answers it
    else
        Mishap(what + TEXT(": nobody answered it"));
    // An ended dialog is hidden at once; one still shown is cancelled as Esc would.
    if (!IsWindowVisible(dialog))
        return;
    if (script)
        Mishap(what + TEXT(" was still open after its script"));
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    if (IsWindowVisible(dialog))
        EndDialog(dialog, IDCANCEL);
}

DialogScript Sheet::TakeScript(HWND dialog, bool messageBox, bool* expected) {
    auto module = reinterpret_cast<HMODULE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    bool common = module != nullptr && module == GetModuleHandleW(TEXT("comdlg32.dll"));
    Locked hold(&lock_);
    for (auto entry = scripts_.begin(); entry != scripts_.end(); ++entry) {
        if (messageBox ? entry->first == kMessageBox
            : common   ? entry->first == kCommonDialog
                       : IsMadeFromTemplate(dialog, module, entry->first)) {
            DialogScript script = std::move(entry->second);
            scripts_.erase(entry);
            *expected = true;
            return script;
        }
    }
    return nullptr;
}

void Sheet::Answer(WORD templateId, DialogScript script) {
    Locked hold(&lock_);
    scripts_.emplace_back(templateId, std::move(script));
}

std::vector<std::wstring> Sheet::Messages() {
    Locked hold(&lock_);
    return messages_;
}

std::vector<std::wstring> Sheet::DevmodeChanges() {
    Locked hold(&lock_);
    return devmodeChanges_;
}

LONG Sheet::Ok() {
    return Close(PSBTN_OK);
}

LONG Sheet::Cancel() {
    return Close(PSBTN_CANCEL);
}

void Sheet::Apply() {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(sheet_, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0, SMTO_NORMAL, kPatienceMs,
                        &result);
}

// The press is posted, as a click's is: the sheet's modal loop then sees that it has ended.
LONG Sheet::Close(int button) {
    if (thread_ == nullptr)
        return -1;
    if (sheet_ != nullptr)
        PostMessageW(sheet_, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    bool closed = WaitForHandle(thread_, kPatienceMs);
    if (!closed)
        Mishap(TEXT("the sheet did not close"));
    if (g_open == this)
        g_open = nullptr;
    return closed ? result_ : -1;
}

std::vector<std::wstring> TakeMishaps() {
    Locked hold(&g_mishapLock);
    std::vector<std::wstring> mishaps;
    mishaps.swap(g_mishaps);
    return mishaps;
}

void WatchDestroyedWindows(void (*watch)(HWND window)) {
    g_watch = watch;
}
