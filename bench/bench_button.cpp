// The button: a full repaint of a 1280 × 800 form of 100 standard (themed) buttons, the
// repaint a hover change costs (one button), and the memory each further button takes.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <string>

#include "controls/Controls.h"
#include "controls/buttons/ucButton.h"
#include "host/ControlClasses.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"
#include "platform/platform.h"
#include "platform/testing.h"

using namespace orvane;
using namespace orvane::platform;

namespace {

void useTestFonts() {
    setenv("FONTCONFIG_FILE", ORVANE_TEST_FONTS_CONF, 1);
}

// 100 buttons of 112 × 30 pixels in a 10 × 10 grid over a 1280 × 800 form.
std::unique_ptr<Form> buttonForm() {
    auto form = std::make_unique<Form>(u"F", true, 1280 * 15, 800 * 15);
    for (int i = 0; i < 100; ++i) {
        Extender e;
        e.Move((16 + (i % 10) * 126) * 15, (20 + (i / 10) * 76) * 15, 112 * 15, 30 * 15);
        form->add<ucButton>(u"b" + FromUtf8(std::to_string(i)), -1, e)
            .Caption(u"Button " + FromUtf8(std::to_string(i)));
    }
    form->Show();
    testing::TestPlatform::PumpMessages();
    return form;
}

void RepaintFormOf100Buttons(benchmark::State& state) {
    useTestFonts();
    testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    auto form = buttonForm();
    for (auto _ : state) {
        RedrawWindow(form->hWnd(), nullptr, HRGN(),
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}
BENCHMARK(RepaintFormOf100Buttons)->Unit(benchmark::kMillisecond);

// The pointer enters and leaves one button of the 100: each change repaints that button alone.
void ButtonHoverRepaint(benchmark::State& state) {
    useTestFonts();
    testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    auto form = buttonForm();
    auto& button = static_cast<ucButton&>(form->control(u"b12"));
    const POINT inside = platform.ClientToScreenPoint(button.hWnd(), 5, 5);
    const POINT outside = platform.ClientToScreenPoint(button.hWnd(), 5, 50);  // between rows
    bool in = false;
    for (auto _ : state) {
        if (!in) {
            platform.MouseMove(inside.x, inside.y);
        } else {
            platform.MouseMove(outside.x, outside.y);
            platform.AdvanceTime(10);  // the hover poll notices
        }
        platform.PumpMessages();
        in = !in;
    }
}
BENCHMARK(ButtonHoverRepaint)->Unit(benchmark::kMicrosecond);

// Heap growth for 1,000 buttons more on a form that already has 1,000, each shown and painted.
void MemoryPerButton(benchmark::State& state) {
    useTestFonts();
    testing::TestPlatform platform;
    registerControls(TypeLibrary::current(), ControlClasses::current());
    for (auto _ : state) {
        Form form(u"F", true, 1280 * 15, 800 * 15);
        form.Show();
        const auto addButtons = [&form](int from, int count) {
            for (int i = from; i < from + count; ++i) {
                Extender e;
                e.Move((16 + (i % 10) * 126) * 15, (20 + (i / 10 % 10) * 76) * 15, 112 * 15,
                       30 * 15);
                form.add<ucButton>(u"b" + FromUtf8(std::to_string(i)), -1, e)
                    .Caption(u"Button " + FromUtf8(std::to_string(i)));
            }
            testing::TestPlatform::PumpMessages();
        };
        addButtons(0, 1000);
        // The heap in use counts every byte; resident-set growth moves in whole pages.
        const auto heapBefore = mallinfo2().uordblks;
        addButtons(1000, 1000);
        const auto heapAfter = mallinfo2().uordblks;
        state.counters["heap_bytes_per_button"] =
            (static_cast<double>(heapAfter) - static_cast<double>(heapBefore)) / 1000.0;
    }
}
BENCHMARK(MemoryPerButton)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
