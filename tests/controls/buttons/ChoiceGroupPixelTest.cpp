// What the choice groups draw, with and without visual styles, at 96 and 144 DPI: each item's
// glyph cell for its state and look, the selected and hot fills and the selected caption
// colour, the button faces, and the background picture centred or fitted.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "controls/buttons/ChoiceGroupFixture.h"
#include "platform/gdi/GdiTestSupport.h"
#include "support/TestImages.h"

using namespace orvane;
using namespace orvane::platform;
using orvane::test::box;

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

using platform::test::Canvas;

class ChoiceGroupPixels : public orvane::test::ChoiceGroupFixture,
                          public ::testing::WithParamInterface<std::tuple<int, bool>> {
protected:
    platform::testing::TestOptions options() const override {
        platform::testing::TestOptions o;
        o.dpi = std::get<0>(GetParam());
        return o;
    }
    void SetUp() override {
        ChoiceGroupFixture::SetUp();
        EnableTheming(std::get<1>(GetParam()) ? TRUE : FALSE);
        moveAway();
    }
    int px(int at96) const { return at96 * std::get<0>(GetParam()) / 96; }
    bool themed() const { return std::get<1>(GetParam()); }

    // A group on white, whatever its state: opaque, and white hot and selected fills.
    template <class G>
    G& whiteGroup(Form& form, const std::u16string& caption) {
        auto& g = group<G>(form, caption, u"grp", box(10, 10, 300, 150));
        g.BackStyle(BackStyleEnum::bsOpaque);
        g.BackColor(kWhite);
        g.BackColorHot(kWhite);
        g.BackColorPressed(kWhite);
        return g;
    }
    std::vector<COLORREF> drawn(ChoiceGroup& g, const RECT& r) {
        std::vector<COLORREF> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                out.push_back(platform->ClientPixel(g.hWnd(), x, y));
        return out;
    }
    static std::vector<COLORREF> glyph(GlyphStrip::Kind kind, int cell, int size,
                                       std::uint8_t alpha = 255, COLORREF background = kWhite) {
        Canvas c(size, size, background);
        GlyphStrip::draw(c, kind, cell, 0, 0, size, alpha);
        std::vector<COLORREF> out;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                out.push_back(c.at(x, y));
        return out;
    }
    // Expects each item's glyph to be the strip's cell given for it.
    void expectCells(ChoiceGroup& g, GlyphStrip::Kind kind, const std::vector<int>& cells,
                     std::uint8_t alpha = 255, COLORREF background = kWhite) {
        platform->PumpMessages();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const RECT r = g.layoutResult().items[i].glyph;
            ASSERT_EQ(r.right - r.left, px(16));
            EXPECT_EQ(drawn(g, r), glyph(kind, cells[i], px(16), alpha, background))
                << "item " << i << " cell " << cells[i];
        }
    }
};

TEST_P(ChoiceGroupPixels, OptionGlyphsShowEachItemsStateAndLook) {
    // The cells differ, so the comparisons below tell them apart.
    const int size = px(16);
    const auto kind = GlyphStrip::Kind::Option;
    EXPECT_NE(glyph(kind, 1, size), glyph(kind, 5, size));
    EXPECT_NE(glyph(kind, 1, size), glyph(kind, 2, size));
    EXPECT_NE(glyph(kind, 6, size), glyph(kind, 7, size));

    Form form(u"Form1");
    auto& g = whiteGroup<ucOptionGroup>(form, u"one|two|three");
    g.States(u"True|False|False");
    expectCells(g, kind, {5, 1, 1});
    hoverItem(g, 1);
    expectCells(g, kind, {5, 2, 1});
    press();  // selects it, pressed while the button is down
    expectCells(g, kind, {1, 7, 1});
    release();
    expectCells(g, kind, {1, 6, 1});
    moveAway();
    expectCells(g, kind, {1, 5, 1});
    // Disabled: the normal cells, faded, on the disabled grey.
    g.Enabled(false);
    expectCells(g, kind, {1, 5, 1}, 63, 0xCCCCCC);
}

