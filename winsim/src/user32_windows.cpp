// user32: window classes, window objects and their tree, creation and destruction, window data,
// text, enabling, showing, focus and geometry.
//
// winsim keeps no non-client area: a window's client area is its whole rectangle. Positions
// are pixels; child windows are placed in their parent's client coordinates.
#include "user32_internal.h"
#include "sim.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <unordered_map>

namespace winsim {

const char16_t kButtonClass[] = u"Button";
const char16_t kStaticClass[] = u"Static";
const char16_t kEditClass[] = u"Edit";
const char16_t kListBoxClass[] = u"ListBox";
const char16_t kComboBoxClass[] = u"ComboBox";
const char16_t kDialogClass[] = u"#32770";

namespace {

constexpr ATOM kDialogAtom = 32770;
constexpr DWORD kErrorTlwWithWsChild = 1406;     // ERROR_TLW_WITH_WSCHILD
constexpr DWORD kErrorCannotFindWndClass = 1407; // ERROR_CANNOT_FIND_WND_CLASS
constexpr DWORD kErrorClassAlreadyExists = 1410; // ERROR_CLASS_ALREADY_EXISTS
constexpr DWORD kErrorClassHasWindows = 1412;    // ERROR_CLASS_HAS_WINDOWS

// The live windows by handle. A lookup tries a small table of windows found before: handles are
// handed out in sequence, so the windows of a dialog take slots of their own, and a message, its
// procedure and the control's calls look the same few windows up again and again. A window leaves
// both when it is destroyed.
class WindowTable {
public:
    Window* Find(HWND handle) {
        Window*& found = found_[Slot(handle)];
        if (found && found->handle == handle)
            return found;
        Window* window = Lookup(handle);
        if (window)
            found = window;
        return window;
    }
    void Add(std::unique_ptr<Window> window) {
        HWND handle = window->handle;
        windows_[handle] = std::move(window);
    }
    void Remove(HWND handle) {
        Window*& found = found_[Slot(handle)];
        if (found && found->handle == handle)
            found = nullptr;
        windows_.erase(handle);
    }
    void Clear() {
        std::fill(std::begin(found_), std::end(found_), nullptr);
        windows_.clear();
    }
    std::size_t Count() const { return windows_.size(); }
    template <class F> bool Any(F f) const {
        for (auto& entry : windows_)
            if (f(*entry.second))
                return true;
        return false;
    }

private:
    Window* Lookup(HWND handle) const {
        auto it = windows_.find(handle);
        return it == windows_.end() ? nullptr : it->second.get();
    }

    static constexpr std::size_t kSlots = 256;
    static std::size_t Slot(HWND handle) {
        return reinterpret_cast<uintptr_t>(handle) / 4 % kSlots;
    }

