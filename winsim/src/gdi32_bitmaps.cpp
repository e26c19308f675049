// gdi32: bitmap objects, loaded from a module's RT_BITMAP resources (user32's LoadBitmapW and
// LoadImageW) as device-dependent bitmaps at their own size, described by GetObjectW and freed by
// DeleteObject. DIB sections (LR_CREATEDIBSECTION) and bitmaps stretched to another size are not
// modelled.
#include "gdi32_objects.h"
#include "sim/gdi.h"

#include <cstring>

namespace winsim {
namespace gdi {
namespace {

HandleTable<HBITMAP, Bitmap> g_bitmaps;
HandleTable<HDC, DeviceContext> g_dcs;
std::set<HGDIOBJ> g_deleted;
HBITMAP g_defaultBitmap = nullptr;

ResetHook g_reset([] {
    g_dcs.Clear();
    g_bitmaps.Clear();
    g_deleted.clear();
    g_defaultBitmap = nullptr;
});

LPCWSTR const kRtBitmap = reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(2));

bool IsIntResource(LPCWSTR name) {
    return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0;
}
int ResourceIdOf(LPCWSTR name) {
    return IsIntResource(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : 0;
}
std::string NameForMessage(LPCWSTR name) {
    return IsIntResource(name) ? std::to_string(ResourceIdOf(name)) : "\"" + Utf8(name) + "\"";
}

// The resource is a packed DIB: a BITMAPINFOHEADER (or a V4/V5 header), the colour table and
// the pixels. Anything else is a defect of the module's resources, reported loudly.
Bitmap ParsePackedDib(const ResourceBytes& resource, LPCWSTR name) {
    const std::string which = "bitmap resource " + NameForMessage(name);
    if (resource.size < sizeof(DWORD))
        Unmodelled("%s is too short to hold a header", which.c_str());
    DWORD headerSize;
    std::memcpy(&headerSize, resource.data, sizeof headerSize);
    if (headerSize == 12)
        Unmodelled("%s uses a BITMAPCOREHEADER", which.c_str());
    if (headerSize != 40 && headerSize != 108 && headerSize != 124)
        Unmodelled("%s has a header of %u bytes", which.c_str(), headerSize);
    if (resource.size < headerSize)
        Unmodelled("%s is shorter than its header", which.c_str());
    BITMAPINFOHEADER header;
    std::memcpy(&header, resource.data, sizeof header);

    const WORD bpp = header.biBitCount;
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biPlanes != 1)
        Unmodelled("%s has a bad size (%d x %d) or plane count %u", which.c_str(), header.biWidth,
                   header.biHeight, header.biPlanes);
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        Unmodelled("%s has %u bits per pixel", which.c_str(), bpp);
    const DWORD compression = header.biCompression;
    const bool rle = (compression == BI_RLE8 && bpp == 8) || (compression == BI_RLE4 && bpp == 4);
    const bool bitfields = compression == BI_BITFIELDS && (bpp == 16 || bpp == 32);
    if (compression != BI_RGB && !rle && !bitfields)
        Unmodelled("%s has compression %u at %u bits per pixel", which.c_str(), compression, bpp);

    DWORD colours = header.biClrUsed;
    if (colours == 0 && bpp <= 8)
        colours = 1u << bpp;
    size_t offset = headerSize;
    if (bitfields) {
        // A plain BITMAPINFOHEADER is followed by the three masks; V4/V5 headers hold them.
        const size_t masks = 3 * sizeof(DWORD);
        if (resource.size < 40 + masks)
            Unmodelled("%s is shorter than its colour masks", which.c_str());
        if (headerSize == 40)
            offset += masks;
    }
    offset += static_cast<size_t>(colours) * sizeof(RGBQUAD);

    const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const size_t pixelBytes = static_cast<size_t>(DibWidthBytes(header.biWidth, bpp)) * height;
    const size_t available = resource.size > offset ? resource.size - offset : 0;
    if (rle ? available == 0 : available < pixelBytes)
        Unmodelled("%s holds %zu bytes of pixels where %zu are needed", which.c_str(), available,
                   rle ? size_t{1} : pixelBytes);

    if (bpp == 1)
        Unmodelled("a device-dependent bitmap from monochrome resource %s",
                   NameForMessage(name).c_str());

    Bitmap bitmap;
    bitmap.resourceId = ResourceIdOf(name);
    bitmap.width = header.biWidth;
    bitmap.height = height;
    bitmap.bitsPixel = kScreenBitsPixel;
    return bitmap;
}

HBITMAP LoadBitmapObject(HINSTANCE module, LPCWSTR name) {
    ResourceBytes resource;
    if (!FindModuleResource(module, kRtBitmap, name, &resource)) {
        FindResourceW(module, name, kRtBitmap); // leaves the loader's error, as the platform's does
        return nullptr;
    }
    return g_bitmaps.Add(std::make_unique<Bitmap>(ParsePackedDib(resource, name)));
}

void FillBitmap(const Bitmap& bitmap, BITMAP* out) {
    out->bmType = 0;
    out->bmWidth = bitmap.width;
    out->bmHeight = bitmap.height;
    out->bmWidthBytes = DdbWidthBytes(bitmap.width, bitmap.bitsPixel);
    out->bmPlanes = 1;
    out->bmBitsPixel = bitmap.bitsPixel;
    out->bmBits = nullptr;
}

} // namespace

HandleTable<HBITMAP, Bitmap>& Bitmaps() {
    return g_bitmaps;
}
HandleTable<HDC, DeviceContext>& DeviceContexts() {
    return g_dcs;
}
std::set<HGDIOBJ>& DeletedObjects() {
    return g_deleted;
}

HBITMAP DefaultBitmap() {
    if (!g_defaultBitmap) {
        auto bitmap = std::make_unique<Bitmap>();
        bitmap->width = 1;
        bitmap->height = 1;
        bitmap->bitsPixel = 1;
        bitmap->stock = true;
        g_defaultBitmap = g_bitmaps.Add(std::move(bitmap));
    }
    return g_defaultBitmap;
}

LONG DdbWidthBytes(LONG width, WORD bitsPixel) {
    return ((width * bitsPixel + 15) / 16) * 2;
}
LONG DibWidthBytes(LONG width, WORD bitsPixel) {
    return ((width * bitsPixel + 31) / 32) * 4;
}

} // namespace gdi
} // namespace winsim

