#include "platform/comctl/ListViewControl.h"

#include <algorithm>
#include <cstdint>

#include "platform/base/LastError.h"
#include "platform/comctl/ControlLifetime.h"
#include "platform/comctl/ControlNotify.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/user/Edit.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"
#include "platform/user/WindowClass.h"

namespace orvane::platform {

namespace {

constexpr DWORD kKnownStyles = LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                               LVS_SHAREIMAGELISTS | LVS_NOLABELWRAP | LVS_AUTOARRANGE |
                               LVS_EDITLABELS | LVS_OWNERDATA | LVS_NOSCROLL | LVS_NOCOLUMNHEADER |
                               LVS_NOSORTHEADER | LVS_ALIGNLEFT;
constexpr DWORD kKnownExStyles = LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_CHECKBOXES |
                                 LVS_EX_TRACKSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT |
                                 LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE | LVS_EX_FLATSB |
                                 LVS_EX_INFOTIP | LVS_EX_UNDERLINEHOT | LVS_EX_UNDERLINECOLD |
                                 LVS_EX_LABELTIP | LVS_EX_BORDERSELECT | LVS_EX_DOUBLEBUFFER |
                                 LVS_EX_AUTOCHECKSELECT;

POINT pointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

void ListViewControl::registerClass() {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = wndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hCursor = LoadCursorW(HINSTANCE(), IDC_ARROW);
    wc.lpszClassName = WC_LISTVIEWW;
    WindowClass::registerSystem(wc);
}

ListViewControl::ListViewControl(HWND hwnd)
    : m_hwnd(hwnd),
      m_bkColor(GetSysColor(COLOR_WINDOW)),
      m_textColor(GetSysColor(COLOR_WINDOWTEXT)),
      m_textBkColor(GetSysColor(COLOR_WINDOW)) {
    m_insertMarkColor = GetSysColor(COLOR_WINDOWTEXT);
}

LRESULT ListViewControl::wndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if ((static_cast<DWORD>(cs->style) & 0xFFFF & ~kKnownStyles) != 0) {
            ReportUnsupported("CreateWindowExW(SysListView32)", "styles", ERROR_INVALID_FLAGS);
            return FALSE;
        }
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new ListViewControl(hwnd)));
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return runControlMessage<ListViewControl>(hwnd, msg, wParam, lParam);
}

void ListViewControl::create(const CREATESTRUCTW& cs) {
    m_view = static_cast<DWORD>(cs.style) & LVS_TYPEMASK;
    m_ownerData = (static_cast<DWORD>(cs.style) & LVS_OWNERDATA) != 0;
    RECT client{};
    GetClientRect(m_hwnd, &client);
    m_clientSize = SIZE{client.right, client.bottom};
    m_font = HFONT(GetStockObject(DEFAULT_GUI_FONT));
    if (report()) createHeader();
}

void ListViewControl::destroy() {
    if (m_edit) {
        HWND edit = m_edit;
        m_edit = HWND();
        DestroyWindow(edit);
    }
    KillTimer(m_hwnd, kEditTimer);
    KillTimer(m_hwnd, kScrollTimer);
    KillTimer(m_hwnd, kHoverTimer);
    KillTimer(m_hwnd, kSearchTimer);
    hideTip();
    if (m_tip) {
        const HWND tip = m_tip;
        m_tip = HWND();
        DestroyWindow(tip);
    }
    // Items go with LVN_DELETEALLITEMS first, as on Windows, so their data can be freed.
    deleteAll();
    if (!(style() & LVS_SHAREIMAGELISTS)) {
        for (HIMAGELIST* list : {&m_normal, &m_small, &m_state, &m_groupHeader}) {
            if (*list) ImageList_Destroy(*list);
            *list = HIMAGELIST();
        }
    }
    if (m_bkImageOwned && m_bkImage) DeleteObject(m_bkImage);
    m_bkImage = HBITMAP();
    if (m_underlineFont) DeleteObject(m_underlineFont);
    m_underlineFont = HFONT();
}

