// Decodes an encoded image of any format the platform reads, told apart by its first bytes:
// PNG, JPEG, GIF, WebP, TIFF, BMP, ICO and CUR. Metafiles are recognised and refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/imaging/AnimatedImage.h"

namespace orvane::platform {

class ImageDecoder {
public:
    enum class Format { Unknown, Png, Jpeg, Gif, Webp, Tiff, Bmp, Icon, Metafile };

    static Format sniff(const std::uint8_t* data, std::size_t size);
    // Every frame (GIF, WebP) or page (TIFF); other formats give one frame. Icons give their
    // largest image. Nothing, with `error` saying why, for data that is not a readable image.
    static std::optional<AnimatedImage> decode(const std::uint8_t* data, std::size_t size,
                                               std::string& error);
};

}  // namespace orvane::platform
