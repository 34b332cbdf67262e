#include "platform/display/headless/HeadlessScreen.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/DcTarget.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/user/UserInternal.h"

namespace orvane::platform {

namespace {

// The screen as a drawing target: GetDC(NULL) and CreateDCW(L"DISPLAY").
class ScreenDcTarget : public DcTarget {
public:
    PixelSurface* surface() override {
        return const_cast<PixelSurface*>(&HeadlessScreen::current().compose());
    }
    POINT origin() override { return POINT{}; }
    SIZE size() override { return SIZE{gdi::screenInfo().width, gdi::screenInfo().height}; }
    Region visibleRegion() override {
        return Region(RECT{0, 0, gdi::screenInfo().width, gdi::screenInfo().height});
    }
    std::uint64_t version() override { return user::state().version; }
    bool isDisplay() override { return true; }
};

std::uint32_t blend(std::uint32_t src, std::uint32_t dst, std::uint32_t alpha) {
    std::uint32_t out = 0xFF000000u;
    for (int k = 0; k < 3; ++k) {
        const std::uint32_t s = (src >> (8 * k)) & 0xFF, d = (dst >> (8 * k)) & 0xFF;
        out |= ((s * alpha + d * (255 - alpha) + 127) / 255) << (8 * k);
    }
    return out;
}

}  // namespace

HeadlessScreen& HeadlessScreen::current() {
    static HeadlessScreen screen;
    static bool installed = false;
    if (!installed) {
        installed = true;
        gdi::setDisplayTargetFactory([] { return std::make_unique<ScreenDcTarget>(); });
    }
    return screen;
}

void HeadlessScreen::configure(int width, int height, int dpi) {
    auto& info = gdi::screenInfo();
    info.width = std::clamp(width, 1, 16384);
    info.height = std::clamp(height, 1, 16384);
    info.dpi = std::clamp(dpi, 48, 480);
    if (WindowObject* d = user::desktop()) {
        d->rect = RECT{0, 0, info.width, info.height};
        d->client = d->rect;
    }
    user::bumpVersion();
}

int HeadlessScreen::width() const {
    return gdi::screenInfo().width;
}
int HeadlessScreen::height() const {
    return gdi::screenInfo().height;
}
int HeadlessScreen::dpi() const {
    return gdi::screenInfo().dpi;
}

const PixelSurface& HeadlessScreen::compose() {
    const int w = width(), h = height();
    const std::uint32_t background =
        PixelSurface::fromColor(GetSysColor(COLOR_DESKTOP)) | 0xFF000000u;
    if (m_screen.width() != w || m_screen.height() != h) m_screen.reset(w, h, background);
    for (int y = 0; y < h; ++y)
        std::fill(m_screen.row(y), m_screen.row(y) + w, background);
    WindowObject* desktop = user::desktop();
    // Bottom of the z-order first.
    for (std::uint32_t top = desktop->children.back(); top; top = desktop->children.prev(top)) {
        WindowObject* win = user::windowQuiet(HWND(top));
        if (!win || !win->visibleStyle() || !win->surface || (win->style & WS_MINIMIZE)) continue;
        const PixelSurface& src = *win->surface;
        const bool layered = win->exStyle & WS_EX_LAYERED;
        const std::uint32_t alpha =
            layered && (win->layeredFlags & LWA_ALPHA) ? win->layeredAlpha : 255;
        const bool keyed = layered && (win->layeredFlags & LWA_COLORKEY);
        const std::uint32_t key = PixelSurface::fromColor(win->layeredKey);
        const int x0 = std::max<int>(0, win->rect.left), y0 = std::max<int>(0, win->rect.top);
        const int x1 = std::min<int>(w, win->rect.left + src.width()),
                  y1 = std::min<int>(h, win->rect.top + src.height());
        for (int y = y0; y < y1; ++y) {
            const std::uint32_t* s = src.row(y - win->rect.top) + (x0 - win->rect.left);
            std::uint32_t* d = m_screen.row(y) + x0;
            if (alpha == 255 && !keyed) {
                for (int x = 0; x < x1 - x0; ++x)
                    d[x] = s[x] | 0xFF000000u;
                continue;
            }
            for (int x = 0; x < x1 - x0; ++x) {
                if (keyed && (s[x] & 0xFFFFFF) == key) continue;
                d[x] = blend(s[x], d[x], alpha);
            }
        }
    }
    return m_screen;
}

PixelSurface HeadlessScreen::captureWindow(HWND hwnd) {
    WindowObject* w = user::windowQuiet(hwnd);
    if (!w) return PixelSurface();
    WindowObject* top = user::topLevelOf(*w);
    if (!top || !top->surface) return PixelSurface();
    const POINT off = user::offsetInTopLevel(*w);
    PixelSurface out(std::max<LONG>(0, w->width()), std::max<LONG>(0, w->height()), 0);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const int sx = off.x + x, sy = off.y + y;
            if (top->surface->contains(sx, sy))
                out.at(x, y) = top->surface->at(sx, sy) | 0xFF000000u;
        }
    }
    return out;
}

// One point of the screen without composing the rest: the windows over it, bottom to top.
COLORREF HeadlessScreen::pixel(int x, int y) {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return CLR_INVALID;
    std::uint32_t out = PixelSurface::fromColor(GetSysColor(COLOR_DESKTOP)) | 0xFF000000u;
    WindowObject* desktop = user::desktop();
    for (std::uint32_t top = desktop->children.back(); top; top = desktop->children.prev(top)) {
        WindowObject* win = user::windowQuiet(HWND(top));
        if (!win || !win->visibleStyle() || !win->surface || (win->style & WS_MINIMIZE)) continue;
        const int sx = x - win->rect.left, sy = y - win->rect.top;
        if (!win->surface->contains(sx, sy)) continue;
        const std::uint32_t src = win->surface->at(sx, sy);
        const bool layered = win->exStyle & WS_EX_LAYERED;
        const std::uint32_t alpha =
            layered && (win->layeredFlags & LWA_ALPHA) ? win->layeredAlpha : 255;
        if (layered && (win->layeredFlags & LWA_COLORKEY) &&
            (src & 0xFFFFFF) == PixelSurface::fromColor(win->layeredKey))
            continue;
        out = alpha == 255 ? src | 0xFF000000u : blend(src, out, alpha);
    }
    return PixelSurface::toColor(out) & 0xFFFFFF;
}

COLORREF HeadlessScreen::windowPixel(HWND hwnd, int x, int y) {
    WindowObject* w = user::windowQuiet(hwnd);
    if (!w || x < 0 || y < 0 || x >= w->width() || y >= w->height()) return CLR_INVALID;
    WindowObject* top = user::topLevelOf(*w);
    if (!top || !top->surface) return CLR_INVALID;
    const POINT off = user::offsetInTopLevel(*w);
    if (!top->surface->contains(off.x + x, off.y + y)) return 0;
    return PixelSurface::toColor(top->surface->at(off.x + x, off.y + y)) & 0xFFFFFF;
}

}  // namespace orvane::platform
