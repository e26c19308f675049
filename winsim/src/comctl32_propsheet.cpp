// comctl32: modeless property sheets (PropertySheetW with PSH_MODELESS, and the PSM_ messages the
// plug-in and its host send).
//
// The sheet is a dialog with the buttons OK, Cancel and Apply; the tab control is not modelled,
// a test picks pages with sim::SelectSheetPage. The sheet:
// - creates a page's dialog when the page is first shown. A page whose PSPCB_CREATE refuses stays
//   uncreated and cannot be shown: switching to it fails and the current page stays; a sheet
//   that can show none of its pages fails.
// - switches pages with PSN_KILLACTIVE to the current page (a TRUE answer keeps it) and then
//   PSN_SETACTIVE to the new one, which is shown while the old one is hidden.
// - enables Apply while any page is marked by PSM_CHANGED.
// - applies (Apply button, OK) with PSN_KILLACTIVE to the current page, then PSN_APPLY to every
//   created page in order (PSHNOTIFY.lParam TRUE for OK); PSNRET_INVALID stops there and shows
//   that page, PSNRET_INVALID_NOCHANGEPAGE stops there too. After a successful apply every page
//   counts as unchanged and Apply is disabled.
// - cancels with PSN_QUERYCANCEL to the current page (TRUE refuses) and PSN_RESET to every
//   created page.
// After OK or Cancel the sheet is closed and waits for its owner to destroy it, as the
// documentation asks of owners. Modal sheets, the header flags other than PSH_MODELESS and the
// PSM_ messages other than PSM_CHANGED and PSM_ADDPAGE are not modelled.
#include "comctl32_propsheet.h"
#include "sim.h"

#include <algorithm>
#include <map>

