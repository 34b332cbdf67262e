#include "platform/user/WindowDcTarget.h"

#include <algorithm>

#include "platform/user/UserInternal.h"

namespace orvane::platform {

PixelSurface* WindowDcTarget::surface() {
    WindowObject* w = user::windowQuiet(m_hwnd);
    if (!w) return nullptr;
    WindowObject* top = nullptr;
    if (m_top && m_topVersion == user::state().version) top = user::windowQuiet(HWND(m_top));
    if (!top) {
        top = user::topLevelOf(*w);
        m_top = top ? top->handle() : 0;
        m_topVersion = user::state().version;
    }
    return top && top->surface ? top->surface.get() : nullptr;
}

POINT WindowDcTarget::origin() {
    WindowObject* w = user::windowQuiet(m_hwnd);
    if (!w) return POINT{};
    POINT p = user::offsetInTopLevel(*w);
    if (m_client) {
        p.x += w->client.left;
        p.y += w->client.top;
    }
    return p;
}

SIZE WindowDcTarget::size() {
    WindowObject* w = user::windowQuiet(m_hwnd);
    if (!w) return SIZE{};
    // An inverted client rectangle draws nothing.
    if (m_client)
        return SIZE{std::max<LONG>(0, w->client.right - w->client.left),
                    std::max<LONG>(0, w->client.bottom - w->client.top)};
    return SIZE{w->width(), w->height()};
}

Region WindowDcTarget::visibleRegion() {
    WindowObject* w = user::windowQuiet(m_hwnd);
    if (!w) return Region();
    Region r = user::visibleRegion(*w, m_client, m_flags);
    if (m_extra) r = Region::combine(r, *m_extra, m_exclude ? Region::Op::Diff : Region::Op::And);
    return r;
}

std::uint64_t WindowDcTarget::version() {
    return user::state().version;
}

}  // namespace orvane::platform
