// The list view's painting: only the items that meet the update rectangle are drawn, each with
// the custom-draw notifications the parent asks for (the item, then each sub-item in report
// view), in the "ListView" theme's colours or the classic ones.
#include <algorithm>

#include "platform/comctl/ListViewControl.h"
#include "platform/gdi/FillSolid.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/DrawText.h"
#include "platform/text/Text.h"
#include "platform/theme/Theme.h"
#include "platform/theme/ThemeParts.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

constexpr int kCellPad = 6;
constexpr COLORREF kGridColor = 0xF0F0F0;
constexpr COLORREF kSelectedColumn = 0xF7F7F7;
constexpr COLORREF kGroupText = 0x993300;  // a dark blue
constexpr COLORREF kGroupLine = 0xF2E4D5;

bool realColor(COLORREF c) {
    return c != CLR_NONE && c != CLR_DEFAULT;
}

// A theme opened for one paint, and closed after it.
struct PaintTheme {
    HTHEME listView, button;
    PaintTheme(HWND hwnd)
        : listView(IsThemeActive() ? OpenThemeData(hwnd, u"ListView") : HTHEME()),
          button(IsThemeActive() ? OpenThemeData(hwnd, u"Button") : HTHEME()) {}
    ~PaintTheme() {
        if (listView) CloseThemeData(listView);
        if (button) CloseThemeData(button);
    }
    PaintTheme(const PaintTheme&) = delete;
    PaintTheme& operator=(const PaintTheme&) = delete;
};

thread_local PaintTheme* g_theme = nullptr;

}  // namespace

LRESULT ListViewControl::customDraw(NMLVCUSTOMDRAW& cd) {
    return notify(NM_CUSTOMDRAW, cd.nmcd.hdr);
}

UINT ListViewControl::drawState(int i) const {
    UINT s = 0;
    const UINT state = itemState(i, LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED);
    if (state & LVIS_SELECTED) s |= CDIS_SELECTED;
    if ((state & LVIS_FOCUSED) && m_focused) s |= CDIS_FOCUS;
    if (state & LVIS_DROPHILITED) s |= CDIS_DROPHILITED;
    if (i == m_hot) s |= CDIS_HOT;
    if (!IsWindowEnabled(m_hwnd)) s |= CDIS_DISABLED;
    return s;
}

void ListViewControl::paint(HDC dc, const RECT& update) {
    m_invalidWhole = RECT{};
    if (!m_scrollBarsValid) updateScrollBars();
    PaintTheme theme(m_hwnd);
    PaintTheme* const outer = g_theme;
    g_theme = &theme;
    const HWND self = m_hwnd;
    const int saved = SaveDC(dc);
    SelectObject(dc, font());
    SetBkMode(dc, TRANSPARENT);

    NMLVCUSTOMDRAW cd;
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = clientRect();
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    cd.clrText = m_textColor;
    cd.clrTextBk = m_textBkColor;
    const LRESULT prepaint = customDraw(cd);
    if (!IsWindow(self)) {
        g_theme = outer;
        return;
    }
    const RECT area = itemsArea();
    RECT clip;
    IntersectRect(&clip, &update, &area);
    // The columns' places hold for the whole paint (a notification that changes them ends it
    // early anyway: the list is invalidated again).
    ColumnPlaces places;
    places.order = columnOrder();
    places.area = area;
    places.left.assign(m_columns.size(), 0);
    for (int x = 0; int c : places.order) {
        places.left[static_cast<std::size_t>(c)] = x;
        x += m_columns[static_cast<std::size_t>(c)].width;
    }
    struct PlacesFor {
        const ColumnPlaces*& slot;
        ~PlacesFor() { slot = nullptr; }
    } placesFor{m_paintOrder};
    m_paintOrder = &places;
    if (!(prepaint & CDRF_SKIPDEFAULT)) {
        paintBackground(dc, update);
        const std::vector<int> shown = itemsIn(clip);
        if (ownerData() && !shown.empty()) {
            NMLVCACHEHINT hint;
            hint.iFrom = shown.front();
            hint.iTo = shown.back();
            notify(LVN_ODCACHEHINT, hint.hdr);
            if (!IsWindow(self)) {
                g_theme = outer;
                return;
            }
        }
        if (grouped()) {
            for (const GroupBlock& b : groupLayout()) {
                if (b.items.empty()) continue;
                const int top = area.top + b.top - m_yOrigin;
                const RECT header{area.left, top, area.right, top + groupHeaderHeight()};
                RECT meet;
                if (IntersectRect(&meet, &header, &clip)) paintGroupHeader(dc, b, header);
            }
        }
        for (int i : shown) {
            if (!validIndex(i)) break;  // the parent changed the list while it painted
            paintItem(dc, i, prepaint);
            if (!IsWindow(self)) {
                g_theme = outer;
                return;
            }
        }
        if (report() && exStyle(LVS_EX_GRIDLINES)) paintGridLines(dc, area);
        paintInsertMark(dc);
        if (m_marquee) paintMarquee(dc);
    }
    if (prepaint & CDRF_NOTIFYPOSTPAINT) {
        cd.nmcd.dwDrawStage = CDDS_POSTPAINT;
        customDraw(cd);
    }
    if (IsWindow(self)) RestoreDC(dc, saved);
    g_theme = outer;
}

