// Theme parts of the "Button" class: states that differ where they should, glyphs, corners that
// let the background through, clipping and origins, DPI scaling, bad arguments and the cache.
#include <cstdlib>
#include <memory>

#include "platform/gdi/GdiTestSupport.h"
#include "platform/theme/ThemeImageCache.h"
#include "support/PlatformTest.h"

namespace orvane::test {
namespace {

using platform::test::Canvas;
using platform::test::kGreen;
using platform::test::kRed;
using platform::test::kWhite;

constexpr COLORREF kAccent = RGB(0x00, 0x78, 0xD4);

bool near(COLORREF a, COLORREF b, int tolerance = 6) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}
bool bluish(COLORREF c) {
    return GetBValue(c) > GetRValue(c) + 40;
}
bool grey(COLORREF c) {
    return near(c, RGB(GetRValue(c), GetRValue(c), GetRValue(c)), 4);
}
int brightness(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

class ButtonThemeTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        theme = OpenThemeData(HWND(), u"Button");
        ASSERT_TRUE(theme);
    }
    void TearDown() override {
        CloseThemeData(theme);
        PlatformTest::TearDown();
    }
    HRESULT draw(Canvas& canvas, int part, int state, RECT rc, const RECT* clip = nullptr) {
        return DrawThemeBackground(theme, canvas, part, state, &rc, clip);
    }
    HTHEME theme;
};

TEST_F(ButtonThemeTest, PushButtonStatesDiffer) {
    const RECT rc{10, 5, 110, 35};
    COLORREF centre[6], edge[6];
    for (int state = PBS_NORMAL; state <= PBS_DEFAULTED; ++state) {
        Canvas canvas(120, 40, kRed);
        ASSERT_EQ(draw(canvas, BP_PUSHBUTTON, state, rc), S_OK);
        centre[state] = canvas.at(60, 20);
        edge[state] = canvas.at(10, 20);
        EXPECT_EQ(canvas.at(10, 5), kRed)
            << "a rounded corner keeps the background, state " << state;
        EXPECT_EQ(canvas.at(9, 20), kRed) << "nothing outside the rectangle, state " << state;
        // The inside is opaque: the same on any background.
        Canvas green(120, 40, kGreen);
        draw(green, BP_PUSHBUTTON, state, rc);
        EXPECT_EQ(green.at(60, 20), centre[state]);
    }
    for (int a = PBS_NORMAL; a <= PBS_DISABLED; ++a)
        for (int b = a + 1; b <= PBS_DISABLED; ++b)
            EXPECT_FALSE(near(centre[a], centre[b], 2)) << "states " << a << " and " << b;
    EXPECT_LT(brightness(centre[PBS_PRESSED]), brightness(centre[PBS_NORMAL]));
    EXPECT_TRUE(bluish(centre[PBS_HOT]) || GetBValue(centre[PBS_HOT]) > GetRValue(centre[PBS_HOT]));
    EXPECT_TRUE(grey(edge[PBS_NORMAL]));
    EXPECT_TRUE(near(edge[PBS_HOT], kAccent, 24));
    EXPECT_TRUE(near(edge[PBS_DEFAULTED], kAccent, 24));
    EXPECT_TRUE(grey(edge[PBS_DISABLED]) && grey(centre[PBS_DISABLED]));
}

TEST_F(ButtonThemeTest, DefaultedButtonHasAThickerAccentBorder) {
    Canvas normal(120, 40), defaulted(120, 40);
    draw(normal, BP_PUSHBUTTON, PBS_HOT, RECT{0, 0, 100, 30});
    draw(defaulted, BP_PUSHBUTTON, PBS_DEFAULTED, RECT{0, 0, 100, 30});
    EXPECT_FALSE(bluish(normal.at(1, 15)));
    EXPECT_TRUE(near(defaulted.at(1, 15), kAccent, 24));
}

