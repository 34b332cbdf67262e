#include "platform/imaging/PngReader.h"

#include <png.h>

#include <cstring>

namespace orvane::platform {

std::optional<DecodedImage> PngReader::read(const std::uint8_t* data, std::size_t size,
                                            std::string& error) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) {
        error = image.message[0] ? image.message : "not a PNG image";
        return std::nullopt;
    }
    if (image.width == 0 || image.height == 0 || image.width > DecodedImage::kMaxSide ||
        image.height > DecodedImage::kMaxSide ||
        static_cast<std::int64_t>(image.width) * image.height > DecodedImage::kMaxPixels) {
        png_image_free(&image);
        error = "bad image size";
        return std::nullopt;
    }
    // Blue, green, red, alpha in memory: 0xAARRGGBB as 32-bit values.
    image.format = PNG_FORMAT_BGRA;
    DecodedImage out;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
        error = image.message[0] ? image.message : "damaged PNG image";
        png_image_free(&image);
        return std::nullopt;
    }
    return out;
}

}  // namespace orvane::platform
