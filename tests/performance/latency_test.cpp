// What a person waits for when every round trip to the print server takes 20 ms: the times of
// opening the printing preferences, showing the paper page, applying, and opening the printer's
// properties, printed for the record.
#include "performance/round_trip_fixture.h"

#include "resources/resource.h"

#include <chrono>
#include <cstdio>

namespace {

constexpr DWORD kRemoteLatencyMs = 20;

struct Timed {
    CallCounts calls;
    double milliseconds;
};

template <class Action> Timed TimeOf(Action action) {
    sim::ResetSpoolerCalls();
    auto start = std::chrono::steady_clock::now();
    action();
    std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return {sim::SpoolerCallCounts(), spent.count()};
}

void Report(const char* what, const Timed& timed) {
    std::printf("[ latency  ] %-32s %4zu round trips %7.0f ms\n", what, TotalOf(timed.calls),
                timed.milliseconds);
    std::printf("[ latency  ]   %s\n", DescribeCounts(timed.calls).c_str());
    // Every counted call waited: the time is real, not an estimate.
    EXPECT_GE(timed.milliseconds, TotalOf(timed.calls) * kRemoteLatencyMs * 0.99) << what;
}

TEST_F(RoundTripTest, TimesOnARemotePrintServer) {
    sim::SetSpoolerLatency(kRemoteLatencyMs);
    // The host's own OpenPrinterW is part of what the person waits for, and is counted here.
    Report("printing preferences open", TimeOf([&] { OpenPreferencesWithJob(); }));
    Report("paper page first shown", TimeOf([&] { ShowPage(kPaperPage); }));
    Report("main page first shown", TimeOf([&] { ShowPage(kMainPage); }));
    sim::Click(ShowPage(kLayoutPage), IDC_LAYOUT_SINGLE_SIDED);
    Report("apply (single sided)", TimeOf([&] { sim::PressApply(sheet()); }));
    Report("printer properties open", TimeOf([&] { OpenPrinterProperties(); }));
    sim::SetSpoolerLatency(0);
}

} // namespace
