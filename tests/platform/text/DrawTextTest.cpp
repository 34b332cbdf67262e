// DrawTextW and DrawTextExW: measuring agrees with drawing, line breaking, alignment,
// ellipses, prefixes, tabs, margins and bad input.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "../gdi/GdiTestSupport.h"
#include "platform/text/DrawText.h"
#include "platform/text/Text.h"

namespace orvane::platform::test {
namespace {

using DrawTextTest = GdiTest;

int extent(HDC dc, std::u16string_view text) {
    SIZE s{};
    EXPECT_TRUE(GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &s));
    return s.cx;
}

bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

int draw(HDC dc, std::u16string_view text, RECT rc, UINT format) {
    return DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rc, format);
}

RECT calc(HDC dc, std::u16string_view text, RECT rc, UINT format, int* height = nullptr) {
    const int h =
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rc, format | DT_CALCRECT);
    if (height) *height = h;
    return rc;
}

// Lines a greedy word-by-word fill of `width` gives, measured word by word.
int greedyLines(HDC dc, const std::vector<std::u16string>& words, int width) {
    int lines = 1;
    std::u16string line;
    for (const std::u16string& w : words) {
        const std::u16string longer = line.empty() ? w : line + u" " + w;
        if (!line.empty() && extent(dc, longer) > width) {
            ++lines;
            line = w;
        } else {
            line = longer;
        }
    }
    return lines;
}

// ---- DT_CALCRECT agrees with drawing

TEST_F(DrawTextTest, CalcRectBoundsASingleLineAndItsInk) {
    Canvas canvas(300, 80);
    FontIn font(canvas, -16);
    int height = 0;
    const RECT r = calc(canvas, u"Hello world", RECT{10, 10, 290, 70}, DT_SINGLELINE, &height);
    EXPECT_EQ(height, font.tm.tmHeight);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 10 + extent(canvas, u"Hello world"));
    EXPECT_EQ(r.bottom, 10 + font.tm.tmHeight);
    EXPECT_EQ(draw(canvas, u"Hello world", r, DT_SINGLELINE), font.tm.tmHeight);
    const RECT ink = inkBox(canvas);
    EXPECT_GT(ink.right - ink.left, 40);
    EXPECT_TRUE(inside(ink, r));
    // DT_EXTERNALLEADING adds the font's external leading to each line.
    calc(canvas, u"a\nb", RECT{0, 0, 100, 100}, DT_EXTERNALLEADING, &height);
    EXPECT_EQ(height, 2 * (font.tm.tmHeight + font.tm.tmExternalLeading));
}

TEST_F(DrawTextTest, CalcRectBoundsWrappedTextAndItsInk) {
    Canvas canvas(300, 200);
    FontIn font(canvas, -16);
    const std::u16string text = u"alpha beta gamma delta epsilon zeta eta theta";
    const int lines = greedyLines(
        canvas, {u"alpha", u"beta", u"gamma", u"delta", u"epsilon", u"zeta", u"eta", u"theta"},
        120);
    ASSERT_GT(lines, 2);
    for (UINT align : {DT_LEFT, DT_CENTER, DT_RIGHT}) {
        canvas.fill(kWhite);
        int height = 0;
        const RECT r = calc(canvas, text, RECT{20, 5, 140, 195}, DT_WORDBREAK | align, &height);
        EXPECT_EQ(height, lines * font.tm.tmHeight) << align;
        EXPECT_EQ(r.bottom, 5 + height);
        EXPECT_LE(r.right, 140);  // the widest line is narrower than the rectangle
        EXPECT_GT(r.right, 80);
        draw(canvas, text, r, DT_WORDBREAK | align);
        const RECT ink = inkBox(canvas);
        EXPECT_TRUE(inside(ink, r)) << align;
        EXPECT_GT(ink.bottom, r.bottom - font.tm.tmHeight);  // the last line is drawn
    }
}

// ---- Vertical alignment

