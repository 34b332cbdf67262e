// The tree view's mouse and keyboard. A press on a button toggles at once; a press on an item
// waits (with capture, not a loop of its own) to see whether it becomes a drag
// (TVN_BEGINDRAGW) or a click, which sends NM_CLICK and then selects, toggles the check box
// or, on the selected label, starts an edit after the double-click time. Keys move the
// selection among the rows shown, fold and unfold, and typed characters search the labels.
#include <algorithm>
#include <cstdlib>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/TreeViewControl.h"
#include "platform/text/CharCase.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

std::u16string folded(std::u16string s) {
    CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

}  // namespace

void TreeViewControl::setHot(std::uint32_t slot) {
    if (slot == m_hot) return;
    const std::uint32_t old = m_hot;
    m_hot = slot;
    invalidateItem(old);
    invalidateItem(slot);
}

void TreeViewControl::setHotButton(std::uint32_t slot) {
    if (slot == m_hotButton) return;
    const std::uint32_t old = m_hotButton;
    m_hotButton = slot;
    invalidateItem(old);
    invalidateItem(slot);
}

void TreeViewControl::toggleCheck(std::uint32_t slot) {
    if (!m_state) return;
    // Through every state image the list holds (image 0 is "none"), back to the first.
    int images = m_state == m_checkImages ? 3 : ImageList_GetImageCount(m_state);
    images = std::max(images, 3);
    const UINT current = (node(slot).state & TVIS_STATEIMAGEMASK) >> 12;
    UINT next = current + 1;
    if (static_cast<int>(next) >= images || next > 15) next = 1;
    const UINT old = node(slot).state;
    slot = stateChanging(slot, (old & ~TVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(next));
    if (!slot) return;
    node(slot).state = (node(slot).state & ~TVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(next);
    invalidateItem(slot);
    stateChanged(slot, old);
}

void TreeViewControl::mouseDown(UINT msg, WPARAM, POINT pt) {
    hideTip();
    if (m_edit) endEdit(false);
    if (!alive()) return;
    if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
    if (!alive()) return;
    KillTimer(m_hwnd, kEditTimer);
    m_editPending = false;
    TVHITTESTINFO hit;
    hit.pt = pt;
    hitTest(hit);
    const std::uint32_t slot = slotOf(hit.hItem);
    m_pressed = true;
    m_pressButton = msg;
    m_pressPoint = pt;
    m_pressItem = slot;
    m_dragging = false;
    SetCapture(m_hwnd);
    if (msg == WM_RBUTTONDOWN) return;  // NM_RCLICK comes with the release
    const bool onRow =
        hasStyle(TVS_FULLROWSELECT) && (hit.flags & (TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT));
    const bool track = slot && ((hit.flags & TVHT_ONITEM) || onRow);
    if (!track) {
        // Nothing to drag: the click is told at once; a button toggles.
        m_pressed = false;
        ReleaseCapture();
        NMHDR hdr;
        if (notify(NM_CLICK, hdr) != 0 || !alive()) return;
        if (slot && (hit.flags & TVHT_ONITEMBUTTON) && slotOf(hit.hItem))
            expand(slotOf(hit.hItem), TVE_TOGGLE, true);
    }
}

void TreeViewControl::mouseMove(WPARAM, POINT pt) {
    if (!m_tracking) {
        TRACKMOUSEEVENT tme;
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hwnd;
        m_tracking = TrackMouseEvent(&tme) != FALSE;
    }
    if (m_pressed && !m_dragging && m_pressItem) {
        const int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
        if (std::abs(pt.x - m_pressPoint.x) > cx / 2 || std::abs(pt.y - m_pressPoint.y) > cy / 2) {
            m_dragging = true;
            m_pressed = false;
            KillTimer(m_hwnd, kEditTimer);
            m_editPending = false;
            ReleaseCapture();
            if (!hasStyle(TVS_DISABLEDRAGDROP) && m_pressItem) {
                const UINT code =
                    m_pressButton == WM_RBUTTONDOWN ? TVN_BEGINRDRAGW : TVN_BEGINDRAGW;
                notifyTree(code, 0, 0, m_pressItem, m_pressPoint);
            }
            return;
        }
    }
    TVHITTESTINFO hit;
    hit.pt = pt;
    hitTest(hit);
    if (!alive()) return;
    const std::uint32_t slot = slotOf(hit.hItem);
    const bool onItem = slot && (hit.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON));
    setHot(onItem && hasStyle(TVS_TRACKSELECT | TVS_FULLROWSELECT) ? slot : 0);
    setHotButton((hit.flags & TVHT_ONITEMBUTTON) ? slot : 0);
    scheduleTip((hit.flags & TVHT_ONITEMLABEL) ? slot : 0);
}

void TreeViewControl::mouseUp(UINT msg, POINT pt) {
    const bool wasPressed = m_pressed && m_pressButton + 1 == msg;
    const bool dragged = m_dragging;
    m_pressed = false;
    m_dragging = false;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    if (!alive()) return;
    if (msg == WM_RBUTTONUP) {
        if (dragged) return;
        NMHDR hdr;
        if (notify(NM_RCLICK, hdr) != 0 || !alive()) return;
        POINT screen = pt;
        ClientToScreen(m_hwnd, &screen);
        SendMessageW(m_hwnd, WM_CONTEXTMENU, static_cast<WPARAM>(m_hwnd.value),
                     MAKELPARAM(screen.x, screen.y));
        return;
    }
    if (!wasPressed || dragged) return;
    TVHITTESTINFO hit;
    hit.pt = m_pressPoint;
    hitTest(hit);
    const std::uint32_t slot = slotOf(hit.hItem);
    if (!slot || slot != m_pressItem) return;
    const HTREEITEM handle = hit.hItem;
    NMHDR hdr;
    if (notify(NM_CLICK, hdr) != 0 || !alive()) return;
    const std::uint32_t item = slotOf(handle);
    if (!item) return;
    if (hit.flags & TVHT_ONITEMSTATEICON) {
        if (hasStyle(TVS_CHECKBOXES)) toggleCheck(item);
        return;
    }
    if (item == m_caret && (hit.flags & TVHT_ONITEMLABEL) && hasStyle(TVS_EDITLABELS)) {
        // A second click on the selected label: edit, unless a double click follows.
        m_editPending = true;
        SetTimer(m_hwnd, kEditTimer, GetDoubleClickTime(), nullptr);
        return;
    }
    selectCaret(item, TVC_BYMOUSE);
}

void TreeViewControl::doubleClick(UINT msg, POINT pt) {
    KillTimer(m_hwnd, kEditTimer);
    m_editPending = false;
    if (m_edit) endEdit(false);
    if (!alive()) return;
    TVHITTESTINFO hit;
    hit.pt = pt;
    hitTest(hit);
    const HTREEITEM handle = hit.hItem;
    NMHDR hdr;
    if (msg == WM_RBUTTONDBLCLK) {
        notify(NM_RDBLCLK, hdr);
        return;
    }
    if (notify(NM_DBLCLK, hdr) != 0 || !alive()) return;
    const std::uint32_t slot = slotOf(handle);
    if (!slot) return;
    if (hit.flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON)) {
        if (hit.flags & TVHT_ONITEMSTATEICON) {
            if (hasStyle(TVS_CHECKBOXES)) toggleCheck(slot);
            return;
        }
        expand(slot, TVE_TOGGLE, true);
    }
}

