// Drags from and over the tree: a node dragged with the mouse starts the host's drag with the
// node on the data object; a drag over the tree scrolls near the edges, shows where the drop
// would go (an insertion mark or a highlighted node) and expands a node after a pause.
#include <algorithm>

#include "controls/edit/ucTreeView.h"

namespace orvane {

using namespace platform;

void ucTreeView::applyDropMode() {
    // The drop target is the control's window, which covers the tree inside it.
}

void ucTreeView::beginDrag(HTREEITEM node) {
    if (!exists(node)) return;
    send(TVM_SELECTITEM, TVGN_DROPHILITE, static_cast<LPARAM>(node.value));
    m_dragSource = node;
}

void ucTreeView::dragOverTree(POINT pt) {
    if (!m_tree) return;
    RECT client{};
    GetClientRect(m_tree, &client);
    const int rowHeight = std::max(1, static_cast<int>(send(TVM_GETITEMHEIGHT)));
    // Near the top or bottom edge the tree scrolls a line.
    if (pt.y < client.top + rowHeight)
        send(WM_VSCROLL, SB_LINEUP);
    else if (pt.y >= client.bottom - rowHeight)
        send(WM_VSCROLL, SB_LINEDOWN);
    TVHITTESTINFO hit;
    hit.pt = pt;
    const HTREEITEM node(
        static_cast<std::uint32_t>(send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
    const std::uint64_t now = Clock::current().nowMs();
    if (node != m_dragHover) {
        m_dragHover = node;
        m_dragHoverSince = now;
    }
    bool after = false;
    if (node) {
        RECT row{};
        if (itemRect(node, false, row)) after = pt.y >= (row.top + row.bottom) / 2;
    }
    if (m_oleDragInsertStyle == disInsertMark) {
        send(TVM_SETINSERTMARK, after ? TRUE : FALSE, static_cast<LPARAM>(node.value));
    } else {
        send(TVM_SELECTITEM, TVGN_DROPHILITE, static_cast<LPARAM>(node.value));
    }
    // A node the pointer rests on for more than a second opens.
    if (node && m_oleDragAutoExpand && now - m_dragHoverSince > 1000 &&
        !(itemState(node, TVIS_EXPANDED)) &&
        (next(node, TVGN_CHILD) || NodePlusMinusButton(handle(node)))) {
        send(TVM_EXPAND, TVE_EXPAND, static_cast<LPARAM>(node.value));
        m_dragHoverSince = now;
    }
    // The expansion's handlers may have deleted the node.
    if (node && exists(node)) {
        send(TVM_ENSUREVISIBLE, 0, static_cast<LPARAM>(node.value));
        m_dropNode = node;
        m_dropAfter = after;
    } else {
        m_dropNode = HTREEITEM();
        m_dropAfter = false;
    }
}

void ucTreeView::dragLeaveTree() {
    send(TVM_SETINSERTMARK, FALSE, 0);
    send(TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    m_dragHover = HTREEITEM();
    m_dragHoverSince = 0;
}

void ucTreeView::OLEGetDropInfo(std::int32_t& hNodeDrop, bool& insertAfter) const {
    hNodeDrop = exists(m_dropNode) ? handle(m_dropNode) : 0;
    insertAfter = hNodeDrop != 0 && m_dropAfter;
}

}  // namespace orvane
