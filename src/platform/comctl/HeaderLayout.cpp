// The header's geometry: the height of a row, HDM_LAYOUT, the parts of each item, and hit
// testing. Painting and hit-testing both read geometry(), so what is drawn is what is clicked.
#include <algorithm>

#include "platform/comctl/HeaderControl.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/theme/Theme.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

// Lengths at 96 DPI.
constexpr int kPadThemed = 5;    // above and below the text of a styled row
constexpr int kPadClassic = 2;   // ... and of a classic one, inside its raised edge
constexpr int kDividerZone = 4;  // each side of a divider where the pointer grabs it
constexpr int kCheckBox = 13;
constexpr int kDropDown = 16;      // the split button's drop-down part
constexpr int kFilterButton = 16;  // the button at the right of a filter

RECT clampTo(RECT r, const RECT& bounds) {
    r.left = std::clamp(r.left, bounds.left, bounds.right);
    r.right = std::clamp(r.right, bounds.left, bounds.right);
    r.top = std::clamp(r.top, bounds.top, bounds.bottom);
    r.bottom = std::clamp(r.bottom, bounds.top, bounds.bottom);
    if (r.right <= r.left || r.bottom <= r.top) return RECT{};
    return r;
}

}  // namespace

int HeaderControl::scale(int px) const {
    return px * static_cast<int>(GetDpiForSystem()) / 96;
}

HFONT HeaderControl::font() const {
    return m_font ? m_font : HFONT(GetStockObject(SYSTEM_FONT));
}

int HeaderControl::bitmapMargin() const {
    return m_bitmapMargin < 0 ? GetSystemMetrics(SM_CXEDGE) * 3 : m_bitmapMargin;
}

int HeaderControl::rowHeight() const {
    TEXTMETRICW tm{};
    const HDC dc = GetDC(HWND());
    const HGDIOBJ old = SelectObject(dc, font());
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(HWND(), dc);
    const int pad = IsThemeActive() ? kPadThemed : kPadClassic;
    return tm.tmHeight + 2 * scale(pad);
}

LRESULT HeaderControl::layout(HDLAYOUT* hl) const {
    if (!hl || !hl->prc || !hl->pwpos) return FALSE;
    const DWORD s = style();
    const int height = (s & HDS_HIDDEN) ? 0 : rowHeight() * ((s & HDS_FILTERBAR) ? 2 : 1);
    WINDOWPOS& wp = *hl->pwpos;
    wp.hwnd = m_hwnd;
    wp.hwndInsertAfter = HWND();
    wp.x = hl->prc->left;
    wp.y = hl->prc->top;
    wp.cx = hl->prc->right - hl->prc->left;
    wp.cy = height;
    wp.flags = SWP_NOZORDER;
    hl->prc->top += height;
    return TRUE;
}

RECT HeaderControl::headRow() const {
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (style() & HDS_FILTERBAR) client.bottom = client.top + (client.bottom - client.top) / 2;
    return client;
}

RECT HeaderControl::filterRow() const {
    if (!(style() & HDS_FILTERBAR)) return RECT{};
    RECT client;
    GetClientRect(m_hwnd, &client);
    client.top = headRow().bottom;
    return client;
}

HeaderControl::ItemGeometry HeaderControl::geometry(int index) const {
    ItemGeometry g;
    const Item& item = m_items[static_cast<std::size_t>(index)];
    RECT client;
    GetClientRect(m_hwnd, &client);
    const RECT row = headRow();
    const int right = item.left + item.width;
    g.column = RECT{item.left, client.top, right, client.bottom};
    g.head = RECT{item.left, row.top, right, row.bottom};
    if (item.width <= 0) return g;

    const int margin = bitmapMargin();
    g.content = RECT{item.left + margin, row.top, right - margin, row.bottom};
    if ((style() & HDS_CHECKBOXES) && (item.format & HDF_CHECKBOX)) {
        const int size = std::min<int>(scale(kCheckBox), row.bottom - row.top);
        const int top = row.top + (row.bottom - row.top - size) / 2;
        g.stateBox =
            clampTo(RECT{item.left + margin, top, item.left + margin + size, top + size}, g.head);
        g.content.left = g.stateBox.right + margin;
    }
    if (item.format & HDF_SPLITBUTTON) {
        g.dropDown = clampTo(RECT{right - scale(kDropDown), row.top, right, row.bottom}, g.head);
        g.content.right = std::min(g.content.right, g.dropDown.left);
    }
    if (g.content.right < g.content.left) g.content.right = g.content.left;
    if (style() & HDS_FILTERBAR) {
        const RECT frow = filterRow();
        const RECT cell{item.left, frow.top, right, frow.bottom};
        g.filterButton =
            clampTo(RECT{right - scale(kFilterButton), frow.top, right, frow.bottom}, cell);
        g.filter = clampTo(RECT{item.left, frow.top, g.filterButton.left, frow.bottom}, cell);
    }
    return g;
}

