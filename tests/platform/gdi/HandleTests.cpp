// Bad handles and arguments fail cleanly; objects are counted, owned and deleted correctly.
#include <climits>
#include <functional>
#include <utility>

#include "GdiTestSupport.h"
#include "platform/user/SystemMetrics.h"

namespace orvane::platform::test {
namespace {

using Handles = GdiTest;

// Runs a call with the last error cleared; true when it failed with ERROR_INVALID_HANDLE.
::testing::AssertionResult failsWithInvalidHandle(const std::function<bool()>& failed) {
    SetLastError(0);
    if (!failed()) return ::testing::AssertionFailure() << "the call succeeded";
    if (GetLastError() != ERROR_INVALID_HANDLE)
        return ::testing::AssertionFailure() << "last error " << GetLastError();
    return ::testing::AssertionSuccess();
}

TEST_F(Handles, BadDeviceContextsAreRefused) {
    Canvas good(8, 8);
    HDC stale = CreateCompatibleDC(HDC());
    ASSERT_TRUE(DeleteDC(stale));
    Owned<HBRUSH> brush(CreateSolidBrush(RGB(1, 2, 3)));
    struct Bad {
        const char* name;
        HDC dc;
    };
    const Bad bads[] = {{"stale", stale},
                        {"null", HDC()},
                        {"a brush", HDC(brush.get().value)},
                        {"the canvas bitmap", HDC(good.bitmap().value)},
                        {"made up", HDC(0x00ABCDEFu)}};
    const RECT rc{0, 0, 4, 4};
    RECT edge = rc;
    BLENDFUNCTION bf;
    using Call = std::pair<const char*, std::function<bool(HDC)>>;
    const Call calls[] = {
        {"FillRect", [&](HDC dc) { return FillRect(dc, &rc, brush) == 0; }},
        {"FrameRect", [&](HDC dc) { return FrameRect(dc, &rc, brush) == 0; }},
        {"Rectangle", [](HDC dc) { return !Rectangle(dc, 0, 0, 4, 4); }},
        {"Ellipse", [](HDC dc) { return !Ellipse(dc, 0, 0, 4, 4); }},
        {"MoveToEx", [](HDC dc) { return !MoveToEx(dc, 1, 1, nullptr); }},
        {"LineTo", [](HDC dc) { return !LineTo(dc, 4, 4); }},
        {"SetPixel", [](HDC dc) { return SetPixel(dc, 1, 1, 0) == CLR_INVALID; }},
        {"GetPixel", [](HDC dc) { return GetPixel(dc, 1, 1) == CLR_INVALID; }},
        {"PatBlt", [](HDC dc) { return !PatBlt(dc, 0, 0, 4, 4, PATCOPY); }},
        {"BitBlt to", [&](HDC dc) { return !BitBlt(dc, 0, 0, 4, 4, good, 0, 0, SRCCOPY); }},
        {"BitBlt from", [&](HDC dc) { return !BitBlt(good, 0, 0, 4, 4, dc, 0, 0, SRCCOPY); }},
        {"StretchBlt from",
         [&](HDC dc) { return !StretchBlt(good, 0, 0, 4, 4, dc, 0, 0, 2, 2, SRCCOPY); }},
        {"AlphaBlend to",
         [&](HDC dc) { return !GdiAlphaBlend(dc, 0, 0, 4, 4, good, 0, 0, 4, 4, bf); }},
        {"AlphaBlend from",
         [&](HDC dc) { return !GdiAlphaBlend(good, 0, 0, 4, 4, dc, 0, 0, 4, 4, bf); }},
        {"TransparentBlt from",
         [&](HDC dc) { return !TransparentBlt(good, 0, 0, 4, 4, dc, 0, 0, 4, 4, 0); }},
        {"SelectObject", [&](HDC dc) { return !SelectObject(dc, brush); }},
        {"SetBkColor", [](HDC dc) { return SetBkColor(dc, 0) == CLR_INVALID; }},
        {"SetViewportOrgEx", [](HDC dc) { return !SetViewportOrgEx(dc, 1, 1, nullptr); }},
        {"SaveDC", [](HDC dc) { return SaveDC(dc) == 0; }},
        {"SelectClipRgn", [](HDC dc) { return SelectClipRgn(dc, HRGN()) == ERROR; }},
        {"GetClipBox",
         [](HDC dc) {
             RECT box;
             return GetClipBox(dc, &box) == ERROR;
         }},
        {"DrawEdge", [&](HDC dc) { return !DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT); }},
        {"DrawFocusRect", [&](HDC dc) { return !DrawFocusRect(dc, &rc); }},
        {"CreateCompatibleBitmap", [](HDC dc) { return !CreateCompatibleBitmap(dc, 4, 4); }},
        {"DeleteDC", [](HDC dc) { return !DeleteDC(dc); }},
    };
    for (const Bad& bad : bads) {
        for (const Call& call : calls) {
            EXPECT_TRUE(failsWithInvalidHandle([&] { return call.second(bad.dc); }))
                << call.first << " with " << bad.name << " as the DC";
        }
    }
    // The brush and canvas passed as DCs are still alive and working.
    EXPECT_EQ(GetObjectType(brush), OBJ_BRUSH);
    EXPECT_TRUE(FillRect(good, &rc, brush));
    EXPECT_EQ(good.at(1, 1), RGB(1, 2, 3));
}

TEST_F(Handles, BadObjectsAreRefused) {
    Canvas c(8, 8);
    HBRUSH staleBrush = CreateSolidBrush(0);
    HBITMAP staleBitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    HRGN staleRegion = CreateRectRgn(0, 0, 2, 2);
    ASSERT_TRUE(DeleteObject(staleBrush));
    ASSERT_TRUE(DeleteObject(staleBitmap));
    ASSERT_TRUE(DeleteObject(staleRegion));
    Owned<HPEN> pen(CreatePen(PS_SOLID, 1, 0));
    Owned<HRGN> region(CreateRectRgn(0, 0, 4, 4));
    const RECT rc{0, 0, 4, 4};
    EXPECT_TRUE(failsWithInvalidHandle([&] { return FillRect(c, &rc, staleBrush) == 0; }));
    EXPECT_TRUE(
        failsWithInvalidHandle([&] { return FillRect(c, &rc, HBRUSH(pen.get().value)) == 0; }));
    EXPECT_TRUE(
        failsWithInvalidHandle([&] { return FrameRect(c, &rc, HBRUSH(region.get().value)) == 0; }));
    EXPECT_TRUE(failsWithInvalidHandle([&] { return !FillRgn(c, region, staleBrush); }));
    EXPECT_TRUE(failsWithInvalidHandle(
        [&] { return !FillRgn(c, staleRegion, HBRUSH(GetStockObject(BLACK_BRUSH))); }));
    EXPECT_TRUE(failsWithInvalidHandle([&] { return !SelectObject(c, staleBitmap); }));
    EXPECT_TRUE(failsWithInvalidHandle([&] { return !SelectObject(c, staleBrush); }));
    EXPECT_TRUE(failsWithInvalidHandle([&] { return !SelectObject(c, HGDIOBJ()); }));
    EXPECT_TRUE(failsWithInvalidHandle([&] { return !CreatePatternBrush(staleBitmap); }));
    EXPECT_TRUE(
        failsWithInvalidHandle([&] { return !CreatePatternBrush(HBITMAP(pen.get().value)); }));
    EXPECT_TRUE(failsWithInvalidHandle([&] { return SelectClipRgn(c, staleRegion) == ERROR; }));
    EXPECT_TRUE(
        failsWithInvalidHandle([&] { return SelectClipRgn(c, HRGN(pen.get().value)) == ERROR; }));
    EXPECT_TRUE(failsWithInvalidHandle(
        [&] { return CombineRgn(region, region, staleRegion, RGN_OR) == ERROR; }));
    EXPECT_TRUE(failsWithInvalidHandle(
        [&] { return CombineRgn(HRGN(pen.get().value), region, region, RGN_OR) == ERROR; }));
    EXPECT_TRUE(failsWithInvalidHandle([&] {
        RECT box;
        return GetRgnBox(staleRegion, &box) == ERROR;
    }));
    EXPECT_TRUE(failsWithInvalidHandle([&] { return GetObjectType(staleBitmap) == 0; }));
    EXPECT_TRUE(failsWithInvalidHandle([&] {
        BITMAP bm;
        return GetObjectW(staleBitmap, sizeof bm, &bm) == 0;
    }));
    for (HGDIOBJ obj : {HGDIOBJ(staleBrush), HGDIOBJ(staleBitmap), HGDIOBJ(), HGDIOBJ(c.dc())}) {
        EXPECT_TRUE(failsWithInvalidHandle([&] { return !DeleteObject(obj); })) << obj.value;
    }
    EXPECT_TRUE(failsWithInvalidHandle([&] { return !DeleteDC(HDC(pen.get().value)); }));
    // Nothing was harmed: the pen and the canvas still work.
    EXPECT_EQ(GetObjectType(pen), OBJ_PEN);
    EXPECT_EQ(GetObjectType(c.dc()), OBJ_MEMDC);
}

TEST_F(Handles, NullPointersFailWithoutCrashing) {
    Canvas c(8, 8);
    Owned<HBRUSH> brush(CreateSolidBrush(0));
    const DWORD before = GetLiveGdiObjectCount();
    EXPECT_EQ(FillRect(c, nullptr, brush), 0);
    EXPECT_EQ(FrameRect(c, nullptr, brush), 0);
    EXPECT_FALSE(DrawEdge(c, nullptr, EDGE_RAISED, BF_RECT));
    EXPECT_FALSE(DrawFocusRect(c, nullptr));
    EXPECT_FALSE(Polygon(c, nullptr, 3));
    EXPECT_FALSE(Polyline(c, nullptr, 3));
    EXPECT_FALSE(GdiGradientFill(c, nullptr, 2, nullptr, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(CreateDIBSection(HDC(), nullptr, DIB_RGB_COLORS, nullptr, HANDLE(), 0));
    EXPECT_FALSE(CreateRectRgnIndirect(nullptr));
    EXPECT_EQ(GetLiveGdiObjectCount(), before);
}

TEST_F(Handles, BadBitmapSizesAreRefused) {
    Canvas c(4, 4);
    const DWORD before = GetLiveGdiObjectCount();
    const int sizes[][2] = {{-1, 10},     {10, -5},       {-8, -8},     {100000, 10},
                            {10, 100000}, {40000, 40000}, {INT_MAX, 1}, {1, INT_MIN},
                            {INT_MIN, 1}, {30000, 30000}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(::testing::Message() << s[0] << " x " << s[1]);
        SetLastError(0);
        EXPECT_FALSE(CreateBitmap(s[0], s[1], 1, 32, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
        EXPECT_FALSE(CreateBitmap(s[0], s[1], 1, 1, nullptr));
        EXPECT_FALSE(CreateCompatibleBitmap(c, s[0], s[1]));
        // DIB sections take a negative height for top-down rows, so only the width's sign
        // and the magnitudes count.
        if (s[1] < 0 && s[1] != INT_MIN && s[0] > 0 && s[0] < 20000 && s[1] > -20000) continue;
        BITMAPINFO info{};
        info.bmiHeader.biWidth = s[0];
        info.bmiHeader.biHeight = s[1];
        info.bmiHeader.biBitCount = 32;
        void* bits = reinterpret_cast<void*>(1);
        SetLastError(0);
        EXPECT_FALSE(CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits, HANDLE(), 0));
        EXPECT_EQ(bits, nullptr);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
    BITMAPINFO zero{};
    zero.bmiHeader.biBitCount = 32;
    EXPECT_FALSE(CreateDIBSection(HDC(), &zero, DIB_RGB_COLORS, nullptr, HANDLE(), 0));
    // Headers passed with pixels to draw are checked the same way.
    const std::uint32_t pixels[4] = {};
    for (const LONG height : {INT_MIN, 0, 40000, -40000}) {
        BITMAPINFO info{};
        info.bmiHeader.biWidth = 2;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biBitCount = 32;
        EXPECT_EQ(StretchDIBits(c, 0, 0, 2, 2, 0, 0, 2, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY),
                  0)
            << height;
        EXPECT_EQ(SetDIBitsToDevice(c, 0, 0, 2, 2, 0, 0, 0, 2, pixels, &info, DIB_RGB_COLORS), 0)
            << height;
    }
    EXPECT_EQ(GetLiveGdiObjectCount(), before);
}

TEST_F(Handles, SelectedBitmapsAreNotDeletedOrShared) {
    HBITMAP bmp = CreateBitmap(4, 4, 1, 32, nullptr);
    HDC a = CreateCompatibleDC(HDC()), b = CreateCompatibleDC(HDC());
    HGDIOBJ old = SelectObject(a, bmp);
    ASSERT_TRUE(old);
    EXPECT_FALSE(DeleteObject(bmp));
    EXPECT_EQ(GetObjectType(bmp), OBJ_BITMAP);
    EXPECT_FALSE(SelectObject(b, bmp)) << "a bitmap is in one DC at a time";
    // Still drawable after the failed delete.
    EXPECT_EQ(SetPixel(a, 1, 1, RGB(9, 8, 7)), RGB(9, 8, 7));
    EXPECT_EQ(GetPixel(a, 1, 1), RGB(9, 8, 7));
    SelectObject(a, old);
    EXPECT_TRUE(SelectObject(b, bmp));
    // Deleting the DC releases its bitmap without deleting it.
    EXPECT_TRUE(DeleteDC(b));
    EXPECT_EQ(GetObjectType(bmp), OBJ_BITMAP);
    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_TRUE(DeleteDC(a));
}

TEST_F(Handles, StockObjectsSurviveDeleteObject) {
    const int stock[] = {WHITE_BRUSH,      LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH,
                         NULL_BRUSH,       WHITE_PEN,    BLACK_PEN,  NULL_PEN,     SYSTEM_FONT,
                         DEFAULT_GUI_FONT, DC_BRUSH,     DC_PEN};
    for (int index : stock) {
        HGDIOBJ obj = GetStockObject(index);
        ASSERT_TRUE(obj) << index;
        const DWORD type = GetObjectType(obj);
        DeleteObject(obj);
        EXPECT_EQ(GetObjectType(obj), type) << index;
        EXPECT_EQ(GetStockObject(index), obj) << index;
    }
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    DeleteObject(face);
    EXPECT_EQ(GetObjectType(face), OBJ_BRUSH);
    // The stock black brush still paints black.
    Canvas c(4, 4);
    const RECT rc{0, 0, 4, 4};
    FillRect(c, &rc, HBRUSH(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(c.at(2, 2), RGB(0, 0, 0));
    FillRect(c, &rc, face);
    EXPECT_EQ(c.at(2, 2), GetSysColor(COLOR_BTNFACE));
}

TEST_F(Handles, LiveObjectCounterSeesEveryObject) {
    ASSERT_EQ(GetLiveGdiObjectCount(), 0u);
    HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
    EXPECT_EQ(GetLiveGdiObjectCount(), 1u);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    HRGN rgn = CreateRectRgn(0, 0, 1, 1);
    HDC dc = CreateCompatibleDC(HDC());
    HBITMAP bmp = CreateCompatibleBitmap(dc, 2, 2);
    EXPECT_EQ(GetLiveGdiObjectCount(), 5u);
    // Stock objects and selecting objects do not count.
    GetStockObject(GRAY_BRUSH);
    SelectObject(dc, bmp);
    SelectObject(dc, brush);
    EXPECT_EQ(GetLiveGdiObjectCount(), 5u);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(GetLiveGdiObjectCount(), 4u);
    for (HGDIOBJ obj : {HGDIOBJ(bmp), HGDIOBJ(rgn), HGDIOBJ(pen)})
        EXPECT_TRUE(DeleteObject(obj));
    EXPECT_EQ(GetLiveGdiObjectCount(), 1u);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetLiveGdiObjectCount(), 0u);
}

}  // namespace
}  // namespace orvane::platform::test
