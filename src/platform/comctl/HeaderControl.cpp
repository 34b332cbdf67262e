// The header control's window procedure, its items and order, and its notifications.
//
// Messages: HDM_INSERTITEMW, HDM_DELETEITEM, HDM_GETITEMW, HDM_SETITEMW, HDM_GETITEMCOUNT,
// HDM_LAYOUT, HDM_HITTEST, HDM_GETITEMRECT, HDM_ORDERTOINDEX, HDM_GETORDERARRAY,
// HDM_SETORDERARRAY, HDM_SETIMAGELIST, HDM_GETIMAGELIST, HDM_SETBITMAPMARGIN,
// HDM_GETBITMAPMARGIN, HDM_SETHOTDIVIDER, HDM_CREATEDRAGIMAGE, HDM_GETITEMDROPDOWNRECT,
// HDM_GETFOCUSEDITEM, HDM_SETFOCUSEDITEM, HDM_SETFILTERCHANGETIMEOUT, HDM_EDITFILTER,
// HDM_CLEARFILTER, HDM_SETUNICODEFORMAT, HDM_GETUNICODEFORMAT, WM_SETFONT, WM_GETFONT.
// Styles: HDS_BUTTONS, HDS_HOTTRACK, HDS_HIDDEN, HDS_DRAGDROP, HDS_FULLDRAG, HDS_FILTERBAR,
// HDS_FLAT, HDS_CHECKBOXES, HDS_NOSIZING.
#include "platform/comctl/HeaderControl.h"
#include "platform/base/TextBuffer.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "platform/base/LastError.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/Edit.h"
#include "platform/user/User.h"
#include "platform/user/WindowClass.h"

namespace orvane::platform {

namespace {

constexpr DWORD kKnownStyles = HDS_BUTTONS | HDS_HOTTRACK | HDS_HIDDEN | HDS_DRAGDROP |
                               HDS_FULLDRAG | HDS_FILTERBAR | HDS_FLAT | HDS_CHECKBOXES |
                               HDS_NOSIZING;
constexpr UINT kKnownMask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP |
                            HDI_IMAGE | HDI_DI_SETITEM | HDI_ORDER | HDI_FILTER | HDI_STATE;

// Copies `text` into a caller's buffer of `size` characters, cut to fit; a callback pointer is
// no buffer.
void copyText(const std::u16string& text, LPWSTR buffer, int size) {
    if (buffer != LPSTR_TEXTCALLBACKW) CopyToBuffer(text, buffer, size);
}

}  // namespace

void HeaderControl::registerClass() {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = wndProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hCursor = LoadCursorW(HINSTANCE(), IDC_ARROW);
    wc.lpszClassName = WC_HEADERW;
    WindowClass::registerSystem(wc);
}

LRESULT HeaderControl::wndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if ((static_cast<DWORD>(cs->style) & 0xFFFF & ~kKnownStyles) != 0) {
            ReportUnsupported("CreateWindowExW(SysHeader32)", "styles (HDS_OVERFLOW)",
                              ERROR_INVALID_FLAGS);
            return FALSE;
        }
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new HeaderControl(hwnd)));
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return runControlMessage<HeaderControl>(hwnd, msg, wParam, lParam);
}

DWORD HeaderControl::style() const {
    return static_cast<DWORD>(GetWindowLongW(m_hwnd, GWL_STYLE));
}

