// The header's mouse and keyboard: pressing and clicking items, tracking dividers, dragging
// items to a new place in the order, the state box and drop-down, hot tracking, and moving the
// focused item. Every notification may let the parent change or destroy the control, so the
// state is checked again after each one.
#include <algorithm>
#include <cstdlib>

#include "platform/comctl/HeaderControl.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

void HeaderControl::leftDown(POINT pt) {
    // A click anywhere in the header ends a filter edit, keeping what was typed.
    if (m_editItem >= 0) {
        endFilterEdit(EditEnd::Commit, FocusBack::Restore);
        if (lifetime.dead) return;
    }
    const HDHITTESTINFO hit = hitTest(pt);
    const int i = hit.iItem;
    if (i < 0) return;
    switch (hit.flags) {
        case HHT_ONDIVIDER:
        case HHT_ONDIVOPEN:
            beginTrack(i, pt);
            return;
        case HHT_ONITEMSTATEICON: {
            // The parent decides what the click means (usually toggling HDF_CHECKED).
            HDITEMW item;
            item.mask = HDI_FORMAT;
            item.fmt = m_items[static_cast<std::size_t>(i)].format;
            notifyItem(HDN_ITEMSTATEICONCLICK, i, &item);
            return;
        }
        case HHT_ONDROPDOWN:
            notifyItem(HDN_DROPDOWN, i);
            return;
        case HHT_ONFILTERBUTTON:
            filterButtonClick(i);
            return;
        case HHT_ONFILTER:
            beginFilterEdit(i);
            return;
        case HHT_ONHEADER:
            if (m_focus != i) {
                m_focus = i;
                InvalidateRect(m_hwnd, nullptr, FALSE);
            }
            if (!(style() & (HDS_BUTTONS | HDS_DRAGDROP))) return;
            m_mode = Mode::Press;
            m_active = i;
            m_pressInside = true;
            m_pressAt = pt;
            SetCapture(m_hwnd);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return;
        default:
            return;
    }
}

void HeaderControl::leftUp(POINT pt) {
    const Mode mode = m_mode;
    const int i = m_active;
    if (mode == Mode::Track) {
        track(pt.x);
        if (!lifetime.dead && m_mode == Mode::Track) endTrack(true);
        return;
    }
    if (mode == Mode::Drag) {
        m_dragX = pt.x;
        endDrag(true);
        return;
    }
    if (mode != Mode::Press) return;
    m_mode = Mode::None;
    m_active = -1;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    InvalidateRect(m_hwnd, nullptr, FALSE);
    const HDHITTESTINFO hit = hitTest(pt);
    if ((style() & HDS_BUTTONS) && hit.iItem == i && hit.flags == HHT_ONHEADER)
        notifyItem(HDN_ITEMCLICKW, i);
}

void HeaderControl::leftDoubleClick(POINT pt) {
    const HDHITTESTINFO hit = hitTest(pt);
    if (hit.flags == HHT_ONDIVIDER || hit.flags == HHT_ONDIVOPEN) {
        notifyItem(HDN_DIVIDERDBLCLICKW, hit.iItem);
    } else if (hit.flags == HHT_ONHEADER) {
        if (style() & HDS_BUTTONS) notifyItem(HDN_ITEMDBLCLICKW, hit.iItem);
    } else {
        // The other parts take a second click as a click.
        leftDown(pt);
    }
}

void HeaderControl::mouseMove(POINT pt, WPARAM keys) {
    switch (m_mode) {
        case Mode::Track:
            track(pt.x);
            return;
        case Mode::Drag:
            m_dragX = pt.x;
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return;
        case Mode::Press: {
            if ((style() & HDS_DRAGDROP) && (keys & MK_LBUTTON) &&
                (std::abs(pt.x - m_pressAt.x) > GetSystemMetrics(SM_CXDRAG) ||
                 std::abs(pt.y - m_pressAt.y) > GetSystemMetrics(SM_CYDRAG))) {
                beginDrag(pt);
                return;
            }
            const HDHITTESTINFO hit = hitTest(pt);
            const bool inside = hit.iItem == m_active && hit.flags == HHT_ONHEADER;
            if (inside != m_pressInside) {
                m_pressInside = inside;
                InvalidateRect(m_hwnd, nullptr, FALSE);
            }
            return;
        }
        case Mode::None:
            break;
    }
    if (!(style() & HDS_HOTTRACK) && !(style() & HDS_FILTERBAR)) return;
    const HDHITTESTINFO hit = hitTest(pt);
    setHot(hit.iItem, hit.iItem >= 0 ? hit.flags : 0);
    if (!m_tracking) {
        TRACKMOUSEEVENT tme;
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hwnd;
        m_tracking = TrackMouseEvent(&tme) != 0;
    }
}

