// Reads TIFF images, every page of a multi-page file, in any layout the library's RGBA reader
// accepts (strips or tiles, any compression it was built with, associated or straight alpha).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/imaging/AnimatedImage.h"

namespace orvane::platform {

class TiffReader {
public:
    static bool isTiff(const std::uint8_t* data, std::size_t size);
    static std::optional<AnimatedImage> read(const std::uint8_t* data, std::size_t size,
                                             std::string& error);
};

}  // namespace orvane::platform