DWORD ListViewControl::style() const {
    return static_cast<DWORD>(GetWindowLongW(m_hwnd, GWL_STYLE));
}

bool ListViewControl::grouped() const {
    return m_groupView && !ownerData() && m_view != LV_VIEW_LIST;
}

int ListViewControl::count() const {
    return ownerData() ? m_ownerCount : static_cast<int>(m_items.size());
}

HFONT ListViewControl::font() const {
    return m_font;
}

const TEXTMETRICW& ListViewControl::metrics() const {
    if (!m_metricsValid) {
        const HDC dc = GetDC(m_hwnd);
        const HGDIOBJ old = SelectObject(dc, font());
        GetTextMetricsW(dc, &m_metrics);
        SelectObject(dc, old);
        ReleaseDC(m_hwnd, dc);
        m_metricsValid = true;
    }
    return m_metrics;
}

LRESULT ListViewControl::notify(UINT code, NMHDR& hdr) const {
    return NotifyParent(m_hwnd, code, hdr);
}

LRESULT ListViewControl::notifyItem(UINT code, int item, int subItem, POINT pt) {
    NMLISTVIEW nm;
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.ptAction = pt;
    if (validIndex(item) && !ownerData())
        nm.lParam = m_items[static_cast<std::size_t>(item)].lParam;
    return notify(code, nm.hdr);
}

bool ListViewControl::changing(int item, UINT oldState, UINT newState, UINT changedMask) {
    if (ownerData()) return true;  // owner-data lists are not asked first
    NMLISTVIEW nm;
    nm.iItem = item;
    nm.uOldState = oldState;
    nm.uNewState = newState;
    nm.uChanged = changedMask;
    if (validIndex(item)) nm.lParam = m_items[static_cast<std::size_t>(item)].lParam;
    return notify(LVN_ITEMCHANGING, nm.hdr) == 0;
}

void ListViewControl::changed(int item, UINT oldState, UINT newState, UINT changedMask) {
    NMLISTVIEW nm;
    nm.iItem = item;
    nm.uOldState = oldState;
    nm.uNewState = newState;
    nm.uChanged = changedMask;
    if (validIndex(item) && !ownerData())
        nm.lParam = m_items[static_cast<std::size_t>(item)].lParam;
    notify(LVN_ITEMCHANGED, nm.hdr);
}

void ListViewControl::notifyActivate(UINT code, POINT pt) {
    LVHITTESTINFO hit;
    hit.pt = pt;
    hitTest(hit, report());
    NMITEMACTIVATE nm;
    nm.iItem = hit.iItem;
    nm.iSubItem = hit.iSubItem;
    nm.ptAction = pt;
    if (GetKeyState(VK_MENU) < 0) nm.uKeyFlags |= LVKF_ALT;
    if (GetKeyState(VK_CONTROL) < 0) nm.uKeyFlags |= LVKF_CONTROL;
    if (GetKeyState(VK_SHIFT) < 0) nm.uKeyFlags |= LVKF_SHIFT;
    if (validIndex(hit.iItem) && !ownerData())
        nm.lParam = m_items[static_cast<std::size_t>(hit.iItem)].lParam;
    notify(code, nm.hdr);
}

