// The tree view's items: inserting (first, last, sorted or after a sibling), deleting whole
// subtrees children first, reading and changing items, the TVGN_ walks, and sorting. Every
// walk is a loop over the links; none recurses, so depth costs nothing but time.
#include <algorithm>
#include <cstdint>

#include "platform/base/LastError.h"
#include "platform/base/TextBuffer.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/TreeViewControl.h"
#include "platform/text/CharCase.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

constexpr UINT kKnownMask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_STATE | TVIF_HANDLE |
                            TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_INTEGRAL | TVIF_DI_SETITEM;

// Text compared as lstrcmpiW does for the sorting it is used for: case folded, then by value.
int compareNoCase(std::u16string a, std::u16string b) {
    CharLowerBuffW(a.data(), static_cast<DWORD>(a.size()));
    CharLowerBuffW(b.data(), static_cast<DWORD>(b.size()));
    return a.compare(b);
}

}  // namespace

bool TreeViewControl::within(std::uint32_t slot, std::uint32_t ancestor) const {
    for (std::uint32_t s = slot; s; s = node(s).parent)
        if (s == ancestor) return true;
    return false;
}

void TreeViewControl::link(std::uint32_t slot, std::uint32_t parent, std::uint32_t after) {
    TreeNode& n = node(slot);
    TreeNode& p = node(parent);
    n.parent = parent;
    if (!after) {
        // First.
        n.prev = 0;
        n.next = p.firstChild;
        if (p.firstChild)
            node(p.firstChild).prev = slot;
        else
            p.lastChild = slot;
        p.firstChild = slot;
        return;
    }
    TreeNode& a = node(after);
    n.prev = after;
    n.next = a.next;
    if (a.next)
        node(a.next).prev = slot;
    else
        p.lastChild = slot;
    a.next = slot;
}

void TreeViewControl::unlink(std::uint32_t slot) {
    TreeNode& n = node(slot);
    TreeNode& p = node(n.parent);
    if (n.prev)
        node(n.prev).next = n.next;
    else
        p.firstChild = n.next;
    if (n.next)
        node(n.next).prev = n.prev;
    else
        p.lastChild = n.prev;
    n.prev = n.next = 0;
}

HTREEITEM TreeViewControl::insertItem(const TVINSERTSTRUCTW& ins) {
    const TVITEMEXW& it = ins.itemex;
    if (it.mask & ~kKnownMask) {
        ReportUnsupported("TVM_INSERTITEMW", "item mask", ERROR_INVALID_FLAGS);
        return HTREEITEM{};
    }
    const std::uint32_t parent =
        (!ins.hParent || ins.hParent == TVI_ROOT) ? m_root : slotOf(ins.hParent);
    if (!parent || node(parent).deleting) return HTREEITEM{};
    // Where among the siblings: after `after` (0: first).
    std::uint32_t after = 0;
    bool sorted = false;
    if (ins.hInsertAfter == TVI_FIRST) {
        after = 0;
    } else if (ins.hInsertAfter == TVI_LAST || !ins.hInsertAfter) {
        after = node(parent).lastChild;
    } else if (ins.hInsertAfter == TVI_SORT) {
        sorted = true;
    } else if (ins.hInsertAfter == TVI_ROOT) {
        after = node(parent).lastChild;
    } else {
        after = liveSlotOf(ins.hInsertAfter);
        // A sibling from elsewhere in the tree is refused.
        if (!after || node(after).parent != parent) return HTREEITEM{};
    }
    const std::uint32_t slot = table().add(this);
    if (!slot) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return HTREEITEM{};
    }
    TreeNode& n = node(slot);
    n.level = node(parent).level + 1;
    if (it.mask & TVIF_TEXT) {
        if (it.pszText == LPSTR_TEXTCALLBACKW)
            n.textCallback = true;
        else if (it.pszText)
            n.text = it.pszText;
    }
    if (it.mask & TVIF_IMAGE) n.image = it.iImage;
    if (it.mask & TVIF_SELECTEDIMAGE) n.selectedImage = it.iSelectedImage;
    if (it.mask & TVIF_PARAM) n.lParam = it.lParam;
    if (it.mask & TVIF_CHILDREN) n.children = it.cChildren;
    if (it.mask & TVIF_INTEGRAL) n.integral = std::max(1, it.iIntegral);
    if (it.mask & TVIF_STATE) {
        // Selection, focus and the expanded-once flag are the tree's to set.
        const UINT settable = it.stateMask & ~(TVIS_SELECTED | TVIS_FOCUSED | TVIS_EXPANDEDONCE);
        n.state = it.state & settable;
    }
    if (hasStyle(TVS_CHECKBOXES) && !(n.state & TVIS_STATEIMAGEMASK))
        n.state |= INDEXTOSTATEIMAGEMASK(1);
    if (sorted) {
        // After the last sibling whose text does not sort after the new one.
        const std::u16string text = n.textCallback ? std::u16string() : n.text;
        after = 0;
        for (std::uint32_t s = node(parent).firstChild; s; s = node(s).next) {
            if (compareNoCase(node(s).textCallback ? std::u16string() : node(s).text, text) > 0)
                break;
            after = s;
        }
    }
    link(slot, parent, after);
    ++m_count;
    // Only a change among the rows shown moves them; while the rows wait to be rebuilt the
    // whole window waits for its paint already, so there is nothing more to do.
    if (m_rowsValid && (parent == m_root || visible(parent))) {
        if (node(parent).state & TVIS_EXPANDED)
            rowsChanged();
        else
            invalidateItem(parent);  // its button may show now
    }
    return table().handle(slot);
}

