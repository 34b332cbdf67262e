#include "platform/user/MenuPainter.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/text/DrawText.h"
#include "platform/text/Text.h"
#include "platform/theme/Theme.h"
#include "platform/user/MenuInternal.h"
#include "platform/user/MenuLayout.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

constexpr COLORREF kThemedText = RGB(0, 0, 0);
constexpr COLORREF kThemedGrey = RGB(109, 109, 109);

// Everything one paint needs: the DC, the fonts, the theme (null in the classic look).
class PaintContext {
public:
    PaintContext(HDC hdc, int dpi) : hdc(hdc), dpi(dpi), mt(MenuLayout::metrics(dpi)) {
        theme = OpenThemeData(HWND(), u"Menu");
        font = MenuLayout::createFont(dpi);
        saved = SaveDC(hdc);
        SelectObject(hdc, font);
        SetBkMode(hdc, TRANSPARENT);
    }
    ~PaintContext() {
        RestoreDC(hdc, saved);
        DeleteObject(font);
        if (bold) DeleteObject(bold);
        if (theme) CloseThemeData(theme);
    }
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;

    void useFont(bool wantBold) {
        if (wantBold && !bold) bold = MenuLayout::createFont(dpi, true);
        SelectObject(hdc, wantBold ? bold : font);
    }
    void fill(const RECT& rc, int colour) { FillRect(hdc, &rc, GetSysColorBrush(colour)); }

    HDC hdc;
    int dpi;
    MenuLayout::Metrics mt;
    HTHEME theme;
    HFONT font;
    HFONT bold;
    int saved = 0;
};