namespace winsim {
namespace {

constexpr int kApplyButton = 0x3021; // the id comctl32 gives the Apply button
constexpr short kMargin = 7;         // dialog units around the pages
constexpr short kTabHeight = 14;     // the (unmodelled) tab row above the pages
constexpr short kButtonWidth = 50, kButtonHeight = 14, kButtonGap = 4;

struct Sheet {
    HWND window = nullptr;
    std::vector<HPROPSHEETPAGE> pages;
    std::vector<bool> changed;
    int current = -1;
    bool closed = false;
    POINT pageOrigin = {kMargin, kMargin + kTabHeight};
};

struct SheetState {
    std::map<HWND, std::unique_ptr<Sheet>> sheets;
};

SheetState& S() {
    static SheetState state;
    return state;
}

ResetHook g_reset([] { S().sheets.clear(); });

Sheet* SheetOf(HWND window) {
    auto it = S().sheets.find(window);
    return it == S().sheets.end() ? nullptr : it->second.get();
}

Sheet& SheetOrDie(HWND window, const char* action) {
    Sheet* sheet = SheetOf(window);
    if (!sheet)
        Unmodelled("%s: the window is not a property sheet", action);
    return *sheet;
}

HWND PageWindow(Sheet& sheet, int index) {
    PropSheetPage* p = FindPage(sheet.pages[static_cast<size_t>(index)]);
    return p ? p->window : nullptr;
}

int IndexOfWindow(Sheet& sheet, HWND window) {
    for (size_t i = 0; i < sheet.pages.size(); ++i)
        if (window && PageWindow(sheet, static_cast<int>(i)) == window)
            return static_cast<int>(i);
    return -1;
}

LRESULT NotifyPage(HWND sheetWindow, int index, UINT code, LPARAM lParam) {
    Sheet* sheet = SheetOf(sheetWindow);
    if (!sheet || index < 0 || static_cast<size_t>(index) >= sheet->pages.size())
        return 0;
    HWND page = PageWindow(*sheet, index);
    if (!page)
        return 0;
    PSHNOTIFY n = {};
    n.hdr.hwndFrom = sheetWindow;
    n.hdr.idFrom = 0;
    n.hdr.code = code;
    n.lParam = lParam;
    return SendMessageW(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
}

void UpdateApplyButton(Sheet& sheet) {
    HWND apply = GetDlgItem(sheet.window, kApplyButton);
    if (!apply)
        return;
    bool any = false;
    for (bool c : sheet.changed)
        any = any || c;
    EnableWindow(apply, any);
}

// Shows page index in place of the current one. killActive: the current page is asked first.
bool SelectPage(HWND sheetWindow, int index, bool killActive) {
    Sheet* sheet = SheetOf(sheetWindow);
    if (!sheet || index < 0 || static_cast<size_t>(index) >= sheet->pages.size())
        return false;
    if (index == sheet->current)
        return true;
    if (killActive && sheet->current >= 0 &&
        NotifyPage(sheetWindow, sheet->current, PSN_KILLACTIVE, 0))
        return false;
    if (!(sheet = SheetOf(sheetWindow)))
        return false;
    if (!CreatePageWindow(sheetWindow, sheet->pages[static_cast<size_t>(index)], sheet->pageOrigin))
        return false;
    LRESULT answer = NotifyPage(sheetWindow, index, PSN_SETACTIVE, 0);
    if (answer != 0)
        Unmodelled("PSN_SETACTIVE answered %ld by a page of a property sheet (only wizards move "
                   "on to other pages)",
                   static_cast<long>(answer));
    if (!(sheet = SheetOf(sheetWindow)))
        return false;
    HWND old = sheet->current >= 0 ? PageWindow(*sheet, sheet->current) : nullptr;
    HWND now = PageWindow(*sheet, index);
    sheet->current = index;
    if (now)
        ShowWindow(now, SW_SHOW);
    if (old && IsWindow(old))
        ShowWindow(old, SW_HIDE);
    return true;
}

bool Apply(HWND sheetWindow, bool ok) {
    Sheet* sheet = SheetOf(sheetWindow);
    if (!sheet)
        return false;
    if (sheet->current >= 0 && NotifyPage(sheetWindow, sheet->current, PSN_KILLACTIVE, 0))
        return false;
    for (size_t i = 0; (sheet = SheetOf(sheetWindow)) && i < sheet->pages.size(); ++i) {
        if (!PageWindow(*sheet, static_cast<int>(i)))
            continue;
        LRESULT answer = NotifyPage(sheetWindow, static_cast<int>(i), PSN_APPLY, ok ? TRUE : FALSE);
        if (answer == PSNRET_INVALID) {
            // The sheet stays, showing the page that refused.
            if (Sheet* s = SheetOf(sheetWindow); s && s->current != static_cast<int>(i))
                SelectPage(sheetWindow, static_cast<int>(i), false);
            return false;
        }
        if (answer == PSNRET_INVALID_NOCHANGEPAGE)
            return false;
    }
    if (!(sheet = SheetOf(sheetWindow)))
        return false;
    std::fill(sheet->changed.begin(), sheet->changed.end(), false);
    UpdateApplyButton(*sheet);
    return true;
}

void Close(Sheet& sheet) {
    sheet.closed = true;
}

void Ok(HWND sheetWindow) {
    if (Apply(sheetWindow, true))
        if (Sheet* sheet = SheetOf(sheetWindow))
            Close(*sheet);
}

void Cancel(HWND sheetWindow, bool closeBox) {
    Sheet* sheet = SheetOf(sheetWindow);
    if (!sheet)
        return;
    if (sheet->current >= 0 && NotifyPage(sheetWindow, sheet->current, PSN_QUERYCANCEL, 0))
        return;
    for (size_t i = 0; (sheet = SheetOf(sheetWindow)) && i < sheet->pages.size(); ++i)
        NotifyPage(sheetWindow, static_cast<int>(i), PSN_RESET, closeBox ? TRUE : FALSE);
    if ((sheet = SheetOf(sheetWindow)) != nullptr)
        Close(*sheet);
}

// The header flags that are not modelled.
const std::pair<DWORD, const char*> kUnmodelledHeaderFlags[] = {
    {PSH_PROPTITLE, "PSH_PROPTITLE"},
    {PSH_USEHICON, "PSH_USEHICON"},
    {PSH_USEICONID, "PSH_USEICONID"},
    {PSH_PROPSHEETPAGE, "PSH_PROPSHEETPAGE"},
    {PSH_WIZARDHASFINISH, "PSH_WIZARDHASFINISH"},
    {PSH_WIZARD, "PSH_WIZARD"},
    {PSH_USEPSTARTPAGE, "PSH_USEPSTARTPAGE"},
    {PSH_NOAPPLYNOW, "PSH_NOAPPLYNOW"},
    {PSH_USECALLBACK, "PSH_USECALLBACK"},
    {PSH_HASHELP, "PSH_HASHELP"},
    {PSH_RTLREADING, "PSH_RTLREADING"},
    {PSH_WIZARDCONTEXTHELP, "PSH_WIZARDCONTEXTHELP"},
    {PSH_AEROWIZARD, "PSH_AEROWIZARD"},
    {PSH_WATERMARK, "PSH_WATERMARK"},
    {PSH_USEHBMWATERMARK, "PSH_USEHBMWATERMARK"},
    {PSH_USEHPLWATERMARK, "PSH_USEHPLWATERMARK"},
    {PSH_STRETCHWATERMARK, "PSH_STRETCHWATERMARK"},
    {PSH_HEADER, "PSH_HEADER"},
    {PSH_USEHBMHEADER, "PSH_USEHBMHEADER"},
    {PSH_USEPAGELANG, "PSH_USEPAGELANG"},
    {PSH_WIZARD_LITE, "PSH_WIZARD_LITE"},
    {PSH_WIZARD97, "PSH_WIZARD97"},
    {PSH_NOCONTEXTHELP, "PSH_NOCONTEXTHELP"},
    {PSH_RESIZABLE, "PSH_RESIZABLE"},
    {PSH_HEADERBITMAP, "PSH_HEADERBITMAP"},
    {PSH_NOMARGIN, "PSH_NOMARGIN"}};

// The PSM_ messages by name, from PSM_SETCURSEL on, for the abort of those not modelled.
const char* const kMessageNames[] = {"PSM_SETCURSEL",       "PSM_REMOVEPAGE",
                                     "PSM_ADDPAGE",         "PSM_CHANGED",
                                     "PSM_RESTARTWINDOWS",  "PSM_REBOOTSYSTEM",
                                     "PSM_CANCELTOCLOSE",   "PSM_QUERYSIBLINGS",
                                     "PSM_UNCHANGED",       "PSM_APPLY",
                                     "PSM_SETTITLEA",       "PSM_SETWIZBUTTONS",
                                     "PSM_PRESSBUTTON",     "PSM_SETCURSELID",
                                     "PSM_SETFINISHTEXTA",  "PSM_GETTABCONTROL",
                                     "PSM_ISDIALOGMESSAGE", "PSM_GETCURRENTPAGEHWND",
                                     "PSM_INSERTPAGE",      "PSM_SETTITLEW",
                                     "PSM_SETFINISHTEXTW",  "WM_USER + 122",
                                     "WM_USER + 123",       "WM_USER + 124",
                                     "WM_USER + 125",       "PSM_SETHEADERTITLEW",
                                     "WM_USER + 127",       "PSM_SETHEADERSUBTITLEW",
                                     "PSM_HWNDTOINDEX",     "PSM_INDEXTOHWND",
                                     "PSM_PAGETOINDEX",     "PSM_INDEXTOPAGE",
                                     "PSM_IDTOINDEX",       "PSM_INDEXTOID",
                                     "PSM_GETRESULT",       "PSM_RECALCPAGESIZES"};
static_assert(sizeof kMessageNames / sizeof *kMessageNames ==
              PSM_RECALCPAGESIZES - PSM_SETCURSEL + 1);

LRESULT SheetMessage(HWND hwnd, Sheet& sheet, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case PSM_CHANGED: {
        int index = IndexOfWindow(sheet, reinterpret_cast<HWND>(wParam));
        if (index >= 0) {
            sheet.changed[static_cast<size_t>(index)] = true;
            UpdateApplyButton(sheet);
        }
        return 0;
    }
    case PSM_ADDPAGE: {
        HPROPSHEETPAGE page = reinterpret_cast<HPROPSHEETPAGE>(lParam);
        PropSheetPage* p = FindPage(page);
        if (!p)
            return FALSE;
        p->sheet = hwnd;
        sheet.pages.push_back(page);
        sheet.changed.push_back(false);
        return TRUE;
    }
    default:
        Unmodelled("property sheet message %s", kMessageNames[msg - PSM_SETCURSEL]);
    }
}

INT_PTR CALLBACK SheetDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        Sheet* sheet = reinterpret_cast<Sheet*>(lParam);
        sheet->window = hwnd;
        return FALSE;
    }
    Sheet* sheet = SheetOf(hwnd);
    if (!sheet)
        return FALSE;
    if (msg >= PSM_SETCURSEL && msg <= PSM_RECALCPAGESIZES) {
        LRESULT result = SheetMessage(hwnd, *sheet, msg, wParam, lParam);
        if (IsWindow(hwnd))
            SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK:
            Ok(hwnd);
            return TRUE;
        case IDCANCEL:
            Cancel(hwnd, false);
            return TRUE;
        case kApplyButton:
            Apply(hwnd, false);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        Cancel(hwnd, true);
        return TRUE;
    case WM_NCDESTROY: {
        // The page dialogs are gone by now (children go first); the pages are released.
        std::vector<HPROPSHEETPAGE> pages = sheet->pages;
        for (HPROPSHEETPAGE page : pages)
            ReleasePage(page);
        S().sheets.erase(hwnd);
        return FALSE;
    }
    }
    return FALSE;
}

