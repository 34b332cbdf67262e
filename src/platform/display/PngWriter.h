// Writes pixel surfaces as PNG files (opaque: the alpha byte is ignored unless asked for).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/PixelSurface.h"

namespace orvane::platform {

class PngWriter {
public:
    enum class Alpha { Opaque, Keep };
    static bool writeFile(const PixelSurface& surface, const std::string& path,
                          Alpha alpha = Alpha::Opaque);
    static std::vector<std::uint8_t> encode(const PixelSurface& surface,
                                            Alpha alpha = Alpha::Opaque);
};

}  // namespace orvane::platform
