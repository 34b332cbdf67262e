// What message routing adds to SendMessageW: a plain window, the same window with a control's
// route whose tables do not hold the message, and one whose tables hold it (the callback runs
// before and after the window's procedure).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "framework/Subclasser.h"
#include "platform/testing.h"

namespace {

using namespace orvane;
using namespace orvane::platform;

LRESULT plainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) return static_cast<LRESULT>(wParam) + lParam;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

struct Setup {
    testing::TestPlatform platform;
    HWND hwnd;
    std::uint64_t calls = 0;
    std::unique_ptr<Subclasser> route;
    // `routed`: 0 no route, 1 a route for other messages, 2 a route for this one.
    explicit Setup(int routed) {
        WNDCLASSEXW wc;
        wc.lpfnWndProc = plainProc;
        wc.lpszClassName = u"BenchRouted";
        RegisterClassExW(&wc);
        hwnd = CreateWindowExW(0, u"BenchRouted", u"", WS_POPUP, 0, 0, 100, 100, HWND(), HMENU(),
                               HINSTANCE(), nullptr);
        if (routed) {
            route = std::make_unique<Subclasser>(u"bench", [this](SubclassMessage& m) {
                ++calls;
                if (!m.before) m.result += 1;
            });
            route->ssc_Subclass(hwnd);
            // A full table of other messages, so the look-up does its whole work.
            for (int i = 0; i < MSG_ENTRIES - 1; ++i)
                route->zAddMsg(hwnd, WM_APP + i, MsgWhen::MSG_BEFORE_AFTER);
            if (routed == 2) route->zAddMsg(hwnd, WM_USER, MsgWhen::MSG_BEFORE_AFTER);
        }
        platform.PumpMessages();
    }
    ~Setup() {
        route.reset();
        DestroyWindow(hwnd);
        UnregisterClassW(u"BenchRouted", HINSTANCE());
    }
};

void run(benchmark::State& state, int routed) {
    Setup s(routed);
    WPARAM i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessageW(s.hwnd, WM_USER, i++, 1));
    if (routed == 2 && s.calls != 2 * static_cast<std::uint64_t>(state.iterations()))
        state.SkipWithError("the callback missed messages");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void SendPlain(benchmark::State& state) {
    run(state, 0);
}
BENCHMARK(SendPlain);

void SendRoutedNotInTables(benchmark::State& state) {
    run(state, 1);
}
BENCHMARK(SendRoutedNotInTables);

void SendRoutedInTables(benchmark::State& state) {
    run(state, 2);
}
BENCHMARK(SendRoutedInTables);

}  // namespace
