// Bit-block transfers: raster operations, format conversions, stretching, transparency,
// alpha blending and gradients.
#include <cstdlib>

#include "GdiTestSupport.h"

namespace orvane::platform::test {
namespace {

using Blit = GdiTest;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

TEST_F(Blit, RasterOperationsCombineBitsAsDefined) {
    constexpr std::uint32_t P = 0x69F00F, S = 0x3C5A96, D = 0xA5C3F0;
    struct Case {
        const char* name;
        DWORD rop;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"SRCCOPY", SRCCOPY, S},
        {"SRCINVERT", SRCINVERT, S ^ D},
        {"SRCAND", SRCAND, S & D},
        {"SRCPAINT", SRCPAINT, S | D},
        {"NOTSRCCOPY", NOTSRCCOPY, ~S},
        {"SRCERASE", SRCERASE, S & ~D},
        {"NOTSRCERASE", NOTSRCERASE, ~(S | D)},
        {"MERGECOPY", MERGECOPY, P & S},
        {"MERGEPAINT", MERGEPAINT, ~S | D},
        {"PATCOPY", PATCOPY, P},
        {"PATPAINT", PATPAINT, P | ~S | D},
        {"PATINVERT", PATINVERT, P ^ D},
        {"DSTINVERT", DSTINVERT, ~D},
        {"BLACKNESS", BLACKNESS, 0},
        {"WHITENESS", WHITENESS, 0xFFFFFF},
        {"0xE20746 (P where S, else D)", 0x00E20746, (S & P) | (~S & D)},
    };
    Owned<HBRUSH> brush(CreateSolidBrush(colorOf(P)));
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Canvas src(4, 4, colorOf(S)), dst(6, 6, colorOf(D));
        SelectObject(dst, brush);
        ASSERT_TRUE(BitBlt(dst, 1, 1, 4, 4, src, 0, 0, k.rop));
        EXPECT_EQ(dst.raw(2, 3) & 0xFFFFFF, k.expected & 0xFFFFFF);
        EXPECT_EQ(dst.raw(0, 0) & 0xFFFFFF, D) << "outside the destination rectangle";
        EXPECT_EQ(dst.raw(5, 5) & 0xFFFFFF, D) << "outside the destination rectangle";
        // Operations without a source give the same result through PatBlt.
        if ((((k.rop >> 18) ^ (k.rop >> 16)) & 0x33) == 0) {
            Canvas pat(6, 6, colorOf(D));
            SelectObject(pat, brush);
            ASSERT_TRUE(PatBlt(pat, 1, 1, 4, 4, k.rop));
            EXPECT_EQ(pat.raw(4, 4) & 0xFFFFFF, k.expected & 0xFFFFFF);
        }
    }
}

