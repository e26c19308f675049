// gdi32: bitmap objects, loaded from a module's RT_BITMAP resources (user32's LoadBitmapW and
// LoadImageW), described by GetObjectW and freed by DeleteObject.
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
    DWORD masks[3] = {0, 0, 0};
    if (bitfields) {
        // A plain BITMAPINFOHEADER is followed by the three masks; V4/V5 headers hold them.
        const size_t maskOffset = headerSize == 40 ? headerSize : 40;
        if (resource.size < maskOffset + sizeof masks)
            Unmodelled("%s is shorter than its colour masks", which.c_str());
        std::memcpy(masks, resource.data + maskOffset, sizeof masks);
        if (headerSize == 40)
            offset += sizeof masks;
    }
    offset += static_cast<size_t>(colours) * sizeof(RGBQUAD);

    const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const size_t pixelBytes = static_cast<size_t>(DibWidthBytes(header.biWidth, bpp)) * height;
    const size_t available = resource.size > offset ? resource.size - offset : 0;
    if (rle ? available == 0 : available < pixelBytes)
        Unmodelled("%s holds %zu bytes of pixels where %zu are needed", which.c_str(), available,
                   rle ? size_t{1} : pixelBytes);

    Bitmap bitmap;
    bitmap.resourceId = ResourceIdOf(name);
    bitmap.width = header.biWidth;
    bitmap.height = height;
    bitmap.resourceBitCount = bpp;
    bitmap.header = header;
    bitmap.header.biSize = sizeof(BITMAPINFOHEADER);
    bitmap.header.biSizeImage = static_cast<DWORD>(pixelBytes);
    std::memcpy(bitmap.bitfields, masks, sizeof masks);
    if (!rle)
        bitmap.bits.assign(resource.data + offset, resource.data + offset + pixelBytes);
    return bitmap;
}

HBITMAP LoadBitmapObject(HINSTANCE module, LPCWSTR name, bool dibSection, int cx, int cy) {
    ResourceBytes resource;
    if (!FindModuleResource(module, kRtBitmap, name, &resource)) {
        FindResourceW(module, name, kRtBitmap); // leaves the loader's error, as the platform's does
        return nullptr;
    }
    Bitmap bitmap = ParsePackedDib(resource, name);
    if (cx != 0 || cy != 0) {
        // The platform stretches the picture to the asked size; winsim keeps no pixels to stretch.
        if (dibSection)
            Unmodelled("LoadImageW of bitmap %s as a DIB section at a size of its own",
                       NameForMessage(name).c_str());
        if (cx != 0)
            bitmap.width = cx;
        if (cy != 0)
            bitmap.height = cy;
    }
    if (dibSection) {
        if (bitmap.bits.empty())
            Unmodelled("LoadImageW of run-length encoded bitmap %s as a DIB section",
                       NameForMessage(name).c_str());
        bitmap.dibSection = true;
        bitmap.bitsPixel = bitmap.resourceBitCount;
    } else {
        if (bitmap.resourceBitCount == 1)
            Unmodelled("a device-dependent bitmap from monochrome resource %s",
                       NameForMessage(name).c_str());
        bitmap.bitsPixel = kScreenBitsPixel;
        bitmap.bits.clear();
    }
    return g_bitmaps.Add(std::make_unique<Bitmap>(std::move(bitmap)));
}

void FillBitmap(const Bitmap& bitmap, BITMAP* out) {
    out->bmType = 0;
    out->bmWidth = bitmap.width;
    out->bmHeight = bitmap.height;
    out->bmWidthBytes = bitmap.dibSection ? DibWidthBytes(bitmap.width, bitmap.bitsPixel)
                                          : DdbWidthBytes(bitmap.width, bitmap.bitsPixel);
    out->bmPlanes = 1;
    out->bmBitsPixel = bitmap.bitsPixel;
    out->bmBits = bitmap.dibSection ? const_cast<BYTE*>(bitmap.bits.data()) : nullptr;
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
        bitmap->resourceBitCount = 1;
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
    return LoadBitmapObject(hInstance, lpBitmapName, false, 0, 0);
}

HANDLE WINAPI LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    if (type != IMAGE_BITMAP)
        Unmodelled("LoadImageW of image type %u (only bitmaps are modelled)", type);
    if (!hInst)
        Unmodelled("LoadImageW of the system's predefined images (no module)");
    const UINT modelled = LR_CREATEDIBSECTION | LR_DEFAULTSIZE;
    if (fuLoad & ~modelled)
        Unmodelled("LoadImageW with load flags 0x%X", fuLoad & ~modelled);
    return LoadBitmapObject(hInst, name, (fuLoad & LR_CREATEDIBSECTION) != 0, cx, cy);
}

int WINAPI GetObjectW(HANDLE h, int c, LPVOID pv) {
    HBITMAP handle = static_cast<HBITMAP>(h);
    const Bitmap* bitmap = Bitmaps().Find(handle);
    if (!bitmap) {
        if (!h || DeletedObjects().count(h) || DeviceContexts().Find(static_cast<HDC>(h)))
            return 0;
        Unmodelled("GetObjectW of %p, which is not a bitmap winsim made", h);
    }
    const int needed = bitmap->dibSection ? sizeof(DIBSECTION) : sizeof(BITMAP);
    if (!pv)
        return needed;
    if (c < static_cast<int>(sizeof(BITMAP)))
        return 0;
    if (bitmap->dibSection && c >= static_cast<int>(sizeof(DIBSECTION))) {
        DIBSECTION section{};
        FillBitmap(*bitmap, &section.dsBm);
        section.dsBmih = bitmap->header;
        std::memcpy(section.dsBitfields, bitmap->bitfields, sizeof section.dsBitfields);
        std::memcpy(pv, &section, sizeof section);
        return sizeof(DIBSECTION);
    }
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

bool DescribeBitmap(HBITMAP bitmap, BitmapInfo* out) {
    const Bitmap* found = Bitmaps().Find(bitmap);
    if (!found || found->stock)
        return false;
    out->resourceId = found->resourceId;
    out->width = found->width;
    out->height = found->height;
    out->bitsPixel = found->bitsPixel;
    out->resourceBitCount = found->resourceBitCount;
    out->dibSection = found->dibSection;
    return true;
}

size_t LiveBitmaps() {
    size_t live = 0;
    Bitmaps().ForEach([&](HBITMAP, const Bitmap& bitmap) { live += bitmap.stock ? 0 : 1; });
    return live;
}

} // namespace sim