TEST_F(ButtonThemeTest, CheckBoxGlyphs) {
    // The glyph keeps its own size, centred in a larger rectangle.
    const RECT rc{0, 0, 21, 21};  // glyph at (4, 4)-(17, 17), centre (10, 10)
    auto drawn = [&](int state) {
        auto canvas = std::make_unique<Canvas>(21, 21, kRed);
        EXPECT_EQ(draw(*canvas, BP_CHECKBOX, state, rc), S_OK);
        return canvas;
    };
    auto unchecked = drawn(CBS_UNCHECKEDNORMAL);
    EXPECT_EQ(unchecked->at(10, 10), kWhite);
    EXPECT_EQ(unchecked->at(3, 10), kRed);
    EXPECT_TRUE(grey(unchecked->at(4, 10)));
    // The rounded corner lets some of the background through.
    EXPECT_GT(GetRValue(unchecked->at(4, 4)), GetRValue(unchecked->at(4, 10)) + 20);

    auto checked = drawn(CBS_CHECKEDNORMAL);
    EXPECT_TRUE(near(checked->at(10, 7), kAccent, 8));  // the box, above the mark
    int white = 0;
    for (int y = 5; y < 16; ++y)
        for (int x = 5; x < 16; ++x)
            white += near(checked->at(x, y), kWhite, 24);
    EXPECT_GE(white, 8) << "a white check mark";
    EXPECT_GT(GetRValue(checked->at(4, 4)), GetRValue(checked->at(4, 10)) + 20);

    auto mixed = drawn(CBS_MIXEDNORMAL);
    EXPECT_EQ(mixed->at(10, 10), kWhite);  // the dash
    EXPECT_TRUE(near(mixed->at(10, 7), kAccent, 8));
    EXPECT_TRUE(near(mixed->at(10, 13), kAccent, 8));

    const COLORREF hot = drawn(CBS_CHECKEDHOT)->at(12, 7);
    const COLORREF pressed = drawn(CBS_CHECKEDPRESSED)->at(12, 7);
    const COLORREF disabled = drawn(CBS_CHECKEDDISABLED)->at(12, 7);
    EXPECT_FALSE(near(hot, checked->at(12, 7), 2));
    EXPECT_LT(brightness(pressed), brightness(checked->at(12, 7)));
    EXPECT_TRUE(grey(disabled));
    EXPECT_TRUE(bluish(drawn(CBS_UNCHECKEDHOT)->at(4, 10)));
}

TEST_F(ButtonThemeTest, RadioButtonIsRoundWithADot) {
    Canvas unchecked(13, 13, kRed), checked(13, 13, kRed);
    draw(unchecked, BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL, RECT{0, 0, 13, 13});
    draw(checked, BP_RADIOBUTTON, RBS_CHECKEDNORMAL, RECT{0, 0, 13, 13});
    EXPECT_EQ(unchecked.at(6, 6), kWhite);
    EXPECT_TRUE(near(checked.at(6, 6), kAccent, 8));   // the dot
    EXPECT_EQ(checked.at(6, 3), kWhite);               // between the dot and the ring
    EXPECT_TRUE(near(checked.at(6, 0), kAccent, 60));  // the ring
    for (Canvas* c : {&unchecked, &checked}) {
        EXPECT_EQ(c->at(0, 0), kRed);
        EXPECT_EQ(c->at(12, 12), kRed);
        EXPECT_NE(c->at(1, 1), kRed);  // an anti-aliased edge crosses it
        EXPECT_NE(c->at(1, 1), c->at(6, 0));
    }
}

TEST_F(ButtonThemeTest, GroupBoxIsAFrameOnly) {
    Canvas canvas(100, 60, kRed);
    ASSERT_EQ(draw(canvas, BP_GROUPBOX, GBS_NORMAL, RECT{0, 0, 100, 60}), S_OK);
    EXPECT_EQ(canvas.at(50, 30), kRed);
    EXPECT_TRUE(grey(canvas.at(0, 30)));
    EXPECT_GT(brightness(canvas.at(0, 30)), 3 * 180);
    EXPECT_EQ(canvas.at(0, 0), kRed);
}