    std::unordered_map<HWND, std::unique_ptr<Window>> windows_;
    Window* found_[kSlots] = {};
};

struct Registry {
    std::vector<std::shared_ptr<WindowClass>> classes;
    ATOM nextAtom = 0xC000;
    WindowTable windows;
    std::vector<HWND> topLevel; // creation order
    HWND focus = nullptr;
};

Registry& R() {
    static Registry registry;
    return registry;
}

void AddSystemClass(const char16_t* name, WNDPROC proc, int wndExtra, ATOM atom = 0) {
    auto c = std::make_shared<WindowClass>();
    c->name = name;
    c->proc = proc;
    c->wndExtra = wndExtra;
    c->system = true;
    c->atom = atom ? atom : R().nextAtom++;
    c->style = CS_GLOBALCLASS;
    R().classes.push_back(c);
}

// user32's and comctl32's classes. comctl32 is taken as version 6, loaded through the plug-in's
// manifest, which registers its classes without InitCommonControlsEx.
void RegisterSystemClasses() {
    if (!R().classes.empty())
        return;
    AddSystemClass(kButtonClass, ButtonWindowProc, 0);
    AddSystemClass(kStaticClass, StaticWindowProc, 0);
    AddSystemClass(kEditClass, EditWindowProc, 0);
    AddSystemClass(kListBoxClass, ListBoxWindowProc, 0);
    AddSystemClass(kComboBoxClass, ComboBoxWindowProc, 0);
    AddSystemClass(kDialogClass, DialogWindowProc, DLGWINDOWEXTRA, kDialogAtom);
    AddSystemClass(TRACKBAR_CLASSW, TrackBarWindowProc, 0);
    AddSystemClass(UPDOWN_CLASSW, UpDownWindowProc, 0);
    AddSystemClass(WC_IPADDRESSW, IpAddressWindowProc, 0);
    AddSystemClass(PROGRESS_CLASSW, ProgressWindowProc, 0);
}

// Classes of the platform that winsim does not model: creating one aborts instead of failing
// quietly as an unknown class would.
bool IsUnmodelledPlatformClass(const std::u16string& name) {
    static const char16_t* const kNames[] = {
        u"ScrollBar",        u"SysTabControl32",   u"SysListView32",   u"SysTreeView32",
        u"msctls_hotkey32",  u"SysDateTimePick32", u"SysMonthCal32",   u"RichEdit20W",
        u"RICHEDIT50W",      u"SysLink",           u"ToolbarWindow32", u"msctls_statusbar32",
        u"tooltips_class32", u"ComboBoxEx32",      u"SysAnimate32",    u"SysHeader32",
        u"ReBarWindow32",    u"SysPager",          u"NativeFontCtl",   u"MDIClient",
        u"ComboLBox",        u"Shell_TrayWnd"};
    for (const char16_t* n : kNames)
        if (EqualNoCase(name, n))
            return true;
    return false;
}

std::shared_ptr<WindowClass> FindClass(LPCWSTR name) {
    RegisterSystemClasses();
    for (auto& c : R().classes) {
        if (IS_INTRESOURCE(name)) {
            if (c->atom == LOWORD(reinterpret_cast<ULONG_PTR>(name)))
                return c;
        } else if (EqualNoCase(c->name, name)) {
            return c;
        }
    }
    if (!IS_INTRESOURCE(name) && EqualNoCase(name, u"#32770"))
        return FindClass(MAKEINTRESOURCEW(kDialogAtom));
    return nullptr;
}

// Appends every window of a subtree, each after its children.
void AppendPostOrder(HWND root, std::vector<HWND>* out) {
    if (Window* w = FindWindowObject(root)) {
        for (HWND child : w->children)
            AppendPostOrder(child, out);
        out->push_back(root);
    }
}

std::vector<HWND> PostOrder(HWND root) {
    std::vector<HWND> out;
    AppendPostOrder(root, &out);
    return out;
}

// Appends every window of a subtree, the root first.
void AppendPreOrder(HWND root, std::vector<HWND>* out) {
    if (Window* w = FindWindowObject(root)) {
        out->push_back(root);
        for (HWND child : w->children)
            AppendPreOrder(child, out);
    }
}

HWND RootOf(HWND window) {
    Window* w = FindWindowObject(window);
    while (w && w->IsChild() && FindWindowObject(w->parent))
        w = FindWindowObject(w->parent);
    return w ? w->handle : nullptr;
}

void Unlink(Window& w) {
    if (w.IsChild()) {
        if (Window* p = FindWindowObject(w.parent)) {
            auto& c = p->children;
            c.erase(std::remove(c.begin(), c.end(), w.handle), c.end());
        }
    } else {
        auto& t = R().topLevel;
        t.erase(std::remove(t.begin(), t.end(), w.handle), t.end());
    }
}

POINT ClientOriginOnScreen(HWND window) {
    POINT origin = {0, 0};
    for (Window* w = FindWindowObject(window); w;
         w = w->IsChild() ? FindWindowObject(w->parent) : nullptr) {
        origin.x += w->rect.left;
        origin.y += w->rect.top;
    }
    return origin;
}

ResetHook g_reset([] {
    // A fresh machine: windows are forgotten without messages (their procedures may belong to
    // state other libraries have already reset), and only the system classes remain.
    Registry& r = R();
    r.windows.Clear();
    r.topLevel.clear();
    r.focus = nullptr;
    r.classes.erase(
        std::remove_if(r.classes.begin(), r.classes.end(),
                       [](const std::shared_ptr<WindowClass>& c) { return !c->system; }),
        r.classes.end());
});

} // namespace

// --- Lookup -------------------------------------------------------------------------------------

Window* FindWindowObject(HWND window) {
    return R().windows.Find(window);
}

Window* ValidWindow(HWND window) {
    Window* w = FindWindowObject(window);
    if (!w)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

const char* ClassNameForLog(HWND window) {
    static std::string name;
    Window* w = FindWindowObject(window);
    name = w ? Utf8(w->ClassName()) : "(no window)";
    return name.c_str();
}

std::vector<HWND> TopLevelWindowsInOrder() {
    return R().topLevel;
}

const std::vector<HWND>& TopLevelWindows() {
    return R().topLevel;
}

std::vector<HWND> Subtree(HWND root) {
    std::vector<HWND> out;
    AppendPreOrder(root, &out);
    return out;
}

bool IsInSubtree(HWND root, HWND window) {
    for (Window* w = FindWindowObject(window); w;
         w = w->IsChild() ? FindWindowObject(w->parent) : nullptr)
        if (w->handle == root)
            return true;
    return false;
}

bool IsReallyVisible(HWND window) {
    Window* w = FindWindowObject(window);
    if (!w)
        return false;
    for (; w; w = w->IsChild() ? FindWindowObject(w->parent) : nullptr)
        if (!(w->style & WS_VISIBLE))
            return false;
    return true;
}

bool IsReallyEnabled(HWND window) {
    Window* w = FindWindowObject(window);
    if (!w)
        return false;
    for (; w; w = w->IsChild() ? FindWindowObject(w->parent) : nullptr)
        if (w->style & WS_DISABLED)
            return false;
    return true;
}

} // namespace winsim

using namespace winsim;

// --- Classes -------------------------------------------------------------------------------------

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* wc) {
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXW) || !wc->lpszClassName || !wc->lpfnWndProc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (IS_INTRESOURCE(wc->lpszClassName))
        Unmodelled("RegisterClassExW with an atom as class name");
    if (wc->lpszMenuName)
        Unmodelled("RegisterClassExW with a class menu (menus are not modelled)");
    RegisterSystemClasses();
    for (auto& c : R().classes)
        if (EqualNoCase(c->name, wc->lpszClassName) && !c->system) {
            SetLastError(kErrorClassAlreadyExists);
            return 0;
        }
    auto c = std::make_shared<WindowClass>();
    c->name = wc->lpszClassName;
    c->proc = wc->lpfnWndProc;
    c->style = wc->style;
    c->wndExtra = wc->cbWndExtra;
    c->instance = wc->hInstance;
    c->atom = R().nextAtom++;
    // An application class of a system class's name hides it, as a local class does.
    R().classes.insert(R().classes.begin(), c);
    return c->atom;
}

