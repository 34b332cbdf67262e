// Window position, size, z-order and visibility, coordinate mapping and hit-testing.
#include <algorithm>
#include <vector>

#include "platform/gdi/GdiInternal.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

using user::window;
using user::windowQuiet;

constexpr UINT kKnownSwp = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE |
                           SWP_FRAMECHANGED | SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_NOCOPYBITS |
                           SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_DEFERERASE |
                           SWP_ASYNCWINDOWPOS;
constexpr int kMaxSide = 32767;

bool isTopmostBand(std::uint32_t h) {
    WindowObject* w = windowQuiet(HWND(h));
    return w && (w->exStyle & WS_EX_TOPMOST);
}

// Moves a window within its parent's z-order. Returns true when the order changed.
bool reorder(WindowObject& w, HWND after) {
    WindowObject* p = user::parentOf(w);
    if (!p) return false;
    const ChildList& v = p->children;
    const bool topLevel = user::isRoot(*p);
    if (after == HWND_TOPMOST && topLevel) w.exStyle |= WS_EX_TOPMOST;
    if (after == HWND_NOTOPMOST && topLevel) w.exStyle &= ~WS_EX_TOPMOST;
    // The first sibling outside the topmost band (other than the window itself), or 0.
    auto firstNonTopmost = [&] {
        for (std::uint32_t h : v)
            if (h != w.handle() && !isTopmostBand(h)) return h;
        return std::uint32_t{0};
    };
    // The sibling the window goes right in front of; 0 puts it at the back.
    std::uint32_t before = 0;
    if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        before = topLevel && !(w.exStyle & WS_EX_TOPMOST) ? firstNonTopmost() : v.front();
    } else if (after == HWND_BOTTOM) {
        before = topLevel && (w.exStyle & WS_EX_TOPMOST) ? firstNonTopmost() : 0;
    } else if (!v.contains(after.value)) {
        before = v.front();
    } else {
        before = v.next(after.value);
        if (before == w.handle()) before = v.next(before);
    }
    return user::restack(w, before);
}

