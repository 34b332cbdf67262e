// Blending grey coverage of one colour (glyphs, laid-out lines of text) onto 32-bit pixels,
// every channel rounded exactly: x / 255 is (x + 128 + ((x + 128) >> 8)) >> 8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

namespace orvane::platform {

struct CoverageBlend {
    // Coverage `a` of `color` over one pixel. A pixel without coverage keeps its alpha byte;
    // any other ends with it at zero, as GDI leaves it.
    static std::uint32_t pixel(std::uint32_t dst, std::uint32_t color, unsigned a) {
        if (a == 0) return dst;
        if (a == 255) return color & 0x00FFFFFFu;
        const unsigned na = 255 - a;
        // Red and blue go through one multiplication in two 16-bit lanes.
        std::uint32_t rb = (dst & 0x00FF00FFu) * na + (color & 0x00FF00FFu) * a + 0x00800080u;
        rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
        std::uint32_t g = ((dst >> 8) & 0xFF) * na + ((color >> 8) & 0xFF) * a + 128;
        g = (g + (g >> 8)) >> 8;
        return rb | (g << 8);
    }

    // `pixel` along a run of n pixels. Pixels without coverage are left exactly as they were,
    // so the run's last few pixels may be blended in a wider step when the row has `room`
    // pixels from `dst`; the coverage may then be read up to three bytes past the run.
    static void run(std::uint32_t* dst, const std::uint8_t* alpha, int n, int room,
                    std::uint32_t color);

    // A bitmap of coverage, `width` bytes a row, over rows of pixels `pitch` apart: row y
    // blends its ink columns [ink[y].first, ink[y].second) as `run` does, `room` pixels being
    // left in each pixel row from `dst`.
    static void rows(std::uint32_t* dst, std::ptrdiff_t pitch, const std::uint8_t* alpha, int width,
                     const std::pair<std::uint16_t, std::uint16_t>* ink, int height, int room,
                     std::uint32_t color);

    // Whether 256-bit vector instructions may be used where the processor has them (they are
    // by default); tests compare both paths.
    static void allowWideVectors(bool allow);
};

}  // namespace orvane::platform
