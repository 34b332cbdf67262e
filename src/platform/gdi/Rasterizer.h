// Exact, non-anti-aliased drawing of spans, rectangles, lines and filled shapes on a pixel
// surface, limited to a clip region. Coordinates here are surface pixels.
#pragma once

#include <climits>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/Region.h"

namespace orvane::platform {

// What a span is filled with.
struct Paint {
    enum class Kind { Solid, Pattern, Hatch };
    Kind kind = Kind::Solid;
    std::uint32_t color = 0;  // solid colour, or the hatch lines' colour
    // Pattern brushes: pixels, size and the surface point where the pattern starts.
    const std::uint32_t* pattern = nullptr;
    int patternWidth = 0;
    int patternHeight = 0;
    int originX = 0;
    int originY = 0;
    // Hatch brushes: the hatch index and, when opaque, the background colour.
    int hatch = 0;
    bool hatchOpaque = true;
    std::uint32_t background = 0;
    int rop2 = 13;  // R2_COPYPEN
};

// A cosmetic pen on its way along a polyline; the dash position carries over segments.
struct LinePen {
    Paint paint;
    int width = 1;
    int style = 0;
    int dashPos = 0;
};

class Rasterizer {
public:
    Rasterizer(PixelSurface& surface, const Region& clip) : m_surface(surface), m_clip(clip) {}

    void fillSpan(int y, int x0, int x1, const Paint& paint);
    void fillRect(const RECT& rc, const Paint& paint);
    void fillRegion(const Region& region, const Paint& paint);
    // Rows of spans from the top row down; each row may hold several spans.
    void fillRows(int top, const std::vector<std::vector<Span>>& rows, const Paint& paint);
    // A line from a to b; the end point is not drawn unless drawLast is set.
    void line(POINT a, POINT b, LinePen& pen, bool drawLast = false);

    static std::uint32_t applyRop2(int rop2, std::uint32_t pen, std::uint32_t dst);
    // The colour a paint gives at one surface pixel (hatch gaps take the background colour).
    static std::uint32_t paintPixel(const Paint& paint, int x, int y);

private:
    void fillClippedSpan(int y, int x0, int x1, const Paint& paint);
    void plot(int x, int y, const Paint& paint);
    void stamp(int x, int y, const LinePen& pen, std::map<int, std::vector<Span>>* wide);
    void fillGathered(std::map<int, std::vector<Span>>& rows, const Paint& paint);
    PixelSurface& m_surface;
    const Region& m_clip;
};

// Spans of the filled shapes GDI draws, one row at a time from the top. Only rows in
// [y0, y1) are made, so drawing a huge shape costs what shows of it.
namespace shapes {
// The pixels of an ellipse in the box [l, r) x [t, b), one span per row, from row max(t, y0).
std::vector<std::vector<Span>> ellipse(int l, int t, int r, int b, int y0 = INT_MIN,
                                       int y1 = INT_MAX);
// A rectangle with corners rounded by ellipses of the given width and height, from row
// max(t, y0).
std::vector<std::vector<Span>> roundRect(int l, int t, int r, int b, int ew, int eh,
                                         int y0 = INT_MIN, int y1 = INT_MAX);
// A polygon filled by the alternate or winding rule, sampled at pixel centres; `top`
// receives the first row's y.
std::vector<std::vector<Span>> polygon(const std::vector<POINT>& pts, bool winding, int& top,
                                       int y0 = INT_MIN, int y1 = INT_MAX);
// Several polygons filled as one figure.
std::vector<std::vector<Span>> polygons(const std::vector<std::vector<POINT>>& contours,
                                        bool winding, int& top, int y0 = INT_MIN, int y1 = INT_MAX);
// Splits single-span rows into the outline (width pixels thick) and the interior.
void splitOutline(const std::vector<std::vector<Span>>& rows, int width,
                  std::vector<std::vector<Span>>& outline, std::vector<std::vector<Span>>& inside);
Region toRegion(int top, const std::vector<std::vector<Span>>& rows);
}  // namespace shapes

}  // namespace orvane::platform
