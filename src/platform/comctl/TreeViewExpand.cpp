// Expanding, collapsing and selecting tree items, with the notifications Windows sends: the
// parent may refuse an expansion (TVN_ITEMEXPANDINGW) or a selection (TVN_SELCHANGINGW), and
// may change the tree inside either; every item is looked up again by its handle afterwards.
#include <algorithm>
#include <cstdint>

#include "platform/base/LastError.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/TreeViewControl.h"
#include "platform/user/User.h"

namespace orvane::platform {

bool TreeViewControl::expand(std::uint32_t slot, UINT code, bool byUser) {
    if (code & TVE_EXPANDPARTIAL) {
        ReportUnsupported("TVM_EXPAND", "TVE_EXPANDPARTIAL", ERROR_INVALID_FLAGS);
        return false;
    }
    UINT action = code & TVE_TOGGLE;
    const bool reset = (code & TVE_COLLAPSERESET) != 0;
    if (action == 0 || (code & ~(TVE_TOGGLE | TVE_COLLAPSERESET)) ||
        (reset && action != TVE_COLLAPSE)) {
        ReportUnsupported("TVM_EXPAND", "action", ERROR_INVALID_FLAGS);
        return false;
    }
    const HTREEITEM handle = table().handle(slot);
    const bool expanded = (node(slot).state & TVIS_EXPANDED) != 0;
    if (action == TVE_TOGGLE) action = expanded ? TVE_COLLAPSE : TVE_EXPAND;
    const bool children = hasChildren(slot);
    slot = slotOf(handle);
    if (!slot || !alive()) return false;
    if (action == TVE_EXPAND) {
        if (!children) return false;
        if (expanded) return true;
    } else {
        if (!expanded && !reset) return false;
        if (!children && !node(slot).firstChild && !reset) return false;
    }
    const bool notifyParent = byUser || !(node(slot).state & TVIS_EXPANDEDONCE);
    const UINT told = action | (reset ? TVE_COLLAPSERESET : 0);
    if (notifyParent) {
        if (notifyTree(TVN_ITEMEXPANDINGW, told, 0, slot) != 0) return false;
        slot = slotOf(handle);
        if (!slot || !alive()) return false;
    }
    TreeNode& n = node(slot);
    if (action == TVE_EXPAND) {
        n.state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    } else {
        n.state &= ~TVIS_EXPANDED;
        if (reset) {
            n.state &= ~TVIS_EXPANDEDONCE;
            deleteSubtree(slot, false);
            slot = slotOf(handle);
            if (!slot || !alive()) return false;
        }
        // The selection does not stay hidden: it moves up to the collapsed item.
        if (m_caret && m_caret != slot && within(m_caret, slot)) {
            selectCaret(slot, TVC_UNKNOWN, true);
            slot = slotOf(handle);
            if (!slot || !alive()) return false;
        }
    }
    rowsChanged();
    invalidateLayout();
    if (notifyParent) notifyTree(TVN_ITEMEXPANDEDW, told, 0, slot);
    return true;
}

bool TreeViewControl::expandAncestors(std::uint32_t slot) {
    // Top down, each with its notifications, as TVM_ENSUREVISIBLE does on Windows.
    std::vector<HTREEITEM> chain;
    for (std::uint32_t s = node(slot).parent; s && s != m_root; s = node(s).parent)
        if (!(node(s).state & TVIS_EXPANDED)) chain.push_back(table().handle(s));
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const std::uint32_t s = slotOf(*it);
        if (!s || !alive()) return false;
        if (!(node(s).state & TVIS_EXPANDED)) {
            // An item without children of its own (a callback yet to give them) still opens.
            if (!expand(s, TVE_EXPAND, true) && slotOf(*it)) {
                node(s).state |= TVIS_EXPANDED;
                rowsChanged();
            }
        }
    }
    invalidateLayout();
    return alive();
}

