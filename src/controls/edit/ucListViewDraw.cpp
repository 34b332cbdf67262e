// What the list view draws itself, answering the custom-draw notifications of its list and its
// header: the progress-bar and ranking columns, the cell and header colour and font hooks, the
// header items (check boxes, split buttons, sort arrows), and the drag image of the selection.
#include <algorithm>
#include <array>
#include <cmath>

#include "controls/edit/ucListView.h"
#include "platform/theme/Theme.h"
#include "platform/theme/ThemeParts.h"

namespace orvane {

using namespace platform;

namespace {

constexpr int kStar = 16;  // each ranking icon's width
constexpr COLORREF kHeaderFill = 0xF0F0F0;
constexpr COLORREF kDragRow = 0xFFF0D7;  // RGB(215, 240, 255)

// A five-pointed star in the 16-pixel box at (x, y), for ranking columns given no icons: its
// points worked out once, drawn with the DC's own brush and pen.
void drawStar(HDC dc, int x, int y, COLORREF fill, COLORREF edge) {
    static const std::array<POINT, 10> shape = [] {
        std::array<POINT, 10> pts{};
        for (int i = 0; i < 10; ++i) {
            const double angle = -M_PI / 2 + i * M_PI / 5;
            const double radius = (i % 2 == 0) ? 7.5 : 3.2;
            pts[static_cast<std::size_t>(i)] =
                POINT{8 + static_cast<LONG>(std::lround(radius * std::cos(angle))),
                      8 + static_cast<LONG>(std::lround(radius * std::sin(angle)))};
        }
        return pts;
    }();
    std::array<POINT, 10> pts = shape;
    for (POINT& p : pts)
        p.x += x, p.y += y;
    const COLORREF oldFill = SetDCBrushColor(dc, fill), oldEdge = SetDCPenColor(dc, edge);
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
    Polygon(dc, pts.data(), static_cast<int>(pts.size()));
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SetDCBrushColor(dc, oldFill);
    SetDCPenColor(dc, oldEdge);
}

}  // namespace

std::int32_t ucListView::RankingIconHandle(std::int32_t state) const {
    if (state < rStateNormal || state > rStateActive) return 0;
    return static_cast<std::int32_t>(m_rankingIcons[state].value);
}

void ucListView::RankingIconHandle(std::int32_t state, std::int32_t icon) {
    if (state < rStateNormal || state > rStateActive) InvalidPropertyValue(u"RankingIconHandle");
    m_rankingIcons[state] = HICON(static_cast<std::uint32_t>(icon));
    if (m_list) InvalidateRect(m_list, nullptr, FALSE);
}

void ucListView::paintProgress(HDC dc, const RECT& r, int percent) {
    percent = std::clamp(percent, 0, 100);
    const int width = r.right - r.left;
    if (m_progressUseTheme && m_progressTheme) {
        DrawThemeBackground(m_progressTheme, dc, PP_BAR, 1, &r, nullptr);
        if (percent > 0) {
            const int inner = std::max(0, width - 2);
            const RECT chunk{r.left + 1, r.top + 3, r.left + 1 + percent * inner / 100,
                             r.bottom - 3};
            DrawThemeBackground(m_progressTheme, dc, PP_CHUNK, 2, &chunk, nullptr);
        }
    } else {
        const COLORREF back =
            m_list ? static_cast<COLORREF>(send(LVM_GETBKCOLOR)) : GetSysColor(COLOR_WINDOW);
        const HPEN pen = CreatePen(PS_SOLID, 1, TranslateColor(m_progressBorderColor));
        const HBRUSH brush = CreateSolidBrush(back);
        const HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
        if (percent > 0) {
            const RECT fill{r.left + 1, r.top + 1, r.left + 1 + percent * (width - 2) / 100,
                            r.bottom - 1};
            const HBRUSH fillBrush = CreateSolidBrush(TranslateColor(m_progressFillColor));
            FillRect(dc, &fill, fillBrush);
            DeleteObject(fillBrush);
        }
    }
    if (m_progressTextVisible) {
        const std::u16string text = CStr(Variant(static_cast<std::int32_t>(percent)));
        RECT box = r;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, TranslateColor(m_progressTextColor));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void ucListView::paintRanking(HDC dc, const RECT& r, int lit, bool hotRow) {
    lit = std::clamp(lit, 0, 5);
    const int y = r.top + (r.bottom - r.top - kStar) / 2;
    const bool hover = hotRow && !m_rankingLocked;
    for (int i = 0; i < 5; ++i) {
        const int x = r.left + kStar * i;
        const int state = i < lit ? (hover ? rStateHover : rStateActive) : rStateNormal;
        if (const HICON icon = m_rankingIcons[state]) {
            DrawIconEx(dc, x, y, icon, 0, 0, 0, HBRUSH(), DI_NORMAL);
            continue;
        }
        // Without the program's icons: gold stars lit, blue ones previewed, grey ones unlit.
        switch (state) {
            case rStateActive:
                drawStar(dc, x, y, 0x00C0FF, 0x0090D0);
                break;
            case rStateHover:
                drawStar(dc, x, y, 0xFFC080, 0xD08040);
                break;
            default:
                drawStar(dc, x, y, 0xF0F0F0, 0xA0A0A0);
                break;
        }
    }
}

LRESULT ucListView::onListCustomDraw(NMLVCUSTOMDRAW& cd) {
    if (m_viewMode != vmDetails) return CDRF_DODEFAULT;
    const DWORD stage = cd.nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (stage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
    const int item = static_cast<int>(cd.nmcd.dwItemSpec);
    const int sub = cd.iSubItem;
    if (stage == (CDDS_ITEMPOSTPAINT | CDDS_SUBITEM)) {
        // A font the cell hook chose goes once its cell is drawn.
        if (m_cellFont) {
            SelectObject(cd.nmcd.hdc, m_hfont);
            DeleteObject(m_cellFont);
            m_cellFont = HFONT();
        }
        return CDRF_DODEFAULT;
    }
    if (stage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) return CDRF_DODEFAULT;
    if (sub == m_progressColumn) {
        const RECT r = subItemRect(item, sub);
        paintProgress(cd.nmcd.hdc, r, static_cast<int>(cellNumber(SubItemText(item, sub))));
        return CDRF_SKIPDEFAULT;
    }
    if (sub == m_rankingColumn) {
        RECT r = subItemRect(item, sub);
        InflateRect(&r, -1, -1);
        int value = static_cast<int>(cellNumber(SubItemText(item, sub)));
        const bool hot = item == m_hotItem;
        // The hot row previews the count under the pointer.
        if (hot && !m_rankingLocked && PtInRect(&r, m_mouse))
            value = (m_mouse.x - r.left) / kStar + 1;
        paintRanking(cd.nmcd.hdc, r, value, hot);
        return CDRF_SKIPDEFAULT;
    }
    if (!m_raisePrePaint) return CDRF_DODEFAULT;
    std::shared_ptr<StdFont> font = m_font ? m_font : ambientFontCopy();
    std::vector<Variant> args{Variant(static_cast<std::int32_t>(item)),
                              Variant(static_cast<std::int32_t>(sub)),
                              Variant(static_cast<std::int32_t>(cd.clrTextBk)),
                              Variant(static_cast<std::int32_t>(cd.clrText)),
                              Variant(std::static_pointer_cast<Object>(font)),
                              Variant(true)};
    const HDC dc = cd.nmcd.hdc;
    if (!raise(evOnSubItemPrePaint, args) || !CBool(args[5])) return CDRF_DODEFAULT;
    cd.clrTextBk = TranslateColor(static_cast<OLE_COLOR>(CLng(args[2])));
    cd.clrText = TranslateColor(static_cast<OLE_COLOR>(CLng(args[3])));
    auto chosen = std::dynamic_pointer_cast<StdFont>(
        args[4].kind() == Variant::Kind::Object ? args[4].object() : nullptr);
    if (chosen && !FontsEqual(chosen, font)) {
        LOGFONTW lf = chosen->logFont(dpi());
        if (m_cellFont) DeleteObject(m_cellFont);
        m_cellFont = CreateFontIndirectW(&lf);
        SelectObject(dc, m_cellFont);
        return CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT;
    }
    return CDRF_DODEFAULT;
}

LRESULT ucListView::onHeaderCustomDraw(NMCUSTOMDRAW& cd) {
    const HWND header = cd.hdr.hwndFrom;
    // With the filter bar the header draws itself, filters and all.
    if (GetWindowLongW(header, GWL_STYLE) & HDS_FILTERBAR) return CDRF_DODEFAULT;
    const HDC dc = cd.hdc;
    if (cd.dwDrawStage == CDDS_PREPAINT) {
        // The strip right of the last item shows white.
        const HBRUSH white = CreateSolidBrush(0xFFFFFF);
        FillRect(dc, &cd.rc, white);
        DeleteObject(white);
        return CDRF_NOTIFYITEMDRAW | CDRF_SKIPDEFAULT;
    }
    if (cd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const int column = static_cast<int>(cd.dwItemSpec);
    COLORREF text = GetTextColor(dc), back = 0xFFFFFF;
    bool opaque = true;
    HFONT chosenFont{};
    if (m_raisePrePaint) {
        std::shared_ptr<StdFont> font = m_font ? m_font : ambientFontCopy();
        std::vector<Variant> args{Variant(static_cast<std::int32_t>(column)),
                                  Variant(static_cast<std::int32_t>(back)),
                                  Variant(static_cast<std::int32_t>(text)),
                                  Variant(std::static_pointer_cast<Object>(font)), Variant(true)};
        if (!raise(evOnHeaderPrePaint, args)) return CDRF_SKIPDEFAULT;
        if (CBool(args[4])) {
            back = TranslateColor(static_cast<OLE_COLOR>(CLng(args[1])));
            text = TranslateColor(static_cast<OLE_COLOR>(CLng(args[2])));
            auto chosen = std::dynamic_pointer_cast<StdFont>(
                args[3].kind() == Variant::Kind::Object ? args[3].object() : nullptr);
            if (chosen && !FontsEqual(chosen, font)) {
                LOGFONTW lf = chosen->logFont(dpi());
                chosenFont = CreateFontIndirectW(&lf);
            }
        } else {
            opaque = false;
        }
    }
    RECT item = cd.rc;
    const HBRUSH fill = CreateSolidBrush(opaque && m_raisePrePaint ? back : kHeaderFill);
    FillRect(dc, &item, fill);
    DeleteObject(fill);
    DrawEdge(dc, &item, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM);
    HDITEMW info;
    info.mask = HDI_FORMAT | HDI_IMAGE;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&info));
    RECT content = item;
    // The column's check box, in a 16-pixel box at its left.
    if ((GetWindowLongW(header, GWL_STYLE) & HDS_CHECKBOXES) && (info.fmt & HDF_CHECKBOX)) {
        const int box = scaledForDpi(16);
        RECT b{item.left + 2, item.top + (item.bottom - item.top - box) / 2, 0, 0};
        b.right = b.left + box;
        b.bottom = b.top + box;
        const bool checked = (info.fmt & HDF_CHECKED) != 0;
        const HTHEME theme = IsThemeActive() ? OpenThemeData(header, u"Button") : HTHEME();
        if (theme) {
            DrawThemeBackground(theme, dc, BP_CHECKBOX,
                                checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, &b, nullptr);
            CloseThemeData(theme);
        } else {
            DrawFrameControl(dc, &b, DFC_BUTTON, DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0));
        }
        content.left = b.right + 2;
    }
    if (info.fmt & HDF_SPLITBUTTON) {
        RECT drop{};
        if (SendMessageW(header, HDM_GETITEMDROPDOWNRECT, static_cast<WPARAM>(column),
                         reinterpret_cast<LPARAM>(&drop)))
            DrawFrameControl(dc, &drop, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_FLAT);
    }
    const HIMAGELIST images =
        HIMAGELIST(static_cast<std::uint32_t>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0)));
    if (images && (info.fmt & HDF_IMAGE) && info.iImage >= 0) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        ImageList_Draw(images, info.iImage, dc, item.right - 20,
                       item.top + (item.bottom - item.top - cy) / 2, ILD_TRANSPARENT);
    }
    // The sort arrow, a small triangle centred at the top.
    if (info.fmt & (HDF_SORTUP | HDF_SORTDOWN)) {
        const int mid = (item.left + item.right) / 2, top = item.top + 1;
        const bool up = (info.fmt & HDF_SORTUP) != 0;
        const POINT tri[3] = {{mid - 4, up ? top + 4 : top},
                              {mid + 4, up ? top + 4 : top},
                              {mid, up ? top : top + 4}};
        const HBRUSH arrow = CreateSolidBrush(0x808080);
        const HPEN none = HPEN(GetStockObject(NULL_PEN));
        const HGDIOBJ oldBrush = SelectObject(dc, arrow), oldPen = SelectObject(dc, none);
        Polygon(dc, tri, 3);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(arrow);
    }
    RECT textBox{content.left + 6, content.top + 2, content.right - 6 - 18, content.bottom - 2};
    const std::u16string caption = ColumnText(column);
    const HGDIOBJ oldFont = chosenFont ? SelectObject(dc, chosenFont) : HGDIOBJ();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    const int align = info.fmt & HDF_JUSTIFYMASK;
    if (align == HDF_RIGHT) flags |= DT_RIGHT;
    if (align == HDF_CENTER) flags |= DT_CENTER;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textBox, flags);
    if (chosenFont) {
        SelectObject(dc, oldFont);
        DeleteObject(chosenFont);
    }
    return CDRF_SKIPDEFAULT;
}

