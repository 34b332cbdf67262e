// Update regions, WM_PAINT, window device contexts and scrolling.
#include <algorithm>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/user/UserInternal.h"
#include "platform/user/WindowDcTarget.h"

namespace orvane::platform {

namespace {

using user::window;
using user::windowQuiet;

// A client-coordinate rectangle or region as a window-coordinate region.
Region clientToWindow(WindowObject& w, const Region& client) {
    Region r = client;
    r.offset(w.client.left, w.client.top);
    return r;
}

// What the caller names in a mirrored window's client coordinates, laid out as the screen
// shows it (update regions are kept that way), and back.
Region fromCaller(WindowObject& w, const Region& client) {
    return clientToWindow(w, user::clientFlip(w, client));
}

Region regionFromArgs(WindowObject& w, const RECT* rc, HRGN rgn, bool frame) {
    if (rgn) {
        auto* r = HandleTable::current().get<RegionObject>(rgn.value);
        return r ? fromCaller(w, r->region) : Region();
    }
    if (rc) return fromCaller(w, Region(*rc));
    if (frame) return Region(RECT{0, 0, w.width(), w.height()});
    return Region(w.client);
}

// A real display presents a top-level window again once something has drawn on it.
void touchSurface(HWND hwnd) {
    if (WindowObject* w = windowQuiet(hwnd))
        if (WindowObject* top = user::topLevelOf(*w)) ++top->surfaceGeneration;
}

HDC makeWindowDc(HWND hwnd, bool clientArea, DWORD flags, const Region* extra, bool exclude) {
    touchSurface(hwnd);
    auto target = std::make_unique<WindowDcTarget>(hwnd, clientArea, flags);
    if (extra) target->setExtra(*extra, exclude);
    const HDC hdc = gdi::registerDc(
        std::make_unique<DeviceContext>(DeviceContext::Type::Window, std::move(target)));
    // A mirrored window's DCs run from the right edge, the client area's or the window's.
    if (WindowObject* w = windowQuiet(hwnd); w && user::isMirrored(*w)) SetLayout(hdc, LAYOUT_RTL);
    return hdc;
}

DWORD styleClipFlags(WindowObject& w) {
    DWORD flags = 0;
    if (w.style & WS_CLIPCHILDREN) flags |= DCX_CLIPCHILDREN;
    if (w.style & WS_CLIPSIBLINGS) flags |= DCX_CLIPSIBLINGS;
    if (w.cls && (w.cls->style & CS_PARENTDC)) flags |= DCX_PARENTCLIP;
    return flags;
}

// Sends WM_PAINT now to the window and, when asked, to the windows below it, each time to the
// first that needs it in painting order, so a parent that a child's paint invalidates again is
// painted before the next child.
void paintNow(HWND hwnd, bool children) {
    for (;;) {
        WindowObject* w = windowQuiet(hwnd);
        if (!w || !user::reallyVisible(*w)) return;
        const HWND next =
            children ? user::findPaint(*w, hwnd) : (user::needsPaint(*w) ? hwnd : HWND());
        WindowObject* target = windowQuiet(next);
        if (!target) return;
        const std::uint64_t generation = target->paintGeneration;
        SendMessageW(next, WM_PAINT, 0, 0);
        if ((target = windowQuiet(next)) && target->paintGeneration == generation &&
            user::needsPaint(*target))
            user::validate(*target, nullptr, RDW_NOCHILDREN | RDW_NOINTERNALPAINT);
    }
}

void eraseNow(HWND hwnd, bool children) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w || !user::reallyVisible(*w)) return;
    if (w->ncPaintPending) {
        w->ncPaintPending = false;
        SendMessageW(hwnd, WM_NCPAINT, 1, 0);
        if (!(w = windowQuiet(hwnd))) return;
    }
    if (w->erasePending) {
        w->erasePending = false;
        Region upd = w->update;
        upd.offset(-w->client.left, -w->client.top);
        HDC hdc = makeWindowDc(hwnd, true, styleClipFlags(*w), &upd, false);
        SendMessageW(hwnd, WM_ERASEBKGND, hdc.value, 0);
        DeleteDC(hdc);
        if (!(w = windowQuiet(hwnd))) return;
    }
    if (!children) return;
    for (HWND c : user::childHandles(*w))
        eraseNow(c, true);
}

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rc, BOOL erase) {
    if (!hwnd) {
        for (HWND h : user::childHandles(*user::desktop()))
            InvalidateRect(h, nullptr, erase);
        return TRUE;
    }
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    const Region area = regionFromArgs(*w, rc, HRGN(), false);
    user::invalidate(*w, &area, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
    return TRUE;
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    if (rgn && !HandleTable::current().get<RegionObject>(rgn.value)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const Region area = regionFromArgs(*w, nullptr, rgn, false);
    user::invalidate(*w, &area, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rc) {
    if (!hwnd) return InvalidateRect(hwnd, rc, TRUE);  // as Windows does for a null window
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    if (!rc) {
        user::validate(*w, nullptr, RDW_VALIDATE | RDW_NOINTERNALPAINT);
        return TRUE;
    }
    const Region area = regionFromArgs(*w, rc, HRGN(), false);
    user::validate(*w, &area, RDW_VALIDATE);
    return TRUE;
}

BOOL ValidateRgn(HWND hwnd, HRGN rgn) {
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    if (!rgn) return ValidateRect(hwnd, nullptr);
    const Region area = regionFromArgs(*w, nullptr, rgn, false);
    user::validate(*w, &area, RDW_VALIDATE);
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rc, BOOL erase) {
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    Region upd = w->update.intersected(w->client);
    upd.offset(-w->client.left, -w->client.top);
    if (rc) *rc = user::clientFlip(*w, upd.bounds());
    if (erase && w->erasePending && !upd.empty()) eraseNow(hwnd, false);
    return upd.empty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
    WindowObject* w = window(hwnd);
    auto* r = HandleTable::current().get<RegionObject>(rgn.value);
    if (!w || !r) return ERROR;
    Region upd = w->update.intersected(w->client);
    upd.offset(-w->client.left, -w->client.top);
    r->region = user::clientFlip(*w, upd);
    if (erase && w->erasePending && !upd.empty()) eraseNow(hwnd, false);
    return upd.complexity();
}

BOOL UpdateWindow(HWND hwnd) {
    if (!window(hwnd)) return FALSE;
    paintNow(hwnd, true);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rc, HRGN rgn, UINT flags) {
    WindowObject* w = hwnd ? window(hwnd) : user::desktop();
    if (!w) return FALSE;
    if (!hwnd) {
        for (HWND h : user::childHandles(*w))
            RedrawWindow(h, nullptr, HRGN(), flags | RDW_FRAME);
        return TRUE;
    }
    const Region area = regionFromArgs(*w, rc, rgn, (flags & RDW_FRAME) && !rc && !rgn);
    if (flags & (RDW_INVALIDATE | RDW_INTERNALPAINT))
        user::invalidate(*w, &area, flags & ~RDW_VALIDATE);
    if (flags & RDW_VALIDATE) {
        user::validate(*w, (rc || rgn) ? &area : nullptr, flags);
        if (flags & RDW_NOERASE) w->erasePending = false;
        if (flags & RDW_NOFRAME) w->ncPaintPending = false;
    }
    const bool children = (flags & RDW_ALLCHILDREN) || !(flags & RDW_NOCHILDREN);
    // Painting now sends the frame and the erase from BeginPaint, inside WM_PAINT.
    if (flags & RDW_UPDATENOW) {
        user::validateParents(*w);
        paintNow(hwnd, children);
    } else if (flags & RDW_ERASENOW) {
        eraseNow(hwnd, children);
    }
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    WindowObject* w = window(hwnd);
    if (!w || !ps) {
        if (w) SetLastError(ERROR_INVALID_PARAMETER);
        return HDC();
    }
    if (w->ncPaintPending) {
        w->ncPaintPending = false;
        SendMessageW(hwnd, WM_NCPAINT, 1, 0);
        if (!(w = windowQuiet(hwnd))) return HDC();
    }
    user::validateParents(*w);
    Region upd = w->update.intersected(w->client);
    upd.offset(-w->client.left, -w->client.top);
    const bool erase = w->erasePending;
    // BeginPaint validates the whole update region; children keep their own.
    w->update = Region();
    w->erasePending = false;
    w->internalPaint = false;
    user::paintChanged(*w);
    ++w->paintGeneration;
    user::caretBeforePaint(hwnd);
    HDC hdc = makeWindowDc(hwnd, true, styleClipFlags(*w), &upd, false);
    ps->hdc = hdc;
    ps->rcPaint = user::clientFlip(*w, upd.bounds());
    ps->fErase = FALSE;
    ps->fRestore = FALSE;
    ps->fIncUpdate = FALSE;
    if (erase) ps->fErase = SendMessageW(hwnd, WM_ERASEBKGND, hdc.value, 0) ? FALSE : TRUE;
    return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (!ps) return FALSE;
    ReleaseDC(hwnd, ps->hdc);
    user::caretAfterPaint(hwnd);
    return TRUE;
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
    constexpr DWORD kKnown = DCX_WINDOW | DCX_CACHE | DCX_NORESETATTRS | DCX_CLIPCHILDREN |
                             DCX_CLIPSIBLINGS | DCX_PARENTCLIP | DCX_EXCLUDERGN | DCX_INTERSECTRGN |
                             DCX_EXCLUDEUPDATE | DCX_INTERSECTUPDATE | DCX_LOCKWINDOWUPDATE |
                             DCX_VALIDATE;
    if (flags & ~kKnown) {
        ReportUnsupported("GetDCEx", "flags", ERROR_INVALID_FLAGS);
        return HDC();
    }
    if (!hwnd || hwnd == GetDesktopWindow()) {
        return gdi::registerDc(std::make_unique<DeviceContext>(DeviceContext::Type::Display,
                                                               gdi::makeDisplayTarget()));
    }
    WindowObject* w = window(hwnd);
    if (!w) return HDC();
    const bool clientArea = !(flags & DCX_WINDOW);
    // Class and own DCs keep one DC per window; their clipping follows the window's style.
    if (clientArea &&
        !(flags & (DCX_CACHE | DCX_EXCLUDERGN | DCX_INTERSECTRGN | DCX_INTERSECTUPDATE |
                   DCX_EXCLUDEUPDATE)) &&
        w->cls && (w->cls->style & (CS_OWNDC | CS_CLASSDC))) {
        if (!HandleTable::current().get<DeviceContext>(w->ownDc))
            w->ownDc = makeWindowDc(hwnd, true, styleClipFlags(*w), nullptr, false).value;
        touchSurface(hwnd);
        return HDC(w->ownDc);
    }
    if (!(flags & DCX_CACHE)) flags |= styleClipFlags(*w);
    std::optional<Region> extra;
    bool exclude = false;
    if (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) {
        auto* r = HandleTable::current().get<RegionObject>(clip.value);
        if (r) {
            extra = r->region;
            exclude = flags & DCX_EXCLUDERGN;
        } else if (flags & DCX_INTERSECTRGN) {
            extra = Region();  // intersecting with no region leaves nothing
        }
    }
    if (flags & (DCX_INTERSECTUPDATE | DCX_EXCLUDEUPDATE)) {
        Region upd = w->update;
        if (clientArea) upd.offset(-w->client.left, -w->client.top);
        if (flags & DCX_INTERSECTUPDATE)
            extra = extra ? Region::combine(*extra, upd, Region::Op::And) : upd;
        else {
            extra = extra ? Region::combine(*extra, upd, Region::Op::Diff)
                          : Region::combine(Region(RECT{-32768, -32768, 32767, 32767}), upd,
                                            Region::Op::Diff);
        }
        if (flags & DCX_VALIDATE) user::validate(*w, nullptr, RDW_NOCHILDREN);
    }
    return makeWindowDc(hwnd, clientArea, flags, extra ? &*extra : nullptr, exclude);
}

HDC GetDC(HWND hwnd) {
    return GetDCEx(hwnd, HRGN(), 0);
}

HDC GetWindowDC(HWND hwnd) {
    return GetDCEx(hwnd, HRGN(), DCX_WINDOW | DCX_CACHE);
}

int ReleaseDC(HWND hwnd, HDC hdc) {
    auto* dc = HandleTable::current().get<DeviceContext>(hdc.value);
    if (!dc || dc->type() == DeviceContext::Type::Memory) return 0;
    const HWND drawn(dc->target() ? dc->target()->window() : 0);
    touchSurface(drawn);
    WindowObject* w = windowQuiet(hwnd);
    if (w && w->ownDc == hdc.value) return 1;  // own DCs live as long as the window
    DeleteDC(hdc);
    return 1;
}

HWND WindowFromDC(HDC hdc) {
    auto* dc = HandleTable::current().get<DeviceContext>(hdc.value);
    if (!dc || !dc->target()) return HWND();
    if (dc->target()->isDisplay()) return GetDesktopWindow();
    return HWND(dc->target()->window());
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   RECT* updateRect, UINT flags) {
    WindowObject* w = window(hwnd);
    if (!w) return ERROR;
    if (flags & ~(SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE | SW_SMOOTHSCROLL)) {
        ReportUnsupported("ScrollWindowEx", "flags", ERROR_INVALID_FLAGS);
        return ERROR;
    }
    // A mirrored window scrolls as its client coordinates run: a positive dx moves the pixels
    // towards the left of the screen. Below, everything is as the screen lays it out.
    const int logicalDx = dx;
    if (user::isMirrored(*w)) dx = -dx;
    const RECT clientRc = w->clientRect();
    RECT area = scroll ? user::clientFlip(*w, *scroll) : clientRc;
    IntersectRect(&area, &area, &clientRc);
    RECT clipRc = clip ? user::clientFlip(*w, *clip) : clientRc;
    IntersectRect(&clipRc, &clipRc, &clientRc);
    RECT limit;
    IntersectRect(&limit, &area, &clipRc);
    // The pixels move in a DC that clips what the window's style clips; children are clipped
    // only when they stay where they are (WS_CLIPCHILDREN without SW_SCROLLCHILDREN), else their
    // pixels move along with them.
    DWORD dcx = DCX_CACHE | user::kDcxFlagsOnly;
    if (w->style & WS_CLIPSIBLINGS) dcx |= DCX_CLIPSIBLINGS;
    if (w->cls && (w->cls->style & CS_PARENTDC)) dcx |= DCX_PARENTCLIP;
    if (!(flags & SW_SCROLLCHILDREN) && (w->style & WS_CLIPCHILDREN)) dcx |= DCX_CLIPCHILDREN;
    const Region visible = user::visibleRegion(*w, true, dcx);
    // What moves is what is visible of the scroll rectangle and stays inside the clip
    // rectangle; it may land anywhere in the clip rectangle.
    RECT src = clipRc, back = clipRc;
    OffsetRect(&back, -dx, -dy);
    IntersectRect(&src, &src, &back);
    IntersectRect(&src, &src, &area);
    Region moved = Region::combine(Region(src), visible, Region::Op::And);
    moved.offset(dx, dy);
    if (!moved.empty()) {
        HDC hdc = makeWindowDc(hwnd, true, dcx, nullptr, false);
        auto* dc = HandleTable::current().get<DeviceContext>(hdc.value);
        dc->state().layout = 0;
        dc->state().clip = moved;
        dc->invalidateClip();
        BitBlt(hdc, src.left + dx, src.top + dy, src.right - src.left, src.bottom - src.top, hdc,
               src.left, src.top, SRCCOPY);
        ReleaseDC(hwnd, hdc);
    }
    // The update region: what shows of the scrolled and clipped area and received no pixels.
    // Children the DC clips are not part of it; what their area held does not move out.
    Region invalid = visible.intersected(limit);
    invalid = Region::combine(invalid, moved, Region::Op::Diff);
    // A pending update region stays where it is (scrolling validates nothing), and its part
    // inside the scrolled area also moves with the pixels it marks, as far as the clip
    // rectangle lets them land. Both are reported, inside the clip rectangle, as Windows
    // reports them.
    if (!w->update.empty()) {
        const RECT areaInWindow{w->client.left + area.left, w->client.top + area.top,
                                w->client.left + area.right, w->client.top + area.bottom};
        const RECT clipInWindow{w->client.left + clipRc.left, w->client.top + clipRc.top,
                                w->client.left + clipRc.right, w->client.top + clipRc.bottom};
        Region pending = w->update.intersected(areaInWindow);
        pending.offset(dx, dy);
        pending = pending.intersected(clipInWindow);
        Region reported =
            Region::combine(w->update.intersected(clipInWindow), pending, Region::Op::Or);
        if (!pending.empty()) {
            w->update = Region::combine(w->update, pending, Region::Op::Or);
            user::paintChanged(*w);
        }
        reported.offset(-w->client.left, -w->client.top);
        invalid = Region::combine(invalid, reported, Region::Op::Or);
    }
    if (flags & SW_SCROLLCHILDREN) {
        for (HWND c : user::childHandles(*w)) {
            WindowObject* cw = windowQuiet(c);
            if (!cw) continue;
            if (scroll) {
                RECT inter;
                if (!IntersectRect(&inter, &cw->rect, &area)) continue;
            }
            const RECT at = user::logicalRect(*cw);
            SetWindowPos(c, HWND(), at.left + logicalDx, at.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
        if (!(w = windowQuiet(hwnd))) return ERROR;
    }
    if (flags & SW_INVALIDATE) {
        const Region inWindow = clientToWindow(*w, invalid);
        user::invalidate(*w, &inWindow,
                         RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) |
                             ((flags & SW_SCROLLCHILDREN) ? RDW_ALLCHILDREN : 0));
    }
    if (auto* r = HandleTable::current().get<RegionObject>(update.value))
        r->region = user::clientFlip(*w, invalid);
    if (updateRect) *updateRect = user::clientFlip(*w, invalid.bounds());
    return invalid.empty() ? NULLREGION : invalid.complexity();
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
    return ScrollWindowEx(hwnd, dx, dy, scroll, clip, HRGN(), nullptr,
                          SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN)) != ERROR;
}

BOOL LockWindowUpdate(HWND) {
    ReportUnsupported("LockWindowUpdate", "call");
    return FALSE;
}

}  // namespace orvane::platform