std::uint32_t TreeViewControl::keyTarget(std::uint32_t from, UINT vk) {
    ensureRows();
    if (m_rows.empty()) return 0;
    if (!from || !visible(from)) return m_rows[static_cast<std::size_t>(topRow())];
    const int row = rowOf(from);
    const int last = rowCount() - 1;
    const int page = std::max(1, visibleCount() - 1);
    int target = row;
    switch (vk) {
        case VK_UP:
            target = row - 1;
            break;
        case VK_DOWN:
            target = row + 1;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = last;
            break;
        case VK_PRIOR:
            target = row - page;
            break;
        case VK_NEXT:
            target = row + page;
            break;
        default:
            break;
    }
    return m_rows[static_cast<std::size_t>(std::clamp(target, 0, last))];
}

void TreeViewControl::keyDown(UINT vk) {
    m_skipChar = false;
    NMTVKEYDOWN nm;
    nm.wVKey = static_cast<WORD>(vk);
    const LRESULT answer = notify(TVN_KEYDOWN, nm.hdr);
    if (!alive()) return;
    m_skipSearch = answer != 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (ctrl) {
        // Ctrl with a moving key scrolls and leaves the selection where it is.
        switch (vk) {
            case VK_UP:
                scroll(SB_VERT, SB_LINEUP);
                return;
            case VK_DOWN:
                scroll(SB_VERT, SB_LINEDOWN);
                return;
            case VK_LEFT:
                scroll(SB_HORZ, SB_LINEUP);
                return;
            case VK_RIGHT:
                scroll(SB_HORZ, SB_LINEDOWN);
                return;
            case VK_PRIOR:
                scroll(SB_VERT, SB_PAGEUP);
                return;
            case VK_NEXT:
                scroll(SB_VERT, SB_PAGEDOWN);
                return;
            case VK_HOME:
                scroll(SB_VERT, SB_TOP);
                return;
            case VK_END:
                scroll(SB_VERT, SB_BOTTOM);
                return;
            default:
                break;
        }
    }
    const std::uint32_t caret = m_caret;
    switch (vk) {
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT: {
            const std::uint32_t target = keyTarget(caret, vk);
            if (target) selectCaret(target, TVC_BYKEYBOARD);
            return;
        }
        case VK_LEFT:
            if (!caret) break;
            if (node(caret).state & TVIS_EXPANDED) {
                if (expand(caret, TVE_COLLAPSE, true)) return;
            }
            if (!alive() || !slotOf(table().handle(caret))) return;
            if (node(caret).parent != m_root) selectCaret(node(caret).parent, TVC_BYKEYBOARD);
            return;
        case VK_RIGHT:
            if (!caret) break;
            if (!(node(caret).state & TVIS_EXPANDED)) {
                expand(caret, TVE_EXPAND, true);
            } else if (node(caret).firstChild) {
                selectCaret(node(caret).firstChild, TVC_BYKEYBOARD);
            }
            return;
        case VK_BACK:
            if (caret && node(caret).parent != m_root)
                selectCaret(node(caret).parent, TVC_BYKEYBOARD);
            m_skipChar = true;
            return;
        case VK_ADD:
            if (caret) expand(caret, TVE_EXPAND, true);
            m_skipChar = true;
            return;
        case VK_SUBTRACT:
            if (caret) expand(caret, TVE_COLLAPSE, true);
            m_skipChar = true;
            return;
        case VK_MULTIPLY:
            if (caret) expandAll(caret);
            m_skipChar = true;
            return;
        case VK_RETURN: {
            NMHDR hdr;
            notify(NM_RETURN, hdr);
            m_skipChar = true;
            return;
        }
        case VK_SPACE:
            if (caret && hasStyle(TVS_CHECKBOXES) && m_search.empty()) {
                m_skipChar = true;
                toggleCheck(caret);
            }
            return;
        default:
            return;
    }
    // No selection yet: a moving key selects the first row shown.
    const std::uint32_t target = keyTarget(0, vk);
    if (target) selectCaret(target, TVC_BYKEYBOARD);
}

