// Reads PNG images of every colour type and depth (palette, grey, grey with alpha, RGB, RGBA;
// 1 to 16 bits; interlaced; transparency chunks) into 32-bit pixels with straight alpha.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/imaging/DecodedImage.h"

namespace orvane::platform {

class PngReader {
public:
    // The image, or nothing with `error` saying why. Images beyond the bitmap limits are
    // refused before their pixels are read.
    static std::optional<DecodedImage> read(const std::uint8_t* data, std::size_t size,
                                            std::string& error);
};

}  // namespace orvane::platform
