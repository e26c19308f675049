// comctl32: property sheets (PropertySheetW and the PSM_ messages).
//
// The sheet is a dialog with the buttons OK, Cancel and Apply (and Help with PSH_HASHELP); the
// tab control is not modelled, a test picks pages with sim::SelectSheetPage. The sheet:
// - creates a page's dialog when the page is first shown (PSP_PREMATURE: when the sheet is
//   created). A page whose PSPCB_CREATE refuses stays uncreated and cannot be shown: switching
//   to it fails and the current page stays; a sheet that can show none of its pages fails.
// - switches pages with PSN_KILLACTIVE to the current page (a TRUE answer keeps it) and then
//   PSN_SETACTIVE to the new one, which is shown while the old one is hidden.
// - enables Apply while any page is marked by PSM_CHANGED.
// - applies (Apply button, PSM_APPLY, OK) with PSN_KILLACTIVE to the current page, then
//   PSN_APPLY to every created page in order (PSHNOTIFY.lParam TRUE for OK); PSNRET_INVALID
//   stops there and shows that page, PSNRET_INVALID_NOCHANGEPAGE stops there too. After a
//   successful apply every page counts as unchanged and Apply is disabled.
// - cancels with PSN_QUERYCANCEL to the current page (TRUE refuses) and PSN_RESET to every
//   created page.
// A modal sheet is destroyed after OK or Cancel; a modeless one is closed (PSM_GETCURRENTPAGEHWND
// answers null) and waits for its owner to destroy it, as the documentation asks of owners.
// The sheet always has its Apply button and starts at nStartPage: PSH_NOAPPLYNOW and
// PSH_USEPSTARTPAGE are not modelled, nor are PSM_UNCHANGED and PSM_GETRESULT.
#include "comctl32_propsheet.h"
#include "sim.h"

#include <algorithm>
#include <deque>
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
    bool modal = false;
    bool closed = false;
    bool applied = false;
    int restart = 0;
    POINT pageOrigin = {kMargin, kMargin + kTabHeight};
};

struct SheetState {
    std::map<HWND, std::unique_ptr<Sheet>> sheets;
    Sheet* creating = nullptr;
    std::deque<sim::DialogScript> scripts;
};

SheetState& S() {
    static SheetState state;
    return state;
}

ResetHook g_reset([] {
    S().sheets.clear();
    S().creating = nullptr;
    S().scripts.clear();
});

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