bool TreeViewControl::deleteItem(HTREEITEM item) {
    if (m_edit) endEdit(true);
    if (!alive()) return false;
    if (!item || item == TVI_ROOT) {
        deleteSubtree(m_root, false);
        return true;
    }
    const std::uint32_t slot = slotOf(item);
    if (!slot || slot == m_root || node(slot).deleting) return false;
    // The selection moves off a deleted item as Windows moves it: to the next sibling, else
    // the parent, else the previous sibling.
    std::uint32_t reselect = 0;
    const bool caretGoes = m_caret && within(m_caret, slot);
    if (caretGoes) {
        const TreeNode& n = node(slot);
        reselect = n.next ? n.next : (n.parent != m_root ? n.parent : n.prev);
    }
    const HTREEITEM reselectHandle = table().handle(reselect);
    deleteSubtree(slot, true);
    if (!alive()) return true;
    if (caretGoes) {
        reselect = slotOf(reselectHandle);
        selectCaret(reselect, TVC_UNKNOWN);
    }
    return true;
}

void TreeViewControl::deleteSubtree(std::uint32_t top, bool withRoot) {
    // The doomed items leave the tree first, so nothing a handler does reaches them through
    // it, and all are marked: until each is freed it can be read but not deleted, selected,
    // expanded, sorted or given children, so the walk below meets no surprises.
    std::vector<std::uint32_t> tops;
    if (withRoot) {
        if (node(top).deleting) return;
        tops.push_back(top);
    } else {
        for (std::uint32_t s = node(top).firstChild; s; s = node(s).next)
            if (!node(s).deleting) tops.push_back(s);
    }
    if (tops.empty()) return;
    for (std::uint32_t t : tops) {
        TreeNode& n = node(t);
        const std::uint32_t parent = n.parent;
        unlink(t);
        n.parent = parent;  // kept for the walk's way back up
        for (std::uint32_t s = t; s;) {
            node(s).deleting = true;
            if (node(s).firstChild) {
                s = node(s).firstChild;
                continue;
            }
            while (s != t && !node(s).next)
                s = node(s).parent;
            s = s == t ? 0 : node(s).next;
        }
    }
    auto doomed = [&](std::uint32_t s) { return s && node(s).deleting; };
    if (doomed(m_caret)) m_caret = 0;
    if (doomed(m_dropHilite)) m_dropHilite = 0;
    if (doomed(m_hot)) m_hot = 0;
    if (doomed(m_hotButton)) m_hotButton = 0;
    if (doomed(m_insertMark)) m_insertMark = 0;
    if (doomed(m_pressItem)) m_pressItem = 0;
    if (doomed(m_editItem)) m_editItem = 0;
    if (doomed(m_tipItem)) hideTip();
    rowsChanged();
    if (withRoot && node(top).parent != m_root) invalidateItem(node(top).parent);
    for (std::uint32_t t : tops) {
        // Children before parents: down to the first leaf, then each item once its children
        // are gone.
        std::uint32_t s = t;
        while (node(s).firstChild)
            s = node(s).firstChild;
        for (;;) {
            const TreeNode& n = node(s);
            const bool last = s == t;
            const std::uint32_t parent = n.parent;
            const std::uint32_t next = n.next;
            NMTREEVIEWW nm;
            nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
            nm.itemOld.hItem = table().handle(s);
            nm.itemOld.lParam = n.lParam;
            if (alive()) notify(TVN_DELETEITEMW, nm.hdr);
            // Its children are gone: the parent's list starts after it.
            if (!last) {
                node(parent).firstChild = next;
                if (next)
                    node(next).prev = 0;
                else
                    node(parent).lastChild = 0;
            }
            table().remove(s);
            --m_count;
            if (last) break;
            if (next) {
                s = next;
                while (node(s).firstChild)
                    s = node(s).firstChild;
            } else {
                s = parent;
            }
        }
    }
    if (!alive()) return;
    if (node(m_root).firstChild == 0) {
        m_top = 0;
        m_xOrigin = 0;
        m_widest = 0;
    }
    invalidateLayout();
}

