// The surfaces' fills over a full-HD area beside a plain FillRect of the same area: a vertical
// and a horizontal gradient, and tiling with a 16 × 16 tile.
#include <benchmark/benchmark.h>

#include "framework/GdiDrawing.h"
#include "framework/drawing/cTile.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

constexpr int kW = 1920;
constexpr int kH = 1080;

struct Target {
    Target() : dc(CreateCompatibleDC(HDC())), bitmap(CreateBitmap(kW, kH, 1, 32, nullptr)) {
        old = SelectObject(dc, bitmap);
    }
    ~Target() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

void FillRectFullHd(benchmark::State& state) {
    testing::TestPlatform platform;
    Target t;
    const HBRUSH brush = CreateSolidBrush(0x336699);
    const RECT rc{0, 0, kW, kH};
    for (auto _ : state)
        FillRect(t.dc, &rc, brush);
    DeleteObject(brush);
}
BENCHMARK(FillRectFullHd)->Unit(benchmark::kMillisecond);

void DrawGradientFullHd(benchmark::State& state) {
    testing::TestPlatform platform;
    Target t;
    const bool vertical = state.range(0) != 0;
    for (auto _ : state)
        DrawGradient(t.dc, RECT{0, 0, kW, kH}, 0x102030, 0xF0E0D0, vertical);
    state.SetLabel(vertical ? "vertical" : "horizontal");
}
BENCHMARK(DrawGradientFullHd)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void TileAreaFullHd(benchmark::State& state) {
    testing::TestPlatform platform;
    Target t;
    cTile tile;
    {
        const HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
        tile.Picture(StdPicture::fromBitmap(bitmap));
    }
    tile.OriginX(5);
    tile.OriginY(7);
    for (auto _ : state)
        tile.TileArea(t.dc, 0, 0, kW, kH);
}
BENCHMARK(TileAreaFullHd)->Unit(benchmark::kMillisecond);

}  // namespace
