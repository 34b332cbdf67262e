// The list view's geometry, shared by painting, hit testing and scrolling: every item's place
// is worked out from its index (and, in group view, from the group layout), so nothing here
// walks the items except the group layout, which is built once per change.
#include <algorithm>
#include <cstdlib>

#include "platform/comctl/ListViewControl.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/DrawText.h"
#include "platform/text/Text.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

int scaled(int pixels) {
    return (pixels * static_cast<int>(GetDpiForSystem()) + 48) / 96;
}

RECT rectOf(int x, int y, int w, int h) {
    return RECT{x, y, x + w, y + h};
}

// The gap between groups, and around a group's header text.
constexpr int kGroupGap = 10;
constexpr int kGroupPad = 6;

}  // namespace

RECT ListViewControl::clientRect() const {
    return RECT{0, 0, m_clientSize.cx, m_clientSize.cy};
}

RECT ListViewControl::itemsArea() const {
    if (m_paintOrder) return m_paintOrder->area;
    RECT r = clientRect();
    r.top = std::min(r.bottom, r.top + headerHeight());
    return r;
}

SIZE ListViewControl::iconSize(WPARAM which) const {
    HIMAGELIST list = which == LVSIL_NORMAL ? m_normal : which == LVSIL_SMALL ? m_small : m_state;
    SIZE s{0, 0};
    if (list) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(list, &cx, &cy);
        return SIZE{cx, cy};
    }
    // Check boxes without a state list are drawn at the small icon's size.
    if (which == LVSIL_STATE && exStyle(LVS_EX_CHECKBOXES))
        return SIZE{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
    return s;
}

int ListViewControl::rowHeight() const {
    int h = metrics().tmHeight;
    h = std::max<int>(h, iconSize(LVSIL_SMALL).cy);
    h = std::max<int>(h, iconSize(LVSIL_STATE).cy);
    return h + 4;
}

SIZE ListViewControl::cellSize() const {
    const int average = std::max<int>(1, metrics().tmAveCharWidth);
    switch (m_view) {
        case LV_VIEW_ICON: {
            if (m_iconSpacing.cx > 0 && m_iconSpacing.cy > 0) return m_iconSpacing;
            const SIZE icon = m_normal
                                  ? iconSize(LVSIL_NORMAL)
                                  : SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
            const int cx = std::max<int>(GetSystemMetrics(SM_CXICONSPACING), icon.cx + scaled(43));
            const int cy = std::max<int>(GetSystemMetrics(SM_CYICONSPACING),
                                         icon.cy + 2 * metrics().tmHeight + scaled(12));
            return SIZE{m_iconSpacing.cx > 0 ? m_iconSpacing.cx : cx,
                        m_iconSpacing.cy > 0 ? m_iconSpacing.cy : cy};
        }
        case LV_VIEW_TILE: {
            const SIZE icon = m_normal
                                  ? iconSize(LVSIL_NORMAL)
                                  : SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
            return SIZE{std::max(scaled(240), icon.cx + 36 * average),
                        std::max<int>(icon.cy, 3 * metrics().tmHeight) + scaled(10)};
        }
        case LV_VIEW_LIST:
            if (m_listColumnWidth > 0) return SIZE{m_listColumnWidth, rowHeight()};
            [[fallthrough]];
        case LV_VIEW_SMALLICON:
        default:
            return SIZE{iconSize(LVSIL_STATE).cx + iconSize(LVSIL_SMALL).cx + 20 * average + 8,
                        rowHeight()};
    }
}

bool ListViewControl::columnMajor() const {
    if (m_view == LV_VIEW_LIST) return true;
    if (!positionable()) return false;
    return m_align == Align::Left ||
           (m_align == Align::Style && (style() & LVS_ALIGNMASK) == LVS_ALIGNLEFT);
}

int ListViewControl::perLine() const {
    const RECT area = itemsArea();
    const SIZE cell = cellSize();
    if (columnMajor())
        return std::max(1, static_cast<int>(area.bottom - area.top) / std::max<int>(1, cell.cy));
    return std::max(1, static_cast<int>(area.right - area.left) / std::max<int>(1, cell.cx));
}

int ListViewControl::groupHeaderHeight() const {
    return metrics().tmHeight + 2 * scaled(kGroupPad);
}

