// The off-screen surfaces: sizes, edge conventions, colour blending, gradients, copying out,
// tiling, the tile's failures, and that each releases what it made.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "framework/drawing/cMemDc.h"
#include "framework/drawing/cPBMemDC.h"
#include "framework/drawing/cTile.h"
#include "framework/drawing/clsMemoryDraw.h"
#include "support/PlatformTest.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

class SurfacesTest : public test::PlatformTest {};

// A 16 × 16 bitmap whose column c has the colour RGB(c * 16, 0, 255 - c * 16).
HBITMAP columnBitmap() {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits, HANDLE(), 0);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            px[y * 16 + x] = static_cast<std::uint32_t>((x * 16) << 16 | (255 - x * 16));
    return bitmap;
}

COLORREF column(int c) {
    return RGB(c * 16, 0, 255 - c * 16);
}

}  // namespace

TEST_F(SurfacesTest, MemoryDrawSurfaceEdgesAndInvalidUse) {
    clsMemoryDraw s;
    EXPECT_FALSE(s.Create(0, 10));
    s.FillRectangle(0, 0, 5, 5, 0xFF);  // nothing to draw on, and no failure
    EXPECT_FALSE(s.IsValid());

    ASSERT_TRUE(s.Create(20, 10));
    EXPECT_EQ(GetPixel(s.hDC(), 19, 9), 0xFFFFFFu);  // cleared to white
    // A right edge left of the left one means the surface's right edge; likewise the bottom.
    s.FillRectangle(5, 2, -1, 4, 0x0000FF);
    EXPECT_EQ(GetPixel(s.hDC(), 19, 2), 0x0000FFu);
    EXPECT_EQ(GetPixel(s.hDC(), 4, 2), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(s.hDC(), 19, 4), 0xFFFFFFu);
    s.FillRectangle(0, 6, 2, -1, -1, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetPixel(s.hDC(), 1, 9), 0u);
    // A system colour fills with its value.
    s.FillRectangle(10, 6, 12, 8, static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(GetPixel(s.hDC(), 10, 6), GetSysColor(15));
    // Resizing to the same size keeps the drawing; another size starts afresh.
    EXPECT_TRUE(s.Resize(20, 10));
    EXPECT_EQ(GetPixel(s.hDC(), 19, 2), 0x0000FFu);
    EXPECT_TRUE(s.Resize(30, 10));
    EXPECT_EQ(GetPixel(s.hDC(), 19, 2), 0xFFFFFFu);

    // Lines: a colour makes its own pen, each line replaces the last one's pen.
    s.DrawLine(0, 0, 10, 0, 0x00FF00);
    s.DrawLine(-1, 0, 10, 5, 0xFF0000);  // goes on from (10, 0)
    EXPECT_EQ(GetPixel(s.hDC(), 5, 0), 0x00FF00u);
    EXPECT_EQ(GetPixel(s.hDC(), 10, 0), 0xFF0000u);
}

TEST_F(SurfacesTest, TextArrowsAndTurnedText) {
    clsMemoryDraw s;
    ASSERT_TRUE(s.Create(120, 120));
    // Ink rows and columns of a colour in the surface.
    auto inkBox = [&](COLORREF colour) {
        RECT box{1000, 1000, -1, -1};
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 120; ++x)
                if (GetPixel(s.hDC(), x, y) == colour) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    };
    // A downward arrow 5 deep: 9 wide at the top, its tip 4 rows below.
    s.DrawArrow(10, 10, 5, 0, 0x0000FF);
    EXPECT_EQ(inkBox(0x0000FF), (RECT{10, 10, 19, 15}));
    s.FillRectangle(0, 0, -1, -1, 0xFFFFFF);
    s.DrawArrow(10, 10, 5, 3, 0x0000FF);  // right: 5 wide, 9 tall
    EXPECT_EQ(inkBox(0x0000FF), (RECT{10, 10, 15, 19}));

    // Turned text is taller than wide and centred in its box.
    s.FillRectangle(0, 0, -1, -1, 0xFFFFFF);
    StdFont font;
    font.Size(10);
    s.DrawVerticalText(u"Vertical", font, 0, 0, 0, 120, 120, true);
    RECT ink{1000, 1000, -1, -1};
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x)
            if ((GetPixel(s.hDC(), x, y) & 0xFF) < 0x80) {
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
    EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));
    EXPECT_NEAR((ink.top + ink.bottom) / 2, 60, 4);
    EXPECT_NEAR((ink.left + ink.right) / 2, 60, 4);

    // SetFont: 10 points at 15 twips a pixel is a character height of 13 pixels.
    s.SetFont(u"Arial", 10, false, false, false, false);
    TEXTMETRICW tm{};
    GetTextMetricsW(s.hDC(), &tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 13);
    // Centred text over its own fill, clipped to the box.
    s.DrawTextCentered(0, 100, 120, 20, 0x00FF00, u"mid");
    EXPECT_EQ(GetPixel(s.hDC(), 1, 101), 0x00FF00u);
    EXPECT_EQ(GetPixel(s.hDC(), 1, 99), 0xFFFFFFu);
}