void ListViewControl::paintBackground(HDC dc, const RECT& r) {
    if (realColor(m_bkColor)) FillSolid(dc, r, m_bkColor);
    if (m_bkImage) {
        BITMAP bm{};
        GetObjectW(m_bkImage, sizeof(bm), &bm);
        const HDC mem = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(mem, m_bkImage);
        const RECT client = clientRect();
        if (m_bkImageTiled) {
            for (int y = -m_yOrigin % std::max<int>(1, bm.bmHeight); y < client.bottom;
                 y += bm.bmHeight)
                for (int x = -m_xOrigin % std::max<int>(1, bm.bmWidth); x < client.right;
                     x += bm.bmWidth)
                    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
        } else {
            const int x = (client.right - bm.bmWidth) * m_bkOffsetX / 100;
            const int y = (client.bottom - bm.bmHeight) * m_bkOffsetY / 100;
            BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
        }
        SelectObject(mem, old);
        DeleteDC(mem);
    }
    if (report() && m_selectedColumn >= 0 && m_selectedColumn < columnCount() && IsThemeActive()) {
        const RECT area = itemsArea();
        const int left = area.left - m_xOrigin + columnLeft(m_selectedColumn);
        const int bottom = std::min<int>(area.bottom, area.top - m_yOrigin + contentSize().cy);
        const RECT col{left, area.top,
                       left + m_columns[static_cast<std::size_t>(m_selectedColumn)].width, bottom};
        RECT meet;
        if (IntersectRect(&meet, &col, &r)) FillSolid(dc, meet, kSelectedColumn);
    }
}

