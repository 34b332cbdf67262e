// The list view's events: the list's and the header's notifications, the list window's mouse
// and keys, the virtual mode's cell requests, and sorting by text, number or date.
#include <algorithm>
#include <cmath>
#include <cwctype>

#include "controls/edit/ucListView.h"
#include "framework/KeysAndText.h"
#include "platform/base/TextBuffer.h"
#include "platform/text/CharCase.h"

namespace orvane {

using namespace platform;

bool ucListView::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (!hdr || !m_list) return false;
            if (hdr->hwndFrom == m_list) {
                result = onListNotify(*hdr);
                return true;
            }
            if (hdr->hwndFrom == hWndHeader()) {
                result = onHeaderNotify(*hdr);
                return true;
            }
            return false;
        }
        case WM_SETFOCUS:
            // The focus belongs to the list.
            if (m_list) SetFocus(m_list);
            return true;
        case WM_KILLFOCUS:
            return m_list ? true : OwnerDrawnControl::handleMessage(msg, wParam, lParam, result);
        default:
            return OwnerDrawnControl::handleMessage(msg, wParam, lParam, result);
    }
}

LRESULT ucListView::onListNotify(NMHDR& hdr) {
    switch (hdr.code) {
        case NM_CLICK:
        case NM_RCLICK: {
            const std::weak_ptr<bool> alive = aliveToken();
            if (hdr.code == NM_CLICK && m_rankingColumn >= 0 && !m_rankingLocked) onRankingClick();
            if (alive.expired()) return 0;
            raise(evClick);
            return 0;
        }
        case NM_DBLCLK:
        case NM_RDBLCLK:
            raise(evDblClick);
            return 0;
        case LVN_ITEMCHANGED: {
            const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
            if (nm.iItem < 0) return 0;
            std::vector<Variant> args{Variant(static_cast<std::int32_t>(nm.iItem))};
            // An item with no state but its check box's, now selected, was clicked.
            const UINT before = nm.uOldState & ~LVIS_STATEIMAGEMASK;
            if (nm.uOldState != 0 && ((nm.uOldState ^ nm.uNewState) & LVIS_STATEIMAGEMASK))
                raise(evItemCheck, args);
            else if (before == 0 && (nm.uNewState & LVIS_SELECTED))
                raise(evItemClick, args);
            return 0;
        }
        case LVN_BEGINLABELEDITW: {
            std::vector<Variant> args{Variant(false)};
            if (!raise(evBeforeLabelEdit, args)) return 1;
            return CBool(args[0]) ? 1 : 0;
        }
        case LVN_ENDLABELEDITW: {
            const auto& di = reinterpret_cast<const NMLVDISPINFOW&>(hdr);
            const bool abandoned = di.item.pszText == nullptr;
            std::vector<Variant> args{
                Variant(false),
                Variant(abandoned ? std::u16string() : std::u16string(di.item.pszText))};
            if (!raise(evAfterLabelEdit, args)) return 0;
            const bool escape = (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0;
            return (!abandoned && !CBool(args[0]) && !escape) ? 1 : 0;
        }
        case LVN_ENDSCROLL: {
            const auto& nm = reinterpret_cast<const NMLVSCROLL&>(hdr);
            std::vector<Variant> args{Variant(static_cast<float>(toUnitsX(nm.dx))),
                                      Variant(static_cast<float>(toUnitsY(nm.dy)))};
            raise(evScroll, args);
            return 0;
        }
        case LVN_GETDISPINFOW:
            return onDispInfo(reinterpret_cast<NMLVDISPINFOW&>(hdr));
        case NM_CUSTOMDRAW:
            return onListCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(hdr));
        case LVN_BEGINDRAG:
            if (m_oleDragMode == 1 && !m_itemDrag)
                dragItems(reinterpret_cast<const NMLISTVIEW&>(hdr).ptAction);
            return 0;
        default:
            return 0;
    }
}

