// The tooltip's geometry (one layout routine for sizing, placing and painting) and its drawing:
// a rectangle with a one-pixel border, or a balloon (a rounded rectangle with a stem) shaped by
// the colour key of its layered window; the title in bold beside its icon, then the text.
#include <algorithm>

#include "platform/comctl/ToolTipControl.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/DrawText.h"
#include "platform/text/Text.h"
#include "platform/user/User.h"

namespace orvane::platform {

namespace {

// Sizes at 96 DPI.
constexpr int kPadX = 4;          // border and space beside the text of a standard tip
constexpr int kPadY = 3;          // border and space above and below it
constexpr int kBalloonPadX = 10;  // inside a balloon
constexpr int kBalloonPadY = 8;
constexpr int kCorner = 16;  // the ellipse of a balloon's rounded corners
constexpr int kStemHeight = 13;
constexpr int kStemWidth = 15;
constexpr int kStemInset = 16;  // from the balloon's side to its stem
constexpr int kIconGap = 6;     // between the icon and the title
constexpr int kTitleGap = 6;    // between the title row and the text
constexpr int kSmallIcon = 16;
constexpr int kLargeIcon = 32;

bool largeIcon(UINT icon) {
    return icon >= TTI_INFO_LARGE && icon <= TTI_ERROR_LARGE;
}

}  // namespace

bool ToolTipControl::balloon() const {
    return (GetWindowLongW(m_hwnd, GWL_STYLE) & TTS_BALLOON) != 0;
}

bool ToolTipControl::rtlLayout() const {
    return (GetWindowLongW(m_hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

int ToolTipControl::scale(int px) const {
    const HDC screen = GetDC(HWND());
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(HWND(), screen);
    return px * dpi / 96;
}

UINT ToolTipControl::textFormat(const Tool* tool) const {
    UINT format = DT_EXPANDTABS;
    // A width limit wraps the text at word breaks; without one the tip is a single line.
    format |= m_maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    // Without TTS_NOPREFIX an ampersand is taken out, so a menu text can serve as a tip.
    format |= (GetWindowLongW(m_hwnd, GWL_STYLE) & TTS_NOPREFIX) ? DT_NOPREFIX : DT_HIDEPREFIX;
    if (tool && (tool->flags & TTF_RTLREADING)) format |= DT_RTLREADING;
    if (rtlLayout()) format |= DT_RIGHT;
    return format;
}

SIZE ToolTipControl::measureText(HDC dc, const std::u16string& text, UINT format) const {
    if (text.empty()) return SIZE{};
    RECT rc{0, 0, m_maxWidth > 0 ? m_maxWidth : 0x7FFF, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, format | DT_CALCRECT);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

ToolTipControl::Layout ToolTipControl::layout(const std::u16string& text, const Tool* tool,
                                              bool stemBelow, int stemX) const {
    Layout l;
    const HDC dc = GetDC(m_hwnd);
    if (!dc) return l;
    const HGDIOBJ oldFont = SelectObject(dc, m_font);
    const SIZE textSize = measureText(dc, text, textFormat(tool) & ~DT_RIGHT);
    SIZE titleSize{};
    if (!m_title.empty()) {
        SelectObject(dc, m_titleFont ? m_titleFont : m_font);
        titleSize = measureText(dc, m_title, DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(m_hwnd, dc);

    const int iconSize =
        m_titleIcon == TTI_NONE ? 0 : scale(largeIcon(m_titleIcon) ? kLargeIcon : kSmallIcon);
    const bool titleRow = iconSize > 0 || titleSize.cx > 0;
    const int rowWidth = iconSize + (iconSize && titleSize.cx ? scale(kIconGap) : 0) + titleSize.cx;
    const int rowHeight = std::max<int>(iconSize, titleSize.cy);
    const int gap = titleRow && textSize.cy ? scale(kTitleGap) : 0;
    const int contentW = std::max<int>(rowWidth, textSize.cx);
    const int contentH = rowHeight + gap + textSize.cy;

    const bool isBalloon = balloon();
    const int padX = scale(isBalloon ? kBalloonPadX : kPadX);
    const int padY = scale(isBalloon ? kBalloonPadY : kPadY);
    const int bodyW = contentW + 2 * padX + m_margin.left + m_margin.right;
    const int bodyH = contentH + 2 * padY + m_margin.top + m_margin.bottom;
    const int stem = isBalloon ? scale(kStemHeight) : 0;
    l.window = SIZE{bodyW, bodyH + stem};
    l.body = RECT{0, stemBelow ? 0 : stem, bodyW, (stemBelow ? 0 : stem) + bodyH};

    // Content, mirrored for a right-to-left layout.
    const int left = l.body.left + padX + m_margin.left;
    const int right = l.body.right - padX - m_margin.right;
    int y = l.body.top + padY + m_margin.top;
    const bool rtl = rtlLayout();
    if (iconSize) {
        const int top = y + (rowHeight - iconSize) / 2;
        l.icon = rtl ? RECT{right - iconSize, top, right, top + iconSize}
                     : RECT{left, top, left + iconSize, top + iconSize};
    }
    if (titleSize.cx) {
        const int offset = iconSize ? iconSize + scale(kIconGap) : 0;
        l.title = rtl ? RECT{right - offset - titleSize.cx, y, right - offset, y + rowHeight}
                      : RECT{left + offset, y, left + offset + titleSize.cx, y + rowHeight};
    }
    y += rowHeight + gap;
    l.text = RECT{left, y, right, y + textSize.cy};

    if (isBalloon) {
        // A right-angled stem: one side straight above (or below) the point it points at.
        const int edge = stemBelow ? l.body.bottom - 1 : l.body.top;
        const int tipY = stemBelow ? l.window.cy - 1 : 0;
        const int width = scale(kStemWidth);
        const bool leftward = stemX > bodyW / 2;
        const int baseX = leftward ? stemX - width : stemX + width;
        l.stem[0] = POINT{stemX, tipY};
        l.stem[1] = POINT{stemX, edge};
        l.stem[2] = POINT{baseX, edge};
        l.hasStem = true;
    }
    return l;
}

SIZE ToolTipControl::bodySize(const std::u16string& text, const Tool* tool) const {
    const Layout l = layout(text, tool, false, 0);
    return SIZE{l.body.right - l.body.left, l.body.bottom - l.body.top};
}

void ToolTipControl::place(const Anchor& anchor) {
    const Tool* tool = m_current && *m_current < m_tools.size() ? &m_tools[*m_current] : nullptr;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const SIZE body = bodySize(m_shownText, tool);
    const POINT pt = anchor.pt;
    int x = 0, y = 0;
    bool stemBelow = false;
    int stemX = 0;
    if (!balloon()) {
        if (anchor.absolute) {
            x = pt.x;
            y = pt.y;
        } else {
            x = anchor.centred ? pt.x - body.cx / 2 : pt.x;
            y = pt.y + anchor.gap;
            // Kept on the screen: above the point when there is no room below it.
            if (y + body.cy > work.bottom) y = pt.y - body.cy - std::max(anchor.gap / 4, 2);
            x = std::clamp<int>(x, work.left, std::max<int>(work.left, work.right - body.cx));
            y = std::max<int>(y, work.top);
        }
        m_layout = layout(m_shownText, tool, false, 0);
    } else {
        const int stem = scale(kStemHeight);
        const int inset = scale(kStemInset);
        const int height = body.cy + stem;
        if (anchor.absolute) {
            x = pt.x;
            y = pt.y;
            stemX = inset;
        } else {
            // The stem's point on the anchor: the balloon below it, or above when it does not
            // fit; to the right of it, or to the left when it does not fit.
            y = pt.y;
            if (y + height > work.bottom) {
                y = pt.y - height + 1;
                stemBelow = true;
            }
            x = anchor.centred ? pt.x - body.cx / 2 : pt.x - inset;
            if (x + body.cx > work.right) x = pt.x - body.cx + inset;
            x = std::clamp<int>(x, work.left, std::max<int>(work.left, work.right - body.cx));
            stemX =
                std::clamp<int>(pt.x - x, inset / 2, std::max<int>(inset / 2, body.cx - inset / 2));
        }
        m_layout = layout(m_shownText, tool, stemBelow, stemX);
    }
    applyShape();
    SetWindowPos(m_hwnd, HWND(), x, y, m_layout.window.cx, m_layout.window.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

COLORREF ToolTipControl::keyColor() const {
    // A colour the tip itself never draws: not its own colours nor a blend of them.
    const COLORREF candidates[] = {RGB(255, 0, 255), RGB(0, 255, 1), RGB(1, 2, 255)};
    for (COLORREF c : candidates)
        if (c != m_back && c != m_fore) return c;
    return candidates[0];
}

void ToolTipControl::applyShape() {
    if (balloon())
        SetLayeredWindowAttributes(m_hwnd, keyColor(), 255, LWA_COLORKEY);
    else
        SetLayeredWindowAttributes(m_hwnd, 0, 255, 0);
}

void ToolTipControl::ensureFonts() {
    if (!m_ownFont) {
        NONCLIENTMETRICSW ncm;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
            m_ownFont = CreateFontIndirectW(&ncm.lfStatusFont);
    }
    if (!m_font) m_font = m_ownFont;
    if (!m_titleFont && m_font) {
        LOGFONTW lf;
        if (GetObjectW(m_font, sizeof lf, &lf)) {
            lf.lfWeight = FW_BOLD;
            m_titleFont = CreateFontIndirectW(&lf);
        }
    }
}

void ToolTipControl::paint(HDC dc) {
    ensureFonts();
    // The tip lays itself out for WS_EX_LAYOUTRTL already (icon and text at the right), so it
    // draws in the screen's order even through a mirrored window's DC.
    const DWORD oldLayout = SetLayout(dc, 0);
    RECT client;
    GetClientRect(m_hwnd, &client);
    const HBRUSH back = CreateSolidBrush(m_back);
    const HBRUSH border = CreateSolidBrush(m_fore);
    if (m_layout.hasStem && balloon()) {
        const HBRUSH key = CreateSolidBrush(keyColor());
        FillRect(dc, &client, key);
        DeleteObject(key);
        const RECT& b = m_layout.body;
        const int corner = scale(kCorner);
        const HRGN shape = CreateRoundRectRgn(b.left, b.top, b.right, b.bottom, corner, corner);
        const HRGN stem = CreatePolygonRgn(m_layout.stem, 3, WINDING);
        // The stem's base overlaps the body's edge so that the two make one outline.
        CombineRgn(shape, shape, stem, RGN_OR);
        FillRgn(dc, shape, back);
        FrameRgn(dc, shape, border, 1, 1);
        DeleteObject(stem);
        DeleteObject(shape);
    } else {
        FillRect(dc, &client, back);
        FrameRect(dc, &client, border);
    }
    DeleteObject(back);
    DeleteObject(border);

    if (m_titleIcon != TTI_NONE) paintIcon(dc, m_layout.icon);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_fore);
    const HGDIOBJ oldFont = SelectObject(dc, m_titleFont ? m_titleFont : m_font);
    if (!m_title.empty()) {
        RECT rc = m_layout.title;
        DrawTextW(dc, m_title.c_str(), static_cast<int>(m_title.size()), &rc,
                  DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | (rtlLayout() ? DT_RIGHT : 0));
    }
    SelectObject(dc, m_font);
    const Tool* tool = m_current && *m_current < m_tools.size() ? &m_tools[*m_current] : nullptr;
    RECT rc = m_layout.text;
    DrawTextW(dc, m_shownText.c_str(), static_cast<int>(m_shownText.size()), &rc,
              textFormat(tool) | DT_NOCLIP);
    SelectObject(dc, oldFont);
    SetLayout(dc, oldLayout);
}

void ToolTipControl::paintIcon(HDC dc, const RECT& rc) const {
    const int s = rc.right - rc.left;
    if (s <= 0) return;
    if (m_titleIconCopy) {
        DrawIconEx(dc, rc.left, rc.top, m_titleIconCopy, s, rc.bottom - rc.top, 0, HBRUSH(),
                   DI_NORMAL);
        return;
    }
    const int cx = rc.left + s / 2;
    const int stroke = std::max(2, s / 8);
    const UINT kind = m_titleIcon > TTI_ERROR ? m_titleIcon - 3 : m_titleIcon;
    const COLORREF fill = kind == TTI_INFO      ? RGB(0, 103, 192)
                          : kind == TTI_WARNING ? RGB(252, 200, 0)
                                                : RGB(215, 35, 35);
    const HBRUSH brush = CreateSolidBrush(fill);
    const HPEN pen = CreatePen(PS_SOLID, 1, fill);
    const HGDIOBJ oldBrush = SelectObject(dc, brush);
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    if (kind == TTI_WARNING) {
        const POINT tri[3] = {
            {cx, rc.top}, {rc.right - 1, rc.bottom - 1}, {rc.left, rc.bottom - 1}};
        Polygon(dc, tri, 3);
    } else {
        Ellipse(dc, rc.left, rc.top, rc.right, rc.bottom);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);

    // The glyph: "i" in white, "!" in black, a white cross.
    const COLORREF ink = kind == TTI_WARNING ? RGB(0, 0, 0) : RGB(255, 255, 255);
    const HBRUSH inkBrush = CreateSolidBrush(ink);
    const int half = stroke / 2;
    if (kind == TTI_INFO) {
        const RECT dot{cx - half, rc.top + s * 3 / 16, cx - half + stroke,
                       rc.top + s * 3 / 16 + stroke};
        const RECT bar{cx - half, rc.top + s * 7 / 16, cx - half + stroke, rc.top + s * 13 / 16};
        FillRect(dc, &dot, inkBrush);
        FillRect(dc, &bar, inkBrush);
    } else if (kind == TTI_WARNING) {
        const RECT bar{cx - half, rc.top + s * 5 / 16, cx - half + stroke, rc.top + s * 10 / 16};
        const RECT dot{cx - half, rc.top + s * 12 / 16, cx - half + stroke,
                       rc.top + s * 12 / 16 + stroke};
        FillRect(dc, &bar, inkBrush);
        FillRect(dc, &dot, inkBrush);
    } else {
        const HPEN inkPen = CreatePen(PS_SOLID, stroke, ink);
        const HGDIOBJ old = SelectObject(dc, inkPen);
        const int a = s * 5 / 16, b = s - 1 - s * 5 / 16;
        MoveToEx(dc, rc.left + a, rc.top + a, nullptr);
        LineTo(dc, rc.left + b, rc.top + b);
        MoveToEx(dc, rc.left + b, rc.top + a, nullptr);
        LineTo(dc, rc.left + a, rc.top + b);
        SelectObject(dc, old);
        DeleteObject(inkPen);
    }
    DeleteObject(inkBrush);
}

LRESULT ToolTipControl::adjustRect(bool larger, RECT* rc) const {
    if (!rc) return FALSE;
    // The text rectangle sits inside the window by the padding and the margins (a balloon's
    // stem is left out: it may go above or below).
    const bool isBalloon = balloon();
    const int padX = scale(isBalloon ? kBalloonPadX : kPadX);
    const int padY = scale(isBalloon ? kBalloonPadY : kPadY);
    const RECT in{padX + m_margin.left, padY + m_margin.top, padX + m_margin.right,
                  padY + m_margin.bottom};
    const int sign = larger ? 1 : -1;
    rc->left -= sign * in.left;
    rc->top -= sign * in.top;
    rc->right += sign * in.right;
    rc->bottom += sign * in.bottom;
    return TRUE;
}

}  // namespace orvane::platform
