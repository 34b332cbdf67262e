// Writes pixel surfaces as PNG files (opaque: the alpha byte is ignored unless asked for).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/PixelSurface.h"

namespace orvane::platform {

class PngWriter {
public:
    // Whether the PNG is opaque (the alpha byte ignored) or keeps the surface's alpha.
    enum class Alpha { Opaque, Keep };
    // Writes `surface` to the file `path`; false when it cannot be written.
    static bool writeFile(const PixelSurface& surface, const std::string& path,
                          Alpha alpha = Alpha::Opaque);
    // The PNG bytes of `surface`.
    static std::vector<std::uint8_t> encode(const PixelSurface& surface,
                                            Alpha alpha = Alpha::Opaque);
};

}  // namespace orvane::platform
