// A vector outline in the manner of the GDI+ path: figures of straight lines and cubic Bézier
// curves, built from polygons, closed cardinal splines, ellipses, arcs and pies, filled with the
// alternate (even-odd) rule. Arcs and splines are kept as Béziers, so the bounds of the control
// points hold the whole outline, however it is transformed.
#pragma once

#include <cstddef>
#include <vector>

namespace orvane::platform {

struct PointF {
    float x = 0, y = 0;
};

struct RectF {
    float x = 0, y = 0, width = 0, height = 0;
};

// An affine transform, mapping (x, y) to (x·m11 + y·m21 + dx, x·m12 + y·m22 + dy), as the GDI+
// matrix does.
struct MatrixF {
    float m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
    PointF apply(PointF p) const {
        return {p.x * m11 + p.y * m21 + dx, p.x * m12 + p.y * m22 + dy};
    }
};

class GraphicsPath {
public:
    // How one point continues its figure.
    enum class Kind : unsigned char {
        Start,   // begins a figure
        Line,    // a straight line from the previous point
        Bezier,  // the first of three points (two controls and the end) of a cubic curve
        Control  // the second control point or end of a Bézier
    };
    struct Node {
        PointF p;
        Kind kind;
    };
    // One figure: its nodes and whether its end joins its start.
    struct Figure {
        std::vector<Node> nodes;
        bool closed = false;
    };

    // A closed figure through the points in order (nothing for fewer than two).
    void addPolygon(const PointF* points, std::size_t count);
    // A closed cardinal spline through the points in order, bent by `tension` (0 gives the
    // polygon; GDI+'s default is 0.5).
    void addClosedCurve(const PointF* points, std::size_t count, float tension);
    // The ellipse inside the rectangle, as its own closed figure.
    void addEllipse(const RectF& rect);
    // The arc of the ellipse inside `rect` from `startAngle` sweeping `sweepAngle` degrees
    // (clockwise on the screen for positive angles), continuing the open figure with a line to
    // its start when there is one.
    void addArc(const RectF& rect, float startAngle, float sweepAngle);
    // A straight line, continuing the open figure (with a line to its start when they differ).
    void addLine(PointF from, PointF to);
    // A closed wedge of the ellipse: centre, arc, and back to the centre.
    void addPie(const RectF& rect, float startAngle, float sweepAngle);
    // Closes the open figure; the next point starts a new one.
    void closeFigure();

    const std::vector<Figure>& figures() const { return m_figures; }
    bool empty() const { return m_figures.empty(); }
    // The smallest rectangle holding every point after `transform` (for Béziers, their control
    // points too, which bound the curve).
    RectF bounds(const MatrixF& transform = {}) const;

    // The Bézier control points of the closed cardinal spline: for segment i, from points[i] to
    // points[i + 1], the two controls c[2i] and c[2i + 1].
    static std::vector<PointF> closedCurveControls(const PointF* points, std::size_t count,
                                                   float tension);

private:
    // The figure points go into: the open one, or a new one starting at `start`.
    Figure& continueAt(PointF start);
    std::vector<Figure> m_figures;
    bool m_open = false;
};

}  // namespace orvane::platform
