// Fonts, metrics, measuring and drawing text, in every script the controls meet.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "../gdi/GdiTestSupport.h"
#include "platform/testing.h"
#include "platform/text/Text.h"
#include "platform/user/SystemMetrics.h"

namespace orvane::platform::test {
namespace {

using TextTest = GdiTest;

SIZE extent(HDC dc, std::u16string_view text) {
    SIZE s{};
    EXPECT_TRUE(GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &s));
    return s;
}

// Pixels of one colour inside a rectangle of the canvas.
int countColour(Canvas& canvas, const RECT& rc, COLORREF c) {
    int n = 0;
    for (int y = std::max<LONG>(0, rc.top); y < std::min<LONG>(canvas.height(), rc.bottom); ++y)
        for (int x = std::max<LONG>(0, rc.left); x < std::min<LONG>(canvas.width(), rc.right); ++x)
            if (canvas.at(x, y) == c) ++n;
    return n;
}

// Pixels touched by drawing: anything but the background.
int countInk(Canvas& canvas, const RECT& rc, COLORREF background = kWhite) {
    int n = 0;
    for (int y = std::max<LONG>(0, rc.top); y < std::min<LONG>(canvas.height(), rc.bottom); ++y)
        for (int x = std::max<LONG>(0, rc.left); x < std::min<LONG>(canvas.width(), rc.right); ++x)
            if (canvas.at(x, y) != background) ++n;
    return n;
}

// Pixels that are neither the background nor pure grey: colour from a colour glyph.
int countColoured(Canvas& canvas) {
    int n = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const COLORREF c = canvas.at(x, y);
            if (!(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c))) ++n;
        }
    return n;
}

TEST_F(TextTest, HeightsMeanCharacterOrCellHeight) {
    Canvas canvas(10, 10);
    for (int h : {-11, -16, -24}) {
        FontIn font(canvas, h, u"Arial");
        TEXTMETRICW tm;
        ASSERT_TRUE(GetTextMetricsW(canvas, &tm));
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -h) << h;  // the em height
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_GT(tm.tmAveCharWidth, 0);
    }
    for (int h : {13, 16, 32}) {
        FontIn font(canvas, h, u"Tahoma");
        TEXTMETRICW tm;
        GetTextMetricsW(canvas, &tm);
        EXPECT_NEAR(tm.tmHeight, h, 1) << h;  // the cell height
    }
    FontIn bold(canvas, -12, u"Segoe UI", FW_BOLD);
    TEXTMETRICW tm;
    GetTextMetricsW(canvas, &tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    char16_t face[LF_FACESIZE];
    EXPECT_EQ(GetTextFaceW(canvas, LF_FACESIZE, face), 8);
    EXPECT_EQ(std::u16string(face), u"Segoe UI");  // the name asked for, as Windows reports it
}

TEST_F(TextTest, MetricCompatibleFacesMeasureAlike) {
    // Arial maps to a face with the same advance widths, so these widths are Arial's design
    // widths at 16 pixels, each rounded to whole pixels as GDI does (M is 1706/2048 em).
    Canvas canvas(10, 10);
    FontIn font(canvas, -16, u"Arial");
    EXPECT_EQ(extent(canvas, u"M").cx, 13);
    EXPECT_EQ(extent(canvas, u"i").cx, 4);
    EXPECT_EQ(extent(canvas, u"Hello, world").cx, 85);
    INT widths[3];
    ASSERT_TRUE(GetCharWidth32W(canvas, 'A', 'C', widths));
    EXPECT_EQ(widths[0], 11);
    EXPECT_EQ(widths[2], 12);
}

