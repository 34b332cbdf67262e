#include "controls/graphics/ShapeGeometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orvane {

using platform::GraphicsPath;
using platform::PointF;
using platform::RectF;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kMiterLimit = 10;

// Rounds as the host's CLng does: halves to even.
float roundLong(double v) {
    return static_cast<float>(std::nearbyint(v));
}

// Fixed outlines as fractions of the box, joined by closed cardinal splines.
constexpr PointF kHeart[] = {{0.50f, 0.22f}, {0.63f, 0.06f}, {0.80f, 0.02f}, {0.95f, 0.12f},
                             {1.00f, 0.30f}, {0.93f, 0.52f}, {0.72f, 0.76f}, {0.50f, 1.00f},
                             {0.28f, 0.76f}, {0.07f, 0.52f}, {0.00f, 0.30f}, {0.05f, 0.12f},
                             {0.20f, 0.02f}, {0.37f, 0.06f}};
constexpr PointF kDrop[] = {{0.50f, 0.00f}, {0.62f, 0.14f}, {0.80f, 0.32f}, {0.96f, 0.50f},
                            {1.00f, 0.68f}, {0.90f, 0.88f}, {0.50f, 1.00f}, {0.10f, 0.88f},
                            {0.00f, 0.68f}, {0.04f, 0.50f}, {0.20f, 0.32f}, {0.38f, 0.14f}};
constexpr PointF kLocation[] = {{0.50f, 1.00f}, {0.30f, 0.74f}, {0.10f, 0.52f}, {0.00f, 0.34f},
                                {0.06f, 0.14f}, {0.24f, 0.02f}, {0.50f, 0.00f}, {0.76f, 0.02f},
                                {0.94f, 0.14f}, {1.00f, 0.34f}, {0.90f, 0.52f}, {0.70f, 0.74f}};
constexpr PointF kShield[] = {
    {0.00f, 0.04f}, {0.14f, 0.01f}, {0.28f, 0.00f}, {0.42f, 0.03f}, {0.58f, 0.03f}, {0.72f, 0.00f},
    {0.86f, 0.01f}, {1.00f, 0.04f}, {1.00f, 0.14f}, {1.00f, 0.26f}, {0.98f, 0.40f}, {0.94f, 0.54f},
    {0.87f, 0.67f}, {0.77f, 0.80f}, {0.64f, 0.91f}, {0.50f, 1.00f}, {0.36f, 0.91f}, {0.23f, 0.80f},
    {0.13f, 0.67f}, {0.06f, 0.54f}, {0.02f, 0.40f}, {0.00f, 0.26f}, {0.00f, 0.14f}};

class Builder {
public:
    explicit Builder(const ShapeGeometry::Input& in) : m_in(in), m_w(in.width), m_h(in.height) {}

    ShapeGeometry::Figure build();

private:
    PointF at(float fx, float fy) const { return {fx * m_w, fy * m_h}; }
    // A polygon of the catalogue: straight, or curved with the shape's tension.
    void polygon(const std::vector<PointF>& pts);
    // A free-form outline from fractions of the box.
    void curve(const PointF* fractions, std::size_t count, float tension);
    void ellipsePoints(std::vector<PointF>& out, float cx, float cy, float rx, float ry, int n,
                       double startDeg);
    void roundedBox(float x, float y, float w, float h, float r);
    void star();
    void crescent();
    void cloud();
    void talk();
    void egg();
    void location();

    const ShapeGeometry::Input& m_in;
    float m_w, m_h;
    ShapeGeometry::Figure m_out;
};

void Builder::polygon(const std::vector<PointF>& pts) {
    if (m_in.tension != 0) {
        m_out.path.addClosedCurve(pts.data(), pts.size(), m_in.tension);
        return;
    }
    m_out.path.addPolygon(pts.data(), pts.size());
    // A join reaches 1 / sin(θ / 2) half widths beyond a corner of angle θ, up to the limit.
    const std::size_t n = pts.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PointF& a = pts[(i + n - 1) % n];
        const PointF& b = pts[i];
        const PointF& c = pts[(i + 1) % n];
        const double ux = a.x - b.x, uy = a.y - b.y, vx = c.x - b.x, vy = c.y - b.y;
        const double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
        if (lu == 0 || lv == 0) continue;
        const double cosTheta = std::clamp((ux * vx + uy * vy) / (lu * lv), -1.0, 1.0);
        const double s = std::sqrt((1 - cosTheta) / 2);  // sin(θ / 2)
        const float factor = s > 1e-6 ? static_cast<float>(1 / s) : kMiterLimit;
        m_out.miterFactor = std::max(m_out.miterFactor, std::min(factor, kMiterLimit));
    }
}

