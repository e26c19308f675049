// user32's standard controls as a person and a program use them: buttons, edit controls,
// combo boxes and list boxes, and the notifications they send in the platform's order.
#include "ui_test_templates.h"

using namespace uitest;

namespace {

using ControlsTest = DialogControlsTest;

TEST_F(ControlsTest, AutoRadioButtonsUncheckEveryRadioButtonOfTheirGroupOnly) {
    TemplateBuilder b;
    b.Add(Button(u"A1", 20, BS_AUTORADIOBUTTON | WS_GROUP, 7))
        .Add(Button(u"A2", 21, BS_AUTORADIOBUTTON, 21))
        .Add(Button(u"Plain", 22, BS_RADIOBUTTON, 35))
        .Add(Button(u"A3", 23, BS_AUTORADIOBUTTON, 49))
        .Add(Button(u"B1", 30, BS_AUTORADIOBUTTON | WS_GROUP, 63))
        .Add(Button(u"B2", 31, BS_AUTORADIOBUTTON, 77));
    dialog_ = ShowDialog(b);
    CheckRadioButton(dialog_, 30, 31, 30);
    CheckDlgButton(dialog_, 22, BST_CHECKED);
    sim::Click(dialog_, 20);
    ASSERT_TRUE(sim::IsChecked(dialog_, 20));

    sim::Click(dialog_, 23);

    EXPECT_FALSE(sim::IsChecked(dialog_, 20));
    EXPECT_FALSE(sim::IsChecked(dialog_, 21));
    EXPECT_FALSE(sim::IsChecked(dialog_, 22)) << "all other buttons of the group, plain ones too";
    EXPECT_TRUE(sim::IsChecked(dialog_, 23));
    EXPECT_TRUE(sim::IsChecked(dialog_, 30)) << "the next WS_GROUP starts another group";

    // Clicking a plain radio button only reports the click.
    CheckDlgButton(dialog_, 22, BST_UNCHECKED);
    sim::Click(dialog_, 22);
    EXPECT_FALSE(sim::IsChecked(dialog_, 22));
    EXPECT_TRUE(sim::IsChecked(dialog_, 23));
    EXPECT_TRUE(sim::HasFocus(dialog_, 22)) << "a clicked button takes the focus";
}

TEST_F(ControlsTest, APersonCannotUseWhatIsDisabledOrHidden) {
    TemplateBuilder b;
    b.Add(Button(u"Off", 40, BS_PUSHBUTTON | WS_DISABLED))
        .Add(Hidden(Button(u"Hidden", 41, BS_PUSHBUTTON, 30)))
        .Add(Button(u"On", 42, BS_PUSHBUTTON, 50))
        .Add(Button(u"Frame", 43, BS_GROUPBOX, 70));
    dialog_ = ShowDialog(b);
    EXPECT_DEATH(sim::Click(dialog_, 40), "disabled");
    EXPECT_DEATH(sim::Click(dialog_, 41), "not visible");
    EXPECT_DEATH(sim::Click(dialog_, 43), "group box");
    EXPECT_DEATH(sim::Click(dialog_, 99), "no control 99");
    // A disabled dialog disables its controls for a person, though each keeps its own state.
    EnableWindow(dialog_, FALSE);
    EXPECT_TRUE(sim::IsEnabled(dialog_, 42));
    EXPECT_DEATH(sim::Click(dialog_, 42), "disabled");
    // The program may still send BM_CLICK.
    SendDlgItemMessageW(dialog_, 42, BM_CLICK, 0, 0);
    EXPECT_EQ(Events(), Lines("ENABLE 0", Command(42, BN_CLICKED)));
}

TEST_F(ControlsTest, EditControlsReportChangesAsThePlatformDoes) {
    TemplateBuilder b;
    b.Add(Control(u"Edit", u"", 50, WS_TABSTOP | ES_AUTOHSCROLL))
        .Add(Control(u"Edit", u"", 51, WS_TABSTOP | ES_MULTILINE, 7, 30, 100, 40))
        .Add(Control(u"Edit", u"", 52, WS_TABSTOP | ES_NUMBER, 7, 80));
    dialog_ = ShowDialog(b, 0, false);

    // A program's text: EN_UPDATE and EN_CHANGE from a single-line control, nothing from a
    // multi-line one.
    SetDlgItemTextW(dialog_, 50, u"abc");
    SetDlgItemTextW(dialog_, 51, u"line 1\r\nline 2");
    EXPECT_EQ(Events(), Lines(Command(50, EN_UPDATE), Command(50, EN_CHANGE)));
    EXPECT_EQ(sim::ControlText(dialog_, 51), u"line 1\r\nline 2");

    // The person types over the field: the focus arrives, then each key is reported.
    TheRecorder().Clear();
    sim::TypeText(dialog_, 50, u"xy");
    EXPECT_EQ(Events(),
              Lines(Command(50, EN_SETFOCUS), Command(50, EN_UPDATE), Command(50, EN_CHANGE),
                    Command(50, EN_UPDATE), Command(50, EN_CHANGE)));
    EXPECT_EQ(sim::ControlText(dialog_, 50), u"xy");

    // Leaving the field reports the loss of focus before the next control's focus.
    TheRecorder().Clear();
    sim::MoveFocus(dialog_, 52);
    EXPECT_EQ(Events(), Lines(Command(50, EN_KILLFOCUS), Command(52, EN_SETFOCUS)));

    // ES_NUMBER refuses other keys; the limit cuts typing but not a program's text.
    sim::TypeText(dialog_, 52, u"1a2");
    EXPECT_EQ(sim::ControlText(dialog_, 52), u"12");
    SendDlgItemMessageW(dialog_, 50, EM_LIMITTEXT, 3, 0);
    TheRecorder().Clear();
    sim::TypeText(dialog_, 50, u"abcd");
    EXPECT_EQ(sim::ControlText(dialog_, 50), u"abc");
    EXPECT_EQ(Events().back(), Command(50, EN_MAXTEXT));
    SetDlgItemTextW(dialog_, 50, u"longer text");
    EXPECT_EQ(sim::ControlText(dialog_, 50), u"longer text");

    // Read-only fields are not for typing; a program can change that.
    SendDlgItemMessageW(dialog_, 50, EM_SETREADONLY, TRUE, 0);
    EXPECT_DEATH(sim::TypeText(dialog_, 50, u"z"), "read-only");
    SendDlgItemMessageW(dialog_, 50, EM_SETREADONLY, FALSE, 0);
    sim::TypeText(dialog_, 50, u"");
    EXPECT_EQ(sim::ControlText(dialog_, 50), u"");
}

TEST_F(ControlsTest, EditSelectionAndReplacement) {
    TemplateBuilder b;
    b.Add(Control(u"Edit", u"hello world", 60, WS_TABSTOP));
    dialog_ = ShowDialog(b);
    HWND edit = GetDlgItem(dialog_, 60);
    SendMessageW(edit, EM_SETSEL, 6, -1);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 6u);
    EXPECT_EQ(end, 11u);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u"there"));
    EXPECT_EQ(sim::ControlText(dialog_, 60), u"hello there");
    EXPECT_TRUE(SendMessageW(edit, EM_GETMODIFY, 0, 0));
    // A reversed range counts from its smaller end; positions past the text are clamped.
    SendMessageW(edit, EM_SETSEL, 99, 2);
    EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), MAKELRESULT(2, 11));
}