TEST_F(TextTest, ExtentsAddUpAndFollowCharacterExtra) {
    Canvas canvas(10, 10);
    FontIn font(canvas, -13, u"Tahoma");
    const SIZE a = extent(canvas, u"abc"), b = extent(canvas, u"def"),
               ab = extent(canvas, u"abcdef");
    EXPECT_EQ(ab.cx, a.cx + b.cx);
    EXPECT_EQ(extent(canvas, u"").cx, 0);
    SetTextCharacterExtra(canvas, 2);
    EXPECT_EQ(extent(canvas, u"abcdef").cx, ab.cx + 12);
    SetTextCharacterExtra(canvas, 0);
    // Extents of each prefix, and how many characters fit.
    int fit = 0;
    int dx[6];
    SIZE size;
    ASSERT_TRUE(GetTextExtentExPointW(canvas, u"abcdef", 6, a.cx, &fit, dx, &size));
    EXPECT_EQ(fit, 3);
    EXPECT_EQ(dx[2], a.cx);
    EXPECT_EQ(dx[5], ab.cx);
    EXPECT_EQ(size.cx, ab.cx);
}

// Texts measured again keep their extents, in each font and spacing, also after thousands of
// other texts have passed through the measuring.
TEST_F(TextTest, ExtentsStayTheSameWhileManyTextsAreMeasured) {
    Canvas canvas(10, 10);
    FontIn font(canvas, -13, u"Tahoma");
    const SIZE first = extent(canvas, u"Wide text");
    SetTextCharacterExtra(canvas, 3);
    EXPECT_EQ(extent(canvas, u"Wide text").cx, first.cx + 27);
    SetTextCharacterExtra(canvas, 0);
    {
        FontIn bigger(canvas, -26, u"Tahoma");
        EXPECT_GT(extent(canvas, u"Wide text").cx, first.cx * 3 / 2);
    }
    for (int i = 0; i < 6000; ++i) {
        const std::u16string text = u"Item " + std::u16string(1, char16_t(u'a' + i % 26)) +
                                    std::u16string(static_cast<std::size_t>(i % 7), u'x') +
                                    char16_t(u'0' + i % 10) + char16_t(u'A' + i / 260);
        extent(canvas, text);
    }
    EXPECT_EQ(extent(canvas, u"Wide text").cx, first.cx);
    // So many sizes that the realized fonts are dropped while the first font stays selected.
    for (int height = 1; height <= 300; ++height) {
        FontIn other(canvas, -height, u"Tahoma");
        extent(canvas, u"W");
    }
    EXPECT_EQ(extent(canvas, u"Wide text").cx, first.cx);
}

TEST_F(TextTest, DrawingPlacesTextByAlignment) {
    Canvas canvas(200, 60, kWhite);
    FontIn font(canvas, -20, u"Arial");
    const TEXTMETRICW& tm = font.tm;
    const SIZE size = extent(canvas, u"HH");
    ASSERT_TRUE(TextOutW(canvas, 10, 5, u"HH", 2));
    // Ink lies inside the cell at (10, 5), and nowhere else.
    const RECT cell{10, 5, 10 + size.cx, 5 + tm.tmHeight};
    EXPECT_GT(countColour(canvas, cell, kBlack), 20);
    EXPECT_EQ(countColour(canvas, RECT{0, 0, 200, 60}, kBlack), countColour(canvas, cell, kBlack));
    // Right and baseline alignment: the same text ends at x and sits on y.
    canvas.fill(kWhite);
    SetTextAlign(canvas, TA_RIGHT | TA_BASELINE);
    TextOutW(canvas, 150, 40, u"HH", 2);
    const RECT moved{150 - size.cx, 40 - tm.tmAscent, 150, 40 - tm.tmAscent + tm.tmHeight};
    EXPECT_EQ(countColour(canvas, RECT{0, 0, 200, 60}, kBlack), countColour(canvas, moved, kBlack));
    // H stands on the baseline: ink on the row above it, none below.
    EXPECT_GT(countColour(canvas, RECT{0, 39, 200, 40}, kBlack), 0);
    EXPECT_EQ(countColour(canvas, RECT{0, 40, 200, 60}, kBlack), 0);
    // With TA_UPDATECP the text starts at the current position and moves it on.
    SetTextAlign(canvas, TA_UPDATECP);
    MoveToEx(canvas, 20, 0, nullptr);
    TextOutW(canvas, 0, 0, u"HH", 2);
    POINT cp;
    GetCurrentPositionEx(canvas, &cp);
    EXPECT_EQ(cp.x, 20 + size.cx);
}

