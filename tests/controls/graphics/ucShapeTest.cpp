// The shape: its values brought into range, Shift put and taken back with the shape, outlines
// probed inside and outside for every figure, turning, mirroring, curving and opacity moving
// those probes, the margin it draws beyond its rectangle, the mouse only where Clickable, and
// its look at 96 and 144 DPI.
#include "controls/graphics/ucShape.h"

#include <cmath>
#include <limits>

#include "host/ErrorOf.h"
#include "support/ControlTest.h"
#include "support/RoundTrip.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

using orvane::test::box;
using orvane::test::channelDistance;

constexpr COLORREF kInk = RGB(0, 0, 0);

class ShapeTest : public orvane::test::ControlTest {
protected:
    ucShape& shape(Form& form, Extender where = box(40, 40, 100, 100)) {
        auto& s = form.add<ucShape>(u"ctl", -1, std::move(where));
        form.Show();
        pump();
        return s;
    }
    // A solid black figure without an outline, whole pixels.
    void ink(ucShape& s) {
        s.FillStyle(0);
        s.FillColor(0);
        s.BorderStyle(BorderStyleEnum::None);
        s.Quality(0);
        pump();
    }
    // The container's pixel at a point of the shape's rectangle (which may lie outside it).
    COLORREF at(const Form& form, const ucShape& s, int x, int y) {
        const RECT r = s.rectInContainer();
        return platform->ClientPixel(form.hWnd(), r.left + x, r.top + y);
    }
    // Whether the figure covers the point at fractions of the rectangle.
    bool inked(const Form& form, const ucShape& s, double fx, double fy) {
        const int x = static_cast<int>(std::lround(fx * (s.ScaleWidth() - 1)));
        const int y = static_cast<int>(std::lround(fy * (s.ScaleHeight() - 1)));
        return at(form, s, x, y) == kInk;
    }
    void hoverAt(const Form& form, const ucShape& s, int x, int y) {
        const RECT r = s.rectInContainer();
        const POINT p = platform->ClientToScreenPoint(form.hWnd(), r.left + x, r.top + y);
        platform->MouseMove(p.x, p.y);
        pump();
    }
};

TEST_F(ShapeTest, ValuesAreBroughtIntoRangeOrRefused) {
    Form form(u"Form1");
    auto& s = shape(form);
    s.Vertices(1);
    EXPECT_EQ(s.Vertices(), 2);
    s.Vertices(500);
    EXPECT_EQ(s.Vertices(), 100);
    s.CurvingFactor(-150);
    EXPECT_EQ(s.CurvingFactor(), -100);
    EXPECT_FLOAT_EQ(ShapeGeometry::tensionFor(s.CurvingFactor()), -0.5f);
    EXPECT_FLOAT_EQ(ShapeGeometry::tensionFor(40), 0.4f);
    s.RotationDegrees(-90);
    EXPECT_FLOAT_EQ(s.RotationDegrees(), 270);
    s.RotationDegrees(725);
    EXPECT_FLOAT_EQ(s.RotationDegrees(), 5);
    s.Opacity(150);
    EXPECT_FLOAT_EQ(s.Opacity(), 100);
    s.Opacity(50);
    EXPECT_EQ(s.argbOf(RGB(255, 0, 0)) >> 24, 128u);  // 127.5 rounds to even
    // Through the type library too; what cannot be a value is refused and changes nothing.
    TypeLibrary& lib = TypeLibrary::current();
    lib.put(s, u"Vertices", Variant(std::int16_t{0}));
    EXPECT_EQ(s.Vertices(), 2);
    EXPECT_EQ(test::errorOf([&] { s.Shape(29); }), 380);
    EXPECT_EQ(test::errorOf([&] { s.RotationDegrees(std::numeric_limits<float>::quiet_NaN()); }),
              380);
    EXPECT_EQ(test::errorOf([&] { s.Opacity(std::numeric_limits<float>::infinity()); }), 380);
    EXPECT_EQ(s.Shape(), ShapeGeometry::Rectangle);
    EXPECT_FLOAT_EQ(s.RotationDegrees(), 5);
    EXPECT_FLOAT_EQ(s.Opacity(), 50);
}

