// The header's drawing. With visual styles each item is the "Header" theme's item part in its
// state (normal, hot, pressed, sorted), its sort arrow a small triangle centred above the text;
// without them items are button-face rectangles with raised edges (sunken when pressed, a
// plain divider line with HDS_FLAT) and the arrow sits beside the text. The parent takes part
// through NM_CUSTOMDRAW and, for HDF_OWNERDRAW items, WM_DRAWITEM.
#include <algorithm>
#include <cstdint>

#include "platform/comctl/HeaderControl.h"
#include "platform/gdi/FillSolid.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/DrawText.h"
#include "platform/text/Text.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

// Lengths at 96 DPI.
constexpr int kArrowWidth = 8;  // a classic sort arrow, and the arrows of classic buttons
constexpr int kArrowHeight = 4;
constexpr int kArrowTop = 1;  // a styled sort arrow's distance from the item's top

// A solid triangle in the w × h box at (x, y), pointing up or down.
void triangle(HDC dc, int x, int y, int w, int h, bool up, COLORREF colour) {
    const POINT down[3] = {{x, y}, {x + w, y}, {x + w / 2, y + h}};
    const POINT upward[3] = {{x, y + h}, {x + w, y + h}, {x + w / 2, y}};
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
    const COLORREF pen = SetDCPenColor(dc, colour), brush = SetDCBrushColor(dc, colour);
    Polygon(dc, up ? upward : down, 3);
    SetDCPenColor(dc, pen);
    SetDCBrushColor(dc, brush);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

bool overlaps(const RECT& a, const RECT& b) {
    RECT out;
    return IntersectRect(&out, &a, &b) != 0;
}

}  // namespace

LRESULT HeaderControl::customDraw(HDC dc, DWORD stage, const RECT& rc, int index, UINT state) {
    NMCUSTOMDRAW nm;
    nm.dwDrawStage = stage;
    nm.hdc = dc;
    nm.rc = rc;
    nm.dwItemSpec = index >= 0 ? static_cast<DWORD_PTR>(index) : 0;
    nm.uItemState = state;
    nm.lItemlParam = valid(index) ? m_items[static_cast<std::size_t>(index)].lParam : 0;
    return notify(nm.hdr, NM_CUSTOMDRAW);
}

