#include "platform/gdi/SurfaceBlend.h"

#include <memory>

#include "platform/gdi/DcTarget.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternal.h"
#include "platform/gdi/PixelBlend.h"

namespace orvane::platform {

namespace {

// A DC over pixels in memory, so that AlphaBlend can take them as its source.
class SurfaceTarget final : public DcTarget {
public:
    explicit SurfaceTarget(PixelSurface& image) : m_image(image) {}
    PixelSurface* surface() override { return &m_image; }
    POINT origin() override { return POINT{}; }
    SIZE size() override { return SIZE{m_image.width(), m_image.height()}; }
    Region visibleRegion() override {
        return Region(RECT{0, 0, m_image.width(), m_image.height()});
    }
    std::uint64_t version() override { return 0; }

private:
    PixelSurface& m_image;
};

}  // namespace

void BlendSurfaceOver(PixelSurface& dst, const Region& clip, const RECT& to,
                      const PixelSurface& src, int srcX, int srcY) {
    dst.prefetch(to);
    const int offX = srcX - to.left, offY = srcY - to.top;
    for (const RECT& c : clip.rects()) {
        RECT part;
        if (!IntersectRect(&part, &c, &to)) continue;
        for (int y = part.top; y < part.bottom; ++y)
            PixelBlend::overRow(src.row(y + offY) + part.left + offX, dst.row(y) + part.left,
                                part.right - part.left);
    }
}

bool AlphaBlendSurface(HDC hdc, int x, int y, const PixelSurface& image, BYTE alpha) {
    DeviceContext* dc = gdi::dcFrom(hdc);
    if (!dc) return false;
    // The common case (no constant alpha, no rotation or mirroring, the image landing at its
    // own size) blends row by row inside the clip, as AlphaBlend would, without a source DC.
    if (alpha == 255 && !dc->hasRotation() && !dc->isMirrored()) {
        const RECT dr = dc->rectToSurface(RECT{x, y, x + image.width(), y + image.height()});
        PixelSurface* ds = dc->surface();
        if (ds && dr.right - dr.left == image.width() && dr.bottom - dr.top == image.height()) {
            BlendSurfaceOver(*ds, dc->clipRegion(), dr, image, 0, 0);
            return true;
        }
    }
    // The source is only read: the view is never written through.
    PixelSurface view(const_cast<std::uint32_t*>(image.row(0)), image.pitch(), image.width(),
                      image.height());
    const HDC source = gdi::registerDc(std::make_unique<DeviceContext>(
        DeviceContext::Type::Window, std::make_unique<SurfaceTarget>(view)));
    if (!source) return false;
    const BLENDFUNCTION over{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    const BOOL ok = AlphaBlend(hdc, x, y, image.width(), image.height(), source, 0, 0,
                               image.width(), image.height(), over);
    DeleteDC(source);
    return ok != FALSE;
}

}  // namespace orvane::platform