int ListViewControl::groupOf(int item) const {
    if (ownerData() || !validIndex(item)) return -1;
    return groupIndex(m_items[static_cast<std::size_t>(item)].groupId);
}

const std::vector<ListViewControl::GroupBlock>& ListViewControl::groupLayout() {
    if (m_groupBlocksValid) return m_groupBlocks;
    m_groupBlocks.clear();
    m_itemPlaces.assign(m_items.size(), ItemPlace{});
    // Items find their blocks by group id; items of no known group are not shown.
    std::vector<int> blockOfGroup(m_groups.size(), -1);
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        if (m_groups[g].state & LVGS_HIDDEN) continue;
        blockOfGroup[g] = static_cast<int>(m_groupBlocks.size());
        GroupBlock b;
        b.group = static_cast<int>(g);
        m_groupBlocks.push_back(std::move(b));
    }
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const int g = groupIndex(m_items[i].groupId);
        if (g < 0 || blockOfGroup[static_cast<std::size_t>(g)] < 0) continue;
        GroupBlock& b =
            m_groupBlocks[static_cast<std::size_t>(blockOfGroup[static_cast<std::size_t>(g)])];
        m_itemPlaces[i] =
            ItemPlace{blockOfGroup[static_cast<std::size_t>(g)], static_cast<int>(b.items.size())};
        b.items.push_back(static_cast<int>(i));
    }
    // Empty groups are not shown either.
    const int rowH = report() ? rowHeight() : cellSize().cy;
    const int across = report() ? 1 : perLine();
    int y = 0;
    for (GroupBlock& b : m_groupBlocks) {
        b.top = y;
        const Group& g = m_groups[static_cast<std::size_t>(b.group)];
        if (b.items.empty()) {
            b.rowsTop = y;
            b.height = 0;
            continue;
        }
        b.rowsTop = y + groupHeaderHeight();
        const int lines = (g.state & LVGS_COLLAPSED)
                              ? 0
                              : (static_cast<int>(b.items.size()) + across - 1) / across;
        b.height = groupHeaderHeight() + lines * rowH;
        if (!g.footer.empty() && !(g.state & LVGS_COLLAPSED)) b.height += groupHeaderHeight();
        y += b.height + scaled(kGroupGap);
    }
    m_groupsHeight = y;
    m_groupBlocksValid = true;
    return m_groupBlocks;
}

bool ListViewControl::groupPosition(int item, int& block, int& row) {
    if (!validIndex(item) || ownerData()) return false;
    groupLayout();
    const ItemPlace& p = m_itemPlaces[static_cast<std::size_t>(item)];
    if (p.block < 0) return false;
    block = p.block;
    row = p.position;
    return true;
}

POINT ListViewControl::cellOrigin(int i) const {
    if (!m_moved.empty() && positionable()) {
        const auto moved = m_moved.find(i);
        if (moved != m_moved.end()) return moved->second;
    }
    const SIZE cell = report() ? SIZE{0, rowHeight()} : cellSize();
    if (grouped()) {
        auto* self = const_cast<ListViewControl*>(this);
        int block = -1, position = 0;
        if (!self->groupPosition(i, block, position)) return POINT{0, -100000};
        const GroupBlock& b = self->m_groupBlocks[static_cast<std::size_t>(block)];
        if (m_groups[static_cast<std::size_t>(b.group)].state & LVGS_COLLAPSED)
            return POINT{0, -100000};
        const int across = report() ? 1 : perLine();
        return POINT{(position % across) * cell.cx, b.rowsTop + (position / across) * cell.cy};
    }
    if (report()) return POINT{0, i * cell.cy};
    const int line = perLine();
    if (columnMajor()) return POINT{(i / line) * cell.cx, (i % line) * cell.cy};
    return POINT{(i % line) * cell.cx, (i / line) * cell.cy};
}