void HeaderControl::paint(HDC dc, const RECT& clip) {
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    const int saved = SaveDC(dc);
    m_theme = OpenThemeData(m_hwnd, u"Header");
    m_buttonTheme = m_theme ? OpenThemeData(m_hwnd, u"Button") : HTHEME();
    const COLORREF textColour =
        GetSysColor(IsWindowEnabled(m_hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    auto defaults = [&] {
        SelectObject(dc, font());
        SetTextColor(dc, textColour);
        SetBkMode(dc, TRANSPARENT);
    };
    defaults();

    const LRESULT pre = customDraw(dc, CDDS_PREPAINT, client, -1, 0);
    // A parent that skips the default drawing but asks for items draws the header item by
    // item: the items are still offered, and only the strip after them is left to it.
    const bool skipAll = (pre & CDRF_SKIPDEFAULT) && !(pre & CDRF_NOTIFYITEMDRAW);
    if (!lifetime.dead && !skipAll) {
        const bool buttons = (style() & HDS_BUTTONS) != 0;
        int end = 0;
        for (std::size_t p = 0; p < m_order.size() && !lifetime.dead; ++p) {
            const int i = m_order[p];
            ItemGeometry g = geometry(i);
            end = std::max<int>(end, g.column.right);
            if (g.column.right <= g.column.left || !overlaps(g.column, clip)) continue;
            const bool pressed = buttons && m_mode == Mode::Press && m_active == i && m_pressInside;
            const bool hot = m_hot == i;
            const UINT state = (pressed ? CDIS_SELECTED : 0) | (hot ? CDIS_HOT : 0) |
                               (m_focus == i && GetFocus() == m_hwnd ? CDIS_FOCUS : 0);
            LRESULT answer = CDRF_DODEFAULT;
            if (pre & CDRF_NOTIFYITEMDRAW) {
                answer = customDraw(dc, CDDS_ITEMPREPAINT, g.column, i, state);
                // The parent may have changed the items meanwhile.
                if (lifetime.dead || p >= m_order.size() || m_order[p] != i) break;
                g = geometry(i);
            }
            if (!(answer & CDRF_SKIPDEFAULT)) {
                // CDRF_NEWFONT keeps the font and colours the parent chose.
                if (!(answer & CDRF_NEWFONT)) defaults();
                paintItem(dc, i, g, pressed, hot);
                if (lifetime.dead) break;
            }
            if (answer & CDRF_NOTIFYPOSTPAINT) {
                customDraw(dc, CDDS_ITEMPOSTPAINT, g.column, i, state);
                if (lifetime.dead) break;
            }
            defaults();
        }
        if (!lifetime.dead && end < client.right && !(pre & CDRF_SKIPDEFAULT))
            paintItemBackground(dc, RECT{end, client.top, client.right, client.bottom}, -1, false,
                                false);
        if (!lifetime.dead) {
            // What the mouse is doing: a line where a tracked divider would go, the dragged
            // item under the pointer with a marker where it would land, or the parent's marker.
            if (m_mode == Mode::Track && !(style() & HDS_FULLDRAG) && valid(m_active)) {
                const Item& item = m_items[static_cast<std::size_t>(m_active)];
                paintMarker(dc, item.left + m_trackWidth, scale(1), GetSysColor(COLOR_WINDOWTEXT));
            } else if (m_mode == Mode::Drag && valid(m_active)) {
                ItemGeometry g = geometry(m_active);
                const int dx = m_dragX - m_dragGrab - g.head.left;
                for (RECT* r : {&g.column, &g.head, &g.content, &g.stateBox, &g.dropDown})
                    if (!IsRectEmpty(r)) OffsetRect(r, dx, 0);
                g.filter = g.filterButton = RECT{};
                paintItemBackground(dc, g.head, m_active, true, false);
                paintContent(dc, m_active, g, true);
                if (!lifetime.dead)
                    paintMarker(dc, dividerX(dropOrder(m_dragX)), scale(2),
                                GetSysColor(COLOR_HIGHLIGHT));
            } else if (m_hotDivider >= 0) {
                paintMarker(dc, dividerX(m_hotDivider), scale(2), GetSysColor(COLOR_HIGHLIGHT));
            }
        }
    }
    if (!lifetime.dead && (pre & CDRF_NOTIFYPOSTPAINT))
        customDraw(dc, CDDS_POSTPAINT, client, -1, 0);
    if (m_theme) CloseThemeData(m_theme);
    if (m_buttonTheme) CloseThemeData(m_buttonTheme);
    m_theme = m_buttonTheme = HTHEME();
    RestoreDC(dc, saved);
}

void HeaderControl::paintItem(HDC dc, int index, const ItemGeometry& g, bool pressed, bool hot) {
    const Item& item = m_items[static_cast<std::size_t>(index)];
    paintItemBackground(dc, g.head, index, pressed, hot);
    if (item.format & HDF_OWNERDRAW) {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_HEADER;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID(m_hwnd));
        dis.itemID = static_cast<UINT>(index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = pressed ? ODS_SELECTED : 0;
        dis.hwndItem = m_hwnd;
        dis.hDC = dc;
        dis.rcItem = g.head;
        dis.itemData = static_cast<ULONG_PTR>(item.lParam);
        SendMessageW(GetParent(m_hwnd), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        if (lifetime.dead || !valid(index)) return;
    } else {
        paintContent(dc, index, g, pressed);
        if (lifetime.dead || !valid(index)) return;
    }
    if (!IsRectEmpty(&g.stateBox)) paintStateBox(dc, index, g.stateBox);
    if (!IsRectEmpty(&g.dropDown)) paintDropDown(dc, index, g.dropDown);
    if (style() & HDS_FILTERBAR) paintFilter(dc, index, g);
    if (m_focus == index && GetFocus() == m_hwnd) {
        RECT focus = g.head;
        InflateRect(&focus, -scale(2), -scale(2));
        DrawFocusRect(dc, &focus);
    }
}

void HeaderControl::paintItemBackground(HDC dc, const RECT& rc, int index, bool pressed, bool hot) {
    if (IsRectEmpty(&rc)) return;
    const int format = valid(index) ? m_items[static_cast<std::size_t>(index)].format : 0;
    if (m_theme) {
        int state = pressed ? HIS_PRESSED : hot ? HIS_HOT : HIS_NORMAL;
        if (format & (HDF_SORTUP | HDF_SORTDOWN)) state += HIS_SORTEDNORMAL - HIS_NORMAL;
        DrawThemeBackground(m_theme, dc, HP_HEADERITEM, state, &rc, nullptr);
        return;
    }
    FillSolid(dc, rc, GetSysColor(COLOR_BTNFACE));
    RECT edge = rc;
    if (style() & HDS_FLAT)
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RIGHT);
    else if (pressed)
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    else
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_SOFT);
}

void HeaderControl::paintContent(HDC dc, int index, const ItemGeometry& g, bool pressed) {
    const std::u16string text = textOf(index);
    if (lifetime.dead || !valid(index)) return;
    const int image = imageOf(index);
    if (lifetime.dead || !valid(index)) return;
    const Item& item = m_items[static_cast<std::size_t>(index)];
    RECT area = g.content;
    // A pressed classic button shows its face pushed in by a pixel.
    if (pressed && !m_theme) OffsetRect(&area, 1, 1);
    const int gap = bitmapMargin();

    // The picture: an image of the image list, or the item's bitmap.
    SIZE pic{};
    const bool useImage = (item.format & HDF_IMAGE) && m_images && image >= 0;
    BITMAP bm{};
    if (useImage) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(m_images, &cx, &cy);
        pic = SIZE{cx, cy};
    } else if ((item.format & HDF_BITMAP) && item.bitmap &&
               GetObjectW(item.bitmap, sizeof bm, &bm)) {
        pic = SIZE{bm.bmWidth, bm.bmHeight};
    }
    SIZE textSize{};
    if (!text.empty())
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &textSize);
    const bool sorted = (item.format & (HDF_SORTUP | HDF_SORTDOWN)) != 0;
    const bool up = (item.format & HDF_SORTUP) != 0;
    const int arrow = sorted && !m_theme ? scale(kArrowWidth) : 0;

    // The pieces side by side, the text giving way when they do not fit.
    const int avail = std::max<int>(0, area.right - area.left);
    const int fixed = pic.cx + (pic.cx && textSize.cx ? gap : 0) + (arrow ? gap + arrow : 0);
    const int textWidth = std::clamp<int>(avail - fixed, 0, textSize.cx);
    const int total = std::min(avail, fixed + textWidth);
    int x = area.left;
    switch (item.format & HDF_JUSTIFYMASK) {
        case HDF_RIGHT:
            x = area.right - total;
            break;
        case HDF_CENTER:
            x = area.left + (avail - total) / 2;
            break;
        default:
            break;
    }
    const bool picRight = (item.format & HDF_BITMAP_ON_RIGHT) != 0;
    int picX = x, textX = x + pic.cx + (pic.cx && textSize.cx ? gap : 0);
    if (picRight) {
        textX = x;
        picX = x + textWidth + (textWidth ? gap : 0);
    }
    const int arrowX = std::max(textX + textWidth, picRight ? picX + pic.cx : 0) + gap;

    const int saved = SaveDC(dc);
    IntersectClipRect(dc, g.head.left, g.head.top, g.head.right, g.head.bottom);
    if (pic.cx > 0 && picX + pic.cx <= area.right + gap) {
        const int y = area.top + (area.bottom - area.top - pic.cy) / 2;
        if (useImage) {
            ImageList_Draw(m_images, image, dc, picX, y, ILD_TRANSPARENT);
        } else {
            const HDC mem = CreateCompatibleDC(dc);
            const HGDIOBJ old = SelectObject(mem, item.bitmap);
            BitBlt(dc, picX, y, pic.cx, pic.cy, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
    }
    if (textWidth > 0) {
        RECT tr{textX, area.top, textX + textWidth, area.bottom};
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
        if (item.format & HDF_RTLREADING) format |= DT_RTLREADING;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr, format);
    }
    if (sorted && m_theme) {
        SIZE size{};
        GetThemePartSize(m_theme, dc, HP_HEADERSORTARROW, HSAS_SORTEDUP, nullptr, TS_TRUE, &size);
        const int left = g.head.left + (g.head.right - g.head.left - size.cx) / 2;
        const int top = g.head.top + scale(kArrowTop);
        const RECT rc{left, top, left + size.cx, top + size.cy};
        DrawThemeBackground(m_theme, dc, HP_HEADERSORTARROW, up ? HSAS_SORTEDUP : HSAS_SORTEDDOWN,
                            &rc, nullptr);
    } else if (arrow && arrowX + arrow <= area.right) {
        const int h = scale(kArrowHeight);
        triangle(dc, arrowX, area.top + (area.bottom - area.top - h) / 2, arrow, h, up,
                 GetSysColor(COLOR_BTNSHADOW));
    }
    RestoreDC(dc, saved);
}

