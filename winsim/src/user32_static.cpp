// user32: the static class -- labels, frames, pictures (SS_BITMAP) and owner-drawn pictures.
// A picture named in a dialog template by resource id is loaded from the dialog's module when
// the control is created, and the control takes the bitmap's size.
#include "user32_internal.h"

namespace winsim {
namespace {

struct StaticState : ControlState {
    HANDLE image = nullptr;
    bool ownsImage = false; // loaded from the template; deleted with the control
};

DWORD StaticType(const Window& w) {
    return w.style & SS_TYPEMASK;
}

void FitToBitmap(Window& w, HANDLE image) {
    if (!image || (w.style & (SS_CENTERIMAGE | SS_REALSIZECONTROL)))
        return;
    BITMAP bm;
    if (GetObjectW(image, sizeof(bm), &bm) != sizeof(bm))
        return;
    w.rect.right = w.rect.left + bm.bmWidth;
    w.rect.bottom = w.rect.top + bm.bmHeight;
}

} // namespace

LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return 0;
    StaticState& s = EnsureState<StaticState>(*w);
    DWORD type = StaticType(*w);
    switch (msg) {
    case WM_NCCREATE:
        if (type == SS_ICON || type == SS_ENHMETAFILE || type == SS_USERITEM)
            Unmodelled("static control style 0x%lX", static_cast<unsigned long>(type));
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_CREATE: {
        if (type != SS_BITMAP)
            return 0;
        const CREATESTRUCTW* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        LPCWSTR name = cs->lpszName;
        if (!name || !name[0])
            return 0;
        LPCWSTR resource = name[0] == 0xFFFF ? MAKEINTRESOURCEW(name[1]) : name;
        HANDLE image = LoadImageW(cs->hInstance, resource, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
        if ((w = FindWindowObject(hwnd)) != nullptr && image) {
            StaticState& now = EnsureState<StaticState>(*w);
            now.image = image;
            now.ownsImage = true;
            FitToBitmap(*w, image);
        }
        return 0;
    }
    case STM_SETIMAGE: {
        if (wParam != IMAGE_BITMAP)
            Unmodelled("STM_SETIMAGE of image type %u", static_cast<unsigned>(wParam));
        if (type != SS_BITMAP)
            Unmodelled("STM_SETIMAGE with a bitmap on a static control without SS_BITMAP");
        // The previous image goes back to the caller, who now owns it.
        HANDLE previous = s.image;
        s.image = reinterpret_cast<HANDLE>(lParam);
        s.ownsImage = false;
        FitToBitmap(*w, s.image);
        InvalidateWindow(hwnd, true, false);
        return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETIMAGE:
        if (wParam != IMAGE_BITMAP)
            Unmodelled("STM_GETIMAGE of image type %u", static_cast<unsigned>(wParam));
        return type == SS_BITMAP ? reinterpret_cast<LRESULT>(s.image) : 0;
    case WM_SETTEXT:
        if (type == SS_BITMAP)
            Unmodelled("WM_SETTEXT on an SS_BITMAP static control (a bitmap by name)");
        InvalidateWindow(hwnd, true, false);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (type == SS_OWNERDRAW)
            SendDrawItem(hwnd, ODT_STATIC, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        return 0;
    case WM_LBUTTONUP:
        if (w->style & SS_NOTIFY)
            NotifyParentCommand(hwnd, STN_CLICKED);
        return 0;
    case WM_ENABLE:
        InvalidateWindow(hwnd, true, false);
        if (w->style & SS_NOTIFY)
            NotifyParentCommand(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_NCDESTROY:
        if (s.ownsImage && s.image)
            DeleteObject(s.image);
        s.image = nullptr;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace winsim
