// A GDI bitmap: device-dependent (1 or 32 bits per pixel) or a 32-bit DIB section whose
// pixels the caller can reach directly.
#pragma once

#include <memory>

#include "platform/base/PlatformObject.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/PixelSurface.h"

namespace orvane::platform {

class BitmapObject : public PlatformObject {
public:
    static constexpr ObjectKind kKind = ObjectKind::Bitmap;
    // A bitmap whose pixels start as the given value (black for colour, 0 for monochrome).
    BitmapObject(int width, int height, int bitsPerPixel);
    // A DIB section: rows top-down when topDown, else bottom-up in memory.
    static std::unique_ptr<BitmapObject> makeDibSection(int width, int height, bool topDown);

    int width() const { return m_surface.width(); }
    int height() const { return m_surface.height(); }
    int bitsPerPixel() const { return m_bpp; }
    bool isMonochrome() const { return m_bpp == 1; }
    bool isDibSection() const { return m_isDib; }
    bool topDown() const { return m_topDown; }
    void* bits() { return m_dibBits.get(); }
    PixelSurface& surface() { return m_surface; }

    // The DC this bitmap is selected into (a bitmap may be in one DC at a time).
    std::uint32_t selectedInto = 0;

    BITMAP describe() const;

private:
    BitmapObject() : PlatformObject(kKind) {}
    PixelSurface m_surface;
    std::unique_ptr<std::uint32_t[]> m_dibBits;
    int m_bpp = 32;
    bool m_isDib = false;
    bool m_topDown = true;
};

}  // namespace orvane::platform
