// The timed tour, the person at the sheet on its own thread.
#include "timed_tour.h"

#include "printer_tool/printer_folder.h"
#include "stopwatch.h"

#include "resources/resource.h"

#include <prsht.h>
#include <winspool.h>

#include <cstdlib>

namespace {

constexpr int kApplyButton = 0x3021;

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
    // Apply as its button does (the sheet may not show the button); the pages told are counted
    // on the sheet's thread when the clock watches the messages.
    int told = times.sheet.applyNotices;
    sheet.Apply();
    times.pagesApplied = times.sheet.applyNotices - told;
    PaintNow(sheet.window());
}

} // namespace

LONG OpenPreferences(HWND owner) {
    auto name = const_cast<LPWSTR>(kTarvikPrinterName);
    HANDLE printer = nullptr;
    if (!OpenPrinterW(name, &printer, nullptr))
        return -1;
    BYTE* devmode = nullptr;
    LONG bytes = 0;
    LONG result = OpenPrintingPreferences(owner, printer, name, &devmode, &bytes);
    std::free(devmode);
    ClosePrinter(printer);
    return result;
}

TourTimes TimeTour(bool bare, bool phases) {
    TourTimes times;
    Sheet sheet;
    // The configuration module asks for the variable when the sheet starts.
    if (bare)
        SetEnvironmentVariableW(TEXT("QV_BARE_PAGES"), TEXT("1"));
    bool open = OpenTimed(sheet, OpenPreferences, times.sheet, phases);
    SetEnvironmentVariableW(TEXT("QV_BARE_PAGES"), nullptr);
    if (!open)
        return times;
    times.openMs = times.sheet.openMs();
    double up = NowMs();
    times.pages = sheet.PageCount();
    // The first page is up already, as a person finds it; they bring each other one to the front.
    for (int i = 1; i < times.pages; ++i) {
        double before = NowMs();
        sheet.PageAt(i);
        PaintNow(sheet.window());
        times.pageMs.push_back(NowMs() - before);
    }
    times.titles.clear();
    for (WCHAR c : sheet.Titles())
        times.titles += static_cast<char>(c < 128 ? c : '?');
    ChangeAndApply(sheet, bare, times);
    double closing = NowMs();
    times.tourMs = closing - up;
    times.done = sheet.Ok() != -1;
    times.closeMs = times.sheet.returned - closing;
    return times;
}