BOOL WINAPI UnregisterClassW(LPCWSTR name, HINSTANCE) {
    auto c = FindClass(name);
    if (!c || c->system) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (R().windows.Any([&](const Window& w) { return w.windowClass == c; })) {
        SetLastError(kErrorClassHasWindows);
        return FALSE;
    }
    auto& cl = R().classes;
    cl.erase(std::remove(cl.begin(), cl.end(), c), cl.end());
    return TRUE;
}

int WINAPI GetClassNameW(HWND hWnd, LPWSTR buffer, int max) {
    Window* w = ValidWindow(hWnd);
    if (!w || !buffer || max <= 0)
        return 0;
    int n = std::min<int>(static_cast<int>(w->ClassName().size()), max - 1);
    std::copy(w->ClassName().begin(), w->ClassName().begin() + n, buffer);
    buffer[n] = 0;
    return n;
}

// --- Creation and destruction --------------------------------------------------------------------

HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    auto cls = FindClass(className);
    if (!cls) {
        if (!IS_INTRESOURCE(className) && IsUnmodelledPlatformClass(className))
            Unmodelled("window class \"%s\"", Utf8(className).c_str());
        SetLastError(kErrorCannotFindWndClass);
        return nullptr;
    }
    if (parent == HWND_MESSAGE)
        Unmodelled("message-only windows (HWND_MESSAGE)");
    if (parent && !ValidWindow(parent))
        return nullptr;
    bool child = (style & WS_CHILD) != 0;
    if (child && !parent) {
        SetLastError(kErrorTlwWithWsChild);
        return nullptr;
    }
    if (!child && menu)
        Unmodelled("CreateWindowExW with a menu (menus are not modelled)");
    if (!child) {
        // Defaults of our own for top-level windows that leave their place to the system.
        if (x == CW_USEDEFAULT)
            x = y = 0;
        if (width == CW_USEDEFAULT) {
            width = 640;
            height = 480;
        }
    }

    auto object = std::make_unique<Window>();
    Window* w = object.get();
    w->handle = reinterpret_cast<HWND>(NextHandleValue());
    w->windowClass = cls;
    w->style = style;
    w->exStyle = exStyle;
    w->id = child ? reinterpret_cast<UINT_PTR>(menu) : 0;
    if (child)
        w->parent = parent;
    else
        w->owner = parent ? RootOf(parent) : nullptr; // an owner is always a top-level window
    w->rect = {x, y, x + width, y + height};
    w->proc = cls->proc;
    w->instance = instance;
    if (cls->atom == kDialogAtom || cls->wndExtra >= DLGWINDOWEXTRA)
        w->dialog = std::make_unique<DialogInfo>();
    HWND hwnd = w->handle;
    R().windows.Add(std::move(object));
    if (child)
        FindWindowObject(parent)->children.push_back(hwnd);
    else
        R().topLevel.push_back(hwnd);

    WORD childId = LOWORD(w->id);
    CREATESTRUCTW cs = {
        param,      instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    if (!SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (Window* gone = FindWindowObject(hwnd)) {
            SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
            if ((gone = FindWindowObject(hwnd)) != nullptr) {
                Unlink(*gone);
                R().windows.Remove(hwnd);
            }
        }
        return nullptr;
    }
    if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!FindWindowObject(hwnd))
        return nullptr;

    // WM_PARENTNOTIFY travels up the parents until a window that asked not to notify.
    for (HWND from = hwnd;;) {
        Window* f = FindWindowObject(from);
        if (!f || !f->IsChild() || (f->exStyle & WS_EX_NOPARENTNOTIFY))
            break;
        SendMessageW(f->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, childId),
                     reinterpret_cast<LPARAM>(hwnd));
        from = f->parent;
    }
    if (Window* created = FindWindowObject(hwnd)) {
        if (created->style & WS_VISIBLE)
            InvalidateWindow(hwnd, true, true);
    }
    return hwnd;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    Window* w = ValidWindow(hWnd);
    if (!w)
        return FALSE;
    if (w->destroying)
        return TRUE;

    std::vector<HWND> tree = Subtree(hWnd);
    for (HWND h : tree)
        FindWindowObject(h)->destroying = true;

    if (w->IsChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY))
        SendMessageW(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, LOWORD(w->id)),
                     reinterpret_cast<LPARAM>(hWnd));

    // The window is hidden first, which takes the focus away from it.
    if ((w = FindWindowObject(hWnd)) != nullptr)
        w->style &= ~WS_VISIBLE;
    if (R().focus && IsInSubtree(hWnd, R().focus)) {
        Window* root = FindWindowObject(hWnd);
        HWND next = nullptr;
        if (root && root->IsChild() && FindWindowObject(root->parent) &&
            !FindWindowObject(root->parent)->destroying)
            next = root->parent;
        else if (root && !root->IsChild() && FindWindowObject(root->owner))
            next = root->owner;
        SetFocus(next);
    }

    // Owned windows go before their owner.
    if ((w = FindWindowObject(hWnd)) != nullptr && !w->IsChild()) {
        for (HWND top : TopLevelWindowsInOrder()) {
            Window* t = FindWindowObject(top);
            if (t && t->owner == hWnd)
                DestroyWindow(top);
        }
    }

    // WM_DESTROY reaches the window first and then its children, which still exist meanwhile;
    // WM_NCDESTROY reaches the children first and the window last.
    for (HWND h : tree) {
        if (FindWindowObject(h)) {
            KillTimersOf(h);
            SendMessageW(h, WM_DESTROY, 0, 0);
        }
    }
    for (HWND h : PostOrder(hWnd)) {
        if (!FindWindowObject(h))
            continue;
        SendMessageW(h, WM_NCDESTROY, 0, 0);
        if (Window* gone = FindWindowObject(h)) {
            KillTimersOf(h);
            DropPostedMessages(h);
            Unlink(*gone);
            if (R().focus == h)
                R().focus = nullptr;
            R().windows.Remove(h);
        }
    }
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd) {
    return FindWindowObject(hWnd) != nullptr;
}

