// Bit-block transfers: raster operations, format conversions, stretching, transparency,
// alpha blending and gradients.
#include <algorithm>
#include <random>
#include <vector>

#include "GdiTestSupport.h"
#include "platform/gdi/PixelBlend.h"

namespace orvane::platform::test {
namespace {

using Blit = GdiTest;

TEST_F(Blit, RasterOperationsCombineBitsAsDefined) {
    constexpr std::uint32_t P = 0x69F00F, S = 0x3C5A96, D = 0xA5C3F0;
    // The last one gives P where S is set, else D.
    const std::pair<DWORD, std::uint32_t> cases[] = {{SRCCOPY, S},
                                                     {SRCINVERT, S ^ D},
                                                     {SRCAND, S & D},
                                                     {SRCPAINT, S | D},
                                                     {NOTSRCCOPY, ~S},
                                                     {SRCERASE, S & ~D},
                                                     {NOTSRCERASE, ~(S | D)},
                                                     {MERGECOPY, P & S},
                                                     {MERGEPAINT, ~S | D},
                                                     {PATCOPY, P},
                                                     {PATPAINT, P | ~S | D},
                                                     {PATINVERT, P ^ D},
                                                     {DSTINVERT, ~D},
                                                     {BLACKNESS, 0},
                                                     {WHITENESS, 0xFFFFFF},
                                                     {0x00E20746, (S & P) | (~S & D)}};
    Owned<HBRUSH> brush(CreateSolidBrush(rawOf(P)));
    for (const auto& [rop, expected] : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << rop);
        Canvas src(4, 4, rawOf(S)), dst(6, 6, rawOf(D));
        SelectObject(dst, brush);
        ASSERT_TRUE(BitBlt(dst, 1, 1, 4, 4, src, 0, 0, rop));
        EXPECT_EQ(dst.raw(2, 3) & 0xFFFFFF, expected & 0xFFFFFF);
        EXPECT_EQ(dst.raw(0, 0) & 0xFFFFFF, D);
        EXPECT_EQ(dst.raw(5, 5) & 0xFFFFFF, D);
    }
}

TEST_F(Blit, SourceInvertTwiceRestores) {
    Canvas dst(20, 12, kBlack, true), src(20, 12);
    dst.scramble(1);
    src.scramble(2);
    const std::vector<std::uint32_t> original = dst.pixels();
    ASSERT_TRUE(BitBlt(dst, 2, 1, 16, 10, src, 3, 2, SRCINVERT));
    EXPECT_EQ(dst.raw(2, 1), (original[20 + 2] ^ src.raw(3, 2)) & 0xFFFFFF);
    ASSERT_TRUE(BitBlt(dst, 2, 1, 16, 10, src, 3, 2, SRCINVERT));
    EXPECT_EQ(dst.pixels(), original);
    // Within one bitmap, overlapping source pixels are read before they are overwritten.
    for (const DWORD rop : {SRCCOPY, SRCPAINT}) {
        for (int x = 0; x < 16; ++x)
            dst.raw(x, 1) = x + 1;
        ASSERT_TRUE(BitBlt(dst, 3, 1, 10, 1, dst, 0, 1, rop));
        for (int x = 3; x < 13; ++x)
            EXPECT_EQ(dst.raw(x, 1) & 0xFFFFFF, rop == SRCCOPY ? x - 2u : (x - 2u) | (x + 1u)) << x;
    }
}

TEST_F(Blit, MonochromeConversions) {
    // Monochrome to colour: 0 bits take the text colour, 1 bits the background colour.
    const std::uint8_t bits[2] = {0xB2, 0};  // 1 0 1 1 0 0 1 0
    Owned<HBITMAP> mono(CreateBitmap(8, 1, 1, 1, bits));
    HDC monoDc = CreateCompatibleDC(HDC());
    HGDIOBJ old = SelectObject(monoDc, mono);
    Canvas colour(8, 1);
    SetTextColor(colour, kRed);
    SetBkColor(colour, kBlue);
    EXPECT_TRUE(BitBlt(colour, 0, 0, 8, 1, monoDc, 0, 0, SRCCOPY));
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(colour.at(x, 0), (0xB2 >> (7 - x)) & 1 ? kBlue : kRed) << x;
    // Colour to monochrome: the source's background colour becomes white, all else black.
    colour.fill(kRed);
    for (int x : {1, 2, 6})
        colour.raw(x, 0) = rawOf(kGreen);
    colour.raw(4, 0) = rawOf(kWhite);
    SetBkColor(colour, kGreen);
    EXPECT_TRUE(BitBlt(monoDc, 0, 0, 8, 1, colour, 0, 0, SRCCOPY));
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(GetPixel(monoDc, x, 0), x == 1 || x == 2 || x == 6 ? kWhite : kBlack) << x;
    // A colour brush pattern drawn on a monochrome bitmap is black and white.
    Canvas tile(4, 1);
    const COLORREF colours[4] = {kWhite, kBlack, RGB(250, 250, 240), RGB(10, 0, 30)};
    for (int i = 0; i < 4; ++i)
        tile.raw(i, 0) = rawOf(colours[i]);
    Owned<HBRUSH> pattern(CreatePatternBrush(tile.bitmap()));
    const RECT row{0, 0, 8, 1};
    FillRect(monoDc, &row, pattern);
    for (int x = 0; x < 8; ++x) {
        const COLORREF got = GetPixel(monoDc, x, 0);
        EXPECT_TRUE(got == kWhite || got == kBlack) << x << ": " << std::hex << got;
        if (x % 4 < 2) {
            EXPECT_EQ(got, colours[x % 4]) << x;
        }
    }
    SelectObject(monoDc, old);
    DeleteDC(monoDc);
}

TEST_F(Blit, StretchBltDoublesAndMirrors) {
    // A negative width covers [x + width, x); the image is mirrored when the signs differ.
    struct Case {
        int x, w, sx, sw;
        bool mirrored;
    };
    const Case cases[] = {
        {0, 8, 0, 4, false}, {8, -8, 0, 4, true}, {0, 8, 4, -4, true}, {8, -8, 4, -4, false}};
    Canvas src(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.raw(x, y) = rawOf(RGB(40 + 50 * x, 30 + 60 * y, 7));
    for (const Case& k : cases) {
        Canvas dst(10, 10, kBlue);
        ASSERT_TRUE(StretchBlt(dst, k.x, 0, k.w, 8, src, k.sx, 0, k.sw, 4, SRCCOPY));
        EXPECT_TRUE(pixelsMatch(dst,
                                [&](int x, int y) {
                                    return x >= 8 || y >= 8
                                               ? kBlue
                                               : src.at(k.mirrored ? 3 - x / 2 : x / 2, y / 2);
                                }))
            << "x " << k.x << " width " << k.w << " source x " << k.sx << " width " << k.sw;
    }
    // TransparentBlt copies and stretches the same way, leaving out the key colour.
    const COLORREF key = RGB(1, 254, 3);
    for (const POINT p : {POINT{0, 0}, POINT{2, 1}, POINT{3, 3}})
        src.raw(p.x, p.y) = rawOf(key);
    for (const int scale : {1, 2}) {
        Canvas dst(8, 8, kBlue);
        ASSERT_TRUE(TransparentBlt(dst, 0, 0, 4 * scale, 4 * scale, src, 0, 0, 4, 4, key));
        EXPECT_TRUE(pixelsMatch(dst,
                                [&](int x, int y) {
                                    const COLORREF s = x < 4 * scale && y < 4 * scale
                                                           ? src.at(x / scale, y / scale)
                                                           : key;
                                    return s == key ? kBlue : s;
                                }))
            << "scale " << scale;
    }
}

TEST_F(Blit, ShrinkingKeepsWhatTheStretchModeKeeps) {
    // Every source pixel a shrink eliminates is kept by BLACKONWHITE (AND) and WHITEONBLACK
    // (OR): one black pixel on white, or one white pixel on black, survives wherever it is.
    struct Size {
        int sw, sh, dw, dh;
    };
    const Size sizes[] = {{10, 10, 1, 1}, {7, 3, 1, 1}, {10, 4, 3, 4}, {5, 5, 2, 1},
                          {9, 1, 1, 1},   {1, 9, 1, 2}, {16, 16, 5, 3}};
    for (const Size& z : sizes) {
        for (const int mode : {BLACKONWHITE, WHITEONBLACK}) {
            const COLORREF back = mode == BLACKONWHITE ? kWhite : kBlack;
            const COLORREF dot = mode == BLACKONWHITE ? kBlack : kWhite;
            for (int y = 0; y < z.sh; ++y) {
                for (int x = 0; x < z.sw; ++x) {
                    Canvas src(z.sw, z.sh, back);
                    src.raw(x, y) = rawOf(dot);
                    Canvas dst(z.dw, z.dh, kBlue);
                    SetStretchBltMode(dst, mode);
                    ASSERT_TRUE(StretchBlt(dst, 0, 0, z.dw, z.dh, src, 0, 0, z.sw, z.sh, SRCCOPY));
                    int dots = 0;
                    for (int v = 0; v < z.dh; ++v)
                        for (int u = 0; u < z.dw; ++u)
                            dots += dst.at(u, v) == dot;
                    EXPECT_EQ(dots, 1) << z.sw << "x" << z.sh << " to " << z.dw << "x" << z.dh
                                       << " mode " << mode << " dot at " << x << "," << y;
                }
            }
        }
    }
    // Into one pixel: the AND, the OR or the average of all source pixels, or one of them.
    Canvas src(6, 4);
    src.scramble(7);
    std::uint32_t andAll = 0xFFFFFF, orAll = 0;
    unsigned sum[3] = {0, 0, 0};
    for (std::uint32_t p : src.pixels()) {
        andAll &= p & 0xFFFFFF;
        orAll |= p & 0xFFFFFF;
        for (int k = 0; k < 3; ++k)
            sum[k] += (p >> (8 * k)) & 0xFF;
    }
    std::uint32_t mean = 0;
    for (int k = 0; k < 3; ++k)
        mean |= ((sum[k] + 12) / 24) << (8 * k);
    const std::vector<std::uint32_t> all = src.pixels();
    for (const int mode : {BLACKONWHITE, WHITEONBLACK, COLORONCOLOR, HALFTONE}) {
        Canvas dst(1, 1, kBlue);
        SetStretchBltMode(dst, mode);
        ASSERT_TRUE(StretchBlt(dst, 0, 0, 1, 1, src, 0, 0, 6, 4, SRCCOPY));
        const std::uint32_t got = dst.raw(0, 0) & 0xFFFFFF;
        if (mode == BLACKONWHITE) {
            EXPECT_EQ(got, andAll);
        } else if (mode == WHITEONBLACK) {
            EXPECT_EQ(got, orAll);
        } else if (mode == HALFTONE) {
            EXPECT_EQ(got, mean);
        } else {
            EXPECT_NE(std::find_if(all.begin(), all.end(),
                                   [&](std::uint32_t p) { return (p & 0xFFFFFF) == got; }),
                      all.end());
        }
    }
}

TEST_F(Blit, AlphaBlendFollowsPremultipliedMaths) {
    struct Case {
        std::uint32_t src, dst;  // 0xAARRGGBB
        BYTE sca;
        bool perPixel;
    };
    const Case cases[] = {{0x80604000, 0xC864FA, 255, true},  {0x80604000, 0xC864FA, 128, true},
                          {0xFF112233, 0xFFFFFF, 255, true},  {0x00000000, 0x123456, 255, true},
                          {0x40402010, 0x808080, 77, true},   {0x00FF8000, 0x0080FF, 128, false},
                          {0xFF204080, 0xF0F0F0, 255, false}, {0x12345678, 0x9ABCDE, 0, false}};
    for (const Case& k : cases) {
        Canvas src(2, 2), dst(2, 2);
        src.raw(1, 1) = k.src;
        dst.raw(1, 1) = k.dst;
        BLENDFUNCTION bf;
        bf.SourceConstantAlpha = k.sca;
        bf.AlphaFormat = k.perPixel ? AC_SRC_ALPHA : 0;
        ASSERT_TRUE(GdiAlphaBlend(dst, 1, 1, 1, 1, src, 1, 1, 1, 1, bf));
        const int alpha = k.perPixel ? (k.src >> 24) * k.sca / 255 : k.sca;
        for (int shift : {0, 8, 16}) {
            const int s = (k.src >> shift) & 0xFF, d = (k.dst >> shift) & 0xFF;
            // Per-pixel alpha: src * SCA / 255 + dst * (255 - srcAlpha * SCA / 255) / 255.
            const int want =
                (k.perPixel ? s * k.sca / 255 : s * k.sca / 255.0) + d * (255 - alpha) / 255.0;
            EXPECT_NEAR((dst.raw(1, 1) >> shift) & 0xFF, want, 1)
                << std::hex << k.src << " over " << k.dst << std::dec << " sca " << int(k.sca);
        }
        EXPECT_EQ(dst.raw(0, 0), 0xFFFFFFu) << "outside the destination rectangle";
    }
}

// The row blend (four pixels at a time) matches the single-pixel blend exactly, for every
// length, transparent and opaque runs, and unpremultiplied sources that saturate.
TEST(PixelBlendRow, MatchesThePixelBlendExactly) {
    std::mt19937 rng(5);
    const std::uint32_t special[] = {0x00000000, 0xFF000000, 0xFFFFFFFF, 0x80FFFFFF,
                                     0x01000000, 0x7F7F7F7F, 0x00FF00FF};
    for (int n = 0; n <= 19; ++n) {
        for (int round = 0; round < 50; ++round) {
            std::vector<std::uint32_t> src(n), dst(n);
            for (int i = 0; i < n; ++i) {
                src[i] = rng() % 3 == 0 ? special[rng() % std::size(special)] : rng();
                dst[i] = rng() % 4 == 0 ? special[rng() % std::size(special)] : rng();
                if (round % 4 == 0 && i % 7 != 3) src[i] |= 0xFF000000u;  // opaque runs
            }
            std::vector<std::uint32_t> want = dst;
            for (int i = 0; i < n; ++i)
                want[i] = PixelBlend::over(src[i], want[i]);
            PixelBlend::overRow(src.data(), dst.data(), n);
            ASSERT_EQ(dst, want) << "length " << n << ", round " << round;
        }
    }
}

TEST_F(Blit, AlphaBlendRefusesSourcesOutsideTheBitmapOrOverlapping) {
    Canvas src(4, 4, kRed), dst(8, 8, kBlue);
    BLENDFUNCTION bf;
    const int bad[][4] = {{2, 2, 4, 4}, {-1, 0, 2, 2}, {0, 3, 4, 2}, {1, 1, 4, 1}};  // x, y, w, h
    for (const auto& r : bad)
        EXPECT_FALSE(GdiAlphaBlend(dst, 0, 0, 4, 4, src, r[0], r[1], r[2], r[3], bf))
            << r[0] << "," << r[1];
    EXPECT_TRUE(pixelsMatch(dst, [](int, int) { return kBlue; }));
    EXPECT_FALSE(GdiAlphaBlend(dst, 0, 0, 4, 4, dst, 2, 2, 4, 4, bf)) << "overlapping itself";
    EXPECT_TRUE(GdiAlphaBlend(dst, 0, 0, 4, 4, src, 0, 0, 4, 4, bf));
    EXPECT_TRUE(GdiAlphaBlend(dst, 4, 4, 4, 4, dst, 0, 0, 4, 4, bf));
    EXPECT_EQ(dst.at(7, 7), kRed);
}

TEST_F(Blit, GradientFillRunsFromTheFirstVertexColour) {
    for (const ULONG mode : {GRADIENT_FILL_RECT_H, GRADIENT_FILL_RECT_V}) {
        SCOPED_TRACE(mode == GRADIENT_FILL_RECT_H ? "horizontal" : "vertical");
        Canvas c(24, 24, RGB(1, 2, 3));
        TRIVERTEX v[2];
        v[0].x = 2, v[0].y = 3, v[0].Red = 0xFF00, v[0].Green = 0x8000, v[0].Blue = 0x0000;
        v[1].x = 20, v[1].y = 21, v[1].Red = 0x0000, v[1].Green = 0x2000, v[1].Blue = 0xFF00;
        GRADIENT_RECT gr{0, 1};
        ASSERT_TRUE(GdiGradientFill(c, v, 2, &gr, 1, mode));
        const RECT area{2, 3, 20, 21};
        const bool h = mode == GRADIENT_FILL_RECT_H;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                const COLORREF here = c.at(x, y);
                if (!inRect(area, x, y)) {
                    ASSERT_EQ(here, RGB(1, 2, 3)) << x << "," << y;
                } else if ((h ? x - area.left : y - area.top) == 0) {
                    ASSERT_EQ(here, RGB(0xFF, 0x80, 0x00)) << x << "," << y;
                } else {
                    // Each step moves every channel towards the second colour, never back,
                    // and the colour is the same across the gradient.
                    const COLORREF prev = h ? c.at(x - 1, y) : c.at(x, y - 1);
                    ASSERT_LE(GetRValue(here), GetRValue(prev)) << x << "," << y;
                    ASSERT_LE(GetGValue(here), GetGValue(prev)) << x << "," << y;
                    ASSERT_GE(GetBValue(here), GetBValue(prev)) << x << "," << y;
                    ASSERT_EQ(here, h ? c.at(x, area.top) : c.at(area.left, y)) << x << "," << y;
                }
            }
        }
        // The last line is within a step (255 / 18) of the second colour.
        EXPECT_LE(GetRValue(c.at(19, 20)), 15);
        EXPECT_GE(GetBValue(c.at(19, 20)), 240);
    }
}