void HeaderControl::setHot(int index, UINT part) {
    // Only items and their parts are hot; a divider is not.
    if (part == HHT_ONDIVIDER || part == HHT_ONDIVOPEN) index = -1;
    if (index < 0) part = 0;
    if (index == m_hot && part == m_hotPart) return;
    m_hot = index;
    m_hotPart = part;
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

bool HeaderControl::setCursor() {
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(m_hwnd, &pt);
    const UINT flags = m_mode == Mode::Track ? HHT_ONDIVIDER : hitTest(pt).flags;
    if (flags != HHT_ONDIVIDER && flags != HHT_ONDIVOPEN) return false;
    SetCursor(LoadCursorW(HINSTANCE(), IDC_SIZEWE));
    return true;
}

void HeaderControl::rightUp(POINT pt) {
    NMHDR hdr;
    if (notify(hdr, NM_RCLICK) || lifetime.dead) return;
    // Unanswered, the click becomes WM_CONTEXTMENU as for any window.
    POINT screen = pt;
    ClientToScreen(m_hwnd, &screen);
    SendMessageW(m_hwnd, WM_CONTEXTMENU, static_cast<WPARAM>(m_hwnd.value),
                 MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
}

void HeaderControl::keyDown(int vk) {
    if (vk == VK_ESCAPE && m_mode != Mode::None) {
        cancelMode();
        return;
    }
    if (!valid(m_focus)) return;
    const int order = orderOf(m_focus);
    int next = order;
    if (vk == VK_LEFT) next = order - 1;
    if (vk == VK_RIGHT) next = order + 1;
    if (vk == VK_HOME) next = 0;
    if (vk == VK_END) next = count() - 1;
    if (next != order) {
        if (next >= 0 && next < count()) {
            m_focus = m_order[static_cast<std::size_t>(next)];
            InvalidateRect(m_hwnd, nullptr, FALSE);
        }
        return;
    }
    // Any other key goes to the parent with the focused item; iButton holds the key.
    notifyItem(HDN_ITEMKEYDOWN, m_focus, nullptr, vk);
}

// Tracking a divider.

void HeaderControl::beginTrack(int index, POINT pt) {
    const Item& item = m_items[static_cast<std::size_t>(index)];
    HDITEMW hdi;
    hdi.mask = HDI_WIDTH;
    hdi.cxy = item.width;
    // A non-zero answer refuses the tracking.
    if (notifyItem(HDN_BEGINTRACKW, index, &hdi) || lifetime.dead || !valid(index)) return;
    const Item& now = m_items[static_cast<std::size_t>(index)];
    m_mode = Mode::Track;
    m_active = index;
    m_trackStart = now.width;
    m_trackWidth = now.width;
    m_trackGrab = pt.x - (now.left + now.width);
    SetCapture(m_hwnd);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void HeaderControl::track(int x) {
    const int index = m_active;
    if (!valid(index)) return;
    const int width = std::max(0, x - m_trackGrab - m_items[static_cast<std::size_t>(index)].left);
    if (width == m_trackWidth) return;
    HDITEMW hdi;
    hdi.mask = HDI_WIDTH;
    hdi.cxy = width;
    if (style() & HDS_FULLDRAG) {
        // Resized as the pointer moves; the parent may refuse each step.
        if (changeItem(index, hdi) && m_mode == Mode::Track) m_trackWidth = width;
        return;
    }
    // Otherwise a line shows where the divider would go, and HDN_TRACKW tells the parent,
    // which may end the tracking by answering TRUE.
    m_trackWidth = width;
    InvalidateRect(m_hwnd, nullptr, FALSE);
    if (notifyItem(HDN_TRACKW, index, &hdi) && !lifetime.dead && m_mode == Mode::Track) {
        m_mode = Mode::None;
        m_active = -1;
        if (GetCapture() == m_hwnd) ReleaseCapture();
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
}

void HeaderControl::endTrack(bool apply) {
    const int index = m_active;
    const int width = apply ? m_trackWidth : m_trackStart;
    m_mode = Mode::None;
    m_active = -1;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    InvalidateRect(m_hwnd, nullptr, FALSE);
    if (!valid(index)) return;
    HDITEMW hdi;
    hdi.mask = HDI_WIDTH;
    hdi.cxy = width;
    notifyItem(HDN_ENDTRACKW, index, &hdi);
    if (lifetime.dead || !valid(index)) return;
    // Live resizing has already applied the width; a cancelled one puts the old one back.
    if (m_items[static_cast<std::size_t>(index)].width != width) changeItem(index, hdi);
}

// Dragging an item to a new place.

void HeaderControl::beginDrag(POINT pt) {
    const int index = m_active;
    HDITEMW hdi;
    hdi.mask = HDI_ORDER;
    hdi.iOrder = orderOf(index);
    // TRUE: the parent drags the item itself.
    const LRESULT manual = notifyItem(HDN_BEGINDRAG, index, &hdi);
    if (lifetime.dead) return;
    if (manual || !valid(index) || m_mode != Mode::Press) {
        cancelMode();
        return;
    }
    m_mode = Mode::Drag;
    m_dragX = pt.x;
    m_dragGrab = m_pressAt.x - m_items[static_cast<std::size_t>(index)].left;
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void HeaderControl::endDrag(bool apply) {
    const int index = m_active;
    m_mode = Mode::None;
    m_active = -1;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    InvalidateRect(m_hwnd, nullptr, FALSE);
    if (!apply || !valid(index)) return;
    const int from = orderOf(index);
    const int divider = dropOrder(m_dragX);
    const int to = divider > from ? divider - 1 : divider;
    HDITEMW hdi;
    hdi.mask = HDI_ORDER;
    hdi.iOrder = to;
    // TRUE keeps the item where it was.
    if (notifyItem(HDN_ENDDRAG, index, &hdi) || lifetime.dead || !valid(index)) return;
    moveToOrder(index, to);
    placeItems();
}

void HeaderControl::cancelMode() {
    switch (m_mode) {
        case Mode::Track:
            endTrack(false);
            return;
        case Mode::Drag:
            endDrag(false);
            return;
        case Mode::Press:
            m_mode = Mode::None;
            m_active = -1;
            if (GetCapture() == m_hwnd) ReleaseCapture();
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return;
        case Mode::None:
            return;
    }
}

}  // namespace orvane::platform