TEST_F(ShapeTest, ShiftIsPutWithAShapeThatTakesItAndTakenBackUnlessChanged) {
    Form form(u"Form1");
    auto& s = shape(form);
    s.Shape(ShapeGeometry::Star);
    EXPECT_FLOAT_EQ(s.Shift(), 20);
    s.Shape(ShapeGeometry::Rectangle);
    EXPECT_FLOAT_EQ(s.Shift(), 0);
    // Changed by hand in between, it stays.
    s.Shape(ShapeGeometry::Kite);
    s.Shift(35);
    s.Shape(ShapeGeometry::Oval);
    EXPECT_FLOAT_EQ(s.Shift(), 35);
    // From one shape taking Shift to another, the automatic value is put again.
    s.Shift(0);
    s.Shape(ShapeGeometry::Arrow);
    s.Shape(ShapeGeometry::Trapezoid);
    EXPECT_FLOAT_EQ(s.Shift(), 20);
    EXPECT_FLOAT_EQ(s.shiftPutAutomatically(), 20);
}

TEST_F(ShapeTest, EveryFigureCoversItsInsideAndLeavesItsOutside) {
    struct Probe {
        std::int32_t shape;
        std::vector<std::pair<double, double>> inside, outside;
    };
    // Fractions of a 100 × 100 rectangle, Shift as a new shape puts it.
    const std::vector<Probe> probes = {
        {ShapeGeometry::Rectangle, {{0.02, 0.02}, {0.98, 0.98}}, {}},
        {ShapeGeometry::Square, {{0.02, 0.02}, {0.5, 0.5}}, {}},
        {ShapeGeometry::Oval, {{0.5, 0.5}, {0.5, 0.03}}, {{0.06, 0.06}, {0.94, 0.94}}},
        {ShapeGeometry::Circle, {{0.5, 0.5}, {0.03, 0.5}}, {{0.06, 0.06}}},
        {ShapeGeometry::RoundedRectangle, {{0.05, 0.5}, {0.5, 0.03}}, {{0.01, 0.01}}},
        {ShapeGeometry::RoundedSquare, {{0.5, 0.5}}, {{0.01, 0.99}}},
        {ShapeGeometry::TriangleEquilateral, {{0.5, 0.5}, {0.1, 0.9}}, {{0.1, 0.2}, {0.9, 0.2}}},
        {ShapeGeometry::TriangleIsosceles, {{0.5, 0.1}, {0.05, 0.97}}, {{0.2, 0.2}, {0.8, 0.2}}},
        {ShapeGeometry::TriangleScalene, {{0.3, 0.05}, {0.9, 0.95}}, {{0.5, 0.05}}},
        {ShapeGeometry::TriangleRight, {{0.1, 0.9}}, {{0.9, 0.1}}},
        {ShapeGeometry::Rhombus, {{0.5, 0.5}, {0.5, 0.05}}, {{0.1, 0.1}, {0.9, 0.9}}},
        {ShapeGeometry::Kite, {{0.05, 0.36}, {0.5, 0.9}}, {{0.05, 0.6}, {0.1, 0.1}}},
        {ShapeGeometry::Diamond, {{0.4, 0.05}, {0.5, 0.9}}, {{0.05, 0.05}, {0.95, 0.05}}},
        {ShapeGeometry::Trapezoid, {{0.5, 0.05}, {0.02, 0.97}}, {{0.1, 0.05}}},
        {ShapeGeometry::Paralellogram, {{0.3, 0.05}, {0.1, 0.95}}, {{0.05, 0.05}, {0.95, 0.95}}},
        {ShapeGeometry::Semicircle, {{0.5, 0.05}, {0.05, 0.95}}, {{0.05, 0.05}}},
        {ShapeGeometry::RegularPolygon, {{0.5, 0.5}, {0.5, 0.03}}, {{0.1, 0.1}, {0.5, 0.97}}},
        {ShapeGeometry::Star, {{0.5, 0.5}, {0.5, 0.05}}, {{0.2, 0.05}, {0.5, 0.97}}},
        {ShapeGeometry::JaggedStar, {{0.5, 0.5}}, {{0.2, 0.05}}},
        {ShapeGeometry::Heart, {{0.25, 0.2}, {0.5, 0.8}}, {{0.5, 0.1}, {0.05, 0.9}}},
        {ShapeGeometry::Arrow, {{0.1, 0.5}, {0.9, 0.5}, {0.7, 0.1}}, {{0.1, 0.1}, {0.9, 0.15}}},
        {ShapeGeometry::Crescent, {{0.1, 0.5}}, {{0.8, 0.5}, {0.95, 0.05}}},
        {ShapeGeometry::Drop, {{0.5, 0.7}, {0.5, 0.08}}, {{0.2, 0.1}, {0.8, 0.1}}},
        {ShapeGeometry::Egg, {{0.5, 0.5}, {0.5, 0.03}}, {{0.05, 0.05}, {0.95, 0.95}}},
        {ShapeGeometry::Location, {{0.5, 0.65}, {0.1, 0.34}}, {{0.5, 0.34}, {0.1, 0.9}}},
        {ShapeGeometry::Speaker, {{0.1, 0.5}, {0.95, 0.05}}, {{0.1, 0.1}, {0.5, 0.1}}},
        {ShapeGeometry::Cloud, {{0.5, 0.5}, {0.5, 0.03}}, {{0.05, 0.05}}},
        {ShapeGeometry::Talk, {{0.5, 0.35}}, {{0.9, 0.9}, {0.5, 0.85}}},
        {ShapeGeometry::Shield, {{0.5, 0.5}, {0.2, 0.05}}, {{0.05, 0.95}, {0.95, 0.95}}},
    };
    ASSERT_EQ(probes.size(), static_cast<std::size_t>(ShapeGeometry::Count));
    Form form(u"Form1");
    auto& s = shape(form);
    ink(s);
    for (const Probe& p : probes) {
        s.Shape(p.shape);
        pump();
        for (auto [fx, fy] : p.inside)
            EXPECT_TRUE(inked(form, s, fx, fy)) << "shape " << p.shape << " at " << fx << "," << fy;
        for (auto [fx, fy] : p.outside)
            EXPECT_FALSE(inked(form, s, fx, fy))
                << "shape " << p.shape << " at " << fx << "," << fy;
    }
}

