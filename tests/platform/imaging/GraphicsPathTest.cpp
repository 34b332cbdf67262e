// Paths: closed cardinal splines bent by their tension, bounds under a transform, fills by the
// alternate rule with and without smoothing, thin pens, and graphics made from a device context
// drawing in its logical coordinates and only inside its clipping.
#include <gtest/gtest.h>

#include <cmath>

#include "../gdi/GdiTestSupport.h"
#include "platform/imaging/GraphicsPath.h"
#include "platform/imaging/ImageGraphics.h"

using namespace orvane::platform;

namespace {

constexpr std::uint32_t kInk = 0xFF000000;

PixelSurface blank(int w, int h) {
    return PixelSurface(w, h, 0);
}

}  // namespace

TEST(GraphicsPath, ClosedCurvesBendByTheirTensionAndPassThroughThePoints) {
    const PointF square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    // No tension: each segment's controls lie on it, the polygon.
    auto c = GraphicsPath::closedCurveControls(square, 4, 0);
    EXPECT_FLOAT_EQ(c[0].x, 0);
    EXPECT_FLOAT_EQ(c[1].x, 10);
    // Tension 0.5: the handles are 0.15 of the chord between the neighbours.
    c = GraphicsPath::closedCurveControls(square, 4, 0.5f);
    EXPECT_FLOAT_EQ(c[0].x, 0 + 0.15f * (10 - 0));
    EXPECT_FLOAT_EQ(c[0].y, 0 + 0.15f * (0 - 10));
    EXPECT_FLOAT_EQ(c[1].x, 10 - 0.15f * (10 - 0));
    EXPECT_FLOAT_EQ(c[1].y, 0 - 0.15f * (10 - 0));
    GraphicsPath p;
    p.addClosedCurve(square, 4, 0.5f);
    ASSERT_EQ(p.figures().size(), 1u);
    const auto& nodes = p.figures()[0].nodes;
    EXPECT_EQ(nodes.size(), 1u + 4 * 3);   // the start and three points a segment
    EXPECT_FLOAT_EQ(nodes.back().p.x, 0);  // back at the first point
    EXPECT_TRUE(p.figures()[0].closed);
    // Bulging outward, the curve's bounds reach beyond the points.
    const RectF b = p.bounds();
    EXPECT_LT(b.y, 0);
    EXPECT_GT(b.x + b.width, 10);
}

TEST(GraphicsPath, BoundsFollowTheTransformAndArcsTheirEllipse) {
    GraphicsPath p;
    const PointF line[] = {{0, 0}, {20, 0}, {20, 10}};
    p.addPolygon(line, 3);
    MatrixF quarter{0, 1, -1, 0, 0, 0};  // a quarter turn: (x, y) -> (-y, x)
    const RectF b = p.bounds(quarter);
    EXPECT_FLOAT_EQ(b.x, -10);
    EXPECT_FLOAT_EQ(b.width, 10);
    EXPECT_FLOAT_EQ(b.height, 20);
    GraphicsPath pie;
    pie.addPie({0, 0, 40, 20}, 180, 180);  // the upper half
    const RectF pb = pie.bounds();
    EXPECT_NEAR(pb.x, 0, 1e-3);
    EXPECT_NEAR(pb.x + pb.width, 40, 1e-3);
    EXPECT_NEAR(pb.y + pb.height, 10, 1e-3);  // down to the centre line
    EXPECT_NEAR(pb.y, -0.0, 0.1);             // up to the top, the controls a little further
}

TEST(ImageGraphics, PathsFillByTheAlternateRuleSmoothOrNot) {
    PixelSurface s = blank(40, 40);
    ImageGraphics g(s);
    GraphicsPath ring;
    const PointF outer[] = {{4, 4}, {36, 4}, {36, 36}, {4, 36}};
    const PointF inner[] = {{14, 14}, {26, 14}, {26, 26}, {14, 26}};
    ring.addPolygon(outer, 4);
    ring.addPolygon(inner, 4);
    g.fillPath(kInk, ring);
    EXPECT_EQ(s.at(8, 20), kInk);
    EXPECT_EQ(s.at(20, 20), 0u);  // the hole
    EXPECT_EQ(s.at(2, 2), 0u);
    // A circle in whole pixels has only full or empty pixels; smoothed, some in between.
    auto partial = [](const PixelSurface& p) {
        int n = 0;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x)
                n += p.at(x, y) != 0 && p.at(x, y) != kInk;
        return n;
    };
    GraphicsPath circle;
    circle.addEllipse({3.3f, 3.3f, 30, 30});
    PixelSurface hard = blank(40, 40), soft = blank(40, 40);
    ImageGraphics(hard).fillPath(kInk, circle);
    ImageGraphics gs(soft);
    gs.setSmoothingMode(SmoothingMode::AntiAlias);
    gs.fillPath(kInk, circle);
    EXPECT_EQ(partial(hard), 0);
    EXPECT_GT(partial(soft), 20);
    EXPECT_EQ(soft.at(18, 18), kInk);
    // A pen thinner than a pixel still draws a whole pixel.
    PixelSurface thin = blank(20, 20);
    GraphicsPath line;
    line.addLine({0, 10.5f}, {20, 10.5f});
    ImageGraphics(thin).drawPath(kInk, 0.1f, line);
    EXPECT_EQ(thin.at(10, 10), kInk);
}

using DcGraphics = orvane::platform::test::GdiTest;

TEST_F(DcGraphics, DrawInLogicalCoordinatesWithinTheClip) {
    orvane::platform::test::Canvas canvas(40, 40, orvane::platform::test::kWhite);
    SetViewportOrgEx(canvas.dc(), 10, 10, nullptr);
    IntersectClipRect(canvas.dc(), 0, 0, 10, 30);  // device x 10 to 20
    {
        auto g = ImageGraphics::fromHdc(canvas.dc());
        ASSERT_TRUE(g);
        GraphicsPath box;
        const PointF pts[] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
        box.addPolygon(pts, 4);
        g->fillPath(0xFFFF0000, box);
    }
    EXPECT_EQ(canvas.at(12, 12), orvane::platform::test::kRed);    // logical (2, 2)
    EXPECT_EQ(canvas.at(25, 12), orvane::platform::test::kWhite);  // outside the clip
    EXPECT_EQ(canvas.at(5, 5), orvane::platform::test::kWhite);    // before the origin
    // A monochrome bitmap has no colours to draw in.
    const HDC mono = CreateCompatibleDC(HDC());
    EXPECT_FALSE(ImageGraphics::fromHdc(mono));
    DeleteDC(mono);
}
