// comctl32's property sheets: page descriptions and their callbacks, pages created when first
// shown, the notifications of switching, applying, OK and Cancel, the Apply button and activation
// contexts. The pages are the plug-in's own templates.
#include "ui_test_templates.h"

#include "resources/resource.h"
#include "sim/gdi.h"
#include "plugin_module.h"
#include "sim/kernel.h"

#include <map>

using namespace simtest;
using namespace uitest;

namespace {

// What each page does, by the number it carries in its lParam.
struct PageBehaviour {
    bool refuseCreate = false;
    bool refuseLeave = false;
    LRESULT applyAnswer = PSNRET_NOERROR;
    bool refuseCancel = false;
};
std::map<LPARAM, PageBehaviour> g_behaviour;
std::vector<std::string> g_log;
std::map<LPARAM, HANDLE> g_contextAtInit; // the activation context active at WM_INITDIALOG

std::string N(LPARAM n) {
    return std::to_string(n);
}

UINT CALLBACK PageCallback(HWND, UINT msg, PROPSHEETPAGEW* psp) {
    const char* names[] = {"addref", "release", "create"};
    g_log.push_back("callback " + N(psp->lParam) + " " + names[msg]);
    return msg == PSPCB_CREATE ? !g_behaviour[psp->lParam].refuseCreate : 0;
}

INT_PTR CALLBACK PageProc(HWND page, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        LPARAM n = reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam;
        SetWindowLongPtrW(page, DWLP_USER, n);
        g_log.push_back("init " + N(n));
        g_contextAtInit[n] = sim::ActiveActivationContext();
        return TRUE;
    }
    if (msg != WM_NOTIFY)
        return FALSE;
    LPARAM n = GetWindowLongPtrW(page, DWLP_USER);
    const PSHNOTIFY* note = reinterpret_cast<const PSHNOTIFY*>(lParam);
    EXPECT_EQ(note->hdr.hwndFrom, GetParent(page)) << "notifications come from the sheet";
    PageBehaviour& b = g_behaviour[n];
    LRESULT answer = 0;
    switch (note->hdr.code) {
    case PSN_SETACTIVE:
        g_log.push_back("setactive " + N(n));
        break;
    case PSN_KILLACTIVE:
        g_log.push_back("killactive " + N(n));
        answer = b.refuseLeave;
        break;
    case PSN_APPLY:
        g_log.push_back("apply " + N(n) + (note->lParam ? " ok" : ""));
        answer = b.applyAnswer;
        break;
    case PSN_QUERYCANCEL:
        g_log.push_back("querycancel " + N(n));
        answer = b.refuseCancel;
        break;
    case PSN_RESET:
        g_log.push_back("reset " + N(n));
        break;
    default:
        return FALSE;
    }
    SetWindowLongPtrW(page, DWLP_MSGRESULT, answer);
    return TRUE;
}

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        module_ = LoadPluginModule();
        ASSERT_NE(module_, nullptr);
        g_behaviour.clear();
        g_log.clear();
        g_contextAtInit.clear();
    }
    void TearDown() override {
        if (IsWindow(sheet_))
            DestroyWindow(sheet_);
        EXPECT_EQ(sim::LiveWindowCount(), 0u);
        EXPECT_EQ(sim::LivePropertySheetPages(), 0u);
        EXPECT_EQ(sim::LiveGdiObjects(), 0u);
        FreeLibrary(module_);
    }

    PROPSHEETPAGEW Page(int templateId, int titleId, LPARAM n) {
        PROPSHEETPAGEW psp = {};
        psp.dwSize = sizeof psp;
        psp.dwFlags = PSP_USETITLE | PSP_USECALLBACK;
        psp.hInstance = module_;
        psp.pszTemplate = MAKEINTRESOURCEW(templateId);
        psp.pszTitle = MAKEINTRESOURCEW(titleId);
        psp.pfnDlgProc = PageProc;
        psp.lParam = n;
        psp.pfnCallback = PageCallback;
        return psp;
    }
    // The document sheet's three pages: Layout (1), Paper/Media (2), Tarvik (3).
    std::vector<HPROPSHEETPAGE> ThreePages() {
        PROPSHEETPAGEW layout = Page(IDD_LAYOUT_PAGE, 3, 1), paper = Page(IDD_PAPER_PAGE, 2, 2),
                       main = Page(IDD_MAIN_PAGE, 1, 3);
        return {CreatePropertySheetPageW(&layout), CreatePropertySheetPageW(&paper),
                CreatePropertySheetPageW(&main)};
    }
    HWND Modeless(std::vector<HPROPSHEETPAGE>& pages, UINT start = 0, DWORD flags = 0) {
        PROPSHEETHEADERW psh = {};
        psh.dwSize = sizeof psh;
        psh.dwFlags = PSH_MODELESS | flags;
        psh.hInstance = module_;
        psh.pszCaption = u"Tarvik Printing Preferences";
        psh.nPages = static_cast<UINT>(pages.size());
        psh.nStartPage = start;
        psh.phpage = pages.data();
        return reinterpret_cast<HWND>(PropertySheetW(&psh));
    }

    HMODULE module_ = nullptr;
    HWND sheet_ = nullptr;
};