TEST_F(ShapeTest, TurningMirroringAndCurvingMoveTheOutline) {
    Form form(u"Form1");
    auto& s = shape(form);
    ink(s);
    // An arrow pointing right, turned a quarter counter-clockwise, points up.
    s.Shape(ShapeGeometry::Arrow);
    pump();
    EXPECT_FALSE(inked(form, s, 0.5, 0.1));
    s.RotationDegrees(90);
    pump();
    EXPECT_TRUE(inked(form, s, 0.5, 0.1));
    EXPECT_FALSE(inked(form, s, 0.1, 0.97));
    EXPECT_FALSE(inked(form, s, 0.9, 0.5));
    // A right triangle in the lower left, mirrored, lies in the lower right.
    s.RotationDegrees(0);
    s.Shape(ShapeGeometry::TriangleRight);
    pump();
    EXPECT_TRUE(inked(form, s, 0.1, 0.5));
    EXPECT_FALSE(inked(form, s, 0.9, 0.5));
    s.Mirrored(true);
    pump();
    EXPECT_FALSE(inked(form, s, 0.1, 0.5));
    EXPECT_TRUE(inked(form, s, 0.9, 0.5));
    // Curved, a rectangle's sides bow out beyond its rectangle, where the shape still draws.
    s.Mirrored(false);
    s.Shape(ShapeGeometry::Rectangle);
    pump();
    EXPECT_EQ(s.Overdraw(), 1);
    EXPECT_NE(at(form, s, 50, -4), kInk);
    s.CurvingFactor(100);
    pump();
    EXPECT_GT(s.Overdraw(), 4);
    EXPECT_EQ(at(form, s, 50, -4), kInk);
    EXPECT_EQ(at(form, s, -4, 50), kInk);
    // Straightened again, the margin is given back to the form.
    s.CurvingFactor(0);
    pump();
    EXPECT_NE(at(form, s, 50, -4), kInk);
    EXPECT_EQ(at(form, s, 50, -4), formPixel(form));
}

