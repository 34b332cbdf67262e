#include "platform/gdi/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

namespace orvane::platform {

namespace {

// Eight by eight hatch patterns, most significant bit leftmost.
constexpr std::uint8_t kHatch[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0xFF},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};

// Dash patterns of cosmetic pens, in pixels on and off.
struct DashPattern {
    int count;
    int lengths[6];
};
constexpr DashPattern kDashes[] = {
    {0, {}},                  // solid
    {2, {18, 6}},             // dash
    {2, {3, 3}},              // dot
    {4, {9, 6, 3, 6}},        // dash dot
    {6, {9, 3, 3, 3, 3, 3}},  // dash dot dot
};

// Fills n pixels with one value. The compiler does not vectorise a plain fill loop at -O2,
// so this stores 16 bytes at a time; solid fills then run at the speed of memset.
void fillPixels(std::uint32_t* p, std::size_t n, std::uint32_t value) {
    using Quad = std::uint32_t __attribute__((vector_size(16)));
    const Quad quad = {value, value, value, value};
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        std::memcpy(p + i, &quad, 16);
        std::memcpy(p + i + 4, &quad, 16);
        std::memcpy(p + i + 8, &quad, 16);
        std::memcpy(p + i + 12, &quad, 16);
    }
    for (; i + 4 <= n; i += 4)
        std::memcpy(p + i, &quad, 16);
    for (; i < n; ++i)
        p[i] = value;
}

// Every dash pattern repeats within this many pixels.
constexpr long long kDashCycle = 24;

int floorMod(int a, int m) {
    const int r = a % m;
    return r < 0 ? r + m : r;
}

bool dashOn(int style, int pos) {
    if (style == 8) return (pos & 1) == 0;  // alternate
    if (style <= 0 || style > 4) return true;
    const DashPattern& d = kDashes[style];
    int total = 0;
    for (int i = 0; i < d.count; ++i)
        total += d.lengths[i];
    int p = pos % total;
    for (int i = 0; i < d.count; ++i) {
        if (p < d.lengths[i]) return (i % 2) == 0;
        p -= d.lengths[i];
    }
    return true;
}

}  // namespace

std::uint32_t Rasterizer::applyRop2(int rop2, std::uint32_t p, std::uint32_t d) {
    // The binary raster operation's truth table is rop2 - 1 over (pen, destination) bits.
    std::uint32_t out;
    switch (rop2) {
        case 13:
            out = p;
            break;
        case 11:
            return d;
        case 7:
            out = p ^ d;
            break;
        case 6:
            out = ~d;
            break;
        default: {
            const unsigned t = static_cast<unsigned>(rop2 - 1) & 0xF;
            out = 0;
            if (t & 8) out |= p & d;
            if (t & 4) out |= p & ~d;
            if (t & 2) out |= ~p & d;
            if (t & 1) out |= ~p & ~d;
        }
    }
    return out & 0x00FFFFFFu;
}

std::uint32_t Rasterizer::paintPixel(const Paint& paint, int x, int y) {
    switch (paint.kind) {
        case Paint::Kind::Solid:
            return paint.color;
        case Paint::Kind::Pattern:
            return paint
                .pattern[floorMod(y - paint.originY, paint.patternHeight) * paint.patternWidth +
                         floorMod(x - paint.originX, paint.patternWidth)];
        case Paint::Kind::Hatch: {
            const std::uint8_t bits = kHatch[paint.hatch][floorMod(y - paint.originY, 8)];
            return (bits & (0x80 >> floorMod(x - paint.originX, 8))) ? paint.color
                                                                     : paint.background;
        }
    }
    return paint.color;
}

