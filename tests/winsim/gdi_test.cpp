// gdi32: bitmaps from the plug-in's own resources, memory DCs, selection rules and the draw log.
#include <gtest/gtest.h>

#include "sim.h"
#include "plugin_module.h"
#include "sim/kernel.h"
#include "src/internal.h"

#include <cstring>

using namespace simtest;

namespace {

constexpr int kLogo = 157;
constexpr COLORREF kCyan = RGB(0, 255, 255);

LPCWSTR Id(int id) {
    return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(id));
}

// The header of a bitmap resource, read with kernel32's resource functions, independently of
// gdi32's own reading.
bool ResourceHeader(HMODULE module, int id, BITMAPINFOHEADER* header) {
    HRSRC info = FindResourceW(module, Id(id), Id(2));
    if (!info)
        return false;
    const void* bytes = LockResource(LoadResource(module, info));
    if (!bytes || SizeofResource(module, info) < sizeof *header)
        return false;
    std::memcpy(header, bytes, sizeof *header);
    return true;
}

class GdiTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        module_ = LoadPluginModule();
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override {
        EXPECT_EQ(sim::GdiLeakReport(), "");
        if (module_)
            FreeLibrary(module_);
    }

    HMODULE module_ = nullptr;
};

TEST_F(GdiTest, BitmapsKeepTheSizeOfTheirResource) {
    HBITMAP logo = LoadBitmapW(module_, Id(kLogo));
    ASSERT_NE(logo, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectW(logo, sizeof info, &info), (int)sizeof(BITMAP));
    EXPECT_EQ(info.bmWidth, 100);
    EXPECT_EQ(info.bmHeight, 42);

    // Every picture of the module, loaded as the display's bitmap and as a DIB section.
    int seen = 0;
    for (int id = 116; id <= 159; ++id) {
        BITMAPINFOHEADER header;
        if (!ResourceHeader(module_, id, &header))
            continue;
        ++seen;
        SCOPED_TRACE(id);
        HBITMAP ddb = LoadBitmapW(module_, Id(id));
        ASSERT_EQ(GetObjectW(ddb, sizeof info, &info), (int)sizeof(BITMAP));
        EXPECT_EQ(info.bmWidth, header.biWidth);
        EXPECT_EQ(info.bmHeight, header.biHeight < 0 ? -header.biHeight : header.biHeight);
        EXPECT_EQ(info.bmBitsPixel, 32); // made for the 32-bit display
        EXPECT_EQ(info.bmWidthBytes, info.bmWidth * 4);
        EXPECT_EQ(info.bmPlanes, 1);
        EXPECT_EQ(info.bmBits, nullptr);
        EXPECT_TRUE(DeleteObject(ddb));
    }
    EXPECT_GT(seen, 0);

    // Buffer rules: a size query, and a buffer too small for a BITMAP.
    EXPECT_EQ(GetObjectW(logo, 0, nullptr), (int)sizeof(BITMAP));
    EXPECT_EQ(GetObjectW(logo, sizeof(BITMAP) - 1, &info), 0);
    EXPECT_TRUE(DeleteObject(logo));
    EXPECT_EQ(GetObjectW(logo, sizeof info, &info), 0);
}

TEST_F(GdiTest, MissingResourceFailsWithTheLoadersError) {
    SetLastError(0);
    EXPECT_EQ(LoadBitmapW(module_, Id(9999)), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_EQ(LoadImageW(module_, Id(9999), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR), nullptr);
}

TEST_F(GdiTest, SelectionFollowsThePlatformsRules) {
    HBITMAP logo = LoadBitmapW(module_, Id(kLogo));
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(first);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(sim::LiveMemoryDCs(), 2u);

    // A new memory DC holds the stock 1x1 monochrome bitmap, handed back by the first selection.
    HGDIOBJ original = SelectObject(first, logo);
    ASSERT_NE(original, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectW(original, sizeof info, &info), (int)sizeof(BITMAP));
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmHeight, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);

    EXPECT_EQ(SelectObject(first, logo), logo);     // already selected there
    EXPECT_EQ(SelectObject(second, logo), nullptr); // one DC at a time
    EXPECT_FALSE(DeleteObject(logo));               // still selected: refused, still alive
    EXPECT_EQ(sim::LiveBitmaps(), 1u);

    EXPECT_EQ(SelectObject(first, original), logo);
    EXPECT_TRUE(DeleteObject(original)); // a stock object: allowed, and it stays usable
    EXPECT_NE(SelectObject(second, logo), nullptr);

    // Deleting the DC lets go of its bitmap without deleting it.
    EXPECT_TRUE(DeleteDC(second));
    EXPECT_EQ(sim::LiveBitmaps(), 1u);
    EXPECT_TRUE(DeleteObject(logo));
    EXPECT_FALSE(DeleteObject(logo));
    EXPECT_EQ(SelectObject(first, logo), nullptr); // a deleted bitmap cannot be selected
    EXPECT_TRUE(DeleteDC(first));
    EXPECT_FALSE(DeleteDC(first));
}

