// Bad handles and arguments fail cleanly; objects are counted, owned and deleted correctly.
#include <climits>
#include <functional>
#include <utility>

#include "GdiTestSupport.h"
#include "platform/user/SystemMetrics.h"

namespace orvane::platform::test {
namespace {

using Handles = GdiTest;

// Runs a call with the last error cleared; passes when it failed with ERROR_INVALID_HANDLE.
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
    const std::pair<const char*, HDC> bads[] = {{"stale", stale},
                                                {"null", HDC()},
                                                {"a brush", HDC(brush.value())},
                                                {"a bitmap", HDC(good.bitmap().value)},
                                                {"made up", HDC(0x00ABCDEFu)}};
    const RECT rc{0, 0, 4, 4};
    RECT edge = rc, box;
    BLENDFUNCTION bf;
    const std::pair<const char*, std::function<bool(HDC)>> calls[] = {
        {"FillRect", [&](HDC dc) { return FillRect(dc, &rc, brush) == 0; }},
        {"FrameRect", [&](HDC dc) { return FrameRect(dc, &rc, brush) == 0; }},
        {"Rectangle", [](HDC dc) { return !Rectangle(dc, 0, 0, 4, 4); }},
        {"LineTo", [](HDC dc) { return !LineTo(dc, 4, 4); }},
        {"GetPixel", [](HDC dc) { return GetPixel(dc, 1, 1) == CLR_INVALID; }},
        {"PatBlt", [](HDC dc) { return !PatBlt(dc, 0, 0, 4, 4, PATCOPY); }},
        {"BitBlt to", [&](HDC dc) { return !BitBlt(dc, 0, 0, 4, 4, good, 0, 0, SRCCOPY); }},
        {"BitBlt from", [&](HDC dc) { return !BitBlt(good, 0, 0, 4, 4, dc, 0, 0, SRCCOPY); }},
        {"AlphaBlend to",
         [&](HDC dc) { return !GdiAlphaBlend(dc, 0, 0, 4, 4, good, 0, 0, 4, 4, bf); }},
        {"AlphaBlend from",
         [&](HDC dc) { return !GdiAlphaBlend(good, 0, 0, 4, 4, dc, 0, 0, 4, 4, bf); }},
        {"TransparentBlt from",
         [&](HDC dc) { return !TransparentBlt(good, 0, 0, 4, 4, dc, 0, 0, 4, 4, 0); }},
        {"SelectObject", [&](HDC dc) { return !SelectObject(dc, brush); }},
        {"SetBkColor", [](HDC dc) { return SetBkColor(dc, 0) == CLR_INVALID; }},
        {"SaveDC", [](HDC dc) { return SaveDC(dc) == 0; }},
        {"SelectClipRgn", [](HDC dc) { return SelectClipRgn(dc, HRGN()) == ERROR; }},
        {"GetClipBox", [&](HDC dc) { return GetClipBox(dc, &box) == ERROR; }},
        {"DrawEdge", [&](HDC dc) { return !DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT); }},
        {"CreateCompatibleBitmap", [](HDC dc) { return !CreateCompatibleBitmap(dc, 4, 4); }},
        {"DeleteDC", [](HDC dc) { return !DeleteDC(dc); }}};
    for (const auto& [badName, dc] : bads)
        for (const auto& [callName, call] : calls)
            EXPECT_TRUE(failsWithInvalidHandle([&] { return call(dc); }))
                << callName << " on " << badName;
    // The brush and bitmap passed as DCs are unharmed.
    EXPECT_TRUE(FillRect(good, &rc, brush));
    EXPECT_EQ(good.at(1, 1), RGB(1, 2, 3));
}

