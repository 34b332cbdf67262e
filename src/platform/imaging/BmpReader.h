// Reads Windows bitmap files: 1, 4, 8, 24 and 32 bits per pixel, uncompressed, bottom-up or
// top-down. (Run-length and bit-field files are not read yet.)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::platform {

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, rows from the top, alpha 0xFF
};

class BmpReader {
public:
    // The image, or nothing with `error` saying why.
    static std::optional<DecodedImage> read(const std::uint8_t* data, std::size_t size,
                                            std::string& error);

    static constexpr int kMaxSide = 32768;
    static constexpr std::int64_t kMaxPixels = 1 << 26;
};

}  // namespace orvane::platform