TEST_F(DrawTextTest, SingleLineCentresAndBottomAligns) {
    Canvas canvas(200, 100);
    FontIn font(canvas, -16);
    const int h = font.tm.tmHeight;
    const int top = (100 - h) / 2;
    EXPECT_EQ(draw(canvas, u"Hxy", RECT{0, 0, 200, 100}, DT_SINGLELINE | DT_VCENTER), top + h);
    RECT ink = inkBox(canvas);
    EXPECT_TRUE(inside(ink, RECT{0, top, 200, top + h}));
    canvas.fill(kWhite);
    EXPECT_EQ(draw(canvas, u"Hxy", RECT{0, 0, 200, 100}, DT_SINGLELINE | DT_BOTTOM), 100);
    ink = inkBox(canvas);
    EXPECT_TRUE(inside(ink, RECT{0, 100 - h, 200, 100}));
    // Without DT_SINGLELINE vertical alignment does nothing.
    canvas.fill(kWhite);
    EXPECT_EQ(draw(canvas, u"Hxy", RECT{0, 0, 200, 100}, DT_VCENTER), h);
    EXPECT_TRUE(inside(inkBox(canvas), RECT{0, 0, 200, h}));
}

// ---- Line breaking

TEST_F(DrawTextTest, WrapsAtSpacesAndLineBreaks) {
    Canvas canvas(200, 200);
    FontIn font(canvas, -16);
    const int h = font.tm.tmHeight;
    const int two = extent(canvas, u"aaa bbb");
    int height = 0;
    RECT r = calc(canvas, u"aaa bbb ccc", RECT{0, 0, two + 2, 100}, DT_WORDBREAK, &height);
    EXPECT_EQ(height, 2 * h);
    EXPECT_EQ(r.right, two);  // "aaa bbb" on the first line, its trailing space dropped
    // Without DT_WORDBREAK, one line that runs past the edge.
    r = calc(canvas, u"aaa bbb ccc", RECT{0, 0, two + 2, 100}, 0, &height);
    EXPECT_EQ(height, h);
    EXPECT_EQ(r.right, extent(canvas, u"aaa bbb ccc"));
    // CR, LF and CR LF end lines; DT_SINGLELINE keeps them on one line.
    calc(canvas, u"one\r\ntwo\nthree\rfour", RECT{0, 0, 200, 100}, 0, &height);
    EXPECT_EQ(height, 4 * h);
    calc(canvas, u"one\r\ntwo\nthree\rfour", RECT{0, 0, 200, 100}, DT_SINGLELINE, &height);
    EXPECT_EQ(height, h);
    calc(canvas, u"one\n\ntwo", RECT{0, 0, 200, 100}, DT_WORDBREAK, &height);
    EXPECT_EQ(height, 3 * h);  // an empty line between

    // A long paragraph of words of many lengths breaks where word-by-word fitting says, at
    // every width: lines measured ahead of time agree with lines measured on their own.
    std::vector<std::u16string> words;
    std::u16string paragraph;
    for (int i = 0; i < 150; ++i) {
        std::u16string w(static_cast<std::size_t>(1 + (i * 7) % 11),
                         static_cast<char16_t>(u'a' + i % 26));
        if (i % 5 == 0) w[0] = u'W';
        paragraph += (paragraph.empty() ? u"" : u" ") + w;
        words.push_back(w);
    }
    for (int width : {61, 97, 150, 199}) {
        calc(canvas, paragraph, RECT{0, 0, width, 10000}, DT_WORDBREAK, &height);
        EXPECT_EQ(height, greedyLines(canvas, words, width) * h) << width;
    }
}

TEST_F(DrawTextTest, LongWordsRunPastOrBreakInAnEditControl) {
    Canvas canvas(300, 300);
    FontIn font(canvas, -16);
    const int h = font.tm.tmHeight;
    const std::u16string text = u"x WWWWWWWWWW y";
    const int word = extent(canvas, u"WWWWWWWWWW");
    ASSERT_GT(word, 60);
    int height = 0;
    RECT r = calc(canvas, text, RECT{0, 0, 60, 300}, DT_WORDBREAK, &height);
    EXPECT_EQ(height, 3 * h);  // the word alone on its line
    EXPECT_EQ(r.right, word);  // and the rectangle widened to it
    draw(canvas, text, RECT{0, 0, 60, 300}, DT_WORDBREAK | DT_NOCLIP);
    EXPECT_TRUE(hasInk(canvas, RECT{61, h, 300, 2 * h}));
    // An edit control breaks the word between characters, as many on a line as fit.
    const std::u16string alone = u"x WWWWWWWWWW";
    int perLine = 0;
    GetTextExtentExPointW(canvas, alone.data() + 2, 10, 60, &perLine, nullptr, nullptr);
    ASSERT_GT(perLine, 0);
    r = calc(canvas, alone, RECT{0, 0, 60, 300}, DT_WORDBREAK | DT_EDITCONTROL, &height);
    EXPECT_LE(r.right, 60);
    EXPECT_EQ(height, (1 + (10 + perLine - 1) / perLine) * h);
}