TEST_F(TextTest, BackgroundsOpaqueAndClipping) {
    Canvas canvas(120, 40, kWhite);
    FontIn font(canvas, -16, u"Arial");
    SetBkColor(canvas, kBlue);
    SetBkMode(canvas, OPAQUE);
    TextOutW(canvas, 0, 0, u"x", 1);
    EXPECT_EQ(canvas.at(0, 0), kBlue);  // the character's cell is filled
    canvas.fill(kWhite);
    const RECT box{50, 0, 60, 30};
    SetBkMode(canvas, TRANSPARENT);
    SetTextColor(canvas, kRed);
    ExtTextOutW(canvas, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &box, u"WWWWWWWWWW", 10, nullptr);
    EXPECT_EQ(countInk(canvas, RECT{0, 0, 50, 40}), 0);
    EXPECT_EQ(countInk(canvas, RECT{60, 0, 120, 40}), 0);
    EXPECT_GT(countInk(canvas, box, kBlue), 0);
    EXPECT_EQ(canvas.at(50, 29), kBlue);  // the opaque rectangle, under the text
    // A spacing array puts each character where it says.
    canvas.fill(kWhite);
    const INT dx[2] = {40, 40};
    ExtTextOutW(canvas, 0, 0, 0, nullptr, u"ll", 2, dx);
    EXPECT_GT(countInk(canvas, RECT{38, 0, 50, 40}), 0);
    EXPECT_EQ(countInk(canvas, RECT{10, 0, 38, 40}), 0);
}

// Text cut by a clip rectangle of any width and place draws exactly the pixels of the whole
// text inside it; pixels the glyphs do not cover keep their alpha byte, covered ones lose it.
TEST_F(TextTest, ClippedTextDrawsThePixelsOfTheWholeText) {
    constexpr int kW = 90, kH = 30;
    constexpr std::uint32_t kBackground = 0x80FFFFFF;  // white with an alpha byte
    auto draw = [](Canvas& c, const RECT* clip) {
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                c.raw(x, y) = kBackground;
        SetBkMode(c, TRANSPARENT);
        SetTextColor(c, RGB(0x20, 0x40, 0x80));
        ExtTextOutW(c, 1, 1, clip ? ETO_CLIPPED : 0, clip, u"WMm@w", 5, nullptr);
    };
    Canvas whole(kW, kH);
    FontIn wholeFont(whole, -22, u"Arial");
    draw(whole, nullptr);
    int inked = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const std::uint32_t p = whole.raw(x, y);
            if (p == kBackground) continue;
            ++inked;
            EXPECT_EQ(p >> 24, 0u) << "an inked pixel keeps its alpha at " << x << "," << y;
            if (p >> 24) return;
        }
    ASSERT_GT(inked, 100);
    Canvas part(kW, kH);
    FontIn partFont(part, -22, u"Arial");
    for (int left = 0; left < kW; left += 3)
        for (int width = 1; width <= 6; ++width) {
            const RECT clip{left, 0, left + width, kH};
            draw(part, &clip);
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x) {
                    const bool inside = x >= clip.left && x < clip.right;
                    const std::uint32_t want = inside ? whole.raw(x, y) : kBackground;
                    ASSERT_EQ(part.raw(x, y), want)
                        << "clip from " << left << " wide " << width << " at " << x << "," << y;
                }
        }
}