TEST_F(ShapeTest, OpacityBlendsTheFillWithWhatIsBehind) {
    Form form(u"Form1");
    auto& s = shape(form);
    ink(s);
    s.FillColor(RGB(255, 0, 0));
    pump();
    const COLORREF behind = formPixel(form);
    EXPECT_EQ(at(form, s, 50, 50), RGB(255, 0, 0));
    s.Opacity(50);
    pump();
    const COLORREF half = at(form, s, 50, 50);
    EXPECT_LE(
        std::abs(static_cast<int>(GetRValue(half)) - (255 * 128 + GetRValue(behind) * 127) / 255),
        2);
    EXPECT_LE(std::abs(static_cast<int>(GetGValue(half)) - GetGValue(behind) * 127 / 255), 2);
    s.Opacity(0);
    pump();
    EXPECT_EQ(at(form, s, 50, 50), behind);
}

TEST_F(ShapeTest, TheMouseReachesOnlyClickableShapes) {
    Form form(u"Form1");
    form.Show();
    auto& back = form.add<ucShape>(u"shpBack", -1, box(40, 40, 100, 100));
    auto& front = form.add<ucShape>(u"shpFront", -1, box(40, 40, 100, 100));
    pump();
    int backClicks = 0, frontClicks = 0;
    back.connect(ucShape::evClick, [&](std::vector<Variant>&) { ++backClicks; });
    front.connect(ucShape::evClick, [&](std::vector<Variant>&) { ++frontClicks; });
    auto click = [&] {
        hoverAt(form, front, 50, 50);
        platform->AdvanceTime(1000);
        press();
        release();
    };
    click();
    EXPECT_EQ(frontClicks, 1);
    EXPECT_EQ(backClicks, 0);
    front.Clickable(false);
    click();
    EXPECT_EQ(frontClicks, 1);
    EXPECT_EQ(backClicks, 1);
}

TEST_F(ShapeTest, PointerAndClicksRaiseTheEventsInOrder) {
    Form form(u"Form1");
    auto& s = shape(form);
    const std::map<int, std::string> names{
        {ucShape::evClick, "Click"},           {ucShape::evDblClick, "DblClick"},
        {ucShape::evMouseDown, "MouseDown"},   {ucShape::evMouseUp, "MouseUp"},
        {ucShape::evMouseEnter, "MouseEnter"}, {ucShape::evMouseLeave, "MouseLeave"}};
    auto& events = record(s, names);
    hoverAt(form, s, 50, 50);
    platform->AdvanceTime(1000);
    const RECT r = s.rectInContainer();
    const POINT p = platform->ClientToScreenPoint(form.hWnd(), r.left + 50, r.top + 50);
    platform->DoubleClick(p.x, p.y);
    pump();
    moveAway();
    EXPECT_EQ(events,
              (std::vector<std::string>{"MouseEnter", "MouseDown", "MouseUp", "Click", "DblClick",
                                        "MouseDown", "MouseUp", "Click", "MouseLeave"}));
}

