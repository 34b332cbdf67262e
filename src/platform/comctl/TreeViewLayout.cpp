// The tree view's geometry: the rows shown kept as a flat index (rebuilt by one loop over the
// expanded items when the tree's shape changed), each row's parts, hit testing, and scrolling
// by whole rows vertically and by pixels sideways.
#include <algorithm>
#include <cstdint>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/TreeViewControl.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

int scaled(int pixels) {
    return pixels * static_cast<int>(GetDpiForSystem()) / 96;
}

}  // namespace

void TreeViewControl::ensureRows() const {
    if (m_rowsValid) return;
    ++m_rowStamp;
    m_rows.clear();
    m_rowUnits.clear();
    bool uneven = false;
    for (std::uint32_t s = node(m_root).firstChild; s;) {
        TreeNode& n = node(s);
        n.row = static_cast<std::uint32_t>(m_rows.size());
        n.rowStamp = m_rowStamp;
        m_rows.push_back(s);
        if (n.integral != 1) uneven = true;
        if (n.firstChild && (n.state & TVIS_EXPANDED)) {
            s = n.firstChild;
            continue;
        }
        while (s && !node(s).next) {
            s = node(s).parent;
            if (s == m_root) s = 0;
        }
        if (s) s = node(s).next;
    }
    if (uneven) {
        m_rowUnits.reserve(m_rows.size() + 1);
        int unit = 0;
        for (std::uint32_t s : m_rows) {
            m_rowUnits.push_back(unit);
            unit += node(s).integral;
        }
        m_rowUnits.push_back(unit);
        m_units = unit;
    } else {
        m_units = static_cast<int>(m_rows.size());
    }
    m_rowsValid = true;
}

void TreeViewControl::rowsChanged() {
    m_rowsValid = false;
    invalidateLayout();
}

int TreeViewControl::rowCount() const {
    ensureRows();
    return static_cast<int>(m_rows.size());
}

bool TreeViewControl::visible(std::uint32_t slot) const {
    if (!slot || slot == m_root) return false;
    ensureRows();
    return node(slot).rowStamp == m_rowStamp;
}

int TreeViewControl::unitOf(int row) const {
    ensureRows();
    if (m_rowUnits.empty()) return row;
    return m_rowUnits[static_cast<std::size_t>(std::clamp(row, 0, rowCount()))];
}

int TreeViewControl::unitCount() const {
    ensureRows();
    return m_units;
}

int TreeViewControl::rowAtUnit(int unit) const {
    ensureRows();
    if (m_rows.empty()) return 0;
    unit = std::clamp(unit, 0, m_units - 1);
    if (m_rowUnits.empty()) return unit;
    const auto it = std::upper_bound(m_rowUnits.begin(), m_rowUnits.end(), unit);
    return static_cast<int>(it - m_rowUnits.begin()) - 1;
}

int TreeViewControl::topRow() const {
    return rowAtUnit(m_top);
}

int TreeViewControl::defaultItemHeight() const {
    int h = metrics().tmHeight + scaled(3);
    if (m_normal) h = std::max(h, static_cast<int>(imageSize(m_normal).cy) + 1);
    if (m_state) h = std::max(h, static_cast<int>(imageSize(m_state).cy) + 1);
    if (hasStyle(TVS_CHECKBOXES)) h = std::max(h, scaled(13) + 3);
    if (!hasStyle(TVS_NONEVENHEIGHT)) h = (h + 1) & ~1;
    return h;
}

int TreeViewControl::itemHeight() const {
    return m_itemHeight > 0 ? m_itemHeight : defaultItemHeight();
}

SIZE TreeViewControl::imageSize(HIMAGELIST list) const {
    int cx = 0, cy = 0;
    if (list) ImageList_GetIconSize(list, &cx, &cy);
    return SIZE{cx, cy};
}

int TreeViewControl::pageUnits() const {
    return std::max(1, static_cast<int>(m_clientSize.cy) / std::max(1, itemHeight()));
}