LRESULT HeaderControl::dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_CREATE:
            return 0;
        case WM_DESTROY:
            // Whatever the mouse was doing ends without a word to the parent.
            m_mode = Mode::None;
            m_active = -1;
            KillTimer(m_hwnd, kFilterTimer);
            if (m_edit) RemoveWindowSubclass(m_edit, editProc, kFilterEditId);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(m_hwnd, &ps);
            if (dc) paint(dc, ps.rcPaint);
            EndPaint(m_hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(m_hwnd, &client);
            paint(HDC(static_cast<std::uint32_t>(wParam)), client);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && setCursor()) return TRUE;
            break;
        case WM_SETFONT:
            setFont(HFONT(static_cast<std::uint32_t>(wParam)), LOWORD(lParam) != 0);
            return 0;
        case WM_GETFONT:
            return static_cast<LRESULT>(m_font.value);
        case WM_STYLECHANGED:
        case WM_ENABLE:
        case WM_SIZE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
            leftDown(pt);
            return 0;
        case WM_LBUTTONUP:
            leftUp(pt);
            return 0;
        case WM_LBUTTONDBLCLK:
            leftDoubleClick(pt);
            return 0;
        case WM_MOUSEMOVE:
            mouseMove(pt, wParam);
            return 0;
        case WM_MOUSELEAVE:
            m_tracking = false;
            setHot(-1, 0);
            return 0;
        case WM_RBUTTONUP:
            rightUp(pt);
            return 0;
        case WM_CAPTURECHANGED:
            if (HWND(static_cast<std::uint32_t>(lParam)) != m_hwnd) cancelMode();
            return 0;
        case WM_KEYDOWN:
            keyDown(static_cast<int>(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kFilterTimer) {
                filterTimer();
                return 0;
            }
            break;
        case WM_COMMAND:
            if (m_edit && HWND(static_cast<std::uint32_t>(lParam)) == m_edit &&
                HIWORD(wParam) == EN_CHANGE) {
                filterTyped();
                return 0;
            }
            break;

        case HDM_GETITEMCOUNT:
            return count();
        case HDM_INSERTITEMW:
            return insertItem(index, reinterpret_cast<const HDITEMW*>(lParam));
        case HDM_DELETEITEM:
            return deleteItem(index);
        case HDM_GETITEMW:
            return getItem(index, reinterpret_cast<HDITEMW*>(lParam));
        case HDM_SETITEMW:
            return setItem(index, reinterpret_cast<const HDITEMW*>(lParam));
        case HDM_LAYOUT:
            return layout(reinterpret_cast<HDLAYOUT*>(lParam));
        case HDM_HITTEST: {
            auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
            if (!info) return -1;
            const HDHITTESTINFO hit = hitTest(info->pt);
            info->flags = hit.flags;
            info->iItem = hit.iItem;
            return hit.iItem;
        }
        case HDM_GETITEMRECT: {
            auto* rc = reinterpret_cast<RECT*>(lParam);
            if (!rc || !valid(index)) return FALSE;
            *rc = geometry(index).column;
            return TRUE;
        }
        case HDM_ORDERTOINDEX:
            // An order outside the items comes back unchanged, as on Windows.
            return index >= 0 && index < count() ? m_order[static_cast<std::size_t>(index)] : index;
        case HDM_GETORDERARRAY:
            return getOrderArray(index, reinterpret_cast<int*>(lParam));
        case HDM_SETORDERARRAY:
            return setOrderArray(index, reinterpret_cast<const int*>(lParam));
        case HDM_SETIMAGELIST:
            return setImageList(wParam, HIMAGELIST(static_cast<std::uint32_t>(lParam)));
        case HDM_GETIMAGELIST:
            if (wParam == HDSIL_NORMAL) return static_cast<LRESULT>(m_images.value);
            if (wParam == HDSIL_STATE) return static_cast<LRESULT>(m_stateImages.value);
            return 0;
        case HDM_SETBITMAPMARGIN: {
            const int old = bitmapMargin();
            m_bitmapMargin = std::max(0, index);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return old;
        }
        case HDM_GETBITMAPMARGIN:
            return bitmapMargin();
        case HDM_SETHOTDIVIDER:
            return setHotDivider(wParam != 0, lParam);
        case HDM_CREATEDRAGIMAGE:
            return createDragImage(index);
        case HDM_GETITEMDROPDOWNRECT:
            return getDropDownRect(index, reinterpret_cast<RECT*>(lParam));
        case HDM_GETFOCUSEDITEM:
            return m_focus;
        case HDM_SETFOCUSEDITEM:
            return setFocusedItem(static_cast<int>(lParam));
        case HDM_SETFILTERCHANGETIMEOUT: {
            // Windows answers with the item whose filter is being edited.
            m_filterTimeout = static_cast<UINT>(std::max<LPARAM>(0, lParam));
            return m_editItem;
        }
        case HDM_EDITFILTER:
            return editFilter(index, LOWORD(lParam) != 0);
        case HDM_CLEARFILTER:
            return clearFilter(index);
        case HDM_SETUNICODEFORMAT:
            // Answers with the previous format, which is always Unicode.
            if (!wParam) ReportUnsupported("HDM_SETUNICODEFORMAT", "ANSI notifications");
            return TRUE;
        case HDM_GETUNICODEFORMAT:
            return TRUE;
        case HDM_INSERTITEMA:
        case HDM_GETITEMA:
        case HDM_SETITEMA:
            ReportUnsupported("SysHeader32", "ANSI messages");
            return msg == HDM_INSERTITEMA ? -1 : FALSE;
        case HDM_GETOVERFLOWRECT:
            ReportUnsupported("SysHeader32", "HDM_GETOVERFLOWRECT (HDS_OVERFLOW)");
            return FALSE;
        default:
            break;
    }
    if ((msg >= HDM_FIRST && msg < HDM_FIRST + 0x100) ||
        (msg >= CCM_FIRST && msg < CCM_FIRST + 0x200)) {
        ReportUnsupported("SysHeader32", "message", ERROR_INVALID_MESSAGE);
        return 0;
    }
    return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

