// Items placed by the program in icon and small-icon view (LVM_SETITEMPOSITION,
// LVM_SETITEMPOSITION32) and put back on the grid (LVM_ARRANGE, LVS_AUTOARRANGE). Only moved items
// are kept, in a map from index to place, so a list with a few moved items lays out, paints and
// hit-tests at the cost of the grid: the grid gives every other item its place from its index.
#include <algorithm>

#include "platform/base/LastError.h"
#include "platform/comctl/ListViewControl.h"
#include "platform/user/User.h"

namespace orvane::platform {

bool ListViewControl::positionable() const {
    return (m_view == LV_VIEW_ICON || m_view == LV_VIEW_SMALLICON) && !grouped();
}

bool ListViewControl::setItemPosition(int i, POINT pt) {
    // As on Windows: icon and small-icon views only, and a list that arranges itself refuses.
    if (!validIndex(i) || !positionable() || (style() & LVS_AUTOARRANGE)) return false;
    const RECT area = itemsArea();
    // Client coordinates, as LVM_GETITEMPOSITION gives them; kept in view coordinates, which
    // start at the top left of the scrolled content and are never negative here.
    const POINT place{std::max(0, static_cast<int>(pt.x - area.left) + m_xOrigin),
                      std::max(0, static_cast<int>(pt.y - area.top) + m_yOrigin)};
    const POINT now = cellOrigin(i);
    if (now.x == place.x && now.y == place.y) return true;
    m_moved[i] = place;
    invalidateLayout();
    return true;
}

POINT ListViewControl::itemPosition(int i) const {
    const RECT area = itemsArea();
    const POINT o = cellOrigin(i);
    return POINT{area.left + o.x - m_xOrigin, area.top + o.y - m_yOrigin};
}

bool ListViewControl::arrange(WPARAM code) {
    if (code != LVA_DEFAULT && code != LVA_ALIGNLEFT && code != LVA_ALIGNTOP &&
        code != LVA_SNAPTOGRID) {
        ReportUnsupported("LVM_ARRANGE", "code", ERROR_INVALID_PARAMETER);
        return false;
    }
    if (code == LVA_SNAPTOGRID) {
        // Moved items stay where they are, to the nearest corner of the grid.
        const SIZE cell = cellSize();
        for (auto& [index, place] : m_moved) {
            place.x = (place.x + cell.cx / 2) / std::max<int>(1, cell.cx) * cell.cx;
            place.y = (place.y + cell.cy / 2) / std::max<int>(1, cell.cy) * cell.cy;
        }
    } else {
        // Every item back on the grid, in columns from the left or rows from the top.
        m_align = code == LVA_ALIGNLEFT  ? Align::Left
                  : code == LVA_ALIGNTOP ? Align::Top
                                         : Align::Style;
        m_moved.clear();
    }
    invalidateLayout();
    return true;
}

void ListViewControl::placeMoved(const RECT& view, std::vector<int>& out) const {
    if (m_moved.empty() || !positionable()) return;
    // Moved items left their grid places empty, and show where they went.
    std::erase_if(out, [&](int i) { return m_moved.count(i) != 0; });
    const SIZE cell = cellSize();
    for (const auto& [index, place] : m_moved) {
        if (index >= count()) break;
        if (place.x < view.right && place.x + cell.cx > view.left && place.y < view.bottom &&
            place.y + cell.cy > view.top)
            out.push_back(index);
    }
    std::sort(out.begin(), out.end());
}

SIZE ListViewControl::movedExtent() const {
    SIZE extent{0, 0};
    if (m_moved.empty() || !positionable()) return extent;
    const SIZE cell = cellSize();
    for (const auto& [index, place] : m_moved) {
        extent.cx = std::max<int>(extent.cx, place.x + cell.cx);
        extent.cy = std::max<int>(extent.cy, place.y + cell.cy);
    }
    return extent;
}

void ListViewControl::shiftMoved(int at, int delta) {
    if (m_moved.empty()) return;
    std::map<int, POINT> shifted;
    for (const auto& [index, place] : m_moved) {
        if (index < at)
            shifted.emplace(index, place);
        else if (delta > 0 || index >= at - delta)
            shifted.emplace(index + delta, place);
        // else the item went
    }
    m_moved.swap(shifted);
}

}  // namespace orvane::platform