RECT ListViewControl::subItemRect(int i, int subItem, int portion) {
    const RECT area = itemsArea();
    const POINT origin = cellOrigin(i);
    const int top = area.top + origin.y - m_yOrigin;
    const int h = rowHeight();
    if (subItem == 0 && portion == LVIR_BOUNDS) {
        return RECT{area.left - m_xOrigin, top, area.left - m_xOrigin + totalColumnWidth(),
                    top + h};
    }
    const int left = area.left - m_xOrigin + columnLeft(subItem);
    const int width = subItem < columnCount() ? m_columns[static_cast<std::size_t>(subItem)].width
                                              : static_cast<int>(area.right - area.left);
    const RECT cell{left, top, left + width, top + h};
    if (portion == LVIR_BOUNDS) return cell;
    int x = cell.left + 2;
    const SIZE small = iconSize(LVSIL_SMALL);
    RECT icon{x, top, x, top + h};
    if (subItem == 0) {
        const SIZE state = iconSize(LVSIL_STATE);
        x += state.cx;
        x += itemIndent(i) * small.cx;
        if (m_small) {
            icon = rectOf(x, top + (h - small.cy) / 2, small.cx, small.cy);
            x += small.cx + 2;
        } else {
            icon = RECT{x, top, x, top + h};
        }
    } else if (exStyle(LVS_EX_SUBITEMIMAGES) && m_small && cellImage(i, subItem) >= 0) {
        icon = rectOf(x, top + (h - small.cy) / 2, small.cx, small.cy);
        x += small.cx + 2;
    }
    if (portion == LVIR_ICON)
        return RECT{std::min(icon.left, cell.right), icon.top, std::min(icon.right, cell.right),
                    icon.bottom};
    const RECT label{std::min<LONG>(x, cell.right), top, cell.right, top + h};
    if (portion == LVIR_LABEL) return label;
    RECT both{std::min(icon.left, label.left), top, label.right, top + h};  // LVIR_SELECTBOUNDS
    return both;
}

RECT ListViewControl::stateIconRect(int i) {
    const SIZE state = iconSize(LVSIL_STATE);
    if (state.cx == 0) return RECT{};
    if (report()) {
        const RECT cell = subItemRect(i, 0, LVIR_BOUNDS);
        const int left = itemsArea().left - m_xOrigin + columnLeft(0) + 2;
        return rectOf(left, cell.top + (cell.bottom - cell.top - state.cy) / 2, state.cx, state.cy);
    }
    const RECT icon = iconRect(i);
    if (m_view == LV_VIEW_ICON || m_view == LV_VIEW_TILE)
        return rectOf(icon.left - state.cx, icon.bottom - state.cy, state.cx, state.cy);
    return rectOf(icon.left - state.cx, icon.top + (icon.bottom - icon.top - state.cy) / 2,
                  state.cx, state.cy);
}

RECT ListViewControl::iconRect(int i) {
    if (report()) return subItemRect(i, 0, LVIR_ICON);
    const RECT area = itemsArea();
    const POINT o = cellOrigin(i);
    const int left = area.left + o.x - m_xOrigin, top = area.top + o.y - m_yOrigin;
    const SIZE cell = cellSize();
    if (m_view == LV_VIEW_ICON) {
        const SIZE icon = m_normal ? iconSize(LVSIL_NORMAL)
                                   : SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
        return rectOf(left + (cell.cx - icon.cx) / 2, top + 2, icon.cx, icon.cy);
    }
    if (m_view == LV_VIEW_TILE) {
        const SIZE icon = m_normal ? iconSize(LVSIL_NORMAL)
                                   : SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
        return rectOf(left + 4, top + (cell.cy - icon.cy) / 2, icon.cx, icon.cy);
    }
    const SIZE small = iconSize(LVSIL_SMALL);
    const int x = left + iconSize(LVSIL_STATE).cx + 2;
    return rectOf(x, top + (cell.cy - small.cy) / 2, small.cx, small.cy);
}

