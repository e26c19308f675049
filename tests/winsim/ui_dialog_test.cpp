// user32's dialog manager: templates read from the plug-in's compiled resources and from
// memory, dialog units, WM_INITDIALOG and the focus rule, results through DWLP_MSGRESULT, the
// keyboard's Escape and Enter, and the window tree's creation and destruction order.
#include "ui_test_templates.h"

#include "resources/resource.h"
#include "sim/gdi.h"
#include "plugin_module.h"
#include "sim/kernel.h"

using namespace simtest;
using namespace uitest;

namespace {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        module_ = LoadPluginModule();
        ASSERT_NE(module_, nullptr);
        TheRecorder() = Recorder();
    }
    void TearDown() override {
        if (IsWindow(dialog_))
            DestroyWindow(dialog_);
        EXPECT_EQ(sim::LiveWindowCount(), 0u);
        EXPECT_EQ(sim::LiveGdiObjects(), 0u);
        FreeLibrary(module_);
    }
    HWND FromResource(int id) {
        return CreateDialogParamW(module_, MAKEINTRESOURCEW(id), nullptr, RecordingProc, 0);
    }

    HMODULE module_ = nullptr;
    HWND dialog_ = nullptr;
};

const sim::ControlInfo& Find(const std::vector<sim::ControlInfo>& controls, int id) {
    for (const auto& c : controls)
        if (c.id == id)
            return c;
    ADD_FAILURE() << "no control " << id;
    return controls.front();
}

TEST_F(DialogTest, TheNoticeTemplateIsReadItemByItemInTemplateOrder) {
    dialog_ = FromResource(IDD_NOTICE);
    ASSERT_NE(dialog_, nullptr);
    std::vector<sim::ControlInfo> controls = sim::DialogControls(dialog_);
    // The controls come in template order, which is the tab order.
    std::vector<int> order;
    for (const auto& c : controls)
        if (c.id == IDC_NOTICE_TEXT || c.id == IDC_NOTICE_OPT_OUT || c.id == IDC_NOTICE_OK ||
            c.id == IDC_NOTICE_YES || c.id == IDC_NOTICE_NO)
            order.push_back(c.id);
    EXPECT_EQ(order, (std::vector<int>{IDC_NOTICE_TEXT, IDC_NOTICE_OPT_OUT, IDC_NOTICE_OK,
                                       IDC_NOTICE_YES, IDC_NOTICE_NO}));

    const sim::ControlInfo& text = Find(controls, IDC_NOTICE_TEXT);
    EXPECT_EQ(text.className, u"Edit");
    EXPECT_EQ(text.style & (ES_MULTILINE | ES_READONLY | WS_CHILD),
              DWORD(ES_MULTILINE | ES_READONLY | WS_CHILD));
    // 7, 17, 216 x 64 dialog units at 6 x 13 pixels per 4 x 8 units, rounded.
    EXPECT_EQ(text.rect.left, 11);
    EXPECT_EQ(text.rect.top, 28);
    EXPECT_EQ(text.rect.right - text.rect.left, 324);
    EXPECT_EQ(text.rect.bottom - text.rect.top, 104);

    EXPECT_EQ(Find(controls, IDC_NOTICE_OPT_OUT).style & BS_TYPEMASK, DWORD(BS_AUTOCHECKBOX));
    EXPECT_EQ(Find(controls, IDC_NOTICE_OPT_OUT).text, u"Do not show this message again.");
    EXPECT_EQ(Find(controls, IDC_NOTICE_YES).style & BS_TYPEMASK, DWORD(BS_DEFPUSHBUTTON));
    EXPECT_EQ(Find(controls, IDC_NOTICE_YES).text, u"&Yes");
    EXPECT_EQ(controls.front().className, u"Static") << "the text area's label comes first";
    EXPECT_FALSE(sim::IsVisible(dialog_, IDC_NOTICE_OK)) << "created hidden";
    EXPECT_FALSE(IsWindowVisible(dialog_)) << "a modeless dialog without WS_VISIBLE stays hidden";
    ShowWindow(dialog_, SW_SHOW);
    EXPECT_TRUE(sim::IsVisible(dialog_, IDC_NOTICE_YES));
    EXPECT_FALSE(sim::IsVisible(dialog_, IDC_NOTICE_OK));

    // The show state is the platform's number: 5 shows, 0 hides.
    ShowWindow(GetDlgItem(dialog_, IDC_NOTICE_OK), 5);
    EXPECT_TRUE(sim::IsVisible(dialog_, IDC_NOTICE_OK));
    EXPECT_TRUE(ShowWindow(GetDlgItem(dialog_, IDC_NOTICE_OK), 0)) << "it was visible";
    EXPECT_FALSE(sim::IsVisible(dialog_, IDC_NOTICE_OK));
}