TEST_F(ControlsTest, ComboBoxSelectionByProgramAndByPerson) {
    TemplateBuilder b;
    b.Add(Control(u"ComboBox", u"", 70, WS_TABSTOP | CBS_DROPDOWNLIST, 7, 7, 80, 60))
        .Add(
            Control(u"ComboBox", u"", 71, WS_TABSTOP | CBS_DROPDOWNLIST | CBS_SORT, 7, 30, 80, 60));
    dialog_ = ShowDialog(b, 0, false);
    HWND combo = GetDlgItem(dialog_, 70);
    for (const char16_t* text : {u"Draft", u"Standard", u"Best"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(sim::ControlText(dialog_, 70), u"");

    // The program's selection is silent.
    EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 2, 0), 2);
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(sim::ControlText(dialog_, 70), u"Best");

    // The person's choice: the list drops, the choice is confirmed, it closes, and only a
    // changed selection is reported as such.
    sim::SelectComboItem(dialog_, 70, u"Standard");
    EXPECT_EQ(Events(),
              Lines(Command(70, CBN_SETFOCUS), Command(70, CBN_DROPDOWN), Command(70, CBN_SELENDOK),
                    Command(70, CBN_CLOSEUP), Command(70, CBN_SELCHANGE)));
    TheRecorder().Clear();
    sim::SelectComboItem(dialog_, 70, 1);
    EXPECT_EQ(Events(), Lines(Command(70, CBN_DROPDOWN), Command(70, CBN_SELENDOK),
                              Command(70, CBN_CLOSEUP)));

    // An index past the end clears the selection and answers CB_ERR.
    EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 7, 0), CB_ERR);
    EXPECT_EQ(sim::ComboSelection(dialog_, 70), CB_ERR);

    // Item data, exact search (case-insensitive, wrapping after the start), deletion.
    SendMessageW(combo, CB_SETITEMDATA, 1, 286);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 1, 0), 286);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 9, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(combo, CB_FINDSTRINGEXACT, 1, reinterpret_cast<LPARAM>(u"draft")), 0);
    EXPECT_EQ(SendMessageW(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(u"Bes")),
              CB_ERR);
    SendMessageW(combo, CB_SETCURSEL, 2, 0);
    EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 0, 0), 2);
    EXPECT_EQ(sim::ComboSelection(dialog_, 70), 1) << "the selection follows its entry";
    WCHAR text[16];
    EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text)), 4);
    EXPECT_EQ(std::u16string(text), u"Best");
    EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXTLEN, 5, 0), CB_ERR);

    // CBS_SORT places entries; CB_INSERTSTRING does not sort.
    HWND sorted = GetDlgItem(dialog_, 71);
    for (const char16_t* t : {u"pear", u"Apple", u"banana"})
        SendMessageW(sorted, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    SendMessageW(sorted, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"zebra"));
    EXPECT_EQ(sim::ComboItems(dialog_, 71), Texts(u"zebra", u"Apple", u"banana", u"pear"));
}