int HeaderControl::dividerX(int order) const {
    if (order <= 0 || m_order.empty()) return 0;
    const Item& item = m_items[static_cast<std::size_t>(
        m_order[std::min<std::size_t>(static_cast<std::size_t>(order - 1), m_order.size() - 1)])];
    return item.left + item.width;
}

bool HeaderControl::sizable(int index) const {
    return !(style() & HDS_NOSIZING) &&
           !(m_items[static_cast<std::size_t>(index)].format & HDF_FIXEDWIDTH);
}

HDHITTESTINFO HeaderControl::hitTest(POINT pt) const {
    HDHITTESTINFO hit;
    hit.pt = pt;
    hit.iItem = -1;
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (!PtInRect(&client, pt)) {
        hit.flags = (pt.y < client.top ? HHT_ABOVE : 0) | (pt.y >= client.bottom ? HHT_BELOW : 0) |
                    (pt.x < client.left ? HHT_TOLEFT : 0) |
                    (pt.x >= client.right ? HHT_TORIGHT : 0);
        return hit;
    }
    hit.flags = HHT_NOWHERE;
    auto itemAt = [&](int x) {
        for (int i : m_order) {
            const Item& item = m_items[static_cast<std::size_t>(i)];
            if (item.width > 0 && x >= item.left && x < item.left + item.width) return i;
        }
        return -1;
    };

    const RECT frow = filterRow();
    if (PtInRect(&frow, pt)) {
        const int i = itemAt(pt.x);
        if (i >= 0) {
            const ItemGeometry g = geometry(i);
            hit.iItem = i;
            hit.flags = PtInRect(&g.filterButton, pt) ? HHT_ONFILTERBUTTON : HHT_ONFILTER;
        }
        return hit;
    }

    // Dividers first: each lies between the last item with a width and the next, and is
    // grabbed a few pixels either side. Just right of it, an item of no width hidden there is
    // opened instead of the item on the left being resized.
    const int zone = scale(kDividerZone);
    int previous = -1, hidden = -1;
    for (std::size_t p = 0; p <= m_order.size(); ++p) {
        const int i = p < m_order.size() ? m_order[p] : -1;
        if (i >= 0 && m_items[static_cast<std::size_t>(i)].width == 0) {
            hidden = i;
            continue;
        }
        const Item* prev = previous >= 0 ? &m_items[static_cast<std::size_t>(previous)] : nullptr;
        const int edge = prev ? prev->left + prev->width : 0;
        const int leftZone = prev && sizable(previous) ? std::min(zone, prev->width / 2) : 0;
        const int rightZone =
            i >= 0 ? std::min(zone, m_items[static_cast<std::size_t>(i)].width / 2) : zone;
        if (pt.x >= edge - leftZone && pt.x < edge) {
            hit.iItem = previous;
            hit.flags = HHT_ONDIVIDER;
            return hit;
        }
        if (pt.x >= edge && pt.x < edge + rightZone) {
            if (hidden >= 0 && sizable(hidden)) {
                hit.iItem = hidden;
                hit.flags = HHT_ONDIVOPEN;
                return hit;
            }
            if (prev && sizable(previous)) {
                hit.iItem = previous;
                hit.flags = HHT_ONDIVIDER;
                return hit;
            }
        }
        previous = i;
        hidden = -1;
    }

    const int i = itemAt(pt.x);
    if (i < 0) return hit;
    const ItemGeometry g = geometry(i);
    hit.iItem = i;
    if (PtInRect(&g.stateBox, pt))
        hit.flags = HHT_ONITEMSTATEICON;
    else if (PtInRect(&g.dropDown, pt))
        hit.flags = HHT_ONDROPDOWN;
    else
        hit.flags = HHT_ONHEADER;
    return hit;
}

int HeaderControl::dropOrder(int x) const {
    // The divider left of the first item whose middle lies right of x.
    int divider = 0;
    for (int i : m_order) {
        const Item& item = m_items[static_cast<std::size_t>(i)];
        if (x < item.left + item.width / 2) break;
        ++divider;
    }
    return divider;
}

}  // namespace orvane::platform