void ListViewControl::paintSelection(HDC dc, const RECT& r, UINT state) {
    const bool selected = (state & (CDIS_SELECTED | CDIS_DROPHILITED)) != 0;
    const bool showSelection =
        m_focused || (style() & LVS_SHOWSELALWAYS) || (state & CDIS_DROPHILITED);
    if (g_theme && g_theme->listView) {
        int part = 0;
        if (selected && showSelection)
            part = (state & CDIS_HOT) ? LISS_HOTSELECTED
                                      : (m_focused ? LISS_SELECTED : LISS_SELECTEDNOTFOCUS);
        else if (state & CDIS_HOT)
            part = LISS_HOT;
        if (part) DrawThemeBackground(g_theme->listView, dc, LVP_LISTITEM, part, &r, nullptr);
        return;
    }
    if (selected && showSelection)
        FillSolid(
            dc, r,
            GetSysColor(m_focused || (state & CDIS_DROPHILITED) ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
}

void ListViewControl::paintCheck(HDC dc, const RECT& r, UINT stateImage) {
    if (stateImage == 0) return;
    if (m_state) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(m_state, &cx, &cy);
        ImageList_Draw(m_state, static_cast<int>(stateImage) - 1, dc,
                       r.left + (r.right - r.left - cx) / 2, r.top + (r.bottom - r.top - cy) / 2,
                       ILD_TRANSPARENT);
        return;
    }
    if (!exStyle(LVS_EX_CHECKBOXES)) return;
    const bool checked = stateImage >= 2;
    const int box = std::min<int>(13 * static_cast<int>(GetDpiForSystem()) / 96,
                                  std::min(r.right - r.left, r.bottom - r.top));
    RECT b{r.left + (r.right - r.left - box) / 2, r.top + (r.bottom - r.top - box) / 2, 0, 0};
    b.right = b.left + box;
    b.bottom = b.top + box;
    if (g_theme && g_theme->button) {
        DrawThemeBackground(g_theme->button, dc, BP_CHECKBOX,
                            checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, &b, nullptr);
        return;
    }
    DrawFrameControl(dc, &b, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
}

void ListViewControl::paintItem(HDC dc, int i, LRESULT prepaint) {
    NMLVCUSTOMDRAW cd;
    cd.nmcd.hdc = dc;
    cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(i);
    cd.nmcd.rc = itemRect(i, LVIR_BOUNDS);
    cd.nmcd.uItemState = drawState(i);
    if (!ownerData()) cd.nmcd.lItemlParam = m_items[static_cast<std::size_t>(i)].lParam;
    cd.clrText = m_textColor;
    cd.clrTextBk = m_textBkColor;
    cd.dwItemType = LVCDI_ITEM;
    LRESULT answer = CDRF_DODEFAULT;
    const HWND self = m_hwnd;
    if (prepaint & CDRF_NOTIFYITEMDRAW) {
        answer = customDraw(cd);
        if (!IsWindow(self) || !validIndex(i)) return;
    }
    if (!(answer & CDRF_NEWFONT)) SelectObject(dc, font());
    if (!(answer & CDRF_SKIPDEFAULT)) {
        if (report())
            paintReportItem(dc, i, cd, answer);
        else
            paintIconItem(dc, i, cd);
        if (!IsWindow(self) || !validIndex(i)) return;
    }
    if (answer & CDRF_NOTIFYPOSTPAINT) {
        cd.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT;
        cd.iSubItem = 0;
        customDraw(cd);
    }
    if (IsWindow(self)) SelectObject(dc, font());
}

void ListViewControl::paintReportItem(HDC dc, int i, NMLVCUSTOMDRAW& cd, LRESULT itemAnswer) {
    const HWND self = m_hwnd;
    const UINT state = cd.nmcd.uItemState;
    const RECT row = subItemRect(i, 0, LVIR_BOUNDS);
    // The selection: the whole row with full-row select, else the first column's content,
    // measured only for an item that shows a selection, a hot look or the focus.
    RECT selection = row;
    const bool marked = (state & (CDIS_SELECTED | CDIS_DROPHILITED | CDIS_HOT | CDIS_FOCUS)) != 0;
    if (!exStyle(LVS_EX_FULLROWSELECT) && marked) {
        selection = subItemRect(i, 0, LVIR_SELECTBOUNDS);
        const std::u16string text = cellText(i, 0);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        const RECT label = subItemRect(i, 0, LVIR_LABEL);
        selection.right = std::min<LONG>(label.right, label.left + size.cx + 2 * kCellPad);
        selection.left = subItemRect(i, 0, LVIR_ICON).left;
    }
    const COLORREF itemText = cd.clrText, itemBack = cd.clrTextBk;
    const bool noSelect = (itemAnswer & LVCDRF_NOSELECT) != 0;
    if (!noSelect) paintSelection(dc, selection, state);
    const bool classicHighlight =
        !(g_theme && g_theme->listView) && (state & (CDIS_SELECTED | CDIS_DROPHILITED)) &&
        (m_focused || (style() & LVS_SHOWSELALWAYS) || (state & CDIS_DROPHILITED)) && !noSelect;
    std::vector<int> ownOrder;
    const std::vector<int>& order = m_paintOrder ? m_paintOrder->order : (ownOrder = columnOrder());
    for (int c : order) {
        if (c >= columnCount()) break;
        RECT cell = subItemRect(i, c, LVIR_BOUNDS);
        if (c == 0)
            cell =
                RECT{itemsArea().left - m_xOrigin + columnLeft(0), row.top,
                     itemsArea().left - m_xOrigin + columnLeft(0) + m_columns[0].width, row.bottom};
        RECT visible;
        if (!IntersectRect(&visible, &cell, &cd.nmcd.rc) && cell.right > cell.left) continue;
        cd.iSubItem = c;
        cd.clrText = itemText;
        cd.clrTextBk = itemBack;
        LRESULT answer = CDRF_DODEFAULT;
        if (itemAnswer & CDRF_NOTIFYSUBITEMDRAW) {
            cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
            answer = customDraw(cd);
            if (!IsWindow(self) || !validIndex(i)) return;
        }
        if (!(answer & CDRF_NEWFONT)) SelectObject(dc, font());
        if (!(answer & CDRF_SKIPDEFAULT)) {
            // A colour the parent gave paints the cell's background, outside the highlight.
            const bool highlighted = classicHighlight && (exStyle(LVS_EX_FULLROWSELECT) || c == 0);
            if (realColor(cd.clrTextBk) && cd.clrTextBk != m_bkColor && !highlighted)
                FillSolid(dc, cell, cd.clrTextBk);
            COLORREF text = realColor(cd.clrText) ? cd.clrText : m_textColor;
            if (highlighted)
                text = GetSysColor(m_focused || (state & CDIS_DROPHILITED) ? COLOR_HIGHLIGHTTEXT
                                                                           : COLOR_BTNTEXT);
            if (state & CDIS_DISABLED) text = GetSysColor(COLOR_GRAYTEXT);
            SetTextColor(dc, text);
            paintCell(dc, i, c, cell, cd);
            if (!IsWindow(self) || !validIndex(i)) return;
        }
        if (answer & CDRF_NOTIFYPOSTPAINT) {
            cd.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT | CDDS_SUBITEM;
            customDraw(cd);
            if (!IsWindow(self) || !validIndex(i)) return;
        }
    }
    cd.iSubItem = 0;
    if ((state & CDIS_FOCUS) && m_focused) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        DrawFocusRect(dc, &selection);
    }
}

void ListViewControl::paintCell(HDC dc, int i, int subItem, const RECT& cell, NMLVCUSTOMDRAW&) {
    // Images are clipped to the cell; text is clipped to its label, which lies inside the cell
    // unless the column is too narrow for the padding. The DC's clip changes only when needed.
    int saved = 0;
    auto clipToCell = [&] {
        if (saved) return;
        saved = SaveDC(dc);
        IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
    };
    if (subItem == 0) {
        const UINT stateImage = (itemState(i, LVIS_STATEIMAGEMASK) >> 12) & 0xF;
        const RECT stateRect = stateIconRect(i);
        if (!IsRectEmpty(&stateRect)) {
            clipToCell();
            paintCheck(dc, stateRect, stateImage);
        }
    }
    const RECT icon = subItemRect(i, subItem, LVIR_ICON);
    if (m_small && icon.right > icon.left) {
        const int image = cellImage(i, subItem);
        if (image >= 0) {
            clipToCell();
            UINT flags = ILD_TRANSPARENT;
            if (subItem == 0) {
                const UINT state = itemState(i, LVIS_OVERLAYMASK | LVIS_CUT | LVIS_SELECTED);
                flags |= state & LVIS_OVERLAYMASK;
                if (state & LVIS_CUT) flags |= ILD_BLEND50;
            }
            ImageList_Draw(m_small, image, dc, icon.left, icon.top, flags);
        }
    }
    const std::u16string text = cellText(i, subItem);
    if (!text.empty()) {
        RECT label = subItemRect(i, subItem, LVIR_LABEL);
        label.left += subItem == 0 ? 2 : kCellPad;
        label.right -= subItem == 0 ? 2 : kCellPad;
        if (label.left > label.right || label.left < cell.left || label.right > cell.right ||
            label.top < cell.top || label.bottom > cell.bottom)
            clipToCell();
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
        const int align =
            subItem < columnCount()
                ? (m_columns[static_cast<std::size_t>(subItem)].fmt & LVCFMT_JUSTIFYMASK)
                : 0;
        if (align == LVCFMT_RIGHT) flags |= DT_RIGHT;
        if (align == LVCFMT_CENTER) flags |= DT_CENTER;
        HFONT underline{};
        if (i == m_hot && exStyle(LVS_EX_UNDERLINEHOT)) underline = underlineFont();
        const HGDIOBJ old = underline ? SelectObject(dc, underline) : HGDIOBJ();
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &label, flags);
        if (underline) SelectObject(dc, old);
    }
    if (saved) RestoreDC(dc, saved);
}

