// The check and option glyphs: cells in the visual style's state order, crisp at the strip's
// own sizes, scaled in between, faded by alpha, and nothing for a state outside the strip.
#include "framework/drawing/GlyphStrip.h"
#include "host/App.h"
#include "platform/gdi/GdiTestSupport.h"
#include "support/PlatformTest.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

class GlyphStripTest : public orvane::test::PlatformTest {
protected:
    void TearDown() override {
        GlyphStrip::reset();
        PlatformTest::TearDown();
    }
};

// The accent the visual style fills a checked box with (0x0078D4 as a COLORREF).
constexpr COLORREF kAccent = RGB(0x00, 0x78, 0xD4);

// Scaled cells are filtered: a channel may move by a step or two.
bool near(COLORREF a, COLORREF b) {
    const auto close = [](int x, int y) { return x - y <= 3 && y - x <= 3; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
           close(GetBValue(a), GetBValue(b));
}

TEST_F(GlyphStripTest, CellsFollowTheStateOrderAtEverySize) {
    for (int size : {13, 16, 20, 24, 32}) {
        platform::test::Canvas canvas(40, 40);
        // Unchecked normal: white inside a grey frame; checked normal: the accent with a white
        // mark; checked disabled: grey.
        GlyphStrip::draw(canvas, GlyphStrip::Kind::Check, 1, 0, 0, size);
        EXPECT_PRED2(near, canvas.at(size / 2, size / 2), RGB(255, 255, 255)) << size;
        EXPECT_NE(canvas.at(0, size / 2), RGB(255, 255, 255)) << "frame at " << size;
        canvas.fill(RGB(255, 255, 255));
        GlyphStrip::draw(canvas, GlyphStrip::Kind::Check, 5, 0, 0, size);
        EXPECT_PRED2(near, canvas.at(2, 2), kAccent) << size;
        EXPECT_EQ(canvas.at(size + 1, size + 1), RGB(255, 255, 255)) << "outside at " << size;
        canvas.fill(RGB(255, 255, 255));
        GlyphStrip::draw(canvas, GlyphStrip::Kind::Check, 8, 0, 0, size);
        const COLORREF grey = canvas.at(2, 2);
        EXPECT_EQ(GetRValue(grey), GetGValue(grey));
        EXPECT_LT(GetRValue(grey), 0xF0);
        // A selected option is a ring round a dot: accent at the centre, white between.
        canvas.fill(RGB(255, 255, 255));
        GlyphStrip::draw(canvas, GlyphStrip::Kind::Option, 5, 0, 0, size);
        EXPECT_PRED2(near, canvas.at(size / 2, size / 2), kAccent) << size;
        EXPECT_EQ(canvas.at(0, 0), RGB(255, 255, 255)) << "round corner at " << size;
    }
}

TEST_F(GlyphStripTest, AlphaFadesAndBadStatesDrawNothing) {
    platform::test::Canvas canvas(20, 20);
    GlyphStrip::draw(canvas, GlyphStrip::Kind::Check, 5, 0, 0, 16, 63);
    const COLORREF faded = canvas.at(2, 2);
    EXPECT_GT(GetRValue(faded), 0xB0);  // mostly the white below
    EXPECT_LT(GetRValue(faded), 0xFF);
    for (int state : {0, 13, -1}) {
        canvas.fill(RGB(255, 255, 255));
        GlyphStrip::draw(canvas, GlyphStrip::Kind::Check, state, 0, 0, 16);
        GlyphStrip::draw(canvas, GlyphStrip::Kind::Option, state == 13 ? 9 : state, 0, 0, 16);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(canvas.at(x, y), RGB(255, 255, 255));
    }
}

// A program's own resource 100 replaces the library's strip; one that is not an image leaves
// the glyph out rather than failing.
TEST_F(GlyphStripTest, AProgramsOwnStripComesFirst) {
    App::current().AddResource(100, u"CUSTOM", orvane::test::png(12 * 16, 16, 0xFF00FF00));
    App::current().AddResource(200, u"CUSTOM", {1, 2, 3});
    platform::test::Canvas canvas(20, 20);
    GlyphStrip::draw(canvas, GlyphStrip::Kind::Check, 3, 0, 0, 16);
    EXPECT_EQ(canvas.at(8, 8), RGB(0, 255, 0));
    GlyphStrip::draw(canvas, GlyphStrip::Kind::Option, 1, 2, 2, 16);
    EXPECT_EQ(canvas.at(8, 8), RGB(0, 255, 0));
    App::current().RemoveResource(100, u"CUSTOM");
    App::current().RemoveResource(200, u"CUSTOM");
}

}  // namespace