RECT ListViewControl::labelRect(int i) {
    if (report()) return subItemRect(i, 0, LVIR_LABEL);
    const RECT area = itemsArea();
    const POINT o = cellOrigin(i);
    const int left = area.left + o.x - m_xOrigin, top = area.top + o.y - m_yOrigin;
    const SIZE cell = cellSize();
    const RECT icon = iconRect(i);
    const std::u16string text = cellText(i, 0);
    const HDC dc = GetDC(m_hwnd);
    const HGDIOBJ old = SelectObject(dc, font());
    RECT label{};
    if (m_view == LV_VIEW_ICON) {
        // Centred under the icon, wrapped to the cell (two lines at most unless focused).
        RECT calc{0, 0, cell.cx - 4, 0};
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &calc,
                  DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
        const int w = std::min<int>(calc.right - calc.left + 4, cell.cx - 2);
        const int lines = (i == m_focus) ? 1000 : 2;
        const int h = std::min<int>(calc.bottom - calc.top, lines * metrics().tmHeight) + 2;
        label = rectOf(left + (cell.cx - w) / 2, icon.bottom + 2, w, h);
    } else if (m_view == LV_VIEW_TILE) {
        const int x = icon.right + 6;
        label = RECT{x, top + 4, left + cell.cx - 2, top + cell.cy - 4};
    } else {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        const int x = icon.right + 2;
        const int right = std::min<int>(x + size.cx + 4, left + cell.cx - 2);
        label = RECT{x, top, std::max(x, right), top + cell.cy};
    }
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    return label;
}

RECT ListViewControl::itemRect(int i, int portion) {
    if (report()) {
        switch (portion) {
            case LVIR_ICON:
                return subItemRect(i, 0, LVIR_ICON);
            case LVIR_LABEL:
                return subItemRect(i, 0, LVIR_LABEL);
            case LVIR_SELECTBOUNDS:
                if (exStyle(LVS_EX_FULLROWSELECT)) return subItemRect(i, 0, LVIR_BOUNDS);
                return subItemRect(i, 0, LVIR_SELECTBOUNDS);
            default:
                return subItemRect(i, 0, LVIR_BOUNDS);
        }
    }
    const RECT icon = iconRect(i);
    if (portion == LVIR_ICON) return icon;
    const RECT label = labelRect(i);
    if (portion == LVIR_LABEL) return label;
    RECT both;
    UnionRect(&both, &icon, &label);
    const RECT state = stateIconRect(i);
    if (!IsRectEmpty(&state)) UnionRect(&both, &both, &state);
    return both;
}

