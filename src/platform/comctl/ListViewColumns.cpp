// The list view's columns and its header: the column records the list draws from, the header
// child that shows them (kept in step through HDM_ messages), automatic widths, and the header's
// notifications, acted on and passed to the list's parent.
#include <algorithm>
#include <numeric>

#include "platform/base/TextBuffer.h"
#include "platform/comctl/ListViewControl.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

// Space left and right of a cell's text, and what an automatic width adds to the widest text.
constexpr int kCellPad = 6;

int headerFormat(int fmt) {
    int h = HDF_STRING | (fmt & LVCFMT_JUSTIFYMASK);
    if (fmt & LVCFMT_IMAGE) h |= HDF_IMAGE;
    if (fmt & LVCFMT_BITMAP_ON_RIGHT) h |= HDF_BITMAP_ON_RIGHT;
    if (fmt & LVCFMT_SPLITBUTTON) h |= HDF_SPLITBUTTON;
    if (fmt & LVCFMT_FIXED_WIDTH) h |= HDF_FIXEDWIDTH;
    // The header's check box bits pass through, as the list has none of its own there.
    h |= fmt & (HDF_CHECKBOX | HDF_CHECKED);
    return h;
}

}  // namespace

void ListViewControl::createHeader() {
    if (m_header) return;
    const DWORD s = style();
    DWORD hs = WS_CHILD | HDS_HORZ | HDS_FULLDRAG;
    if (!(s & LVS_NOSORTHEADER)) hs |= HDS_BUTTONS;
    if (exStyle(LVS_EX_HEADERDRAGDROP)) hs |= HDS_DRAGDROP;
    m_header =
        CreateWindowExW(0, WC_HEADERW, u"", hs, 0, 0, 0, 0, m_hwnd, HMENU(), HINSTANCE(), nullptr);
    if (!m_header) return;
    SendMessageW(m_header, WM_SETFONT, static_cast<WPARAM>(m_font.value), FALSE);
    for (int c = 0; c < columnCount(); ++c) {
        HDITEMW hi;
        hi.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
        hi.cxy = m_columns[static_cast<std::size_t>(c)].width;
        hi.fmt = headerFormat(m_columns[static_cast<std::size_t>(c)].fmt);
        hi.pszText = m_columns[static_cast<std::size_t>(c)].text.data();
        SendMessageW(m_header, HDM_INSERTITEMW, static_cast<WPARAM>(c),
                     reinterpret_cast<LPARAM>(&hi));
    }
    layoutHeader();
}

int ListViewControl::headerHeight() const {
    if (!report() || !m_header || (style() & LVS_NOCOLUMNHEADER)) return 0;
    RECT r;
    GetWindowRect(m_header, &r);
    return r.bottom - r.top;
}

void ListViewControl::layoutHeader() {
    if (!m_header) return;
    if (!report() || (style() & LVS_NOCOLUMNHEADER)) {
        ShowWindow(m_header, SW_HIDE);
        return;
    }
    RECT client = clientRect();
    WINDOWPOS pos{};
    HDLAYOUT layout;
    layout.prc = &client;
    layout.pwpos = &pos;
    if (!SendMessageW(m_header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout))) return;
    // The header scrolls sideways with the items: it starts left of the window by the scroll.
    const int width = std::max(pos.cx + m_xOrigin, totalColumnWidth());
    SetWindowPos(m_header, HWND(), pos.x - m_xOrigin, pos.y, width, pos.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ListViewControl::syncHeaderItem(int column) {
    if (!m_header || column < 0 || column >= columnCount()) return;
    const Column& c = m_columns[static_cast<std::size_t>(column)];
    HDITEMW hi;
    hi.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
    hi.cxy = c.width;
    hi.fmt = headerFormat(c.fmt);
    std::u16string text = c.text;
    hi.pszText = text.data();
    if (c.fmt & LVCFMT_IMAGE) {
        hi.mask |= HDI_IMAGE;
        hi.iImage = c.image;
    }
    SendMessageW(m_header, HDM_SETITEMW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&hi));
}

