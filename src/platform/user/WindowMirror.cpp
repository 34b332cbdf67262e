// Mirrored windows: the conversions between a mirrored window's client coordinates, which run
// from the client area's right edge, and the left-to-right rectangles the window tree keeps.
#include "platform/user/UserInternal.h"

namespace orvane::platform::user {

namespace {

std::int32_t clientWidth(const WindowObject& w) {
    return w.client.right - w.client.left;
}

}  // namespace

bool isMirrored(const WindowObject& w) {
    return (w.exStyle & WS_EX_LAYOUTRTL) && !isRoot(w);
}

bool frameMirrored(const WindowObject& w) {
    return isMirrored(w) && w.isChild();
}

RECT clientFlip(const WindowObject& w, const RECT& rc) {
    // Nothing (an empty update rectangle) stays all zero.
    if (!isMirrored(w) || (rc.left == 0 && rc.top == 0 && rc.right == 0 && rc.bottom == 0))
        return rc;
    const std::int32_t width = clientWidth(w);
    return RECT{width - rc.right, rc.top, width - rc.left, rc.bottom};
}

Region clientFlip(const WindowObject& w, const Region& r) {
    return isMirrored(w) ? r.mirrored(clientWidth(w)) : r;
}

RECT parentFlip(WindowObject& w, const RECT& rc) {
    WindowObject* p = parentOf(w);
    return p ? clientFlip(*p, rc) : rc;
}

RECT logicalRect(WindowObject& w) {
    return parentFlip(w, w.rect);
}

POINT logicalClientOrigin(WindowObject& w) {
    const RECT c = parentFlip(w, RECT{w.rect.left + w.client.left, w.rect.top + w.client.top,
                                      w.rect.left + w.client.right, w.rect.top + w.client.bottom});
    return POINT{c.left, c.top};
}

POINT clientToScreen(WindowObject& w, POINT client) {
    if (isRoot(w)) return client;
    const POINT o = clientOrigin(w);
    const std::int32_t x = isMirrored(w) ? clientWidth(w) - 1 - client.x : client.x;
    return POINT{o.x + x, o.y + client.y};
}

POINT screenToClient(WindowObject& w, POINT screen) {
    if (isRoot(w)) return screen;
    const POINT o = clientOrigin(w);
    const std::int32_t x = screen.x - o.x;
    return POINT{isMirrored(w) ? clientWidth(w) - 1 - x : x, screen.y - o.y};
}

void keepChildrenRight(WindowObject& w, std::int32_t oldWidth) {
    const std::int32_t shift = clientWidth(w) - oldWidth;
    if (!isMirrored(w) || shift == 0 || w.children.size() == 0) return;
    for (HWND c : childHandles(w)) {
        WindowObject* child = windowQuiet(c);
        if (!child) continue;
        RECT r = child->rect;
        OffsetRect(&r, shift, 0);
        setRect(*child, r);
        // The child's pixels now belong elsewhere on the screen: it draws itself again.
        if (child->visibleStyle())
            invalidate(*child, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    bumpVersion();
}

}  // namespace orvane::platform::user