using namespace winsim;
using namespace winsim::gdi;

HBITMAP WINAPI LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName) {
    if (!hInstance)
        Unmodelled("LoadBitmapW of the system's predefined bitmaps (no module)");
    return LoadBitmapObject(hInstance, lpBitmapName);
}

HANDLE WINAPI LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    if (type != IMAGE_BITMAP)
        Unmodelled("LoadImageW of image type %u (only bitmaps are modelled)", type);
    if (!hInst)
        Unmodelled("LoadImageW of the system's predefined images (no module)");
    if (fuLoad & LR_CREATEDIBSECTION)
        Unmodelled("LoadImageW with LR_CREATEDIBSECTION (DIB sections)");
    if (fuLoad != LR_DEFAULTCOLOR)
        Unmodelled("LoadImageW with load flags 0x%X", fuLoad);
    if (cx != 0 || cy != 0)
        Unmodelled("LoadImageW of a bitmap stretched to %d x %d", cx, cy);
    return LoadBitmapObject(hInst, name);
}

int WINAPI GetObjectW(HANDLE h, int c, LPVOID pv) {
    HBITMAP handle = static_cast<HBITMAP>(h);
    const Bitmap* bitmap = Bitmaps().Find(handle);
    if (!bitmap) {
        if (!h || DeletedObjects().count(h) || DeviceContexts().Find(static_cast<HDC>(h)))
            return 0;
        Unmodelled("GetObjectW of %p, which is not a bitmap winsim made", h);
    }
    if (!pv)
        return sizeof(BITMAP);
    if (c < static_cast<int>(sizeof(BITMAP)))
        return 0;
    BITMAP info;
    FillBitmap(*bitmap, &info);
    std::memcpy(pv, &info, sizeof info);
    return sizeof(BITMAP);
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    HBITMAP handle = static_cast<HBITMAP>(ho);
    Bitmap* bitmap = Bitmaps().Find(handle);
    if (!bitmap) {
        if (!ho || DeletedObjects().count(ho) || DeviceContexts().Find(static_cast<HDC>(ho)))
            return FALSE;
        Unmodelled("DeleteObject of %p, which is not an object winsim made", ho);
    }
    if (bitmap->stock)
        return TRUE; // deleting a stock object is allowed and does nothing
    if (bitmap->selectedInto)
        return FALSE; // still selected into a DC: the documented refusal
    Bitmaps().Remove(handle);
    DeletedObjects().insert(ho);
    return TRUE;
}

namespace sim {

size_t LiveBitmaps() {
    size_t live = 0;
    Bitmaps().ForEach([&](HBITMAP, const Bitmap& bitmap) { live += bitmap.stock ? 0 : 1; });
    return live;
}

} // namespace sim
