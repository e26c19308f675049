// The printing preferences, as a person meets them after an application's Properties button.
#include "gallery_shots.h"
#include "gallery_tour.h"
#include "person.h"
#include "printer_tool/printer_folder.h"
#include "sheet_windows.h"
#include "shown_text.h"

#include "resources/resource.h"

#include <commctrl.h>
#include <winspool.h>

namespace {

LPWSTR PrinterName() {
    return const_cast<LPWSTR>(kTarvikPrinterName);
}

// The sheet, placed where nothing covers it.
HWND PlacedSheet() {
    HWND sheet = FindSheet();
    if (sheet != nullptr)
        SetWindowPos(sheet, HWND_TOP, kSheetLeft, kSheetTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return sheet;
}

// A step that waits for the dialog holding `controlId`, photographs it and goes on.
Person::Action ShootDialog(int controlId, const char* name, const char* caption) {
    return [=] {
        HWND dialog = FindDialogWithControl(controlId);
        return dialog != nullptr && ShootWindow(dialog, name, caption);
    };
}

Person::Action ShootSheet(const char* name, const char* caption) {
    return [=] { return ShootWindow(FindSheet(), name, caption); };
}

// A key press on a control, as the keyboard delivers it to the focused control.
void PressKey(HWND control, WPARAM key) {
    SetFocus(control);
    SendMessageW(control, WM_KEYDOWN, key, 1);
    SendMessageW(control, WM_KEYUP, key, 0xC0000001);
}

void LayoutSteps(Person& person) {
    person.Then("Layout as it opens", [] {
        HWND page = ShowPageWithControl(PlacedSheet(), IDC_LAYOUT_DOUBLE_SIDED);
        return page != nullptr && ShootWindow(FindSheet(), "01_layout", "Layout, as it opens");
    });
    Step(person, "Layout: Double Sided (Interpoint)", [] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_LAYOUT_DOUBLE_SIDED);
        return ClickButton(page, IDC_LAYOUT_DOUBLE_SIDED);
    });
    person.Then("picture",
                ShootSheet("02_layout_double_sided", "Layout: Double Sided (Interpoint)"));
}

void MainPageSteps(Person& person) {
    Step(person, "Tarvik: 2 In 1", [] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_MAIN_TWO_IN_ONE);
        // The click opens the notice: it must not run inside this step.
        return ClickButton(page, IDC_MAIN_TWO_IN_ONE, true);
    });
    person.Then("picture", ShootDialog(IDC_NOTICE_OPT_OUT, "03_notice_two_in_one",
                                       "The notice 2 In 1 opens, answered Yes"));
    Step(person, "the notice: Yes", [] {
        return ClickButton(FindDialogWithControl(IDC_NOTICE_OPT_OUT), IDC_NOTICE_YES, true);
    });
    Step(person, "Tarvik: Dot Quality Best", [] {
        if (FindDialogWithControl(IDC_NOTICE_OPT_OUT) != nullptr)
            return false;
        HWND page = ShowPageWithControl(FindSheet(), IDC_MAIN_DOT_QUALITY);
        return ChooseListItem(page, IDC_MAIN_DOT_QUALITY, Shown(TEXT("Best")).c_str());
    });
    person.Then("picture",
                ShootSheet("04_tarvik", "Tarvik: 2 In 1 on, Dot Quality Best, double sided"));
    Step(person, "Tarvik: More Options ...", [] {
        // The Layout and Paper/Media pages' "Advanced ..." buttons share this id.
        HWND page = ShowPageWithControl(FindSheet(), IDC_MAIN_TWO_IN_ONE);
        return ClickButton(page, IDC_MAIN_MORE_OPTIONS, true);
    });
    Step(person, "image options: Contrast two pages up", [] {
        HWND dialog = FindDialogWithControl(IDC_IMAGE_CONTRAST);
        if (dialog == nullptr)
            return false;
        HWND bar = GetDlgItem(dialog, IDC_IMAGE_CONTRAST);
        PressKey(bar, VK_NEXT);
        PressKey(bar, VK_NEXT);
        return true;
    });
    person.Then("picture", ShootDialog(IDC_IMAGE_CONTRAST, "05_image_options",
                                       "More Options: the image options, Contrast moved"));
    Step(person, "image options: OK",
         [] { return ClickButton(FindDialogWithControl(IDC_IMAGE_CONTRAST), IDOK, true); });
}

