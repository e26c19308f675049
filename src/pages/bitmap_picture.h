// Pictures: bitmap resources drawn with cyan RGB(0, 255, 255) transparent, at their own size on a
// screen of 96 dots per inch and enlarged as the screen is scaled.
#pragma once

#include <windows.h>

constexpr COLORREF kPictureTransparentColor = RGB(0, 255, 255);

// Draws bitmap `bitmapId` of `module` at the top-left corner of `room`, scaled with the screen
// and kept inside `room` (a bitmap larger than `room` at its own size keeps its own size).
void DrawPicture(HDC dc, const RECT& room, HMODULE module, UINT bitmapId);

// Draws an owner-drawn picture control's bitmap at the control's top-left corner.
void DrawPictureItem(const DRAWITEMSTRUCT* item, HMODULE module, UINT bitmapId);

// Deletes the pictures kept since their first drawing; when the module unloads.
void ReleaseKeptPictures();

// Repaints a picture control's rectangle in the page at once, background and picture, after a
// change that alters what it shows.
void RedrawPicture(HWND dialog, int id);
