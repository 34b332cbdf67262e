// Lines, rectangles, ellipses, polygons and pixels.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/user/SystemMetrics.h"

namespace orvane::platform {

namespace {

constexpr int kMaxPoints = 1 << 20;

// A brush argument may also be a system colour index plus one, as FillRect allows.
BrushObject* brushArg(HBRUSH brush) {
    if (brush.value > 0 && brush.value <= 31)
        brush = GetSysColorBrush(static_cast<int>(brush.value) - 1);
    return gdi::lookup<BrushObject>(brush);
}

// The corners of a logical rectangle in surface coordinates, for rotated mappings.
std::vector<POINT> rectPolygon(DeviceContext& dc, const RECT& rc) {
    return {dc.toSurface(rc.left, rc.top), dc.toSurface(rc.right, rc.top),
            dc.toSurface(rc.right, rc.bottom), dc.toSurface(rc.left, rc.bottom)};
}

std::vector<POINT> ellipsePolygon(DeviceContext& dc, const RECT& rc) {
    const double cx = (static_cast<double>(rc.left) + rc.right) / 2.0;
    const double cy = (static_cast<double>(rc.top) + rc.bottom) / 2.0;
    const double rx = (static_cast<double>(rc.right) - rc.left) / 2.0;
    const double ry = (static_cast<double>(rc.bottom) - rc.top) / 2.0;
    std::vector<POINT> pts;
    constexpr int kSteps = 72;
    for (int i = 0; i < kSteps; ++i) {
        const double a = 2 * M_PI * i / kSteps;
        double x, y;
        dc.toDevice(cx + rx * std::cos(a), cy + ry * std::sin(a), x, y);
        const POINT o = dc.surfaceOrigin();
        pts.push_back(POINT{gdi::roundCoord(x) + o.x, gdi::roundCoord(y) + o.y});
    }
    return pts;
}

// The rows a filled shape needs computing: those the clip region covers, plus a pen width
// either side for the outline's erosion.
void visibleRows(DeviceContext& dc, int penWidth, int& y0, int& y1) {
    const RECT box = dc.clipRegion().bounds();
    y0 = box.top - penWidth - 1;
    y1 = box.bottom + penWidth + 1;
}

// Fills a polygon given in surface coordinates and outlines it. In a mirrored DC the
// outline's points name pixels, which sit one to the left of the mirrored edges.
void fillAndOutlinePolygons(DeviceContext& dc, PixelSurface& s,
                            const std::vector<std::vector<POINT>>& contours, bool winding) {
    Rasterizer raster(s, dc.clipRegion());
    Paint fill;
    if (gdi::selectedBrushPaint(dc, fill)) {
        int top = 0, y0 = 0, y1 = 0;
        visibleRows(dc, 0, y0, y1);
        const auto rows = shapes::polygons(contours, winding, top, y0, y1);
        raster.fillRows(top, rows, fill);
    }
    LinePen pen;
    if (gdi::selectedPen(dc, pen)) {
        const int shift = dc.isMirrored() ? -1 : 0;
        for (const auto& pts : contours) {
            for (std::size_t i = 0; i < pts.size(); ++i) {
                const POINT a = pts[i], b = pts[(i + 1) % pts.size()];
                raster.line(POINT{a.x + shift, a.y}, POINT{b.x + shift, b.y}, pen);
            }
        }
    }
}

void fillAndOutlinePolygon(DeviceContext& dc, PixelSurface& s, const std::vector<POINT>& pts,
                           bool winding) {
    fillAndOutlinePolygons(dc, s, std::vector<std::vector<POINT>>{pts}, winding);
}

// Draws a convex shape given as rows: the interior with the brush, the outline with the pen.
void drawShape(DeviceContext& dc, PixelSurface& s, int top,
               const std::vector<std::vector<Span>>& rows) {
    Rasterizer raster(s, dc.clipRegion());
    Paint fill;
    const bool hasFill = gdi::selectedBrushPaint(dc, fill);
    LinePen pen;
    if (!gdi::selectedPen(dc, pen)) {
        if (hasFill) raster.fillRows(top, rows, fill);
        return;
    }
    std::vector<std::vector<Span>> outline, inside;
    shapes::splitOutline(rows, pen.width, outline, inside);
    if (hasFill) raster.fillRows(top, inside, fill);
    raster.fillRows(top, outline, pen.paint);
}

bool tooMany(int count) {
    if (count < 0 || count > kMaxPoints) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return true;
    }
    return false;
}

}  // namespace