bool TreeViewControl::getItem(TVITEMEXW& it, bool ex) {
    if (it.mask & ~kKnownMask) {
        ReportUnsupported("TVM_GETITEMW", "item mask", ERROR_INVALID_FLAGS);
        return false;
    }
    const std::uint32_t slot = slotOf(it.hItem);
    if (!slot || slot == m_root) return false;
    const HWND self = m_hwnd;
    if (it.mask & TVIF_STATE) it.state = node(slot).state & it.stateMask;
    if (it.mask & TVIF_PARAM) it.lParam = node(slot).lParam;
    if (it.mask & TVIF_IMAGE) it.iImage = itemImage(slot, false);
    if (!IsWindow(self) || !slotOf(it.hItem)) return false;
    if (it.mask & TVIF_SELECTEDIMAGE) it.iSelectedImage = itemImage(slot, true);
    if (!IsWindow(self) || !slotOf(it.hItem)) return false;
    if (it.mask & TVIF_CHILDREN) {
        // As given; a callback is asked, and without TVIF_CHILDREN the items tell.
        const int c = node(slot).children;
        if (c == I_CHILDRENAUTO)
            it.cChildren = node(slot).firstChild ? 1 : 0;
        else if (c == I_CHILDRENCALLBACK)
            it.cChildren = hasChildren(slot) ? 1 : 0;
        else
            it.cChildren = c;
        if (!IsWindow(self) || !slotOf(it.hItem)) return false;
    }
    if (it.mask & TVIF_TEXT) {
        if (node(slot).textCallback) {
            const std::u16string text = itemText(slot);
            if (!IsWindow(self) || !slotOf(it.hItem)) return false;
            CopyToBuffer(text, it.pszText, it.cchTextMax);
        } else {
            CopyToBuffer(node(slot).text, it.pszText, it.cchTextMax);
        }
    }
    if (ex && (it.mask & TVIF_INTEGRAL)) it.iIntegral = node(slot).integral;
    return true;
}

