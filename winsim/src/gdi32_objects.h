// gdi32's object tables, shared by the files that model its bitmaps and device contexts.
#pragma once

#include "internal.h"

#include <set>
#include <vector>

namespace winsim {
namespace gdi {

// The display is a 32-bit device: device-dependent bitmaps made for it have 32 bits per pixel
// whatever their resource's format.
constexpr WORD kScreenBitsPixel = 32;

struct Bitmap {
    int resourceId = 0; // 0 when the bitmap did not come from a resource
    LONG width = 0;
    LONG height = 0;
    WORD bitsPixel = 0; // the object's format as GetObjectW reports it
    bool stock = false;
    HDC selectedInto = nullptr;
};

struct DeviceContext {
    HWND window = nullptr;    // the window of a window DC; null for a memory DC
    HBITMAP bitmap = nullptr; // the bitmap selected into a memory DC
    bool IsMemory() const { return window == nullptr; }
};

HandleTable<HBITMAP, Bitmap>& Bitmaps();
HandleTable<HDC, DeviceContext>& DeviceContexts();
// Handles of bitmaps that were deleted: using one again is a caller's error the platform reports
// as a failure, whereas a handle winsim never made stands for an object it does not model.
std::set<HGDIOBJ>& DeletedObjects();

// The stock 1x1 monochrome bitmap that every new memory DC starts with.
HBITMAP DefaultBitmap();

// Bytes per scan line: device-dependent bitmaps are WORD-aligned, DIBs DWORD-aligned.
LONG DdbWidthBytes(LONG width, WORD bitsPixel);
LONG DibWidthBytes(LONG width, WORD bitsPixel);

} // namespace gdi
} // namespace winsim