int FillRect(HDC hdc, const RECT* rc, HBRUSH brush) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return 0;
    BrushObject* b = brushArg(brush);
    if (!rc || !b) return 0;
    PixelSurface* s = dc->surface();
    Paint paint;
    if (!s || !gdi::brushPaint(*dc, b, paint)) return 1;
    paint.rop2 = R2_COPYPEN;  // FillRect ignores the DC's mix mode
    if (dc->hasRotation()) {
        int top = 0, y0 = 0, y1 = 0;
        visibleRows(*dc, 0, y0, y1);
        const auto rows = shapes::polygon(rectPolygon(*dc, *rc), false, top, y0, y1);
        Rasterizer(*s, dc->clipRegion()).fillRows(top, rows, paint);
        return 1;
    }
    Rasterizer(*s, dc->clipRegion()).fillRect(dc->rectToSurface(*rc), paint);
    return 1;
}

int FrameRect(HDC hdc, const RECT* rc, HBRUSH brush) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return 0;
    BrushObject* b = brushArg(brush);
    if (!rc || !b) return 0;
    if (rc->right <= rc->left || rc->bottom <= rc->top) return 1;
    const RECT edges[4] = {{rc->left, rc->top, rc->right, rc->top + 1},
                           {rc->left, rc->bottom - 1, rc->right, rc->bottom},
                           {rc->left, rc->top + 1, rc->left + 1, rc->bottom - 1},
                           {rc->right - 1, rc->top + 1, rc->right, rc->bottom - 1}};
    for (const RECT& e : edges)
        FillRect(hdc, &e, HBRUSH(b->handle()));
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rc) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc || !rc) return FALSE;
    PixelSurface* s = dc->surface();
    if (!s) return TRUE;
    Paint paint;
    paint.rop2 = R2_NOT;
    Rasterizer(*s, dc->clipRegion()).fillRect(dc->rectToSurface(*rc), paint);
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    PixelSurface* s = dc->surface();
    if (!s) return TRUE;
    const RECT rc{std::min(left, right), std::min(top, bottom), std::max(left, right),
                  std::max(top, bottom)};
    if (dc->hasRotation()) {
        fillAndOutlinePolygon(*dc, *s, rectPolygon(*dc, rc), false);
        return TRUE;
    }
    const RECT r = dc->rectToSurface(rc);
    Rasterizer raster(*s, dc->clipRegion());
    Paint fill;
    const bool hasFill = gdi::selectedBrushPaint(*dc, fill);
    LinePen pen;
    if (!gdi::selectedPen(*dc, pen)) {
        // Without a pen the filled area is one pixel smaller on the right and bottom.
        if (hasFill) raster.fillRect(RECT{r.left, r.top, r.right - 1, r.bottom - 1}, fill);
        return TRUE;
    }
    auto* penObj = HandleTable::current().get<PenObject>(dc->state().pen);
    const int w = pen.width;
    RECT outer = r;
    if (w > 1 && penObj && penObj->style != PS_INSIDEFRAME) {
        outer = RECT{r.left - (w - 1) / 2, r.top - (w - 1) / 2, r.right + w / 2, r.bottom + w / 2};
    }
    RECT inner{outer.left + w, outer.top + w, outer.right - w, outer.bottom - w};
    if (hasFill) raster.fillRect(inner, fill);
    if (pen.style != PS_SOLID) {
        const POINT pts[5] = {{r.left, r.top},
                              {r.right - 1, r.top},
                              {r.right - 1, r.bottom - 1},
                              {r.left, r.bottom - 1},
                              {r.left, r.top}};
        for (int i = 0; i < 4; ++i)
            raster.line(pts[i], pts[i + 1], pen);
        return TRUE;
    }
    if (inner.right <= inner.left || inner.bottom <= inner.top) {
        raster.fillRect(outer, pen.paint);
        return TRUE;
    }
    raster.fillRect(RECT{outer.left, outer.top, outer.right, inner.top}, pen.paint);
    raster.fillRect(RECT{outer.left, inner.bottom, outer.right, outer.bottom}, pen.paint);
    raster.fillRect(RECT{outer.left, inner.top, inner.left, inner.bottom}, pen.paint);
    raster.fillRect(RECT{inner.right, inner.top, outer.right, inner.bottom}, pen.paint);
    return TRUE;
}

