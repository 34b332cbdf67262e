// The list view's groups: records kept in order, shown as a header (and a footer) above their
// items when group view is on; collapsible groups fold away under their header.
#include <algorithm>

#include "platform/base/TextBuffer.h"
#include "platform/comctl/ListViewControl.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

constexpr UINT kGroupStates =
    LVGS_COLLAPSED | LVGS_HIDDEN | LVGS_NOHEADER | LVGS_COLLAPSIBLE | LVGS_FOCUSED | LVGS_SELECTED;

}  // namespace

int ListViewControl::groupIndex(int id) const {
    for (std::size_t g = 0; g < m_groups.size(); ++g)
        if (m_groups[g].id == id) return static_cast<int>(g);
    return -1;
}

int ListViewControl::insertGroup(int at, const LVGROUP& g) {
    if (!(g.mask & LVGF_GROUPID) || groupIndex(g.iGroupId) >= 0 || ownerData()) return -1;
    Group group;
    group.id = g.iGroupId;
    if ((g.mask & LVGF_HEADER) && g.pszHeader) group.header = g.pszHeader;
    if ((g.mask & LVGF_FOOTER) && g.pszFooter) group.footer = g.pszFooter;
    if ((g.mask & LVGF_SUBTITLE) && g.pszSubtitle) group.subtitle = g.pszSubtitle;
    if (g.mask & LVGF_STATE) group.state = g.state & g.stateMask & kGroupStates;
    if (g.mask & LVGF_ALIGN) group.align = g.uAlign;
    const int index =
        at < 0 || at > static_cast<int>(m_groups.size()) ? static_cast<int>(m_groups.size()) : at;
    m_groups.insert(m_groups.begin() + index, std::move(group));
    if (m_focusedGroup >= index) ++m_focusedGroup;
    invalidateLayout();
    return index;
}

int ListViewControl::removeGroup(int id) {
    const int index = groupIndex(id);
    if (index < 0) return -1;
    m_groups.erase(m_groups.begin() + index);
    if (m_focusedGroup == index)
        m_focusedGroup = -1;
    else if (m_focusedGroup > index)
        --m_focusedGroup;
    invalidateLayout();
    return index;
}

bool ListViewControl::getGroup(int index, LVGROUP& g) const {
    if (index < 0 || index >= static_cast<int>(m_groups.size())) return false;
    const Group& group = m_groups[static_cast<std::size_t>(index)];
    if (g.mask & LVGF_HEADER) CopyToBuffer(group.header, g.pszHeader, g.cchHeader);
    if (g.mask & LVGF_FOOTER) CopyToBuffer(group.footer, g.pszFooter, g.cchFooter);
    if (g.mask & LVGF_SUBTITLE)
        CopyToBuffer(group.subtitle, g.pszSubtitle, static_cast<int>(g.cchSubtitle));
    if (g.mask & LVGF_STATE) g.state = group.state & g.stateMask;
    if (g.mask & LVGF_ALIGN) g.uAlign = group.align;
    if (g.mask & LVGF_GROUPID) g.iGroupId = group.id;
    if (g.mask & LVGF_ITEMS) {
        g.iFirstItem = -1;
        g.cItems = 0;
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i].groupId != group.id) continue;
            if (g.iFirstItem < 0) g.iFirstItem = static_cast<int>(i);
            ++g.cItems;
        }
    }
    return true;
}

bool ListViewControl::setGroup(int id, const LVGROUP& g) {
    const int index = groupIndex(id);
    if (index < 0) return false;
    if ((g.mask & LVGF_GROUPID) && g.iGroupId != id && groupIndex(g.iGroupId) >= 0) return false;
    Group& group = m_groups[static_cast<std::size_t>(index)];
    if (g.mask & LVGF_HEADER) group.header = g.pszHeader ? g.pszHeader : u"";
    if (g.mask & LVGF_FOOTER) group.footer = g.pszFooter ? g.pszFooter : u"";
    if (g.mask & LVGF_SUBTITLE) group.subtitle = g.pszSubtitle ? g.pszSubtitle : u"";
    if (g.mask & LVGF_STATE)
        group.state = (group.state & ~g.stateMask) | (g.state & g.stateMask & kGroupStates);
    if (g.mask & LVGF_ALIGN) group.align = g.uAlign;
    if (g.mask & LVGF_GROUPID) {
        // Items follow their group to its new id.
        for (Item& item : m_items)
            if (item.groupId == id) item.groupId = g.iGroupId;
        group.id = g.iGroupId;
    }
    if ((group.state & LVGS_FOCUSED)) m_focusedGroup = index;
    invalidateLayout();
    return true;
}

bool ListViewControl::enableGroupView(bool on) {
    if (ownerData()) return false;
    if (m_groupView == on) return false;
    m_groupView = on;
    m_xOrigin = m_yOrigin = 0;
    invalidateLayout();
    return true;
}

RECT ListViewControl::groupRect(int id, LONG portion) {
    const int index = groupIndex(id);
    const RECT area = itemsArea();
    for (const GroupBlock& b : groupLayout()) {
        if (b.group != index) continue;
        const int top = area.top + b.top - m_yOrigin;
        RECT r{area.left, top, area.right, top + b.height};
        if (portion == LVGGR_HEADER || portion == LVGGR_LABEL) r.bottom = top + groupHeaderHeight();
        if (portion == LVGGR_LABEL) r.left += 10;
        if (portion == LVGGR_SUBSETLINK) r = RECT{};
        return r;
    }
    return RECT{};
}

bool ListViewControl::toggleGroup(int index) {
    if (index < 0 || index >= static_cast<int>(m_groups.size())) return false;
    Group& g = m_groups[static_cast<std::size_t>(index)];
    if (!(g.state & LVGS_COLLAPSIBLE)) return false;
    g.state ^= LVGS_COLLAPSED;
    invalidateLayout();
    updateScrollBars();
    return true;
}

void ListViewControl::groupClicked(int id, POINT pt, bool doubleClick) {
    const int index = groupIndex(id);
    if (index < 0) return;
    const HWND self = m_hwnd;
    for (Group& g : m_groups)
        g.state &= ~LVGS_FOCUSED;
    m_groups[static_cast<std::size_t>(index)].state |= LVGS_FOCUSED;
    m_focusedGroup = index;
    const RECT header = groupRect(id, LVGGR_HEADER);
    const int button = header.bottom - header.top;
    const bool onButton = pt.x >= header.right - 8 - button && pt.x < header.right - 8;
    if (doubleClick ||
        (onButton && (m_groups[static_cast<std::size_t>(index)].state & LVGS_COLLAPSIBLE))) {
        toggleGroup(index);
        return;
    }
    // A click on the header selects the group's items.
    if (singleSelect()) return;
    const int wanted = id;
    for (int i = 0; i < count(); ++i) {
        const bool member = m_items[static_cast<std::size_t>(i)].groupId == wanted;
        setOneState(i, member ? LVIS_SELECTED : 0, LVIS_SELECTED);
        if (!IsWindow(self)) return;
    }
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

}  // namespace orvane::platform
