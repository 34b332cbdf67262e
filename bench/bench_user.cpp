// Message delivery: SendMessageW straight to a window procedure, and a million messages posted
// with PostMessageW and then retrieved and dispatched with PeekMessageW and DispatchMessageW.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/testing.h"

namespace {

using namespace orvane::platform;

std::uint64_t g_received = 0;

LRESULT plainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) {
        ++g_received;
        return static_cast<LRESULT>(wParam) + lParam;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A fresh platform with one hidden window of a class whose procedure handles WM_USER.
struct Setup {
    testing::TestPlatform platform;
    HWND hwnd;
    Setup() {
        WNDCLASSEXW wc;
        wc.lpfnWndProc = plainProc;
        wc.lpszClassName = u"BenchPlain";
        RegisterClassExW(&wc);
        hwnd = CreateWindowExW(0, u"BenchPlain", u"", WS_POPUP, 0, 0, 100, 100, HWND(), HMENU(),
                               HINSTANCE(), nullptr);
        platform.PumpMessages();
    }
    ~Setup() { DestroyWindow(hwnd); }
};

void BM_SendMessage(benchmark::State& state) {
    Setup s;
    WPARAM i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SendMessageW(s.hwnd, WM_USER, i++, 1));
    }
    if (g_received < static_cast<std::uint64_t>(state.iterations()))
        state.SkipWithError("messages were lost");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_SendMessage);

constexpr int kMessages = 1000000;

void BM_PostThenDispatchMillion(benchmark::State& state) {
    Setup s;
    for (auto _ : state) {
        g_received = 0;
        for (int i = 0; i < kMessages; ++i)
            PostMessageW(s.hwnd, WM_USER, static_cast<WPARAM>(i), 0);
        MSG msg;
        while (PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        if (g_received != static_cast<std::uint64_t>(kMessages)) {
            state.SkipWithError("not every posted message was dispatched");
            break;
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kMessages);
}
BENCHMARK(BM_PostThenDispatchMillion)->Unit(benchmark::kMillisecond);

}  // namespace
