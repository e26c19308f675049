// The keyboard session on the printing preferences, step by step, while DocumentPropertiesW runs
// the sheet.
#include "preferences_session.h"

#include "sheet_windows.h"

#include "resources/resource.h"

void ScriptSession(Person& person, bool& noticeSeen, int lastButton) {
    person.Then("find the sheet", [] { return FindSheet() != nullptr; });
    person.Then("Layout: Double Sided (Interpoint)", [] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_LAYOUT_DOUBLE_SIDED);
        return ClickButton(page, IDC_LAYOUT_DOUBLE_SIDED);
    });
    person.Then("Tarvik: 2 In 1", [] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_MAIN_TWO_IN_ONE);
        // The click opens the notice: it must not run inside this step.
        return ClickButton(page, IDC_MAIN_TWO_IN_ONE, true);
    });
    person.Then("the notice: Yes", [&noticeSeen] {
        HWND notice = FindDialogWithControl(IDC_NOTICE_OPT_OUT);
        noticeSeen = noticeSeen || notice != nullptr;
        return ClickButton(notice, IDC_NOTICE_YES, true);
    });
    person.Then("Tarvik: Dot Quality Best", [] {
        if (FindDialogWithControl(IDC_NOTICE_OPT_OUT) != nullptr)
            return false;
        HWND page = ShowPageWithControl(FindSheet(), IDC_MAIN_DOT_QUALITY);
        return ChooseListItem(page, IDC_MAIN_DOT_QUALITY, TEXT("Best"));
    });
    person.Then("Paper/Media: Letter", [] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_PAPER_SIZE);
        return ChooseListItem(page, IDC_PAPER_SIZE, TEXT("Letter"));
    });
    person.Then("Paper/Media: Default 3 (Copy Paper)", [] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_PAPER_MEDIA_TYPE);
        return ChooseListItem(page, IDC_PAPER_MEDIA_TYPE, TEXT("Default 3 (Copy Paper)"));
    });
    person.Then(lastButton == PSBTN_OK ? "OK" : "Cancel", [lastButton] {
        PressSheetButton(FindSheet(), lastButton);
        return true;
    });
}
