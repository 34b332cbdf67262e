// The list view's mouse and keyboard: clicks select (Ctrl toggling, Shift a range from the
// selection mark), a drag from an item asks the parent to drag it (LVN_BEGINDRAG), a drag from
// empty space draws a marquee, arrows and page keys move the focus, and typed characters search
// item texts. The mouse is followed with capture rather than a loop of its own, so whoever
// subclasses the list sees every button message.
#include <algorithm>
#include <cstdlib>

#include "platform/comctl/ListViewControl.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

bool down(int vk) {
    return GetKeyState(vk) < 0;
}

}  // namespace

void ListViewControl::focusItem(int i) {
    if (validIndex(i)) setOneState(i, LVIS_FOCUSED, LVIS_FOCUSED);
}

bool ListViewControl::deselectAllBut(int keep) {
    const HWND self = m_hwnd;
    if (ownerData()) {
        // An owner-data list says so once, for every item.
        const bool kept = validIndex(keep) && rangeSelected(keep);
        if (selectedCount() <= (kept ? 1 : 0)) return true;
        m_selection.clear();
        if (kept) selectRange(keep, keep + 1, true);
        InvalidateRect(m_hwnd, nullptr, FALSE);
        changed(-1, LVIS_SELECTED, 0, LVIF_STATE);
        return IsWindow(self) != FALSE;
    }
    for (int other = nextItem(-1, LVNI_SELECTED); other >= 0;
         other = nextItem(other, LVNI_SELECTED)) {
        if (other == keep) continue;
        setOneState(other, 0, LVIS_SELECTED);
        if (!IsWindow(self)) return false;
    }
    return true;
}

void ListViewControl::selectOnly(int i) {
    const HWND self = m_hwnd;
    if (!deselectAllBut(i)) return;
    if (validIndex(i)) setOneState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (IsWindow(self) && validIndex(i)) m_mark = i;
}

void ListViewControl::selectTo(int i, bool keepOthers) {
    if (!validIndex(i)) return;
    if (!validIndex(m_mark)) m_mark = std::max(0, m_focus);
    const int lo = std::min(m_mark, i), hi = std::max(m_mark, i);
    const HWND self = m_hwnd;
    if (ownerData()) {
        if (!keepOthers && !deselectAllBut(-1)) return;
        selectRange(lo, hi + 1, true);
        NMLVODSTATECHANGE nm;
        nm.iFrom = lo;
        nm.iTo = hi;
        nm.uNewState = LVIS_SELECTED;
        notify(LVN_ODSTATECHANGED, nm.hdr);
        InvalidateRect(m_hwnd, nullptr, FALSE);
        if (IsWindow(self)) focusItem(i);
        return;
    }
    if (!keepOthers) {
        for (int other = nextItem(-1, LVNI_SELECTED); other >= 0;
             other = nextItem(other, LVNI_SELECTED)) {
            if (other >= lo && other <= hi) continue;
            setOneState(other, 0, LVIS_SELECTED);
            if (!IsWindow(self)) return;
        }
    }
    for (int k = lo; k <= hi && validIndex(k); ++k) {
        setOneState(k, LVIS_SELECTED, LVIS_SELECTED);
        if (!IsWindow(self)) return;
    }
    focusItem(i);
}

void ListViewControl::clickSelect(int i, bool shift, bool ctrl) {
    if (!validIndex(i)) return;
    if (singleSelect()) {
        if (ctrl && isSelected(i) && !shift)
            setOneState(i, LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        else
            selectOnly(i);
        return;
    }
    if (shift) {
        selectTo(i, ctrl);
    } else if (ctrl) {
        setOneState(i, isSelected(i) ? LVIS_FOCUSED : LVIS_SELECTED | LVIS_FOCUSED,
                    LVIS_SELECTED | LVIS_FOCUSED);
        m_mark = i;
    } else {
        selectOnly(i);
    }
}

void ListViewControl::toggleCheck(int i) {
    if (!validIndex(i)) return;
    const UINT current = (itemState(i, LVIS_STATEIMAGEMASK) >> 12) & 0xF;
    const UINT next = current == 2 ? 1 : 2;
    setOneState(i, INDEXTOSTATEIMAGEMASK(next), LVIS_STATEIMAGEMASK);
}

void ListViewControl::setHot(int i) {
    if (i == m_hot) return;
    if (i >= 0 && exStyle(LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE)) {
        NMLISTVIEW nm;
        nm.iItem = i;
        if (notify(LVN_HOTTRACK, nm.hdr) != 0) return;
    }
    for (int item : {m_hot, i}) {
        if (!validIndex(item)) continue;
        const RECT r = itemRect(item, LVIR_BOUNDS);
        InvalidateRect(m_hwnd, &r, FALSE);
    }
    m_hot = i;
    if (exStyle(LVS_EX_TRACKSELECT) && i >= 0) {
        UINT hover = 400;
        SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &hover, 0);
        SetTimer(m_hwnd, kHoverTimer, hover, nullptr);
    }
}

