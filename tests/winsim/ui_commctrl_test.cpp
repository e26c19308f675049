// comctl32's controls: track bars, up-down controls with their buddies, IP address controls and
// progress bars, driven by a program and by a person.
#include "ui_test_templates.h"

using namespace uitest;

namespace {

using CommonControlsTest = DialogControlsTest;

constexpr DWORD kTrackBar = WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_TOOLTIPS;

TEST_F(CommonControlsTest, TrackBarRangesAndThePositionInside) {
    TemplateBuilder b;
    b.Add(Control(TRACKBAR_CLASSW, u"", 10, kTrackBar, 7, 7, 100, 15));
    dialog_ = ShowDialog(b);
    EXPECT_EQ(Send(10, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(Send(10, TBM_GETRANGEMAX, 0, 0), 100);
    // TBM_SETRANGE's halves are unsigned; negative bounds take the two single messages.
    Send(10, TBM_SETRANGE, TRUE, MAKELONG(0, 40000));
    EXPECT_EQ(Send(10, TBM_GETRANGEMAX, 0, 0), 40000);
    Send(10, TBM_SETRANGEMIN, FALSE, -100);
    Send(10, TBM_SETRANGEMAX, TRUE, 100);
    EXPECT_EQ(Send(10, TBM_GETRANGEMIN, 0, 0), -100);
    EXPECT_EQ(Send(10, TBM_GETRANGEMAX, 0, 0), 100);
    Send(10, TBM_SETPOS, TRUE, -100);
    EXPECT_EQ(Send(10, TBM_GETPOS, 0, 0), -100);
    Send(10, TBM_SETPOS, TRUE, 250);
    EXPECT_EQ(Send(10, TBM_GETPOS, 0, 0), 100);
    Send(10, TBM_SETRANGEMAX, TRUE, 40);
    EXPECT_EQ(Send(10, TBM_GETPOS, 0, 0), 40) << "a narrower range pulls the position in";
    Send(10, TBM_SETTICFREQ, 20, 0);
    EXPECT_EQ(Send(10, TBM_GETNUMTICS, 0, 0), 140 / 20 + 2);
    EXPECT_TRUE(Events().empty()) << "a program moving the thumb notifies nobody";
}

TEST_F(CommonControlsTest, DraggingNotifiesEachMoveThenReleasesTheCapture) {
    TemplateBuilder b;
    b.Add(Control(TRACKBAR_CLASSW, u"", 11, kTrackBar, 7, 7, 100, 15))
        .Add(Control(TRACKBAR_CLASSW, u"", 12, kTrackBar | TBS_VERT, 7, 30, 15, 60));
    dialog_ = ShowDialog(b);
    TheRecorder().recordCustomDraw = false;
    Send(11, TBM_SETRANGE, FALSE, MAKELONG(0, 6));
    std::vector<LRESULT> positions;
    TheRecorder().answer = [&](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
        if (msg == WM_HSCROLL)
            positions.push_back(Send(11, TBM_GETPOS, 0, 0));
        return -1;
    };

    sim::DragTrackBar(dialog_, 11, std::vector<int>{2, 3, 3, 9});
    EXPECT_EQ(Events(),
              Lines(Scroll("HSCROLL", TB_THUMBTRACK, 2), Scroll("HSCROLL", TB_THUMBTRACK, 3),
                    Scroll("HSCROLL", TB_THUMBTRACK, 6), Scroll("HSCROLL", TB_THUMBPOSITION, 6),
                    Scroll("HSCROLL", TB_ENDTRACK, 0), Notify(11, NM_RELEASEDCAPTURE)));
    EXPECT_EQ(positions, (std::vector<LRESULT>{2, 3, 6, 6, 6})) << "moved before each report";

    // Keys report their code and the key's release; the mouse was never captured.
    TheRecorder().Clear();
    sim::PressKeyOnTrackBar(dialog_, 11, VK_LEFT);
    sim::PressKeyOnTrackBar(dialog_, 11, VK_HOME);
    sim::PressKeyOnTrackBar(dialog_, 11, VK_NEXT);
    EXPECT_EQ(Events(),
              Lines(Scroll("HSCROLL", TB_LINEUP, 0), Scroll("HSCROLL", TB_ENDTRACK, 0),
                    Scroll("HSCROLL", TB_TOP, 0), Scroll("HSCROLL", TB_ENDTRACK, 0),
                    Scroll("HSCROLL", TB_PAGEDOWN, 0), Scroll("HSCROLL", TB_ENDTRACK, 0)));
    EXPECT_EQ(Send(11, TBM_GETPOS, 0, 0), 1) << "a page is a fifth of the range, at least 1";

    // A click on the thumb without moving it still ends the track and releases the capture.
    TheRecorder().Clear();
    sim::DragTrackBar(dialog_, 12, 0);
    EXPECT_EQ(Events(), Lines(Scroll("VSCROLL", TB_ENDTRACK, 0), Notify(12, NM_RELEASEDCAPTURE)));
}

TEST_F(CommonControlsTest, TrackBarsAskForCustomDrawingWhenPainted) {
    TemplateBuilder b;
    b.Add(Control(TRACKBAR_CLASSW, u"", 13, kTrackBar, 7, 7, 100, 15));
    dialog_ = ShowDialog(b);
    sim::PumpMessages();
    EXPECT_TRUE(Events().empty()) << "painted once when it appeared, not again";
    Send(13, TBM_SETPOS, FALSE, 5);
    sim::PumpMessages();
    EXPECT_TRUE(Events().empty()) << "TBM_SETPOS without redraw";
    Send(13, TBM_SETPOS, TRUE, 6);
    sim::PumpMessages();
    EXPECT_EQ(Events(), Lines(Notify(13, NM_CUSTOMDRAW)));
    sim::Paint(dialog_);
    EXPECT_EQ(Events(), Lines(Notify(13, NM_CUSTOMDRAW), Notify(13, NM_CUSTOMDRAW)));
}

constexpr DWORD kUpDown = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_AUTOBUDDY;

TEST_F(CommonControlsTest, UpDownControlsWriteAndReadTheirBuddy) {
    TemplateBuilder b;
    b.Add(Control(u"Edit", u"", 20, WS_TABSTOP | ES_NUMBER, 7, 7, 60, 14))
        .Add(Control(UPDOWN_CLASSW, u"", 21, kUpDown, 67, 7, 10, 14));
    dialog_ = ShowDialog(b);
    HWND edit = GetDlgItem(dialog_, 20);
    EXPECT_EQ(reinterpret_cast<HWND>(Send(21, UDM_GETBUDDY, 0, 0)), edit) << "UDS_AUTOBUDDY";
    RECT e, u;
    GetWindowRect(edit, &e);
    GetWindowRect(GetDlgItem(dialog_, 21), &u);
    EXPECT_EQ(u.left, e.right) << "UDS_ALIGNRIGHT puts it on the buddy's right edge";

    int low = 0, high = 0;
    Send(21, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 100) << "the platform's default range runs from 100 down to 0";
    EXPECT_EQ(high, 0);
    Send(21, UDM_SETRANGE32, 0, 20000);

    // Setting the position writes the buddy, which reports the change like any WM_SETTEXT.
    EXPECT_EQ(Send(21, UDM_SETPOS32, 0, 1234), 0);
    EXPECT_EQ(sim::ControlText(dialog_, 20), u"1,234");
    EXPECT_EQ(Events(), Lines(Command(20, EN_UPDATE), Command(20, EN_CHANGE)));
    EXPECT_EQ(Send(21, UDM_SETPOS32, 0, 99999), 1234) << "answers the previous position";
    EXPECT_EQ(sim::ControlText(dialog_, 20), u"20,000") << "clamped to the range";

    // Reading takes the buddy's text, whatever the person typed.
    BOOL error = TRUE;
    sim::TypeText(dialog_, 20, u"42");
    EXPECT_EQ(Send(21, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), 42);
    EXPECT_FALSE(error);
    SetWindowTextW(edit, u"");
    Send(21, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error));
    EXPECT_TRUE(error) << "an empty buddy is no number";
    EXPECT_EQ(HIWORD(Send(21, UDM_GETPOS, 0, 0)), 1);
    SetWindowTextW(edit, u"7");
    EXPECT_EQ(Send(21, UDM_GETPOS, 0, 0), MAKELONG(7, 0));
}

// What UDN_DELTAPOS carries is held against the platform in the conformance suite.
TEST_F(CommonControlsTest, ClickingAnArrowAsksTheParentFirst) {
    TemplateBuilder b;
    b.Add(Control(u"Edit", u"", 30, WS_TABSTOP, 7, 7, 60, 14))
        .Add(Control(UPDOWN_CLASSW, u"", 31, kUpDown | UDS_NOTHOUSANDS, 67, 7, 10, 14));
    dialog_ = ShowDialog(b, 0, false);
    Send(31, UDM_SETRANGE32, 1, 1500);
    Send(31, UDM_SETPOS32, 0, 1499);
    TheRecorder().Clear();
    int refuse = 0;
    TheRecorder().answer = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> LRESULT {
        bool asked = msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == UDN_DELTAPOS;
        return asked ? refuse : -1;
    };
    sim::ClickUpDown(dialog_, 31, true);
    EXPECT_EQ(Events(),
              Lines(Command(30, EN_SETFOCUS), Notify(31, UDN_DELTAPOS), Command(30, EN_UPDATE),
                    Command(30, EN_CHANGE), Scroll("VSCROLL", SB_THUMBPOSITION, 1500),
                    Scroll("VSCROLL", SB_ENDSCROLL, 1500)));
    EXPECT_EQ(sim::ControlText(dialog_, 30), u"1500");

    // A refused change leaves everything; the release still ends the scroll.
    TheRecorder().Clear();
    Send(31, UDM_SETPOS32, 0, 1499);
    TheRecorder().Clear();
    refuse = 1;
    sim::ClickUpDown(dialog_, 31, true);
    EXPECT_EQ(Events(), Lines(Notify(31, UDN_DELTAPOS), Scroll("VSCROLL", SB_ENDSCROLL, 1499)));
}

TEST_F(CommonControlsTest, ArrowsStopAtTheEndsUnlessTheyWrap) {
    TemplateBuilder b;
    b.Add(Control(u"Edit", u"", 40, WS_TABSTOP, 7, 7, 60, 14))
        .Add(Control(UPDOWN_CLASSW, u"", 41, kUpDown, 67, 7, 10, 14))
        .Add(Control(u"Edit", u"", 42, WS_TABSTOP, 7, 30, 60, 14))
        .Add(Control(UPDOWN_CLASSW, u"", 43, kUpDown | UDS_WRAP, 67, 30, 10, 14));
    dialog_ = ShowDialog(b);
    // The default range runs toward 0, so "up" lowers the number.
    Send(41, UDM_SETPOS32, 0, 1);
    sim::ClickUpDown(dialog_, 41, true);
    sim::ClickUpDown(dialog_, 41, true);
    EXPECT_EQ(sim::ControlText(dialog_, 40), u"0");
    Send(43, UDM_SETRANGE32, 0, 3);
    Send(43, UDM_SETPOS32, 0, 3);
    sim::ClickUpDown(dialog_, 43, true);
    EXPECT_EQ(sim::ControlText(dialog_, 42), u"0");
    sim::ClickUpDown(dialog_, 43, false);
    EXPECT_EQ(sim::ControlText(dialog_, 42), u"3");
}

TEST_F(CommonControlsTest, IpAddressControlsCountTheirFieldsAndReportTyping) {
    TemplateBuilder b;
    b.Add(Control(WC_IPADDRESSW, u"", 50, WS_TABSTOP, 7, 7, 100, 14))
        .Add(Control(u"Edit", u"", 51, WS_TABSTOP, 7, 30, 60, 14));
    dialog_ = ShowDialog(b, 0, false);
    DWORD address = 1;
    EXPECT_TRUE(Send(50, IPM_ISBLANK, 0, 0));
    EXPECT_EQ(Send(50, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)), 0);
    EXPECT_EQ(address, 0u);

    Send(50, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 20));
    EXPECT_EQ(Events(), Lines(Command(50, EN_CHANGE), Command(50, EN_CHANGE),
                              Command(50, EN_CHANGE), Command(50, EN_CHANGE)))
        << "one change per field, and no IPN_FIELDCHANGED for the program's address";
    EXPECT_EQ(Send(50, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)), 4);
    EXPECT_EQ(FIRST_IPADDRESS(address), 192u);
    EXPECT_EQ(FOURTH_IPADDRESS(address), 20u);
    EXPECT_EQ(sim::ControlText(dialog_, 50), u"192.168.1.20");

    // The person types a new gateway: the first and last fields change, one key at a time.
    TheRecorder().Clear();
    sim::TypeIpAddress(dialog_, 50, u"10.168.1.");
    EXPECT_EQ(Events(),
              Lines(Command(50, EN_SETFOCUS), Command(50, EN_CHANGE), Command(50, EN_CHANGE),
                    Notify(50, IPN_FIELDCHANGED), Command(50, EN_CHANGE), Command(50, EN_CHANGE),
                    Command(50, EN_CHANGE), Command(50, EN_CHANGE), Command(50, EN_CHANGE),
                    Notify(50, IPN_FIELDCHANGED)))
        << "168 and 1 are retyped unchanged; the last field is cleared";
    EXPECT_EQ(Send(50, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)), 3);
    EXPECT_EQ(address, static_cast<DWORD>(MAKEIPADDRESS(10, 168, 1, 0)));
    TheRecorder().Clear();
    sim::MoveFocus(dialog_, 51);
    EXPECT_EQ(Events(), Lines(Command(50, EN_KILLFOCUS), Command(51, EN_SETFOCUS)));
    EXPECT_DEATH(sim::TypeIpAddress(dialog_, 50, u"300.1.1.1"), "outside field 0's range");
    Send(50, IPM_CLEARADDRESS, 0, 0);
    EXPECT_TRUE(Send(50, IPM_ISBLANK, 0, 0));
}