TEST_F(PropertySheetTest, PagesAreCopiesAddedToAndReleasedWithTheirCallbacks) {
    PROPSHEETPAGEW psp = Page(IDD_LAYOUT_PAGE, 3, 1);
    HPROPSHEETPAGE page = CreatePropertySheetPageW(&psp);
    ASSERT_NE(page, nullptr);
    psp.lParam = 99; // the page keeps its own copy
    EXPECT_EQ(g_log, Lines("callback 1 addref"));
    EXPECT_EQ(sim::LivePropertySheetPages(), 1u);
    EXPECT_TRUE(DestroyPropertySheetPage(page));
    EXPECT_EQ(g_log, Lines("callback 1 addref", "callback 1 release"));
    EXPECT_FALSE(DestroyPropertySheetPage(page));

    psp.dwSize = 12;
    EXPECT_EQ(CreatePropertySheetPageW(&psp), nullptr) << "shorter than the first version";
}

TEST_F(PropertySheetTest, PagesAreCreatedWhenFirstShownAndSwitchedInOrder) {
    std::vector<HPROPSHEETPAGE> pages = ThreePages();
    g_log.clear();
    sheet_ = Modeless(pages, 1);
    ASSERT_NE(sheet_, nullptr);
    EXPECT_EQ(g_log, Lines("callback 2 create", "init 2", "setactive 2"));
    std::vector<sim::SheetPage> shown = sim::SheetPages(sheet_);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].title, u"Layout");
    EXPECT_EQ(shown[1].title, u"Paper/Media");
    EXPECT_EQ(shown[2].title, u"Tarvik");
    EXPECT_EQ(shown[0].window, nullptr);
    EXPECT_EQ(shown[2].window, nullptr);
    EXPECT_TRUE(IsWindowVisible(shown[1].window));
    EXPECT_EQ(GetParent(shown[1].window), sheet_);
    EXPECT_EQ(sim::SheetCurrentPage(sheet_), 1);

    g_log.clear();
    EXPECT_TRUE(sim::SelectSheetPage(sheet_, 2));
    EXPECT_TRUE(sim::SelectSheetPage(sheet_, 1));
    EXPECT_EQ(g_log, Lines("killactive 2", "callback 3 create", "init 3", "setactive 3",
                           "killactive 3", "setactive 2"));
    shown = sim::SheetPages(sheet_);
    EXPECT_FALSE(IsWindowVisible(shown[2].window)) << "the page left is hidden, not destroyed";
    EXPECT_TRUE(IsWindowVisible(shown[1].window));

    // A page that refuses to be left stays; a page whose callback refuses is never created.
    g_behaviour[2].refuseLeave = true;
    g_log.clear();
    EXPECT_FALSE(sim::SelectSheetPage(sheet_, 0));
    g_behaviour[2].refuseLeave = false;
    g_behaviour[1].refuseCreate = true;
    EXPECT_FALSE(sim::SelectSheetPage(sheet_, 0));
    EXPECT_EQ(sim::SheetCurrentPage(sheet_), 1);
    EXPECT_EQ(sim::SheetPages(sheet_)[0].window, nullptr);
    EXPECT_EQ(g_log, Lines("killactive 2", "killactive 2", "callback 1 create"));

    // Destroying the sheet destroys the pages' dialogs and releases every page.
    g_log.clear();
    DestroyWindow(sheet_);
    EXPECT_EQ(g_log, Lines("callback 1 release", "callback 2 release", "callback 3 release"));
}

