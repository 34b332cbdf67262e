// DrawEdge: three-dimensional borders in the system colours.
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/user/SystemMetrics.h"

namespace orvane::platform {

namespace {

struct Band {
    int topLeft = -1;      // system colour of the top and left lines, -1 for none
    int bottomRight = -1;  // system colour of the bottom and right lines
};

void fillColor(HDC hdc, const RECT& rc, int sysColor) {
    if (sysColor < 0) return;
    FillRect(hdc, &rc, GetSysColorBrush(sysColor));
}

// Draws one line of pixels around the rectangle: top and left first, then bottom and right,
// so the bottom-right colour owns the top-right and bottom-left corners.
void drawBand(HDC hdc, RECT& rc, const Band& band, UINT flags) {
    if (flags & BF_TOP) fillColor(hdc, RECT{rc.left, rc.top, rc.right, rc.top + 1}, band.topLeft);
    if (flags & BF_LEFT) fillColor(hdc, RECT{rc.left, rc.top, rc.left + 1, rc.bottom}, band.topLeft);
    if (flags & BF_BOTTOM)
        fillColor(hdc, RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom}, band.bottomRight);
    if (flags & BF_RIGHT) fillColor(hdc, RECT{rc.right - 1, rc.top, rc.right, rc.bottom}, band.bottomRight);
    if (flags & BF_LEFT) ++rc.left;
    if (flags & BF_TOP) ++rc.top;
    if (flags & BF_RIGHT) --rc.right;
    if (flags & BF_BOTTOM) --rc.bottom;
}

// The two bands of an edge, outermost first. A lone inner or outer edge is drawn as the
// outermost band with its own colours.
void edgeBands(UINT edge, UINT flags, Band& outer, Band& inner) {
    const UINT o = edge & BDR_OUTER, i = edge & BDR_INNER;
    if (flags & BF_MONO) {
        if (o) outer = Band{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
        if (i) inner = Band{COLOR_WINDOW, COLOR_WINDOW};
    } else if (flags & BF_FLAT) {
        if (o) outer = Band{COLOR_BTNSHADOW, COLOR_BTNSHADOW};
        if (i) inner = Band{COLOR_BTNFACE, COLOR_BTNFACE};
    } else {
        if (o == BDR_RAISEDOUTER) outer = Band{COLOR_3DLIGHT, COLOR_3DDKSHADOW};
        else if (o == BDR_SUNKENOUTER) outer = Band{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
        if (i == BDR_RAISEDINNER) inner = Band{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
        else if (i == BDR_SUNKENINNER) inner = Band{COLOR_3DDKSHADOW, COLOR_3DLIGHT};
        // Soft edges swap the top-left colours of the two bands.
        if ((flags & BF_SOFT) && o && i) std::swap(outer.topLeft, inner.topLeft);
    }
    if (!o && i) {
        outer = inner;
        inner = Band{};
    }
}

BOOL drawDiagonal(HDC hdc, RECT* rc, const Band& outer, const Band& inner, UINT flags) {
    // The diagonal runs from one corner to the opposite one; which pair is named by the end.
    const bool endsRight = flags & BF_RIGHT;
    const bool endsTop = flags & BF_TOP;
    const bool rising = (endsTop && endsRight) || (!endsTop && !endsRight);
    const int w = rc->right - rc->left, h = rc->bottom - rc->top;
    const int n = std::min(w, h);
    auto lineColor = [&](const Band& band) { return endsTop ? band.topLeft : band.bottomRight; };
    auto plot = [&](int k, int offset, int color) {
        if (color < 0 || k >= n) return;
        const int x = rising ? rc->left + k : rc->right - 1 - k;
        const int y = rc->bottom - 1 - k - offset;
        if (y < rc->top) return;
        SetPixelV(hdc, x, y, GetSysColor(color));
    };
    for (int k = 0; k < n; ++k) {
        plot(k, 0, lineColor(outer));
        plot(k, 1, lineColor(inner));
    }
    if (flags & BF_MIDDLE) {
        const int fill = (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE;
        for (int k = 0; k < n; ++k) {
            const int y = rc->bottom - 1 - k;
            const int x0 = rising ? rc->left + k + 1 : rc->left;
            const int x1 = rising ? rc->right : rc->right - 1 - k;
            fillColor(hdc, RECT{x0, y, x1, y + 1}, fill);
        }
    }
    return TRUE;
}

}  // namespace

BOOL DrawEdge(HDC hdc, RECT* rc, UINT edge, UINT flags) {
    if (!gdi::dcFrom(hdc)) return FALSE;
    if (!rc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    constexpr UINT kKnownFlags = BF_RECT | BF_DIAGONAL | BF_MIDDLE | BF_SOFT | BF_ADJUST | BF_FLAT | BF_MONO;
    if ((flags & ~kKnownFlags) || (edge & ~(BDR_OUTER | BDR_INNER))) {
        ReportUnsupported("DrawEdge", "edge or flags", ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Band outer, inner;
    edgeBands(edge, flags, outer, inner);
    if (flags & BF_DIAGONAL) return drawDiagonal(hdc, rc, outer, inner, flags);
    RECT r = *rc;
    if (outer.topLeft >= 0 || outer.bottomRight >= 0) drawBand(hdc, r, outer, flags);
    if (inner.topLeft >= 0 || inner.bottomRight >= 0) drawBand(hdc, r, inner, flags);
    if (flags & BF_MIDDLE) fillColor(hdc, r, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    if (flags & BF_ADJUST) *rc = r;
    return TRUE;
}

}  // namespace orvane::platform