int ListViewControl::insertColumn(int at, const LVCOLUMNW& col) {
    if (at < 0) return -1;
    at = std::min(at, columnCount());
    Column c;
    if (col.mask & LVCF_FMT) c.fmt = col.fmt;
    if (col.mask & LVCF_WIDTH) c.width = std::max(0, col.cx);
    if ((col.mask & LVCF_TEXT) && col.pszText && col.pszText != LPSTR_TEXTCALLBACKW)
        c.text = col.pszText;
    if (col.mask & LVCF_IMAGE) c.image = col.iImage;
    if (col.mask & LVCF_MINWIDTH) c.minWidth = std::max(0, col.cxMin);
    c.subItem = (col.mask & LVCF_SUBITEM) ? col.iSubItem : at;
    // The first column is always left-aligned.
    if (at == 0) c.fmt &= ~LVCFMT_JUSTIFYMASK;
    m_columns.insert(m_columns.begin() + at, c);
    // Cells move with their columns.
    if (at >= 1 && !ownerData())
        for (Item& item : m_items)
            if (item.subItems.size() >= static_cast<std::size_t>(at))
                item.subItems.insert(item.subItems.begin() + (at - 1), SubItem{});
    if (m_header) {
        HDITEMW hi;
        hi.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
        hi.cxy = c.width;
        hi.fmt = headerFormat(c.fmt);
        hi.pszText = c.text.data();
        if (c.fmt & LVCFMT_IMAGE) {
            hi.mask |= HDI_IMAGE;
            hi.iImage = c.image;
        }
        if (col.mask & LVCF_ORDER) {
            hi.mask |= HDI_ORDER;
            hi.iOrder = col.iOrder;
        }
        SendMessageW(m_header, HDM_INSERTITEMW, static_cast<WPARAM>(at),
                     reinterpret_cast<LPARAM>(&hi));
        layoutHeader();
    }
    if (m_selectedColumn >= at) ++m_selectedColumn;
    invalidateLayout();
    return at;
}

bool ListViewControl::deleteColumn(int i) {
    if (i < 0 || i >= columnCount()) return false;
    if (m_edit) endEdit(true);
    m_columns.erase(m_columns.begin() + i);
    if (!ownerData()) {
        for (Item& item : m_items) {
            if (i == 0) {
                // The next column's cells become the item texts.
                if (!item.subItems.empty()) {
                    item.text = std::move(item.subItems.front().text);
                    item.textCallback = item.subItems.front().textCallback;
                    item.subItems.erase(item.subItems.begin());
                } else {
                    item.text.clear();
                    item.textCallback = false;
                }
            } else if (item.subItems.size() >= static_cast<std::size_t>(i)) {
                item.subItems.erase(item.subItems.begin() + (i - 1));
            }
        }
    }
    if (m_header) SendMessageW(m_header, HDM_DELETEITEM, static_cast<WPARAM>(i), 0);
    if (m_selectedColumn == i)
        m_selectedColumn = -1;
    else if (m_selectedColumn > i)
        --m_selectedColumn;
    layoutHeader();
    invalidateLayout();
    return true;
}

bool ListViewControl::getColumn(int i, LVCOLUMNW& col) {
    if (i < 0 || i >= columnCount()) return false;
    const Column& c = m_columns[static_cast<std::size_t>(i)];
    if (col.mask & LVCF_FMT) col.fmt = c.fmt;
    if (col.mask & LVCF_WIDTH) col.cx = c.width;
    if (col.mask & LVCF_TEXT) CopyToBuffer(c.text, col.pszText, col.cchTextMax);
    if (col.mask & LVCF_SUBITEM) col.iSubItem = c.subItem;
    if (col.mask & LVCF_IMAGE) col.iImage = c.image;
    if (col.mask & LVCF_MINWIDTH) col.cxMin = c.minWidth;
    if (col.mask & LVCF_ORDER) {
        const std::vector<int> order = columnOrder();
        col.iOrder = static_cast<int>(std::find(order.begin(), order.end(), i) - order.begin());
    }
    return true;
}