bool TreeViewControl::setItem(const TVITEMEXW& it, bool ex) {
    if (it.mask & ~kKnownMask) {
        ReportUnsupported("TVM_SETITEMW", "item mask", ERROR_INVALID_FLAGS);
        return false;
    }
    std::uint32_t slot = slotOf(it.hItem);
    if (!slot || slot == m_root) return false;
    // A state change is offered to the parent first; it may refuse it (the other parts are
    // set all the same) or delete the item.
    const UINT stateMask =
        (it.mask & TVIF_STATE) ? it.stateMask & ~(TVIS_SELECTED | TVIS_FOCUSED) : 0;
    const UINT oldState = node(slot).state;
    const UINT wanted = (oldState & ~stateMask) | (it.state & stateMask);
    const bool stateMoves = wanted != oldState && !node(slot).deleting;
    bool stateAllowed = true;
    if (stateMoves) {
        slot = stateChanging(slot, wanted);
        if (!alive()) return false;
        if (!slot) {
            slot = slotOf(it.hItem);
            if (!slot) return false;
            stateAllowed = false;
        }
    }
    TreeNode& n = node(slot);
    bool shape = false;
    if (it.mask & TVIF_TEXT) {
        n.textCallback = it.pszText == LPSTR_TEXTCALLBACKW;
        n.text = (!n.textCallback && it.pszText) ? std::u16string(it.pszText) : std::u16string();
        n.textWidth = -1;
    }
    if (it.mask & TVIF_IMAGE) n.image = it.iImage;
    if (it.mask & TVIF_SELECTEDIMAGE) n.selectedImage = it.iSelectedImage;
    if (it.mask & TVIF_PARAM) n.lParam = it.lParam;
    if (it.mask & TVIF_CHILDREN) n.children = it.cChildren;
    if (ex && (it.mask & TVIF_INTEGRAL) && std::max(1, it.iIntegral) != n.integral) {
        n.integral = std::max(1, it.iIntegral);
        shape = true;
    }
    if ((it.mask & TVIF_STATE) && stateAllowed) {
        // The expanded bit set directly changes the rows without expansion notifications, as
        // on Windows; selection goes through TVM_SELECTITEM, so those bits are left alone here.
        const UINT mask = stateMask;
        const UINT old = n.state;
        n.state = (n.state & ~mask) | (it.state & mask);
        if ((old ^ n.state) & TVIS_EXPANDED) shape = true;
        if ((old ^ n.state) & TVIS_BOLD) n.textWidth = -1;
        if (((old ^ n.state) & TVIS_DROPHILITED) && !n.deleting) {
            if (n.state & TVIS_DROPHILITED) {
                if (m_dropHilite && m_dropHilite != slot)
                    node(m_dropHilite).state &= ~TVIS_DROPHILITED;
                m_dropHilite = slot;
            } else if (m_dropHilite == slot) {
                m_dropHilite = 0;
            }
        }
    }
    if (shape) {
        rowsChanged();
        invalidateLayout();
    } else {
        invalidateItem(slot);
    }
    if (stateMoves && stateAllowed && n.state != oldState) stateChanged(slot, oldState);
    return true;
}

UINT TreeViewControl::itemState(HTREEITEM item, UINT mask) const {
    const std::uint32_t slot = slotOf(item);
    if (!slot || slot == m_root) return 0;
    return node(slot).state & mask;
}

std::u16string TreeViewControl::itemText(std::uint32_t slot) {
    if (!node(slot).textCallback) return node(slot).text;
    char16_t buffer[kLabelMax] = {};
    NMTVDISPINFOW di;
    di.item.mask = TVIF_TEXT | TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    di.item.hItem = table().handle(slot);
    di.item.state = node(slot).state;
    di.item.lParam = node(slot).lParam;
    di.item.pszText = buffer;
    di.item.cchTextMax = kLabelMax;
    const HTREEITEM handle = di.item.hItem;
    notify(TVN_GETDISPINFOW, di.hdr);
    std::u16string text;
    if (di.item.pszText && di.item.pszText != LPSTR_TEXTCALLBACKW) {
        const char16_t* p = di.item.pszText;
        for (int k = 0; k < kLabelMax && p[k]; ++k)
            text.push_back(p[k]);
    }
    // TVIF_DI_SETITEM: the tree keeps the answer and stops asking.
    if ((di.item.mask & TVIF_DI_SETITEM) && slotOf(handle)) {
        node(slot).textCallback = false;
        node(slot).text = text;
    }
    return text;
}

