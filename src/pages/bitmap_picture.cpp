// Drawing the pages' pictures.
#include "pages/bitmap_picture.h"

#include "pages/known_controls.h"

namespace {

// The screen's scale that the bitmaps are drawn for: 96 dots per inch is 100 %.
constexpr int kBitmapDotsPerInch = 96;

// Each picture is loaded once and kept until the module unloads: a page draws its pictures again
// at every repaint, and under Wine each loading asks the server about the screen several times.
struct KeptPicture {
    HMODULE module;
    UINT id;
    HBITMAP bitmap;
};
constexpr int kPicturesKept = 64;
KeptPicture g_kept[kPicturesKept];
int g_keptCount = 0;
// Sheets may run on several threads of one application.
SRWLOCK g_keptLock = SRWLOCK_INIT;

// The bitmap, kept; null when it cannot be loaded. Beyond the room kept, a bitmap is loaded for
// the one drawing and `loaded` tells the caller to delete it.
HBITMAP KeptBitmap(HMODULE module, UINT bitmapId, bool* loaded) {
    *loaded = false;
    AcquireSRWLockExclusive(&g_keptLock);
    HBITMAP bitmap = nullptr;
    for (int i = 0; i < g_keptCount && bitmap == nullptr; ++i)
        if (g_kept[i].module == module && g_kept[i].id == bitmapId)
            bitmap = g_kept[i].bitmap;
    if (bitmap == nullptr) {
        bitmap = static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP,
                                                 0, 0, LR_CREATEDIBSECTION));
        if (bitmap != nullptr && g_keptCount < kPicturesKept)
            g_kept[g_keptCount++] = {module, bitmapId, bitmap};
        else
            *loaded = bitmap != nullptr;
    }
    ReleaseSRWLockExclusive(&g_keptLock);
    return bitmap;
}

} // namespace

void ReleaseKeptPictures() {
    for (int i = 0; i < g_keptCount; ++i)
        DeleteObject(g_kept[i].bitmap);
    g_keptCount = 0;
}

void DrawPicture(HDC dc, const RECT& room, HMODULE module, UINT bitmapId) {
    bool loaded = false;
    HBITMAP bitmap = KeptBitmap(module, bitmapId, &loaded);
    if (bitmap == nullptr)
        return;
    BITMAP info = {};
    GetObjectW(bitmap, sizeof(info), &info);
    // A person who enlarges the text gets the pictures enlarged as much, or as far as their
    // control allows, so that none sits small in a corner of its grown control.
    int scale = GetDeviceCaps(dc, LOGPIXELSY);
    int width = MulDiv(info.bmWidth, scale, kBitmapDotsPerInch);
    int height = MulDiv(info.bmHeight, scale, kBitmapDotsPerInch);
    int roomWidth = room.right - room.left, roomHeight = room.bottom - room.top;
    if (width > roomWidth && info.bmWidth <= roomWidth) {
        height = MulDiv(height, roomWidth, width);
        width = roomWidth;
    }
    if (height > roomHeight && info.bmHeight <= roomHeight) {
        width = MulDiv(width, roomHeight, height);
        height = roomHeight;
    }
    HDC memory = CreateCompatibleDC(dc);
    if (memory != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        TransparentBlt(dc, room.left, room.top, width, height, memory, 0, 0, info.bmWidth,
                       info.bmHeight, kPictureTransparentColor);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    if (loaded)
        DeleteObject(bitmap);
}

void DrawPictureItem(const DRAWITEMSTRUCT* item, HMODULE module, UINT bitmapId) {
    DrawPicture(item->hDC, item->rcItem, module, bitmapId);
}

// The picture's own window paints only the new bitmap: the old one would show through its
// transparent parts. So the page's background is painted into the picture's window first, as the
// page erases it, and then only the picture is painted again: not the page and every control
// under the rectangle, which under Wine costs a round trip to the server for each window.
void RedrawPicture(HWND dialog, int id) {
    HWND picture = KnownControl(dialog, id);
    if (picture == nullptr)
        return;
    HDC dc = GetDC(picture);
    if (dc != nullptr) {
        POINT origin = {0, 0};
        MapWindowPoints(picture, dialog, &origin, 1);
        POINT previous = {};
        SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
        SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
        SendMessageW(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
        ReleaseDC(picture, dc);
    }
    RedrawWindow(picture, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