bool ListViewControl::setColumn(int i, const LVCOLUMNW& col) {
    if (i < 0 || i >= columnCount()) return false;
    Column& c = m_columns[static_cast<std::size_t>(i)];
    if (col.mask & LVCF_FMT) c.fmt = i == 0 ? (col.fmt & ~LVCFMT_JUSTIFYMASK) : col.fmt;
    if (col.mask & LVCF_WIDTH) c.width = std::max(0, col.cx);
    if ((col.mask & LVCF_TEXT) && col.pszText != LPSTR_TEXTCALLBACKW)
        c.text = col.pszText ? std::u16string(col.pszText) : std::u16string();
    if (col.mask & LVCF_SUBITEM) c.subItem = col.iSubItem;
    if (col.mask & LVCF_IMAGE) c.image = col.iImage;
    if (col.mask & LVCF_MINWIDTH) c.minWidth = std::max(0, col.cxMin);
    syncHeaderItem(i);
    if ((col.mask & LVCF_ORDER) && m_header) {
        std::vector<int> order = columnOrder();
        order.erase(std::find(order.begin(), order.end(), i));
        order.insert(order.begin() + std::clamp(col.iOrder, 0, static_cast<int>(order.size())), i);
        SendMessageW(m_header, HDM_SETORDERARRAY, order.size(),
                     reinterpret_cast<LPARAM>(order.data()));
    }
    invalidateLayout();
    return true;
}

int ListViewControl::columnWidth(int i) const {
    if (m_view == LV_VIEW_LIST) return cellSize().cx;
    if (!report() || i < 0 || i >= columnCount()) return 0;
    return m_columns[static_cast<std::size_t>(i)].width;
}

int ListViewControl::autoWidth(int column, bool withHeader) {
    const HDC dc = GetDC(m_hwnd);
    const HGDIOBJ old = SelectObject(dc, font());
    auto widthOf = [&](const std::u16string& s) {
        SIZE size{};
        GetTextExtentPoint32W(dc, s.data(), static_cast<int>(s.size()), &size);
        return size.cx;
    };
    int widest = 0;
    // An owner-data list measures what it shows; a list of its own items measures them all.
    int from = 0, to = count();
    if (ownerData()) {
        from = topIndex();
        to = std::min(count(), from + countPerPage() + 1);
    }
    for (int i = from; i < to; ++i) {
        int w = widthOf(cellText(i, column));
        if (column == 0) {
            w += itemIndent(i) * iconSize(LVSIL_SMALL).cx;
            if (m_small) w += iconSize(LVSIL_SMALL).cx + 2;
            if (m_state || exStyle(LVS_EX_CHECKBOXES)) w += iconSize(LVSIL_STATE).cx;
        } else if (exStyle(LVS_EX_SUBITEMIMAGES) && m_small && cellImage(i, column) >= 0) {
            w += iconSize(LVSIL_SMALL).cx + 2;
        }
        widest = std::max(widest, w);
    }
    widest += 2 * kCellPad;
    if (withHeader) {
        int header = widthOf(m_columns[static_cast<std::size_t>(column)].text) + 4 * kCellPad;
        widest = std::max(widest, header);
    }
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    return widest;
}