TEST_F(ButtonThemeTest, ClippingAndOrigins) {
    const RECT rc{0, 0, 100, 30};
    Canvas reference(100, 30, kRed);
    draw(reference, BP_PUSHBUTTON, PBS_NORMAL, rc);

    const RECT clip{0, 0, 50, 30};
    Canvas clipped(100, 30, kRed);
    draw(clipped, BP_PUSHBUTTON, PBS_NORMAL, rc, &clip);
    EXPECT_EQ(clipped.at(49, 15), reference.at(49, 15));
    EXPECT_EQ(clipped.at(50, 15), kRed);
    RECT after;
    GetClipBox(clipped, &after);
    EXPECT_EQ(after.right, 100) << "the DC's clipping is left as it was";

    Canvas dcClip(100, 30, kRed);
    IntersectClipRect(dcClip, 60, 0, 100, 30);
    draw(dcClip, BP_PUSHBUTTON, PBS_NORMAL, rc);
    EXPECT_EQ(dcClip.at(59, 15), kRed);
    EXPECT_EQ(dcClip.at(60, 15), reference.at(60, 15));

    Canvas moved(130, 50, kRed);
    SetViewportOrgEx(moved, 20, 10, nullptr);
    draw(moved, BP_PUSHBUTTON, PBS_NORMAL, rc);
    EXPECT_EQ(moved.at(19, 25), kRed);
    EXPECT_EQ(moved.at(20, 25), reference.at(0, 15));
    EXPECT_EQ(moved.at(70, 25), reference.at(50, 15));
    EXPECT_EQ(moved.at(20, 10), kRed);  // the corner
}

TEST_F(ButtonThemeTest, HugePartsAreDrawnWhereVisible) {
    Canvas small(60, 60, kRed), huge(60, 60, kRed);
    draw(small, BP_PUSHBUTTON, PBS_NORMAL, RECT{10, 10, 200, 200});
    draw(huge, BP_PUSHBUTTON, PBS_NORMAL, RECT{10, 10, 3000, 3000});
    EXPECT_EQ(huge.at(10, 10), kRed);
    EXPECT_EQ(huge.at(10, 40), small.at(10, 40));  // the left border
    EXPECT_EQ(huge.at(40, 10), small.at(40, 10));  // the top border
    EXPECT_TRUE(near(huge.at(40, 40), small.at(40, 40), 8));
}