TEST_F(Blit, SourceInvertTwiceRestores) {
    Canvas dst(20, 12, RGB(0, 0, 0), true), src(20, 12);
    dst.scramble(1);
    src.scramble(2);
    Canvas original(20, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            original.raw(x, y) = dst.raw(x, y);
    ASSERT_TRUE(BitBlt(dst, 2, 1, 16, 10, src, 3, 2, SRCINVERT));
    EXPECT_EQ(dst.raw(2, 1) & 0xFFFFFF, (original.raw(2, 1) ^ src.raw(3, 2)) & 0xFFFFFF);
    ASSERT_TRUE(BitBlt(dst, 2, 1, 16, 10, src, 3, 2, SRCINVERT));
    EXPECT_TRUE(pixelsMatch(dst, [&](int x, int y) { return original.at(x, y); }));
}

TEST_F(Blit, OverlappingCopyWithinOneBitmapReadsTheSourceFirst) {
    for (const DWORD rop : {SRCCOPY, SRCPAINT}) {
        Canvas c(16, 4, RGB(0, 0, 0));
        for (int x = 0; x < 16; ++x)
            c.raw(x, 1) = static_cast<std::uint32_t>(x + 1);
        ASSERT_TRUE(BitBlt(c, 3, 1, 10, 1, c, 0, 1, rop));
        for (int x = 3; x < 13; ++x) {
            const std::uint32_t source = x - 3 + 1, before = x + 1;
            EXPECT_EQ(c.raw(x, 1) & 0xFFFFFF, rop == SRCCOPY ? source : (source | before)) << x;
        }
    }
}

// An 8 x 1 monochrome bitmap from one byte, first pixel in the top bit.
HBITMAP monoRow(std::uint8_t bits) {
    const std::uint8_t row[2] = {bits, 0};
    return CreateBitmap(8, 1, 1, 1, row);
}

TEST_F(Blit, MonochromeSourceTakesTheDestinationColours) {
    Owned<HBITMAP> mono(monoRow(0xB2));  // 1 0 1 1 0 0 1 0
    HDC monoDc = CreateCompatibleDC(HDC());
    HGDIOBJ old = SelectObject(monoDc, mono);
    Canvas dst(8, 1);
    SetTextColor(dst, kRed);
    SetBkColor(dst, kBlue);
    EXPECT_TRUE(BitBlt(dst, 0, 0, 8, 1, monoDc, 0, 0, SRCCOPY));
    for (int x = 0; x < 8; ++x) {
        const bool one = (0xB2 >> (7 - x)) & 1;
        EXPECT_EQ(dst.at(x, 0), one ? kBlue : kRed) << x;
    }
    SelectObject(monoDc, old);
    DeleteDC(monoDc);
}

TEST_F(Blit, ColourToMonochromeMatchesTheSourceBackground) {
    Canvas src(8, 1, kRed);
    for (int x : {1, 2, 6})
        src.raw(x, 0) = rawOf(kGreen);
    src.raw(4, 0) = rawOf(RGB(255, 255, 255));  // white, but not the background colour
    SetBkColor(src, kGreen);
    Owned<HBITMAP> mono(monoRow(0x00));
    HDC monoDc = CreateCompatibleDC(HDC());
    HGDIOBJ old = SelectObject(monoDc, mono);
    EXPECT_TRUE(BitBlt(monoDc, 0, 0, 8, 1, src, 0, 0, SRCCOPY));
    for (int x = 0; x < 8; ++x) {
        const bool background = x == 1 || x == 2 || x == 6;
        EXPECT_EQ(GetPixel(monoDc, x, 0), background ? RGB(255, 255, 255) : RGB(0, 0, 0)) << x;
    }
    SelectObject(monoDc, old);
    DeleteDC(monoDc);
}

// A 4 x 4 source whose pixels are all different.
void paintTiles(Canvas& src) {
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.raw(x, y) = rawOf(RGB(40 + 50 * x, 30 + 60 * y, 7));
}

TEST_F(Blit, StretchBltDoublesAndMirrors) {
    struct Case {
        const char* name;
        int x, w, sx, sw;
        bool mirrored;
    };
    // A negative width covers [x + w, x); the image is mirrored when the signs differ.
    const Case cases[] = {
        {"double", 0, 8, 0, 4, false},
        {"negative destination width", 8, -8, 0, 4, true},
        {"negative source width", 0, 8, 4, -4, true},
        {"both negative", 8, -8, 4, -4, false},
    };
    Canvas src(4, 4);
    paintTiles(src);
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Canvas dst(10, 10, kBlue);
        ASSERT_TRUE(StretchBlt(dst, k.x, 0, k.w, 8, src, k.sx, 0, k.sw, 4, SRCCOPY));
        EXPECT_TRUE(pixelsMatch(dst, [&](int x, int y) {
            if (x >= 8 || y >= 8) return kBlue;
            const int sx = k.mirrored ? 3 - x / 2 : x / 2;
            return src.at(sx, y / 2);
        }));
    }
}

TEST_F(Blit, TransparentBltSkipsTheKeyColour) {
    Canvas src(4, 4);
    paintTiles(src);
    const COLORREF key = RGB(1, 254, 3);
    for (const POINT p : {POINT{0, 0}, POINT{2, 1}, POINT{3, 3}})
        src.raw(p.x, p.y) = rawOf(key);
    for (const int scale : {1, 2}) {
        Canvas dst(8, 8, kBlue);
        ASSERT_TRUE(TransparentBlt(dst, 0, 0, 4 * scale, 4 * scale, src, 0, 0, 4, 4, key));
        EXPECT_TRUE(pixelsMatch(dst,
                                [&](int x, int y) {
                                    if (x >= 4 * scale || y >= 4 * scale) return kBlue;
                                    const COLORREF s = src.at(x / scale, y / scale);
                                    return s == key ? kBlue : s;
                                }))
            << "scale " << scale;
    }
}

// The expected result of one channel of a premultiplied blend.
int blendChannel(int s, int d, int srcAlpha, int sca, bool perPixel) {
    if (!perPixel) return (s * sca + d * (255 - sca)) / 255;
    return s * sca / 255 + d * (255 - srcAlpha * sca / 255) / 255;
}

