// Shows the plug-in's printing preferences under Wine on a real display and has
// scripts/wine-screens.sh photograph what the pictures look like: the main page's back-side ink
// pictures, the image options dialog's column pictures, and the layout page's pictures before and
// after each switch that changes them. The script says where the shots go (QV_SCREENS).
#include "screen_shots.h"
#include "screens_printer.h"

#include "core_driver.h"
#include "resources/resource.h"
#include "sheet_session.h"

#include <commctrl.h>
#include <prsht.h>
#include <strsafe.h>

#include <cstdio>
#include <vector>

namespace {

enum SheetPage { kLayoutPage, kPaperPage, kMainPage };
constexpr UINT kDialogOpenTime = 1500;

HWND ShowPage(HWND sheet, SheetPage index) {
    SendMessageW(sheet, PSM_SETCURSEL, index, 0);
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// A person's click on a visible button.
void Click(HWND page, int id) {
    SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0);
}

// What the page hears when one of its hidden buttons is clicked.
void ClickHidden(HWND page, int id) {
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

void ShootMainPage(HWND sheet) {
    ShowPage(sheet, kMainPage);
    TakeShot("main_back_side_ink", sheet); // single sided: picture 1070
}

void ShootLayoutPage(HWND sheet) {
    HWND page = ShowPage(sheet, kLayoutPage);
    TakeShot("layout_1_start", sheet);
    Click(page, IDC_LAYOUT_COLLATE);
    TakeShot("layout_2_collate_on", sheet);
    Click(page, IDC_LAYOUT_COLLATE);
    TakeShot("layout_3_collate_off", sheet);
    Click(page, IDC_LAYOUT_DOUBLE_SIDED);
    TakeShot("layout_4_double_sided", sheet);
    Click(page, IDC_LAYOUT_INSERT_EMPTY_PAGE);
    TakeShot("layout_5_empty_page", sheet);
    Click(page, IDC_LAYOUT_INSERT_EMPTY_PAGE);
    Click(page, IDC_LAYOUT_SINGLE_SIDED);
    TakeShot("layout_6_single_sided", sheet);
    Click(page, IDC_LAYOUT_DOUBLE_SIDED);
    // The orientation picture is hidden on the page; shown here so that its redraw can be seen.
    ShowWindow(GetDlgItem(page, IDC_LAYOUT_ORIENTATION_PICTURE), SW_SHOW);
    TakeShot("layout_7_portrait", sheet);
    ClickHidden(page, IDC_LAYOUT_LANDSCAPE);
    TakeShot("layout_8_landscape", sheet);
    ClickHidden(page, IDC_LAYOUT_PORTRAIT);
    TakeShot("layout_9_portrait_again", sheet);
}

// The dialog is modal: while its own loop serves it, another thread has it photographed and
// then closes it.
DWORD WINAPI ShootImageOptions(LPVOID) {
    WCHAR caption[MAX_PATH];
    StringCchPrintfW(caption, MAX_PATH, TEXT("Advanced - %ls"), kScreensPrinterName);
    HWND dialog = nullptr;
    for (int tries = 0; dialog == nullptr && tries < 100; ++tries) {
        Sleep(100);
        dialog = FindWindowW(TEXT("#32770"), caption);
    }
    if (dialog == nullptr) {
        std::printf("FAILED the image options dialog did not open\n");
        std::fflush(stdout);
        return 1;
    }
    Sleep(kDialogOpenTime);
    // Beside the sheet. Without a window manager, Wine left the dialog unpainted where it first
    // appeared over its owner until it moved.
    SetWindowPos(dialog, HWND_TOP, 440, 40, 0, 0, SWP_NOSIZE);
    Sleep(kDialogOpenTime);
    RequestShot("image_options", dialog);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return 0;
}

void ShootTwoPassAndImageOptions(HWND sheet) {
    HWND page = ShowPage(sheet, kMainPage); // double sided now
    Click(page, IDC_MAIN_FRONT_INK_PAGES);
    TakeShot("main_two_pass", sheet); // picture 1069
    HANDLE shooter = CreateThread(nullptr, 0, ShootImageOptions, nullptr, 0, nullptr);
    Click(page, IDC_MAIN_MORE_OPTIONS);
    if (shooter != nullptr) {
        WaitForSingleObject(shooter, INFINITE);
        CloseHandle(shooter);
    }
}

int Run(LPCWSTR folder) {
    if (!InstallScreensPrinter(folder))
        return 1;
    WCHAR installed[MAX_PATH];
    PluginModulePath(installed, MAX_PATH);
    CoreDriverHost host;
    if (FAILED(host.Load(installed))) {
        std::printf("FAILED loading the plug-in\n");
        return 1;
    }
    int status = 0;
    {
        std::vector<BYTE> jobDevmode = host.BuildJobDevmode(nullptr);
        SheetSession session(host);
        if (FAILED(session.OpenDocumentProperties(
                kScreensPrinterName, reinterpret_cast<DEVMODEW*>(jobDevmode.data())))) {
            std::printf("FAILED opening the printing preferences\n");
            status = 1;
        } else {
            HWND sheet = session.ShowSheet(nullptr);
            SetWindowPos(sheet, HWND_TOP, 16, 16, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
            ShootMainPage(sheet);
            ShootLayoutPage(sheet);
            ShootTwoPassAndImageOptions(sheet);
            session.Close(0);
        }
    }
    host.Unload();
    RemoveScreensPrinter();
    return status;
}

} // namespace

int main() {
    WCHAR folder[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 2;
    while (length > 0 && folder[length - 1] != TEXT('\\'))
        --length;
    folder[length] = 0;
    WCHAR shots[MAX_PATH];
    if (GetEnvironmentVariableW(TEXT("QV_SCREENS"), shots, MAX_PATH) == 0)
        return 2;
    StringCchCatW(shots, MAX_PATH, TEXT("\\"));
    SetShotFolder(shots);
    int status = Run(folder);
    std::printf("DONE %d\n", status);
    std::fflush(stdout);
    return status;
}
