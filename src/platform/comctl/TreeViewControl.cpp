#include "platform/comctl/TreeViewControl.h"

#include <algorithm>
#include <cstdint>

#include "platform/base/LastError.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/ControlLifetime.h"
#include "platform/comctl/ControlNotify.h"
#include "platform/comctl/ToolTips.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/user/Edit.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"
#include "platform/user/WindowClass.h"

namespace orvane::platform {

namespace {

constexpr DWORD kKnownExStyles = TVS_EX_DOUBLEBUFFER;

POINT pointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// A colour as the TVM_GET...COLOR messages answer it: -1 (the system colour) stays -1.
LRESULT colourAnswer(COLORREF c) {
    return static_cast<LRESULT>(static_cast<std::int32_t>(c));
}

}  // namespace

void TreeViewControl::registerClass() {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = wndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hCursor = LoadCursorW(HINSTANCE(), IDC_ARROW);
    wc.lpszClassName = WC_TREEVIEWW;
    WindowClass::registerSystem(wc);
}

TreeViewControl::TreeViewControl(HWND hwnd) : m_hwnd(hwnd) {}

LRESULT TreeViewControl::wndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = new TreeViewControl(hwnd);
        self->m_root = table().add(self);
        if (!self->m_root) {
            delete self;
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return FALSE;
        }
        self->node(self->m_root).state = TVIS_EXPANDED;
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(self));
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return runControlMessage<TreeViewControl>(hwnd, msg, wParam, lParam);
}

void TreeViewControl::create(const CREATESTRUCTW& cs) {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    m_clientSize = SIZE{client.right, client.bottom};
    m_font = HFONT(GetStockObject(DEFAULT_GUI_FONT));
    m_indent = 19 * static_cast<int>(GetDpiForSystem()) / 96;
    if (static_cast<DWORD>(cs.style) & TVS_CHECKBOXES) makeCheckImages();
}

void TreeViewControl::makeCheckImages() {
    if (m_checkImages) return;
    const int size = 16 * static_cast<int>(GetDpiForSystem()) / 96;
    // Image 0 is the blank "no state image"; 1 unchecked, 2 checked, as on Windows.
    m_checkImages = ImageList_Create(size, size, ILC_COLOR32, 3, 0);
    ImageList_SetImageCount(m_checkImages, 3);
    if (!m_state) m_state = m_checkImages;
}

void TreeViewControl::destroy() {
    if (m_edit) {
        const HWND edit = m_edit;
        m_edit = HWND();
        DestroyWindow(edit);
    }
    KillTimer(m_hwnd, kEditTimer);
    KillTimer(m_hwnd, kSearchTimer);
    hideTip();
    if (m_tip && m_ownTip) {
        const HWND tip = m_tip;
        m_tip = HWND();
        DestroyWindow(tip);
    }
    // Every item goes with TVN_DELETEITEMW, as on Windows, so the parent can free its data.
    deleteSubtree(m_root, false);
    table().remove(m_root);
    m_root = 0;
    if (m_checkImages) ImageList_Destroy(m_checkImages);
    m_checkImages = HIMAGELIST();
    for (HFONT* f : {&m_boldFont, &m_underlineFont}) {
        if (*f) DeleteObject(*f);
        *f = HFONT();
    }
}

DWORD TreeViewControl::style() const {
    return static_cast<DWORD>(GetWindowLongW(m_hwnd, GWL_STYLE));
}