// Items.

bool HeaderControl::acceptable(const char* call, const HDITEMW& hdi) {
    if (hdi.mask & ~kKnownMask) {
        ReportUnsupported(call, "item mask", ERROR_INVALID_FLAGS);
        return false;
    }
    const UINT filterType = hdi.type & ~HDFT_HASNOVALUE;
    if ((hdi.mask & HDI_FILTER) && filterType != HDFT_ISSTRING && filterType != HDFT_ISNUMBER &&
        filterType != HDFT_ISDATE) {
        ReportUnsupported(call, "filter type", ERROR_INVALID_PARAMETER);
        return false;
    }
    if ((hdi.mask & HDI_TEXT) && hdi.pszText && hdi.pszText != LPSTR_TEXTCALLBACKW &&
        IS_INTRESOURCE(hdi.pszText)) {
        ReportUnsupported(call, "string resources as item text");
        return false;
    }
    return true;
}

void HeaderControl::store(Item& item, const HDITEMW& hdi) const {
    if (hdi.mask & HDI_WIDTH) item.width = std::max(0, hdi.cxy);
    if (hdi.mask & HDI_TEXT) {
        item.textCallback = hdi.pszText == LPSTR_TEXTCALLBACKW;
        item.text = item.textCallback || !hdi.pszText ? u"" : hdi.pszText;
    }
    if (hdi.mask & HDI_FORMAT) item.format = hdi.fmt;
    if (hdi.mask & HDI_LPARAM) item.lParam = hdi.lParam;
    if (hdi.mask & HDI_BITMAP) item.bitmap = hdi.hbm;
    if (hdi.mask & HDI_IMAGE) item.image = hdi.iImage;
    if (hdi.mask & HDI_FILTER) {
        item.filterType = hdi.type;
        // Without a value the filter shows empty, whatever the structure holds.
        if ((hdi.type & ~HDFT_HASNOVALUE) == HDFT_ISSTRING) {
            const auto* f = static_cast<const HDTEXTFILTERW*>(hdi.pvFilter);
            item.filterText.clear();
            if (f) {
                item.filterMax = f->cchTextMax;
                if (f->pszText && !(hdi.type & HDFT_HASNOVALUE)) item.filterText = f->pszText;
            }
        } else if ((hdi.type & ~HDFT_HASNOVALUE) == HDFT_ISDATE) {
            const auto* d = static_cast<const SYSTEMTIME*>(hdi.pvFilter);
            item.filterDate = d && !(hdi.type & HDFT_HASNOVALUE) ? *d : SYSTEMTIME{};
        } else {
            const auto* n = static_cast<const int*>(hdi.pvFilter);
            item.filterNumber = n && !(hdi.type & HDFT_HASNOVALUE) ? *n : 0;
        }
    }
}