TEST_F(DrawTextTest, FullWidthTextBreaksBetweenCharacters) {
    Canvas canvas(300, 300);
    FontIn font(canvas, -16);
    const std::u16string text = u"中文字中文字中文字";
    const int four = extent(canvas, u"中文字中");
    int height = 0;
    RECT r = calc(canvas, text, RECT{0, 0, four, 300}, DT_WORDBREAK, &height);
    EXPECT_EQ(height, 3 * font.tm.tmHeight);
    EXPECT_EQ(r.right, four);
    r = calc(canvas, text, RECT{0, 0, four, 300}, DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK, &height);
    EXPECT_EQ(height, font.tm.tmHeight);
    EXPECT_EQ(r.right, extent(canvas, text));

    // A long run of ideographs fills each line as character-by-character fitting says,
    // however far ahead the lines were measured.
    std::u16string run;
    for (int i = 0; i < 400; ++i)
        run += static_cast<char16_t>(0x4E00 + (i * 37) % 500);
    for (int width : {70, 133, 250}) {
        int lines = 1;
        std::size_t lineStart = 0;
        for (std::size_t i = 1; i <= run.size(); ++i)
            if (extent(canvas, std::u16string_view(run).substr(lineStart, i - lineStart)) > width) {
                ++lines;
                lineStart = i - 1;
            }
        calc(canvas, run, RECT{0, 0, width, 100000}, DT_WORDBREAK, &height);
        EXPECT_EQ(height, lines * font.tm.tmHeight) << width;
    }
}

TEST_F(DrawTextTest, FullWidthLinesNeitherStartWithClosersNorEndWithOpeners) {
    Canvas canvas(300, 300);
    FontIn font(canvas, -16);
    // Five characters fit; the sixth is a full stop, which may not start a line, so the
    // fifth goes down with it.
    const int five = extent(canvas, u"\u3042\u3044\u3046\u3048\u304A");
    RECT r =
        calc(canvas, u"\u3042\u3044\u3046\u3048\u304A\u3002", RECT{0, 0, five, 300}, DT_WORDBREAK);
    EXPECT_EQ(r.right, extent(canvas, u"\u3042\u3044\u3046\u3048"));
    // An opening bracket at the end of a full line goes down to what it opens.
    const int four = extent(canvas, u"\u3042\u3044\u3046\u300C");
    r = calc(canvas, u"\u3042\u3044\u3046\u300C\u304B\u304D\u300D", RECT{0, 0, four, 300},
             DT_WORDBREAK);
    EXPECT_EQ(r.right, extent(canvas, u"\u300C\u304B\u304D\u300D"));
}

// ---- Ellipses

