// Pictures: bitmap resources drawn at their own size with cyan RGB(0, 255, 255) transparent.
#pragma once

#include <windows.h>

constexpr COLORREF kPictureTransparentColor = RGB(0, 255, 255);

// Draws bitmap `bitmapId` of `module` with its top-left corner at (x, y).
void DrawPicture(HDC dc, int x, int y, HMODULE module, UINT bitmapId);

// Draws an owner-drawn picture control's bitmap at the control's top-left corner.
void DrawPictureItem(const DRAWITEMSTRUCT* item, HMODULE module, UINT bitmapId);

// Repaints a picture control's rectangle in the page at once, background and picture, after a
// change that alters what it shows.
void RedrawPicture(HWND dialog, int id);