TEST_F(DialogTest, PicturesNamedInATemplateAreLoadedAtTheirSizeAndFreedWithTheControl) {
    // Pictures named by resource ordinal, loaded from the module the dialog is created with.
    TemplateBuilder b;
    Item dots = Control(u"Static", u"", 70, SS_BITMAP, 7, 7, 22, 20);
    dots.textOrdinal = IDB_BRAILLE_DOTS;
    Item drop = Control(u"Static", u"", 71, SS_BITMAP, 40, 7, 22, 20);
    drop.textOrdinal = IDB_INK_DROP;
    b.Add(dots).Add(drop);
    dialog_ = CreateDialogIndirectParamW(module_, b.Get(), nullptr, RecordingProc, 0);
    ASSERT_NE(dialog_, nullptr);
    std::vector<HWND> pictures;
    for (const auto& c : sim::DialogControls(dialog_))
        if (c.className == u"Static" && (c.style & SS_TYPEMASK) == SS_BITMAP)
            pictures.push_back(c.window);
    ASSERT_EQ(pictures.size(), 2u);
    const int ids[] = {IDB_BRAILLE_DOTS, IDB_INK_DROP};
    for (size_t i = 0; i < pictures.size(); ++i) {
        HBITMAP shown =
            reinterpret_cast<HBITMAP>(SendMessageW(pictures[i], STM_GETIMAGE, IMAGE_BITMAP, 0));
        HBITMAP own = LoadBitmapW(module_, MAKEINTRESOURCEW(ids[i]));
        BITMAP info{}, expected{};
        ASSERT_EQ(GetObjectW(shown, sizeof info, &info), (int)sizeof info);
        ASSERT_EQ(GetObjectW(own, sizeof expected, &expected), (int)sizeof expected);
        DeleteObject(own);
        EXPECT_EQ(info.bmWidth, expected.bmWidth) << ids[i];
        EXPECT_EQ(info.bmHeight, expected.bmHeight) << ids[i];
        RECT r;
        GetClientRect(pictures[i], &r);
        EXPECT_EQ(r.right, info.bmWidth) << "the control takes the bitmap's size";
        EXPECT_EQ(r.bottom, info.bmHeight);
    }
    EXPECT_EQ(sim::LiveBitmaps(), 2u);
    // A bitmap given with STM_SETIMAGE stays the program's; the one it replaced goes back to it.
    HBITMAP mine = LoadBitmapW(module_, MAKEINTRESOURCEW(IDB_BRAILLE_DOTS));
    HBITMAP old = reinterpret_cast<HBITMAP>(
        SendMessageW(pictures[0], STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(mine)));
    EXPECT_NE(old, nullptr);
    DestroyWindow(dialog_);
    EXPECT_EQ(sim::LiveBitmaps(), 2u) << "the control deletes only the picture it loaded itself";
    DeleteObject(mine);
    DeleteObject(old);
}

TEST_F(DialogTest, OriginalTemplatesWithoutAFontUseTheSystemFontUnits) {
    // DLGTEMPLATE: no DS_SETFONT, so 8 x 16 pixels per 4 x 8 units; one static item whose
    // creation data (size word included in its count) must be stepped over, then a button.
    // The header: style, no extended style, two items, position and size, no menu, the dialog
    // class, the title "T", and padding to a DWORD boundary.
    std::vector<WORD> w = {LOWORD(WS_POPUP | WS_VISIBLE),
                           HIWORD(WS_POPUP | WS_VISIBLE),
                           0,
                           0,
                           2,
                           0,
                           0,
                           100,
                           50,
                           0,
                           0,
                           u'T',
                           0,
                           0};
    // The static item "hi" (class 0x0082) with 4 bytes of creation data, its size word counted.
    w.insert(w.end(),
             {LOWORD(WS_CHILD | WS_VISIBLE | SS_LEFT), HIWORD(WS_CHILD | WS_VISIBLE | SS_LEFT), 0,
              0, 4, 8, 40, 16, 300, 0xFFFF, 0x0082, u'h', u'i', 0, 4, 0xABCD});
    // The button "OK" (class 0x0080) without creation data.
    w.insert(w.end(), {LOWORD(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON),
                       HIWORD(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON), 0, 0, 4, 24, 40, 14, 301,
                       0xFFFF, 0x0080, u'O', u'K', 0, 0});
    std::vector<DWORD> storage((w.size() * 2 + 3) / 4);
    std::copy(w.begin(), w.end(), reinterpret_cast<WORD*>(storage.data()));
    dialog_ = CreateDialogIndirectParamW(
        nullptr, reinterpret_cast<const DLGTEMPLATE*>(storage.data()), nullptr, RecordingProc, 0);
    ASSERT_NE(dialog_, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog_)) << "WS_VISIBLE in the template shows the dialog";
    EXPECT_EQ(sim::WindowText(dialog_), u"T");
    EXPECT_EQ(sim::ControlText(dialog_, 300), u"hi");
    EXPECT_EQ(sim::ControlText(dialog_, 301), u"OK");
    RECT r = {4, 8, 44, 24};
    MapDialogRect(dialog_, &r);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 16);
    EXPECT_EQ(r.right, 88);
    EXPECT_EQ(r.bottom, 48);
}