void ListViewControl::paintIconItem(HDC dc, int i, NMLVCUSTOMDRAW& cd) {
    const UINT state = cd.nmcd.uItemState;
    const RECT icon = iconRect(i);
    RECT label = labelRect(i);
    const bool big = m_view == LV_VIEW_ICON || m_view == LV_VIEW_TILE;
    const HIMAGELIST list = big ? m_normal : m_small;
    const bool themed = g_theme && g_theme->listView;
    if (themed) {
        RECT bounds;
        UnionRect(&bounds, &icon, &label);
        InflateRect(&bounds, 2, 1);
        paintSelection(dc, bounds, state);
    }
    const UINT stateImage = (itemState(i, LVIS_STATEIMAGEMASK) >> 12) & 0xF;
    const RECT stateRect = stateIconRect(i);
    if (!IsRectEmpty(&stateRect)) paintCheck(dc, stateRect, stateImage);
    if (list) {
        const int image = cellImage(i, 0);
        if (image >= 0) {
            UINT flags = ILD_TRANSPARENT | (itemState(i, LVIS_OVERLAYMASK) & LVIS_OVERLAYMASK);
            if (itemState(i, LVIS_CUT)) flags |= ILD_BLEND50;
            if (!themed && (state & CDIS_SELECTED) && m_focused) flags |= ILD_SELECTED;
            ImageList_Draw(list, image, dc, icon.left, icon.top, flags);
        }
    }
    const bool showSelection =
        (state & (CDIS_SELECTED | CDIS_DROPHILITED)) &&
        (m_focused || (style() & LVS_SHOWSELALWAYS) || (state & CDIS_DROPHILITED));
    if (!themed) paintSelection(dc, label, state);
    COLORREF text = realColor(cd.clrText) ? cd.clrText : m_textColor;
    if (!themed && showSelection)
        text = GetSysColor(m_focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    SetTextColor(dc, text);
    const std::u16string caption = cellText(i, 0);
    UINT flags = DT_NOPREFIX | DT_END_ELLIPSIS;
    if (m_view == LV_VIEW_ICON)
        flags |= DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL;
    else
        flags |= DT_SINGLELINE | DT_VCENTER;
    RECT inner = label;
    InflateRect(&inner, -2, 0);
    if (m_view == LV_VIEW_TILE) {
        // The caption, then the first sub-items in grey beneath it.
        const int lineH = metrics().tmHeight;
        RECT line{inner.left, inner.top, inner.right, inner.top + lineH};
        DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &line,
                  DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        for (int c = 1; c < std::min(3, columnCount()); ++c) {
            OffsetRect(&line, 0, lineH);
            const std::u16string sub = cellText(i, c);
            DrawTextW(dc, sub.data(), static_cast<int>(sub.size()), &line,
                      DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    } else {
        HFONT underline{};
        if (i == m_hot && exStyle(LVS_EX_UNDERLINEHOT)) underline = underlineFont();
        const HGDIOBJ old = underline ? SelectObject(dc, underline) : HGDIOBJ();
        DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &inner, flags);
        if (underline) SelectObject(dc, old);
    }
    if ((state & CDIS_FOCUS) && m_focused) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        DrawFocusRect(dc, &label);
    }
}

void ListViewControl::paintGroupHeader(HDC dc, const GroupBlock& block, const RECT& r) {
    const Group& g = m_groups[static_cast<std::size_t>(block.group)];
    RECT text = r;
    text.left += 10;
    text.right -= 10;
    std::u16string caption = g.header;
    if (!g.subtitle.empty()) caption += u"  " + g.subtitle;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (g.align & LVGA_HEADER_CENTER) flags |= DT_CENTER;
    if (g.align & LVGA_HEADER_RIGHT) flags |= DT_RIGHT;
    SetTextColor(dc, IsThemeActive() ? kGroupText : GetSysColor(COLOR_WINDOWTEXT));
    RECT measured = text;
    DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &measured, flags | DT_CALCRECT);
    DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &text, flags);
    // A line runs from the caption to the edge (or the collapse button).
    const int buttonSize = (g.state & LVGS_COLLAPSIBLE) ? r.bottom - r.top : 0;
    const int lineY = (r.top + r.bottom) / 2;
    const int lineLeft = (flags & (DT_CENTER | DT_RIGHT))
                             ? text.left
                             : std::min<int>(text.right, measured.right + 8);
    const RECT line{lineLeft, lineY, r.right - 10 - buttonSize, lineY + 1};
    if (line.right > line.left)
        FillSolid(dc, line, IsThemeActive() ? kGroupLine : GetSysColor(COLOR_BTNSHADOW));
    if (buttonSize) {
        const RECT button{r.right - 8 - buttonSize, r.top, r.right - 8, r.bottom};
        const bool collapsed = (g.state & LVGS_COLLAPSED) != 0;
        if (g_theme && g_theme->listView) {
            DrawThemeBackground(g_theme->listView, dc,
                                collapsed ? LVP_EXPANDBUTTON : LVP_COLLAPSEBUTTON, 1, &button,
                                nullptr);
        } else {
            RECT b = button;
            InflateRect(&b, -3, -3);
            DrawFrameControl(dc, &b, DFC_SCROLL, collapsed ? DFCS_SCROLLDOWN : DFCS_SCROLLUP);
        }
    }
    if ((g.state & LVGS_FOCUSED) && m_focused && m_focusedGroup == block.group) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        DrawFocusRect(dc, &r);
    }
}