void Builder::curve(const PointF* fractions, std::size_t count, float tension) {
    std::vector<PointF> pts;
    pts.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        pts.push_back(at(fractions[i].x, fractions[i].y));
    m_out.path.addClosedCurve(pts.data(), pts.size(), tension);
}

void Builder::ellipsePoints(std::vector<PointF>& out, float cx, float cy, float rx, float ry, int n,
                            double startDeg) {
    for (int i = 0; i < n; ++i) {
        const double a = (startDeg + 360.0 * i / n) * kPi / 180.0;
        out.push_back(
            {static_cast<float>(cx + rx * std::cos(a)), static_cast<float>(cy + ry * std::sin(a))});
    }
}

void Builder::roundedBox(float x, float y, float w, float h, float r) {
    r = std::clamp(r, 0.0f, std::min(w, h) / 2);
    const float d = 2 * r;
    GraphicsPath& p = m_out.path;
    p.addArc({x, y, d, d}, 180, 90);
    p.addArc({x + w - d, y, d, d}, 270, 90);
    p.addArc({x + w - d, y + h - d, d, d}, 0, 90);
    p.addArc({x, y + h - d, d, d}, 90, 90);
    p.closeFigure();
}

// 2n points alternating between the outer and the inner circle, a point of the star at the top.
// Angles run clockwise from the top: point i at (i + 1) × 360° / 2n.
void Builder::star() {
    const int n = std::clamp(m_in.vertices, 2, 100);
    const float d = std::min(m_w, m_h) + 1;
    const float k = roundLong(d / 100.0 * m_in.shift / 3.0 + 10.0);
    const float outer = d / 2, inner = std::max(0.0f, d / 2 - k);
    const float cx = m_w / 2, cy = m_h / 2;
    std::vector<PointF> pts;
    for (int i = 0; i < 2 * n; ++i) {
        const double a = (i + 1) * 2 * kPi / (2 * n);
        const float r = i % 2 == 1 ? outer : inner;
        pts.push_back(
            {static_cast<float>(cx + r * std::sin(a)), static_cast<float>(cy - r * std::cos(a))});
    }
    polygon(pts);
}

// The outer edge on the left half of a circle, the inner edge a curve from tip to tip whose
// deepest point moves right as Shift grows.
void Builder::crescent() {
    std::vector<PointF> f;
    for (double deg : {290.0, 250.0, 215.0, 180.0, 145.0, 110.0, 70.0}) {
        const double a = deg * kPi / 180.0;
        f.push_back({static_cast<float>(0.5 + 0.5 * std::cos(a)),
                     static_cast<float>(0.5 + 0.5 * std::sin(a))});
    }
    const float tipX = f.front().x, tipY = f.back().y - 0.5f;
    const float depth = std::clamp(0.35f + m_in.shift / 100.0f * 0.5f, 0.05f, 0.95f);
    for (float y : {0.80f, 0.65f, 0.50f, 0.35f, 0.20f}) {
        const float t = (y - 0.5f) / tipY;
        f.push_back({depth + (tipX - depth) * t * t, y});
    }
    curve(f.data(), f.size(), 0.5f);
}

// Ten bumps around a flattened ring: points alternating between the bumps' tops and the dips.
void Builder::cloud() {
    std::vector<PointF> f;
    for (int i = 0; i < 20; ++i) {
        const double a = (i * 18.0 - 90.0) * kPi / 180.0;
        const double r = i % 2 == 0 ? 0.5 : 0.38;
        f.push_back(
            {static_cast<float>(0.5 + r * std::cos(a)), static_cast<float>(0.5 + r * std::sin(a))});
    }
    curve(f.data(), f.size(), 0.5f);
}