// A classic mark (check, bullet, arrow): DrawFrameControl gives it black on white; it is
// copied with white left out, and inverted first for a white mark on a highlight.
void classicMark(HDC hdc, const RECT& box, UINT kind, bool white) {
    const int w = box.right - box.left, h = box.bottom - box.top;
    if (w <= 0 || h <= 0) return;
    HDC mem = CreateCompatibleDC(hdc);
    HBITMAP bmp = CreateCompatibleBitmap(hdc, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT rc{0, 0, w, h};
    DrawFrameControl(mem, &rc, DFC_MENU, kind);
    if (white) PatBlt(mem, 0, 0, w, h, DSTINVERT);
    TransparentBlt(hdc, box.left, box.top, w, h, mem, 0, 0, w, h,
                   white ? RGB(0, 0, 0) : RGB(255, 255, 255));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

void drawBitmap(HDC hdc, HBITMAP bmp, const RECT& box) {
    BITMAP bm{};
    if (!bmp || !GetObjectW(bmp, sizeof bm, &bm)) return;
    const int h = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    HDC mem = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(mem, bmp);
    const int x = box.left + (box.right - box.left - bm.bmWidth) / 2;
    const int y = box.top + (box.bottom - box.top - h) / 2;
    BitBlt(hdc, x, y, bm.bmWidth, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

UINT ownerState(const MenuItem& item, bool selected) {
    UINT s = 0;
    if (selected) s |= ODS_SELECTED;
    if (item.state & MF_GRAYED) s |= ODS_GRAYED;
    if (item.state & MF_DISABLED) s |= ODS_DISABLED;
    if (item.state & MFS_CHECKED) s |= ODS_CHECKED;
    if (item.state & MFS_DEFAULT) s |= ODS_DEFAULT;
    return s;
}

// Asks the owner to draw an item (or an item's HBMMENU_CALLBACK picture) in `rc`.
void ownerDraw(HWND owner, HMENU menu, const MenuItem& item, HDC hdc, const RECT& rc,
               bool selected) {
    if (!owner) return;
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_MENU;
    dis.itemID = item.id;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = ownerState(item, selected);
    dis.hwndItem = HWND(menu.value);
    dis.hDC = hdc;
    dis.rcItem = rc;
    dis.itemData = item.data;
    const int saved = SaveDC(hdc);
    SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    RestoreDC(hdc, saved);
}

void drawText(PaintContext& pc, const MenuItem& item, RECT rc, UINT align, COLORREF colour) {
    const std::u16string text = MenuLayout::label(item);
    pc.useFont(item.state & MFS_DEFAULT);
    SetTextColor(pc.hdc, colour);
    DrawTextW(pc.hdc, text.data(), static_cast<int>(text.size()), &rc,
              align | DT_SINGLELINE | DT_VCENTER);
    const std::u16string accel = MenuLayout::accelerator(item);
    if (!accel.empty()) {
        rc.right -= pc.mt.arrowWidth;
        DrawTextW(pc.hdc, accel.data(), static_cast<int>(accel.size()), &rc,
                  DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    }
}

void paintPopupItem(PaintContext& pc, HMENU menu, const MenuObject& m, const MenuItem& item,
                    bool selected, HWND owner, int columnRight) {
    const MenuLayout::Metrics& mt = pc.mt;
    RECT rc = item.rect;
    rc.right = std::max<LONG>(rc.right, columnRight);
    const bool disabled = item.disabled();
    if (item.ownerDraw()) {
        ownerDraw(owner, menu, item, pc.hdc, item.rect, selected);
        return;
    }
    const RECT gutter{rc.left, rc.top, rc.left + mt.gutter, rc.bottom};
    if (item.separator()) {
        const int thick = std::max(1, mt.dpi / 96);
        const int y = (rc.top + rc.bottom) / 2;
        RECT line{gutter.right + mt.textGap / 2, y, rc.right - 1, y + thick};
        if (pc.theme) {
            DrawThemeBackground(pc.theme, pc.hdc, MENU_POPUPSEPARATOR, 1, &line, nullptr);
        } else {
            line.top = y - 1;
            line.bottom = y + 1;
            line.left = rc.left + 1;
            DrawEdge(pc.hdc, &line, EDGE_ETCHED, BF_TOP);
        }
        return;
    }
    // The band under the selected item.
    COLORREF text;
    bool whiteMarks = false;
    if (pc.theme) {
        if (selected) {
            RECT band = rc;
            DrawThemeBackground(pc.theme, pc.hdc, MENU_POPUPITEM,
                                disabled ? MPI_DISABLEDHOT : MPI_HOT, &band, nullptr);
        }
        text = disabled ? kThemedGrey : kThemedText;
    } else {
        if (selected) {
            pc.fill(rc, COLOR_HIGHLIGHT);
            whiteMarks = true;
        }
        text = GetSysColor(disabled ? COLOR_GRAYTEXT
                                    : (selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
    // The gutter: a check or radio mark, its own check bitmaps, or the item's picture. A checked
    // item shows its mark in the picture's place, with or without MNS_CHECKORBMP.
    const bool checked = item.state & MFS_CHECKED;
    const HBITMAP own = checked ? item.checked : item.unchecked;
    RECT box = gutter;
    InflateRect(&box, -((mt.gutter - mt.checkSize - 6) / 2), 0);
    box.top = rc.top + (rc.bottom - rc.top - (box.right - box.left)) / 2;
    box.bottom = box.top + (box.right - box.left);
    const bool noCheck = m.style & MNS_NOCHECK;
    if (own && !noCheck) {
        drawBitmap(pc.hdc, own, box);
    } else if (checked && !noCheck) {
        const bool radio = item.type & MFT_RADIOCHECK;
        if (pc.theme) {
            DrawThemeBackground(pc.theme, pc.hdc, MENU_POPUPCHECKBACKGROUND,
                                disabled ? MCB_DISABLED : MCB_NORMAL, &box, nullptr);
            const int state = radio ? (disabled ? MC_BULLETDISABLED : MC_BULLETNORMAL)
                                    : (disabled ? MC_CHECKMARKDISABLED : MC_CHECKMARKNORMAL);
            DrawThemeBackground(pc.theme, pc.hdc, MENU_POPUPCHECK, state, &box, nullptr);
        } else {
            RECT mark = box;
            InflateRect(&mark, -2, -2);
            classicMark(pc.hdc, mark, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK, whiteMarks);
        }
    }
    if (item.bitmap == HBMMENU_CALLBACK) {
        if (!checked) ownerDraw(owner, menu, item, pc.hdc, box, selected);
    } else if (item.bitmap && !(item.type & MFT_BITMAP)) {
        if (!checked) drawBitmap(pc.hdc, item.bitmap, gutter);
    }
    RECT textRc{gutter.right + mt.textGap, rc.top, rc.right, rc.bottom};
    if (item.type & MFT_BITMAP)
        drawBitmap(pc.hdc, item.bitmap,
                   RECT{textRc.left, rc.top, textRc.right - mt.arrowWidth, rc.bottom});
    else
        drawText(pc, item, textRc, DT_LEFT, text);
    if (item.subMenu) {
        RECT arrow{rc.right - mt.arrowWidth, rc.top, rc.right, rc.bottom};
        if (pc.theme) {
            DrawThemeBackground(pc.theme, pc.hdc, MENU_POPUPSUBMENU,
                                disabled ? MSM_DISABLED : MSM_NORMAL, &arrow, nullptr);
        } else {
            const int side = mt.checkSize - 4;
            RECT mark{arrow.left + (mt.arrowWidth - side) / 2,
                      rc.top + (rc.bottom - rc.top - side) / 2, 0, 0};
            mark.right = mark.left + side;
            mark.bottom = mark.top + side;
            classicMark(pc.hdc, mark, DFCS_MENUARROW, whiteMarks);
        }
    }
}

}  // namespace

void MenuPainter::paintPopup(HMENU menu, HWND owner, HDC hdc, int dpi) {
    const MenuObject* m = menus::menuQuiet(menu);
    if (!m) return;
    PaintContext pc(hdc, dpi);
    const RECT whole{0, 0, m->size.cx, m->size.cy};
    // Background and frame.
    if (m->background) {
        FillRect(hdc, &whole, m->background);
    } else if (pc.theme) {
        DrawThemeBackground(pc.theme, hdc, MENU_POPUPBACKGROUND, 1, &whole, nullptr);
    } else {
        pc.fill(whole, COLOR_MENU);
    }
    if (pc.theme) {
        DrawThemeBackground(pc.theme, hdc, MENU_POPUPBORDERS, 1, &whole, nullptr);
    } else {
        RECT edge = whole;
        DrawEdge(hdc, &edge, EDGE_RAISED, BF_RECT);
    }
    // The items, with a gutter line beside each column of them in the themed look. The items
    // are copied first: an owner's WM_DRAWITEM may change the menu.
    const std::vector<MenuItem> items = m->items;
    const int selected = m->selected;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        const bool columnStart = i == 0 || (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK));
        if (columnStart) {
            if (pc.theme && !item.ownerDraw()) {
                const int thick = std::max(1, dpi / 96);
                RECT line{item.rect.left + pc.mt.gutter, pc.mt.border,
                          item.rect.left + pc.mt.gutter + thick, m->size.cy - pc.mt.border};
                DrawThemeBackground(pc.theme, hdc, MENU_POPUPGUTTER, 1, &line, nullptr);
            }
            if (i > 0 && (item.type & MFT_MENUBARBREAK)) {
                RECT bar{item.rect.left - 1, pc.mt.border, item.rect.left + 1,
                         m->size.cy - pc.mt.border};
                DrawEdge(hdc, &bar, EDGE_ETCHED, BF_LEFT);
            }
        }
        const MenuObject* now = menus::menuQuiet(menu);
        if (!now) return;
        paintPopupItem(pc, menu, *now, item, static_cast<int>(i) == selected, owner,
                       item.rect.right);
    }
}

void MenuPainter::paintBar(HMENU menu, HWND owner, HDC hdc, const RECT& bar, int dpi, bool active,
                           bool open) {
    const MenuObject* m = menus::menuQuiet(menu);
    if (!m) return;
    PaintContext pc(hdc, dpi);
    if (m->background)
        FillRect(hdc, &bar, m->background);
    else if (pc.theme)
        DrawThemeBackground(pc.theme, hdc, MENU_BARBACKGROUND, active ? MB_ACTIVE : MB_INACTIVE,
                            &bar, nullptr);
    else
        pc.fill(bar, COLOR_MENUBAR);
    const std::vector<MenuItem> items = m->items;
    const int selected = m->selected;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        RECT rc = item.rect;
        OffsetRect(&rc, bar.left, bar.top);
        const bool sel = static_cast<int>(i) == selected || (item.state & MFS_HILITE);
        if (item.ownerDraw()) {
            ownerDraw(owner, menu, item, hdc, rc, sel);
            continue;
        }
        if (item.separator()) continue;
        const bool disabled = item.disabled();
        COLORREF text;
        if (pc.theme) {
            if (sel) {
                const int state = disabled ? (open ? MBI_DISABLEDPUSHED : MBI_DISABLEDHOT)
                                           : (open ? MBI_PUSHED : MBI_HOT);
                DrawThemeBackground(pc.theme, hdc, MENU_BARITEM, state, &rc, nullptr);
            }
            text = disabled ? kThemedGrey : kThemedText;
        } else {
            if (sel) {
                RECT edge = rc;
                DrawEdge(hdc, &edge, open ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
            }
            text = GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
        }
        if (item.type & MFT_BITMAP) {
            drawBitmap(hdc, item.bitmap, rc);
        } else {
            if (!pc.theme && sel && open) OffsetRect(&rc, 1, 1);
            drawText(pc, item, rc, DT_CENTER, text);
        }
    }
}

}  // namespace orvane::platform
