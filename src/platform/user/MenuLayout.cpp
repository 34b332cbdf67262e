#include "platform/user/MenuLayout.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/text/DrawText.h"
#include "platform/text/Text.h"
#include "platform/user/MenuInternal.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

int scaled(int length, int dpi) {
    return (length * dpi + 48) / 96;
}

// A DC to measure text in, with the menu font selected; both go when it does.
class MeasureDc {
public:
    explicit MeasureDc(int dpi) : m_dc(CreateCompatibleDC(HDC())) {
        m_font = MenuLayout::createFont(dpi);
        m_bold = MenuLayout::createFont(dpi, true);
        m_old = SelectObject(m_dc, m_font);
        TEXTMETRICW tm;
        GetTextMetricsW(m_dc, &tm);
        m_height = tm.tmHeight;
    }
    ~MeasureDc() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_font);
        DeleteObject(m_bold);
        DeleteDC(m_dc);
    }
    MeasureDc(const MeasureDc&) = delete;
    MeasureDc& operator=(const MeasureDc&) = delete;

    // The width of text as DrawTextW shows it (prefixes taken out).
    int width(const std::u16string& text, bool bold) {
        if (text.empty()) return 0;
        SelectObject(m_dc, bold ? m_bold : m_font);
        RECT rc{0, 0, 0, 0};
        DrawTextW(m_dc, text.data(), static_cast<int>(text.size()), &rc,
                  DT_SINGLELINE | DT_CALCRECT);
        return rc.right - rc.left;
    }
    int height() const { return m_height; }

private:
    HDC m_dc;
    HFONT m_font, m_bold;
    HGDIOBJ m_old;
    int m_height = 0;
};

SIZE bitmapSize(HBITMAP bmp) {
    BITMAP bm{};
    if (!bmp || bmp == HBMMENU_CALLBACK || !GetObjectW(bmp, sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
}

// Asks the owner for an owner-drawn item's size. False when the menu went away meanwhile.
bool measureOwnerDrawn(HMENU menu, std::size_t index, HWND owner) {
    MenuObject* m = menus::menuQuiet(menu);
    if (!m || index >= m->items.size()) return false;
    MenuItem& item = m->items[index];
    if (item.measured) return true;
    MEASUREITEMSTRUCT mis;
    mis.CtlType = ODT_MENU;
    mis.itemID = item.id;
    mis.itemData = item.data;
    if (owner) SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    m = menus::menuQuiet(menu);
    if (!m || index >= m->items.size()) return false;
    m->items[index].ownerSize = SIZE{static_cast<LONG>(std::min<UINT>(mis.itemWidth, 32767)),
                                     static_cast<LONG>(std::min<UINT>(mis.itemHeight, 32767))};
    m->items[index].measured = true;
    return true;
}

}  // namespace

MenuLayout::Metrics MenuLayout::metrics(int dpi) {
    Metrics m;
    m.dpi = dpi;
    m.border = scaled(3, dpi);
    m.itemHeight = scaled(22, dpi);
    m.separatorHeight = scaled(9, dpi);
    m.gutter = scaled(28, dpi);
    m.textGap = scaled(8, dpi);
    m.accelGap = scaled(24, dpi);
    m.arrowWidth = scaled(22, dpi);
    m.checkSize = scaled(15, dpi);
    m.barPadding = scaled(7, dpi);
    m.barRowHeight = scaled(20, dpi);
    return m;
}

HFONT MenuLayout::createFont(int dpi, bool bold) {
    NONCLIENTMETRICSW ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    LOGFONTW lf = ncm.lfMenuFont;
    // The metrics are the screen's; another DPI scales the height.
    const int screenDpi = static_cast<int>(GetDpiForSystem());
    if (screenDpi > 0 && screenDpi != dpi) lf.lfHeight = lf.lfHeight * dpi / screenDpi;
    if (bold) lf.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&lf);
}

std::u16string MenuLayout::label(const MenuItem& item) {
    const auto tab = item.text.find(u'\t');
    return tab == std::u16string::npos ? item.text : item.text.substr(0, tab);
}

std::u16string MenuLayout::accelerator(const MenuItem& item) {
    const auto tab = item.text.find(u'\t');
    return tab == std::u16string::npos ? std::u16string() : item.text.substr(tab + 1);
}