TEST_F(PropertySheetTest, ApplyFollowsTheChangedPagesAndReachesTheCreatedOnes) {
    std::vector<HPROPSHEETPAGE> pages = ThreePages();
    sheet_ = Modeless(pages, 0);
    sim::SelectSheetPage(sheet_, 2);
    HWND layout = sim::SheetPages(sheet_)[0].window, main = sim::SheetPages(sheet_)[2].window;
    EXPECT_FALSE(sim::IsApplyEnabled(sheet_));
    EXPECT_DEATH(sim::PressApply(sheet_), "disabled");

    SendMessageW(sheet_, PSM_CHANGED, reinterpret_cast<WPARAM>(layout), 0);
    SendMessageW(sheet_, PSM_CHANGED, reinterpret_cast<WPARAM>(main), 0);
    EXPECT_TRUE(sim::IsApplyEnabled(sheet_));

    // The current page is asked to let go, then every created page applies, in page order.
    g_log.clear();
    sim::PressApply(sheet_);
    EXPECT_EQ(g_log, Lines("killactive 3", "apply 1", "apply 3"));
    EXPECT_FALSE(sim::IsApplyEnabled(sheet_));
    EXPECT_FALSE(sim::SheetPages(sheet_)[2].changed);

    // An invalid page stops the apply and is shown; the pages after it hear nothing.
    g_behaviour[1].applyAnswer = PSNRET_INVALID;
    SendMessageW(sheet_, PSM_CHANGED, reinterpret_cast<WPARAM>(main), 0);
    g_log.clear();
    sim::PressApply(sheet_);
    EXPECT_EQ(g_log, Lines("killactive 3", "apply 1", "setactive 1"));
    EXPECT_EQ(sim::SheetCurrentPage(sheet_), 0);
    EXPECT_TRUE(sim::IsApplyEnabled(sheet_));
}

TEST_F(PropertySheetTest, OkAppliesAndClosesCancelAsksAndResets) {
    std::vector<HPROPSHEETPAGE> pages = ThreePages();
    sheet_ = Modeless(pages, 0);
    sim::SelectSheetPage(sheet_, 1);

    g_behaviour[2].refuseCancel = true;
    g_log.clear();
    sim::PressCancel(sheet_);
    EXPECT_EQ(g_log, Lines("querycancel 2"));
    EXPECT_FALSE(sim::IsSheetClosed(sheet_));

    g_log.clear();
    sim::PressOK(sheet_);
    EXPECT_EQ(g_log, Lines("killactive 2", "apply 1 ok", "apply 2 ok"));
    EXPECT_TRUE(sim::IsSheetClosed(sheet_));
    DestroyWindow(sheet_);

    pages = ThreePages();
    sheet_ = Modeless(pages, 2);
    g_log.clear();
    sim::PressEscape(sheet_);
    EXPECT_EQ(g_log, Lines("querycancel 3", "reset 3"));
    EXPECT_TRUE(sim::IsSheetClosed(sheet_));
}