int TreeViewControl::visibleCount() const {
    return static_cast<int>(m_clientSize.cy) / std::max(1, itemHeight());
}

int TreeViewControl::levelLeft(int level) const {
    const bool rootLines = hasStyle(TVS_LINESATROOT) && hasStyle(TVS_HASLINES | TVS_HASBUTTONS);
    return (level + (rootLines ? 1 : 0)) * m_indent - m_xOrigin;
}

int TreeViewControl::labelWidth(std::uint32_t slot) {
    TreeNode& n = node(slot);
    if (n.textWidth >= 0 && !n.textCallback) return n.textWidth;
    const std::u16string text = itemText(slot);
    if (!alive() || node(slot).owner != this) return 0;
    const HDC dc = GetDC(m_hwnd);
    const HGDIOBJ old = SelectObject(dc, (node(slot).state & TVIS_BOLD) ? boldFont() : font());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    node(slot).textWidth = size.cx;
    return size.cx;
}

TreeViewControl::RowParts TreeViewControl::parts(std::uint32_t slot) {
    RowParts p;
    const TreeNode& n = node(slot);
    const int h = itemHeight();
    const int top = (unitOf(rowOf(slot)) - m_top) * h;
    p.row = RECT{0, top, m_clientSize.cx, top + h * n.integral};
    int x = levelLeft(n.level);
    p.buttonLeft = x - m_indent;
    const UINT stateImage = (n.state & TVIS_STATEIMAGEMASK) >> 12;
    if (m_state && stateImage) {
        const SIZE s = imageSize(m_state);
        p.state = RECT{x, top, x + s.cx, p.row.bottom};
        x += s.cx;
    }
    if (m_normal) {
        const SIZE s = imageSize(m_normal);
        p.icon = RECT{x, top, x + s.cx, p.row.bottom};
        x += s.cx;
    }
    const int pad = scaled(2);
    const int width = labelWidth(slot);
    p.label = RECT{x, top, x + width + 2 * pad, p.row.bottom};
    // The horizontal range covers the widest row measured so far.
    const int right = p.label.right + m_xOrigin;
    if (right > m_widest) {
        m_widest = right;
        m_scrollBarsValid = false;
        if (!m_layoutPosted) m_layoutPosted = PostMessageW(m_hwnd, kDeferredLayout, 0, 0) != FALSE;
    }
    return p;
}

bool TreeViewControl::itemRect(std::uint32_t slot, bool textOnly, RECT& r) {
    if (!visible(slot)) return false;
    const HTREEITEM handle = table().handle(slot);
    const RowParts p = parts(slot);
    if (!slotOf(handle)) return false;
    r = textOnly ? p.label : p.row;
    return true;
}

HTREEITEM TreeViewControl::hitTest(TVHITTESTINFO& info) {
    info.hItem = HTREEITEM{};
    info.flags = 0;
    const POINT pt = info.pt;
    if (pt.x < 0) info.flags |= TVHT_TOLEFT;
    if (pt.x >= m_clientSize.cx) info.flags |= TVHT_TORIGHT;
    if (pt.y < 0) info.flags |= TVHT_ABOVE;
    if (pt.y >= m_clientSize.cy) info.flags |= TVHT_BELOW;
    if (info.flags) return HTREEITEM{};
    const int h = std::max(1, itemHeight());
    const int unit = m_top + pt.y / h;
    if (unit >= unitCount()) {
        info.flags = TVHT_NOWHERE;
        return HTREEITEM{};
    }
    const std::uint32_t slot = m_rows[static_cast<std::size_t>(rowAtUnit(unit))];
    const HTREEITEM handle = table().handle(slot);
    const RowParts p = parts(slot);
    if (!slotOf(handle)) {
        info.flags = TVHT_NOWHERE;
        return HTREEITEM{};
    }
    info.hItem = handle;
    const int itemLeft = p.buttonLeft + m_indent;
    const bool button =
        hasStyle(TVS_HASBUTTONS) && p.buttonLeft + m_xOrigin >= 0 && hasChildren(slot);
    if (!slotOf(handle)) {
        info.hItem = HTREEITEM{};
        info.flags = TVHT_NOWHERE;
        return HTREEITEM{};
    }
    if (pt.x < itemLeft)
        info.flags = (button && pt.x >= p.buttonLeft) ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    else if (!IsRectEmpty(&p.state) && pt.x < p.state.right)
        info.flags = TVHT_ONITEMSTATEICON;
    else if (!IsRectEmpty(&p.icon) && pt.x < p.icon.right)
        info.flags = TVHT_ONITEMICON;
    else if (pt.x < p.label.right)
        info.flags = TVHT_ONITEMLABEL;
    else
        info.flags = TVHT_ONITEMRIGHT;
    return handle;
}