TEST_F(Blit, AlphaBlendFollowsPremultipliedMaths) {
    struct Case {
        std::uint32_t src, dst;  // 0xAARRGGBB
        BYTE sca;
        bool perPixel;
    };
    const Case cases[] = {
        {0x80604000, 0x00C864FA, 255, true},  {0x80604000, 0x00C864FA, 128, true},
        {0xFF112233, 0x00FFFFFF, 255, true},  {0x00000000, 0x00123456, 255, true},
        {0x40402010, 0x00808080, 77, true},   {0x00FF8000, 0x000080FF, 128, false},
        {0xFF204080, 0x00F0F0F0, 255, false}, {0x12345678, 0x009ABCDE, 0, false},
    };
    for (const Case& k : cases) {
        Canvas src(2, 2), dst(2, 2);
        src.raw(1, 1) = k.src;
        dst.raw(1, 1) = k.dst;
        BLENDFUNCTION bf;
        bf.SourceConstantAlpha = k.sca;
        bf.AlphaFormat = k.perPixel ? AC_SRC_ALPHA : 0;
        ASSERT_TRUE(GdiAlphaBlend(dst, 1, 1, 1, 1, src, 1, 1, 1, 1, bf));
        const int srcAlpha = static_cast<int>(k.src >> 24);
        for (int shift : {0, 8, 16}) {
            const int s = (k.src >> shift) & 0xFF, d = (k.dst >> shift) & 0xFF;
            const int got = (dst.raw(1, 1) >> shift) & 0xFF;
            EXPECT_NEAR(got, blendChannel(s, d, srcAlpha, k.sca, k.perPixel), 1)
                << std::hex << "src " << k.src << " dst " << k.dst << " sca " << std::dec
                << int(k.sca) << " channel " << shift / 8;
        }
        EXPECT_EQ(dst.raw(0, 0), 0x00FFFFFFu) << "outside the destination rectangle";
    }
}

TEST_F(Blit, AlphaBlendRefusesSourceOutsideTheBitmap) {
    Canvas src(4, 4, kRed), dst(8, 8, kBlue);
    BLENDFUNCTION bf;
    const RECT bad[] = {{2, 2, 4, 4}, {-1, 0, 2, 2}, {0, 3, 4, 2}, {1, 1, 4, 1}};
    for (const RECT& r : bad) {  // x, y, width, height
        EXPECT_FALSE(GdiAlphaBlend(dst, 0, 0, 4, 4, src, r.left, r.top, r.right, r.bottom, bf))
            << r.left << "," << r.top << " " << r.right << "x" << r.bottom;
    }
    EXPECT_TRUE(pixelsMatch(dst, [](int, int) { return kBlue; }));
    EXPECT_TRUE(GdiAlphaBlend(dst, 0, 0, 4, 4, src, 0, 0, 4, 4, bf));
    EXPECT_EQ(dst.at(3, 3), kRed);
}

TEST_F(Blit, GradientFillRunsFromTheFirstVertexColour) {
    for (const ULONG mode : {GRADIENT_FILL_RECT_H, GRADIENT_FILL_RECT_V}) {
        const bool horizontal = mode == GRADIENT_FILL_RECT_H;
        Canvas c(24, 24, RGB(1, 2, 3));
        TRIVERTEX v[2];
        v[0].x = 2, v[0].y = 3, v[0].Red = 0xFF00, v[0].Green = 0x8000, v[0].Blue = 0x0000;
        v[1].x = 20, v[1].y = 21, v[1].Red = 0x0000, v[1].Green = 0x2000, v[1].Blue = 0xFF00;
        GRADIENT_RECT gr{0, 1};
        ASSERT_TRUE(GdiGradientFill(c, v, 2, &gr, 1, mode));
        const RECT area{2, 3, 20, 21};
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                if (!inRect(area, x, y)) {
                    ASSERT_EQ(c.at(x, y), RGB(1, 2, 3)) << x << "," << y;
                    continue;
                }
                const int i = horizontal ? x - area.left : y - area.top;
                const COLORREF here = c.at(x, y);
                if (i == 0) {
                    ASSERT_EQ(here, RGB(0xFF, 0x80, 0x00)) << x << "," << y;
                    continue;
                }
                // Each step moves every channel towards the second colour, never back.
                const COLORREF prev = horizontal ? c.at(x - 1, y) : c.at(x, y - 1);
                ASSERT_LE(GetRValue(here), GetRValue(prev)) << x << "," << y;
                ASSERT_LE(GetGValue(here), GetGValue(prev)) << x << "," << y;
                ASSERT_GE(GetBValue(here), GetBValue(prev)) << x << "," << y;
                // Across the gradient the colour is the same.
                const COLORREF across = horizontal ? c.at(x, area.top) : c.at(area.left, y);
                ASSERT_EQ(here, across) << x << "," << y;
            }
        }
        // The last line is within one step of the second colour.
        const COLORREF last = c.at(area.right - 1, area.bottom - 1);
        EXPECT_LE(GetRValue(last), 0xFF / 18 + 1);
        EXPECT_GE(GetBValue(last), 0xFF - 0xFF / 18 - 1);
    }
}