TEST_F(SurfacesTest, BlendingAndSystemColours) {
    EXPECT_EQ(clsMemoryDraw::BlendColors(0x102030, 0xF0E0D0, 255), 0x102030);
    EXPECT_EQ(clsMemoryDraw::BlendColors(0x102030, 0xF0E0D0, 0), 0xF0E0D0);
    // 255 × 128 ÷ 255 = 128; 100 × 127 ÷ 255 + 201 × 128 ÷ 255 = 150.70 rounds to 151.
    EXPECT_EQ(clsMemoryDraw::BlendColors(0x0000FF, 0x000000, 128), 0x000080);
    EXPECT_EQ(clsMemoryDraw::BlendColors(0x64, 0xC9, 127), 151);
    EXPECT_EQ(clsMemoryDraw::SysColorToRGB(static_cast<std::int32_t>(0x80000005)),
              static_cast<std::int32_t>(GetSysColor(5)));
    EXPECT_EQ(clsMemoryDraw::SysColorToRGB(0x123456), 0x123456);
    EXPECT_EQ(clsMemoryDraw::BlendColors(static_cast<std::int32_t>(0x80000005), 0, 255),
              static_cast<std::int32_t>(GetSysColor(5)));
}

TEST_F(SurfacesTest, GradientsStepByWholeValues) {
    clsMemoryDraw s;
    ASSERT_TRUE(s.Create(4, 12));
    // Red from 0 to 100 over 10 rows: row i is 100 × i ÷ 10.
    s.GradientFill(RECT{0, 0, 1, 10}, 0x000000, 0x000064, true);
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(GetPixel(s.hDC(), 0, y), static_cast<COLORREF>(10 * y)) << y;
    // Horizontal, blue falling: 255 − 255 × i ÷ 3 truncated (170.0, 85.0 exact).
    s.GradientFill(RECT{1, 11, 4, 12}, 0xFF0000, 0x000000, false);
    EXPECT_EQ(GetPixel(s.hDC(), 1, 11), 0xFF0000u);
    EXPECT_EQ(GetPixel(s.hDC(), 2, 11), 0xAA0000u);
    EXPECT_EQ(GetPixel(s.hDC(), 3, 11), 0x550000u);
    // Height 1: the two rows c1 and c2 shrink into one; the surface's default stretch mode
    // keeps what both rows share (their AND).
    s.GradientFill(RECT{3, 0, 4, 1}, 0x0000F0, 0x00003C, true);
    EXPECT_EQ(GetPixel(s.hDC(), 3, 0), 0x000030u);
    // Height 0 draws nothing.
    s.GradientFill(RECT{2, 0, 4, 0}, 0x000000, 0x000000, true);
    EXPECT_EQ(GetPixel(s.hDC(), 2, 0), 0xFFFFFFu);
}

TEST_F(SurfacesTest, CopyingOutPlainStretchedAndInverted) {
    clsMemoryDraw s;
    ASSERT_TRUE(s.Create(4, 4));
    s.FillRectangle(0, 0, 2, 4, 0x0000FF);  // left half red, right half white
    const HDC target = CreateCompatibleDC(HDC());
    const HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
    const HGDIOBJ old = SelectObject(target, bitmap);
    s.DrawTo(target, 0, 0);  // w and h 0: the whole surface
    EXPECT_EQ(GetPixel(target, 1, 3), 0x0000FFu);
    EXPECT_EQ(GetPixel(target, 3, 3), 0xFFFFFFu);
    s.DrawTo(target, 8, 0, 8, 8, true);  // doubled
    EXPECT_EQ(GetPixel(target, 11, 7), 0x0000FFu);
    EXPECT_EQ(GetPixel(target, 12, 0), 0xFFFFFFu);
    s.DrawTo(target, 0, 0, 0, 0, false, 0, 0, true);  // XOR onto itself: black
    EXPECT_EQ(GetPixel(target, 1, 1), 0u);
    SelectObject(target, old);
    DeleteObject(bitmap);
    DeleteDC(target);
}