// The sheet's own template: the page area and the buttons below it, right-aligned.
class TemplateWriter {
public:
    void Word(WORD w) {
        bytes_.push_back(static_cast<BYTE>(w & 0xFF));
        bytes_.push_back(static_cast<BYTE>(w >> 8));
    }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void String(const std::u16string& s) {
        for (char16_t c : s)
            Word(c);
        Word(0);
    }
    void AlignTo4() {
        while (bytes_.size() % 4)
            bytes_.push_back(0);
    }
    std::vector<BYTE>& Bytes() { return bytes_; }

private:
    std::vector<BYTE> bytes_;
};

std::vector<BYTE> SheetTemplate(const std::u16string& caption, short pageCx, short pageCy) {
    struct Button {
        WORD id;
        const char16_t* text;
        DWORD style;
    };
    std::vector<Button> buttons = {{IDOK, u"OK", BS_DEFPUSHBUTTON},
                                   {IDCANCEL, u"Cancel", BS_PUSHBUTTON},
                                   {kApplyButton, u"&Apply", BS_PUSHBUTTON | WS_DISABLED}};
    short cx = static_cast<short>(pageCx + 2 * kMargin);
    short buttonsY = static_cast<short>(kMargin + kTabHeight + pageCy + kMargin);
    short cy = static_cast<short>(buttonsY + kButtonHeight + kMargin);

    TemplateWriter w;
    w.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_CONTEXTHELP |
            DS_SETFONT);
    w.Dword(0);
    w.Word(static_cast<WORD>(buttons.size()));
    w.Word(0);
    w.Word(0);
    w.Word(static_cast<WORD>(cx));
    w.Word(static_cast<WORD>(cy));
    w.Word(0); // no menu
    w.Word(0); // the dialog class
    w.String(caption);
    w.Word(8);
    w.String(u"MS Shell Dlg");
    short x = static_cast<short>(cx - kMargin -
                                 static_cast<short>(buttons.size()) * (kButtonWidth + kButtonGap) +
                                 kButtonGap);
    for (const Button& b : buttons) {
        w.AlignTo4();
        w.Dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | b.style);
        w.Dword(0);
        w.Word(static_cast<WORD>(x));
        w.Word(static_cast<WORD>(buttonsY));
        w.Word(kButtonWidth);
        w.Word(kButtonHeight);
        w.Word(b.id);
        w.Word(0xFFFF);
        w.Word(0x0080);
        w.String(b.text);
        w.Word(0);
        x = static_cast<short>(x + kButtonWidth + kButtonGap);
    }
    return std::move(w.Bytes());
}

