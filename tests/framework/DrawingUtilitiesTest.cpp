// The shared routines that need the platform: the error log, simple drawing, captions plain and
// themed, gradients and painting a parent's background into a control.
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/ColorsAndFonts.h"
#include "framework/ErrorLog.h"
#include "framework/GdiDrawing.h"
#include "framework/PaintBands.h"
#include "framework/PaintParentBackground.h"
#include "framework/TextDrawing.h"
#include "host/App.h"
#include "platform/base/CodePages.h"
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

void fill(HDC dc, const RECT& rc, COLORREF color) {
    const HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

// A 32-bit memory surface filled with one colour.
struct Surface {
    int w, h;
    HDC dc = CreateCompatibleDC(HDC());
    HBITMAP bitmap = CreateBitmap(w, h, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    Surface(int width, int height, COLORREF background) : w(width), h(height) {
        fill(dc, RECT{0, 0, w, h}, background);
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    // The pixels that are not `background`, row by row.
    std::vector<POINT> ink(COLORREF background) const {
        std::vector<POINT> found;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (at(x, y) != background) found.push_back(POINT{x, y});
        return found;
    }
};

class DrawingUtilitiesTest : public PlatformTest {};

// Points the application's folder at an empty temporary one for the log.
class ErrorLogTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        saved = App::current().Path();
        dir = std::filesystem::temp_directory_path() / ("orvane-log-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        App::current().Path(dir.u16string());
    }
    void TearDown() override {
        App::current().Path(saved);
        App::current().InDevelopmentEnvironment(false);
        std::filesystem::remove_all(dir);
        PlatformTest::TearDown();
    }
    std::string bytes() const {
        std::ifstream in(dir / "Orvane.log", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The file after its first two bytes, as UTF-16LE narrowed to ASCII ('?' for anything else).
    std::string text() const {
        const std::string b = bytes();
        std::string t;
        for (std::size_t i = 2; i + 1 < b.size(); i += 2)
            t += b[i + 1] == 0 && b[i] > 0 ? b[i] : '?';
        return t;
    }
    std::u16string saved;
    std::filesystem::path dir;
};

// Whether the log holds exactly these entries: each a "yyyy-mm-dd hh:mm:ss.mmm" line, then
// the message's line.
bool stampedEntries(const std::string& log, const std::vector<std::string>& messages) {
    static const std::string kStampShape = "####-##-## ##:##:##.###\r\n";
    std::size_t at = 0;
    for (const std::string& message : messages) {
        if (log.size() < at + kStampShape.size()) return false;
        for (std::size_t i = 0; i < kStampShape.size(); ++i) {
            const char c = log[at + i];
            if (kStampShape[i] == '#' ? !std::isdigit(static_cast<unsigned char>(c))
                                      : c != kStampShape[i])
                return false;
        }
        at += kStampShape.size();
        if (log.compare(at, message.size() + 2, message + "\r\n") != 0) return false;
        at += message.size() + 2;
    }
    return at == log.size();
}

TEST_F(ErrorLogTest, EntriesAreStampedLinesAfterAByteOrderMark) {
    WriteLog(u"First entry");
    EXPECT_EQ(bytes().substr(0, 2), "\xFF\xFE");
    EXPECT_TRUE(stampedEntries(text(), {"First entry"})) << text();

    WriteLog(u"Second");  // appended after the first, with no second mark
    EXPECT_TRUE(stampedEntries(text(), {"First entry", "Second"})) << text();

    // A file some other program wrote, without the mark, is replaced.
    std::ofstream(dir / "Orvane.log", std::ios::binary | std::ios::trunc) << "foreign text\r\n";
    WriteLog(u"Fresh");
    EXPECT_EQ(bytes().substr(0, 2), "\xFF\xFE");
    EXPECT_TRUE(stampedEntries(text(), {"Fresh"})) << text();
}

TEST_F(ErrorLogTest, LogErrorWritesTheEntryAndRaisesOutsideDevelopment) {
    App::current().InDevelopmentEnvironment(true);
    EXPECT_NO_THROW(LogError(Error(404, u"Downloader", u"Not Found"), 0, u"AsyncReadComplete"));
    EXPECT_NO_THROW(LogError(Error(5, u"Inner", u"Invalid procedure call"), 12, u"DoWork"));
    EXPECT_TRUE(
        stampedEntries(text(), {"Error 404, Not Found Proc = AsyncReadComplete (No Line Numbers)",
                                "Error 5, Invalid procedure call Proc = DoWork on Line 12"}))
        << text();

    App::current().InDevelopmentEnvironment(false);
    try {
        LogError(Error(5, u"Inner", u"Invalid procedure call"), 3, u"DoWork");
        ADD_FAILURE() << "the error must be raised again";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 5);
        EXPECT_EQ(e.source(), u"DoWork");
        EXPECT_EQ(e.description(), u"Invalid procedure call");
    }
}

TEST_F(DrawingUtilitiesTest, FramesAndFills) {
    Surface s(20, 20, kWhite);
    DrawFrame(s.dc, 2, 2, 18, 18, kRed, 0);  // width 0 still draws one rectangle
    for (const POINT p : {POINT{2, 2}, POINT{17, 17}, POINT{10, 2}, POINT{2, 10}, POINT{17, 10}})
        EXPECT_EQ(s.at(p.x, p.y), kRed) << p.x << "," << p.y;
    EXPECT_EQ(s.at(3, 10), kWhite);
    EXPECT_EQ(s.at(10, 18), kWhite);

    Surface t(20, 20, kWhite);
    DrawFrame(t.dc, 2, 2, 18, 18, 0x8000000D, 3);  // three rings in a system colour
    const COLORREF highlight = GetSysColor(13);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(t.at(2 + i, 10), highlight) << i;
        EXPECT_EQ(t.at(10, 17 - i), highlight) << i;
    }
    EXPECT_NE(t.at(5, 10), highlight);
    EXPECT_NE(t.at(10, 14), highlight);

    Surface f(20, 20, kWhite);
    FillSolid(f.dc, 0x80000040, RECT{0, 0, 20, 20});  // no such colour: nothing changes
    EXPECT_TRUE(f.ink(kWhite).empty());
    FillSolid(f.dc, 0x0000FF00, RECT{5, 5, 10, 10});
    EXPECT_EQ(f.ink(kWhite).size(), 25u);
    EXPECT_EQ(f.at(9, 9), RGB(0, 255, 0));
}

TEST_F(DrawingUtilitiesTest, WrappedCaptionsAreCentredVertically) {
    const std::u16string text = u"one two three four five";
    const UINT wrap = DT_WORDBREAK | DT_CENTER;
    Surface plain(60, 200, kWhite);
    RECT block{0, 0, 60, 200}, line{0, 0, 60, 200};
    const int height = DrawTextW(plain.dc, text.c_str(), -1, &block, wrap | DT_CALCRECT);
    ASSERT_GT(height, DrawTextW(plain.dc, u"one", -1, &line, DT_CALCRECT));  // several lines
    DrawTextW(plain.dc, text.c_str(), -1, &block, wrap);
    const auto reference = plain.ink(kWhite);
    ASSERT_FALSE(reference.empty());

    // 21 spare rows: the block moves down by 21 / 2 = 10 (truncated) from the top at 5.
    Surface centred(60, 200, kWhite);
    DrawCaptionText(centred.dc, text, kRed, wrap, RECT{0, 5, 60, 5 + height + 21});
    const auto ink = centred.ink(kWhite);
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(ink.front().y, reference.front().y + 15);
    EXPECT_EQ(ink.back().y, reference.back().y + 15);
    for (const POINT p : ink)
        ASSERT_EQ(GetRValue(centred.at(p.x, p.y)), 255) << "not the caption colour at " << p.x;
}

// A line whose width is known lands where DrawTextW puts it, pixel for pixel; text DrawTextW
// changes, or too wide, goes through it.
TEST_F(DrawingUtilitiesTest, MeasuredLinesDrawAsDrawTextDoes) {
    const RECT rc{4, 3, 150, 30};
    for (const std::u16string text :
         {u"Medium", u"Save && &Exit", u"far too wide for it all, this"})
        for (const UINT align : {UINT(DT_LEFT), UINT(DT_CENTER), UINT(DT_RIGHT)}) {
            const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS | align;
            Surface reference(160, 40, kWhite), measured(160, 40, kWhite);
            SetBkMode(reference.dc, TRANSPARENT);
            SetBkMode(measured.dc, TRANSPARENT);
            RECT size{0, 0, 1000, 100};
            DrawTextW(measured.dc, text.c_str(), -1, &size, DT_SINGLELINE | DT_CALCRECT);
            DrawCaptionText(reference.dc, text, kBlue, flags, rc);
            DrawMeasuredLine(measured.dc, text, kBlue, flags, rc, size.right, size.bottom);
            const auto ink = reference.ink(kWhite);
            ASSERT_FALSE(ink.empty());
            ASSERT_EQ(measured.ink(kWhite).size(), ink.size()) << ToUtf8(text) << " " << align;
            for (const POINT p : ink)
                ASSERT_EQ(measured.at(p.x, p.y), reference.at(p.x, p.y)) << ToUtf8(text);
        }
}

// Whether the ink on white is `color` blended with white: red keeps its red channel full and
// green equal to blue; black stays grey. Some pixel must be mostly ink.
bool inkIsBlendOf(const Surface& s, COLORREF color) {
    bool strong = false;
    for (const POINT p : s.ink(kWhite)) {
        const COLORREF c = s.at(p.x, p.y);
        const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
        if (g != b || (color == kRed ? r != 255 : r != g)) return false;
        strong = strong || g < 128;
    }
    return strong;
}

TEST_F(DrawingUtilitiesTest, ThemedTextKeepsTheThemesColours) {
    const INT index = COLOR_BTNTEXT;
    SetSysColors(1, &index, &kRed);
    const OLE_COLOR buttonText = 0x80000000u | COLOR_BTNTEXT;
    const HTHEME theme = OpenThemeData(HWND(), u"BUTTON");
    ASSERT_TRUE(theme);
    // The theme's button text stays the scheme's black; the translated colour follows the change.
    EXPECT_EQ(ThemeColor(theme, buttonText), 0);
    EXPECT_EQ(TranslateColor(buttonText, 0), static_cast<std::int32_t>(kRed));
    Surface themed(80, 30, kWhite);
    DrawThemedText(theme, themed.dc, u"Hello", buttonText, DT_SINGLELINE, RECT{0, 0, 80, 30});
    EXPECT_TRUE(inkIsBlendOf(themed, RGB(0, 0, 0)));
    CloseThemeData(theme);

    // With the styles off there is no theme, and the text takes the system colour.
    EnableTheming(FALSE);
    const HTHEME none = OpenThemeData(HWND(), u"BUTTON");
    EXPECT_FALSE(none);
    if (none) CloseThemeData(none);
    Surface plain(80, 30, kWhite);
    DrawThemedText(HTHEME(), plain.dc, u"Hello", buttonText, DT_SINGLELINE, RECT{0, 0, 80, 30});
    EXPECT_TRUE(inkIsBlendOf(plain, kRed));
}

TEST_F(DrawingUtilitiesTest, GradientsStepEachChannelByWholeValues) {
    const COLORREF c1 = RGB(200, 10, 0), c2 = RGB(0, 255, 100);
    // Per channel c1 + i × (c2 − c1) ÷ 7, truncated toward zero.
    auto expected = [&](int i) {
        auto channel = [&](int a, int b) { return a + i * (b - a) / 7; };
        return RGB(channel(GetRValue(c1), GetRValue(c2)), channel(GetGValue(c1), GetGValue(c2)),
                   channel(GetBValue(c1), GetBValue(c2)));
    };
    ASSERT_EQ(expected(1), RGB(172, 45, 14));  // 200 − 28.57 is cut to 172, not floored to 171
    const COLORREF background = RGB(1, 2, 3);
    Surface v(3, 9, background), h(9, 3, background);
    DrawGradient(v.dc, RECT{1, 1, 2, 8}, c1, c2, true);
    DrawGradient(h.dc, RECT{1, 1, 8, 2}, c1, c2, false);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(v.at(1, 1 + i), expected(i)) << "row " << i;
        EXPECT_EQ(h.at(1 + i, 1), expected(i)) << "column " << i;
    }
    EXPECT_EQ(v.ink(background).size(), 7u);  // nothing outside the rectangles
    EXPECT_EQ(h.ink(background).size(), 7u);

    // Less than one pixel high draws nothing, either way round.
    Surface none(12, 12, background);
    DrawGradient(none.dc, RECT{1, 5, 2, 5}, c1, c2, true);
    DrawGradient(none.dc, RECT{1, 9, 2, 3}, c1, c2, true);
    DrawGradient(none.dc, RECT{1, 9, 9, 3}, c1, c2, false);
    EXPECT_TRUE(none.ink(background).empty());
}

// The container: asked to paint into a given DC it fills itself blue with a red 5 × 5 square
// at (30, 40).
LRESULT containerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PAINT && w != 0) {
        const HDC dc(static_cast<std::uint32_t>(w));
        fill(dc, RECT{0, 0, 200, 200}, kBlue);
        fill(dc, RECT{30, 40, 35, 45}, kRed);
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

TEST_F(DrawingUtilitiesTest, ParentBackgroundLandsWhereTheParentLiesBehindTheControl) {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = containerProc;
    wc.lpszClassName = u"UtilContainer";
    ASSERT_TRUE(RegisterClassExW(&wc));
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"UtilControl";
    ASSERT_TRUE(RegisterClassExW(&wc));
    const HWND parent = CreateWindowExW(0, u"UtilContainer", u"", WS_POPUP | WS_VISIBLE, 100, 100,
                                        200, 200, HWND(), HMENU(), HINSTANCE(), nullptr);
    // The control's client area starts inside its one-pixel border, at (26, 36) in the parent.
    const HWND control = CreateWindowExW(0, u"UtilControl", u"", WS_CHILD | WS_VISIBLE | WS_BORDER,
                                         25, 35, 50, 50, parent, HMENU(), HINSTANCE(), nullptr);
    platform->PumpMessages();

    const HDC dc = GetDC(control);
    PaintParentBackground(parent, control, dc);
    EXPECT_EQ(GetPixel(dc, 4, 4), kRed);
    EXPECT_EQ(GetPixel(dc, 8, 8), kRed);
    EXPECT_EQ(GetPixel(dc, 3, 4), kBlue);
    EXPECT_EQ(GetPixel(dc, 8, 9), kBlue);
    POINT origin{-1, -1};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin, (POINT{0, 0}));  // reset afterwards
    ReleaseDC(control, dc);

    DestroyWindow(parent);
}