const TEXTMETRICW& TreeViewControl::metrics() const {
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

LRESULT TreeViewControl::notify(UINT code, NMHDR& hdr) const {
    return NotifyParent(m_hwnd, code, hdr);
}

void TreeViewControl::describe(std::uint32_t slot, TVITEMW& item) const {
    if (!slot || slot == m_root) return;
    const TreeNode& n = node(slot);
    item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    item.hItem = table().handle(slot);
    item.state = n.state;
    item.stateMask = 0xFFFF;
    item.lParam = n.lParam;
}

LRESULT TreeViewControl::notifyTree(UINT code, UINT action, std::uint32_t oldSlot,
                                    std::uint32_t newSlot, POINT pt) {
    NMTREEVIEWW nm;
    nm.action = action;
    describe(oldSlot, nm.itemOld);
    describe(newSlot, nm.itemNew);
    nm.ptDrag = pt;
    return notify(code, nm.hdr);
}

std::uint32_t TreeViewControl::stateChanging(std::uint32_t slot, UINT wanted) {
    const HTREEITEM handle = handleOf(slot);
    NMTVITEMCHANGE nm;
    nm.uChanged = TVIF_STATE;
    nm.hItem = handle;
    nm.uStateNew = wanted;
    nm.uStateOld = node(slot).state;
    nm.lParam = node(slot).lParam;
    if (notify(TVN_ITEMCHANGINGW, nm.hdr) != 0 || !alive()) return 0;
    return slotOf(handle);
}

void TreeViewControl::stateChanged(std::uint32_t slot, UINT old) {
    NMTVITEMCHANGE nm;
    nm.uChanged = TVIF_STATE;
    nm.hItem = handleOf(slot);
    nm.uStateNew = node(slot).state;
    nm.uStateOld = old;
    nm.lParam = node(slot).lParam;
    notify(TVN_ITEMCHANGEDW, nm.hdr);
}

LRESULT TreeViewControl::setColour(COLORREF& slot, LPARAM value) {
    const COLORREF old = slot;
    slot = static_cast<COLORREF>(value);
    InvalidateRect(m_hwnd, nullptr, FALSE);
    return colourAnswer(old);
}

LRESULT TreeViewControl::dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto item = HTREEITEM(static_cast<std::uint32_t>(lParam));
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
        case WM_PRINTCLIENT:
            paint(HDC(static_cast<std::uint32_t>(wParam)), clientRect());
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting fills the background
        case kDeferredLayout:
            m_layoutPosted = false;
            if (!m_scrollBarsValid) updateScrollBars();
            return 0;
        case WM_SIZE:
            m_clientSize = SIZE{LOWORD(lParam), HIWORD(lParam)};
            invalidateLayout();
            updateScrollBars();
            return 0;
        case WM_SETFONT:
            m_font = HFONT(static_cast<std::uint32_t>(wParam));
            if (!m_font) m_font = HFONT(GetStockObject(DEFAULT_GUI_FONT));
            m_metricsValid = false;
            for (HFONT* f : {&m_boldFont, &m_underlineFont}) {
                if (*f) DeleteObject(*f);
                *f = HFONT();
            }
            m_widest = 0;
            // Widths measured in the old font no longer hold.
            for (std::uint32_t s = node(m_root).firstChild; s;) {
                node(s).textWidth = -1;
                if (node(s).firstChild) {
                    s = node(s).firstChild;
                    continue;
                }
                while (s && !node(s).next)
                    s = node(s).parent == m_root ? 0 : node(s).parent;
                if (s) s = node(s).next;
            }
            invalidateLayout();
            if (LOWORD(lParam)) InvalidateRect(m_hwnd, nullptr, FALSE);
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
                // Check boxes give every item the unchecked state image, as Windows does.
                if ((ss->styleNew & ~ss->styleOld) & TVS_CHECKBOXES) makeCheckImages();
                if ((ss->styleNew & ~ss->styleOld) & TVS_CHECKBOXES)
                    for (std::uint32_t s = node(m_root).firstChild; s;) {
                        if (!(node(s).state & TVIS_STATEIMAGEMASK))
                            node(s).state |= INDEXTOSTATEIMAGEMASK(1);
                        if (node(s).firstChild) {
                            s = node(s).firstChild;
                            continue;
                        }
                        while (s && !node(s).next)
                            s = node(s).parent == m_root ? 0 : node(s).parent;
                        if (s) s = node(s).next;
                    }
                invalidateLayout();
            }
            return 0;
        case WM_SETFOCUS: {
            m_focused = true;
            NMHDR hdr;
            notify(NM_SETFOCUS, hdr);
            if (alive() && m_caret) invalidateItem(m_caret);
            return 0;
        }
        case WM_KILLFOCUS: {
            m_focused = false;
            NMHDR hdr;
            notify(NM_KILLFOCUS, hdr);
            if (alive() && m_caret) invalidateItem(m_caret);
            return 0;
        }
        case WM_ENABLE:
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            mouseDown(msg, wParam, pointOf(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            doubleClick(msg, pointOf(lParam));
            return 0;
        case WM_MOUSEMOVE:
            mouseMove(wParam, pointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            mouseUp(msg, pointOf(lParam));
            return 0;
        case WM_MOUSELEAVE:
            m_tracking = false;
            hideTip();
            setHot(0);
            setHotButton(0);
            return 0;
        case WM_CAPTURECHANGED:
            if (HWND(static_cast<std::uint32_t>(lParam)) != m_hwnd) m_pressed = false;
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
                    if (m_caret) editLabel(m_caret);
                }
            } else if (wParam == kTipTimer) {
                showTip();
            } else if (wParam == kSearchTimer) {
                KillTimer(m_hwnd, kSearchTimer);
                m_search.clear();
            }
            return 0;
        case WM_VSCROLL:
            scroll(SB_VERT, LOWORD(wParam));
            return 0;
        case WM_HSCROLL:
            scroll(SB_HORZ, LOWORD(wParam));
            return 0;
        case WM_COMMAND:
            if (m_edit && HWND(static_cast<std::uint32_t>(lParam)) == m_edit &&
                HIWORD(wParam) == EN_KILLFOCUS && !m_ending)
                endEdit(false);
            return 0;
        case WM_NOTIFYFORMAT:
            return NFR_UNICODE;
        case CCM_SETUNICODEFORMAT:
            if (!wParam) ReportUnsupported("SysTreeView32", "ANSI notifications");
            return TRUE;
        case CCM_GETUNICODEFORMAT:
            return TRUE;
        case CCM_SETVERSION:
        case CCM_GETVERSION:
            return 6;

        // --- Items ---
        case TVM_INSERTITEMW:
            return lParam ? static_cast<LRESULT>(
                                insertItem(*reinterpret_cast<const TVINSERTSTRUCTW*>(lParam)).value)
                          : 0;
        case TVM_DELETEITEM:
            return deleteItem(item) ? TRUE : FALSE;
        case TVM_GETITEMW: {
            // TVITEMEXW only with TVIF_INTEGRAL: its first members are TVITEMW's.
            auto* it = reinterpret_cast<TVITEMEXW*>(lParam);
            if (!it) return FALSE;
            return getItem(*it, (it->mask & TVIF_INTEGRAL) != 0) ? TRUE : FALSE;
        }
        case TVM_SETITEMW: {
            const auto* it = reinterpret_cast<const TVITEMEXW*>(lParam);
            if (!it) return FALSE;
            return setItem(*it, (it->mask & TVIF_INTEGRAL) != 0) ? TRUE : FALSE;
        }
        case TVM_GETITEMSTATE:
            return static_cast<LRESULT>(itemState(HTREEITEM(static_cast<std::uint32_t>(wParam)),
                                                  static_cast<UINT>(lParam)));
        case TVM_GETCOUNT:
            return static_cast<LRESULT>(m_count);
        case TVM_GETNEXTITEM:
            return static_cast<LRESULT>(nextItem(item, static_cast<UINT>(wParam)).value);
        case TVM_EXPAND: {
            const std::uint32_t slot = liveSlotOf(item);
            if (!slot || slot == m_root) return FALSE;
            return expand(slot, static_cast<UINT>(wParam), false) ? TRUE : FALSE;
        }
        case TVM_SELECTITEM:
            return selectItem(static_cast<UINT>(wParam), item) ? TRUE : FALSE;
        case TVM_SORTCHILDREN: {
            const std::uint32_t slot = (!lParam || item == TVI_ROOT) ? m_root : slotOf(item);
            if (!slot) return FALSE;
            return sortChildren(slot, wParam != 0, nullptr, 0) ? TRUE : FALSE;
        }
        case TVM_SORTCHILDRENCB: {
            const auto* sort = reinterpret_cast<const TVSORTCB*>(lParam);
            if (!sort || !sort->lpfnCompare) return FALSE;
            const std::uint32_t slot =
                (!sort->hParent || sort->hParent == TVI_ROOT) ? m_root : slotOf(sort->hParent);
            if (!slot) return FALSE;
            return sortChildren(slot, wParam != 0, sort->lpfnCompare, sort->lParam) ? TRUE : FALSE;
        }

        // --- Geometry ---
        case TVM_GETITEMRECT: {
            auto* r = reinterpret_cast<RECT*>(lParam);
            if (!r) return FALSE;
            // The item comes in the rectangle's first bytes.
            const std::uint32_t slot = slotOf(HTREEITEM(static_cast<std::uint32_t>(r->left)));
            if (!slot || slot == m_root) return FALSE;
            return itemRect(slot, wParam != 0, *r) ? TRUE : FALSE;
        }
        case TVM_HITTEST:
            return lParam ? static_cast<LRESULT>(
                                hitTest(*reinterpret_cast<TVHITTESTINFO*>(lParam)).value)
                          : 0;
        case TVM_ENSUREVISIBLE: {
            const std::uint32_t slot = liveSlotOf(item);
            if (!slot || slot == m_root) return FALSE;
            return ensureVisible(slot) ? TRUE : FALSE;
        }
        case TVM_GETVISIBLECOUNT:
            return visibleCount();
        case TVM_GETINDENT:
            return m_indent;
        case TVM_SETINDENT: {
            // Windows keeps a minimum indent that leaves room for the button.
            const int minimum = 5 * static_cast<int>(GetDpiForSystem()) / 96;
            m_indent = std::max(minimum, static_cast<int>(wParam));
            m_widest = 0;
            invalidateLayout();
            return TRUE;
        }
        case TVM_GETITEMHEIGHT:
            return itemHeight();
        case TVM_SETITEMHEIGHT: {
            const int old = itemHeight();
            int h = static_cast<SHORT>(LOWORD(wParam));
            // -1 goes back to the default; below 1 is 1; odd heights lose a pixel unless
            // TVS_NONEVENHEIGHT.
            if (h == -1) {
                m_itemHeight = 0;
            } else {
                if (h > 1 && !hasStyle(TVS_NONEVENHEIGHT)) h &= ~1;
                m_itemHeight = std::max(h, 1);
            }
            invalidateLayout();
            return old;
        }
        case TVM_GETIMAGELIST:
            if (wParam == TVSIL_NORMAL) return static_cast<LRESULT>(m_normal.value);
            if (wParam == TVSIL_STATE) return static_cast<LRESULT>(m_state.value);
            return 0;
        case TVM_SETIMAGELIST: {
            const auto list = HIMAGELIST(static_cast<std::uint32_t>(lParam));
            HIMAGELIST old;
            if (wParam == TVSIL_NORMAL) {
                old = m_normal;
                m_normal = list;
            } else if (wParam == TVSIL_STATE) {
                old = m_state == m_checkImages ? HIMAGELIST() : m_state;
                // Without a list of its own, a tree with check boxes keeps its built-in one.
                m_state = list ? list : m_checkImages;
            } else {
                ReportUnsupported("TVM_SETIMAGELIST", "image list kind", ERROR_INVALID_PARAMETER);
                return 0;
            }
            m_widest = 0;
            invalidateLayout();
            return static_cast<LRESULT>(old.value);
        }

        // --- Look ---
        case TVM_GETBKCOLOR:
            return colourAnswer(m_bkColor);
        case TVM_SETBKCOLOR:
            return setColour(m_bkColor, lParam);
        case TVM_GETTEXTCOLOR:
            return colourAnswer(m_textColor);
        case TVM_SETTEXTCOLOR:
            return setColour(m_textColor, lParam);
        case TVM_GETLINECOLOR:
            return colourAnswer(m_lineColor);
        case TVM_SETLINECOLOR:
            return setColour(m_lineColor, lParam);
        case TVM_GETINSERTMARKCOLOR:
            return colourAnswer(m_insertMarkColor);
        case TVM_SETINSERTMARKCOLOR:
            return setColour(m_insertMarkColor, lParam);
        case TVM_SETINSERTMARK: {
            const std::uint32_t slot = lParam ? liveSlotOf(item) : 0;
            if (lParam && (!slot || slot == m_root)) return FALSE;
            m_insertMark = slot;
            m_insertAfter = wParam != 0;
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return TRUE;
        }
        case TVM_GETSCROLLTIME:
            return static_cast<LRESULT>(m_scrollTime);
        case TVM_SETSCROLLTIME: {
            const UINT old = m_scrollTime;
            m_scrollTime = std::max<UINT>(100, static_cast<UINT>(wParam));
            return static_cast<LRESULT>(old);
        }
        case TVM_GETEXTENDEDSTYLE:
            return static_cast<LRESULT>(m_exStyle);
        case TVM_SETEXTENDEDSTYLE: {
            const DWORD mask = static_cast<DWORD>(wParam) ? static_cast<DWORD>(wParam) : ~0u;
            const DWORD wanted = (m_exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
            if (wanted & ~kKnownExStyles) {
                ReportUnsupported("TVM_SETEXTENDEDSTYLE", "styles", ERROR_INVALID_FLAGS);
                return E_INVALIDARG;
            }
            m_exStyle = wanted;
            return S_OK;
        }
        case TVM_CREATEDRAGIMAGE: {
            const std::uint32_t slot = slotOf(item);
            if (!slot || slot == m_root) return 0;
            return static_cast<LRESULT>(createDragImage(slot).value);
        }

        // --- Label editing and tips ---
        case TVM_EDITLABELW: {
            const std::uint32_t slot = liveSlotOf(item);
            if (!slot || slot == m_root) return 0;
            return static_cast<LRESULT>(editLabel(slot).value);
        }
        case TVM_GETEDITCONTROL:
            return static_cast<LRESULT>(m_edit.value);
        case TVM_ENDEDITLABELNOW:
            if (!m_edit) return FALSE;
            endEdit(wParam != 0);
            return TRUE;
        case TVM_GETISEARCHSTRINGW: {
            auto* out = reinterpret_cast<LPWSTR>(lParam);
            if (m_search.empty()) return 0;
            if (out) {
                std::copy(m_search.begin(), m_search.end(), out);
                out[m_search.size()] = 0;
            }
            return static_cast<LRESULT>(m_search.size());
        }
        case TVM_GETTOOLTIPS:
            if (!m_tip && !hasStyle(TVS_NOTOOLTIPS)) createTip();
            return static_cast<LRESULT>(m_tip.value);
        case TVM_SETTOOLTIPS: {
            const HWND old = m_tip;
            hideTip();
            m_tip = HWND(static_cast<std::uint32_t>(wParam));
            // The tree no longer destroys the one it gave away; the caller owns both now.
            m_ownTip = false;
            if (m_tip) addTipTool();
            return static_cast<LRESULT>(old.value);
        }

        default:
            if (msg >= TV_FIRST && msg < TV_FIRST + 0x100) {
                ReportUnsupported("SysTreeView32", "message", ERROR_INVALID_MESSAGE);
                return 0;
            }
            return DefWindowProcW(m_hwnd, msg, wParam, lParam);
    }
}

}  // namespace orvane::platform
