// The timed tour, the person at the sheet on its own thread.
#include "timed_tour.h"

#include "stopwatch.h"

#include "resources/resource.h"

#include <prsht.h>

namespace {

constexpr int kApplyButton = 0x3021;

int g_applyNotices = 0;

void PaintNow(HWND sheet) {
    RedrawWindow(sheet, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

LRESULT CALLBACK CountApplyNotices(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_NOTIFY &&
        reinterpret_cast<const NMHDR*>(call->lParam)->code == static_cast<UINT>(PSN_APPLY))
        InterlockedIncrement(reinterpret_cast<volatile LONG*>(&g_applyNotices));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Presses Apply as its button does (the sheet may not show the button) and counts the pages
// that were told, on the sheet's thread.
int PressApply(Sheet& sheet) {
    g_applyNotices = 0;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountApplyNotices, nullptr,
                                   GetWindowThreadProcessId(sheet.window(), nullptr));
    sheet.Apply();
    if (hook != nullptr)
        UnhookWindowsHookEx(hook);
    return g_applyNotices;
}

void ChangeAndApply(Sheet& sheet, bool announceChange, TourTimes& times) {
    HWND layout = sheet.Page(IDC_LAYOUT_COLLATE);
    times.changed = Click(layout, IDC_LAYOUT_COLLATE);
    if (!times.changed)
        return;
    // Do-nothing pages do not tell the sheet; the plug-in's pages do so themselves.
    if (announceChange)
        SendMessageW(sheet.window(), PSM_CHANGED, reinterpret_cast<WPARAM>(layout), 0);
    PaintNow(sheet.window());
    times.applyShown = IsShown(sheet.window(), kApplyButton);
    times.applyEnabled = times.applyShown && IsEnabled(sheet.window(), kApplyButton);
    times.pagesApplied = PressApply(sheet);
    PaintNow(sheet.window());
}

} // namespace

TourTimes TimeTour(const std::function<bool(Sheet& sheet)>& open, bool announceChange) {
    TourTimes times;
    Sheet sheet;
    double started = NowMs();
    if (!open(sheet))
        return times;
    PaintNow(sheet.window());
    double up = NowMs();
    times.openMs = up - started;
    times.pages = sheet.PageCount();
    for (int i = 0; i < times.pages; ++i) {
        double before = NowMs();
        sheet.PageAt(i);
        PaintNow(sheet.window());
        times.pageMs.push_back(NowMs() - before);
    }
    times.titles.clear();
    for (WCHAR c : sheet.Titles())
        times.titles += static_cast<char>(c < 128 ? c : '?');
    ChangeAndApply(sheet, announceChange, times);
    double closing = NowMs();
    times.tourMs = closing - up;
    times.done = sheet.Ok() != -1;
    times.closeMs = NowMs() - closing;
    return times;
}