TEST_P(ChoiceGroupPixels, CheckGlyphsShowEachItemsStateAndLook) {
    const auto kind = GlyphStrip::Kind::Check;
    EXPECT_NE(glyph(kind, 1, px(16)), glyph(kind, 5, px(16)));
    Form form(u"Form1");
    auto& g = whiteGroup<ucCheckGroup>(form, u"one|two|three");
    g.States(u"False|True");
    expectCells(g, kind, {1, 5, 1});
    hoverItem(g, 2);
    expectCells(g, kind, {1, 5, 2});
    press();
    expectCells(g, kind, {1, 5, 7});
    release();
    moveAway();
    expectCells(g, kind, {1, 5, 5});
    // A larger CheckSize draws larger cells, scaled by the DPI too.
    g.CheckSize(24);
    const RECT r = g.layoutResult().items[0].glyph;
    EXPECT_EQ(r.right - r.left, px(24));
    EXPECT_EQ(drawn(g, r), glyph(kind, 1, px(24)));
}

TEST_P(ChoiceGroupPixels, TheSelectedItemIsFilledWithItsCaptionInTheSelectedColour) {
    Form form(u"Form1");
    auto& g = group<ucOptionGroup>(form, u"a|bbbbbbbbbbbb|c", u"grp", box(10, 10, 300, 150));
    g.BackStyle(BackStyleEnum::bsOpaque);
    g.BackColor(kWhite);
    g.SelIndex(0);
    SetFocus(HWND());  // no focus rectangle
    platform->PumpMessages();
    const auto& item = g.layoutResult().items[0];
    // Past the short caption, inside the item: the accent fill.
    const int x = item.rect.right - 3, y = (item.rect.top + item.rect.bottom) / 2;
    EXPECT_EQ(platform->ClientPixel(g.hWnd(), x, y), 0xD77800u);
    int light = 0;
    for (int px = item.text.left; px < item.text.left + 12; ++px)
        for (int py = item.rect.top; py < item.rect.bottom; ++py)
            if (GetBValue(platform->ClientPixel(g.hWnd(), px, py)) > 0xF0 &&
                GetRValue(platform->ClientPixel(g.hWnd(), px, py)) > 0xC0)
                ++light;
    EXPECT_GT(light, 3);  // the caption's strokes
    // The hot item takes the hot colour; the others stay white.
    const auto& third = g.layoutResult().items[2];
    hoverItem(g, 2);
    EXPECT_EQ(platform->ClientPixel(g.hWnd(), third.rect.right - 3, third.rect.top + 3), 0xF7E4CCu);
    EXPECT_EQ(platform->ClientPixel(g.hWnd(), g.layoutResult().items[1].rect.right - 3,
                                    g.layoutResult().items[1].rect.top + 3),
              kWhite);
    // Disabled: grey, no fills.
    moveAway();
    g.Enabled(false);
    EXPECT_EQ(platform->ClientPixel(g.hWnd(), x, y), 0xCCCCCCu);
}

TEST_P(ChoiceGroupPixels, ButtonItemsArePushButtonFacesOrEtchedEdges) {
    Form form(u"Form1");
    auto& g = group<ucButtonGroup>(form, u"one|two|three", u"grp", box(10, 10, 300, 150));
    g.BackStyle(BackStyleEnum::bsOpaque);
    g.BackColor(kWhite);
    g.Button(true);
    g.SelIndex(1);
    platform->PumpMessages();
    // The face is the item less one pixel all round; compare a pixel by its left edge.
    const auto probe = [&](int item, int stateId, UINT edge) {
        RECT face = g.layoutResult().items[item].rect;
        InflateRect(&face, -1, -1);
        const int w = face.right - face.left, h = face.bottom - face.top;
        Canvas c(w, h, kWhite);
        RECT rc{0, 0, w, h};
        if (themed()) {
            const HTHEME theme = OpenThemeData(HWND(), u"Button");
            DrawThemeBackground(theme, c.dc(), BP_PUSHBUTTON, stateId, &rc, &rc);
            CloseThemeData(theme);
        } else {
            DrawEdge(c.dc(), &rc, edge, BF_RECT);
        }
        for (const POINT p :
             {POINT{0, h / 2}, POINT{1, h / 2}, POINT{w / 2, 0}, POINT{w - 1, h - 1}})
            EXPECT_EQ(platform->ClientPixel(g.hWnd(), face.left + p.x, face.top + p.y),
                      c.at(p.x, p.y))
                << "item " << item << " at " << p.x << "," << p.y;
    };
    probe(0, 1, EDGE_ETCHED);  // normal
    probe(1, 3, EDGE_SUNKEN);  // selected: down
    hoverItem(g, 2);
    probe(2, themed() ? 2 : 1, EDGE_ETCHED);  // hot (the classic edge has no hot look)
    moveAway();
    // Without Button: flat items, framed in the state's colour, the selected one filled.
    g.Button(false);
    const RECT& selected = g.layoutResult().items[1].rect;
    EXPECT_EQ(platform->ClientPixel(g.hWnd(), selected.left + 1, selected.top + 5), 0x995400u);
    EXPECT_EQ(platform->ClientPixel(g.hWnd(), selected.left + 3, selected.top + 3), 0xD77800u);
    const RECT& other = g.layoutResult().items[0].rect;
    EXPECT_EQ(platform->ClientPixel(g.hWnd(), other.left + 1, other.top + 5), 0xADADADu);
}