bool MenuLayout::layoutPopup(HMENU menu, HWND owner, int dpi) {
    MenuObject* m = menus::menuQuiet(menu);
    if (!m) return false;
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        if (m->items[i].ownerDraw() && !measureOwnerDrawn(menu, i, owner)) return false;
        m = menus::menuQuiet(menu);
        if (!m) return false;
    }
    const Metrics mt = metrics(dpi);
    MeasureDc dc(dpi);
    const int textHeight = dc.height();
    // Columns: a break starts a new one. Each column is as wide as its widest item.
    struct Column {
        std::size_t first = 0, last = 0;
        int labelWidth = 0, accelWidth = 0, ownerWidth = 0, height = 0;
        bool arrow = false;
    };
    std::vector<Column> columns;
    std::vector<int> heights(m->items.size());
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& item = m->items[i];
        if (columns.empty() || (i > 0 && (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK)))) {
            columns.push_back(Column{i, i});
        }
        Column& c = columns.back();
        c.last = i;
        int h;
        if (item.separator()) {
            h = mt.separatorHeight;
        } else if (item.ownerDraw()) {
            // The check mark's width is added to what the owner asks for, as Windows does.
            c.ownerWidth = std::max<int>(c.ownerWidth, item.ownerSize.cx + mt.checkSize - 1);
            h = item.ownerSize.cy;
        } else {
            const SIZE bmp = bitmapSize(item.bitmap);
            h = std::max({mt.itemHeight, textHeight + scaled(6, dpi),
                          static_cast<int>(bmp.cy) + scaled(4, dpi)});
            if (item.type & MFT_BITMAP) {
                c.labelWidth = std::max<int>(c.labelWidth, bmp.cx);
            } else {
                c.labelWidth =
                    std::max(c.labelWidth, dc.width(label(item), item.state & MFS_DEFAULT));
                c.accelWidth = std::max(c.accelWidth, dc.width(accelerator(item), false));
            }
            if (item.subMenu) c.arrow = true;
        }
        heights[i] = h;
        c.height += h;
    }
    int x = mt.border, bottom = 0;
    for (const Column& c : columns) {
        int width = mt.gutter + mt.textGap + c.labelWidth +
                    (c.accelWidth ? mt.accelGap + c.accelWidth : 0) + mt.arrowWidth;
        width = std::max(width, c.ownerWidth);
        int y = mt.border;
        for (std::size_t i = c.first; i <= c.last; ++i) {
            m->items[i].rect = RECT{x, y, x + width, y + heights[i]};
            y += heights[i];
        }
        bottom = std::max(bottom, y);
        x += width;
    }
    if (columns.empty()) x += scaled(40, dpi);  // an empty menu still shows a small frame
    m->size = SIZE{x + mt.border, std::max(bottom, mt.border) + mt.border};
    m->layoutVersion = m->version;
    m->layoutDpi = dpi;
    return true;
}

int MenuLayout::layoutBar(HMENU menu, HWND owner, int width, int dpi) {
    MenuObject* m = menus::menuQuiet(menu);
    if (!m) return 0;
    if (m->layoutVersion == m->version && m->layoutWidth == width && m->layoutDpi == dpi)
        return m->size.cy;
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        if (m->items[i].ownerDraw() && !measureOwnerDrawn(menu, i, owner)) return 0;
        m = menus::menuQuiet(menu);
        if (!m) return 0;
    }
    const Metrics mt = metrics(dpi);
    MeasureDc dc(dpi);
    const int rowHeight = mt.barRowHeight;
    // Items flow left to right and wrap onto a new row when the next one does not fit (or
    // after a break); a right-justified item and those after it move to the row's right end.
    int x = 0, y = 0, rowStart = 0, justifyFrom = -1;
    auto finishRow = [&](int end) {
        if (justifyFrom < 0) return;
        const int shift = width - x;
        if (shift > 0)
            for (int k = justifyFrom; k < end; ++k)
                OffsetRect(&m->items[static_cast<std::size_t>(k)].rect, shift, 0);
        justifyFrom = -1;
    };
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& item = m->items[i];
        int w;
        if (item.ownerDraw())
            w = item.ownerSize.cx;
        else if (item.type & MFT_BITMAP)
            w = bitmapSize(item.bitmap).cx + 2 * mt.barPadding;
        else if (item.separator())
            w = scaled(6, dpi);
        else
            w = dc.width(label(item), item.state & MFS_DEFAULT) + 2 * mt.barPadding;
        const bool breakHere = i > 0 && (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK));
        if (static_cast<int>(i) > rowStart && (breakHere || x + w > width)) {
            finishRow(static_cast<int>(i));
            x = 0;
            y += rowHeight;
            rowStart = static_cast<int>(i);
        }
        if ((item.type & MFT_RIGHTJUSTIFY) && justifyFrom < 0) justifyFrom = static_cast<int>(i);
        item.rect = RECT{x, y, x + w, y + rowHeight};
        x += w;
    }
    finishRow(static_cast<int>(m->items.size()));
    m->size = SIZE{width, y + rowHeight};
    m->layoutVersion = m->version;
    m->layoutWidth = width;
    m->layoutDpi = dpi;
    return m->size.cy;
}

int MenuLayout::itemAt(const MenuObject& m, POINT p) {
    for (std::size_t i = 0; i < m.items.size(); ++i)
        if (PtInRect(&m.items[i].rect, p)) return static_cast<int>(i);
    return -1;
}

}  // namespace orvane::platform