// A line is drawn from its cached coverage; placed glyph by glyph through a spacing array of
// the same advances it must give the same pixels (overlaps may round one step apart), also
// when drawn again from the cache and when the text mixes faces and marks.
TEST_F(TextTest, ALineDrawsAsItsGlyphsDoOneByOne) {
    constexpr int kW = 260, kH = 40;
    for (std::u16string text :
         {std::u16string(u"AVAWAY To fi Wave"),
          std::u16string(u"e\u0301a\u0308 \u03A9\u0416 \u05E9\u05DC"), std::u16string(u"  x  ")}) {
        Canvas line(kW, kH, kWhite), glyphs(kW, kH, kWhite);
        FontIn a(line, -22, u"Tahoma"), b(glyphs, -22, u"Tahoma");
        const int n = static_cast<int>(text.size());
        std::vector<INT> edges(text.size()), dx(text.size());
        ASSERT_TRUE(
            GetTextExtentExPointW(glyphs, text.data(), n, 0, nullptr, edges.data(), nullptr));
        for (int i = 0; i < n; ++i)
            dx[i] = edges[i] - (i ? edges[i - 1] : 0);
        for (int round = 0; round < 2; ++round) {
            line.fill(kWhite);
            glyphs.fill(kWhite);
            SetTextColor(line, RGB(0x20, 0x40, 0x80));
            SetTextColor(glyphs, RGB(0x20, 0x40, 0x80));
            ExtTextOutW(line, 3, 5, 0, nullptr, text.data(), text.size(), nullptr);
            ExtTextOutW(glyphs, 3, 5, 0, nullptr, text.data(), text.size(), dx.data());
            int inked = 0;
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x) {
                    const COLORREF p = line.at(x, y), q = glyphs.at(x, y);
                    inked += p != kWhite;
                    ASSERT_LE(channelGap(p, q), 1) << "at " << x << "," << y << " round " << round;
                }
            EXPECT_GT(inked, 20);
        }
    }
}

TEST_F(TextTest, UnderlineSitsBelowTheBaseline) {
    Canvas canvas(100, 40, kWhite);
    FontIn font(canvas, -20, u"Arial", FW_NORMAL, true);
    EXPECT_EQ(font.tm.tmUnderlined, 1);
    TextOutW(canvas, 0, 0, u"----", 4);
    bool below = false;
    for (int y = font.tm.tmAscent + 1; y < font.tm.tmHeight; ++y)
        below = below || canvas.at(1, y) == kBlack;
    EXPECT_TRUE(below);
}

TEST_F(TextTest, EveryScriptFindsAFace) {
    Canvas canvas(300, 60, kWhite);
    FontIn font(canvas, -20, u"Tahoma");
    for (std::u16string_view text : {u"中文字", u"日本語", u"한국어", u"עברית 123", u"مرحبا",
                                     u"हिन्दी", u"ภาษาไทย", u"e\u0301\u0323", u"Ǆ ﬁ"}) {
        const SIZE s = extent(canvas, text);
        EXPECT_GT(s.cx, static_cast<LONG>(text.size()) * 3)
            << std::string(text.begin(), text.end());
        canvas.fill(kWhite);
        TextOutW(canvas, 0, 0, text.data(), static_cast<int>(text.size()));
        EXPECT_GT(countColour(canvas, RECT{0, 0, 300, 60}, kBlack), 3);
        // Two different letters draw differently: no missing-glyph boxes.
        canvas.fill(kWhite);
        TextOutW(canvas, 0, 0, text.data(), 1);
        const std::vector<std::uint32_t> first = canvas.pixels();
        canvas.fill(kWhite);
        TextOutW(canvas, 0, 0, text.data() + 1, 1);
        EXPECT_NE(canvas.pixels(), first) << std::string(text.begin(), text.end());
    }
    // Arabic letters join: the joined word is narrower than its letters apart.
    const std::u16string_view word = u"سلام";
    int apart = 0;
    for (char16_t c : word)
        apart += extent(canvas, std::u16string_view(&c, 1)).cx;
    EXPECT_LT(extent(canvas, word).cx, apart);
    // A combining mark adds no width of its own.
    EXPECT_EQ(extent(canvas, u"e\u0301").cx, extent(canvas, u"e").cx);
}

TEST_F(TextTest, ColourEmojiDrawInColour) {
    Canvas canvas(80, 60, kWhite);
    FontIn font(canvas, -32, u"Segoe UI");
    TextOutW(canvas, 5, 5, u"\U0001F600", 2);
    EXPECT_GT(countColoured(canvas), 50);
    EXPECT_GT(extent(canvas, u"\U0001F600").cx, 20);
}

