#include "platform/display/PngWriter.h"

#include <png.h>

#include <cstring>

namespace orvane::platform {

namespace {

// libpng's simplified API wants one contiguous top-down image.
std::vector<std::uint32_t> packed(const PixelSurface& surface, PngWriter::Alpha alpha) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(surface.width()) * surface.height());
    for (int y = 0; y < surface.height(); ++y) {
        std::uint32_t* out = &pixels[static_cast<std::size_t>(y) * surface.width()];
        std::memcpy(out, surface.row(y), surface.width() * 4u);
        if (alpha == PngWriter::Alpha::Opaque)
            for (int x = 0; x < surface.width(); ++x)
                out[x] |= 0xFF000000u;
    }
    return pixels;
}

png_image makeImage(const PixelSurface& surface) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.width());
    image.height = static_cast<png_uint_32>(surface.height());
    image.format = PNG_FORMAT_BGRA;
    return image;
}

}  // namespace

bool PngWriter::writeFile(const PixelSurface& surface, const std::string& path, Alpha alpha) {
    if (surface.width() <= 0 || surface.height() <= 0) return false;
    const auto pixels = packed(surface, alpha);
    png_image image = makeImage(surface);
    const int ok = png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr);
    png_image_free(&image);
    return ok != 0;
}

std::vector<std::uint8_t> PngWriter::encode(const PixelSurface& surface, Alpha alpha) {
    std::vector<std::uint8_t> out;
    if (surface.width() <= 0 || surface.height() <= 0) return out;
    const auto pixels = packed(surface, alpha);
    png_image image = makeImage(surface);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr))
        return out;
    out.resize(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr))
        out.clear();
    out.resize(size);
    png_image_free(&image);
    return out;
}

}  // namespace orvane::platform
