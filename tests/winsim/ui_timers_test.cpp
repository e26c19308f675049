// user32's timers, fired as a test moves the clock on.
#include "ui_test_templates.h"

#include "sim/kernel.h"

using namespace uitest;

namespace {

std::vector<std::string> g_fired;

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER)
        g_fired.push_back("window " + std::to_string(wParam) + " at " +
                          std::to_string(GetTickCount()));
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

VOID CALLBACK CountingProc(HWND, UINT msg, UINT_PTR id, DWORD time) {
    EXPECT_EQ(msg, UINT(WM_TIMER));
    EXPECT_EQ(time, GetTickCount());
    g_fired.push_back("proc " + std::to_string(id) + " at " + std::to_string(time));
}

// The status refresh of the Service page: each firing kills the timer and sets it again.
VOID CALLBACK RearmingProc(HWND hwnd, UINT, UINT_PTR id, DWORD time) {
    KillTimer(hwnd, id);
    g_fired.push_back("rearm at " + std::to_string(time));
    SetTimer(hwnd, id, 10000, RearmingProc);
}

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        g_fired.clear();
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TimerWindowProc;
        wc.lpszClassName = u"TimerTest";
        ASSERT_NE(RegisterClassExW(&wc), 0);
        window_ = CreateWindowExW(0, u"TimerTest", u"", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        start_ = GetTickCount();
    }
    void TearDown() override {
        DestroyWindow(window_);
        EXPECT_TRUE(sim::ActiveTimers().empty()) << "a window's timers die with it";
    }
    std::string At(const char* who, int id, DWORD after) {
        return std::string(who) + " " + std::to_string(id) + " at " +
               std::to_string(start_ + after);
    }

    HWND window_ = nullptr;
    DWORD start_ = 0;
};

TEST_F(TimerTest, TimersFireInTimeOrderEveryIntervalUntilKilled) {
    EXPECT_EQ(SetTimer(window_, 7, 300, nullptr), 7u);
    EXPECT_EQ(SetTimer(window_, 8, 500, CountingProc), 8u);
    sim::AdvanceClock(299);
    EXPECT_TRUE(g_fired.empty());
    sim::AdvanceClock(701);
    EXPECT_EQ(g_fired, Lines(At("window", 7, 300), At("proc", 8, 500), At("window", 7, 600),
                             At("window", 7, 900), At("proc", 8, 1000)));
    EXPECT_EQ(GetTickCount(), start_ + 1000);

    ASSERT_EQ(sim::ActiveTimers().size(), 2u);
    EXPECT_TRUE(KillTimer(window_, 7));
    EXPECT_FALSE(KillTimer(window_, 7));
    g_fired.clear();
    sim::AdvanceClock(1000);
    EXPECT_EQ(g_fired, Lines(At("proc", 8, 1500), At("proc", 8, 2000)));
}

TEST_F(TimerTest, SettingATimerAgainRestartsItsInterval) {
    SetTimer(window_, 1, 10000, nullptr);
    sim::AdvanceClock(6000);
    SetTimer(window_, 1, 10000, nullptr);
    ASSERT_EQ(sim::ActiveTimers().size(), 1u);
    EXPECT_EQ(sim::ActiveTimers()[0].dueIn, 10000u);
    sim::AdvanceClock(9999);
    EXPECT_TRUE(g_fired.empty());
    sim::AdvanceClock(1);
    EXPECT_EQ(g_fired, Lines(At("window", 1, 16000)));

    // Too short an interval becomes the platform's minimum.
    SetTimer(window_, 2, 1, nullptr);
    EXPECT_EQ(sim::ActiveTimers().back().interval, UINT(USER_TIMER_MINIMUM));
}

TEST_F(TimerTest, ATimerThatRearmsItselfKeepsItsRhythm) {
    SetTimer(window_, 13369, 10000, RearmingProc);
    sim::AdvanceClock(35000);
    EXPECT_EQ(g_fired, Lines("rearm at " + std::to_string(start_ + 10000),
                             "rearm at " + std::to_string(start_ + 20000),
                             "rearm at " + std::to_string(start_ + 30000)));
    ASSERT_EQ(sim::ActiveTimers().size(), 1u);
    EXPECT_EQ(sim::ActiveTimers()[0].dueIn, 5000u);
}

TEST_F(TimerTest, TimersWithoutAWindowGetAnIdentifierOfTheirOwn) {
    UINT_PTR a = SetTimer(nullptr, 0, 100, CountingProc);
    UINT_PTR b = SetTimer(nullptr, 0, 100, CountingProc);
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(SetTimer(nullptr, a, 200, CountingProc), a) << "an existing one is replaced";
    EXPECT_EQ(sim::ActiveTimers().size(), 2u);
    KillTimer(nullptr, a);
    KillTimer(nullptr, b);
    EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(0x1234), 1, 100, nullptr), 0u);
}

} // namespace
