// gdi32: device contexts (memory DCs and the DCs of windows), selecting bitmaps into them, and
// the bit-block transfers, each of which is recorded for the tests.
#include "gdi32_objects.h"
#include "sim/gdi.h"

namespace winsim {
namespace gdi {
namespace {

std::vector<sim::Draw> g_draws;
ResetHook g_reset([] { g_draws.clear(); });

// The bitmap a blt reads from: the one selected into a memory DC. Reading a window's pixels is
// not modelled (winsim keeps no screen contents).
const Bitmap* SourceBitmap(const char* function, HDC source, HBITMAP* handle) {
    const DeviceContext* dc = DeviceContexts().Find(source);
    if (!dc)
        return nullptr;
    if (!dc->IsMemory())
        Unmodelled("%s from a window's DC", function);
    *handle = dc->bitmap;
    return Bitmaps().Find(dc->bitmap);
}

bool InsideBitmap(const Bitmap& bitmap, int x, int y, int cx, int cy) {
    return x >= 0 && y >= 0 && cx > 0 && cy > 0 && x + cx <= bitmap.width &&
           y + cy <= bitmap.height;
}

void Record(const char* function, HDC dest, const DeviceContext& dc, int x, int y, int cx, int cy,
            HBITMAP source, const Bitmap& bitmap, int srcX, int srcY, int srcCx, int srcCy,
            COLORREF transparent, DWORD rop) {
    g_draws.push_back(sim::Draw{function, dest, dc.window, x, y, cx, cy, source, bitmap.resourceId,
                                srcX, srcY, srcCx, srcCy, transparent, rop});
}

// The raster operations that copy the source, possibly combined with the destination; those
// that need a brush or no source at all are not modelled.
bool IsSourceRop(DWORD rop) {
    return rop == SRCCOPY || rop == SRCPAINT || rop == SRCAND || rop == SRCINVERT ||
           rop == SRCERASE || rop == NOTSRCCOPY;
}

} // namespace
} // namespace gdi

HDC CreateWindowDC(HWND window) {
    if (!window)
        Unmodelled("CreateWindowDC without a window (the screen's DC)");
    auto dc = std::make_unique<gdi::DeviceContext>();
    dc->window = window;
    return gdi::DeviceContexts().Add(std::move(dc));
}

bool ReleaseWindowDC(HDC dc) {
    const gdi::DeviceContext* found = gdi::DeviceContexts().Find(dc);
    if (!found || found->IsMemory())
        return false;
    gdi::DeviceContexts().Remove(dc);
    return true;
}

} // namespace winsim

using namespace winsim;
using namespace winsim::gdi;

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc && !DeviceContexts().Find(hdc))
        return nullptr;
    auto dc = std::make_unique<DeviceContext>();
    HBITMAP initial = DefaultBitmap();
    dc->bitmap = initial;
    HDC handle = DeviceContexts().Add(std::move(dc));
    return handle;
}

BOOL WINAPI DeleteDC(HDC hdc) {
    DeviceContext* dc = DeviceContexts().Find(hdc);
    if (!dc)
        return FALSE;
    if (!dc->IsMemory())
        Misuse("DeleteDC of a window's DC (a DC from GetDC is given back with ReleaseDC)");
    // The bitmap still selected is let go, not deleted: its owner still has to delete it.
    if (Bitmap* bitmap = Bitmaps().Find(dc->bitmap); bitmap && !bitmap->stock)
        bitmap->selectedInto = nullptr;
    DeviceContexts().Remove(hdc);
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    HBITMAP handle = static_cast<HBITMAP>(h);
    Bitmap* bitmap = Bitmaps().Find(handle);
    if (!bitmap) {
        if (!h || DeletedObjects().count(h) || DeviceContexts().Find(static_cast<HDC>(h)))
            return nullptr;
        Unmodelled("SelectObject of %p, which is not a bitmap winsim made", h);
    }
    DeviceContext* dc = DeviceContexts().Find(hdc);
    if (!dc || !dc->IsMemory())
        return nullptr; // bitmaps can be selected only into memory DCs
    if (dc->bitmap == handle)
        return handle;
    if (bitmap->selectedInto)
        return nullptr; // a bitmap can be selected into one DC at a time
    HBITMAP previous = dc->bitmap;
    if (Bitmap* old = Bitmaps().Find(previous); old && !old->stock)
        old->selectedInto = nullptr;
    if (!bitmap->stock)
        bitmap->selectedInto = hdc;
    dc->bitmap = handle;
    return previous;
}

BOOL WINAPI TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest,
                           HDC hdcSrc, int xoriginSrc, int yoriginSrc, int wSrc, int hSrc,
                           UINT crTransparent) {
    const DeviceContext* dest = DeviceContexts().Find(hdcDest);
    HBITMAP sourceHandle = nullptr;
    const Bitmap* source = SourceBitmap("TransparentBlt", hdcSrc, &sourceHandle);
    if (!dest || !source)
        return FALSE;
    // No mirroring: negative or empty extents fail, as does a source rectangle that leaves the
    // source bitmap.
    if (wDest <= 0 || hDest <= 0 || !InsideBitmap(*source, xoriginSrc, yoriginSrc, wSrc, hSrc))
        return FALSE;
    Record("TransparentBlt", hdcDest, *dest, xoriginDest, yoriginDest, wDest, hDest, sourceHandle,
           *source, xoriginSrc, yoriginSrc, wSrc, hSrc, crTransparent, 0);
    return TRUE;
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    if (!IsSourceRop(rop))
        Unmodelled("BitBlt with raster operation 0x%08X", rop);
    const DeviceContext* dest = DeviceContexts().Find(hdc);
    HBITMAP sourceHandle = nullptr;
    const Bitmap* source = SourceBitmap("BitBlt", hdcSrc, &sourceHandle);
    if (!dest || !source)
        return FALSE;
    Record("BitBlt", hdc, *dest, x, y, cx, cy, sourceHandle, *source, x1, y1, cx, cy, CLR_INVALID,
           rop);
    return TRUE;
}

namespace sim {

const Draw* LastDrawInto(HWND window) {
    for (auto it = g_draws.rbegin(); it != g_draws.rend(); ++it)
        if (window && it->window == window)
            return &*it;
    return nullptr;
}

int LastBitmapDrawnInto(HWND window) {
    const Draw* draw = LastDrawInto(window);
    return draw ? draw->resourceId : -1;
}

size_t LiveMemoryDCs() {
    size_t live = 0;
    DeviceContexts().ForEach([&](HDC, const DeviceContext& dc) { live += dc.IsMemory() ? 1 : 0; });
    return live;
}

size_t LiveWindowDCs() {
    return DeviceContexts().Count() - LiveMemoryDCs();
}

std::string GdiLeakReport() {
    std::string report;
    auto line = [&](size_t count, const char* what) {
        if (count)
            report += std::to_string(count) + " " + what + "\n";
    };
    line(LiveBitmaps(), "bitmap(s) not deleted");
    line(LiveMemoryDCs(), "memory DC(s) not deleted");
    line(LiveWindowDCs(), "window DC(s) not released");
    return report;
}

} // namespace sim