std::vector<int> ListViewControl::itemsIn(const RECT& r) {
    std::vector<int> out;
    const int n = count();
    if (n == 0) return out;
    const RECT area = itemsArea();
    // View coordinates of the rectangle.
    const int top = r.top - area.top + m_yOrigin, bottom = r.bottom - area.top + m_yOrigin;
    const int left = r.left - area.left + m_xOrigin, right = r.right - area.left + m_xOrigin;
    if (bottom <= top || right <= left) return out;
    if (grouped()) {
        const SIZE cell = report() ? SIZE{totalColumnWidth(), rowHeight()} : cellSize();
        const int across = report() ? 1 : perLine();
        for (const GroupBlock& b : groupLayout()) {
            if (b.top >= bottom || b.top + b.height <= top) continue;
            if (m_groups[static_cast<std::size_t>(b.group)].state & LVGS_COLLAPSED) continue;
            const int firstLine = std::max(0, (top - b.rowsTop) / std::max<int>(1, cell.cy));
            const int lastLine = (bottom - 1 - b.rowsTop) / std::max<int>(1, cell.cy);
            for (int line = firstLine; line <= lastLine; ++line)
                for (int c = 0; c < across; ++c) {
                    const int k = line * across + c;
                    if (k >= static_cast<int>(b.items.size())) break;
                    if (!report() && ((c + 1) * cell.cx <= left || c * cell.cx >= right)) continue;
                    out.push_back(b.items[static_cast<std::size_t>(k)]);
                }
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    if (report()) {
        const int h = rowHeight();
        const int first = std::max(0, top / h);
        const int last = std::min(n - 1, (bottom - 1) / h);
        for (int i = first; i <= last; ++i)
            out.push_back(i);
        return out;
    }
    const SIZE cell = cellSize();
    const int line = perLine();
    if (columnMajor()) {
        const int c0 = std::max(0, left / cell.cx), c1 = (right - 1) / cell.cx;
        const int r0 = std::max(0, top / cell.cy), r1 = std::min(line - 1, (bottom - 1) / cell.cy);
        for (int c = c0; c <= c1 && c * line < n; ++c)
            for (int rr = r0; rr <= r1; ++rr) {
                const int i = c * line + rr;
                if (i < n) out.push_back(i);
            }
        std::sort(out.begin(), out.end());
        placeMoved(RECT{left, top, right, bottom}, out);
        return out;
    }
    const int r0 = std::max(0, top / cell.cy), r1 = (bottom - 1) / cell.cy;
    const int c0 = std::max(0, left / cell.cx), c1 = std::min(line - 1, (right - 1) / cell.cx);
    for (int rr = r0; rr <= r1 && rr * line < n; ++rr)
        for (int c = c0; c <= c1; ++c) {
            const int i = rr * line + c;
            if (i < n) out.push_back(i);
        }
    placeMoved(RECT{left, top, right, bottom}, out);
    return out;
}

int ListViewControl::hitTest(LVHITTESTINFO& info, bool subItems) {
    info.flags = 0;
    info.iItem = -1;
    info.iSubItem = 0;
    info.iGroup = -1;
    const RECT client = clientRect();
    const POINT pt = info.pt;
    if (pt.x < client.left) info.flags |= LVHT_TOLEFT;
    if (pt.x >= client.right) info.flags |= LVHT_TORIGHT;
    if (pt.y < client.top) info.flags |= LVHT_ABOVE;
    if (pt.y >= client.bottom) info.flags |= LVHT_BELOW;
    if (info.flags) return -1;
    const RECT area = itemsArea();
    if (pt.y < area.top) {
        info.flags = LVHT_NOWHERE;
        return -1;
    }
    int item = -1;
    if (grouped()) {
        const int y = pt.y - area.top + m_yOrigin;
        for (const GroupBlock& b : groupLayout()) {
            if (b.items.empty() || y < b.top || y >= b.top + b.height) continue;
            info.iGroup = m_groups[static_cast<std::size_t>(b.group)].id;
            if (y < b.rowsTop) {
                info.flags = LVHT_EX_GROUP_HEADER;
                return -1;
            }
            const SIZE cell = report() ? SIZE{totalColumnWidth(), rowHeight()} : cellSize();
            const int across = report() ? 1 : perLine();
            const int x = pt.x - area.left + m_xOrigin;
            const int col = report() ? 0 : x / std::max<int>(1, cell.cx);
            const int k = ((y - b.rowsTop) / std::max<int>(1, cell.cy)) * across + col;
            if (col < across && k >= 0 && k < static_cast<int>(b.items.size()) &&
                !(m_groups[static_cast<std::size_t>(b.group)].state & LVGS_COLLAPSED))
                item = b.items[static_cast<std::size_t>(k)];
            else if (y >= b.top + b.height - groupHeaderHeight() &&
                     !m_groups[static_cast<std::size_t>(b.group)].footer.empty()) {
                info.flags = LVHT_EX_GROUP_FOOTER;
                return -1;
            }
            break;
        }
    } else {
        const std::vector<int> under = itemsIn(RECT{pt.x, pt.y, pt.x + 1, pt.y + 1});
        if (under.size() > 1) {
            // Cells overlap only where an item was moved onto others: the one painted last, on
            // top, whose icon or label is under the point.
            for (auto it = under.rbegin(); it != under.rend() && item < 0; ++it) {
                const RECT icon = iconRect(*it), label = labelRect(*it);
                if (PtInRect(&icon, pt) || PtInRect(&label, pt)) item = *it;
            }
        }
        if (item < 0 && !under.empty()) item = under.front();
    }
    if (subItems && report()) {
        const int x = pt.x - area.left + m_xOrigin;
        int left = 0;
        info.iSubItem = -1;
        for (int c : columnOrder()) {
            const int w = m_columns[static_cast<std::size_t>(c)].width;
            if (x >= left && x < left + w) info.iSubItem = c;
            left += w;
        }
    }
    if (item < 0) {
        info.flags = LVHT_NOWHERE;
        return -1;
    }
    auto inside = [&](const RECT& r) {
        return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
    };
    const RECT state = stateIconRect(item);
    if (!IsRectEmpty(&state) && inside(state)) {
        info.flags = LVHT_ONITEMSTATEICON;
    } else if (inside(iconRect(item))) {
        info.flags = LVHT_ONITEMICON;
    } else if (inside(labelRect(item))) {
        info.flags = LVHT_ONITEMLABEL;
    } else if (report() && exStyle(LVS_EX_FULLROWSELECT) &&
               inside(subItemRect(item, 0, LVIR_BOUNDS))) {
        info.flags = LVHT_ONITEMLABEL;
    } else {
        info.flags = LVHT_NOWHERE;
        if (subItems && report() && info.iSubItem >= 0) {
            info.iItem = item;  // a sub-item hit names the row even away from the label
            return item;
        }
        return -1;
    }
    info.iItem = item;
    return item;
}

RECT ListViewControl::viewRect() {
    const SIZE s = contentSize();
    const RECT area = itemsArea();
    return RECT{area.left - m_xOrigin, area.top - m_yOrigin, area.left - m_xOrigin + s.cx,
                area.top - m_yOrigin + s.cy};
}

SIZE ListViewControl::contentSize() {
    const int n = count();
    if (report()) {
        const int h = grouped() ? (groupLayout(), m_groupsHeight) : n * rowHeight();
        return SIZE{totalColumnWidth(), h};
    }
    const SIZE cell = cellSize();
    const int line = perLine();
    const int lines = (n + line - 1) / line;
    if (m_view == LV_VIEW_LIST) return SIZE{lines * cell.cx, std::min(n, line) * cell.cy};
    if (grouped()) return SIZE{std::min(n, line) * cell.cx, (groupLayout(), m_groupsHeight)};
    const SIZE moved = movedExtent();
    if (columnMajor())
        return SIZE{std::max<int>(lines * cell.cx, moved.cx),
                    std::max<int>(std::min(n, line) * cell.cy, moved.cy)};
    return SIZE{std::max<int>(std::min(n, line) * cell.cx, moved.cx),
                std::max<int>(lines * cell.cy, moved.cy)};
}

int ListViewControl::topIndex() const {
    if (report() && !grouped())
        return std::min(count() == 0 ? 0 : count() - 1, m_yOrigin / std::max(1, rowHeight()));
    if (m_view == LV_VIEW_LIST)
        return std::min(count() == 0 ? 0 : count() - 1,
                        (m_xOrigin / std::max<int>(1, cellSize().cx)) * perLine());
    if (report()) {
        const RECT area = itemsArea();
        const std::vector<int> shown = const_cast<ListViewControl*>(this)->itemsIn(
            RECT{area.left, area.top, area.right, area.top + 1 + rowHeight()});
        return shown.empty() ? 0 : shown.front();
    }
    return 0;
}

int ListViewControl::countPerPage() const {
    const RECT area = itemsArea();
    if (report())
        return std::max(0, static_cast<int>(area.bottom - area.top) / std::max(1, rowHeight()));
    if (m_view == LV_VIEW_LIST)
        return perLine() * std::max(1, static_cast<int>(area.right - area.left) /
                                           std::max<int>(1, cellSize().cx));
    return count();
}

bool ListViewControl::ensureVisible(int i, bool partialOk) {
    if (!validIndex(i)) return false;
    if (!m_scrollBarsValid) updateScrollBars();
    const RECT area = itemsArea();
    RECT r = report() ? subItemRect(i, 0, LVIR_BOUNDS) : itemRect(i, LVIR_BOUNDS);
    if (report()) {
        r.left = area.left;
        r.right = area.left;  // rows need no sideways scroll
    }
    auto fits = [&](LONG lo, LONG hi, LONG from, LONG to) {
        return partialOk ? (hi > from && lo < to) : (lo >= from && hi <= to);
    };
    int dx = 0, dy = 0;
    if (!fits(r.top, r.bottom, area.top, area.bottom)) {
        if (r.top < area.top)
            dy = r.top - area.top;
        else
            dy = std::min<int>(r.bottom - area.bottom, r.top - area.top);
    }
    if (!report() && !fits(r.left, r.right, area.left, area.right)) {
        if (r.left < area.left)
            dx = r.left - area.left;
        else
            dx = std::min<int>(r.right - area.right, r.left - area.left);
    }
    if (dx || dy) {
        if (report() && !grouped()) {
            // Whole rows.
            const int h = rowHeight();
            dy = dy < 0 ? -((-dy + h - 1) / h) * h : ((dy + h - 1) / h) * h;
        }
        setOrigin(m_xOrigin + dx, m_yOrigin + dy);
    }
    return true;
}

void ListViewControl::setOrigin(int x, int y) {
    const int oldX = m_xOrigin, oldY = m_yOrigin;
    setOriginClamped(x, y);
    if (oldX == m_xOrigin && oldY == m_yOrigin) return;
    hideTip();
    if (m_edit) endEdit(false);
    // Scrolling up or down leaves the header as it is: only the items repaint.
    if (oldX == m_xOrigin) {
        const RECT area = itemsArea();
        InvalidateRect(m_hwnd, &area, FALSE);
    } else {
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
    if (oldX != m_xOrigin) layoutHeader();
    m_scrollBarsValid = false;
    updateScrollBars();
}

void ListViewControl::scrollBy(int dx, int dy, bool notifyParent) {
    if (report() && !grouped()) {
        const int h = rowHeight();
        dy = dy / h * h;  // rows, toward zero
    }
    const int oldX = m_xOrigin, oldY = m_yOrigin;
    if (notifyParent) {
        NMLVSCROLL nm;
        nm.dx = dx;
        nm.dy = dy;
        notify(LVN_BEGINSCROLL, nm.hdr);
    }
    setOrigin(m_xOrigin + dx, m_yOrigin + dy);
    if (notifyParent) {
        NMLVSCROLL nm;
        nm.dx = m_xOrigin - oldX;
        nm.dy = m_yOrigin - oldY;
        notify(LVN_ENDSCROLL, nm.hdr);
    }
}

void ListViewControl::scroll(int bar, int code, int thumb) {
    const bool vertical = bar == SB_VERT;
    const RECT area = itemsArea();
    const bool rows = vertical && report() && !grouped();
    const int line = rows       ? rowHeight()
                     : vertical ? (report() ? rowHeight() : cellSize().cy)
                                : (m_view == LV_VIEW_LIST ? cellSize().cx : scaled(16));
    const int page = vertical ? std::max<int>(line, area.bottom - area.top - (rows ? 0 : line))
                              : std::max<int>(line, area.right - area.left);
    const int current = vertical ? m_yOrigin : m_xOrigin;
    int target = current;
    switch (code) {
        case SB_LINEUP:
            target -= line;
            break;
        case SB_LINEDOWN:
            target += line;
            break;
        case SB_PAGEUP:
            target -= rows ? countPerPage() * line : page;
            break;
        case SB_PAGEDOWN:
            target += rows ? countPerPage() * line : page;
            break;
        case SB_TOP:
            target = 0;
            break;
        case SB_BOTTOM:
            target = 1 << 29;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            // The 32-bit tracking position: the message carries only 16 bits.
            SCROLLINFO si;
            si.fMask = SIF_TRACKPOS;
            int pos = thumb;
            if (GetScrollInfo(m_hwnd, bar, &si)) pos = si.nTrackPos;
            const int unit = rows                                    ? rowHeight()
                             : (!vertical && m_view == LV_VIEW_LIST) ? cellSize().cx
                                                                     : 1;
            target = pos * unit;
            break;
        }
        default:
            return;
    }
    if (target == current) return;
    scrollBy(vertical ? 0 : target - current, vertical ? target - current : 0, true);
}

void ListViewControl::wheel(int delta, bool horizontal) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    m_wheelRest += delta;
    const int notches = m_wheelRest / WHEEL_DELTA;
    if (notches == 0) return;
    m_wheelRest -= notches * WHEEL_DELTA;
    // Views that fill columns grow sideways, and the wheel moves them sideways.
    const bool sideways = horizontal || columnMajor();
    const int step = report()                 ? rowHeight()
                     : m_view == LV_VIEW_LIST ? cellSize().cx
                     : sideways               ? cellSize().cx / 2
                                              : cellSize().cy / 2;
    const int amount = -notches * static_cast<int>(lines) * step;
    if (sideways)
        scrollBy(m_view == LV_VIEW_LIST ? -notches * cellSize().cx : amount, 0, true);
    else
        scrollBy(0, amount, true);
}

void ListViewControl::updateScrollBars() {
    if (m_updatingBars) return;
    m_updatingBars = true;
    const DWORD s = style();
    for (int pass = 0; pass < 3; ++pass) {
        const RECT area = itemsArea();
        const SIZE content = contentSize();
        const bool wantV = !(s & LVS_NOSCROLL) && content.cy > area.bottom - area.top;
        const bool wantH = !(s & LVS_NOSCROLL) && content.cx > area.right - area.left;
        const DWORD now = style();
        const bool hasV = (now & WS_VSCROLL) != 0, hasH = (now & WS_HSCROLL) != 0;
        if (wantV == hasV && wantH == hasH) break;
        if (wantV != hasV) ShowScrollBar(m_hwnd, SB_VERT, wantV);
        if (wantH != hasH) ShowScrollBar(m_hwnd, SB_HORZ, wantH);
        m_groupBlocksValid = false;  // the width changed, and with it the grid
    }
    const RECT area = itemsArea();
    const SIZE content = contentSize();
    // The origin stays within what there is to see.
    const int oldX = m_xOrigin, oldY = m_yOrigin;
    setOriginClamped(m_xOrigin, m_yOrigin);
    if (style() & WS_VSCROLL) {
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (report() && !grouped()) {
            si.nMin = 0;
            si.nMax = std::max(0, count() - 1);
            si.nPage = static_cast<UINT>(countPerPage());
            si.nPos = m_yOrigin / std::max(1, rowHeight());
        } else {
            si.nMin = 0;
            si.nMax = std::max(0, static_cast<int>(content.cy) - 1);
            si.nPage = static_cast<UINT>(std::max(0, static_cast<int>(area.bottom - area.top)));
            si.nPos = m_yOrigin;
        }
        SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    }
    if (style() & WS_HSCROLL) {
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (m_view == LV_VIEW_LIST) {
            const int cx = std::max<int>(1, cellSize().cx);
            si.nMin = 0;
            si.nMax = std::max(0, static_cast<int>((content.cx + cx - 1) / cx) - 1);
            si.nPage =
                static_cast<UINT>(std::max(1, static_cast<int>(area.right - area.left) / cx));
            si.nPos = m_xOrigin / cx;
        } else {
            si.nMin = 0;
            si.nMax = std::max(0, static_cast<int>(content.cx) - 1);
            si.nPage = static_cast<UINT>(std::max(0, static_cast<int>(area.right - area.left)));
            si.nPos = m_xOrigin;
        }
        SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
    }
    m_scrollBarsValid = true;
    m_updatingBars = false;
    if (oldX != m_xOrigin) layoutHeader();
    if (oldX != m_xOrigin || oldY != m_yOrigin) InvalidateRect(m_hwnd, nullptr, FALSE);
}

void ListViewControl::setOriginClamped(int x, int y) {
    const SIZE content = contentSize();
    const RECT area = itemsArea();
    int maxX = std::max(0, static_cast<int>(content.cx - (area.right - area.left)));
    int maxY = std::max(0, static_cast<int>(content.cy - (area.bottom - area.top)));
    if (report() && !grouped()) {
        const int h = rowHeight();
        maxY = std::max(0, count() - countPerPage()) * h;
        y = (y / h) * h;
    }
    if (m_view == LV_VIEW_LIST) {
        const int cx = std::max<int>(1, cellSize().cx);
        maxX = ((maxX + cx - 1) / cx) * cx;
        x = (x / cx) * cx;
    }
    m_xOrigin = std::clamp(x, 0, maxX);
    m_yOrigin = std::clamp(y, 0, maxY);
}

bool ListViewControl::wholeInvalid() const {
    const RECT client = clientRect();
    return !IsRectEmpty(&m_invalidWhole) && EqualRect(&m_invalidWhole, &client);
}

void ListViewControl::invalidateItem(int i) {
    if (!validIndex(i) || wholeInvalid()) return;
    const RECT r = itemRect(i, LVIR_BOUNDS);
    const RECT area = itemsArea();
    RECT shown;
    if (IntersectRect(&shown, &r, &area)) InvalidateRect(m_hwnd, &shown, FALSE);
}

void ListViewControl::invalidateLayout() {
    m_groupBlocksValid = false;
    m_scrollBarsValid = false;
    if (!wholeInvalid()) {
        InvalidateRect(m_hwnd, nullptr, FALSE);
        m_invalidWhole = clientRect();
    }
    // The scroll bars follow before the next paint: posted messages come first.
    if (!m_layoutPosted) {
        m_layoutPosted = PostMessageW(m_hwnd, kDeferredLayout, 0, 0) != FALSE;
    }
}

}  // namespace orvane::platform
