// One decoded picture: 32-bit pixels with straight alpha, rows from the top, and the limits every
// decoder keeps so that a hostile header cannot ask for unbounded memory.
#pragma once

#include <cstdint>
#include <vector>

namespace orvane::platform {

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, rows from the top

    // Images larger than this are refused before their pixels are allocated.
    static constexpr int kMaxSide = 16384;
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 27;  // 128 megapixels

    static bool sizeAllowed(std::int64_t width, std::int64_t height) {
        return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
               width * height <= kMaxPixels;
    }
};

}  // namespace orvane::platform
