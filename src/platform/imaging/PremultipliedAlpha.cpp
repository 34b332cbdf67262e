#include "platform/imaging/PremultipliedAlpha.h"

namespace orvane::platform {

PixelSurface PremultipliedAlpha::fromStraight(const DecodedImage& image) {
    PixelSurface out(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        const std::uint32_t* in = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
        std::uint32_t* row = out.row(y);
        for (int x = 0; x < image.width; ++x)
            row[x] = premultiply(in[x]);
    }
    return out;
}

PixelSurface PremultipliedAlpha::fromStraight(DecodedImage&& image) {
    for (std::uint32_t& p : image.pixels)
        if (p < 0xFF000000u) p = premultiply(p);
    return PixelSurface(std::move(image.pixels), image.width, image.height);
}

PixelSurface PremultipliedAlpha::toStraight(const PixelSurface& surface) {
    PixelSurface out(surface.width(), surface.height());
    for (int y = 0; y < surface.height(); ++y) {
        const std::uint32_t* in = surface.row(y);
        std::uint32_t* row = out.row(y);
        for (int x = 0; x < surface.width(); ++x)
            row[x] = unpremultiply(in[x]);
    }
    return out;
}

}  // namespace orvane::platform
