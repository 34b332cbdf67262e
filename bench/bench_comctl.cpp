// The platform's image lists: drawing one 16 × 16 image (plain and selected), adding a
// thousand images, and writing and reading a thousand-image list through a stream.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/base/MemoryStream.h"
#include "platform/comctl/ImageList.h"
#include "platform/testing.h"

namespace {

using namespace orvane::platform;

// A 16 × 16 bitmap with soft alpha edges, like an icon.
HBITMAP iconBitmap() {
    std::vector<std::uint32_t> bits(256);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool edge = x == 0 || y == 0 || x == 15 || y == 15;
            bits[static_cast<std::size_t>(y) * 16 + x] =
                (edge ? 0x80000000u : 0xFF000000u) |
                static_cast<std::uint32_t>(x * 16 << 8 | y * 16);
        }
    return CreateBitmap(16, 16, 1, 32, bits.data());
}

struct Setup {
    testing::TestPlatform platform;
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
    HBITMAP bitmap = iconBitmap();
    HDC dc = CreateCompatibleDC(HDC());
    HBITMAP target;
    Setup() {
        BITMAPINFO info{};
        info.bmiHeader.biWidth = 64;
        info.bmiHeader.biHeight = -64;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        target = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits, HANDLE(), 0);
        SelectObject(dc, target);
    }
    ~Setup() {
        DeleteDC(dc);
        DeleteObject(target);
        DeleteObject(bitmap);
        ImageList_Destroy(list);
    }
};

void DrawTransparent(benchmark::State& state) {
    Setup s;
    ImageList_Add(s.list, s.bitmap, HBITMAP());
    for (auto _ : state)
        benchmark::DoNotOptimize(ImageList_Draw(s.list, 0, s.dc, 8, 8, ILD_TRANSPARENT));
}
BENCHMARK(DrawTransparent)->Unit(benchmark::kNanosecond);

void DrawSelected(benchmark::State& state) {
    Setup s;
    ImageList_Add(s.list, s.bitmap, HBITMAP());
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ImageList_Draw(s.list, 0, s.dc, 8, 8, ILD_TRANSPARENT | ILD_SELECTED));
}
BENCHMARK(DrawSelected)->Unit(benchmark::kNanosecond);

void Add1000(benchmark::State& state) {
    Setup s;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            ImageList_Add(s.list, s.bitmap, HBITMAP());
        state.PauseTiming();
        ImageList_RemoveAll(s.list);
        state.ResumeTiming();
    }
}
BENCHMARK(Add1000)->Unit(benchmark::kMillisecond);

void WriteAndRead1000(benchmark::State& state) {
    Setup s;
    for (int i = 0; i < 1000; ++i)
        ImageList_Add(s.list, s.bitmap, HBITMAP());
    for (auto _ : state) {
        MemoryStream out;
        ImageList_Write(s.list, &out);
        MemoryStream in(out.bytes());
        const HIMAGELIST back = ImageList_Read(&in);
        benchmark::DoNotOptimize(back);
        ImageList_Destroy(back);
    }
}
BENCHMARK(WriteAndRead1000)->Unit(benchmark::kMillisecond);

}  // namespace
