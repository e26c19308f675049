// bench.exe: how long the printing preferences take under Wine (scripts/bench.sh). The plug-in's
// sheet, opened as an application opens it (DocumentPropertiesW with DM_IN_PROMPT), is timed
// against a bare sheet opened the same way: the configuration module then adds the same dialog
// templates with pages that do nothing (QV_BARE_PAGES).
//   bench tour <runs> <label>   opens both sheets <runs> times each, one after the other, then a
//                               third as many again with the clock's message hooks (the phases)
//   bench latency <runs>        opens, applies and opens the properties with every spooler call
//                               of the plug-in first waiting 0 and then 20 ms (a print server)
// Openings are timed until the sheet is up, stamped on its own thread (sheet_clock.h).
//   bench media <count>         stores <count> custom media types
//   bench forms <count>         adds <count> user forms; prints the forms listed before and after
#include "printer_tool/printer_folder.h"
#include "printer_lists.h"
#include "sheet_clock.h"
#include "stopwatch.h"
#include "timed_tour.h"
#include "timings.h"

#include "seams.h"

#include "resources/resource.h"

#include <commctrl.h>
#include <strsafe.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

LPWSTR PrinterName() {
    return const_cast<LPWSTR>(kTarvikPrinterName);
}

struct Series {
    explicit Series(const char* seriesName) : name(seriesName) {}
    const char* name;
    std::vector<double> open, tour, close, total;
    int pages = 0;
    std::string titles;
    std::vector<std::vector<double>> pageMs, pageInitMs;
    // From the tours with the message hooks: to the sheet's window (the caller's calls, the
    // configuration module, the pages' INIT), from there until up, the pages' PSN_APPLY and
    // WM_DESTROY, and from the sheet's end until the call returned.
    std::vector<double> toSheet, firstPage, apply, destroy, afterSheet;
    int changed = 0;
    int applyShown = 0;
    int applyEnabled = 0;
    int pagesApplied = 0;
    int failed = 0;

    void Add(const TourTimes& times) {
        if (!times.done) {
            ++failed;
            return;
        }
        open.push_back(times.openMs);
        tour.push_back(times.tourMs);
        close.push_back(times.closeMs);
        total.push_back(times.totalMs());
        pages = times.pages;
        titles = times.titles;
        pageMs.resize(times.pageMs.size());
        for (size_t i = 0; i < times.pageMs.size(); ++i)
            pageMs[i].push_back(times.pageMs[i]);
        changed += times.changed ? 1 : 0;
        applyShown += times.applyShown ? 1 : 0;
        applyEnabled += times.applyEnabled ? 1 : 0;
    }

    void AddPhases(const TourTimes& times) {
        const SheetTimes& sheet = times.sheet;
        if (!times.done)
            return;
        pageInitMs.resize(sheet.pageInitMs.size());
        for (size_t i = 0; i < sheet.pageInitMs.size(); ++i)
            pageInitMs[i].push_back(sheet.pageInitMs[i]);
        toSheet.push_back(sheet.created - sheet.called);
        firstPage.push_back(sheet.up - sheet.created);
        apply.push_back(sheet.applyMs);
        destroy.push_back(sheet.destroyMs);
        afterSheet.push_back(sheet.returned - sheet.destroyed);
        pagesApplied = times.pagesApplied;
    }
};

void PrintSeries(const Series& series, const char* label) {
    const struct {
        const char* phase;
        const std::vector<double>& samples;
    } phases[] = {{"open", series.open},
                  {"tour", series.tour},
                  {"close", series.close},
                  {"total", series.total}};
    std::printf("%-7s %d pages; %zu runs, %d did not come up; Collate clicked in %d; the Apply "
                "button shown in %d, enabled "
                "by the change in %d; Apply told %d pages\n",
                series.name, series.pages, series.total.size(), series.failed, series.changed,
                series.applyShown, series.applyEnabled, series.pagesApplied);
    std::printf("  pages (%s), median ms each after the first:", series.titles.c_str());
    for (const std::vector<double>& page : series.pageMs)
        std::printf(" %.1f", SpreadOf(page).median);
    std::printf(
        "\n  phases (medians of %zu tours with the message hooks): the pages' WM_INITDIALOG",
        series.toSheet.size());
    for (const std::vector<double>& page : series.pageInitMs)
        std::printf(" %.1f", SpreadOf(page).median);
    std::printf("; to the sheet's window %.1f, then up %.1f; PSN_APPLY %.1f; WM_DESTROY %.1f; "
                "from the sheet's end to the return %.1f ms\n",
                SpreadOf(series.toSheet).median, SpreadOf(series.firstPage).median,
                SpreadOf(series.apply).median, SpreadOf(series.destroy).median,
                SpreadOf(series.afterSheet).median);
    for (const auto& phase : phases) {
        Spread spread = SpreadOf(phase.samples);
        std::printf("  %-6s min %7.1f  median %7.1f  max %7.1f ms\n", phase.phase, spread.min,
                    spread.median, spread.max);
    }
    Spread total = SpreadOf(series.total);
    std::printf("RESULT %s %s %.1f %.1f %.1f %d\n", label, series.name, total.min, total.median,
                total.max, series.failed);
}

