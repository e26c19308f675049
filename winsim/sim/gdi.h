// The tests' view of gdi32: what was drawn where, and which graphics objects are alive.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace sim {

// One bit-block transfer (TransparentBlt or BitBlt) that succeeded.
struct Draw {
    std::string function; // "TransparentBlt" or "BitBlt"
    HDC dc;               // destination device context
    HWND window;          // window of the destination DC; null for a memory DC
    int x, y, cx, cy;     // destination rectangle
    HBITMAP bitmap;       // bitmap selected into the source DC
    int resourceId;       // the source bitmap's resource id; 0 when it has none
    int srcX, srcY, srcCx, srcCy;
    COLORREF transparent; // TransparentBlt's transparent colour; CLR_INVALID otherwise
    DWORD rop;            // BitBlt raster operation; 0 for TransparentBlt
};

// The last draw into a window's DC, or null when nothing was drawn into it.
const Draw* LastDrawInto(HWND window);
// The resource id of the last bitmap drawn into a window, or -1 when nothing was drawn into it.
int LastBitmapDrawnInto(HWND window);

// Leak accounting: bitmaps not yet deleted (stock objects excluded), memory DCs not deleted,
// window DCs not released.
size_t LiveBitmaps();
size_t LiveMemoryDCs();
size_t LiveWindowDCs();
inline size_t LiveGdiObjects() {
    return LiveBitmaps() + LiveMemoryDCs() + LiveWindowDCs();
}
// One line per kind of graphics object still held; empty when nothing leaked.
std::string GdiLeakReport();

} // namespace sim
