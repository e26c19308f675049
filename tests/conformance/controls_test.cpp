// The notifications a dialog receives from its controls, in order, on both implementations: the
// check box, the edit, the drop-down list with the mouse and the keyboard, the track bar with the
// keyboard and the up-down's arrows. The plug-in's pages react to exactly these.
#include "platform.h"

#include "dialog_template.h"

#include <commctrl.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

enum : WORD {
    kCheck = 101,
    kEdit = 102,
    kList = 103,
    kTrack = 104,
    kNumber = 105,
    kSpin = 106,
    kNumberLabel = 107,
    kListLabel = 108,
    kEditLabel = 109,
    kTrackLabel = 110,
};

// What reached the dialog: "BN_CLICKED 101 checked", "WM_HSCROLL TB_LINEDOWN 3"...
std::vector<std::string> g_log;
bool g_recording = false;

std::string CommandName(WORD id, WORD code, HWND control) {
    switch (id) {
    case kCheck:
        if (code == BN_CLICKED)
            return std::string("BN_CLICKED ") +
                   (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "checked"
                                                                            : "unchecked");
        break;
    case kEdit:
    case kNumber:
        switch (code) {
        case EN_UPDATE:
            return "EN_UPDATE";
        case EN_CHANGE:
            return "EN_CHANGE";
        default:
            return ""; // focus changes are not compared
        }
    case kList:
        switch (code) {
        case CBN_DROPDOWN:
            return "CBN_DROPDOWN";
        case CBN_SELENDOK:
            return "CBN_SELENDOK";
        case CBN_CLOSEUP:
            return "CBN_CLOSEUP";
        case CBN_SELCHANGE:
            return "CBN_SELCHANGE " + std::to_string(SendMessageW(control, CB_GETCURSEL, 0, 0));
        default:
            return "";
        }
    }
    return "";
}

std::string ScrollName(WORD code, HWND control) {
    const char* names[] = {"LINEUP",     "LINEDOWN", "PAGEUP", "PAGEDOWN", "THUMBPOSITION",
                           "THUMBTRACK", "TOP",      "BOTTOM", "ENDSCROLL"};
    std::string name = code <= 8 ? names[code] : std::to_string(code);
    if (GetDlgCtrlID(control) == kTrack)
        name += " " + std::to_string(SendMessageW(control, TBM_GETPOS, 0, 0));
    return name;
}

INT_PTR CALLBACK Recorder(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!g_recording)
        return message == WM_INITDIALOG;
    switch (message) {
    case WM_COMMAND: {
        std::string name =
            CommandName(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        if (!name.empty())
            g_log.push_back(name);
        return TRUE;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        g_log.push_back(std::string(message == WM_HSCROLL ? "WM_HSCROLL " : "WM_VSCROLL ") +
                        ScrollName(LOWORD(wParam), reinterpret_cast<HWND>(lParam)));
        return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == UDN_DELTAPOS) {
            auto* change = reinterpret_cast<NMUPDOWN*>(lParam);
            g_log.push_back("UDN_DELTAPOS " + std::to_string(change->iPos) + " " +
                            std::to_string(change->iDelta));
        } else if (header->code == NM_RELEASEDCAPTURE && header->idFrom == kTrack) {
            g_log.push_back("NM_RELEASEDCAPTURE");
        }
        (void)dialog;
        return TRUE;
    }
    }
    return FALSE;
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        conformance::ResetMachine();
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&init);
        dialogs::DialogTemplate dialogTemplate(
            {
                {TEXT("BUTTON"), TEXT("&Collate"), kCheck, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 7, 80,
                 10},
                {TEXT("STATIC"), TEXT("&Title:"), kEditLabel, 0, 7, 22, 40, 8},
                {TEXT("EDIT"), TEXT(""), kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 50, 20, 80,
                 12},
                {TEXT("STATIC"), TEXT("&Paper:"), kListLabel, 0, 7, 38, 40, 8},
                {TEXT("COMBOBOX"), TEXT(""), kList, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 50,
                 36, 80, 60},
                {TEXT("STATIC"), TEXT("&Force:"), kTrackLabel, 0, 7, 56, 40, 8},
                {TRACKBAR_CLASSW, TEXT(""), kTrack, TBS_HORZ | WS_TABSTOP, 50, 54, 100, 15},
                {TEXT("STATIC"), TEXT("Cop&ies:"), kNumberLabel, 0, 7, 76, 40, 8},
                {TEXT("EDIT"), TEXT("5"), kNumber, ES_NUMBER | WS_BORDER | WS_TABSTOP, 50, 74, 30,
                 12},
                {UPDOWN_CLASSW, TEXT(""), kSpin,
                 UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 80, 74, 10, 12},
            },
            dialogs::DialogTemplate::kModalStyle | WS_VISIBLE, TEXT("Conformance"), 220, 120);
        dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate.Get(),
                                             nullptr, Recorder, 0);
        ASSERT_NE(dialog_, nullptr) << "error " << GetLastError();
        for (const WCHAR* paper : {TEXT("Letter"), TEXT("A4"), TEXT("Braille 11 x 11.5")})
            SendDlgItemMessageW(dialog_, kList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(paper));
        SendDlgItemMessageW(dialog_, kList, CB_SETCURSEL, 0, 0);
        SendDlgItemMessageW(dialog_, kTrack, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
        SendDlgItemMessageW(dialog_, kTrack, TBM_SETPOS, TRUE, 2);
        SendDlgItemMessageW(dialog_, kSpin, UDM_SETRANGE32, 1, 999);
        SendDlgItemMessageW(dialog_, kSpin, UDM_SETPOS32, 0, 5);
        conformance::PumpMessages();
        g_log.clear();
        g_recording = true;
    }
    void TearDown() override {
        g_recording = false;
        if (dialog_ != nullptr)
            DestroyWindow(dialog_);
        conformance::ResetMachine();
    }

    // What the dialog heard during the action, printed for the record.
    std::vector<std::string> Heard() {
        std::vector<std::string> heard = g_log;
        g_log.clear();
        std::string line;
        for (const std::string& entry : heard)
            line += entry + "; ";
        std::cout << "[ heard    ] " << line << "\n";
        return heard;
    }

    HWND dialog_ = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(Controls, ACheckBoxChangesBeforeItReportsTheClick) {
    conformance::ClickButton(dialog_, kCheck);
    EXPECT_EQ(Heard(), Log{"BN_CLICKED checked"});
    conformance::ClickButton(dialog_, kCheck);
    EXPECT_EQ(Heard(), Log{"BN_CLICKED unchecked"});
}