void HeaderControl::paintStateBox(HDC dc, int index, const RECT& rc) {
    const bool checked = (m_items[static_cast<std::size_t>(index)].format & HDF_CHECKED) != 0;
    const bool hot = m_hot == index && m_hotPart == HHT_ONITEMSTATEICON;
    if (m_stateImages) {
        // A state image list gives the pictures: the first unchecked, the second checked.
        int cx = 0, cy = 0;
        ImageList_GetIconSize(m_stateImages, &cx, &cy);
        ImageList_Draw(m_stateImages, checked ? 1 : 0, dc, rc.left + (rc.right - rc.left - cx) / 2,
                       rc.top + (rc.bottom - rc.top - cy) / 2, ILD_TRANSPARENT);
    } else if (m_buttonTheme) {
        const int state = checked ? (hot ? CBS_CHECKEDHOT : CBS_CHECKEDNORMAL)
                                  : (hot ? CBS_UNCHECKEDHOT : CBS_UNCHECKEDNORMAL);
        DrawThemeBackground(m_buttonTheme, dc, BP_CHECKBOX, state, &rc, nullptr);
    } else {
        RECT box = rc;
        DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0));
    }
}

void HeaderControl::paintDropDown(HDC dc, int index, const RECT& rc) {
    const bool hotItem = m_hot == index;
    if (m_theme) {
        const int state = hotItem && m_hotPart == HHT_ONDROPDOWN ? HDDS_HOT
                          : hotItem                              ? HDDS_SOFTHOT
                                                                 : HDDS_NORMAL;
        DrawThemeBackground(m_theme, dc, HP_HEADERDROPDOWN, state, &rc, nullptr);
        return;
    }
    RECT edge = rc;
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_LEFT);
    const int w = scale(kArrowWidth) - 1, h = scale(kArrowHeight);
    triangle(dc, rc.left + (rc.right - rc.left - w) / 2, rc.top + (rc.bottom - rc.top - h) / 2, w,
             h, false, GetSysColor(COLOR_BTNTEXT));
}