// The parent's window-coordinate area that a child's rectangle covers.
void invalidateInParent(WindowObject& child, const RECT& rectInParentClient) {
    WindowObject* p = user::parentOf(child);
    if (!p || user::isRoot(*p)) return;
    RECT r = rectInParentClient;
    OffsetRect(&r, p->client.left, p->client.top);
    Region area(r);
    user::invalidate(*p, &area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Keeps a top-level window's owned windows (of its own band) right above it, in their order.
void raiseOwned(WindowObject& owner) {
    WindowObject* p = user::parentOf(owner);
    if (!p) return;
    const HWND ownerHwnd = owner.hwnd();
    const bool topmost = owner.exStyle & WS_EX_TOPMOST;
    std::vector<HWND> owned;
    for (std::uint32_t h : p->children) {
        WindowObject* o = windowQuiet(HWND(h));
        if (o && o->owner == owner.handle() && bool(o->exStyle & WS_EX_TOPMOST) == topmost)
            owned.push_back(HWND(h));
    }
    if (owned.empty()) return;
    HWND after = GetWindow(ownerHwnd, GW_HWNDPREV);
    if (!after) after = HWND_TOP;
    for (HWND o : owned) {
        if (o == after) continue;  // already right above
        SetWindowPos(o, after, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
        after = o;
    }
}

}  // namespace

namespace user {

void minMaxInfo(HWND hwnd, WindowObject& w, MINMAXINFO& mmi) {
    // The frame (without the caption) hangs outside the area a maximised window covers.
    const RECT in = frameInsets(w.style, w.exStyle, false, false);
    SIZE area{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (WindowObject* p = parentOf(w); p && !isRoot(*p)) {
        const RECT pc = p->clientRect();
        area = SIZE{pc.right, pc.bottom};
    }
    mmi = MINMAXINFO{};
    mmi.ptMaxSize = POINT{area.cx + in.left + in.right, area.cy + 2 * in.bottom};
    mmi.ptMaxPosition = POINT{-in.left, -in.bottom};
    mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    mmi.ptMinTrackSize =
        (w.style & WS_THICKFRAME) || (w.style & WS_CAPTION) == WS_CAPTION
            ? POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)}
            : POINT{0, 0};
    const POINT defaultSize = mmi.ptMaxSize;
    SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    // A top-level window with a caption (or an overlapped one) that kept the screen-sized
    // default covers the work area instead; a captionless popup keeps the whole screen.
    WindowObject* cur = windowQuiet(hwnd);
    if (!cur || cur->isChild()) return;
    const bool captioned =
        (cur->style & WS_CAPTION) == WS_CAPTION || !(cur->style & (WS_POPUP | WS_CHILD));
    if (captioned && mmi.ptMaxSize.x == defaultSize.x && mmi.ptMaxSize.y == defaultSize.y) {
        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        mmi.ptMaxSize = POINT{work.right - work.left + in.left + in.right,
                              work.bottom - work.top + 2 * in.bottom};
        mmi.ptMaxPosition = POINT{work.left - in.left, work.top - in.bottom};
    }
}

bool minMaximize(HWND hwnd, int how, RECT& target) {
    WindowObject* w = windowQuiet(hwnd);
    if (!w) return false;
    if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
        w->restoreRect = logicalRect(*w);
        w->hasRestore = true;
    }
    const DWORD state = how == SW_MAXIMIZE ? WS_MAXIMIZE : WS_MINIMIZE;
    if (how == SW_MAXIMIZE) {
        MINMAXINFO mmi;
        minMaxInfo(hwnd, *w, mmi);
        if (!(w = windowQuiet(hwnd))) return false;
        target = RECT{mmi.ptMaxPosition.x, mmi.ptMaxPosition.y,
                      mmi.ptMaxPosition.x + mmi.ptMaxSize.x, mmi.ptMaxPosition.y + mmi.ptMaxSize.y};
    } else {
        // Minimised windows park off the screen and keep no focus.
        target = RECT{-32000, -32000, -32000 + 160, -32000 + 28};
        if (HWND focus = GetFocus(); focus && (focus == hwnd || IsChild(hwnd, focus))) {
            if (w->isChild())
                SetFocus(HWND(w->parent));
            else
                setFocusInternal(HWND());
            if (!(w = windowQuiet(hwnd))) return false;
        }
    }
    const bool changed = !(w->style & state);
    w->style = (w->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | state;
    if (changed) w->stateChanging = true;
    return changed;
}

}  // namespace user

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    if (user::isRoot(*w)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (flags & ~kKnownSwp) {
        ReportUnsupported("SetWindowPos", "flags", ERROR_INVALID_FLAGS);
        return FALSE;
    }
    if (insertAfter == hwnd) flags |= SWP_NOZORDER;
    if (!(flags & SWP_NOZORDER) && insertAfter != HWND_TOP && insertAfter != HWND_BOTTOM &&
        insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
        WindowObject* a = window(insertAfter);
        if (!a || a->parent != w->parent) {
            if (a) SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
    }
    // Positions are in the parent's client coordinates as the caller names them: in a mirrored
    // parent x is the child's distance from the right edge, and its right edge stays put when
    // only the size changes.
    const RECT oldLogical = user::logicalRect(*w);
    WINDOWPOS wp;
    wp.hwnd = hwnd;
    wp.hwndInsertAfter = insertAfter;
    wp.x = (flags & SWP_NOMOVE) ? oldLogical.left : x;
    wp.y = (flags & SWP_NOMOVE) ? oldLogical.top : y;
    wp.cx = (flags & SWP_NOSIZE) ? w->width() : std::clamp(cx, 0, kMaxSide);
    wp.cy = (flags & SWP_NOSIZE) ? w->height() : std::clamp(cy, 0, kMaxSide);
    wp.flags = flags;
    if (w->stateChanging) {
        w->stateChanging = false;
        wp.flags |= SWP_STATECHANGED;
    }
    if (w->visibleStyle())
        wp.flags &= ~SWP_SHOWWINDOW;
    else
        wp.flags &= ~SWP_HIDEWINDOW;

    if (!(flags & SWP_NOSENDCHANGING)) {
        SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        if (!(w = windowQuiet(hwnd))) return FALSE;
    }
    // What cannot be seen is not redrawn: a window that stays hidden, or any window of a
    // hidden parent.
    UINT f = wp.flags;
    if (user::inHiddenParent(*w) || (!w->visibleStyle() && !(f & SWP_SHOWWINDOW)))
        f |= SWP_NOREDRAW;
    const RECT oldRect = w->rect;
    const RECT oldClient = w->client;
    RECT newLogical = oldLogical;
    if (!(f & SWP_NOMOVE)) OffsetRect(&newLogical, wp.x - oldLogical.left, wp.y - oldLogical.top);
    if (!(f & SWP_NOSIZE)) {
        newLogical.right = newLogical.left + std::clamp(wp.cx, 0, kMaxSide);
        newLogical.bottom = newLogical.top + std::clamp(wp.cy, 0, kMaxSide);
    }
    const RECT newRect = user::parentFlip(*w, newLogical);
    const bool sizeChanged = newRect.right - newRect.left != oldRect.right - oldRect.left ||
                             newRect.bottom - newRect.top != oldRect.bottom - oldRect.top;
    // Moved as the caller sees it, and moved on the screen (what needs drawing again).
    const bool moved = newLogical.left != oldLogical.left || newLogical.top != oldLogical.top;
    const bool shifted = newRect.left != oldRect.left || newRect.top != oldRect.top;

    RECT newClient = oldClient;
    if (sizeChanged || (f & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params;
        params.rgrc[0] = newRect;
        params.rgrc[1] = oldRect;
        params.rgrc[2] = RECT{oldRect.left + oldClient.left, oldRect.top + oldClient.top,
                              oldRect.left + oldClient.right, oldRect.top + oldClient.bottom};
        params.lppos = &wp;
        SendMessageW(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        if (!(w = windowQuiet(hwnd))) return FALSE;
        // Kept as the procedure gave it, larger than the window or inverted.
        newClient = params.rgrc[0];
        OffsetRect(&newClient, -newRect.left, -newRect.top);
    }

    const bool showing = (f & SWP_SHOWWINDOW) && !w->visibleStyle();
    const bool hiding = (f & SWP_HIDEWINDOW) && w->visibleStyle();
    const bool wasVisible = w->visibleStyle();
    const POINT oldClientOrigin = user::logicalClientOrigin(*w);

    user::setRect(*w, newRect);
    w->client = newClient;
    user::keepChildrenRight(*w, oldClient.right - oldClient.left);
    bool zChanged = false;
    if (!(f & SWP_NOZORDER)) zChanged = reorder(*w, insertAfter);
    if (showing) w->style |= WS_VISIBLE;
    if (hiding) w->style &= ~WS_VISIBLE;
    user::ensureSurface(*w);
    if (sizeChanged || shifted || zChanged || showing || hiding || (f & SWP_FRAMECHANGED))
        user::bumpVersion();

    if (!(f & SWP_NOREDRAW)) {
        if (w->visibleStyle() && (showing || sizeChanged || (f & SWP_FRAMECHANGED) ||
                                  (zChanged && w->isChild()) || (shifted && w->isChild()))) {
            user::invalidate(*w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
        if (w->isChild() && ((hiding) || (wasVisible && (shifted || sizeChanged))))
            invalidateInParent(*w, oldRect);
    }
    // A child positioned without SWP_NOACTIVATE hears WM_CHILDACTIVATE instead of activation.
    if (!hiding && !(f & SWP_NOACTIVATE) && (w->style & (WS_CHILD | WS_POPUP)) == WS_CHILD) {
        SendMessageW(hwnd, WM_CHILDACTIVATE, 0, 0);
        if (!(w = windowQuiet(hwnd))) return TRUE;
    }
    if (!hiding && !(f & SWP_NOACTIVATE) && !w->isChild() && w->visibleStyle() &&
        user::isTopLevel(*w) && user::state().active != hwnd.value &&
        !(w->exStyle & WS_EX_NOACTIVATE)) {
        user::activateInternal(hwnd, WA_ACTIVE);
        if (!(w = windowQuiet(hwnd))) return TRUE;
    }

    const RECT nowLogical = user::logicalRect(*w);
    wp.x = nowLogical.left;
    wp.y = nowLogical.top;
    wp.cx = w->width();
    wp.cy = w->height();
    const bool clientSized =
        (newClient.right - newClient.left) != (oldClient.right - oldClient.left) ||
        (newClient.bottom - newClient.top) != (oldClient.bottom - oldClient.top);
    const POINT newClientOrigin = user::logicalClientOrigin(*w);
    const bool clientMoved =
        newClientOrigin.x != oldClientOrigin.x || newClientOrigin.y != oldClientOrigin.y;
    // The flags say what did not change; a call that changed nothing sends no
    // WM_WINDOWPOSCHANGED.
    wp.flags = f & ~(showing ? 0 : SWP_SHOWWINDOW) & ~(hiding ? 0 : SWP_HIDEWINDOW);
    if (!sizeChanged) wp.flags |= SWP_NOSIZE;
    if (!moved) wp.flags |= SWP_NOMOVE;
    if (!zChanged) wp.flags |= SWP_NOZORDER;
    if (!clientSized) wp.flags |= SWP_NOCLIENTSIZE;
    if (!clientMoved) wp.flags |= SWP_NOCLIENTMOVE;
    if (showing && w->needSize) {
        // A window created with a default size hears its size when first shown.
        w->needSize = false;
        wp.flags &= ~(SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE);
    }
    constexpr UINT kUnchanged =
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE;
    const bool changed = (wp.flags & (kUnchanged | SWP_FRAMECHANGED | SWP_SHOWWINDOW |
                                      SWP_HIDEWINDOW | SWP_STATECHANGED)) != kUnchanged;
    if (changed) SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    if (zChanged && !(f & SWP_NOOWNERZORDER) && insertAfter != HWND_BOTTOM &&
        (w = windowQuiet(hwnd)) && user::isTopLevel(*w))
        raiseOwned(*w);
    if (sizeChanged || shifted || zChanged || showing || hiding) user::mouseMovedByLayout();
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, HWND(), x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND hwnd, int cmd) {
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    if (user::isRoot(*w)) return FALSE;
    const BOOL wasVisible = w->visibleStyle() ? TRUE : FALSE;
    if (cmd < SW_HIDE || cmd > SW_SHOWDEFAULT) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (cmd == SW_HIDE) {
        if (!wasVisible) return FALSE;
        SendMessageW(hwnd, WM_SHOWWINDOW, FALSE, 0);
        if (!(w = windowQuiet(hwnd))) return TRUE;
        if (user::inHiddenParent(*w)) {
            w->style &= ~WS_VISIBLE;
            user::bumpVersion();
        } else {
            SetWindowPos(hwnd, HWND(), 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        // Hiding by ShowWindow (not by SetWindowPos) gives up activation, then the focus goes
        // back to the parent.
        if (!(w = windowQuiet(hwnd))) return TRUE;
        if (!w->isChild() && user::state().active == hwnd.value) {
            user::activateNextAfter(*w);
            if (!(w = windowQuiet(hwnd))) return TRUE;
        }
        if (HWND focus = GetFocus(); focus && (focus == hwnd || IsChild(hwnd, focus))) {
            if (w->isChild())
                SetFocus(HWND(w->parent));
            else
                user::setFocusInternal(HWND());
        }
        return TRUE;
    }
    // Showing a window that shows already changes nothing, and neither does maximising or
    // minimising one that is shown in that state; SW_SHOWNA still tells and raises it.
    const bool maximising = cmd == SW_SHOWMAXIMIZED;
    const bool minimising =
        cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE;
    if (wasVisible && (cmd == SW_SHOW || (maximising && (w->style & WS_MAXIMIZE)) ||
                       (minimising && (w->style & WS_MINIMIZE))))
        return TRUE;
    // As on Windows: SW_MAXIMIZE and SW_SHOWMINIMIZED activate (a child hears WM_CHILDACTIVATE)
    // and raise any window; the other commands that activate do so for top-level windows only;
    // SW_SHOWNA raises a top-level window without activating it.
    bool activate = !w->isChild();
    bool raise = !w->isChild();
    RECT target = user::logicalRect(*w);
    bool resize = false;
    bool stateChanged = false;
    bool restoredFromMinimised = false;
    switch (cmd) {
        case SW_SHOWNA:
        case SW_SHOWNOACTIVATE:
            activate = false;
            raise = raise && cmd == SW_SHOWNA;
            [[fallthrough]];
        case SW_SHOWNORMAL:
        case SW_RESTORE:
        case SW_SHOWDEFAULT:
            if (cmd != SW_SHOWNA && (w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
                restoredFromMinimised = w->style & WS_MINIMIZE;
                w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
                w->stateChanging = true;
                stateChanged = true;
                if (w->hasRestore) target = w->restoreRect;
                resize = true;
            }
            break;
        case SW_SHOW:
            break;
        case SW_SHOWMAXIMIZED:
            stateChanged = user::minMaximize(hwnd, SW_MAXIMIZE, target);
            resize = true;
            activate = raise = true;
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
            stateChanged = user::minMaximize(hwnd, SW_MINIMIZE, target);
            resize = true;
            activate = raise = cmd == SW_SHOWMINIMIZED;
            break;
    }
    if (!(w = windowQuiet(hwnd))) return wasVisible;
    // A window that changes state, or is shown maximised, hears nothing before it moves;
    // SW_SHOWNA tells even a window that shows already.
    if ((!wasVisible || cmd == SW_SHOWNA) && !stateChanged && cmd != SW_SHOWMAXIMIZED) {
        SendMessageW(hwnd, WM_SHOWWINDOW, TRUE, 0);
        if (!(w = windowQuiet(hwnd))) return wasVisible;
    }
    if (!resize && user::inHiddenParent(*w)) {
        w->style |= WS_VISIBLE;
        user::bumpVersion();
        return wasVisible;
    }
    UINT swp = SWP_SHOWWINDOW;
    if (!raise) swp |= SWP_NOZORDER;
    if (!activate) swp |= SWP_NOACTIVATE;
    if (!resize) swp |= SWP_NOSIZE | SWP_NOMOVE;
    if (stateChanged) swp |= SWP_FRAMECHANGED;
    SetWindowPos(hwnd, HWND_TOP, target.left, target.top, target.right - target.left,
                 target.bottom - target.top, swp);
    if ((w = windowQuiet(hwnd)) && (w->style & WS_MINIMIZE) && user::state().active == hwnd.value &&
        cmd == SW_MINIMIZE)
        user::activateNextAfter(*w);
    // Back from minimised, the window takes the focus again and a top-level one hears that it
    // is active.
    if (restoredFromMinimised && (w = windowQuiet(hwnd))) {
        SetFocus(hwnd);
        if (activate && !w->isChild() && windowQuiet(hwnd))
            SendMessageW(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    }
    return wasVisible;
}

BOOL GetWindowRect(HWND hwnd, RECT* rc) {
    WindowObject* w = window(hwnd);
    if (!w || !rc) return FALSE;
    *rc = user::isRoot(*w) ? w->rect : user::screenRect(*w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rc) {
    WindowObject* w = window(hwnd);
    if (!w || !rc) return FALSE;
    *rc = w->clientRect();
    return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rc, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Overlapped windows always get a caption.
    if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION;
    const RECT in = user::frameInsets(style, exStyle, menu != FALSE, false);
    rc->left -= in.left;
    rc->top -= in.top;
    rc->right += in.right;
    rc->bottom += in.bottom;
    return TRUE;
}

BOOL AdjustWindowRect(RECT* rc, DWORD style, BOOL menu) {
    return AdjustWindowRectEx(rc, style, menu, 0);
}

BOOL ClientToScreen(HWND hwnd, POINT* pt) {
    WindowObject* w = window(hwnd);
    if (!w || !pt) return FALSE;
    *pt = user::clientToScreen(*w, *pt);
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* pt) {
    WindowObject* w = window(hwnd);
    if (!w || !pt) return FALSE;
    *pt = user::screenToClient(*w, *pt);
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* pts, UINT count) {
    // Each side is x -> origin + x, or origin - x for a mirrored window; the screen is
    // unmirrored with origin 0. Points name pixels (the origin of a mirrored window is its
    // client area's last column); two points crossing exactly one mirror are a rectangle,
    // whose edges map onto edges and whose left and right are swapped to stay in order.
    struct Side {
        bool mirrored = false;
        POINT origin{};
    };
    const bool rectangle = count == 2;
    auto side = [&](HWND h, Side& out) {
        if (!h) return true;
        WindowObject* w = window(h);
        if (!w) return false;
        if (user::isRoot(*w)) return true;
        out.origin = user::clientOrigin(*w);
        if (user::isMirrored(*w)) {
            out.mirrored = true;
            out.origin.x += w->client.right - w->client.left - 1;
        }
        return true;
    };
    Side a, b;
    if (!side(from, a) || !side(to, b)) return 0;
    const bool flips = a.mirrored != b.mirrored;
    // A rectangle's edges lie one past the last column the pixel origin names.
    if (rectangle && flips) {
        if (a.mirrored) ++a.origin.x;
        if (b.mirrored) ++b.origin.x;
    }
    // screen x = ax + sa * x; result = sb * (screen x - bx).
    const int sa = a.mirrored ? -1 : 1, sb = b.mirrored ? -1 : 1;
    const int dy = a.origin.y - b.origin.y;
    for (UINT i = 0; pts && i < count; ++i) {
        pts[i].x = sb * (a.origin.x + sa * pts[i].x - b.origin.x);
        pts[i].y += dy;
    }
    if (pts && rectangle && flips) std::swap(pts[0].x, pts[1].x);
    // The horizontal offset: what is added to each x before the result is negated when exactly
    // one side is mirrored.
    const int dx = flips ? sa * (a.origin.x - b.origin.x) : sb * (a.origin.x - b.origin.x);
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

namespace user {

namespace {

// Searches one level front to back, then descends; windows answering HTTRANSPARENT are passed
// over in favour of what lies beneath them.
HWND hitLevel(WindowObject& parent, POINT pt, LRESULT& hit) {
    for (HWND c : childHandles(parent)) {
        WindowObject* w = windowQuiet(c);
        if (!w || !w->visibleStyle()) continue;
        if (!isRoot(parent) && (w->exStyle & WS_EX_TRANSPARENT) && w->isChild()) continue;
        if (isRoot(parent) && (w->exStyle & WS_EX_LAYERED) && (w->exStyle & WS_EX_TRANSPARENT))
            continue;
        const RECT r = screenRect(*w);
        if (!PtInRect(&r, pt)) continue;
        if (w->style & WS_DISABLED) {
            // Disabled windows take no input; a disabled child's parent gets it.
            if (w->isChild()) return HWND();
            hit = HTERROR;
            return c;
        }
        const RECT cr = clientScreenRect(*w);
        if (PtInRect(&cr, pt)) {
            HWND deeper = hitLevel(*w, pt, hit);
            if (deeper) return deeper;
            if (!windowQuiet(c)) continue;
        }
        const LRESULT h = SendMessageW(c, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        if (!windowQuiet(c)) continue;
        if (h == HTTRANSPARENT) continue;
        hit = h;
        return c;
    }
    return HWND();
}

}  // namespace

HWND windowAt(POINT screen) {
    WindowObject* level = desktop();
    HWND found;
    while (level) {
        WindowObject* next = nullptr;
        for (std::uint32_t h : level->children) {
            WindowObject* w = windowQuiet(HWND(h));
            if (!w || !w->visibleStyle() || (w->exStyle & WS_EX_TRANSPARENT)) continue;
            const RECT r = screenRect(*w);
            if (!PtInRect(&r, screen)) continue;
            if ((w->style & WS_DISABLED) && w->isChild()) break;
            found = w->hwnd();
            const RECT cr = clientScreenRect(*w);
            if (PtInRect(&cr, screen) && !(w->style & WS_DISABLED)) next = w;
            break;
        }
        level = next;
    }
    return found;
}

HWND hitTest(POINT screen, LRESULT& hit) {
    hit = HTNOWHERE;
    return hitLevel(*desktop(), screen, hit);
}

}  // namespace user

HWND WindowFromPoint(POINT pt) {
    LRESULT hit;
    return user::hitTest(pt, hit);
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
    WindowObject* p = window(parent);
    if (!p) return HWND();
    const RECT client = p->clientRect();
    if (!PtInRect(&client, pt)) {
        if (!user::isRoot(*p)) return HWND();
    }
    // The children's rectangles are kept as the screen lays them out.
    if (user::isMirrored(*p)) pt.x = client.right - 1 - pt.x;
    for (std::uint32_t h : p->children) {
        WindowObject* w = windowQuiet(HWND(h));
        if (!w) continue;
        if ((flags & CWP_SKIPINVISIBLE) && !w->visibleStyle()) continue;
        if ((flags & CWP_SKIPDISABLED) && (w->style & WS_DISABLED)) continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (w->exStyle & WS_EX_TRANSPARENT)) continue;
        if (PtInRect(&w->rect, pt)) return HWND(h);
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) {
    return ChildWindowFromPointEx(parent, pt, CWP_ALL);
}

HWND RealChildWindowFromPoint(HWND parent, POINT pt) {
    return ChildWindowFromPointEx(parent, pt, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    if (!(w->exStyle & WS_EX_LAYERED) || (flags & ~(LWA_ALPHA | LWA_COLORKEY))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    w->layeredKey = key & 0xFFFFFF;
    w->layeredAlpha = alpha;
    w->layeredFlags = flags;
    w->layeredSet = true;
    user::bumpVersion();
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
    WindowObject* w = window(hwnd);
    if (!w) return FALSE;
    // Nothing to report until the attributes have been set.
    if (!(w->exStyle & WS_EX_LAYERED) || !w->layeredSet) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (key) *key = w->layeredKey;
    if (alpha) *alpha = w->layeredAlpha;
    if (flags) *flags = w->layeredFlags;
    return TRUE;
}

}  // namespace orvane::platform