void Rasterizer::fillClippedSpan(int y, int x0, int x1, const Paint& paint) {
    std::uint32_t* row = m_surface.row(y);
    if (paint.kind == Paint::Kind::Solid) {
        if (paint.rop2 == 13) {
            fillPixels(row + x0, static_cast<std::size_t>(x1 - x0), paint.color & 0x00FFFFFFu);
        } else {
            for (int x = x0; x < x1; ++x)
                row[x] = applyRop2(paint.rop2, paint.color, row[x]);
        }
        return;
    }
    if (paint.kind == Paint::Kind::Pattern) {
        const std::uint32_t* prow =
            paint.pattern + floorMod(y - paint.originY, paint.patternHeight) * paint.patternWidth;
        for (int x = x0; x < x1; ++x) {
            const std::uint32_t p = prow[floorMod(x - paint.originX, paint.patternWidth)];
            row[x] = applyRop2(paint.rop2, p, row[x]);
        }
        return;
    }
    const std::uint8_t bits = kHatch[paint.hatch][floorMod(y - paint.originY, 8)];
    for (int x = x0; x < x1; ++x) {
        const bool on = bits & (0x80 >> floorMod(x - paint.originX, 8));
        if (on)
            row[x] = applyRop2(paint.rop2, paint.color, row[x]);
        else if (paint.hatchOpaque)
            row[x] = applyRop2(paint.rop2, paint.background, row[x]);
    }
}

void Rasterizer::fillSpan(int y, int x0, int x1, const Paint& paint) {
    if (x0 >= x1) return;
    m_clip.forEachSpan(y, [&](LONG c0, LONG c1) {
        const int a = std::max<int>(x0, c0), b = std::min<int>(x1, c1);
        if (a < b) fillClippedSpan(y, a, b, paint);
    });
}

void Rasterizer::fillRect(const RECT& rc, const Paint& paint) {
    if (rc.right <= rc.left || rc.bottom <= rc.top) return;
    for (const RECT& c : m_clip.rects()) {
        if (c.top >= rc.bottom) break;
        RECT r;
        if (!IntersectRect(&r, &c, &rc)) continue;
        for (int y = r.top; y < r.bottom; ++y)
            fillClippedSpan(y, r.left, r.right, paint);
    }
}

void Rasterizer::fillRegion(const Region& region, const Paint& paint) {
    for (const RECT& r : region.rects())
        fillRect(r, paint);
}

void Rasterizer::fillRows(int top, const std::vector<std::vector<Span>>& rows, const Paint& paint) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (const Span& s : rows[i])
            fillSpan(top + static_cast<int>(i), s.x0, s.x1, paint);
    }
}

void Rasterizer::plot(int x, int y, const Paint& paint) {
    if (!m_clip.contains(x, y)) return;
    fillClippedSpan(y, x, x + 1, paint);
}

void Rasterizer::stamp(int x, int y, const LinePen& pen, std::map<int, std::vector<Span>>* wide) {
    if (pen.width <= 1) {
        plot(x, y, pen.paint);
        return;
    }
    // Wide pens are round: a disc of the pen's width centred on the point. The discs of one
    // line are gathered first so that each pixel is drawn once, whatever the mix mode.
    const int r = pen.width / 2;
    const double rr = pen.width * pen.width / 4.0;
    for (int dy = -r; dy <= r; ++dy) {
        const int half = static_cast<int>(std::floor(std::sqrt(std::max(0.0, rr - dy * dy))));
        (*wide)[y + dy].push_back(Span{x - half, x + half + ((pen.width & 1) ? 1 : 0)});
    }
}

void Rasterizer::fillGathered(std::map<int, std::vector<Span>>& rows, const Paint& paint) {
    for (auto& [y, spans] : rows) {
        std::sort(spans.begin(), spans.end(),
                  [](const Span& a, const Span& b) { return a.x0 < b.x0; });
        LONG x0 = spans.front().x0, x1 = spans.front().x1;
        for (const Span& s : spans) {
            if (s.x0 <= x1) {
                x1 = std::max(x1, s.x1);
                continue;
            }
            fillSpan(y, x0, x1, paint);
            x0 = s.x0;
            x1 = s.x1;
        }
        fillSpan(y, x0, x1, paint);
    }
}