bool ListViewControl::setColumnWidth(int i, int width) {
    if (m_view == LV_VIEW_LIST) {
        if (i != 0 || width < 0) return false;
        m_listColumnWidth = width;
        invalidateLayout();
        return true;
    }
    if (!report() || i < 0 || i >= columnCount()) return false;
    if (width == LVSCW_AUTOSIZE) {
        width = autoWidth(i, false);
    } else if (width == LVSCW_AUTOSIZE_USEHEADER) {
        width = autoWidth(i, true);
        // The last column fills what is left of the window.
        const std::vector<int> order = columnOrder();
        if (!order.empty() && order.back() == i) {
            const int left = columnLeft(i);
            const RECT client = clientRect();
            width = std::max(width, static_cast<int>(client.right - client.left) - left);
        }
    } else if (width < 0) {
        return false;
    }
    Column& c = m_columns[static_cast<std::size_t>(i)];
    width = std::max(width, c.minWidth);
    if (c.width == width) return true;
    c.width = width;
    syncHeaderItem(i);
    layoutHeader();
    invalidateLayout();
    return true;
}

std::vector<int> ListViewControl::columnOrder() const {
    if (m_paintOrder) return m_paintOrder->order;
    std::vector<int> order(static_cast<std::size_t>(columnCount()));
    std::iota(order.begin(), order.end(), 0);
    if (m_header && !order.empty()) {
        std::vector<int> fromHeader(order.size(), -1);
        if (SendMessageW(m_header, HDM_GETORDERARRAY, fromHeader.size(),
                         reinterpret_cast<LPARAM>(fromHeader.data()))) {
            std::vector<int> check = fromHeader;
            std::sort(check.begin(), check.end());
            if (check == order) return fromHeader;
        }
    }
    return order;
}

int ListViewControl::columnLeft(int column) const {
    if (m_paintOrder && column >= 0 && column < static_cast<int>(m_paintOrder->left.size()))
        return m_paintOrder->left[static_cast<std::size_t>(column)];
    int x = 0;
    for (int c : columnOrder()) {
        if (c == column) return x;
        x += m_columns[static_cast<std::size_t>(c)].width;
    }
    return x;
}

int ListViewControl::totalColumnWidth() const {
    int w = 0;
    for (const Column& c : m_columns)
        w += c.width;
    return w;
}

LRESULT ListViewControl::headerNotify(NMHDR& hdr) {
    // The parent hears everything the header says, and may answer for it.
    const HWND parent = GetParent(m_hwnd);
    const HWND self = m_hwnd;
    LRESULT answer = 0;
    if (parent)
        answer = SendMessageW(parent, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
    if (!IsWindow(self) || !m_header) return answer;
    // Only the header's own notifications carry an item; NM_ ones are a bare NMHDR.
    const bool itemCode = hdr.code <= HDN_FIRST && hdr.code > HDN_FIRST - 100;
    if (!itemCode) return answer;
    const auto& nm = reinterpret_cast<const NMHEADERW&>(hdr);
    const bool column = nm.iItem >= 0 && nm.iItem < columnCount();
    // A column's click or drop-down button, told to the parent as the list's own.
    const auto tellColumn = [&](UINT code) {
        NMLISTVIEW lv;
        lv.iItem = -1;
        lv.iSubItem = nm.iItem;
        notify(code, lv.hdr);
    };
    switch (hdr.code) {
        case HDN_ITEMCHANGEDW:
            if (column && nm.pitem && (nm.pitem->mask & HDI_WIDTH)) {
                m_columns[static_cast<std::size_t>(nm.iItem)].width = nm.pitem->cxy;
                m_scrollBarsValid = false;
                InvalidateRect(m_hwnd, nullptr, FALSE);
                updateScrollBars();
            }
            break;
        case HDN_ITEMCLICKW:
            if (column) tellColumn(LVN_COLUMNCLICK);
            break;
        case HDN_DIVIDERDBLCLICKW:
            if (column) setColumnWidth(nm.iItem, LVSCW_AUTOSIZE);
            break;
        case HDN_DROPDOWN:
            if (column) tellColumn(LVN_COLUMNDROPDOWN);
            break;
        case HDN_ENDDRAG:
            InvalidateRect(m_hwnd, nullptr, FALSE);
            break;
        default:
            break;
    }
    return answer;
}

}  // namespace orvane::platform
