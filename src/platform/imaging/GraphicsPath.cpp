#include "platform/imaging/GraphicsPath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane::platform {

namespace {

// GDI+ scales a spline's tension by this before turning it into Bézier handles: tension 0.5
// gives handles of 0.15 × the chord between the neighbouring points.
constexpr float kTensionScale = 0.3f;

constexpr double kPi = 3.14159265358979323846;

}  // namespace

GraphicsPath::Figure& GraphicsPath::continueAt(PointF start) {
    if (!m_open || m_figures.empty()) {
        m_figures.push_back({{{start, Kind::Start}}, false});
        m_open = true;
        return m_figures.back();
    }
    Figure& f = m_figures.back();
    const PointF last = f.nodes.back().p;
    if (last.x != start.x || last.y != start.y) f.nodes.push_back({start, Kind::Line});
    return f;
}

void GraphicsPath::closeFigure() {
    if (m_open && !m_figures.empty()) m_figures.back().closed = true;
    m_open = false;
}

void GraphicsPath::addPolygon(const PointF* points, std::size_t count) {
    if (count < 2) return;
    m_open = false;
    Figure& f = continueAt(points[0]);
    for (std::size_t i = 1; i < count; ++i)
        f.nodes.push_back({points[i], Kind::Line});
    closeFigure();
}

std::vector<PointF> GraphicsPath::closedCurveControls(const PointF* points, std::size_t count,
                                                      float tension) {
    std::vector<PointF> c(count * 2);
    const float k = tension * kTensionScale;
    for (std::size_t i = 0; i < count; ++i) {
        const PointF& prev = points[(i + count - 1) % count];
        const PointF& here = points[i];
        const PointF& next = points[(i + 1) % count];
        const PointF& after = points[(i + 2) % count];
        c[2 * i] = {here.x + k * (next.x - prev.x), here.y + k * (next.y - prev.y)};
        c[2 * i + 1] = {next.x - k * (after.x - here.x), next.y - k * (after.y - here.y)};
    }
    return c;
}

void GraphicsPath::addClosedCurve(const PointF* points, std::size_t count, float tension) {
    if (count < 2) return;
    const std::vector<PointF> c = closedCurveControls(points, count, tension);
    m_open = false;
    Figure& f = continueAt(points[0]);
    for (std::size_t i = 0; i < count; ++i) {
        f.nodes.push_back({c[2 * i], Kind::Bezier});
        f.nodes.push_back({c[2 * i + 1], Kind::Control});
        f.nodes.push_back({points[(i + 1) % count], Kind::Control});
    }
    closeFigure();
}

void GraphicsPath::addArc(const RectF& rect, float startAngle, float sweepAngle) {
    // Angles are taken on the circle the ellipse is stretched from; at multiples of 90° they
    // are the ellipse's own angles too.
    const double rx = rect.width / 2.0, ry = rect.height / 2.0;
    const double cx = rect.x + rx, cy = rect.y + ry;
    const double sweep = std::clamp<double>(sweepAngle, -360.0, 360.0);
    const int parts = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / 90.0 - 1e-9)));
    const double step = sweep / parts * kPi / 180.0;
    const double handle = 4.0 / 3.0 * std::tan(step / 4.0);
    double a = startAngle * kPi / 180.0;
    auto at = [&](double angle) {
        return PointF{static_cast<float>(cx + rx * std::cos(angle)),
                      static_cast<float>(cy + ry * std::sin(angle))};
    };
    Figure& f = continueAt(at(a));
    for (int i = 0; i < parts; ++i) {
        const double b = a + step;
        const PointF p0 = at(a), p1 = at(b);
        f.nodes.push_back({{static_cast<float>(p0.x - handle * rx * std::sin(a)),
                            static_cast<float>(p0.y + handle * ry * std::cos(a))},
                           Kind::Bezier});
        f.nodes.push_back({{static_cast<float>(p1.x + handle * rx * std::sin(b)),
                            static_cast<float>(p1.y - handle * ry * std::cos(b))},
                           Kind::Control});
        f.nodes.push_back({p1, Kind::Control});
        a = b;
    }
}

void GraphicsPath::addEllipse(const RectF& rect) {
    m_open = false;
    addArc(rect, 0, 360);
    closeFigure();
}

void GraphicsPath::addLine(PointF from, PointF to) {
    Figure& f = continueAt(from);
    f.nodes.push_back({to, Kind::Line});
}

void GraphicsPath::addPie(const RectF& rect, float startAngle, float sweepAngle) {
    m_open = false;
    const PointF centre{rect.x + rect.width / 2, rect.y + rect.height / 2};
    continueAt(centre);
    addArc(rect, startAngle, sweepAngle);
    closeFigure();
}

RectF GraphicsPath::bounds(const MatrixF& transform) const {
    float x0 = std::numeric_limits<float>::max(), y0 = x0;
    float x1 = std::numeric_limits<float>::lowest(), y1 = x1;
    for (const Figure& f : m_figures)
        for (const Node& n : f.nodes) {
            const PointF p = transform.apply(n.p);
            x0 = std::min(x0, p.x);
            y0 = std::min(y0, p.y);
            x1 = std::max(x1, p.x);
            y1 = std::max(y1, p.y);
        }
    if (x0 > x1) return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace orvane::platform