TEST_F(DialogTest, InitDialogGetsTheParameterAndTheFocusRule) {
    TemplateBuilder b;
    b.Add(Control(u"Static", u"Label", 1, 0))
        .Add(Control(u"Edit", u"", 2, WS_TABSTOP | WS_DISABLED))
        .Add(Control(u"Edit", u"", 3, WS_TABSTOP, 7, 30))
        .Add(Button(u"OK", IDOK, BS_DEFPUSHBUTTON, 60));
    dialog_ = ShowDialog(b, 0x1234);
    EXPECT_EQ(TheRecorder().initParam, 0x1234);
    // The first tab stop that is visible and enabled is offered, and taken on TRUE.
    EXPECT_EQ(TheRecorder().initFocus, GetDlgItem(dialog_, 3));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog_, 3));
    DestroyWindow(dialog_);
    EXPECT_EQ(GetFocus(), nullptr);

    dialog_ = ShowDialog(b, 0, false);
    EXPECT_EQ(GetFocus(), nullptr) << "FALSE leaves the focus to the dialog procedure";
}

INT_PTR CALLBACK AnsweringProc(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_USER + 1) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 42);
        return TRUE;
    }
    if (msg == WM_USER + 2)
        return TRUE; // handled, but no result set
    if (msg == WM_INITDIALOG)
        return 7;
    return FALSE;
}

TEST_F(DialogTest, HandledMessagesAnswerThroughDwlpMsgResult) {
    TemplateBuilder b;
    dialog_ = CreateDialogIndirectParamW(nullptr, b.Get(), nullptr, AnsweringProc, 0);
    ASSERT_NE(dialog_, nullptr);
    EXPECT_EQ(SendMessageW(dialog_, WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(SendMessageW(dialog_, WM_USER + 2, 0, 0), 0)
        << "the slot starts at 0 for each message";
    EXPECT_EQ(SendMessageW(dialog_, WM_INITDIALOG, 0, 0), 7) << "WM_INITDIALOG answers directly";
    EXPECT_EQ(SendMessageW(dialog_, WM_USER + 3, 0, 0), 0);
    EXPECT_EQ(GetWindowLongPtrW(dialog_, DWLP_MSGRESULT), 0);
    EXPECT_EQ(reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog_, DWLP_DLGPROC)), AnsweringProc);
}

TEST_F(DialogTest, EscapeEnterAndTheCloseBoxBecomeCommands) {
    TemplateBuilder b;
    b.Add(Button(u"Yes", 2, BS_DEFPUSHBUTTON, 7))
        .Add(Button(u"No", 3, BS_PUSHBUTTON, 30))
        .Add(Control(u"Edit", u"", 4, WS_TABSTOP, 7, 60));
    dialog_ = ShowDialog(b);
    sim::PressEscape(dialog_);
    sim::PressCloseBox(dialog_);
    SetFocus(GetDlgItem(dialog_, 4));
    sim::PressEnter(dialog_); // the default button
    SetFocus(GetDlgItem(dialog_, 3));
    sim::PressEnter(dialog_); // a focused push button takes Enter
    EXPECT_EQ(TheRecorder().events,
              Lines(Command(IDCANCEL, BN_CLICKED), Command(IDCANCEL, BN_CLICKED),
                    Command(4, EN_SETFOCUS), Command(2, BN_CLICKED), Command(4, EN_KILLFOCUS),
                    Command(3, BN_CLICKED)));
    // With Cancel disabled Escape and the close box only beep.
    EnableWindow(GetDlgItem(dialog_, IDCANCEL), FALSE);
    TheRecorder().Clear();
    sim::PressEscape(dialog_);
    sim::PressCloseBox(dialog_);
    EXPECT_TRUE(TheRecorder().events.empty());
}

TEST_F(DialogTest, DialogItemIntegersAreWrittenAsSignedOrUnsignedText) {
    TemplateBuilder b;
    b.Add(Control(u"Edit", u"", 5, WS_TABSTOP));
    dialog_ = ShowDialog(b);
    SetDlgItemInt(dialog_, 5, static_cast<UINT>(-5), TRUE);
    EXPECT_EQ(sim::ControlText(dialog_, 5), u"-5");
    SetDlgItemInt(dialog_, 5, static_cast<UINT>(-5), FALSE);
    EXPECT_EQ(sim::ControlText(dialog_, 5), u"4294967291");
}

