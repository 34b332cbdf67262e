// The image cache: drawing a cached 16 × 16 image, drawing a 256 × 256 image turned by 30°
// with high-quality interpolation, and adding a 1024 × 768 PNG at its natural size beside a
// plain libpng decode of the same file.
#include <benchmark/benchmark.h>

#include <png.h>

#include <cstring>

#include "framework/drawing/cGDIPCache.h"
#include "platform/display/PngWriter.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

// A photo-like picture: smooth gradients with some noise, so it compresses as real ones do.
std::vector<std::uint8_t> picture(int w, int h) {
    PixelSurface s(w, h);
    std::uint32_t seed = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            const std::uint32_t noise = (seed >> 16) & 15;
            const std::uint32_t r = (x * 255 / w + noise) & 0xFF, g = (y * 255 / h + noise) & 0xFF,
                                b = ((x + y) * 127 / (w + h) + noise) & 0xFF;
            s.at(x, y) = 0xFF000000u | r << 16 | g << 8 | b;
        }
    return PngWriter::encode(s, PngWriter::Alpha::Keep);
}

struct Target {
    explicit Target(int side) {
        BITMAPINFO info{};
        info.bmiHeader.biWidth = side;
        info.bmiHeader.biHeight = -side;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits, HANDLE(), 0);
        dc = CreateCompatibleDC(HDC());
        old = SelectObject(dc, bitmap);
    }
    ~Target() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    HBITMAP bitmap;
    HDC dc;
    HGDIOBJ old;
};

void AlphaRenderTo16(benchmark::State& state) {
    testing::TestPlatform platform;
    Target t(64);
    cGDIPCache cache;
    cache.AddImage(u"icon", picture(16, 16));
    for (auto _ : state)
        cache.AlphaRenderTo(t.dc, u"icon", 8, 8);
}
BENCHMARK(AlphaRenderTo16);

void AlphaRenderTo256Rotated30(benchmark::State& state) {
    testing::TestPlatform platform;
    Target t(300);
    cGDIPCache cache;
    cache.AddImage(u"photo", picture(256, 256));
    for (auto _ : state)
        cache.AlphaRenderTo(t.dc, u"photo", 0, 0, 256, 256, 0, 0, 0, 0, 255, true, 0, false, 30);
}
BENCHMARK(AlphaRenderTo256Rotated30)->Unit(benchmark::kMicrosecond);

void AddImagePng1024x768(benchmark::State& state) {
    testing::TestPlatform platform;
    const std::vector<std::uint8_t> png = picture(1024, 768);
    cGDIPCache cache;
    for (auto _ : state)
        cache.AddImage(u"photo", png);
    state.SetLabel(std::to_string(png.size() / 1024) + " KiB");
}
BENCHMARK(AddImagePng1024x768)->Unit(benchmark::kMillisecond);

// The same file through libpng alone, into a buffer of 32-bit pixels.
void PlainLibpngDecode1024x768(benchmark::State& state) {
    const std::vector<std::uint8_t> png = picture(1024, 768);
    std::vector<std::uint32_t> pixels(1024 * 768);
    for (auto _ : state) {
        png_image image;
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
        png_image_begin_read_from_memory(&image, png.data(), png.size());
        image.format = PNG_FORMAT_BGRA;
        png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(PlainLibpngDecode1024x768)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {
// The same without turning, for the share of clearing the canvas and blending it.
void AlphaRenderTo256Upright(benchmark::State& state) {
    testing::TestPlatform platform;
    Target t(300);
    cGDIPCache cache;
    cache.AddImage(u"photo", picture(256, 256));
    for (auto _ : state)
        cache.AlphaRenderTo(t.dc, u"photo", 0, 0, 256, 256);
}
BENCHMARK(AlphaRenderTo256Upright)->Unit(benchmark::kMicrosecond);
}  // namespace