// A thought bubble: an oval of ten points and three small ovals trailing down to the lower
// left, placed by Shift.
void Builder::talk() {
    std::vector<PointF> body;
    ellipsePoints(body, m_w * 0.5f, m_h * 0.36f, m_w * 0.5f, m_h * 0.36f, 10, -90);
    m_out.path.addClosedCurve(body.data(), body.size(), 0.5f);
    const float x = std::clamp(0.34f - m_in.shift / 100.0f * 0.5f, 0.12f, 0.8f);
    m_out.path.addEllipse({(x - 0.07f) * m_w, 0.74f * m_h, 0.14f * m_w, 0.1f * m_h});
    m_out.path.addEllipse({(x - 0.15f) * m_w, 0.86f * m_h, 0.09f * m_w, 0.07f * m_h});
    m_out.path.addEllipse({(x - 0.21f) * m_w, 0.95f * m_h, 0.05f * m_w, 0.05f * m_h});
}

// An oval narrower at the top than at the bottom.
void Builder::egg() {
    std::vector<PointF> f;
    for (int i = 0; i < 12; ++i) {
        const double a = i * 30.0 * kPi / 180.0;
        const double widthAt = 0.8 + 0.2 * (1 + std::sin(a)) / 2;
        f.push_back({static_cast<float>(0.5 + 0.5 * std::cos(a) * widthAt),
                     static_cast<float>(0.5 + 0.5 * std::sin(a))});
    }
    curve(f.data(), f.size(), 0.5f);
}

// A map pin: a round head drawn to a point at the bottom, with a round hole.
void Builder::location() {
    curve(kLocation, std::size(kLocation), 0.5f);
    std::vector<PointF> hole;
    ellipsePoints(hole, m_w * 0.5f, m_h * 0.34f, m_w * 0.2f, m_h * 0.15f, 8, 0);
    m_out.path.addClosedCurve(hole.data(), hole.size(), 0.55f);
}