TEST_F(PropertySheetTest, PagesAskingForAnActivationContextAreCreatedInsideIt) {
    ACTCTXW actctx = ModuleManifest(kModulePath);
    HANDLE context = CreateActCtxW(&actctx);
    ASSERT_NE(context, INVALID_HANDLE_VALUE);
    PROPSHEETPAGEW fused = Page(IDD_SERVICE_PAGE, 198, 1), plain = Page(IDD_LAYOUT_PAGE, 3, 2);
    fused.dwFlags |= PSP_USEFUSIONCONTEXT;
    fused.hActCtx = context;
    std::vector<HPROPSHEETPAGE> pages = {CreatePropertySheetPageW(&fused),
                                         CreatePropertySheetPageW(&plain)};
    sheet_ = Modeless(pages, 0);
    sim::SelectSheetPage(sheet_, 1);
    ASSERT_EQ(g_contextAtInit.size(), 2u);
    EXPECT_EQ(g_contextAtInit[1], context);
    EXPECT_EQ(g_contextAtInit[2], nullptr);
    EXPECT_EQ(sim::ActiveActivationContext(), nullptr) << "deactivated after the creation";
    EXPECT_EQ(sim::SheetPages(sheet_)[0].title, u"Service");
    DestroyWindow(sheet_);
    ReleaseActCtx(context);
}

TEST_F(PropertySheetTest, ASheetThatCanShowNoneOfItsPagesFailsAndReleasesThem) {
    g_behaviour[1].refuseCreate = g_behaviour[2].refuseCreate = g_behaviour[3].refuseCreate = true;
    std::vector<HPROPSHEETPAGE> pages = ThreePages();
    g_log.clear();
    EXPECT_EQ(Modeless(pages, 1), reinterpret_cast<HWND>(-1));
    EXPECT_EQ(g_log, Lines("callback 2 create", "callback 1 create", "callback 3 create",
                           "callback 1 release", "callback 2 release", "callback 3 release"));
}

TEST_F(PropertySheetTest, WhatIsNotModelledAborts) {
    PROPSHEETPAGEW psp = Page(IDD_LAYOUT_PAGE, 3, 1);
    psp.dwFlags |= PSP_USEREFPARENT;
    EXPECT_DEATH(CreatePropertySheetPageW(&psp), "PSP_USEREFPARENT");

    psp.dwFlags = PSP_DLGINDIRECT;
    EXPECT_DEATH(CreatePropertySheetPageW(&psp), "PSP_DLGINDIRECT");

    std::vector<HPROPSHEETPAGE> pages = ThreePages();
    EXPECT_DEATH(Modeless(pages, 0, PSH_NOAPPLYNOW), "PSH_NOAPPLYNOW");
    EXPECT_DEATH(Modeless(pages, 0, PSH_USEPSTARTPAGE), "PSH_USEPSTARTPAGE");
    EXPECT_DEATH(Modeless(pages, 0, PSH_HASHELP), "PSH_HASHELP");
    PROPSHEETHEADERW modal = {};
    modal.dwSize = sizeof modal;
    modal.nPages = static_cast<UINT>(pages.size());
    modal.phpage = pages.data();
    EXPECT_DEATH(PropertySheetW(&modal), "modal property sheets");

    sheet_ = Modeless(pages, 0);
    HWND layout = sim::SheetPages(sheet_)[0].window;
    EXPECT_DEATH(SendMessageW(sheet_, PSM_UNCHANGED, reinterpret_cast<WPARAM>(layout), 0),
                 "PSM_UNCHANGED");
    EXPECT_DEATH(SendMessageW(sheet_, PSM_SETCURSEL, 1, 0), "PSM_SETCURSEL");
    sim::PressCancel(sheet_);
    EXPECT_DEATH(SendMessageW(sheet_, PSM_GETRESULT, 0, 0), "PSM_GETRESULT");
}

} // namespace
