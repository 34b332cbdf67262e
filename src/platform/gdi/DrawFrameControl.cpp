// DrawFrameControl: push buttons, check boxes, radio buttons, scroll arrows, size grips,
// caption buttons and menu glyphs, drawn with edges and pixel glyphs in the system colours.
#include <algorithm>
#include <cmath>

#include "platform/gdi/FillSolid.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/user/SystemMetrics.h"

namespace orvane::platform {

namespace {

constexpr UINT kStateFlags = DFCS_INACTIVE | DFCS_PUSHED | DFCS_CHECKED | DFCS_TRANSPARENT |
                             DFCS_HOT | DFCS_ADJUSTRECT | DFCS_FLAT | DFCS_MONO;

void fillSys(HDC hdc, const RECT& rc, int sysColor) {
    FillRect(hdc, &rc, GetSysColorBrush(sysColor));
}

// The part of a logical rectangle that the DC can draw, for glyphs drawn pixel by pixel.
RECT visiblePart(HDC hdc, const RECT& rc) {
    RECT clip, out;
    if (GetClipBox(hdc, &clip) == ERROR || !IntersectRect(&out, &clip, &rc)) return RECT{};
    return out;
}

bool inside(const RECT& rc, int x, int y) {
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

// A square of side min(width, height) centred in the rectangle.
RECT centredSquare(const RECT& rc) {
    const int side = std::min(rc.right - rc.left, rc.bottom - rc.top);
    const int x = rc.left + (rc.right - rc.left - side) / 2;
    const int y = rc.top + (rc.bottom - rc.top - side) / 2;
    return RECT{x, y, x + side, y + side};
}

// The classic check mark: seven columns, each a run of three pixels.
void drawCheckMark(HDC hdc, const RECT& box, COLORREF color) {
    static constexpr int kStart[7] = {2, 3, 4, 3, 2, 1, 0};
    const int side = std::min(box.right - box.left, box.bottom - box.top);
    const int scale = std::max(1, side / 13);
    const int glyph = 7 * scale;
    const int x0 = box.left + (box.right - box.left - glyph) / 2;
    const int y0 = box.top + (box.bottom - box.top - glyph) / 2;
    for (int c = 0; c < 7; ++c) {
        const RECT col{x0 + c * scale, y0 + kStart[c] * scale, x0 + (c + 1) * scale,
                       y0 + (kStart[c] + 3) * scale};
        FillSolid(hdc, col, color);
    }
}

// A filled triangle pointing in a direction, centred in the rectangle: depth rows (or
// columns) from a one-pixel tip to a base of 2 * depth - 1 pixels.
void drawArrow(HDC hdc, const RECT& rc, UINT direction, COLORREF color, int dx = 0, int dy = 0) {
    const int side = std::min(rc.right - rc.left, rc.bottom - rc.top);
    const int depth = std::max(1, (side + 1) / 4);
    const int cx = (rc.left + rc.right) / 2 + dx, cy = (rc.top + rc.bottom) / 2 + dy;
    const int top = cy - depth / 2, left = cx - depth / 2;
    for (int i = 0; i < depth; ++i) {
        RECT line;
        switch (direction) {
            case DFCS_SCROLLUP:
                line = RECT{cx - i, top + i, cx + i + 1, top + i + 1};
                break;
            case DFCS_SCROLLLEFT:
                line = RECT{left + i, cy - i, left + i + 1, cy + i + 1};
                break;
            case DFCS_SCROLLRIGHT: {
                const int h = depth - 1 - i;
                line = RECT{left + i, cy - h, left + i + 1, cy + h + 1};
                break;
            }
            default: {  // down and combo box
                const int h = depth - 1 - i;
                line = RECT{cx - h, top + i, cx + h + 1, top + i + 1};
                break;
            }
        }
        FillSolid(hdc, line, color);
    }
}

void drawGlyphArrow(HDC hdc, const RECT& rc, UINT direction, UINT state) {
    const int shift = (state & DFCS_PUSHED) ? 1 : 0;
    if (state & DFCS_INACTIVE) {
        drawArrow(hdc, rc, direction, GetSysColor(COLOR_BTNHIGHLIGHT), 1, 1);
        drawArrow(hdc, rc, direction, GetSysColor(COLOR_BTNSHADOW));
    } else {
        drawArrow(hdc, rc, direction, GetSysColor(COLOR_BTNTEXT), shift, shift);
    }
}

// The raised or pushed frame behind scroll arrows and caption buttons.
void drawButtonFrame(HDC hdc, RECT rc, UINT state) {
    if (state & DFCS_MONO) {
        DrawEdge(hdc, &rc, BDR_SUNKEN, BF_RECT | BF_MIDDLE | BF_MONO);
    } else if (state & DFCS_FLAT) {
        DrawEdge(hdc, &rc, (state & DFCS_PUSHED) ? BDR_SUNKENOUTER : 0,
                 BF_RECT | BF_MIDDLE | BF_FLAT);
        if (!(state & DFCS_PUSHED)) fillSys(hdc, rc, COLOR_BTNFACE);
    } else if (state & (DFCS_PUSHED | DFCS_CHECKED)) {
        DrawEdge(hdc, &rc, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_SOFT);
    } else {
        DrawEdge(hdc, &rc, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);
    }
}

BOOL drawButton(HDC hdc, RECT* rc, UINT state) {
    const UINT kind = state & 0x1F;
    if (kind == DFCS_BUTTONPUSH) {
        RECT r = *rc;
        UINT flags = BF_RECT | BF_MIDDLE | BF_SOFT;
        if (state & DFCS_FLAT) flags = BF_RECT | BF_MIDDLE | BF_FLAT;
        if (state & DFCS_MONO) flags = BF_RECT | BF_MIDDLE | BF_MONO;
        DrawEdge(hdc, &r, (state & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED,
                 flags | ((state & DFCS_ADJUSTRECT) ? BF_ADJUST : 0));
        if (state & DFCS_ADJUSTRECT) *rc = r;
        return TRUE;
    }
    if (kind == DFCS_BUTTONCHECK || kind == DFCS_BUTTON3STATE) {
        RECT box = centredSquare(*rc);
        const bool grey = (state & (DFCS_INACTIVE | DFCS_PUSHED)) ||
                          (kind == DFCS_BUTTON3STATE && (state & DFCS_CHECKED));
        if (state & (DFCS_FLAT | DFCS_MONO)) {
            FrameRect(hdc, &box,
                      GetSysColorBrush((state & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW));
            InflateRect(&box, -1, -1);
        } else {
            DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        }
        fillSys(hdc, box, grey ? COLOR_BTNFACE : COLOR_WINDOW);
        if (state & DFCS_CHECKED) {
            const bool dim = (state & DFCS_INACTIVE) || kind == DFCS_BUTTON3STATE;
            drawCheckMark(hdc, box, GetSysColor(dim ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
        }
        return TRUE;
    }
    if (kind == DFCS_BUTTONRADIO || kind == DFCS_BUTTONRADIOIMAGE || kind == DFCS_BUTTONRADIOMASK) {
        const RECT box = centredSquare(*rc);
        const int side = box.right - box.left;
        const double r = side / 2.0, cx = box.left + r, cy = box.top + r;
        if (kind == DFCS_BUTTONRADIOMASK) FillSolid(hdc, box, RGB(255, 255, 255));
        const bool grey = state & (DFCS_INACTIVE | DFCS_PUSHED);
        // Only the visible part of the circle is worked out, pixel by pixel.
        const RECT area = visiblePart(hdc, box);
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
                const double d = std::sqrt(dx * dx + dy * dy);
                if (d > r) continue;
                COLORREF c;
                if (kind == DFCS_BUTTONRADIOMASK) {
                    c = RGB(0, 0, 0);
                } else if (d > r - 1) {
                    const bool upperLeft = dx + dy < 0;
                    c = GetSysColor((state & (DFCS_FLAT | DFCS_MONO)) ? COLOR_BTNSHADOW
                                    : upperLeft                       ? COLOR_BTNSHADOW
                                                                      : COLOR_BTNHIGHLIGHT);
                } else if (d > r - 2 && !(state & (DFCS_FLAT | DFCS_MONO))) {
                    c = GetSysColor(dx + dy < 0 ? COLOR_3DDKSHADOW : COLOR_3DLIGHT);
                } else if ((state & DFCS_CHECKED) && d <= r / 3.0) {
                    c = GetSysColor((state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
                } else {
                    c = GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW);
                }
                SetPixelV(hdc, x, y, c);
            }
        }
        return TRUE;
    }
    ReportUnsupported("DrawFrameControl", "button state", ERROR_INVALID_PARAMETER);
    return FALSE;
}

BOOL drawScroll(HDC hdc, RECT* rc, UINT state) {
    const UINT kind = state & 0x1F;
    switch (kind) {
        case DFCS_SCROLLUP:
        case DFCS_SCROLLDOWN:
        case DFCS_SCROLLLEFT:
        case DFCS_SCROLLRIGHT:
        case DFCS_SCROLLCOMBOBOX:
            drawButtonFrame(hdc, *rc, state);
            drawGlyphArrow(hdc, *rc, kind == DFCS_SCROLLCOMBOBOX ? DFCS_SCROLLDOWN : kind, state);
            return TRUE;
        case DFCS_SCROLLSIZEGRIP:
        case DFCS_SCROLLSIZEGRIPRIGHT: {
            if (!(state & DFCS_TRANSPARENT)) fillSys(hdc, *rc, COLOR_BTNFACE);
            // Three pairs of diagonal lines in the bottom-right corner.
            const int side = std::min(rc->right - rc->left, rc->bottom - rc->top);
            const RECT area = visiblePart(hdc, *rc);
            for (int k = 0; k < side; ++k) {
                for (int j = 0; j <= k; ++j) {
                    const int x = rc->right - 1 - k + j, y = rc->bottom - 1 - j;
                    if (!inside(area, x, y)) continue;
                    const int band = k % 4;
                    if (band == 0)
                        SetPixelV(hdc, x, y, GetSysColor(COLOR_BTNHIGHLIGHT));
                    else if (band == 1 || band == 2)
                        SetPixelV(hdc, x, y, GetSysColor(COLOR_BTNSHADOW));
                }
            }
            return TRUE;
        }
    }
    ReportUnsupported("DrawFrameControl", "scroll state", ERROR_INVALID_PARAMETER);
    return FALSE;
}

BOOL drawCaption(HDC hdc, RECT* rc, UINT state) {
    const UINT kind = state & 0x1F;
    if (kind > DFCS_CAPTIONHELP) {
        ReportUnsupported("DrawFrameControl", "caption state", ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    drawButtonFrame(hdc, *rc, state);
    const COLORREF color = GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    const int shift = (state & DFCS_PUSHED) ? 1 : 0;
    const int side = std::min(rc->right - rc->left, rc->bottom - rc->top);
    const int g = std::max(3, side / 2 - 1);  // glyph size
    const int x0 = (rc->left + rc->right - g) / 2 + shift,
              y0 = (rc->top + rc->bottom - g) / 2 + shift;
    const int t = std::max(1, g / 6);  // stroke
    auto box = [&](int l, int tp, int r, int b, int top) {
        FillSolid(hdc, RECT{l, tp, r, tp + top}, color);
        FillSolid(hdc, RECT{l, b - t, r, b}, color);
        FillSolid(hdc, RECT{l, tp, l + t, b}, color);
        FillSolid(hdc, RECT{r - t, tp, r, b}, color);
    };
    switch (kind) {
        case DFCS_CAPTIONCLOSE:
            for (int k = 0; k < g; ++k) {
                FillSolid(hdc, RECT{x0 + k, y0 + k, x0 + k + t + 1, y0 + k + 1}, color);
                FillSolid(hdc, RECT{x0 + g - 1 - k - t, y0 + k, x0 + g - k, y0 + k + 1}, color);
            }
            break;
        case DFCS_CAPTIONMIN:
            FillSolid(hdc, RECT{x0, y0 + g - 2 * t, x0 + g, y0 + g}, color);
            break;
        case DFCS_CAPTIONMAX:
            box(x0, y0, x0 + g, y0 + g, 2 * t);
            break;
        case DFCS_CAPTIONRESTORE: {
            const int s = g * 2 / 3;
            box(x0 + g - s, y0, x0 + g, y0 + s, 2 * t);
            FillSolid(hdc, RECT{x0, y0 + g - s, x0 + s, y0 + g}, GetSysColor(COLOR_BTNFACE));
            box(x0, y0 + g - s, x0 + s, y0 + g, 2 * t);
            break;
        }
        case DFCS_CAPTIONHELP: {
            // A question mark: a hook and a dot.
            const int w = g * 2 / 3, l = x0 + (g - w) / 2;
            FillSolid(hdc, RECT{l, y0, l + w, y0 + t}, color);
            FillSolid(hdc, RECT{l + w - t, y0, l + w, y0 + g / 2}, color);
            FillSolid(hdc, RECT{l + w / 2 - t / 2, y0 + g / 2 - t, l + w, y0 + g / 2}, color);
            FillSolid(hdc,
                      RECT{l + w / 2 - t / 2, y0 + g / 2, l + w / 2 + t - t / 2, y0 + g * 3 / 4},
                      color);
            FillSolid(hdc, RECT{l + w / 2 - t / 2, y0 + g - t, l + w / 2 + t - t / 2, y0 + g},
                      color);
            break;
        }
    }
    return TRUE;
}

BOOL drawMenu(HDC hdc, RECT* rc, UINT state) {
    // Menu glyphs are masks: black on white.
    const UINT kind = state & 0x1F;
    FillSolid(hdc, *rc, RGB(255, 255, 255));
    switch (kind) {
        case DFCS_MENUARROW:
            drawArrow(hdc, *rc, DFCS_SCROLLRIGHT, RGB(0, 0, 0));
            return TRUE;
        case DFCS_MENUARROWRIGHT:
            drawArrow(hdc, *rc, DFCS_SCROLLLEFT, RGB(0, 0, 0));
            return TRUE;
        case DFCS_MENUCHECK:
            drawCheckMark(hdc, *rc, RGB(0, 0, 0));
            return TRUE;
        case DFCS_MENUBULLET: {
            const RECT box = centredSquare(*rc);
            const int d = std::max(2, (box.right - box.left) / 3);
            const int l = (box.left + box.right - d) / 2, t = (box.top + box.bottom - d) / 2;
            HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(BLACK_BRUSH));
            HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(NULL_PEN));
            Ellipse(hdc, l, t, l + d + 1, t + d + 1);
            SelectObject(hdc, oldBrush);
            SelectObject(hdc, oldPen);
            return TRUE;
        }
    }
    ReportUnsupported("DrawFrameControl", "menu state", ERROR_INVALID_PARAMETER);
    return FALSE;
}

}  // namespace

BOOL DrawFrameControl(HDC hdc, RECT* rc, UINT type, UINT state) {
    if (!gdi::dcFrom(hdc)) return FALSE;
    if (!rc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (state & ~(kStateFlags | 0x1F)) {
        ReportUnsupported("DrawFrameControl", "state flags", ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (rc->right <= rc->left || rc->bottom <= rc->top) return TRUE;
    // Frame controls are small things; a glyph thousands of pixels high is refused.
    constexpr long long kMaxSide = 4096;
    if (static_cast<long long>(rc->right) - rc->left > kMaxSide ||
        static_cast<long long>(rc->bottom) - rc->top > kMaxSide) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    switch (type) {
        case DFC_BUTTON:
            return drawButton(hdc, rc, state);
        case DFC_SCROLL:
            return drawScroll(hdc, rc, state);
        case DFC_CAPTION:
            return drawCaption(hdc, rc, state);
        case DFC_MENU:
        case DFC_POPUPMENU:
            return drawMenu(hdc, rc, state);
    }
    ReportUnsupported("DrawFrameControl", "type", ERROR_INVALID_PARAMETER);
    return FALSE;
}

}  // namespace orvane::platform