int TreeViewControl::itemImage(std::uint32_t slot, bool selected) {
    const int image = selected ? node(slot).selectedImage : node(slot).image;
    if (image != I_IMAGECALLBACK) return image;
    NMTVDISPINFOW di;
    di.item.mask = (selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE) | TVIF_HANDLE | TVIF_PARAM;
    di.item.hItem = table().handle(slot);
    di.item.lParam = node(slot).lParam;
    di.item.state = node(slot).state;
    const HTREEITEM handle = di.item.hItem;
    notify(TVN_GETDISPINFOW, di.hdr);
    const int answer = selected ? di.item.iSelectedImage : di.item.iImage;
    if ((di.item.mask & TVIF_DI_SETITEM) && slotOf(handle)) {
        if (selected)
            node(slot).selectedImage = answer;
        else
            node(slot).image = answer;
    }
    return answer;
}

bool TreeViewControl::hasChildren(std::uint32_t slot) {
    const int c = node(slot).children;
    if (c == I_CHILDRENAUTO) return node(slot).firstChild != 0;
    if (c != I_CHILDRENCALLBACK) return c > 0;
    NMTVDISPINFOW di;
    di.item.mask = TVIF_CHILDREN | TVIF_HANDLE | TVIF_PARAM;
    di.item.hItem = table().handle(slot);
    di.item.lParam = node(slot).lParam;
    const HTREEITEM handle = di.item.hItem;
    notify(TVN_GETDISPINFOW, di.hdr);
    if ((di.item.mask & TVIF_DI_SETITEM) && slotOf(handle)) node(slot).children = di.item.cChildren;
    return di.item.cChildren > 0;
}

HTREEITEM TreeViewControl::nextItem(HTREEITEM item, UINT code) {
    std::uint32_t slot = 0;
    const bool needsItem = code == TVGN_NEXT || code == TVGN_PREVIOUS || code == TVGN_PARENT ||
                           code == TVGN_NEXTVISIBLE || code == TVGN_PREVIOUSVISIBLE;
    if (needsItem || (code == TVGN_CHILD && item && item != TVI_ROOT)) {
        slot = slotOf(item);
        if (!slot || slot == m_root) return HTREEITEM{};
    }
    std::uint32_t found = 0;
    switch (code) {
        case TVGN_ROOT:
            found = node(m_root).firstChild;
            break;
        case TVGN_NEXT:
            found = node(slot).next;
            break;
        case TVGN_PREVIOUS:
            found = node(slot).prev;
            break;
        case TVGN_PARENT:
            found = node(slot).parent == m_root ? 0 : node(slot).parent;
            break;
        case TVGN_CHILD:
            found = node(slot ? slot : m_root).firstChild;
            break;
        case TVGN_FIRSTVISIBLE:
            ensureRows();
            found = m_rows.empty() ? 0 : m_rows[static_cast<std::size_t>(topRow())];
            break;
        case TVGN_NEXTVISIBLE:
        case TVGN_PREVIOUSVISIBLE: {
            // The item must show (its ancestors expanded).
            if (!visible(slot)) return HTREEITEM{};
            const int row = rowOf(slot) + (code == TVGN_NEXTVISIBLE ? 1 : -1);
            if (row >= 0 && row < rowCount()) found = m_rows[static_cast<std::size_t>(row)];
            break;
        }
        case TVGN_DROPHILITE:
            found = m_dropHilite;
            break;
        case TVGN_CARET:
            found = m_caret;
            break;
        case TVGN_LASTVISIBLE:
            ensureRows();
            found = m_rows.empty() ? 0 : m_rows.back();
            break;
        default:
            ReportUnsupported("TVM_GETNEXTITEM", "code", ERROR_INVALID_PARAMETER);
            return HTREEITEM{};
    }
    return handleOf(found);
}