void Rasterizer::line(POINT a, POINT b, LinePen& pen, bool drawLast) {
    // Bresenham; the pixel at b is excluded, as GDI does. Step n along the major axis lands
    // on minor offset floor((2 n minor + major) / (2 major)), the pixel Bresenham's error term
    // picks, so the walk can start at the first step that reaches the clip area.
    const long long dx = static_cast<long long>(b.x) - a.x, dy = static_cast<long long>(b.y) - a.y;
    const long long adx = std::llabs(dx), ady = std::llabs(dy);
    const bool xMajor = adx >= ady;
    const long long major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const long long steps = major + (drawLast ? 1 : 0);
    long long first = 0, last = steps;  // steps [first, last) are walked
    const RECT box = m_clip.bounds();
    const long long margin = pen.width + 1;
    const long long start = xMajor ? a.x : a.y, dir = xMajor ? sx : sy;
    const long long lo = (xMajor ? box.left : box.top) - margin;
    const long long hi = (xMajor ? box.right : box.bottom) + margin;
    if (dir > 0) {
        first = std::max(first, lo - start);
        last = std::min(last, hi - start);
    } else {
        first = std::max(first, start - hi + 1);
        last = std::min(last, start - lo + 1);
    }
    // The minor offset m and the remainder of that division, kept up to date step by step;
    // only the first needs 128 bits.
    const long long den = 2 * major;
    long long m = 0, rem = 0;
    if (den && first < last) {
        const __int128 num = static_cast<__int128>(2 * minor) * first + major;
        m = static_cast<long long>(num / den);
        rem = static_cast<long long>(num % den);
    }
    const bool styled = pen.width <= 1 && pen.style != 0;
    std::map<int, std::vector<Span>> wide;
    for (long long n = first; n < last; ++n) {
        const long long x = a.x + sx * (xMajor ? n : m), y = a.y + sy * (xMajor ? m : n);
        if (!styled || dashOn(pen.style, static_cast<int>((pen.dashPos + n) % kDashCycle)))
            stamp(static_cast<int>(x), static_cast<int>(y), pen, &wide);
        rem += 2 * minor;
        if (rem >= den) {
            rem -= den;
            ++m;
        }
    }
    if (!wide.empty()) fillGathered(wide, pen.paint);
    pen.dashPos = static_cast<int>((pen.dashPos + steps) % kDashCycle);
}

