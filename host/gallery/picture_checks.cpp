// A second opening of the printing preferences that looks at the pictures only: each is drawn with
// cyan transparent, and a switch that changes one leaves no trace of the old one. Cancelled at the
// end, so nothing of it is stored.
#include "gallery_shots.h"
#include "gallery_tour.h"
#include "person.h"
#include "printer_tool/printer_folder.h"
#include "sheet_windows.h"

#include "resources/resource.h"

#include <winspool.h>

namespace {

HWND LayoutPage() {
    return ShowPageWithControl(FindSheet(), IDC_LAYOUT_COLLATE);
}

// A switch clicked on the layout page, then a picture of the sheet.
void SwitchAndShoot(Person& person, const char* what, int controlId, const char* name,
                    const char* caption) {
    Step(person, what, [controlId] { return ClickButton(LayoutPage(), controlId); });
    person.Then("picture", [name, caption] { return ShootWindow(FindSheet(), name, caption); });
}

// The page keeps its orientation choice and picture hidden; they are shown here so that the
// picture's redraw can be seen, and the hidden buttons get the click a person's would give.
void OrientationSteps(Person& person) {
    person.Then("show the orientation picture", [] {
        HWND page = LayoutPage();
        if (page == nullptr)
            return false;
        // It sits over the collation picture, which steps aside for the check.
        ShowWindow(GetDlgItem(page, IDC_LAYOUT_COLLATE_PICTURE), SW_HIDE);
        ShowWindow(GetDlgItem(page, IDC_LAYOUT_ORIENTATION_PICTURE), SW_SHOW);
        return ShootWindow(FindSheet(), "15_orientation_portrait",
                           "Check: the hidden orientation picture shown in place of the collation "
                           "picture, Portrait");
    });
    const struct {
        int id;
        const char* name;
        const char* caption;
    } switches[] = {
        {IDC_LAYOUT_LANDSCAPE, "16_orientation_landscape", "Check: Landscape"},
        {IDC_LAYOUT_PORTRAIT, "17_orientation_portrait_again",
         "Check: Portrait again, no trace of Landscape"},
    };
    for (const auto& choice : switches) {
        person.Then(choice.name, [choice] {
            HWND page = LayoutPage();
            HWND button = GetDlgItem(page, choice.id);
            SendMessageW(page, WM_COMMAND, MAKEWPARAM(choice.id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            return ShootWindow(FindSheet(), choice.name, choice.caption);
        });
    }
}

} // namespace

bool TourPictureChecks(HWND application, HANDLE printer, const std::vector<BYTE>& jobDevmode) {
    std::vector<BYTE> devmode = jobDevmode;
    auto* buffer = reinterpret_cast<DEVMODEW*>(devmode.data());
    Person person;
    person.Then("find the sheet", [] {
        HWND sheet = FindSheet();
        if (sheet != nullptr)
            SetWindowPos(sheet, HWND_TOP, kSheetLeft, kSheetTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return sheet != nullptr;
    });
    SwitchAndShoot(person, "Layout: Collate on", IDC_LAYOUT_COLLATE, "10_collate_on",
                   "Check: Collate on, its picture changes");
    SwitchAndShoot(person, "Layout: Collate off", IDC_LAYOUT_COLLATE, "11_collate_off",
                   "Check: Collate off again, no trace of the other picture");
    SwitchAndShoot(person, "Layout: Single Sided", IDC_LAYOUT_SINGLE_SIDED, "12_single_sided",
                   "Check: Single Sided, its picture changes");
    SwitchAndShoot(person, "Layout: Double Sided (Interpoint)", IDC_LAYOUT_DOUBLE_SIDED,
                   "13_double_sided_again",
                   "Check: Double Sided again, no trace of the single-sided picture");
    Step(person, "Tarvik: Front Ink Pages", [] {
        // The layout page's hidden Portrait button shares this button's id.
        HWND page = ShowPageWithControl(FindSheet(), IDC_MAIN_TWO_IN_ONE);
        return ClickButton(page, IDC_MAIN_FRONT_INK_PAGES);
    });
    person.Then("picture", [] {
        return ShootWindow(FindSheet(), "14_tarvik_two_pass",
                           "Check: Tarvik, Front Ink Pages, the two-pass picture");
    });
    OrientationSteps(person);
    person.Then("Cancel", [] {
        Progress("the picture checks: Cancel");
        PressSheetButton(FindSheet(), PSBTN_CANCEL);
        return true;
    });
    person.Start();
    DocumentPropertiesW(application, printer, const_cast<LPWSTR>(kTarvikPrinterName), buffer,
                        buffer, DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    person.Stop();
    if (!person.finished())
        Progress("STUCK at \"%s\"", person.stuckAt().c_str());
    return person.finished();
}
