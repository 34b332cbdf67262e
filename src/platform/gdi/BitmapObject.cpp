#include "platform/gdi/BitmapObject.h"

namespace orvane::platform {

BitmapObject::BitmapObject(int width, int height, int bitsPerPixel)
    : PlatformObject(kKind), m_surface(width, height, 0), m_bpp(bitsPerPixel) {}

std::unique_ptr<BitmapObject> BitmapObject::makeDibSection(int width, int height, bool topDown) {
    std::unique_ptr<BitmapObject> bmp(new BitmapObject());
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    bmp->m_dibBits.reset(new std::uint32_t[count ? count : 1]());
    bmp->m_isDib = true;
    bmp->m_topDown = topDown;
    bmp->m_bpp = 32;
    std::uint32_t* base = bmp->m_dibBits.get();
    if (topDown) {
        bmp->m_surface = PixelSurface(base, width, width, height);
    } else {
        bmp->m_surface = PixelSurface(base + static_cast<std::ptrdiff_t>(height - 1) * width,
                                      -width, width, height);
    }
    return bmp;
}

BITMAP BitmapObject::describe() const {
    BITMAP bm;
    bm.bmType = 0;
    bm.bmWidth = m_surface.width();
    bm.bmHeight = m_surface.height();
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<WORD>(m_bpp);
    // Rows are padded to 16 bits for device bitmaps and to 32 bits for DIB sections.
    const int rowBits = m_surface.width() * m_bpp;
    bm.bmWidthBytes = m_isDib ? ((rowBits + 31) / 32) * 4 : ((rowBits + 15) / 16) * 2;
    bm.bmBits = m_isDib ? m_dibBits.get() : nullptr;
    return bm;
}

}  // namespace orvane::platform
