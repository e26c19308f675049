// The timed tour: a CBT hook sees the sheet's activation and posts a message to a window of this
// thread, which the sheet's own modal loop then delivers; a 10 ms timer is the fallback.
#include "timed_tour.h"

#include "sheet_windows.h"
#include "stopwatch.h"

#include "resources/resource.h"

namespace {

const WCHAR kDriverClass[] = TEXT("TarvikBenchDriver");
constexpr UINT kSheetUp = WM_APP + 1;
constexpr UINT kFallbackMs = 10;
constexpr int kApplyButton = 0x3021;
// A sheet not toured by then is cancelled, so that the run ends and counts as failed.
constexpr double kGiveUpMs = 10000;

struct Tour {
    double started = 0;
    double closing = 0;
    bool announceChange = false;
    bool touring = false;
    TourTimes times;
};

Tour* g_tour = nullptr;
int g_applyNotices = 0;
HWND g_driver = nullptr;

void PaintNow(HWND sheet) {
    RedrawWindow(sheet, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool ApplyEnabled(HWND sheet) {
    HWND apply = GetDlgItem(sheet, kApplyButton);
    return apply != nullptr && IsWindowVisible(apply) && IsWindowEnabled(apply);
}

LRESULT CALLBACK CountApplyNotices(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_NOTIFY &&
        reinterpret_cast<const NMHDR*>(call->lParam)->code == static_cast<UINT>(PSN_APPLY))
        ++g_applyNotices;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Presses Apply as its button does (the sheet may not show the button) and counts the pages
// that were told.
int PressApply(HWND sheet) {
    g_applyNotices = 0;
    HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROC, CountApplyNotices, nullptr, GetCurrentThreadId());
    SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    if (hook != nullptr)
        UnhookWindowsHookEx(hook);
    return g_applyNotices;
}

void RunTour(HWND sheet) {
    Tour& tour = *g_tour;
    PaintNow(sheet);
    double up = NowMs();
    tour.times.openMs = up - tour.started;

    int pages = SheetPageCount(sheet);
    for (int i = 0; i < pages; ++i) {
        double before = NowMs();
        ShowPage(sheet, i);
        PaintNow(sheet);
        tour.times.pageMs.push_back(NowMs() - before);
    }
    tour.times.titles = PageTitles(sheet);
    HWND layout = ShowPageWithControl(sheet, IDC_LAYOUT_COLLATE);
    tour.times.changed = layout != nullptr && ClickButton(layout, IDC_LAYOUT_COLLATE);
    if (tour.times.changed) {
        // Do-nothing pages do not tell the sheet; the plug-in's pages do so themselves.
        if (tour.announceChange)
            SendMessageW(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(layout), 0);
        PaintNow(sheet);
        HWND apply = GetDlgItem(sheet, kApplyButton);
        tour.times.applyShown = apply != nullptr && IsWindowVisible(apply);
        tour.times.applyEnabled = ApplyEnabled(sheet);
        tour.times.pagesApplied = PressApply(sheet);
        PaintNow(sheet);
    }
    tour.times.pages = pages;
    tour.closing = NowMs();
    tour.times.tourMs = tour.closing - up;
    tour.times.done = true;
    PressSheetButton(sheet, PSBTN_OK);
}

void TryTour(bool byHook) {
    if (g_tour == nullptr || g_tour->touring || g_tour->times.done)
        return;
    HWND sheet = FindSheet();
    if (sheet == nullptr)
        return;
    g_tour->times.seenByHook = byHook;
    g_tour->touring = true;
    RunTour(sheet);
    g_tour->touring = false;
}

LRESULT CALLBACK DriverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSheetUp) {
        TryTour(true);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_driver != nullptr)
        PostMessageW(g_driver, kSheetUp, 0, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Closes what is open, innermost first, as a person pressing Esc would.
void GiveUp() {
    HWND dialog = FindNonSheetDialog();
    if (dialog != nullptr)
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    else if (FindSheet() != nullptr)
        PressSheetButton(FindSheet(), PSBTN_CANCEL);
}

void CALLBACK Fallback(HWND, UINT, UINT_PTR, DWORD) {
    TryTour(false);
    if (g_tour != nullptr && !g_tour->times.done && NowMs() - g_tour->started > kGiveUpMs)
        GiveUp();
}

HWND DriverWindow() {
    if (g_driver == nullptr) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DriverProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kDriverClass;
        RegisterClassW(&windowClass);
        g_driver = CreateWindowExW(0, kDriverClass, TEXT(""), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    }
    return g_driver;
}

} // namespace

TourTimes TimeTour(const std::function<void()>& open, bool announceChange) {
    Tour tour;
    tour.announceChange = announceChange;
    DriverWindow();
    HHOOK hook = SetWindowsHookExW(WH_CBT, WatchActivation, nullptr, GetCurrentThreadId());
    UINT_PTR timer = SetTimer(nullptr, 0, kFallbackMs, Fallback);
    g_tour = &tour;
    tour.started = NowMs();
    open();
    double ended = NowMs();
    g_tour = nullptr;
    KillTimer(nullptr, timer);
    if (hook != nullptr)
        UnhookWindowsHookEx(hook);
    if (tour.times.done)
        tour.times.closeMs = ended - tour.closing;
    // What the hook posted after the sheet had gone is dropped here.
    MSG message;
    while (PeekMessageW(&message, g_driver, 0, 0, PM_REMOVE))
        ;
    return tour.times;
}
