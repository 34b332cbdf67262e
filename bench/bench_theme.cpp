// DrawThemeBackground of a standard push button: from the cache of rendered parts (one alpha
// blend), rendered afresh at a new size each time, and a form's worth of 100 buttons; and of a
// check box glyph, which is mostly the cost of the call.
#include <benchmark/benchmark.h>

#include "platform/testing.h"

namespace {

using namespace orvane::platform;

// A fresh platform, an open "Button" theme and a 32-bit memory DC of 1000 × 400 pixels.
struct Setup {
    testing::TestPlatform platform;
    HTHEME theme;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    Setup() {
        theme = OpenThemeData(HWND(), u"Button");
        BITMAPINFO info{};
        info.bmiHeader.biWidth = 1000;
        info.bmiHeader.biHeight = -400;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits, HANDLE(), 0);
        dc = CreateCompatibleDC(HDC());
        old = SelectObject(dc, bitmap);
    }
    ~Setup() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        CloseThemeData(theme);
    }
};

void BM_PushButtonCached(benchmark::State& state) {
    Setup s;
    const RECT rc{10, 10, 110, 40};
    for (auto _ : state)
        benchmark::DoNotOptimize(
            DrawThemeBackground(s.theme, s.dc, BP_PUSHBUTTON, PBS_NORMAL, &rc, nullptr));
}
BENCHMARK(BM_PushButtonCached);

// A 13 × 13 glyph: mostly the cost of the call itself.
void BM_CheckBoxCached(benchmark::State& state) {
    Setup s;
    const RECT rc{10, 10, 23, 23};
    for (auto _ : state)
        benchmark::DoNotOptimize(
            DrawThemeBackground(s.theme, s.dc, BP_CHECKBOX, CBS_CHECKEDNORMAL, &rc, nullptr));
}
BENCHMARK(BM_CheckBoxCached);

void BM_PushButtonUncached(benchmark::State& state) {
    Setup s;
    int width = 60;
    for (auto _ : state) {
        // A width not drawn in the last 64 draws, so the image is rendered every time.
        width = width >= 860 ? 60 : width + 1;
        const RECT rc{10, 10, 10 + width, 40};
        benchmark::DoNotOptimize(
            DrawThemeBackground(s.theme, s.dc, BP_PUSHBUTTON, PBS_NORMAL, &rc, nullptr));
    }
}
BENCHMARK(BM_PushButtonUncached);

// A form of 100 buttons of 100 × 30, ten to a row, in a mix of states, repainted whole.
void BM_FormOf100Buttons(benchmark::State& state) {
    Setup s;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            const RECT rc{(i % 10) * 100, (i / 10) * 40, (i % 10) * 100 + 100, (i / 10) * 40 + 30};
            DrawThemeBackground(s.theme, s.dc, BP_PUSHBUTTON, i % 7 == 0 ? PBS_HOT : PBS_NORMAL,
                                &rc, nullptr);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FormOf100Buttons);

}  // namespace