TEST_F(Handles, BadObjectsAreRefused) {
    Canvas c(8, 8);
    HBRUSH staleBrush = CreateSolidBrush(0);
    HBITMAP staleBitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    HRGN staleRgn = CreateRectRgn(0, 0, 2, 2);
    for (HGDIOBJ obj : {HGDIOBJ(staleBrush), HGDIOBJ(staleBitmap), HGDIOBJ(staleRgn)})
        ASSERT_TRUE(DeleteObject(obj));
    Owned<HPEN> pen(CreatePen(PS_SOLID, 1, 0));
    Owned<HRGN> rgn(CreateRectRgn(0, 0, 4, 4));
    const HBRUSH penAsBrush(pen.value()), rgnAsBrush(rgn.value());
    const RECT rc{0, 0, 4, 4};
    RECT box;
    BITMAP bm;
    const std::function<bool()> calls[] = {
        [&] { return FillRect(c, &rc, staleBrush) == 0; },
        [&] { return FillRect(c, &rc, penAsBrush) == 0; },
        [&] { return FrameRect(c, &rc, rgnAsBrush) == 0; },
        [&] { return !FillRgn(c, rgn, staleBrush); },
        [&] { return !FillRgn(c, staleRgn, HBRUSH(GetStockObject(BLACK_BRUSH))); },
        [&] { return !SelectObject(c, staleBitmap); },
        [&] { return !SelectObject(c, staleBrush); },
        [&] { return !SelectObject(c, HGDIOBJ()); },
        [&] { return !CreatePatternBrush(staleBitmap); },
        [&] { return !CreatePatternBrush(HBITMAP(pen.value())); },
        [&] { return SelectClipRgn(c, staleRgn) == ERROR; },
        [&] { return SelectClipRgn(c, HRGN(pen.value())) == ERROR; },
        [&] { return CombineRgn(rgn, rgn, staleRgn, RGN_OR) == ERROR; },
        [&] { return CombineRgn(HRGN(pen.value()), rgn, rgn, RGN_OR) == ERROR; },
        [&] { return GetRgnBox(staleRgn, &box) == ERROR; },
        [&] { return GetObjectType(staleBitmap) == 0; },
        [&] { return GetObjectW(staleBitmap, sizeof bm, &bm) == 0; },
        [&] { return !DeleteObject(staleBrush); },
        [&] { return !DeleteObject(HGDIOBJ()); },
        [&] { return !DeleteObject(c.dc()); },
        [&] { return !DeleteDC(HDC(pen.value())); }};
    for (std::size_t i = 0; i < std::size(calls); ++i)
        EXPECT_TRUE(failsWithInvalidHandle(calls[i])) << "call " << i;
    EXPECT_EQ(GetObjectType(pen), OBJ_PEN);
    EXPECT_EQ(GetObjectType(c.dc()), OBJ_MEMDC);
    // Null pointers fail too, and create nothing.
    const DWORD before = GetLiveGdiObjectCount();
    EXPECT_EQ(FillRect(c, nullptr, HBRUSH(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_FALSE(DrawEdge(c, nullptr, EDGE_RAISED, BF_RECT));
    EXPECT_FALSE(Polygon(c, nullptr, 3));
    EXPECT_FALSE(GdiGradientFill(c, nullptr, 2, nullptr, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(CreateDIBSection(HDC(), nullptr, DIB_RGB_COLORS, nullptr, HANDLE(), 0));
    EXPECT_FALSE(CreateRectRgnIndirect(nullptr));
    EXPECT_EQ(GetLiveGdiObjectCount(), before);
}

TEST_F(Handles, BadBitmapSizesAreRefused) {
    Canvas c(4, 4);
    const DWORD before = GetLiveGdiObjectCount();
    const int sizes[][2] = {{-1, 10},     {10, -5},       {-8, -8},       {100000, 10},
                            {10, 100000}, {40000, 40000}, {30000, 30000}, {INT_MAX, 1},
                            {1, INT_MIN}, {INT_MIN, 1}};
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(::testing::Message() << w << " x " << h);
        SetLastError(0);
        EXPECT_FALSE(CreateBitmap(w, h, 1, 32, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
        EXPECT_FALSE(CreateBitmap(w, h, 1, 1, nullptr));
        EXPECT_FALSE(CreateCompatibleBitmap(c, w, h));
        // A DIB's negative height only means its rows run top-down.
        if (w > 0 && w < 20000 && h < 0 && h > -20000) continue;
        BITMAPINFO info{};
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = h;
        info.bmiHeader.biBitCount = 32;
        void* bits = &info;
        SetLastError(0);
        EXPECT_FALSE(CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits, HANDLE(), 0));
        EXPECT_EQ(bits, nullptr);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
        // Headers that come with pixels to draw are checked the same way.
        const std::uint32_t pixels[4] = {};
        EXPECT_EQ(StretchDIBits(c, 0, 0, 2, 2, 0, 0, 2, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY),
                  0);
    }
    EXPECT_EQ(GetLiveGdiObjectCount(), before);
}

TEST_F(Handles, SelectedBitmapsAreNotDeletedOrShared) {
    HBITMAP bmp = CreateBitmap(4, 4, 1, 32, nullptr);
    HDC a = CreateCompatibleDC(HDC()), b = CreateCompatibleDC(HDC());
    HGDIOBJ old = SelectObject(a, bmp);
    ASSERT_TRUE(old);
    EXPECT_FALSE(DeleteObject(bmp));
    EXPECT_FALSE(SelectObject(b, bmp)) << "a bitmap is in one DC at a time";
    EXPECT_EQ(SetPixel(a, 1, 1, RGB(9, 8, 7)), RGB(9, 8, 7));
    EXPECT_EQ(GetPixel(a, 1, 1), RGB(9, 8, 7));
    SelectObject(a, old);
    EXPECT_TRUE(SelectObject(b, bmp));
    // Deleting the DC lets go of its bitmap without deleting it.
    EXPECT_TRUE(DeleteDC(b));
    EXPECT_EQ(GetObjectType(bmp), OBJ_BITMAP);
    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_TRUE(DeleteDC(a));
}

TEST_F(Handles, StockObjectsSurviveDeleteObject) {
    for (int index : {WHITE_BRUSH, GRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH, WHITE_PEN, BLACK_PEN,
                      NULL_PEN, SYSTEM_FONT, DEFAULT_GUI_FONT, DC_BRUSH, DC_PEN}) {
        HGDIOBJ obj = GetStockObject(index);
        const DWORD type = GetObjectType(obj);
        ASSERT_NE(type, 0u) << index;
        DeleteObject(obj);
        EXPECT_EQ(GetObjectType(obj), type) << index;
        EXPECT_EQ(GetStockObject(index), obj) << index;
    }
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    DeleteObject(face);
    Canvas c(4, 4);
    const RECT rc{0, 0, 4, 4};
    FillRect(c, &rc, HBRUSH(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(c.at(2, 2), kBlack);
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
    // Stock objects and selections do not count; a deleted DC leaves its objects alive.
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
