// Coverage blending: the four- and eight-pixel paths against the one-pixel formula, runs of
// every short length and at the end of a row, pixels outside the run and ink left alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/gdi/CoverageBlend.h"
#include "platform/gdi/PixelSurface.h"

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
                PixelSurface row(kRow, 1);
                for (int x = 0; x < kRow; ++x)
                    row.at(x, 0) = rng();
                const PixelSurface before = row;
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
                const std::pair<std::uint16_t, std::uint16_t> ink{0, n};
                const std::uint32_t color = rng();
                CoverageBlend::rows(row, {alpha.data(), n, 1, &ink}, at, 0, at, at + n, color);
                for (int x = 0; x < kRow; ++x) {
                    const bool inRun = x >= at && x < at + n;
                    const std::uint32_t want =
                        inRun ? CoverageBlend::pixel(before.at(x, 0), color,
                                                     alpha[static_cast<std::size_t>(x - at)])
                              : before.at(x, 0);
                    ASSERT_EQ(row.at(x, 0), want)
                        << "wide " << wide << " n " << n << " at " << at << " x " << x;
                }
            }
    }
    CoverageBlend::allowWideVectors(true);
}

// A bitmap's rows blend only their ink inside the clip columns, each at its place.
TEST(CoverageBlend, RowsBlendTheirInkInsideTheClipOnly) {
    constexpr int kWidth = 13, kHeight = 5, kSurface = 40;
    std::vector<std::uint8_t> alpha(kWidth * kHeight + 3, 200);
    const std::vector<std::pair<std::uint16_t, std::uint16_t>> ink = {
        {0, 13}, {2, 3}, {0, 0}, {4, 12}, {12, 13}};
    for (bool wide : {true, false})
        for (const auto& [clipLeft, clipRight] : {std::pair{-5, 60}, std::pair{6, 12}}) {
            CoverageBlend::allowWideVectors(wide);
            PixelSurface surface(kSurface, kHeight + 2, 0x00FFFFFF);
            CoverageBlend::rows(surface, {alpha.data(), kWidth, kHeight, ink.data()}, 3, 1,
                                std::max(clipLeft, 0), std::min(clipRight, kSurface), 0);
            for (int y = 0; y < kHeight + 2; ++y)
                for (int x = 0; x < kSurface; ++x) {
                    const int row = y - 1, col = x - 3;
                    const bool inked = row >= 0 && row < kHeight && col >= ink[row].first &&
                                       col < ink[row].second && x >= clipLeft && x < clipRight;
                    ASSERT_EQ(surface.at(x, y),
                              inked ? CoverageBlend::pixel(0x00FFFFFF, 0, 200) : 0x00FFFFFFu)
                        << "wide " << wide << " clip " << clipLeft << " at " << x << "," << y;
                }
        }
    CoverageBlend::allowWideVectors(true);
}

}  // namespace
}  // namespace orvane::platform::test