namespace {

// Ellipses and rounded rectangles: a box shape, outlined by the pen and filled by the brush.
// Without a pen the figure is one pixel smaller on the right and bottom, as with Rectangle.
BOOL drawBoxShape(HDC hdc, int left, int top, int right, int bottom, bool ellipse, int ew, int eh) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    PixelSurface* s = dc->surface();
    if (!s) return TRUE;
    const RECT rc{std::min(left, right), std::min(top, bottom), std::max(left, right),
                  std::max(top, bottom)};
    if (dc->hasRotation()) {
        fillAndOutlinePolygon(*dc, *s, ellipse ? ellipsePolygon(*dc, rc) : rectPolygon(*dc, rc),
                              false);
        return TRUE;
    }
    RECT r = dc->rectToSurface(rc);
    LinePen pen;
    const bool hasPen = gdi::selectedPen(*dc, pen);
    if (!hasPen) {
        --r.right;
        --r.bottom;
    }
    int y0, y1;
    visibleRows(*dc, hasPen ? pen.width : 0, y0, y1);
    drawShape(*dc, *s, std::max<int>(r.top, y0),
              ellipse ? shapes::ellipse(r.left, r.top, r.right, r.bottom, y0, y1)
                      : shapes::roundRect(r.left, r.top, r.right, r.bottom, ew, eh, y0, y1));
    return TRUE;
}

}  // namespace

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
    return drawBoxShape(hdc, left, top, right, bottom, false, width, height);
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    return drawBoxShape(hdc, left, top, right, bottom, true, 0, 0);
}

BOOL Polygon(HDC hdc, const POINT* pts, int count) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    if (tooMany(count) || (!pts && count)) return FALSE;
    if (count < 2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    PixelSurface* s = dc->surface();
    if (!s) return TRUE;
    std::vector<POINT> v;
    v.reserve(count);
    for (int i = 0; i < count; ++i)
        v.push_back(dc->toSurface(pts[i].x, pts[i].y));
    fillAndOutlinePolygon(*dc, *s, v, dc->state().polyFillMode == WINDING);
    return TRUE;
}