int IndexOfPage(Sheet& sheet, HPROPSHEETPAGE page) {
    for (size_t i = 0; i < sheet.pages.size(); ++i)
        if (sheet.pages[i] == page)
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
    sheet->applied = true;
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

INT_PTR Result(const Sheet& sheet) {
    if (!sheet.applied)
        return 0;
    return sheet.restart ? sheet.restart : 1;
}

LRESULT SheetMessage(HWND hwnd, Sheet& sheet, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case PSM_SETCURSEL: {
        int index = lParam ? IndexOfPage(sheet, reinterpret_cast<HPROPSHEETPAGE>(lParam))
                           : static_cast<int>(wParam);
        return SelectPage(hwnd, index, true) ? TRUE : FALSE;
    }
    case PSM_SETCURSELID: {
        for (size_t i = 0; i < sheet.pages.size(); ++i) {
            PropSheetPage* p = FindPage(sheet.pages[i]);
            if (p && !(p->Psp()->dwFlags & PSP_DLGINDIRECT) &&
                reinterpret_cast<LPARAM>(p->Psp()->pszTemplate) == lParam)
                return SelectPage(hwnd, static_cast<int>(i), true) ? TRUE : FALSE;
        }
        return FALSE;
    }
    case PSM_CHANGED: {
        int index = IndexOfWindow(sheet, reinterpret_cast<HWND>(wParam));
        if (index >= 0) {
            sheet.changed[static_cast<size_t>(index)] = true;
            UpdateApplyButton(sheet);
        }
        return 0;
    }
    case PSM_APPLY:
        return Apply(hwnd, false) ? TRUE : FALSE;
    case PSM_GETCURRENTPAGEHWND:
        return sheet.closed || sheet.current < 0
                   ? 0
                   : reinterpret_cast<LRESULT>(PageWindow(sheet, sheet.current));
    case PSM_PRESSBUTTON: {
        int id;
        switch (wParam) {
        case PSBTN_OK:
            id = IDOK;
            break;
        case PSBTN_CANCEL:
            id = IDCANCEL;
            break;
        case PSBTN_APPLYNOW:
            id = kApplyButton;
            break;
        case PSBTN_HELP:
            id = IDHELP;
            break;
        default:
            Unmodelled("PSM_PRESSBUTTON of wizard button %u", static_cast<unsigned>(wParam));
        }
        HWND button = GetDlgItem(hwnd, id);
        if (button && IsWindowEnabled(button))
            SendMessageW(button, BM_CLICK, 0, 0);
        return 0;
    }
    case PSM_QUERYSIBLINGS:
        for (size_t i = 0; i < sheet.pages.size(); ++i) {
            Sheet* s = SheetOf(hwnd);
            if (!s)
                return 0;
            if (HWND page = PageWindow(*s, static_cast<int>(i)))
                if (LRESULT answer = SendMessageW(page, PSM_QUERYSIBLINGS, wParam, lParam))
                    return answer;
        }
        return 0;
    case PSM_CANCELTOCLOSE:
        EnableWindow(GetDlgItem(hwnd, IDCANCEL), FALSE);
        SetWindowTextW(GetDlgItem(hwnd, IDOK), u"Close");
        return 0;
    case PSM_RESTARTWINDOWS:
        sheet.restart |= ID_PSRESTARTWINDOWS;
        return 0;
    case PSM_REBOOTSYSTEM:
        sheet.restart |= ID_PSREBOOTSYSTEM;
        return 0;
    case PSM_SETTITLEW: {
        Window* w = FindWindowObject(hwnd);
        LPCWSTR text = reinterpret_cast<LPCWSTR>(lParam);
        std::u16string title;
        if (IS_INTRESOURCE(text)) {
            WCHAR buffer[256];
            title.assign(buffer,
                         static_cast<size_t>(LoadStringW(
                             w->instance, LOWORD(reinterpret_cast<ULONG_PTR>(text)), buffer, 256)));
        } else if (text) {
            title = text;
        }
        if (wParam & PSH_PROPTITLE)
            title += u" Properties";
        SetWindowTextW(hwnd, title.c_str());
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
    case PSM_REMOVEPAGE: {
        int index = lParam ? IndexOfPage(sheet, reinterpret_cast<HPROPSHEETPAGE>(lParam))
                           : static_cast<int>(wParam);
        if (index < 0 || static_cast<size_t>(index) >= sheet.pages.size())
            return 0;
        if (index == sheet.current) {
            int next = static_cast<size_t>(index + 1) < sheet.pages.size() ? index + 1 : index - 1;
            if (next >= 0)
                SelectPage(hwnd, next, false);
        }
        Sheet* s = SheetOf(hwnd);
        if (!s)
            return 0;
        HPROPSHEETPAGE page = s->pages[static_cast<size_t>(index)];
        s->pages.erase(s->pages.begin() + index);
        s->changed.erase(s->changed.begin() + index);
        if (s->current == index)
            s->current = -1;
        else if (s->current > index)
            --s->current;
        ReleasePage(page);
        if ((s = SheetOf(hwnd)) != nullptr)
            UpdateApplyButton(*s);
        return 0;
    }
    case PSM_HWNDTOINDEX:
        return IndexOfWindow(sheet, reinterpret_cast<HWND>(wParam));
    case PSM_INDEXTOHWND:
        return wParam < sheet.pages.size()
                   ? reinterpret_cast<LRESULT>(PageWindow(sheet, static_cast<int>(wParam)))
                   : 0;
    case PSM_PAGETOINDEX:
        return IndexOfPage(sheet, reinterpret_cast<HPROPSHEETPAGE>(lParam));
    case PSM_INDEXTOPAGE:
        return wParam < sheet.pages.size() ? reinterpret_cast<LRESULT>(sheet.pages[wParam]) : 0;
    case PSM_IDTOINDEX:
        for (size_t i = 0; i < sheet.pages.size(); ++i) {
            PropSheetPage* p = FindPage(sheet.pages[i]);
            if (p && !(p->Psp()->dwFlags & PSP_DLGINDIRECT) &&
                reinterpret_cast<LPARAM>(p->Psp()->pszTemplate) == lParam)
                return static_cast<LRESULT>(i);
        }
        return -1;
    case PSM_INDEXTOID: {
        if (wParam >= sheet.pages.size())
            return 0;
        PropSheetPage* p = FindPage(sheet.pages[wParam]);
        return p && !(p->Psp()->dwFlags & PSP_DLGINDIRECT)
                   ? reinterpret_cast<LRESULT>(p->Psp()->pszTemplate)
                   : 0;
    }
    case PSM_UNCHANGED:
    case PSM_GETRESULT:
        Unmodelled("property sheet message %s",
                   msg == PSM_UNCHANGED ? "PSM_UNCHANGED" : "PSM_GETRESULT");
    default:
        Unmodelled("property sheet message 0x%04X (WM_USER + %u)", msg, msg - WM_USER);
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
        case IDHELP:
            NotifyPage(hwnd, sheet->current, PSN_HELP, 0);
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

std::vector<BYTE> SheetTemplate(const std::u16string& caption, short pageCx, short pageCy,
                                DWORD flags) {
    struct Button {
        WORD id;
        const char16_t* text;
        DWORD style;
    };
    std::vector<Button> buttons = {{IDOK, u"OK", BS_DEFPUSHBUTTON},
                                   {IDCANCEL, u"Cancel", BS_PUSHBUTTON},
                                   {kApplyButton, u"&Apply", BS_PUSHBUTTON | WS_DISABLED}};
    if (flags & PSH_HASHELP)
        buttons.push_back({IDHELP, u"Help", BS_PUSHBUTTON});
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

sim::DialogScript TakeSheetScript() {
    if (S().scripts.empty())
        Unmodelled("a modal property sheet was opened but the test queued no script for it "
                   "(sim::ScriptPropertySheet)");
    sim::DialogScript script = std::move(S().scripts.front());
    S().scripts.pop_front();
    return script;
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
    DWORD flags = psh->dwFlags;
    if (flags & (PSH_WIZARD | PSH_WIZARD97 | PSH_AEROWIZARD | PSH_WIZARD_LITE))
        Unmodelled("property sheet wizards");
    if (flags & PSH_NOAPPLYNOW)
        Unmodelled("property sheet flag PSH_NOAPPLYNOW");
    if (flags & PSH_USEPSTARTPAGE)
        Unmodelled("property sheet flag PSH_USEPSTARTPAGE");
    if (psh->nPages > MAXPROPPAGES)
        return -1;

    std::vector<HPROPSHEETPAGE> pages;
    const BYTE* next = reinterpret_cast<const BYTE*>(psh->ppsp);
    for (UINT i = 0; i < psh->nPages; ++i) {
        HPROPSHEETPAGE page;
        if (flags & PSH_PROPSHEETPAGE) {
            const PROPSHEETPAGEW* psp = reinterpret_cast<const PROPSHEETPAGEW*>(next);
            page = CreatePropertySheetPageW(psp);
            if (page)
                next += psp->dwSize;
        } else {
            page = psh->phpage[i];
            if (!FindPage(page))
                page = nullptr;
        }
        if (!page)
            return Fail(nullptr, pages);
        pages.push_back(page);
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
    std::u16string caption = TextOf(psh->hInstance, psh->pszCaption);
    if (flags & PSH_PROPTITLE)
        caption += u" Properties";

    int start = psh->nStartPage < pages.size() ? static_cast<int>(psh->nStartPage) : 0;

    std::vector<BYTE> bytes = SheetTemplate(caption, pageCx, pageCy, flags);
    if ((flags & PSH_USECALLBACK) && psh->pfnCallback)
        psh->pfnCallback(nullptr, PSCB_PRECOPY, reinterpret_cast<LPARAM>(bytes.data()));
    DialogTemplate sheetTemplate = ParseDialogTemplate(bytes.data(), bytes.size(), "(sheet)");

    bool modal = !(flags & PSH_MODELESS);
    auto sheetObject = std::make_unique<Sheet>();
    Sheet* sheet = sheetObject.get();
    sheet->modal = modal;
    sheet->pages = pages;
    sheet->changed.assign(pages.size(), false);
    HWND owner = psh->hwndParent;
    HWND window = CreateDialogFromTemplate(psh->hInstance, sheetTemplate, owner, SheetDialogProc,
                                           reinterpret_cast<LPARAM>(sheet), true, 0);
    if (!window)
        return Fail(nullptr, pages);
    S().sheets[window] = std::move(sheetObject);
    for (HPROPSHEETPAGE page : pages)
        FindPage(page)->sheet = window;
    if ((flags & PSH_USECALLBACK) && psh->pfnCallback)
        psh->pfnCallback(window, PSCB_INITIALIZED, 0);

    for (size_t i = 0; i < pages.size(); ++i) {
        PropSheetPage* p = FindPage(pages[i]);
        if (p && (p->Psp()->dwFlags & PSP_PREMATURE))
            CreatePageWindow(window, pages[i], sheet->pageOrigin);
    }
    // The start page, or else the first page that can be created.
    bool shown = SelectPage(window, start, false);
    for (size_t i = 0; !shown && IsWindow(window) && i < pages.size(); ++i)
        if (static_cast<int>(i) != start)
            shown = SelectPage(window, static_cast<int>(i), false);
    if (!shown || !IsWindow(window))
        return Fail(window, pages);

    if (!modal) {
        ShowWindow(window, SW_SHOW);
        return reinterpret_cast<INT_PTR>(window);
    }

    HWND previousFocus = GetFocus();
    HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    bool disabled = root && IsWindowEnabled(root);
    if (disabled)
        EnableWindow(root, FALSE);
    ShowWindow(window, SW_SHOW);
    PumpQueue();
    TakeSheetScript()(window);
    PumpQueue();
    Sheet* after = SheetOf(window);
    if (!after)
        Unmodelled("a modal property sheet was destroyed by its script");
    if (!after->closed)
        Unmodelled("the script of a modal property sheet returned with the sheet still open");
    INT_PTR result = Result(*after);
    if (disabled && IsWindow(root))
        EnableWindow(root, TRUE);
    DestroyWindow(window);
    if (previousFocus && IsWindow(previousFocus) && IsReallyVisible(previousFocus))
        SetFocus(previousFocus);
    return result;
}

namespace sim {

void ScriptPropertySheet(DialogScript script) {
    S().scripts.push_back(std::move(script));
}

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