TEST_F(ButtonThemeTest, BadArguments) {
    Canvas canvas(40, 40, kRed);
    const RECT rc{0, 0, 30, 30};
    struct Case {
        int part, state;
        HRESULT result;
    };
    for (const Case& c :
         {Case{0, 1, E_INVALIDARG}, Case{99, 1, E_INVALIDARG}, Case{BP_CHECKBOX, 0, E_INVALIDARG},
          Case{BP_CHECKBOX, 13, E_INVALIDARG}, Case{BP_PUSHBUTTON, 6, E_INVALIDARG},
          Case{BP_RADIOBUTTON, 9, E_INVALIDARG}, Case{BP_GROUPBOX, 3, E_INVALIDARG}})
        EXPECT_EQ(draw(canvas, c.part, c.state, rc), c.result) << c.part << "/" << c.state;
    EXPECT_EQ(DrawThemeBackground(theme, canvas, BP_PUSHBUTTON, 1, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(DrawThemeBackground(theme, HDC(12345), BP_PUSHBUTTON, 1, &rc, nullptr), E_HANDLE);
    // Empty and inverted rectangles draw nothing and succeed.
    EXPECT_EQ(draw(canvas, BP_PUSHBUTTON, 1, RECT{10, 10, 10, 30}), S_OK);
    EXPECT_EQ(draw(canvas, BP_PUSHBUTTON, 1, RECT{30, 30, 0, 0}), S_OK);
    EXPECT_EQ(draw(canvas, BP_CHECKBOX, 1, RECT{5, 5, 5, 5}), S_OK);
    SIZE size{};
    EXPECT_EQ(GetThemePartSize(theme, HDC(), BP_CHECKBOX, 1, nullptr, TS_TRUE, nullptr),
              E_INVALIDARG);
    EXPECT_EQ(GetThemePartSize(theme, HDC(), BP_CHECKBOX, 1, nullptr, THEMESIZE(3), &size),
              E_INVALIDARG);
    EXPECT_EQ(GetThemePartSize(theme, HDC(), 99, 0, nullptr, TS_TRUE, &size), E_INVALIDARG);
    RECT content;
    EXPECT_EQ(GetThemeBackgroundContentRect(theme, HDC(), BP_PUSHBUTTON, 1, nullptr, &content),
              E_INVALIDARG);
    EXPECT_FALSE(IsThemePartDefined(theme, 99, 0));
    EXPECT_FALSE(IsThemeBackgroundPartiallyTransparent(theme, 0, 0));

    // A class the theme does not draw yet fails rather than drawing nothing.
    const HTHEME edit = OpenThemeData(HWND(), u"Edit");
    EXPECT_EQ(DrawThemeBackground(edit, canvas, 1, 1, &rc, nullptr), E_NOTIMPL);
    CloseThemeData(edit);

    // Closed and null handles.
    const HTHEME closed = OpenThemeData(HWND(), u"Button");
    CloseThemeData(closed);
    EnableTheming(FALSE);
    const HTHEME none = OpenThemeData(HWND(), u"Button");
    EXPECT_FALSE(none);
    for (const HTHEME t : {closed, none}) {
        EXPECT_EQ(DrawThemeBackground(t, canvas, BP_PUSHBUTTON, 1, &rc, nullptr), E_HANDLE);
        EXPECT_EQ(GetThemePartSize(t, HDC(), BP_CHECKBOX, 1, nullptr, TS_TRUE, &size), E_HANDLE);
        EXPECT_EQ(GetThemeBackgroundContentRect(t, HDC(), BP_PUSHBUTTON, 1, &rc, &content),
                  E_HANDLE);
        EXPECT_FALSE(IsThemePartDefined(t, BP_PUSHBUTTON, 0));
        EXPECT_FALSE(IsThemeBackgroundPartiallyTransparent(t, BP_PUSHBUTTON, 1));
    }
    EXPECT_TRUE(platform::test::pixelsMatch(canvas, [](int, int) { return kRed; }));
}

TEST_F(ButtonThemeTest, SizesAndContentAt96Dpi) {
    SIZE size{};
    for (const int part : {BP_CHECKBOX, BP_RADIOBUTTON}) {
        for (const THEMESIZE which : {TS_MIN, TS_TRUE, TS_DRAW}) {
            ASSERT_EQ(GetThemePartSize(theme, HDC(), part, 1, nullptr, which, &size), S_OK);
            EXPECT_EQ(size.cx, 13);
            EXPECT_EQ(size.cy, 13);
        }
    }
    SIZE least{}, natural{}, drawn{};
    const RECT rc{0, 0, 100, 30};
    GetThemePartSize(theme, HDC(), BP_PUSHBUTTON, PBS_NORMAL, &rc, TS_MIN, &least);
    GetThemePartSize(theme, HDC(), BP_PUSHBUTTON, PBS_NORMAL, nullptr, TS_TRUE, &natural);
    GetThemePartSize(theme, HDC(), BP_PUSHBUTTON, PBS_NORMAL, &rc, TS_DRAW, &drawn);
    EXPECT_LT(least.cx, natural.cx);
    EXPECT_GT(least.cx, 0);
    EXPECT_EQ(drawn.cx, 100);
    EXPECT_EQ(drawn.cy, 30);

    RECT content{}, extent{};
    ASSERT_EQ(GetThemeBackgroundContentRect(theme, HDC(), BP_PUSHBUTTON, 0, &rc, &content), S_OK);
    EXPECT_EQ(content.left, 3);
    EXPECT_EQ(content.bottom, 27);
    ASSERT_EQ(GetThemeBackgroundExtent(theme, HDC(), BP_PUSHBUTTON, 0, &content, &extent), S_OK);
    EXPECT_TRUE(EqualRect(&extent, &rc));
    const RECT tiny{0, 0, 4, 4};
    GetThemeBackgroundContentRect(theme, HDC(), BP_PUSHBUTTON, 1, &tiny, &content);
    EXPECT_LE(content.left, content.right);
    EXPECT_LE(content.top, content.bottom);

    for (const int part : {BP_PUSHBUTTON, BP_RADIOBUTTON, BP_CHECKBOX, BP_GROUPBOX}) {
        EXPECT_TRUE(IsThemePartDefined(theme, part, 0));
        EXPECT_TRUE(IsThemeBackgroundPartiallyTransparent(theme, part, 1));
    }
}

TEST_F(ButtonThemeTest, CacheReusesImagesAndHoldsNoGdiObjects) {
    Canvas first(120, 40, kRed), second(120, 40, kRed), scratch(120, 40);
    const DWORD live = GetLiveGdiObjectCount();
    for (int i = 0; i < 100; ++i)
        draw(scratch, BP_PUSHBUTTON, 1 + i % 5, RECT{0, 0, 100 + i % 7, 30});
    EXPECT_EQ(GetLiveGdiObjectCount(), live);
    ThemeImageCache& cache = ThemeImageCache::shared();
    EXPECT_EQ(cache.size(), 35u);  // each state at each width once
    draw(first, BP_PUSHBUTTON, PBS_HOT, RECT{0, 0, 100, 30});
    resetThemes();
    EXPECT_EQ(cache.size(), 0u);
    theme = OpenThemeData(HWND(), u"Button");
    draw(second, BP_PUSHBUTTON, PBS_HOT, RECT{0, 0, 100, 30});
    EXPECT_TRUE(platform::test::pixelsMatch(second, [&](int x, int y) { return first.at(x, y); }));
}

TEST(ThemeImageCache, DropsTheLeastRecentlyUsed) {
    ThemeImageCache cache(2);
    auto key = [](int state) { return ThemeImageKey{nullptr, 1, state, 10, 10, 96}; };
    cache.insert(key(1), std::make_shared<PixelSurface>(1, 1));
    cache.insert(key(2), std::make_shared<PixelSurface>(1, 1));
    EXPECT_TRUE(cache.find(key(1)));
    cache.insert(key(3), std::make_shared<PixelSurface>(1, 1));
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_TRUE(cache.find(key(1)));
    EXPECT_FALSE(cache.find(key(2)));
    EXPECT_TRUE(cache.find(key(3)));
    EXPECT_FALSE(cache.find(ThemeImageKey{nullptr, 1, 3, 10, 10, 144}));
}

class HighDpiButtonThemeTest : public ButtonThemeTest {
protected:
    platform::testing::TestOptions options() const override { return {800, 600, 144, 1000000}; }
};

TEST_F(HighDpiButtonThemeTest, SizesScaleWithTheDpi) {
    Canvas canvas(20, 20, kRed);
    for (const HDC dc : {HDC(), canvas.dc()}) {
        SIZE size{};
        ASSERT_EQ(GetThemePartSize(theme, dc, BP_CHECKBOX, 1, nullptr, TS_TRUE, &size), S_OK);
        EXPECT_EQ(size.cx, 20);
        EXPECT_EQ(size.cy, 20);
        RECT content{};
        const RECT rc{0, 0, 100, 30};
        GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, 1, &rc, &content);
        EXPECT_EQ(content.left, 5);  // 3 pixels at 96 DPI
        EXPECT_EQ(content.top, 5);
    }
    // The glyph fills a 20-pixel rectangle at 144 DPI.
    draw(canvas, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, RECT{0, 0, 20, 20});
    EXPECT_TRUE(grey(canvas.at(0, 10)));
    EXPECT_EQ(canvas.at(10, 10), kWhite);
    EXPECT_EQ(canvas.at(0, 0), kRed);
}

}  // namespace
}  // namespace orvane::test
