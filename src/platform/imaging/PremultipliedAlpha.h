// Conversions between straight alpha (what decoders give and PNG stores) and premultiplied
// alpha (what blending and the image graphics work in), both as 0xAARRGGBB pixels.
#pragma once

#include <cstdint>

#include "platform/gdi/PixelSurface.h"
#include "platform/imaging/DecodedImage.h"

namespace orvane::platform {

class PremultipliedAlpha {
public:
    static std::uint32_t premultiply(std::uint32_t straight) {
        const std::uint32_t a = straight >> 24;
        if (a == 255) return straight;
        if (a == 0) return 0;
        auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
        return a << 24 | mul((straight >> 16) & 0xFF) << 16 | mul((straight >> 8) & 0xFF) << 8 |
               mul(straight & 0xFF);
    }
    static std::uint32_t unpremultiply(std::uint32_t premultiplied) {
        const std::uint32_t a = premultiplied >> 24;
        if (a == 255) return premultiplied;
        if (a == 0) return 0;
        auto div = [a](std::uint32_t c) { return c >= a ? 255u : (c * 255 + a / 2) / a; };
        return a << 24 | div((premultiplied >> 16) & 0xFF) << 16 |
               div((premultiplied >> 8) & 0xFF) << 8 | div(premultiplied & 0xFF);
    }
    // A premultiplied surface of the decoded picture.
    static PixelSurface fromStraight(const DecodedImage& image);
    // The same, taking the picture's pixels over instead of copying them.
    static PixelSurface fromStraight(DecodedImage&& image);
    // A straight-alpha copy of a premultiplied surface.
    static PixelSurface toStraight(const PixelSurface& surface);
};

}  // namespace orvane::platform