TEST_F(TextTest, BadTextNeverCrashes) {
    Canvas canvas(100, 30, kWhite);
    FontIn font(canvas, -13, u"NoSuchFaceAnywhere");
    TEXTMETRICW tm;
    ASSERT_TRUE(GetTextMetricsW(canvas, &tm));  // an unknown face falls back to a real one
    EXPECT_GT(tm.tmHeight, 10);
    const char16_t broken[] = {u'a', 0xD800, u'b', 0xDC00, 0, u'c'};
    const SIZE s = extent(canvas, std::u16string_view(broken, 6));
    EXPECT_GT(s.cx, 0);
    EXPECT_EQ(extent(canvas, std::u16string_view(broken, 6)).cx, s.cx);  // and consistently
    EXPECT_TRUE(TextOutW(canvas, 0, 0, broken, 6));
    SIZE out;
    EXPECT_FALSE(GetTextExtentPoint32W(canvas, u"abc", -1, &out));
    EXPECT_FALSE(TextOutW(canvas, 0, 0, nullptr, 3));
    EXPECT_TRUE(TextOutW(canvas, 0, 0, nullptr, 0));
    HFONT huge = CreateFontW(-100000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, u"Arial");
    HGDIOBJ old = SelectObject(canvas, huge);
    EXPECT_TRUE(GetTextMetricsW(canvas, &tm));  // clamped, not refused
    EXPECT_TRUE(TextOutW(canvas, 0, 0, u"A", 1));
    SelectObject(canvas, old);
    DeleteObject(huge);
}

TEST_F(TextTest, QuarterTurnsRotateTheUprightPictureExactly) {
    Canvas upright(120, 40, kWhite);
    FontIn font(upright, -20, u"Arial");
    const SIZE size = extent(upright, u"Hello");
    TextOutW(upright, 0, 0, u"Hello", 5);
    for (int escapement : {900, 2700}) {
        Canvas turned(40, 120, kWhite);
        FontIn rotated(turned, -20, u"Arial", FW_NORMAL, false, escapement);
        // Upward text starts at the bottom; downward text hangs to the left of its start.
        if (escapement == 900)
            TextOutW(turned, 0, size.cx, u"Hello", 5);
        else
            TextOutW(turned, 40, 0, u"Hello", 5);
        for (int v = 0; v < 40; ++v)
            for (int u = 0; u < size.cx; ++u) {
                const COLORREF want = upright.at(u, v);
                const COLORREF got =
                    escapement == 900 ? turned.at(v, size.cx - 1 - u) : turned.at(39 - v, u);
                ASSERT_EQ(got, want) << "escapement " << escapement << " at " << u << "," << v;
            }
    }
}

TEST_F(TextTest, AnyAngleDrawsAlongItsDirection) {
    Canvas canvas(200, 200, kWhite);
    FontIn rotated(canvas, -20, u"Arial", FW_NORMAL, false, 450);
    SetTextAlign(canvas, TA_BASELINE);
    TextOutW(canvas, 20, 180, u"WWWWWWWW", 8);
    // At 45 degrees the text climbs to the upper right: ink there, none in the other corners.
    EXPECT_GT(countInk(canvas, RECT{100, 20, 200, 120}), 20);
    EXPECT_EQ(countInk(canvas, RECT{0, 0, 60, 60}), 0);
    EXPECT_EQ(countInk(canvas, RECT{140, 140, 200, 200}), 0);
}

