// The printing preferences and the printer's properties as a person works them (the sessions of
// host/person/), with a picture of every page and dialog met on the way.
#include "gallery_shots.h"
#include "gallery_tour.h"
#include "person/sessions.h"
#include "printer_tool/printer_folder.h"

#include <compstui.h>
#include <strsafe.h>

namespace {

// Photographs each window the session shows, named "<group><number>_<name>" in the order met;
// `shot` turns false when a picture could not be saved.
Look Photographer(int group, bool& shot) {
    return [group, &shot, number = 0](HWND window, const char* name, const char* caption) mutable {
        char file[64];
        StringCchPrintfA(file, ARRAYSIZE(file), "%d%02d_%s", group, ++number, name);
        shot = ShootWindow(GetAncestor(window, GA_ROOT), file, caption) && shot;
    };
}

} // namespace

bool TourPrintingPreferences(std::vector<BYTE>& jobDevmode) {
    Sheet sheet;
    if (!Did("the printing preferences open", sheet.OpenPreferences(kTarvikPrinterName)))
        return false;
    Place(sheet);
    bool shot = true;
    bool done = Did("the printing preferences: OK",
                    WorkThePreferences(sheet, Photographer(0, shot)) == IDOK);
    jobDevmode = sheet.devmode();
    return done && shot;
}

bool TourPrinterProperties() {
    Sheet sheet;
    if (!Did("the printer's properties open", sheet.OpenProperties(kTarvikPrinterName)))
        return false;
    Place(sheet);
    bool shot = true;
    return Did("the printer's properties: OK",
               WorkTheProperties(sheet, Photographer(2, shot)) == CPSUI_OK) &&
           shot;
}