ShapeGeometry::Figure Builder::build() {
    const float w = m_w, h = m_h;
    const float d = std::min(w, h) + 1;  // the smaller side, in whole pixels
    const float s = m_in.shift;
    // The kite's and diamond's side points.
    const float yk = h / 2 - h / 100 * s / 20 * 15;
    switch (m_in.shape) {
        case ShapeGeometry::Rectangle:
            polygon({{0, 0}, {w, 0}, {w, h}, {0, h}});
            break;
        case ShapeGeometry::Square: {
            const float side = d - 1, x = (w - side) / 2, y = (h - side) / 2;
            polygon({{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}});
            break;
        }
        case ShapeGeometry::Oval:
            m_out.path.addEllipse({0, 0, w, h});
            break;
        case ShapeGeometry::Circle: {
            const float c = std::min(w, h);
            m_out.path.addEllipse({w / 2 - c / 2, h / 2 - c / 2, c, c});
            break;
        }
        case ShapeGeometry::RoundedRectangle:
            roundedBox(0, 0, w, h, roundLong(d * 0.125));
            break;
        case ShapeGeometry::RoundedSquare: {
            const float side = d - 1;
            roundedBox((w - side) / 2, (h - side) / 2, side, side, roundLong(d * 0.125));
            break;
        }
        case ShapeGeometry::TriangleEquilateral: {
            const float side = d, th = side * std::sqrt(3.0f) / 2;
            polygon({{w / 2, h / 2 - th / 2},
                     {w / 2 - side / 2, h / 2 + th / 2},
                     {w / 2 + side / 2, h / 2 + th / 2}});
            break;
        }
        case ShapeGeometry::TriangleIsosceles:
            polygon({{w / 2, 0}, {0, h}, {w, h}});
            break;
        case ShapeGeometry::TriangleScalene:
            polygon({{w / 2 - w / 100 * s, 0}, {0, h}, {w, h}});
            break;
        case ShapeGeometry::TriangleRight:
            polygon({{0, 0}, {0, h}, {w, h}});
            break;
        case ShapeGeometry::Rhombus:
            polygon({{w / 2, 0}, {0, h / 2}, {w / 2, h}, {w, h / 2}});
            break;
        case ShapeGeometry::Kite:
            polygon({{w / 2, 0}, {0, yk}, {w / 2, h}, {w, yk}});
            break;
        case ShapeGeometry::Diamond:
            polygon({{0.33f * w, 0}, {0, yk}, {w / 2, h}, {w, yk}, {0.66f * w, 0}});
            break;
        case ShapeGeometry::Trapezoid: {
            const float a = std::min(roundLong(w / 100 * s), w / 2);
            polygon({{a, 0}, {0, h}, {w, h}, {w - a, 0}});
            break;
        }
        case ShapeGeometry::Paralellogram: {
            const float a = roundLong(w / 100 * s);
            polygon({{a, 0}, {0, h}, {w - a, h}, {w, 0}});
            break;
        }
        case ShapeGeometry::Semicircle:
            m_out.path.addPie({0, 0, w, 2 * h}, 180, 180);
            break;
        case ShapeGeometry::RegularPolygon: {
            // Point i at (i + 1) × 360° / n clockwise from the top: a vertex at the top.
            const int n = std::clamp(m_in.vertices, 2, 100);
            std::vector<PointF> pts;
            for (int i = 0; i < n; ++i) {
                const double a = (i + 1) * 2 * kPi / n;
                pts.push_back({static_cast<float>(w / 2 + d / 2 * std::sin(a)),
                               static_cast<float>(h / 2 - d / 2 * std::cos(a))});
            }
            polygon(pts);
            break;
        }
        case ShapeGeometry::Star:
        case ShapeGeometry::JaggedStar:
            star();
            break;
        case ShapeGeometry::Heart:
            curve(kHeart, std::size(kHeart), 0.45f);
            break;
        case ShapeGeometry::Arrow: {
            const float xh = std::min(w * (0.75f - s / 100 * 0.75f / 20 * 15), 0.95f * w);
            polygon({{0.005f * w, 0.25f * h},
                     {xh, 0.25f * h},
                     {xh, 0.005f * h},
                     {0.995f * w, h / 2},
                     {xh, 0.995f * h},
                     {xh, 0.75f * h},
                     {0.005f * w, 0.75f * h}});
            break;
        }
        case ShapeGeometry::Crescent:
            crescent();
            break;
        case ShapeGeometry::Drop:
            curve(kDrop, std::size(kDrop), 0.5f);
            break;
        case ShapeGeometry::Egg:
            egg();
            break;
        case ShapeGeometry::Location:
            location();
            break;
        case ShapeGeometry::Speaker:
            polygon({{0, 0.28f * h},
                     {0.37f * w, 0.28f * h},
                     {w, 0},
                     {w, h},
                     {0.37f * w, 0.72f * h},
                     {0, 0.72f * h}});
            break;
        case ShapeGeometry::Cloud:
            cloud();
            break;
        case ShapeGeometry::Talk:
            talk();
            break;
        case ShapeGeometry::Shield:
            curve(kShield, std::size(kShield), 0.5f);
            break;
        default:
            break;
    }
    return std::move(m_out);
}

}  // namespace

ShapeGeometry::Figure ShapeGeometry::figure(const Input& in) {
    Input safe = in;
    // Outlandish values still give a drawable figure.
    safe.width = std::max(0.0f, in.width);
    safe.height = std::max(0.0f, in.height);
    safe.shift = std::isfinite(in.shift) ? std::clamp(in.shift, -10000.0f, 10000.0f) : 0.0f;
    return Builder(safe).build();
}

bool ShapeGeometry::usesShift(std::int32_t shape) {
    switch (shape) {
        case TriangleScalene:
        case Kite:
        case Diamond:
        case Trapezoid:
        case Paralellogram:
        case Star:
        case JaggedStar:
        case Arrow:
        case Crescent:
        case Talk:
            return true;
        default:
            return false;
    }
}

float ShapeGeometry::tensionFor(std::int32_t curvingFactor) {
    const float f = static_cast<float>(std::clamp(curvingFactor, -100, 100)) / 100.0f;
    return f > 0 ? f : f * 0.5f;
}

}  // namespace orvane