TEST_F(DrawTextTest, EndEllipsisShortensAndModifiesTheString) {
    Canvas canvas(300, 40);
    FontIn font(canvas, -16);
    const std::u16string text = u"The quick brown fox jumps";
    const RECT box{0, 0, 90, 40};
    const RECT r = calc(canvas, text, box, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(r.right, 90);
    draw(canvas, text, box, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_FALSE(hasInk(canvas, RECT{90, 0, 300, 40}));  // shortened, not cut off
    // The longest beginning that fits with "..." is kept.
    std::size_t keep = 0;
    while (extent(canvas, text.substr(0, keep + 1) + u"...") <= 90)
        ++keep;
    std::u16string buffer = text + u"\0\0\0\0";
    DrawTextW(canvas, buffer.data(), static_cast<int>(text.size()), const_cast<RECT*>(&box),
              DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(std::u16string(buffer.c_str()), text.substr(0, keep) + u"...");
    // Text that fits is left alone.
    std::u16string fits = u"Fox\0\0\0\0";
    RECT wide{0, 0, 300, 40};
    DrawTextW(canvas, fits.data(), 3, &wide, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(std::u16string(fits.c_str()), u"Fox");
}

TEST_F(DrawTextTest, PathEllipsisKeepsTheLastComponent) {
    Canvas canvas(400, 40);
    FontIn font(canvas, -16);
    const std::u16string path = u"C:\\Documents\\Projects\\Reports\\summary.txt";
    const int room = extent(canvas, u"C:\\Docu...\\summary.txt");
    ASSERT_LT(room, extent(canvas, path));
    std::u16string buffer = path + u"\0\0\0\0";
    RECT box{0, 0, room, 40};
    DrawTextW(canvas, buffer.data(), static_cast<int>(path.size()), &box,
              DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
    const std::u16string shown(buffer.c_str());
    EXPECT_EQ(shown.substr(0, 4), u"C:\\D");
    EXPECT_EQ(shown.substr(shown.size() - 15), u"...\\summary.txt");
    EXPECT_LE(extent(canvas, shown), room);
    EXPECT_LE(calc(canvas, path, RECT{0, 0, room, 40}, DT_SINGLELINE | DT_PATH_ELLIPSIS).right,
              room);
}

TEST_F(DrawTextTest, WordEllipsisShortensEveryLongWord) {
    Canvas canvas(400, 200);
    FontIn font(canvas, -16);
    const std::u16string text = u"a WWWWWWWWWWWW b";
    const RECT box{0, 0, 70, 200};
    // The long word is not at the end: DT_END_ELLIPSIS leaves it running past.
    EXPECT_GT(calc(canvas, text, box, DT_WORDBREAK | DT_END_ELLIPSIS).right, 70);
    EXPECT_LE(calc(canvas, text, box, DT_WORDBREAK | DT_WORD_ELLIPSIS).right, 70);
    draw(canvas, text, box, DT_WORDBREAK | DT_WORD_ELLIPSIS | DT_NOCLIP);
    EXPECT_FALSE(hasInk(canvas, RECT{70, 0, 400, 200}));
}

// ---- Prefixes

TEST_F(DrawTextTest, PrefixUnderlinesTheNextCharacter) {
    Canvas canvas(200, 40);
    FontIn font(canvas, -20);
    const int a = font.tm.tmAscent;
    const RECT under{0, a + 1, 200, font.tm.tmHeight};  // below the baseline
    const int f = extent(canvas, u"F"), fi = extent(canvas, u"Fi");
    EXPECT_EQ(calc(canvas, u"F&ile", RECT{0, 0, 200, 40}, DT_SINGLELINE).right,
              extent(canvas, u"File"));
    draw(canvas, u"F&ile", RECT{0, 0, 200, 40}, DT_SINGLELINE);
    const RECT line = inkBox(canvas, under);
    EXPECT_EQ(line.left, f);  // under the 'i' and nothing else
    EXPECT_EQ(line.right, fi);
    EXPECT_LE(line.bottom - line.top, 2);
    EXPECT_EQ(canvas.at((f + fi) / 2, line.top), kBlack);  // in the text colour
    // "&&" shows one '&' and underlines nothing.
    canvas.fill(kWhite);
    EXPECT_EQ(calc(canvas, u"&&x", RECT{0, 0, 200, 40}, DT_SINGLELINE).right,
              extent(canvas, u"&x"));
    draw(canvas, u"&&x", RECT{0, 0, 200, 40}, DT_SINGLELINE);
    EXPECT_FALSE(hasInk(canvas, under));
    // DT_NOPREFIX shows the '&'.
    EXPECT_EQ(calc(canvas, u"F&ile", RECT{0, 0, 200, 40}, DT_SINGLELINE | DT_NOPREFIX).right,
              extent(canvas, u"F&ile"));
}

TEST_F(DrawTextTest, HidePrefixAndPrefixOnly) {
    Canvas canvas(200, 40);
    FontIn font(canvas, -20);
    const RECT under{0, font.tm.tmAscent + 1, 200, font.tm.tmHeight};
    const RECT above{0, 0, 200, font.tm.tmAscent};
    draw(canvas, u"&File", RECT{0, 0, 200, 40}, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_FALSE(hasInk(canvas, under));
    EXPECT_TRUE(hasInk(canvas, above));
    canvas.fill(kWhite);
    draw(canvas, u"&File", RECT{0, 0, 200, 40}, DT_SINGLELINE | DT_PREFIXONLY);
    EXPECT_FALSE(hasInk(canvas, above));
    const RECT line = inkBox(canvas, under);
    EXPECT_EQ(line.left, 0);
    EXPECT_EQ(line.right, extent(canvas, u"F"));

    // In right-to-left text the underline goes where the character shows: the first letter
    // of a Hebrew word is its rightmost, and in a mixed line the Latin word keeps its place.
    canvas.fill(kWhite);
    const int word = extent(canvas, u"אבג");
    draw(canvas, u"&אבג", RECT{0, 0, 200, 40}, DT_SINGLELINE | DT_PREFIXONLY | DT_RTLREADING);
    const RECT rtl = inkBox(canvas, under);
    EXPECT_EQ(rtl.right, word);
    EXPECT_EQ(rtl.left, word - extent(canvas, u"א"));
    canvas.fill(kWhite);
    // Read right to left, "abc אבג" shows the Hebrew word at the left and "abc" at the right.
    const int mixed = extent(canvas, u"abc אבג");
    draw(canvas, u"&abc אבג", RECT{0, 0, 200, 40}, DT_SINGLELINE | DT_PREFIXONLY | DT_RTLREADING);
    const RECT a = inkBox(canvas, under);
    EXPECT_EQ(a.left, mixed - extent(canvas, u"abc"));
    EXPECT_EQ(a.right, a.left + extent(canvas, u"a"));
}

// ---- Tabs

TEST_F(DrawTextTest, TabsExpandToStops) {
    Canvas canvas(400, 40);
    FontIn font(canvas, -16);
    const int ave = font.tm.tmAveCharWidth, b = extent(canvas, u"b");
    EXPECT_EQ(calc(canvas, u"a\tb", RECT{0, 0, 400, 40}, DT_EXPANDTABS).right, 8 * ave + b);
    EXPECT_EQ(calc(canvas, u"a\t\tb", RECT{0, 0, 400, 40}, DT_EXPANDTABS).right, 16 * ave + b);
    EXPECT_EQ(calc(canvas, u"a\tb", RECT{0, 0, 400, 40}, 0).right, extent(canvas, u"a\tb"));
    DRAWTEXTPARAMS params;
    params.iTabLength = 2;
    std::u16string text = u"a\tb";
    RECT r{0, 0, 400, 40};
    DrawTextExW(canvas, text.data(), 3, &r, DT_EXPANDTABS | DT_CALCRECT, &params);
    EXPECT_EQ(r.right, 2 * ave + b);
    // The text after the tab is drawn at the stop; DT_TABSTOP sets the stops from the high
    // byte (which is why it cannot be combined with DT_CALCRECT).
    for (auto [format, stop] : {std::pair{DT_EXPANDTABS, 8 * ave},
                                std::pair{DT_EXPANDTABS | DT_TABSTOP | (3u << 8), 3 * ave}}) {
        canvas.fill(kWhite);
        draw(canvas, u"\tl", RECT{0, 0, 400, 40}, format);
        const RECT ink = inkBox(canvas);
        EXPECT_GE(ink.left, stop) << format;
        EXPECT_LT(ink.left, stop + extent(canvas, u"l")) << format;
    }
}

// ---- DrawTextExW margins

TEST_F(DrawTextTest, MarginsNarrowTheTextAndCountWhatIsDrawn) {
    Canvas canvas(300, 100);
    FontIn font(canvas, -16);
    const int w = extent(canvas, u"Margin");
    DRAWTEXTPARAMS params;
    params.iLeftMargin = 20;
    params.iRightMargin = 30;
    std::u16string text = u"Margin";
    RECT r{10, 0, 290, 100};
    DrawTextExW(canvas, text.data(), -1, &r, DT_SINGLELINE | DT_CALCRECT, &params);
    EXPECT_EQ(r.right, 10 + 20 + w + 30);
    EXPECT_EQ(params.uiLengthDrawn, 6u);
    RECT box{10, 0, 290, 100};
    DrawTextExW(canvas, text.data(), -1, &box, DT_SINGLELINE, &params);
    EXPECT_GE(inkBox(canvas).left, 30);
    EXPECT_LT(inkBox(canvas).left, 34);
    canvas.fill(kWhite);
    DrawTextExW(canvas, text.data(), -1, &box, DT_SINGLELINE | DT_RIGHT, &params);
    EXPECT_LE(inkBox(canvas).right, 260);
    EXPECT_GT(inkBox(canvas).right, 255);
    // Margins narrow the width lines wrap in.
    std::u16string two = u"aaa bbb";
    const int both = extent(canvas, two);
    RECT wrap{0, 0, both + 4, 100};
    EXPECT_EQ(DrawTextExW(canvas, two.data(), -1, &wrap, DT_WORDBREAK | DT_CALCRECT, nullptr),
              font.tm.tmHeight);
    wrap = RECT{0, 0, both + 4, 100};
    EXPECT_EQ(DrawTextExW(canvas, two.data(), -1, &wrap, DT_WORDBREAK | DT_CALCRECT, &params),
              2 * font.tm.tmHeight);
    // Lines below the rectangle are not drawn, and the count stops at the first of them.
    std::u16string lines = u"one\ntwo\nthree";
    DRAWTEXTPARAMS plain;
    RECT small{0, 0, 200, font.tm.tmHeight};
    DrawTextExW(canvas, lines.data(), -1, &small, 0, &plain);
    EXPECT_EQ(plain.uiLengthDrawn, 4u);
}

// ---- Clipping, background and reading order

TEST_F(DrawTextTest, ClipsUnlessToldNotToAndKeepsTheBackgroundMode) {
    Canvas canvas(200, 40);
    FontIn font(canvas, -16);
    const RECT box{0, 0, 30, 40};
    draw(canvas, u"WWWWWW", box, DT_SINGLELINE);
    EXPECT_TRUE(hasInk(canvas, box));
    EXPECT_FALSE(hasInk(canvas, RECT{30, 0, 200, 40}));
    draw(canvas, u"WWWWWW", box, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_TRUE(hasInk(canvas, RECT{30, 0, 200, 40}));
    canvas.fill(kWhite);
    SetBkMode(canvas, OPAQUE);
    SetBkColor(canvas, kBlue);
    draw(canvas, u"x", RECT{5, 5, 100, 40}, DT_SINGLELINE);
    EXPECT_EQ(canvas.at(5, 5), kBlue);
    EXPECT_EQ(canvas.at(4, 5), kWhite);
    // DT_RTLREADING draws as ExtTextOutW does with ETO_RTLREADING.
    canvas.fill(kWhite);
    SetBkMode(canvas, TRANSPARENT);
    const std::u16string mixed = u"abc \u05D0\u05D1\u05D2 12";
    draw(canvas, mixed, RECT{0, 0, 200, 40}, DT_SINGLELINE | DT_RTLREADING);
    const std::vector<std::uint32_t> drawn = canvas.pixels();
    canvas.fill(kWhite);
    const RECT all{0, 0, 200, 40};
    ExtTextOutW(canvas, 0, 0, ETO_CLIPPED | ETO_RTLREADING, &all, mixed.data(),
                static_cast<UINT>(mixed.size()), nullptr);
    EXPECT_EQ(canvas.pixels(), drawn);
}

// ---- Bad input

TEST_F(DrawTextTest, BadInputFailsCleanly) {
    Canvas canvas(100, 40);
    FontIn font(canvas, -16);
    RECT r{0, 0, 100, 40};
    SetLastError(0);
    EXPECT_EQ(DrawTextW(canvas, u"abc", 3, &r, 0x80000000u), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
    EXPECT_EQ(DrawTextW(canvas, u"abc", 3, &r, DT_INTERNAL), 0);
    EXPECT_EQ(DrawTextW(canvas, u"abc", 3, nullptr, 0), 0);
    EXPECT_EQ(DrawTextW(canvas, nullptr, 3, &r, 0), 0);
    EXPECT_EQ(DrawTextW(canvas, nullptr, -1, &r, 0), 0);
    EXPECT_EQ(DrawTextW(canvas, u"abc", -2, &r, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(DrawTextW(HDC(), u"abc", 3, &r, 0), 0);
    // A zero-size rectangle clips everything away but still formats.
    RECT none{10, 10, 10, 10};
    EXPECT_EQ(DrawTextW(canvas, u"a b c", -1, &none, DT_WORDBREAK), 3 * font.tm.tmHeight);
    EXPECT_FALSE(hasInk(canvas, RECT{0, 0, 100, 40}));
    // -1 is the same as the length; the tab-stop count is not read as flags.
    RECT a{0, 0, 100, 40}, b{0, 0, 100, 40};
    DrawTextW(canvas, u"abc", -1, &a, DT_CALCRECT);
    DrawTextW(canvas, u"abc", 3, &b, DT_CALCRECT);
    EXPECT_EQ(a.right, b.right);
    RECT tabs{0, 0, 100, 40};
    EXPECT_EQ(DrawTextW(canvas, u"x", 1, &tabs, DT_TABSTOP | (DT_CALCRECT >> 8 << 8)),
              font.tm.tmHeight);
    EXPECT_EQ(tabs.right, 100);  // not measured: the bits are a count
    EXPECT_TRUE(hasInk(canvas, RECT{0, 0, 100, 40}));
}

TEST_F(DrawTextTest, NoCharactersStillMakeALine) {
    Canvas canvas(100, 40);
    FontIn font(canvas, -16);
    const int h = font.tm.tmHeight;
    struct Case {
        const char16_t* text;
        int count;
        UINT format;
        int result;
        RECT after;  // from {10, 10, 100, 100}
    };
    const std::vector<Case> cases = {
        // A count of zero measures a line but leaves the rectangle alone.
        {u"abc", 0, DT_CALCRECT, h, {10, 10, 100, 100}},
        {u"abc", 0, DT_CALCRECT | DT_SINGLELINE, h, {10, 10, 100, 100}},
        // An empty string collapses the rectangle to its corner, or to an empty single line.
        {u"", -1, DT_CALCRECT, h, {10, 10, 10, 10}},
        {u"", -1, DT_CALCRECT | DT_WORDBREAK, h, {10, 10, 10, 10}},
        {u"", -1, DT_CALCRECT | DT_SINGLELINE, h, {10, 10, 10, 10 + h}},
        // A null text is nothing at all.
        {nullptr, 0, DT_CALCRECT, 0, {10, 10, 100, 100}},
        {nullptr, -1, DT_CALCRECT, 0, {10, 10, 100, 100}},
        {nullptr, 3, DT_CALCRECT | DT_SINGLELINE, 0, {10, 10, 100, 100}},
        // Drawing nothing still reports a line and leaves the rectangle alone.
        {u"abc", 0, 0, h, {10, 10, 100, 100}},
        {u"", -1, 0, h, {10, 10, 100, 100}},
        {u"", -1, DT_SINGLELINE, h, {10, 10, 100, 100}},
        {nullptr, -1, 0, 0, {10, 10, 100, 100}},
    };
    for (const Case& c : cases) {
        RECT rc{10, 10, 100, 100};
        EXPECT_EQ(DrawTextW(canvas, c.text, c.count, &rc, c.format), c.result)
            << c.count << " " << std::hex << c.format;
        EXPECT_EQ(rc, c.after) << c.count << " " << std::hex << c.format;
        std::u16string copy = c.text ? c.text : u"";
        rc = RECT{10, 10, 100, 100};
        DRAWTEXTPARAMS params;
        params.uiLengthDrawn = 77;
        EXPECT_EQ(
            DrawTextExW(canvas, c.text ? copy.data() : nullptr, c.count, &rc, c.format, &params),
            c.result);
        EXPECT_EQ(rc, c.after);
        EXPECT_EQ(params.uiLengthDrawn, c.text ? 0u : 77u);
    }
    EXPECT_FALSE(hasInk(canvas, RECT{0, 0, 100, 40}));
}

TEST_F(DrawTextTest, AlignedSingleLineMeasuresToTheBottomOfTheLine) {
    Canvas canvas(100, 40);
    FontIn font(canvas, -16);
    const int h = font.tm.tmHeight;
    struct Case {
        UINT align;
        int top, bottom;  // the rectangle given
        int result;       // also the height of the rectangle measured
    };
    // The line sits where drawing would put it, so the result is the offset of its bottom from
    // the top; zero, which would read as failure, is returned as 1.
    const std::vector<Case> cases = {
        {DT_VCENTER, 0, 0, h - h / 2},
        {DT_VCENTER, 0, h, h},
        {DT_VCENTER, 0, h + 3, h + 1},
        {DT_VCENTER, 1, 0, h + (-1 - h) / 2},
        {DT_VCENTER, 0, -h, 1},
        {DT_BOTTOM, 0, 50, 50},
        {DT_BOTTOM, 5, 5 + h, h},
        {DT_BOTTOM, 5, 5, 1},
        {DT_TOP, 0, 0, h},
        {DT_TOP, 0, 50, h},
    };
    for (const Case& c : cases) {
        RECT rc{0, c.top, 0, c.bottom};
        const int r = DrawTextW(canvas, u"Hxy", -1, &rc, DT_SINGLELINE | DT_CALCRECT | c.align);
        EXPECT_EQ(r, c.result) << c.align << " " << c.top << "," << c.bottom;
        EXPECT_EQ(rc.top, c.top);
        EXPECT_EQ(rc.bottom, c.top + (c.result == 1 ? 0 : c.result))
            << c.align << " " << c.top << "," << c.bottom;
        EXPECT_EQ(rc.right, extent(canvas, u"Hxy"));
    }
}

TEST_F(DrawTextTest, ParameterRecordsGiveTabsAndAreIgnoredWhenMisSized) {
    Canvas canvas(400, 40);
    FontIn font(canvas, -16);
    const int ave = font.tm.tmAveCharWidth, b = extent(canvas, u"b");
    std::u16string text = u"a\tb";
    struct Case {
        UINT cbSize;
        UINT format;
        LONG right;        // of the rectangle {0, 0, 400, 40} afterwards
        UINT lengthDrawn;  // what the record says afterwards (it starts at 99)
    };
    const std::vector<Case> cases = {
        // With a record, the high byte is flags again: DT_CALCRECT measures with its tabs.
        {sizeof(DRAWTEXTPARAMS), DT_EXPANDTABS | DT_TABSTOP | DT_CALCRECT, 20 + 2 * ave + b + 30,
         3},
        {sizeof(DRAWTEXTPARAMS), DT_EXPANDTABS | DT_CALCRECT, 20 + 2 * ave + b + 30, 3},
        // A record of the wrong size is neither read (no margins, default tabs) nor written.
        {4, DT_EXPANDTABS | DT_CALCRECT, 8 * ave + b, 99},
        {sizeof(DRAWTEXTPARAMS) + 1, DT_EXPANDTABS | DT_CALCRECT, 8 * ave + b, 99},
        {0, DT_EXPANDTABS | DT_TABSTOP | (2u << 8), 400, 99},
    };
    for (const Case& c : cases) {
        DRAWTEXTPARAMS params;
        params.cbSize = c.cbSize;
        params.iTabLength = 2;
        params.iLeftMargin = 20;
        params.iRightMargin = 30;
        params.uiLengthDrawn = 99;
        RECT rc{0, 0, 400, 40};
        EXPECT_EQ(DrawTextExW(canvas, text.data(), 3, &rc, c.format, &params), font.tm.tmHeight)
            << c.cbSize << " " << std::hex << c.format;
        EXPECT_EQ(rc.right, c.right) << c.cbSize << " " << std::hex << c.format;
        EXPECT_EQ(params.uiLengthDrawn, c.lengthDrawn) << c.cbSize;
        EXPECT_EQ(params.iTabLength, 2);
    }
}

TEST_F(DrawTextTest, WrappedTextRunningOutOfHeightEndsWithAnEllipsis) {
    // The caption flags of a word-wrapping button: the last line that fits ends in an ellipsis.
    Canvas canvas(120, 60, kWhite);
    FontIn font(canvas, -12, u"Tahoma");
    std::u16string text =
        u"one two three four five six seven eight nine ten eleven twelve thirteen fourteen";
    const std::size_t original = text.size();
    text.resize(original + 4);
    RECT rc{0, 0, 100, 2 * font.tm.tmHeight + 3};  // room for two lines
    const UINT flags = DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_MODIFYSTRING;
    DrawTextExW(canvas, text.data(), static_cast<int>(original), &rc, flags, nullptr);
    const std::u16string shown(text.c_str());
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown.substr(shown.size() - 3), u"...");  // the text now ends at the ellipsis
    EXPECT_LT(shown.size(), original);
    EXPECT_EQ(shown.substr(0, 8), u"one two ");
    EXPECT_FALSE(hasInk(canvas, RECT{0, 2 * font.tm.tmHeight, 120, 60}));  // nothing below
}

}  // namespace
}  // namespace orvane::platform::test
