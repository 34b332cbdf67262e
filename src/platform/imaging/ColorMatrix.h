// A 5 × 5 colour matrix applied to straight-alpha colours as a row vector
// [r g b a 1] × M, with channels from 0 to 1: row 4 adds a constant to each output channel.
#pragma once

#include <cstdint>

namespace orvane::platform {

struct ColorMatrix {
    float m[5][5] = {
        {1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, 1, 0}, {0, 0, 0, 0, 1}};

    bool isIdentity() const {
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j)
                if (m[i][j] != (i == j ? 1.0f : 0.0f)) return false;
        return true;
    }

    // One straight 0xAARRGGBB pixel through the matrix, clamped.
    std::uint32_t apply(std::uint32_t pixel) const {
        const float in[4] = {((pixel >> 16) & 0xFF) / 255.0f, ((pixel >> 8) & 0xFF) / 255.0f,
                             (pixel & 0xFF) / 255.0f, (pixel >> 24) / 255.0f};
        std::uint32_t out[4];
        for (int j = 0; j < 4; ++j) {
            float v = m[4][j];
            for (int i = 0; i < 4; ++i)
                v += in[i] * m[i][j];
            v = v < 0 ? 0 : v > 1 ? 1 : v;
            out[j] = static_cast<std::uint32_t>(v * 255.0f + 0.5f);
        }
        return out[3] << 24 | out[0] << 16 | out[1] << 8 | out[2];
    }
};

}  // namespace orvane::platform
