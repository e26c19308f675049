// Drawing the pages' pictures.
#include "pages/bitmap_picture.h"

namespace {

// The screen's scale that the bitmaps are drawn for: 96 dots per inch is 100 %.
constexpr int kBitmapDotsPerInch = 96;

} // namespace

void DrawPicture(HDC dc, const RECT& room, HMODULE module, UINT bitmapId) {
    HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(bitmapId));
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
    DeleteObject(bitmap);
}

void DrawPictureItem(const DRAWITEMSTRUCT* item, HMODULE module, UINT bitmapId) {
    DrawPicture(item->hDC, item->rcItem, module, bitmapId);
}

// The picture's own window paints only the new bitmap: the old one would show through its
// transparent parts. So its rectangle in the page is redrawn, the page's background first.
void RedrawPicture(HWND dialog, int id) {
    HWND picture = GetDlgItem(dialog, id);
    RECT rect = {};
    if (picture == nullptr || !GetWindowRect(picture, &rect))
        return;
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    RedrawWindow(dialog, &rect, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