bool TreeViewControl::sortChildren(std::uint32_t parent, bool recursive, PFNTVCOMPARE compare,
                                   LPARAM param) {
    // The parents to sort: the one given, and with `recursive` every one below it, gathered
    // first so that a callback changing the tree cannot send the walk astray.
    std::vector<HTREEITEM> parents{parent == m_root ? TVI_ROOT : table().handle(parent)};
    if (recursive) {
        for (std::uint32_t s = node(parent).firstChild; s;) {
            if (node(s).firstChild) {
                parents.push_back(table().handle(s));
                s = node(s).firstChild;
                continue;
            }
            while (s && s != parent && !node(s).next)
                s = node(s).parent;
            if (!s || s == parent) break;
            s = node(s).next;
        }
    }
    const HWND self = m_hwnd;
    for (const HTREEITEM handle : parents) {
        const std::uint32_t p = handle == TVI_ROOT ? m_root : slotOf(handle);
        if (!p || node(p).deleting) continue;  // gone, or going, meanwhile
        struct Entry {
            HTREEITEM item;
            LPARAM lParam;
            std::u16string key;
        };
        std::vector<Entry> entries;
        for (std::uint32_t s = node(p).firstChild; s; s = node(s).next)
            entries.push_back(Entry{table().handle(s), node(s).lParam, {}});
        if (entries.size() < 2) continue;
        if (!compare) {
            for (Entry& e : entries) {
                const std::uint32_t s = slotOf(e.item);
                if (!s) continue;
                e.key = itemText(s);
                if (!IsWindow(self)) return false;
                CharLowerBuffW(e.key.data(), static_cast<DWORD>(e.key.size()));
            }
        }
        // A merge sort of indices, bottom up: a callback that contradicts itself gives some
        // order, never a broken one, and whatever it deletes is left out afterwards.
        auto before = [&](const Entry& a, const Entry& b) {
            if (!compare) return a.key < b.key;
            if (!IsWindow(self)) return false;
            return compare(a.lParam, b.lParam, param) < 0;
        };
        std::vector<Entry> from = std::move(entries), to(from.size());
        const std::size_t count = from.size();
        for (std::size_t width = 1; width < count; width *= 2) {
            for (std::size_t lo = 0; lo < count; lo += 2 * width) {
                const std::size_t mid = std::min(lo + width, count);
                const std::size_t hi = std::min(lo + 2 * width, count);
                std::size_t a = lo, b = mid, out = lo;
                while (a < mid && b < hi)
                    to[out++] = std::move(before(from[b], from[a]) ? from[b++] : from[a++]);
                while (a < mid)
                    to[out++] = std::move(from[a++]);
                while (b < hi)
                    to[out++] = std::move(from[b++]);
            }
            std::swap(from, to);
        }
        entries = std::move(from);
        if (!IsWindow(self) || !alive()) return false;
        const std::uint32_t again = handle == TVI_ROOT ? m_root : slotOf(handle);
        if (!again || node(again).deleting) continue;
        // Relink the children still there in the new order; any the callback added keep
        // their places at the end.
        std::vector<std::uint32_t> order;
        for (const Entry& e : entries) {
            const std::uint32_t s = slotOf(e.item);
            if (s && node(s).parent == again && !node(s).deleting) order.push_back(s);
        }
        std::vector<std::uint32_t> rest;
        for (std::uint32_t s = node(again).firstChild; s; s = node(s).next)
            if (std::find(order.begin(), order.end(), s) == order.end()) rest.push_back(s);
        order.insert(order.end(), rest.begin(), rest.end());
        std::uint32_t prev = 0;
        for (std::uint32_t s : order) {
            node(s).prev = prev;
            node(s).next = 0;
            if (prev)
                node(prev).next = s;
            else
                node(again).firstChild = s;
            prev = s;
        }
        node(again).lastChild = prev;
    }
    rowsChanged();
    invalidateLayout();
    return true;
}

}  // namespace orvane::platform
