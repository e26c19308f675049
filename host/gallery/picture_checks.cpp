// A second opening of the printing preferences that looks at the pictures only: each is drawn with
// cyan transparent, and a switch that changes one leaves no trace of the old one (the sheet is
// photographed as the page left it, not repainted). Cancelled at the end, so nothing of it is
// stored.
#include "gallery_shots.h"
#include "gallery_tour.h"
#include "printer_tool/printer_folder.h"

#include "resources/resource.h"

namespace {

// The page keeps its orientation choice and picture hidden; they are shown here so that the
// picture's redraw can be seen, and the hidden buttons get the click a person's would give.
bool OrientationSteps(Sheet& sheet, HWND layout) {
    // It sits over the collation picture, which steps aside for the check.
    ShowWindow(GetDlgItem(layout, IDC_LAYOUT_COLLATE_PICTURE), SW_HIDE);
    ShowWindow(GetDlgItem(layout, IDC_LAYOUT_ORIENTATION_PICTURE), SW_SHOW);
    if (!ShootWindow(sheet.window(), "106_orientation_portrait",
                     "Check: the hidden orientation picture shown in place of the collation "
                     "picture, Portrait"))
        return false;
    const struct {
        int id;
        const char* name;
        const char* caption;
    } switches[] = {
        {IDC_LAYOUT_LANDSCAPE, "107_orientation_landscape", "Check: Landscape"},
        {IDC_LAYOUT_PORTRAIT, "108_orientation_portrait_again",
         "Check: Portrait again, no trace of Landscape"},
    };
    for (const auto& choice : switches) {
        SendMessageW(layout, WM_COMMAND, MAKEWPARAM(choice.id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(layout, choice.id)));
        if (!ShootAsShown(sheet.window(), choice.name, choice.caption))
            return false;
    }
    return true;
}

} // namespace

bool TourPictureChecks(const std::vector<BYTE>& jobDevmode) {
    Sheet sheet;
    if (!Did("the printing preferences open again",
             sheet.OpenPreferences(kTarvikPrinterName, jobDevmode)))
        return false;
    Place(sheet);
    const struct {
        const char* what;
        int id;
        const char* name;
        const char* caption;
    } switches[] = {
        {"Layout: Collate off", IDC_LAYOUT_COLLATE, "101_collate_off",
         "Check: Collate off, its picture changes"},
        {"Layout: Collate on", IDC_LAYOUT_COLLATE, "102_collate_on_again",
         "Check: Collate on again, no trace of the other picture"},
        {"Layout: Single Sided", IDC_LAYOUT_SINGLE_SIDED, "103_single_sided",
         "Check: Single Sided, its picture changes"},
        {"Layout: Double Sided (Interpoint)", IDC_LAYOUT_DOUBLE_SIDED, "104_double_sided_again",
         "Check: Double Sided again, no trace of the single-sided picture"},
        // The layout page's hidden Portrait button shares Front Ink Pages' id.
        {"Tarvik: Front Ink Pages", IDC_MAIN_FRONT_INK_PAGES, "105_tarvik_two_pass",
         "Check: Tarvik, Front Ink Pages, the two-pass picture"},
    };
    bool done = true;
    for (const auto& choice : switches)
        done = done && Did(choice.what, Click(sheet.Page(choice.id), choice.id)) &&
               ShootAsShown(sheet.window(), choice.name, choice.caption);
    done = done && OrientationSteps(sheet, sheet.Page(IDC_LAYOUT_COLLATE));
    Progress("the picture checks: Cancel");
    sheet.Cancel();
    return done;
}