TEST_F(Controls, AnEditReportsEachKeyUpdateThenChange) {
    conformance::TypeInto(dialog_, kEdit, TEXT("ab"));
    EXPECT_EQ(Heard(), (Log{"EN_UPDATE", "EN_CHANGE", "EN_UPDATE", "EN_CHANGE"}));
    WCHAR text[8];
    GetDlgItemTextW(dialog_, kEdit, text, 8);
    EXPECT_EQ(conformance::WideString(text), TEXT("ab"));
}

// A status text the printer link makes up may open with U+FFFF; only a dialog template's title
// of that form names a resource.
TEST_F(Controls, AnEditKeepsAProgramsTextAsGiven) {
    const WCHAR text[] = {0xFFFF, 0xFFFF, TEXT('!'), 0};
    ASSERT_TRUE(SetDlgItemTextW(dialog_, kEdit, text));
    WCHAR back[8] = {};
    EXPECT_EQ(GetDlgItemTextW(dialog_, kEdit, back, 8), 3u);
    EXPECT_EQ(conformance::WideString(back), conformance::WideString(text));
}

TEST_F(Controls, AChoiceInTheDroppedListEndsWithTheSelectionChange) {
    conformance::ChooseFromDroppedList(dialog_, kList, 2);
    Log heard = Heard();
    // The documentation leaves open whether CBN_CLOSEUP comes before CBN_SELCHANGE; the plug-in
    // must not depend on it, so only the shared part is compared.
    Log withoutCloseUp;
    for (const std::string& entry : heard)
        if (entry != "CBN_CLOSEUP")
            withoutCloseUp.push_back(entry);
    EXPECT_EQ(withoutCloseUp, (Log{"CBN_DROPDOWN", "CBN_SELENDOK", "CBN_SELCHANGE 2"}));
    EXPECT_EQ(SendDlgItemMessageW(dialog_, kList, CB_GETCURSEL, 0, 0), 2);
}

TEST_F(Controls, ArrowsOnAClosedListChangeTheSelectionAtOnce) {
    conformance::PressKey(dialog_, kList, VK_DOWN);
    Log heard = Heard();
    EXPECT_EQ(heard.back(), "CBN_SELCHANGE 1");
    for (const std::string& entry : heard)
        EXPECT_NE(entry, "CBN_CLOSEUP") << "no list was open";
    EXPECT_EQ(SendDlgItemMessageW(dialog_, kList, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(Controls, ATrackBarKeyScrollsThenEndsTheTrack) {
    conformance::PressKey(dialog_, kTrack, VK_RIGHT);
    EXPECT_EQ(Heard(), (Log{"WM_HSCROLL LINEDOWN 3", "WM_HSCROLL ENDSCROLL 3"}));
    conformance::PressKey(dialog_, kTrack, VK_HOME);
    EXPECT_EQ(Heard(), (Log{"WM_HSCROLL TOP 0", "WM_HSCROLL ENDSCROLL 0"}));
}

TEST_F(Controls, AnUpDownAsksThenSetsItsBuddyThenScrolls) {
    conformance::ClickUpDownArrow(dialog_, kSpin, true);
    Log heard = Heard();
    Log withoutBuddy;
    for (const std::string& entry : heard)
        if (entry != "EN_UPDATE" && entry != "EN_CHANGE")
            withoutBuddy.push_back(entry);
    EXPECT_EQ(withoutBuddy,
              (Log{"UDN_DELTAPOS 5 1", "WM_VSCROLL THUMBPOSITION", "WM_VSCROLL ENDSCROLL"}));
    WCHAR text[8];
    GetDlgItemTextW(dialog_, kNumber, text, 8);
    EXPECT_EQ(conformance::WideString(text), TEXT("6"));
}

} // namespace