TEST_F(GdiTest, TransparentBltIsRecordedAgainstTheWindow) {
    HWND control = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x5150));
    HWND other = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x5154));
    HDC windowDc = winsim::CreateWindowDC(control);
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP logo = LoadBitmapW(module_, Id(kLogo));

    // Nothing but the stock 1x1 bitmap in the source: a 100 x 42 source rectangle does not fit.
    EXPECT_FALSE(TransparentBlt(windowDc, 0, 0, 100, 42, memory, 0, 0, 100, 42, kCyan));
    HGDIOBJ original = SelectObject(memory, logo);
    EXPECT_FALSE(TransparentBlt(windowDc, 0, 0, 100, 42, memory, 1, 0, 100, 42, kCyan));
    EXPECT_FALSE(TransparentBlt(windowDc, 0, 0, -100, 42, memory, 0, 0, 100, 42, kCyan));
    EXPECT_FALSE(TransparentBlt(windowDc, 0, 0, 100, 42, memory, 0, 0, 100, -42, kCyan));
    EXPECT_EQ(sim::LastDrawInto(control), nullptr);

    ASSERT_TRUE(TransparentBlt(windowDc, 4, 6, 100, 42, memory, 0, 0, 100, 42, kCyan));
    const sim::Draw* draw = sim::LastDrawInto(control);
    ASSERT_NE(draw, nullptr);
    // The function's name and the transparent colour are read by the pages' picture tests.
    EXPECT_EQ(draw->window, control);
    EXPECT_EQ(draw->dc, windowDc);
    EXPECT_EQ(draw->resourceId, kLogo);
    EXPECT_EQ(draw->bitmap, logo);
    EXPECT_EQ(draw->x, 4);
    EXPECT_EQ(draw->y, 6);
    EXPECT_EQ(draw->cx, 100);
    EXPECT_EQ(draw->cy, 42);
    EXPECT_EQ(draw->srcCx, 100);
    EXPECT_EQ(draw->srcCy, 42);
    EXPECT_EQ(sim::LastBitmapDrawnInto(other), -1);

    // A later picture replaces the earlier one as "the last drawn"; drawing into a memory DC
    // belongs to no window.
    HBITMAP portrait = LoadBitmapW(module_, Id(116));
    SelectObject(memory, portrait);
    HDC scratch = CreateCompatibleDC(nullptr);
    HBITMAP target = LoadBitmapW(module_, Id(kLogo));
    SelectObject(scratch, target);
    EXPECT_TRUE(TransparentBlt(windowDc, 0, 0, 10, 10, memory, 0, 0, 10, 10, kCyan));
    EXPECT_TRUE(BitBlt(scratch, 0, 0, 10, 10, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(sim::LastBitmapDrawnInto(control), 116);

    // Releasing: the window DC once, everything else deleted (the fixture checks nothing is left).
    SelectObject(memory, original);
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_TRUE(DeleteDC(scratch));
    EXPECT_FALSE(TransparentBlt(windowDc, 0, 0, 10, 10, memory, 0, 0, 10, 10, kCyan));
    EXPECT_EQ(sim::LiveWindowDCs(), 1u);
    EXPECT_TRUE(winsim::ReleaseWindowDC(windowDc));
    EXPECT_FALSE(winsim::ReleaseWindowDC(windowDc));
    EXPECT_TRUE(DeleteObject(logo));
    EXPECT_TRUE(DeleteObject(portrait));
    EXPECT_TRUE(DeleteObject(target));
}

TEST_F(GdiTest, ResetForgetsObjectsAndDraws) {
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP logo = LoadBitmapW(module_, Id(kLogo));
    SelectObject(memory, logo);
    HDC windowDc = winsim::CreateWindowDC(reinterpret_cast<HWND>(static_cast<uintptr_t>(0x77)));
    TransparentBlt(windowDc, 0, 0, 100, 42, memory, 0, 0, 100, 42, kCyan);
    EXPECT_EQ(sim::GdiLeakReport(), "1 bitmap(s) not deleted\n1 memory DC(s) not deleted\n"
                                    "1 window DC(s) not released\n");
    sim::Reset();
    module_ = nullptr; // unloaded by the reset
    EXPECT_EQ(sim::LiveGdiObjects(), 0u);
    EXPECT_EQ(sim::LastDrawInto(reinterpret_cast<HWND>(static_cast<uintptr_t>(0x77))), nullptr);
    EXPECT_FALSE(DeleteDC(memory));
}

TEST_F(GdiTest, WhatIsNotModelledAborts) {
    EXPECT_DEATH(LoadImageW(module_, Id(kLogo), IMAGE_ICON, 0, 0, 0), "not modelled.*image type");
    EXPECT_DEATH(LoadImageW(module_, Id(kLogo), IMAGE_BITMAP, 0, 0, LR_SHARED),
                 "not modelled.*load flags");
    EXPECT_DEATH(LoadImageW(module_, Id(kLogo), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION),
                 "not modelled.*LR_CREATEDIBSECTION");
    EXPECT_DEATH(LoadImageW(module_, Id(kLogo), IMAGE_BITMAP, 50, 21, LR_DEFAULTCOLOR),
                 "not modelled.*stretched to 50 x 21");
    EXPECT_DEATH(LoadBitmapW(nullptr, Id(32754)), "not modelled.*predefined");
    HDC windowDc = winsim::CreateWindowDC(reinterpret_cast<HWND>(static_cast<uintptr_t>(0x99)));
    EXPECT_DEATH(DeleteDC(windowDc), "misuse.*ReleaseDC");
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_DEATH(BitBlt(memory, 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS), "raster operation");
    int notAnObject = 0;
    EXPECT_DEATH(DeleteObject(&notAnObject), "not an object winsim made");
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_TRUE(winsim::ReleaseWindowDC(windowDc));
}

} // namespace