LRESULT HeaderControl::insertItem(int index, const HDITEMW* hdi) {
    if (!hdi || index < 0) return -1;
    if (!acceptable("HDM_INSERTITEMW", *hdi)) return -1;
    index = std::min(index, count());
    Item item;
    store(item, *hdi);
    // Text without a format is a string item, as Windows makes it.
    if ((hdi->mask & HDI_TEXT) && !(hdi->mask & HDI_FORMAT)) item.format |= HDF_STRING;
    m_items.insert(m_items.begin() + index, std::move(item));
    // Indexes at or past the new one move up; the new item takes its order position, or the
    // position matching its index.
    for (int& i : m_order)
        if (i >= index) ++i;
    int order = (hdi->mask & HDI_ORDER) ? hdi->iOrder : index;
    if (order < 0 || order > count() - 1) order = index;
    m_order.insert(m_order.begin() + order, index);
    if (m_focus >= index) ++m_focus;
    if (m_editItem >= index) ++m_editItem;
    if (m_active >= index) ++m_active;
    if (m_hot >= index) ++m_hot;
    if ((hdi->mask & HDI_STATE) && (hdi->state & HDIS_FOCUSED)) m_focus = index;
    placeItems();
    return index;
}

LRESULT HeaderControl::deleteItem(int index) {
    if (!valid(index)) return FALSE;
    if (m_editItem == index) {
        endFilterEdit(EditEnd::Discard, FocusBack::Restore);
        if (lifetime.dead || !valid(index)) return FALSE;
    }
    if (m_active == index && m_mode != Mode::None) {
        m_mode = Mode::None;
        m_active = -1;
        if (GetCapture() == m_hwnd) ReleaseCapture();
    }
    m_items.erase(m_items.begin() + index);
    m_order.erase(std::find(m_order.begin(), m_order.end(), index));
    for (int& i : m_order)
        if (i > index) --i;
    auto shift = [&](int& i) {
        if (i == index)
            i = -1;
        else if (i > index)
            --i;
    };
    shift(m_focus);
    shift(m_editItem);
    shift(m_active);
    shift(m_hot);
    placeItems();
    return TRUE;
}

LRESULT HeaderControl::getItem(int index, HDITEMW* hdi) {
    if (!hdi || !valid(index)) return FALSE;
    if (hdi->mask & ~kKnownMask) {
        ReportUnsupported("HDM_GETITEMW", "item mask", ERROR_INVALID_FLAGS);
        return FALSE;
    }
    const UINT mask = hdi->mask;
    // Callback fields are asked for first: the parent may change the items meanwhile.
    std::u16string text;
    int image = 0;
    if (mask & HDI_TEXT) {
        text = textOf(index);
        if (lifetime.dead || !valid(index)) return FALSE;
    }
    if (mask & HDI_IMAGE) {
        image = imageOf(index);
        if (lifetime.dead || !valid(index)) return FALSE;
    }
    const Item& item = m_items[static_cast<std::size_t>(index)];
    if (mask & HDI_WIDTH) hdi->cxy = item.width;
    if (mask & HDI_TEXT) copyText(text, hdi->pszText, hdi->cchTextMax);
    if (mask & HDI_FORMAT) hdi->fmt = item.format;
    if (mask & HDI_LPARAM) hdi->lParam = item.lParam;
    if (mask & HDI_BITMAP) hdi->hbm = item.bitmap;
    if (mask & HDI_IMAGE) hdi->iImage = image;
    if (mask & HDI_ORDER) hdi->iOrder = orderOf(index);
    if (mask & HDI_STATE) hdi->state = m_focus == index ? HDIS_FOCUSED : 0;
    if (mask & HDI_FILTER) {
        // The caller says which type it expects and gives the storage; the value is copied
        // when the types agree.
        const UINT base = item.filterType & ~HDFT_HASNOVALUE;
        if (hdi->pvFilter && (hdi->type & ~HDFT_HASNOVALUE) == base) {
            if (base == HDFT_ISSTRING) {
                auto* f = static_cast<HDTEXTFILTERW*>(hdi->pvFilter);
                copyText(item.filterText, f->pszText, f->cchTextMax);
            } else if (base == HDFT_ISDATE) {
                *static_cast<SYSTEMTIME*>(hdi->pvFilter) = item.filterDate;
            } else {
                *static_cast<int*>(hdi->pvFilter) = item.filterNumber;
            }
        }
        hdi->type = item.filterType;
    }
    return TRUE;
}

