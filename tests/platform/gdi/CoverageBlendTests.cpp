// Coverage blending: the four- and eight-pixel paths against the one-pixel formula, runs of
// every short length and at the end of a row, pixels outside the run and ink left alone.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/gdi/CoverageBlend.h"

namespace orvane::platform::test {
namespace {

// Exactly what x / 255 rounds to for one channel.
std::uint32_t channel(std::uint32_t d, std::uint32_t c, unsigned a) {
    return (d * (255 - a) + c * a + 127) / 255;
}

TEST(CoverageBlend, OnePixelRoundsEveryChannelAndKeepsUncoveredAlpha) {
    std::mt19937 rng(7);
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t dst = rng(), color = rng();
        const unsigned a = rng() % 256;
        const std::uint32_t out = CoverageBlend::pixel(dst, color, a);
        if (a == 0) {
            ASSERT_EQ(out, dst);
            continue;
        }
        for (int shift : {0, 8, 16})
            ASSERT_EQ((out >> shift) & 0xFF,
                      channel((dst >> shift) & 0xFF, (color >> shift) & 0xFF, a))
                << std::hex << dst << " " << color << " " << a;
        ASSERT_EQ(out >> 24, 0u);
    }
}

// Runs of every length up to 40 at every offset near a row's end, on both vector paths: each
// pixel in the run is the one-pixel result, every other pixel is untouched (though the wider
// steps read and write pixels past the run).
TEST(CoverageBlend, RunsMatchTheOnePixelFormulaOnBothPaths) {
    constexpr int kRow = 48;
    std::mt19937 rng(11);
    for (bool wide : {true, false}) {
        CoverageBlend::allowWideVectors(wide);
        for (int n = 0; n <= 40; ++n)
            for (int at = 0; at + n <= kRow; at += 3) {
                std::vector<std::uint32_t> row(kRow), before;
                for (std::uint32_t& p : row)
                    p = rng();
                // Coverage with zeros, full values and everything between, then padding that
                // would spoil the pixels after the run if it were used.
                std::vector<std::uint8_t> alpha(static_cast<std::size_t>(n) + 3, 0xFF);
                for (int k = 0; k < n; ++k) {
                    const unsigned r = rng() % 6;
                    alpha[static_cast<std::size_t>(k)] =
                        static_cast<std::uint8_t>(r == 0   ? 0
                                                  : r == 1 ? 255
                                                           : rng() % 256);
                }
                before = row;
                const std::uint32_t color = rng();
                CoverageBlend::run(row.data() + at, alpha.data(), n, kRow - at, color);
                for (int x = 0; x < kRow; ++x) {
                    const bool inRun = x >= at && x < at + n;
                    const std::uint32_t want =
                        inRun ? CoverageBlend::pixel(before[static_cast<std::size_t>(x)], color,
                                                     alpha[static_cast<std::size_t>(x - at)])
                              : before[static_cast<std::size_t>(x)];
                    ASSERT_EQ(row[static_cast<std::size_t>(x)], want)
                        << "wide " << wide << " n " << n << " at " << at << " x " << x;
                }
            }
    }
    CoverageBlend::allowWideVectors(true);
}

// A bitmap's rows blend only their ink columns, each row of pixels a pitch apart.
TEST(CoverageBlend, RowsBlendTheirInkOnly) {
    constexpr int kWidth = 13, kHeight = 5, kPitch = 40;
    std::vector<std::uint8_t> alpha(kWidth * kHeight + 3, 200);
    const std::vector<std::pair<std::uint16_t, std::uint16_t>> ink = {
        {0, 13}, {2, 3}, {0, 0}, {4, 12}, {12, 13}};
    for (bool wide : {true, false}) {
        CoverageBlend::allowWideVectors(wide);
        std::vector<std::uint32_t> pixels(kPitch * kHeight, 0x00FFFFFF);
        CoverageBlend::rows(pixels.data() + 1, kPitch, alpha.data(), kWidth, ink.data(), kHeight,
                            kPitch - 1, 0);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kPitch; ++x) {
                const int col = x - 1;
                const bool inked = col >= ink[y].first && col < ink[y].second;
                ASSERT_EQ(pixels[static_cast<std::size_t>(y * kPitch + x)],
                          inked ? CoverageBlend::pixel(0x00FFFFFF, 0, 200) : 0x00FFFFFFu)
                    << "wide " << wide << " at " << x << "," << y;
            }
    }
    CoverageBlend::allowWideVectors(true);
}

}  // namespace
}  // namespace orvane::platform::test