TEST_F(ShapeTest, EveryPropertySurvivesAFormFile) {
    const auto make = [this](Form& form) -> UserControl& { return shape(form); };
    const auto change = [](UserControl& ctl) {
        auto& s = static_cast<ucShape&>(ctl);
        s.Shape(ShapeGeometry::Star);  // Shift 20, put automatically
        s.BackColor(RGB(1, 2, 3));
        s.BackStyle(BackStyleEnum::bsOpaque);
        s.BorderColor(RGB(4, 5, 6));
        s.BorderStyle(BorderStyleEnum::None);
        s.Borderwidth(7);
        s.FillColor(RGB(7, 8, 9));
        s.FillStyle(0);
        s.Caption(u"Étoile ☆");
        s.Clickable(false);
        s.Quality(0);
        s.RotationDegrees(12.5f);
        s.Opacity(40);
        s.Vertices(7);
        s.CurvingFactor(-30);
        s.Mirrored(true);
        s.UserControl::MousePointer(MousePointerConstants::Cross);
    };
    EXPECT_GE(orvane::test::roundTrip(u"ucShape", make, change).compared, 16);
}

using ShapePixelTest = orvane::test::AtDpi<ShapeTest>;

TEST_P(ShapePixelTest, OutlineFillAndCaptionDrawInEitherLook) {
    for (const BOOL themed : {TRUE, FALSE}) {
        EnableTheming(themed);
        Form form(u"Form1");
        auto& s = shape(form, box(20, 20, 120, 80));
        s.Shape(ShapeGeometry::Oval);
        s.FillStyle(0);
        s.FillColor(RGB(0, 0, 255));
        s.BorderColor(RGB(255, 0, 0));
        s.Borderwidth(3);
        pump();
        const int w = static_cast<int>(s.ScaleWidth()), h = static_cast<int>(s.ScaleHeight());
        EXPECT_EQ(at(form, s, w / 2, h / 4), RGB(0, 0, 255)) << "themed " << themed;
        EXPECT_EQ(at(form, s, 1, 1), formPixel(form));
        // The outline: red at the top middle, where the ellipse meets the rectangle.
        EXPECT_LT(channelDistance(at(form, s, w / 2, 0), RGB(255, 0, 0)), 60);
        // The anti-aliased edge has colours between outline and form.
        int between = 0;
        for (int x = 0; x < w / 4; ++x) {
            const COLORREF c = at(form, s, x, h / 5);
            between += c != RGB(255, 0, 0) && c != RGB(0, 0, 255) && c != formPixel(form);
        }
        EXPECT_GT(between, 0);
        // The caption's dark text in the middle.
        s.FillColor(RGB(255, 255, 255));
        s.Caption(u"Hi");
        pump();
        int dark = 0;
        for (int y = h / 3; y < h * 2 / 3; ++y)
            for (int x = w / 3; x < w * 2 / 3; ++x)
                dark += channelDistance(at(form, s, x, y), RGB(0, 0, 0)) < 200;
        EXPECT_GT(dark, px(4));
        form.remove(s);
    }
    EnableTheming(TRUE);
}

INSTANTIATE_TEST_SUITE_P(Dpi, ShapePixelTest, ::testing::Values(96, 144));

TEST_F(ShapeTest, AbsurdSizesDrawAndManyShapesLeaveNothingBehind) {
    Form form(u"Form1");
    form.Show();
    auto& wide = form.add<ucShape>(u"shpWide", -1, box(10, 10, 60, 60));
    wide.Borderwidth(32767);
    wide.Shape(ShapeGeometry::Star);
    wide.RotationDegrees(33);
    auto& none = form.add<ucShape>(u"shpNone", -1, box(10, 10, 0, 0));
    none.Shape(ShapeGeometry::Heart);
    none.CurvingFactor(50);
    pump();
    EXPECT_LE(wide.Overdraw(), 4096);
    form.remove(wide);
    form.remove(none);
    for (int i = 0; i < 200; ++i) {
        auto& s = form.add<ucShape>(u"shp", -1, box(0, 0, 40, 40));
        s.Shape(i % ShapeGeometry::Count);
        s.FillStyle(0);
        s.RotationDegrees(static_cast<float>(i));
        s.Refresh();
        form.remove(s);
    }
    pump();
}

}  // namespace
