// Pictures read back from the screen.
#include "screen_area.h"

bool SaveScreenArea(const RECT& bounds, LPCWSTR path) {
    int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
        SelectObject(memory, old);
        GdiFlush();
        DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        DWORD imageBytes = stride * static_cast<DWORD>(height);
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42; // "BM"
        file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
        file.bfSize = file.bfOffBits + imageBytes;
        HANDLE output = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (output != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            saved = WriteFile(output, &file, sizeof(file), &written, nullptr) &&
                    WriteFile(output, &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr) &&
                    WriteFile(output, bits, imageBytes, &written, nullptr);
            CloseHandle(output);
        }
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}
