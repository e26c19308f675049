// user32's modal dialogs and message boxes, run by the scripts and answers a test queues.
#include "ui_test_templates.h"

#include "resources/resource.h"
#include "plugin_module.h"
#include "sim/kernel.h"

using namespace simtest;
using namespace uitest;

namespace {

// The rotated landscape dialog's behaviour, enough to be driven: OK asks before it closes.
INT_PTR CALLBACK AskingProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
        if (MessageBoxW(dialog, u"Keep the change?", u"Advanced", MB_YESNO | MB_ICONQUESTION) ==
            IDYES)
            EndDialog(dialog,
                      10 + static_cast<INT_PTR>(IsDlgButtonChecked(dialog, IDC_ROTATED_LANDSCAPE)));
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK EndsAtOnceProc(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        EndDialog(dialog, lParam);
        return TRUE;
    }
    return FALSE;
}

class ModalTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        module_ = LoadPluginModule();
        ASSERT_NE(module_, nullptr);
        TemplateBuilder b;
        b.Add(Control(u"Edit", u"", 5, WS_TABSTOP)).Add(Button(u"More", 6, BS_PUSHBUTTON, 30));
        owner_ = ShowDialog(b);
        ASSERT_EQ(GetFocus(), GetDlgItem(owner_, 5));
    }
    void TearDown() override {
        DestroyWindow(owner_);
        EXPECT_EQ(sim::LiveWindowCount(), 0u);
        EXPECT_EQ(sim::PendingDialogScripts(), 0u);
        EXPECT_EQ(sim::PendingMessageBoxAnswers(), 0u);
        FreeLibrary(module_);
    }
    INT_PTR Run(int id, DLGPROC proc = AskingProc, LPARAM param = 0) {
        return DialogBoxParamW(module_, MAKEINTRESOURCEW(id), GetDlgItem(owner_, 6), proc, param);
    }

    HMODULE module_ = nullptr;
    HWND owner_ = nullptr;
};

TEST_F(ModalTest, AScriptActsAsThePersonAndAnswersTheMessageBoxes) {
    HWND seen = nullptr;
    sim::ScriptModalDialog(IDD_ROTATED_LANDSCAPE, [&](HWND dialog) {
        seen = dialog;
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_FALSE(IsWindowEnabled(owner_)) << "the owner's top-level window is disabled";
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner_);
        EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), 77);
        sim::Click(dialog, IDC_ROTATED_LANDSCAPE);
        sim::QueueMessageBoxAnswer(IDNO);
        sim::Click(dialog, IDOK);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "No keeps the dialog open";
        sim::QueueMessageBoxAnswer(IDYES);
        sim::Click(dialog, IDOK);
    });
    EXPECT_EQ(Run(IDD_ROTATED_LANDSCAPE, AskingProc, 77), 11);

    EXPECT_FALSE(IsWindow(seen)) << "DialogBoxParamW destroys the dialog before it returns";
    EXPECT_TRUE(IsWindowEnabled(owner_));
    // The logs' texts, types, owners and results are read by the plug-in's own dialog tests.
    ASSERT_EQ(sim::MessageBoxLog().size(), 2u);
    EXPECT_EQ(sim::MessageBoxLog()[1].owner, seen);
    EXPECT_EQ(sim::MessageBoxLog()[1].answer, IDYES);
    // The owner's field lost the focus to the dialog and has it back.
    EXPECT_EQ(TheRecorder().events,
              Lines(Command(5, EN_KILLFOCUS), "ENABLE 0", "ENABLE 1", Command(5, EN_SETFOCUS)));
    EXPECT_EQ(GetFocus(), GetDlgItem(owner_, 5));
}

TEST_F(ModalTest, DialogsOpenedFromADialogRunTheirOwnScripts) {
    std::vector<std::string> order;
    sim::ScriptModalDialog(IDD_ROTATED_LANDSCAPE, [&](HWND outer) {
        order.push_back("outer");
        sim::ScriptModalDialog(IDD_NOTICE, [&](HWND inner) {
            order.push_back("inner");
            EXPECT_FALSE(IsWindowEnabled(outer));
            EXPECT_DEATH(sim::Click(outer, IDCANCEL), "disabled");
            sim::PressEscape(inner);
        });
        EXPECT_EQ(DialogBoxParamW(module_, MAKEINTRESOURCEW(IDD_NOTICE), outer, AskingProc, 0),
                  IDCANCEL);
        EXPECT_TRUE(IsWindowEnabled(outer));
        sim::Click(outer, IDCANCEL);
    });
    EXPECT_EQ(Run(IDD_ROTATED_LANDSCAPE), IDCANCEL);
    EXPECT_EQ(order, Lines("outer", "inner"));
    ASSERT_EQ(sim::ModalDialogLog().size(), 2u);
    EXPECT_EQ(sim::ModalDialogLog()[0].templateId, IDD_ROTATED_LANDSCAPE);
    EXPECT_EQ(sim::ModalDialogLog()[1].templateId, IDD_NOTICE);
}

TEST_F(ModalTest, DialogsThatEndDuringInitDialogNeedNoScript) {
    EXPECT_EQ(Run(IDD_NOTICE, EndsAtOnceProc, 3), 3);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_TRUE(TheRecorder().events.empty()) << "never shown: the owner was never disabled";
    EXPECT_EQ(Run(999), -1) << "a template the module does not have";
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST_F(ModalTest, MistakesOfTheTestAbortNamingWhatWentWrong) {
    EXPECT_DEATH(Run(IDD_NOTICE), "modal dialog 158 was opened but the test queued no script");
    // Each death test queues in the child process that dies, so the queues here stay empty.
    EXPECT_DEATH(
        {
            sim::ScriptModalDialog(IDD_NOTICE, [](HWND) {});
            Run(IDD_NOTICE);
        },
        "returned with the dialog still open");
    EXPECT_DEATH(
        {
            sim::ScriptModalDialog(IDD_NOTICE, [](HWND d) { sim::Click(d, IDOK); });
            Run(IDD_NOTICE);
        },
        "not visible");
    EXPECT_DEATH(MessageBoxW(owner_, u"Really delete?", u"Delete Form", MB_YESNO),
                 "did not expect.*Really delete\\?");
    EXPECT_DEATH(
        {
            sim::QueueMessageBoxAnswer(IDOK);
            MessageBoxW(owner_, u"Really delete?", u"Delete Form", MB_YESNO);
        },
        "answer 1 is not a button");
}

TEST_F(ModalTest, MessageBoxesDefaultTheirCaptionAndGiveBackTheOwnersFocus) {
    sim::QueueMessageBoxAnswer(IDOK);
    sim::QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, u"Done", nullptr, MB_OK), IDOK);
    EXPECT_EQ(MessageBoxW(GetDlgItem(owner_, 5), u"Go on?", u"Q", MB_OKCANCEL), IDCANCEL);
    ASSERT_EQ(sim::MessageBoxLog().size(), 2u);
    EXPECT_EQ(sim::MessageBoxLog()[0].caption, u"Error");
    EXPECT_EQ(sim::MessageBoxLog()[0].owner, nullptr);
    // A box without owner takes the focus too; one with an owner also disables its window.
    EXPECT_EQ(TheRecorder().events,
              Lines(Command(5, EN_KILLFOCUS), Command(5, EN_SETFOCUS), Command(5, EN_KILLFOCUS),
                    "ENABLE 0", "ENABLE 1", Command(5, EN_SETFOCUS)));
    EXPECT_EQ(MessageBoxW(reinterpret_cast<HWND>(0x1234), u"x", u"y", MB_OK), 0);
}

} // namespace
