// The printing preferences, as a person meets them after an application's Properties button.
#include "gallery_shots.h"
#include "gallery_tour.h"
#include "printer_tool/printer_folder.h"
#include "shown_text.h"

#include "resources/resource.h"

namespace {

bool LayoutSteps(Sheet& sheet) {
    HWND layout = sheet.Page(IDC_LAYOUT_DOUBLE_SIDED);
    return ShootWindow(sheet.window(), "01_layout", "Layout, as it opens") &&
           Did("Layout: Double Sided (Interpoint)", Click(layout, IDC_LAYOUT_DOUBLE_SIDED)) &&
           ShootWindow(sheet.window(), "02_layout_double_sided",
                       "Layout: Double Sided (Interpoint)");
}

bool MainPageSteps(Sheet& sheet) {
    // The Layout and Paper/Media pages' "Advanced ..." buttons share More Options' id.
    HWND main = sheet.Page(IDC_MAIN_TWO_IN_ONE);
    bool shot = false;
    sheet.Answer(IDD_NOTICE, [&shot](HWND notice) {
        shot = ShootWindow(notice, "03_notice_two_in_one", "The notice 2 In 1 opens, answered Yes");
        Did("the notice: Yes", Click(notice, IDC_NOTICE_YES));
    });
    if (!Did("Tarvik: 2 In 1", Click(main, IDC_MAIN_TWO_IN_ONE) && shot) ||
        !Did("Tarvik: Dot Quality Best",
             Choose(main, IDC_MAIN_DOT_QUALITY, Shown(TEXT("Best")).c_str())) ||
        !ShootWindow(sheet.window(), "04_tarvik",
                     "Tarvik: 2 In 1 on, Dot Quality Best, double sided"))
        return false;
    shot = false;
    sheet.Answer(IDD_IMAGE_OPTIONS, [&shot](HWND options) {
        Did("image options: Contrast two pages up",
            PressKey(options, IDC_IMAGE_CONTRAST, VK_NEXT) &&
                PressKey(options, IDC_IMAGE_CONTRAST, VK_NEXT));
        shot = ShootWindow(options, "05_image_options",
                           "More Options: the image options, Contrast moved");
        Did("image options: OK", Click(options, IDOK));
    });
    return Did("Tarvik: More Options ...", Click(main, IDC_MAIN_MORE_OPTIONS) && shot);
}

// Advanced ... with a custom media type added through Add ...
bool AdvancedSteps(Sheet& sheet, HWND paper) {
    bool shot = false;
    sheet.Answer(IDD_MEDIA_TYPE, [&shot](HWND mediaType) {
        Did("Media Type: a name and its dot forces",
            Type(mediaType, IDC_MEDIATYPE_NAME, TEXT("Thick Label")) &&
                Type(mediaType, IDC_MEDIATYPE_HIGHEST, TEXT("20")) &&
                Type(mediaType, IDC_MEDIATYPE_LOWEST, TEXT("6")));
        shot = ShootWindow(mediaType, "07_media_type_add",
                           "Add ...: a custom media type \"Thick Label\"");
        Did("Media Type: OK", Click(mediaType, IDOK));
    });
    bool done = false;
    sheet.Answer(IDD_ADVANCED_MEDIA, [&shot, &done](HWND advanced) {
        done = ShootWindow(advanced, "06_advanced_media",
                           "Paper/Media: Advanced, the media types and forms") &&
               Did("Advanced: Add ...", Click(advanced, IDC_ADVANCED_ADD_MEDIA) && shot) &&
               ShootWindow(advanced, "08_advanced_media_added", "Advanced with the new media type");
        Did("Advanced: OK", Click(advanced, IDOK));
    });
    return Did("Paper/Media: Advanced ...", Click(paper, IDC_PAPER_ADVANCED) && done);
}

bool PaperSteps(Sheet& sheet) {
    HWND paper = sheet.Page(IDC_PAPER_SIZE);
    return Did("Paper/Media: Letter",
               Choose(paper, IDC_PAPER_SIZE, Shown(TEXT("Letter")).c_str())) &&
           AdvancedSteps(sheet, paper) &&
           Did("Paper/Media: Default 3 (Copy Paper)",
               Choose(paper, IDC_PAPER_MEDIA_TYPE,
                      Shown(TEXT("Default 3 (Copy Paper)")).c_str())) &&
           ShootWindow(sheet.window(), "09_paper_media",
                       "Paper/Media: Letter, Default 3 (Copy Paper)");
}

} // namespace

bool TourPrintingPreferences(std::vector<BYTE>& jobDevmode) {
    Sheet sheet;
    if (!Did("the printing preferences open", sheet.OpenPreferences(kTarvikPrinterName)))
        return false;
    Place(sheet);
    bool done = LayoutSteps(sheet) && MainPageSteps(sheet) && PaperSteps(sheet);
    Progress("the printing preferences: %s", done ? "OK" : "Cancel");
    if (done)
        sheet.Ok();
    else
        sheet.Cancel();
    jobDevmode = sheet.devmode();
    return done;
}