TEST_F(TextTest, OrientationTurnsCharactersOnlyInTheAdvancedMode) {
    // "lll" running upward: in the compatible mode the letters lie along the line (short,
    // wide ink); in the advanced mode with orientation 0 they stand upright in a thin column.
    HFONT font =
        CreateFontW(-20, 0, 900, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Arial");
    RECT boxes[2];
    for (int mode : {GM_COMPATIBLE, GM_ADVANCED}) {
        Canvas canvas(100, 100, kWhite);
        HGDIOBJ old = SelectObject(canvas, font);
        SetBkMode(canvas, TRANSPARENT);
        SetGraphicsMode(canvas, mode);
        SetTextAlign(canvas, TA_BASELINE);
        TextOutW(canvas, 50, 80, u"lll", 3);
        boxes[mode - 1] = inkBox(canvas);
        SelectObject(canvas, old);
    }
    DeleteObject(font);
    EXPECT_GT(boxes[0].right - boxes[0].left, 10);  // lying letters
    EXPECT_LE(boxes[1].right - boxes[1].left, 5);   // a column of upright strokes
    EXPECT_GT(boxes[1].bottom - boxes[1].top, 20);
    EXPECT_LE(boxes[1].bottom, 81);  // rising from the baseline point
}

TEST_F(TextTest, ScreenFontsIncludeTheWindowsNames) {
    Canvas canvas(4, 4);
    std::vector<std::u16string> names;
    LOGFONTW all;
    all.lfCharSet = DEFAULT_CHARSET;
    auto collect = [](const LOGFONTW* lf, const TEXTMETRICW* tm, DWORD type, LPARAM p) -> int {
        EXPECT_EQ(type, TRUETYPE_FONTTYPE);
        EXPECT_GT(tm->tmHeight, 0);
        reinterpret_cast<std::vector<std::u16string>*>(p)->push_back(lf->lfFaceName);
        return 1;
    };
    EXPECT_EQ(EnumFontFamiliesExW(canvas, &all, collect, reinterpret_cast<LPARAM>(&names), 0), 1);
    for (const char16_t* face :
         {u"Arial", u"Tahoma", u"Segoe UI", u"DejaVu Sans", u"Liberation Serif"})
        EXPECT_NE(std::find(names.begin(), names.end(), face), names.end())
            << std::string(face, face + 5);
    // A named family lists just that one; an unknown name lists nothing; the callback can stop.
    names.clear();
    LOGFONTW one;
    const char16_t tahoma[] = u"tahoma";
    std::copy(std::begin(tahoma), std::end(tahoma), one.lfFaceName);
    EnumFontFamiliesExW(canvas, &one, collect, reinterpret_cast<LPARAM>(&names), 0);
    EXPECT_EQ(names, std::vector<std::u16string>{u"Tahoma"});
    int calls = 0;
    EXPECT_EQ(EnumFontFamiliesExW(
                  canvas, &all,
                  [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM p) -> int {
                      ++*reinterpret_cast<int*>(p);
                      return 0;
                  },
                  reinterpret_cast<LPARAM>(&calls), 0),
              0);
    EXPECT_EQ(calls, 1);
}

TEST_F(TextTest, NonClientMetricsGiveTheUiFonts) {
    NONCLIENTMETRICSW ncm;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
    EXPECT_EQ(std::u16string(ncm.lfMessageFont.lfFaceName), u"Segoe UI");
    EXPECT_EQ(ncm.lfMessageFont.lfHeight, -12);
    EXPECT_EQ(ncm.iScrollWidth, GetSystemMetrics(SM_CXVSCROLL));
    ncm.cbSize = 12;
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 12, &ncm, 0));
    // The message font is a real font that measures text.
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    Canvas canvas(4, 4);
    HFONT font = CreateFontIndirectW(&ncm.lfMessageFont);
    HGDIOBJ old = SelectObject(canvas, font);
    EXPECT_GT(extent(canvas, u"OK").cx, 10);
    SelectObject(canvas, old);
    DeleteObject(font);
}

TEST_F(TextTest, WidthStretchesTheFont) {
    Canvas canvas(10, 10);
    FontIn natural(canvas, -16, u"Arial");
    TEXTMETRICW tm;
    GetTextMetricsW(canvas, &tm);
    const LONG normal = extent(canvas, u"Stretch me").cx;
    HFONT wide = CreateFontW(-16, tm.tmAveCharWidth * 2, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                             0, 0, 0, 0, u"Arial");
    HGDIOBJ old = SelectObject(canvas, wide);
    TEXTMETRICW wideTm;
    GetTextMetricsW(canvas, &wideTm);
    EXPECT_NEAR(wideTm.tmAveCharWidth, tm.tmAveCharWidth * 2, 1);
    EXPECT_EQ(wideTm.tmHeight, tm.tmHeight);  // only the width changes
    // Each glyph's advance is rounded to a whole pixel: up to one pixel per character apart.
    EXPECT_NEAR(extent(canvas, u"Stretch me").cx, normal * 2, 10);
    SelectObject(canvas, old);
    DeleteObject(wide);
}

