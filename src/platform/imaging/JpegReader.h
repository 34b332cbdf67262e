// Reads JPEG images: grey, colour (YCbCr or RGB), CMYK and YCCK (as Adobe writes them, inverted),
// baseline or progressive, turned upright by their EXIF orientation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/imaging/DecodedImage.h"

namespace orvane::platform {

class JpegReader {
public:
    static std::optional<DecodedImage> read(const std::uint8_t* data, std::size_t size,
                                            std::string& error);
    // The EXIF orientation (1 to 8) of JPEG data, 1 when it has none.
    static int orientation(const std::uint8_t* data, std::size_t size);
};

}  // namespace orvane::platform