void ListViewControl::mouseDown(UINT msg, WPARAM keys, POINT pt) {
    const HWND self = m_hwnd;
    hideTip();
    if (m_edit) endEdit(false);
    if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
    if (!IsWindow(self)) return;
    KillTimer(m_hwnd, kEditTimer);
    m_editPending = false;
    const bool shift = (keys & MK_SHIFT) != 0, ctrl = (keys & MK_CONTROL) != 0;
    LVHITTESTINFO hit;
    hit.pt = pt;
    hitTest(hit, false);
    m_pressed = true;
    m_pressButton = msg;
    m_pressPoint = pt;
    m_pressItem = hit.iItem;
    m_dragging = false;
    m_deferSelect = false;
    SetCapture(m_hwnd);
    if (hit.flags & LVHT_EX_GROUP_HEADER) {
        groupClicked(hit.iGroup, pt, false);
        m_pressItem = -1;
        return;
    }
    if (msg == WM_RBUTTONDOWN) {
        if (validIndex(hit.iItem) && !isSelected(hit.iItem))
            selectOnly(hit.iItem);
        else if (validIndex(hit.iItem))
            focusItem(hit.iItem);
        return;
    }
    if (validIndex(hit.iItem) && (hit.flags & LVHT_ONITEMSTATEICON) && exStyle(LVS_EX_CHECKBOXES)) {
        // The check box toggles and leaves the selection alone.
        toggleCheck(hit.iItem);
        m_pressItem = -1;
        m_checkClick = true;
        return;
    }
    m_checkClick = false;
    if (validIndex(hit.iItem)) {
        m_wasSelected = isSelected(hit.iItem) && hit.iItem == m_focus;
        if (!shift && !ctrl && isSelected(hit.iItem) && selectedCount() > 1) {
            // Several selected items stay selected until the button comes up without a drag.
            focusItem(hit.iItem);
            m_deferSelect = true;
        } else {
            clickSelect(hit.iItem, shift, ctrl);
        }
        if (!IsWindow(self)) return;
        m_editPending = m_wasSelected && !shift && !ctrl && (style() & LVS_EDITLABELS) &&
                        (hit.flags & LVHT_ONITEMLABEL) && selectedCount() == 1;
        return;
    }
    // Empty space: the selection goes unless Ctrl keeps it; a drag draws a marquee.
    if (!ctrl && !shift) deselectAllBut(-1);
}

void ListViewControl::mouseMove(WPARAM keys, POINT pt) {
    if (!m_tracking) {
        TRACKMOUSEEVENT tme;
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hwnd;
        m_tracking = TrackMouseEvent(&tme) != FALSE;
    }
    LVHITTESTINFO hit;
    hit.pt = pt;
    hitTest(hit, false);
    const HWND self = m_hwnd;
    setHot(hit.iItem);
    if (!IsWindow(self)) return;
    scheduleTip(m_pressed ? -1 : hit.iItem);
    if (!m_pressed) return;
    if (m_marquee) {
        updateMarquee(pt);
        return;
    }
    if (m_dragging) return;
    const int dx = std::abs(pt.x - m_pressPoint.x), dy = std::abs(pt.y - m_pressPoint.y);
    if (dx <= GetSystemMetrics(SM_CXDRAG) && dy <= GetSystemMetrics(SM_CYDRAG)) return;
    m_dragging = true;
    m_editPending = false;
    if (validIndex(m_pressItem) && !m_checkClick) {
        // The parent runs the drag; the list lets the mouse go.
        const int item = m_pressItem;
        m_pressed = false;
        m_deferSelect = false;
        if (GetCapture() == m_hwnd) ReleaseCapture();
        notifyItem(m_pressButton == WM_RBUTTONDOWN ? LVN_BEGINRDRAG : LVN_BEGINDRAG, item, 0,
                   m_pressPoint);
        return;
    }
    if (m_pressButton == WM_LBUTTONDOWN && !singleSelect() && !m_checkClick) {
        NMHDR hdr;
        if (notify(LVN_MARQUEEBEGIN, hdr) != 0 || !IsWindow(self)) return;
        const RECT area = itemsArea();
        m_marquee = true;
        m_marqueeFrom =
            POINT{m_pressPoint.x - area.left + m_xOrigin, m_pressPoint.y - area.top + m_yOrigin};
        m_marqueeBase.clear();
        if (keys & MK_CONTROL)
            for (int i = nextItem(-1, LVNI_SELECTED); i >= 0; i = nextItem(i, LVNI_SELECTED))
                m_marqueeBase.push_back(i);
        SetTimer(m_hwnd, kScrollTimer, 50, nullptr);
        updateMarquee(pt);
    }
}