void ListViewControl::paintGridLines(HDC dc, const RECT& area) {
    const COLORREF colour = IsThemeActive() ? kGridColor : GetSysColor(COLOR_BTNFACE);
    const int h = rowHeight();
    // Rows reach down the whole window, below the last item too.
    if (!grouped()) {
        for (int y = area.top + h - 1 - (m_yOrigin % h); y < area.bottom; y += h) {
            const RECT line{area.left, y, area.right, y + 1};
            FillSolid(dc, line, colour);
        }
    }
    int x = area.left - m_xOrigin;
    for (int c : columnOrder()) {
        if (c >= columnCount()) break;  // a column went while the list painted
        x += m_columns[static_cast<std::size_t>(c)].width;
        if (x <= area.left || x > area.right) continue;
        const RECT line{x - 1, area.top, x, area.bottom};
        FillSolid(dc, line, colour);
    }
}

void ListViewControl::paintInsertMark(HDC dc) {
    if (!validIndex(m_insertMark.iItem)) return;
    const RECT r = itemRect(m_insertMark.iItem, LVIR_BOUNDS);
    const bool after = (m_insertMark.dwFlags & LVIM_AFTER) != 0;
    RECT line;
    if (report() || m_view == LV_VIEW_LIST) {
        const int y = after ? r.bottom - 1 : r.top;
        line = RECT{r.left, y - 1, r.right, y + 1};
    } else {
        const int x = after ? r.right : r.left;
        line = RECT{x - 1, r.top, x + 1, r.bottom};
    }
    FillSolid(dc, line, m_insertMarkColor);
}