TEST_F(CommonControlsTest, ProgressBarsKeepTheirPositionInTheRange) {
    TemplateBuilder b;
    b.Add(Control(PROGRESS_CLASSW, u"", 60, 0, 7, 7, 100, 10));
    dialog_ = ShowDialog(b);
    EXPECT_EQ(Send(60, PBM_SETRANGE, 0, MAKELPARAM(0, 50)), MAKELRESULT(0, 100));
    EXPECT_EQ(Send(60, PBM_SETPOS, 70, 0), 0);
    EXPECT_EQ(Send(60, PBM_GETPOS, 0, 0), 50);
    PBRANGE range;
    EXPECT_EQ(Send(60, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 0);
    EXPECT_EQ(range.iHigh, 50);
    Send(60, PBM_SETPOS, 45, 0);
    Send(60, PBM_SETSTEP, 10, 0);
    EXPECT_EQ(Send(60, PBM_STEPIT, 0, 0), 45);
    EXPECT_EQ(Send(60, PBM_GETPOS, 0, 0), 5) << "past the end the bar starts over";
    EXPECT_DEATH(Send(60, WM_USER + 99, 0, 0), "0x0463.*msctls_progress32");
}

TEST_F(CommonControlsTest, InitCommonControlsExChecksItsRecord) {
    INITCOMMONCONTROLSEX bad = {4, ICC_BAR_CLASSES};
    EXPECT_FALSE(InitCommonControlsEx(&bad));
    INITCOMMONCONTROLSEX good = {sizeof good, ICC_BAR_CLASSES | ICC_INTERNET_CLASSES};
    EXPECT_TRUE(InitCommonControlsEx(&good));
}

} // namespace
