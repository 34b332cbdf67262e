// Reads GIF images, animated or not: every frame composited on the logical screen in time
// order by its disposal method (keep, clear to transparent, restore the previous), with its
// transparency, interlacing and delay.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/imaging/AnimatedImage.h"

namespace orvane::platform {

class GifReader {
public:
    static std::optional<AnimatedImage> read(const std::uint8_t* data, std::size_t size,
                                             std::string& error);
};

}  // namespace orvane::platform
