#include "platform/user/ChildGrid.h"

namespace orvane::platform {

namespace {

template <class Items>
void eraseHandle(Items& items, std::uint32_t handle) {
    for (auto it = items.begin(); it != items.end(); ++it) {
        if (it->handle != handle) continue;
        *it = items.back();
        items.pop_back();
        return;
    }
}

}  // namespace

void ChildGrid::set(std::uint32_t handle, const RECT& rect) {
    auto it = m_rects.find(handle);
    if (it != m_rects.end()) {
        if (it->second == rect) return;
        unfile(handle, it->second);
        m_rects.erase(it);
    }
    if (rect.left >= rect.right || rect.top >= rect.bottom) return;
    m_rects.emplace(handle, rect);
    file(handle, rect);
}

void ChildGrid::remove(std::uint32_t handle) {
    auto it = m_rects.find(handle);
    if (it == m_rects.end()) return;
    unfile(handle, it->second);
    m_rects.erase(it);
}

void ChildGrid::file(std::uint32_t handle, const RECT& rect) {
    const Cells c = cellsOf(rect);
    if (c.count() > kMaxCells) {
        m_large.push_back(Item{handle, rect});
        return;
    }
    for (std::int64_t cy = c.y0; cy <= c.y1; ++cy)
        for (std::int64_t cx = c.x0; cx <= c.x1; ++cx)
            m_cells[key(cx, cy)].push_back(Item{handle, rect});
}

void ChildGrid::unfile(std::uint32_t handle, const RECT& rect) {
    const Cells c = cellsOf(rect);
    if (c.count() > kMaxCells) {
        eraseHandle(m_large, handle);
        return;
    }
    for (std::int64_t cy = c.y0; cy <= c.y1; ++cy) {
        for (std::int64_t cx = c.x0; cx <= c.x1; ++cx) {
            auto it = m_cells.find(key(cx, cy));
            if (it == m_cells.end()) continue;
            eraseHandle(it->second, handle);
            if (it->second.empty()) m_cells.erase(it);
        }
    }
}

}  // namespace orvane::platform