namespace shapes {

std::vector<std::vector<Span>> ellipse(int l, int t, int r, int b, int y0, int y1) {
    std::vector<std::vector<Span>> rows;
    const int from = std::max(t, y0), to = std::min(b, y1);
    if (r <= l || from >= to) return rows;
    const double rx = (static_cast<double>(r) - l) / 2.0, ry = (static_cast<double>(b) - t) / 2.0;
    const double cx = l + rx, cy = t + ry;
    rows.resize(static_cast<std::size_t>(static_cast<long long>(to) - from));
    for (int y = from; y < to; ++y) {
        const double ny = (y + 0.5 - cy) / ry;
        const double k = 1.0 - ny * ny;
        if (k < 0) continue;
        const double half = rx * std::sqrt(k);
        const int x0 = static_cast<int>(std::ceil(cx - half - 0.5));
        const int x1 = static_cast<int>(std::floor(cx + half - 0.5)) + 1;
        if (x0 < x1) rows[y - from].push_back(Span{x0, x1});
    }
    return rows;
}

std::vector<std::vector<Span>> roundRect(int l, int t, int r, int b, int ew, int eh, int y0,
                                         int y1) {
    std::vector<std::vector<Span>> rows;
    const int from = std::max(t, y0), to = std::min(b, y1);
    if (r <= l || from >= to) return rows;
    const std::size_t count = static_cast<std::size_t>(static_cast<long long>(to) - from);
    const double w = std::min(std::abs(static_cast<double>(ew)), static_cast<double>(r) - l);
    const double h = std::min(std::abs(static_cast<double>(eh)), static_cast<double>(b) - t);
    if (w < 2 || h < 2) {
        rows.assign(count, std::vector<Span>{Span{l, r}});
        return rows;
    }
    const double rx = w / 2.0, ry = h / 2.0;
    rows.resize(count);
    for (int y = from; y < to; ++y) {
        const double py = y + 0.5;
        double inset = 0;
        double cy = 0;
        if (py < t + ry)
            cy = t + ry;
        else if (py > b - ry)
            cy = b - ry;
        if (cy != 0) {
            const double ny = (py - cy) / ry;
            const double k = 1.0 - ny * ny;
            if (k < 0) continue;
            inset = rx - rx * std::sqrt(k);
        }
        const int x0 = static_cast<int>(std::ceil(l + inset - 0.5));
        const int x1 = static_cast<int>(std::floor(r - inset - 0.5)) + 1;
        if (x0 < x1) rows[y - from].push_back(Span{x0, x1});
    }
    return rows;
}

std::vector<std::vector<Span>> polygon(const std::vector<POINT>& pts, bool winding, int& top,
                                       int y0, int y1) {
    return polygons(std::vector<std::vector<POINT>>{pts}, winding, top, y0, y1);
}

std::vector<std::vector<Span>> polygons(const std::vector<std::vector<POINT>>& contours,
                                        bool winding, int& top, int y0, int y1) {
    std::vector<std::vector<Span>> rows;
    bool any = false;
    int minY = 0, maxY = 0;
    for (const auto& pts : contours) {
        if (pts.size() < 3) continue;
        for (const POINT& p : pts) {
            if (!any) minY = maxY = p.y;
            any = true;
            minY = std::min<int>(minY, p.y);
            maxY = std::max<int>(maxY, p.y);
        }
    }
    top = minY;
    if (!any) return rows;
    minY = std::max(minY, y0);
    maxY = std::min(maxY, y1);
    top = minY;
    if (minY >= maxY) return rows;
    rows.resize(static_cast<std::size_t>(static_cast<long long>(maxY) - minY));
    struct Crossing {
        double x;
        int dir;
    };
    std::vector<Crossing> xs;
    for (int y = minY; y < maxY; ++y) {
        const double py = y + 0.5;
        xs.clear();
        // All contours fill together, so where they overlap the fill rule decides.
        for (const auto& pts : contours) {
            if (pts.size() < 3) continue;
            for (std::size_t i = 0; i < pts.size(); ++i) {
                const POINT& p0 = pts[i];
                const POINT& p1 = pts[(i + 1) % pts.size()];
                if (p0.y == p1.y) continue;
                const bool down = p1.y > p0.y;
                const double ya = down ? p0.y : p1.y, yb = down ? p1.y : p0.y;
                if (py < ya || py >= yb) continue;
                const double x = p0.x + (py - p0.y) * (static_cast<double>(p1.x) - p0.x) /
                                            (static_cast<double>(p1.y) - p0.y);
                xs.push_back(Crossing{x, down ? 1 : -1});
            }
        }
        std::sort(xs.begin(), xs.end(),
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        auto& row = rows[y - minY];
        int wind = 0;
        for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
            wind += xs[i].dir;
            const bool inside = winding ? wind != 0 : (i % 2) == 0;
            if (!inside) continue;
            const int x0 = static_cast<int>(std::ceil(xs[i].x - 0.5));
            const int x1 = static_cast<int>(std::ceil(xs[i + 1].x - 0.5));
            if (x0 >= x1) continue;
            if (!row.empty() && row.back().x1 >= x0)
                row.back().x1 = std::max(row.back().x1, x1);
            else
                row.push_back(Span{x0, x1});
        }
    }
    return rows;
}

void splitOutline(const std::vector<std::vector<Span>>& rows, int width,
                  std::vector<std::vector<Span>>& outline, std::vector<std::vector<Span>>& inside) {
    const int n = static_cast<int>(rows.size());
    outline.assign(n, {});
    inside.assign(n, {});
    for (int i = 0; i < n; ++i) {
        if (rows[i].empty()) continue;
        const Span s = rows[i].front();
        // The interior is what stays inside after eroding by the pen width in every direction.
        int a = s.x0 + width, b = s.x1 - width;
        for (int k = 1; k <= width && a < b; ++k) {
            const int up = i - k, down = i + k;
            if (up < 0 || down >= n || rows[up].empty() || rows[down].empty()) {
                a = b;
                break;
            }
            a = std::max<int>(a, std::max(rows[up].front().x0, rows[down].front().x0) + width - k);
            b = std::min<int>(b, std::min(rows[up].front().x1, rows[down].front().x1) - width + k);
        }
        if (a < b) {
            inside[i].push_back(Span{a, b});
            outline[i].push_back(Span{s.x0, a});
            outline[i].push_back(Span{b, s.x1});
        } else {
            outline[i].push_back(s);
        }
    }
}

Region toRegion(int top, const std::vector<std::vector<Span>>& rows) {
    Region::Builder builder;
    for (std::size_t i = 0; i < rows.size(); ++i)
        builder.addRow(top + static_cast<int>(i), rows[i]);
    return builder.finish();
}

}  // namespace shapes

}  // namespace orvane::platform
