// Non-client areas: frames, captions, client edges and scroll bars; their size, hit-testing,
// drawing, and the scroll bar calls.
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/user/MenuInternal.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

using user::window;
using user::windowQuiet;

int frameWidth(DWORD style, DWORD exStyle) {
    int n = 0;
    if (style & WS_THICKFRAME)
        n = GetSystemMetrics(SM_CXSIZEFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        n = GetSystemMetrics(SM_CXFIXEDFRAME);
    else if (style & WS_BORDER)
        n = GetSystemMetrics(SM_CXBORDER);
    if (exStyle & WS_EX_CLIENTEDGE) n += GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE) n += GetSystemMetrics(SM_CXBORDER);
    return n;
}

bool hasCaption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
}

int captionHeight(DWORD exStyle) {
    return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

// The rectangles of a window's non-client parts, in window coordinates.
struct NcLayout {
    RECT frameInner{};  // inside the frame and edges, above the caption
    RECT caption{};
    RECT menuBar{};
    RECT vscroll{};
    RECT hscroll{};
    RECT sizeBox{};
    RECT client{};
    RECT closeBox{}, maxBox{}, minBox{};
};

NcLayout layout(WindowObject& w) {
    NcLayout l;
    const RECT whole{0, 0, w.width(), w.height()};
    const int f = frameWidth(w.style, w.exStyle);
    RECT r = whole;
    InflateRect(&r, -f, -f);
    if (w.exStyle & WS_EX_CLIENTEDGE) {
        // The caption sits outside the client edge.
        l.frameInner = whole;
        InflateRect(&l.frameInner, -(f - GetSystemMetrics(SM_CXEDGE)),
                    -(f - GetSystemMetrics(SM_CXEDGE)));
    } else {
        l.frameInner = r;
    }
    if (hasCaption(w.style)) {
        const int ch = captionHeight(w.exStyle);
        l.caption =
            RECT{l.frameInner.left, l.frameInner.top, l.frameInner.right, l.frameInner.top + ch};
        r.top += ch;
        const int bw = GetSystemMetrics(SM_CXSIZE);
        if (w.style & WS_SYSMENU) {
            l.closeBox =
                RECT{l.caption.right - bw, l.caption.top, l.caption.right, l.caption.bottom};
            if (w.style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
                l.maxBox =
                    RECT{l.closeBox.left - bw, l.caption.top, l.closeBox.left, l.caption.bottom};
                l.minBox = RECT{l.maxBox.left - bw, l.caption.top, l.maxBox.left, l.caption.bottom};
            }
        }
    }
    // The menu bar of a top-level window, below the caption, as many rows tall as it wraps to.
    if (!w.isChild() && w.menu) {
        const int bh = std::min<int>(menus::barHeight(w, r.right - r.left),
                                     std::max<int>(0, r.bottom - r.top));
        if (bh > 0) {
            l.menuBar = RECT{r.left, r.top, r.right, r.top + bh};
            r.top += bh;
        }
    }
    const int sw = GetSystemMetrics(SM_CXVSCROLL), sh = GetSystemMetrics(SM_CYHSCROLL);
    const bool left = w.exStyle & WS_EX_LEFTSCROLLBAR;
    if ((w.style & WS_VSCROLL) && r.right - r.left >= sw) {
        if (left) {
            l.vscroll = RECT{r.left, r.top, r.left + sw, r.bottom};
            r.left += sw;
        } else {
            l.vscroll = RECT{r.right - sw, r.top, r.right, r.bottom};
            r.right -= sw;
        }
    }
    // A vertical bar needs its width; a horizontal one needs more than its height, so a window
    // exactly one bar tall keeps its client row instead.
    if ((w.style & WS_HSCROLL) && r.bottom - r.top > sh) {
        l.hscroll = RECT{r.left, r.bottom - sh, r.right, r.bottom};
        r.bottom -= sh;
        if (!IsRectEmpty(&l.vscroll)) {
            l.vscroll.bottom -= sh;
            l.sizeBox = RECT{l.vscroll.left, l.hscroll.top, l.vscroll.right, l.hscroll.bottom};
        }
    }
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    l.client = r;
    return l;
}

ScrollBarState* barOf(WindowObject& w, int bar) {
    if (bar == SB_HORZ) return &w.hscroll;
    if (bar == SB_VERT) return &w.vscroll;
    return nullptr;
}

// The thumb of a scroll bar along its track, as [start, end) in the bar's coordinates.
void thumbExtent(const ScrollBarState& s, int trackStart, int trackLength, int& a, int& b) {
    const int range = s.max - s.min + 1;
    const int minThumb = 8;
    int len =
        s.page ? static_cast<int>(static_cast<long long>(trackLength) * s.page / std::max(1, range))
               : GetSystemMetrics(SM_CXHTHUMB);
    len = std::clamp(len, std::min(minThumb, trackLength), trackLength);
    const int span = std::max(1, range - static_cast<int>(std::max<UINT>(s.page, 1)));
    const int pos = std::clamp(s.pos - s.min, 0, span);
    a = trackStart + static_cast<int>(static_cast<long long>(trackLength - len) * pos / span);
    b = a + len;
}

void drawScrollBar(HDC hdc, const RECT& rc, const ScrollBarState& s, bool vertical) {
    if (IsRectEmpty(&rc)) return;
    const int arrow = vertical
                          ? std::min<int>(GetSystemMetrics(SM_CYVSCROLL), (rc.bottom - rc.top) / 2)
                          : std::min<int>(GetSystemMetrics(SM_CXHSCROLL), (rc.right - rc.left) / 2);
    RECT a1 = rc, a2 = rc, track = rc;
    if (vertical) {
        a1.bottom = rc.top + arrow;
        a2.top = rc.bottom - arrow;
        track.top = a1.bottom;
        track.bottom = a2.top;
    } else {
        a1.right = rc.left + arrow;
        a2.left = rc.right - arrow;
        track.left = a1.right;
        track.right = a2.left;
    }
    const UINT dis1 = ((s.disabled & ESB_DISABLE_LTUP) ? DFCS_INACTIVE : 0) |
                      (s.pressed == SB_LINEUP ? DFCS_PUSHED : 0);
    const UINT dis2 = ((s.disabled & ESB_DISABLE_RTDN) ? DFCS_INACTIVE : 0) |
                      (s.pressed == SB_LINEDOWN ? DFCS_PUSHED : 0);
    DrawFrameControl(hdc, &a1, DFC_SCROLL, (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | dis1);
    DrawFrameControl(hdc, &a2, DFC_SCROLL, (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | dis2);
    FillRect(hdc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
    const int trackLen = vertical ? track.bottom - track.top : track.right - track.left;
    if (trackLen <= 0 || s.disabled == ESB_DISABLE_BOTH || s.max <= s.min) return;
    int t0, t1;
    ScrollBarState shown = s;
    if (s.tracking) shown.pos = s.trackPos;  // the thumb follows the drag
    thumbExtent(shown, vertical ? track.top : track.left, trackLen, t0, t1);
    RECT thumb =
        vertical ? RECT{track.left, t0, track.right, t1} : RECT{t0, track.top, t1, track.bottom};
    DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

}  // namespace

namespace user {

RECT frameInsets(DWORD style, DWORD exStyle, bool menu, bool scrollBars) {
    const int f = frameWidth(style, exStyle);
    RECT in{f, f, f, f};
    if (hasCaption(style)) in.top += captionHeight(exStyle);
    if (menu) in.top += GetSystemMetrics(SM_CYMENU);
    if (scrollBars) {
        if (style & WS_VSCROLL) in.right += GetSystemMetrics(SM_CXVSCROLL);
        if (style & WS_HSCROLL) in.bottom += GetSystemMetrics(SM_CYHSCROLL);
    }
    return in;
}

void calcClient(WindowObject& w, const RECT& windowRect, RECT& clientOut) {
    // Lay out a window of the new size to find its client area.
    const RECT saved = w.rect;
    w.rect = windowRect;
    const NcLayout l = layout(w);
    w.rect = saved;
    clientOut = l.client;
    // A mirrored frame puts the vertical scroll bar at the left: the client area flips with it.
    if (frameMirrored(w)) {
        const std::int32_t width = windowRect.right - windowRect.left;
        clientOut =
            RECT{width - l.client.right, l.client.top, width - l.client.left, l.client.bottom};
    }
    OffsetRect(&clientOut, windowRect.left, windowRect.top);
}

RECT menuBarRect(WindowObject& w) {
    return layout(w).menuBar;
}

namespace {

// The hit test of the frame's left-to-right layout.
LRESULT ncHitTestLaidOut(WindowObject& w, POINT screen) {
    const POINT o = windowOrigin(w);
    const POINT p{screen.x - o.x, screen.y - o.y};
    const RECT whole{0, 0, w.width(), w.height()};
    if (!PtInRect(&whole, p)) return HTNOWHERE;
    if (w.style & WS_MINIMIZE) return HTCAPTION;
    const NcLayout l = layout(w);
    if (PtInRect(&l.client, p)) return HTCLIENT;
    if (PtInRect(&l.menuBar, p)) return HTMENU;
    if (PtInRect(&l.vscroll, p)) return HTVSCROLL;
    if (PtInRect(&l.hscroll, p)) return HTHSCROLL;
    if (PtInRect(&l.sizeBox, p)) return HTSIZE;
    if (PtInRect(&l.closeBox, p)) return HTCLOSE;
    if (PtInRect(&l.maxBox, p)) return HTMAXBUTTON;
    if (PtInRect(&l.minBox, p)) return HTMINBUTTON;
    if (PtInRect(&l.caption, p)) return HTCAPTION;
    if (w.style & WS_THICKFRAME) {
        const int corner = GetSystemMetrics(SM_CXSIZE) / 2;
        const bool left = p.x < l.frameInner.left, right = p.x >= l.frameInner.right;
        const bool top = p.y < l.frameInner.top, bottom = p.y >= l.frameInner.bottom;
        const bool nearLeft = p.x < corner, nearRight = p.x >= w.width() - corner;
        const bool nearTop = p.y < corner, nearBottom = p.y >= w.height() - corner;
        if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
        if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
        if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
        if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
    }
    return HTBORDER;
}

}  // namespace

POINT framePoint(WindowObject& w, POINT screen) {
    if (!frameMirrored(w)) return screen;
    const POINT o = windowOrigin(w);
    return POINT{o.x + w.width() - 1 - (screen.x - o.x), screen.y};
}

LRESULT ncHitTest(WindowObject& w, POINT screen) {
    const LRESULT hit = ncHitTestLaidOut(w, framePoint(w, screen));
    if (!frameMirrored(w)) return hit;
    // The sizing edges name the sides the screen shows.
    switch (hit) {
        case HTLEFT:
            return HTRIGHT;
        case HTRIGHT:
            return HTLEFT;
        case HTTOPLEFT:
            return HTTOPRIGHT;
        case HTTOPRIGHT:
            return HTTOPLEFT;
        case HTBOTTOMLEFT:
            return HTBOTTOMRIGHT;
        case HTBOTTOMRIGHT:
            return HTBOTTOMLEFT;
        default:
            return hit;
    }
}

void ncPaint(WindowObject& w, HDC hdc) {
    RECT r{0, 0, w.width(), w.height()};
    const NcLayout l = layout(w);
    // Frame, outside in.
    if (w.style & WS_THICKFRAME) {
        DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        const int rest =
            frameWidth(w.style, w.exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) - 2;
        for (int i = 0; i < rest; ++i) {
            FrameRect(hdc, &r,
                      GetSysColorBrush(w.ncActive ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER));
            InflateRect(&r, -1, -1);
        }
    } else if ((w.style & WS_DLGFRAME) || (w.exStyle & WS_EX_DLGMODALFRAME)) {
        DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        const int rest = GetSystemMetrics(SM_CXFIXEDFRAME) - 2;
        for (int i = 0; i < rest; ++i) {
            FrameRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
            InflateRect(&r, -1, -1);
        }
    } else if (w.style & WS_BORDER) {
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if (hasCaption(w.style)) {
        RECT cap = l.caption;
        FillRect(hdc, &cap,
                 GetSysColorBrush(w.ncActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        // The caption text, in the caption font, left-aligned and centred vertically.
        if (!w.text.empty()) {
            HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                     u"Segoe UI");
            HGDIOBJ old = SelectObject(hdc, font);
            TEXTMETRICW tm;
            GetTextMetricsW(hdc, &tm);
            SetBkMode(hdc, TRANSPARENT);
            SetTextColor(hdc,
                         GetSysColor(w.ncActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
            RECT textRc = cap;
            const RECT& firstButton = !IsRectEmpty(&l.minBox) ? l.minBox : l.closeBox;
            if (!IsRectEmpty(&firstButton)) textRc.right = firstButton.left;
            textRc.left += 5;
            ExtTextOutW(hdc, textRc.left, cap.top + (cap.bottom - cap.top - tm.tmHeight) / 2,
                        ETO_CLIPPED, &textRc, w.text.data(), static_cast<UINT>(w.text.size()),
                        nullptr);
            SelectObject(hdc, old);
            DeleteObject(font);
        }
        const int inset = 2;
        auto button = [&](RECT b, UINT kind) {
            if (IsRectEmpty(&b)) return;
            InflateRect(&b, -inset, -inset);
            DrawFrameControl(hdc, &b, DFC_CAPTION, kind);
        };
        auto pushed = [&](LRESULT hit) { return w.ncPressed == hit ? DFCS_PUSHED : 0u; };
        button(l.closeBox, DFCS_CAPTIONCLOSE | pushed(HTCLOSE));
        button(l.maxBox, ((w.style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) |
                             pushed(HTMAXBUTTON));
        button(l.minBox, DFCS_CAPTIONMIN | pushed(HTMINBUTTON));
    }
    if (!IsRectEmpty(&l.menuBar)) menus::paintBar(w, hdc, l.menuBar);
    if (w.exStyle & WS_EX_CLIENTEDGE) {
        RECT e{l.client.left - 2, l.client.top - 2, l.client.right + 2, l.client.bottom + 2};
        if (!IsRectEmpty(&l.vscroll)) {
            if (w.exStyle & WS_EX_LEFTSCROLLBAR)
                e.left -= l.vscroll.right - l.vscroll.left;
            else
                e.right += l.vscroll.right - l.vscroll.left;
        }
        if (!IsRectEmpty(&l.hscroll)) e.bottom += l.hscroll.bottom - l.hscroll.top;
        DrawEdge(hdc, &e, EDGE_SUNKEN, BF_RECT);
    } else if (w.exStyle & WS_EX_STATICEDGE) {
        RECT e{l.client.left - 1, l.client.top - 1, l.client.right + 1, l.client.bottom + 1};
        DrawEdge(hdc, &e, BDR_SUNKENOUTER, BF_RECT);
    }
    drawScrollBar(hdc, l.vscroll, w.vscroll, true);
    drawScrollBar(hdc, l.hscroll, w.hscroll, false);
    if (!IsRectEmpty(&l.sizeBox)) {
        RECT b = l.sizeBox;
        FillRect(hdc, &b, GetSysColorBrush(COLOR_BTNFACE));
    }
}

void redrawScrollBar(WindowObject& w, bool vertical) {
    if (!reallyVisible(w)) return;
    const NcLayout l = layout(w);
    const RECT& rc = vertical ? l.vscroll : l.hscroll;
    if (IsRectEmpty(&rc)) return;
    const HDC hdc = GetWindowDC(w.hwnd());
    SetLayout(hdc, frameMirrored(w) ? LAYOUT_RTL : 0);
    drawScrollBar(hdc, rc, vertical ? w.vscroll : w.hscroll, vertical);
    ReleaseDC(w.hwnd(), hdc);
}

ScrollBarParts scrollBarParts(WindowObject& w, bool vertical) {
    const NcLayout l = layout(w);
    ScrollBarParts parts;
    RECT rc = vertical ? l.vscroll : l.hscroll;
    if (IsRectEmpty(&rc)) return parts;
    const POINT o = windowOrigin(w);
    OffsetRect(&rc, o.x, o.y);
    parts.bar = rc;
    const int start = vertical ? rc.top : rc.left, end = vertical ? rc.bottom : rc.right;
    const int arrow =
        std::min<int>(vertical ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL),
                      (end - start) / 2);
    parts.trackStart = start + arrow;
    parts.trackEnd = end - arrow;
    const ScrollBarState& s = vertical ? w.vscroll : w.hscroll;
    ScrollBarState shown = s;
    if (s.tracking) shown.pos = s.trackPos;
    thumbExtent(shown, parts.trackStart, parts.trackEnd - parts.trackStart, parts.thumbStart,
                parts.thumbEnd);
    return parts;
}

}  // namespace user

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
    WindowObject* w = window(hwnd);
    if (!w) return 0;
    ScrollBarState* s = barOf(*w, bar);
    if (!s || !info || (info->fMask & ~(SIF_ALL | SIF_DISABLENOSCROLL))) {
        if (bar == SB_CTL)
            ReportUnsupported("SetScrollInfo", "scroll bar controls");
        else
            SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const ScrollBarState before = *s;
    if (info->fMask & SIF_RANGE) {
        s->min = info->nMin;
        s->max = info->nMax;
    }
    if (info->fMask & SIF_PAGE)
        s->page = std::min<UINT>(info->nPage, static_cast<UINT>(std::max(0, s->max - s->min + 1)));
    if (info->fMask & SIF_POS) s->pos = info->nPos;
    // The position stays within [min, max - page + 1].
    const int maxPos = s->max - std::max<int>(static_cast<int>(s->page) - 1, 0);
    s->pos = std::clamp(s->pos, s->min, std::max(s->min, maxPos));
    const bool changed = s->min != before.min || s->max != before.max || s->page != before.page ||
                         s->pos != before.pos;
    if (redraw && changed) user::redrawScrollBar(*w, bar == SB_VERT);
    return s->pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    ScrollBarState* s = barOf(*w, bar);
    if (!s || !info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (info->fMask & SIF_RANGE) {
        info->nMin = s->min;
        info->nMax = s->max;
    }
    if (info->fMask & SIF_PAGE) info->nPage = s->page;
    if (info->fMask & SIF_POS) info->nPos = s->pos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s->trackPos;
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    WindowObject* w = window(hwnd);
    if (!w) return 0;
    ScrollBarState* s = barOf(*w, bar);
    if (!s) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int old = s->pos;
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(hwnd, bar, &si, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar) {
    WindowObject* w = window(hwnd);
    if (!w) return 0;
    ScrollBarState* s = barOf(*w, bar);
    return s ? s->pos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    si.nMin = min;
    si.nMax = max;
    if (!window(hwnd)) return FALSE;
    SetScrollInfo(hwnd, bar, &si, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    if (!GetScrollInfo(hwnd, bar, &si)) return FALSE;
    if (min) *min = si.nMin;
    if (max) *max = si.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    DWORD bits = 0;
    if (bar == SB_HORZ || bar == SB_BOTH) bits |= WS_HSCROLL;
    if (bar == SB_VERT || bar == SB_BOTH) bits |= WS_VSCROLL;
    if (!bits) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD style = show ? (w->style | bits) : (w->style & ~bits);
    if (style == w->style) return TRUE;
    w->style = style;
    SetWindowPos(hwnd, HWND(), 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    if (bar == SB_HORZ || bar == SB_BOTH) {
        w->hscroll.disabled = arrows;
        user::redrawScrollBar(*w, false);
    }
    if (bar == SB_VERT || bar == SB_BOTH) {
        w->vscroll.disabled = arrows;
        user::redrawScrollBar(*w, true);
    }
    return TRUE;
}

}  // namespace orvane::platform