BOOL PolyPolygon(HDC hdc, const POINT* pts, const INT* counts, int polygons) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    if (!pts || !counts || polygons <= 0 || tooMany(polygons)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<std::vector<POINT>> contours(static_cast<std::size_t>(polygons));
    long long total = 0;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 2 || tooMany(counts[i]) || (total += counts[i]) > kMaxPoints) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        for (int k = 0; k < counts[i]; ++k)
            contours[i].push_back(dc->toSurface(pts[k].x, pts[k].y));
        pts += counts[i];
    }
    PixelSurface* s = dc->surface();
    if (!s) return TRUE;
    fillAndOutlinePolygons(*dc, *s, contours, dc->state().polyFillMode == WINDING);
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* pts, int count) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    if (tooMany(count) || (!pts && count)) return FALSE;
    if (count < 2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    PixelSurface* s = dc->surface();
    LinePen pen;
    if (!s || !gdi::selectedPen(*dc, pen)) return TRUE;
    Rasterizer raster(*s, dc->clipRegion());
    for (int i = 0; i + 1 < count; ++i)
        raster.line(dc->toPixel(pts[i].x, pts[i].y), dc->toPixel(pts[i + 1].x, pts[i + 1].y), pen);
    return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* old) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    if (old) *old = dc->state().currentPos;
    dc->state().currentPos = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    const POINT from = dc->state().currentPos;
    dc->state().currentPos = POINT{x, y};
    PixelSurface* s = dc->surface();
    LinePen pen;
    if (!s || !gdi::selectedPen(*dc, pen)) return TRUE;
    Rasterizer(*s, dc->clipRegion()).line(dc->toPixel(from.x, from.y), dc->toPixel(x, y), pen);
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, POINT* pt) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc || !pt) return FALSE;
    *pt = dc->state().currentPos;
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return CLR_INVALID;
    PixelSurface* s = dc->surface();
    const POINT p = dc->toPixel(x, y);
    if (!s || !dc->clipRegion().contains(p.x, p.y)) return CLR_INVALID;
    const std::uint32_t pixel = dc->pixelFor(color);
    s->at(p.x, p.y) = pixel;
    return PixelSurface::toColor(pixel);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) {
    return SetPixel(hdc, x, y, color) != CLR_INVALID ? TRUE : FALSE;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return CLR_INVALID;
    PixelSurface* s = dc->surface();
    const POINT p = dc->toPixel(x, y);
    if (!s || !dc->clipRegion().contains(p.x, p.y)) return CLR_INVALID;
    return PixelSurface::toColor(s->at(p.x, p.y)) & 0x00FFFFFF;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rc) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc || !rc) return FALSE;
    PixelSurface* s = dc->surface();
    if (!s) return TRUE;
    if (rc->right <= rc->left || rc->bottom <= rc->top) return TRUE;
    const RECT r = dc->rectToSurface(*rc);
    const Region& clip = dc->clipRegion();
    UINT bw = 1, bh = 1;
    SystemParametersInfoW(SPI_GETFOCUSBORDERWIDTH, 0, &bw, 0);
    SystemParametersInfoW(SPI_GETFOCUSBORDERHEIGHT, 0, &bh, 0);
    // Every other pixel of the border is inverted, so drawing twice restores the picture. Only
    // the rows and columns the clip region can show are visited.
    const RECT bounds = clip.bounds();
    RECT area;
    if (!IntersectRect(&area, &r, &bounds)) return TRUE;
    auto invert = [&](int x, int y) {
        if (((static_cast<long long>(x) - r.left) + (static_cast<long long>(y) - r.top)) % 2 != 0)
            return;
        if (!clip.contains(x, y)) return;
        s->at(x, y) = (s->at(x, y) ^ 0x00FFFFFFu) & 0x00FFFFFFu;
    };
    auto run = [&](int y, long long x0, long long x1) {
        for (long long x = std::max<long long>(x0, area.left);
             x < std::min<long long>(x1, area.right); ++x)
            invert(static_cast<int>(x), y);
    };
    for (int y = area.top; y < area.bottom; ++y) {
        const bool edgeRow =
            y < static_cast<long long>(r.top) + bh || y >= static_cast<long long>(r.bottom) - bh;
        if (edgeRow) {
            run(y, r.left, r.right);
        } else {
            run(y, r.left, static_cast<long long>(r.left) + bw);
            run(y,
                std::max<long long>(static_cast<long long>(r.right) - bw,
                                    static_cast<long long>(r.left) + bw),
                r.right);
        }
    }
    return TRUE;
}

}  // namespace orvane::platform