LRESULT ucListView::onDispInfo(NMLVDISPINFOW& di) {
    if (!m_virtual) return 0;
    LVITEMW& item = di.item;
    std::vector<Variant> args{Variant(static_cast<std::int32_t>(item.iItem)),
                              Variant(static_cast<std::int32_t>(item.iSubItem)),
                              Variant(static_cast<std::int32_t>(item.mask)),
                              Variant(std::u16string()),
                              Variant(static_cast<std::int32_t>(item.iImage)),
                              Variant(static_cast<std::int32_t>(item.iIndent))};
    try {
        if (!raise(evItemDataRequest, args)) return 0;
        // The answers go back only when the handler raised no error.
        const std::u16string text = (item.mask & LVIF_TEXT) ? CStr(args[3]) : std::u16string();
        const std::int32_t image = (item.mask & LVIF_IMAGE) ? CLng(args[4]) : 0;
        const std::int32_t indent = (item.mask & LVIF_INDENT) ? CLng(args[5]) : 0;
        if (item.mask & LVIF_TEXT) CopyToBuffer(text, item.pszText, item.cchTextMax);
        if (item.mask & LVIF_IMAGE) item.iImage = image;
        if (item.mask & LVIF_INDENT) item.iIndent = indent;
    } catch (const Error&) {
        // The cell keeps what the list gave it.
    }
    return 0;
}

