// The tree view's events: the tree's notifications, its mouse and keys, the check cascade the
// tree posts itself, and the multi-column drawing (the cells after the first column and the
// header row).
#include <algorithm>

#include "controls/edit/ucTreeView.h"
#include "framework/KeysAndText.h"
#include "platform/gdi/FillSolid.h"

namespace orvane {

using namespace platform;

bool ucTreeView::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (!hdr || !m_tree || hdr->hwndFrom != m_tree) return false;
            result = onTreeNotify(*hdr);
            return true;
        }
        case WM_SETFOCUS:
            // The focus belongs to the tree.
            if (m_tree) SetFocus(m_tree);
            return true;
        case WM_KILLFOCUS:
            return m_tree ? true : OwnerDrawnControl::handleMessage(msg, wParam, lParam, result);
        default:
            return OwnerDrawnControl::handleMessage(msg, wParam, lParam, result);
    }
}

namespace {

// The node under the cursor and where on its row the cursor is.
HTREEITEM nodeAtCursor(HWND tree, UINT* flags = nullptr) {
    TVHITTESTINFO hit;
    GetCursorPos(&hit.pt);
    ScreenToClient(tree, &hit.pt);
    const HTREEITEM node(static_cast<std::uint32_t>(
        SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
    if (flags) *flags = hit.flags;
    return node;
}

}  // namespace

LRESULT ucTreeView::onTreeNotify(NMHDR& hdr) {
    const std::weak_ptr<bool> alive = aliveToken();
    const auto& nm = reinterpret_cast<const NMTREEVIEWW&>(hdr);
    switch (hdr.code) {
        case TVN_SELCHANGEDW: {
            std::vector<Variant> args{Variant(handle(nm.itemNew.hItem))};
            if (!raise(evNodeClick, args)) return 0;
            raise(evSelectionChanged);
            return 0;
        }
        case TVN_ITEMEXPANDINGW: {
            std::vector<Variant> args{Variant(handle(nm.itemNew.hItem)),
                                      Variant((nm.itemNew.state & TVIS_EXPANDEDONCE) != 0)};
            if (nm.action & TVE_EXPAND) raise(evBeforeExpand, args);
            return 0;
        }
        case TVN_ITEMEXPANDEDW: {
            const std::int32_t node = handle(nm.itemNew.hItem);
            if (nm.action & TVE_EXPAND) {
                std::vector<Variant> args{Variant(node), Variant(NodeExpandedOnce(node))};
                raise(evAfterExpand, args);
            } else {
                std::vector<Variant> args{Variant(node)};
                raise(evCollapse, args);
            }
            return 0;
        }
        case TVN_BEGINLABELEDITW: {
            const auto& di = reinterpret_cast<const NMTVDISPINFOW&>(hdr);
            std::vector<Variant> args{Variant(handle(di.item.hItem)), Variant(false)};
            if (!raise(evBeforeLabelEdit, args)) return 1;
            return CBool(args[1]) ? 1 : 0;
        }
        case TVN_ENDLABELEDITW: {
            const auto& di = reinterpret_cast<const NMTVDISPINFOW&>(hdr);
            const bool abandoned = di.item.pszText == nullptr;
            std::vector<Variant> args{
                Variant(handle(di.item.hItem)), Variant(abandoned),
                Variant(abandoned ? std::u16string() : std::u16string(di.item.pszText))};
            if (!raise(evAfterLabelEdit, args)) return 0;
            return (!abandoned && !CBool(args[1])) ? 1 : 0;
        }
        case TVN_DELETEITEMW:
            if (!m_holdDelete) forgetRecord(nm.itemOld.hItem, nm.itemOld.lParam);
            return 0;
        case TVN_BEGINDRAGW:
            beginDrag(nm.itemNew.hItem);
            return 0;
        case NM_CLICK:
        case NM_RCLICK: {
            UINT flags = 0;
            const HTREEITEM node = nodeAtCursor(m_tree, &flags);
            // The tree turns the check box after this notification: the cascade runs after.
            if (hdr.code == NM_CLICK && m_checkBoxes && node && (flags & TVHT_ONITEMSTATEICON))
                queueCheck(node);
            if (node) {
                std::vector<Variant> args{Variant(handle(node))};
                if (!raise(evNodeClick, args)) return 0;
            }
            // A tree that kept the button's release to itself reports it here.
            if (!m_buttonUpSeen) {
                m_buttonUpSeen = true;
                const DWORD pos = GetMessagePos();
                POINT pt{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
                ScreenToClient(m_tree, &pt);
                if (!raiseMouseOf(evMouseUp, m_tree,
                                  hdr.code == NM_CLICK ? WM_LBUTTONUP : WM_RBUTTONUP, 0,
                                  MAKELPARAM(pt.x, pt.y)))
                    return 0;
            }
            if (alive.expired()) return 0;
            raise(evClick);
            return 0;
        }
        case NM_DBLCLK:
        case NM_RDBLCLK: {
            const HTREEITEM node = nodeAtCursor(m_tree);
            if (!node) return 0;
            std::vector<Variant> args{Variant(handle(node))};
            raise(evNodeDblClick, args);
            return 0;
        }
        case NM_CUSTOMDRAW:
            return onCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW&>(hdr));
        default:
            return 0;
    }
}

// --- The check cascade ---

void ucTreeView::queueCheck(HTREEITEM node) {
    m_checkNode = node;
    m_checkBefore = checkOf(node);
    PostMessageW(m_tree, kCheckCascade, static_cast<WPARAM>(node.value), 0);
}

void ucTreeView::onCheckCascade(HTREEITEM node) {
    if (!exists(node)) return;
    // Checked turns unchecked; unchecked and grey turn checked, whatever the tree cycled to.
    if (node == m_checkNode && m_checkBefore != 0)
        setCheck(node, m_checkBefore == etvwChecked ? etvwUnChecked : etvwChecked);
    m_checkNode = HTREEITEM();
    m_checkBefore = 0;
    runCheckCascade(handle(node));
}

// --- The tree window's own messages ---

void ucTreeView::onTreeMessage(SubclassMessage& m) {
    switch (m.uMsg) {
        case kCheckCascade:
            if (m.before) {
                m.handled = true;
                onCheckCascade(HTREEITEM(static_cast<std::uint32_t>(m.wParam)));
            }
            return;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            // The space bar turns the selected node's check box; the cascade follows.
            if (raiseKeyMessage(m, evKeyDown, evKeyUp, evKeyPress) == VK_SPACE && m_checkBoxes)
                if (const HTREEITEM node = item(SelectedNode())) queueCheck(node);
            return;
        case WM_MOUSEMOVE: {
            if (!m_mouseInside) {
                m_mouseInside = true;
                TRACKMOUSEEVENT tme;
                tme.dwFlags = TME_LEAVE;
                tme.hwndTrack = m_tree;
                TrackMouseEvent(&tme);
                if (!raise(evMouseEnter)) return;
            }
            raiseMouseOf(evMouseMove, m_tree, m.uMsg, m.wParam, m.lParam);
            return;
        }
        case WM_MOUSELEAVE:
            m_mouseInside = false;
            raise(evMouseLeave);
            return;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            m_buttonUpSeen = false;
            raiseMouseOf(evMouseDown, m_tree, m.uMsg, m.wParam, m.lParam);
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            if (m_buttonUpSeen) return;
            m_buttonUpSeen = true;
            const std::weak_ptr<bool> alive = aliveToken();
            if (!raiseMouseOf(evMouseUp, m_tree, m.uMsg, m.wParam, m.lParam)) return;
            // The tree reports left and right clicks itself; the middle button's comes here.
            if (m.uMsg == WM_MBUTTONUP && !alive.expired()) raise(evClick);
            return;
        }
        case WM_HSCROLL:
        case WM_SIZE:
            // The header follows the tree's horizontal scrolling.
            if (m_multiColumn) {
                const RECT header = headerRect();
                InvalidateRect(hWnd(), &header, FALSE);
            }
            return;
        default:
            return;
    }
}

// --- Multi-column drawing ---

LRESULT ucTreeView::onCustomDraw(NMTVCUSTOMDRAW& cd) {
    if (!m_multiColumn || m_columns.size() < 2) return CDRF_DODEFAULT;
    switch (cd.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYPOSTPAINT;
        case CDDS_ITEMPOSTPAINT:
            paintSubItems(cd);
            return CDRF_DODEFAULT;
        default:
            return CDRF_DODEFAULT;
    }
}

void ucTreeView::paintSubItems(NMTVCUSTOMDRAW& cd) {
    const HDC dc = cd.nmcd.hdc;
    const HTREEITEM node(static_cast<std::uint32_t>(cd.nmcd.dwItemSpec));
    const NodeRecord* r = record(handle(node));
    const int scroll = GetScrollPos(m_tree, SB_HORZ);
    const bool selected = (cd.nmcd.uItemState & CDIS_SELECTED) != 0;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldText = GetTextColor(dc);
    const HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
    const int pad = scaledForDpi(4);
    for (std::int32_t c = 1; c < ColumnCount(); ++c) {
        const Column& column = m_columns[static_cast<std::size_t>(c)];
        RECT cell{columnLeft(c) - scroll, cd.nmcd.rc.top, 0, cd.nmcd.rc.bottom};
        cell.right = cell.left + scaledForDpi(column.width);
        if (cell.right <= cd.nmcd.rc.left || cell.left >= cd.nmcd.rc.right) continue;
        OLE_COLOR back = column.backColor, fore = column.foreColor;
        if (selected) back = 0xD0D0D0;
        if (!m_enabled) {
            back = 0xF0F0F0;
            fore = 0x808080;
        }
        HFONT font = HFONT();
        if (m_raiseSubItemPrePaint) {
            std::vector<Variant> args{Variant(handle(node)),
                                      Variant(c),
                                      Variant(static_cast<std::int32_t>(back)),
                                      Variant(static_cast<std::int32_t>(fore)),
                                      Variant(std::int32_t{0}),
                                      Variant(false)};
            const std::weak_ptr<bool> alive = aliveToken();
            if (!raise(evOnSubItemPrePaint, args) || alive.expired()) return;
            if (CBool(args[5])) {
                back = static_cast<OLE_COLOR>(CLng(args[2]));
                fore = static_cast<OLE_COLOR>(CLng(args[3]));
                font = HFONT(static_cast<std::uint32_t>(CLng(args[4])));
            }
            // The handler may have deleted the node.
            r = record(handle(node));
        }
        FillSolid(dc, cell, TranslateColor(back));
        const std::u16string text(r ? subItem(*r, static_cast<std::size_t>(c))
                                    : std::u16string_view());
        if (text.empty()) continue;
        SelectObject(dc, font ? HGDIOBJ(font) : oldFont);
        SetTextColor(dc, TranslateColor(fore));
        RECT box{cell.left + pad, cell.top, cell.right - pad, cell.bottom};
        const UINT align = column.align == 1 ? DT_RIGHT : column.align == 2 ? DT_CENTER : DT_LEFT;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
                  align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
    SetTextColor(dc, oldText);
    SetBkMode(dc, oldMode);
}

void ucTreeView::paintHeader(HDC dc) {
    const RECT row = headerRect();
    if (row.bottom <= row.top) return;
    // A right-to-left tree is a mirrored window, its cells with it: the header, drawn on the
    // control, mirrors the same way so each caption stays over its column.
    const DWORD oldLayout = SetLayout(dc, m_rightToLeft ? LAYOUT_RTL : 0);
    FillSolid(dc, row, TranslateColor(m_headerBackColor));
    const int scroll = m_tree ? GetScrollPos(m_tree, SB_HORZ) : 0;
    const HGDIOBJ oldFont =
        SelectObject(dc, m_hfont ? HGDIOBJ(m_hfont) : GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldText = SetTextColor(dc, TranslateColor(m_enabled ? m_foreColor : vbGrayText));
    const COLORREF line = GetSysColor(COLOR_BTNSHADOW);
    const int pad = scaledForDpi(4);
    int iconWidth = 0, iconHeight = 0;
    if (m_usedHeaderImages) ImageList_GetIconSize(m_usedHeaderImages, &iconWidth, &iconHeight);
    for (std::int32_t c = 0; c < ColumnCount(); ++c) {
        const Column& column = m_columns[static_cast<std::size_t>(c)];
        RECT cell{columnLeft(c) - scroll, row.top, 0, row.bottom};
        cell.right = cell.left + scaledForDpi(column.width);
        if (cell.right <= row.left || cell.left >= row.right) continue;
        RECT box{cell.left + pad, cell.top, cell.right - pad, cell.bottom};
        if (column.icon >= 0 && m_usedHeaderImages && iconWidth > 0) {
            ImageList_Draw(m_usedHeaderImages, column.icon, dc, box.left,
                           box.top + (box.bottom - box.top - iconHeight) / 2, ILD_TRANSPARENT);
            box.left += iconWidth + pad;
        }
        const UINT align = column.align == 1 ? DT_RIGHT : column.align == 2 ? DT_CENTER : DT_LEFT;
        DrawTextW(dc, column.text.c_str(), static_cast<int>(column.text.size()), &box,
                  align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        // A separator at the column's right edge.
        const RECT separator{cell.right - 1, row.top + scaledForDpi(4), cell.right,
                             row.bottom - scaledForDpi(4)};
        FillSolid(dc, separator, line);
    }
    const RECT bottom{row.left, row.bottom - 1, row.right, row.bottom};
    FillSolid(dc, bottom, line);
    SetTextColor(dc, oldText);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    SetLayout(dc, oldLayout);
}

}  // namespace orvane
