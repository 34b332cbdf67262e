#include "platform/gdi/Region.h"

#include <algorithm>

#include "platform/gdi/GdiTypes.h"

namespace orvane::platform {

Region::Region(const RECT& rc) {
    if (rc.right > rc.left && rc.bottom > rc.top) m_rects.push_back(rc);
}

RECT Region::bounds() const {
    if (m_rects.empty()) return RECT{};
    RECT b = m_rects.front();
    for (const RECT& r : m_rects) {
        b.left = std::min(b.left, r.left);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

int Region::complexity() const {
    if (m_rects.empty()) return NULLREGION;
    return m_rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::contains(LONG x, LONG y) const {
    for (const RECT& r : m_rects) {
        if (r.top > y) break;
        if (y < r.bottom && x >= r.left && x < r.right) return true;
    }
    return false;
}

bool Region::intersects(const RECT& rc) const {
    for (const RECT& r : m_rects) {
        if (r.top >= rc.bottom) break;
        if (r.bottom > rc.top && r.left < rc.right && r.right > rc.left) return true;
    }
    return false;
}

void Region::offset(LONG dx, LONG dy) {
    for (RECT& r : m_rects)
        OffsetRect(&r, dx, dy);
}

Region Region::intersected(const RECT& rc) const {
    if (m_rects.size() == 1) {
        RECT out;
        IntersectRect(&out, &m_rects.front(), &rc);
        return Region(out);
    }
    // Each band cut to the rectangle, without the sweep: cutting keeps the bands sorted, and
    // bands that end up alike and touching are merged as the sweep would merge them.
    Region out;
    if (rc.right <= rc.left || rc.bottom <= rc.top) return out;
    std::size_t lastBand = 0, lastCount = 0;  // where the last band kept starts, and its size
    bool open = false;
    for (std::size_t i = 0; i < m_rects.size();) {
        std::size_t j = i;
        while (j < m_rects.size() && m_rects[j].top == m_rects[i].top)
            ++j;
        const LONG top = std::max(m_rects[i].top, rc.top);
        const LONG bottom = std::min(m_rects[i].bottom, rc.bottom);
        if (top < bottom) {
            const std::size_t start = out.m_rects.size();
            for (std::size_t k = i; k < j; ++k) {
                const LONG x0 = std::max(m_rects[k].left, rc.left);
                const LONG x1 = std::min(m_rects[k].right, rc.right);
                if (x0 < x1) out.m_rects.push_back(RECT{x0, top, x1, bottom});
            }
            const std::size_t count = out.m_rects.size() - start;
            bool merged = false;
            if (count > 0 && open && count == lastCount && out.m_rects[lastBand].bottom == top) {
                merged = true;
                for (std::size_t k = 0; k < count && merged; ++k)
                    merged = out.m_rects[lastBand + k].left == out.m_rects[start + k].left &&
                             out.m_rects[lastBand + k].right == out.m_rects[start + k].right;
                if (merged) {
                    for (std::size_t k = 0; k < count; ++k)
                        out.m_rects[lastBand + k].bottom = bottom;
                    out.m_rects.resize(start);
                }
            }
            if (count > 0 && !merged) {
                lastBand = start;
                lastCount = count;
                open = true;
            }
        }
        i = j;
    }
    return out;
}

void Region::assignIntersection(const Region& from, const RECT& rc) {
    if (from.m_rects.size() == 1) {
        RECT out;
        const bool meet = IntersectRect(&out, &from.m_rects.front(), &rc);
        m_rects.clear();
        if (meet) m_rects.push_back(out);
        return;
    }
    *this = from.intersected(rc);
}

Region Region::mirrored(LONG axis) const {
    Region out;
    out.m_rects.reserve(m_rects.size());
    // Flipping reverses the order of the rectangles within each band.
    for (std::size_t i = 0; i < m_rects.size();) {
        std::size_t j = i;
        while (j < m_rects.size() && m_rects[j].top == m_rects[i].top)
            ++j;
        for (std::size_t k = j; k-- > i;) {
            const RECT& r = m_rects[k];
            out.m_rects.push_back(RECT{axis - r.right, r.top, axis - r.left, r.bottom});
        }
        i = j;
    }
    return out;
}

void Region::Builder::flush() {
    if (!m_open) return;
    for (const Span& s : m_lastSpans)
        m_rects.push_back(RECT{s.x0, m_lastTop, s.x1, m_lastBottom});
    m_open = false;
}

void Region::Builder::addRow(LONG y, const std::vector<Span>& spans) {
    if (m_open && y == m_lastBottom && spans == m_lastSpans) {
        ++m_lastBottom;
        return;
    }
    flush();
    if (spans.empty()) return;
    m_lastSpans = spans;
    m_lastTop = y;
    m_lastBottom = y + 1;
    m_open = true;
}

Region Region::Builder::finish() {
    flush();
    Region r;
    r.m_rects = std::move(m_rects);
    m_rects.clear();
    return r;
}

namespace {

// Combines two sorted span lists with a boolean operation.
void combineSpans(const std::vector<Span>& a, const std::vector<Span>& b, Region::Op op,
                  std::vector<Span>& out) {
    out.clear();
    std::vector<LONG> xs;
    xs.reserve((a.size() + b.size()) * 2);
    for (const Span& s : a)
        xs.insert(xs.end(), {s.x0, s.x1});
    for (const Span& s : b)
        xs.insert(xs.end(), {s.x0, s.x1});
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::size_t ia = 0, ib = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        const LONG x0 = xs[i], x1 = xs[i + 1];
        while (ia < a.size() && a[ia].x1 <= x0)
            ++ia;
        while (ib < b.size() && b[ib].x1 <= x0)
            ++ib;
        const bool inA = ia < a.size() && a[ia].x0 <= x0;
        const bool inB = ib < b.size() && b[ib].x0 <= x0;
        bool in = false;
        switch (op) {
            case Region::Op::And:
                in = inA && inB;
                break;
            case Region::Op::Or:
                in = inA || inB;
                break;
            case Region::Op::Xor:
                in = inA != inB;
                break;
            case Region::Op::Diff:
                in = inA && !inB;
                break;
        }
        if (!in) continue;
        if (!out.empty() && out.back().x1 == x0)
            out.back().x1 = x1;
        else
            out.push_back(Span{x0, x1});
    }
}

// The spans of the band that covers y, advancing the cursor through the sorted rectangles.
void spansAt(const std::vector<RECT>& rects, std::size_t& cursor, LONG y, std::vector<Span>& out) {
    out.clear();
    while (cursor < rects.size() && rects[cursor].bottom <= y)
        ++cursor;
    for (std::size_t i = cursor; i < rects.size() && rects[i].top <= y; ++i) {
        if (y < rects[i].bottom) out.push_back(Span{rects[i].left, rects[i].right});
    }
}

}  // namespace

Region Region::combine(const Region& a, const Region& b, Op op) {
    // Quick answers that avoid the sweep.
    if (op == Op::And && (a.empty() || b.empty())) return Region();
    if ((op == Op::Or || op == Op::Xor) && a.empty()) return b;
    if ((op == Op::Or || op == Op::Xor || op == Op::Diff) && b.empty()) return a;
    if (op == Op::Diff && a.empty()) return Region();
    if (op == Op::And && b.m_rects.size() == 1) return a.intersected(b.m_rects.front());
    if (op == Op::And && a.m_rects.size() == 1) return b.intersected(a.m_rects.front());

    std::vector<LONG> ys;
    ys.reserve((a.m_rects.size() + b.m_rects.size()) * 2);
    for (const RECT& r : a.m_rects)
        ys.insert(ys.end(), {r.top, r.bottom});
    for (const RECT& r : b.m_rects)
        ys.insert(ys.end(), {r.top, r.bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    Region result;
    std::vector<Span> sa, sb, so, prev;
    LONG prevTop = 0, prevBottom = 0;
    bool open = false;
    std::size_t ca = 0, cb = 0;
    auto flush = [&] {
        if (!open) return;
        for (const Span& s : prev)
            result.m_rects.push_back(RECT{s.x0, prevTop, s.x1, prevBottom});
        open = false;
    };
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        const LONG y0 = ys[i], y1 = ys[i + 1];
        spansAt(a.m_rects, ca, y0, sa);
        spansAt(b.m_rects, cb, y0, sb);
        combineSpans(sa, sb, op, so);
        if (open && prevBottom == y0 && so == prev) {
            prevBottom = y1;
            continue;
        }
        flush();
        if (so.empty()) continue;
        prev = so;
        prevTop = y0;
        prevBottom = y1;
        open = true;
    }
    flush();
    return result;
}

Region Region::fromRects(std::vector<RECT> rects) {
    rects.erase(
        std::remove_if(rects.begin(), rects.end(),
                       [](const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }),
        rects.end());
    if (rects.empty()) return Region();
    std::sort(rects.begin(), rects.end(),
              [](const RECT& a, const RECT& b) { return a.top < b.top; });
    std::vector<LONG> ys;
    ys.reserve(rects.size() * 2);
    for (const RECT& r : rects)
        ys.insert(ys.end(), {r.top, r.bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    // Sweep the bands top to bottom with the rectangles that cover each.
    Region result;
    std::vector<const RECT*> active;
    std::vector<Span> spans, prev;
    LONG prevTop = 0, prevBottom = 0;
    bool open = false;
    std::size_t next = 0;
    auto flush = [&] {
        if (!open) return;
        for (const Span& sp : prev)
            result.m_rects.push_back(RECT{sp.x0, prevTop, sp.x1, prevBottom});
        open = false;
    };
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        const LONG y0 = ys[i], y1 = ys[i + 1];
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [y0](const RECT* r) { return r->bottom <= y0; }),
                     active.end());
        while (next < rects.size() && rects[next].top <= y0)
            active.push_back(&rects[next++]);
        spans.clear();
        for (const RECT* r : active)
            spans.push_back(Span{r->left, r->right});
        std::sort(spans.begin(), spans.end(),
                  [](const Span& a, const Span& b) { return a.x0 < b.x0; });
        // Overlapping and touching spans merge, as rectangles of a band never touch.
        std::size_t n = 0;
        for (const Span& sp : spans) {
            if (n && sp.x0 <= spans[n - 1].x1) {
                spans[n - 1].x1 = std::max(spans[n - 1].x1, sp.x1);
            } else {
                spans[n++] = sp;
            }
        }
        spans.resize(n);
        if (open && prevBottom == y0 && spans == prev) {
            prevBottom = y1;
            continue;
        }
        flush();
        if (spans.empty()) continue;
        prev = spans;
        prevTop = y0;
        prevBottom = y1;
        open = true;
    }
    flush();
    return result;
}

}  // namespace orvane::platform