LRESULT ucListView::onHeaderNotify(NMHDR& hdr) {
    const auto& nm = reinterpret_cast<const NMHEADERW&>(hdr);
    switch (hdr.code) {
        case HDN_BEGINTRACKW:
            // Fixed widths, and the ranking column always, refuse a dragged divider.
            return (m_headerFixedWidth || (nm.iItem >= 0 && nm.iItem == m_rankingColumn)) ? 1 : 0;
        case HDN_ITEMCLICKW: {
            std::vector<Variant> args{Variant(static_cast<std::int32_t>(nm.iItem))};
            raise(evColumnClick, args);
            return 0;
        }
        case NM_RCLICK: {
            HDHITTESTINFO hit;
            GetCursorPos(&hit.pt);
            ScreenToClient(hdr.hwndFrom, &hit.pt);
            SendMessageW(hdr.hwndFrom, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            std::vector<Variant> args{Variant(static_cast<std::int32_t>(hit.iItem))};
            raise(evColumnRightClick, args);
            return 1;
        }
        case HDN_DROPDOWN: {
            RECT r{};
            SendMessageW(hdr.hwndFrom, HDM_GETITEMDROPDOWNRECT, static_cast<WPARAM>(nm.iItem),
                         reinterpret_cast<LPARAM>(&r));
            POINT at{r.left, r.bottom};
            MapWindowPoints(hdr.hwndFrom, hWnd(), &at, 1);
            std::vector<Variant> args{Variant(static_cast<std::int32_t>(nm.iItem)),
                                      Variant(static_cast<float>(toUnitsX(at.x))),
                                      Variant(static_cast<float>(toUnitsY(at.y)))};
            raise(evColumnMenu, args);
            return 0;
        }
        case HDN_ITEMSTATEICONCLICK: {
            // The header's check box turns over, and the program hears its new value.
            const bool value = !ColumnCheckValue(nm.iItem);
            ColumnCheckValue(nm.iItem, value);
            std::vector<Variant> args{Variant(static_cast<std::int32_t>(nm.iItem)), Variant(value)};
            raise(evColumnCheck, args);
            return 0;
        }
        case HDN_BEGINFILTEREDIT: {
            const HWND edit = GetWindow(hdr.hwndFrom, GW_CHILD);
            std::vector<Variant> args{Variant(static_cast<std::int32_t>(nm.iItem)),
                                      Variant(static_cast<std::int32_t>(edit.value))};
            raise(evBeforeFilterEdit, args);
            return 0;
        }
        case HDN_ENDFILTEREDIT: {
            std::vector<Variant> args{Variant(static_cast<std::int32_t>(nm.iItem))};
            raise(evAfterFilterEdit, args);
            return 0;
        }
        case HDN_FILTERBTNCLICK: {
            const auto& fb = reinterpret_cast<const NMHDFILTERBTNCLICK&>(hdr);
            std::vector<Variant> args{Variant(static_cast<std::int32_t>(fb.iItem)), Variant(false)};
            if (!raise(evFilterButtonClicked, args)) return 0;
            return CBool(args[1]) ? FALSE : TRUE;
        }
        case HDN_FILTERCHANGE: {
            std::vector<Variant> args{Variant(static_cast<std::int32_t>(nm.iItem))};
            raise(evFilterTimeout, args);
            return 0;
        }
        case NM_CUSTOMDRAW:
            return onHeaderCustomDraw(reinterpret_cast<NMCUSTOMDRAW&>(hdr));
        default:
            return 0;
    }
}

// --- The list window's own messages ---

void ucListView::onListMessage(SubclassMessage& m) {
    const std::weak_ptr<bool> alive = aliveToken();
    switch (m.uMsg) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR: {
            const int keyCode = raiseKeyMessage(m, evKeyDown, evKeyUp, evKeyPress);
            const std::int16_t shift = ShiftKeysHeld();
            if (keyCode == 'A' && (shift & 2) && !(shift & 4) && m_multiSelect) {
                SelectAll();
                m.handled = true;
            }
            return;
        }
        case WM_SETFOCUS:
            acceleratorHook(m_enableSetIPAO);
            return;
        case WM_KILLFOCUS:
            acceleratorHook(false);
            return;
        case WM_MOUSEMOVE: {
            if (!m_mouseInside) {
                m_mouseInside = true;
                if (!raise(evMouseEnter)) return;
            }
            m_mouse = POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
            LVHITTESTINFO hit;
            hit.pt = m_mouse;
            const int item = static_cast<int>(
                SendMessageW(m.hWnd, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            // The ranking column previews under the pointer: its cells repaint as it moves.
            if (m_rankingColumn >= 0) {
                for (int row : {m_hotItem, item}) {
                    if (row < 0) continue;
                    const RECT r = subItemRect(row, m_rankingColumn);
                    InvalidateRect(m_list, &r, FALSE);
                }
            }
            m_hotItem = item;
            raiseMouseOf(evMouseMove, hWnd(), m.uMsg, m.wParam, m.lParam);
            return;
        }
        case WM_MOUSELEAVE:
            m_mouseInside = false;
            if (m_rankingColumn >= 0 && m_hotItem >= 0) {
                const RECT r = subItemRect(m_hotItem, m_rankingColumn);
                InvalidateRect(m_list, &r, FALSE);
            }
            m_hotItem = -1;
            raise(evMouseLeave);
            return;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            raiseMouseOf(evMouseDown, hWnd(), m.uMsg, m.wParam, m.lParam);
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (!raiseMouseOf(evMouseUp, hWnd(), m.uMsg, m.wParam, m.lParam)) return;
            // The list reports left and right clicks itself; the middle button's comes here.
            if (m.uMsg == WM_MBUTTONUP && !alive.expired()) raise(evClick);
            return;
        default:
            return;
    }
}

void ucListView::onHeaderMessage(SubclassMessage& m) {
    if (m.uMsg != HDM_LAYOUT || m.before || !m.result) return;
    auto* layout = reinterpret_cast<HDLAYOUT*>(m.lParam);
    if (!layout || !layout->prc || !layout->pwpos) return;
    // HeaderHeight sets the row of captions; the filter bar keeps its own height beneath.
    const int natural = layout->pwpos->cy;
    const bool filters = (GetWindowLongW(m.hWnd, GWL_STYLE) & HDS_FILTERBAR) != 0;
    const int wanted = filters ? m_headerHeight + natural / 2 : m_headerHeight;
    const int delta = scaledForDpi(wanted) - natural;
    if (delta == 0 || m_headerHeight <= 0) return;
    layout->pwpos->cy += delta;
    layout->prc->top += delta;
}

bool ucListView::TranslateAccel(const MSG& msg) {
    if (!userMode() || !m_list || !m_enableSetIPAO) return false;
    const UINT type = msg.message;
    const WPARAM key = msg.wParam;
    if ((type == WM_KEYDOWN || type == WM_KEYUP) && key >= VK_PRIOR && key <= VK_DOWN) {
        SendMessageW(m_list, type, key, msg.lParam);
        return true;
    }
    return false;
}

// --- Sorting ---

double ucListView::cellNumber(const std::u16string& text) {
    // The leading number: spaces, a sign, digits, a point and more digits, an exponent.
    std::string ascii;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    for (; i < text.size() && text[i] < 0x80; ++i) {
        const char c = static_cast<char>(text[i]);
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' ||
            c == 'e' || c == 'E')
            ascii.push_back(c);
        else
            break;
    }
    if (ascii.empty()) return 0;
    char* end = nullptr;
    const double value = std::strtod(ascii.c_str(), &end);
    return (end == ascii.c_str() || !std::isfinite(value)) ? 0 : value;
}

bool ucListView::Sort(std::int32_t column, std::int32_t order, std::int32_t type) {
    if (!m_list) return false;
    int code = 0, direction = 1;
    if (order == soDefault)
        code = 100;
    else if (order == soAscending)
        direction = 1;
    else if (order == soDescending)
        direction = -1;
    else
        return false;
    if (type < stString || type > stDate) return false;
    if (code != 100) code = type;
    m_sortColumn = column;
    m_sortOrder = direction;
    m_sortCode = code;
    // Each item's key is read once, before the list sorts: items stay in place until it ends,
    // so the indices the comparison gets name the keys read here.
    const std::int32_t n = std::max(0, Count());
    const bool numbers = code == stNumeric || code == stDate || code == 100;
    const bool texts = code == stString || code == stStringSensitive || code == 100;
    m_sortNumbers.assign(numbers ? static_cast<std::size_t>(n) : 0, 0.0);
    m_sortTexts.assign(texts ? static_cast<std::size_t>(n) : 0, std::u16string());
    for (std::int32_t i = 0; i < n; ++i) {
        std::u16string text = SubItemText(i, column);
        if (code == stDate) {
            try {
                m_sortNumbers[static_cast<std::size_t>(i)] = Variant(text).toDate();
            } catch (const Error&) {
                m_sortNumbers[static_cast<std::size_t>(i)] = -HUGE_VAL;  // before every date
            }
        } else if (numbers) {
            // Sort code 100 compares numbers only where both texts start with one.
            const bool leads = !text.empty() && (std::iswdigit(text[0]) || text[0] == u'-');
            m_sortNumbers[static_cast<std::size_t>(i)] =
                code == 100 && !leads ? std::nan("") : cellNumber(text);
        }
        if (texts) {
            if (code != stStringSensitive)
                CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
            m_sortTexts[static_cast<std::size_t>(i)] = std::move(text);
        }
    }
    const bool done = send(LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(this),
                           reinterpret_cast<LPARAM>(&ucListView::compareCallback)) != 0;
    m_sortNumbers.clear();
    m_sortTexts.clear();
    return done;
}

int ucListView::compareCallback(LPARAM a, LPARAM b, LPARAM self) {
    return reinterpret_cast<ucListView*>(self)->compareItems(static_cast<int>(a),
                                                             static_cast<int>(b));
}

int ucListView::compareItems(int a, int b) {
    const auto n = static_cast<int>(std::max(m_sortNumbers.size(), m_sortTexts.size()));
    if (a < 0 || b < 0 || a >= n || b >= n) return 0;
    const auto x = static_cast<std::size_t>(a), y = static_cast<std::size_t>(b);
    int result = 0;
    switch (m_sortCode) {
        case stNumeric:
        case stDate:
            result = m_sortNumbers[x] < m_sortNumbers[y]   ? -1
                     : m_sortNumbers[x] > m_sortNumbers[y] ? 1
                                                           : 0;
            break;
        case 100:
            // Texts that both start with a number compare by it; others as text.
            if (!std::isnan(m_sortNumbers[x]) && !std::isnan(m_sortNumbers[y]) &&
                m_sortNumbers[x] != m_sortNumbers[y])
                result = m_sortNumbers[x] < m_sortNumbers[y] ? -1 : 1;
            else
                result = m_sortTexts[x].compare(m_sortTexts[y]);
            break;
        default:
            result = m_sortTexts[x].compare(m_sortTexts[y]);
            break;
    }
    result = result < 0 ? -1 : result > 0 ? 1 : 0;
    return result * m_sortOrder;
}

}  // namespace orvane