BOOL WINAPI IsChild(HWND parent, HWND window) {
    Window* w = FindWindowObject(window);
    if (!w || !w->IsChild() || w->handle == parent)
        return FALSE;
    return IsInSubtree(parent, window) ? TRUE : FALSE;
}

HWND WINAPI GetParent(HWND hWnd) {
    Window* w = ValidWindow(hWnd);
    if (!w)
        return nullptr;
    // The platform answers the owner for a top-level popup window.
    if (w->IsChild())
        return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND WINAPI GetWindow(HWND hWnd, UINT cmd) {
    Window* w = ValidWindow(hWnd);
    if (!w)
        return nullptr;
    const std::vector<HWND>& siblings =
        w->IsChild() ? FindWindowObject(w->parent)->children : R().topLevel;
    auto here = std::find(siblings.begin(), siblings.end(), hWnd);
    switch (cmd) {
    case GW_CHILD:
        return w->children.empty() ? nullptr : w->children.front();
    case GW_HWNDFIRST:
        return siblings.empty() ? nullptr : siblings.front();
    case GW_HWNDLAST:
        return siblings.empty() ? nullptr : siblings.back();
    case GW_HWNDNEXT:
        return (here == siblings.end() || here + 1 == siblings.end()) ? nullptr : *(here + 1);
    case GW_HWNDPREV:
        return (here == siblings.begin() || here == siblings.end()) ? nullptr : *(here - 1);
    case GW_OWNER:
        return w->IsChild() ? nullptr : w->owner;
    default:
        Unmodelled("GetWindow command %u", cmd);
    }
}

HWND WINAPI GetAncestor(HWND hWnd, UINT flags) {
    Window* w = ValidWindow(hWnd);
    if (!w)
        return nullptr;
    switch (flags) {
    case GA_PARENT:
        return w->IsChild() ? w->parent : nullptr; // the desktop is not modelled
    case GA_ROOT:
        return RootOf(hWnd);
    case GA_ROOTOWNER: {
        HWND root = RootOf(hWnd);
        while (Window* r = FindWindowObject(root)) {
            if (!r->owner)
                break;
            root = r->owner;
        }
        return root;
    }
    default:
        Unmodelled("GetAncestor flags %u", flags);
    }
}

// --- Window data ---------------------------------------------------------------------------------

LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int index) {
    Window* w = ValidWindow(hWnd);
    if (!w)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->exStyle);
    case GWLP_ID:
        return static_cast<LONG_PTR>(w->id);
    case GWLP_USERDATA:
        return w->userData;
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->parent : w->owner);
    }
    if (w->dialog) {
        if (index == static_cast<int>(DWLP_MSGRESULT))
            return w->dialog->msgResult;
        if (index == static_cast<int>(DWLP_DLGPROC))
            return reinterpret_cast<LONG_PTR>(w->dialog->proc);
        if (index == static_cast<int>(DWLP_USER))
            return w->dialog->user;
    }
    Unmodelled("GetWindowLongPtrW index %d on a %s window", index, ClassNameForLog(hWnd));
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int index, LONG_PTR value) {
    Window* w = ValidWindow(hWnd);
    if (!w)
        return 0;
    LONG_PTR previous = GetWindowLongPtrW(hWnd, index);
    SetLastError(ERROR_SUCCESS);
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        // WM_STYLECHANGING may adjust the new styles before WM_STYLECHANGED reports them.
        struct {
            DWORD styleOld;
            DWORD styleNew;
        } change = {static_cast<DWORD>(previous), static_cast<DWORD>(value)};
        WPARAM which = static_cast<WPARAM>(index);
        SendMessageW(hWnd, WM_STYLECHANGING, which, reinterpret_cast<LPARAM>(&change));
        if ((w = FindWindowObject(hWnd)) == nullptr)
            return previous;
        if (index == GWL_STYLE)
            w->style = change.styleNew;
        else
            w->exStyle = change.styleNew;
        SendMessageW(hWnd, WM_STYLECHANGED, which, reinterpret_cast<LPARAM>(&change));
        return previous;
    }
    case GWLP_ID:
        w->id = static_cast<UINT_PTR>(value);
        return previous;
    case GWLP_USERDATA:
        w->userData = value;
        return previous;
    case GWLP_WNDPROC:
        w->proc = reinterpret_cast<WNDPROC>(value);
        return previous;
    case GWLP_HINSTANCE:
    case GWLP_HWNDPARENT:
        Unmodelled("SetWindowLongPtrW index %d", index);
    }
    if (w->dialog) {
        if (index == static_cast<int>(DWLP_MSGRESULT)) {
            w->dialog->msgResult = value;
            return previous;
        }
        if (index == static_cast<int>(DWLP_DLGPROC)) {
            w->dialog->proc = reinterpret_cast<DLGPROC>(value);
            return previous;
        }
        if (index == static_cast<int>(DWLP_USER)) {
            w->dialog->user = value;
            return previous;
        }
    }
    Unmodelled("SetWindowLongPtrW index %d on a %s window", index, ClassNameForLog(hWnd));
}

