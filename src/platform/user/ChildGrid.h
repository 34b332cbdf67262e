// Where a window's children lie: each child's rectangle (in the parent's client coordinates)
// filed under the square cells it covers, so that the children overlapping a rectangle are
// found without looking at the others. Clipping a child to its siblings and invalidating part
// of a parent ask this for every child of a form, which may hold thousands.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/base/Geometry.h"

namespace orvane::platform {

class ChildGrid {
public:
    // Files a child under its rectangle, or moves it there. An empty rectangle overlaps
    // nothing, so such a child is not kept.
    void set(std::uint32_t handle, const RECT& rect);
    void remove(std::uint32_t handle);
    // The children kept (those with a non-empty rectangle).
    std::size_t size() const { return m_rects.size(); }

    // Calls fn(handle) once for every child whose rectangle overlaps `area`, in no set order.
    template <class Fn>
    void forEachOverlapping(const RECT& area, Fn&& fn) const {
        if (m_rects.empty() || area.left >= area.right || area.top >= area.bottom) return;
        const Cells q = cellsOf(area);
        // A query wider than the number of children is cheaper as a look at each child.
        if (q.count() > static_cast<std::int64_t>(m_rects.size())) {
            for (const auto& [handle, rc] : m_rects)
                if (overlaps(rc, area)) fn(handle);
            return;
        }
        for (const Item& item : m_large)
            if (overlaps(item.rect, area)) fn(item.handle);
        for (std::int64_t cy = q.y0; cy <= q.y1; ++cy) {
            for (std::int64_t cx = q.x0; cx <= q.x1; ++cx) {
                auto it = m_cells.find(key(cx, cy));
                if (it == m_cells.end()) continue;
                for (const Item& item : it->second) {
                    if (!overlaps(item.rect, area)) continue;
                    // A child filed under several cells is reported from the first cell that
                    // both it and the query cover.
                    const Cells c = cellsOf(item.rect);
                    if (cx == std::max(c.x0, q.x0) && cy == std::max(c.y0, q.y0)) fn(item.handle);
                }
            }
        }
    }

private:
    struct Item {
        std::uint32_t handle;
        RECT rect;
    };
    // A range of cells, inclusive.
    struct Cells {
        std::int64_t x0, y0, x1, y1;
        std::int64_t count() const { return (x1 - x0 + 1) * (y1 - y0 + 1); }
    };
    static constexpr int kCellShift = 6;  // cells of 64 by 64 pixels
    // A child covering more cells than this is kept in a list looked at by every query.
    static constexpr std::int64_t kMaxCells = 64;

    static Cells cellsOf(const RECT& rc) {
        return Cells{rc.left >> kCellShift, rc.top >> kCellShift, (rc.right - 1) >> kCellShift,
                     (rc.bottom - 1) >> kCellShift};
    }
    static std::uint64_t key(std::int64_t cx, std::int64_t cy) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(cx)) << 32) |
               static_cast<std::uint32_t>(cy);
    }
    static bool overlaps(const RECT& a, const RECT& b) {
        return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    }
    void file(std::uint32_t handle, const RECT& rect);
    void unfile(std::uint32_t handle, const RECT& rect);

    std::unordered_map<std::uint32_t, RECT> m_rects;
    std::unordered_map<std::uint64_t, std::vector<Item>> m_cells;
    std::vector<Item> m_large;
};

}  // namespace orvane::platform