TEST_F(TextTest, NumbersKeepTheirOrderInRightToLeftText) {
    // A line of Tahoma drawn on a canvas of its own, with the given ExtTextOutW options.
    auto drawn = [](std::u16string_view text, UINT options) {
        auto canvas = std::make_unique<Canvas>(200, 30, kWhite);
        FontIn font(*canvas, -16, u"Tahoma");
        ExtTextOutW(*canvas, 0, 0, options, nullptr, text.data(), static_cast<UINT>(text.size()),
                    nullptr);
        return canvas;
    };
    // A right-to-left line "Hebrew 123" shows the number first, on the left, still read left to
    // right: the same picture as the left-to-right line "123 Hebrew".
    EXPECT_EQ(drawn(u"\u05E2\u05D1\u05E8\u05D9\u05EA 123", ETO_RTLREADING)->pixels(),
              drawn(u"123 \u05E2\u05D1\u05E8\u05D9\u05EA", 0)->pixels());
    // Latin before Hebrew: read left to right the Latin comes first, read right to left last.
    const std::u16string mixed = u"abc \u05E2\u05D1\u05E8\u05D9\u05EA";
    const auto left = drawn(mixed, 0), right = drawn(mixed, ETO_RTLREADING),
               latin = drawn(u"abc", 0);
    FontIn tahoma(*latin, -16, u"Tahoma");
    const SIZE abc = extent(*latin, u"abc");
    // The left-to-right line starts with exactly the pixels of "abc"; the other does not.
    EXPECT_TRUE(pixelsMatch(
        *left, [&](int x, int y) { return x < abc.cx ? latin->at(x, y) : left->at(x, y); }));
    EXPECT_FALSE(pixelsMatch(
        *right, [&](int x, int y) { return x < abc.cx ? latin->at(x, y) : right->at(x, y); }));
}

TEST_F(TextTest, ACaptionMixingScriptsMeasuresWhatItDraws) {
    Canvas canvas(600, 40, kWhite);
    FontIn font(canvas, -16, u"Segoe UI");
    const std::u16string caption =
        u"Save \u4fdd\u5b58 \u062d\u0641\u0638 \u0938\u0939\u0947\u091c\u0947\u0902 \U0001F4BE";
    const SIZE size = extent(canvas, caption);
    TextOutW(canvas, 10, 5, caption.data(), static_cast<int>(caption.size()));
    EXPECT_GT(countInk(canvas, RECT{10, 5, 10 + size.cx, 5 + size.cy}), 100);
    EXPECT_EQ(countInk(canvas, RECT{10 + size.cx + 2, 0, 600, 40}), 0);  // nothing past the extent
    EXPECT_EQ(countInk(canvas, RECT{0, 0, 9, 40}), 0);
}

class HighDpiText : public GdiTest {
protected:
    platform::testing::TestPlatform platform{{800, 600, 144, 1000000}};
};

TEST_F(HighDpiText, UiFontsAndPointSizesFollowTheDpi) {
    NONCLIENTMETRICSW ncm;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
    EXPECT_EQ(ncm.lfMessageFont.lfHeight, -18);  // 9 points at 144 DPI
    Canvas canvas(10, 10);
    const int dpi = GetDeviceCaps(canvas, LOGPIXELSY);
    EXPECT_EQ(dpi, 144);
    // A 12-point font as controls make it: the character height is 12 * dpi / 72 pixels.
    FontIn font(canvas, -12 * dpi / 72, u"Arial");
    TEXTMETRICW tm;
    GetTextMetricsW(canvas, &tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 24);
    FontIn cell(canvas, 36, u"Arial");
    GetTextMetricsW(canvas, &tm);
    EXPECT_NEAR(tm.tmHeight, 36, 1);
}

}  // namespace
}  // namespace orvane::platform::test
