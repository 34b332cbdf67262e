// Blending 32-bit premultiplied pixels (0xAARRGGBB), two channels at a time.
#pragma once

#include <cstdint>

namespace orvane::platform {

struct PixelBlend {
    // What a premultiplied source pixel leaves over `dst`: src + dst × (255 − src alpha) ÷ 255,
    // rounded. A source colour above its alpha (not premultiplied as it should be) saturates.
    [[gnu::always_inline]] static std::uint32_t over(std::uint32_t src, std::uint32_t dst) {
        const std::uint32_t inv = 255 - (src >> 24);
        if (inv == 0 || dst == 0) return src;
        if (inv == 255 && src == 0) return dst;
        auto scaled = [inv](std::uint32_t pair) {
            const std::uint32_t t = pair * inv + 0x00800080;
            return ((t + ((t >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
        };
        auto saturated = [](std::uint32_t pair) {
            return (pair | (((pair & 0x01000100) >> 8) * 0xFF)) & 0x00FF00FF;
        };
        const std::uint32_t rb = (src & 0x00FF00FF) + scaled(dst & 0x00FF00FF);
        const std::uint32_t ag = ((src >> 8) & 0x00FF00FF) + scaled((dst >> 8) & 0x00FF00FF);
        return saturated(rb) | saturated(ag) << 8;
    }
};

}  // namespace orvane::platform
