// A set of pixels stored as y-x banded rectangles: rectangles of one band share top and
// bottom, are sorted by x and never touch; equal neighbouring bands are merged. This is the
// geometry behind GDI regions, clipping and window update regions.
#pragma once

#include <vector>

#include "platform/base/Geometry.h"

namespace orvane::platform {

struct Span {
    LONG x0;
    LONG x1;
    friend bool operator==(const Span&, const Span&) = default;
};

class Region {
public:
    enum class Op { And, Or, Xor, Diff };

    Region() = default;
    explicit Region(const RECT& rc);

    static Region combine(const Region& a, const Region& b, Op op);
    // The union of any number of rectangles, built in one sweep (combining them one at a time
    // costs the square of their number).
    static Region fromRects(std::vector<RECT> rects);
    // Builds a region from scanlines given top to bottom; each row holds sorted spans.
    class Builder {
    public:
        void addRow(LONG y, const std::vector<Span>& spans);
        Region finish();

    private:
        std::vector<RECT> m_rects;
        std::vector<Span> m_lastSpans;
        LONG m_lastTop = 0;
        LONG m_lastBottom = 0;
        bool m_open = false;
        void flush();
    };

    bool empty() const { return m_rects.empty(); }
    const std::vector<RECT>& rects() const { return m_rects; }
    RECT bounds() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int complexity() const;
    bool contains(LONG x, LONG y) const;
    bool intersects(const RECT& rc) const;
    void offset(LONG dx, LONG dy);
    Region intersected(const RECT& rc) const;
    // Makes this region the part of `from` inside `rc`, in the memory it already holds.
    void assignIntersection(const Region& from, const RECT& rc);
    // The region flipped left to right about x = axis / 2: [l, r) becomes [axis - r, axis - l).
    Region mirrored(LONG axis) const;
    // Calls fn(x0, x1) for every span of the region on scanline y.
    template <class Fn>
    void forEachSpan(LONG y, Fn&& fn) const {
        for (const RECT& r : m_rects) {
            if (r.top > y) break;
            if (y < r.bottom) fn(r.left, r.right);
        }
    }
    friend bool operator==(const Region& a, const Region& b) { return a.m_rects == b.m_rects; }

private:
    std::vector<RECT> m_rects;
};

}  // namespace orvane::platform