// Bands cut only where no item crosses, hold at least the rows asked for, and cover the clip.
TEST(PaintBands, CutBetweenItemRowsOnly) {
    std::vector<std::pair<int, int>> grid;  // 4 columns of 40 rows of 25 pixels
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 40; ++row)
            grid.emplace_back(row * 25, row * 25 + 25);
    const RECT wide{0, 0, 2000, 1000};
    // 128 KiB at 2,000 pixels a row is 16 rows: every item row is a band.
    std::vector<int> edges = PaintBandEdges(wide, grid);
    ASSERT_EQ(edges.size(), 41u);
    for (int k = 0; k <= 40; ++k)
        EXPECT_EQ(edges[k], k * 25);
    // Taller bands take several item rows; an item crossing a row keeps both in one band.
    grid.emplace_back(90, 160);
    edges = PaintBandEdges(wide, grid, 4 * 2000 * 60);
    EXPECT_EQ(edges, (std::vector<int>{0, 75, 175, 250, 325, 400, 475, 550, 625, 700, 775, 850, 925,
                                       1000}));
    // A clip that fits the cache, or no items, is one band.
    EXPECT_EQ(PaintBandEdges(RECT{0, 100, 200, 150}, grid), (std::vector<int>{100, 150}));
    EXPECT_EQ(PaintBandEdges(wide, {}), (std::vector<int>{0, 1000}));
}

}  // namespace
}  // namespace orvane::test