LRESULT ListViewControl::dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            create(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
            return 0;
        case WM_DESTROY:
            destroy();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(m_hwnd, &ps);
            paint(dc, ps.rcPaint);
            EndPaint(m_hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            const RECT r = clientRect();
            paint(HDC(static_cast<std::uint32_t>(wParam)), r);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // painting fills the background
        case kDeferredLayout:
            m_layoutPosted = false;
            if (!m_scrollBarsValid) updateScrollBars();
            return 0;
        case WM_SIZE:
            m_clientSize = SIZE{LOWORD(lParam), HIWORD(lParam)};
            invalidateLayout();
            layoutHeader();
            updateScrollBars();
            return 0;
        case WM_WINDOWPOSCHANGED: {
            const LRESULT r = DefWindowProcW(m_hwnd, msg, wParam, lParam);
            // A new frame (or a header style the owner changed) lays the header out again.
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (pos && (pos->flags & SWP_FRAMECHANGED)) {
                layoutHeader();
                invalidateLayout();
            }
            return r;
        }
        case WM_SETFONT:
            m_font = HFONT(static_cast<std::uint32_t>(wParam));
            if (!m_font) m_font = HFONT(GetStockObject(DEFAULT_GUI_FONT));
            m_metricsValid = false;
            if (m_underlineFont) DeleteObject(m_underlineFont);
            m_underlineFont = HFONT();
            if (m_header) SendMessageW(m_header, WM_SETFONT, wParam, lParam);
            layoutHeader();
            invalidateLayout();
            return 0;
        case WM_GETFONT:
            return static_cast<LRESULT>(m_font.value);
        case WM_SETREDRAW: {
            const LRESULT r = DefWindowProcW(m_hwnd, msg, wParam, lParam);
            if (wParam) invalidateLayout();
            return r;
        }
        case WM_STYLECHANGED:
            if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
                const auto* ss = reinterpret_cast<const STYLESTRUCT*>(lParam);
                // Turning LVS_AUTOARRANGE on puts moved items back on the grid.
                if ((ss->styleNew & ~ss->styleOld) & LVS_AUTOARRANGE) m_moved.clear();
                // A new alignment style takes over from the last LVM_ARRANGE.
                if ((ss->styleNew ^ ss->styleOld) & LVS_ALIGNMASK) m_align = Align::Style;
                if ((ss->styleNew ^ ss->styleOld) & LVS_TYPEMASK)
                    SendMessageW(m_hwnd, LVM_SETVIEW, ss->styleNew & LVS_TYPEMASK, 0);
                if (m_header) {
                    DWORD hs = static_cast<DWORD>(GetWindowLongW(m_header, GWL_STYLE));
                    hs = (ss->styleNew & LVS_NOSORTHEADER) ? (hs & ~HDS_BUTTONS)
                                                           : (hs | HDS_BUTTONS);
                    SetWindowLongW(m_header, GWL_STYLE, static_cast<LONG>(hs));
                }
                layoutHeader();
                invalidateLayout();
            }
            return 0;
        case WM_SETFOCUS: {
            m_focused = true;
            NMHDR hdr;
            notify(NM_SETFOCUS, hdr);
            if (m_focus >= 0) InvalidateRect(m_hwnd, nullptr, FALSE);
            return 0;
        }
        case WM_KILLFOCUS: {
            m_focused = false;
            NMHDR hdr;
            notify(NM_KILLFOCUS, hdr);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return 0;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            mouseDown(msg, wParam, pointOf(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            doubleClick(msg, wParam, pointOf(lParam));
            return 0;
        case WM_MOUSEMOVE:
            mouseMove(wParam, pointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            mouseUp(msg, wParam, pointOf(lParam));
            return 0;
        case WM_MOUSELEAVE:
            m_tracking = false;
            hideTip();
            setHot(-1);
            return 0;
        case LVM_GETTOOLTIPS:
            return static_cast<LRESULT>(m_tip.value);
        case WM_CAPTURECHANGED:
            if (m_pressed && HWND(static_cast<std::uint32_t>(lParam)) != m_hwnd) {
                m_pressed = false;
                if (m_marquee) {
                    m_marquee = false;
                    KillTimer(m_hwnd, kScrollTimer);
                    InvalidateRect(m_hwnd, nullptr, FALSE);
                }
            }
            return 0;
        case WM_MOUSEWHEEL:
            wheel(GET_WHEEL_DELTA_WPARAM(wParam), false);
            return 0;
        case WM_MOUSEHWHEEL:
            wheel(GET_WHEEL_DELTA_WPARAM(wParam), true);
            return 0;
        case WM_KEYDOWN:
            keyDown(static_cast<UINT>(wParam));
            return 0;
        case WM_CHAR:
            charTyped(static_cast<char16_t>(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kEditTimer) {
                KillTimer(m_hwnd, kEditTimer);
                if (m_editPending) {
                    m_editPending = false;
                    if (validIndex(m_focus)) editLabel(m_focus);
                }
            } else if (wParam == kScrollTimer) {
                POINT pt;
                GetCursorPos(&pt);
                ScreenToClient(m_hwnd, &pt);
                updateMarquee(pt);
            } else if (wParam == kHoverTimer) {
                KillTimer(m_hwnd, kHoverTimer);
                if (validIndex(m_hot) && exStyle(LVS_EX_TRACKSELECT)) {
                    NMHDR hdr;
                    if (notify(NM_HOVER, hdr) == 0) clickSelect(m_hot, false, false);
                }
            } else if (wParam == kTipTimer) {
                showTip();
            } else if (wParam == kSearchTimer) {
                KillTimer(m_hwnd, kSearchTimer);
                m_search.clear();
            }
            return 0;
        case WM_VSCROLL:
            scroll(SB_VERT, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)));
            return 0;
        case WM_HSCROLL:
            scroll(SB_HORZ, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam)));
            return 0;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (hdr && m_header && hdr->hwndFrom == m_header) return headerNotify(*hdr);
            return 0;
        }
        case WM_COMMAND:
            if (m_edit && HWND(static_cast<std::uint32_t>(lParam)) == m_edit &&
                HIWORD(wParam) == EN_KILLFOCUS && !m_ending)
                endEdit(false);
            return 0;
        case WM_NOTIFYFORMAT:
            return NFR_UNICODE;
        case CCM_SETUNICODEFORMAT:
            // The format was and stays Unicode.
            if (!wParam) ReportUnsupported("SysListView32", "ANSI notifications");
            return TRUE;
        case CCM_GETUNICODEFORMAT:
            return TRUE;
        case CCM_SETVERSION:
            return 6;
        case CCM_GETVERSION:
            return 6;

        // --- Items ---
        case LVM_GETITEMCOUNT:
            return count();
        case LVM_INSERTITEMW:
            return lParam ? insertItem(*reinterpret_cast<const LVITEMW*>(lParam)) : -1;
        case LVM_DELETEITEM:
            return deleteItem(static_cast<int>(wParam)) ? TRUE : FALSE;
        case LVM_DELETEALLITEMS:
            return deleteAll() ? TRUE : FALSE;
        case LVM_GETITEMW:
            return lParam && getItem(*reinterpret_cast<LVITEMW*>(lParam)) ? TRUE : FALSE;
        case LVM_SETITEMW:
            return lParam && setItem(*reinterpret_cast<const LVITEMW*>(lParam)) ? TRUE : FALSE;
        case LVM_GETITEMTEXTW:
            return lParam
                       ? getItemText(static_cast<int>(wParam), *reinterpret_cast<LVITEMW*>(lParam))
                       : 0;
        case LVM_SETITEMTEXTW:
            return lParam && setItemText(static_cast<int>(wParam),
                                         *reinterpret_cast<const LVITEMW*>(lParam))
                       ? TRUE
                       : FALSE;
        case LVM_GETITEMSTATE:
            return static_cast<LRESULT>(
                itemState(static_cast<int>(wParam), static_cast<UINT>(lParam)));
        case LVM_SETITEMSTATE: {
            if (!lParam) return FALSE;
            const auto& it = *reinterpret_cast<const LVITEMW*>(lParam);
            return setItemState(static_cast<int>(wParam), it.state, it.stateMask) ? TRUE : FALSE;
        }
        case LVM_SETITEMCOUNT:
            return setItemCount(static_cast<int>(wParam), lParam) ? TRUE : FALSE;
        case LVM_GETNEXTITEM:
            return nextItem(static_cast<int>(wParam), LOWORD(lParam));
        case LVM_GETSELECTEDCOUNT:
            return selectedCount();
        case LVM_FINDITEMW:
            return lParam ? findItem(static_cast<int>(wParam),
                                     *reinterpret_cast<const LVFINDINFOW*>(lParam))
                          : -1;
        case LVM_SORTITEMS:
        case LVM_SORTITEMSEX:
            return sortItems(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam),
                             msg == LVM_SORTITEMSEX)
                       ? TRUE
                       : FALSE;
        case LVM_GETSELECTIONMARK:
            return m_mark;
        case LVM_SETSELECTIONMARK: {
            const int old = m_mark;
            m_mark = validIndex(static_cast<int>(lParam)) ? static_cast<int>(lParam) : -1;
            return old;
        }
        case LVM_GETHOTITEM:
            return m_hot;
        case LVM_SETHOTITEM: {
            const int old = m_hot;
            setHot(validIndex(static_cast<int>(wParam)) ? static_cast<int>(wParam) : -1);
            return old;
        }
        case LVM_GETCALLBACKMASK:
            return static_cast<LRESULT>(m_callbackMask);
        case LVM_SETCALLBACKMASK:
            m_callbackMask = static_cast<UINT>(wParam);
            return TRUE;
        case LVM_REDRAWITEMS:
        case LVM_UPDATE:
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return TRUE;

        // --- Columns ---
        case LVM_INSERTCOLUMNW:
            return lParam ? insertColumn(static_cast<int>(wParam),
                                         *reinterpret_cast<const LVCOLUMNW*>(lParam))
                          : -1;
        case LVM_DELETECOLUMN:
            return deleteColumn(static_cast<int>(wParam)) ? TRUE : FALSE;
        case LVM_GETCOLUMNW:
            return lParam && getColumn(static_cast<int>(wParam),
                                       *reinterpret_cast<LVCOLUMNW*>(lParam))
                       ? TRUE
                       : FALSE;
        case LVM_SETCOLUMNW:
            return lParam && setColumn(static_cast<int>(wParam),
                                       *reinterpret_cast<const LVCOLUMNW*>(lParam))
                       ? TRUE
                       : FALSE;
        case LVM_GETCOLUMNWIDTH:
            return columnWidth(static_cast<int>(wParam));
        case LVM_SETCOLUMNWIDTH:
            return setColumnWidth(static_cast<int>(wParam), static_cast<SHORT>(LOWORD(lParam)))
                       ? TRUE
                       : FALSE;
        case LVM_GETHEADER:
            return static_cast<LRESULT>(m_header.value);
        case LVM_GETCOLUMNORDERARRAY: {
            const std::vector<int> order = columnOrder();
            if (!lParam || static_cast<std::size_t>(wParam) < order.size()) return FALSE;
            std::copy(order.begin(), order.end(), reinterpret_cast<int*>(lParam));
            return TRUE;
        }
        case LVM_SETCOLUMNORDERARRAY: {
            if (!lParam || static_cast<int>(wParam) != columnCount() || !m_header) return FALSE;
            const BOOL ok =
                static_cast<BOOL>(SendMessageW(m_header, HDM_SETORDERARRAY, wParam, lParam));
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return ok;
        }
        case LVM_SETSELECTEDCOLUMN:
            m_selectedColumn = static_cast<int>(wParam);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return 0;
        case LVM_GETSELECTEDCOLUMN:
            return m_selectedColumn;

        // --- Geometry ---
        case LVM_GETITEMRECT: {
            auto* r = reinterpret_cast<RECT*>(lParam);
            if (!r || !validIndex(static_cast<int>(wParam))) return FALSE;
            *r = itemRect(static_cast<int>(wParam), r->left);
            return TRUE;
        }
        case LVM_GETSUBITEMRECT: {
            auto* r = reinterpret_cast<RECT*>(lParam);
            if (!r || !validIndex(static_cast<int>(wParam)) || !report()) return FALSE;
            if (r->top < 0 || r->top >= std::max(1, columnCount())) return FALSE;
            *r = subItemRect(static_cast<int>(wParam), r->top, r->left);
            return TRUE;
        }
        case LVM_GETITEMPOSITION: {
            auto* pt = reinterpret_cast<POINT*>(lParam);
            if (!pt || !validIndex(static_cast<int>(wParam))) return FALSE;
            *pt = itemPosition(static_cast<int>(wParam));
            return TRUE;
        }
        case LVM_SETITEMPOSITION:
            // Two signed 16-bit coordinates.
            return setItemPosition(static_cast<int>(wParam),
                                   POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})
                       ? TRUE
                       : FALSE;
        case LVM_SETITEMPOSITION32:
            return lParam && setItemPosition(static_cast<int>(wParam),
                                             *reinterpret_cast<const POINT*>(lParam))
                       ? TRUE
                       : FALSE;
        case LVM_ARRANGE:
            return arrange(wParam) ? TRUE : FALSE;
        case LVM_HITTEST:
            return lParam ? hitTest(*reinterpret_cast<LVHITTESTINFO*>(lParam), false) : -1;
        case LVM_SUBITEMHITTEST:
            return lParam ? hitTest(*reinterpret_cast<LVHITTESTINFO*>(lParam), true) : -1;
        case LVM_GETVIEWRECT: {
            auto* r = reinterpret_cast<RECT*>(lParam);
            if (!r || report()) return FALSE;
            *r = viewRect();
            return TRUE;
        }
        case LVM_GETORIGIN: {
            auto* pt = reinterpret_cast<POINT*>(lParam);
            if (!pt) return FALSE;
            *pt = POINT{m_xOrigin, m_yOrigin};
            return report() || m_view == LV_VIEW_LIST ? FALSE : TRUE;
        }
        case LVM_GETTOPINDEX:
            return topIndex();
        case LVM_GETCOUNTPERPAGE:
            return countPerPage();
        case LVM_ENSUREVISIBLE:
            return ensureVisible(static_cast<int>(wParam), LOWORD(lParam) != 0) ? TRUE : FALSE;
        case LVM_SCROLL:
            scrollBy(static_cast<int>(wParam), static_cast<int>(lParam), true);
            return TRUE;
        case LVM_ISITEMVISIBLE: {
            const int i = static_cast<int>(wParam);
            if (!validIndex(i)) return FALSE;
            if (grouped()) {
                const int g = groupOf(i);
                if (g < 0 || (m_groups[static_cast<std::size_t>(g)].state & LVGS_COLLAPSED))
                    return FALSE;
            }
            return TRUE;
        }
        case LVM_GETITEMSPACING: {
            const SIZE s = wParam
                               ? SIZE{iconSize(LVSIL_SMALL).cx + 4 + 16 * metrics().tmAveCharWidth,
                                      rowHeight()}
                               : cellSize();
            return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(s.cx), static_cast<WORD>(s.cy)));
        }
        case LVM_SETICONSPACING: {
            const SIZE old = cellSize();
            const auto cx = static_cast<SHORT>(LOWORD(lParam));
            const auto cy = static_cast<SHORT>(HIWORD(lParam));
            m_iconSpacing = SIZE{cx <= 0 ? 0 : cx, cy <= 0 ? 0 : cy};
            invalidateLayout();
            return static_cast<LRESULT>(
                MAKELONG(static_cast<WORD>(old.cx), static_cast<WORD>(old.cy)));
        }
        case LVM_GETSTRINGWIDTHW: {
            if (!lParam) return 0;
            const auto* s = reinterpret_cast<LPCWSTR>(lParam);
            const HDC dc = GetDC(m_hwnd);
            const HGDIOBJ old = SelectObject(dc, font());
            SIZE size{};
            GetTextExtentPoint32W(dc, s, static_cast<int>(std::char_traits<char16_t>::length(s)),
                                  &size);
            SelectObject(dc, old);
            ReleaseDC(m_hwnd, dc);
            return size.cx;
        }
        case LVM_APPROXIMATEVIEWRECT: {
            const int n = static_cast<int>(wParam) == -1 ? count() : static_cast<int>(wParam);
            const int h = headerHeight() + n * rowHeight();
            const int w = report() ? totalColumnWidth() : cellSize().cx;
            return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(w), static_cast<WORD>(h)));
        }

        // --- Look ---
        case LVM_GETBKCOLOR:
            return static_cast<LRESULT>(m_bkColor);
        case LVM_SETBKCOLOR:
            m_bkColor = static_cast<COLORREF>(lParam);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return TRUE;
        case LVM_GETTEXTCOLOR:
            return static_cast<LRESULT>(m_textColor);
        case LVM_SETTEXTCOLOR:
            m_textColor = static_cast<COLORREF>(lParam);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return TRUE;
        case LVM_GETTEXTBKCOLOR:
            return static_cast<LRESULT>(m_textBkColor);
        case LVM_SETTEXTBKCOLOR:
            m_textBkColor = static_cast<COLORREF>(lParam);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return TRUE;
        case LVM_GETIMAGELIST:
            switch (wParam) {
                case LVSIL_NORMAL:
                    return static_cast<LRESULT>(m_normal.value);
                case LVSIL_SMALL:
                    return static_cast<LRESULT>(m_small.value);
                case LVSIL_STATE:
                    return static_cast<LRESULT>(m_state.value);
                case LVSIL_GROUPHEADER:
                    return static_cast<LRESULT>(m_groupHeader.value);
                default:
                    return 0;
            }
        case LVM_SETIMAGELIST: {
            HIMAGELIST* slot = nullptr;
            switch (wParam) {
                case LVSIL_NORMAL:
                    slot = &m_normal;
                    break;
                case LVSIL_SMALL:
                    slot = &m_small;
                    break;
                case LVSIL_STATE:
                    slot = &m_state;
                    break;
                case LVSIL_GROUPHEADER:
                    slot = &m_groupHeader;
                    break;
                default:
                    return 0;
            }
            const HIMAGELIST old = *slot;
            *slot = HIMAGELIST(static_cast<std::uint32_t>(lParam));
            invalidateLayout();
            return static_cast<LRESULT>(old.value);
        }
        case LVM_GETVIEW:
            return static_cast<LRESULT>(m_view);
        case LVM_SETVIEW: {
            const auto v = static_cast<DWORD>(wParam);
            if (v > LV_VIEW_TILE) return -1;
            if (v == m_view) return 1;
            if (m_edit) endEdit(true);
            m_view = v;
            const DWORD s = style();
            const DWORD type = v == LV_VIEW_TILE ? (s & LVS_TYPEMASK) : v;
            if ((s & LVS_TYPEMASK) != type)
                SetWindowLongW(m_hwnd, GWL_STYLE, static_cast<LONG>((s & ~LVS_TYPEMASK) | type));
            m_view = v;  // the style change above sent LVM_SETVIEW for the plain views
            if (report() && !m_header) createHeader();
            m_xOrigin = m_yOrigin = 0;
            layoutHeader();
            invalidateLayout();
            return 1;
        }
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
            return static_cast<LRESULT>(m_exStyle);
        case LVM_SETEXTENDEDLISTVIEWSTYLE: {
            const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFF;
            const DWORD wanted = (m_exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
            if (wanted & ~kKnownExStyles) {
                ReportUnsupported("LVM_SETEXTENDEDLISTVIEWSTYLE", "styles", ERROR_INVALID_FLAGS);
                return static_cast<LRESULT>(m_exStyle);
            }
            const DWORD old = m_exStyle;
            m_exStyle = wanted;
            // Check boxes give every item the unchecked state image, as Windows does.
            if ((wanted & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES) && !ownerData())
                for (Item& it : m_items)
                    if (!(it.state & LVIS_STATEIMAGEMASK)) it.state |= INDEXTOSTATEIMAGEMASK(1);
            if (m_header && ((wanted ^ old) & LVS_EX_HEADERDRAGDROP)) {
                DWORD hs = static_cast<DWORD>(GetWindowLongW(m_header, GWL_STYLE));
                hs = (wanted & LVS_EX_HEADERDRAGDROP) ? (hs | HDS_DRAGDROP) : (hs & ~HDS_DRAGDROP);
                SetWindowLongW(m_header, GWL_STYLE, static_cast<LONG>(hs));
            }
            invalidateLayout();
            return static_cast<LRESULT>(old);
        }
        case LVM_SETBKIMAGEW:
        case LVM_SETBKIMAGEA:
            return lParam && setBkImage(*reinterpret_cast<const LVBKIMAGEW*>(lParam),
                                        msg == LVM_SETBKIMAGEA)
                       ? TRUE
                       : FALSE;
        case LVM_GETBKIMAGEW:
            return lParam && getBkImage(*reinterpret_cast<LVBKIMAGEW*>(lParam)) ? TRUE : FALSE;
        case LVM_SETINSERTMARK: {
            const auto* im = reinterpret_cast<const LVINSERTMARK*>(lParam);
            if (!im) return FALSE;
            m_insertMark = *im;
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return TRUE;
        }
        case LVM_GETINSERTMARK: {
            auto* im = reinterpret_cast<LVINSERTMARK*>(lParam);
            if (!im) return FALSE;
            *im = m_insertMark;
            return TRUE;
        }

        // --- Groups ---
        case LVM_ENABLEGROUPVIEW:
            return enableGroupView(wParam != 0) ? 1 : 0;
        case LVM_ISGROUPVIEWENABLED:
            return m_groupView ? TRUE : FALSE;
        case LVM_INSERTGROUP:
            return lParam ? insertGroup(static_cast<int>(wParam),
                                        *reinterpret_cast<const LVGROUP*>(lParam))
                          : -1;
        case LVM_REMOVEGROUP:
            return removeGroup(static_cast<int>(wParam));
        case LVM_REMOVEALLGROUPS:
            m_groups.clear();
            m_focusedGroup = -1;
            for (Item& it : m_items)
                it.groupId = I_GROUPIDNONE;
            invalidateLayout();
            return 0;
        case LVM_GETGROUPCOUNT:
            return static_cast<LRESULT>(m_groups.size());
        case LVM_HASGROUP:
            return groupIndex(static_cast<int>(wParam)) >= 0 ? TRUE : FALSE;
        case LVM_GETGROUPINFO: {
            const int index = groupIndex(static_cast<int>(wParam));
            auto* g = reinterpret_cast<LVGROUP*>(lParam);
            return g && getGroup(index, *g) ? static_cast<LRESULT>(wParam) : -1;
        }
        case LVM_GETGROUPINFOBYINDEX: {
            auto* g = reinterpret_cast<LVGROUP*>(lParam);
            return g && getGroup(static_cast<int>(wParam), *g) ? TRUE : FALSE;
        }
        case LVM_SETGROUPINFO:
            return lParam && setGroup(static_cast<int>(wParam),
                                      *reinterpret_cast<const LVGROUP*>(lParam))
                       ? static_cast<LRESULT>(wParam)
                       : -1;
        case LVM_GETFOCUSEDGROUP:
            return m_focusedGroup;
        case LVM_GETGROUPSTATE: {
            const int index = groupIndex(static_cast<int>(wParam));
            if (index < 0) return 0;
            return static_cast<LRESULT>(m_groups[static_cast<std::size_t>(index)].state &
                                        static_cast<UINT>(lParam));
        }
        case LVM_GETGROUPRECT: {
            auto* r = reinterpret_cast<RECT*>(lParam);
            if (!r || groupIndex(static_cast<int>(wParam)) < 0 || !grouped()) return FALSE;
            *r = groupRect(static_cast<int>(wParam), r->top);
            return TRUE;
        }
        case LVM_MOVEITEMTOGROUP:
            ReportUnsupported("SysListView32", "LVM_MOVEITEMTOGROUP (set iGroupId instead)");
            return 0;

        // --- Label editing ---
        case LVM_EDITLABELW:
            return static_cast<LRESULT>(editLabel(static_cast<int>(wParam)).value);
        case LVM_GETEDITCONTROL:
            return static_cast<LRESULT>(m_edit.value);
        case LVM_CANCELEDITLABEL:
            if (m_edit) endEdit(true);
            return 0;

        default:
            if (msg >= LVM_FIRST && msg < LVM_FIRST + 0x100) {
                ReportUnsupported("SysListView32", "message");
                return 0;
            }
            return DefWindowProcW(m_hwnd, msg, wParam, lParam);
    }
}

}  // namespace orvane::platform