void TreeViewControl::charTyped(char16_t c) {
    const bool skip = m_skipChar || m_skipSearch;
    m_skipChar = false;
    if (skip || c < 0x20 || (c == u' ' && m_search.empty())) return;
    ensureRows();
    if (m_rows.empty()) return;
    // A character repeated steps through the labels starting with it; new text searches on
    // from where the search began.
    const bool repeat = !m_search.empty() && std::all_of(m_search.begin(), m_search.end(),
                                                         [&](char16_t s) { return s == c; });
    m_search.push_back(c);
    SetTimer(m_hwnd, kSearchTimer, 1000, nullptr);
    const std::u16string key = folded(repeat ? std::u16string(1, c) : m_search);
    const int n = rowCount();
    int start = m_caret && visible(m_caret) ? rowOf(m_caret) : 0;
    if (repeat || m_search.size() == 1) start += 1;
    for (int k = 0; k < n; ++k) {
        const int row = (start + k) % n;
        const std::uint32_t slot = m_rows[static_cast<std::size_t>(row)];
        const HTREEITEM handle = table().handle(slot);
        const std::u16string text = folded(itemText(slot));
        if (!alive()) return;
        if (!slotOf(handle)) return;  // the parent changed the tree: give up
        if (text.compare(0, key.size(), key) == 0) {
            selectCaret(slot, TVC_BYKEYBOARD);
            return;
        }
        ensureRows();
        if (rowCount() != n) return;
    }
}

}  // namespace orvane::platform