TEST_F(SurfacesTest, GrowOnDemandSurfacesTakeExactlyTheRequest) {
    cMemDc m;
    EXPECT_EQ(m.Width(), 100);
    EXPECT_EQ(m.Height(), 100);
    const HDC first = m.EnsureDC(60, 60);
    EXPECT_EQ(first, m.hDC());
    EXPECT_EQ(m.Width(), 100);  // fits: kept
    m.EnsureDC(50, 300);
    EXPECT_EQ(m.Width(), 50);  // the request, not the larger of the two
    EXPECT_EQ(m.Height(), 300);

    // The font follows the surface when it is remade; wrapped measuring uses the width.
    StdFont font;
    font.Size(12);
    m.SetFont(font);
    const int wide = m.TextWidth(u"measure me");
    m.EnsureDC(400, 400);
    EXPECT_EQ(m.TextWidth(u"measure me"), wide);
    const std::u16string words = u"one two three four five six";
    const auto [h1, w1] = m.MeasureRect(words, DT_WORDBREAK, RECT{0, 0, 80, 0});
    const auto [h2, w2] = m.MeasureRect(words, 0, RECT{0, 0, 80, 0});
    EXPECT_GT(h1, h2);  // wrapped over several lines
    EXPECT_LE(w1, 80);
    EXPECT_GT(w2, 80);
    EXPECT_EQ(m.TextHeight(u"x"), h2);

    cPBMemDC p;
    p.SetFont(font);
    EXPECT_EQ(p.TextWidth(u"measure me"), wide);
}

TEST_F(SurfacesTest, TilesRepeatFromTheOriginAndReportFailures) {
    cTile tile;
    tile.Picture(StdPicture::fromBitmap(columnBitmap()));
    EXPECT_EQ(tile.Filename(), u"PICTURE");
    EXPECT_EQ(tile.TileWidth(), 16);
    const HDC target = CreateCompatibleDC(HDC());
    const HBITMAP bitmap = CreateBitmap(64, 16, 1, 32, nullptr);
    const HGDIOBJ old = SelectObject(target, bitmap);
    // Ten pixels at x = 25: source columns 9…15 (7 pixels), then 0…2.
    tile.TileArea(target, 25, 0, 10, 10);
    EXPECT_EQ(GetPixel(target, 25, 0), column(9));
    EXPECT_EQ(GetPixel(target, 31, 9), column(15));
    EXPECT_EQ(GetPixel(target, 32, 0), column(0));
    EXPECT_EQ(GetPixel(target, 34, 0), column(2));
    EXPECT_EQ(GetPixel(target, 35, 0), 0u);  // cut at the area's edge
    EXPECT_EQ(GetPixel(target, 25, 10), 0u);
    tile.OriginX(-3);  // the origin moves the pattern
    tile.TileArea(target, 0, 0, 4, 1);
    EXPECT_EQ(GetPixel(target, 0, 0), column(13));
    EXPECT_EQ(GetPixel(target, 3, 0), column(0));

    // A file that is not there: the message, and no name kept.
    ClearMessageBoxRecords();
    tile.Filename(u"/no/such/picture.bmp");
    ASSERT_EQ(MessageBoxRecords().size(), 1u);
    EXPECT_EQ(MessageBoxRecords()[0].text,
              u"Error: Unable to allocate memory for picture object., 3");
    EXPECT_EQ(MessageBoxRecords()[0].type & 0xF0, MB_ICONEXCLAMATION);
    EXPECT_EQ(tile.Filename(), u"");
    EXPECT_EQ(tile.TileWidth(), 0);

    // A bitmap file: 2 × 1, 24 bits, bottom-up, rows padded to 4 bytes.
    const std::string path = "/tmp/orvane-tile-test.bmp";
    const unsigned char bmp[] = {
        'B', 'M', 62, 0, 0, 0, 0, 0,  0, 0, 54, 0, 0,    0,    40,   0,    0,    0,    2, 0, 0,
        0,   1,   0,  0, 0, 1, 0, 24, 0, 0, 0,  0, 0,    8,    0,    0,    0,    0,    0, 0, 0,
        0,   0,   0,  0, 0, 0, 0, 0,  0, 0, 0,  0, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0};
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
    tile.Filename(FromUtf8(path));
    std::remove(path.c_str());
    EXPECT_EQ(tile.Filename(), FromUtf8(path));
    EXPECT_EQ(tile.TileWidth(), 2);
    tile.OriginX(0);
    tile.TileArea(target, 0, 0, 4, 1);
    EXPECT_EQ(GetPixel(target, 0, 0), 0x0000FFu);  // red, then blue, repeated
    EXPECT_EQ(GetPixel(target, 3, 0), 0xFF0000u);
    SelectObject(target, old);
    DeleteObject(bitmap);
    DeleteDC(target);
}
