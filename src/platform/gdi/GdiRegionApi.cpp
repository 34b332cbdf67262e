// Region objects, region drawing and clipping.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"

namespace orvane::platform {

namespace {

HRGN addRegion(Region r) {
    return HRGN(HandleTable::current().add(std::make_unique<RegionObject>(std::move(r))));
}

RECT normalized(int l, int t, int r, int b) {
    return RECT{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

// A logical rectangle in device coordinates.
RECT logicalToDevice(DeviceContext& dc, const RECT& rc) {
    RECT r = dc.rectToSurface(rc);
    const POINT org = dc.surfaceOrigin();
    OffsetRect(&r, -org.x, -org.y);
    return r;
}

int clipComplexity(DeviceContext& dc) {
    return dc.deviceClip().complexity();
}

// A clip region as the caller gives or gets it and as the DC keeps it: a mirrored DC flips it
// across its width (the flip is its own inverse).
Region deviceClip(DeviceContext& dc, const Region& region) {
    return dc.isMirrored() ? region.mirrored(dc.deviceSize().cx) : region;
}

// A logical region in surface coordinates: the origins move it and a mirrored DC flips it.
// Other world transforms than translation are not applied to regions.
Region regionToSurface(DeviceContext& dc, const Region& logical) {
    const POINT o = dc.toSurface(0, 0);
    if (dc.isMirrored()) {
        Region r = logical.mirrored(o.x);
        r.offset(0, o.y);
        return r;
    }
    Region r = logical;
    r.offset(o.x, o.y);
    return r;
}

// The points p with p + d inside the region for every offset d in [-n, n] along one axis.
// Each step doubles the run of offsets covered, so wide frames cost a few combines.
Region erode(const Region& region, LONG n, bool horizontal) {
    const RECT box = region.bounds();
    n = std::min<LONG>(n, horizontal ? box.right - box.left : box.bottom - box.top);
    Region acc = region;  // points whose offsets [0, covered] all stay inside
    LONG covered = 0;
    while (covered < 2 * n) {
        const LONG step = std::min<LONG>(covered + 1, 2 * n - covered);
        Region shifted = acc;
        shifted.offset(horizontal ? -step : 0, horizontal ? 0 : -step);
        acc = Region::combine(acc, shifted, Region::Op::And);
        covered += step;
    }
    acc.offset(horizontal ? n : 0, horizontal ? 0 : n);
    return acc;
}

constexpr int kMaxRegionCoord = 1 << 27;

// The region operation of an RGN_ mode other than RGN_COPY.
std::optional<Region::Op> regionOp(int mode) {
    switch (mode) {
        case RGN_AND:
            return Region::Op::And;
        case RGN_OR:
            return Region::Op::Or;
        case RGN_XOR:
            return Region::Op::Xor;
        case RGN_DIFF:
            return Region::Op::Diff;
    }
    return std::nullopt;
}

bool sane(int l, int t, int r, int b) {
    auto ok = [](int v) { return v > -kMaxRegionCoord && v < kMaxRegionCoord; };
    return ok(l) && ok(t) && ok(r) && ok(b);
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    if (!sane(left, top, right, bottom)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HRGN();
    }
    return addRegion(Region(normalized(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* rc) {
    if (!rc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HRGN();
    }
    return CreateRectRgn(rc->left, rc->top, rc->right, rc->bottom);
}

// Curved regions are built row by row; taller ones than this are refused rather than made
// of millions of bands.
constexpr long long kMaxShapeRows = 1 << 17;

bool tooTall(long long rows) {
    if (rows <= kMaxShapeRows) return false;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return true;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height) {
    if (!sane(left, top, right, bottom)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HRGN();
    }
    const RECT r = normalized(left, top, right, bottom);
    const int ew = std::min(std::abs(width), static_cast<int>(r.right - r.left));
    const int eh = std::min(std::abs(height), static_cast<int>(r.bottom - r.top));
    if (ew < 2 || eh < 2) return CreateRectRgn(r.left, r.top, r.right, r.bottom);
    // Only the rows of the rounded corners need building; the straight middle is one band.
    const int corner = eh / 2 + 1;
    if (tooTall(2LL * corner)) return HRGN();
    if (static_cast<long long>(r.bottom) - r.top <= 2LL * corner)
        return addRegion(shapes::toRegion(
            r.top, shapes::roundRect(r.left, r.top, r.right, r.bottom, width, height)));
    Region upper = shapes::toRegion(r.top, shapes::roundRect(r.left, r.top, r.right, r.bottom,
                                                             width, height, r.top, r.top + corner));
    Region lower = shapes::toRegion(
        r.bottom - corner, shapes::roundRect(r.left, r.top, r.right, r.bottom, width, height,
                                             r.bottom - corner, r.bottom));
    Region middle(RECT{r.left, r.top + corner, r.right, r.bottom - corner});
    return addRegion(
        Region::combine(Region::combine(upper, middle, Region::Op::Or), lower, Region::Op::Or));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    if (!sane(left, top, right, bottom)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HRGN();
    }
    const RECT r = normalized(left, top, right, bottom);
    if (tooTall(static_cast<long long>(r.bottom) - r.top)) return HRGN();
    return addRegion(shapes::toRegion(r.top, shapes::ellipse(r.left, r.top, r.right, r.bottom)));
}

HRGN CreateEllipticRgnIndirect(const RECT* rc) {
    if (!rc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HRGN();
    }
    return CreateEllipticRgn(rc->left, rc->top, rc->right, rc->bottom);
}

HRGN CreatePolygonRgn(const POINT* pts, int count, int mode) {
    if (!pts || count < 0 || (mode != ALTERNATE && mode != WINDING)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HRGN();
    }
    std::vector<POINT> v(pts, pts + count);
    for (const POINT& p : v)
        if (!sane(p.x, p.y, 0, 0)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return HRGN();
        }
    if (!v.empty()) {
        const auto [lo, hi] = std::minmax_element(
            v.begin(), v.end(), [](const POINT& a, const POINT& b) { return a.y < b.y; });
        if (tooTall(static_cast<long long>(hi->y) - lo->y)) return HRGN();
    }
    int top = 0;
    auto rows = shapes::polygon(v, mode == WINDING, top);
    return addRegion(shapes::toRegion(top, rows));
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
    auto* d = gdi::lookup<RegionObject>(dst);
    auto* ra = gdi::lookup<RegionObject>(a);
    if (!d || !ra) return ERROR;
    if (mode == RGN_COPY) {
        d->region = ra->region;
        return d->region.complexity();
    }
    auto* rb = gdi::lookup<RegionObject>(b);
    if (!rb) return ERROR;
    const auto op = regionOp(mode);
    if (!op) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    d->region = Region::combine(ra->region, rb->region, *op);
    return d->region.complexity();
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
    auto* r = gdi::lookup<RegionObject>(rgn);
    if (!r) return FALSE;
    r->region = Region(normalized(left, top, right, bottom));
    return TRUE;
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
    auto* r = gdi::lookup<RegionObject>(rgn);
    if (!r) return ERROR;
    r->region.offset(dx, dy);
    return r->region.complexity();
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
    auto* r = gdi::lookup<RegionObject>(rgn);
    return r && r->region.contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN rgn, const RECT* rc) {
    auto* r = gdi::lookup<RegionObject>(rgn);
    if (!r || !rc) return FALSE;
    return r->region.intersects(normalized(rc->left, rc->top, rc->right, rc->bottom)) ? TRUE
                                                                                      : FALSE;
}

BOOL EqualRgn(HRGN a, HRGN b) {
    auto* ra = gdi::lookup<RegionObject>(a);
    auto* rb = gdi::lookup<RegionObject>(b);
    if (!ra || !rb) return ERROR;
    return ra->region == rb->region ? TRUE : FALSE;
}

int GetRgnBox(HRGN rgn, RECT* rc) {
    auto* r = gdi::lookup<RegionObject>(rgn);
    if (!r || !rc) return ERROR;
    *rc = r->region.bounds();
    return r->region.complexity();
}

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    auto* r = gdi::lookup<RegionObject>(rgn);
    auto* b = gdi::lookup<BrushObject>(brush);
    if (!dc || !r || !b) return FALSE;
    PixelSurface* s = dc->surface();
    Paint paint;
    if (!s || !gdi::brushPaint(*dc, b, paint)) return TRUE;
    Rasterizer(*s, dc->clipRegion()).fillRegion(regionToSurface(*dc, r->region), paint);
    return TRUE;
}

BOOL PaintRgn(HDC hdc, HRGN rgn) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return FALSE;
    return FillRgn(hdc, rgn, HBRUSH(dc->state().brush));
}

BOOL InvertRgn(HDC hdc, HRGN rgn) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    auto* r = gdi::lookup<RegionObject>(rgn);
    if (!dc || !r) return FALSE;
    PixelSurface* s = dc->surface();
    if (!s) return TRUE;
    Paint paint;
    paint.rop2 = R2_NOT;
    Rasterizer(*s, dc->clipRegion()).fillRegion(regionToSurface(*dc, r->region), paint);
    return TRUE;
}

BOOL FrameRgn(HDC hdc, HRGN rgn, HBRUSH brush, int width, int height) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    auto* r = gdi::lookup<RegionObject>(rgn);
    auto* b = gdi::lookup<BrushObject>(brush);
    if (!dc || !r || !b) return FALSE;
    if (width <= 0 || height <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // The frame is the region minus its erosion by the brush box: the pixels whose box of
    // width x height pixels either side reaches outside. Boxes erode one axis at a time.
    const Region eroded = erode(erode(r->region, width, true), height, false);
    const Region frame = Region::combine(r->region, eroded, Region::Op::Diff);
    PixelSurface* s = dc->surface();
    Paint paint;
    if (!s || !gdi::brushPaint(*dc, b, paint)) return TRUE;
    Rasterizer(*s, dc->clipRegion()).fillRegion(regionToSurface(*dc, frame), paint);
    return TRUE;
}

int SelectClipRgn(HDC hdc, HRGN rgn) {
    return ExtSelectClipRgn(hdc, rgn, RGN_COPY);
}

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return ERROR;
    auto& clip = dc->state().clip;
    if (!rgn) {
        // Only RGN_COPY accepts no region: it removes the clip region.
        if (mode != RGN_COPY) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return ERROR;
        }
        clip.reset();
    } else {
        auto* r = gdi::lookup<RegionObject>(rgn);
        if (!r) return ERROR;
        const Region given = deviceClip(*dc, r->region);
        if (mode == RGN_COPY) {
            clip = given;
        } else {
            const auto op = regionOp(mode);
            if (!op) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return ERROR;
            }
            // Without a clip region the whole device is where the operation starts.
            clip = Region::combine(clip ? *clip : dc->systemRegion(), given, *op);
        }
    }
    dc->invalidateClip();
    return clipComplexity(*dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return ERROR;
    const Region cut(logicalToDevice(*dc, normalized(left, top, right, bottom)));
    auto& clip = dc->state().clip;
    clip = Region::combine(clip ? *clip : dc->systemRegion(), cut, Region::Op::Diff);
    dc->invalidateClip();
    return clipComplexity(*dc);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return ERROR;
    const Region keep(logicalToDevice(*dc, normalized(left, top, right, bottom)));
    auto& clip = dc->state().clip;
    clip = clip ? Region::combine(*clip, keep, Region::Op::And) : keep;
    dc->invalidateClip();
    return clipComplexity(*dc);
}

int OffsetClipRgn(HDC hdc, int dx, int dy) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return ERROR;
    if (dc->state().clip) dc->state().clip->offset(dc->isMirrored() ? -dx : dx, dy);
    dc->invalidateClip();
    return clipComplexity(*dc);
}

int GetClipBox(HDC hdc, RECT* rc) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc || !rc) return ERROR;
    const Region& device = dc->deviceClip();
    RECT box = device.bounds();
    // Back to logical coordinates.
    POINT pts[2] = {{box.left, box.top}, {box.right, box.bottom}};
    DPtoLP(hdc, pts, 2);
    *rc = normalized(pts[0].x, pts[0].y, pts[1].x, pts[1].y);
    return device.complexity();
}

int GetClipRgn(HDC hdc, HRGN rgn) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    auto* r = gdi::lookup<RegionObject>(rgn);
    if (!dc || !r) return -1;
    if (!dc->state().clip) return 0;
    r->region = deviceClip(*dc, *dc->state().clip);
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return -1;
    const POINT p = dc->toPixel(x, y);
    return dc->clipRegion().contains(p.x, p.y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC hdc, const RECT* rc) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc || !rc) return FALSE;
    return dc->clipRegion().intersects(dc->rectToSurface(*rc)) ? TRUE : FALSE;
}

}  // namespace orvane::platform
