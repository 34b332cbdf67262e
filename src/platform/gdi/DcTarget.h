// Where a device context draws when it is not a memory DC: a window's part of its top-level
// surface, or the screen. The windowing layer implements this.
#pragma once

#include <cstdint>

#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/Region.h"

namespace orvane::platform {

class DcTarget {
public:
    virtual ~DcTarget() = default;
    // The pixels drawn on; null when the target is gone (the window was destroyed).
    virtual PixelSurface* surface() = 0;
    // Where device point (0, 0) lies on the surface.
    virtual POINT origin() = 0;
    // The size of the device area (the client area, the window or the screen).
    virtual SIZE size() = 0;
    // The pixels that may be drawn, in device coordinates.
    virtual Region visibleRegion() = 0;
    // Changes whenever the visible region or origin may have changed.
    virtual std::uint64_t version() = 0;
    virtual std::uint32_t window() { return 0; }
    virtual bool isDisplay() { return false; }
};

}  // namespace orvane::platform