int mod8(int v) {
    return ((v % 8) + 8) % 8;
}

TEST_F(Blit, HatchBrushesDrawTheirLines) {
    // Whether a pixel is on a hatch line, given where the lines sit in the 8 x 8 cell.
    using On = bool (*)(int x, int y, int px, int py);
    const std::pair<int, On> cases[] = {
        {HS_HORIZONTAL, [](int, int y, int, int py) { return mod8(y - py) == 0; }},
        {HS_VERTICAL, [](int x, int, int px, int) { return mod8(x - px) == 0; }},
        {HS_CROSS, [](int x, int y, int px, int py) { return !mod8(x - px) || !mod8(y - py); }},
        {HS_FDIAGONAL, [](int x, int y, int px, int) { return mod8(x - y - px) == 0; }},
        {HS_BDIAGONAL, [](int x, int y, int px, int) { return mod8(x + y - px) == 0; }},
        {HS_DIAGCROSS,
         [](int x, int y, int px, int py) { return !mod8(x - y - px) || !mod8(x + y - py); }}};
    const RECT all{0, 0, 16, 16};
    for (const auto& [hatch, on] : cases) {
        SCOPED_TRACE(hatch);
        Owned<HBRUSH> brush(CreateHatchBrush(hatch, kRed));
        Canvas c(16, 16, kGreen);
        SetBkColor(c, kBlue);
        ASSERT_TRUE(FillRect(c, &all, brush));
        // The lines may sit anywhere in the cell: find where, then check every pixel.
        int px = -1, py = -1;
        for (int p = 0; p < 64 && px < 0; ++p) {
            bool fits = true;
            for (int y = 0; y < 16 && fits; ++y)
                for (int x = 0; x < 16 && fits; ++x)
                    fits = (c.at(x, y) == kRed) == on(x, y, p % 8, p / 8);
            if (fits) px = p % 8, py = p / 8;
        }
        ASSERT_GE(px, 0) << "no 8-pixel hatch pattern found";
        EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) { return on(x, y, px, py) ? kRed : kBlue; }));
        // The brush origin moves the lines; a transparent background leaves the gaps alone.
        SetBrushOrgEx(c, 3, 5, nullptr);
        SetBkMode(c, TRANSPARENT);
        c.fill(kGreen);
        FillRect(c, &all, brush);
        EXPECT_TRUE(
            pixelsMatch(c, [&](int x, int y) { return on(x - 3, y - 5, px, py) ? kRed : kGreen; }));
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
    EXPECT_TRUE(
        pixelsMatch(c, [](int x, int y) { return (y % 8 < 4) == (x % 8 < 4) ? kBlue : kRed; }));
    // Colour: the bitmap's own pixels, repeated; the brush keeps them after the bitmap goes.
    const COLORREF colours[6] = {kRed, kGreen, kBlue, RGB(9, 9, 9), RGB(90, 0, 90), RGB(0, 90, 90)};
    HBRUSH colourBrush;
    {
        Canvas tile(3, 2);
        for (int i = 0; i < 6; ++i)
            tile.raw(i % 3, i / 3) = rawOf(colours[i]);
        colourBrush = CreatePatternBrush(tile.bitmap());
    }
    ASSERT_TRUE(FillRect(c, &all, colourBrush));
    EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) { return colours[(y % 2) * 3 + x % 3]; }));
    DeleteObject(colourBrush);
}

}  // namespace
}  // namespace orvane::platform::test