void TreeViewControl::expandAll(std::uint32_t top) {
    const HTREEITEM topHandle = table().handle(top);
    std::uint32_t s = top;
    while (s) {
        const HTREEITEM h = table().handle(s);
        if (!(node(s).state & TVIS_EXPANDED)) expand(s, TVE_EXPAND, true);
        if (!alive()) return;
        s = slotOf(h);
        top = slotOf(topHandle);
        if (!s || !top) return;
        if (node(s).firstChild && (node(s).state & TVIS_EXPANDED)) {
            s = node(s).firstChild;
            continue;
        }
        while (s != top && !node(s).next)
            s = node(s).parent;
        s = s == top ? 0 : node(s).next;
    }
}

bool TreeViewControl::selectCaret(std::uint32_t slot, UINT action, bool noSingleExpand) {
    if (slot == m_caret) {
        if (slot) ensureVisible(slot);
        return true;
    }
    const HTREEITEM oldHandle = table().handle(m_caret);
    const HTREEITEM newHandle = table().handle(slot);
    if (notifyTree(TVN_SELCHANGINGW, action, m_caret, slot) != 0) return false;
    if (!alive()) return false;
    std::uint32_t old = slotOf(oldHandle);
    slot = slotOf(newHandle);
    if (newHandle && !slot) return false;  // the new item went meanwhile
    if (m_caret && m_caret != old) old = m_caret;
    if (old) {
        node(old).state &= ~TVIS_SELECTED;
        invalidateItem(old);
    }
    m_caret = slot;
    if (slot) {
        node(slot).state |= TVIS_SELECTED;
        if (!expandAncestors(slot)) return false;
        slot = slotOf(newHandle);
        if (!slot) return false;
        ensureVisible(slot);
        invalidateItem(slot);
    }
    notifyTree(TVN_SELCHANGEDW, action, old, slot);
    if (!alive()) return true;
    slot = slotOf(newHandle);
    old = slotOf(oldHandle);
    if (hasStyle(TVS_SINGLEEXPAND) && !noSingleExpand && slot) {
        const LRESULT answer = notifyTree(TVN_SINGLEEXPAND, action, old, slot);
        if (!alive()) return true;
        slot = slotOf(newHandle);
        old = slotOf(oldHandle);
        // The old branch folds up to where it meets the new one; the new item opens.
        if (!(answer & TVNRET_SKIPOLD) && old) {
            std::vector<HTREEITEM> fold;
            for (std::uint32_t s = old; s && s != m_root; s = node(s).parent)
                if (!slot || !within(slot, s)) fold.push_back(table().handle(s));
            for (const HTREEITEM h : fold) {
                const std::uint32_t s = slotOf(h);
                if (s && (node(s).state & TVIS_EXPANDED)) expand(s, TVE_COLLAPSE, true);
                if (!alive()) return true;
            }
        }
        slot = slotOf(newHandle);
        if (!(answer & TVNRET_SKIPNEW) && slot && !(node(slot).state & TVIS_EXPANDED))
            expand(slot, TVE_EXPAND, true);
    }
    return true;
}

void TreeViewControl::setDropHilite(std::uint32_t slot) {
    if (slot == m_dropHilite) return;
    if (m_dropHilite) {
        node(m_dropHilite).state &= ~TVIS_DROPHILITED;
        invalidateItem(m_dropHilite);
    }
    m_dropHilite = slot;
    if (slot) {
        node(slot).state |= TVIS_DROPHILITED;
        invalidateItem(slot);
    }
}

bool TreeViewControl::selectItem(UINT code, HTREEITEM item) {
    const bool noSingleExpand = (code & TVSI_NOSINGLEEXPAND) != 0;
    code &= ~TVSI_NOSINGLEEXPAND;
    std::uint32_t slot = 0;
    if (item) {
        slot = liveSlotOf(item);
        if (!slot || slot == m_root) return false;
    }
    switch (code) {
        case TVGN_CARET:
            return selectCaret(slot, TVC_UNKNOWN, noSingleExpand);
        case TVGN_DROPHILITE:
            setDropHilite(slot);
            return true;
        case TVGN_FIRSTVISIBLE: {
            if (!slot) return false;
            if (!expandAncestors(slot)) return false;
            slot = slotOf(item);
            if (!slot) return false;
            ensureRows();
            setTop(unitOf(rowOf(slot)));
            return true;
        }
        default:
            ReportUnsupported("TVM_SELECTITEM", "code", ERROR_INVALID_PARAMETER);
            return false;
    }
}

}  // namespace orvane::platform