void HeaderControl::paintFilter(HDC dc, int index, const ItemGeometry& g) {
    const Item& item = m_items[static_cast<std::size_t>(index)];
    RECT cell = g.filter;
    if (!IsRectEmpty(&cell)) {
        FillSolid(dc, cell, GetSysColor(COLOR_WINDOW));
        const COLORREF old = SetDCBrushColor(dc, GetSysColor(COLOR_BTNSHADOW));
        FrameRect(dc, &cell, HBRUSH(GetStockObject(DC_BRUSH)));
        SetDCBrushColor(dc, old);
        const std::u16string text = filterString(item);
        if (!text.empty()) {
            RECT tr = cell;
            InflateRect(&tr, -scale(3), 0);
            const COLORREF colour = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr,
                      DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
            SetTextColor(dc, colour);
        }
    }
    RECT button = g.filterButton;
    if (IsRectEmpty(&button)) return;
    if (m_theme) {
        FillSolid(dc, button, GetSysColor(COLOR_WINDOW));
        const bool hot = m_hot == index && m_hotPart == HHT_ONFILTERBUTTON;
        DrawThemeBackground(m_theme, dc, HP_HEADERDROPDOWNFILTER, hot ? HDDFS_HOT : HDDFS_NORMAL,
                            &button, nullptr);
        return;
    }
    DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH);
    const int w = scale(kArrowWidth) - 1, h = scale(kArrowHeight);
    triangle(dc, button.left + (button.right - button.left - w) / 2,
             button.top + (button.bottom - button.top - h) / 2, w, h, false,
             GetSysColor(COLOR_BTNTEXT));
}

void HeaderControl::paintMarker(HDC dc, int x, int width, COLORREF colour) {
    const RECT row = headRow();
    FillSolid(dc, RECT{x - width / 2, row.top, x - width / 2 + width, row.bottom}, colour);
}

LRESULT HeaderControl::createDragImage(int index) {
    if (!valid(index)) return 0;
    ItemGeometry g = geometry(index);
    const int w = g.head.right - g.head.left, h = g.head.bottom - g.head.top;
    if (w <= 0 || h <= 0) return 0;
    // The item drawn at the origin of a bitmap of its size.
    const int dx = -g.head.left, dy = -g.head.top;
    for (RECT* r : {&g.column, &g.head, &g.content, &g.stateBox, &g.dropDown})
        if (!IsRectEmpty(r)) OffsetRect(r, dx, dy);
    g.filter = g.filterButton = RECT{};
    const HDC screen = GetDC(HWND());
    const HDC mem = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(HWND(), screen);
    const HGDIOBJ oldBitmap = SelectObject(mem, bitmap);
    const HGDIOBJ oldFont = SelectObject(mem, font());
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, GetSysColor(COLOR_BTNTEXT));
    m_theme = OpenThemeData(m_hwnd, u"Header");
    paintItemBackground(mem, g.head, index, false, false);
    paintContent(mem, index, g, false);
    if (m_theme) CloseThemeData(m_theme);
    m_theme = HTHEME();
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBitmap);
    DeleteDC(mem);
    HIMAGELIST list;
    if (!lifetime.dead) {
        list = ImageList_Create(w, h, ILC_COLOR32, 1, 0);
        if (list) ImageList_Add(list, bitmap, HBITMAP());
    }
    DeleteObject(bitmap);
    return static_cast<LRESULT>(list.value);
}

}  // namespace orvane::platform
