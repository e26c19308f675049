// A real application's print dialog: comdlg32's Properties button asks the spooler for the
// printing preferences, the spooler asks the driver's configuration module, and the module shows
// the plug-in's pages. What the person chose there comes back to the application.
#include "person/person.h"
#include "wine_test.h"

#include "resources/resource.h"

#include <commdlg.h>
#include <dlgs.h>

namespace {

class ApplicationTest : public WineTest {};

// PrintDlgW over the printer, named as an application names it; Properties is pressed and, once
// the sheet has closed, Print. The devmode the dialog hands back is the application's.
TEST_F(ApplicationTest, ThePrintDialogsPropertiesShowThePagesAndBringBackTheChoices) {
    Sheet sheet;
    std::vector<BYTE> devmode;
    sheet.Answer(kCommonDialog, [](HWND print) {
        Click(print, psh2);
        Click(print, IDOK);
    });
    ASSERT_TRUE(sheet.Open([&devmode](HWND owner) {
        const WORD nameOffset = sizeof(DEVNAMES) / sizeof(WCHAR), chars = lstrlenW(kPrinterName);
        HGLOBAL names = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                    sizeof(DEVNAMES) + (chars + 2) * sizeof(WCHAR));
        auto* devNames = static_cast<DEVNAMES*>(GlobalLock(names));
        devNames->wDeviceOffset = nameOffset;
        devNames->wDriverOffset = devNames->wOutputOffset = nameOffset + chars + 1;
        lstrcpyW(reinterpret_cast<WCHAR*>(devNames) + nameOffset, kPrinterName);
        GlobalUnlock(names);
        PRINTDLGW print = {};
        print.lStructSize = sizeof(print);
        print.hwndOwner = owner;
        print.hDevNames = names;
        BOOL printed = PrintDlgW(&print);
        const BYTE* chosen =
            print.hDevMode ? static_cast<BYTE*>(GlobalLock(print.hDevMode)) : nullptr;
        if (chosen != nullptr)
            devmode.assign(chosen, chosen + GlobalSize(print.hDevMode));
        GlobalFree(print.hDevMode);
        GlobalFree(print.hDevNames);
        return LONG(printed);
    }));
    EXPECT_EQ(sheet.Titles(), TEXT("Layout, Paper/Media, Tarvik"));
    EXPECT_TRUE(Click(sheet.Page(IDC_LAYOUT_DOUBLE_SIDED), IDC_LAYOUT_DOUBLE_SIDED));
    EXPECT_TRUE(Choose(sheet.Page(IDC_PAPER_SIZE), IDC_PAPER_SIZE, TEXT("Letter")));
    EXPECT_EQ(sheet.Ok(), TRUE);
    ASSERT_GE(devmode.size(), sizeof(DEVMODEW) + 732);
    const auto* chosen = reinterpret_cast<const DEVMODEW*>(devmode.data());
    EXPECT_EQ(std::wstring(chosen->dmDeviceName), kPrinterName);
    EXPECT_EQ(chosen->dmDuplex, DMDUP_VERTICAL);
    EXPECT_EQ(std::wstring(chosen->dmFormName), TEXT("Letter"));
}

} // namespace