TEST_F(ControlsTest, ComboBoxKeysOnAClosedListNeverCloseUp) {
    TemplateBuilder b;
    b.Add(Control(u"ComboBox", u"", 70, WS_TABSTOP | CBS_DROPDOWNLIST, 7, 7, 80, 60))
        .Add(Control(u"Button", u"OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 40, 50, 14));
    dialog_ = ShowDialog(b, 0, false);
    HWND combo = GetDlgItem(dialog_, 70);
    for (const char16_t* text : {u"Draft", u"Standard", u"Best"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    sim::MoveFocus(dialog_, 70);
    TheRecorder().Clear();

    // Each step on the closed list is a selection of its own; nothing opened, nothing closes.
    sim::PressKeyOnComboBox(dialog_, 70, VK_DOWN);
    sim::PressKeyOnComboBox(dialog_, 70, VK_END);
    EXPECT_EQ(Events(), Lines(Command(70, CBN_SELENDOK), Command(70, CBN_SELCHANGE),
                              Command(70, CBN_SELENDOK), Command(70, CBN_SELCHANGE)));
    EXPECT_EQ(sim::ComboSelection(dialog_, 70), 2);
    TheRecorder().Clear();
    sim::PressKeyOnComboBox(dialog_, 70, VK_RIGHT);
    EXPECT_TRUE(Events().empty()) << "no step past the end";

    // F4 opens the list; the arrows move in it; Enter closes it on the entry.
    sim::PressKeyOnComboBox(dialog_, 70, VK_F4);
    EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), TRUE);
    sim::PressKeyOnComboBox(dialog_, 70, VK_UP);
    sim::PressKeyOnComboBox(dialog_, 70, VK_RETURN);
    EXPECT_EQ(Events(), Lines(Command(70, CBN_DROPDOWN), Command(70, CBN_SELCHANGE),
                              Command(70, CBN_SELENDOK), Command(70, CBN_CLOSEUP)));
    EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);

    // Enter on the closed list is the dialog's default button.
    TheRecorder().Clear();
    sim::PressKeyOnComboBox(dialog_, 70, VK_RETURN);
    EXPECT_EQ(Events(), Lines(Command(IDOK, BN_CLICKED)));
}

TEST_F(ControlsTest, SortedListBoxesIgnoreCaseAndNotifyOnlyWhenAsked) {
    TemplateBuilder b;
    b.Add(Control(u"ListBox", u"", 80, WS_TABSTOP | LBS_SORT | LBS_NOTIFY, 7, 7, 80, 60))
        .Add(Control(u"ListBox", u"", 81, WS_TABSTOP, 100, 7, 80, 60));
    dialog_ = ShowDialog(b, 0, false);
    HWND list = GetDlgItem(dialog_, 80);
    for (const char16_t* t : {u"Letter", u"a4", u"A3", u"10x14", u"letter small", u"B5 (JIS)",
                              u"#10 Envelope", u"Legal"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    // Punctuation before digits before letters; case plays no part.
    EXPECT_EQ(sim::ListItems(dialog_, 80),
              Texts(u"#10 Envelope", u"10x14", u"A3", u"a4", u"B5 (JIS)", u"Legal", u"Letter",
                    u"letter small"));
    EXPECT_EQ(SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"LETTER")), 7)
        << "an entry equal but for case goes after the equal ones";
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);

    sim::SelectListItem(dialog_, 80, u"Legal");
    sim::SelectListItem(dialog_, 80, 5);
    EXPECT_EQ(Events(), Lines(Command(80, LBN_SETFOCUS), Command(80, LBN_SELCHANGE),
                              Command(80, LBN_SELCHANGE)));
    TheRecorder().Clear();
    SendMessageW(GetDlgItem(dialog_, 81), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"one"));
    sim::SelectListItem(dialog_, 81, 0);
    EXPECT_EQ(Events(), Lines(Command(80, LBN_KILLFOCUS), Command(81, LBN_SETFOCUS)))
        << "without LBS_NOTIFY a click is not reported";
    EXPECT_EQ(sim::ListSelection(dialog_, 81), 0);

    // LB_SETCURSEL with -1 removes the selection and still answers LB_ERR.
    EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(sim::ListSelection(dialog_, 80), LB_ERR);
    EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 42, 0), LB_ERR);
    EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(u"legal")),
              5);
}

