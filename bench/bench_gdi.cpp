// FillRect and BitBlt on full-HD 32-bit DIB sections, next to memset and memcpy of the same
// bytes, which are the speed the GDI fast paths should come close to.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace {

using namespace orvane::platform;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr std::size_t kBytes = std::size_t(kWidth) * kHeight * 4;

// A memory DC with a top-down 32-bit DIB section selected.
struct DibDc {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    void* bits = nullptr;
    DibDc() {
        BITMAPINFO info{};
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biBitCount = 32;
        bitmap = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits, HANDLE(), 0);
        dc = CreateCompatibleDC(HDC());
        old = SelectObject(dc, bitmap);
    }
    ~DibDc() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

void setBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kBytes);
}

void BM_FillRect(benchmark::State& state) {
    DibDc target;
    HBRUSH brush = CreateSolidBrush(RGB(12, 34, 56));
    const RECT all{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        FillRect(target.dc, &all, brush);
        benchmark::DoNotOptimize(target.bits);
        benchmark::ClobberMemory();
    }
    DeleteObject(brush);
    setBytes(state);
}
BENCHMARK(BM_FillRect);

void BM_Memset(benchmark::State& state) {
    std::vector<std::uint8_t> bytes(kBytes);
    for (auto _ : state) {
        std::memset(bytes.data(), 0x5A, kBytes);
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
BENCHMARK(BM_Memset);

void BM_BitBltSrcCopy(benchmark::State& state) {
    DibDc src, dst;
    std::memset(src.bits, 0x5A, kBytes);
    for (auto _ : state) {
        BitBlt(dst.dc, 0, 0, kWidth, kHeight, src.dc, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(dst.bits);
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
BENCHMARK(BM_BitBltSrcCopy);

void BM_Memcpy(benchmark::State& state) {
    std::vector<std::uint8_t> from(kBytes, 0x5A), to(kBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
BENCHMARK(BM_Memcpy);

}  // namespace