void PaperSteps(Person& person) {
    Step(person, "Paper/Media: Letter", [] {
        if (FindDialogWithControl(IDC_IMAGE_CONTRAST) != nullptr)
            return false;
        HWND page = ShowPageWithControl(FindSheet(), IDC_PAPER_SIZE);
        return ChooseListItem(page, IDC_PAPER_SIZE, Shown(TEXT("Letter")).c_str());
    });
    Step(person, "Paper/Media: Advanced ...", [] {
        HWND page = ShowPageWithControl(FindSheet(), IDC_PAPER_SIZE);
        return ClickButton(page, IDC_PAPER_ADVANCED, true);
    });
    person.Then("picture", ShootDialog(IDC_ADVANCED_ADD_MEDIA, "06_advanced_media",
                                       "Paper/Media: Advanced, the media types and forms"));
    Step(person, "Advanced: Add ...", [] {
        return ClickButton(FindDialogWithControl(IDC_ADVANCED_ADD_MEDIA), IDC_ADVANCED_ADD_MEDIA,
                           true);
    });
    Step(person, "Media Type: a name and its dot forces", [] {
        HWND dialog = FindDialogWithControl(IDC_MEDIATYPE_NAME);
        if (dialog == nullptr)
            return false;
        SetDlgItemTextW(dialog, IDC_MEDIATYPE_NAME, TEXT("Thick Label"));
        SetDlgItemTextW(dialog, IDC_MEDIATYPE_HIGHEST, TEXT("20"));
        SetDlgItemTextW(dialog, IDC_MEDIATYPE_LOWEST, TEXT("6"));
        return true;
    });
    person.Then("picture", ShootDialog(IDC_MEDIATYPE_NAME, "07_media_type_add",
                                       "Add ...: a custom media type \"Thick Label\""));
    Step(person, "Media Type: OK",
         [] { return ClickButton(FindDialogWithControl(IDC_MEDIATYPE_NAME), IDOK, true); });
    person.Then("picture", [] {
        if (FindDialogWithControl(IDC_MEDIATYPE_NAME) != nullptr)
            return false;
        HWND dialog = FindDialogWithControl(IDC_ADVANCED_ADD_MEDIA);
        return dialog != nullptr &&
               ShootWindow(dialog, "08_advanced_media_added", "Advanced with the new media type");
    });
    Step(person, "Advanced: OK",
         [] { return ClickButton(FindDialogWithControl(IDC_ADVANCED_ADD_MEDIA), IDOK, true); });
    Step(person, "Paper/Media: Default 3 (Copy Paper)", [] {
        if (FindDialogWithControl(IDC_ADVANCED_ADD_MEDIA) != nullptr)
            return false;
        HWND page = ShowPageWithControl(FindSheet(), IDC_PAPER_MEDIA_TYPE);
        return ChooseListItem(page, IDC_PAPER_MEDIA_TYPE,
                              Shown(TEXT("Default 3 (Copy Paper)")).c_str());
    });
    person.Then("picture",
                ShootSheet("09_paper_media", "Paper/Media: Letter, Default 3 (Copy Paper)"));
}

} // namespace

bool TourPrintingPreferences(HWND application, HANDLE printer, std::vector<BYTE>& jobDevmode) {
    LONG size = DocumentPropertiesW(application, printer, PrinterName(), nullptr, nullptr, 0);
    if (size < static_cast<LONG>(sizeof(DEVMODEW)))
        return false;
    jobDevmode.assign(static_cast<size_t>(size), 0);
    auto* buffer = reinterpret_cast<DEVMODEW*>(jobDevmode.data());
    DocumentPropertiesW(application, printer, PrinterName(), buffer, nullptr, DM_OUT_BUFFER);

    Person person;
    person.Then("find the sheet", [] { return PlacedSheet() != nullptr; });
    LayoutSteps(person);
    MainPageSteps(person);
    PaperSteps(person);
    person.Then("OK", [] {
        Progress("the printing preferences: OK");
        PressSheetButton(FindSheet(), PSBTN_OK);
        return true;
    });
    person.Start();
    DocumentPropertiesW(application, printer, PrinterName(), buffer, buffer,
                        DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    person.Stop();
    if (!person.finished())
        Progress("STUCK at \"%s\"", person.stuckAt().c_str());
    return person.finished();
}