TEST_F(ControlsTest, MessagesAControlDoesNotModelAbortNamingIt) {
    TemplateBuilder b;
    b.Add(Control(u"ListBox", u"", 90, WS_TABSTOP, 7, 7, 80, 60))
        .Add(Button(u"Box", 91, BS_AUTOCHECKBOX, 70));
    dialog_ = ShowDialog(b);
    EXPECT_DEATH(SendDlgItemMessageW(dialog_, 90, CB_SETCURSEL, 0, 0), "0x014E.*ListBox");
    EXPECT_DEATH(SendDlgItemMessageW(dialog_, 90, LB_GETCOUNT, 0, 0), "0x018B.*ListBox");
    EXPECT_DEATH(SendMessageW(dialog_, BM_SETCHECK, 1, 0), "0x00F1.*#32770");
    EXPECT_DEATH(CreateWindowExW(0, u"SysTabControl32", u"", WS_CHILD, 0, 0, 1, 1, dialog_, nullptr,
                                 nullptr, nullptr),
                 "SysTabControl32");
    // Plain and three-state check boxes.
    const std::pair<DWORD, const char*> boxes[] = {{BS_CHECKBOX, "button style BS_CHECKBOX"},
                                                   {BS_3STATE, "button style BS_3STATE"},
                                                   {BS_AUTO3STATE, "button style BS_AUTO3STATE"}};
    for (const auto& [style, name] : boxes)
        EXPECT_DEATH(CreateWindowExW(0, u"Button", u"", WS_CHILD | style, 0, 0, 1, 1, dialog_,
                                     nullptr, nullptr, nullptr),
                     name);
    EXPECT_DEATH(SendDlgItemMessageW(dialog_, 91, BM_SETSTYLE, BS_AUTO3STATE, 0), "BS_AUTO3STATE");
    EXPECT_DEATH(CreateWindowExW(0, u"Button", u"", WS_CHILD | BS_PUSHBUTTON | BS_NOTIFY, 0, 0, 1,
                                 1, dialog_, nullptr, nullptr, nullptr),
                 "BS_NOTIFY");
    EXPECT_DEATH(SendDlgItemMessageW(dialog_, 91, BM_GETSTATE, 0, 0), "0x00F2.*Button");
}

} // namespace
