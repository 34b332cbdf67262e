#include "platform/base/Geometry.h"

#include <algorithm>

#include "platform/base/LastError.h"

namespace orvane::platform {

BOOL SetRect(RECT* rc, int left, int top, int right, int bottom) {
    if (!rc) return FALSE;
    *rc = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(RECT* rc) {
    if (!rc) return FALSE;
    *rc = RECT{};
    return TRUE;
}

BOOL CopyRect(RECT* dst, const RECT* src) {
    if (!dst || !src) return FALSE;
    *dst = *src;
    return TRUE;
}

BOOL OffsetRect(RECT* rc, int dx, int dy) {
    if (!rc) return FALSE;
    rc->left += dx;
    rc->right += dx;
    rc->top += dy;
    rc->bottom += dy;
    return TRUE;
}

BOOL InflateRect(RECT* rc, int dx, int dy) {
    if (!rc) return FALSE;
    rc->left -= dx;
    rc->right += dx;
    rc->top -= dy;
    rc->bottom += dy;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rc) {
    return !rc || rc->right <= rc->left || rc->bottom <= rc->top;
}

BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(a) || IsRectEmpty(b) || IsRectEmpty(&r)) {
        *dst = RECT{};
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    const bool emptyA = IsRectEmpty(a), emptyB = IsRectEmpty(b);
    if (emptyA && emptyB) {
        *dst = RECT{};
        return FALSE;
    }
    if (emptyA) {
        *dst = *b;
    } else if (emptyB) {
        *dst = *a;
    } else {
        *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top),
                    std::max(a->right, b->right), std::max(a->bottom, b->bottom)};
    }
    return TRUE;
}

// The result is a minus b only when b covers a completely along one axis; otherwise a itself.
BOOL SubtractRect(RECT* dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    if (IsRectEmpty(a)) {
        *dst = RECT{};
        return FALSE;
    }
    RECT r = *a;
    RECT inter;
    if (IntersectRect(&inter, a, b)) {
        if (inter.left == r.left && inter.right == r.right) {
            if (inter.top == r.top)
                r.top = inter.bottom;
            else if (inter.bottom == r.bottom)
                r.bottom = inter.top;
        } else if (inter.top == r.top && inter.bottom == r.bottom) {
            if (inter.left == r.left)
                r.left = inter.right;
            else if (inter.right == r.right)
                r.right = inter.left;
        }
    }
    if (IsRectEmpty(&r)) {
        *dst = RECT{};
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    if (!a || !b) return FALSE;
    return *a == *b;
}

BOOL PtInRect(const RECT* rc, POINT pt) {
    if (!rc) return FALSE;
    return pt.x >= rc->left && pt.x < rc->right && pt.y >= rc->top && pt.y < rc->bottom;
}

}  // namespace orvane::platform
