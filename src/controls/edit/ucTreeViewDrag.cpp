// Drags from and over the tree: a node dragged with the mouse starts the host's drag with the
// node on the data object; a drag over the tree scrolls near the edges, shows where the drop
// would go (an insertion mark or a highlighted node) and expands a node after a pause.
#include <algorithm>
#include <cstring>

#include "controls/edit/ucTreeView.h"
#include "platform/ole/Ole.h"

namespace orvane {

using namespace platform;

namespace {

std::shared_ptr<DataObject> dataOf(const Variant& value) {
    return value.kind() == Variant::Kind::Object
               ? std::dynamic_pointer_cast<DataObject>(value.object())
               : nullptr;
}

}  // namespace

UINT ucTreeView::nodeFormat() {
    static const UINT format = RegisterClipboardFormatW(u"Orvane tree-view node");
    return format;
}

void ucTreeView::applyDropMode() {
    // The drop target is the control's window, which covers the tree inside it.
    UserControl::OLEDropMode(m_oleDropMode);
}

void ucTreeView::beginDrag(HTREEITEM node) {
    if (!exists(node) || m_oleDragMode != 1) return;
    send(TVM_SELECTITEM, TVGN_DROPHILITE, static_cast<LPARAM>(node.value));
    m_dragSource = node;
    const std::weak_ptr<bool> alive = aliveToken();
    OLEDrag();
    if (alive.expired()) return;
    m_dragSource = HTREEITEM();
}

void ucTreeView::OLEStartDrag(const std::shared_ptr<DataObject>& data,
                              std::int32_t& allowedEffects) {
    if (exists(m_dragSource)) {
        // The node travels as its tree and handle, and its text for other programs.
        const std::uint32_t parts[2] = {m_tree.value, m_dragSource.value};
        std::vector<std::uint8_t> bytes(sizeof parts);
        std::memcpy(bytes.data(), parts, sizeof parts);
        data->SetData(Variant(std::move(bytes)), Variant(static_cast<std::int32_t>(nodeFormat())));
        data->SetData(Variant(NodeText(handle(m_dragSource))), Variant(std::int32_t{vbCFText}));
    }
    raiseOLEStartDrag(evOLEStartDrag, data, allowedEffects);
}

void ucTreeView::OLEGiveFeedback(std::int32_t& effect, bool& defaultCursors) {
    raiseOLEGiveFeedback(evOLEGiveFeedback, effect, defaultCursors);
}

void ucTreeView::OLEDragOver(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                             MouseButtons button, ShiftState shift, double x, double y,
                             std::int32_t state) {
    if (state == 1) {
        dragLeaveTree();
    } else if (m_tree) {
        POINT pt{toPixelsX(x), toPixelsY(y)};
        MapWindowPoints(hWnd(), m_tree, &pt, 1);
        const std::weak_ptr<bool> alive = aliveToken();
        dragOverTree(pt);  // an expansion's handlers may remove the control
        if (alive.expired()) return;
    }
    raiseOLEDragOver(evOLEDragOver, data, effect, button, shift, x, y, state);
}

void ucTreeView::OLEDragDrop(const std::shared_ptr<DataObject>& data, std::int32_t& effect,
                             MouseButtons button, ShiftState shift, double x, double y) {
    // The marks go; the target stays for OLEGetDropInfo.
    dragLeaveTree();
    raiseOLEDragDrop(evOLEDragDrop, data, effect, button, shift, x, y);
}

void ucTreeView::OLECompleteDrag(std::int32_t& effect) {
    if (m_dragSource) send(TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    raiseOLECompleteDrag(evOLECompleteDrag, effect);
}

bool ucTreeView::OLEIsMyFormat(const Variant& data) const {
    const std::shared_ptr<DataObject> object = dataOf(data);
    return object && object->GetFormat(static_cast<std::int32_t>(nodeFormat()));
}

bool ucTreeView::OLEGetDragInfo(const Variant& data, std::int32_t& hWndTreeView,
                                std::int32_t& hNodeDrag) const {
    hWndTreeView = hNodeDrag = 0;
    if (!OLEIsMyFormat(data)) return false;
    const Variant value = dataOf(data)->GetData(static_cast<std::int32_t>(nodeFormat()));
    if (value.kind() != Variant::Kind::ByteArray) return false;
    const std::vector<std::uint8_t>& bytes = value.bytes();
    std::uint32_t parts[2] = {};
    if (bytes.size() != sizeof parts) return false;
    std::memcpy(parts, bytes.data(), sizeof parts);
    hWndTreeView = static_cast<std::int32_t>(parts[0]);
    hNodeDrag = static_cast<std::int32_t>(parts[1]);
    return true;
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