bool TreeViewControl::ensureVisible(std::uint32_t slot) {
    bool expanded = false;
    for (std::uint32_t s = node(slot).parent; s && s != m_root; s = node(s).parent)
        if (!(node(s).state & TVIS_EXPANDED)) expanded = true;
    const HTREEITEM handle = table().handle(slot);
    if (expanded) {
        if (!expandAncestors(slot)) return false;
        slot = slotOf(handle);
        if (!slot) return false;
    }
    if (!visible(slot)) return false;
    const int unit = unitOf(rowOf(slot));
    const int span = node(slot).integral;
    const int page = pageUnits();
    const int old = m_top;
    if (unit < m_top)
        setTop(unit);
    else if (unit + span > m_top + page)
        setTop(std::min(unit, unit + span - page));
    return m_top != old && !expanded;
}

void TreeViewControl::setTop(int unit) {
    ensureRows();
    const int maxTop = std::max(0, m_units - pageUnits());
    unit = std::clamp(unit, 0, maxTop);
    // Rows scroll whole: the top is where a row begins.
    unit = unitOf(rowAtUnit(unit));
    if (unit == m_top) return;
    m_top = unit;
    hideTip();
    if (m_edit) endEdit(false);
    InvalidateRect(m_hwnd, nullptr, FALSE);
    if (GetWindowLongW(m_hwnd, GWL_STYLE) & WS_VSCROLL) {
        SCROLLINFO si;
        si.fMask = SIF_POS;
        si.nPos = m_top;
        SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    }
}

void TreeViewControl::setXOrigin(int x) {
    const int maxX = std::max(0, contentWidth() - static_cast<int>(m_clientSize.cx));
    x = std::clamp(x, 0, maxX);
    if (x == m_xOrigin) return;
    m_xOrigin = x;
    hideTip();
    if (m_edit) endEdit(false);
    InvalidateRect(m_hwnd, nullptr, FALSE);
    if (GetWindowLongW(m_hwnd, GWL_STYLE) & WS_HSCROLL) {
        SCROLLINFO si;
        si.fMask = SIF_POS;
        si.nPos = m_xOrigin;
        SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
    }
}

void TreeViewControl::scroll(int bar, int code) {
    const bool vertical = bar == SB_VERT;
    const int line = vertical ? 1 : std::max(1, static_cast<int>(metrics().tmAveCharWidth));
    const int page = vertical ? pageUnits() : std::max(1, static_cast<int>(m_clientSize.cx));
    const int current = vertical ? m_top : m_xOrigin;
    int target = current;
    switch (code) {
        case SB_LINEUP:
            target -= line;
            break;
        case SB_LINEDOWN:
            if (vertical) {
                // A row taller than one unit scrolls by itself.
                target = unitOf(topRow() + 1);
            } else {
                target += line;
            }
            break;
        case SB_PAGEUP:
            target -= page;
            break;
        case SB_PAGEDOWN:
            target += page;
            break;
        case SB_TOP:
            target = 0;
            break;
        case SB_BOTTOM:
            target = 1 << 29;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            // The 32-bit position: the message carries only 16 bits.
            SCROLLINFO si;
            si.fMask = SIF_TRACKPOS;
            if (!GetScrollInfo(m_hwnd, bar, &si)) return;
            target = si.nTrackPos;
            break;
        }
        case SB_ENDSCROLL:
            return;
        default:
            return;
    }
    if (vertical)
        setTop(target);
    else
        setXOrigin(target);
}

