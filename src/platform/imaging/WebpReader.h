// Reads WebP images, still or animated (every frame composited on the canvas, with its delay).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/imaging/AnimatedImage.h"

namespace orvane::platform {

class WebpReader {
public:
    static bool isWebp(const std::uint8_t* data, std::size_t size);
    static std::optional<AnimatedImage> read(const std::uint8_t* data, std::size_t size,
                                             std::string& error);
};

}  // namespace orvane::platform