// A window class of the test's own that records what its windows are told.
std::vector<std::string> g_treeLog;

LRESULT CALLBACK TreeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_DESTROY && msg != WM_NCDESTROY && msg != WM_PARENTNOTIFY)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    WCHAR name[8] = {};
    GetWindowTextW(hwnd, name, 8);
    std::string n;
    for (const WCHAR* c = name; *c; ++c)
        n += static_cast<char>(*c);
    if (msg == WM_DESTROY)
        g_treeLog.push_back("destroy " + n);
    if (msg == WM_NCDESTROY)
        g_treeLog.push_back("ncdestroy " + n);
    if (msg == WM_PARENTNOTIFY)
        g_treeLog.push_back("parentnotify " + n + " " + std::to_string(LOWORD(wParam)) + " " +
                            std::to_string(HIWORD(wParam)));
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(DialogTest, DestructionTellsParentsFirstAndFinishesWithTheChildren) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TreeProc;
    wc.lpszClassName = u"TreeTest";
    ASSERT_NE(RegisterClassExW(&wc), 0);
    g_treeLog.clear();
    HWND p = CreateWindowExW(0, u"TreeTest", u"P", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                             nullptr, nullptr, nullptr, nullptr);
    HWND a = CreateWindowExW(0, u"treetest", u"A", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, p,
                             reinterpret_cast<HMENU>(1), nullptr, nullptr);
    HWND a1 = CreateWindowExW(WS_EX_NOPARENTNOTIFY, u"TreeTest", u"A1", WS_CHILD, 0, 0, 5, 5, a,
                              reinterpret_cast<HMENU>(2), nullptr, nullptr);
    HWND b = CreateWindowExW(0, u"TreeTest", u"B", WS_CHILD, 0, 0, 10, 10, p,
                             reinterpret_cast<HMENU>(3), nullptr, nullptr);
    HWND owned =
        CreateWindowExW(0, u"TreeTest", u"O", WS_POPUP, 0, 0, 10, 10, a, nullptr, nullptr, nullptr);
    ASSERT_TRUE(a1 && b && owned);
    EXPECT_EQ(GetParent(owned), p) << "a popup's owner is the top-level window of the one given";
    EXPECT_EQ(GetWindow(p, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_FALSE(IsWindowVisible(a1)) << "hidden itself";
    EXPECT_EQ(g_treeLog, Lines("parentnotify P 1 1", "parentnotify P 1 3")); // WM_CREATE, id
    EXPECT_EQ(UnregisterClassW(u"TreeTest", nullptr), FALSE) << "the class still has windows";

    g_treeLog.clear();
    EXPECT_TRUE(DestroyWindow(p));
    EXPECT_EQ(g_treeLog,
              Lines("destroy O", "ncdestroy O", "destroy P", "destroy A", "destroy A1", "destroy B",
                    "ncdestroy A1", "ncdestroy A", "ncdestroy B", "ncdestroy P"));
    EXPECT_FALSE(IsWindow(a1));
    EXPECT_TRUE(UnregisterClassW(u"TreeTest", nullptr));
}

TEST_F(DialogTest, PostedMessagesWaitForTheLoopAndDieWithTheirWindow) {
    TemplateBuilder b;
    b.Add(Button(u"Go", 8, BS_PUSHBUTTON));
    dialog_ = ShowDialog(b);
    PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0);
    EXPECT_TRUE(TheRecorder().events.empty());
    sim::PumpMessages();
    EXPECT_EQ(TheRecorder().events, Lines(Command(8, BN_CLICKED)));
    PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(9, BN_CLICKED), 0);
    DestroyWindow(dialog_);
    TheRecorder().Clear();
    sim::PumpMessages();
    EXPECT_TRUE(TheRecorder().events.empty());
    EXPECT_FALSE(PostMessageW(dialog_, WM_NULL, 0, 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
}

// What a broadcast carries is checked where the layout and paper pages send theirs.
TEST_F(DialogTest, BroadcastsReachTheWindowsAndAnswerNothing) {
    TemplateBuilder b;
    dialog_ = ShowDialog(b);
    DWORD_PTR result = 7;
    const char16_t printer[] = u"Tarvik 1";
    EXPECT_TRUE(SendMessageTimeoutW(HWND_BROADCAST, WM_DEVMODECHANGE, 0,
                                    reinterpret_cast<LPARAM>(printer), SMTO_NORMAL, 1000, &result));
    EXPECT_EQ(result, 0u);
    EXPECT_DEATH(SendMessageW(HWND_BROADCAST, WM_DEVMODECHANGE, 0, 0), "HWND_BROADCAST");
}

} // namespace