int Tour(int runs, const char* label) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // One opening of each first, not counted: it loads the libraries.
    TimeTour(false);
    TimeTour(true);
    Series plugin("plug-in"), bareSeries("bare");
    // Alternating, so that whatever else the machine does weighs on both alike. Each opening of
    // the plug-in is also set against the bare one right after it: on a machine whose speed
    // wanders, the median of these paired ratios is the steadier figure.
    std::vector<double> paired;
    for (int i = 0; i < runs; ++i) {
        TourTimes mine = TimeTour(false), bare = TimeTour(true);
        if (mine.done && bare.done && bare.totalMs() > 0)
            paired.push_back(mine.totalMs() / bare.totalMs());
        plugin.Add(mine);
        bareSeries.Add(bare);
    }
    // Where the time goes, apart: a hook on every message sent on the sheet's thread makes each
    // message slower (under Wine a round trip to its server), so these tours are not timed.
    for (int i = 0; i < (runs + 2) / 3; ++i) {
        plugin.AddPhases(TimeTour(false, true));
        bareSeries.AddPhases(TimeTour(true, true));
    }
    PrintSeries(plugin, label);
    PrintSeries(bareSeries, label);
    std::printf("PAIRED %s %.3f\n", label, SpreadOf(paired).median);
    return plugin.failed == 0 && bareSeries.failed == 0 ? 0 : 1;
}

// The printer's properties as the printer folder opens them, on the sheet's thread.
LONG OpenProperties(HWND owner) {
    PRINTER_DEFAULTSW manage = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(PrinterName(), &printer, &manage))
        return -1;
    LONG result = OpenPrinterProperties(owner, printer, PrinterName());
    ClosePrinter(printer);
    return result;
}

// Opening the preferences until up, Apply after one change, and opening the properties until up
// (on the sheets' thread), `runs` times with the plug-in's spooler calls each first waiting
// `latencyMs`.
void TimeLatency(int runs, DWORD latencyMs) {
    Seams seams;
    seams.latencyMs = latencyMs;
    std::vector<double> open, apply, propertiesOpen;
    long calls[3] = {};
    for (int i = 0; i <= runs; ++i) { // the first run loads the libraries, and is not counted
        Sheet sheet, device;
        SheetTimes preferences, properties;
        seams.ForgetCalls();
        if (!OpenTimed(sheet, OpenPreferences, preferences))
            continue;
        calls[0] = seams.SpoolerCalls();
        Click(sheet.Page(IDC_LAYOUT_COLLATE), IDC_LAYOUT_COLLATE);
        seams.ForgetCalls();
        double before = NowMs();
        sheet.Apply();
        double applied = NowMs();
        calls[1] = seams.SpoolerCalls();
        sheet.Ok();
        seams.ForgetCalls();
        bool shown = OpenTimed(device, OpenProperties, properties);
        calls[2] = seams.SpoolerCalls();
        device.Cancel();
        // Without counted calls the seams were not in the plug-in's way: no figure.
        if (i == 0 || !shown || calls[0] == 0)
            continue;
        open.push_back(preferences.openMs());
        apply.push_back(applied - before);
        propertiesOpen.push_back(properties.openMs());
    }
    std::printf("LATENCY %lu %zu %.1f %.1f %.1f %ld %ld %ld\n", latencyMs, open.size(),
                SpreadOf(open).median, SpreadOf(apply).median, SpreadOf(propertiesOpen).median,
                calls[0], calls[1], calls[2]);
}

HANDLE OpenForChanges() {
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(PrinterName(), &printer, &defaults)) {
        std::fprintf(stderr, "the printer cannot be opened for changes (%lu)\n", GetLastError());
        return nullptr;
    }
    return printer;
}

int Media(int count) {
    HANDLE printer = OpenForChanges();
    if (printer == nullptr)
        return 1;
    int stored = StoreCustomMediaTypes(printer, count);
    ClosePrinter(printer);
    std::printf("MEDIA %d\n", stored);
    return stored >= count ? 0 : 1;
}

int Forms(int count) {
    HANDLE printer = OpenForChanges();
    if (printer == nullptr)
        return 1;
    int before = CountForms(printer);
    bool added = AddBenchForms(printer, count);
    int after = CountForms(printer);
    ClosePrinter(printer);
    std::printf("FORMS %d %d %s\n", before, after, added ? "succeeded every time" : "failed");
    return 0;
}

} // namespace

int wmain(int argc, WCHAR** argv) {
    if (argc == 4 && lstrcmpW(argv[1], TEXT("tour")) == 0) {
        char label[64];
        WideCharToMultiByte(CP_UTF8, 0, argv[3], -1, label, sizeof(label), nullptr, nullptr);
        return Tour(_wtoi(argv[2]), label);
    }
    if (argc == 3 && lstrcmpW(argv[1], TEXT("latency")) == 0) {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        for (DWORD latency : {0u, 20u})
            TimeLatency(_wtoi(argv[2]), latency);
        return 0;
    }
    if (argc == 3 && lstrcmpW(argv[1], TEXT("media")) == 0)
        return Media(_wtoi(argv[2]));
    if (argc == 3 && lstrcmpW(argv[1], TEXT("forms")) == 0)
        return Forms(_wtoi(argv[2]));
    std::fprintf(stderr, "usage: bench tour <runs> <label> | latency <runs> | media <count> | "
                         "forms <count>\n");
    return 2;
}