int mod8(int v) {
    return ((v % 8) + 8) % 8;
}

TEST_F(Blit, HatchBrushesDrawTheirLines) {
    struct Case {
        int hatch;
        // Whether a pixel is on a hatch line, given where the lines sit in the 8 x 8 cell.
        bool (*on)(int x, int y, int px, int py);
    };
    const Case cases[] = {
        {HS_HORIZONTAL, [](int, int y, int, int py) { return mod8(y - py) == 0; }},
        {HS_VERTICAL, [](int x, int, int px, int) { return mod8(x - px) == 0; }},
        {HS_CROSS,
         [](int x, int y, int px, int py) { return mod8(x - px) == 0 || mod8(y - py) == 0; }},
        {HS_FDIAGONAL, [](int x, int y, int px, int) { return mod8(x - y - px) == 0; }},
        {HS_BDIAGONAL, [](int x, int y, int px, int) { return mod8(x + y - px) == 0; }},
        {HS_DIAGCROSS, [](int x, int y, int px,
                          int py) { return mod8(x - y - px) == 0 || mod8(x + y - py) == 0; }},
    };
    const RECT all{0, 0, 16, 16};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.hatch);
        Owned<HBRUSH> brush(CreateHatchBrush(k.hatch, kRed));
        Canvas c(16, 16, kGreen);
        SetBkColor(c, kBlue);
        ASSERT_TRUE(FillRect(c, &all, brush));
        // The lines may sit anywhere in the cell; find where, then check every pixel.
        int phaseX = -1, phaseY = -1;
        for (int p = 0; p < 64 && phaseX < 0; ++p) {
            bool fits = true;
            for (int y = 0; y < 16 && fits; ++y)
                for (int x = 0; x < 16 && fits; ++x)
                    fits = (c.at(x, y) == kRed) == k.on(x, y, p % 8, p / 8);
            if (fits) phaseX = p % 8, phaseY = p / 8;
        }
        ASSERT_GE(phaseX, 0) << "no 8-pixel hatch pattern found";
        EXPECT_TRUE(pixelsMatch(
            c, [&](int x, int y) { return k.on(x, y, phaseX, phaseY) ? kRed : kBlue; }));
        // Moving the brush origin moves the lines; a transparent background leaves the gaps.
        SetBrushOrgEx(c, 3, 5, nullptr);
        SetBkMode(c, TRANSPARENT);
        c.fill(kGreen);
        FillRect(c, &all, brush);
        EXPECT_TRUE(pixelsMatch(
            c, [&](int x, int y) { return k.on(x - 3, y - 5, phaseX, phaseY) ? kRed : kGreen; }));
    }
}

TEST_F(Blit, PatternBrushesTile) {
    // Monochrome: 1 bits take the background colour, 0 bits the text colour.
    const std::uint8_t rows[16] = {0xF0, 0, 0xF0, 0, 0xF0, 0, 0xF0, 0,
                                   0x0F, 0, 0x0F, 0, 0x0F, 0, 0x0F, 0};
    Owned<HBITMAP> mono(CreateBitmap(8, 8, 1, 1, rows));
    Owned<HBRUSH> monoBrush(CreatePatternBrush(mono));
    Canvas c(16, 16);
    SetTextColor(c, kRed);
    SetBkColor(c, kBlue);
    const RECT all{0, 0, 16, 16};
    ASSERT_TRUE(FillRect(c, &all, monoBrush));
    EXPECT_TRUE(pixelsMatch(c, [](int x, int y) {
        const bool one = (y % 8 < 4) == (x % 8 < 4);
        return one ? kBlue : kRed;
    }));

    // Colour: the bitmap's own pixels, repeated.
    Canvas tile(3, 2);
    const COLORREF colours[6] = {kRed, kGreen, kBlue, RGB(9, 9, 9), RGB(90, 0, 90), RGB(0, 90, 90)};
    for (int i = 0; i < 6; ++i)
        tile.raw(i % 3, i / 3) = rawOf(colours[i]);
    Owned<HBRUSH> colourBrush(CreatePatternBrush(tile.bitmap()));
    ASSERT_TRUE(FillRect(c, &all, colourBrush));
    EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) { return colours[(y % 2) * 3 + x % 3]; }));
}

}  // namespace
}  // namespace orvane::platform::test