TEST_P(ChoiceGroupPixels, TheBackgroundPictureIsCentredOrFittedWithItsProportions) {
    Form form(u"Form1");
    auto& g = group<ucOptionGroup>(form, u"", u"grp", box(10, 10, 200, 140));
    g.BackStyle(BackStyleEnum::bsOpaque);
    g.BackColor(kWhite);
    g.PNG(orvane::test::png(20, 10, 0xFFFF0000));
    const int w = static_cast<int>(g.ScaleWidth()), h = static_cast<int>(g.ScaleHeight());
    const auto at = [&](int x, int y) { return platform->ClientPixel(g.hWnd(), x, y); };
    // At its own size (at the DPI), in the middle.
    EXPECT_EQ(at(w / 2, h / 2), 0x0000FFu);
    EXPECT_EQ(at(w / 2 - px(10) + 1, h / 2), 0x0000FFu);
    EXPECT_EQ(at(w / 2 - px(10) - 2, h / 2), kWhite);
    EXPECT_EQ(at(w / 2, h / 2 - px(5) - 2), kWhite);
    // Stretched: as wide as the control (2:1 fits the width first), centred up and down.
    g.Stretch(true);
    EXPECT_EQ(at(5, h / 2), 0x0000FFu);
    EXPECT_EQ(at(w - 6, h / 2), 0x0000FFu);
    EXPECT_EQ(at(w / 2, h / 2 - w / 4 - 3), kWhite);
    EXPECT_EQ(at(w / 2, h / 2 - w / 4 + 5), 0x0000FFu);
    // Disabled: grey.
    g.Enabled(false);
    const COLORREF c = at(w / 2, h / 2);
    EXPECT_EQ(GetRValue(c), GetGValue(c));
}

TEST_P(ChoiceGroupPixels, ItemImagesComeFromTheirFilesBesideTheGlyph) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("orvane-groups-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto red = orvane::test::png(4, 4, 0xFFFF0000);
    std::ofstream(dir / "red.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(red.data()), static_cast<std::streamsize>(red.size()));
    Form form(u"Form1");
    auto& g = whiteGroup<ucCheckGroup>(form, u"one|two|three");
    g.ShowImage(true);
    g.ImagePath(dir.u16string() + u"/");
    g.ImageKeys(u"red.png||missing.png");  // the second has none, the third cannot be read
    platform->PumpMessages();
    EXPECT_TRUE(g.GC()->Exists(u"ucCheckGroup.red.png"));
    EXPECT_FALSE(g.GC()->Exists(u"ucCheckGroup.missing.png"));
    for (int i = 0; i < 3; ++i) {
        const RECT r = g.layoutResult().items[i].image;
        ASSERT_EQ(r.right - r.left, px(16));
        EXPECT_EQ(r.left, g.layoutResult().items[i].glyph.right + 2);
        const COLORREF c =
            platform->ClientPixel(g.hWnd(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        EXPECT_EQ(c, i == 0 ? 0x0000FFu : kWhite) << "item " << i;
    }
    // Without ShowImage neither room nor image.
    g.ShowImage(false);
    const RECT r = g.layoutResult().items[0].image;
    EXPECT_EQ(r.right - r.left, 0);
    std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(DpiAndStyles, ChoiceGroupPixels,
                         ::testing::Combine(::testing::Values(96, 144), ::testing::Bool()));

}  // namespace
