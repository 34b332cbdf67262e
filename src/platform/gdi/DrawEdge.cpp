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
    if (flags & BF_LEFT)
        fillColor(hdc, RECT{rc.left, rc.top, rc.left + 1, rc.bottom}, band.topLeft);
    if (flags & BF_BOTTOM)
        fillColor(hdc, RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom}, band.bottomRight);
    if (flags & BF_RIGHT)
        fillColor(hdc, RECT{rc.right - 1, rc.top, rc.right, rc.bottom}, band.bottomRight);
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
        if (o == BDR_RAISEDOUTER)
            outer = Band{COLOR_3DLIGHT, COLOR_3DDKSHADOW};
        else if (o == BDR_SUNKENOUTER)
            outer = Band{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
        if (i == BDR_RAISEDINNER)
            inner = Band{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
        else if (i == BDR_SUNKENINNER)
            inner = Band{COLOR_3DDKSHADOW, COLOR_3DLIGHT};
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
    const long long w = static_cast<long long>(rc->right) - rc->left,
                    h = static_cast<long long>(rc->bottom) - rc->top;
    const long long n = std::min(w, h);
    // Step k of the diagonal is on row bottom - 1 - k; only the rows the DC can show are walked.
    RECT clip{};
    if (n <= 0 || GetClipBox(hdc, &clip) == ERROR) return TRUE;
    const long long kFirst =
        std::max<long long>(0, static_cast<long long>(rc->bottom) - clip.bottom - 1);
    const long long kLast =
        std::min<long long>(n, static_cast<long long>(rc->bottom) - clip.top + 1);
    auto lineColor = [&](const Band& band) { return endsTop ? band.topLeft : band.bottomRight; };
    auto plot = [&](long long k, int offset, int color) {
        if (color < 0 || k >= n) return;
        const long long x = rising ? rc->left + k : rc->right - 1 - k;
        const long long y = rc->bottom - 1 - k - offset;
        if (y < rc->top) return;
        SetPixelV(hdc, static_cast<int>(x), static_cast<int>(y), GetSysColor(color));
    };
    for (long long k = kFirst; k < kLast; ++k) {
        plot(k, 0, lineColor(outer));
        plot(k, 1, lineColor(inner));
    }
    if (flags & BF_MIDDLE) {
        const int fill = (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE;
        for (long long k = kFirst; k < kLast; ++k) {
            const long long y = rc->bottom - 1 - k;
            const long long x0 = rising ? rc->left + k + 1 : rc->left;
            const long long x1 = rising ? rc->right : rc->right - 1 - k;
            fillColor(hdc,
                      RECT{static_cast<LONG>(x0), static_cast<LONG>(y), static_cast<LONG>(x1),
                           static_cast<LONG>(y + 1)},
                      fill);
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
    constexpr UINT kKnownFlags =
        BF_RECT | BF_DIAGONAL | BF_MIDDLE | BF_SOFT | BF_ADJUST | BF_FLAT | BF_MONO;
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