LONG WINAPI GetWindowLongW(HWND hWnd, int index) {
    if (index != GWL_STYLE && index != GWL_EXSTYLE && index != GWLP_ID)
        Unmodelled("GetWindowLongW index %d (pointer-sized data needs GetWindowLongPtrW)", index);
    return static_cast<LONG>(GetWindowLongPtrW(hWnd, index));
}

// --- Text ----------------------------------------------------------------------------------------

BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR text) {
    if (!ValidWindow(hWnd))
        return FALSE;
    LRESULT r = SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    return r == CB_ERR || r == CB_ERRSPACE ? FALSE : r != 0;
}

int WINAPI GetWindowTextW(HWND hWnd, LPWSTR buffer, int max) {
    if (!ValidWindow(hWnd) || !buffer || max <= 0)
        return 0;
    return static_cast<int>(
        SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(buffer)));
}

int WINAPI GetWindowTextLengthW(HWND hWnd) {
    if (!ValidWindow(hWnd))
        return 0;
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

// --- Enabling, showing, focus --------------------------------------------------------------------

BOOL WINAPI EnableWindow(HWND hWnd, BOOL enable) {
    Window* w = ValidWindow(hWnd);
    if (!w)
        return FALSE;
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        SendMessageW(hWnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        SendMessageW(hWnd, WM_CANCELMODE, 0, 0);
        if ((w = FindWindowObject(hWnd)) == nullptr)
            return FALSE;
        w->style |= WS_DISABLED;
        // A disabled window cannot keep the keyboard focus.
        if (R().focus == hWnd)
            SetFocus(nullptr);
        SendMessageW(hWnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    Window* w = FindWindowObject(hWnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL WINAPI ShowWindow(HWND hWnd, int cmd) {
    Window* w = ValidWindow(hWnd);
    if (!w)
        return FALSE;
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    switch (cmd) {
    case SW_HIDE:
        if (wasVisible) {
            SendMessageW(hWnd, WM_SHOWWINDOW, FALSE, 0);
            if ((w = FindWindowObject(hWnd)) == nullptr)
                return TRUE;
            w->style &= ~WS_VISIBLE;
            if (R().focus && IsInSubtree(hWnd, R().focus)) {
                HWND next = w->IsChild() ? w->parent : nullptr;
                SetFocus(next);
            }
        }
        break;
    case SW_SHOWNORMAL:
    case SW_SHOWNOACTIVATE:
    case SW_SHOW:
    case SW_SHOWNA:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        if (!wasVisible) {
            SendMessageW(hWnd, WM_SHOWWINDOW, TRUE, 0);
            if ((w = FindWindowObject(hWnd)) == nullptr)
                return FALSE;
            w->style |= WS_VISIBLE;
            InvalidateWindow(hWnd, true, true);
        }
        break;
    default:
        Unmodelled("ShowWindow command %d (minimized and maximized windows)", cmd);
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
    return IsReallyVisible(hWnd) ? TRUE : FALSE;
}

HWND WINAPI SetFocus(HWND hWnd) {
    Registry& r = R();
    if (hWnd && !ValidWindow(hWnd))
        return nullptr;
    if (hWnd && FindWindowObject(hWnd)->destroying)
        return nullptr;
    HWND previous = r.focus;
    if (previous == hWnd)
        return previous;
    r.focus = hWnd;
    if (previous && FindWindowObject(previous))
        SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    if (hWnd && r.focus == hWnd && FindWindowObject(hWnd))
        SendMessageW(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND WINAPI GetFocus(void) {
    return R().focus;
}

// --- Geometry ------------------------------------------------------------------------------------

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT rect) {
    Window* w = ValidWindow(hWnd);
    if (!w || !rect)
        return FALSE;
    POINT origin = ClientOriginOnScreen(hWnd);
    *rect = {origin.x, origin.y, origin.x + (w->rect.right - w->rect.left),
             origin.y + (w->rect.bottom - w->rect.top)};
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT rect) {
    Window* w = ValidWindow(hWnd);
    if (!w || !rect)
        return FALSE;
    *rect = {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    if ((from && !ValidWindow(from)) || (to && !ValidWindow(to)))
        return 0;
    POINT a = from ? ClientOriginOnScreen(from) : POINT{0, 0};
    POINT b = to ? ClientOriginOnScreen(to) : POINT{0, 0};
    LONG dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT point) {
    if (!ValidWindow(hWnd) || !point)
        return FALSE;
    POINT origin = ClientOriginOnScreen(hWnd);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

namespace sim {
std::size_t LiveWindowCount() {
    return R().windows.Count();
}

std::size_t RegisteredWindowClasses() {
    std::size_t count = 0;
    for (const auto& windowClass : R().classes)
        if (!windowClass->system)
            ++count;
    return count;
}
} // namespace sim