void ListViewControl::updateMarquee(POINT pt) {
    const RECT area = itemsArea();
    // Dragging past an edge scrolls that way.
    int dx = 0, dy = 0;
    const int step = report() ? rowHeight() : cellSize().cy / 2;
    if (pt.y < area.top) dy = -step;
    if (pt.y >= area.bottom) dy = step;
    if (pt.x < area.left) dx = -step;
    if (pt.x >= area.right) dx = step;
    if (dx || dy) scrollBy(dx, dy, true);
    const HWND self = m_hwnd;
    if (!IsWindow(self) || !m_marquee) return;
    m_marqueeTo = POINT{pt.x - area.left + m_xOrigin, pt.y - area.top + m_yOrigin};
    RECT box{std::min(m_marqueeFrom.x, m_marqueeTo.x), std::min(m_marqueeFrom.y, m_marqueeTo.y),
             std::max(m_marqueeFrom.x, m_marqueeTo.x) + 1,
             std::max(m_marqueeFrom.y, m_marqueeTo.y) + 1};
    OffsetRect(&box, area.left - m_xOrigin, area.top - m_yOrigin);
    std::vector<int> inside;
    for (int i : itemsIn(box)) {
        const RECT r = itemRect(i, report() ? LVIR_SELECTBOUNDS : LVIR_BOUNDS);
        RECT meet;
        if (IntersectRect(&meet, &r, &box)) inside.push_back(i);
    }
    // Selected: what Ctrl kept, toggled by what the box holds.
    std::vector<int> wanted;
    std::set_symmetric_difference(m_marqueeBase.begin(), m_marqueeBase.end(), inside.begin(),
                                  inside.end(), std::back_inserter(wanted));
    std::vector<int> now;
    for (int i = nextItem(-1, LVNI_SELECTED); i >= 0; i = nextItem(i, LVNI_SELECTED))
        now.push_back(i);
    std::vector<int> off, on;
    std::set_difference(now.begin(), now.end(), wanted.begin(), wanted.end(),
                        std::back_inserter(off));
    std::set_difference(wanted.begin(), wanted.end(), now.begin(), now.end(),
                        std::back_inserter(on));
    for (int i : off) {
        setOneState(i, 0, LVIS_SELECTED);
        if (!IsWindow(self)) return;
    }
    for (int i : on) {
        setOneState(i, LVIS_SELECTED, LVIS_SELECTED);
        if (!IsWindow(self)) return;
    }
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void ListViewControl::mouseUp(UINT msg, WPARAM keys, POINT pt) {
    const HWND self = m_hwnd;
    const bool wasPressed =
        m_pressed && ((msg == WM_LBUTTONUP) == (m_pressButton == WM_LBUTTONDOWN));
    if (wasPressed) {
        m_pressed = false;
        if (GetCapture() == m_hwnd) ReleaseCapture();
    }
    if (m_marquee) {
        m_marquee = false;
        KillTimer(m_hwnd, kScrollTimer);
        InvalidateRect(m_hwnd, nullptr, FALSE);
        return;
    }
    if (!wasPressed || m_dragging) return;
    if (msg == WM_RBUTTONUP) {
        notifyActivate(NM_RCLICK, pt);
        // The context menu follows, as Windows' default handling asks for it.
        if (IsWindow(self)) DefWindowProcW(m_hwnd, WM_RBUTTONUP, keys, MAKELPARAM(pt.x, pt.y));
        return;
    }
    if (m_deferSelect && validIndex(m_pressItem)) {
        m_deferSelect = false;
        selectOnly(m_pressItem);
        if (!IsWindow(self)) return;
    }
    const int item = m_pressItem;
    notifyActivate(NM_CLICK, pt);
    if (!IsWindow(self)) return;
    if (validIndex(item) && !m_checkClick && exStyle(LVS_EX_ONECLICKACTIVATE)) {
        notifyActivate(LVN_ITEMACTIVATE, pt);
        if (!IsWindow(self)) return;
    }
    if (m_editPending) SetTimer(m_hwnd, kEditTimer, GetDoubleClickTime(), nullptr);
}

void ListViewControl::doubleClick(UINT msg, WPARAM keys, POINT pt) {
    const HWND self = m_hwnd;
    KillTimer(m_hwnd, kEditTimer);
    m_editPending = false;
    LVHITTESTINFO hit;
    hit.pt = pt;
    hitTest(hit, false);
    if (hit.flags & LVHT_EX_GROUP_HEADER) {
        groupClicked(hit.iGroup, pt, true);
        return;
    }
    if (validIndex(hit.iItem) && (hit.flags & LVHT_ONITEMSTATEICON) && exStyle(LVS_EX_CHECKBOXES)) {
        toggleCheck(hit.iItem);  // a quick second click on the box toggles it back
        return;
    }
    if (validIndex(hit.iItem) && !isSelected(hit.iItem))
        clickSelect(hit.iItem, (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0);
    if (!IsWindow(self)) return;
    notifyActivate(msg == WM_LBUTTONDBLCLK ? NM_DBLCLK : NM_RDBLCLK, pt);
    if (!IsWindow(self)) return;
    if (msg == WM_LBUTTONDBLCLK && validIndex(hit.iItem) && !exStyle(LVS_EX_ONECLICKACTIVATE))
        notifyActivate(LVN_ITEMACTIVATE, pt);
}

int ListViewControl::keyTargetFrom(int from, UINT vk) {
    const int n = count();
    if (n == 0) return -1;
    if (!validIndex(from)) return (vk == VK_END) ? n - 1 : 0;
    // Grouped lists move through the items in the order shown.
    if (grouped()) {
        std::vector<int> shown;
        for (const GroupBlock& b : groupLayout())
            if (!(m_groups[static_cast<std::size_t>(b.group)].state & LVGS_COLLAPSED))
                shown.insert(shown.end(), b.items.begin(), b.items.end());
        if (shown.empty()) return from;
        const auto at = std::find(shown.begin(), shown.end(), from);
        int k = at == shown.end() ? 0 : static_cast<int>(at - shown.begin());
        const int across = report() ? 1 : perLine();
        const int page = std::max(1, countPerPage() - 1);
        switch (vk) {
            case VK_UP:
                k -= across;
                break;
            case VK_DOWN:
                k += across;
                break;
            case VK_LEFT:
                k -= report() ? 0 : 1;
                break;
            case VK_RIGHT:
                k += report() ? 0 : 1;
                break;
            case VK_PRIOR:
                k -= report() ? page : across * 3;
                break;
            case VK_NEXT:
                k += report() ? page : across * 3;
                break;
            case VK_HOME:
                k = 0;
                break;
            case VK_END:
                k = static_cast<int>(shown.size()) - 1;
                break;
            default:
                break;
        }
        return shown[static_cast<std::size_t>(
            std::clamp(k, 0, static_cast<int>(shown.size()) - 1))];
    }
    int target = from;
    if (report()) {
        const int page = std::max(1, countPerPage());
        const int top = topIndex();
        switch (vk) {
            case VK_UP:
                target = from - 1;
                break;
            case VK_DOWN:
                target = from + 1;
                break;
            case VK_PRIOR:
                target = from != top ? top : from - (page - 1);
                break;
            case VK_NEXT: {
                const int bottom = top + page - 1;
                target = from != bottom ? bottom : from + (page - 1);
                break;
            }
            case VK_HOME:
                target = 0;
                break;
            case VK_END:
                target = n - 1;
                break;
            default:
                break;
        }
        return std::clamp(target, 0, n - 1);
    }
    const int line = perLine();
    const bool list = columnMajor();
    const int across = list ? line : 1;    // the step of Left and Right
    const int downStep = list ? 1 : line;  // the step of Up and Down
    const RECT area = itemsArea();
    const SIZE cell = cellSize();
    const int pageLines =
        std::max(1, list ? static_cast<int>(area.right - area.left) / std::max<int>(1, cell.cx)
                         : static_cast<int>(area.bottom - area.top) / std::max<int>(1, cell.cy));
    switch (vk) {
        case VK_LEFT:
            target = from - across;
            break;
        case VK_RIGHT:
            target = from + across;
            break;
        case VK_UP:
            target = from - downStep;
            break;
        case VK_DOWN:
            target = from + downStep;
            break;
        case VK_PRIOR:
            target = from - pageLines * line;
            break;
        case VK_NEXT:
            target = from + pageLines * line;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = n - 1;
            break;
        default:
            break;
    }
    if (target < 0 || target >= n) {
        // A step past either end stays on the line's last item, or where it was.
        if (vk == VK_PRIOR) return 0;
        if (vk == VK_NEXT) return n - 1;
        return from;
    }
    return target;
}

void ListViewControl::keyDown(UINT vk) {
    const HWND self = m_hwnd;
    NMLVKEYDOWN nm;
    nm.wVKey = static_cast<WORD>(vk);
    notify(LVN_KEYDOWN, nm.hdr);
    if (!IsWindow(self)) return;
    const bool shift = down(VK_SHIFT), ctrl = down(VK_CONTROL);
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT:
            if (report()) {
                scrollBy(vk == VK_LEFT ? -16 : 16, 0, true);
                return;
            }
            [[fallthrough]];
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END: {
            const int target = keyTargetFrom(m_focus, vk);
            if (!validIndex(target)) return;
            if (shift && !singleSelect()) {
                selectTo(target, ctrl);
            } else if (ctrl && !singleSelect()) {
                focusItem(target);  // Ctrl moves the focus alone
            } else {
                selectOnly(target);
            }
            if (IsWindow(self) && validIndex(target)) ensureVisible(target, false);
            return;
        }
        case VK_SPACE: {
            if (!validIndex(m_focus)) return;
            if (exStyle(LVS_EX_CHECKBOXES) && !ctrl) {
                // Every selected item takes the focused item's new check state.
                const UINT current = (itemState(m_focus, LVIS_STATEIMAGEMASK) >> 12) & 0xF;
                const UINT next = INDEXTOSTATEIMAGEMASK(current == 2 ? 1 : 2);
                std::vector<int> targets;
                for (int i = nextItem(-1, LVNI_SELECTED); i >= 0; i = nextItem(i, LVNI_SELECTED))
                    targets.push_back(i);
                if (std::find(targets.begin(), targets.end(), m_focus) == targets.end())
                    targets.assign(1, m_focus);
                for (int i : targets) {
                    setOneState(i, next, LVIS_STATEIMAGEMASK);
                    if (!IsWindow(self)) return;
                }
                return;
            }
            if (ctrl && !singleSelect())
                setOneState(m_focus, isSelected(m_focus) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            else if (!isSelected(m_focus))
                selectOnly(m_focus);
            return;
        }
        case VK_RETURN: {
            NMHDR hdr;
            notify(NM_RETURN, hdr);
            if (IsWindow(self) && selectedCount() > 0 && validIndex(m_focus)) {
                const RECT r = itemRect(m_focus, LVIR_LABEL);
                notifyActivate(LVN_ITEMACTIVATE, POINT{r.left, r.top});
            }
            return;
        }
        default:
            return;
    }
}

void ListViewControl::charTyped(char16_t c) {
    if (c < 0x20 || count() == 0) return;
    // A character repeated searches on from the focus; new text searches from where it began.
    const bool repeat = m_search.size() >= 1 && std::all_of(m_search.begin(), m_search.end(),
                                                            [&](char16_t s) { return s == c; });
    m_search.push_back(c);
    SetTimer(m_hwnd, kSearchTimer, 1000, nullptr);
    LVFINDINFOW fi;
    fi.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
    std::u16string key = repeat ? std::u16string(1, c) : m_search;
    fi.psz = key.c_str();
    const int start = repeat || m_search.size() == 1 ? m_focus : m_focus - 1;
    const int found = findItem(start, fi);
    if (!validIndex(found)) return;
    const HWND self = m_hwnd;
    selectOnly(found);
    if (IsWindow(self) && validIndex(found)) ensureVisible(found, false);
}

}  // namespace orvane::platform
