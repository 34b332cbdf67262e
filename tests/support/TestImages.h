// Small encoded images for tests: a PNG of one colour, a 1 × 1 animated GIF, and an icon or
// cursor file holding one PNG.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/display/PngWriter.h"

namespace orvane::test {

// A w × h PNG of one straight-alpha colour (0xAARRGGBB).
inline std::vector<std::uint8_t> png(int w, int h, std::uint32_t straight) {
    return platform::PngWriter::encode(platform::PixelSurface(w, h, straight),
                                       platform::PngWriter::Alpha::Keep);
}

// A 1 × 1 GIF with the palette red, blue and one 100 ms frame per given index.
inline std::vector<std::uint8_t> gif(const std::vector<int>& indices) {
    std::vector<std::uint8_t> b = {'G',  'I', 'F', '8',  '9', 'a', 1, 0, 1,   0,
                                   0x80, 0,   0,   0xFF, 0,   0,   0, 0, 0xFF};
    for (int index : indices) {
        const std::vector<std::uint8_t> frame = {
            0x21, 0xF9, 4,
            0,    10,   0,
            0,    0,  // 100 ms, no disposal
            0x2C, 0,    0,
            0,    0,    1,
            0,    1,    0,
            0,  // the whole screen
            2,    2,    static_cast<std::uint8_t>(index ? 0x4C : 0x44),
            1,    0};  // clear, index, end
        b.insert(b.end(), frame.begin(), frame.end());
    }
    b.push_back(0x3B);
    return b;
}

// An icon file (or, with a hot spot, a cursor file) of one square PNG image `side` pixels wide.
inline std::vector<std::uint8_t> iconFile(const std::vector<std::uint8_t>& image, int side,
                                          bool cursor = false, int hotX = 0, int hotY = 0) {
    const auto s = static_cast<std::uint8_t>(side);
    // The directory: a cursor's entry gives its hot spot where an icon's gives planes and bits.
    std::vector<std::uint8_t> b = {0,
                                   0,
                                   static_cast<std::uint8_t>(cursor ? 2 : 1),
                                   0,
                                   1,
                                   0,
                                   s,
                                   s,
                                   0,
                                   0,
                                   static_cast<std::uint8_t>(cursor ? hotX : 1),
                                   0,
                                   static_cast<std::uint8_t>(cursor ? hotY : 32),
                                   0};
    for (std::uint32_t v : {static_cast<std::uint32_t>(image.size()), 22u})  // size, offset
        for (int shift = 0; shift < 32; shift += 8)
            b.push_back(static_cast<std::uint8_t>(v >> shift));
    b.insert(b.end(), image.begin(), image.end());
    return b;
}

}  // namespace orvane::test
