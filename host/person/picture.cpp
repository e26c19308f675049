// A picture control on screen compared with the bitmap it should show.
#include "person.h"

namespace {

constexpr COLORREF kTransparent = RGB(0, 255, 255);

// A 32-bit picture in a memory device context.
class Canvas {
public:
    Canvas(HDC screen, int width, int height) : dc_(CreateCompatibleDC(screen)) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels_ = static_cast<const DWORD*>(bits);
        count_ = bits != nullptr ? width * height : 0;
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    bool SameAs(const Canvas& other) const {
        GdiFlush();
        for (int i = 0; i < count_; ++i)
            if ((pixels_[i] ^ other.pixels_[i]) & 0x00FFFFFF)
                return false;
        return count_ > 0 && count_ == other.count_;
    }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    const DWORD* pixels_ = nullptr;
    int count_ = 0;
};

// The bitmap at the canvas's top-left corner, as the plug-in draws its pictures: as large as the
// screen is scaled (at 96 dots per inch, its own size), but inside its control, proportions kept.
bool DrawBitmap(HDC target, SIZE room, HMODULE module, UINT bitmapId) {
    HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(bitmapId));
    if (bitmap == nullptr)
        return false;
    BITMAP size = {};
    GetObjectW(bitmap, sizeof(size), &size);
    int scale = GetDeviceCaps(target, LOGPIXELSY);
    int width = MulDiv(size.bmWidth, scale, 96), height = MulDiv(size.bmHeight, scale, 96);
    if (width > room.cx && size.bmWidth <= room.cx) {
        height = MulDiv(height, room.cx, width);
        width = room.cx;
    }
    if (height > room.cy && size.bmHeight <= room.cy) {
        width = MulDiv(width, room.cy, height);
        height = room.cy;
    }
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, bitmap);
    TransparentBlt(target, 0, 0, width, height, source, 0, 0, size.bmWidth, size.bmHeight,
                   kTransparent);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(bitmap);
    return true;
}

} // namespace

bool ShowsPicture(HWND dialog, int id, UINT bitmapId) {
    HWND control = GetDlgItem(dialog, id);
    RECT bounds = {};
    if (control == nullptr || !GetWindowRect(control, &bounds))
        return false;
    int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    RECT page = {};
    GetClientRect(dialog, &page);
    POINT corner = {bounds.left, bounds.top};
    ScreenToClient(dialog, &corner);
    HDC screen = GetDC(nullptr);
    bool shown = false;
    {
        // The dialog's background as it erases it, under the bitmap.
        Canvas background(screen, page.right, page.bottom), expected(screen, width, height),
            seen(screen, width, height);
        DWORD_PTR erased = 0;
        SendMessageTimeoutW(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(background.dc()), 0,
                            SMTO_NORMAL, kPatienceMs, &erased);
        BitBlt(expected.dc(), 0, 0, width, height, background.dc(), corner.x, corner.y, SRCCOPY);
        auto module = reinterpret_cast<HMODULE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
        if (erased != 0 && DrawBitmap(expected.dc(), {width, height}, module, bitmapId))
            shown = WaitUntil([&] {
                BitBlt(seen.dc(), 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
                return seen.SameAs(expected);
            });
    }
    ReleaseDC(nullptr, screen);
    return shown;
}
