// Every page and dialog of both sheets as a person who enlarges the screen or listens to it meets
// them, in English and in German, at whatever scale the prefix was installed with
// (scripts/wine-tests.sh runs this at 96 and at 144 dots per inch): every text fits its control
// in the font the control draws it with, and every edit is named by its label.
#include "person/sessions.h"
#include "wine_test.h"

#include "device_page/device_page_ids.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <string>

namespace {

class ScreenTest : public WineTest {};

std::wstring ClassOf(HWND window) {
    WCHAR name[32] = {};
    GetClassNameW(window, name, 32);
    CharUpperW(name);
    return name;
}

// Whether `text` fits `room` in `control`'s font: on one line, or wrapped within its height.
bool Fits(HWND control, const std::wstring& text, RECT room, UINT format) {
    RECT need = {0, 0, room.right, 0};
    HDC dc = GetDC(control);
    HGDIOBJ font =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | format);
    SelectObject(dc, font);
    ReleaseDC(control, dc);
    return need.right <= room.right && need.bottom <= room.bottom;
}

// The texts of `control` that it cuts: its own, or the items of its list; a box or a frame
// before the text takes its room.
std::wstring CutTexts(HWND control) {
    std::wstring kind = ClassOf(control), text = WindowText(control), cut;
    LONG style = GetWindowLongW(control, GWL_STYLE);
    RECT room = {};
    GetClientRect(control, &room);
    UINT format = DT_SINGLELINE;
    if (kind == TEXT("BUTTON")) {
        LONG type = style & BS_TYPEMASK;
        if (type == BS_OWNERDRAW)
            return cut;
        bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
        room.right -= push                  ? 2 * GetSystemMetrics(SM_CXEDGE) + 4
                      : type == BS_GROUPBOX ? 12
                                            : GetSystemMetrics(SM_CXMENUCHECK) + 3;
        format = style & BS_MULTILINE ? DT_WORDBREAK : DT_SINGLELINE;
    } else if (kind == TEXT("STATIC")) {
        LONG type = style & SS_TYPEMASK;
        if (type > SS_RIGHT && type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP)
            return cut;
        format = (type <= SS_RIGHT ? DT_WORDBREAK : DT_SINGLELINE) |
                 (style & SS_NOPREFIX ? DT_NOPREFIX : 0);
    } else if (kind == TEXT("COMBOBOX") || kind == TEXT("LISTBOX")) {
        room.right -= kind == TEXT("COMBOBOX") ? GetSystemMetrics(SM_CXVSCROLL) + 4 : 4;
        for (const std::wstring& item : ItemsOf(GetParent(control), GetDlgCtrlID(control)))
            if (!Fits(control, item, room, DT_SINGLELINE | DT_NOPREFIX))
                cut += item + TEXT("; ");
        return cut;
    } else {
        return cut;
    }
    return text.empty() || Fits(control, text, room, format) ? cut : text + TEXT("; ");
}

// The text of `label` as a person reads it: without the mnemonic's marker.
std::wstring Read(HWND label) {
    std::wstring text = WindowText(label), read;
    for (size_t at = 0; at < text.size(); ++at)
        read += text[text[at] == TEXT('&') && at + 1 < text.size() ? ++at : at];
    return read;
}

// What a person would miss in `window` (a page or a dialog of the plug-in): texts cut, and edits
// whose spoken name is not their label's text.
std::wstring MissedIn(HWND window) {
    std::wstring missed;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        std::wstring cut = CutTexts(child), name = SpokenName(child);
        if (!cut.empty())
            missed += TEXT("cut: ") + cut;
        HWND label = GetWindow(child, GW_HWNDPREV);
        if (ClassOf(child) == TEXT("EDIT") && (label == nullptr || name != Read(label)))
            missed += TEXT("edit ") + std::to_wstring(GetDlgCtrlID(child)) + TEXT(" is called \"") +
                      name + TEXT("\"; ");
    }
    return missed.empty() ? missed : WindowText(window) + TEXT(": ") + missed + TEXT("\n");
}

// Every page and dialog of the printing preferences and of the printer's properties, looked at
// while the person's sessions work them: the count of windows looked at and what was missed in
// them.
std::pair<int, std::wstring> LookEverywhere() {
    int looked = 0;
    std::wstring missed;
    auto look = [&](HWND window, const char*, const char*) {
        ++looked;
        missed += MissedIn(window);
    };
    Sheet preferences, properties;
    if (preferences.OpenPreferences(kPrinterName))
        WorkThePreferences(preferences, look);
    if (properties.OpenProperties(kPrinterName))
        WorkTheProperties(properties, look);
    return {looked, missed};
}

// Looks everywhere in English and in German: what was missed, after the count of windows.
std::wstring LookEverywhereInBothLanguages() {
    std::wstring seen;
    for (LPCWSTR language : {TEXT(""), TEXT("de_de")}) {
        RestoreInstalledState();
        SetLocale(language);
        auto [looked, missed] = LookEverywhere();
        seen += std::to_wstring(looked) + TEXT(" windows; ") + missed;
    }
    return seen;
}

TEST_F(ScreenTest, EveryTextFitsAndEveryEditIsNamedByItsLabelInEnglishAndGerman) {
    HDC screen = GetDC(nullptr);
    SCOPED_TRACE(testing::Message() << GetDeviceCaps(screen, LOGPIXELSY) << " dots per inch");
    ReleaseDC(nullptr, screen);
    ForgiveFileDialog(1); // the braille table's, shown from each language's sheet
    ForgiveFileDialog(1);
    EXPECT_EQ(LookEverywhereInBothLanguages(), TEXT("19 windows; 19 windows; "));
}

// On a scaled screen the pictures grow as the texts around them do.
TEST_F(ScreenTest, PicturesGrowWithTheScreen) {
    Sheet sheet;
    ASSERT_TRUE(sheet.OpenPreferences(kPrinterName));
    EXPECT_TRUE(ShowsPicture(sheet.PageAt(2), IDC_MAIN_BACK_SIDE_PICTURE, IDB_BACK_SIDE_INK));
    HWND layout = sheet.PageAt(0);
    EXPECT_TRUE(ShowsPicture(layout, IDC_LAYOUT_DUPLEX_PICTURE, IDB_DUPLEX_SINGLE));
    EXPECT_TRUE(ShowsPicture(layout, IDC_LAYOUT_LOGO, IDB_LOGO));
    sheet.Cancel();
}

} // namespace
