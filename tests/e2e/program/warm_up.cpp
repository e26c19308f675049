// The spooler's and the driver's first use, before anything is counted.
#include "warm_up.h"

#include "person.h"
#include "preferences_session.h"
#include "printer_tool/printer_folder.h"
#include "process_counts.h"
#include "sheet_windows.h"
#include "test_printer.h"

#include <winspool.h>

#include <vector>

namespace {

// Every page shown once, then Cancel.
void VisitPagesAndCancel(Person& person) {
    person.Then("find the sheet", [] { return FindSheet() != nullptr; });
    person.Then("show every page", [] {
        HWND sheet = FindSheet();
        for (int page = 0; page < SheetPageCount(sheet); ++page)
            ShowPage(sheet, page);
        return true;
    });
    person.Then("Cancel", [] {
        PressSheetButton(FindSheet(), PSBTN_CANCEL);
        return true;
    });
}

} // namespace

bool WarmUpSpooler(HWND application, bool withSession) {
    LPWSTR name = const_cast<LPWSTR>(kTestPrinterName);
    DeviceCapabilitiesW(name, TEXT("FILE:"), DC_PAPERS, nullptr, nullptr);
    HANDLE printer = nullptr;
    if (!OpenPrinterW(name, &printer, nullptr))
        return false;
    LONG size = DocumentPropertiesW(application, printer, name, nullptr, nullptr, 0);
    std::vector<BYTE> devmode(size > 0 ? static_cast<size_t>(size) : sizeof(DEVMODEW));
    auto* buffer = reinterpret_cast<DEVMODEW*>(devmode.data());
    DocumentPropertiesW(application, printer, name, buffer, nullptr, DM_OUT_BUFFER);

    // The same session as the checks' (a notice, lists dropped, pictures redrawn), cancelled;
    // without the printer link or in German the session's controls are not all there.
    Person preferences;
    bool noticeSeen = false;
    if (withSession)
        ScriptSession(preferences, noticeSeen, PSBTN_CANCEL);
    else
        VisitPagesAndCancel(preferences);
    preferences.Start();
    DocumentPropertiesW(application, printer, name, buffer, buffer,
                        DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    preferences.Stop();

    Person properties;
    VisitPagesAndCancel(properties);
    properties.Start();
    OpenPrinterProperties(application, printer, name);
    properties.Stop();
    ClosePrinter(printer);
    // The counting's own first calls.
    ProcessCounts::Take();
    return preferences.finished() && properties.finished();
}
