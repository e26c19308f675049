// user32's painting: owner-drawn controls asking their parent to draw them, the children a
// redraw of their parent includes, and the device contexts handed out for drawing.
#include "ui_test_templates.h"

#include "plugin_module.h"
#include "sim/gdi.h"
#include "sim/kernel.h"

using namespace simtest;
using namespace uitest;

namespace {

constexpr int kLogo = 157;

HMODULE g_module = nullptr;
std::vector<DRAWITEMSTRUCT> g_draws;

// Draws the logo into every owner-drawn item, as the plug-in's pages do.
LRESULT DrawLogo(HWND, UINT msg, WPARAM, LPARAM lParam) {
    if (msg != WM_DRAWITEM)
        return -1;
    const DRAWITEMSTRUCT* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    g_draws.push_back(*dis);
    HBITMAP logo = LoadBitmapW(g_module, MAKEINTRESOURCEW(kLogo));
    HDC memory = CreateCompatibleDC(dis->hDC);
    HGDIOBJ old = SelectObject(memory, logo);
    TransparentBlt(dis->hDC, dis->rcItem.left, dis->rcItem.top, 100, 42, memory, 0, 0, 100, 42,
                   RGB(0, 255, 255));
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(logo);
    return TRUE;
}

class PaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        g_module = LoadPluginModule();
        ASSERT_NE(g_module, nullptr);
        g_draws.clear();
    }
    void TearDown() override {
        if (IsWindow(dialog_))
            DestroyWindow(dialog_);
        EXPECT_EQ(sim::LiveWindowCount(), 0u);
        EXPECT_EQ(sim::LiveGdiObjects(), 0u) << "every DC handed out for painting was released";
        FreeLibrary(g_module);
    }
    HWND Dialog(DWORD style) {
        TemplateBuilder b({}, style | DS_SETFONT | WS_POPUP);
        b.Add(Control(u"Static", u"", 10, SS_OWNERDRAW, 7, 7, 70, 28))
            .Add(Control(u"Static", u"", 11, SS_OWNERDRAW, 100, 7, 70, 28))
            .Add(Hidden(Control(u"Static", u"", 12, SS_OWNERDRAW, 7, 50, 70, 28)))
            .Add(Control(u"Button", u"", 13, BS_OWNERDRAW | WS_TABSTOP, 100, 50, 50, 14));
        HWND d = ShowDialog(b, 0, false);
        TheRecorder().answer = DrawLogo;
        g_draws.clear();
        return d;
    }
    std::vector<UINT> DrawnIds() {
        std::vector<UINT> ids;
        for (const auto& d : g_draws)
            ids.push_back(d.CtlID);
        return ids;
    }

    HWND dialog_ = nullptr;
};

TEST_F(PaintTest, OwnerDrawnControlsAreDrawnByTheirParentIntoTheirOwnDc) {
    dialog_ = Dialog(0);
    sim::Paint(dialog_);
    EXPECT_EQ(DrawnIds(), (std::vector<UINT>{10, 11, 13})) << "hidden controls are not painted";
    const DRAWITEMSTRUCT& first = g_draws[0];
    EXPECT_EQ(first.CtlType, UINT(ODT_STATIC));
    EXPECT_EQ(first.itemAction, UINT(ODA_DRAWENTIRE));
    EXPECT_EQ(first.hwndItem, GetDlgItem(dialog_, 10));
    EXPECT_EQ(first.rcItem.left, 0);
    EXPECT_EQ(first.rcItem.right, 105) << "70 dialog units wide";
    EXPECT_EQ(first.rcItem.bottom, 46) << "28 dialog units high";
    EXPECT_EQ(g_draws[2].CtlType, UINT(ODT_BUTTON));
    EXPECT_EQ(sim::LastBitmapDrawnInto(GetDlgItem(dialog_, 11)), kLogo);

    // A disabled, focused button says so in its item state.
    EnableWindow(GetDlgItem(dialog_, 11), FALSE);
    SetFocus(GetDlgItem(dialog_, 13));
    g_draws.clear();
    sim::Paint(dialog_);
    EXPECT_EQ(g_draws[1].itemState & ODS_DISABLED, UINT(ODS_DISABLED));
    EXPECT_EQ(g_draws[2].itemState & ODS_FOCUS, UINT(ODS_FOCUS));
}

TEST_F(PaintTest, RedrawingPartOfTheParentRepaintsTheChildrenThere) {
    dialog_ = Dialog(0);
    RECT picture;
    GetWindowRect(GetDlgItem(dialog_, 11), &picture);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&picture), 2);

    RedrawWindow(dialog_, &picture, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(DrawnIds(), (std::vector<UINT>{11}));
    ASSERT_FALSE(sim::RedrawLog().empty());
    EXPECT_EQ(sim::RedrawLog().back().function, "RedrawWindow");
    EXPECT_TRUE(sim::RedrawLog().back().hasRect);

    // RDW_NOCHILDREN keeps the children out.
    g_draws.clear();
    RedrawWindow(dialog_, &picture, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    EXPECT_TRUE(g_draws.empty());

    // An invalidation waits for the message loop.
    InvalidateRect(GetDlgItem(dialog_, 13), nullptr, FALSE);
    EXPECT_TRUE(g_draws.empty());
    sim::PumpMessages();
    EXPECT_EQ(DrawnIds(), (std::vector<UINT>{13}));
    EXPECT_EQ(sim::PaintLog().back(), GetDlgItem(dialog_, 13));
}

TEST_F(PaintTest, AParentThatClipsItsChildrenRedrawsAlone) {
    dialog_ = Dialog(WS_CLIPCHILDREN);
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(g_draws.empty());
    EXPECT_EQ(sim::PaintLog().back(), dialog_);
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(DrawnIds(), (std::vector<UINT>{10, 11, 13}));
}

LRESULT CALLBACK NeverPaints(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT)
        return 0;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(PaintTest, AWindowThatNeverValidatesItselfIsCaught) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = NeverPaints;
    wc.lpszClassName = u"NeverPaints";
    RegisterClassExW(&wc);
    HWND w = CreateWindowExW(0, u"NeverPaints", u"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                             nullptr, nullptr, nullptr);
    EXPECT_DEATH(sim::PumpMessages(), "without validating itself");
    DestroyWindow(w);
    HDC dc = GetDC(dialog_ = Dialog(0));
    EXPECT_NE(dc, nullptr);
    EXPECT_EQ(ReleaseDC(dialog_, dc), 1);
    EXPECT_EQ(ReleaseDC(dialog_, dc), 0) << "released once only";
}

} // namespace