void TreeViewControl::wheel(int delta, bool horizontal) {
    m_wheelRest += delta;
    const int notches = m_wheelRest / WHEEL_DELTA;
    if (notches == 0) return;
    m_wheelRest -= notches * WHEEL_DELTA;
    if (horizontal) {
        setXOrigin(m_xOrigin + notches * static_cast<int>(metrics().tmAveCharWidth) * 3);
        return;
    }
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    // WHEEL_PAGESCROLL (all ones): a page a notch.
    const int step = lines == 0xFFFFFFFFu ? pageUnits() : static_cast<int>(lines);
    setTop(m_top - notches * step);
}

int TreeViewControl::contentWidth() const {
    return m_widest;
}

void TreeViewControl::updateScrollBars() {
    if (m_updatingBars) return;
    m_updatingBars = true;
    const DWORD s = style();
    for (int pass = 0; pass < 3; ++pass) {
        const bool wantV = !(s & TVS_NOSCROLL) && unitCount() > pageUnits();
        const bool wantH =
            !(s & (TVS_NOSCROLL | TVS_NOHSCROLL)) && contentWidth() > m_clientSize.cx;
        const DWORD now = style();
        const bool hasV = (now & WS_VSCROLL) != 0, hasH = (now & WS_HSCROLL) != 0;
        if (wantV == hasV && wantH == hasH) break;
        if (wantV != hasV) ShowScrollBar(m_hwnd, SB_VERT, wantV);
        if (wantH != hasH) ShowScrollBar(m_hwnd, SB_HORZ, wantH);
    }
    // The view stays within what there is to see.
    const int maxTop = std::max(0, unitCount() - pageUnits());
    const int top = std::clamp(m_top, 0, maxTop);
    const int maxX = std::max(0, contentWidth() - static_cast<int>(m_clientSize.cx));
    const int x = std::clamp(m_xOrigin, 0, maxX);
    if (top != m_top || x != m_xOrigin) {
        m_top = unitOf(rowAtUnit(top));
        m_xOrigin = x;
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
    if (style() & WS_VSCROLL) {
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = std::max(0, unitCount() - 1);
        si.nPage = static_cast<UINT>(pageUnits());
        si.nPos = m_top;
        SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    }
    if (style() & WS_HSCROLL) {
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = std::max(0, contentWidth() - 1);
        si.nPage = static_cast<UINT>(std::max(0, static_cast<int>(m_clientSize.cx)));
        si.nPos = m_xOrigin;
        SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
    }
    m_scrollBarsValid = true;
    m_updatingBars = false;
}

void TreeViewControl::invalidateLayout() {
    m_scrollBarsValid = false;
    if (!m_allInvalid) {
        InvalidateRect(m_hwnd, nullptr, FALSE);
        m_allInvalid = true;
    }
    // The scroll bars follow before the next paint: posted messages come first.
    if (!m_layoutPosted) m_layoutPosted = PostMessageW(m_hwnd, kDeferredLayout, 0, 0) != FALSE;
}

void TreeViewControl::invalidateItem(std::uint32_t slot) {
    if (m_allInvalid || !m_rowsValid || !slot || slot == m_root) return;
    if (node(slot).rowStamp != m_rowStamp) return;
    const int h = itemHeight();
    const int top = (unitOf(rowOf(slot)) - m_top) * h;
    const RECT r{0, top, m_clientSize.cx, top + h * node(slot).integral};
    if (r.bottom <= 0 || r.top >= m_clientSize.cy) return;
    InvalidateRect(m_hwnd, &r, FALSE);
}

}  // namespace orvane::platform