std::u16string TextOf(HINSTANCE instance, LPCWSTR text) {
    if (!text)
        return {};
    if (!IS_INTRESOURCE(text))
        return text;
    WCHAR buffer[256];
    int n = LoadStringW(instance, LOWORD(reinterpret_cast<ULONG_PTR>(text)), buffer, 256);
    return std::u16string(buffer, static_cast<size_t>(n));
}

// Cleans up a sheet that could not be set up: its pages are released with it.
INT_PTR Fail(HWND window, std::vector<HPROPSHEETPAGE>& pages) {
    if (window && IsWindow(window))
        DestroyWindow(window); // releases the pages it took
    else
        for (HPROPSHEETPAGE page : pages)
            ReleasePage(page);
    return -1;
}

} // namespace
} // namespace winsim

using namespace winsim;

INT_PTR WINAPI PropertySheetW(LPCPROPSHEETHEADERW psh) {
    if (!psh || psh->dwSize < offsetof(PROPSHEETHEADERW, hbmWatermark)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    const DWORD flags = psh->dwFlags;
    if (!(flags & PSH_MODELESS))
        Unmodelled("modal property sheets (PropertySheetW without PSH_MODELESS)");
    for (const auto& [flag, name] : kUnmodelledHeaderFlags)
        if (flags & flag)
            Unmodelled("property sheet flag %s", name);
    if (psh->nPages > MAXPROPPAGES)
        return -1;

    std::vector<HPROPSHEETPAGE> pages;
    for (UINT i = 0; i < psh->nPages; ++i) {
        if (!FindPage(psh->phpage[i]))
            return Fail(nullptr, pages);
        pages.push_back(psh->phpage[i]);
    }

    // Titles come from PSP_USETITLE or from the page templates; the largest page sizes the sheet.
    short pageCx = PROP_SM_CXDLG, pageCy = PROP_SM_CYDLG;
    for (HPROPSHEETPAGE page : pages) {
        DialogTemplate t;
        if (!PageTemplate(page, &t))
            continue;
        pageCx = std::max(pageCx, t.cx);
        pageCy = std::max(pageCy, t.cy);
        PropSheetPage* p = FindPage(page);
        if (!(p->Psp()->dwFlags & PSP_USETITLE))
            p->title = t.title;
    }
    const int start = psh->nStartPage < pages.size() ? static_cast<int>(psh->nStartPage) : 0;
    std::vector<BYTE> bytes =
        SheetTemplate(TextOf(psh->hInstance, psh->pszCaption), pageCx, pageCy);
    DialogTemplate sheetTemplate = ParseDialogTemplate(bytes.data(), bytes.size(), "(sheet)");

    auto sheetObject = std::make_unique<Sheet>();
    Sheet* sheet = sheetObject.get();
    sheet->pages = pages;
    sheet->changed.assign(pages.size(), false);
    HWND window =
        CreateDialogFromTemplate(psh->hInstance, sheetTemplate, psh->hwndParent, SheetDialogProc,
                                 reinterpret_cast<LPARAM>(sheet), true, 0);
    if (!window)
        return Fail(nullptr, pages);
    S().sheets[window] = std::move(sheetObject);
    for (HPROPSHEETPAGE page : pages)
        FindPage(page)->sheet = window;

    // The start page, or else the first page that can be created.
    bool shown = SelectPage(window, start, false);
    for (size_t i = 0; !shown && IsWindow(window) && i < pages.size(); ++i)
        if (static_cast<int>(i) != start)
            shown = SelectPage(window, static_cast<int>(i), false);
    if (!shown || !IsWindow(window))
        return Fail(window, pages);
    ShowWindow(window, SW_SHOW);
    return reinterpret_cast<INT_PTR>(window);
}

namespace sim {

std::vector<SheetPage> SheetPages(HWND sheetWindow) {
    Sheet& sheet = SheetOrDie(sheetWindow, "sim::SheetPages");
    std::vector<SheetPage> out;
    for (size_t i = 0; i < sheet.pages.size(); ++i) {
        PropSheetPage* p = FindPage(sheet.pages[i]);
        out.push_back(
            {sheet.pages[i], p ? p->window : nullptr, p ? p->title : u"", sheet.changed[i]});
    }
    return out;
}

int SheetCurrentPage(HWND sheetWindow) {
    return SheetOrDie(sheetWindow, "sim::SheetCurrentPage").current;
}

bool SelectSheetPage(HWND sheetWindow, int index) {
    Sheet& sheet = SheetOrDie(sheetWindow, "sim::SelectSheetPage");
    if (sheet.closed || !IsReallyVisible(sheetWindow) || !IsReallyEnabled(sheetWindow))
        Unmodelled("sim::SelectSheetPage: the sheet is closed, hidden or disabled");
    if (index < 0 || static_cast<size_t>(index) >= sheet.pages.size())
        Unmodelled("sim::SelectSheetPage: the sheet has no page %d", index);
    bool selected = SelectPage(sheetWindow, index, true);
    PumpQueue();
    return selected;
}

void PressApply(HWND sheet) {
    SheetOrDie(sheet, "sim::PressApply");
    Click(sheet, kApplyButton);
}

void PressOK(HWND sheet) {
    SheetOrDie(sheet, "sim::PressOK");
    Click(sheet, IDOK);
}

void PressCancel(HWND sheet) {
    SheetOrDie(sheet, "sim::PressCancel");
    Click(sheet, IDCANCEL);
}

bool IsApplyEnabled(HWND sheet) {
    SheetOrDie(sheet, "sim::IsApplyEnabled");
    HWND apply = GetDlgItem(sheet, kApplyButton);
    return apply && IsWindowEnabled(apply);
}

bool IsSheetClosed(HWND sheet) {
    return SheetOrDie(sheet, "sim::IsSheetClosed").closed;
}

} // namespace sim
