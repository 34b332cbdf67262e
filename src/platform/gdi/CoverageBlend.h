// Blending grey coverage of one colour (glyphs, laid-out lines of text) onto 32-bit pixels,
// every channel rounded exactly: x / 255 is (x + 128 + ((x + 128) >> 8)) >> 8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "platform/gdi/PixelSurface.h"

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

    // A bitmap of grey coverage: `width` bytes a row, and for each row the columns
    // [first, last) that hold any ink.
    struct Coverage {
        const std::uint8_t* alpha = nullptr;
        int width = 0;
        int height = 0;
        const std::pair<std::uint16_t, std::uint16_t>* ink = nullptr;
    };
    // `pixel` for the bitmap's ink, its top-left pixel at (left, top) of the surface, within
    // the columns [clipLeft, clipRight); every row it covers must be on the surface. Pixels
    // without coverage are left exactly as they were, so a row's last few pixels may be
    // blended in a wider step (reading and writing pixels past them when the surface row has
    // room); the coverage may then be read up to three bytes past a row's ink.
    static void rows(PixelSurface& surface, const Coverage& coverage, int left, int top,
                     int clipLeft, int clipRight, std::uint32_t color);

    // Whether 256-bit vector instructions may be used where the processor has them (they are
    // by default); tests compare both paths.
    static void allowWideVectors(bool allow);
};

}  // namespace orvane::platform