void ListViewControl::paintMarquee(HDC dc) {
    const RECT area = itemsArea();
    RECT r{std::min(m_marqueeFrom.x, m_marqueeTo.x), std::min(m_marqueeFrom.y, m_marqueeTo.y),
           std::max(m_marqueeFrom.x, m_marqueeTo.x), std::max(m_marqueeFrom.y, m_marqueeTo.y)};
    OffsetRect(&r, area.left - m_xOrigin, area.top - m_yOrigin);
    if (IsThemeActive()) {
        // A translucent accent box.
        const RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 64, 0};
        const HDC mem = CreateCompatibleDC(dc);
        const HBITMAP bm = CreateCompatibleBitmap(dc, 1, 1);
        const HGDIOBJ old = SelectObject(mem, bm);
        SetPixel(mem, 0, 0, 0xD77800);
        if (inner.right > inner.left && inner.bottom > inner.top)
            AlphaBlend(dc, inner.left, inner.top, inner.right - inner.left,
                       inner.bottom - inner.top, mem, 0, 0, 1, 1, blend);
        SelectObject(mem, old);
        DeleteObject(bm);
        DeleteDC(mem);
        const COLORREF oldBrush = SetDCBrushColor(dc, 0xD77800);
        FrameRect(dc, &r, HBRUSH(GetStockObject(DC_BRUSH)));
        SetDCBrushColor(dc, oldBrush);
    } else {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        DrawFocusRect(dc, &r);
    }
}

HFONT ListViewControl::underlineFont() {
    if (!m_underlineFont) {
        LOGFONTW lf{};
        GetObjectW(font(), sizeof(lf), &lf);
        lf.lfUnderline = TRUE;
        m_underlineFont = CreateFontIndirectW(&lf);
    }
    return m_underlineFont;
}

}  // namespace orvane::platform