LRESULT HeaderControl::setItem(int index, const HDITEMW* hdi) {
    if (!hdi || !valid(index)) return FALSE;
    if (!acceptable("HDM_SETITEMW", *hdi)) return FALSE;
    return changeItem(index, *hdi) ? TRUE : FALSE;
}

bool HeaderControl::changeItem(int index, const HDITEMW& hdi) {
    HDITEMW copy = hdi;
    if (notifyItem(HDN_ITEMCHANGINGW, index, &copy)) return false;
    if (lifetime.dead || !valid(index)) return false;
    Item& item = m_items[static_cast<std::size_t>(index)];
    store(item, hdi);
    if (hdi.mask & HDI_ORDER) moveToOrder(index, hdi.iOrder);
    if (hdi.mask & HDI_STATE) {
        if (hdi.state & HDIS_FOCUSED)
            m_focus = index;
        else if (m_focus == index)
            m_focus = -1;
    }
    placeItems();
    copy = hdi;
    notifyItem(HDN_ITEMCHANGEDW, index, &copy);
    return !lifetime.dead;
}

int HeaderControl::orderOf(int index) const {
    const auto it = std::find(m_order.begin(), m_order.end(), index);
    return it == m_order.end() ? -1 : static_cast<int>(it - m_order.begin());
}

void HeaderControl::moveToOrder(int index, int order) {
    order = std::clamp(order, 0, count() - 1);
    m_order.erase(m_order.begin() + orderOf(index));
    m_order.insert(m_order.begin() + order, index);
}

LRESULT HeaderControl::getOrderArray(int size, int* out) const {
    if (!out || size < count()) return FALSE;
    std::copy(m_order.begin(), m_order.end(), out);
    return TRUE;
}

LRESULT HeaderControl::setOrderArray(int size, const int* in) {
    if (!in || size != count()) return FALSE;
    // Every index exactly once.
    std::vector<int> order(in, in + size);
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < size; ++i)
        if (sorted[static_cast<std::size_t>(i)] != i) return FALSE;
    m_order = std::move(order);
    placeItems();
    return TRUE;
}

