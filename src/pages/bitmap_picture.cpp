// Drawing the pages' pictures.
#include "pages/bitmap_picture.h"

void DrawPicture(HDC dc, int x, int y, HMODULE module, UINT bitmapId) {
    HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(bitmapId));
    if (bitmap == nullptr)
        return;
    BITMAP info = {};
    GetObjectW(bitmap, sizeof(info), &info);
    HDC memory = CreateCompatibleDC(dc);
    if (memory != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        TransparentBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, info.bmWidth,
                       info.bmHeight, kPictureTransparentColor);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    DeleteObject(bitmap);
}

void DrawPictureItem(const DRAWITEMSTRUCT* item, HMODULE module, UINT bitmapId) {
    DrawPicture(item->hDC, item->rcItem.left, item->rcItem.top, module, bitmapId);
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