void ucListView::onRankingClick() {
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(m_list, &pt);
    LVHITTESTINFO hit;
    hit.pt = pt;
    const int item = static_cast<int>(send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (item < 0) return;
    const RECT cell = subItemRect(item, m_rankingColumn);
    if (!PtInRect(&cell, pt)) return;
    std::vector<Variant> args{Variant(static_cast<std::int32_t>(item)),
                              Variant(static_cast<std::int32_t>((pt.x - cell.left) / kStar + 1))};
    if (!raise(evRanking, args)) return;
    SubItemSet(item, m_rankingColumn, CStr(args[1]), -1);
}

std::u16string ucListView::dragCaption(std::int32_t count, bool copy) {
    return std::u16string(copy ? u" + Copy " : u" + Move ") + CStr(Variant(count)) + u" Item(s) ";
}

HIMAGELIST ucListView::createDragImage(bool copy, POINT* origin) {
    if (!m_list) return HIMAGELIST();
    RECT client{};
    GetClientRect(m_list, &client);
    // The selected items on screen, and the rectangle their labels span.
    std::vector<std::pair<int, RECT>> items;
    RECT span{};
    const int top = TopIndex();
    const int last = m_viewMode == vmDetails ? top + PageCount() + 1 : Count();
    for (int i = GetSelectedNexItem(top - 1); i >= 0 && i <= last; i = GetSelectedNexItem(i)) {
        const RECT label = itemRect(i, LVIR_SELECTBOUNDS);
        RECT meet;
        if (!IntersectRect(&meet, &label, &client)) continue;
        items.emplace_back(i, label);
        if (items.size() == 1)
            span = label;
        else
            UnionRect(&span, &span, &label);
    }
    if (items.empty()) return HIMAGELIST();
    if (origin) *origin = POINT{span.left, span.top};
    const std::u16string caption = dragCaption(static_cast<std::int32_t>(items.size()), copy);
    const HDC screen = GetDC(m_list);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ oldFont =
        SelectObject(dc, m_hfont ? HGDIOBJ(m_hfont) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE captionSize{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &captionSize);
    const int width = std::max<int>(span.right - span.left, captionSize.cx);
    const int height = (span.bottom - span.top) + captionSize.cy;
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const RECT all{0, 0, width, height};
    const HBRUSH windowBrush = CreateSolidBrush(window);
    FillRect(dc, &all, windowBrush);
    DeleteObject(windowBrush);
    const HBRUSH rowBrush = CreateSolidBrush(kDragRow);
    const HIMAGELIST icons = m_viewMode == vmIcon || m_viewMode == vmTile ? m_large : m_small;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    for (const auto& [i, rect] : items) {
        RECT row = rect;
        OffsetRect(&row, -span.left, -span.top);
        FillRect(dc, &row, rowBrush);
        const RECT icon = itemRect(i, LVIR_ICON);
        const int image = ItemIcon(i);
        if (icons && image >= 0)
            ImageList_Draw(icons, image, dc, icon.left - span.left, icon.top - span.top,
                           ILD_TRANSPARENT);
        RECT label = itemRect(i, LVIR_LABEL);
        OffsetRect(&label, -span.left, -span.top);
        InflateRect(&label, -2, 0);
        const std::u16string text = ItemText(i);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    DeleteObject(rowBrush);
    RECT line{0, span.bottom - span.top, width, height};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &line,
              DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldBitmap);
    SelectObject(dc, oldFont);
    const HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 1);
    if (list) ImageList_AddMasked(list, bitmap, window);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(m_list, screen);
    return list;
}

}  // namespace orvane