void HeaderControl::placeItems() {
    int x = 0;
    for (int i : m_order) {
        Item& item = m_items[static_cast<std::size_t>(i)];
        item.left = x;
        x += item.width;
    }
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

std::u16string HeaderControl::textOf(int index) {
    const Item& item = m_items[static_cast<std::size_t>(index)];
    if (!item.textCallback) return item.text;
    std::u16string text;
    askParent(index, HDI_TEXT, &text, nullptr);
    return text;
}

int HeaderControl::imageOf(int index) {
    const Item& item = m_items[static_cast<std::size_t>(index)];
    if (item.image != I_IMAGECALLBACK) return item.image;
    int image = I_IMAGENONE;
    askParent(index, HDI_IMAGE, nullptr, &image);
    return image;
}

void HeaderControl::askParent(int index, UINT mask, std::u16string* text, int* image) {
    char16_t buffer[260] = {};
    NMHDDISPINFOW info;
    info.iItem = index;
    info.mask = mask;
    info.pszText = buffer;
    info.cchTextMax = static_cast<int>(std::size(buffer));
    info.iImage = I_IMAGENONE;
    info.lParam = m_items[static_cast<std::size_t>(index)].lParam;
    notify(info.hdr, HDN_GETDISPINFOW);
    if (lifetime.dead) return;
    if (text && info.pszText && info.pszText != LPSTR_TEXTCALLBACKW &&
        !IS_INTRESOURCE(info.pszText))
        *text = info.pszText;
    if (image) *image = info.iImage;
    // The parent asks the control to keep what it answered from now on.
    if ((info.mask & HDI_DI_SETITEM) && valid(index)) {
        Item& item = m_items[static_cast<std::size_t>(index)];
        if (text && (mask & HDI_TEXT)) {
            item.text = *text;
            item.textCallback = false;
        }
        if (image && (mask & HDI_IMAGE)) item.image = *image;
    }
}

LRESULT HeaderControl::setImageList(WPARAM which, HIMAGELIST list) {
    HIMAGELIST old;
    if (which == HDSIL_NORMAL) {
        old = m_images;
        m_images = list;
    } else if (which == HDSIL_STATE) {
        old = m_stateImages;
        m_stateImages = list;
    } else {
        ReportUnsupported("HDM_SETIMAGELIST", "image list kind", ERROR_INVALID_PARAMETER);
        return 0;
    }
    InvalidateRect(m_hwnd, nullptr, FALSE);
    return static_cast<LRESULT>(old.value);
}

LRESULT HeaderControl::setHotDivider(bool byPoint, LPARAM value) {
    // A point (client coordinates) names the divider nearest to it; otherwise the value is the
    // divider itself, -1 for none.
    int divider = static_cast<int>(value);
    if (byPoint) divider = dropOrder(GET_X_LPARAM(value));
    divider = divider < 0 || divider > count() ? -1 : divider;
    if (divider != m_hotDivider) {
        m_hotDivider = divider;
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
    return divider;
}

LRESULT HeaderControl::getDropDownRect(int index, RECT* rc) {
    if (!rc || !valid(index)) return FALSE;
    const ItemGeometry g = geometry(index);
    if (IsRectEmpty(&g.dropDown)) return FALSE;
    *rc = g.dropDown;
    return TRUE;
}

LRESULT HeaderControl::setFocusedItem(int index) {
    if (!valid(index)) return FALSE;
    m_focus = index;
    InvalidateRect(m_hwnd, nullptr, FALSE);
    return TRUE;
}

void HeaderControl::setFont(HFONT font, bool redraw) {
    m_font = font;
    if (m_edit) SendMessageW(m_edit, WM_SETFONT, static_cast<WPARAM>(this->font().value), FALSE);
    if (redraw) InvalidateRect(m_hwnd, nullptr, FALSE);
}

// Notifications.

LRESULT HeaderControl::notify(NMHDR& hdr, UINT code) {
    const int id = GetDlgCtrlID(m_hwnd);
    hdr.hwndFrom = m_hwnd;
    hdr.idFrom = static_cast<UINT_PTR>(id);
    hdr.code = code;
    return SendMessageW(GetParent(m_hwnd), WM_NOTIFY, static_cast<WPARAM>(id),
                        reinterpret_cast<LPARAM>(&hdr));
}

LRESULT HeaderControl::notifyItem(UINT code, int index, HDITEMW* item, int button) {
    NMHEADERW nm;
    nm.iItem = index;
    nm.iButton = button;
    nm.pitem = item;
    return notify(nm.hdr, code);
}

}  // namespace orvane::platform
